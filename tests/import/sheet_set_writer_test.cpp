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

// Four digits whatever the set's size, so that names sort and a longer
// set never renames the folders of a shorter one.
TEST(SheetSetWriter, NamesFoldersInRoadOrder) {
  EXPECT_EQ(sheetFolderName(0), "0001");
  EXPECT_EQ(sheetFolderName(9), "0010");
  EXPECT_EQ(sheetFolderName(9998), "9999");
}

TEST(SheetSetWriter, WritesEveryFolderThenNamesTheSet) {
  ScratchFolder scratch;
  const std::vector<SheetFiles> sheets = {{"a\r\n", "b", "c", "d", "e"}, {"f", "g", "h", "i", "j"}};
  writeSheetSet(scratch.path / "out", sheets);
  EXPECT_EQ(scratch.entries(scratch.path), std::vector<std::string>{"out"});
  EXPECT_EQ(scratch.entries(scratch.path / "out"), (std::vector<std::string>{"0001", "0002"}));
  EXPECT_EQ(scratch.entries(scratch.path / "out" / "0002"),
            (std::vector<std::string>{"GasouT.dat", "Tesmo.dat", "Tesmora.dxf", "Tsuzuki.dat", "temp.cd5"}));
  EXPECT_EQ(contents(scratch.path / "out" / "0001" / "Tesmo.dat"), "a\r\n");
  EXPECT_EQ(contents(scratch.path / "out" / "0002" / "Tsuzuki.dat"), "i");
  EXPECT_EQ(contents(scratch.path / "out" / "0002" / "Tesmora.dxf"), "j");
}

// A failure leaves nothing behind, and names the path the user gave: an
// existing folder, even an empty one, is never replaced, and a file that
// could not be written is named where it was to be.
TEST(SheetSetWriter, LeavesNothingWhenItCannotFinish) {
  ScratchFolder scratch;
  const std::vector<SheetFiles> sheets = {{"a", "b", "c", "d", "e"}, {"f", "g", "h", "i", "j"}};
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

  fs::create_directory(scratch.path / "empty");
  EXPECT_THROW(writeSheetSet(scratch.path / "empty", sheets), WriteFailed);
  EXPECT_TRUE(fs::is_empty(scratch.path / "empty"));

  auto failOnContinuation = [](const fs::path& path, const std::string& bytes) {
    return path.filename() != "Tsuzuki.dat" && writeFileBytes(path, bytes);
  };
  try {
    writeSheetSet(scratch.path / "set", sheets, failOnContinuation);
    ADD_FAILURE() << "a failed write went unnoticed";
  } catch (const WriteFailed& failed) {
    EXPECT_EQ(failed.path, scratch.path / "set" / "0001" / "Tsuzuki.dat");
  }
  EXPECT_EQ(scratch.entries(scratch.path), (std::vector<std::string>{"empty", "out"}));

  try {
    writeSheetSet(scratch.path / "missing" / "out", sheets);
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const WriteFailed& failed) {
    EXPECT_EQ(failed.path, scratch.path / "missing" / "out");
  }
  EXPECT_EQ(scratch.entries(scratch.path), (std::vector<std::string>{"empty", "out"}));
}

}  // namespace
}  // namespace ps::import
