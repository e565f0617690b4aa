#include "dxf/tables.h"

namespace ps {

namespace {

const char* lineTypeName(int code, const char* previous) {
  switch (code) {
    case 1: return "CONTINUOUS";
    case 2: return "HIDDEN";
    case 3: return "CENTER";
    case 4: return "PHANTOM";
    case 5: return "DOT";
    default: return previous;  // an unknown code repeats the row before
  }
}

}  // namespace

void writeLayerTable(DxfStream& out, const LayerDefinitions& layers, bool complete) {
  out.code(0);
  out.text("TABLE");
  out.code(2);
  out.text("LAYER");
  out.code(70);
  out.code(16);
  out.code(0);

  // A first row with an unknown code is drawn with solid lines.
  const char* lineType = "CONTINUOUS";
  for (int i = 1; i <= layers.count; ++i) {
    const LayerDef& row = layers.rows[i];
    lineType = lineTypeName(row.lineTypeCode, lineType);
    out.text("LAYER");
    out.code(2);
    out.text(row.name);
    out.code(70);
    out.code(0);
    out.code(62);
    out.code(row.colour);
    out.code(6);
    out.text(lineType);
    out.code(0);
  }
  if (complete) out.text("ENDTAB");
}

void selectLayer(Drawing& drawing, std::string_view name) {
  drawing.pen.layerName.assign(name);
  const LayerDefinitions& layers = drawing.layers;
  for (int i = 1; i <= layers.count; ++i) {
    if (layers.rows[i].name == name) {
      drawing.pen.colour = layers.rows[i].colour;
      drawing.pen.thickness = layers.rows[i].thickness;
      return;
    }
  }
}

}  // namespace ps
