#include "import/import_report.h"

#include <gtest/gtest.h>

#include "import/template_files.h"
#include "text/shift_jis.h"

namespace ps::import {
namespace {

TEST(ImportReport, StationsAsTheSheetsLabelThem) {
  EXPECT_EQ(stationText({12, 0.0}), "No.12");
  EXPECT_EQ(stationText({38, 18.089}), "No.38+18.089");
  EXPECT_EQ(stationText({-1, 5.5}), "No.-1+5.500");
}

TEST(ImportReport, OneLinePerSheetAndPerFurtherWarning) {
  using std::string;
  const string table = sheetTable({{"0001", {0, 0.0}, {15, 0.0}, 16, 2, 0, {}},
                                   {"0002", {15, 0.0}, {38, 18.089}, 25, 4, 12, {"w1", "w2"}}});
  const string title = string(sjis::kImportTableSheet) + "  " + sjis::kImportTableFirst + string(12, ' ') +
                       sjis::kImportTableLast + string(12, ' ') + "  " + sjis::kImportTableStations + "   " +
                       sjis::kImportTableVips + "  " + sjis::kImportTableCurves + "  " + sjis::kImportTableWarning +
                       "\n";
  EXPECT_EQ(table, title +
                       "0001  No.0            No.15                 16       2       0\n"
                       "0002  No.15           No.38+18.089          25       4      12  w1\n"
                       "                                                                w2\n");
}

TEST(ImportReport, WarningsNameTheirValues) {
  HeaderValues header;
  header.profileViewHeight = 110, header.verticalScale = 100;
  using K = MappingWarning::Kind;
  EXPECT_EQ(warningText({K::beyondView, {12, 0.0}, 12.3456, 0, {12, 7.5}}, header),
            std::string("No.12") + sjis::kImportBeyondViewFrom + "No.12+7.500" + sjis::kImportBeyondViewHeight +
                "12.346" + sjis::kImportBeyondViewLimit + "11.000" + sjis::kImportBeyondViewEnd);
  EXPECT_EQ(warningText({K::noSuperelevation, {3, 2.5}, 0.0, 0, {}}, header),
            std::string("No.3+2.500") + sjis::kImportNoSuperelevation);
  EXPECT_EQ(warningText({K::groundMissing, {}, 0.0, 4, {}}, header),
            std::string(sjis::kImportGroundMissing) + "4" + sjis::kImportPoints);
}

// The default template is the bundled example, byte for byte.
TEST(TemplateFiles, BundledTemplateIsTheExample) {
  const TemplateRead example = readTemplateFolder(PROFILE_SHEET_EXAMPLES);
  ASSERT_TRUE(example.files);
  const TemplateFiles bundled = bundledTemplate();
  EXPECT_EQ(bundled.profileData, example.files->profileData);
  EXPECT_EQ(bundled.bandRowList, example.files->bandRowList);
  EXPECT_EQ(bundled.layerDefinitions, example.files->layerDefinitions);
  EXPECT_EQ(readTemplateFolder(std::string(PROFILE_SHEET_EXAMPLES) + "/none").unreadable, "Tesmo.dat");
}

}  // namespace
}  // namespace ps::import
