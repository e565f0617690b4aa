#include <gtest/gtest.h>

#include "text/shift_jis.h"
#include "sheet/sheet.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::addStation;
using test::addVip;
using test::SheetFixture;

// The row is row 1 (origin (170, 50)), its centre line and circle radius
// 5 mm. The station table places the VIPs 50 m apart, while the station
// arithmetic (interval 20 m) makes the first segment 95 m long.
struct GradeRow : SheetFixture {
  GradeRow() {
    bandRows({sjis::kGradeLine});
    addStation(data.stations, 2, 5.0, 0.0);
    addStation(data.stations, 7, 0.0, 50.0);
    addStation(data.stations, 12, 0.0, 50.0);
    addVip(data.vips, 2, 5.0, 10.0, 0.0);
    addVip(data.vips, 7, 0.0, 8.75, 0.0);   // falling 2.5 %
    addVip(data.vips, 12, 0.0, 8.75, 0.0);  // level
  }
};

TEST(GradeLineRow, CirclesHeightsAndSteppedSymbolsWithGradeAndLength) {
  GradeRow f;
  drawGradeLineRow(f.sheet());
  EXPECT_EQ(f.entities(),
            (std::vector<std::string>{
                "C 170.0,55.0 r5.0", "T 170.0,49.0 10.000", "C 220.0,55.0 r5.0", "T 220.0,49.0 8.750",
                "C 270.0,55.0 r5.0", "T 270.0,49.0 8.750",
                // Falling: the middle third runs from 4 mm above to 4 mm below.
                "L 175.000,55.000 188.333,55.000", "L 188.333,55.000 188.333,59.000",
                "L 188.333,59.000 201.667,51.000", "L 201.667,51.000 201.667,55.000",
                "L 201.667,55.000 215.000,55.000", "T 185.0,60.0 i= 2.500 %", "T 185.0,50.0 L= 95.000 m",
                // Level: drawn as rising.
                "L 225.000,55.000 238.333,55.000", "L 238.333,55.000 238.333,51.000",
                "L 238.333,51.000 251.667,59.000", "L 251.667,59.000 251.667,55.000",
                "L 251.667,55.000 265.000,55.000", "T 235.0,60.0 i= 0.000 %", "T 235.0,50.0 L= 100.000 m"}));
  EXPECT_EQ(f.memory.drawing.pen.layerName, "D-STR");
}

TEST(GradeLineRow, ASheetOfASetMarksItsOwnVipsAndLabelsCutGradesWithTheirWholeLength) {
  // The sheet lists No.4 to No.9 (x 170 to 270); the VIPs No.2+5.0 and
  // No.12 lie beyond it, No.7 on it.
  SheetFixture f;
  f.continuation.emplace();
  f.bandRows({sjis::kGradeLine});
  test::addStations(f.data.stations, 4, 9);
  addVip(f.data.vips, 2, 5.0, 10.0, 0.0);
  addVip(f.data.vips, 7, 0.0, 8.75, 0.0);
  addVip(f.data.vips, 12, 0.0, 8.75, 0.0);
  drawGradeLineRow(f.sheet());
  EXPECT_EQ(f.entities(),
            (std::vector<std::string>{
                "C 230.0,55.0 r5.0", "T 230.0,49.0 8.750",
                // From the edge to the circle, labelled with the whole 95 m.
                "L 170.000,55.000 188.333,55.000", "L 188.333,55.000 188.333,59.000",
                "L 188.333,59.000 206.667,51.000", "L 206.667,51.000 206.667,55.000",
                "L 206.667,55.000 225.000,55.000", "T 187.5,60.0 i= 1.316 %", "T 187.5,50.0 L= 95.000 m",
                // From the circle to the edge, 100 m.
                "L 235.000,55.000 246.667,55.000", "L 246.667,55.000 246.667,51.000",
                "L 246.667,51.000 258.333,59.000", "L 258.333,59.000 258.333,55.000",
                "L 258.333,55.000 270.000,55.000", "T 242.5,60.0 i= 0.000 %", "T 242.5,50.0 L= 100.000 m"}));
}

TEST(GradeLineRow, SingleVipDrawsCircleAndHeightOnly) {
  GradeRow f;
  f.data.vips.count = 1;
  drawGradeLineRow(f.sheet());
  EXPECT_EQ(f.entities(), (std::vector<std::string>{"C 170.0,55.0 r5.0", "T 170.0,49.0 10.000"}));
}

}  // namespace
}  // namespace ps
