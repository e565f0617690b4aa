// Collecting findings, and the pieces their messages share.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "check/check_inputs.h"

namespace ps::check {

class FindingList {
 public:
  void error(const char* file, int line, std::string message) {
    findings_.push_back({file, line, Severity::error, std::move(message)});
  }
  void warning(const char* file, int line, std::string message) {
    findings_.push_back({file, line, Severity::warning, std::move(message)});
  }
  std::vector<Finding>& all() { return findings_; }

 private:
  std::vector<Finding> findings_;
};

// The parts of a message, one after the other.
template <typename... Parts>
std::string cat(const Parts&... parts) {
  std::string text;
  ((text += parts), ...);
  return text;
}

// A length, height or chainage in metres: to the millimetre, without the
// zeros after the first decimal ("12.0", "6.25", "0.063").
std::string metres(double value);

// A station as the messages show it: "No.5+12.0".
std::string stationText(int number, double plus);

}  // namespace ps::check
