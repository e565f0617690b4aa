#include "platform/text_encoding.h"

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

// The offset of the first character that fails, found by converting ever
// smaller pieces cut at character boundaries: the first failing block of
// 64 KiB, in it the first failing block of 256 bytes, in that the first
// failing character. A piece before the first error converts on its own,
// so each cut there falls on a true character boundary.
std::size_t firstError(std::string_view in, Encoding from, Encoding to) {
  std::size_t begin = 0;
  std::size_t end = in.size();
  std::string scratch;
  for (std::size_t blockBytes : {std::size_t{1} << 16, std::size_t{256}, std::size_t{1}}) {
    bool found = false;
    std::size_t blockStart = begin;
    while (blockStart < end && !found) {
      std::size_t blockEnd = blockStart;
      while (blockEnd < end && blockEnd - blockStart < blockBytes) {
        const std::size_t length = characterLength(from, static_cast<unsigned char>(in[blockEnd]));
        blockEnd = end - blockEnd < length ? end : blockEnd + length;
      }
      if (!convertChecked(in.substr(blockStart, blockEnd - blockStart), from, to, scratch)) {
        begin = blockStart;
        end = blockEnd;
        found = true;
      }
      blockStart = blockEnd;
    }
    if (!found) break;  // only the whole fails: report where the search stands
  }
  return begin;
}

}  // namespace

Converted convertText(std::string_view in, Encoding from, Encoding to) {
  if (from != Encoding::utf8 && to != Encoding::utf8)
    throw std::invalid_argument("convertText: one side must be UTF-8");
  Converted result;
  if (!convertChecked(in, from, to, result.text)) {
    result.text.clear();
    result.errorOffset = firstError(in, from, to);
  }
  return result;
}

bool isValidShiftJis(std::string_view bytes) {
  std::string scratch;
  return systemConvert(bytes, Encoding::shiftJis, Encoding::utf8, scratch);
}

}  // namespace ps::platform
