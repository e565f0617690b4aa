// The parser backend on Linux: expat, namespace-aware, fed the document in
// pieces. Exceptions never cross expat's C frames: a callback that fails
// keeps the exception, stops the parser, and it is thrown again here.
#include <expat.h>

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "xml/xml_encoding.h"
#include "xml/xml_reader_backend.h"

namespace ps::xml {

namespace {

// Expat names a namespaced element or attribute "URI" + separator + "local
// name". A local name holds no control character, so the local name is
// what follows the last separator.
constexpr char kNamespaceSeparator = '\x01';

std::string_view localName(const XML_Char* name) {
  const std::string_view full(name);
  const std::size_t separator = full.rfind(kNamespaceSeparator);
  return separator == std::string_view::npos ? full : full.substr(separator + 1);
}

struct ParserDeleter {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

class ExpatRun {
 public:
  ExpatRun(XmlEvents& events) : events_(events), parser_(XML_ParserCreateNS("UTF-8", kNamespaceSeparator)) {
    if (!parser_) throw std::bad_alloc();
    XML_Parser p = parser_.get();
    XML_SetUserData(p, this);
    XML_SetElementHandler(p, &ExpatRun::onStart, &ExpatRun::onEnd);
    XML_SetCharacterDataHandler(p, &ExpatRun::onText);
    XML_SetStartDoctypeDeclHandler(p, &ExpatRun::onDoctype);
    // Never reached with the DOCTYPE refused; kept so that no entity can be
    // declared or fetched even if that changed.
    XML_SetEntityDeclHandler(p, &ExpatRun::onEntityDecl);
    XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
  }

  void parse(std::string_view document) {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    std::size_t offset = 0;
    do {
      const std::size_t size = std::min(kPiece, document.size() - offset);
      const bool last = offset + size == document.size();
      const XML_Status status = XML_Parse(parser_.get(), document.data() + offset, static_cast<int>(size), last);
      if (failure_) std::rethrow_exception(failure_);
      if (status != XML_STATUS_OK) refuseSyntax(document);
      offset += size;
    } while (offset < document.size());
    events_.finish(document);
  }

 private:
  int line() const {
    const XML_Size line = XML_GetCurrentLineNumber(parser_.get());
    return line > static_cast<XML_Size>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                          : static_cast<int>(line);
  }

  [[noreturn]] void refuseSyntax(std::string_view document) {
    const XML_Error code = XML_GetErrorCode(parser_.get());
    // Ends of the document that the shared checks name for both backends:
    // the end of the input inside the root element, or inside a CDATA
    // section there. (A tag or a comment cut by the end stays a syntax
    // error, as XmlLite reports such tags.)
    const bool cut = code == XML_ERROR_NO_ELEMENTS || code == XML_ERROR_UNCLOSED_CDATA_SECTION;
    const int lastLine = xmlLineAt(document, document.size());
    if (cut && events_.rootOpen()) throw XmlError{XmlError::Kind::unclosedRoot, lastLine, {}};
    if (code == XML_ERROR_NO_ELEMENTS && !events_.rootSeen()) throw XmlError{XmlError::Kind::noRoot, lastLine, {}};
    if (code == XML_ERROR_JUNK_AFTER_DOC_ELEMENT) throw XmlError{XmlError::Kind::afterRoot, line(), {}};
    const XML_LChar* text = XML_ErrorString(code);
    throw XmlError{XmlError::Kind::syntax, line(), text ? text : "unknown error"};
  }

  // Runs one callback's work; an exception stops the parser.
  template <class Work>
  static void guarded(void* data, Work work) {
    auto& run = *static_cast<ExpatRun*>(data);
    if (run.failure_) return;
    try {
      work(run);
    } catch (...) {
      run.failure_ = std::current_exception();
      XML_StopParser(run.parser_.get(), XML_FALSE);
    }
  }

  static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    guarded(data, [&](ExpatRun& run) {
      run.attributes_.clear();
      for (const XML_Char** a = attributes; a[0] && a[1]; a += 2)
        run.attributes_.push_back({localName(a[0]), a[1]});
      run.events_.startElement(localName(name), run.attributes_, run.line());
    });
  }
  static void XMLCALL onEnd(void* data, const XML_Char* name) {
    guarded(data, [&](ExpatRun& run) { run.events_.endElement(localName(name)); });
  }
  static void XMLCALL onText(void* data, const XML_Char* text, int size) {
    guarded(data, [&](ExpatRun& run) {
      run.events_.characters(std::string_view(text, static_cast<std::size_t>(std::max(size, 0))), run.line());
    });
  }
  static void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    guarded(data, [&](ExpatRun& run) { run.events_.doctype(run.line()); });
  }
  static void XMLCALL onEntityDecl(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                   const XML_Char*, const XML_Char*, const XML_Char*) {
    guarded(data, [&](ExpatRun& run) { run.events_.doctype(run.line()); });
  }

  XmlEvents& events_;
  std::unique_ptr<XML_ParserStruct, ParserDeleter> parser_;
  std::vector<XmlAttribute> attributes_;
  std::exception_ptr failure_;
};

}  // namespace

void parseWithBackend(std::string_view utf8Document, XmlEvents& events) { ExpatRun(events).parse(utf8Document); }

}  // namespace ps::xml
