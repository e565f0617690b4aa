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
  // Along the road from BP to the stretch's first listed station: the
  // lengths of the earlier stretches, each from its first to its last
  // listed station. A station equation changes the labels, never this.
  Micrometres distance = 0;
  // Whole stations of the stretch.
  std::int64_t wholeStations = 0;
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

  // A listed station's distance along the road from BP.
  static Micrometres distanceOf(const StationStretch& stretch, const ListedStation& station) {
    return stretch.distance + (station.display - stretch.stations.front().display);
  }
  // The road's zero from BP: No.0+0.0 where the road passes it before any
  // station equation, else BP itself (0).
  Micrometres zeroDistance() const { return zeroDistance_; }
  // From BP to EP along the road.
  Micrometres length() const { return length_; }

 private:
  void listStations(const landxml::Alignment& alignment);

  double interval_;
  Micrometres intervalUm_;
  std::vector<StationStretch> stretches_;
  Micrometres zeroDistance_ = 0;
  Micrometres length_ = 0;
};

// The stretches of an alignment (ends, offsets and whole-station counts,
// without their stations), found by arithmetic alone: what a road would
// list, before listing it, however many stations that is. Throws
// MappingRefused for a road without length or a bad interval.
std::vector<StationStretch> stretchOutline(const landxml::Alignment& alignment);

// Rounds metres to whole micrometres; rounds micrometres to whole millimetres.
Micrometres toMicrometres(double metres);
Micrometres roundToMillimetre(Micrometres um);
// The double that the decimal um / 10^6 reads back as.
double toMetres(Micrometres um);

}  // namespace ps::import
