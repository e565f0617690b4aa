#include <gtest/gtest.h>

#include "text/shift_jis.h"
#include "sheet/sheet.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::addStation;
using test::only;
using test::SheetFixture;

struct StationRows : SheetFixture {
  StationRows() {
    addStation(data.stations, 11, -1.5, 0.0);  // chainage 0
    addStation(data.stations, 12, 0.0, 20.0);
    addStation(data.stations, 12, 12.5, 12.5);
    ground(12, 0.0, 123.4567);
    ground(12, 12.5, 5.0);
  }
};

TEST(StationRows, LabelsPerStationWithATickInEveryGap) {
  StationRows f;
  f.bandRows({sjis::kStationNumber, sjis::kGroundHeight, sjis::kPlannedHeight});
  drawStationRows(f.sheet());
  const auto e = f.entities();
  // Station labels in row 3 (y origin 74), ground heights in row 2 (62).
  EXPECT_EQ(e, (std::vector<std::string>{
                   "T 171.0,73.0 -1.500", "L 170.000,62.000 170.000,60.000", "L 170.000,74.000 170.000,72.000",
                   "T 191.0,73.0 No.12", "L 190.000,62.000 190.000,60.000", "L 190.000,74.000 190.000,72.000",
                   "T 203.5,73.0 +12.500", "L 202.500,62.000 202.500,60.000", "L 202.500,74.000 202.500,72.000",
                   "T 191.0,61.0 123.457", "T 203.5,61.0 5.000"}));

  const auto lines = f.memory.lines();
  const std::vector<std::string> label(lines.begin() + 32 + 40, lines.begin() + 64 + 40);
  EXPECT_EQ(label, test::splitLines(test::dxfLines({"TEXT", "8", "D-TTL-BAND", "39", "  0.0", "62", "7", "10",
                                                    "191.0", "20", " 73.0", "30", "0", "11", "192.0", "21",
                                                    " 73.0", "31", "0", "40", "2", "41", "  0.8", "50", " 90.0",
                                                    "1", "No.12", "7", "KANJI", "72", "0", "0"})));
}

TEST(StationRows, MissingKeysDrawOnePitchBelowRowOne) {
  StationRows f;
  f.bandRows({"x"});  // one row: no ticks at all
  f.data.groundPoints.count = 1;
  drawStationRows(f.sheet());
  EXPECT_EQ(f.entities(), (std::vector<std::string>{"T 171.0,37.0 -1.500", "T 191.0,37.0 No.12",
                                                    "T 203.5,37.0 +12.500", "T 191.0,37.0 123.457"}));
}

TEST(StationRows, PlusPointLabelsAndNoGround) {
  StationRows f;
  f.bandRows({sjis::kStationNumber});
  f.data.stations.plus[2] = 1.5;
  f.data.groundPoints.count = 0;
  drawStationRows(f.sheet());
  EXPECT_EQ(only(f.entities(), 'T'),
            (std::vector<std::string>{"T 171.0,49.0 -1.500", "T 191.0,49.0 +1.500", "T 203.5,49.0 +12.500"}));
}

}  // namespace
}  // namespace ps
