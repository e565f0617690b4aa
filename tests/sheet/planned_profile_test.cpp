#include <gtest/gtest.h>

#include "sheet/sheet.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::addVip;
using test::only;
using test::SheetFixture;

// One band row: the profile origin is (170, 82); 1 m of height is 10 mm.
// Stations No.0..No.10 every 20 m; grades +2 % and -1 % meet at chainage
// 100 in a crest curve of 40 m.
struct Profile : SheetFixture {
  explicit Profile(double middleHeight = 12.0, double curveLength = 40.0) {
    bandRows({"x"});
    test::addStations(data.stations, 0, 10);
    addVip(data.vips, 0, 0.0, 10.0, 0.0);
    addVip(data.vips, 5, 0.0, middleHeight, curveLength);
    addVip(data.vips, 10, 0.0, middleHeight - 1, 0.0);
  }
};

TEST(PlannedProfile, CrestCurveWithDimensionRadiusAndStationOffsets) {
  Profile f;
  drawPlannedProfile(f.sheet());
  const auto e = f.entities();
  // Markers and grade lines, ten chords, two arrowheads, the dimension line,
  // length and radius, then line and offset per station in the curve.
  EXPECT_EQ(test::kinds(e), "LLLLL" "LLLLLLLLLL" "LLLLL" "TT" "LTLTLT");
  EXPECT_EQ(std::vector<std::string>(e.begin(), e.begin() + 5),
            (std::vector<std::string>{"L 170.000,82.000 170.000,82.000", "L 270.000,92.000 270.000,102.000",
                                      "L 170.000,82.000 270.000,102.000", "L 370.000,87.000 370.000,92.000",
                                      "L 270.000,102.000 370.000,92.000"}));
  EXPECT_EQ(e[5], "L 250.000,98.000 254.000,98.740");
  EXPECT_EQ(e[14], "L 286.000,100.340 290.000,100.000");
  EXPECT_EQ(std::vector<std::string>(e.begin() + 15, e.begin() + 20),
            (std::vector<std::string>{"L 290.000,91.250 288.000,91.786", "L 290.000,91.250 288.000,90.714",
                                      "L 250.000,91.250 252.000,91.786", "L 250.000,91.250 252.000,90.714",
                                      "L 250.000,91.250 290.000,91.250"}));
  EXPECT_EQ(only(e, 'T'), (std::vector<std::string>{"T 258.0,92.3 VCL= 40.000 m", "T 258.0,87.3 VCR= -1333 m",
                                                    "T 249.0,92.6 y= 0.000 m", "T 269.0,93.9 y= 0.150 m",
                                                    "T 289.0,93.6 y= 0.000 m"}));
  EXPECT_EQ(e[22], "L 250.000,98.000 250.000,91.250");
  EXPECT_EQ(e[24], "L 270.000,100.500 270.000,91.250");
  EXPECT_EQ(f.memory.drawing.pen.layerName, "D-STR");
}

TEST(PlannedProfile, CurveLengthZeroDrawsOnlyMarkersAndGradeLines) {
  Profile f(12.0, 0.0);
  drawPlannedProfile(f.sheet());
  EXPECT_EQ(test::kinds(f.entities()), "LLLLL");
}

TEST(PlannedProfile, EqualGradesShowAnInfiniteRadius) {
  Profile f(12.0, 40.0);
  f.data.vips.height[3] = 14.0;
  drawPlannedProfile(f.sheet());
  const auto t = only(f.entities(), 'T');
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[1], "T 258.0,88.0 VCR=   inf m");
  EXPECT_EQ(t[3], "T 269.0,95.0 y= 0.000 m");
}

TEST(PlannedProfile, AStationAtTheEndOfACurveTakesItsOffsetFromThatCurve) {
  // The next VIP's tangent would give +0.000 where the curve gives -0.000.
  SheetFixture f;
  f.bandRows({"x"});
  test::addStations(f.data.stations, 0, 5);
  addVip(f.data.vips, 0, 0.0, 10.0, 0.0);
  addVip(f.data.vips, 2, 0.0, 12.9, 40.0);  // curve from No.1 to No.3
  addVip(f.data.vips, 5, 0.0, 10.7, 0.0);
  drawPlannedProfile(f.sheet());
  const auto t = only(f.entities(), 'T');
  ASSERT_EQ(t.size(), 2u + 3);
  EXPECT_EQ(t.back().substr(t.back().find(' ', 2) + 1), "y= -0.000 m");
}

TEST(PlannedProfile, ASheetOfASetDrawsTheGradeLineOverItsOwnStretch) {
  // The sheet lists No.3 to No.6 (x 170 to 230) of a road whose VIPs are
  // No.0, No.5 with a 60 m crest curve (chainage 10 to 70 here) and No.10.
  SheetFixture f;
  f.continuation.emplace();
  f.bandRows({"x"});
  test::addStations(f.data.stations, 3, 6);
  addVip(f.data.vips, 0, 0.0, 10.0, 0.0);
  addVip(f.data.vips, 5, 0.0, 12.0, 60.0);
  addVip(f.data.vips, 10, 0.0, 11.0, 0.0);
  drawPlannedProfile(f.sheet());
  const auto e = f.entities();
  // No marker for the VIPs beyond the edges; the grades cut there; ten
  // chords over the curve's part on the sheet; an arrowhead only at the
  // curve's begin; the dimension line halfway up to the curve at the middle
  // of that part (chainage 35, height 11.744 m).
  EXPECT_EQ(test::kinds(e), "LLL" "LLLLLLLLLL" "LLL" "TT" "LTLTLT");
  EXPECT_EQ(std::vector<std::string>(e.begin(), e.begin() + 4),
            (std::vector<std::string>{"L 210.000,92.000 210.000,102.000", "L 170.000,94.000 210.000,102.000",
                                      "L 210.000,102.000 230.000,100.000", "L 180.000,96.000 185.000,96.938"}));
  EXPECT_EQ(e[12], "L 225.000,99.938 230.000,99.750");
  EXPECT_EQ(std::vector<std::string>(e.begin() + 13, e.begin() + 18),
            (std::vector<std::string>{"L 180.000,90.719 182.000,91.255", "L 180.000,90.719 182.000,90.183",
                                      "L 180.000,90.719 230.000,90.719", "T 193.0,91.7 VCL= 60.000 m",
                                      "T 193.0,86.7 VCR= -2000 m"}));
  EXPECT_EQ(e.back(), "T 229.0,93.2 y= 0.025 m");
}

TEST(PlannedProfile, ArrowheadWritesTwoBarbsFromTheTip) {
  test::MemoryDrawing m;
  m.drawing.pen = PenState{"D-STR", 3, 0.25};
  drawArrowhead(m.drawing, 0, 0, 10, 0, -2, 0.5);
  auto line = [](std::string_view y2) {
    return test::dxfLines({"LINE", "8", "D-STR", "62", "3", "39", "0.250", "10", "10.000", "20", "0.000", "30",
                           "0", "11", "8.000", "21", y2, "31", "0", "0"});
  };
  EXPECT_EQ(m.text(), line("0.500") + line("-0.500"));
  EXPECT_EQ(m.drawing.origin.x, 0.0);
  EXPECT_EQ(m.drawing.origin.y, 0.0);
}

}  // namespace
}  // namespace ps
