#include "check/layer_checks.h"

#include "input/file_names.h"
#include "text/shift_jis.h"

namespace ps::check {

void checkLayers(const LayerRows& layers, FindingList& out) {
  // The layers the sheet stages select.
  for (const char* name : {"D-TTL-BAND", "D-STR", "D-BGD"}) {
    bool defined = false;
    for (int i = 1; i <= layers.count && !defined; ++i) defined = layers.rows[i].name == name;
    if (!defined) out.warning(kLayerFile, layers.countLine, cat(sjis::kLayerUsedBySheet, name, sjis::kLayerNotDefined));
  }
}

}  // namespace ps::check
