#include "import/template_files.h"

#include <fstream>
#include <iterator>

#include "input/file_names.h"

namespace ps::import {

namespace {

std::optional<std::string> readWhole(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

TemplateRead readTemplateFolder(const std::filesystem::path& folder) {
  TemplateFiles files;
  for (auto [name, target] : {std::pair{kProfileDataFile, &files.profileData}, {kBandRowFile, &files.bandRowList},
                              {kLayerFile, &files.layerDefinitions}}) {
    std::optional<std::string> bytes = readWhole(folder / name);
    if (!bytes) return {std::nullopt, name};
    *target = std::move(*bytes);
  }
  return {std::move(files), {}};
}

}  // namespace ps::import
