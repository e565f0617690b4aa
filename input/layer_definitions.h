// The layer definition file: a count, then per layer its colour number, line
// type code, thickness and name.
#pragma once

#include <array>
#include <string>

#include "input/scan_reader.h"

namespace ps {

struct LayerRow {
  int colour = 0;
  int lineTypeCode = 0;
  double thickness = 0.0;
  std::string name;
  int line = 0;  // where the row begins in the file
};

struct LayerRows {
  static constexpr int kCapacity = 19;
  static constexpr std::size_t kMaxNameBytes = 49;
  int count = 0;
  int countLine = 0;
  std::array<LayerRow, kCapacity + 1> rows{};  // rows 1..count
};

// Reads the count ("%d") and the rows (" %d  %d  %lf %s\n"). A name is its
// token up to the first NUL byte. Refuses (InputRefused) a count above 19 or
// a name token above 49 bytes; `layers` then holds the rows read before.
void readLayerDefinitions(Scanner& in, LayerRows& layers);

}  // namespace ps
