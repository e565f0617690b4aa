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

// A name is one line of the continuation file: no control bytes, no blanks
// at its ends, at most 60 bytes, never half a character.
TEST(SheetProfileData, ContinuationTextsFitALine) {
  EXPECT_EQ(continuationText("  Route 1\r\nNorth\t "), "Route 1  North");
  EXPECT_EQ(continuationText(" \t\n"), "");
  const std::string kana = "\x83\x4a";  // カ
  std::string text = "x";
  for (int k = 0; k < 40; ++k) text += kana;
  EXPECT_EQ(continuationText(text).size(), 59u);
  EXPECT_EQ(continuationText(text).back(), '\x4a');
  EXPECT_EQ(continuationText(std::string(59, 'a') + "  b"), std::string(59, 'a'));
}

// The continuation file of a sheet: its identity, its ends with the road's
// distances, and a fact and a transition per curve row.
TEST(SheetProfileData, ContinuationOfASheet) {
  SheetTables sheet;
  sheet.stations = {{{-1, 15.0}, 10, 0}, {{0, 0.0}, 10, 5}, {{1, 0.0}, 10, 20}};
  sheet.distance = -5000000, sheet.previous = 20000000, sheet.next = 12345000;
  sheet.curveFacts = {{3, 12.5, 100, 50.1, 2.2}};
  sheet.transitions = {{40, 35, RaisedSide::left}};
  const Continuation c = continuationOf(sheet, {3, 12, "Nord", "Projekt \xc3\xa4"},
                                        [](std::string_view s) { return std::string(s) + "\x01"; });
  EXPECT_EQ(writeContinuation(c),
            "SHEET 3,12\r\nROAD Nord\r\nPROJECT Projekt \xc3\xa4\r\nFIRST -1,15.0,-5.0,20.0\r\n"
            "LAST 1,0.0,12.345\r\nCURVE 1,3,12.5,100.0,50.1,2.2\r\nSUPER 1,40.0,35.0,L\r\n");
  sheet.next.reset();
  EXPECT_FALSE(continuationOf(sheet, {12, 12, "", ""}, [](std::string_view s) { return std::string(s); }).last->next);
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
