// What a sheet of a set is: the road's and the project's names and the
// sheet's number in the set, below the band stack.
#include "dxf/entity_writers.h"
#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps {

void drawSheetIdentity(Sheet& sheet) {
  const Continuation& c = *sheet.continuation;
  const HeaderValues& h = sheet.header;
  Drawing& d = sheet.drawing;
  // In the band row titles' text size, 10 mm below the band stack: the names
  // from the left edge of the title cells, one under the other, the number
  // ending at about the right end of the data cells.
  const int height = textHeight(h.titleTextHeight);
  const double y = BandOriginY - 10;
  auto text = [&](double x, double atY, const std::string& value) {
    putLabel(d, x, atY, x + 1, atY, height, 0, value, kTextStyle, h.titleTextWidth, 0, 0);
  };
  selectLayer(d, "D-TTL-BAND");
  if (!c.roadName.empty()) text(BandOriginX, y, sjis::kRoadNameCaption + c.roadName);
  if (!c.projectName.empty()) text(BandOriginX, y - 2.0 * height, sjis::kProjectNameCaption + c.projectName);
  if (c.sheet) {
    const std::string number = formatInt(c.sheet->number) + "/" + formatInt(c.sheet->count);
    const double cellEnd = BandOriginX + TitleColumnWidth + h.bandDataLength - h.bandRowGap;
    text(cellEnd - static_cast<double>(number.size()) * height, y, number);
  }
}

}  // namespace ps
