// Planned heights of the stations, then the planned height, cut, fill,
// cumulative distance and interval distance rows.
#include <array>
#include <cmath>
#include <optional>

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "text/shift_jis.h"

namespace ps {

namespace {

// A number of these rows, in the row whose origin is set: vertical, 1 mm
// right of its chainage.
void rowNumber(Sheet& sheet, double chainage, double y, double value) {
  const double x = sheet.paperX(chainage) + 1;
  penLabel(sheet.drawing, x, y, x + 1, y, textHeight(sheet.header.valueTextHeight), 90, fixed(value, 5, 3),
           sheet.header.valueTextWidth);
}

}  // namespace

void drawHeightDistanceRows(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const ProfileData& data = sheet.data;
  const StationTable& stations = data.stations;
  const GroundPointTable& ground = data.groundPoints;
  const auto& chainage = sheet.stationChainage;
  auto& planned = sheet.plannedHeight;
  const int n = sheet.rows.count;
  const double y = sheet.header.bandRowHeight / 2 - 6;

  for (int i = 1; i <= stations.count; ++i) planned[i] = sheet.planned(chainage[i]).elevation;

  selectLayer(d, "D-TTL-BAND");
  sheet.setRowOrigin(findBandRow(sheet.rows, sjis::kPlannedHeight, n));
  for (int i = 1; i <= stations.count; ++i) rowNumber(sheet, chainage[i], y, planned[i]);

  // The first station at exactly the ground point's chainage, or 0.
  auto stationAt = [&](double cg) {
    for (int j = 1; j <= stations.count; ++j)
      if (chainage[j] == cg) return j;
    return 0;
  };

  selectLayer(d, "D-TTL-BAND");
  sheet.setRowOrigin(findBandRow(sheet.rows, sjis::kCutHeight, n));
  for (int g = 1; g <= ground.count; ++g) {
    const double cg = sheet.chainage(ground.number[g], ground.plus[g]);
    const int j = stationAt(cg);
    if (j != 0 && ground.height[g] >= planned[j]) rowNumber(sheet, cg, y, ground.height[g] - planned[j]);
  }

  selectLayer(d, "D-TTL-BAND");
  sheet.setRowOrigin(findBandRow(sheet.rows, sjis::kFillHeight, n));
  for (int g = 1; g <= ground.count; ++g) {
    const double cg = sheet.chainage(ground.number[g], ground.plus[g]);
    const int j = stationAt(cg);
    if (j != 0 && ground.height[g] < planned[j]) rowNumber(sheet, cg, y, planned[j] - ground.height[g]);
  }

  sheet.setRowOrigin(findBandRow(sheet.rows, sjis::kCumulativeDistance, n));
  const Continuation* const c = sheet.continuation;
  const std::optional<FirstStation> first = c ? c->first : std::nullopt;
  std::array<double, kTableSlots + 1> cumulative{};
  if (first) {
    // A sheet of a set: the distance along the road, from the distance its
    // continuation gives for the first station, by the sheet's chainages.
    const double base = sheet.chainage(first->number, first->plus);
    for (int i = 1; i <= stations.count; ++i) {
      cumulative[i] = first->distance + (chainage[i] - base);
      // The road's zero prints 0.000, never -0.000 from a sum that misses
      // it by a rounding.
      if (std::fabs(cumulative[i]) < 0.0005) cumulative[i] = 0.0;
      rowNumber(sheet, chainage[i], sheet.header.bandRowHeight / 2 - 8, cumulative[i]);
    }
    selectLayer(d, "D-TTL-BAND");
    sheet.setRowOrigin(findBandRow(sheet.rows, sjis::kIntervalDistance, n));
    // From the station before, after the road's zero; to the station after,
    // before it; the neighbours beyond the sheet from the continuation. The
    // zero is a distance that prints as 0.000.
    const double next = c->last && c->last->next ? *c->last->next : 0.0;
    for (int i = 1; i <= stations.count; ++i) {
      double interval = 0.0;
      if (cumulative[i] <= -0.0005)
        interval = i < stations.count ? cumulative[i + 1] - cumulative[i] : next;
      else if (!(cumulative[i] < 0.0005))
        interval = i > 1 ? cumulative[i] - cumulative[i - 1] : first->previous;
      rowNumber(sheet, chainage[i], y, interval);
    }
    return;
  }

  // Cumulative distances from the zero station (No.0+0.0, else the first),
  // by station arithmetic.
  int z = 1;
  for (int i = 1; i <= stations.count; ++i) {
    if (stations.number[i] == 0 && stations.plus[i] == 0.0) {
      z = i;
      break;
    }
  }
  for (int i = 1; i <= stations.count; ++i) {
    // The difference of two station numbers is exact in 64 bits.
    const long long steps = static_cast<long long>(stations.number[i]) - stations.number[z];
    cumulative[i] = static_cast<double>(steps) * sheet.header.stationInterval + (stations.plus[i] - stations.plus[z]);
    rowNumber(sheet, chainage[i], sheet.header.bandRowHeight / 2 - 8, cumulative[i]);
  }

  selectLayer(d, "D-TTL-BAND");
  sheet.setRowOrigin(findBandRow(sheet.rows, sjis::kIntervalDistance, n));
  for (int i = 1; i <= stations.count; ++i) {
    double interval = 0.0;
    if (i < z)
      interval = cumulative[i + 1] - cumulative[i];
    else if (i > z)
      interval = cumulative[i] - cumulative[i - 1];
    rowNumber(sheet, chainage[i], y, interval);
  }
}

}  // namespace ps
