// Fuzz target: the number formatter against its definition, spelled out
// with printf: the 17 significant digits of "%.16e", rounded half away from
// zero to the decimals. Each 8 input bytes are a double (eight at most); it
// is checked with its neighbours and with the values around the nearest half
// unit of each decimal place, where the two roundings could disagree.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "text/number_format.h"
#include "fuzz_check.h"

namespace {

std::string byDefinition(double value, int width, int decimals) {
  char text[400];
  if (std::isnan(value) || std::isinf(value)) {
    std::snprintf(text, sizeof text, "%*s", width,
                  std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf"));
    return text;
  }
  std::snprintf(text, sizeof text, "%.16e", std::fabs(value));
  std::string digits = std::string(1, text[0]) + std::string(text + 2, 16);
  const int exponent = std::atoi(std::strchr(text, 'e') + 1);
  // digits[k] has the place value 10^(exponent - k); pad so that the place
  // 10^-decimals and the one below it exist, and whole places above it.
  const int leading = exponent < 0 ? -exponent : 0;
  digits.insert(0, leading + 1, '0');  // one more for a carry
  const int point = leading + 1 + exponent + 1;  // digits before the point
  if (static_cast<int>(digits.size()) < point + decimals + 1) digits.resize(point + decimals + 1, '0');
  std::string kept = digits.substr(0, point + decimals);
  if (digits[point + decimals] >= '5') {
    int k = static_cast<int>(kept.size()) - 1;
    while (kept[k] == '9') kept[k--] = '0';
    ++kept[k];
  }
  std::string whole = kept.substr(0, point);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  std::string out = (std::signbit(value) ? "-" : "") + whole;
  if (decimals > 0) out += "." + kept.substr(point);
  if (static_cast<int>(out.size()) < width) out.insert(0, width - out.size(), ' ');
  return out;
}

void check(double value) {
  for (int decimals = 0; decimals <= 3; ++decimals)
    for (int width : {1, 5}) {
      const std::string got = ps::formatFixed(value, width, decimals);
      const std::string want = byDefinition(value, width, decimals);
      if (got != want) std::fprintf(stderr, "%.17g, %d decimals: \"%s\", expected \"%s\"\n", value, decimals,
                                    got.c_str(), want.c_str());
      FUZZ_CHECK(got == want);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  for (std::size_t at = 0; at + 8 <= size && at < 64; at += 8) {
    double value;
    std::memcpy(&value, bytes + at, 8);
    double near = value;
    for (int k = 0; k < 4; ++k) near = std::nextafter(near, 0.0);
    for (int k = 0; k < 9; ++k, near = std::nextafter(near, value < 0 ? -INFINITY : INFINITY)) check(near);
    for (double scale : {1.0, 10.0, 100.0, 1000.0}) {
      const double tie = (std::floor(value * scale) + 0.5) / scale;
      double around = tie;
      for (int k = 0; k < 4; ++k) around = std::nextafter(around, -INFINITY);
      for (int k = 0; k < 9; ++k, around = std::nextafter(around, INFINITY)) check(around);
    }
  }
  return 0;
}
