#include "dxf/number_format.h"

#include <charconv>
#include <cmath>

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

void appendFixed(std::string& out, double value, int width, int decimals) {
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

std::string formatFixed(double value, int width, int decimals) {
  std::string s;
  appendFixed(s, value, width, decimals);
  return s;
}

}  // namespace ps
