#include "text/number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ps {

void appendInt(std::string& out, long long value) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

std::string formatInt(long long value) {
  std::string s;
  appendInt(s, value);
  return s;
}

namespace {

void appendPadded(std::string& out, const char* text, std::size_t len, int width) {
  if (width > 0 && static_cast<std::size_t>(width) > len) out.append(width - len, ' ');
  out.append(text, len);
}

// "00" to "99".
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `value` (below 10^16) in decimal ending just before `end`; returns
// where its first digit stands.
char* writeDigitsBackward(char* end, std::uint64_t value) {
  while (value >= 100) {
    const std::uint64_t pair = value % 100;
    value /= 100;
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * pair, 2);
  }
  if (value >= 10) {
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * value, 2);
  } else {
    *--end = static_cast<char>('0' + value);
  }
  return end;
}

// Writes a count of units of 10^-Decimals: the padding, the sign, the whole
// part, the decimals.
template <int Decimals>
char* writeUnitsWith(char* out, std::uint64_t units, bool negative, int width) {
  constexpr std::uint64_t kScale = Decimals == 0 ? 1 : Decimals == 1 ? 10 : Decimals == 2 ? 100 : 1000;
  char digits[24];
  char* const end = digits + sizeof digits;
  char* first = end;
  if constexpr (Decimals > 0) {
    std::uint64_t fraction = units % kScale;
    for (int k = 0; k < Decimals; ++k, fraction /= 10) *--first = static_cast<char>('0' + fraction % 10);
    *--first = '.';
  }
  first = writeDigitsBackward(first, units / kScale);
  const int length = negative + static_cast<int>(end - first);
  for (int k = length; k < width; ++k) *out++ = ' ';
  if (negative) *out++ = '-';
  std::memcpy(out, first, static_cast<std::size_t>(end - first));
  return out + (end - first);
}

char* writeUnits(char* out, std::uint64_t units, bool negative, int width, int decimals) {
  switch (decimals) {
    case 0: return writeUnitsWith<0>(out, units, negative, width);
    case 1: return writeUnitsWith<1>(out, units, negative, width);
    case 2: return writeUnitsWith<2>(out, units, negative, width);
    default: return writeUnitsWith<3>(out, units, negative, width);
  }
}

}  // namespace

// The common case, without a decimal expansion. With |value| < 10^(16 - d),
// the 17th significant digit lies below the last printed decimal, so the
// first rounding moves value * 10^d by at most half a unit of that digit,
// under |value| * 10^d * 1e-16 / 2; it decides nothing unless the exact
// value lies that close to a half unit. The exact value is m * 2^e, so
// value * 10^d is (m * 10^d) / 2^-e, an integer division in 64 bits.
char* writeShortFixed(char* out, double value, int width, int decimals) {
  static constexpr std::uint64_t kScale[] = {1, 10, 100, 1000};
  static constexpr double kLimit[] = {1e16, 1e15, 1e14, 1e13};
  if (decimals < 0 || decimals > 3 || width >= kShortFixedBytes) return nullptr;
  const double magnitude = std::fabs(value);
  if (!(magnitude < kLimit[decimals])) return nullptr;  // NaN too

  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) m |= std::uint64_t{1} << 52;
  const int e = (biased != 0 ? biased : 1) - 1075;
  const std::uint64_t scaled = m * kScale[decimals];  // below 2^63
  std::uint64_t units;                                 // of 10^-d, rounded
  if (m == 0) {
    units = 0;
  } else if (e >= 0) {
    units = scaled << e;  // a whole number below 10^16
  } else {
    const int s = -e;
    if (s > 63) return nullptr;
    const std::uint64_t whole = scaled >> s;
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << s) - 1);
    const std::uint64_t half = std::uint64_t{1} << (s - 1);
    if (rest == half) {
      // An exact tie, whole + 1/2 units: at most 17 significant digits, so
      // the first rounding keeps it and the second rounds it away from zero.
      units = whole + 1;
    } else {
      const double distance = static_cast<double>(rest > half ? rest - half : half - rest);
      // Against twice the bound above. 2^-s is built from its bits (s < 64,
      // a normal double).
      const double twoToMinusS = std::bit_cast<double>(static_cast<std::uint64_t>(1023 - s) << 52);
      if (!(distance * twoToMinusS > magnitude * static_cast<double>(kScale[decimals]) * 1e-16)) return nullptr;
      units = whole + (rest > half ? 1 : 0);
    }
  }

  return writeUnits(out, units, std::signbit(value), width, decimals);
}

void appendFixed(std::string& out, double value, int width, int decimals) {
  char shortText[kShortFixedBytes];
  if (const char* end = writeShortFixed(shortText, value, width, decimals)) {
    out.append(shortText, static_cast<std::size_t>(end - shortText));
    return;
  }

  const bool negative = std::signbit(value);
  if (std::isnan(value) || std::isinf(value)) {
    // NaN prints without its sign bit, which differs between processors.
    const char* word = std::isnan(value) ? "nan" : (negative ? "-inf" : "inf");
    appendPadded(out, word, std::char_traits<char>::length(word), width);
    return;
  }

  // 17 significant digits, correctly rounded: d.dddddddddddddddde+XX
  char sci[40];
  auto res = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 16);
  char digits[17];
  int nd = 0;
  const char* p = sci;
  for (; p < res.ptr && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits[nd++] = *p;
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), res.ptr, exponent);

  // digits[k] has the place value 10^(exponent - k). Keep the digits down to
  // the place 10^-decimals; the first dropped digit decides the rounding.
  // The result is held as an integer count of units of 10^-decimals, written
  // into `kept` most significant digit first.
  const int keep = exponent + 1 + decimals;
  std::string kept;
  if (keep < 0) {
    kept = "0";
  } else if (keep == 0) {
    kept.assign(1, digits[0] >= '5' ? '1' : '0');
  } else {
    for (int k = 0; k < keep; ++k) kept.push_back(k < nd ? digits[k] : '0');
    if (keep < nd && digits[keep] >= '5') {
      int k = keep - 1;
      while (k >= 0 && kept[k] == '9') kept[k--] = '0';
      if (k >= 0)
        ++kept[k];
      else
        kept.insert(kept.begin(), '1');
    }
  }
  // At least one integer digit.
  if (kept.size() < static_cast<std::size_t>(decimals) + 1)
    kept.insert(kept.begin(), decimals + 1 - kept.size(), '0');

  std::string text;
  text.reserve(kept.size() + 2);
  if (negative) text.push_back('-');
  const std::size_t intDigits = kept.size() - decimals;
  text.append(kept, 0, intDigits);
  if (decimals > 0) {
    text.push_back('.');
    text.append(kept, intDigits, std::string::npos);
  }
  appendPadded(out, text.data(), text.size(), width);
}

void appendExact(std::string& out, double value, int minDecimals) {
  // Seventeen significant digits always read back; the smallest subnormal
  // needs 340 decimals for them.
  constexpr int kMostDecimals = 340;
  std::string text;
  for (int decimals = minDecimals; decimals <= kMostDecimals; ++decimals) {
    text.clear();
    appendFixed(text, value, 0, decimals);
    if (std::strtod(text.c_str(), nullptr) == value) break;
  }
  out += text;
}

std::string formatFixed(double value, int width, int decimals) {
  std::string s;
  appendFixed(s, value, width, decimals);
  return s;
}

}  // namespace ps
