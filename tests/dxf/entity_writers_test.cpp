#include "dxf/entity_writers.h"

#include <gtest/gtest.h>

#include "dxf/tables.h"
#include "support/test_support.h"

namespace ps {
namespace {

using test::dxfLines;
using test::MemoryDrawing;

TEST(EntityWriters, LineFromOriginAndPoints) {
  const std::string expected =
      dxfLines({"LINE",   "8",  "D-STR", "62", "7",       "39", "0.000",  "10", "100.000", "20",
                "70.000", "30", "0",     "11", "250.500", "21", "70.000", "31", "0",       "0"});
  const double X[] = {0, 0, 150.5}, Y[] = {0, 0, 0};
  MemoryDrawing m;
  drawPolyline(m.drawing, X, Y, 2, "D-STR", 0.0, 7, 100, 70);
  EXPECT_EQ(m.text(), expected);

  // The same line with the current pen and origin.
  MemoryDrawing pen;
  pen.defineLayer("D-STR", 7, 0.0);
  selectLayer(pen.drawing, "D-STR");
  setOrigin(pen.drawing, 100, 70);
  penPolyline(pen.drawing, {{0, 0}, {150.5, 0}});
  EXPECT_EQ(pen.text(), expected);

  MemoryDrawing thick;
  writeLine(thick.stream, "L", 0.25, 256, -0.0625, 1e-4, 12.3456, -7);
  EXPECT_EQ(thick.text(), dxfLines({"LINE",  "8",  "L", "62", "256",    "39", "0.250",  "10", "-0.063", "20",
                                    "0.000", "30", "0", "11", "12.346", "21", "-7.000", "31", "0",      "0"}));
}

TEST(EntityWriters, PolylineWritesOneLinePerSegment) {
  const double X[] = {0, 0, 10, 10, 0, 0}, Y[] = {0, 0, 0, 5, 5, 0};
  MemoryDrawing one;
  drawPolyline(one.drawing, X, Y, 1, "A", 0, 1, 0, 0);
  drawPolyline(one.drawing, X, Y, 0, "A", 0, 1, 0, 0);
  EXPECT_EQ(one.text(), "");

  MemoryDrawing rectangle;  // closed: the fifth point is the first
  drawPolyline(rectangle.drawing, X, Y, 5, "A", 0, 1, 1, 2);
  const auto lines = rectangle.lines();
  ASSERT_EQ(lines.size(), 80u);
  const char* ends[4][4] = {{"1.000", "2.000", "11.000", "2.000"},
                            {"11.000", "2.000", "11.000", "7.000"},
                            {"11.000", "7.000", "1.000", "7.000"},
                            {"1.000", "7.000", "1.000", "2.000"}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(lines[20 * k], "LINE");
    EXPECT_EQ(std::vector<std::string>({lines[20 * k + 8], lines[20 * k + 10], lines[20 * k + 14], lines[20 * k + 16]}),
              std::vector<std::string>(ends[k], ends[k] + 4))
        << k;
  }
}

TEST(EntityWriters, HiddenAndPhantomLinesInWholeMillimetres) {
  auto dashed = [](const char* type, const char* thickness) {
    return dxfLines({"LINE",  "8",  "D-STR", "62", "7", "39", thickness, "48", "   10", "6",  type, "10",
                     "  100", "20", "   70", "30", "0", "11", "  250",   "21", "   70", "31", "0",  "0"});
  };
  const double X[] = {0, 0, 150}, Y[] = {0, 0, 0};
  MemoryDrawing hidden;
  drawHiddenPolyline(hidden.drawing, X, Y, 2, "D-STR", 0.0, 7, 100, 70);
  EXPECT_EQ(hidden.text(), dashed("HIDDEN", "    0"));
  MemoryDrawing phantom;
  drawPhantomPolyline(phantom.drawing, X, Y, 2, "D-STR", 0.5, 7, 100, 70);
  EXPECT_EQ(phantom.text(), dashed("PHANTOM", "    1"));

  MemoryDrawing pen;
  pen.defineLayer("D-STR", 7, 0.0);
  selectLayer(pen.drawing, "D-STR");
  setOrigin(pen.drawing, 99.5, 70.4);
  penPolyline(pen.drawing, {{0, 0}, {150.4, 0}}, LineKind::hidden);
  EXPECT_EQ(pen.text(), dashed("HIDDEN", "    0"));  // 99.5 rounds up, 70.4 and 249.9 to the nearest
}

TEST(EntityWriters, LabelAddsTheOriginAndWritesTheTextAsHeld) {
  MemoryDrawing m;
  m.defineLayer("D-TTL-BAND", 3, 0.0);
  selectLayer(m.drawing, "D-TTL-BAND");
  setOrigin(m.drawing, 100, 120);
  penLabel(m.drawing, 35, 0.5, 40.04, 0.5, 2, 90, "\x8c\x76 No. 3", 0.8);
  EXPECT_EQ(m.text(),
            dxfLines({"TEXT",  "8",  "D-TTL-BAND",     "39", "  0.0", "62", "3", "10", "135.0", "20", "120.5", "30",
                      "0",     "11", "140.0",          "21", "120.5", "31", "0", "40", "2",     "41", "  0.8", "50",
                      " 90.0", "1",  "\x8c\x76 No. 3", "7",  "KANJI", "72", "0", "0"}));

  MemoryDrawing direct;
  writeAlignedText(direct.stream, "L", 0.25, 1, 12, "", 1.25, -0.05, "STANDARD", 0, 0, 1234.56, -1);
  EXPECT_EQ(direct.text(),
            dxfLines({"TEXT",  "8",  "L",     "39",     "  0.3", "62",    "1",        "10", "  0.0", "20", "  0.0",
                      "30",    "0",  "11",    "1234.6", "21",    " -1.0", "31",       "0",  "40",    "12", "41",
                      "  1.3", "50", " -0.1", "1",      "",      "7",     "STANDARD", "72", "0",     "0"}));
}

TEST(EntityWriters, CircleTakesLayerAndThicknessFromThePen) {
  auto circle = [](const char* layer, const char* thickness) {
    return dxfLines(
        {"CIRCLE", "8", layer, "39", thickness, "10", "105.0", "20", " 76.0", "30", "0", "40", "  2.5", "0"});
  };
  MemoryDrawing m;
  m.defineLayer("D-BGD", 1, 0.5);
  drawCircle(m.drawing, 5, 6, 2.5, 100, 70);  // before any layer is selected
  selectLayer(m.drawing, "D-BGD");
  drawCircle(m.drawing, 5, 6, 2.5, 100, 70);
  selectLayer(m.drawing, "MISSING");
  drawCircle(m.drawing, 5, 6, 2.5, 100, 70);
  EXPECT_EQ(m.text(), circle("", "0.000") + circle("D-BGD", "0.500") + circle("MISSING", "0.500"));
}

}  // namespace
}  // namespace ps
