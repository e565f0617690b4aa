#include "import/sheet_set_writer.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "driver/run.h"
#include "input/file_names.h"
#include "platform/files.h"

namespace ps::import {

namespace {

namespace fs = std::filesystem;

// Writes `bytes` into folder/name; a failure names the file where it was to
// end up.
void writeFile(const fs::path& folder, const char* name, const std::string& bytes, const fs::path& finalFolder) {
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw WriteFailed{finalFolder / name};
}

// A new folder beside `outDir`, named after it; the first free name.
fs::path makeStagingFolder(const fs::path& outDir) {
  const fs::path parent = outDir.parent_path().empty() ? fs::path(".") : outDir.parent_path();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    // The name built as UTF-8: on Windows a narrow string would be read in
    // the ANSI code page, which lacks most names.
    const fs::path candidate =
        parent / platform::pathOf("." + platform::utf8Of(outDir.filename()) + ".partial-" + std::to_string(attempt));
    std::error_code error;
    if (fs::create_directory(candidate, error)) return candidate;
    if (error) throw WriteFailed{outDir};
  }
  throw WriteFailed{outDir};
}

}  // namespace

std::string sheetFolderName(std::size_t index, std::size_t count) {
  std::string name = std::to_string(index + 1);
  const std::size_t width = std::max<std::size_t>(2, std::to_string(count).size());
  return std::string(width > name.size() ? width - name.size() : 0, '0') + name;
}

void writeSheetSet(const fs::path& outDir, const std::vector<SheetFiles>& sheets) {
  const fs::path staging = makeStagingFolder(outDir);
  try {
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      const std::string name = sheetFolderName(i, sheets.size());
      const fs::path folder = staging / name, finalFolder = outDir / name;
      std::error_code error;
      if (!fs::create_directory(folder, error)) throw WriteFailed{finalFolder};
      const SheetFiles& s = sheets[i];
      writeFile(folder, kProfileDataFile, s.profileData, finalFolder);
      writeFile(folder, kBandRowFile, s.bandRowList, finalFolder);
      writeFile(folder, kLayerFile, s.layerDefinitions, finalFolder);
      writeFile(folder, kDrawingFile, s.drawing, finalFolder);
    }
    // A folder that appeared meanwhile is not replaced: renaming onto an
    // existing non-empty folder fails everywhere, onto an empty one it may
    // succeed, which loses nothing.
    std::error_code exists;
    if (fs::exists(fs::symlink_status(outDir, exists))) throw WriteFailed{outDir};
    std::error_code error;
    fs::rename(staging, outDir, error);
    if (error) throw WriteFailed{outDir};
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(staging, ignored);
    throw;
  }
}

}  // namespace ps::import
