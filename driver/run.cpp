#include "driver/run.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "dxf/tables.h"
#include "geometry/planned_elevation.h"
#include "input/band_row_list.h"
#include "input/continuation.h"
#include "input/input_file.h"
#include "input/profile_data_reader.h"
#include "input/scan_reader.h"
#include "platform/console.h"
#include "sheet/sheet.h"
#include "text/shift_jis.h"

namespace ps {

bool usableHeader(const HeaderValues& header) {
  for (double value : {header.horizontalScale, header.verticalScale, header.elevationInterval})
    if (!(std::isfinite(value) && value > 0)) return false;
  return true;
}

std::vector<InputRefused> refusalsOfProfileData(const ProfileData& data, const ProfileDataLines* lines) {
  std::vector<InputRefused> refusals;
  if (data.stations.count > kStationLimit)
    refusals.push_back({sjis::kStationLimit, kProfileDataFile, lines ? lines->stations.count : 0});
  const int headerLine = lines ? lines->header : 0;
  if (!usableHeader(data.header))
    refusals.push_back({std::string(kProfileDataFile) + sjis::kHeaderValues, kProfileDataFile, headerLine});
  else if (elevationLevelCount(data.header, kMaxElevationLevels) > kMaxElevationLevels)
    refusals.push_back({std::string(kProfileDataFile) + sjis::kLevelLimit, kProfileDataFile, headerLine});
  return refusals;
}

LayerDefinitions layerDefinitionsOf(const LayerRows& rows) {
  LayerDefinitions layers;
  layers.count = rows.count;
  for (int i = 1; i <= rows.count; ++i) {
    const LayerRow& row = rows.rows[i];
    layers.rows[i] = {row.colour, row.lineTypeCode, row.thickness, row.name};
  }
  return layers;
}

void writeLayersOfFile(Drawing& drawing, std::string_view layerFile) {
  Scanner in(layerFile, kLayerFile);
  auto rows = std::make_unique<LayerRows>();
  try {
    readLayerDefinitions(in, *rows);
  } catch (const InputRefused&) {
    writeLayerTable(drawing.out, layerDefinitionsOf(*rows), false);
    throw;
  }
  drawing.layers = layerDefinitionsOf(*rows);
  writeLayerTable(drawing.out, drawing.layers);
}

namespace {

// A sheet of a set declares its code page, so that every reader decodes its
// Shift-JIS texts.
void writeCodePageHeader(DxfStream& out) {
  out.code(0);
  out.text("SECTION");
  out.code(2);
  out.text("HEADER");
  out.code(9);
  out.text("$ACADVER");
  out.code(1);
  out.text("AC1009");
  out.code(9);
  out.text("$DWGCODEPAGE");
  out.code(3);
  out.text("ANSI_932");
  out.code(0);
  out.text("ENDSEC");
}

}  // namespace

int generateDrawing(std::string_view profileData, std::string_view layerDefinitions,
                    std::string_view bandRowList, OutputSink& sink, std::string& console,
                    std::optional<std::string_view> continuationText) {
  // The drawing calls atan, sin, cos and tan only at fixed arguments (here,
  // and at 30 and 15 degrees in the sheet), where glibc and the Windows C
  // runtime agree to the last bit; for other arguments they can differ by an
  // ulp. Keep data-dependent values out of them, or the two builds' drawings
  // may differ.
  const double pi = 4 * std::atan(1.0);
  DxfStream out(sink);
  auto drawing = std::make_unique<Drawing>(out);
  auto data = std::make_unique<ProfileData>();
  BandTitles titles;
  std::unique_ptr<Continuation> continuation;
  try {
    if (continuationText) writeCodePageHeader(out);
    out.code(0);
    out.text("SECTION");
    writeLineTypeTable(out);
    writeLayersOfFile(*drawing, layerDefinitions);
    writeStyleTable(out);
    out.code(0);
    out.text("ENDSEC");
    out.code(0);
    out.text("SECTION");
    out.code(2);
    out.text("ENTITIES");
    out.code(0);

    Scanner bandFile(bandRowList, kBandRowFile);
    readBandRowList(bandFile, titles);
    Scanner profileFile(profileData, kProfileDataFile);
    readProfileData(profileFile, *data);
    if (const std::vector<InputRefused> refusals = refusalsOfProfileData(*data); !refusals.empty())
      throw refusals.front();

    if (continuationText) {
      continuation = std::make_unique<Continuation>();
      readContinuation(*continuationText, *continuation);
    }

    normaliseVipTable(data->vips);
    Sheet sheet(*drawing, *data, titles, pi, continuation.get());
    drawBandFrameAndGround(sheet);
    drawPlannedProfileAndDiagrams(sheet);

    out.text("ENDSEC");
    out.code(0);
    out.text("EOF");
    return 0;
  } catch (const InputRefused& refused) {
    console += refused.message;
    return 1;
  }
}

RunResult runInMemory(const std::optional<std::string>& profileData,
                      const std::optional<std::string>& layerDefinitions,
                      const std::optional<std::string>& bandRowList,
                      const std::optional<std::string>& continuation) {
  RunResult result;
  // The drawing is created once the profile data file has opened, before
  // the other two are opened.
  if (profileData) result.drawing.emplace();
  const char* missing = !profileData        ? kProfileDataFile
                        : !layerDefinitions ? kLayerFile
                        : !bandRowList      ? kBandRowFile
                                            : nullptr;
  if (missing) {
    result.console = std::string("can't create ") + missing + "\n";
    result.status = 1;
    return result;
  }
  StringSink sink;
  std::optional<std::string_view> continuationText;
  if (continuation) continuationText = *continuation;
  result.status =
      generateDrawing(*profileData, *layerDefinitions, *bandRowList, sink, result.console, continuationText);
  result.drawing = std::move(sink.text);
  return result;
}

namespace {

int cantCreate(const char* name) {
  writeConsole(std::string("can't create ") + name + "\n");
  return 1;
}

}  // namespace

int runInCurrentDirectory() {
  // Opened in this order, each tested at once: a missing layer or band row
  // file leaves the drawing file created and empty.
  std::string profileData, layerDefinitions, bandRowList;
  if (!readWholeFile(kProfileDataFile, profileData)) return cantCreate(kProfileDataFile);
  std::FILE* drawingFile = std::fopen(kDrawingFile, "wb");
  if (!drawingFile) return cantCreate(kDrawingFile);
  if (!readWholeFile(kLayerFile, layerDefinitions)) {
    std::fclose(drawingFile);
    return cantCreate(kLayerFile);
  }
  if (!readWholeFile(kBandRowFile, bandRowList)) {
    std::fclose(drawingFile);
    return cantCreate(kBandRowFile);
  }
  // The continuation file is optional: a sheet of a set has one.
  std::string continuationText;
  const OptionalFile continuation = readOptionalFile(kContinuationFile, continuationText);
  if (continuation == OptionalFile::unreadable) {
    std::fclose(drawingFile);
    return cantCreate(kContinuationFile);
  }

  FileSink sink(drawingFile);
  std::string console;
  int status = generateDrawing(profileData, layerDefinitions, bandRowList, sink, console,
                               continuation == OptionalFile::read
                                   ? std::optional<std::string_view>(continuationText)
                                   : std::nullopt);
  // A drawing that could not be written whole (a full disk) is a failure,
  // not a finished run.
  const bool closed = std::fclose(drawingFile) == 0;
  if ((sink.failed() || !closed) && status == 0) {
    console += std::string("can't write ") + kDrawingFile + "\n";
    status = 1;
  }
  writeConsole(console);
  return status;
}

}  // namespace ps
