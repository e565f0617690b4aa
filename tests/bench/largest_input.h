// The largest input the program accepts, built in code: every table at its
// capacity (30 stations, 499 ground points, 49 VIPs with vertical curves,
// 499 curves, 499 superelevation rows, 49 annotations of 47 bytes), 20 band
// titles holding every key row, 19 layers and an elevation axis of 1000
// labelled levels.
#pragma once

#include <string>

namespace ps::bench {

struct InputFiles {
  std::string profileData;       // Tesmo.dat
  std::string layerDefinitions;  // GasouT.dat
  std::string bandRowList;       // temp.cd5
};

InputFiles largestInput();

}  // namespace ps::bench
