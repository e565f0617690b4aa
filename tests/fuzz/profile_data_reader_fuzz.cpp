// Fuzz target: the profile data reader on any bytes. A read either refuses
// the file or leaves every table within the capacity the sheet relies on.
#include <cstdint>
#include <memory>

#include "input/profile_data_reader.h"
#include "driver/run.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  auto data = std::make_unique<ps::ProfileData>();
  ps::Scanner in(ps::fuzz::asText(bytes, size), ps::kProfileDataFile);
  try {
    ps::readProfileData(in, *data);
  } catch (const ps::InputRefused& refused) {
    FUZZ_CHECK(ps::fuzz::isRefusalOf(refused.message, ps::kProfileDataFile));
    return 0;
  }
  for (int count : {data->groundPoints.count, data->stations.count, data->curves.count,
                    data->superelevations.count})
    FUZZ_CHECK(count >= 0 && count <= ps::kMaxTableRows);
  FUZZ_CHECK(data->vips.count >= 0 && data->vips.count <= ps::kMaxVipRows);
  FUZZ_CHECK(data->annotations.count >= 0 && data->annotations.count <= ps::kMaxAnnotationRows);
  for (const std::string& text : data->annotations.text) FUZZ_CHECK(text.size() <= ps::kMaxAnnotationTokenBytes - 2);
  return 0;
}
