// The system conversion on Linux: glibc's iconv.
#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "platform/text_encoding.h"

namespace ps::platform {

namespace {

const char* iconvName(Encoding encoding) {
  switch (encoding) {
    case Encoding::utf8:
      return "UTF-8";
    case Encoding::shiftJis:
      return "CP932";
    case Encoding::latin1:
      return "ISO-8859-1";
  }
  return "UTF-8";
}

class Converter {
 public:
  // A conversion iconv does not know leaves the converter closed.
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (open()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool open() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in` onward into `out` after its first `written` bytes, growing
  // `out`, until the input is used up (true) or a sequence cannot be
  // converted: invalid, cut short, or a character the target lacks (glibc
  // reports them as EILSEQ or EINVAL). Then false, and `in` starts at it.
  bool convert(std::string_view& in, std::string& out, std::size_t& written) {
    if (in.size() > std::numeric_limits<std::size_t>::max() / 8) throw std::length_error("text too long to convert");
    if (out.size() < written + in.size() * 2 + 16) out.resize(written + in.size() * 2 + 16);
    char* inPtr = const_cast<char*>(in.data());  // iconv does not write through it
    std::size_t inLeft = in.size();
    bool converted = true;
    while (inLeft > 0) {
      char* outPtr = out.data() + written;
      std::size_t outLeft = out.size() - written;
      const std::size_t status = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      written = out.size() - outLeft;
      if (status != static_cast<std::size_t>(-1)) continue;
      if (errno != E2BIG) {
        converted = false;
        break;
      }
      out.resize(out.size() * 2);
    }
    in.remove_prefix(in.size() - inLeft);
    return converted;
  }

  // Back to the initial shift state, after a sequence was skipped.
  void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  // The whole of `in` converted, or false.
  bool run(std::string_view in, std::string& out) {
    if (!open()) throw std::runtime_error("iconv cannot convert this pair of character sets");
    std::size_t written = 0;
    const bool converted = convert(in, out, written);
    out.resize(written);
    return converted;
  }

 private:
  iconv_t cd_;
};

// Whether iconv's name for a character set names code page 932 or its
// JIS relative, whose bytes need no conversion for the person reading.
bool isShiftJisCharset(std::string charset) {
  for (char& c : charset) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return charset == "CP932" || charset == "WINDOWS-31J" || charset == "SHIFT_JIS" || charset == "SHIFT-JIS" ||
         charset == "SJIS" || charset == "MS_KANJI";
}

}  // namespace

NamedDecode decodeNamed(std::string_view in, std::string_view encodingName) {
  NamedDecode result;
  // iconv reads "//" in a name as options; a name with a NUL would be cut.
  const std::string name(encodingName);
  if (name.empty() || name.find('/') != std::string::npos || name.find('\0') != std::string::npos) {
    result.status = NamedDecode::Status::unknownEncoding;
    return result;
  }
  Converter converter("UTF-8", name.c_str());
  if (!converter.open()) {
    result.status = NamedDecode::Status::unknownEncoding;
    return result;
  }
  // One pass over the whole input: iconv stops at the first invalid or
  // incomplete sequence, and what it wrote before it is the text before it.
  std::string& out = result.text;
  if (!converter.run(in, out)) result.status = NamedDecode::Status::invalidBytes;
  // What every text of the program must be: UTF-8 of scalar values up to
  // U+10FFFF, whatever a converter lets through.
  const Converted valid = convertText(out, Encoding::utf8, Encoding::utf8);
  if (!valid.ok()) {
    out.resize(*valid.errorOffset);
    result.status = NamedDecode::Status::invalidBytes;
  }
  return result;
}

std::string shiftJisForTerminal(std::string_view sjis, const std::string& charset) {
  if (isShiftJisCharset(charset)) return std::string(sjis);
  Converter converter(charset.c_str(), "CP932");
  if (!converter.open()) return std::string(sjis);
  std::string out;
  std::size_t written = 0;
  while (!converter.convert(sjis, out, written) && !sjis.empty()) {
    // A byte that starts no character, or one the terminal's set lacks:
    // a '?' for the character, as far as its lead byte tells.
    const auto lead = static_cast<unsigned char>(sjis.front());
    const std::size_t length = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
    sjis.remove_prefix(std::min(length, sjis.size()));
    if (out.size() - written < 1) out.resize(out.size() * 2 + 1);
    out[written++] = '?';
    converter.reset();
  }
  out.resize(written);
  return out;
}

bool systemConvert(std::string_view in, Encoding from, Encoding to, std::string& out) {
  if (from == Encoding::utf8 && to == Encoding::utf8) {
    // glibc's UTF-8 decoder takes sequences beyond U+10FFFF; its UTF-16
    // encoder does not, which gives the validity Windows applies.
    std::string utf16;
    if (!Converter("UTF-16LE", "UTF-8").run(in, utf16)) return false;
    out.assign(in);
    return true;
  }
  return Converter(iconvName(to), iconvName(from)).run(in, out);
}

}  // namespace ps::platform
