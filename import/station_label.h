// A position as the profile data file writes it.
#pragma once

namespace ps::import {

// A station number and a plus below the station interval. The plus is an
// exact decimal: the double that its written digits read back as.
struct StationLabel {
  int number = 0;
  double plus = 0.0;
  friend bool operator==(const StationLabel&, const StationLabel&) = default;
};

}  // namespace ps::import
