#include "import/import_program.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>
#include <variant>

#include "check/check_inputs.h"
#include "driver/run.h"
#include "landxml/alignment_selection.h"
#include "import/import_options.h"
#include "import/import_report.h"
#include "landxml/landxml_reader.h"
#include "landxml/partial_profile.h"
#include "import/mapping_refused.h"
#include "import/output_folder.h"
#include "landxml/refusal.h"
#include "import/road_sheets.h"
#include "import/sheet_profile_data.h"
#include "import/sheet_set_writer.h"
#include "import/template_files.h"
#include "input/profile_data_reader.h"
#include "input/continuation.h"
#include "input/profile_data_writer.h"
#include "platform/files.h"
#include "platform/program_info.h"
#include "platform/text_encoding.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps::import {

namespace {

namespace fs = std::filesystem;

// The template's files with its header values read, as every sheet takes
// them.
struct Template {
  TemplateFiles files;
  HeaderValues header;
};

// A file of a folder as the messages show it.
std::string shownIn(const std::string& folder, const char* name) { return shownPath(platform::joinPath(folder, name)); }

Template loadTemplate(const ImportOptions& options) {
  Template t;
  std::string profileName = kProfileDataFile, folderName = ".";
  if (options.templateDir) {
    folderName = shownPath(*options.templateDir);
    profileName = shownIn(*options.templateDir, kProfileDataFile);
    TemplateRead read = readTemplateFolder(platform::pathOf(*options.templateDir));
    if (!read.files)
      landxml::RefusalMessage(shownIn(*options.templateDir, read.unreadable.c_str()), 0)
          .sjis(sjis::kImportTemplateUnreadable)
          .refuse();
    t.files = std::move(*read.files);
  } else {
    t.files = bundledTemplate();
  }
  auto data = std::make_unique<ProfileData>();
  try {
    Scanner in(t.files.profileData, profileName);
    readProfileData(in, *data);
  } catch (const InputRefused& refused) {
    throw landxml::ImportRefused{refused.message};
  }
  t.header = data->header;
  // What the sheets take of the template must draw: its header values (with
  // no tables) and its band and layer files. The generator's own refusals
  // of them come first.
  auto headerOnly = std::make_unique<ProfileData>();
  headerOnly->header = t.header;
  StringSink ignored;
  std::string console;
  if (generateDrawing(writeProfileData(*headerOnly), t.files.layerDefinitions, t.files.bandRowList, ignored,
                      console) != 0)
    landxml::RefusalMessage(folderName, 0).sjis(sjis::kImportTemplateNotDrawn).sjis(console.c_str()).refuse();
  if (!FrameRule{t.header.bandRowGap, t.header.horizontalScale, t.header.bandDataLength}.fits(0.0, 1.0))
    landxml::RefusalMessage(profileName, 0).sjis(sjis::kImportTemplateFrame).refuse();
  return t;
}

[[noreturn]] void refuseMapping(const MappingRefused& refused, const std::string& roadFile) {
  using Kind = MappingRefused::Kind;
  landxml::RefusalMessage message(roadFile, 0);
  // "No.12+5.500 で…"; without a station the sentence starts at its verb.
  auto at = [&](const char* text) {
    if (refused.at)
      message.ascii(stationText(*refused.at)).sjis(text);
    else
      message.sjis(text + 1);
  };
  switch (refused.kind) {
    case Kind::noGeometry: message.sjis(sjis::kImportNoGeometry); break;
    case Kind::badInterval: message.sjis(sjis::kImportBadInterval); break;
    case Kind::tooManyStations: message.sjis(sjis::kImportTooManyStations); break;
    case Kind::stationOutOfRange: message.sjis(sjis::kImportStationRange); break;
    case Kind::noProfile: message.sjis(sjis::kImportNoProfAlign); break;
    case Kind::profileShort: at(sjis::kImportProfileShort); break;
    case Kind::gradeNotAscending: at(sjis::kImportGradeOrder); break;
    case Kind::noSheetFits: at(sjis::kImportNoSheetFits); break;
    case Kind::designCurvesOverlap: at(sjis::kImportCurvesOverlapAt); break;
    case Kind::tooManySheets:
      message.sjis(sjis::kImportTooManySheets)
          .ascii(formatInt(refused.count))
          .sjis(refused.atLeast ? sjis::kImportTooManySheetsAtLeast : sjis::kImportTooManySheetsExact);
      break;
  }
  message.refuse();
}

// The label of an internal station of the whole alignment.
StationLabel labelOfInternal(const Stationing& stationing, double internal) {
  const StationStretch* stretch = &stationing.stretches().front();
  for (const StationStretch& s : stationing.stretches())
    if (internal >= s.begin) stretch = &s;
  return stationing.labelOf(roundToMillimetre(toMicrometres(internal + stretch->offset)));
}

// A grade line that covers only part of the alignment: the sheets cover
// that part, with a warning for each end left out; refused when the part is
// shorter than a station interval.
void trimToProfile(landxml::Alignment& alignment, const std::string& roadFile) {
  const landxml::ProfileCover cover = landxml::profileCover(alignment);
  if (!cover.cutsBegin() && !cover.cutsEnd()) return;
  const Stationing stationing(alignment);
  const auto profAlign = [&](landxml::RefusalMessage& m) -> landxml::RefusalMessage& {
    return m.ascii("ProfAlign ").quoted(alignment.gradeName).ascii(" ");
  };
  const auto label = [&](double internal) { return stationText(labelOfInternal(stationing, internal)); };
  if (!(cover.end > cover.begin)) {
    landxml::RefusalMessage m(roadFile, alignment.gradeLine);
    profAlign(m).sjis(sjis::kImportProfileOutside).refuse();
  }
  if (cover.end - cover.begin < stationing.interval()) {
    landxml::RefusalMessage m(roadFile, alignment.gradeLine);
    profAlign(m).sjis(sjis::kImportProfileSpan).ascii(label(cover.begin)).sjis(sjis::kImportSpanTo)
        .ascii(label(cover.end)).sjis(sjis::kImportShorterThanInterval).metres(stationing.interval())
        .sjis(sjis::kImportTooShortToDraw).refuse();
  }
  const auto leftOut = [&](double from, double to) {
    landxml::RefusalMessage m(roadFile, alignment.gradeLine);
    alignment.warnings.push_back(profAlign(m).sjis(sjis::kImportProfileMissing).ascii(label(from))
                                     .sjis(sjis::kImportSpanTo).ascii(label(to)).sjis(sjis::kImportLeftOut).warning());
  };
  if (cover.cutsBegin()) leftOut(cover.alignmentBegin, cover.begin);
  if (cover.cutsEnd()) leftOut(cover.end, cover.alignmentEnd);
  std::stable_sort(alignment.warnings.begin(), alignment.warnings.end(),
                   [](const landxml::ReaderWarning& a, const landxml::ReaderWarning& b) { return a.line < b.line; });
  landxml::trimAlignment(alignment, cover.begin, cover.end);
}

std::string usageProblem(const UsageRequest& usage) {
  using Problem = UsageRequest::Problem;
  switch (usage.problem) {
    case Problem::none: return {};
    case Problem::unknownOption: return sjis::kImportUnknownOption + platform::shiftJisShown(usage.option) + "\n";
    case Problem::repeatedOption: return usage.option + sjis::kImportRepeatedOption;
    case Problem::missingValue: return usage.option + sjis::kImportMissingValue;
    case Problem::badValue: return usage.option + sjis::kImportBadStationsPerSheet;
    case Problem::missingArguments: return sjis::kImportMissingArguments;
    case Problem::tooManyArguments: return sjis::kImportTooManyArguments;
  }
  return {};
}

int importRoad(const ImportOptions& options, std::string& out) {
  // Paths are UTF-8 here and reach the system through platform/files.h;
  // messages show them in Shift-JIS with the platform's separators.
  const std::string roadName = shownPath(options.roadFile);
  std::string outName = options.outDir;
  if (outName.empty())
    outName = defaultOutputFolder(options.roadFile);
  else
    checkOutputFolder(options.roadFile, outName);
  const fs::path outDir = platform::pathOf(outName);
  const auto shownOut = [&](const fs::path& path) { return shownPath(platform::utf8Of(path)); };

  const Template tmpl = loadTemplate(options);
  landxml::Alignment alignment;
  std::string projectName;
  {
    const landxml::Road road = landxml::readLandXmlFile(platform::pathOf(options.roadFile), roadName);
    landxml::RoadChoice choice;
    // The names come from the command line in UTF-8, as the file's are compared.
    choice.alignment = options.alignment;
    choice.profile = options.profile;
    choice.ground = options.ground;
    alignment = landxml::selectAlignment(road, choice, roadName);
    projectName = road.projectName;
  }

  RoadSheets sheets;
  try {
    trimToProfile(alignment, roadName);
    sheets = mapAlignment(alignment, sheetSettingsOf(tmpl.header, options.stationsPerSheet));
  } catch (const MappingRefused& refused) {
    refuseMapping(refused, roadName);
  }

  std::vector<SheetRow> rows;
  std::string findings;
  const int count = static_cast<int>(sheets.sheets.size());
  try {
    // Each sheet is written as soon as it is drawn and checked, so that a
    // long road never holds its whole set in memory.
    SheetSetWriter writer(outDir);
    for (std::size_t i = 0; i < sheets.sheets.size(); ++i) {
      const SheetTables& sheet = sheets.sheets[i];
      const std::string folder = sheetFolderName(i);
      const SheetIdentity identity{static_cast<int>(i) + 1, count, alignment.name, projectName};
      SheetFiles f{writeProfileData(*profileDataOf(sheet, tmpl.header, sheets.interval, platform::shiftJisShown)),
                   tmpl.files.bandRowList, tmpl.files.layerDefinitions,
                   writeContinuation(continuationOf(sheet, identity, platform::shiftJisShown)), {}};
      StringSink drawing;
      std::string console;
      const std::string sheetFile = shownOut(outDir / folder / kProfileDataFile);
      if (generateDrawing(f.profileData, f.layerDefinitions, f.bandRowList, drawing, console, f.continuation) != 0)
        landxml::RefusalMessage(sheetFile, 0).sjis(sjis::kImportSheetRejected).sjis(console.c_str()).refuse();
      f.drawing = std::move(drawing.text);
      // Each sheet as profile-sheet-check sees it: an error (a refusal the
      // generator would make among them) refuses the road.
      for (const check::Finding& finding :
           check::checkInputs(f.profileData, f.bandRowList, f.layerDefinitions, f.continuation).findings) {
        const std::string path = shownOut(outDir / folder / finding.file);
        if (finding.severity == check::Severity::error)
          landxml::RefusalMessage(path, finding.line).sjis(sjis::kImportSheetRejected).sjis(finding.message.c_str()).refuse();
        findings += check::findingLine(finding, path) + "\n";
      }
      SheetRow row{folder, sheet.stations.front().at, sheet.stations.back().at,
                   sheet.stations.size(), sheet.vipsOnSheet, sheet.curvesOnSheet, {}};
      for (const MappingWarning& w : sheet.warnings) row.warnings.push_back(warningText(w, tmpl.header));
      rows.push_back(std::move(row));
      writer.add(f);
    }
    writer.finish();
  } catch (const WriteFailed& failed) {
    landxml::RefusalMessage(shownOut(failed.path), 0).sjis(sjis::kImportCannotWrite).refuse();
  }

  out += sheetTable(rows);
  for (const MappingWarning& w : sheets.warnings)
    out += std::string(sjis::kImportTableWarning) + ": " + warningText(w, tmpl.header) + "\n";
  for (const landxml::ReaderWarning& w : alignment.warnings) out += landxml::warningLine(roadName, w);
  out += findings;
  out += sjis::kImportRoadLength + formatFixed(toMetres(sheets.length), 0, 3) + sjis::kImportRoadLengthEnd +
         sjis::kImportWroteSheets + formatInt(count) + sjis::kImportSheetsInto + shownPath(outName) + sjis::kImportWrote;
  return kImportWritten;
}

}  // namespace

int runImport(const std::vector<std::string>& args, std::string& out, std::string& err) {
  const auto parsed = parseImportOptions(args);
  if (const auto* usage = std::get_if<UsageRequest>(&parsed)) {
    if (usage->problem == UsageRequest::Problem::none) {
      out += usage->version ? platform::versionLine("profile-sheet-import") : std::string(sjis::kImportUsage);
      return kImportWritten;
    }
    err += usageProblem(*usage) + sjis::kImportUsage;
    return kImportUsage;
  }
  const ImportOptions& options = std::get<ImportOptions>(parsed);
  try {
    return importRoad(options, out);
  } catch (const landxml::ImportRefused& refused) {
    err += refused.message;
  } catch (const std::exception& failure) {
    // A fault of the importer itself (or no memory): still one line and
    // nothing written.
    try {
      landxml::RefusalMessage(shownPath(options.roadFile), 0)
          .sjis(sjis::kImportInternalError)
          .ascii(failure.what())
          .refuse();
    } catch (const landxml::ImportRefused& refused) {
      err += refused.message;
    }
  }
  return kImportRefused;
}

}  // namespace ps::import
