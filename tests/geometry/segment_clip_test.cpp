#include "geometry/segment_clip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace ps {
namespace {

// The clipped segment as "x1,y1 x2,y2", or "none".
std::string clipped(double x1, double y1, double x2, double y2,
                    ClipBox box = {0, 100, 0, 10}) {
  if (!clipSegment(box, x1, y1, x2, y2)) return "none";
  auto n = [](double v) {
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
  };
  return n(x1) + "," + n(y1) + " " + n(x2) + "," + n(y2);
}

TEST(SegmentClip, CutsAtTheEdgesExactlyAndKeepsTheDirection) {
  EXPECT_EQ(clipped(10, 2, 90, 8), "10,2 90,8");     // inside
  EXPECT_EQ(clipped(-20, 0, 20, 8), "0,4 20,8");     // from the left edge, on the line
  EXPECT_EQ(clipped(120, 8, 80, 4), "100,6 80,4");   // backwards across the right edge
  EXPECT_EQ(clipped(-50, 5, 150, 5), "0,5 100,5");   // across both
  EXPECT_EQ(clipped(50, 5, 60, 15), "50,5 55,10");   // out of the top
  EXPECT_EQ(clipped(50, -10, 50, 20), "50,0 50,10"); // vertical, through both
  EXPECT_EQ(clipped(-10, 12, 10, 12), "none");       // above the box
  EXPECT_EQ(clipped(-30, 5, -10, 5), "none");        // left of it
  // Touching an edge is nothing; a point inside, or on an edge, stays.
  EXPECT_EQ(clipped(-10, 5, 0, 5), "none");
  EXPECT_EQ(clipped(100, 5, 120, 5), "none");
  EXPECT_EQ(clipped(0, 2, 0, 8), "0,2 0,8");
  EXPECT_EQ(clipped(40, 5, 40, 5), "40,5 40,5");
  // Nothing that is not a finite number goes through.
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(clipped(-inf, 5, 50, 5), "none");
  EXPECT_EQ(clipped(10, std::nan(""), 50, 5), "none");
  EXPECT_EQ(clipped(-5, 5, 50, 5, {-inf, inf, 0, 10}), "-5,5 50,5");
}

}  // namespace
}  // namespace ps
