#include "sheet/band_layout.h"

#include <gtest/gtest.h>

#include "text/shift_jis.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::SheetFixture;

BandRowList rowsFrom(const std::string& listFile, BandTitles& titles) {
  Scanner in(listFile, "temp.cd5");
  readBandRowList(in, titles);
  BandRowList rows;
  buildBandRowList(titles, rows);
  return rows;
}

TEST(BandLayout, ListIsReadTopFirstAndRowOneIsTheLastTitle) {
  BandTitles titles;
  const std::string list = std::string(sjis::kStationNumber) + "\r\n\n" + sjis::kGroundHeight + " \t" +
                           sjis::kPlannedHeight + "\n";
  const BandRowList rows = rowsFrom(list, titles);
  EXPECT_EQ(titles.count, 3);
  ASSERT_EQ(rows.count, 3);
  EXPECT_EQ(rows.title[3], sjis::kStationNumber);
  EXPECT_EQ(rows.title[2], sjis::kGroundHeight);
  EXPECT_EQ(rows.title[1], sjis::kPlannedHeight);
  EXPECT_EQ(findBandRow(rows, sjis::kStationNumber, rows.count), 3);
  EXPECT_EQ(findBandRow(rows, sjis::kPlannedHeight, rows.count), 1);

  const BandRowList empty = rowsFrom(" \n\n", titles);
  EXPECT_EQ(titles.count, 0);
  ASSERT_EQ(empty.count, 1);
  EXPECT_EQ(empty.title[1], "");
  EXPECT_EQ(findBandRow(empty, sjis::kStationNumber, 1), 0);
}

TEST(BandLayout, LookupMatchesTheFirstCharacterAndTheLowestRowWins) {
  BandTitles titles;
  // Two titles starting with the planned-height character (the second is
  // "\x8c\x76\x8e\x5a", 計算); the station title cut to its first character;
  // a one-byte title.
  const BandRowList rows = rowsFrom(std::string(sjis::kPlannedHeight) + " \x8c\x76\x8e\x5a " +
                                        std::string(sjis::kStationNumber, 2) + " A",
                                    titles);
  ASSERT_EQ(rows.count, 4);
  EXPECT_EQ(findBandRow(rows, sjis::kPlannedHeight, 4), 3);  // listed later, lower row
  EXPECT_EQ(findBandRow(rows, sjis::kStationNumber, 4), 2);
  EXPECT_EQ(findBandRow(rows, sjis::kStationNumber, 1), 0);  // only row 1 searched
  EXPECT_EQ(findBandRow(rows, sjis::kCurvatureDiagram, 4), 0);
  EXPECT_EQ(findBandRow(rows, "AB", 4), 0);                  // "A" never matches two bytes
}

TEST(BandLayout, CellsAndTitlesPerRowThenDataCells) {
  SheetFixture f;
  f.bandRows({"top", "bottom"});
  drawBandCells(f.sheet());
  const auto e = f.entities();
  EXPECT_EQ(test::kinds(e), "LLLLTLLLLTLLLLLLLL");
  // Row 2: cells from y 62 to 72, the title 15 mm left of the cell's centre.
  EXPECT_EQ(std::vector<std::string>(e.begin() + 5, e.begin() + 10),
            (std::vector<std::string>{"L 100.000,62.000 148.000,62.000", "L 148.000,62.000 148.000,72.000",
                                      "L 148.000,72.000 100.000,72.000", "L 100.000,72.000 100.000,62.000",
                                      "T 109.0,65.0 top"}));
  // Data cells end at 150 + 400 - 2.
  EXPECT_EQ(e[10], "L 150.000,50.000 548.000,50.000");
  EXPECT_EQ(e[15], "L 548.000,62.000 548.000,72.000");
  EXPECT_EQ(e[17], "L 150.000,72.000 150.000,62.000");

  const auto lines = f.memory.lines();
  const std::vector<std::string> title(lines.begin() + 4 * 20 + 32 + 4 * 20, lines.begin() + 4 * 20 + 64 + 4 * 20);
  EXPECT_EQ(title, test::splitLines(test::dxfLines({"TEXT", "8", "D-TTL-BAND", "39", "  0.0", "62", "7", "10",
                                                    "109.0", "20", " 65.0", "30", "0", "11", "124.0", "21",
                                                    " 65.0", "31", "0", "40", "3", "41", "  1.0", "50", "  0.0",
                                                    "1", "top", "7", "KANJI", "72", "0", "0"})));
}

}  // namespace
}  // namespace ps
