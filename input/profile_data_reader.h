// Reading the profile data file into ProfileData.
#pragma once

#include <array>

#include "input/profile_data.h"
#include "input/scan_reader.h"

namespace ps {

// Where the parts of the profile data file stand: the line of the first byte
// of each read (0 when the file ended before it).
struct TableLines {
  int count = 0;               // the count line
  std::array<int, kTableSlots> row{};  // rows 1..count
};
struct ProfileDataLines {
  int header = 0;
  TableLines groundPoints, stations, vips, curves, superelevations, annotations;
};

// Reads the whole file in its order: the header line, then the ground point,
// station, VIP, curve, superelevation and annotation tables. A count is
// checked against its capacity as soon as it is read (InputRefused); a
// negative count gives an empty table. When `lines` is given, it receives
// the line of every row.
void readProfileData(Scanner& in, ProfileData& data, ProfileDataLines* lines = nullptr);

}  // namespace ps
