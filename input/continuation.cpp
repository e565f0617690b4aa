#include "input/continuation.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A name holds no control byte: the drawing writes it on one line of its own.
bool isPrintableText(std::string_view text) {
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7f) return false;
  }
  return true;
}

// One line of the file, refused with its file and line.
class ItemLine {
 public:
  ItemLine(std::string_view values, int line) : values_(values), line_(line) {}

  [[noreturn]] void refuse(const char* what) const {
    std::string message = kContinuationFile;
    message += sjis::kOf;
    appendInt(message, line_);
    message += what;
    throw InputRefused{message, kContinuationFile, line_};
  }

  // The comma-separated values; their count must lie in [least, most].
  std::vector<std::string_view> values(std::size_t least, std::size_t most) const {
    std::vector<std::string_view> out;
    std::string_view rest = values_;
    while (true) {
      const std::size_t comma = rest.find(',');
      out.push_back(trimmed(rest.substr(0, comma)));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    if (values_.empty()) out.clear();
    if (out.size() < least || out.size() > most) refuse(sjis::kContinuationBadValue);
    return out;
  }

  int integer(std::string_view text) const {
    std::size_t p = 0;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
    if (p >= text.size()) refuse(sjis::kNotANumber);
    long long magnitude = 0;
    for (; p < text.size(); ++p) {
      if (!isDigit(text[p])) refuse(sjis::kNotANumber);
      magnitude = magnitude * 10 + (text[p] - '0');
      if (magnitude > 2147483648LL) refuse(sjis::kNotANumber);
    }
    if (!negative && magnitude > 2147483647LL) refuse(sjis::kNotANumber);
    return static_cast<int>(negative ? -magnitude : magnitude);
  }

  // A decimal real as the profile data file writes one (sign, digits, point,
  // exponent), the whole value and finite.
  double real(std::string_view text) const {
    std::size_t p = 0;
    const std::size_t n = text.size();
    if (p < n && (text[p] == '+' || text[p] == '-')) ++p;
    std::size_t digits = 0;
    while (p < n && isDigit(text[p])) ++p, ++digits;
    if (p < n && text[p] == '.') {
      ++p;
      while (p < n && isDigit(text[p])) ++p, ++digits;
    }
    if (digits == 0) refuse(sjis::kNotANumber);
    if (p < n && (text[p] == 'e' || text[p] == 'E')) {
      ++p;
      if (p < n && (text[p] == '+' || text[p] == '-')) ++p;
      if (p >= n || !isDigit(text[p])) refuse(sjis::kNotANumber);
      while (p < n && isDigit(text[p])) ++p;
    }
    if (p != n) refuse(sjis::kNotANumber);
    const std::string number(text);
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) refuse(sjis::kNotANumber);
    return value;
  }

  double length(std::string_view text) const {
    const double value = real(text);
    if (value < 0) refuse(sjis::kContinuationBadValue);
    return value;
  }

  int row(std::string_view text) const {
    const int value = integer(text);
    if (value < 1 || value > kMaxTableRows) refuse(sjis::kContinuationRowRange);
    return value;
  }

  std::string text() const {
    if (values_.empty() || !isPrintableText(values_)) refuse(sjis::kContinuationBadValue);
    if (values_.size() > kMaxContinuationTextBytes) refuse(sjis::kContinuationTextLimit);
    return std::string(values_);
  }

  // An item the file gives once: `line` is where it stood before.
  void once(int& line) const {
    if (line != 0) refuse(sjis::kContinuationRepeated);
    line = line_;
  }

 private:
  std::string_view values_;
  int line_;
};

void readItem(std::string_view keyword, const ItemLine& item, Continuation& c, ContinuationLines& lines) {
  if (keyword == "SHEET") {
    item.once(lines.sheet);
    const auto v = item.values(2, 2);
    const int number = item.integer(v[0]);
    const int count = item.integer(v[1]);
    if (number < 1 || count < number || count > kMaxSheetsInSet) item.refuse(sjis::kContinuationBadValue);
    c.sheet = SheetOfSet{number, count};
  } else if (keyword == "ROAD") {
    item.once(lines.road);
    c.roadName = item.text();
  } else if (keyword == "PROJECT") {
    item.once(lines.project);
    c.projectName = item.text();
  } else if (keyword == "FIRST") {
    item.once(lines.first);
    const auto v = item.values(3, 4);
    FirstStation first;
    first.number = item.integer(v[0]);
    first.plus = item.real(v[1]);
    first.distance = item.real(v[2]);
    if (v.size() == 4) first.previous = item.length(v[3]);
    c.first = first;
  } else if (keyword == "LAST") {
    item.once(lines.last);
    const auto v = item.values(2, 3);
    LastStation last;
    last.number = item.integer(v[0]);
    last.plus = item.real(v[1]);
    if (v.size() == 3) last.next = item.length(v[2]);
    c.last = last;
  } else if (keyword == "CURVE") {
    const auto v = item.values(6, 6);
    const int row = item.row(v[0]);
    item.once(lines.curves[row]);
    CurveFacts facts;
    facts.ip = item.integer(v[1]);
    facts.intersectionAngle = item.real(v[2]);
    facts.curveLength = item.length(v[3]);
    facts.tangentLength = item.length(v[4]);
    facts.secantLength = item.length(v[5]);
    if (facts.ip < 1 || !(facts.intersectionAngle >= 0 && facts.intersectionAngle < 360))
      item.refuse(sjis::kContinuationBadValue);
    c.curves[row] = facts;
  } else if (keyword == "SUPER") {
    const auto v = item.values(3, 4);
    const int row = item.row(v[0]);
    item.once(lines.transitions[row]);
    TransitionLengths lengths;
    lengths.runOff = item.length(v[1]);
    lengths.runOut = item.length(v[2]);
    if (v.size() == 4) {
      if (v[3] == "R")
        lengths.raised = RaisedSide::right;
      else if (v[3] == "L")
        lengths.raised = RaisedSide::left;
      else
        item.refuse(sjis::kContinuationBadValue);
    }
    c.transitions[row] = lengths;
  }
}

}  // namespace

