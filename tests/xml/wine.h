// Whether the tests run under Wine. Its XmlLite differs from expat (and,
// by its documentation, from Windows' own) in a few ways the tests name
// where they meet them.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

namespace ps::test {

inline bool underWine() {
#ifdef _WIN32
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
  return false;
#endif
}

}  // namespace ps::test
