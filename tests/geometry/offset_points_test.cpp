#include "geometry/offset_points.h"

#include <gtest/gtest.h>


namespace ps {
namespace {

struct P {
  double x, y;
};

P along(double x1, double y1, double x2, double y2, double d) {
  P p{};
  pointOnLine(x1, y1, x2, y2, d, p.x, p.y);
  return p;
}

P beside(double x1, double y1, double x2, double y2, double d) {
  P p{};
  offsetPoint(x1, y1, x2, y2, d, p.x, p.y);
  return p;
}

#define EXPECT_POINT(p, ex, ey)   \
  do {                            \
    const P q_ = (p);             \
    EXPECT_DOUBLE_EQ(q_.x, ex);   \
    EXPECT_DOUBLE_EQ(q_.y, ey);   \
  } while (0)

TEST(OffsetPoints, PointOnLineTakesTheSideBySignOfDistance) {
  EXPECT_POINT(along(0, 0, 3, 4, 5), 3, 4);
  EXPECT_POINT(along(0, 0, 3, 4, -5), -3, -4);
  EXPECT_POINT(along(0, 0, -3, -4, 5), 3, 4);  // larger x, not toward the second point
  EXPECT_POINT(along(2, 1, 2, 9, 3), 2, 4);    // vertical line
  EXPECT_POINT(along(2, 1, 2, 9, -3), 2, -2);
  EXPECT_POINT(along(1, 1, 1, 1, 2), 1, 3);    // equal points: vertical branch
  EXPECT_POINT(along(5, 7, 8, 11, 0), 5, 7);   // distance 0: the first point
  EXPECT_POINT(along(5, 7, 5, 11, 0), 5, 7);
}

TEST(OffsetPoints, OffsetPointLiesAboveOrLeftForPositiveDistance) {
  EXPECT_POINT(beside(0, 0, 10, 0, 1), 0, 1);
  EXPECT_POINT(beside(0, 0, 10, 0, -1), 0, -1);
  EXPECT_POINT(beside(0, 0, 0, 10, 1), -1, 0);
  EXPECT_POINT(beside(0, 0, 0, 10, -1), 1, 0);
  EXPECT_POINT(beside(0, 0, 3, 4, 5), -4, 3);
  EXPECT_POINT(beside(1, 1, 1, 1, 2), -1, 1);  // equal points: vertical branch
  EXPECT_POINT(beside(5, 7, 8, 11, 0), 5, 7);
  EXPECT_POINT(beside(5, 7, 5, 11, 0), 5, 7);
}

}  // namespace
}  // namespace ps
