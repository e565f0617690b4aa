// The station-number row with its ticks through the band stack, and the
// ground-height row.
#include "dxf/entity_writers.h"
#include "dxf/number_format.h"
#include "dxf/shift_jis.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"

namespace ps {

void drawStationRows(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const ProfileData& data = sheet.data;
  const int n = sheet.rows.count;
  const int height = textHeight(sheet.hv(14));
  const double yl = sheet.hv(1) / 2 - 6;

  selectLayer(d, "D-TTL-BAND");
  const int r = findBandRow(sheet.rows, sjis::kStationNumber, n);
  const StationTable& stations = data.stations;
  for (int i = 1; i <= stations.count; ++i) {
    sheet.setRowOrigin(r);
    const double xs = sheet.stationX(stations.number[i], stations.plus[i]);
    d.scratch.x[1] = xs;
    const double plus = stations.plus[i];
    std::string text;
    if (plus == 0)
      text = "No." + formatInt(stations.number[i]);
    else if (plus > 0)
      text = "+" + fixed(plus, 5, 3);
    else
      text = fixed(plus, 5, 3);
    const double xl = xs + 1;
    penLabel(d, xl, yl, xl + 1, yl, height, 90, text, sheet.hv(21));
    for (int j = 1; j <= n - 1; ++j) {
      setOrigin(d, BandOriginX + TitleColumnWidth + DataMarginX, BandOriginY + j * sheet.pitch());
      penPolyline(d, {{xs, 0}, {xs, -sheet.hv(2)}});
    }
  }

  const int g = findBandRow(sheet.rows, sjis::kGroundHeight, n);
  const GroundPointTable& ground = data.groundPoints;
  for (int i = 1; i <= ground.count; ++i) {
    sheet.setRowOrigin(g);
    const double xl = sheet.stationX(ground.number[i], ground.plus[i]) + 1;
    penLabel(d, xl, yl, xl + 1, yl, height, 90, fixed(ground.height[i], 5, 3), sheet.hv(21));
  }
}

}  // namespace ps
