#include "import/import_report.h"

#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps::import {

namespace {

// Column widths in bytes: a Shift-JIS double-byte character is two columns
// wide on a Japanese console, as wide as its two bytes.
constexpr std::size_t kFolderWidth = 6, kStationWidth = 16, kCountWidth = 8;

void padRight(std::string& out, const std::string& text, std::size_t width) {
  out += text;
  if (text.size() < width) out.append(width - text.size(), ' ');
}

void padLeft(std::string& out, const std::string& text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

std::string metres(double value) { return formatFixed(value, 0, 3); }

}  // namespace

std::string stationText(const StationLabel& label) {
  // Appended piece by piece: GCC 12 warns (-Wrestrict, wrongly) on a sum
  // that starts with a literal at -O3.
  std::string text = "No.";
  text += formatInt(label.number);
  if (label.plus != 0.0) {
    text += '+';
    text += formatFixed(label.plus, 0, 3);
  }
  return text;
}

std::string warningText(const MappingWarning& w, const HeaderValues& header) {
  using Kind = MappingWarning::Kind;
  switch (w.kind) {
    case Kind::beyondView:
      return stationText(w.at) + sjis::kImportBeyondViewFrom + stationText(w.to) + sjis::kImportBeyondViewHeight +
             metres(w.value) + sjis::kImportBeyondViewLimit +
             metres(header.profileViewHeight * header.verticalScale / 1000) + sjis::kImportBeyondViewEnd;
    case Kind::groundMissing:
      return sjis::kImportGroundMissing + formatInt(w.count) + sjis::kImportPoints;
    case Kind::noSuperelevation:
      return stationText(w.at) + sjis::kImportNoSuperelevation;
    case Kind::superelevationUnpaired:
      return stationText(w.at) + sjis::kImportSuperelevationUnpaired;
    case Kind::compoundCurve:
      return stationText(w.at) + sjis::kImportCompoundCurve + metres(w.value) + sjis::kImportDrawnWith;
  }
  return {};
}

std::string sheetTable(const std::vector<SheetRow>& rows) {
  std::string out;
  padRight(out, sjis::kImportTableSheet, kFolderWidth);
  padRight(out, sjis::kImportTableFirst, kStationWidth);
  padRight(out, sjis::kImportTableLast, kStationWidth);
  padLeft(out, sjis::kImportTableStations, kCountWidth);
  padLeft(out, sjis::kImportTableVips, kCountWidth);
  padLeft(out, sjis::kImportTableCurves, kCountWidth);
  out += "  ";
  out += sjis::kImportTableWarning;
  out += '\n';
  const std::size_t warningColumn = kFolderWidth + 2 * kStationWidth + 3 * kCountWidth + 2;
  for (const SheetRow& row : rows) {
    std::string line;
    padRight(line, row.folder, kFolderWidth);
    padRight(line, stationText(row.first), kStationWidth);
    padRight(line, stationText(row.last), kStationWidth);
    padLeft(line, formatInt(static_cast<long long>(row.stations)), kCountWidth);
    padLeft(line, formatInt(static_cast<long long>(row.vips)), kCountWidth);
    padLeft(line, formatInt(static_cast<long long>(row.curves)), kCountWidth);
    for (std::size_t k = 0; k < row.warnings.size(); ++k) {
      if (k > 0) line.assign(warningColumn - 2, ' ');
      line += "  " + row.warnings[k];
      out += line + '\n';
    }
    if (row.warnings.empty()) out += line + '\n';
  }
  return out;
}

}  // namespace ps::import
