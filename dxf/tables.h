// The symbol tables of the TABLES section: line types, layers, text styles.
#pragma once

#include <string_view>

#include "driver/scan_reader.h"
#include "dxf/drawing.h"

namespace ps {

// Writes "2", "TABLES" and the LTYPE table of the five fixed line types.
void writeLineTypeTable(DxfStream& out);

// Reads the layer definition file into drawing.layers while writing the
// LAYER table, one entry per row as it is read. Refuses more than 19 rows or
// a name above 49 bytes (InputRefused).
void writeLayerTable(Drawing& drawing, Scanner& layerFile);

// Writes the STYLE table: STANDARD and KANJI.
void writeStyleTable(DxfStream& out);

// Makes a layer current: its name always, its colour and thickness when the
// layer definitions hold it (the first row of that name).
void selectLayer(Drawing& drawing, std::string_view name);

}  // namespace ps
