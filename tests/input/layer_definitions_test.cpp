#include "input/layer_definitions.h"

#include <gtest/gtest.h>

#include <string>

namespace ps {
namespace {

using namespace std::string_literals;

TEST(LayerDefinitions, ANameEndsAtItsFirstNulAndRowsKeepTheirLines) {
  const std::string file = "3\r\n7 1 0.0 D-TTL-BAND\r\n\r\n3 1 0.25 D-STR\0xy\r\n1 2\r\n0.0 \0\r\n"s;
  Scanner in(file, "GasouT.dat");
  LayerRows layers;
  readLayerDefinitions(in, layers);
  ASSERT_EQ(layers.count, 3);
  EXPECT_EQ(layers.countLine, 1);
  EXPECT_EQ(layers.rows[2].name, "D-STR");
  EXPECT_EQ(layers.rows[2].line, 4);
  EXPECT_EQ(layers.rows[2].thickness, 0.25);
  EXPECT_EQ(layers.rows[3].name, "");
  EXPECT_EQ(layers.rows[3].line, 5);
}

TEST(LayerDefinitions, ARefusalKeepsTheRowsReadBeforeIt) {
  const std::string file = "3\n1 1 0 A\n2 1 0 B"s + std::string(49, '\0') + "C\n3 1 0 C\n";
  Scanner in(file, "GasouT.dat");
  LayerRows layers;
  EXPECT_THROW(readLayerDefinitions(in, layers), InputRefused);
  EXPECT_EQ(layers.count, 1);
  EXPECT_EQ(layers.rows[1].name, "A");
}

}  // namespace
}  // namespace ps
