// The station-number row with its ticks through the band stack, and the
// ground-height row.
#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps {

void drawStationRows(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const ProfileData& data = sheet.data;
  const HeaderValues& h = sheet.header;
  const int n = sheet.rows.count;
  const int height = textHeight(h.valueTextHeight);
  const double yl = h.bandRowHeight / 2 - 6;

  selectLayer(d, "D-TTL-BAND");
  const int r = findBandRow(sheet.rows, sjis::kStationNumber, n);
  const StationTable& stations = data.stations;
  for (int i = 1; i <= stations.count; ++i) {
    sheet.setRowOrigin(r);
    const double xs = sheet.stationRowX(i);
    const double plus = stations.plus[i];
    std::string text;
    if (plus == 0)
      text = "No." + formatInt(stations.number[i]);
    else if (plus > 0)
      text.append("+").append(fixed(plus, 5, 3));
    else
      text = fixed(plus, 5, 3);
    const double xl = xs + 1;
    penLabel(d, xl, yl, xl + 1, yl, height, 90, text, h.valueTextWidth);
    // A tick in every gap: from the bottom of row j + 1 down to row j.
    for (int j = 1; j <= n - 1; ++j) {
      sheet.setRowOrigin(j + 1);
      penPolyline(d, {{xs, 0}, {xs, -h.bandRowGap}});
    }
  }

  const int g = findBandRow(sheet.rows, sjis::kGroundHeight, n);
  const GroundPointTable& ground = data.groundPoints;
  for (int i = 1; i <= ground.count; ++i) {
    const double chainage = sheet.chainage(ground.number[i], ground.plus[i]);
    // A sheet of a set labels only its own ground.
    if (sheet.cutsAtEdges() && !sheet.onSheet(chainage)) continue;
    sheet.setRowOrigin(g);
    const double xl = sheet.paperX(chainage) + 1;
    penLabel(d, xl, yl, xl + 1, yl, height, 90, fixed(ground.height[i], 5, 3), h.valueTextWidth);
  }
}

}  // namespace ps
