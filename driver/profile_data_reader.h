// Reading the profile data file into ProfileData.
#pragma once

#include "driver/profile_data.h"
#include "driver/scan_reader.h"

namespace ps {

// Reads the whole file in its order: the header line, then the ground point,
// station, VIP, curve, superelevation and annotation tables. A count is
// checked against its capacity as soon as it is read (InputRefused); a
// negative count gives an empty table.
void readProfileData(Scanner& in, ProfileData& data);

}  // namespace ps
