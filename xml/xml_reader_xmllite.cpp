// The parser backend on Windows: XmlLite, the parser Windows ships.
// mingw-w64 has its header but no import library, so CreateXmlReader is
// taken from xmllite.dll (in the system folder only) at run time. The
// document reaches it through a small read-only stream over the caller's
// bytes; XmlLite's strings are UTF-16 and are converted back to UTF-8.
#include <windows.h>
#include <objidl.h>
#include <xmllite.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "xml/xml_encoding.h"
#include "xml/xml_reader_backend.h"

namespace ps::xml {

namespace {

// The reader as a COM pointer released at scope end.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface** out() { return &p_; }
  Interface* operator->() const { return p_; }

 private:
  Interface* p_ = nullptr;
};

using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

class XmlLiteLibrary {
 public:
  XmlLiteLibrary() : module_(LoadLibraryExW(L"xmllite.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    if (!module_) throw std::runtime_error("xmllite.dll cannot be loaded");
    create_ = reinterpret_cast<CreateXmlReaderFunction>(
        reinterpret_cast<void*>(GetProcAddress(module_, "CreateXmlReader")));
    if (!create_) {
      FreeLibrary(module_);
      throw std::runtime_error("xmllite.dll has no CreateXmlReader");
    }
  }
  ~XmlLiteLibrary() { FreeLibrary(module_); }
  XmlLiteLibrary(const XmlLiteLibrary&) = delete;
  XmlLiteLibrary& operator=(const XmlLiteLibrary&) = delete;

  CreateXmlReaderFunction create() const { return create_; }

 private:
  HMODULE module_;
  CreateXmlReaderFunction create_ = nullptr;
};

// A read-only stream over bytes that outlive it, followed by one line feed.
// Wine's XmlLite fails an assertion (and ends the process) on a document
// that ends within or right after "<?x...", such as a lone declaration; a
// line feed after the end is white space to XML and keeps it off that path.
// XmlLite holds references only while the reader lives, and the reader is
// released first.
class ByteStream final : public ISequentialStream {
 public:
  explicit ByteStream(std::string_view bytes) : bytes_(bytes) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISequentialStream)) {
      *object = static_cast<ISequentialStream*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
    const std::size_t left = bytes_.size() - position_;
    ULONG count = left < size ? static_cast<ULONG>(left) : size;
    if (count > 0) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    if (count < size && !lineFeedSent_) {
      static_cast<char*>(buffer)[count++] = '\n';
      lineFeedSent_ = true;
    }
    if (read) *read = count;
    if (count < size) exhausted_ = true;
    return count < size ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }

  // Whether a read has found the end.
  bool exhausted() const { return exhausted_; }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  ULONG references_ = 1;
  bool lineFeedSent_ = false;
  bool exhausted_ = false;
};

std::string utf8(const WCHAR* text, UINT size) {
  std::string out;
  if (size == 0) return out;
  if (size > static_cast<UINT>(std::numeric_limits<int>::max())) throw std::length_error("XML text too long");
  const int units = static_cast<int>(size);
  const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) throw XmlError{XmlError::Kind::syntax, 0, "text that is not Unicode"};
  out.resize(static_cast<std::size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, units, out.data(), bytes, nullptr, nullptr);
  return out;
}

const char* errorName(HRESULT hr) {
  switch (static_cast<unsigned long>(hr)) {
    case MX_E_INPUTEND: return "unexpected end of input";
    case MX_E_ENCODING: return "unrecognized encoding";
    case WC_E_WHITESPACE: return "expected white space";
    case WC_E_SEMICOLON: return "expected ';'";
    case WC_E_GREATERTHAN: return "expected '>'";
    case WC_E_QUOTE: return "expected a quote";
    case WC_E_EQUAL: return "expected '='";
    case WC_E_LESSTHAN: return "'<' not allowed here";
    case WC_E_XMLCHARACTER: return "invalid character";
    case WC_E_NAMECHARACTER: return "invalid name character";
    case WC_E_SYNTAX: return "syntax error";
    case WC_E_ELEMENTMATCH: return "mismatched tag";
    case WC_E_UNIQUEATTRIBUTE: return "duplicate attribute";
    case WC_E_XMLDECL: return "invalid XML declaration";
    case WC_E_UNDECLAREDENTITY: return "undefined entity";
    case WC_E_ROOTELEMENT: return "no root element";
    case NC_E_UNDECLAREDPREFIX: return "unbound prefix";
    case NC_E_QNAMECOLON: return "invalid qualified name";
    default: return nullptr;
  }
}

// Where the reader stands: a node that Read returns again at the same
// place, with nothing left to read, is the end of the input.
struct NodePlace {
  XmlNodeType type = XmlNodeType_None;
  UINT line = 0;
  UINT column = 0;
  bool operator==(const NodePlace&) const = default;
};

class XmlLiteRun {
 public:
  explicit XmlLiteRun(XmlEvents& events) : events_(events) {}

