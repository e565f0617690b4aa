// Fuzz target: the importer on any bytes, from the road file to the drawn
// sheets, in memory. The road is refused with one console line, or the
// mapping refuses it, or every sheet keeps the generator's limits, reads
// back from its profile data and continuation files as written and draws
// without a refusal.
#include <cmath>
#include <cstdint>
#include <memory>

#include "driver/run.h"
#include "fuzz_check.h"
#include "geometry/chainage.h"
#include "geometry/planned_elevation.h"
#include "landxml/landxml_reader.h"
#include "landxml/partial_profile.h"
#include "import/mapping_refused.h"
#include "import/road_sheets.h"
#include "import/sheet_profile_data.h"
#include "input/continuation.h"
#include "import/template_files.h"
#include "input/profile_data_reader.h"
#include "input/profile_data_writer.h"

namespace {

constexpr char kFileName[] = "road.xml";
// Roads of more stations than this are mapped, but not drawn sheet by
// sheet, to keep one input within the fuzzer's time.
constexpr double kMostStationsDrawn = 600;

void checkSheet(const ps::import::SheetTables& sheet, const ps::HeaderValues& header, double interval,
                const ps::import::TemplateFiles& files, int number, int count) {
  FUZZ_CHECK(sheet.stations.size() >= 2 && sheet.stations.size() <= 30);
  auto data = ps::import::profileDataOf(sheet, header, interval, [](std::string_view s) { return std::string(s); });
  const std::string text = ps::writeProfileData(*data);
  auto back = std::make_unique<ps::ProfileData>();
  ps::Scanner in(text, "Tesmo.dat");
  ps::readProfileData(in, *back);
  FUZZ_CHECK(ps::writeProfileData(*back) == text);
  const std::string continuation = ps::writeContinuation(ps::import::continuationOf(
      sheet, {number, count, "road", "project"}, [](std::string_view s) { return std::string(s); }));
  ps::Continuation read;
  ps::readContinuation(continuation, read);
  FUZZ_CHECK(ps::writeContinuation(read) == continuation);

  // The VIPs ascend as the drawing places them, beyond the sheet's ends
  // too, reach past both ends and keep their curves between their
  // neighbours.
  const ps::StationTable& st = back->stations;
  const double last = ps::chainageOf(st, st.number[st.count], st.plus[st.count]);
  FUZZ_CHECK(20 + last * 1000 / header.horizontalScale <= header.bandDataLength - header.bandRowGap);
  ps::normaliseVipTable(back->vips);
  const ps::VerticalProfile v = ps::verticalProfileOf(*back, ps::Placement{true, interval});
  for (int i = 2; i <= v.count; ++i) FUZZ_CHECK(v.chainage[i] > v.chainage[i - 1]);
  for (int i = 2; i < v.count; ++i) FUZZ_CHECK(v.begin[i] >= v.chainage[i - 1] && v.end[i] <= v.chainage[i + 1]);
  FUZZ_CHECK(v.chainage[1] <= 1e-6 && v.chainage[v.count] >= last - 1e-6);

  ps::StringSink drawing;
  std::string console;
  FUZZ_CHECK(ps::generateDrawing(text, files.layerDefinitions, files.bandRowList, drawing, console, continuation) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  ps::landxml::Road road;
  try {
    road = ps::landxml::readLandXml(ps::fuzz::asText(bytes, size), kFileName);
  } catch (const ps::landxml::ImportRefused& refused) {
    FUZZ_CHECK(ps::fuzz::isImportRefusalOf(refused.message, kFileName));
    return 0;
  }
  static const ps::import::TemplateFiles files = ps::import::bundledTemplate();
  static const ps::HeaderValues header = [] {
    auto data = std::make_unique<ps::ProfileData>();
    ps::Scanner in(files.profileData, "Tesmo.dat");
    ps::readProfileData(in, *data);
    return data->header;
  }();
  for (ps::landxml::Alignment a : road.alignments) {
    if (a.grade.empty()) continue;
    // A grade line over part of the road: the sheets of that part.
    const ps::landxml::ProfileCover cover = ps::landxml::profileCover(a);
    if (cover.cutsBegin() || cover.cutsEnd()) {
      if (!(cover.end - cover.begin >= a.interval)) continue;
      ps::landxml::trimAlignment(a, cover.begin, cover.end);
    }
    ps::import::RoadSheets sheets;
    try {
      sheets = ps::import::mapAlignment(a, ps::import::sheetSettingsOf(header));
    } catch (const ps::import::MappingRefused&) {
      continue;
    }
    FUZZ_CHECK(!sheets.sheets.empty());
    if (a.length / a.interval > kMostStationsDrawn) continue;
    const int count = static_cast<int>(sheets.sheets.size());
    for (int k = 0; k < count; ++k) checkSheet(sheets.sheets[k], header, sheets.interval, files, k + 1, count);
  }
  return 0;
}
