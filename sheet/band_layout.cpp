#include "sheet/band_layout.h"

#include <cstring>

namespace ps {

void buildBandRowList(const BandTitles& titles, BandRowList& rows) {
  const int n = titles.count > 0 ? titles.count : 1;
  rows.count = n;
  for (int k = 1; k <= n; ++k) rows.title[k] = titles.count > 0 ? titles.word[n - k] : std::string();
}

int findBandRow(const BandRowList& rows, std::string_view key, int rowCount) {
  // The first two bytes as C strings compare them: a shorter title takes
  // part with its terminating zero byte.
  const std::string keyText(key);
  for (int k = 1; k <= rowCount && k <= kMaxBandTitles; ++k)
    if (std::strncmp(rows.title[k].c_str(), keyText.c_str(), 2) == 0) return k;
  return 0;
}

}  // namespace ps

// ---------------------------------------------------------------------------
// Drawing the cells and titles.

#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"

namespace ps {

void drawBandCells(Sheet& sheet) {
  Drawing& d = sheet.drawing;
  const HeaderValues& h = sheet.header;
  const int n = sheet.rows.count;
  const double p = sheet.pitch();
  const double h1 = h.bandRowHeight;

  selectLayer(d, "D-TTL-BAND");
  for (int k = 1; k <= n; ++k) {
    const double y0 = (k - 1) * p;
    const double w = TitleColumnWidth - h.bandRowGap;
    setOrigin(d, BandOriginX, BandOriginY);
    penPolyline(d, {{0, y0}, {w, y0}, {w, y0 + h1}, {0, y0 + h1}, {0, y0}});
    const double xc = (0 + w) / 2;
    const double yc = (y0 + (y0 + h1)) / 2;
    putLabel(d, xc - 15, yc - 2, xc, yc - 2, textHeight(h.titleTextHeight), 0, sheet.rows.title[k], kTextStyle,
             h.titleTextWidth, BandOriginX, BandOriginY);
  }
  for (int k = 1; k <= n; ++k) {
    const double y0 = (k - 1) * p;
    const double w = h.bandDataLength - h.bandRowGap;
    setOrigin(d, BandOriginX + TitleColumnWidth, BandOriginY);
    penPolyline(d, {{0, y0}, {w, y0}, {w, y0 + h1}, {0, y0 + h1}, {0, y0}});
  }
}

}  // namespace ps
