// What the importer prints: one table row per sheet, with its warnings.
#pragma once

#include <string>
#include <vector>

#include "import/road_sheets.h"
#include "input/profile_data.h"

namespace ps::import {

// A station as the sheets label it: No.12, No.12+5.500.
std::string stationText(const StationLabel& label);

// A warning of the mapping as one sentence (Shift-JIS, no line end).
std::string warningText(const MappingWarning& warning, const HeaderValues& header);

struct SheetRow {
  std::string folder;
  StationLabel first, last;
  std::size_t stations = 0, vips = 0, curves = 0;  // VIPs and curves drawn on the sheet
  std::vector<std::string> warnings;  // sentences, Shift-JIS
};

// The table: a title line, then a line per sheet; a sheet's further
// warnings continue on lines of their own under the first.
std::string sheetTable(const std::vector<SheetRow>& rows);

}  // namespace ps::import
