#include "platform/console.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace ps
