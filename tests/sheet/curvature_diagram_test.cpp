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

}  // namespace
}  // namespace ps
