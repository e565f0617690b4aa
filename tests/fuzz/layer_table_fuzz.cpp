// Fuzz target: the layer definition reader with the LAYER table it writes.
// A read either refuses the file or keeps at most 19 layers of names up to
// 49 bytes and closes the table.
#include <cstdint>

#include "driver/run.h"
#include "dxf/tables.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  ps::StringSink sink;
  ps::DxfStream out(sink);
  ps::Drawing drawing(out);
  ps::Scanner in(ps::fuzz::asText(bytes, size), ps::kLayerFile);
  try {
    ps::writeLayerTable(drawing, in);
  } catch (const ps::InputRefused& refused) {
    FUZZ_CHECK(ps::fuzz::isRefusalOf(refused.message, ps::kLayerFile));
    return 0;
  }
  out.flush();
  const ps::LayerDefinitions& layers = drawing.layers;
  FUZZ_CHECK(layers.count >= 0 && layers.count <= ps::LayerDefinitions::kCapacity);
  for (int i = 1; i <= layers.count; ++i) FUZZ_CHECK(layers.rows[i].name.size() <= ps::LayerDefinitions::kMaxNameBytes);
  FUZZ_CHECK(sink.text.ends_with("\r\nENDTAB\r\n"));
  // Selecting any layer, defined or not, stays within the table.
  ps::selectLayer(drawing, layers.count > 0 ? layers.rows[layers.count].name : "D-STR");
  return 0;
}
