#include "driver/run.h"

#include <gtest/gtest.h>

#include <string>

#include "text/shift_jis.h"
#include "support/test_support.h"

namespace ps {
namespace {

using test::readFile;
using test::splitLines;

std::string smallFile(const char* name) { return readFile(test::testDataDir() + "/small/" + name); }

// The tables section and the ENTITIES opening of the small case.
std::string tablesOfSmall() {
  const std::string dxf = smallFile("expected.dxf");
  const std::string opening = "ENTITIES\r\n0\r\n";
  return dxf.substr(0, dxf.find(opening) + opening.size());
}

// Profile data (by default the small case's) with header value k replaced.
std::string withHeaderValue(int k, const std::string& value, std::string text = smallFile("Tesmo.dat")) {
  std::size_t start = 0;
  for (int i = 1; i < k; ++i) start = text.find(',', start) + 1;
  return text.replace(start, text.find_first_of(",\r\n", start) - start, value);
}

// The small case's header and stations 0..n-1 with two VIPs.
std::string withStations(int n) {
  std::string text = smallFile("Tesmo.dat");
  text = text.substr(0, text.find('\n') + 1) + "0\n" + std::to_string(n) + "\n";
  for (int i = 0; i < n; ++i) text += std::to_string(i) + ",0.0,0.0," + (i ? "20.0\n" : "0.0\n");
  return text + "2\n0,0.0,12.0,0.0\n" + std::to_string(n - 1) + ",0.0,13.0,0.0\n0\n0\n0\n";
}

RunResult runSmall(const std::string& profileData) {
  return runInMemory(profileData, smallFile("GasouT.dat"), smallFile("temp.cd5"));
}

TEST(Run, MatchesEveryReferenceCaseInMemory) {
  for (const char* name : {"small", "road-a", "road-b", "edges-5001", "edges-5002", "edges-5003", "station-limit",
                           "keeps-earlier-drawing", "set-first", "set-middle"}) {
    const std::string dir = test::testDataDir() + "/" + name + "/";
    const bool ofSet = std::string(name).starts_with("set-");
    const RunResult run =
        runInMemory(readFile(dir + "Tesmo.dat"), readFile(dir + "GasouT.dat"), readFile(dir + "temp.cd5"),
                    ofSet ? std::optional<std::string>(readFile(dir + "Tsuzuki.dat")) : std::nullopt);
    EXPECT_EQ(run.status, std::stoi(readFile(dir + "expected.status"))) << name;
    EXPECT_EQ(run.console, readFile(dir + "expected.stdout")) << name;
    ASSERT_TRUE(run.drawing.has_value()) << name;
    // A failed run's drawing is thrown away; the whole-run tests see that.
    if (run.status == 0) {
      EXPECT_TRUE(*run.drawing == readFile(dir + "expected.dxf")) << name;
    }
  }
}

TEST(Run, ACompleteRunIsFramedAndSilent) {
  const RunResult run = runSmall(smallFile("Tesmo.dat"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.console, "");
  const auto lines = splitLines(*run.drawing);
  ASSERT_GT(lines.size(), 11u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8),
            (std::vector<std::string>{"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LTYPE"}));
  EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()), (std::vector<std::string>{"ENDSEC", "0", "EOF"}));
}

TEST(Run, MissingInputFiles) {
  const std::string g = smallFile("GasouT.dat"), c = smallFile("temp.cd5"), t = smallFile("Tesmo.dat");
  const RunResult noProfile = runInMemory(std::nullopt, g, c);
  EXPECT_EQ(noProfile.console, "can't create Tesmo.dat\n");
  EXPECT_EQ(noProfile.status, 1);
  EXPECT_FALSE(noProfile.drawing.has_value());
  // Nothing is written before every input file has been read.
  const RunResult noLayers = runInMemory(t, std::nullopt, c);
  EXPECT_EQ(noLayers.console, "can't create GasouT.dat\n");
  EXPECT_EQ(noLayers.status, 1);
  EXPECT_FALSE(noLayers.drawing.has_value());
  const RunResult noBandRows = runInMemory(t, g, std::nullopt);
  EXPECT_EQ(noBandRows.console, "can't create temp.cd5\n");
  EXPECT_EQ(noBandRows.status, 1);
  EXPECT_FALSE(noBandRows.drawing.has_value());
}

