#include "xml/xml_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace ps::xml {
namespace {

std::string decoded(std::string_view bytes) {
  try {
    return decodeXmlDocument(bytes);
  } catch (const XmlEncodingError& e) {
    static const char* const kKinds[] = {"unsupported", "bomConflict", "badDeclaration", "invalidBytes"};
    return std::string(kKinds[static_cast<int>(e.kind)]) + " '" + e.name + "' line " + std::to_string(e.line);
  } catch (const XmlError& e) {
    return std::string(e.kind == XmlError::Kind::notXml ? "notXml" : "other XML error") + " line " +
           std::to_string(e.line);
  }
}

// What a user may give for a road file that is no XML at all: a road in
// another format, a drawing, a PDF, a zip.
TEST(XmlEncoding, AFileThatIsNotXmlIsToldApartBeforeItsBytesAreRead) {
  EXPECT_EQ(decoded("15,2,1000,100,340,110,40.0,5.0,20\r\n23\r\n"), "notXml line 1");
  EXPECT_EQ(decoded("0\r\nSECTION\r\n"), "notXml line 1");
  EXPECT_EQ(decoded("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"), "notXml line 1");
  EXPECT_EQ(decoded(std::string("PK\x03\x04\x14\0\0\0", 8)), "notXml line 1");
  EXPECT_EQ(decoded("\xef\xbb\xbf\r\n\r\nroad"), "notXml line 3");
  EXPECT_EQ(decoded(" \n\t<a/>"), " \n\t<a/>");  // white space before the root is XML
  EXPECT_EQ(decoded("  \r\n"), "  \r\n");      // blank: the parser finds no root
}

TEST(XmlEncoding, TheDeclarationChoosesTheTableAndIsRewrittenToUtf8) {
  EXPECT_EQ(decoded("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<a>\x8e\xc0</a>"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\xe5\xae\x9f</a>");
  for (const char* alias : {"shift-jis", "SJIS", "x-sjis", "MS_Kanji", "csShiftJIS", "windows-31j", "CSWINDOWS31J",
                            "cp932", "MS932"})
    EXPECT_EQ(decoded(std::string("<?xml version='1.0' encoding='") + alias + "'?><a>\x87\x40</a>"),
              "<?xml version='1.0' encoding='UTF-8'?><a>\xe2\x91\xa0</a>")
        << alias;
  for (const char* alias : {"ISO-8859-1", "iso_8859-1", "ISO8859-1", "latin1", "L1", "iso-ir-100", "csISOLatin1",
                            "IBM819", "cp819"})
    EXPECT_EQ(decoded(std::string("<?xml version='1.0' encoding='") + alias + "' standalone='yes' ?><a>\xe9</a>"),
              "<?xml version='1.0' encoding='UTF-8' standalone='yes' ?><a>\xc3\xa9</a>")
        << alias;
  EXPECT_EQ(decoded("<?xml version=\"1.0\" encoding=\"utf8\"?><a/>"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>");
  EXPECT_EQ(decoded("<?xml version = '1.1'\n  encoding = \"US-ASCII\"?><a/>"),
            "<?xml version = '1.1'\n  encoding = \"UTF-8\"?><a/>");
}

TEST(XmlEncoding, WithoutAnEncodingTheDocumentIsUtf8) {
  EXPECT_EQ(decoded("<a>\xe5\xae\x9f</a>"), "<a>\xe5\xae\x9f</a>");
  EXPECT_EQ(decoded("<?xml version='1.0'?><a/>"), "<?xml version='1.0'?><a/>");
  EXPECT_EQ(decoded("\xef\xbb\xbf<?xml version='1.0' encoding='UTF-8'?><a/>"), "<?xml version='1.0' encoding='UTF-8'?><a/>");
  EXPECT_EQ(decoded("\xef\xbb\xbf<a/>"), "<a/>");
  EXPECT_EQ(decoded("<?xml-stylesheet href='x'?><a/>"), "<?xml-stylesheet href='x'?><a/>");  // a PI, not a declaration
  EXPECT_EQ(decoded(""), "");
}

TEST(XmlEncoding, RefusalsNameTheEncodingAndTheLine) {
  EXPECT_EQ(decoded("<?xml version='1.0'\nencoding='EUC-JP'?><a/>"), "unsupported 'EUC-JP' line 2");
  EXPECT_EQ(decoded("\xff\xfe<\0a\0/\0>\0"), "unsupported 'UTF-16' line 1");
  EXPECT_EQ(decoded(std::string("<\0?\0x\0", 6)), "unsupported 'UTF-16' line 1");
  EXPECT_EQ(decoded(std::string("\0\0\xfe\xff", 4)), "unsupported 'UTF-32' line 1");
  EXPECT_EQ(decoded("\xef\xbb\xbf<?xml version='1.0' encoding='Shift_JIS'?><a/>"), "bomConflict 'Shift_JIS' line 1");
  EXPECT_EQ(decoded("<?xml version='1.0' encoding='UTF-8'?>\r\n<a>\r\n\x8e\xc0</a>"), "invalidBytes 'UTF-8' line 3");
  EXPECT_EQ(decoded("<a>\r\r\xff</a>"), "invalidBytes 'UTF-8' line 3");
  EXPECT_EQ(decoded("<?xml version='1.0' encoding='sjis'?>\n<a>\n\n\x82\x20</a>"), "invalidBytes 'sjis' line 4");
  EXPECT_EQ(decoded("<?xml version='1.0' encoding='ascii'?>\n<a>\xe9</a>"), "invalidBytes 'ascii' line 2");
  for (const char* bad : {"<?xml encoding='UTF-8'?><a/>", "<?xml version='2.0'?><a/>", "<?xml version='1.0' encoding=''?>",
                          "<?xml version='1.0' encoding='UTF-8\"?><a/>", "<?xml version='1.0' encoding='1x'?><a/>",
                          "<?xml version='1.0' standalone='maybe'?><a/>", "<?xml version='1.0'", "<?xml version='1.0'>"})
    EXPECT_EQ(decoded(bad), "badDeclaration '' line 1") << bad;
}

}  // namespace
}  // namespace ps::xml
