#include "dxf/tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "text/shift_jis.h"
#include "support/test_support.h"

namespace ps {
namespace {

using test::dxfLines;
using test::MemoryDrawing;

TEST(LineTypeTable, FixedTableOfFiveTypes) {
  MemoryDrawing m;
  writeLineTypeTable(m.stream);
  const auto lines = m.lines();
  ASSERT_EQ(lines.size(), 108u);
  const std::string head = dxfLines({"2", "TABLES", "0", "TABLE", "2", "LTYPE", "70", "5", "0"});
  EXPECT_EQ(m.text().substr(0, head.size()), head);
  EXPECT_EQ(lines.back(), "ENDTAB");

  // Entry starts, descriptions and the printed group 40 and 49 lengths.
  struct Entry {
    std::size_t start;
    const char* name;
    std::string description;
    std::vector<std::string> lengths;
  };
  const Entry entries[] = {
      {9, "CONTINUOUS", sjis::kSolidLine, {"    1"}},
      {23, "HIDDEN", "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _", {"   10", "    6", "   -3"}},
      {41, "CENTER", "____ _ ____ _ ____ _ ____ _ ____ _ ____", {"   51", "   32", "   -6", "    6", "   -6"}},
      {63,
       "PHANTOM",
       "_____ _ _ _____ _ _ _____ _ _ _____ _ _ ____",
       {"   64", "   32", "   -6", "    6", "   -6", "    6", "   -6"}},
      {89, "DOT", std::string(45, '.'), {"   10", "    5", "   -5"}},
  };
  for (const Entry& e : entries) {
    const std::size_t elements = e.lengths.size() - 1;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + e.start, lines.begin() + e.start + 12),
              (std::vector<std::string>{"LTYPE", "2", e.name, "70", "64", "3", e.description, "72", "65", "73",
                                        std::to_string(elements), "40"}));
    std::vector<std::string> printed{lines[e.start + 12]};
    for (std::size_t j = 0; j < elements; ++j) {
      EXPECT_EQ(lines[e.start + 13 + 2 * j], "49") << e.name;
      printed.push_back(lines[e.start + 14 + 2 * j]);
    }
    EXPECT_EQ(printed, e.lengths) << e.name;
    EXPECT_EQ(lines[e.start + 13 + 2 * elements], "0") << e.name;
  }
}

TEST(StyleTable, StandardAndKanji) {
  auto entry = [](const char* name, const char* bigFont) {
    return dxfLines({"STYLE", "2",  name, "70", "0",     "40", "    0", "41", "    1", "50",
                     "    0", "71", "0",  "42", "    0", "3",  "TXT",   "4",  bigFont, "0"});
  };
  MemoryDrawing m;
  writeStyleTable(m.stream);
  EXPECT_EQ(m.text(), dxfLines({"0", "TABLE", "2", "STYLE", "70", "2", "0"}) +
                          entry("STANDARD", "MS\x83\x53\x83\x56\x83\x62\x83\x4e") + entry("KANJI", "BIGFONT") +
                          dxfLines({"ENDTAB"}));
  EXPECT_EQ(m.lines().size(), 48u);
  EXPECT_EQ(std::strlen(sjis::kMsGothic), 10u);
}

}  // namespace
}  // namespace ps
