#include "import/xml_reader.h"

#include "import/xml_encoding.h"
#include "import/xml_reader_backend.h"

namespace ps::import {

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

void parseXml(std::string_view utf8Document, XmlHandler& handler) {
  XmlEvents events(handler);
  parseWithBackend(utf8Document, events);
}

}  // namespace ps::import
