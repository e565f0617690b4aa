#include "platform/command_line.h"

#ifdef _WIN32
#include <windows.h>

#include <limits>
#endif

namespace ps::platform {

#ifdef _WIN32
namespace {

// The argument from the system's ANSI code page to UTF-8, through UTF-16;
// false when it holds bytes that code page does not define.
bool ansiToUtf8(std::string_view argument, std::string& out) {
  if (argument.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return false;
  const int size = static_cast<int>(argument.size());
  const int units = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, argument.data(), size, nullptr, 0);
  if (units <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, argument.data(), size, wide.data(), units) != units)
    return false;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out.assign(static_cast<std::size_t>(bytes), '\0');
  return WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, out.data(), bytes, nullptr, nullptr) == bytes;
}

}  // namespace
#endif

std::string argumentToUtf8(std::string_view argument) {
#ifdef _WIN32
  // The arguments come in the ANSI code page the system runs with: 932 on a
  // Japanese Windows, 1252 on a western one (and under Wine in a C or
  // English locale), so it is read, not assumed.
  std::string converted;
  if (!argument.empty() && ansiToUtf8(argument, converted)) return converted;
#endif
  return std::string(argument);
}

}  // namespace ps::platform
