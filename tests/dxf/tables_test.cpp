#include "dxf/tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dxf/shift_jis.h"
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

const std::string kLayerHead = dxfLines({"0", "TABLE", "2", "LAYER", "70", "16", "0"});
const std::string kEndTab = dxfLines({"ENDTAB"});

std::string layerEntry(const char* name, const char* colour, const char* lineType) {
  return dxfLines({"LAYER", "2", name, "70", "0", "62", colour, "6", lineType, "0"});
}

// The LAYER table of a layer definition file, or the refusal's message.
std::string layerTable(MemoryDrawing& m, const std::string& file) {
  Scanner in(file, "GasouT.dat");
  try {
    writeLayerTable(m.drawing, in);
  } catch (const InputRefused& refused) {
    return refused.message;
  }
  return m.text();
}

TEST(LayerTable, OneEntryPerDefinitionRow) {
  MemoryDrawing m;
  EXPECT_EQ(layerTable(m, "5\n 3  1  0.0 D-STR\r\n1 2 0.5 D-BGD\n2\t7 0.25 X\n\n 5 5\n1e-1\nd-str\n4 3 0 D-STR\n"),
            kLayerHead + layerEntry("D-STR", "3", "CONTINUOUS") + layerEntry("D-BGD", "1", "HIDDEN") +
                layerEntry("X", "2", "HIDDEN") + layerEntry("d-str", "5", "DOT") + layerEntry("D-STR", "4", "CENTER") +
                kEndTab);
  EXPECT_EQ(m.lines().size(), 7u + 10 * 5 + 1);
  const LayerDefinitions& layers = m.drawing.layers;
  EXPECT_EQ(layers.count, 5);
  EXPECT_EQ(layers.rows[3].lineTypeCode, 7);
  EXPECT_EQ(layers.rows[4].thickness, 0.1);

  // The first row of a name counts; names match byte for byte.
  PenState& pen = m.drawing.pen;
  selectLayer(m.drawing, "D-STR");
  EXPECT_EQ(pen.layerName + "/" + std::to_string(pen.colour) + "/" + std::to_string(pen.thickness), "D-STR/3/0.000000");
  selectLayer(m.drawing, "D-BGD");
  selectLayer(m.drawing, "d-STR");
  EXPECT_EQ(pen.layerName + "/" + std::to_string(pen.colour) + "/" + std::to_string(pen.thickness), "d-STR/1/0.500000");
  selectLayer(m.drawing, "d-str");
  EXPECT_EQ(pen.colour, 5);
  EXPECT_EQ(pen.thickness, 0.1);
}

TEST(LayerTable, UnknownCodesCountsAndMissingRows) {
  MemoryDrawing unknownFirst;  // nothing to repeat: solid lines
  EXPECT_EQ(layerTable(unknownFirst, "2\n4 9 0 A\n4 -1 0 B\n"),
            kLayerHead + layerEntry("A", "4", "CONTINUOUS") + layerEntry("B", "4", "CONTINUOUS") + kEndTab);
  for (const char* empty : {"0\n", "-3\n", "", "   \n"}) {
    MemoryDrawing m;
    EXPECT_EQ(layerTable(m, empty), kLayerHead + kEndTab) << empty;
    EXPECT_EQ(m.drawing.layers.count, 0);
  }
  MemoryDrawing missing;  // more rows counted than present
  EXPECT_EQ(layerTable(missing, "2\n6 4 0.5 A"),
            kLayerHead + layerEntry("A", "6", "PHANTOM") + layerEntry("", "0", "PHANTOM") + kEndTab);
}

TEST(LayerTable, RefusesMoreThanNineteenRowsOrLongNames) {
  MemoryDrawing tooMany;
  EXPECT_EQ(layerTable(tooMany, "20\n"), std::string("GasouT.dat") + sjis::kLayerCountLimit);
  EXPECT_EQ(tooMany.text(), kLayerHead);
  MemoryDrawing nineteen;
  layerTable(nineteen, "19\n");
  EXPECT_EQ(nineteen.lines().size(), 7u + 10 * 19 + 1);

  const std::string name49(49, 'N');
  MemoryDrawing longName;
  EXPECT_EQ(layerTable(longName, "3\n1 1 0 " + name49 + "\n2 1 0 " + name49 + "N\n3 1 0 C\n"),
            std::string("GasouT.dat") + sjis::kLayerNameLimit);
  EXPECT_EQ(longName.text(), kLayerHead + layerEntry(name49.c_str(), "1", "CONTINUOUS"));
}

}  // namespace
}  // namespace ps
