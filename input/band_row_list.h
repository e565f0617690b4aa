// The band row list file: the titles of the band rows, top row first.
#pragma once

#include <array>
#include <string>

#include "input/scan_reader.h"

namespace ps {

inline constexpr int kMaxBandTitles = 20;
inline constexpr std::size_t kMaxBandTitleBytes = 19;

// The titles as read, in file order, with the line each stands on.
struct BandTitles {
  int count = 0;
  std::array<std::string, kMaxBandTitles> word{};
  std::array<int, kMaxBandTitles> line{};
};

// Reads up to 20 white-space separated titles; later ones are ignored. A
// title is its token up to the first NUL byte, and an empty title ends the
// list. A token above 19 bytes is refused (InputRefused), whatever it holds.
void readBandRowList(Scanner& in, BandTitles& titles);

}  // namespace ps
