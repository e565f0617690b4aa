#include <gtest/gtest.h>

#include "text/shift_jis.h"
#include "sheet/sheet.h"
#include "support/sheet_fixture.h"

namespace ps {
namespace {

using test::only;
using test::SheetFixture;

// Row 1 (origin (170, 50)) of height 32: zero line at 16 mm, normal
// crossfall 2 % at 12 mm (mirrored 20 mm), 6 % at 28 or 4 mm; run-off 10 m
// at 1:1000, so 10 mm. Stations No.0..No.5 every 20 m.
struct Superelevation : SheetFixture {
  Superelevation() {
    data.header.bandRowHeight = 32;
    data.header.runOffLength = 10;
    data.header.normalCrossfall = 2;
    bandRows({sjis::kSuperelevationDiagram});
    test::addStations(data.stations, 0, 5);
  }
  void row(int startNumber, double startPlus, int endNumber, double superelevation, double radius) {
    SuperelevationTable& s = data.superelevations;
    ++s.count;
    s.startNumber[s.count] = startNumber;
    s.startPlus[s.count] = startPlus;
    s.endNumber[s.count] = endNumber;
    s.superelevation[s.count] = superelevation;
    data.curves.radius[s.count] = radius;
  }
  std::vector<std::string> side(char kind) {
    auto lines = only(entities(), kind);
    lines.erase(lines.begin());  // the legend's sample line
    return lines;
  }
};

TEST(SuperelevationDiagram, IsolatedRowRisesOnTheRightAndFallsLateOnTheLeft) {
  Superelevation f;
  f.row(2, 0.0, 3, 6.0, 150);  // full superelevation from x 40 to 60
  drawSuperelevationDiagram(f.sheet());
  EXPECT_EQ(f.entities(),
            (std::vector<std::string>{
                "L 170.000,66.000 270.000,66.000", "P 155,55 170,55",
                std::string("T 172.0,53.0 ") + sjis::kRightSide, "H 155,67 170,67",
                std::string("T 172.0,65.0 ") + sjis::kLeftSide,
                "P 170,62 200,62", "P 200,62 210,78", "P 210,78 230,78", "P 230,78 240,62",
                "T 217.0,78.5 i=6.0%", "T 182.0,62.5 i=-2.0%", "P 240,62 270,62",
                // Falling side: holds 2 % until x 35 (xa - 5), back at x 65.
                "H 170,62 205,62", "H 205,62 210,54", "H 210,54 230,54", "H 230,54 235,62", "H 235,62 270,62"}));
}

TEST(SuperelevationDiagram, ZeroPercentRowRisesToTheZeroLineOnBothSides) {
  Superelevation f;
  f.row(2, 0.0, 3, 0.0, 150);
  drawSuperelevationDiagram(f.sheet());
  // Full superelevation on the zero line is no falling side: plain ramps.
  const std::vector<std::string> ramps{"170,62 200,62", "200,62 210,66", "210,66 230,66", "230,66 240,62",
                                       "240,62 270,62"};
  for (char kind : {'P', 'H'}) {
    std::vector<std::string> want;
    for (const std::string& r : ramps) want.push_back(std::string(1, kind) + " " + r);
    EXPECT_EQ(f.side(kind), want) << kind;
  }
}

TEST(SuperelevationDiagram, RowsExactlyTwoRunOffsApartAreNotJoined) {
  Superelevation f;
  f.row(1, 0.0, 2, 6.0, 150);
  f.row(3, 0.0, 4, 6.0, 150);
  drawSuperelevationDiagram(f.sheet());
  EXPECT_EQ(f.side('P'), (std::vector<std::string>{"P 170,62 180,62", "P 180,62 190,78", "P 190,78 210,78",
                                                   "P 210,78 220,62", "P 220,62 220,62", "P 220,62 230,78",
                                                   "P 230,78 250,78", "P 250,78 260,62", "P 260,62 270,62"}));
}

TEST(SuperelevationDiagram, CloseRowsAreJoinedAtFullSuperelevation) {
  Superelevation f;
  f.row(1, 0.0, 2, 6.0, 150);
  f.row(2, 15.0, 4, 6.0, 150);  // starts 15 mm after the first ends
  drawSuperelevationDiagram(f.sheet());
  EXPECT_EQ(f.side('P'), (std::vector<std::string>{"P 170,62 180,62", "P 180,62 190,78", "P 190,78 210,78",
                                                   "P 210,78 225,78", "P 225,78 225,78", "P 225,78 225,78",
                                                   "P 225,78 250,78", "P 250,78 260,62", "P 260,62 270,62"}));
  EXPECT_EQ(f.side('H'), (std::vector<std::string>{"H 170,62 185,62", "H 185,62 190,54", "H 190,54 210,54",
                                                   "H 210,54 225,54", "H 225,54 225,54", "H 225,54 225,54",
                                                   "H 225,54 250,54", "H 250,54 255,62", "H 255,62 270,62"}));
  const auto t = only(f.entities(), 'T');
  EXPECT_EQ(std::vector<std::string>(t.begin() + 2, t.end()),
            (std::vector<std::string>{"T 197.0,78.5 i=6.0%", "T 172.0,62.5 i=-2.0%", "T 234.5,78.5 i=6.0%",
                                      "T 222.0,78.5 i=-2.0%"}));
}

TEST(SuperelevationDiagram, ZeroRadiusMakesTheRightSideFall) {
  Superelevation f;
  f.row(2, 0.0, 3, 6.0, 0);
  drawSuperelevationDiagram(f.sheet());
  EXPECT_EQ(f.side('P'), (std::vector<std::string>{"P 170,62 205,62", "P 205,62 210,54", "P 210,54 230,54",
                                                   "P 230,54 235,62", "P 235,62 270,62"}));
  EXPECT_EQ(f.side('H')[1], "H 200,62 210,78");
  EXPECT_EQ(only(f.entities(), 'T')[2], "T 217.0,54.5 i=6.0%");
}

TEST(SuperelevationDiagram, NoRowsDrawNormalCrossfallAndAMissingRowNothing) {
  Superelevation f;
  drawSuperelevationDiagram(f.sheet());
  const auto e = f.entities();
  ASSERT_EQ(e.size(), 7u);
  EXPECT_EQ(e[5], "P 170,62 270,62");
  EXPECT_EQ(e[6], "H 170,62 270,62");

  Superelevation missing;
  missing.bandRows({sjis::kCurvatureDiagram});
  missing.row(2, 0.0, 3, 6.0, 150);
  drawSuperelevationDiagram(missing.sheet());
  EXPECT_EQ(missing.memory.text(), "");
}

}  // namespace
}  // namespace ps
