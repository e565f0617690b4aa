#include "import/import_options.h"

#include <gtest/gtest.h>

namespace ps::import {
namespace {

using Problem = UsageRequest::Problem;

Problem problemOf(const std::vector<std::string>& args) {
  auto parsed = parseImportOptions(args);
  const auto* usage = std::get_if<UsageRequest>(&parsed);
  return usage ? usage->problem : Problem::none;
}

TEST(ImportOptions, TakesTwoPathsAndOptionsAnywhere) {
  auto parsed = parseImportOptions({"--template", "tmpl", "road.xml", "--profile", "Z1_NEU", "out",
                                    "--alignment=Main line", "--ground=Gel\xc3\xa4nde"});
  ASSERT_TRUE(std::holds_alternative<ImportOptions>(parsed));
  const ImportOptions& o = std::get<ImportOptions>(parsed);
  EXPECT_EQ(o.roadFile, "road.xml");
  EXPECT_EQ(o.outDir, "out");
  EXPECT_EQ(o.alignment, "Main line");
  EXPECT_EQ(o.profile, "Z1_NEU");
  EXPECT_EQ(o.ground, "Gel\xc3\xa4nde");
  EXPECT_EQ(o.templateDir, "tmpl");
  // After "--" a leading dash is a path; "-" alone is one anyway.
  const ImportOptions dashed = std::get<ImportOptions>(parseImportOptions({"-", "--", "--out"}));
  EXPECT_EQ(dashed.roadFile, "-");
  EXPECT_EQ(dashed.outDir, "--out");
  EXPECT_FALSE(dashed.alignment);
}

TEST(ImportOptions, AsksForUsage) {
  EXPECT_TRUE(std::holds_alternative<UsageRequest>(parseImportOptions({"road.xml", "--help", "out"})));
  EXPECT_EQ(problemOf({"-h"}), Problem::none);
  EXPECT_EQ(problemOf({}), Problem::missingArguments);
  // The road file alone: the set goes beside it (as Explorer passes a dropped file).
  const auto alone = parseImportOptions({"road.xml"});
  ASSERT_TRUE(std::holds_alternative<ImportOptions>(alone));
  EXPECT_EQ(std::get<ImportOptions>(alone).outDir, "");
  EXPECT_EQ(problemOf({"--", "--help"}), Problem::none);
  EXPECT_TRUE(std::holds_alternative<ImportOptions>(parseImportOptions({"--", "--help"})));
  const auto version = parseImportOptions({"--version"});
  ASSERT_TRUE(std::holds_alternative<UsageRequest>(version));
  EXPECT_TRUE(std::get<UsageRequest>(version).version);
#ifdef _WIN32
  EXPECT_FALSE(std::get<UsageRequest>(parseImportOptions({"/?"})).version);
#else
  EXPECT_TRUE(std::holds_alternative<ImportOptions>(parseImportOptions({"/?"})));  // a file name
#endif
  EXPECT_EQ(problemOf({"a", "b", "c"}), Problem::tooManyArguments);
  EXPECT_EQ(problemOf({"a", "b", "--scale", "500"}), Problem::unknownOption);
  EXPECT_EQ(problemOf({"a", "b", "--alignment"}), Problem::missingValue);
  EXPECT_EQ(problemOf({"a", "b", "--alignment", "x", "--alignment=y"}), Problem::repeatedOption);
  EXPECT_EQ(problemOf({"a", "b", "--profile", "x", "--profile", "y"}), Problem::repeatedOption);
  EXPECT_EQ(problemOf({"a", "b", "--ground"}), Problem::missingValue);
  EXPECT_EQ(problemOf({"a", "b", "--stations-per-sheet"}), Problem::missingValue);
  for (const char* bad : {"1", "31", "0", "-5", "5.0", "05x", "", "100"})
    EXPECT_EQ(problemOf({"a", "b", "--stations-per-sheet", bad}), Problem::badValue) << bad;
  EXPECT_EQ(std::get<ImportOptions>(parseImportOptions({"a", "b", "--stations-per-sheet=2"})).stationsPerSheet, 2u);
  EXPECT_EQ(std::get<ImportOptions>(parseImportOptions({"a", "b", "--stations-per-sheet", "30"})).stationsPerSheet, 30u);
  EXPECT_EQ(std::get<ImportOptions>(parseImportOptions({"a", "b"})).stationsPerSheet, 30u);
  auto parsed = parseImportOptions({"a", "b", "--templates=x"});
  EXPECT_EQ(std::get<UsageRequest>(parsed).option, "--templates");
}

}  // namespace
}  // namespace ps::import
