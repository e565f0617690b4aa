#include "check/check_inputs.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "check/band_row_checks.h"
#include "check/findings.h"
#include "check/layer_checks.h"
#include "check/profile_data_checks.h"
#include "check/profile_facts.h"
#include "driver/run.h"
#include "input/band_row_list.h"
#include "input/continuation.h"
#include "input/file_names.h"
#include "input/layer_definitions.h"
#include "input/profile_data_reader.h"
#include "input/saved_as_utf8.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps::check {

namespace {

// The order of the files in the report.
int fileRank(const std::string& file) {
  if (file == kProfileDataFile) return 0;
  if (file == kBandRowFile) return 1;
  if (file == kLayerFile) return 2;
  return 3;
}

// A refusal is an error with the generator's console line, without its end.
void addRefusal(const InputRefused& refused, FindingList& out) {
  std::string message = refused.message;
  while (!message.empty() && message.back() == '\n') message.pop_back();
  out.all().push_back({refused.file, refused.line, Severity::error, std::move(message)});
}

// Reads one file with `read`; false when it is refused. The refusal of a
// file saved as UTF-8 is not reported: that file gets its encoding's error
// instead.
template <typename Read>
bool readOrRefuse(Read read, bool savedAsUtf8, bool& refused, FindingList& out) {
  try {
    read();
    return true;
  } catch (const InputRefused& refusal) {
    refused = true;
    if (!savedAsUtf8) addRefusal(refusal, out);
    return false;
  }
}

}  // namespace

CheckResult checkInputs(std::string_view profileData, std::string_view bandRowList,
                        std::string_view layerDefinitions, std::optional<std::string_view> continuationText) {
  FindingList out;
  // A file saved as UTF-8 gets one error, on its first line that shows it,
  // and no other finding: read as Shift-JIS its texts are garbled, its
  // titles match no row and its lengths are wrong, which would only
  // mislead. Whether the generator would refuse it still sets the status.
  const std::optional<Utf8Signs> profileUtf8 = savedAsUtf8(profileData);
  const std::optional<Utf8Signs> titlesUtf8 = savedAsUtf8(bandRowList);
  const std::optional<Utf8Signs> layersUtf8 = savedAsUtf8(layerDefinitions);
  bool refused = false;
  auto data = std::make_unique<ProfileData>();
  auto lines = std::make_unique<ProfileDataLines>();
  const bool profileRead = readOrRefuse(
      [&] {
        Scanner in(profileData, kProfileDataFile);
        readProfileData(in, *data, lines.get());
      },
      profileUtf8.has_value(), refused, out);
  BandTitles titles;
  const bool titlesRead = readOrRefuse(
      [&] {
        Scanner in(bandRowList, kBandRowFile);
        readBandRowList(in, titles);
      },
      titlesUtf8.has_value(), refused, out);
  auto layers = std::make_unique<LayerRows>();
  const bool layersRead = readOrRefuse(
      [&] {
        Scanner in(layerDefinitions, kLayerFile);
        readLayerDefinitions(in, *layers);
      },
      layersUtf8.has_value(), refused, out);

  // A sheet with a continuation file is a sheet of a set, also when the
  // file is refused; its items are checked only when it was read whole.
  std::unique_ptr<Continuation> continuation;
  auto continuationLines = std::make_unique<ContinuationLines>();
  bool continuationRead = true;
  std::optional<Utf8Signs> continuationUtf8;
  if (continuationText) {
    continuationUtf8 = savedAsUtf8(*continuationText);
    continuation = std::make_unique<Continuation>();
    continuationRead = readOrRefuse([&] { readContinuation(*continuationText, *continuation, continuationLines.get()); },
                                    continuationUtf8.has_value(), refused, out);
  }

  const bool profileUsable = profileRead && !profileUtf8;
  const bool titlesUsable = titlesRead && !titlesUtf8;
  if (profileRead) {
    for (const InputRefused& refusal : refusalsOfProfileData(*data, lines.get())) {
      if (profileUsable) addRefusal(refusal, out);
      refused = true;
    }
  }
  if (profileUsable) {
    const std::unique_ptr<ProfileFacts> facts =
        factsOf(*data, *lines, continuation.get(), continuationRead ? continuationLines.get() : nullptr);
    checkProfileData(*facts, usableHeader(data->header), out);
    if (titlesUsable) checkRowsHaveTitles(titles, *facts, out);
  }
  if (titlesUsable) checkBandTitles(titles, out);
  if (layersRead && !layersUtf8) checkLayers(*layers, out);
  for (const auto& [file, signs] : {std::pair{kProfileDataFile, profileUtf8}, std::pair{kBandRowFile, titlesUtf8},
                                    std::pair{kLayerFile, layersUtf8}, std::pair{kContinuationFile, continuationUtf8}}) {
    if (!signs) continue;
    const std::string_view name = file;  // a structured binding, which a lambda may not capture
    std::erase_if(out.all(), [name](const Finding& f) { return f.file == name; });
    out.error(file, signs->line, savedAsUtf8Message(sjis::kThisFile, *signs));
  }

  CheckResult result;
  result.findings = std::move(out.all());
  std::stable_sort(result.findings.begin(), result.findings.end(), [](const Finding& a, const Finding& b) {
    const int ra = fileRank(a.file), rb = fileRank(b.file);
    return ra != rb ? ra < rb : a.line < b.line;
  });
  const auto errors = std::count_if(result.findings.begin(), result.findings.end(),
                                    [](const Finding& f) { return f.severity == Severity::error; });
  if (refused)
    result.status = kUnreadable;
  else if (errors > 0)
    result.status = kErrorsFound;
  else if (!result.findings.empty())
    result.status = kOnlyWarnings;
  return result;
}

std::string findingLine(const Finding& finding, std::string_view path) {
  std::string text(path);
  if (finding.line > 0) {
    text += ':';
    appendInt(text, finding.line);
  }
  text += finding.severity == Severity::error ? ": error: " : ": warning: ";
  text += finding.message;
  return text;
}

std::string summaryLine(const std::vector<Finding>& findings) {
  long long errors = 0;
  for (const Finding& f : findings) errors += f.severity == Severity::error;
  const long long warnings = static_cast<long long>(findings.size()) - errors;
  return formatInt(errors) + " errors, " + formatInt(warnings) + " warnings";
}

std::string reportOf(const std::vector<Finding>& findings, std::string_view folder) {
  std::string report;
  for (const Finding& finding : findings) report += findingLine(finding, std::string(folder) + finding.file) + "\n";
  return report + summaryLine(findings) + "\n";
}

}  // namespace ps::check
