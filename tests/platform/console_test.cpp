#include "platform/console.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"

namespace ps {
namespace {

TEST(Console, EndsEachLineWithThePlatformsLineEnd) {
#ifdef _WIN32
  EXPECT_EQ(consoleText("can't create GasouT.dat\n"), "can't create GasouT.dat\r\n");
  EXPECT_EQ(consoleText("a\nb\n"), "a\r\nb\r\n");
#else
  EXPECT_EQ(consoleText("can't create GasouT.dat\n"), "can't create GasouT.dat\n");
  EXPECT_EQ(consoleText("a\nb\n"), "a\nb\n");
#endif
  // Shift-JIS text passes byte for byte, a trail byte that reads as ASCII included.
  const std::string japanese = "\x95\x5c\x8e\xa6\n";  // 表示
  EXPECT_EQ(consoleText(japanese), std::string("\x95\x5c\x8e\xa6") + kConsoleLineEnd);
  EXPECT_EQ(consoleText(""), "");
}

// Explorer opens a console of its own for a program it starts, and closes
// it when the program ends; from a prompt the console holds the prompt too.
TEST(Console, WaitsForAKeyOnlyInAConsoleOfItsOwn) {
  EXPECT_TRUE(waitsBeforeClosing(1, true));
  EXPECT_FALSE(waitsBeforeClosing(2, true));  // cmd or PowerShell and the program
  EXPECT_FALSE(waitsBeforeClosing(1, false));  // input from a pipe or a file: no key to wait for
  EXPECT_FALSE(waitsBeforeClosing(0, true));  // no console at all
}

#ifdef _WIN32
TEST(Console, ShiftJisReachesTheConsoleAsUtf16) {
  EXPECT_EQ(platform::shiftJisToWide("\x95\x5c\x8e\xa6 No.5\r\n"), L"\u8868\u793a No.5\r\n");  // 表示
  EXPECT_EQ(platform::wideArgumentToUtf8(L"\u7e26\u65ad\u56f3 \U0001F600"), "\xE7\xB8\xA6\xE6\x96\xAD\xE5\x9B\xB3 \xF0\x9F\x98\x80");
}
#else
// What a terminal gets, by the locale's character set.
TEST(Console, ATerminalGetsItsOwnCharacterSet) {
  const std::string sjis = "Tesmo.dat\x82\xcc 4 \x8d\x73\x96\xda\n";  // Tesmo.datの 4 行目
  EXPECT_EQ(platform::shiftJisForTerminal(sjis, "UTF-8"), "Tesmo.dat\xE3\x81\xAE 4 \xE8\xA1\x8C\xE7\x9B\xAE\n");
  EXPECT_EQ(platform::shiftJisForTerminal(sjis, "EUC-JP"), "Tesmo.dat\xA4\xCE 4 \xB9\xD4\xCC\xDC\n");
  // A character set without Japanese (the C locale's): one '?' per character.
  EXPECT_EQ(platform::shiftJisForTerminal(sjis, "ANSI_X3.4-1968"), "Tesmo.dat? 4 ??\n");
  // Shift-JIS terminals take the bytes; a set iconv does not know gets them too.
  EXPECT_EQ(platform::shiftJisForTerminal(sjis, "SHIFT_JIS"), sjis);
  EXPECT_EQ(platform::shiftJisForTerminal(sjis, "no-such-charset"), sjis);
  // Bytes that are no Shift-JIS (a lead byte at the end, 0xFF) become '?' and the rest converts.
  EXPECT_EQ(platform::shiftJisForTerminal("a\xFF" "b\x82", "UTF-8"), "a?b?");
  EXPECT_EQ(platform::shiftJisForTerminal("", "UTF-8"), "");
}
#endif

}  // namespace
}  // namespace ps
