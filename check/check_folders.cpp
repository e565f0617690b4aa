#include "check/check_folders.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "input/continuation.h"
#include "input/file_names.h"
#include "input/input_file.h"
#include "platform/files.h"

namespace ps::check {

namespace {

constexpr const char* kInputFiles[] = {kProfileDataFile, kBandRowFile, kLayerFile};

bool holdsAnInputFile(const std::string& folder) {
  return std::any_of(std::begin(kInputFiles), std::end(kInputFiles),
                     [&](const char* name) { return platform::exists(platform::joinPath(folder, name)); });
}

}  // namespace

CheckResult checkFolder(const std::string& folder) {
  std::string contents[3];
  std::vector<Finding> unreadable;
  for (int k = 0; k < 3; ++k)
    if (!readWholeFile(platform::joinPath(folder, kInputFiles[k]), contents[k]))
      unreadable.push_back({kInputFiles[k], 0, Severity::error, std::string("can't create ") + kInputFiles[k]});
  std::string continuation;
  const OptionalFile continuationFile = readOptionalFile(platform::joinPath(folder, kContinuationFile), continuation);
  if (continuationFile == OptionalFile::unreadable)
    unreadable.push_back({kContinuationFile, 0, Severity::error, std::string("can't create ") + kContinuationFile});
  if (!unreadable.empty()) return {std::move(unreadable), kUnreadable};
  return checkInputs(contents[0], contents[1], contents[2],
                     continuationFile == OptionalFile::read ? std::optional<std::string_view>(continuation)
                                                            : std::nullopt);
}

std::vector<std::string> sheetFoldersOf(const std::string& folder) {
  std::vector<std::string> sheets;
  if (holdsAnInputFile(folder)) return sheets;
  for (const std::string& name : platform::foldersIn(folder)) {
    std::string sheet = platform::joinPath(folder, name);
    if (holdsAnInputFile(sheet)) sheets.push_back(std::move(sheet));
  }
  return sheets;
}

int setStatus(const std::vector<int>& statuses) {
  return statuses.empty() ? kNothingFound : *std::max_element(statuses.begin(), statuses.end());
}

}  // namespace ps::check
