#include "import/sheet_set_writer.h"

#include <fstream>
#include <system_error>

#include "driver/run.h"
#include "input/continuation.h"
#include "input/file_names.h"
#include "platform/files.h"
#include "platform/folder_rename.h"

namespace ps::import {

namespace {

namespace fs = std::filesystem;

// The width of the folder names: the largest set's count.
constexpr std::size_t kFolderDigits = 4;

// A new folder beside `outDir`, named after it; the first free name.
fs::path makeStagingFolder(const fs::path& outDir) {
  const fs::path parent = outDir.parent_path().empty() ? fs::path(".") : outDir.parent_path();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    // The name built as UTF-8: on Windows a narrow string would be read in
    // the ANSI code page, which lacks most names.
    // Appended piece by piece: GCC 12 warns (-Wrestrict, wrongly) on a sum
    // that starts with a literal at -O3.
    std::string name = ".";
    name += platform::utf8Of(outDir.filename());
    name += ".partial-";
    name += std::to_string(attempt);
    const fs::path candidate = parent / platform::pathOf(name);
    std::error_code error;
    if (fs::create_directory(candidate, error)) return candidate;
    if (error) throw WriteFailed{outDir};
  }
  throw WriteFailed{outDir};
}

}  // namespace

std::string sheetFolderName(std::size_t index) {
  const std::string name = std::to_string(index + 1);
  return std::string(name.size() < kFolderDigits ? kFolderDigits - name.size() : 0, '0') + name;
}

bool writeFileBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

SheetSetWriter::SheetSetWriter(const fs::path& outDir, FileWriter write)
    : outDir_(outDir), staging_(makeStagingFolder(outDir)), write_(std::move(write)) {}

SheetSetWriter::~SheetSetWriter() {
  if (finished_) return;
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
}

void SheetSetWriter::add(const SheetFiles& s) {
  const std::string name = sheetFolderName(count_++);
  const fs::path folder = staging_ / name, finalFolder = outDir_ / name;
  std::error_code error;
  if (!fs::create_directory(folder, error)) throw WriteFailed{finalFolder};
  for (auto [file, bytes] : {std::pair{kProfileDataFile, &s.profileData}, {kBandRowFile, &s.bandRowList},
                             {kLayerFile, &s.layerDefinitions}, {kContinuationFile, &s.continuation},
                             {kDrawingFile, &s.drawing}})
    if (!write_(folder / file, *bytes)) throw WriteFailed{finalFolder / file};
}

void SheetSetWriter::finish() {
  if (!platform::renameFolderNoReplace(staging_, outDir_)) throw WriteFailed{outDir_};
  finished_ = true;
}

void writeSheetSet(const fs::path& outDir, const std::vector<SheetFiles>& sheets, const FileWriter& write) {
  SheetSetWriter writer(outDir, write);
  for (const SheetFiles& s : sheets) writer.add(s);
  writer.finish();
}

}  // namespace ps::import
