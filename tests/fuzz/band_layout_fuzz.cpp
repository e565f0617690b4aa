// Fuzz target: the band row list reader and the rows built from it. A read
// either refuses the file or keeps 0 to 20 titles of 1 to 19 bytes without
// NUL bytes, and the row lookup stays within the rows.
#include <cstdint>

#include "fuzz_check.h"
#include "input/file_names.h"
#include "sheet/band_layout.h"
#include "text/shift_jis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  ps::BandTitles titles;
  ps::Scanner in(ps::fuzz::asText(bytes, size), ps::kBandRowFile);
  try {
    ps::readBandRowList(in, titles);
  } catch (const ps::InputRefused& refused) {
    FUZZ_CHECK(ps::fuzz::isRefusalOf(refused.message, ps::kBandRowFile));
    return 0;
  }
  FUZZ_CHECK(titles.count >= 0 && titles.count <= ps::kMaxBandTitles);
  for (int k = 0; k < titles.count; ++k) {
    FUZZ_CHECK(!titles.word[k].empty() && titles.word[k].size() <= ps::kMaxBandTitleBytes);
    FUZZ_CHECK(titles.word[k].find('\0') == std::string::npos);
  }

  ps::BandRowList rows;
  ps::buildBandRowList(titles, rows);
  FUZZ_CHECK(rows.count == (titles.count > 0 ? titles.count : 1));
  for (const char* key : {ps::sjis::kStationNumber, ps::sjis::kGroundHeight, ps::sjis::kGradeLine,
                          ps::sjis::kSuperelevationDiagram, "", "x"}) {
    const int row = ps::findBandRow(rows, key, rows.count);
    FUZZ_CHECK(row >= 0 && row <= rows.count);
  }
  return 0;
}
