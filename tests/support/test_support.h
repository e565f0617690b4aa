// Helpers shared by the unit tests: drawings written into memory and the
// expected DXF lines spelled as text.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "input/profile_data.h"
#include "dxf/drawing.h"
#include "dxf/output.h"

namespace ps::test {

// The given lines, each ended with CR LF, as the drawing file holds them.
std::string dxfLines(std::initializer_list<std::string_view> lines);

// Splits drawing bytes at CR LF (the last, empty piece dropped).
std::vector<std::string> splitLines(const std::string& bytes);

// A drawing that writes into a string.
struct MemoryDrawing {
  MemoryDrawing() : stream(sink), drawing(stream) {}
  // Everything written so far.
  const std::string& text() {
    stream.flush();
    return sink.text;
  }
  // Lines written so far, without their CR LF.
  std::vector<std::string> lines() { return splitLines(text()); }
  // Defines a layer as the layer definition file would.
  void defineLayer(std::string name, int colour, double thickness, int lineTypeCode = 1);

  StringSink sink;
  DxfStream stream;
  Drawing drawing;
};

// Reads a whole file (test data), failing the test when it cannot.
std::string readFile(const std::string& path);

// The folder of the copied test data, and of the bundled example.
std::string testDataDir();
std::string examplesDir();

}  // namespace ps::test
