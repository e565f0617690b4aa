// Makes a sheet's vertical curves fit between their neighbours as the
// generator computes positions, to the last bit.
#pragma once

#include "import/sheet_tables.h"

namespace ps::import {

// Computes every VIP's chainage, curve begin and curve end the way the
// drawing does (from the written station table) and shortens a curve by
// micrometres where rounding lets it reach a hair past a neighbouring VIP
// or into the next curve. Throws MappingRefused when VIPs do not ascend or
// curves overlap by more than rounding (the design's own curves overlap).
void settleVerticalCurves(SheetTables& sheet);

}  // namespace ps::import
