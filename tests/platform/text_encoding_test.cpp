#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace ps::platform {
namespace {

using E = Encoding;

std::string converted(std::string_view in, E from, E to) {
  const Converted c = convertText(in, from, to);
  return c.ok() ? c.text : "error at " + std::to_string(*c.errorOffset);
}

TEST(TextEncoding, ShiftJisIsCodePage932BothWays) {
  // ①号線 (NEC row 13), ＼ as 0x815F, ～ as 0x8160, half-width カ, and the
  // ASCII backslash and tilde, which the JIS table would read as ¥ and ‾.
  const std::string sjis = "\x87\x40\x8d\x86\x90\xfc \x81\x5f\x81\x60\xb6 \\~";
  const std::string utf8 = "\xe2\x91\xa0\xe5\x8f\xb7\xe7\xb7\x9a \xef\xbc\xbc\xef\xbd\x9e\xef\xbd\xb6 \\~";
  EXPECT_EQ(converted(sjis, E::shiftJis, E::utf8), utf8);
  EXPECT_EQ(converted(utf8, E::utf8, E::shiftJis), sjis);
  // IBM extension (0xFA40 ⅰ) and the user-defined area (0xF040 -> U+E000).
  EXPECT_EQ(converted("\xfa\x40\xf0\x40", E::shiftJis, E::utf8), "\xe2\x85\xb0\xee\x80\x80");
  EXPECT_EQ(converted("", E::shiftJis, E::utf8), "");
}

TEST(TextEncoding, InvalidShiftJisIsFoundAtItsFirstByte) {
  EXPECT_EQ(converted("ab\x82", E::shiftJis, E::utf8), "error at 2");     // cut after a lead byte
  EXPECT_EQ(converted("ab\x82\x20", E::shiftJis, E::utf8), "error at 2"); // trail byte out of range
  EXPECT_EQ(converted("a\x85\x40", E::shiftJis, E::utf8), "error at 1");  // unassigned row
  // Single bytes that are no character: 0x80 (Windows alone reads it as
  // U+0080, refused there too), 0xA0, 0xFD..0xFF.
  for (const char* bytes : {"x\x80", "x\xa0", "x\xfd", "x\xfe", "x\xff"})
    EXPECT_EQ(converted(bytes, E::shiftJis, E::utf8), "error at 1") << static_cast<int>(bytes[1] & 0xff);
  EXPECT_TRUE(isValidShiftJis("\x8e\xc0\x90\xfc BP"));
  EXPECT_FALSE(isValidShiftJis("\x8e\xc0\x90"));
}

TEST(TextEncoding, TheErrorIsFoundFarIntoALongText) {
  // Past the first 64 KiB block and a 256-byte block, with two-byte
  // characters straddling the block edges.
  std::string text;
  while (text.size() < 200000) text += "\x82\xa0" "a";
  const std::size_t at = text.size() - 7;
  text.insert(at, "\x81\x7f");  // 0x7F is no trail byte
  EXPECT_EQ(converted(text, E::shiftJis, E::utf8), "error at " + std::to_string(at));
}

TEST(TextEncoding, Latin1IsTheFirst256CodePoints) {
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
  const std::string utf8 = converted(bytes, E::latin1, E::utf8);
  EXPECT_EQ(utf8.size(), 127u + 2u * 128u);
  EXPECT_EQ(utf8.substr(utf8.size() - 4), "\xc3\xbe\xc3\xbf");
  EXPECT_EQ(converted(utf8, E::utf8, E::latin1), bytes);
  EXPECT_EQ(converted("a\xc4\x80", E::utf8, E::latin1), "error at 1");  // U+0100
}

TEST(TextEncoding, Utf8IsValidatedAlike) {
  EXPECT_EQ(converted("a\xe3\x81\x82", E::utf8, E::utf8), "a\xe3\x81\x82");
  EXPECT_EQ(converted("\xef\xbf\xbe", E::utf8, E::utf8), "\xef\xbf\xbe");  // a noncharacter is still UTF-8
  EXPECT_EQ(converted("ab\xed\xa0\x80", E::utf8, E::utf8), "error at 2");   // a surrogate
  EXPECT_EQ(converted("ab\xc0\xaf", E::utf8, E::utf8), "error at 2");       // overlong
  EXPECT_EQ(converted("ab\xf4\x90\x80\x80", E::utf8, E::utf8), "error at 2");  // beyond U+10FFFF
  EXPECT_EQ(converted("ab\xe3\x81", E::utf8, E::utf8), "error at 2");       // cut
  EXPECT_EQ(converted("a\x80z", E::utf8, E::utf8), "error at 1");           // lone continuation byte
}

TEST(TextEncoding, NothingIsSubstitutedWhenWritingShiftJis) {
  // Characters code page 932 lacks, and those the systems map one way only:
  // ¥ U+00A5 and ‾ U+203E (glibc writes 0x5C / 0x7E), 〜 U+301C, − U+2212,
  // ¢ U+00A2 (glibc writes the fullwidth forms' codes), U+0080, and the
  // Windows-only single-byte private-use characters U+F8F0..U+F8F3.
  for (const char* text : {"ab\xf0\x9f\x98\x80", "ab\xc2\xa5", "ab\xe2\x80\xbe", "ab\xe3\x80\x9c", "ab\xe2\x88\x92",
                           "ab\xc2\xa2", "ab\xc2\x80", "ab\xef\xa3\xb0", "ab\xef\xa3\xb3"})
    EXPECT_EQ(converted(text, E::utf8, E::shiftJis), "error at 2") << text;
  EXPECT_EQ(converted("ab\xe3\x81", E::utf8, E::shiftJis), "error at 2");  // invalid UTF-8
}

}  // namespace
}  // namespace ps::platform
