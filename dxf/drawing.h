// The drawing state of one run: the output stream, the movable origin, the
// current pen, and the layer definitions the pen is chosen from.
#pragma once

#include <array>
#include <string>

#include "dxf/output.h"

namespace ps {

// Local drawing coordinates are paper millimetres relative to this point.
struct DrawOrigin {
  double x = 0.0;
  double y = 0.0;
};

// The current layer, its colour number and its line thickness; set by
// selectLayer, read by every entity writer.
struct PenState {
  std::string layerName;
  int colour = 0;
  double thickness = 0.0;
};

// A layer of the drawing: its LAYER table entry and the pen it gives.
struct LayerDef {
  int colour = 0;
  int lineTypeCode = 0;
  double thickness = 0.0;
  std::string name;
};

struct LayerDefinitions {
  static constexpr int kCapacity = 19;
  int count = 0;
  std::array<LayerDef, kCapacity + 1> rows{};  // rows 1..count
};

struct Drawing {
  explicit Drawing(DxfStream& stream) : out(stream) {}
  DxfStream& out;
  DrawOrigin origin;
  PenState pen;
  LayerDefinitions layers;
};

}  // namespace ps
