// Writing a set of sheet folders all at once, or not at all.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ps::import {

// The five files of one sheet folder.
struct SheetFiles {
  std::string profileData;       // Tesmo.dat
  std::string bandRowList;       // temp.cd5
  std::string layerDefinitions;  // GasouT.dat
  std::string continuation;      // Tsuzuki.dat
  std::string drawing;           // Tesmora.dxf
};

// A path that could not be written or renamed.
struct WriteFailed {
  std::filesystem::path path;
};

// The folder name of sheet `index` (from 0): 0001, 0002, ... always four
// digits, the width of the largest set, so that the names sort in road
// order and never change width.
std::string sheetFolderName(std::size_t index);

// Writes `bytes` as the file `path`; false when not every byte was written.
using FileWriter = std::function<bool(const std::filesystem::path& path, const std::string& bytes)>;
bool writeFileBytes(const std::filesystem::path& path, const std::string& bytes);

// Writes one folder per sheet into `outDir`, which must not exist, a sheet
// at a time as they come. The folders are written into a new sibling folder
// first, which finish() renames to `outDir` when every byte is written
// (never onto anything that appeared there meanwhile, an empty folder
// included). Until then nothing is at `outDir`: on any failure, and when
// the writer is dropped unfinished, the sibling folder is removed again.
// WriteFailed names what failed as the user would find it: the file inside
// `outDir`, or `outDir` itself.
class SheetSetWriter {
 public:
  explicit SheetSetWriter(const std::filesystem::path& outDir, FileWriter write = writeFileBytes);
  ~SheetSetWriter();
  SheetSetWriter(const SheetSetWriter&) = delete;
  SheetSetWriter& operator=(const SheetSetWriter&) = delete;

  void add(const SheetFiles& sheet);
  void finish();

 private:
  std::filesystem::path outDir_, staging_;
  FileWriter write_;
  std::size_t count_ = 0;
  bool finished_ = false;
};

// The whole set at once.
void writeSheetSet(const std::filesystem::path& outDir, const std::vector<SheetFiles>& sheets,
                   const FileWriter& write = writeFileBytes);

}  // namespace ps::import