void readContinuation(std::string_view text, Continuation& continuation, ContinuationLines* lines) {
  ContinuationLines own;
  ContinuationLines& where = lines ? *lines : own;
  int lineNumber = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    // CR, LF and CR LF each end one line.
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size()) pos += text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
    ++lineNumber;

    line = trimmed(line);
    if (line.empty()) continue;
    std::size_t split = 0;
    while (split < line.size() && !isBlank(line[split])) ++split;
    const std::string_view keyword = line.substr(0, split);
    const ItemLine item(trimmed(line.substr(split)), lineNumber);
    static constexpr std::string_view kKnown[] = {"SHEET", "ROAD", "PROJECT", "FIRST", "LAST", "CURVE", "SUPER"};
    bool known = false;
    for (std::string_view k : kKnown) known = known || keyword == k;
    if (!known) {
      where.unknown.push_back({lineNumber, std::string(keyword)});
      continue;
    }
    readItem(keyword, item, continuation, where);
  }
}

// ---------------------------------------------------------------------------
// Writing.

namespace {

[[noreturn]] void unwritable(const char* what) { throw std::invalid_argument(what); }

void appendReal(std::string& out, double value) {
  if (!std::isfinite(value)) unwritable("a value that is not finite");
  appendExact(out, value, 1);
}

void appendLength(std::string& out, double value) {
  if (!(value >= 0)) unwritable("a negative length");
  appendReal(out, value);
}

void appendText(std::string& out, const char* keyword, const std::string& text) {
  if (text.empty()) return;
  if (text.size() > kMaxContinuationTextBytes) unwritable("a name over its byte limit");
  if (!isPrintableText(text) || trimmed(text).size() != text.size())
    unwritable("a name with a control byte or blanks at an end");
  out += keyword;
  out += ' ';
  out += text;
  out += "\r\n";
}

}  // namespace

std::string writeContinuation(const Continuation& c) {
  std::string out;
  if (c.sheet) {
    if (c.sheet->number < 1 || c.sheet->count < c.sheet->number || c.sheet->count > kMaxSheetsInSet)
      unwritable("a sheet number outside its set");
    out += "SHEET ";
    appendInt(out, c.sheet->number);
    out += ',';
    appendInt(out, c.sheet->count);
    out += "\r\n";
  }
  appendText(out, "ROAD", c.roadName);
  appendText(out, "PROJECT", c.projectName);
  if (c.first) {
    out += "FIRST ";
    appendInt(out, c.first->number);
    out += ',';
    appendReal(out, c.first->plus);
    out += ',';
    appendReal(out, c.first->distance);
    out += ',';
    appendLength(out, c.first->previous);
    out += "\r\n";
  }
  if (c.last) {
    out += "LAST ";
    appendInt(out, c.last->number);
    out += ',';
    appendReal(out, c.last->plus);
    if (c.last->next) {
      out += ',';
      appendLength(out, *c.last->next);
    }
    out += "\r\n";
  }
  for (int row = 1; row <= kMaxTableRows; ++row) {
    if (!c.curves[row]) continue;
    const CurveFacts& f = *c.curves[row];
    if (f.ip < 1 || !(f.intersectionAngle >= 0 && f.intersectionAngle < 360))
      unwritable("an IP number below 1 or an angle outside 0 to 360 degrees");
    out += "CURVE ";
    appendInt(out, row);
    out += ',';
    appendInt(out, f.ip);
    for (double value : {f.intersectionAngle, f.curveLength, f.tangentLength, f.secantLength}) {
      out += ',';
      appendLength(out, value);
    }
    out += "\r\n";
  }
  for (int row = 1; row <= kMaxTableRows; ++row) {
    if (!c.transitions[row]) continue;
    const TransitionLengths& t = *c.transitions[row];
    out += "SUPER ";
    appendInt(out, row);
    out += ',';
    appendLength(out, t.runOff);
    out += ',';
    appendLength(out, t.runOut);
    if (t.raised) out += t.raised == RaisedSide::right ? ",R" : ",L";
    out += "\r\n";
  }
  if (c.curves[0] || c.transitions[0]) unwritable("a table row 0");
  return out;
}

}  // namespace ps
