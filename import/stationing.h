// Display stations of an alignment: the internal stations of the road file
// with the station equations applied, split into the stretches between
// equations, and the stations a sheet lists (every whole station, the
// horizontal key points, the alignment's ends).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "landxml/road_model.h"
#include "import/mapping_refused.h"
#include "import/station_label.h"

namespace ps::import {

// Display positions in whole micrometres: every written plus, and every sum
// or difference of them, is exact in this unit.
using Micrometres = std::int64_t;
inline constexpr double kMicrometresPerMetre = 1e6;

// A listed station: where it is written, where it lies, what it marks.
struct ListedStation {
  StationLabel label;
  Micrometres display = 0;      // display station of the label
  double internal = 0.0;        // internal station of the label (a written position)
  double firstMerged = 0.0;     // internal stations of the points merged into it
  double lastMerged = 0.0;
  bool whole = false;           // plus 0
  std::vector<std::string> names;  // key point names, in road order, each once
};

// The stretch between two station equations (or the alignment's ends).
struct StationStretch {
  double begin = 0.0;  // internal stations
  double end = 0.0;
  double offset = 0.0;  // display station = internal station + offset
  std::vector<ListedStation> stations;
};

// Converts between internal stations, display stations and labels for one
// alignment. The interval must be a positive whole number of millimetres.
class Stationing {
 public:
  explicit Stationing(const landxml::Alignment& alignment);

  double interval() const { return interval_; }
  Micrometres intervalMicrometres() const { return intervalUm_; }

  // The stretches between equations, each with its listed stations.
  const std::vector<StationStretch>& stretches() const { return stretches_; }

  // The label of a display position, and back.
  StationLabel labelOf(Micrometres display) const;
  Micrometres displayOf(const StationLabel& label) const;

 private:
  void listStations(const landxml::Alignment& alignment);

  double interval_;
  Micrometres intervalUm_;
  std::vector<StationStretch> stretches_;
};

// Rounds metres to whole micrometres; rounds micrometres to whole millimetres.
Micrometres toMicrometres(double metres);
Micrometres roundToMillimetre(Micrometres um);
// The double that the decimal um / 10^6 reads back as.
double toMetres(Micrometres um);

}  // namespace ps::import
