#include "import/sheet_set_writer.h"

#include <fstream>
#include <system_error>

#include "driver/run.h"
#include "input/continuation.h"
#include "input/file_names.h"
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
    const fs::path candidate = parent / ("." + outDir.filename().string() + ".partial-" + std::to_string(attempt));
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

void writeSheetSet(const fs::path& outDir, const std::vector<SheetFiles>& sheets, const FileWriter& write) {
  const fs::path staging = makeStagingFolder(outDir);
  try {
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      const std::string name = sheetFolderName(i);
      const fs::path folder = staging / name, finalFolder = outDir / name;
      std::error_code error;
      if (!fs::create_directory(folder, error)) throw WriteFailed{finalFolder};
      const SheetFiles& s = sheets[i];
      for (auto [file, bytes] : {std::pair{kProfileDataFile, &s.profileData}, {kBandRowFile, &s.bandRowList},
                                 {kLayerFile, &s.layerDefinitions}, {kContinuationFile, &s.continuation},
                                 {kDrawingFile, &s.drawing}})
        if (!write(folder / file, *bytes)) throw WriteFailed{finalFolder / file};
    }
    if (!platform::renameFolderNoReplace(staging, outDir)) throw WriteFailed{outDir};
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(staging, ignored);
    throw;
  }
}

}  // namespace ps::import
