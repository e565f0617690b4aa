#include "import/output_folder.h"

#include <filesystem>
#include <system_error>

#include "landxml/refusal.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "text/shift_jis.h"

namespace ps::import {

namespace {

namespace fs = std::filesystem;

// The first of `base`-2, -3, ... that does not exist; empty past -999.
std::string firstFreeNumbered(const std::string& base) {
  for (int n = 2; n <= 999; ++n) {
    std::string candidate = base + "-" + std::to_string(n);
    if (!platform::exists(candidate)) return candidate;
  }
  return {};
}

bool endsWithXml(const std::string& path) {
  if (path.size() < 4) return false;
  std::string end = path.substr(path.size() - 4);
  for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return end == ".xml";
}

// The folder `path` would be created in ("." for a bare name).
std::string parentOf(const std::string& path) {
  const fs::path parent = platform::pathOf(path).parent_path();
  return parent.empty() ? std::string(".") : platform::utf8Of(parent);
}

}  // namespace

std::string shownPath(const std::string& utf8Path) {
  return platform::shiftJisShown(platform::shownPath(utf8Path));
}

std::string defaultOutputFolder(const std::string& roadFile) {
  const fs::path road = platform::pathOf(roadFile);
  const std::string base = platform::utf8Of(road.parent_path() / road.stem());
  if (!platform::exists(base)) return base;
  std::string numbered = firstFreeNumbered(base);
  if (numbered.empty()) landxml::RefusalMessage(shownPath(base), 0).sjis(sjis::kImportOutputNamesTaken).refuse();
  return numbered;
}

void checkOutputFolder(const std::string& roadFile, const std::string& outDir) {
  const std::string shown = shownPath(outDir);
  if (platform::exists(outDir)) {
    if (!platform::isFolder(outDir) && endsWithXml(outDir))
      landxml::RefusalMessage(shown, 0)
          .sjis(sjis::kImportSwappedArguments)
          .ascii("profile-sheet-import ")
          .sjis(shown.c_str())
          .ascii(" ")
          .sjis(shownPath(roadFile).c_str())
          .refuse();
    landxml::RefusalMessage message(shown, 0);
    message.sjis(sjis::kImportOutDirExists);
    const std::string other = firstFreeNumbered(outDir);
    if (other.empty())
      message.sjis(sjis::kImportOutDirExistsNoHint);
    else
      message.sjis(sjis::kImportOutDirExistsHint).sjis(shownPath(other).c_str()).sjis(sjis::kImportOutDirExistsHintEnd);
    message.refuse();
  }
  const std::string parent = parentOf(outDir);
  if (!platform::exists(parent))
    landxml::RefusalMessage(shown, 0)
        .sjis(sjis::kImportParentFolder)
        .sjis(shownPath(parent).c_str())
        .sjis(sjis::kImportParentMissing)
        .refuse();
  if (!platform::isFolder(parent))
    landxml::RefusalMessage(shown, 0)
        .sjis(sjis::kImportParentFolder)
        .sjis(shownPath(parent).c_str())
        .sjis(sjis::kImportParentNotFolder)
        .refuse();
}

}  // namespace ps::import
