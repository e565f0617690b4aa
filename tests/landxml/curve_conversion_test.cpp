#include "landxml/curve_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "import/design_profile.h"

namespace ps::landxml {
namespace {

// The circle tangent to the grades through (c, h), found on its own: its
// centre lies R from both grade lines, on their inner side.
struct TrueCircle {
  double c, h, in, out, radius, centreX, centreY, sag;

  TrueCircle(double c, double h, double in, double out, double radius)
      : c(c), h(h), in(in), out(out), radius(radius), sag(out > in ? 1.0 : -1.0) {
    const double n1 = std::sqrt(1 + in * in), n2 = std::sqrt(1 + out * out);
    // -in * dx + dy = sag R n1, -out * dx + dy = sag R n2
    const double dx = sag * radius * (n2 - n1) / (in - out);
    centreX = c + dx;
    centreY = h + sag * radius * n1 + in * dx;
  }
  double tangentX(double g) const { return centreX + sag * radius * g / std::sqrt(1 + g * g); }
  double height(double x) const {
    if (x <= tangentX(in)) return h + in * (x - c);
    if (x >= tangentX(out)) return h + out * (x - c);
    return centreY - sag * std::sqrt(radius * radius - (x - centreX) * (x - centreX));
  }
};

// The grade line as a sheet draws it, with the converted points between a
// PVI 300 m before and one 300 m after.
import::GradeLine drawnWith(const std::vector<GradePoint>& points, const TrueCircle& t) {
  std::vector<GradePoint> line{{t.c - 300, t.h - 300 * t.in, 0.0}};
  line.insert(line.end(), points.begin(), points.end());
  line.push_back({t.c + 300, t.h + 300 * t.out, 0.0});
  return import::GradeLine(line);
}

double worstDeviation(const import::GradeLine& drawn, const TrueCircle& t) {
  double worst = 0.0;
  for (int k = 0; k <= 6000; ++k) {
    const double x = t.c - 150 + 300.0 * k / 6000;
    worst = std::max(worst, std::fabs(drawn.height(x) - t.height(x)));
  }
  return worst;
}

// Crests and sags, gentle and sharp: the fewest pieces that follow the
// circle within half a millimetre as drawn, touching end to end, the first
// on the grade in and the last on the grade out.
TEST(CurveConversion, CircCurvesBecomeParabolasThatFollowTheCircle) {
  struct Case {
    double in, out, radius;
    int pieces;
  };
  for (const Case& k : {Case{0.02, -0.0153, 2000, 1}, Case{0.05, -0.03, 2000, 3}, Case{0.08, -0.04, 1000, 4},
                        Case{-0.03, 0.04, 3000, 3}, Case{0.1, -0.1, 300, 6}, Case{0.0, 0.3, 200, 11}}) {
    SCOPED_TRACE(std::to_string(k.in) + " " + std::to_string(k.out) + " R=" + std::to_string(k.radius));
    const TrueCircle t(500.0, 40.0, k.in, k.out, k.radius);
    const VerticalCircle circle = verticalCircle(500.0, 40.0, k.in, k.out, k.radius);
    EXPECT_NEAR(circle.begin, t.tangentX(k.in), 1e-9);
    EXPECT_NEAR(circle.end, t.tangentX(k.out), 1e-9);
    EXPECT_NEAR(circle.arcLength, k.radius * std::fabs(std::atan(k.out) - std::atan(k.in)), 1e-9);
    const CircleParabolas p = circleAsParabolas(circle);
    ASSERT_TRUE(p.followed);
    ASSERT_EQ(static_cast<int>(p.points.size()), k.pieces);
    EXPECT_LE(p.deviation, kCircleTolerance);
    const double measured = worstDeviation(drawnWith(p.points, t), t);
    EXPECT_LE(measured, kCircleTolerance);
    EXPECT_NEAR(measured, p.deviation, 2e-5);
    if (k.pieces == 1) {
      EXPECT_EQ(p.points[0].station, 500.0);
      EXPECT_NEAR(p.points[0].curveLength, circle.end - circle.begin, 1e-12);
      continue;
    }
    EXPECT_NEAR(p.points.front().station - p.points.front().curveLength / 2, circle.begin, 1e-9);
    EXPECT_NEAR(p.points.back().station + p.points.back().curveLength / 2, circle.end, 1e-9);
    EXPECT_NEAR(p.points.front().height, 40.0 + k.in * (p.points.front().station - 500.0), 1e-9);
    EXPECT_NEAR(p.points.back().height, 40.0 + k.out * (p.points.back().station - 500.0), 1e-9);
    for (std::size_t i = 1; i < p.points.size(); ++i)
      EXPECT_NEAR(p.points[i - 1].station + p.points[i - 1].curveLength / 2,
                  p.points[i].station - p.points[i].curveLength / 2, 1e-9);
  }
  // One grade into the next without a change: nothing to draw.
  const CircleParabolas straight = circleAsParabolas(verticalCircle(10.0, 5.0, 0.01, 0.01, 3000));
  ASSERT_EQ(straight.points.size(), 1u);
  EXPECT_EQ(straight.points[0].curveLength, 0.0);
  // A circle too sharp for its grades (300 % up, 300 % down, R = 50): 64
  // parabolas still miss it by centimetres.
  EXPECT_FALSE(circleAsParabolas(verticalCircle(100.0, 300.0, 3.0, -3.0, 50.0)).followed);
}

TEST(CurveConversion, ARadiusFromTheLength) {
  // The length of a circle given by its length is the distance of its
  // tangent points along the station, as a ParaCurve's.
  const double radius = circleRadiusForLength(0.05, -0.03, 120.0);
  const VerticalCircle circle = verticalCircle(0.0, 0.0, 0.05, -0.03, radius);
  EXPECT_NEAR(circle.end - circle.begin, 120.0, 1e-9);
  EXPECT_EQ(circleRadiusForLength(0.02, 0.02, 50.0), 0.0);
}

// An UnsymParaCurve is two parabolas meeting at the PVI's station with a
// common tangent: drawn from two PVIs it is exact.
TEST(CurveConversion, UnsymParaCurvesBecomeTwoParabolasExactly) {
  const double c = 400, h = 60, in = 0.04, out = -0.02, lengthIn = 60, lengthOut = 100;
  const std::vector<GradePoint> p = unsymmetricAsParabolas(c, h, in, out, lengthIn, lengthOut);
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].station + p[0].curveLength / 2, c);
  EXPECT_EQ(p[1].station - p[1].curveLength / 2, c);
  const double common = (lengthIn * in + lengthOut * out) / (lengthIn + lengthOut);
  const auto unsymmetric = [&](double x) {
    if (x <= c - lengthIn) return h + in * (x - c);
    if (x >= c + lengthOut) return h + out * (x - c);
    const double atPvi = h + lengthIn * (common - in) / 2;  // the curve's height at the PVI's station
    if (x <= c) {
      const double d = x - (c - lengthIn);
      return h - in * lengthIn + in * d + (common - in) * d * d / (2 * lengthIn);
    }
    const double d = x - c;
    return atPvi + common * d + (out - common) * d * d / (2 * lengthOut);
  };
  const import::GradeLine drawn({{c - 300, h - 300 * in, 0}, p[0], p[1], {c + 300, h + 300 * out, 0}});
  for (int k = 0; k <= 1000; ++k) {
    const double x = c - 150 + 300.0 * k / 1000;
    EXPECT_NEAR(drawn.height(x), unsymmetric(x), 1e-9) << x;
  }
  EXPECT_NEAR(drawn.slope(c), common, 1e-12);
}

}  // namespace
}  // namespace ps::landxml
