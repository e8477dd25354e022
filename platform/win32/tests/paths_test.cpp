// Shell path functions, the drive map and code page 1252 at the file system.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace {

struct PathCase {
  const char* path;
  const char* more;  // PathAppendA only
  const char* expected;
  BOOL returned;
};

std::string Applied(void(WINAPI* f)(LPSTR), const char* path) {
  char buffer[MAX_PATH];
  std::strcpy(buffer, path);
  f(buffer);
  return buffer;
}

TEST(ShellPaths, StripPathAndRemoveExtension) {
  const PathCase strip[] = {{"C:\\a\\b.txt", nullptr, "b.txt", 0},
                            {"b.txt", nullptr, "b.txt", 0},
                            {"C:\\dir\\", nullptr, "dir\\", 0},
                            {"C:\\Program Files\\GIMP 2\\bin\\gimp-2.10.exe", nullptr, "gimp-2.10.exe", 0}};
  for (const PathCase& c : strip) EXPECT_EQ(Applied(PathStripPathA, c.path), c.expected) << c.path;
  const PathCase extension[] = {{"C:\\a\\b.txt", nullptr, "C:\\a\\b", 0},
                                {"C:\\a.b\\c", nullptr, "C:\\a.b\\c", 0},
                                {"x.tar.gz", nullptr, "x.tar", 0},
                                {"gimp-2.10.exe", nullptr, "gimp-2.10", 0},
                                {"gimp-2.10", nullptr, "gimp-2", 0}};
  for (const PathCase& c : extension) EXPECT_EQ(Applied(PathRemoveExtensionA, c.path), c.expected) << c.path;
}

TEST(ShellPaths, RemoveFileSpec) {
  const PathCase cases[] = {{"C:\\a\\b.txt", nullptr, "C:\\a", TRUE},
                            {"C:\\a.txt", nullptr, "C:\\", TRUE},
                            {"C:\\", nullptr, "C:\\", FALSE},
                            {"a.txt", nullptr, "", TRUE},
                            {"\\\\server\\share", nullptr, "\\\\server", TRUE},
                            {"C:\\gimp\\bin\\gimp-2.10.exe", nullptr, "C:\\gimp\\bin", TRUE}};
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    char buffer[MAX_PATH];
    std::strcpy(buffer, c.path);
    EXPECT_EQ(PathRemoveFileSpecA(buffer), c.returned) << c.path;
    EXPECT_STREQ(buffer, c.expected) << c.path;
  }
}

TEST(ShellPaths, AddBackslash) {
  const PathCase cases[] = {{"C:\\a", nullptr, "C:\\a\\", 0}, {"C:\\a\\", nullptr, "C:\\a\\", 0}, {"", nullptr, "", 0}};
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    char buffer[MAX_PATH];
    std::strcpy(buffer, c.path);
    EXPECT_EQ(PathAddBackslashA(buffer), buffer + std::strlen(c.expected)) << c.path;
    EXPECT_STREQ(buffer, c.expected) << c.path;
  }
  char full[MAX_PATH];
  std::memset(full, 'a', MAX_PATH - 1);
  full[MAX_PATH - 1] = '\0';
  EXPECT_EQ(PathAddBackslashA(full), nullptr);
}

TEST(ShellPaths, AppendResolvesDotsAndFullPaths) {
  const PathCase cases[] = {
      {"C:\\a", "b", "C:\\a\\b", TRUE},
      {"C:\\a\\", "\\b", "C:\\a\\b", TRUE},
      {"C:\\gimp\\bin\\", "C:\\gimp\\bin\\..\\share\\gimp\\", "C:\\gimp\\share\\gimp\\", TRUE},
      {"C:\\gimp\\share\\gimp\\", "2.0", "C:\\gimp\\share\\gimp\\2.0", TRUE},
      {"C:\\a\\.\\b", "..\\c", "C:\\a\\c", TRUE},
      {"C:\\a", "..\\..\\..", "C:\\", TRUE},
      {"", "b", "b", TRUE},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    char buffer[MAX_PATH];
    std::strcpy(buffer, c.path);
    EXPECT_EQ(PathAppendA(buffer, c.more), c.returned) << c.path << " + " << c.more;
    EXPECT_STREQ(buffer, c.expected) << c.path << " + " << c.more;
  }
  char buffer[MAX_PATH] = "C:\\a";
  EXPECT_FALSE(PathAppendA(buffer, std::string(MAX_PATH, 'x').c_str()));
  EXPECT_STREQ(buffer, "C:\\a");
}

class DriveMap : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(win32::MapDrive('D', folder.path().string())); }
  void TearDown() override {
    win32::UnmapDrive('D');
    win32::UnmapDrive('E');
  }
  std::string root() const { return folder.path().string(); }
  rwtest::TempFolder folder;
};

