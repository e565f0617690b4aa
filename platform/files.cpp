#include "platform/files.h"

#include <algorithm>
#include <system_error>

namespace ps::platform {

namespace fs = std::filesystem;

fs::path pathOf(std::string_view utf8) {
  // char8_t text is UTF-8 by definition on every system.
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/' && path.back() != kPathSeparator) path += kPathSeparator;
  path += name;
  return path;
}

std::string shownPath(std::string_view utf8) {
  std::string shown(utf8);
  if (kPathSeparator != '/') std::replace(shown.begin(), shown.end(), '/', kPathSeparator);
  return shown;
}

bool isFolder(const std::string& utf8Path) {
  std::error_code error;
  return fs::is_directory(pathOf(utf8Path), error);
}

bool exists(const std::string& utf8Path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(pathOf(utf8Path), error));
}

std::vector<std::string> foldersIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(pathOf(folder.empty() ? "." : folder), error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code kindError;
    if (it->is_directory(kindError)) names.push_back(utf8Of(it->path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace ps::platform
