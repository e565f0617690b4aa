#include "xml/xml_reader.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "wine.h"

namespace ps::xml {
namespace {

// Writes the events back as a compact trace: "<name@line a=v>", text in
// brackets, "</name>".
class Trace final : public XmlHandler {
 public:
  std::string text;
  void startElement(std::string_view name, std::span<const XmlAttribute> attributes, int line) override {
    text += "<" + std::string(name) + "@" + std::to_string(line);
    for (const XmlAttribute& a : attributes) text += " " + std::string(a.name) + "=" + std::string(a.value);
    text += ">";
  }
  void endElement(std::string_view name) override { text += "</" + std::string(name) + ">"; }
  void characters(std::string_view t) override {
    if (!text.empty() && text.back() == ']') text.pop_back();  // join the pieces of one text
    else text += "[";
    text += std::string(t) + "]";
  }
};

std::string trace(std::string_view document) {
  Trace handler;
  try {
    parseXml(document, handler);
  } catch (const XmlError& e) {
    static const char* const kKinds[] = {"syntax", "doctype", "tooDeep", "noRoot", "unclosedRoot", "afterRoot"};
    return std::string(kKinds[static_cast<int>(e.kind)]) + " at " + std::to_string(e.line);
  }
  return handler.text;
}

TEST(XmlReader, NamesAreLocalWhateverTheNamespace) {
  const std::string expected = "<LandXML@1 version=1.2><Units@1></Units></LandXML>";
  EXPECT_EQ(trace("<LandXML version='1.2'><Units/></LandXML>"), expected);
  EXPECT_EQ(trace("<LandXML xmlns='http://www.landxml.org/schema/LandXML-1.2' version='1.2'><Units/></LandXML>"),
            expected);
  EXPECT_EQ(trace("<lx:LandXML xmlns:lx='http://www.landxml.org/schema/LandXML-1.2' lx:version='1.2'>"
                  "<lx:Units/></lx:LandXML>"),
            expected);
  EXPECT_EQ(trace("<a xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xsi:schemaLocation='x y'/>"),
            "<a@1 schemaLocation=x y></a>");
  EXPECT_EQ(trace("<p:a/>").substr(0, 9), "syntax at");  // an undeclared prefix
}

TEST(XmlReader, TextLinesAndReferences) {
  EXPECT_EQ(trace("<?xml version='1.0' encoding='UTF-8'?>\r\n<!-- note -->\r\n<?pi data?>\r\n<a>\r\n <b\r\n x='1'>"
                  "<![CDATA[<c>]]>&lt;&gt;&amp;&apos;&quot;&#65;&#x42;&#x3042;</b>\r\n</a>\r\n"),
            "<a@4>[\n ]<b@5 x=1>[<c><>&'\"AB\xe3\x81\x82]</b>[\n]</a>");
  // Attribute values are normalized: line ends and tabs become spaces.
  EXPECT_EQ(trace("<a x='1\r\n2\t3'/>"), "<a@1 x=1 2 3></a>");
  // Only the predefined entities exist. Wine's XmlLite keeps an unknown
  // reference in text as written (nothing is expanded) instead of refusing
  // it; in an attribute it refuses it too.
  EXPECT_EQ(trace("<a>&nbsp;</a>").substr(0, 9), test::underWine() ? "<a@1>[&nb" : "syntax at");
  EXPECT_EQ(trace("<a>&#0;</a>").substr(0, 9), test::underWine() ? "<a@1>[&#0" : "syntax at");
  EXPECT_EQ(trace("<a x='&nbsp;'/>").substr(0, 9), "syntax at");
  EXPECT_EQ(trace("<a x='&#0;'/>").substr(0, 9), "syntax at");
}

TEST(XmlReader, CharactersXmlForbidsAreRefusedBeforeParsing) {
  EXPECT_EQ(trace("<a>\x01</a>"), "syntax at 1");
  EXPECT_EQ(trace("<a>\n<b x='\x1f'/></a>"), "syntax at 2");
  EXPECT_EQ(trace(std::string("<a>\r\n\r\n\0</a>", 10)), "syntax at 3");  // Wine's XmlLite would stop there
  EXPECT_EQ(trace("<a>\xef\xbf\xbe</a>"), "syntax at 1");
  EXPECT_EQ(trace("<a>\xef\xbf\xbd\t</a>"), "<a@1>[\xef\xbf\xbd\t]</a>");
}

TEST(XmlReader, CutDocumentsAreRefused) {
  // Wine's XmlLite ends the process on a document that stops within or
  // right after "<?x": these must come back as refusals.
  EXPECT_EQ(trace("<?xml").substr(0, 9), "syntax at");
  EXPECT_EQ(trace("<?xml version='1.0'?>"), "noRoot at 1");
  EXPECT_EQ(trace("<?xml version='1.0'?>\r\n"), "noRoot at 2");
  // Wine's XmlLite finds no root in a cut processing instruction.
  EXPECT_EQ(trace("<?x").substr(0, 9), test::underWine() ? "noRoot at" : "syntax at");
  EXPECT_EQ(trace("<a x='1").substr(0, 9), "syntax at");
  EXPECT_EQ(trace("<a>\n<b x").substr(0, 9), "syntax at");
  // Wine's XmlLite takes a comment cut by the end as the end inside the root.
  EXPECT_EQ(trace("<a>\n<!--\n\n").substr(0, 9), test::underWine() ? "unclosedR" : "syntax at");
  EXPECT_EQ(trace("<a><![CDATA[x"), "unclosedRoot at 1");
}

TEST(XmlReader, ADoctypeIsRefusedWhereItStarts) {
  // An entity expansion bomb: refused at the DOCTYPE, before any expansion.
  std::string bomb = "<?xml version='1.0'?>\n<!DOCTYPE lolz [\n <!ENTITY lol 'lol'>\n";
  for (int i = 1; i <= 9; ++i)
    bomb += " <!ENTITY lol" + std::to_string(i) + " '" +
            [&] {
              std::string refs;
              for (int k = 0; k < 10; ++k) refs += "&lol" + (i > 1 ? std::to_string(i - 1) : std::string()) + ";";
              return refs;
            }() +
            "'>\n";
  bomb += "]>\n<lolz>&lol9;</lolz>\n";
  EXPECT_EQ(trace(bomb), "doctype at 2");
  // External DTD and entity: refused, nothing fetched.
  EXPECT_EQ(trace("<?xml version='1.0'?>\r\n\r\n<!DOCTYPE a SYSTEM 'http://127.0.0.1:9/a.dtd'>\r\n<a/>"), "doctype at 3");
  EXPECT_EQ(trace("<!DOCTYPE a [<!ENTITY e SYSTEM 'file:///etc/passwd'>]><a>&e;</a>"), "doctype at 1");
  EXPECT_EQ(trace("<!DOCTYPE a><a/>"), "doctype at 1");
}

TEST(XmlReader, NestingIsBounded) {
  const auto nested = [](int depth) {
    std::string open, close;
    for (int i = 0; i < depth; ++i) {
      open += "<e>\n";
      close += "</e>";
    }
    return open + close;
  };
  EXPECT_NE(trace(nested(kMaxXmlDepth)).find("<e@256>[\n]</e></e>"), std::string::npos);
  EXPECT_EQ(trace(nested(kMaxXmlDepth + 1)), "tooDeep at " + std::to_string(kMaxXmlDepth + 1));
  EXPECT_EQ(trace(nested(100000)), "tooDeep at " + std::to_string(kMaxXmlDepth + 1));
}

TEST(XmlReader, TheDocumentHoldsOneClosedRoot) {
  EXPECT_EQ(trace("<a>\n<b></b>\n"), "unclosedRoot at 3");
  EXPECT_EQ(trace("<a>\n<b>"), "unclosedRoot at 2");
  EXPECT_EQ(trace(""), "noRoot at 1");
  EXPECT_EQ(trace("<?xml version='1.0'?>\n<!-- only a comment -->\n"), "noRoot at 3");
  EXPECT_EQ(trace("<a/>\n<b/>"), "afterRoot at 2");
  EXPECT_EQ(trace("<a/>\ntext"), "afterRoot at 2");
  EXPECT_EQ(trace("<a/>\n\t \n<!-- c -->\n"), "<a@1></a>");
  EXPECT_EQ(trace("<a></b>").substr(0, 9), "syntax at");
  // Wine's XmlLite finds no root after text at the start.
  EXPECT_EQ(trace("text<a/>").substr(0, 9), test::underWine() ? "noRoot at" : "syntax at");
}

TEST(XmlReader, AHandlerExceptionEndsTheParse) {
  class Refuser final : public XmlHandler {
   public:
    int starts = 0;
    void startElement(std::string_view name, std::span<const XmlAttribute>, int) override {
      ++starts;
      if (name == "b") throw std::runtime_error("b refused");
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}
  } handler;
  EXPECT_THROW(parseXml("<a><b/><c/><d/></a>", handler), std::runtime_error);
  EXPECT_EQ(handler.starts, 2);
}

}  // namespace
}  // namespace ps::xml
