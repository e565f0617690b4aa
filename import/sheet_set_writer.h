// Writing a set of sheet folders all at once, or not at all.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ps::import {

// The four files of one sheet folder.
struct SheetFiles {
  std::string profileData;       // Tesmo.dat
  std::string bandRowList;       // temp.cd5
  std::string layerDefinitions;  // GasouT.dat
  std::string drawing;           // Tesmora.dxf
};

// A path that could not be written or renamed.
struct WriteFailed {
  std::filesystem::path path;
};

// The folder name of sheet `index` (from 0) of `count`: 01, 02, ... with as
// many digits as the last one needs, at least two, so that they sort in
// road order.
std::string sheetFolderName(std::size_t index, std::size_t count);

// Writes one folder per sheet into `outDir`, which must not exist. The
// folders are written into a new sibling folder first, which is renamed to
// `outDir` when every byte is written; on any failure it is removed again
// and WriteFailed names what failed.
void writeSheetSet(const std::filesystem::path& outDir, const std::vector<SheetFiles>& sheets);

}  // namespace ps::import
