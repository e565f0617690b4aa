#include <gtest/gtest.h>

#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::SheetFixture;

// Profile origin (170, 82); 1:1000 both ways; a level planned line at the
// datum height, so the grade line lies on y = 0 of the profile view.
struct Annotations : SheetFixture {
  Annotations() {
    data.header.verticalScale = 1000;
    bandRows({"x"});
    test::addStation(data.stations, 12, 0.0, 0.0);
    test::addStation(data.stations, 13, 0.0, 20.0);
    test::addVip(data.vips, 12, 0.0, 10.0, 0.0);
  }
  void note(int number, double plus, std::string text) {
    AnnotationTable& a = data.annotations;
    ++a.count;
    a.number[a.count] = number;
    a.plus[a.count] = plus;
    a.text[a.count] = std::move(text);
  }
};

TEST(PointAnnotations, LeaderTwoMillimetresAboveTheGradeLineWithTextAndStation) {
  Annotations f;
  f.note(12, 5.5, "BP");
  f.note(12, 0.0, "");
  selectLayer(f.memory.drawing, "D-TTL-BAND");  // as the curvature diagram leaves it
  drawPointAnnotations(f.sheet());
  EXPECT_EQ(f.entities(),
            (std::vector<std::string>{"L 175.500,84.000 175.500,104.000", "L 175.500,104.000 218.801,129.000",
                                      "T 175.5,106.0 BP", "T 179.5,101.5 NO.12+5.5",
                                      "L 170.000,84.000 170.000,104.000", "L 170.000,104.000 213.301,129.000",
                                      "T 170.0,106.0 ", "T 174.0,101.5 NO.12+0.0"}));
  // Both texts at 30 degrees, height 2.5 written as 2; aligned toward P2.
  const auto lines = f.memory.lines();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 72, lines.begin() + 104),
            test::splitLines(test::dxfLines({"TEXT", "8", "D-TTL-BAND", "39", "  0.0", "62", "7", "10", "179.5", "20",
                                             "101.5", "30", "0", "11", "181.5", "21", "104.0", "31", "0", "40", "2",
                                             "41", "  1.0", "50", " 30.0", "1", "NO.12+5.5", "7", "KANJI", "72",
                                             "0", "0"})));
}

TEST(PointAnnotations, NoRowsOnlySetTheOrigin) {
  Annotations f;
  drawPointAnnotations(f.sheet());
  EXPECT_EQ(f.memory.text(), "");
  EXPECT_EQ(f.memory.drawing.origin.x, 170.0);
  EXPECT_EQ(f.memory.drawing.origin.y, 82.0);
}

}  // namespace
}  // namespace ps
