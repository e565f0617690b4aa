#include <gtest/gtest.h>

#include "driver/run.h"
#include "dxf/tables.h"
#include "support/test_support.h"
#include "text/shift_jis.h"

namespace ps {
namespace {

using test::dxfLines;
using test::MemoryDrawing;

const std::string kLayerHead = dxfLines({"0", "TABLE", "2", "LAYER", "70", "16", "0"});
const std::string kEndTab = dxfLines({"ENDTAB"});

std::string layerEntry(const char* name, const char* colour, const char* lineType) {
  return dxfLines({"LAYER", "2", name, "70", "0", "62", colour, "6", lineType, "0"});
}

// The LAYER table of a layer definition file, or the refusal's message.
std::string layerTable(MemoryDrawing& m, const std::string& file) {
  try {
    writeLayersOfFile(m.drawing, file);
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
