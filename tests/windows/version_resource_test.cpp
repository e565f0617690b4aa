// Reads the version resource of each program as Explorer does
// (GetFileVersionInfoW): the numbers, the names and the description.
//
//   version_resource_test EXE...
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring wide(const char* text) {
  const int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(units > 0 ? units : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), units);
  out.resize(out.size() - 1);
  return out;
}

std::wstring value(const std::vector<char>& info, const wchar_t* name) {
  wchar_t* text = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return {};
  return std::wstring(text, length > 0 ? length - 1 : 0);
}

}  // namespace

int main(int argc, char** argv) {
  int failures = 0;
  const std::wstring version = wide(PROFILE_SHEET_VERSION);
  for (int i = 1; i < argc; ++i) {
    const std::wstring path = wide(argv[i]);
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    std::vector<char> info(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, info.data())) {
      std::printf("%s: no version resource\n", argv[i]);
      ++failures;
      continue;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) {
      std::printf("%s: no fixed version\n", argv[i]);
      ++failures;
      continue;
    }
    wchar_t numbers[64];
    std::swprintf(numbers, 64, L"%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS));
    std::wstring name = path.substr(path.find_last_of(L"/\\") + 1);
    const std::wstring program = name.substr(0, name.size() - 4);  // without .exe
    const bool ok = numbers == version && value(info, L"FileVersion") == version &&
                    value(info, L"ProductVersion") == version && value(info, L"OriginalFilename") == name &&
                    value(info, L"InternalName") == program && value(info, L"ProductName") == L"profile-sheet" &&
                    value(info, L"FileDescription").find(L"\u7e26\u65ad\u56f3") != std::wstring::npos;  // 縦断図
    std::printf("%s: version %ls, %s\n", argv[i], numbers, ok ? "as expected" : "NOT as expected");
    failures += !ok;
  }
  return failures == 0 ? 0 : 1;
}
