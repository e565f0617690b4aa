// The template of a sheet set: the profile data file whose header values
// (sheet sizes, scales, text heights, ...) every sheet takes, and the band
// row list and layer definition files every sheet folder gets as they are.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ps::import {

struct TemplateFiles {
  std::string profileData;       // Tesmo.dat
  std::string bandRowList;       // temp.cd5
  std::string layerDefinitions;  // GasouT.dat
};

// The bundled example, built into the program.
TemplateFiles bundledTemplate();

// The three files of a template folder; the name of the first that cannot
// be read when one cannot.
struct TemplateRead {
  std::optional<TemplateFiles> files;
  std::string unreadable;
};
TemplateRead readTemplateFolder(const std::filesystem::path& folder);

}  // namespace ps::import
