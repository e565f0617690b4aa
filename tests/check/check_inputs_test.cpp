#include "check/check_inputs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "support/test_support.h"
#include "text/shift_jis.h"

namespace ps::check {
namespace {

using test::readFile;

struct Files {
  std::string profile, bands, layers;  // Tesmo.dat, temp.cd5, GasouT.dat
  std::optional<std::string> continuation;  // Tsuzuki.dat of a sheet of a set
};

Files filesOf(const std::string& dir) {
  return {readFile(dir + "/Tesmo.dat"), readFile(dir + "/temp.cd5"), readFile(dir + "/GasouT.dat"), std::nullopt};
}

CheckResult check(const Files& f) {
  return checkInputs(f.profile, f.bands, f.layers,
                     f.continuation ? std::optional<std::string_view>(*f.continuation) : std::nullopt);
}

// One change to one file of the example: its first `from` becomes `to`
// (an empty `from`: `to` is added at the end).
struct Edit {
  char file;  // 'T' Tesmo.dat, 'C' temp.cd5, 'G' GasouT.dat, 'S' Tsuzuki.dat
  std::string from, to;
};

struct Expected {
  const char* file;
  int line;
  Severity severity;
  std::string piece;  // a piece of the message that names the rule
};

struct Mutation {
  const char* name;
  std::vector<Edit> edits;
  std::vector<Expected> findings;
};

Files edited(std::vector<Edit> edits, Files f = filesOf(test::examplesDir())) {
  for (const Edit& e : edits) {
    std::string& text = e.file == 'T' ? f.profile : e.file == 'C' ? f.bands : e.file == 'G' ? f.layers : *f.continuation;
    if (e.from.empty()) {
      text += e.to;
      continue;
    }
    const std::size_t at = text.find(e.from);
    EXPECT_NE(at, std::string::npos) << e.from;
    if (at != std::string::npos) text.replace(at, e.from.size(), e.to);
  }
  return f;
}

std::string describe(const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& f : findings) out += findingLine(f, f.file) + "\n";
  return out;
}

constexpr Severity E = Severity::error;
constexpr Severity W = Severity::warning;
const char* const T = "Tesmo.dat";
const char* const C = "temp.cd5";
const char* const G = "GasouT.dat";
const char* const S = "Tsuzuki.dat";

// The example's station table, its count line and rows.
std::string exampleStationTable() {
  const std::string text = readFile(test::examplesDir() + "/Tesmo.dat");
  const std::size_t begin = text.find("\r\n24\r\n");
  const std::string last = "15,0.0,48.200,20.0\r\n";
  return text.substr(begin, text.find(last) + last.size() - begin);
}

// The example's profile data from the first `from` to its end.
std::string exampleFrom(const std::string& from) {
  const std::string text = readFile(test::examplesDir() + "/Tesmo.dat");
  return text.substr(text.find(from));
}

// The example's station table lists every whole station from No.0 to No.15
// (lines 27 to 50, 20 m apart, with plus points); its VIPs stand on lines
// 52 to 55, curves on 57 and 58, superelevation rows on 60 and 61,
// annotations on 63 to 65. Datum 40 m, profile view 110 mm at 1:100 (top
// 51 m), band data cell 338 mm at 1:1000.
const std::vector<Mutation>& mutations() {
  static const std::vector<Mutation> all = {
      {"two stations at one place",
       {{'T', "3,10.0,48.100,10.0", "3,0.0,48.100,10.0"}},
       {{T, 32, E, sjis::kStationsMustAscend}, {T, 33, W, sjis::kMetresByStationInterval}}},
      {"interval distance half a metre off",
       {{'T', "5,12.0,48.625,12.0", "5,12.0,48.625,12.5"}},
       {{T, 35, W, sjis::kMetresByStationInterval}}},
      {"interval distance a millimetre off is within the tolerance",
       {{'T', "5,12.0,48.625,12.0", "5,12.0,48.625,12.001"}},
       {}},
      // 20.001 - 20 is a hair over 0.001 in binary, 12.001 - 12 a hair under.
      {"interval distance a millimetre off at No.1 is within the tolerance",
       {{'T', "1,0.0,46.600,20.0", "1,0.0,46.600,20.001"}},
       {}},
      {"interval distance a millimetre short at No.1 is within the tolerance",
       {{'T', "1,0.0,46.600,20.0", "1,0.0,46.600,19.999"}},
       {}},
      {"interval distance 1.5 mm off",
       {{'T', "5,12.0,48.625,12.0", "5,12.0,48.625,12.0015"}},
       {{T, 35, W, sjis::kMetresByStationInterval}}},
      {"ground point past the last station",
       {{'T', "15,0.0,47.93", "15,1.0,47.93"}},
       {{T, 25, E, sjis::kDrawnAtRoadStart}}},
      {"ground point before the first station",
       {{'T', "0,0.0,46.42", "-1,15.0,46.42"}},
       {{T, 3, E, sjis::kDrawnBeforeFirstAt}}},
      // Drawn at 5 m, behind No.1 at 20 m: the fold is not reported as well.
      {"ground point before the first station and behind the point above it",
       {{'T', "2,0.0,47.81", "-1,5.0,47.81"}},
       {{T, 5, E, sjis::kDrawnBeforeFirstAt}}},
      {"curve start before the first station",
       {{'T', "2,5.0,5,12.0,300.0", "-1,5.0,5,12.0,300.0"}},
       {{T, 57, E, sjis::kBeforeFirstStation}}},
      {"superelevation end past the last station",
       {{'T', "9,8.0,13,4.0,5.0", "9,8.0,16,4.0,5.0"}},
       {{T, 61, E, sjis::kAfterLastStation}}},
      {"annotation past the last station",
       {{'T', "13,4.0,\"", "15,4.0,\""}},
       {{T, 65, E, sjis::kDrawnAtRoadStart}}},
      // Without No.7 the points on it are placed from No.6+10.0: No.7+0.0 at
      // 120 m instead of 140 m. The station after keeps its distance right.
      {"whole station left out",
       {{'T', "\r\n24\r\n", "\r\n23\r\n"},
        {'T', "7,0.0,48.200,10.0\r\n", ""},
        {'T', "8,0.0,47.800,20.0", "8,0.0,47.800,30.0"}},
       {{T, 13, W, std::string(sjis::kStationsMissing) + "No.7" + sjis::kNotInStationTable},
        {T, 14, W, std::string(sjis::kStationsMissing) + "No.7" + sjis::kNotInStationTable},
        {T, 63, W, std::string(sjis::kStationsMissing) + "No.7" + sjis::kNotInStationTable}}},
      {"two whole stations left out",
       {{'T', "\r\n24\r\n", "\r\n22\r\n"},
        {'T', "7,0.0,48.200,10.0\r\n8,0.0,47.800,20.0\r\n", ""},
        {'T', "9,0.0,47.400,20.0", "9,0.0,47.400,50.0"}},
       {{T, 13, W, std::string(sjis::kStationsMissing) + "No.7" + sjis::kNotInStationTable},
        {T, 14, W, std::string(sjis::kStationsMissing) + "No.7" + sjis::kNotInStationTable},
        {T, 15, W, std::string(sjis::kStationsMissing) + "No.7" + sjis::kRangeTo + "No.8" + sjis::kNotInStationTable},
        {T, 15, E, sjis::kGroundFoldsBack},
        {T, 62, W, std::string(sjis::kStationsMissing) + "No.7" + sjis::kNotInStationTable}}},
      {"no station at all", {{'T', exampleStationTable(), "\r\n0\r\n"}},
       {{T, 26, E, sjis::kNoStations}}},
      {"ground points out of order",
       {{'T', "9,8.0,47.36", "8,8.0,47.36"}},  // 168 m, after No.9 at 180 m
       {{T, 17, E, sjis::kGroundFoldsBack}}},
      {"two VIPs at one chainage",
       {{'T', "11,0.0,46.60,50.0", "5,0.0,46.60,50.0"}},
       {{T, 54, E, sjis::kInfiniteGrade}}},
      {"VIP before the one above it",
       {{'T', "11,0.0,46.60,50.0", "4,0.0,46.60,10.0"}},
       {{T, 54, E, sjis::kVipNotAfter}}},
      {"vertical curve reaching past the first VIP",
       {{'T', "5,0.0,49.00,60.0", "5,0.0,49.00,220.0"}},
       {{T, 53, E, sjis::kReachesPast}}},
      {"vertical curve reaching past the last VIP",
       {{'T', "11,0.0,46.60,50.0", "11,0.0,46.60,170.0"}},
       {{T, 54, E, sjis::kReachesPast}}},
      {"vertical curves overlapping",  // 50..150 m and 145..295 m
       {{'T', "5,0.0,49.00,60.0", "5,0.0,49.00,100.0"}, {'T', "11,0.0,46.60,50.0", "11,0.0,46.60,150.0"}},
       {{T, 54, E, sjis::kOverlaps}}},
      {"vertical curves touching",  // 50..150 m and 150..290 m
       {{'T', "5,0.0,49.00,60.0", "5,0.0,49.00,100.0"}, {'T', "11,0.0,46.60,50.0", "11,0.0,46.60,140.0"}},
       {}},
      {"curve length on the last VIP",
       {{'T', "15,0.0,48.20,0.0", "15,0.0,48.20,20.0"}},
       {{T, 55, W, sjis::kCurveLengthIgnored}}},
      // The only VIP is the first and the last: its curve length is reported once.
      {"curve length on a lone VIP",
       {{'T', exampleFrom("4\r\n0,0.0,46.00,0.0\r\n").substr(0, exampleFrom("4\r\n0,0.0,46.00,0.0\r\n").find("2,0.0\r\n")),
         "1\r\n5,0.0,49.00,60.0\r\n"}},
       {{T, 52, W, std::string(sjis::kFirstVip) + "No.5+0.0"}}},
      // The file ends before the last VIP row: it reads as No.0+0.0, behind
      // the VIP above it, on the table's count line.
      {"file ending before the last VIP row",
       {{'T', exampleFrom("15,0.0,48.20,0.0"), ""}},
       {{T, 51, E, sjis::kVipNotAfter}, {T, 51, W, sjis::kIsBelow}}},
      {"horizontal curve ending before its start",
       {{'T', "2,5.0,5,12.0,300.0", "5,12.0,2,5.0,300.0"}},
       {{T, 57, E, sjis::kIsBeforeIt}}},
      {"horizontal curves overlapping",
       {{'T', "9,8.0,13,4.0,-250.0", "5,0.0,13,4.0,-250.0"}},
       {{T, 58, E, sjis::kCurvesOverlap}}},
      {"horizontal curve of radius 0",
       {{'T', "9,8.0,13,4.0,-250.0", "9,8.0,13,4.0,0.0"}},
       {{T, 58, W, sjis::kRadiusZero}}},
      {"superelevation row ending before its start",
       {{'T', "2,5.0,5,12.0,4.0", "5,12.0,2,5.0,4.0"}},
       {{T, 60, E, sjis::kIsBeforeIt}}},
      {"superelevation row without a curve row",
       {{'T', "\r\n2,20.0\r\n", "\r\n3,20.0\r\n"}, {'T', "9,8.0,13,4.0,5.0\r\n", "9,8.0,13,4.0,5.0\r\n14,0.0,15,0.0,3.0\r\n"}},
       {{T, 62, W, sjis::kRowsSideOfZeroRadius}}},
      {"superelevation row beside its curve row",
       {{'T', "9,8.0,13,4.0,5.0", "14,0.0,15,0.0,5.0"}},
       {{T, 61, W, sjis::kSpansDoNotOverlap}}},
      {"ground below the datum",
       {{'T', "1,0.0,46.25", "1,0.0,39.5"}},
       {{T, 4, W, sjis::kIsBelow}}},
      {"ground above the profile view",
       {{'T', "5,0.0,50.35", "5,0.0,51.5"}},
       {{T, 10, W, sjis::kIsAbove}}},
      {"ground at the top of the profile view",
       {{'T', "5,0.0,50.35", "5,0.0,51.0"}},
       {}},
      // The planned line starts level at the first VIP: No.0 is planned at
      // 39 m; by No.1 it has risen above the datum.
      {"first VIP below the datum",
       {{'T', "0,0.0,46.00,0.0", "0,0.0,39.00,0.0"}},
       {{T, 27, W, sjis::kPlannedHeightOf}, {T, 52, W, sjis::kVipHeightOf}}},
      {"last station past the band data cell",  // 20 + 300 mm in a cell of 298 mm
       {{'T', "1000,100,340,", "1000,100,300,"}},
       {{T, 50, W, sjis::kRunsPastFrame}}},
      {"band title matching no row",
       {{'C', sjis::kIntervalDistance, "Tankyori"}},
       {{T, 27, W, sjis::kDrawnBelowBands}, {C, 7, W, sjis::kTitleMatchesNoRow}}},
      // The fill row's title turned into a second planned height title: the
      // later one takes the planned heights, and the first fill height (at
      // No.1, 46.25 m under 46.6 m) has no row.
      {"two titles with one first character",
       {{'C', sjis::kFillHeight, std::string(sjis::kPlannedHeight) + "2"}},
       {{T, 4, W, sjis::kDrawnBelowBands}, {C, 3, W, sjis::kContentGoesThere}}},
      // Ground exactly at the planned height (No.0, 46 m) writes a cut of
      // 0.000; the first fill height is No.1's.
      {"ground at the planned height, without the fill row's title",
       {{'T', "0,0.0,46.42", "0,0.0,46.00"}, {'C', std::string(sjis::kFillHeight) + "\r\n", ""}},
       {{T, 4, W, std::string(sjis::kFillHeight) + sjis::kRowHasContent}}},
      {"ground at the planned height, without the cut row's title",
       {{'T', "0,0.0,46.42", "0,0.0,46.00"}, {'C', std::string(sjis::kCutHeight) + "\r\n", ""}},
       {{T, 3, W, std::string(sjis::kCutHeight) + sjis::kRowHasContent}}},
      {"grade line without its title",
       {{'C', std::string(sjis::kGradeLine) + "\r\n", ""}},
       {{T, 52, W, std::string(sjis::kGradeLine) + sjis::kRowHasContent + "temp.cd5" + sjis::kNoTitleStartingWith +
                       std::string(sjis::kGradeLine, 2) + sjis::kTitleStartsWith + sjis::kDrawnBelowBands}}},
      {"superelevation rows without a title",
       {{'C', std::string(sjis::kSuperelevationDiagram) + "\r\n", ""}},
       {{T, 60, W, sjis::kNotDrawn}}},
      {"a layer of the sheet missing",
       {{'G', "D-BGD", "D-BG"}},
       {{G, 1, W, sjis::kLayerNotDefined}}},
      {"the structure layer renamed",
       {{'G', "D-STR", "D-STR2"}},
       {{G, 1, W, std::string(sjis::kLayerUsedBySheet) + "D-STR" + sjis::kLayerNotDefined}}},
      {"annotation text cut inside a character",
       {{'T', "7,10.0,\"", "7,10.0,\"\x82"}},
       {{T, 64, W, sjis::kTextNotShiftJis}}},
  };
  return all;
}

// A middle sheet of a set of the example's road, from No.2 (line 27) to
// No.14 (line 47); VIPs on lines 49 to 52 (the first and the last beyond the
// sheet), curves on 54 and 55, superelevation rows on 57 and 58. Its
// continuation file: SHEET, ROAD, PROJECT, FIRST, LAST on lines 1 to 5,
// CURVE rows 1 and 2 on 6 and 7, SUPER row 1 on 8.
Files setMiddle() {
  Files f = filesOf(test::testDataDir() + "/set-middle");
  f.continuation = readFile(test::testDataDir() + "/set-middle/Tsuzuki.dat");
  return f;
}

// Its station table, count line and rows.
std::string setMiddleStationTable() {
  const std::string text = readFile(test::testDataDir() + "/set-middle/Tesmo.dat");
  const std::size_t begin = text.find("\r\n21\r\n");
  const std::string last = "14,0.0,47.800,16.0\r\n";
  return text.substr(begin, text.find(last) + last.size() - begin);
}

const std::vector<Mutation>& setMutations() {
  static const std::vector<Mutation> all = {
      // Ground points, VIPs, curves and annotations beyond the sheet are
      // placed by station arithmetic: no finding.
      {"the sheet as it is", {}, {}},
      {"FIRST not the first station", {{'S', "FIRST 2,0.0", "FIRST 3,0.0"}}, {{S, 4, E, sjis::kNotFirstStationRow}}},
      {"LAST not the last station", {{'S', "LAST 14,0.0", "LAST 14,5.0"}}, {{S, 5, E, sjis::kNotLastStationRow}}},
      {"no stations for FIRST and LAST", {{'T', setMiddleStationTable(), "\r\n0\r\n"}},
       {{T, 26, E, sjis::kNoStations}, {S, 4, E, sjis::kButNoStations}, {S, 5, E, sjis::kButNoStations}}},
      {"CURVE and SUPER rows beyond their tables",
       {{'S', "", "CURVE 3,3,10,1,1,1\r\nSUPER 5,10,10\r\n"}},
       {{S, 9, W, sjis::kRowsLineUnused}, {S, 10, W, sjis::kRowsLineUnused}}},
      {"an item of no known kind", {{'S', "", "WIDTH 3.5\r\n"}}, {{S, 9, W, sjis::kNotAContinuationItem}}},
      {"a road name that is not Shift-JIS", {{'S', "\r\nPROJECT", "\x82\r\nPROJECT"}}, {{S, 2, W, sjis::kTextNotShiftJis}}},
      // VIP No.15 at 60 m: its grade line reaches 56.65 m at No.14, the
      // sheet's edge, over the view's top of 51 m; so do the planned heights.
      {"grade line towards a VIP beyond the sheet above the view",
       {{'T', "15,0.0,48.20,0.0", "15,0.0,60.00,0.0"}},
       {{T, 45, W, sjis::kPlannedHeightOf}, {T, 46, W, sjis::kPlannedHeightOf}, {T, 47, W, sjis::kPlannedHeightOf},
        {T, 52, W, sjis::kHeightThere}}},
      // VIP No.0 at 52 m is above the view, but what the sheet draws of its
      // grade is 50.8 m at No.2; ground beyond the sheet is not drawn at all.
      {"VIP and ground above the view beyond the sheet",
       {{'T', "0,0.0,46.00,0.0", "0,0.0,52.00,0.0"}, {'T', "15,0.0,47.93", "15,0.0,55.0"}},
       {}},
      {"superelevation row whose raised side the continuation gives",
       {{'T', "\r\n2,20.0\r\n", "\r\n3,20.0\r\n"},
        {'T', "9,8.0,13,4.0,5.0\r\n", "9,8.0,13,4.0,5.0\r\n14,0.0,15,0.0,3.0\r\n"},
        {'S', "", "SUPER 3,10,10,L\r\n"}},
       {}},
  };
  return all;
}

TEST(CheckInputs, EachMistakeInASheetOfASetIsFoundOnItsLine) {
  for (const Mutation& m : setMutations()) {
    const CheckResult result = check(edited(m.edits, setMiddle()));
    const std::vector<Finding>& got = result.findings;
    ASSERT_EQ(got.size(), m.findings.size()) << m.name << "\n" << describe(got);
    for (std::size_t k = 0; k < got.size(); ++k) {
      EXPECT_EQ(got[k].file, m.findings[k].file) << m.name;
      EXPECT_EQ(got[k].line, m.findings[k].line) << m.name;
      EXPECT_EQ(got[k].severity, m.findings[k].severity) << m.name;
      EXPECT_NE(got[k].message.find(m.findings[k].piece), std::string::npos) << m.name << "\n" << describe(got);
    }
  }
  // A value the generator cannot use: its refusal, on its line, status 3.
  const CheckResult refused = check(edited({{'S', "FIRST 2,0.0,50.0", "FIRST 2,0.0,5O.0"}}, setMiddle()));
  EXPECT_EQ(refused.status, kUnreadable);
  ASSERT_EQ(refused.findings.size(), 1u) << describe(refused.findings);
  EXPECT_EQ(findingLine(refused.findings[0], "road/Tsuzuki.dat"),
            std::string("road/Tsuzuki.dat:4: error: Tsuzuki.dat") + sjis::kOf + "4" +
                std::string(sjis::kNotANumber).substr(0, std::string(sjis::kNotANumber).size() - 1));
}

TEST(CheckInputs, EachMistakeInTheExampleIsFoundOnItsLine) {
  for (const Mutation& m : mutations()) {
    const CheckResult result = check(edited(m.edits));
    const std::vector<Finding>& got = result.findings;
    if (got.size() != m.findings.size()) {
      ADD_FAILURE() << m.name << ": " << got.size() << " findings\n" << describe(got);
      continue;
    }
    bool anyError = false;
    for (std::size_t k = 0; k < got.size(); ++k) {
      const Expected& want = m.findings[k];
      EXPECT_EQ(got[k].file, want.file) << m.name;
      EXPECT_EQ(got[k].line, want.line) << m.name;
      EXPECT_EQ(got[k].severity, want.severity) << m.name;
      EXPECT_NE(got[k].message.find(want.piece), std::string::npos) << m.name << "\n" << describe(got);
      anyError = anyError || want.severity == E;
    }
    EXPECT_EQ(result.status, anyError ? kErrorsFound : got.empty() ? kNothingFound : kOnlyWarnings) << m.name;
  }
}

// The example and the reference cases, whole reports. The example and
// road-a and road-b are clean; small has a curve length on its first VIP.
TEST(CheckInputs, ReportsOnTheReferenceCases) {
  const struct {
    const char* name;
    std::string dir;
    int status;
  } cases[] = {
      {"example", test::examplesDir(), kNothingFound},
      {"road-a", test::testDataDir() + "/road-a", kNothingFound},
      {"road-b", test::testDataDir() + "/road-b", kNothingFound},
      {"small", test::testDataDir() + "/small", kOnlyWarnings},
      {"edges-5001", test::testDataDir() + "/edges-5001", kErrorsFound},
      {"edges-5002", test::testDataDir() + "/edges-5002", kErrorsFound},
      {"edges-5003", test::testDataDir() + "/edges-5003", kErrorsFound},
      {"station-limit", test::testDataDir() + "/station-limit", kUnreadable},
  };
  for (const auto& c : cases) {
    const CheckResult result = check(filesOf(c.dir));
    EXPECT_EQ(result.status, c.status) << c.name;
    EXPECT_EQ(reportOf(result.findings, ""), readFile(PROFILE_SHEET_CHECK_EXPECTED "/" + std::string(c.name) + ".txt"))
        << c.name;
  }
}

// A refusal by the generator: its own console line as the message, on the
// line of the refused value, and status 3. The other files are still
// checked: each case has a second mistake in one of them.
TEST(CheckInputs, RefusalsKeepTheGeneratorsMessageAndNameTheirLine) {
  const std::string notANumber = std::string("Tesmo.dat") + sjis::kOf + "4" + sjis::kNotANumber;
  std::string moreStations;  // No.16 to No.22: 31 rows
  for (int n = 16; n <= 22; ++n) moreStations += "\r\n" + std::to_string(n) + ",0.0,48.2,20.0";
  const struct {
    const char* name;
    std::vector<Edit> edits;
    const char* file;
    int line;
    std::string message;
  } cases[] = {
      {"text for a ground height", {{'T', "1,0.0,46.25", "1,0.0,4x6.25"}}, T, 4, notANumber},
      {"a table of 500 rows", {{'T', "\r\n23\r\n", "\r\n500\r\n"}}, T, 2, std::string(T) + sjis::kTableRowLimit},
      {"50 VIPs", {{'T', "\r\n4\r\n", "\r\n50\r\n"}}, T, 51, std::string(T) + sjis::kVipLimit},
      {"50 annotations", {{'T', "\r\n3\r\n2,5.0,", "\r\n50\r\n2,5.0,"}}, T, 62,
       std::string(T) + sjis::kAnnotationLimit},
      {"an annotation token of 50 bytes", {{'T', "7,10.0,\"", "7,10.0,\"" + std::string(48, 'a')}}, T, 64,
       std::string(T) + sjis::kAnnotationTextLimit},
      {"horizontal scale 0", {{'T', "15,2,1000,", "15,2,0,"}}, T, 1, std::string(T) + sjis::kHeaderValues},
      {"1001 elevation levels", {{'T', "40.0,5.0,20,", "40.0,0.01,20,"}}, T, 1, std::string(T) + sjis::kLevelLimit},
      {"31 stations",
       {{'T', "\r\n24\r\n", "\r\n31\r\n"}, {'T', "15,0.0,48.200,20.0", "15,0.0,48.200,20.0" + moreStations}},
       T, 26, sjis::kStationLimit},
      {"a title of 20 bytes", {{'C', sjis::kPlannedHeight, std::string(20, 'K')}}, C, 3,
       std::string(C) + sjis::kBandTitleLimit},
      {"20 layers", {{'G', "3\r\n", "20\r\n"}}, G, 1, std::string(G) + sjis::kLayerCountLimit},
      {"a layer name of 50 bytes", {{'G', "D-STR", std::string(50, 'L')}}, G, 3, std::string(G) + sjis::kLayerNameLimit},
  };
  for (const auto& c : cases) {
    std::vector<Edit> edits = c.edits;
    const bool bandsRefused = c.file == C;
    // The second mistake: a title matching no row, or a layer missing.
    edits.push_back(bandsRefused ? Edit{'G', "D-BGD", "D-BG"} : Edit{'C', sjis::kIntervalDistance, "Tankyori"});
    const CheckResult result = check(edited(edits));
    EXPECT_EQ(result.status, kUnreadable) << c.name;
    const std::string message = c.message.substr(0, c.message.size() - 1);  // without the console line's end
    int refusals = 0;
    bool otherFileChecked = false;
    for (const Finding& f : result.findings) {
      if (f.message == message) {
        ++refusals;
        EXPECT_EQ(f.severity, E) << c.name;
        EXPECT_EQ(f.file, c.file) << c.name;
        EXPECT_EQ(f.line, c.line) << c.name;
      }
      const char* piece = bandsRefused ? sjis::kLayerNotDefined : sjis::kTitleMatchesNoRow;
      otherFileChecked = otherFileChecked || f.message.find(piece) != std::string::npos;
    }
    EXPECT_EQ(refusals, 1) << c.name << "\n" << describe(result.findings);
    EXPECT_TRUE(otherFileChecked) << c.name << "\n" << describe(result.findings);
    // The titles read before a refusal decide nothing: no content is said
    // to lack its title.
    if (bandsRefused) {
      EXPECT_EQ(result.findings.size(), 2u) << c.name << "\n" << describe(result.findings);
    }
  }
}

// A file saved as UTF-8 is one error on its first UTF-8 line and nothing
// else is said of it; the other files are checked. Refused by the
// generator (the curvature title is 21 bytes in UTF-8), the status is 3.
TEST(CheckInputs, AFileSavedAsUtf8IsOneErrorAndNothingElse) {
  Files f = edited({{'G', "D-BGD", "D-BG"}});
  f.bands = platform::convertText(f.bands, platform::Encoding::shiftJis, platform::Encoding::utf8).text;
  CheckResult result = check(f);
  ASSERT_EQ(result.findings.size(), 2u) << describe(result.findings);
  EXPECT_EQ(findingLine(result.findings[0], "temp.cd5"),
            std::string("temp.cd5:1: error: ") + sjis::kThisFile + sjis::kSavedAsUtf8 + sjis::kSaveAsShiftJis);
  EXPECT_EQ(result.findings[1].file, "GasouT.dat");
  EXPECT_EQ(result.status, kUnreadable);

  // A sheet's continuation file with a byte order mark.
  const std::string dir = test::testDataDir() + "/set-middle/";
  result = checkInputs(readFile(dir + "Tesmo.dat"), readFile(dir + "temp.cd5"), readFile(dir + "GasouT.dat"),
                       "\xEF\xBB\xBF" + readFile(dir + "Tsuzuki.dat"));
  ASSERT_EQ(result.findings.size(), 1u) << describe(result.findings);
  EXPECT_EQ(result.findings[0].file, "Tsuzuki.dat");
  EXPECT_EQ(result.findings[0].line, 1);
  EXPECT_NE(result.findings[0].message.find(sjis::kSavedAsUtf8WithBom), std::string::npos);
}

TEST(CheckInputs, FindingLinesAndSummary) {
  const std::vector<Finding> findings = {{"Tesmo.dat", 12, Severity::error, "E"},
                                         {"GasouT.dat", 0, Severity::warning, "W"}};
  EXPECT_EQ(reportOf(findings, "road/"),
            "road/Tesmo.dat:12: error: E\nroad/GasouT.dat: warning: W\n1 errors, 1 warnings\n");
  EXPECT_EQ(reportOf({}, ""), "0 errors, 0 warnings\n");
}

}  // namespace
}  // namespace ps::check
