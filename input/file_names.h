// The names of the three input files, read from the current directory.
#pragma once

namespace ps {

inline constexpr char kProfileDataFile[] = "Tesmo.dat";
inline constexpr char kLayerFile[] = "GasouT.dat";
inline constexpr char kBandRowFile[] = "temp.cd5";

}  // namespace ps
