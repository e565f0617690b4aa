#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "input/input_file.h"

namespace ps::platform {
namespace {

namespace fs = std::filesystem;

// A scratch folder named in Japanese with an emoji and a space, removed
// at the end.
struct ScratchFolder {
  ScratchFolder() {
    // One folder a test: the suite runs tests side by side.
    path = utf8Of(fs::temp_directory_path()) + kPathSeparator + "profile-sheet-files \xE7\xB8\xA6\xE6\x96\xAD \xF0\x9F\x98\x80 " +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(pathOf(path));
    fs::create_directories(pathOf(path));
  }
  ~ScratchFolder() { fs::remove_all(pathOf(path)); }
  std::string file(const char* name) const { return joinPath(path, name); }
  void write(const char* name, const std::string& bytes) const {
    std::ofstream(pathOf(file(name)), std::ios::binary) << bytes;
  }
  std::string read(const char* name) const {
    std::string text;
    return readWholeFile(file(name), text) ? text : "<unreadable>";
  }
  std::string path;
};

TEST(Files, PathsJoinAndShowWithThePlatformsSeparator) {
  EXPECT_EQ(joinPath("", "Tesmo.dat"), "Tesmo.dat");
  EXPECT_EQ(joinPath("sheets/02/", "Tesmo.dat"), "sheets/02/Tesmo.dat");
#ifdef _WIN32
  EXPECT_EQ(joinPath("sheets\\02", "Tesmo.dat"), "sheets\\02\\Tesmo.dat");
  EXPECT_EQ(shownPath("sheets/02\\Tesmo.dat"), "sheets\\02\\Tesmo.dat");
#else
  EXPECT_EQ(joinPath("sheets/02", "Tesmo.dat"), "sheets/02/Tesmo.dat");
  EXPECT_EQ(shownPath("sheets/02\\Tesmo.dat"), "sheets/02\\Tesmo.dat");  // a backslash is a name's own
#endif
  EXPECT_EQ(utf8Of(pathOf("\xE9\x81\x93\xE8\xB7\xAF.xml")), "\xE9\x81\x93\xE8\xB7\xAF.xml");  // 道路.xml
}

// The new drawing is made beside the old one, never over a file that is
// there, and takes its place in one step.
TEST(Files, ANewFileBesideReplacesTheOldInOneStep) {
  const ScratchFolder folder;
  const std::string drawing = folder.file("Tesmora.dxf");
  EXPECT_TRUE(canReplace(drawing));  // absent
  folder.write("Tesmora.dxf", "old");
  EXPECT_TRUE(canReplace(drawing));
  EXPECT_EQ(folder.read("Tesmora.dxf"), "old");  // tested, not changed

  const std::optional<NewFile> first = createBeside(drawing);
  ASSERT_TRUE(first);
  const std::optional<NewFile> second = createBeside(drawing);
  ASSERT_TRUE(second);
  EXPECT_NE(first->path, second->path);
  EXPECT_EQ(first->path.rfind(drawing + ".partial-", 0), 0u);
  std::fputs("new", first->file);
  std::fclose(first->file);
  std::fclose(second->file);
  EXPECT_TRUE(removeFile(second->path));
  EXPECT_TRUE(replaceFile(first->path, drawing));
  EXPECT_EQ(folder.read("Tesmora.dxf"), "new");
  EXPECT_FALSE(exists(first->path));
  EXPECT_EQ(foldersIn(folder.path), std::vector<std::string>{});
}

TEST(Files, AFolderOrAHeldFileCannotBeReplaced) {
  const ScratchFolder folder;
  fs::create_directory(pathOf(folder.file("Tesmora.dxf")));
  EXPECT_FALSE(canReplace(folder.file("Tesmora.dxf")));
  EXPECT_TRUE(isFolder(folder.file("Tesmora.dxf")));
  EXPECT_EQ(foldersIn(folder.path), std::vector<std::string>{"Tesmora.dxf"});
#ifdef _WIN32
  // CAD holds an open drawing without sharing writes or deletion.
  folder.write("held.dxf", "edited in CAD");
  const HANDLE held = CreateFileW(pathOf(folder.file("held.dxf")).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(canReplace(folder.file("held.dxf")));
  CloseHandle(held);
  EXPECT_TRUE(canReplace(folder.file("held.dxf")));
  SetFileAttributesW(pathOf(folder.file("held.dxf")).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(canReplace(folder.file("held.dxf")));
  SetFileAttributesW(pathOf(folder.file("held.dxf")).c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

}  // namespace
}  // namespace ps::platform
