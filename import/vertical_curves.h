// Makes a sheet's vertical curves fit between their neighbours as the
// generator computes positions, to the last bit.
#pragma once

#include "import/sheet_tables.h"

namespace ps::import {

// Computes every VIP's chainage, curve begin and curve end the way the
// drawing does (from the written station table; a VIP beyond the sheet's
// ends by station arithmetic from the nearest end, with the station
// interval) and shortens a curve by
// micrometres where rounding lets it reach a hair past a neighbouring VIP
// or into the next curve. Throws MappingRefused when VIPs do not ascend or
// curves overlap by more than rounding (the design's own curves overlap).
void settleVerticalCurves(SheetTables& sheet, double interval);

}  // namespace ps::import
