#include "sheet/band_layout.h"

#include <cstring>

#include "dxf/shift_jis.h"

namespace ps {

void readBandRowList(Scanner& in, BandTitles& titles) {
  titles.count = 0;
  for (int k = 0; k < kMaxBandTitles; ++k) {
    std::string word;
    ScanRead(in).token(word).space();
    if (word.empty()) break;
    if (word.size() > kMaxBandTitleBytes) throw InputRefused{in.fileName() + sjis::kBandTitleLimit};
    titles.word[k] = std::move(word);
    titles.count = k + 1;
  }
}

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
  const int n = sheet.rows.count;
  const double p = sheet.pitch();
  const double h1 = sheet.hv(1);

  setOrigin(d, 0, 0);
  selectLayer(d, "D-TTL-BAND");
  for (int k = 1; k <= n; ++k) {
    const double y0 = (k - 1) * p;
    const double w = TitleColumnWidth - sheet.hv(2);
    setOrigin(d, BandOriginX, BandOriginY);
    penPolyline(d, {{0, y0}, {w, y0}, {w, y0 + h1}, {0, y0 + h1}, {0, y0}});
    const double xc = (0 + w) / 2;
    const double yc = (y0 + (y0 + h1)) / 2;
    putLabel(d, xc - 15, yc - 2, xc, yc - 2, textHeight(sheet.hv(15)), 0, sheet.rows.title[k], kTextStyle,
             sheet.hv(22), BandOriginX, BandOriginY);
  }
  for (int k = 1; k <= n; ++k) {
    const double y0 = (k - 1) * p;
    const double w = sheet.hv(5) - sheet.hv(2);
    setOrigin(d, BandOriginX + TitleColumnWidth, BandOriginY);
    penPolyline(d, {{0, y0}, {w, y0}, {w, y0 + h1}, {0, y0 + h1}, {0, y0}});
  }
}

}  // namespace ps
