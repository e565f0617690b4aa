#include <gtest/gtest.h>

#include "sheet/sheet.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::only;
using test::SheetFixture;

// One band row: the datum line lies at y = 50 + 12 + 20 = 82. Levels every
// 5 m over a datum of 10 m at 1:100 are 50 mm apart.
struct Frame : SheetFixture {
  Frame() {
    bandRows({"x"});
    test::addStations(data.stations, 0, 5);
  }
};

TEST(ProfileFrame, ScalesDatumAndLabelledLevels) {
  Frame f;
  drawProfileFrame(f.sheet());
  const auto e = f.entities();
  EXPECT_EQ(only(e, 'T'), (std::vector<std::string>{"T 108.0,84.5 1: 1000", "T 118.9,93.5 1:  100",
                                                    "T 107.5,82.5 DL= 10.000 m", "T 135.0,132.5 15.000",
                                                    "T 135.0,182.5 20.000"}));
  // Datum line, axis, the scale triangle, 5 minor ticks, level 1, 5 minor
  // ticks, level 2 (at the top of the axis); level 3 would lie at 150 mm.
  ASSERT_EQ(only(e, 'L').size(), 17u);
  EXPECT_EQ(e[0], "L 100.000,82.000 550.000,82.000");
  EXPECT_EQ(e[1], "L 150.000,82.000 150.000,182.000");
  EXPECT_EQ(e[2], "L 105.000,89.000 114.400,89.000");
  EXPECT_EQ(e[12], "L 145.000,132.000 150.000,132.000");
  EXPECT_EQ(e[13], "L 135.000,132.000 150.000,132.000");
  EXPECT_EQ(e[20], "L 135.000,182.000 150.000,182.000");
  EXPECT_EQ(test::kinds(e), "LLLLLTTTLLLLLLTLLLLLLT");
  EXPECT_EQ(elevationLevelCount(f.data.header, 1000), 2);
}

TEST(ProfileFrame, LevelOneIsDrawnAboveAShortAxis) {
  Frame f;
  f.data.header.profileViewHeight = 40;
  drawProfileFrame(f.sheet());
  const auto e = f.entities();
  EXPECT_EQ(test::kinds(e), "LLLLLTTTLLLLLLT");
  EXPECT_EQ(e.back(), "T 135.0,132.5 15.000");
  EXPECT_EQ(elevationLevelCount(f.data.header, 1000), 1);
  EXPECT_EQ(elevationLevelCount(f.data.header, 0), 1);
}

TEST(ProfileFrame, GroundLineWithDropLinesFromTheDatum) {
  Frame f;
  f.ground(0, 0.0, 12.0);
  f.ground(1, 10.0, 18.0);
  f.ground(3, 0.0, 8.0);  // below the datum
  drawProfileFrame(f.sheet());
  const auto e = f.entities();
  EXPECT_EQ(f.memory.drawing.pen.layerName, "D-BGD");
  EXPECT_EQ(std::vector<std::string>(e.begin() + 22, e.begin() + 27),
            (std::vector<std::string>{"L 170.000,82.000 170.000,102.000", "L 200.000,82.000 200.000,162.000",
                                      "L 170.000,102.000 200.000,162.000", "L 230.000,82.000 230.000,62.000",
                                      "L 200.000,162.000 230.000,62.000"}));
}

TEST(ProfileFrame, GridRunsUnderTheGroundOnly) {
  Frame f;
  f.ground(0, 0.0, 12.0);
  f.ground(1, 10.0, 18.0);  // rises through level 1 (15 m)
  f.ground(3, 0.0, 12.0);   // falls through it again
  f.ground(4, 0.0, 15.0);   // ends exactly on it: nothing
  drawProfileFrame(f.sheet());
  EXPECT_EQ(only(f.entities(), 'H'), (std::vector<std::string>{"H 185,132 200,132", "H 200,132 215,132"}));
}

TEST(ProfileFrame, GroundBetweenLevelsThreeAndFourFillsLevelsOneToThree) {
  Frame f;
  f.ground(0, 0.0, 26.0);
  f.ground(1, 0.0, 28.0);
  f.ground(2, 0.0, 27.0);
  drawProfileFrame(f.sheet());
  EXPECT_EQ(only(f.entities(), 'H'),
            (std::vector<std::string>{"H 170,132 190,132", "H 190,132 210,132", "H 170,182 190,182",
                                      "H 190,182 210,182", "H 170,232 190,232", "H 190,232 210,232"}));
}

TEST(ProfileFrame, GridHasTwentyLevelsAndALevelThroughAPointCountsAsUnderIt) {
  Frame f;
  f.ground(0, 0.0, 111.0);  // above level 20 (110 m), whatever the axis shows
  f.ground(1, 0.0, 112.0);
  f.ground(2, 0.0, 15.0);   // exactly on level 1, coming down from above
  drawProfileFrame(f.sheet());
  const auto h = only(f.entities(), 'H');
  // Levels 1 to 20 under the first pair; the second pair crosses levels 2
  // to 20 and lies wholly on or above level 1.
  ASSERT_EQ(h.size(), 20u + 20);
  EXPECT_EQ(h[0], "H 170,132 190,132");
  EXPECT_EQ(h[1], "H 190,132 210,132");
  EXPECT_EQ(h[38], "H 170,1082 190,1082");
  EXPECT_EQ(h[39], "H 190,1082 190,1082");  // from the point to the crossing 0.4 mm on
}

}  // namespace
}  // namespace ps
