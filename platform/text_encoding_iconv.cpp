// The system conversion on Linux: glibc's iconv.
#include <errno.h>
#include <iconv.h>

#include <limits>
#include <stdexcept>

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
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // False on an invalid or incomplete sequence, or a character the target
  // cannot hold (glibc reports both as EILSEQ, a cut one as EINVAL).
  bool run(std::string_view in, std::string& out) {
    if (in.size() > std::numeric_limits<std::size_t>::max() / 8) throw std::length_error("text too long to convert");
    out.resize(in.size() * 2 + 16);
    char* inPtr = const_cast<char*>(in.data());  // iconv does not write through it
    std::size_t inLeft = in.size();
    std::size_t written = 0;
    for (;;) {
      char* outPtr = out.data() + written;
      std::size_t outLeft = out.size() - written;
      const std::size_t status = iconv(cd_, inLeft ? &inPtr : nullptr, &inLeft, &outPtr, &outLeft);
      written = out.size() - outLeft;
      if (status != static_cast<std::size_t>(-1)) {
        if (inLeft == 0) break;
        continue;
      }
      if (errno != E2BIG) return false;
      out.resize(out.size() * 2);
    }
    out.resize(written);
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

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
