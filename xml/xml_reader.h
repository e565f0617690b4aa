// A small event interface over a real XML parser: expat on Linux, XmlLite
// on Windows (one source file each), with the same checks on both.
//
// Names are local names: a namespace prefix is removed and the namespace
// itself is not reported, so LandXML reads alike with its namespace as the
// default, with a prefix, or with none. Namespace declarations are not
// reported as attributes; a prefix that is not declared is a syntax error.
// Text is UTF-8, with line ends as LF and references expanded.
//
// The input is untrusted, so:
// - a DOCTYPE is refused where it starts, before its internal subset is
//   read: no entity can be declared (nor expanded a billion times), and no
//   external DTD or entity is ever fetched;
// - references expand only the five predefined entities and character
//   references; any other entity reference is a syntax error;
// - elements nest at most kMaxXmlDepth deep;
// - the document must hold one root element and close it;
// - characters XML does not allow (control characters but tab, line feed
//   and carriage return; U+FFFE, U+FFFF) are refused before parsing.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace ps::xml {

inline constexpr int kMaxXmlDepth = 256;

struct XmlAttribute {
  std::string_view name;
  std::string_view value;
};

// Receives the events of one document in order. The views are valid during
// the call only. An exception thrown here ends the parse and reaches the
// caller of parseXml.
class XmlHandler {
 public:
  // `line`: the 1-based line where the start tag begins.
  virtual void startElement(std::string_view name, std::span<const XmlAttribute> attributes, int line) = 0;
  virtual void endElement(std::string_view name) = 0;
  // Text inside the root element, possibly in several pieces.
  virtual void characters(std::string_view text) = 0;

 protected:
  ~XmlHandler() = default;
};

struct XmlError {
  enum class Kind {
    syntax,        // not well-formed; `detail` is the parser's own description (ASCII)
    doctype,       // a DOCTYPE declaration
    tooDeep,       // an element nested deeper than kMaxXmlDepth
    noRoot,        // no element at all
    unclosedRoot,  // the document ends inside the root element
    afterRoot,     // an element or text after the root element
    notXml,        // the document does not start like XML: not "<" after white space
  };
  Kind kind;
  int line = 0;  // 1-based
  std::string detail;
};

// Parses a whole document in UTF-8 (see decodeXmlDocument) into `handler`.
// Throws XmlError, or whatever the handler throws.
void parseXml(std::string_view utf8Document, XmlHandler& handler);

}  // namespace ps::xml