  void parse(std::string_view document) {
    lastLine_ = xmlLineAt(document, document.size());
    XmlLiteLibrary library;
    ByteStream stream(document);
    {
      ComPtr<IXmlReader> reader;
      check(library.create()(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.out()), nullptr), 0);
      check(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit), 0);
      // XmlLite's own depth limit (256 by default) stays above the shared
      // one, which is the one that speaks.
      check(reader->SetProperty(XmlReaderProperty_MaxElementDepth, 2 * kMaxXmlDepth), 0);
      check(reader->SetInput(static_cast<ISequentialStream*>(&stream)), 0);
      read(*reader.operator->(), stream, document);
    }
    events_.finish(document);
  }

 private:
  // The reader's line, within the document: at its end the reader counts
  // the line feed the stream adds.
  int line(IXmlReader& reader) const {
    UINT line = 0;
    if (FAILED(reader.GetLineNumber(&line))) return 0;
    return line > static_cast<UINT>(lastLine_) ? lastLine_ : static_cast<int>(line);
  }

  static NodePlace place(IXmlReader& reader, XmlNodeType type) {
    NodePlace p;
    p.type = type;
    if (FAILED(reader.GetLineNumber(&p.line)) || FAILED(reader.GetLinePosition(&p.column))) p.line = p.column = 0;
    return p;
  }

  void check(HRESULT hr, int line) {
    if (SUCCEEDED(hr)) return;
    // (XmlLite's enumeration of these codes is also named XmlError.)
    const auto code = static_cast<unsigned long>(hr);
    if (code == WC_E_DTDPROHIBITED) events_.doctype(line);
    if (code == SC_E_MAXELEMENTDEPTH) throw XmlError{XmlError::Kind::tooDeep, line, {}};
    // After the root element only comments, processing instructions and
    // white space may follow.
    if (code == WC_E_SYNTAX && events_.rootSeen() && !events_.rootOpen())
      throw XmlError{XmlError::Kind::afterRoot, line, {}};
    const char* name = errorName(hr);
    char text[64];
    std::snprintf(text, sizeof text, "%s (hr 0x%08lX)", name ? name : "error", code);
    throw XmlError{XmlError::Kind::syntax, line, text};
  }

  // The end of the input inside the document is the shared checks'
  // noRoot or unclosedRoot.
  void inputEnded(std::string_view document) {
    events_.finish(document);
    throw XmlError{XmlError::Kind::syntax, xmlLineAt(document, document.size()), "unexpected end of input"};
  }

  std::string localName(IXmlReader& reader) {
    const WCHAR* name = nullptr;
    UINT size = 0;
    check(reader.GetLocalName(&name, &size), line(reader));
    return utf8(name, size);
  }

  // Wine's XmlLite takes a prefix that no namespace declaration binds (and
  // reports no prefix then): a prefixed name must have a namespace. "xml"
  // is bound by definition.
  void checkPrefix(IXmlReader& reader, int at) {
    const WCHAR* name = nullptr;
    UINT nameSize = 0;
    const WCHAR* uri = nullptr;
    UINT uriSize = 0;
    check(reader.GetQualifiedName(&name, &nameSize), at);
    check(reader.GetNamespaceUri(&uri, &uriSize), at);
    const std::string qualified = utf8(name, nameSize);
    const std::size_t colon = qualified.find(':');
    if (colon != std::string::npos && uriSize == 0 && qualified.substr(0, colon) != "xml")
      throw XmlError{XmlError::Kind::syntax, at, "unbound prefix"};
  }

  void read(IXmlReader& reader, const ByteStream& stream, std::string_view document) {
    NodePlace last;
    for (;;) {
      XmlNodeType type = XmlNodeType_None;
      const HRESULT hr = reader.Read(&type);
      if (hr == S_FALSE) return;
      if (static_cast<unsigned long>(hr) == MX_E_INPUTEND) inputEnded(document);
      check(hr, line(reader));
      // Wine's XmlLite, at the end of the input inside an element, returns
      // the last node again and again instead of failing.
      const NodePlace here = place(reader, type);
      if (here == last && stream.exhausted()) inputEnded(document);
      last = here;
      switch (type) {
        case XmlNodeType_Element:
          element(reader);
          break;
        case XmlNodeType_EndElement:
          events_.endElement(localName(reader));
          break;
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace: {
          const WCHAR* value = nullptr;
          UINT size = 0;
          check(reader.GetValue(&value, &size), line(reader));
          events_.characters(utf8(value, size), line(reader));
          break;
        }
        case XmlNodeType_DocumentType:
          events_.doctype(line(reader));
        default:
          break;
      }
    }
  }

  void element(IXmlReader& reader) {
    const int at = line(reader);
    const bool empty = reader.IsEmptyElement();
    checkPrefix(reader, at);
    const std::string name = localName(reader);
    texts_.clear();
    for (HRESULT hr = reader.MoveToFirstAttribute(); hr == S_OK; hr = reader.MoveToNextAttribute()) {
      const WCHAR* uri = nullptr;
      UINT uriSize = 0;
      check(reader.GetNamespaceUri(&uri, &uriSize), at);
      if (utf8(uri, uriSize) == "http://www.w3.org/2000/xmlns/") continue;  // a namespace declaration
      checkPrefix(reader, at);
      const WCHAR* value = nullptr;
      UINT valueSize = 0;
      check(reader.GetValue(&value, &valueSize), at);
      texts_.push_back(localName(reader));
      texts_.push_back(utf8(value, valueSize));
    }
    check(reader.MoveToElement(), at);
    attributes_.clear();
    for (std::size_t i = 0; i + 1 < texts_.size(); i += 2) attributes_.push_back({texts_[i], texts_[i + 1]});
    events_.startElement(name, attributes_, at);
    if (empty) events_.endElement(name);
  }

  XmlEvents& events_;
  int lastLine_ = 1;
  std::vector<std::string> texts_;
  std::vector<XmlAttribute> attributes_;
};

}  // namespace

void parseWithBackend(std::string_view utf8Document, XmlEvents& events) { XmlLiteRun(events).parse(utf8Document); }

}  // namespace ps::xml
