#include "import/vertical_curves.h"

#include <gtest/gtest.h>

#include "import/mapping_refused.h"

namespace ps::import {
namespace {

// Stations No.39+5 and No.40 to No.42 at 20 m, as a sheet after the
// equation of road-utf8 starts; the VIPs given.
SheetTables sheetWith(std::vector<VipRow> vips) {
  SheetTables t;
  t.stations = {{{39, 5.0}, 0, 0}, {{40, 0.0}, 0, 15}, {{41, 0.0}, 0, 20}, {{42, 0.0}, 0, 20}};
  t.vips = std::move(vips);
  return t;
}

// The cut curve of road-utf8's fourth sheet: its VIP at chainage
// 15 + 9.3685 and its length twice that, which the generator's sum puts a
// hair before chainage 0. Two micrometres off its length settle it.
TEST(VerticalCurves, ShortensACurveThatRoundingPutsPastItsNeighbour) {
  SheetTables t = sheetWith({{{39, 5.0}, 65.97, 0}, {{40, 9.3685}, 66.5, 48.737}, {{42, 0.0}, 66.0, 0}});
  ASSERT_LT(15.0 + (9.3685 - 0.0) - 48.737 / 2, 0.0);
  settleVerticalCurves(t, 20);
  EXPECT_EQ(t.vips[1].curveLength, 48.736998);
  EXPECT_GE(15.0 + (9.3685 - 0.0) - t.vips[1].curveLength / 2, 0.0);
  // A curve that fits is left alone.
  SheetTables fits = sheetWith({{{39, 5.0}, 65.97, 0}, {{41, 0.0}, 66.5, 40}, {{42, 0.0}, 66.0, 0}});
  settleVerticalCurves(fits, 20);
  EXPECT_EQ(fits.vips[1].curveLength, 40.0);
  // VIPs beyond the sheet's ends lie where station arithmetic puts them, as
  // the generator places them on a sheet of a set: No.38 at 0 - 20 - 5 =
  // -25 and No.44 at 55 + 40 = 95, clear of the curve from 25 to 65.
  SheetTables beyond = sheetWith({{{38, 0.0}, 65.9, 0}, {{41, 10.0}, 66.5, 40}, {{44, 0.0}, 66.0, 0}});
  settleVerticalCurves(beyond, 20);
  EXPECT_EQ(beyond.vips[1].curveLength, 40.0);
  beyond.vips[1].curveLength = 130.0;  // from -20 to 110: past No.44
  EXPECT_THROW(settleVerticalCurves(beyond, 20), MappingRefused);
}

TEST(VerticalCurves, RefusesCurvesThatOverlapByMoreThanRounding) {
  SheetTables t = sheetWith({{{39, 5.0}, 65.97, 0}, {{40, 9.0}, 66.5, 30}, {{41, 5.0}, 66.2, 20}, {{42, 0.0}, 66.0, 0}});
  try {
    settleVerticalCurves(t, 20);
    ADD_FAILURE();
  } catch (const MappingRefused& refused) {
    EXPECT_EQ(refused.kind, MappingRefused::Kind::designCurvesOverlap);
    EXPECT_EQ(refused.at, (StationLabel{40, 9.0}));
  }
  SheetTables backwards = sheetWith({{{39, 5.0}, 65.97, 0}, {{40, 9.0}, 66.5, 0}, {{40, 8.0}, 66.2, 0}});
  EXPECT_THROW(settleVerticalCurves(backwards, 20), MappingRefused);
}

}  // namespace
}  // namespace ps::import
