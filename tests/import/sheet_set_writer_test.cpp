#include "import/sheet_set_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace ps::import {
namespace {

namespace fs = std::filesystem;

// A fresh folder of the test's own, removed after it.
struct ScratchFolder {
  ScratchFolder()
      : path(fs::temp_directory_path() /
             (std::string("profile-sheet-import-") + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~ScratchFolder() { fs::remove_all(path); }
  std::vector<std::string> entries(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path path;
};

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SheetSetWriter, NamesFoldersInRoadOrder) {
  EXPECT_EQ(sheetFolderName(0, 7), "01");
  EXPECT_EQ(sheetFolderName(6, 7), "07");
  EXPECT_EQ(sheetFolderName(9, 99), "10");
  EXPECT_EQ(sheetFolderName(0, 100), "001");
  EXPECT_EQ(sheetFolderName(99, 100), "100");
}

TEST(SheetSetWriter, WritesEveryFolderThenNamesTheSet) {
  ScratchFolder scratch;
  const std::vector<SheetFiles> sheets = {{"a\r\n", "b", "c", "d"}, {"e", "f", "g", "h"}};
  writeSheetSet(scratch.path / "out", sheets);
  EXPECT_EQ(scratch.entries(scratch.path), std::vector<std::string>{"out"});
  EXPECT_EQ(scratch.entries(scratch.path / "out"), (std::vector<std::string>{"01", "02"}));
  EXPECT_EQ(scratch.entries(scratch.path / "out" / "02"),
            (std::vector<std::string>{"GasouT.dat", "Tesmo.dat", "Tesmora.dxf", "temp.cd5"}));
  EXPECT_EQ(contents(scratch.path / "out" / "01" / "Tesmo.dat"), "a\r\n");
  EXPECT_EQ(contents(scratch.path / "out" / "02" / "Tesmora.dxf"), "h");
}

// A failure leaves nothing behind, and names the path the user gave.
TEST(SheetSetWriter, LeavesNothingWhenItCannotFinish) {
  ScratchFolder scratch;
  const std::vector<SheetFiles> sheets = {{"a", "b", "c", "d"}};
  fs::create_directory(scratch.path / "out");
  std::ofstream(scratch.path / "out" / "keep") << "x";
  try {
    writeSheetSet(scratch.path / "out", sheets);
    ADD_FAILURE() << "wrote over an existing folder";
  } catch (const WriteFailed& failed) {
    EXPECT_EQ(failed.path, scratch.path / "out");
  }
  EXPECT_EQ(scratch.entries(scratch.path), std::vector<std::string>{"out"});
  EXPECT_EQ(scratch.entries(scratch.path / "out"), std::vector<std::string>{"keep"});

  try {
    writeSheetSet(scratch.path / "missing" / "out", sheets);
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const WriteFailed& failed) {
    EXPECT_EQ(failed.path, scratch.path / "missing" / "out");
  }
  EXPECT_EQ(scratch.entries(scratch.path), std::vector<std::string>{"out"});
}

}  // namespace
}  // namespace ps::import
