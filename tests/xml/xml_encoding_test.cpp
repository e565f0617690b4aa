#include "xml/xml_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace ps::xml {
namespace {

std::string decoded(std::string_view bytes) {
  try {
    return decodeXmlDocument(bytes);
  } catch (const XmlEncodingError& e) {
    static const char* const kKinds[] = {"unsupported", "bomConflict", "badDeclaration", "invalidBytes",
                                         "declarationUnread"};
    return std::string(kKinds[static_cast<int>(e.kind)]) + " '" + e.name + "' line " + std::to_string(e.line) +
           (e.mark.empty() ? "" : " after " + e.mark);
  } catch (const XmlError& e) {
    return (e.kind == XmlError::Kind::notXml ? "notXml line " : "other XmlError line ") + std::to_string(e.line);
  }
}

// The text in UTF-16 or UTF-32, little or big endian (ASCII and BMP
// characters given as UTF-8 of up to three bytes).
std::string wide(std::string_view utf8, int unitBytes, bool bigEndian) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    unsigned code = lead;
    std::size_t length = 1;
    if (lead >= 0xE0) {
      code = (lead & 0x0Fu) << 12 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6 |
             (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
      length = 3;
    } else if (lead >= 0xC0) {
      code = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      length = 2;
    }
    for (int k = 0; k < unitBytes; ++k) {
      const int shift = 8 * (bigEndian ? unitBytes - 1 - k : k);
      out += static_cast<char>((code >> shift) & 0xFFu);
    }
    i += length;
  }
  return out;
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

// What the system converts is read: the Windows and ISO tables of Europe,
// EUC-JP, UTF-16 by its byte order mark (or by "<?" in it), under the names
// documents give them.
TEST(XmlEncoding, EveryEncodingTheSystemConverts) {
  const auto declared = [](const char* name, const std::string& body) {
    return decoded(std::string("<?xml version='1.0' encoding='") + name + "'?>\r\n<a>" + body + "</a>");
  };
  const auto utf8 = [](const std::string& body) { return "<?xml version='1.0' encoding='UTF-8'?>\r\n<a>" + body + "</a>"; };
  for (const char* name : {"windows-1252", "Windows-1252", "cp1252"})
    EXPECT_EQ(declared(name, "\x80\xe9"), utf8("\xe2\x82\xac\xc3\xa9")) << name;  // €é
  EXPECT_EQ(declared("windows-1250", "\x8a"), utf8("\xc5\xa0"));                    // Š
  for (const char* name : {"iso-8859-2", "ISO-8859-2", "ISO_8859-2", "latin2"})
    EXPECT_EQ(declared(name, "\xb1"), utf8("\xc4\x85")) << name;                     // ą
  EXPECT_EQ(declared("ISO-8859-15", "\xa4"), utf8("\xe2\x82\xac"));                  // €
  EXPECT_EQ(declared("EUC-JP", "\xbc\xc2\xb8\xb3"), utf8("\xe5\xae\x9f\xe9\xa8\x93"));  // 実験
  EXPECT_EQ(declared("euc-jp", "abc"), utf8("abc"));

  const std::string text = "<?xml version='1.0' encoding='UTF-16'?>\n<a>\xe5\xae\x9f</a>";
  const std::string asUtf8 = "<?xml version='1.0' encoding='UTF-8'?>\n<a>\xe5\xae\x9f</a>";
  EXPECT_EQ(decoded("\xff\xfe" + wide(text, 2, false)), asUtf8);
  EXPECT_EQ(decoded("\xfe\xff" + wide(text, 2, true)), asUtf8);
  EXPECT_EQ(decoded(wide(text, 2, false)), asUtf8);  // no byte order mark: "<?" tells
  EXPECT_EQ(decoded("\xfe\xff" + wide("<a>x</a>", 2, true)), "<a>x</a>");
  EXPECT_EQ(decoded("\xff\xfe" + wide("<?xml version='1.0' encoding='utf-16le'?><a/>", 2, false)),
            "<?xml version='1.0' encoding='UTF-8'?><a/>");
#ifdef _WIN32
  // The code page functions have no UTF-32.
  EXPECT_EQ(decoded(std::string("\xff\xfe\0\0", 4) + wide("<a/>", 4, false)), "unsupported 'UTF-32' line 1");
#else
  EXPECT_EQ(decoded(std::string("\xff\xfe\0\0", 4) + wide("<a/>", 4, false)), "<a/>");
  EXPECT_EQ(decoded(wide("<?xml version='1.0' encoding='UTF-32'?><a/>", 4, true)),
            "<?xml version='1.0' encoding='UTF-8'?><a/>");
#endif
}

TEST(XmlEncoding, RefusalsNameTheEncodingAndTheLine) {
  EXPECT_EQ(decoded("<?xml version='1.0'\nencoding='x-no-such-table'?><a/>"), "unsupported 'x-no-such-table' line 2");
  EXPECT_EQ(decoded("\xef\xbb\xbf<?xml version='1.0' encoding='Shift_JIS'?><a/>"),
            "bomConflict 'Shift_JIS' line 1 after UTF-8");
  EXPECT_EQ(decoded("\xff\xfe" + wide("<?xml version='1.0' encoding='ISO-8859-1'?><a/>", 2, false)),
            "bomConflict 'ISO-8859-1' line 1 after UTF-16");
  // A file of single bytes that names a wide form, or a table that does
  // not read its own declaration back.
  EXPECT_EQ(decoded("<?xml version='1.0' encoding='UTF-16'?><a/>"), "declarationUnread 'UTF-16' line 1");
  // Bytes that are not text in the encoding, on their line: a cut EUC-JP
  // character, a UTF-16 surrogate without its pair, an odd last byte.
  EXPECT_EQ(decoded("<?xml version='1.0' encoding='EUC-JP'?>\n<a>\n\xbc</a>"), "invalidBytes 'EUC-JP' line 3");
  EXPECT_EQ(decoded("\xff\xfe" + wide("<a>\r\n", 2, false) + std::string("\x00\xd8", 2) + wide("</a>", 2, false)),
            "invalidBytes 'UTF-16' line 2");
  EXPECT_EQ(decoded("\xff\xfe" + wide("<a/>\n\n", 2, false) + "x"), "invalidBytes 'UTF-16' line 3");
  EXPECT_EQ(decoded("<?xml version='1.0' encoding='UTF-8'?>\r\n<a>\r\n\x8e\xc0</a>"), "invalidBytes 'UTF-8' line 3");
  EXPECT_EQ(decoded("<a>\r\r\xff</a>"), "invalidBytes 'UTF-8' line 3");
  EXPECT_EQ(decoded("<?xml version='1.0' encoding='sjis'?>\n<a>\n\n\x82\x20</a>"), "invalidBytes 'sjis' line 4");
  EXPECT_EQ(decoded("<?xml version='1.0' encoding='ascii'?>\n<a>\xe9</a>"), "invalidBytes 'ascii' line 2");
  for (const char* bad : {"<?xml encoding='UTF-8'?><a/>", "<?xml version='2.0'?><a/>", "<?xml version='1.0' encoding=''?>",
                          "<?xml version='1.0' encoding='UTF-8\"?><a/>", "<?xml version='1.0' encoding='1x'?><a/>",
                          "<?xml version='1.0' standalone='maybe'?><a/>", "<?xml version='1.0'", "<?xml version='1.0'>"})
    EXPECT_EQ(decoded(bad), "badDeclaration '' line 1") << bad;
}

// Bytes that do not start like XML, whatever else they are: the first
// character after the byte order mark and white space is not "<".
TEST(XmlEncoding, WhatIsNotXmlAtAll) {
  EXPECT_EQ(decoded(std::string("PK\x03\x04\x14\0\0\0", 8)), "notXml line 1");
  EXPECT_EQ(decoded("\r\n\n%PDF-1.4"), "notXml line 3");
  EXPECT_EQ(decoded("\xef\xbb\xbfNo.1,20.0"), "notXml line 1");
  EXPECT_EQ(decoded("\x8e\xc0\x8c\xb1"), "notXml line 1");  // Shift_JIS text
  EXPECT_EQ(decoded("\xff\xfe" + wide("\nhello", 2, false)), "notXml line 2");
  EXPECT_EQ(decoded(" \n\t"), " \n\t");  // blank: the parser finds no root
}

}  // namespace
}  // namespace ps::xml
