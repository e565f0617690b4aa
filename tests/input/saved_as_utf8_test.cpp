#include "input/saved_as_utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/text_encoding.h"
#include "support/test_support.h"
#include "text/shift_jis.h"

namespace ps {
namespace {

std::string example(const char* name) { return test::readFile(test::examplesDir() + "/" + name); }

std::string asUtf8(const std::string& sjis) {
  return platform::convertText(sjis, platform::Encoding::shiftJis, platform::Encoding::utf8).text;
}

std::optional<int> utf8Line(const std::string& bytes) {
  const std::optional<Utf8Signs> signs = savedAsUtf8(bytes);
  return signs ? std::optional<int>(signs->line) : std::nullopt;
}

// The example's files as Notepad saves them by default: UTF-8, and with a
// byte order mark (older Notepads).
TEST(SavedAsUtf8, TheExampleSavedAsUtf8IsFoundOnItsFirstUtf8Line) {
  for (const char* name : {"Tesmo.dat", "temp.cd5", "GasouT.dat"}) EXPECT_FALSE(savedAsUtf8(example(name))) << name;
  // The annotations on lines 63 to 65 are the only Japanese of Tesmo.dat,
  // and in UTF-8 they happen to be valid Shift-JIS as well.
  const std::string profile = asUtf8(example("Tesmo.dat"));
  EXPECT_TRUE(platform::isValidShiftJis(profile));
  EXPECT_EQ(utf8Line(profile), 63);
  EXPECT_EQ(utf8Line(asUtf8(example("temp.cd5"))), 1);
  // GasouT.dat is ASCII: the same in both.
  EXPECT_FALSE(savedAsUtf8(asUtf8(example("GasouT.dat"))));

  for (const char* name : {"Tesmo.dat", "temp.cd5", "GasouT.dat"}) {
    const std::optional<Utf8Signs> signs = savedAsUtf8("\xEF\xBB\xBF" + example(name));
    ASSERT_TRUE(signs) << name;
    EXPECT_TRUE(signs->byteOrderMark) << name;
    EXPECT_EQ(signs->line, 1) << name;
  }
}

TEST(SavedAsUtf8, ShiftJisThatLooksLikeUtf8StaysShiftJis) {
  // Half-width kana ﾄｷ (0xC4 0xB7) is also the 2-byte UTF-8 of U+0137.
  EXPECT_FALSE(savedAsUtf8("7,10.0,\"\xC4\xB7\"\r\n"));
  // A 2-byte sequence that is no Shift-JIS (0x80 is not a character): U+00C0.
  EXPECT_EQ(utf8Line("a\rb\r\nc\n\xC3\x80"), 4);
  // Not valid UTF-8 anywhere: a lone continuation byte, an overlong form,
  // a surrogate, a sequence cut at the end of the file.
  for (const std::string bad : {"\xE6\x9B\xB2\x8B", "\xC0\xAF\xE6\x9B\xB2", "\xED\xA0\x80\xE6\x9B\xB2", "\xE6\x9B\xB2\xE6\x9B"})
    EXPECT_FALSE(savedAsUtf8(bad)) << bad;
  EXPECT_FALSE(savedAsUtf8(""));
  EXPECT_FALSE(savedAsUtf8("1,2,3\r\n"));
}

TEST(SavedAsUtf8, ARefusalComesFromTheEncodingOnlyOnALineThatShowsIt) {
  const std::string text = "\xEF\xBB\xBF" "1,2\r\n3,4\r\n\"\xE6\x9B\xB2\"\r\n";
  const Utf8Signs signs = *savedAsUtf8(text);
  EXPECT_TRUE(showsUtf8(text, signs, 1));   // the byte order mark
  EXPECT_FALSE(showsUtf8(text, signs, 2));  // ASCII
  EXPECT_TRUE(showsUtf8(text, signs, 3));   // UTF-8 text
  EXPECT_FALSE(showsUtf8(text, signs, 4));  // past the end

  EXPECT_EQ(savedAsUtf8Message("temp.cd5", {false, 2}),
            std::string("temp.cd5") + sjis::kSavedAsUtf8 + sjis::kSaveAsShiftJis);
  EXPECT_EQ(savedAsUtf8Message("Tesmo.dat", signs), std::string("Tesmo.dat") + sjis::kSavedAsUtf8WithBom + sjis::kSaveAsShiftJis);
}

}  // namespace
}  // namespace ps
