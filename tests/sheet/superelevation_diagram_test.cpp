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

// A sheet of a set from No.0 to No.5, with rows of its own lengths and sides.
struct SuperelevationOfSet : Superelevation {
  SuperelevationOfSet() { continuation.emplace(); }
  void row(int startNumber, double startPlus, int endNumber, double endPlus, double superelevation,
           std::optional<TransitionLengths> lengths) {
    Superelevation::row(startNumber, startPlus, endNumber, superelevation, 150);
    data.superelevations.endPlus[data.superelevations.count] = endPlus;
    continuation->transitions[data.superelevations.count] = lengths;
  }
};

TEST(SuperelevationDiagram, ASheetOfASetStartsInsideARunOffAndEndsInsideARunOut) {
  SuperelevationOfSet f;
  // Run-off from x -11 (before the sheet) to 5, full to 25, run-out to 35.
  f.row(0, 5.0, 1, 5.0, 6.0, TransitionLengths{16, 10, RaisedSide::right});
  // The left side rises, whatever the curve's sign; full from 60 to 95, run-out
  // to 115, past the sheet's end at 100.
  f.row(3, 0.0, 4, 15.0, 6.0, TransitionLengths{10, 20, RaisedSide::left});
  drawSuperelevationDiagram(f.sheet());
  const auto e = f.entities();
  // The legend's sample lines at a quarter and three quarters of the row.
  EXPECT_EQ(std::vector<std::string>(e.begin(), e.begin() + 5),
            (std::vector<std::string>{"L 170.000,66.000 270.000,66.000", "P 155,58 170,58",
                                      std::string("T 172.0,56.0 ") + sjis::kRightSide, "H 155,74 170,74",
                                      std::string("T 172.0,72.0 ") + sjis::kLeftSide}));
  // At the edges each side has the level its ramp has there: the right side
  // 11/16 up its run-off at x 0, the left still falling late (from x -3) at
  // 9, and at x 100 a quarter down its run-out of 20.
  EXPECT_EQ(f.side('P'), (std::vector<std::string>{"P 170,73 175,78", "P 175,78 195,78", "P 195,78 205,62",
                                                   "P 205,62 225,62", "P 225,62 230,54", "P 230,54 265,54",
                                                   "P 265,54 270,58"}));
  EXPECT_EQ(f.side('H'), (std::vector<std::string>{"H 170,59 175,54", "H 175,54 195,54", "H 195,54 200,62",
                                                   "H 200,62 220,62", "H 220,62 230,78", "H 230,78 265,78",
                                                   "H 265,78 270,74"}));
  // Labels over what of their stretch is on the sheet; none for the straight
  // before the sheet.
  const auto t = only(e, 'T');
  EXPECT_EQ(std::vector<std::string>(t.begin() + 2, t.end()),
            (std::vector<std::string>{"T 182.0,78.5 i=6.0%", "T 244.5,54.5 i=6.0%", "T 212.0,62.5 i=-2.0%"}));
}

TEST(SuperelevationDiagram, ASheetOfASetJoinsRowsWhoseOwnRampsOverlap) {
  SuperelevationOfSet f;
  // 40 - 25 < 20 + 15: joined, although 20 m apart with run-offs of 10 m.
  f.row(0, 10.0, 1, 0.0, 6.0, TransitionLengths{10, 15, std::nullopt});
  f.row(2, 0.0, 3, 0.0, 4.0, TransitionLengths{25, 10, std::nullopt});
  drawSuperelevationDiagram(f.sheet());
  // Straight from the first's end of full superelevation to the second's start.
  EXPECT_EQ(f.side('P'), (std::vector<std::string>{"P 170,62 170,62", "P 170,62 180,78", "P 180,78 190,78",
                                                   "P 190,78 210,74", "P 210,74 210,74", "P 210,74 210,74",
                                                   "P 210,74 230,74", "P 230,74 240,62", "P 240,62 270,62"}));
  EXPECT_EQ(f.side('H'), (std::vector<std::string>{"H 170,62 175,62", "H 175,62 180,54", "H 180,54 190,54",
                                                   "H 190,54 210,58", "H 210,58 210,58", "H 210,58 210,58",
                                                   "H 210,58 230,58", "H 230,58 233,62", "H 233,62 270,62"}));
  // No normal crossfall label where there is no straight; the last straight
  // gets one.
  const auto t = only(f.entities(), 'T');
  EXPECT_EQ(std::vector<std::string>(t.begin() + 2, t.end()),
            (std::vector<std::string>{"T 182.0,78.5 i=6.0%", "T 217.0,74.5 i=4.0%", "T 252.0,62.5 i=-2.0%"}));

  // A superelevation beyond the row's 8 % is cut to the row, above and below.
  SuperelevationOfSet steep;
  steep.row(2, 0.0, 3, 0.0, 12.0, std::nullopt);  // the run-off of header value 13, 10 m
  drawSuperelevationDiagram(steep.sheet());
  EXPECT_EQ(steep.side('P'), (std::vector<std::string>{"P 170,62 200,62", "P 200,62 207,82", "P 233,82 240,62",
                                                       "P 240,62 270,62"}));
  EXPECT_EQ(steep.side('H'), (std::vector<std::string>{"H 170,62 203,62", "H 203,62 207,50", "H 233,50 237,62",
                                                       "H 237,62 270,62"}));
}

}  // namespace
}  // namespace ps
