#include "landxml/alignment_selection.h"

#include <gtest/gtest.h>

#include <string>

#include "text/shift_jis.h"

namespace ps::landxml {
namespace {

Road roadOf(std::initializer_list<const char*> names) {
  Road road;
  for (const char* name : names) {
    Alignment& a = road.alignments.emplace_back();
    a.name = name;
    a.grade = {{0.0, 1.0, 0.0}, {10.0, 2.0, 0.0}};
  }
  return road;
}

std::string chosen(const Road& road, std::optional<std::string_view> name) {
  try {
    return selectAlignment(road, name, "road.xml").name;
  } catch (const ImportRefused& refused) {
    return refused.message;
  }
}

TEST(AlignmentSelection, TheOnlyOneOrTheNamedOne) {
  EXPECT_EQ(chosen(roadOf({"main"}), std::nullopt), "main");
  EXPECT_EQ(chosen(roadOf({"main", "\xe5\x8c\x97\xe9\x81\x93"}), "\xe5\x8c\x97\xe9\x81\x93"), "\xe5\x8c\x97\xe9\x81\x93");
  EXPECT_EQ(chosen(roadOf({"main", ""}), ""), "");
}

TEST(AlignmentSelection, Refusals) {
  const std::string prefix = "road.xml: error: ";
  EXPECT_EQ(chosen(Road{}, std::nullopt), prefix + sjis::kImportNoAlignment);
  // Several: the message lists them in Shift-JIS.
  EXPECT_EQ(chosen(roadOf({"main", "\xe5\x8c\x97\xe9\x81\x93"}), std::nullopt),
            prefix + sjis::kImportSeveralAlignments + "\"main\", \"\x96\x6b\x93\xb9\"\n");
  EXPECT_EQ(chosen(roadOf({"main", "ramp"}), "Main"),
            prefix + "Alignment \"Main\" " + sjis::kImportAlignmentNotFound + "\"main\", \"ramp\"\n");
  EXPECT_EQ(chosen(roadOf({"a", "a"}), "a"), prefix + "Alignment \"a\" " + sjis::kImportSameName);
  Road many;
  for (int i = 0; i < 25; ++i) many.alignments.emplace_back().name = std::to_string(i);
  const std::string listed = chosen(many, std::nullopt);
  EXPECT_TRUE(listed.ends_with("\"18\", \"19\", ...\n")) << listed;
  Road noProfile = roadOf({"main"});
  noProfile.alignments[0].grade.clear();
  EXPECT_EQ(chosen(noProfile, std::nullopt),
            prefix + "Alignment \"main\" " + sjis::kImportNoProfAlign);
}

}  // namespace
}  // namespace ps::landxml
