#include "input/scan_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "text/shift_jis.h"

namespace ps {
namespace {

std::string notANumber(const std::string& file, int line) {
  return file + sjis::kOf + std::to_string(line) + sjis::kNotANumber;
}

// The console message of a refused read, or "accepted".
template <typename Read>
std::string outcome(Read read) {
  try {
    read();
  } catch (const InputRefused& refused) {
    return refused.message;
  }
  return "accepted";
}

TEST(ScanReader, SkipsWhiteSpaceBeforeValuesButNotBeforeLiterals) {
  Scanner in(" \t\r\n\v\f42 \n -3.5\n\n  \"a\x82\xa0\"x  7 ,8", "f");
  int i = 0;
  double d = 0;
  std::string s;
  EXPECT_TRUE(in.integer(i));
  EXPECT_EQ(i, 42);
  EXPECT_TRUE(in.real(d));
  EXPECT_EQ(d, -3.5);
  EXPECT_TRUE(in.token(s));
  EXPECT_EQ(s, "\"a\x82\xa0\"x");
  EXPECT_EQ(in.currentLine(), 5);
  // A literal must follow the value directly; the unmatched text stays.
  int j = -1;
  EXPECT_FALSE(ScanRead(in).integer(i).literal(',').integer(j).complete());
  EXPECT_EQ(i, 7);
  EXPECT_EQ(j, -1);
  EXPECT_TRUE(in.token(s));
  EXPECT_EQ(s, ",8");
  EXPECT_FALSE(in.token(s));  // end of file: nothing stored
  EXPECT_EQ(s, ",8");
}

TEST(ScanReader, ReadEndsAtMismatchOrEndOfFile) {
  int a = -1, b = -1;
  double x = -1;
  Scanner mismatch("5;6,1.5", "f");
  EXPECT_FALSE(ScanRead(mismatch).integer(a).literal(',').real(x).integer(b).complete());
  EXPECT_EQ(a, 5);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(b, -1);
  EXPECT_TRUE(ScanRead(mismatch).literal(';').integer(b).literal(',').real(x).complete());
  EXPECT_EQ(b, 6);
  EXPECT_EQ(x, 1.5);

  Scanner ends("9,\n  ", "f");
  a = b = -1;
  x = -1;
  EXPECT_FALSE(ScanRead(ends).integer(a).literal(',').real(x).space().integer(b).complete());
  EXPECT_EQ(a, 9);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(b, -1);
  Scanner empty("", "f");
  EXPECT_FALSE(empty.integer(a) || empty.real(x) || empty.literal(','));

  // A value ends where its syntax ends; the rest is left for the next directive.
  Scanner split("3.25x 1.5e3,", "f");
  EXPECT_TRUE(ScanRead(split).integer(a).real(x).literal('x').complete());
  EXPECT_EQ(a, 3);
  EXPECT_EQ(x, 0.25);
  EXPECT_TRUE(ScanRead(split).real(x).literal(',').complete());
  EXPECT_EQ(x, 1500.0);
}

TEST(ScanReader, AcceptsEveryNumberForm) {
  const std::pair<const char*, double> reals[] = {{"+5", 5.0},
                                                  {"007.50", 7.5},
                                                  {"1.", 1.0},
                                                  {".5", 0.5},
                                                  {"-.5", -0.5},
                                                  {"1e5", 1e5},
                                                  {"0E0", 0.0},
                                                  {"2.5E-1", 0.25},
                                                  {"+.5e+1", 5.0},
                                                  {"0.1", 0.1},
                                                  {"1.7976931348623157e308", 1.7976931348623157e308}};
  for (const auto& [text, expected] : reals) {
    Scanner in(text, "f");
    double value = -1;
    EXPECT_TRUE(in.real(value)) << text;
    EXPECT_EQ(value, expected) << text;
    std::string rest;
    EXPECT_FALSE(in.token(rest)) << text << " left " << rest;
  }
  const std::pair<const char*, int> ints[] = {
      {"+12", 12}, {"-0", 0}, {"0009", 9}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
  for (const auto& [text, expected] : ints) {
    Scanner in(text, "f");
    int value = -1;
    EXPECT_TRUE(in.integer(value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
}

TEST(ScanReader, RefusesTextWhereANumberBelongs) {
  for (const char* text : {"x", ",1", "-", "+ 1", ".", "-.", "2147483648", "-2147483649", "99999999999999999999"}) {
    Scanner in(text, "Tesmo.dat");
    int value = 77;
    EXPECT_EQ(outcome([&] { in.integer(value); }), notANumber("Tesmo.dat", 1)) << text;
    EXPECT_EQ(value, 77) << text;
  }
  for (const char* text : {"x", ",1", "-", "+", ".", "-.e5", "e5", "1e", "1e+", "1.5E-x", "1e400", "-1e400"}) {
    Scanner in(text, "Tesmo.dat");
    double value = 77;
    EXPECT_EQ(outcome([&] { in.real(value); }), notANumber("Tesmo.dat", 1)) << text;
    EXPECT_EQ(value, 77) << text;
  }
}

TEST(ScanReader, CountsCrLfAndBareCrOrLfAsOneLineEach) {
  for (const std::string end : {"\r\n", "\r", "\n"}) {
    const std::string text = "1" + end + end + "2" + end + "x";
    Scanner in(text, "f");
    int a = 0, b = 0;
    EXPECT_EQ(outcome([&] { ScanRead(in).integer(a).integer(b).integer(b); }), notANumber("f", 4)) << end.size();
  }
  // Mixed, and asked about out of order.
  Scanner mixed("\r\n\r\r\n\n5 x", "f");
  int v = 0;
  EXPECT_TRUE(mixed.integer(v));
  EXPECT_EQ(mixed.currentLine(), 5);
  EXPECT_EQ(mixed.currentLine(), 5);
  EXPECT_EQ(Scanner("\r", "f").currentLine(), 1);
}

TEST(ScanReader, NamesTheLineOfTheRefusedNumberInCrLfFiles) {
  Scanner in("1\r\n2\r\n\r\n  x\r\n", "GasouT.dat");
  int a = 0, b = 0, c = 0;
  EXPECT_EQ(outcome([&] { ScanRead(in).integer(a).integer(b).integer(c); }), notANumber("GasouT.dat", 4));
  EXPECT_EQ(a + b, 3);
  EXPECT_EQ(c, 0);

  // An exponent without digits is refused on its own line, not on the next.
  Scanner exponent("1.0\r\n2e\r\n5\r\n", "temp.cd5");
  double x = 0, y = 0;
  EXPECT_EQ(outcome([&] { ScanRead(exponent).real(x).real(y); }), notANumber("temp.cd5", 2));
}

}  // namespace
}  // namespace ps
