// What the two parser backends share. A backend reports every event of the
// document to XmlEvents, which applies the checks that must not depend on
// the parser, and throws XmlError with the line the parser gives.
#pragma once

#include <span>
#include <string_view>

#include "xml/xml_reader.h"

namespace ps::xml {

class XmlEvents {
 public:
  explicit XmlEvents(XmlHandler& handler) : handler_(handler) {}

  void startElement(std::string_view name, std::span<const XmlAttribute> attributes, int line);
  void endElement(std::string_view name);
  // Text anywhere; outside the root element it must be white space.
  void characters(std::string_view text, int line);
  [[noreturn]] void doctype(int line);
  // After the parser read the whole document without error.
  void finish(std::string_view document);

  bool rootOpen() const { return depth_ > 0; }
  bool rootSeen() const { return rootSeen_; }

 private:
  XmlHandler& handler_;
  int depth_ = 0;
  bool rootSeen_ = false;
};

// The backend of this platform.
void parseWithBackend(std::string_view utf8Document, XmlEvents& events);

}  // namespace ps::xml
