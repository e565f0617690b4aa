// The layers the sheet draws on, against the layer definition file.
#pragma once

#include "check/findings.h"
#include "input/layer_definitions.h"

namespace ps::check {

// Each of D-TTL-BAND, D-STR and D-BGD defined (names compare byte for byte).
void checkLayers(const LayerRows& layers, FindingList& out);

}  // namespace ps::check
