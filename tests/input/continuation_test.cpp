#include "input/continuation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

#include "text/shift_jis.h"

namespace ps {
namespace {

std::unique_ptr<Continuation> read(const std::string& text, ContinuationLines* lines = nullptr) {
  auto c = std::make_unique<Continuation>();
  readContinuation(text, *c, lines);
  return c;
}

// The console line of a refusal of line `line`.
std::string refusalOf(int line, const char* what) {
  return std::string("Tsuzuki.dat") + sjis::kOf + std::to_string(line) + what;
}

const std::string kRoad = "\x8c\xa7\x93\xb9\x81\x9b\x81\x9b\x90\xfc";  // 県道○○線

TEST(Continuation, ReadsEveryItemWithItsLineWhateverTheLineEnds) {
  // LF, CR LF and CR line ends, blank lines, blanks around values, an item
  // of a later version.
  const std::string text = "SHEET 3,12\n\r\nROAD \t" + kRoad + " \t\r\nPROJECT Test road 2\r" +
                           "FIRST 15, 0.0 ,300.0,20.0\nLAST 31,0.0,20.5\n  \nCURVE 1,5,12.5,345.678,180.0,12.345\n" +
                           "SUPER 1,100.0,90.0,R\nSUPER 2,60,60\nWIDTH 3.5\nCURVE 499,6,0,0,0,0";
  ContinuationLines lines;
  const auto c = read(text, &lines);
  ASSERT_TRUE(c->sheet);
  EXPECT_EQ(c->sheet->number, 3);
  EXPECT_EQ(c->sheet->count, 12);
  EXPECT_EQ(c->roadName, kRoad);
  EXPECT_EQ(c->projectName, "Test road 2");
  ASSERT_TRUE(c->first && c->last);
  EXPECT_EQ(c->first->number, 15);
  EXPECT_EQ(c->first->plus, 0.0);
  EXPECT_EQ(c->first->distance, 300.0);
  EXPECT_EQ(c->first->previous, 20.0);
  EXPECT_EQ(c->last->number, 31);
  EXPECT_EQ(c->last->next, std::optional<double>(20.5));
  ASSERT_TRUE(c->curves[1]);
  EXPECT_EQ(c->curves[1]->ip, 5);
  EXPECT_EQ(c->curves[1]->intersectionAngle, 12.5);
  EXPECT_EQ(c->curves[1]->curveLength, 345.678);
  EXPECT_EQ(c->curves[1]->tangentLength, 180.0);
  EXPECT_EQ(c->curves[1]->secantLength, 12.345);
  EXPECT_TRUE(c->curves[499]);
  EXPECT_FALSE(c->curves[2]);
  ASSERT_TRUE(c->transitions[1] && c->transitions[2]);
  EXPECT_EQ(c->transitions[1]->runOff, 100.0);
  EXPECT_EQ(c->transitions[1]->runOut, 90.0);
  EXPECT_EQ(c->transitions[1]->raised, std::optional<RaisedSide>(RaisedSide::right));
  EXPECT_EQ(c->transitions[2]->raised, std::nullopt);

  EXPECT_EQ(lines.sheet, 1);
  EXPECT_EQ(lines.road, 3);
  EXPECT_EQ(lines.project, 4);
  EXPECT_EQ(lines.first, 5);
  EXPECT_EQ(lines.last, 6);
  EXPECT_EQ(lines.curves[1], 8);
  EXPECT_EQ(lines.transitions[2], 10);
  EXPECT_EQ(lines.curves[499], 12);
  ASSERT_EQ(lines.unknown.size(), 1u);
  EXPECT_EQ(lines.unknown[0].line, 11);
  EXPECT_EQ(lines.unknown[0].keyword, "WIDTH");

  // Items left out stay absent; previous defaults to 0, next to none.
  const auto bare = read("FIRST 0,0,0\nLAST 5,10\n");
  EXPECT_FALSE(bare->sheet);
  EXPECT_EQ(bare->roadName, "");
  EXPECT_EQ(bare->first->previous, 0.0);
  EXPECT_EQ(bare->last->next, std::nullopt);
  EXPECT_EQ(read("")->first, std::nullopt);
}

TEST(Continuation, RefusesEveryLineItCannotUseNamingFileAndLine) {
  const std::string sixtyOne(61, 'a');
  const struct {
    std::string text;
    int line;
    const char* what;
  } cases[] = {
      {"SHEET 3", 1, sjis::kContinuationBadValue},
      {"SHEET 0,2", 1, sjis::kContinuationBadValue},
      {"SHEET 3,2", 1, sjis::kContinuationBadValue},
      {"SHEET 1,10000", 1, sjis::kContinuationBadValue},
      {"SHEET 1,2,3", 1, sjis::kContinuationBadValue},
      {"SHEET\n", 1, sjis::kContinuationBadValue},
      {"\n\nSHEET 1,x", 3, sjis::kNotANumber},
      {"SHEET 1,2147483648", 1, sjis::kNotANumber},
      {"SHEET 1.5,2", 1, sjis::kNotANumber},
      {"FIRST 1,0,", 1, sjis::kNotANumber},
      {"FIRST 1,0,1e999", 1, sjis::kNotANumber},
      {"FIRST 1,0,nan", 1, sjis::kNotANumber},
      {"FIRST 1,0,5 m", 1, sjis::kNotANumber},
      {"FIRST 1,0,5,-1", 1, sjis::kContinuationBadValue},
      {"FIRST 1,0", 1, sjis::kContinuationBadValue},
      {"LAST 1,0,-0.5", 1, sjis::kContinuationBadValue},
      {"FIRST 1,0,0\r\nFIRST 1,0,0", 2, sjis::kContinuationRepeated},
      {"ROAD a\nROAD b", 2, sjis::kContinuationRepeated},
      {"ROAD", 1, sjis::kContinuationBadValue},
      {"ROAD a\x01" "b", 1, sjis::kContinuationBadValue},
      {"PROJECT " + sixtyOne, 1, sjis::kContinuationTextLimit},
      {"CURVE 0,1,1,1,1,1", 1, sjis::kContinuationRowRange},
      {"CURVE 500,1,1,1,1,1", 1, sjis::kContinuationRowRange},
      {"CURVE 1,0,1,1,1,1", 1, sjis::kContinuationBadValue},
      {"CURVE 1,1,360,1,1,1", 1, sjis::kContinuationBadValue},
      {"CURVE 1,1,-1,1,1,1", 1, sjis::kContinuationBadValue},
      {"CURVE 1,1,1,1,-1,1", 1, sjis::kContinuationBadValue},
      {"CURVE 1,1,1,1,1", 1, sjis::kContinuationBadValue},
      {"CURVE 2,1,1,1,1,1\nCURVE 2,1,1,1,1,1", 2, sjis::kContinuationRepeated},
      {"SUPER 1,10,10,r", 1, sjis::kContinuationBadValue},
      {"SUPER 1,10,-10", 1, sjis::kContinuationBadValue},
      {"SUPER 1,10", 1, sjis::kContinuationBadValue},
  };
  for (const auto& c : cases) {
    try {
      read(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const InputRefused& refused) {
      EXPECT_EQ(refused.message, refusalOf(c.line, c.what)) << c.text;
      EXPECT_EQ(refused.file, "Tsuzuki.dat") << c.text;
      EXPECT_EQ(refused.line, c.line) << c.text;
    }
  }
  // Sixty bytes are still a name.
  EXPECT_EQ(read("ROAD " + std::string(60, 'a'))->roadName.size(), 60u);
}

TEST(Continuation, WritesWhatReadsBackAsTheSame) {
  Continuation c;
  c.sheet = SheetOfSet{3, 12};
  c.roadName = kRoad;
  c.projectName = "Test road";
  c.first = FirstStation{15, 0.0, 300.0, 20.0};
  c.last = LastStation{31, 0.0, 7.669};
  c.curves[1] = CurveFacts{5, 12.5, 345.678, 180.0, 12.345};
  c.curves[3] = CurveFacts{7, 0.1, 1e-3, 0.0, 1234567.125};
  c.transitions[1] = TransitionLengths{100.0, 90.0, RaisedSide::right};
  c.transitions[2] = TransitionLengths{60.0, 60.0, RaisedSide::left};
  c.transitions[4] = TransitionLengths{0.0, 0.5, std::nullopt};
  const std::string text = writeContinuation(c);
  EXPECT_EQ(text, "SHEET 3,12\r\nROAD " + kRoad + "\r\nPROJECT Test road\r\nFIRST 15,0.0,300.0,20.0\r\n" +
                      "LAST 31,0.0,7.669\r\nCURVE 1,5,12.5,345.678,180.0,12.345\r\n" +
                      "CURVE 3,7,0.1,0.001,0.0,1234567.125\r\nSUPER 1,100.0,90.0,R\r\nSUPER 2,60.0,60.0,L\r\n" +
                      "SUPER 4,0.0,0.5\r\n");
  const auto back = read(text);
  EXPECT_EQ(back->sheet->count, 12);
  EXPECT_EQ(back->roadName, c.roadName);
  EXPECT_EQ(back->last->next, c.last->next);
  EXPECT_EQ(back->curves[3]->secantLength, 1234567.125);
  EXPECT_EQ(back->transitions[2]->raised, std::optional<RaisedSide>(RaisedSide::left));
  EXPECT_EQ(writeContinuation(*back), text);
  // A value that reads back only with all its digits.
  c = Continuation{};
  c.first = FirstStation{0, 0.1 + 0.2, -1234.5, 0.0};
  EXPECT_EQ(read(writeContinuation(c))->first->plus, 0.1 + 0.2);
  EXPECT_EQ(writeContinuation(Continuation{}), "");

  // What no file reads back as.
  auto throwsFor = [](auto change) {
    Continuation bad;
    change(bad);
    EXPECT_THROW(writeContinuation(bad), std::invalid_argument);
  };
  throwsFor([](Continuation& b) { b.sheet = SheetOfSet{4, 3}; });
  throwsFor([](Continuation& b) { b.roadName = std::string(61, 'a'); });
  throwsFor([](Continuation& b) { b.roadName = " padded"; });
  throwsFor([](Continuation& b) { b.projectName = "two\r\nlines"; });
  throwsFor([](Continuation& b) { b.first = FirstStation{0, 0.0, std::nan(""), 0.0}; });
  throwsFor([](Continuation& b) { b.last = LastStation{0, 0.0, -1.0}; });
  throwsFor([](Continuation& b) { b.curves[2] = CurveFacts{0, 1, 1, 1, 1}; });
  throwsFor([](Continuation& b) { b.curves[2] = CurveFacts{1, 360, 1, 1, 1}; });
  throwsFor([](Continuation& b) { b.transitions[2] = TransitionLengths{-1, 1, std::nullopt}; });
}

}  // namespace
}  // namespace ps
