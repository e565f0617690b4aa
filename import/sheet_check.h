// The checker's verdict on one sheet the importer wrote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ps::import {

struct SheetFinding {
  std::string file;  // Tesmo.dat, temp.cd5 or GasouT.dat
  int line = 0;
  bool error = false;
  std::string message;  // Shift-JIS
};

// Checks the three input files of one sheet as profile-sheet-check does: a
// refusal the generator would make is an error too.
std::vector<SheetFinding> checkSheet(std::string_view profileData, std::string_view bandRowList,
                                     std::string_view layerDefinitions);

}  // namespace ps::import