TEST(Run, StationLimitStopsAfterTheTables) {
  const RunResult thirty = runSmall(withStations(30));
  EXPECT_EQ(thirty.status, 0);
  EXPECT_EQ(thirty.console, "");
  EXPECT_EQ(splitLines(*thirty.drawing).back(), "EOF");

  const RunResult over = runSmall(withStations(31));
  EXPECT_EQ(over.status, 1);
  EXPECT_EQ(over.console, sjis::kStationLimit);
  EXPECT_TRUE(*over.drawing == tablesOfSmall());
  const auto lines = splitLines(*over.drawing);
  EXPECT_EQ(lines.size(), 173u + 10 * 3);
  EXPECT_EQ(lines[lines.size() - 3] + lines[lines.size() - 2] + lines.back(), "2ENTITIES0");
}

TEST(Run, RefusedInputEndsTheRunWithWhatWasWritten) {
  const std::string headerRefused = std::string("Tesmo.dat") + sjis::kHeaderValues;
  for (const auto& [k, value] : {std::pair{3, "0"}, {3, "-1000"}, {4, "0.0"}, {4, "-100"}, {8, "0"}, {8, "-1.0"}}) {
    const RunResult run = runSmall(withHeaderValue(k, value));
    EXPECT_EQ(run.status, 1) << k << "=" << value;
    EXPECT_EQ(run.console, headerRefused) << k << "=" << value;
    EXPECT_TRUE(*run.drawing == tablesOfSmall()) << k << "=" << value;
  }
  // The station limit is checked before the header values.
  EXPECT_EQ(runSmall(withHeaderValue(3, "0", withStations(31))).console, sjis::kStationLimit);

  // Text where a number belongs, in each input file.
  const RunResult letter = runSmall(withHeaderValue(9, "2O"));
  EXPECT_EQ(letter.console, std::string("Tesmo.dat") + sjis::kOf + "1" + sjis::kNotANumber);
  EXPECT_TRUE(*letter.drawing == tablesOfSmall());

  const RunResult layer =
      runInMemory(smallFile("Tesmo.dat"), "3\n7 1 0.0 D-TTL-BAND\n3 1 thick D-STR\n", smallFile("temp.cd5"));
  EXPECT_EQ(layer.status, 1);
  EXPECT_EQ(layer.console, std::string("GasouT.dat") + sjis::kOf + "3" + sjis::kNotANumber);
  // The line types, the layer table head and the first entry.
  const auto lines = splitLines(smallFile("expected.dxf"));
  std::string first127;
  for (int i = 0; i < 127; ++i) first127 += lines[i] + "\r\n";
  EXPECT_TRUE(*layer.drawing == first127);
  EXPECT_EQ(lines[126] + lines[127], "0LAYER");
}

TEST(Run, AContinuationFileDeclaresTheCodePageOrIsRefusedByLine) {
  const std::string g = smallFile("GasouT.dat"), c = smallFile("temp.cd5"), t = smallFile("Tesmo.dat");
  // An empty continuation file: a sheet of a set that knows nothing more of
  // its road. The document starts with the code page; the tables follow.
  const RunResult empty = runInMemory(t, g, c, std::string());
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.console, "");
  const std::string header = test::dxfLines({"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1009", "9",
                                             "$DWGCODEPAGE", "3", "ANSI_932", "0", "ENDSEC"});
  EXPECT_TRUE(empty.drawing->starts_with(header + tablesOfSmall()));

  // A line it cannot use: the file and the line, status 1, the drawing as
  // far as it was written (the continuation is read after the profile data).
  const RunResult refused = runInMemory(t, g, c, std::string("SHEET 1,2\r\n\r\nFIRST 0,0.0,abc\r\n"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.console, std::string("Tsuzuki.dat") + sjis::kOf + "3" + sjis::kNotANumber);
  EXPECT_TRUE(*refused.drawing == header + tablesOfSmall());
}

TEST(Run, ElevationAxisHasAtMostAThousandLevels) {
  // Value 8 * 1000 / value 4 = 10 mm per level; value 6 is the view height.
  const RunResult thousand = runSmall(withHeaderValue(6, "10000"));
  EXPECT_EQ(thousand.status, 0);
  EXPECT_EQ(thousand.console, "");
  const RunResult more = runSmall(withHeaderValue(6, "10010"));
  EXPECT_EQ(more.status, 1);
  EXPECT_EQ(more.console, std::string("Tesmo.dat") + sjis::kLevelLimit);
  EXPECT_TRUE(*more.drawing == tablesOfSmall());
}

}  // namespace
}  // namespace ps
