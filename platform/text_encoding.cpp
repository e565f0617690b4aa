#include "platform/text_encoding.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace ps::platform {

namespace {

// The length of the character that starts with `lead`, as far as the source
// encoding's lead bytes tell; an invalid sequence then fails as one unit.
std::size_t characterLength(Encoding encoding, unsigned char lead) {
  switch (encoding) {
    case Encoding::utf8:
      if (lead >= 0xF0 && lead <= 0xF7) return 4;
      if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
      return lead >= 0xC0 ? 2 : 1;
    case Encoding::shiftJis:
      return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
    case Encoding::latin1:
      return 1;
  }
  return 1;
}

// The conversion with the read-back check that makes one-way mappings
// errors.
bool convertChecked(std::string_view in, Encoding from, Encoding to, std::string& out) {
  if (!systemConvert(in, from, to, out)) return false;
  if (from != Encoding::utf8 || to == Encoding::utf8) return true;
  std::string back;
  return systemConvert(out, to, Encoding::utf8, back) && back == in;
}

// The end of the piece that starts at `begin`: at least `bytes` long where
// the text allows, cut after a whole character as far as lead bytes tell.
std::size_t pieceEnd(std::string_view in, Encoding from, std::size_t begin, std::size_t end, std::size_t bytes) {
  std::size_t at = begin;
  while (at < end && at - begin < bytes) {
    const std::size_t length = characterLength(from, static_cast<unsigned char>(in[at]));
    at = end - at < length ? end : at + length;
  }
  return at;
}

// The offset of the first character that fails, found by converting ever
// smaller pieces: the first failing piece of 64 KiB, in it the first
// failing piece of 256 bytes, in that the first failing character. A
// piece before the first error converts on its own, so each cut there
// falls on a true character boundary.
std::size_t firstError(std::string_view in, Encoding from, Encoding to, std::size_t begin, std::size_t end) {
  std::string scratch;
  for (std::size_t pieceBytes : {std::size_t{1} << 16, std::size_t{256}, std::size_t{1}}) {
    bool found = false;
    for (std::size_t pieceStart = begin; pieceStart < end && !found;) {
      const std::size_t stop = pieceEnd(in, from, pieceStart, end, pieceBytes);
      if (!convertChecked(in.substr(pieceStart, stop - pieceStart), from, to, scratch)) {
        begin = pieceStart;
        end = stop;
        found = true;
      }
      pieceStart = stop;
    }
    if (!found) break;  // only the whole fails: report where the search stands
  }
  return begin;
}

}  // namespace

Converted convertText(std::string_view in, Encoding from, Encoding to) {
  if (from != Encoding::utf8 && to != Encoding::utf8)
    throw std::invalid_argument("convertText: one side must be UTF-8");
  // In pieces of about 1 MiB, so that what the system needs beside the
  // result (a UTF-16 copy on Windows, and for validation on Linux) stays
  // small.
  Converted result;
  result.text.reserve(in.size());
  std::string piece;
  for (std::size_t begin = 0; begin < in.size();) {
    const std::size_t end = pieceEnd(in, from, begin, in.size(), std::size_t{1} << 20);
    if (!convertChecked(in.substr(begin, end - begin), from, to, piece)) {
      result.text.clear();
      result.errorOffset = firstError(in, from, to, begin, end);
      break;
    }
    result.text += piece;
    begin = end;
  }
  return result;
}

std::string shiftJisShown(std::string_view utf8) {
  Converted whole = convertText(utf8, Encoding::utf8, Encoding::shiftJis);
  if (whole.ok()) return std::move(whole.text);
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = std::min(characterLength(Encoding::utf8, static_cast<unsigned char>(utf8[pos])),
                                        utf8.size() - pos);
    const Converted one = convertText(utf8.substr(pos, length), Encoding::utf8, Encoding::shiftJis);
    out += one.ok() ? one.text : std::string("?");
    pos += length;
  }
  return out;
}

bool isValidShiftJis(std::string_view bytes) { return convertText(bytes, Encoding::shiftJis, Encoding::utf8).ok(); }

}  // namespace ps::platform
