#include "import/sheet_profile_data.h"

#include <gtest/gtest.h>

namespace ps::import {
namespace {

// White space would end the token; a cut never splits a double-byte
// character.
TEST(SheetProfileData, AnnotationTextsFitTheToken) {
  EXPECT_EQ(annotationText("KA1-1/KE1-1"), "KA1-1/KE1-1");
  EXPECT_EQ(annotationText(std::string("a b\tc\0d", 7)), "a_b_c_d");
  EXPECT_EQ(annotationText(std::string(60, 'x')), std::string(47, 'x'));
  const std::string kana = "\x83\x4a";  // カ
  std::string text = "x";
  for (int k = 0; k < 30; ++k) text += kana;
  EXPECT_EQ(annotationText(text).size(), 47u);
  EXPECT_EQ(annotationText(text + "y").back(), '\x4a');
  EXPECT_EQ(annotationText("y" + text).size(), 46u);  // "yx" and 22 characters; the 23rd would make 48
}

TEST(SheetProfileData, TakesTheTemplateHeaderAndTheRoadsValues) {
  HeaderValues header;
  header.datumLevel = 40, header.stationInterval = 20, header.runOffLength = 20, header.normalCrossfall = 2;
  SheetTables sheet;
  sheet.datum = 55;
  sheet.stations = {{{3, 0.0}, 10, 0}, {{3, 12.5}, 11, 12.5}};
  sheet.annotations = {{{3, 12.5}, "BC 1"}};
  auto data = profileDataOf(sheet, header, 25, [](std::string_view s) { return "<" + std::string(s) + ">"; });
  EXPECT_EQ(data->header.datumLevel, 55);
  EXPECT_EQ(data->header.stationInterval, 25);
  EXPECT_EQ(data->header.runOffLength, 20);  // no superelevation rows: the template's
  EXPECT_EQ(data->header.normalCrossfall, 2);
  EXPECT_EQ(data->stations.count, 2);
  EXPECT_EQ(data->stations.plus[2], 12.5);
  EXPECT_EQ(data->annotations.text[1], "<BC_1>");
  sheet.runoffLength = 35;
  EXPECT_EQ(profileDataOf(sheet, header, 25, [](std::string_view s) { return std::string(s); })->header.runOffLength, 35);
  sheet.vips.resize(kMaxVipRows + 1);
  EXPECT_THROW(profileDataOf(sheet, header, 25, [](std::string_view s) { return std::string(s); }), std::logic_error);
}

}  // namespace
}  // namespace ps::import
