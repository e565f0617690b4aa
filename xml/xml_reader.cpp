#include "xml/xml_reader.h"

#include "xml/xml_encoding.h"
#include "xml/xml_reader_backend.h"

namespace ps::xml {

void XmlEvents::startElement(std::string_view name, std::span<const XmlAttribute> attributes, int line) {
  if (rootSeen_ && depth_ == 0) throw XmlError{XmlError::Kind::afterRoot, line, {}};
  if (depth_ >= kMaxXmlDepth) throw XmlError{XmlError::Kind::tooDeep, line, {}};
  ++depth_;
  rootSeen_ = true;
  handler_.startElement(name, attributes, line);
}

void XmlEvents::endElement(std::string_view name) {
  if (depth_ > 0) --depth_;
  handler_.endElement(name);
}

void XmlEvents::characters(std::string_view text, int line) {
  if (depth_ > 0) {
    handler_.characters(text);
    return;
  }
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
      throw XmlError{rootSeen_ ? XmlError::Kind::afterRoot : XmlError::Kind::syntax, line,
                     rootSeen_ ? "" : "text before the root element"};
}

void XmlEvents::doctype(int line) { throw XmlError{XmlError::Kind::doctype, line, {}}; }

void XmlEvents::finish(std::string_view document) {
  if (!rootSeen_) throw XmlError{XmlError::Kind::noRoot, xmlLineAt(document, document.size()), {}};
  if (depth_ > 0) throw XmlError{XmlError::Kind::unclosedRoot, xmlLineAt(document, document.size()), {}};
}

namespace {

// The offset of the first character XML does not allow in a document: the
// control characters other than tab, line feed and carriage return (NUL
// included), and U+FFFE and U+FFFF. Checked here so that both parsers
// refuse them alike: Wine's XmlLite takes them as text, and a NUL as the
// end of the input.
std::size_t firstForbiddenCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return i;
    if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
        (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE)
      return i;
  }
  return std::string_view::npos;
}

}  // namespace

void parseXml(std::string_view utf8Document, XmlHandler& handler) {
  if (const std::size_t at = firstForbiddenCharacter(utf8Document); at != std::string_view::npos)
    throw XmlError{XmlError::Kind::syntax, xmlLineAt(utf8Document, at), "character not allowed in XML"};
  XmlEvents events(handler);
  parseWithBackend(utf8Document, events);
}

}  // namespace ps::xml
