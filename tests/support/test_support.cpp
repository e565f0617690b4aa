#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ps::test {

std::string dxfLines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view line : lines) {
    out.append(line);
    out.append("\r\n");
  }
  return out;
}

std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void MemoryDrawing::defineLayer(std::string name, int colour, double thickness, int lineTypeCode) {
  LayerDefinitions& layers = drawing.layers;
  ++layers.count;
  layers.rows[layers.count] = LayerDef{colour, lineTypeCode, thickness, std::move(name)};
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string testDataDir() { return PROFILE_SHEET_TEST_DATA; }
std::string examplesDir() { return PROFILE_SHEET_EXAMPLES; }

}  // namespace ps::test
