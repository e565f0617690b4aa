#include "text/number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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
    const double distance = static_cast<double>(rest > half ? rest - half : half - rest);
    // Against twice the bound above; an exact tie falls back too. 2^-s is
    // built from its bits (s < 64, a normal double).
    const double twoToMinusS = std::bit_cast<double>(static_cast<std::uint64_t>(1023 - s) << 52);
    if (!(distance * twoToMinusS > magnitude * static_cast<double>(kScale[decimals]) * 1e-16)) return nullptr;
    units = whole + (rest > half ? 1 : 0);
  }

  // Written in place: the padding, the sign, the whole part, the decimals.
  const std::uint64_t scale = kScale[decimals];
  std::uint64_t whole = units / scale, fraction = units % scale;
  int wholeDigits = 1;
  for (std::uint64_t rest = whole; rest >= 10; rest /= 10) ++wholeDigits;
  const bool negative = std::signbit(value);
  const int length = negative + wholeDigits + (decimals > 0 ? 1 + decimals : 0);
  for (int k = length; k < width; ++k) *out++ = ' ';
  if (negative) *out++ = '-';
  for (int k = wholeDigits - 1; k >= 0; --k, whole /= 10) out[k] = static_cast<char>('0' + whole % 10);
  out += wholeDigits;
  if (decimals > 0) {
    *out++ = '.';
    for (int k = decimals - 1; k >= 0; --k, fraction /= 10) out[k] = static_cast<char>('0' + fraction % 10);
    out += decimals;
  }
  return out;
}

void appendFixed(std::string& out, double value, int width, int decimals) {
  char shortText[kShortFixedBytes];
  if (const char* end = writeShortFixed(shortText, value, width, decimals)) {
    out.append(shortText, static_cast<std::size_t>(end - shortText));
    return;
  }

  const bool negative = std::signbit(value);
  if (std::isnan(value) || std::isinf(value)) {
    const char* word = std::isnan(value) ? (negative ? "-nan" : "nan") : (negative ? "-inf" : "inf");
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
    kept = digits[0] >= '5' ? "1" : "0";
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
