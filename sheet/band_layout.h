// The band rows: the layout constants of the sheet, the rows built from the
// band row list, and the lookup of a content row by its key title.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "input/band_row_list.h"

namespace ps {

inline constexpr double BandOriginX = 100.0;      // left edge of the title cells
inline constexpr double BandOriginY = 50.0;       // bottom of row 1
inline constexpr double TitleColumnWidth = 50.0;  // title cells to data cells; x of the elevation axis
inline constexpr double DataMarginX = 20.0;       // data cell edge to chainage 0
inline constexpr double ProfileGap = 20.0;        // top of the band stack to the datum line

// Row k (1 = bottom) holds the title listed n - k-th; at least one row.
struct BandRowList {
  int count = 0;
  std::array<std::string, kMaxBandTitles + 1> title{};
};

void buildBandRowList(const BandTitles& titles, BandRowList& rows);

// The lowest row whose title starts with the same two bytes (the first
// Shift-JIS character) as `key`; 0 when none does.
int findBandRow(const BandRowList& rows, std::string_view key, int rowCount);

}  // namespace ps
