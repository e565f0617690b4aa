#include "import/template_files.h"

#include "input/file_names.h"
#include "input/input_file.h"
#include "platform/files.h"

namespace ps::import {

TemplateRead readTemplateFolder(const std::filesystem::path& folder) {
  TemplateFiles files;
  for (auto [name, target] : {std::pair{kProfileDataFile, &files.profileData}, {kBandRowFile, &files.bandRowList},
                              {kLayerFile, &files.layerDefinitions}}) {
    if (!readWholeFile(platform::utf8Of(folder / name), *target)) return {std::nullopt, name};
  }
  return {std::move(files), {}};
}

}  // namespace ps::import
