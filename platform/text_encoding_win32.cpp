// The system conversion on Windows: MultiByteToWideChar and
// WideCharToMultiByte through UTF-16.
#include <windows.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "platform/text_encoding.h"

namespace ps::platform {

namespace {

UINT codePage(Encoding encoding) {
  switch (encoding) {
    case Encoding::utf8:
      return CP_UTF8;
    case Encoding::shiftJis:
      return 932;
    case Encoding::latin1:
      return 28591;
  }
  return CP_UTF8;
}

// Windows reads a lone byte 0x80 in code page 932 as U+0080 and writes it
// back; glibc's table has no such character. It is refused both ways so
// that both builds agree.
bool hasShiftJisOnlyOnWindows(const std::wstring& text) { return text.find(L'\x0080') != std::wstring::npos; }

bool decode(std::string_view in, Encoding from, std::wstring& out) {
  out.clear();
  if (in.empty()) return true;
  if (in.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw std::length_error("text too long to convert");
  const UINT page = codePage(from);
  const int size = static_cast<int>(in.size());
  const int units = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
  if (units <= 0) return false;
  out.resize(static_cast<std::size_t>(units));
  if (MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, in.data(), size, out.data(), units) != units) return false;
  return !(from == Encoding::shiftJis && hasShiftJisOnlyOnWindows(out));
}

bool encode(const std::wstring& in, Encoding to, std::string& out) {
  out.clear();
  if (in.empty()) return true;
  if (in.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw std::length_error("text too long to convert");
  if (to == Encoding::shiftJis && hasShiftJisOnlyOnWindows(in)) return false;
  const UINT page = codePage(to);
  const int size = static_cast<int>(in.size());
  // UTF-8 takes no default character; the others report one used, and
  // WC_NO_BEST_FIT_CHARS keeps "similar" characters from standing in.
  const DWORD flags = to == Encoding::utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPtr = to == Encoding::utf8 ? nullptr : &usedDefault;
  const int bytes = WideCharToMultiByte(page, flags, in.data(), size, nullptr, 0, nullptr, usedDefaultPtr);
  if (bytes <= 0 || usedDefault) return false;
  out.resize(static_cast<std::size_t>(bytes));
  if (WideCharToMultiByte(page, flags, in.data(), size, out.data(), bytes, nullptr, usedDefaultPtr) != bytes)
    return false;
  return !usedDefault;
}

}  // namespace

std::wstring shiftJisToWide(std::string_view sjis) {
  if (sjis.empty() || sjis.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return {};
  const int size = static_cast<int>(sjis.size());
  const int units = MultiByteToWideChar(932, 0, sjis.data(), size, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(932, 0, sjis.data(), size, wide.data(), units);
  return wide;
}

std::string wideToUtf8(std::wstring_view wide) {
  if (wide.empty() || wide.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return {};
  const int size = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

bool systemConvert(std::string_view in, Encoding from, Encoding to, std::string& out) {
  std::wstring wide;
  if (!decode(in, from, wide)) return false;
  if (from == Encoding::utf8 && to == Encoding::utf8) {
    out.assign(in);
    return true;
  }
  return encode(wide, to, out);
}

}  // namespace ps::platform
