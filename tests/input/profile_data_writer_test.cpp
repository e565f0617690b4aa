#include "input/profile_data_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

#include "input/profile_data_reader.h"
#include "support/test_support.h"

namespace ps {
namespace {

std::unique_ptr<ProfileData> read(const std::string& text) {
  auto data = std::make_unique<ProfileData>();
  Scanner in(text, "Tesmo.dat");
  readProfileData(in, *data);
  return data;
}

// Every value the reader stores, compared as doubles (so 0.0 equals -0.0).
void expectSameData(const ProfileData& a, const ProfileData& b, const std::string& what) {
  for (double HeaderValues::*v : kHeaderFileOrder) EXPECT_EQ(a.header.*v, b.header.*v) << what;
  EXPECT_EQ(a.groundPoints.count, b.groundPoints.count) << what;
  EXPECT_EQ(a.groundPoints.number, b.groundPoints.number) << what;
  EXPECT_EQ(a.groundPoints.plus, b.groundPoints.plus) << what;
  EXPECT_EQ(a.groundPoints.height, b.groundPoints.height) << what;
  EXPECT_EQ(a.stations.count, b.stations.count) << what;
  EXPECT_EQ(a.stations.number, b.stations.number) << what;
  EXPECT_EQ(a.stations.plus, b.stations.plus) << what;
  EXPECT_EQ(a.stations.plannedHeight, b.stations.plannedHeight) << what;
  EXPECT_EQ(a.stations.intervalDistance, b.stations.intervalDistance) << what;
  EXPECT_EQ(a.vips.count, b.vips.count) << what;
  EXPECT_EQ(a.vips.number, b.vips.number) << what;
  EXPECT_EQ(a.vips.plus, b.vips.plus) << what;
  EXPECT_EQ(a.vips.height, b.vips.height) << what;
  EXPECT_EQ(a.vips.curveLength, b.vips.curveLength) << what;
  EXPECT_EQ(a.curves.count, b.curves.count) << what;
  EXPECT_EQ(a.curves.fromNumber, b.curves.fromNumber) << what;
  EXPECT_EQ(a.curves.fromPlus, b.curves.fromPlus) << what;
  EXPECT_EQ(a.curves.toNumber, b.curves.toNumber) << what;
  EXPECT_EQ(a.curves.toPlus, b.curves.toPlus) << what;
  EXPECT_EQ(a.curves.radius, b.curves.radius) << what;
  EXPECT_EQ(a.superelevations.count, b.superelevations.count) << what;
  EXPECT_EQ(a.superelevations.startNumber, b.superelevations.startNumber) << what;
  EXPECT_EQ(a.superelevations.startPlus, b.superelevations.startPlus) << what;
  EXPECT_EQ(a.superelevations.endNumber, b.superelevations.endNumber) << what;
  EXPECT_EQ(a.superelevations.endPlus, b.superelevations.endPlus) << what;
  EXPECT_EQ(a.superelevations.superelevation, b.superelevations.superelevation) << what;
  EXPECT_EQ(a.annotations.count, b.annotations.count) << what;
  EXPECT_EQ(a.annotations.number, b.annotations.number) << what;
  EXPECT_EQ(a.annotations.plus, b.annotations.plus) << what;
  EXPECT_EQ(a.annotations.text, b.annotations.text) << what;
}

// The example and every reference case that is read whole (rows split over
// lines, count lines with and without their reals, short tables) read back
// the same after writing, and writing again gives the same text.
TEST(ProfileDataWriter, RoundTripsEveryStoredCase) {
  std::vector<std::string> files = {test::examplesDir() + "/Tesmo.dat"};
  for (const char* name : {"small", "road-a", "road-b", "edges-5001", "edges-5002", "edges-5003"})
    files.push_back(test::testDataDir() + "/" + name + "/Tesmo.dat");
  for (const std::string& file : files) {
    auto original = read(test::readFile(file));
    const std::string text = writeProfileData(*original);
    auto again = read(text);
    expectSameData(*original, *again, file);
    EXPECT_EQ(writeProfileData(*again), text) << file;
  }
}

TEST(ProfileDataWriter, WritesEachTableAsItsRows) {
  auto data = std::make_unique<ProfileData>();
  for (double HeaderValues::*v : kHeaderFileOrder) data->header.*v = 1.5;
  data->header.horizontalScale = 1000;
  data->header.runOffLength = 40;
  data->groundPoints.count = 1;
  data->groundPoints.number[1] = 3, data->groundPoints.plus[1] = 7.669, data->groundPoints.height[1] = 46.42;
  data->stations.count = 2;
  data->stations.number[1] = 3, data->stations.plus[1] = 7.669, data->stations.plannedHeight[1] = 46.0;
  data->stations.number[2] = 4, data->stations.plannedHeight[2] = 1.0 / 3, data->stations.intervalDistance[2] = 12.331;
  data->vips.count = 1;
  data->vips.number[1] = -2, data->vips.plus[1] = 0.1234565, data->vips.height[1] = 10, data->vips.curveLength[1] = 0;
  data->curves.count = 1;
  data->curves.fromNumber[1] = 3, data->curves.fromPlus[1] = 7.669, data->curves.toNumber[1] = 4;
  data->curves.radius[1] = -600;
  data->superelevations.count = 1;
  data->superelevations.startNumber[1] = 3, data->superelevations.startPlus[1] = 10;
  data->superelevations.endNumber[1] = 4, data->superelevations.superelevation[1] = 2.5;
  data->annotations.count = 1;
  data->annotations.number[1] = 4, data->annotations.text[1] = "KA1-1";
  EXPECT_EQ(writeProfileData(*data),
            "1.5,1.5,1000,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,40,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5,1.5\r\n"
            "1\r\n3,7.669,46.420\r\n"
            "2\r\n3,7.669,46.000,0.000\r\n4,0.000,0.3333333333333333,12.331\r\n"
            "1\r\n-2,0.1234565,10.000,0.000\r\n"
            "1\r\n3,7.669,4,0.000,-600.0\r\n"
            "1,40.0\r\n3,10.000,4,0.000,2.5\r\n"
            "1\r\n4,0.000,\"KA1-1\"\r\n");
}

// What no file reads back as is refused, not written wrong.
TEST(ProfileDataWriter, RefusesWhatNoFileHolds) {
  auto refused = [](auto change) {
    auto data = std::make_unique<ProfileData>();
    change(*data);
    EXPECT_THROW(writeProfileData(*data), std::invalid_argument);
  };
  refused([](ProfileData& d) { d.vips.count = kMaxVipRows + 1; });
  refused([](ProfileData& d) { d.groundPoints.count = kMaxTableRows + 1; });
  refused([](ProfileData& d) { d.header.datumLevel = NAN; });
  refused([](ProfileData& d) { d.stations.count = 1, d.stations.plus[1] = INFINITY; });
  refused([](ProfileData& d) { d.annotations.count = 1, d.annotations.text[1] = "two words"; });
  refused([](ProfileData& d) { d.annotations.count = 1, d.annotations.text[1] = std::string(48, 'x'); });
  auto data = std::make_unique<ProfileData>();
  data->annotations.count = 1, data->annotations.text[1] = std::string(47, 'x');
  EXPECT_EQ(read(writeProfileData(*data))->annotations.text[1], std::string(47, 'x'));
}

}  // namespace
}  // namespace ps
