// The system conversion on Windows: MultiByteToWideChar and
// WideCharToMultiByte through UTF-16.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

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

// A name as the table below holds it: in lower case, without '-', '_', '.'
// and blanks, so that "ISO_8859-2", "iso-8859-2" and "ISO8859-2" meet.
std::string nameKey(std::string_view name) {
  std::string key;
  for (char c : name) {
    if (c == '-' || c == '_' || c == '.' || c == ' ') continue;
    key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return key;
}

// The code pages that MultiByteToWideChar converts with MB_ERR_INVALID_CHARS,
// by their IANA names and common aliases. (ISO-2022-JP, UTF-7 and a few
// others convert only without that flag, which would hide invalid bytes:
// they are left out.)
std::optional<UINT> codePageNamed(std::string_view name) {
  struct Page {
    std::string_view key;
    UINT page;
  };
  static constexpr Page kPages[] = {
      {"utf8", 65001},        {"usascii", 20127},     {"ascii", 20127},       {"shiftjis", 932},
      {"sjis", 932},          {"xsjis", 932},         {"mskanji", 932},       {"csshiftjis", 932},
      {"windows31j", 932},    {"cswindows31j", 932},  {"cp932", 932},         {"ms932", 932},
      {"eucjp", 20932},       {"xeucjp", 20932},      {"cseucpkdfmtjapanese", 20932},
      {"windows1250", 1250},  {"windows1251", 1251},  {"windows1252", 1252},  {"windows1253", 1253},
      {"windows1254", 1254},  {"windows1255", 1255},  {"windows1256", 1256},  {"windows1257", 1257},
      {"windows1258", 1258},  {"cp1250", 1250},       {"cp1251", 1251},       {"cp1252", 1252},
      {"cp1253", 1253},       {"cp1254", 1254},       {"cp1255", 1255},       {"cp1256", 1256},
      {"cp1257", 1257},       {"cp1258", 1258},       {"iso88591", 28591},    {"iso88592", 28592},
      {"iso88593", 28593},    {"iso88594", 28594},    {"iso88595", 28595},    {"iso88596", 28596},
      {"iso88597", 28597},    {"iso88598", 28598},    {"iso88599", 28599},    {"iso885913", 28603},
      {"iso885915", 28605},   {"latin1", 28591},      {"latin2", 28592},      {"latin3", 28593},
      {"latin4", 28594},      {"latin5", 28599},      {"latin7", 28603},      {"latin9", 28605},
      {"l1", 28591},          {"l2", 28592},          {"l3", 28593},          {"l4", 28594},
      {"l5", 28599},          {"cyrillic", 28595},    {"arabic", 28596},      {"greek", 28597},
      {"hebrew", 28598},      {"koi8r", 20866},       {"koi8u", 21866},       {"gb2312", 936},
      {"gbk", 936},           {"cp936", 936},         {"gb18030", 54936},     {"big5", 950},
      {"cp950", 950},         {"euckr", 949},         {"cp949", 949},         {"ibm437", 437},
      {"cp437", 437},         {"ibm850", 850},        {"cp850", 850},         {"ibm852", 852},
      {"cp852", 852},         {"ibm866", 866},        {"cp866", 866},         {"windows874", 874},
      {"cp874", 874},         {"tis620", 874},        {"macintosh", 10000},   {"xmacroman", 10000},
  };
  const std::string key = nameKey(name);
  for (const Page& p : kPages)
    if (p.key == key) return p.page;
  return std::nullopt;
}

// Whether every character of a code page that holds a byte below 0x80 is
// that one ASCII character: all of the table above but the double-byte
// tables whose second bytes may be ASCII (Shift_JIS, GBK, UHC, Big5) and
// GB18030, whose four-byte characters hold digits.
bool asciiStaysAscii(UINT page) {
  return page != 932 && page != 936 && page != 949 && page != 950 && page != 54936;
}

bool wideToUtf8(const wchar_t* text, std::size_t size, std::string& out) {
  out.clear();
  if (size == 0) return true;
  if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw std::length_error("text too long to convert");
  const int units = static_cast<int>(size);
  const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out.resize(static_cast<std::size_t>(bytes));
  return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, units, out.data(), bytes, nullptr, nullptr) == bytes;
}

