#include "check/band_row_checks.h"

#include <array>

#include "input/file_names.h"
#include "sheet/band_layout.h"
#include "text/number_format.h"
#include "text/shift_jis.h"

namespace ps::check {

namespace {

// The key titles the sheet looks its rows up by, and whether a row without
// a title is drawn below the band stack (true) or left out.
struct KeyTitle {
  const char* title;
  bool drawnBelowBands;
};
constexpr std::array<KeyTitle, 10> kKeyTitles = {{
    {sjis::kStationNumber, true},
    {sjis::kGroundHeight, true},
    {sjis::kPlannedHeight, true},
    {sjis::kCutHeight, true},
    {sjis::kFillHeight, true},
    {sjis::kCumulativeDistance, true},
    {sjis::kIntervalDistance, true},
    {sjis::kGradeLine, true},
    {sjis::kCurvatureDiagram, false},
    {sjis::kSuperelevationDiagram, false},
}};

// The key title that finds `title` when it stands alone, or nullptr.
const char* keyMatching(const std::string& title) {
  BandRowList one;
  one.count = 1;
  one.title[1] = title;
  for (const KeyTitle& key : kKeyTitles)
    if (findBandRow(one, key.title, 1) == 1) return key.title;
  return nullptr;
}

}  // namespace

void checkBandTitles(const BandTitles& titles, FindingList& out) {
  BandRowList rows;
  buildBandRowList(titles, rows);
  const int n = rows.count;
  std::array<bool, kMaxBandTitles + 1> filled{};
  for (const KeyTitle& key : kKeyTitles) filled[findBandRow(rows, key.title, n)] = true;

  // Title j of the file is row n - j.
  for (int j = 0; j < titles.count; ++j) {
    if (filled[n - j]) continue;
    const std::string& title = titles.word[j];
    const char* key = keyMatching(title);
    if (!key) {
      out.warning(kBandRowFile, titles.line[j], cat(sjis::kTitleOpen, title, sjis::kTitleMatchesNoRow));
      continue;
    }
    const int taker = n - findBandRow(rows, key, n);
    out.warning(kBandRowFile, titles.line[j],
                cat(sjis::kTitleOpen, title, sjis::kTitleSameFirstCharacter, formatInt(titles.line[taker]),
                    sjis::kLineTitleOpen, titles.word[taker], sjis::kContentGoesThere));
  }
}

void checkRowsHaveTitles(const BandTitles& titles, const ProfileFacts& facts, FindingList& out) {
  const ProfileData& d = facts.data;
  const ProfileDataLines& lines = facts.lines;
  const int stationRow = d.stations.count > 0 ? ProfileFacts::lineOf(lines.stations, 1) : 0;

  // The first ground point that writes a cut (or a fill) height: one at a
  // station's chainage, compared with the first such station.
  int cutRow = 0, fillRow = 0;
  for (int g = 1; g <= d.groundPoints.count && (cutRow == 0 || fillRow == 0); ++g) {
    for (int j = 1; j <= d.stations.count; ++j) {
      if (facts.stationChainage[j] != facts.ground[g].chainage) continue;
      int& row = d.groundPoints.height[g] >= facts.plannedHeight[j] ? cutRow : fillRow;
      if (row == 0) row = ProfileFacts::lineOf(lines.groundPoints, g);
      break;
    }
  }
  auto firstRow = [](int count, const TableLines& table) { return count > 0 ? ProfileFacts::lineOf(table, 1) : 0; };
  // Where the content of each key row starts in the profile data (0: none).
  const std::array<int, kKeyTitles.size()> content = {
      stationRow,
      firstRow(d.groundPoints.count, lines.groundPoints),
      stationRow,
      cutRow,
      fillRow,
      stationRow,
      stationRow,
      firstRow(d.vips.count, lines.vips),
      firstRow(d.curves.count, lines.curves),
      firstRow(d.superelevations.count, lines.superelevations),
  };

  BandRowList rows;
  buildBandRowList(titles, rows);
  for (std::size_t k = 0; k < kKeyTitles.size(); ++k) {
    const KeyTitle& key = kKeyTitles[k];
    if (content[k] == 0 || findBandRow(rows, key.title, rows.count) != 0) continue;
    out.warning(kProfileDataFile, content[k],
                cat(key.title, sjis::kRowHasContent, kBandRowFile, sjis::kNoTitleStartingWith,
                    std::string_view(key.title, 2), sjis::kTitleStartsWith,
                    key.drawnBelowBands ? sjis::kDrawnBelowBands : sjis::kNotDrawn));
  }
}

}  // namespace ps::check
