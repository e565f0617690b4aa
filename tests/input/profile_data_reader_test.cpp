#include "input/profile_data_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "text/shift_jis.h"

namespace ps {
namespace {

// Header values 1..26 equal to their position.
std::string header() {
  std::string line;
  for (int k = 1; k <= 26; ++k) line += (k > 1 ? "," : "") + std::to_string(k);
  return line + "\n";
}

std::unique_ptr<ProfileData> read(const std::string& text) {
  auto data = std::make_unique<ProfileData>();
  Scanner in(text, "Tesmo.dat");
  readProfileData(in, *data);
  return data;
}

std::string refusal(const std::string& text) {
  try {
    read(text);
  } catch (const InputRefused& refused) {
    return refused.message;
  }
  return "accepted";
}

// Rows split after commas, rows sharing a line, five and six superelevation
// values; the count lines vary.
std::string sample(const char* curveCount, const char* superCount, const char* noteCount) {
  return header() + "2\n0,0.0,12.3 1,\n10.5,\n  13.1\n" + "1\n0,0.0,99.0,20.0\n" +
         "2\n0,0.0,12.0,10.0\n3,0.0,14.0,40.0\n" + curveCount + "\n1,0.0,3,0.0,150.0\n5,0.0,7,0.0,-200.0\n" +
         superCount + "\n1,10.0,2,10.0,6.0,0.0\n5,10.0,6,10.0,5.0\n" + noteCount +
         "\n3,0.0,\"BP\"\n6,10.0,\"\x8b\x4e\x93\x5f\" 7,1.0,\"\"\n";
}

void expectSampleTables(const ProfileData& d) {
  EXPECT_EQ(d.header.bandRowHeight, 1.0);
  EXPECT_EQ(d.header.curvatureTextWidth, 26.0);
  EXPECT_EQ(d.groundPoints.count, 2);
  EXPECT_EQ(d.groundPoints.number[2], 1);
  EXPECT_EQ(d.groundPoints.plus[2], 10.5);
  EXPECT_EQ(d.groundPoints.height[2], 13.1);
  EXPECT_EQ(d.stations.count, 1);
  EXPECT_EQ(d.stations.plannedHeight[1], 99.0);
  EXPECT_EQ(d.stations.intervalDistance[1], 20.0);
  EXPECT_EQ(d.vips.count, 2);
  EXPECT_EQ(d.vips.number[2], 3);
  EXPECT_EQ(d.vips.curveLength[2], 40.0);
  EXPECT_EQ(d.curves.count, 2);
  EXPECT_EQ(d.curves.fromNumber[2], 5);
  EXPECT_EQ(d.curves.toNumber[2], 7);
  EXPECT_EQ(d.curves.radius[2], -200.0);
  EXPECT_EQ(d.superelevations.count, 2);
  EXPECT_EQ(d.superelevations.superelevation[1], 6.0);
  EXPECT_EQ(d.superelevations.startNumber[2], 5);
  EXPECT_EQ(d.superelevations.endNumber[2], 6);
  EXPECT_EQ(d.superelevations.endPlus[2], 10.0);
  EXPECT_EQ(d.superelevations.superelevation[2], 5.0);
  EXPECT_EQ(d.annotations.count, 3);
  EXPECT_EQ(d.annotations.text[1], "BP");
  EXPECT_EQ(d.annotations.text[2], "\x8b\x4e\x93\x5f");
  EXPECT_EQ(d.annotations.number[3], 7);
  EXPECT_EQ(d.annotations.text[3], "");
  // Slot 0 is never filled.
  EXPECT_EQ(d.groundPoints.height[0], 0.0);
  EXPECT_EQ(d.curves.radius[0], 0.0);
}

TEST(ProfileDataReader, ReadsEveryTableWhateverTheCountLineForm) {
  auto withExtras = read(sample("2,15.0", "2,40.0", "3f"));
  expectSampleTables(*withExtras);
  EXPECT_EQ(withExtras->header.runOffLength, 40.0);  // the superelevation count line replaces value 13
  auto plain = read(sample("2", "2", "3"));
  expectSampleTables(*plain);
  EXPECT_EQ(plain->header.runOffLength, 13.0);
}

TEST(ProfileDataReader, AnnotationTokensLoseTheirFirstAndLastByte) {
  const std::string quoted47 = "\"" + std::string(47, 'a') + "\"";
  auto d = read(header() + "0\n0\n0\n0\n0\n5\n1,0,\"abc\"\n2,0,x\n3,0,\"\"\n4,0," + quoted47 + "\n5,5.5,");
  EXPECT_EQ(d->annotations.count, 5);
  EXPECT_EQ(d->annotations.text[1], "abc");
  EXPECT_EQ(d->annotations.text[2], "");
  EXPECT_EQ(d->annotations.text[3], "");
  EXPECT_EQ(d->annotations.text[4], std::string(47, 'a'));
  EXPECT_EQ(d->annotations.number[5], 5);  // the file ends before the token
  EXPECT_EQ(d->annotations.plus[5], 5.5);
  EXPECT_EQ(d->annotations.text[5], "");

  EXPECT_EQ(refusal(header() + "0\n0\n0\n0\n0\n1\n1,0,\"" + std::string(48, 'a') + "\"\n"),
            std::string("Tesmo.dat") + sjis::kAnnotationTextLimit);
}

TEST(ProfileDataReader, AnAnnotationTextEndsAtItsFirstNul) {
  using namespace std::string_literals;
  auto d = read(header() + "0\n0\n0\n0\n0\n4\n1,0,\"BVC\"\0\n2,0,\"BV\0C\"\n3,0,\"\0abc\"\n4,0,\0\n"s);
  EXPECT_EQ(d->annotations.text[1], "BVC");  // quotes stripped from what precedes the NUL
  EXPECT_EQ(d->annotations.text[2], "B");
  EXPECT_EQ(d->annotations.text[3], "");
  EXPECT_EQ(d->annotations.text[4], "");
  // The capacity counts the whole token, NUL included.
  EXPECT_EQ(refusal(header() + "0\n0\n0\n0\n0\n1\n1,0,\"ab\"" + std::string(46, '\0') + "\n"),
            std::string("Tesmo.dat") + sjis::kAnnotationTextLimit);
}

TEST(ProfileDataReader, NotesTheLineOfEveryRow) {
  // Rows split over lines and sharing lines; CR line ends.
  const std::string file = header() + "2\r1,0,5\r2,\r\r0,6\r\r1\r0,0,0,0\r0\r0\r0\r1f 3,0,\"x\"";
  Scanner in(file, "Tesmo.dat");
  ProfileData data;
  ProfileDataLines lines;
  readProfileData(in, data, &lines);
  EXPECT_EQ(lines.header, 1);
  EXPECT_EQ(lines.groundPoints.count, 2);
  EXPECT_EQ(lines.groundPoints.row[1], 3);
  EXPECT_EQ(lines.groundPoints.row[2], 4);
  EXPECT_EQ(lines.stations.count, 8);
  EXPECT_EQ(lines.stations.row[1], 9);
  EXPECT_EQ(lines.annotations.count, 13);
  EXPECT_EQ(lines.annotations.row[1], 13);
  EXPECT_EQ(data.annotations.text[1], "x");
}

TEST(ProfileDataReader, ShortHeaderAndEarlyEndOfFileLeaveZeros) {
  auto d = read("1.5,2,3\n-7\n2\n4,5.0,6");
  EXPECT_EQ(d->header.bandRowHeight, 1.5);
  EXPECT_EQ(d->header.horizontalScale, 3.0);
  EXPECT_EQ(d->header.verticalScale, 0.0);
  EXPECT_EQ(d->header.runOffLength, 0.0);
  EXPECT_EQ(d->groundPoints.count, 0);  // a negative count gives an empty table
  EXPECT_EQ(d->stations.count, 2);
  EXPECT_EQ(d->stations.number[1], 4);
  EXPECT_EQ(d->stations.plannedHeight[1], 6.0);
  EXPECT_EQ(d->stations.intervalDistance[1], 0.0);
  EXPECT_EQ(d->stations.number[2], 0);
  EXPECT_EQ(d->vips.count + d->curves.count + d->superelevations.count + d->annotations.count, 0);

  auto negative = read(header() + "-1\n-2\n-3\n-4,1.0\n-5,7.5\n-6f\n");
  EXPECT_EQ(negative->header.runOffLength, 7.5);
  EXPECT_EQ(negative->stations.count + negative->curves.count + negative->annotations.count, 0);
}

TEST(ProfileDataReader, RefusesACountBeyondItsCapacityAsSoonAsItIsRead) {
  struct Limit {
    int capacity;
    const char* message;
  };
  const Limit limits[] = {{499, sjis::kTableRowLimit}, {499, sjis::kTableRowLimit}, {49, sjis::kVipLimit},
                          {499, sjis::kTableRowLimit}, {499, sjis::kTableRowLimit}, {49, sjis::kAnnotationLimit}};
  std::string before = header();
  for (const Limit& limit : limits) {
    // Rows that are not numbers would be refused too, but later.
    EXPECT_EQ(refusal(before + std::to_string(limit.capacity + 1) + "\nx"), std::string("Tesmo.dat") + limit.message)
        << before;
    EXPECT_EQ(refusal(before + std::to_string(limit.capacity) + "\n"), "accepted") << before;
    before += "0\n";
  }
}

}  // namespace
}  // namespace ps
