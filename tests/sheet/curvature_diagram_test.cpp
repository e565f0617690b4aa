#include <gtest/gtest.h>

#include "text/shift_jis.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::SheetFixture;

// Row 1 (origin (170, 50)) of height 20: the centre line at 10 mm; captions
// 2 mm high and apart. Stations No.0..No.4 every 20 m.
struct Curvature : SheetFixture {
  Curvature() {
    data.header.bandRowHeight = 20;
    data.header.curvatureTextHeight = 2;
    bandRows({sjis::kCurvatureDiagram});
    test::addStations(data.stations, 0, 4);
  }
  void curve(int from, int to, double radius) {
    CurveTable& c = data.curves;
    ++c.count;
    c.fromNumber[c.count] = from;
    c.toNumber[c.count] = to;
    c.radius[c.count] = radius;
  }
};

TEST(CurvatureDiagram, RaisedStepWithCaptionsHangingFromIt) {
  Curvature f;
  f.curve(1, 3, -300);  // 6 mm above the centre line, from x 20 to 60
  drawCurvatureDiagram(f.sheet());
  EXPECT_EQ(f.entities(),
            (std::vector<std::string>{
                "L 170.000,60.000 190.000,60.000", "L 190.000,60.000 190.000,66.000",
                "L 190.000,66.000 230.000,66.000", "L 230.000,66.000 230.000,60.000",
                "T 206.0,66.5 R=-300.0", "T 208.0,64.0 IP 1", "T 209.0,62.0 IA ", "T 206.0,60.0 R= 300.0",
                "T 209.0,58.0 CL ", "T 209.0,56.0 TL ", "T 209.0,54.0 SL ",
                std::string("T 178.0,60.5 ") + sjis::kStraightCaption, "L 230.000,60.000 250.000,60.000"}));
}

TEST(CurvatureDiagram, ZeroAndPositiveRadiiHangTheColumnFromTheRowTop) {
  Curvature f;
  f.curve(1, 2, 0);    // no step at all
  f.curve(2, 3, 150);  // begins where the first ends; 3 mm below
  drawCurvatureDiagram(f.sheet());
  const auto e = f.entities();
  EXPECT_EQ(test::kinds(e), "LLLLTTTTTTTT" "LLLLTTTTTTTT" "L");
  EXPECT_EQ(e[1], "L 190.000,60.000 190.000,60.000");
  EXPECT_EQ(std::vector<std::string>(e.begin() + 4, e.begin() + 8),
            (std::vector<std::string>{"T 198.0,60.5 R=0.0", "T 198.0,68.0 IP 1", "T 199.0,66.0 IA ",
                                      "T 197.0,64.0 R= 0.0"}));
  EXPECT_EQ(e[13], "L 210.000,60.000 210.000,57.000");
  EXPECT_EQ(std::vector<std::string>(e.begin() + 16, e.begin() + 18),
            (std::vector<std::string>{"T 217.0,55.0 R=150.0", "T 218.0,68.0 IP 2"}));
  EXPECT_EQ(e[23], std::string("T 208.0,60.5 ") + sjis::kStraightCaption);  // zero-length straight
}

TEST(CurvatureDiagram, NoCurvesDrawOneLineAndAMissingRowNothing) {
  Curvature f;
  drawCurvatureDiagram(f.sheet());
  EXPECT_EQ(f.entities(), (std::vector<std::string>{"L 170.000,60.000 250.000,60.000"}));

  SheetFixture missing;
  missing.bandRows({sjis::kPlannedHeight});
  test::addStations(missing.data.stations, 0, 4);
  selectLayer(missing.memory.drawing, "D-STR");
  drawCurvatureDiagram(missing.sheet());
  EXPECT_EQ(missing.memory.text(), "");
  EXPECT_EQ(missing.memory.drawing.pen.layerName, "D-TTL-BAND");
  EXPECT_EQ(missing.memory.drawing.pen.colour, 7);
}

// A sheet of a set from No.0 to No.4: curve 1 began at No.-1, curve 2 ends
// at No.5, past the sheet.
TEST(CurvatureDiagram, ASheetOfASetCutsItsCurvesAtTheEdgesAndKeepsEveryStepInTheRow) {
  Curvature f;
  f.continuation.emplace();
  f.curve(-1, 1, 3000);  // 0.4 x 20 x 400 / 3000 = 1.067 mm below the centre line
  f.curve(2, 5, -400);   // 8 mm above: the deepest step, 0.4 of the row
  // IA 12d34'59.96": the tenths of a second carry into the minute.
  f.continuation->curves[1] = CurveFacts{5, 12.583322222222222, 345.678, 180.0, 12.345};
  drawCurvatureDiagram(f.sheet());
  const std::string straight = sjis::kStraightCaption;
  EXPECT_EQ(f.entities(),
            (std::vector<std::string>{
                // From the edge: no straight before it, no step down at its start.
                "L 170.000,58.933 190.000,58.933", "L 190.000,58.933 190.000,60.000",
                // The captions centred on the curve's part on the sheet, x 170 to 190;
                // the road's IP number and curve facts.
                "T 176.0,56.9 R=3000.0", "T 178.0,68.0 IP 5",
                std::string("T 172.0,66.0 IA= 12") + sjis::kDegreeSign + "35'00.0\"", "T 176.0,64.0 R= 3000.0",
                "T 175.0,62.0 CL= 345.678", "T 175.0,60.0 TL= 180.000", "T 175.0,58.0 SL= 12.345",
                "L 190.000,60.000 210.000,60.000", "L 210.000,60.000 210.000,68.000",
                "L 210.000,68.000 250.000,68.000",
                // To the edge, with captions over x 210 to 250 and no facts in the file.
                "T 226.0,68.5 R=-400.0", "T 228.0,66.0 IP 2", "T 229.0,64.0 IA ", "T 226.0,62.0 R= 400.0",
                "T 229.0,60.0 CL ", "T 229.0,58.0 TL ", "T 229.0,56.0 SL ", "T 198.0,60.5 " + straight}));

  // Whole on the sheet, the last straight gets its caption too; a radius of
  // 3000 m on the other side stays inside the row just as well.
  Curvature whole;
  whole.continuation.emplace();
  whole.curve(1, 2, -3000);
  drawCurvatureDiagram(whole.sheet());
  const auto e = whole.entities();
  EXPECT_EQ(e[1], "L 190.000,60.000 190.000,61.067");
  EXPECT_EQ(std::vector<std::string>(e.end() - 3, e.end()),
            (std::vector<std::string>{"T 178.0,60.5 " + straight, "L 210.000,60.000 250.000,60.000",
                                      "T 228.0,60.5 " + straight}));
}

TEST(CurvatureDiagram, IntersectionAnglesInDegreesMinutesAndTenthsOfSeconds) {
  const std::string deg = sjis::kDegreeSign;
  EXPECT_EQ(degreesMinutesSeconds(0), "0" + deg + "00'00.0\"");
  EXPECT_EQ(degreesMinutesSeconds(12.5), "12" + deg + "30'00.0\"");
  EXPECT_EQ(degreesMinutesSeconds(90 + 1.0 / 60 + 2.34 / 3600), "90" + deg + "01'02.3\"");
  EXPECT_EQ(degreesMinutesSeconds(7 + 59.0 / 60 + 59.96 / 3600), "8" + deg + "00'00.0\"");
  EXPECT_EQ(degreesMinutesSeconds(359.99999), "360" + deg + "00'00.0\"");
}

}  // namespace
}  // namespace ps
