#include "landxml/alignment_selection.h"

#include <gtest/gtest.h>

#include <string>

#include "text/shift_jis.h"

namespace ps::landxml {
namespace {

ImportRefused refusalAt(int line, const std::string& detail) {
  return ImportRefused("road.xml:" + std::to_string(line) + ": error: " + detail + "\n", line, detail);
}

ProfAlignLine profAlign(const std::string& name, int line, double height = 1.0) {
  return {name, line, {{0.0, height, 0.0}, {10.0, 2.0, 0.0}}, {}, {}};
}

Road roadOf(std::initializer_list<const char*> names) {
  Road road;
  int line = 10;
  for (const char* name : names) {
    Alignment& a = road.alignments.emplace_back();
    a.name = name;
    a.line = line;
    a.profAligns.push_back(profAlign("P", line + 1));
    line += 10;
  }
  return road;
}

std::string chosen(const Road& road, RoadChoice choice = {}) {
  try {
    return selectAlignment(road, choice, "road.xml").name;
  } catch (const ImportRefused& refused) {
    return refused.message;
  }
}

RoadChoice alignmentNamed(const char* name) { return {name, std::nullopt, std::nullopt}; }

TEST(AlignmentSelection, TheOnlyOneOrTheNamedOne) {
  EXPECT_EQ(chosen(roadOf({"main"})), "main");
  EXPECT_EQ(chosen(roadOf({"main", "\xe5\x8c\x97\xe9\x81\x93"}), alignmentNamed("\xe5\x8c\x97\xe9\x81\x93")),
            "\xe5\x8c\x97\xe9\x81\x93");
  EXPECT_EQ(chosen(roadOf({"main", ""}), alignmentNamed("")), "");
}

TEST(AlignmentSelection, Refusals) {
  const std::string prefix = "road.xml: error: ";
  EXPECT_EQ(chosen(Road{}), prefix + sjis::kImportNoAlignment);
  // Several: the message lists them in Shift-JIS.
  EXPECT_EQ(chosen(roadOf({"main", "\xe5\x8c\x97\xe9\x81\x93"})),
            prefix + sjis::kImportSeveralAlignments + "\"main\", \"\x96\x6b\x93\xb9\"\n");
  EXPECT_EQ(chosen(roadOf({"main", "ramp"}), alignmentNamed("Main")),
            prefix + "Alignment \"Main\" " + sjis::kImportAlignmentNotFound + "\"main\", \"ramp\"\n");
  EXPECT_EQ(chosen(roadOf({"a", "a"}), alignmentNamed("a")), prefix + "Alignment \"a\" " + sjis::kImportSameName);
  Road many;
  for (int i = 0; i < 25; ++i) many.alignments.emplace_back().name = std::to_string(i);
  for (Alignment& a : many.alignments) a.profAligns.push_back(profAlign("P", 1));
  const std::string listed = chosen(many);
  EXPECT_TRUE(listed.ends_with("\"18\", \"19\", ...\n")) << listed;
  Road noProfile = roadOf({"main"});
  noProfile.alignments[0].profAligns.clear();
  EXPECT_EQ(chosen(noProfile), prefix + "Alignment \"main\" " + sjis::kImportNoProfAlign);
}

// A fault in one Alignment refuses that one only: the others can be
// chosen, the refused one gives its refusal, and without a name the
// message lists what can be imported with a note for each of the others.
TEST(AlignmentSelection, EachAlignmentStandsAlone) {
  Road road = roadOf({"KREIS1", "A1", "A2", "A3"});
  road.alignments[1].profAligns.clear();
  road.alignments[1].refusal = refusalAt(25, "PVI bad");
  road.alignments[2].profAligns.clear();  // no ProfAlign
  road.alignments[3].profAligns = {profAlign("P", 41)};
  road.alignments[3].profAligns[0].refusal = refusalAt(43, "ParaCurve bad");

  EXPECT_EQ(chosen(road, alignmentNamed("KREIS1")), "KREIS1");
  EXPECT_EQ(chosen(road, alignmentNamed("A1")), "road.xml:25: error: PVI bad\n");
  EXPECT_EQ(chosen(road, alignmentNamed("A3")), "road.xml:43: error: ParaCurve bad\n");
  EXPECT_EQ(chosen(road), std::string("road.xml: error: ") + sjis::kImportSeveralAlignments + "\"KREIS1\"\n" +
                              "road.xml:25: note: Alignment \"A1\" " + sjis::kImportCannotImport + "PVI bad\n" +
                              "road.xml:30: note: Alignment \"A2\" " + sjis::kImportCannotImport +
                              (sjis::kImportNoProfAlign + 2) +
                              "road.xml:43: note: Alignment \"A3\" " + sjis::kImportCannotImport + "ParaCurve bad\n");
  road.alignments.erase(road.alignments.begin());
  EXPECT_EQ(chosen(road).substr(0, 17 + std::string(sjis::kImportNoneImportable).size()),
            std::string("road.xml: error: ") + sjis::kImportNoneImportable);
}

TEST(AlignmentSelection, TheProfAlignAndTheProfSurf) {
  Road road = roadOf({"main"});
  Alignment& a = road.alignments[0];
  a.profAligns = {profAlign("Z1", 20, 1.0), profAlign("Z1_NEU", 30, 1.5), profAlign("Z2", 40)};
  a.profAligns[2].refusal = refusalAt(42, "PVI bad");
  a.profAligns[1].warnings = {{33, "merged"}};
  a.warnings = {{5, "length"}, {50, "superelevation"}};
  a.profSurfs = {{"EG", 60, {{0, 5}}, {}}, {"EG2", 70, {{0, 6}}, {}}, {"EG3", 80, {}, refusalAt(81, "bad ground")}};

  const auto refusal = [&](const RoadChoice& choice) {
    try {
      selectAlignment(road, choice, "road.xml");
    } catch (const ImportRefused& refused) {
      return refused.message;
    }
    return std::string("accepted");
  };
  EXPECT_EQ(refusal({}), std::string("road.xml: error: ") + sjis::kImportSeveralProfAligns + "\"Z1\", \"Z1_NEU\"\n" +
                             "road.xml:42: note: ProfAlign \"Z2\" " + sjis::kImportCannotImport + "PVI bad\n");
  EXPECT_EQ(refusal({std::nullopt, "Z2", std::nullopt}), "road.xml:42: error: PVI bad\n");
  EXPECT_EQ(refusal({std::nullopt, "Z3", std::nullopt}),
            std::string("road.xml: error: ProfAlign \"Z3\" ") + sjis::kImportProfAlignNotFound +
                "\"Z1\", \"Z1_NEU\", \"Z2\"\n");
  EXPECT_EQ(refusal({std::nullopt, "Z1", "EG4"}), std::string("road.xml: error: ProfSurf \"EG4\" ") +
                                                      sjis::kImportProfSurfNotFound + "\"EG\", \"EG2\", \"EG3\"\n");
  EXPECT_EQ(refusal({std::nullopt, "Z1", "EG3"}), "road.xml:81: error: bad ground\n");

  // The chosen lines replace the reader's first ones; the chosen
  // ProfAlign's warnings join the Alignment's, by line.
  const Alignment neu = selectAlignment(road, {std::nullopt, "Z1_NEU", "EG2"}, "road.xml");
  EXPECT_EQ(neu.grade.front().height, 1.5);
  EXPECT_EQ(neu.gradeName, "Z1_NEU");
  EXPECT_EQ(neu.gradeLine, 30);
  ASSERT_EQ(neu.ground.size(), 1u);
  EXPECT_EQ(neu.ground[0].height, 6.0);
  ASSERT_EQ(neu.warnings.size(), 3u);
  EXPECT_EQ(neu.warnings[1].text, "merged");
  EXPECT_TRUE(neu.profAligns.empty() && neu.profSurfs.empty());
  const Alignment z1 = selectAlignment(road, {std::nullopt, "Z1", std::nullopt}, "road.xml");
  EXPECT_EQ(z1.ground.at(0).height, 5.0);  // the first ProfSurf
  EXPECT_EQ(z1.warnings.size(), 2u);
  // The first ProfSurf unreadable: named by its refusal.
  a.profSurfs.erase(a.profSurfs.begin(), a.profSurfs.begin() + 2);
  EXPECT_EQ(refusal({std::nullopt, "Z1", std::nullopt}), "road.xml:81: error: bad ground\n");
  a.profSurfs.clear();
  EXPECT_TRUE(selectAlignment(road, {std::nullopt, "Z1", std::nullopt}, "road.xml").ground.empty());
}

}  // namespace
}  // namespace ps::landxml
