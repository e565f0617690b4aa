#include "check/findings.h"

#include "text/number_format.h"

namespace ps::check {

std::string metres(double value) {
  std::string text = formatFixed(value, 1, 3);
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return text;  // inf, nan
  std::size_t end = text.size();
  while (end > point + 2 && text[end - 1] == '0') --end;
  text.resize(end);
  return text;
}

std::string stationText(int number, double plus) { return "No." + formatInt(number) + "+" + metres(plus); }

}  // namespace ps::check
