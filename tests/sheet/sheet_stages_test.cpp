#include <gtest/gtest.h>

#include "sheet/sheet.h"
#include "support/sheet_fixture.h"
#include "text/shift_jis.h"

namespace ps {
namespace {

// The layer of every entity, runs of one layer folded into "LAYER count".
std::vector<std::string> layerRuns(const std::vector<std::string>& lines) {
  std::vector<std::pair<std::string, int>> runs;
  for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
    const bool entity = lines[i] == "LINE" || lines[i] == "TEXT" || lines[i] == "CIRCLE";
    if (!entity || lines[i + 1] != "8") continue;
    if (runs.empty() || runs.back().first != lines[i + 2]) runs.push_back({lines[i + 2], 0});
    ++runs.back().second;
  }
  std::vector<std::string> out;
  for (const auto& [layer, count] : runs) out.push_back(layer + " " + std::to_string(count));
  return out;
}

TEST(SheetStages, EveryStepDrawsOnItsLayerWhateverTheStepBeforeLeft) {
  test::SheetFixture f;
  f.bandRows({sjis::kStationNumber, sjis::kGroundHeight, sjis::kPlannedHeight, sjis::kCutHeight, sjis::kFillHeight,
              sjis::kCumulativeDistance, sjis::kIntervalDistance, sjis::kGradeLine, sjis::kCurvatureDiagram,
              sjis::kSuperelevationDiagram});
  test::addStations(f.data.stations, 0, 4);
  for (int n = 0; n <= 4; ++n) f.ground(n, 0.0, 16.0 + n);
  test::addVip(f.data.vips, 0, 0.0, 16.0, 0.0);
  test::addVip(f.data.vips, 2, 0.0, 18.0, 20.0);
  test::addVip(f.data.vips, 4, 0.0, 17.0, 0.0);
  CurveTable& curves = f.data.curves;
  curves.count = 1;
  curves.fromNumber[1] = 1;
  curves.toNumber[1] = 3;
  curves.radius[1] = 300;
  SuperelevationTable& supers = f.data.superelevations;
  supers.count = 1;
  supers.startNumber[1] = 1;
  supers.endNumber[1] = 3;
  supers.superelevation[1] = 4;
  f.data.annotations.count = 1;
  f.data.annotations.number[1] = 2;
  f.data.annotations.text[1] = "BVC";

  drawBandFrameAndGround(f.sheet());
  drawPlannedProfileAndDiagrams(f.sheet());
  // Band cells (90) and the station (50) and ground (5) rows; the frame;
  // the ground line (9) and grid (4); the height and distance rows; the
  // planned profile (24) and the grade-line row (20); the curvature (13)
  // and superelevation (17) diagrams and the annotations (4).
  EXPECT_EQ(layerRuns(f.memory.lines()),
            (std::vector<std::string>{"D-TTL-BAND 145", "D-STR 22", "D-BGD 13", "D-TTL-BAND 20", "D-STR 44",
                                      "D-TTL-BAND 34"}));
}

}  // namespace
}  // namespace ps
