#include "driver/run.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <utility>

#include "dxf/tables.h"
#include "geometry/planned_elevation.h"
#include "input/band_row_list.h"
#include "input/continuation.h"
#include "input/input_file.h"
#include "input/profile_data_reader.h"
#include "input/saved_as_utf8.h"
#include "input/scan_reader.h"
#include "platform/files.h"
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

// The second line of a refusal that comes from a file saved as UTF-8 (on
// the line of its byte order mark, or on a line of UTF-8 text); empty for
// any other refusal.
std::string utf8NoteOf(const InputRefused& refused,
                       std::initializer_list<std::pair<std::string_view, std::string_view>> files) {
  for (const auto& [name, bytes] : files) {
    if (refused.file != name) continue;
    const std::optional<Utf8Signs> signs = savedAsUtf8(bytes);
    if (signs && showsUtf8(bytes, *signs, refused.line)) return savedAsUtf8Message(name, *signs) + "\n";
  }
  return {};
}

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
    console += utf8NoteOf(refused, {{kProfileDataFile, profileData}, {kLayerFile, layerDefinitions},
                                    {kBandRowFile, bandRowList},
                                    {kContinuationFile, continuationText.value_or(std::string_view())}});
    return 1;
  }
}

RunResult runInMemory(const std::optional<std::string>& profileData,
                      const std::optional<std::string>& layerDefinitions,
                      const std::optional<std::string>& bandRowList,
                      const std::optional<std::string>& continuation) {
  RunResult result;
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

int cantCreate(const char* name, std::string& console) {
  console += std::string("can't create ") + name + "\n";
  return 1;
}

// The new drawing until it has taken the place of the old one: removed
// when the run ends any other way.
struct NewDrawing {
  platform::NewFile file;
  bool kept = false;
  ~NewDrawing() {
    if (file.file) std::fclose(file.file);
    if (!kept) platform::removeFile(file.path);
  }
};

}  // namespace

int runInFolder(const std::string& folder, std::string& console) {
  const auto pathOf = [&](const char* name) { return platform::joinPath(folder, name); };
  // Read in this order, each tested at once. Where the drawing file was
  // once opened for writing (after the profile data file), it is now only
  // tested: a drawing that cannot be replaced (a folder, a read-only file,
  // a file held open by CAD) is refused before anything else is read, and
  // the new drawing is created beside it.
  std::string profileData, layerDefinitions, bandRowList;
  if (!readWholeFile(pathOf(kProfileDataFile), profileData)) return cantCreate(kProfileDataFile, console);
  const std::string drawingPath = pathOf(kDrawingFile);
  if (!platform::canReplace(drawingPath)) return cantCreate(kDrawingFile, console);
  std::optional<platform::NewFile> created = platform::createBeside(drawingPath);
  if (!created) return cantCreate(kDrawingFile, console);
  NewDrawing drawing{*created};
  if (!readWholeFile(pathOf(kLayerFile), layerDefinitions)) return cantCreate(kLayerFile, console);
  if (!readWholeFile(pathOf(kBandRowFile), bandRowList)) return cantCreate(kBandRowFile, console);
  // The continuation file is optional: a sheet of a set has one.
  std::string continuationText;
  const OptionalFile continuation = readOptionalFile(pathOf(kContinuationFile), continuationText);
  if (continuation == OptionalFile::unreadable) return cantCreate(kContinuationFile, console);

  FileSink sink(drawing.file.file);
  int status = generateDrawing(profileData, layerDefinitions, bandRowList, sink, console,
                               continuation == OptionalFile::read
                                   ? std::optional<std::string_view>(continuationText)
                                   : std::nullopt);
  // A drawing that could not be written whole (a full disk) is a failure,
  // not a finished run.
  const bool closed = std::fclose(drawing.file.file) == 0;
  drawing.file.file = nullptr;
  if ((sink.failed() || !closed) && status == 0) {
    console += std::string("can't write ") + kDrawingFile + "\n";
    status = 1;
  }
  if (status == 0) {
    drawing.kept = platform::replaceFile(drawing.file.path, drawingPath);
    if (!drawing.kept) status = cantCreate(kDrawingFile, console);
  }
  return status;
}

}  // namespace ps
