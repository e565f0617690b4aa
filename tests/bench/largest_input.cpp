#include "largest_input.h"

#include <cmath>
#include <cstdio>

#include "text/shift_jis.h"

namespace ps::bench {

namespace {

constexpr int kStations = 30;
constexpr double kInterval = 20.0;                       // m between stations
constexpr double kLength = (kStations - 1) * kInterval;  // 580 m

std::string format(const char* pattern, auto... values) {
  char buffer[256];
  const int n = std::snprintf(buffer, sizeof buffer, pattern, values...);
  return std::string(buffer, n);
}

// "number,plus" of a chainage inside the alignment.
std::string station(double chainage) {
  const int number = static_cast<int>(chainage / kInterval);
  return format("%d,%.3f", number, chainage - number * kInterval);
}

}  // namespace

InputFiles largestInput() {
  InputFiles in;
  std::string& p = in.profileData;
  // Scale 1:1000 / 1:100, elevation interval 1 m over a 10000 mm view:
  // exactly 1000 labelled levels.
  p = "10,2,1000,100,600,10000,30,1,20,0,0,0,30,3,4,3,3,3,3,2,1,0.9,0.8,0.8,0.9,0.9\n";

  p += "499\n";
  for (int i = 0; i < 499; ++i)
    p += station(i * kLength / 499) + format(",%.2f\n", 40 + 5 * std::sin(i / 25.0) + 0.8 * std::sin(i * 1.7));

  p += format("%d\n", kStations);
  for (int i = 0; i < kStations; ++i) p += format("%d,0,0,%g\n", i, i == 0 ? 0.0 : kInterval);

  p += "49\n";
  for (int i = 0; i < 49; ++i)
    p += station(i * kLength / 48) + format(",%.2f,%g\n", i % 2 ? 43.5 : 38.25, i == 0 || i == 48 ? 0.0 : 8.0);

  p += "499,0\n";
  for (int i = 0; i < 499; ++i) {
    const double from = i * kLength / 500;
    p += station(from) + "," + station(from + 1) + format(",%d\n", (i % 2 ? -1 : 1) * (150 + i));
  }

  p += "499,25\n";
  for (int i = 0; i < 499; ++i) {
    const double from = i * kLength / 500;
    p += station(from) + "," + station(from + 0.5) + format(",%g\n", 2.0 + i % 7);
  }

  // 47 bytes between the quotation marks: 23 double-byte characters and a digit.
  p += "49f\n";
  for (int i = 0; i < 49; ++i) {
    std::string text;
    for (int k = 0; k < 23; ++k) text.append(sjis::kPlannedHeight + 2 * (k % 3), 2);
    p += station(i * kLength / 49 + 5) + ",\"" + text + format("%d\"\n", i % 10);
  }

  std::string& l = in.layerDefinitions;
  l = "19\n 7 1 0.00 D-TTL-BAND\n 3 1 0.25 D-STR\n 1 2 0.00 D-BGD\n";
  for (int i = 4; i <= 19; ++i) l += format("%2d %d 0.%02d D-EXTRA-LAYER-%02d\n", i, 1 + i % 5, i, i);

  // The ten key rows and ten more, top row first.
  std::string& b = in.bandRowList;
  for (const char* title : {sjis::kStationNumber, sjis::kGroundHeight, sjis::kPlannedHeight, sjis::kCutHeight,
                            sjis::kFillHeight, sjis::kCumulativeDistance, sjis::kIntervalDistance,
                            sjis::kGradeLine, sjis::kCurvatureDiagram, sjis::kSuperelevationDiagram})
    b += std::string(title) + "\r\n";
  for (int i = 1; i <= 10; ++i) b += format("NOTE-ROW-%02d\r\n", i);
  return in;
}

}  // namespace ps::bench
