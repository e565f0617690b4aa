// The symbol tables of the TABLES section: line types, layers, text styles.
#pragma once

#include <string_view>

#include "dxf/drawing.h"

namespace ps {

// Writes "2", "TABLES" and the LTYPE table of the five fixed line types.
void writeLineTypeTable(DxfStream& out);

// Writes the LAYER table, one entry per layer. Without `complete` the
// ENDTAB line is left out: a layer file refused part way leaves the table as
// far as it was read.
void writeLayerTable(DxfStream& out, const LayerDefinitions& layers, bool complete = true);

// Writes the STYLE table: STANDARD and KANJI.
void writeStyleTable(DxfStream& out);

// Makes a layer current: its name always, its colour and thickness when the
// layer definitions hold it (the first row of that name).
void selectLayer(Drawing& drawing, std::string_view name);

}  // namespace ps
