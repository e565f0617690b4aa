#include "input/band_row_list.h"

#include <gtest/gtest.h>

#include <string>

#include "text/shift_jis.h"

namespace ps {
namespace {

using namespace std::string_literals;

int read(const std::string& listFile, BandTitles& titles) {
  Scanner in(listFile, "temp.cd5");
  readBandRowList(in, titles);
  return titles.count;
}

TEST(BandRowList, RefusesLongTitlesAndIgnoresATwentyFirst) {
  BandTitles titles;
  EXPECT_EQ(read(std::string(19, 'x'), titles), 1);
  EXPECT_EQ(titles.word[0], std::string(19, 'x'));
  try {
    read("ok " + std::string(20, 'x'), titles);
    ADD_FAILURE() << "a 20-byte title was accepted";
  } catch (const InputRefused& refused) {
    EXPECT_EQ(refused.message, std::string("temp.cd5") + sjis::kBandTitleLimit);
  }

  std::string list;
  for (int k = 1; k <= 21; ++k) list += "t" + std::to_string(k) + "\n";
  EXPECT_EQ(read(list, titles), 20);
  EXPECT_EQ(titles.word[0], "t1");
  EXPECT_EQ(titles.word[19], "t20");
}

TEST(BandRowList, ATitleEndsAtItsFirstNulAndAnEmptyOneEndsTheList) {
  BandTitles titles;
  EXPECT_EQ(read("ab\0cd\r\nef\r\n\0gh\r\nij\r\n"s, titles), 2);
  EXPECT_EQ(titles.word[0], "ab");
  EXPECT_EQ(titles.word[1], "ef");
  EXPECT_EQ(titles.line[1], 2);
  // The limit counts the whole token.
  EXPECT_THROW(read("a\0"s + std::string(18, 'b'), titles), InputRefused);
  EXPECT_EQ(read("\0"s + std::string(18, 'b'), titles), 0);
}

}  // namespace
}  // namespace ps