// The end of the line that starts at `begin`: after its LF, or after a CR
// that no LF follows, or the end of the text.
template <class Text>
std::size_t lineEnd(const Text& text, std::size_t begin) {
  for (std::size_t i = begin; i < text.size(); ++i) {
    if (text[i] == '\n') return i + 1;
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return i + 1;
  }
  return text.size();
}

// Converts the text whole; when that fails, line by line up to the first
// line that fails, whose text before it is the result. In the encodings
// read here a byte (or UTF-16 unit) 0x0A or 0x0D is always a line end.
template <class Text, class Convert>
NamedDecode convertByLines(const Text& text, Convert convert) {
  NamedDecode result;
  if (convert(text, 0, text.size(), result.text)) return result;
  result.status = NamedDecode::Status::invalidBytes;
  result.text.clear();
  std::string line;
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t end = lineEnd(text, begin);
    if (!convert(text, begin, end, line)) break;
    result.text += line;
    begin = end;
  }
  return result;
}

NamedDecode decodeUtf16(std::string_view in, bool bigEndian) {
  std::wstring units;
  units.reserve(in.size() / 2);
  for (std::size_t i = 0; i + 1 < in.size(); i += 2) {
    const auto first = static_cast<unsigned char>(in[i]), second = static_cast<unsigned char>(in[i + 1]);
    units.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  NamedDecode result = convertByLines(units, [](const std::wstring& text, std::size_t begin, std::size_t end,
                                                std::string& out) {
    return wideToUtf8(text.data() + begin, end - begin, out);
  });
  // A last byte without its pair is not a character.
  if (in.size() % 2 != 0) result.status = NamedDecode::Status::invalidBytes;
  return result;
}

}  // namespace

NamedDecode decodeNamed(std::string_view in, std::string_view encodingName) {
  const std::string key = nameKey(encodingName);
  if (key == "utf16le" || key == "utf16be") return decodeUtf16(in, key == "utf16be");
  const std::optional<UINT> page = codePageNamed(encodingName);
  if (!page || !IsValidCodePage(*page)) {
    NamedDecode unknown;
    unknown.status = NamedDecode::Status::unknownEncoding;
    return unknown;
  }
  return convertByLines(in, [page](std::string_view text, std::size_t begin, std::size_t end, std::string& out) {
    out.clear();
    if (begin == end) return true;
    const std::string_view piece = text.substr(begin, end - begin);
    if (piece.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
      throw std::length_error("text too long to convert");
    const int size = static_cast<int>(piece.size());
    const int units = MultiByteToWideChar(*page, MB_ERR_INVALID_CHARS, piece.data(), size, nullptr, 0);
    if (units <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    if (MultiByteToWideChar(*page, MB_ERR_INVALID_CHARS, piece.data(), size, wide.data(), units) != units) return false;
    // Wine's EUC-JP table takes a lead byte with any byte after it ("\xbc<"
    // as one character). Where no character has an ASCII byte in it, each
    // ASCII byte must stay an ASCII character.
    if (asciiStaysAscii(*page) &&
        std::count_if(piece.begin(), piece.end(), [](char c) { return (c & 0x80) == 0; }) !=
            std::count_if(wide.begin(), wide.end(), [](wchar_t c) { return c < 0x80; }))
      return false;
    return wideToUtf8(wide.data(), wide.size(), out);
  });
}

std::wstring shiftJisToWide(std::string_view sjis) {
  if (sjis.empty() || sjis.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return {};
  const int size = static_cast<int>(sjis.size());
  const int units = MultiByteToWideChar(932, 0, sjis.data(), size, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(932, 0, sjis.data(), size, wide.data(), units);
  return wide;
}

std::string wideArgumentToUtf8(std::wstring_view wide) {
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
