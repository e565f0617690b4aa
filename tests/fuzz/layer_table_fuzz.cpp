// Fuzz target: the layer definition reader with the LAYER table written from
// it. A read either refuses the file or keeps at most 19 layers of names up
// to 49 bytes without NUL bytes, and the table is closed.
#include <cstdint>

#include "driver/run.h"
#include "dxf/tables.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  ps::LayerRows rows;
  ps::Scanner in(ps::fuzz::asText(bytes, size), ps::kLayerFile);
  try {
    ps::readLayerDefinitions(in, rows);
  } catch (const ps::InputRefused& refused) {
    FUZZ_CHECK(ps::fuzz::isRefusalOf(refused.message, ps::kLayerFile));
    return 0;
  }
  FUZZ_CHECK(rows.count >= 0 && rows.count <= ps::LayerRows::kCapacity);
  for (int i = 1; i <= rows.count; ++i) {
    FUZZ_CHECK(rows.rows[i].name.size() <= ps::LayerRows::kMaxNameBytes);
    FUZZ_CHECK(rows.rows[i].name.find('\0') == std::string::npos);
  }

  ps::StringSink sink;
  ps::DxfStream out(sink);
  ps::Drawing drawing(out);
  drawing.layers = ps::layerDefinitionsOf(rows);
  ps::writeLayerTable(out, drawing.layers);
  out.flush();
  FUZZ_CHECK(sink.text.ends_with("\r\nENDTAB\r\n"));
  FUZZ_CHECK(sink.text.find('\0') == std::string::npos);
  // Selecting any layer, defined or not, stays within the table.
  ps::selectLayer(drawing, rows.count > 0 ? rows.rows[rows.count].name : "D-STR");
  return 0;
}
