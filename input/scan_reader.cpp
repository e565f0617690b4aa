#include "input/scan_reader.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps {

bool isScanSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string_view untilNul(std::string_view token) { return token.substr(0, token.find('\0')); }

int Scanner::currentLine() const {
  const std::size_t end = pos_ < text_.size() ? pos_ : text_.size();
  if (end < countedTo_) {
    countedTo_ = 0;
    countedLines_ = 1;
  }
  for (std::size_t i = countedTo_; i < end; ++i) {
    // The LF of a CR LF pair ends no line of its own.
    const bool endsLine = text_[i] == '\r' || (text_[i] == '\n' && (i == 0 || text_[i - 1] != '\r'));
    if (endsLine && countedLines_ < std::numeric_limits<int>::max()) ++countedLines_;
  }
  countedTo_ = end;
  return countedLines_;
}

void Scanner::refuseNumber() const {
  const int line = currentLine();
  std::string message = fileName_;
  message += sjis::kOf;
  appendInt(message, line);
  message += sjis::kNotANumber;
  throw InputRefused{message, fileName_, line};
}

void Scanner::space() {
  while (!atEnd() && isScanSpace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
}

bool Scanner::literal(char c) {
  if (atEnd() || text_[pos_] != c) return false;
  ++pos_;
  return true;
}

bool Scanner::token(std::string& value) {
  space();
  if (atEnd()) return false;
  const std::size_t start = pos_;
  while (!atEnd() && !isScanSpace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  value.assign(text_.substr(start, pos_ - start));
  return true;
}

bool Scanner::integer(int& value) {
  space();
  if (atEnd()) return false;
  std::size_t p = pos_;
  bool negative = false;
  if (text_[p] == '+' || text_[p] == '-') negative = text_[p++] == '-';
  if (p >= text_.size() || !isDigit(text_[p])) refuseNumber();
  // The magnitude may reach 2^31 for a negative number only.
  long long magnitude = 0;
  const long long limit = negative ? 2147483648LL : 2147483647LL;
  for (; p < text_.size() && isDigit(text_[p]); ++p) {
    magnitude = magnitude * 10 + (text_[p] - '0');
    if (magnitude > limit) refuseNumber();
  }
  value = static_cast<int>(negative ? -magnitude : magnitude);
  pos_ = p;
  return true;
}

bool Scanner::real(double& value) {
  space();
  if (atEnd()) return false;
  const std::size_t start = pos_;
  std::size_t p = pos_;
  const std::size_t n = text_.size();
  if (text_[p] == '+' || text_[p] == '-') ++p;
  std::size_t mantissaDigits = 0;
  while (p < n && isDigit(text_[p])) ++p, ++mantissaDigits;
  if (p < n && text_[p] == '.') {
    ++p;
    while (p < n && isDigit(text_[p])) ++p, ++mantissaDigits;
  }
  if (mantissaDigits == 0) refuseNumber();
  if (p < n && (text_[p] == 'e' || text_[p] == 'E')) {
    ++p;
    if (p < n && (text_[p] == '+' || text_[p] == '-')) ++p;
    if (p >= n || !isDigit(text_[p])) refuseNumber();
    while (p < n && isDigit(text_[p])) ++p;
  }
  // strtod rounds correctly (on Windows mingw-w64 links in its own, not the
  // C runtime's); it needs the number on its own.
  const std::string number(text_.substr(start, p - start));
  const double parsed = std::strtod(number.c_str(), nullptr);
  if (std::isinf(parsed)) refuseNumber();  // beyond the range of a double
  value = parsed;
  pos_ = p;
  return true;
}

}  // namespace ps
