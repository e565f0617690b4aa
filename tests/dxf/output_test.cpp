#include "dxf/output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/test_support.h"

namespace ps {
namespace {

TEST(DxfStream, RepeatedRealsKeepTheirOwnFormat) {
  // Values come back from the stream's recent lines only for the same bits,
  // width and decimals.
  StringSink sink;
  {
    DxfStream out(sink);
    for (int round = 0; round < 2; ++round) {
      out.real(1.5, 5, 3);
      out.real(1.5, 5, 0);
      out.real(1.5, 7, 3);
      out.real(-0.0, 5, 3);
      out.real(0.0, 5, 3);
      out.real(-0.0004, 5, 3);
    }
    out.code(7);
    out.code(100);
    out.code(-2);
  }
  const std::string reals = test::dxfLines({"1.500", "    2", "  1.500", "-0.000", "0.000", "-0.000"});
  EXPECT_EQ(sink.text, reals + reals + test::dxfLines({"7", "100", "-2"}));
}

TEST(DxfStream, LinesLongerThanTheBufferAndManyLinesSurviveFlushing) {
  StringSink sink;
  const std::string longName(100000, 'n');
  std::string want;
  {
    DxfStream out(sink);
    for (int i = 0; i < 20000; ++i) {
      out.real(i * 0.25, 5, 1);
      want += test::dxfLines({formatFixed(i * 0.25, 5, 1)});
    }
    out.text(longName);
    out.real(1e300, 5, 0);  // beyond the short path: a long line of digits
  }
  want += test::dxfLines({longName, formatFixed(1e300, 5, 0)});
  EXPECT_EQ(sink.text, want);
}

}  // namespace
}  // namespace ps
