#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "driver/run.h"
#include "input/input_file.h"
#include "platform/files.h"
#include "support/test_support.h"
#include "text/shift_jis.h"

namespace ps {
namespace {

namespace fs = std::filesystem;

// A folder named in Japanese with an emoji and a blank, holding the small
// case's inputs (or another case's), removed at the end.
struct CaseFolder {
  explicit CaseFolder(const char* source = "small") {
    path = platform::utf8Of(fs::temp_directory_path()) + platform::kPathSeparator +
           "profile-sheet-run \xE7\xB8\xA6\xE6\x96\xAD\xE5\x9B\xB3 \xF0\x9F\x98\x80 " +  // 縦断図 😀
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + std::to_string(++made);
    fs::remove_all(platform::pathOf(path));
    fs::create_directories(platform::pathOf(path));
    for (const char* name : {kProfileDataFile, kLayerFile, kBandRowFile})
      write(name, test::readFile(test::testDataDir() + "/" + source + "/" + name));
  }
  ~CaseFolder() {
#ifdef _WIN32
    SetFileAttributesW(platform::pathOf(platform::joinPath(path, kDrawingFile)).c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
    fs::remove_all(platform::pathOf(path));
  }
  void write(const char* name, const std::string& bytes) const {
    std::ofstream(platform::pathOf(platform::joinPath(path, name)), std::ios::binary) << bytes;
  }
  std::string drawing() const {
    std::string text;
    return readWholeFile(platform::joinPath(path, kDrawingFile), text) ? text : "<none>";
  }
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(platform::pathOf(path)))
      names.push_back(platform::utf8Of(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string path;
  static inline int made = 0;
};

const std::vector<std::string> kInputsAndDrawing = {"GasouT.dat", "Tesmo.dat", "Tesmora.dxf", "temp.cd5"};

TEST(RunInFolder, ReplacesTheDrawingOnlyWithAWholeOne) {
  const CaseFolder folder;
  folder.write(kDrawingFile, "edited in CAD\r\n");
  std::string console;
  EXPECT_EQ(runInFolder(folder.path, console), 0);
  EXPECT_EQ(console, "");
  EXPECT_TRUE(folder.drawing() == test::readFile(test::testDataDir() + "/small/expected.dxf"));
  EXPECT_EQ(folder.files(), kInputsAndDrawing);

  // Refused: the drawing stays, and nothing else is left.
  const CaseFolder refused("station-limit");
  refused.write(kDrawingFile, "edited in CAD\r\n");
  console.clear();
  EXPECT_EQ(runInFolder(refused.path, console), 1);
  EXPECT_EQ(console, sjis::kStationLimit);
  EXPECT_EQ(refused.drawing(), "edited in CAD\r\n");
  EXPECT_EQ(refused.files(), kInputsAndDrawing);
}

// A drawing that cannot be replaced is refused before the layer file is
// read (it is missing here), and stays as it was.
TEST(RunInFolder, ADrawingThatCannotBeReplacedIsRefusedAtOnce) {
  const CaseFolder folder;
  fs::remove(platform::pathOf(platform::joinPath(folder.path, kLayerFile)));
  fs::create_directory(platform::pathOf(platform::joinPath(folder.path, kDrawingFile)));
  std::string console;
  EXPECT_EQ(runInFolder(folder.path, console), 1);
  EXPECT_EQ(console, "can't create Tesmora.dxf\n");
#ifdef _WIN32
  const CaseFolder held;
  held.write(kDrawingFile, "open in CAD\r\n");
  // CAD holds the drawing it shows, sharing reads only.
  const HANDLE handle = CreateFileW(platform::pathOf(platform::joinPath(held.path, kDrawingFile)).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  console.clear();
  EXPECT_EQ(runInFolder(held.path, console), 1);
  CloseHandle(handle);
  EXPECT_EQ(console, "can't create Tesmora.dxf\n");
  EXPECT_EQ(held.drawing(), "open in CAD\r\n");
  EXPECT_EQ(held.files(), kInputsAndDrawing);

  SetFileAttributesW(platform::pathOf(platform::joinPath(held.path, kDrawingFile)).c_str(), FILE_ATTRIBUTE_READONLY);
  console.clear();
  EXPECT_EQ(runInFolder(held.path, console), 1);
  EXPECT_EQ(console, "can't create Tesmora.dxf\n");
  EXPECT_EQ(held.drawing(), "open in CAD\r\n");
#endif
}

}  // namespace
}  // namespace ps
