// The importer's command line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ps::import {

struct ImportOptions {
  std::string roadFile;
  std::string outDir;  // empty when not given: a new folder beside the road file
  std::optional<std::string> alignment;    // --alignment NAME
  std::optional<std::string> profile;      // --profile NAME (a ProfAlign)
  std::optional<std::string> ground;       // --ground NAME (a ProfSurf)
  std::optional<std::string> templateDir;  // --template DIR
  std::size_t stationsPerSheet = 30;       // --stations-per-sheet N, 2..30
};

// --help (or --version), or a command line that is not one, and what is
// wrong with it.
struct UsageRequest {
  enum class Problem { none, unknownOption, repeatedOption, missingValue, badValue, missingArguments, tooManyArguments };
  Problem problem = Problem::none;
  std::string option;    // the option concerned
  bool version = false;  // --version, not --help
};

// ROAD.xml [OUTDIR] [--alignment NAME] [--profile NAME] [--ground NAME]
// [--template DIR] [--stations-per-sheet N], options anywhere, each also as
// --option=VALUE; "--" ends the options. --help is also -h and, on
// Windows, /?.
std::variant<ImportOptions, UsageRequest> parseImportOptions(const std::vector<std::string>& args);

}  // namespace ps::import
