#include "import/import_options.h"

namespace ps::import {

namespace {

// A whole number of stations a sheet may hold: 2 to 30, in plain digits.
std::optional<std::size_t> stationsPerSheetOf(const std::string& text) {
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const std::size_t n = std::stoul(text);
  if (n < 2 || n > 30) return std::nullopt;
  return n;
}

}  // namespace

std::variant<ImportOptions, UsageRequest> parseImportOptions(const std::vector<std::string>& args) {
  ImportOptions options;
  std::optional<std::string> stationsPerSheet;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
#ifdef _WIN32
    if (!optionsEnded && arg == "/?") return UsageRequest{};
#endif
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") return UsageRequest{};
    if (arg == "--version") return UsageRequest{UsageRequest::Problem::none, {}, true};
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    std::optional<std::string>* target = name == "--alignment"            ? &options.alignment
                                         : name == "--profile"            ? &options.profile
                                         : name == "--ground"             ? &options.ground
                                         : name == "--template"           ? &options.templateDir
                                         : name == "--stations-per-sheet" ? &stationsPerSheet
                                                                          : nullptr;
    using Problem = UsageRequest::Problem;
    if (!target) return UsageRequest{Problem::unknownOption, name};
    if (target->has_value()) return UsageRequest{Problem::repeatedOption, name};
    if (equals != std::string::npos) {
      *target = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      *target = args[++i];
    } else {
      return UsageRequest{Problem::missingValue, name};
    }
  }
  if (stationsPerSheet) {
    const std::optional<std::size_t> n = stationsPerSheetOf(*stationsPerSheet);
    if (!n) return UsageRequest{UsageRequest::Problem::badValue, "--stations-per-sheet"};
    options.stationsPerSheet = *n;
  }
  if (positional.empty() || positional.size() > 2)
    return UsageRequest{positional.empty() ? UsageRequest::Problem::missingArguments
                                           : UsageRequest::Problem::tooManyArguments, {}};
  options.roadFile = positional[0];
  if (positional.size() == 2) options.outDir = positional[1];
  return options;
}

}  // namespace ps::import
