#include "input/saved_as_utf8.h"

#include <cstddef>

#include "text/shift_jis.h"

namespace ps {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence at `at` (1 for ASCII), or 0 when none
// starts there: the shortest form of a scalar value up to U+10FFFF, no
// surrogate.
std::size_t utf8SequenceAt(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[at + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() - at < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  return length;
}

// Whether the bytes are Shift-JIS by their structure: single bytes, or a
// lead byte (0x81 to 0x9F, 0xE0 to 0xFC) with a trail byte (0x40 to 0x7E,
// 0x80 to 0xFC).
bool isShiftJisStructure(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF)) {
      ++at;
      continue;
    }
    if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) || at + 1 >= bytes.size()) return false;
    const auto trail = static_cast<unsigned char>(bytes[at + 1]);
    if (!((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC))) return false;
    at += 2;
  }
  return true;
}

// The 1-based line of offset `at`; CR, LF and CR LF each end a line.
int lineOf(std::string_view bytes, std::size_t at) {
  int line = 1;
  for (std::size_t k = 0; k < at; ++k) {
    if (bytes[k] == '\n' || (bytes[k] == '\r' && (k + 1 >= bytes.size() || bytes[k + 1] != '\n'))) ++line;
  }
  return line;
}

}  // namespace

std::optional<Utf8Signs> savedAsUtf8(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) return Utf8Signs{true, 1};
  std::size_t first = bytes.size();
  bool longSequence = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = utf8SequenceAt(bytes, at);
    if (length == 0) return std::nullopt;
    if (length > 1 && first == bytes.size()) first = at;
    longSequence = longSequence || length > 2;
    at += length;
  }
  if (first == bytes.size()) return std::nullopt;  // ASCII: the same in both
  if (!longSequence && isShiftJisStructure(bytes)) return std::nullopt;
  return Utf8Signs{false, lineOf(bytes, first)};
}

bool showsUtf8(std::string_view bytes, const Utf8Signs& signs, int line) {
  if (signs.byteOrderMark && line == 1) return true;
  int current = 1;
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    const char c = bytes[k];
    if (c == '\n' || (c == '\r' && (k + 1 >= bytes.size() || bytes[k + 1] != '\n'))) {
      if (current == line) return false;
      ++current;
    } else if (current == line && static_cast<unsigned char>(c) >= 0x80 && !(signs.byteOrderMark && k < 3)) {
      return true;
    }
  }
  return false;
}

std::string savedAsUtf8Message(std::string_view subject, const Utf8Signs& signs) {
  std::string text(subject);
  text += signs.byteOrderMark ? sjis::kSavedAsUtf8WithBom : sjis::kSavedAsUtf8;
  text += sjis::kSaveAsShiftJis;
  return text;
}

}  // namespace ps
