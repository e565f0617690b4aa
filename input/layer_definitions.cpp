#include "input/layer_definitions.h"

#include "text/shift_jis.h"

namespace ps {

void readLayerDefinitions(Scanner& in, LayerRows& layers) {
  layers.count = 0;
  in.space();
  layers.countLine = in.currentLine();
  int count = 0;
  ScanRead(in).integer(count);
  if (count > LayerRows::kCapacity)
    throw InputRefused{in.fileName() + sjis::kLayerCountLimit, in.fileName(), layers.countLine};

  for (int i = 1; i <= count; ++i) {
    LayerRow& row = layers.rows[i];
    in.space();
    row.line = in.currentLine();
    ScanRead(in)
        .space()
        .integer(row.colour)
        .space()
        .integer(row.lineTypeCode)
        .space()
        .real(row.thickness)
        .space()
        .token(row.name)
        .space();
    if (row.name.size() > LayerRows::kMaxNameBytes)
      throw InputRefused{in.fileName() + sjis::kLayerNameLimit, in.fileName(), row.line};
    row.name.resize(untilNul(row.name).size());
    layers.count = i;
  }
}

}  // namespace ps
