#include <gtest/gtest.h>

#include "dxf/tables.h"
#include "sheet/sheet.h"
#include "support/sheet_fixture.h"
#include "text/shift_jis.h"

namespace ps {
namespace {

using test::SheetFixture;

TEST(SheetIdentity, NamesAndNumberBelowTheBandStackInTheTitleSize) {
  // Titles 3.5 (written 3) high; the data cells end at 100 + 50 + 400 - 2.
  SheetFixture f;
  f.continuation.emplace();
  f.continuation->roadName = "\x8c\xa7\x93\xb9";  // 県道
  f.continuation->projectName = "Test";
  f.continuation->sheet = SheetOfSet{3, 12};
  selectLayer(f.memory.drawing, "D-STR");
  drawSheetIdentity(f.sheet());
  EXPECT_EQ(f.entities(), (std::vector<std::string>{std::string("T 100.0,40.0 ") + sjis::kRoadNameCaption + "\x8c\xa7\x93\xb9",
                                                    std::string("T 100.0,34.0 ") + sjis::kProjectNameCaption + "Test",
                                                    "T 536.0,40.0 3/12"}));
  EXPECT_EQ(f.memory.drawing.pen.layerName, "D-TTL-BAND");
  const auto lines = f.memory.lines();
  EXPECT_EQ(lines[lines.size() - 4], "KANJI");
  EXPECT_EQ(lines[20], "3");  // the first text's height

  // Only what the continuation gives.
  SheetFixture bare;
  bare.continuation.emplace();
  bare.continuation->projectName = "Test";
  drawSheetIdentity(bare.sheet());
  EXPECT_EQ(bare.entities(), (std::vector<std::string>{std::string("T 100.0,34.0 ") + sjis::kProjectNameCaption + "Test"}));
}

}  // namespace
}  // namespace ps