TEST_F(DriveMap, WindowsToPosix) {
  struct Case {
    std::string windows;
    std::string posix;
  };
  const Case cases[] = {
      {"D:\\x\\y", root() + "/x/y"},
      {"d:/x", root() + "/x"},
      {"D:\\caf\xe9.txt", root() + "/caf\xc3\xa9.txt"},
      {"Z:\\etc\\hosts", "/etc/hosts"},
      {"z:\\", "/"},
      {"\\etc\\hosts", "/etc/hosts"},
      {"rel\\a", "rel/a"},
      {"\\\\server\\share\\x", ""},
      {"Q:\\x", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(win32::ToPosixPath(c.windows), c.posix) << c.windows;
}

TEST_F(DriveMap, PosixToWindowsLongestFolderWins) {
  ASSERT_TRUE(win32::MapDrive('E', root() + "/sub/"));
  struct Case {
    std::string posix;
    std::string windows;
  };
  std::string sibling = "Z:" + root() + "x";  // shares the folder's prefix only
  for (char& c : sibling) c = c == '/' ? '\\' : c;
  const Case cases[] = {
      {root() + "/caf\xc3\xa9", "D:\\caf\xe9"},
      {root(), "D:\\"},
      {root() + "/sub/x", "E:\\x"},
      {root() + "/subway", "D:\\subway"},
      {root() + "x", sibling},
      {"/etc/hosts", "Z:\\etc\\hosts"},
  };
  for (const Case& c : cases) EXPECT_EQ(win32::ToWindowsPath(c.posix), c.windows) << c.posix;
}

TEST_F(DriveMap, SerialiseAndParse) {
  ASSERT_TRUE(win32::MapDrive('e', "/srv/data"));
  std::string text = win32::SerialiseDriveMap();
  EXPECT_EQ(text, "D=" + root() + ";E=/srv/data");
  win32::UnmapDrive('D');
  ASSERT_TRUE(win32::ParseDriveMap(text));
  EXPECT_EQ(win32::DriveFolder('d'), root());
  EXPECT_FALSE(win32::ParseDriveMap("D/x"));
  EXPECT_FALSE(win32::ParseDriveMap("D=relative"));
  EXPECT_EQ(win32::SerialiseDriveMap(), text) << "a malformed map changes nothing";
}

TEST_F(DriveMap, RefusesBadMappings) {
  EXPECT_FALSE(win32::MapDrive('Z', "/tmp"));
  EXPECT_FALSE(win32::MapDrive('D', "relative"));
  EXPECT_FALSE(win32::MapDrive('D', "/a;b"));
  EXPECT_FALSE(win32::MapDrive('1', "/tmp"));
  EXPECT_EQ(win32::DriveFolder('Z'), "/");
  EXPECT_EQ(win32::DriveFolder('D'), root());
}

TEST_F(DriveMap, Cp1252NameIsUtf8OnDisk) {
  HANDLE file = CreateFileA("D:\\caf\xe9.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "caf\xc3\xa9.txt"));
  EXPECT_TRUE(PathFileExistsA("d:\\CAF\xe9.txt") == FALSE) << "names keep their letter case on disk";
  EXPECT_TRUE(PathFileExistsA("D:\\caf\xe9.txt"));
}

// A child process takes the drive map from RW_DRIVES: the test runs itself
// again with the variable set.
TEST(DriveMapEnvironment, ChildProcessReadsTheMap) {
  if (const char* expected = std::getenv("WIN32_TEST_EXPECT_D")) {
    EXPECT_EQ(win32::DriveFolder('D'), expected);
    EXPECT_EQ(win32::ToPosixPath("E:\\a"), "/srv/y/a");
    return;
  }
  std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  std::string command = std::string(win32::kDriveMapVariable) + "='D=/srv/x;E=/srv/y' WIN32_TEST_EXPECT_D=/srv/x '" +
                        self + "' --gtest_filter=DriveMapEnvironment.* > /dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(CodePages, Cp1252AndUtf8) {
  EXPECT_EQ(win32::Cp1252ToUtf8("caf\xe9 \x80"), "caf\xc3\xa9 \xe2\x82\xac");
  EXPECT_EQ(win32::Utf8ToCp1252("caf\xc3\xa9 \xe2\x82\xac"), "caf\xe9 \x80");
  EXPECT_EQ(win32::Utf8ToCp1252("\xc5\x91 \xff"), "? ?") << "not in 1252, not UTF-8";
  EXPECT_EQ(win32::Cp1252ToUtf8("\x81"), "\xc2\x81") << "undefined byte keeps its value";
}

TEST(CodePages, MultiByteAndWideWithBufferRules) {
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "caf\xe9", -1, nullptr, 0), 5);
  WCHAR wide[8];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, "caf\xe9", -1, wide, 8), 5);
  EXPECT_EQ(std::u16string(wide), u"caf\u00e9");
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "caf\xc3\xa9", 5, wide, 8), 4);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "caf\xe9", -1, wide, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xff", 1, wide, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(MultiByteToWideChar(932, 0, "x", 1, wide, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  char narrow[16];
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(CP_ACP, 0, u"\u00e9\u0151\U0001F600", -1, narrow, 16, "#", &usedDefault);
  EXPECT_EQ(std::string(narrow, n), std::string("\xe9##", 4));
  EXPECT_TRUE(usedDefault);
  n = WideCharToMultiByte(CP_UTF8, 0, u"\u00e9", 1, narrow, 16, nullptr, nullptr);
  EXPECT_EQ(std::string(narrow, n), "\xc3\xa9");
}

}  // namespace
