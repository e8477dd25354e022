// Files, share modes, attributes, folders and listings on real files.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include <windows.h>

#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace {

class Files : public ::testing::Test {
 protected:
  HANDLE Open(const std::string& name, DWORD access, DWORD share, DWORD disposition = OPEN_EXISTING) {
    return CreateFileA(folder.windows(name).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
  }
  rwtest::TempFolder folder;
};

TEST_F(Files, OpenFailuresTellMissingFileFromMissingPath) {
  struct Case {
    std::string path;
    DWORD error;
  };
  folder.write("dir/f.txt", "x");
  const Case cases[] = {
      {folder.windows("none.txt"), ERROR_FILE_NOT_FOUND},
      {folder.windows("nodir\\none.txt"), ERROR_PATH_NOT_FOUND},
      {folder.windows("dir\\f.txt\\x"), ERROR_PATH_NOT_FOUND},
      {folder.windows("dir"), ERROR_ACCESS_DENIED},
      {folder.windows("a*.txt"), ERROR_INVALID_NAME},
      {"Q:\\unmapped.txt", ERROR_PATH_NOT_FOUND},
      {"", ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(CreateFileA(c.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE)
        << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
}

TEST_F(Files, FilePointerMovesFromTheStartTheCurrentPositionOrTheEnd) {
  folder.write("f.bin", "0123456789");
  HANDLE file = Open("f.bin", GENERIC_READ, FILE_SHARE_READ);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char c = 0;
  DWORD read = 0;
  struct Case {
    LONG distance;
    DWORD method;
    DWORD position;  // INVALID_SET_FILE_POINTER: refused, the pointer stays
    char next;       // the byte read there
  };
  const Case cases[] = {
      {4, FILE_BEGIN, 4, '4'}, {2, FILE_CURRENT, 7, '7'}, {-3, FILE_END, 7, '7'},
      {-9, FILE_CURRENT, INVALID_SET_FILE_POINTER, '8'}, {0, 7, INVALID_SET_FILE_POINTER, '9'},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << "distance " << k.distance);
    EXPECT_EQ(SetFilePointer(file, k.distance, nullptr, k.method), k.position) << k.distance;
    ASSERT_TRUE(ReadFile(file, &c, 1, &read, nullptr));
    EXPECT_EQ(c, k.next) << k.distance;
  }
  EXPECT_EQ(SetFilePointer(file, 20, nullptr, FILE_BEGIN), 20u) << "beyond the end is allowed";
  EXPECT_TRUE(ReadFile(file, &c, 1, &read, nullptr));
  EXPECT_EQ(read, 0u);
  LONG high = 0;
  EXPECT_EQ(SetFilePointer(file, 5, &high, FILE_BEGIN), 5u);
  EXPECT_EQ(high, 0);
  CloseHandle(file);
  EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Files, WriteReadAndDispositions) {
  HANDLE file = Open("f.bin", GENERIC_WRITE, 0, CREATE_NEW);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, "hello", 5, &written, nullptr));
  EXPECT_EQ(written, 5u);
  DWORD read = 0;
  char buffer[16];
  EXPECT_FALSE(ReadFile(file, buffer, 5, &read, nullptr)) << "opened for writing only";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(file);

  EXPECT_EQ(Open("f.bin", GENERIC_WRITE, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

  file = Open("f.bin", GENERIC_READ, FILE_SHARE_READ);
  EXPECT_EQ(GetFileSize(file, nullptr), 5u);
  EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(std::string(buffer, read), "hello");
  EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
  EXPECT_EQ(read, 0u) << "end of file reads nothing";
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  file = Open("f.bin", GENERIC_WRITE, 0, CREATE_ALWAYS);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(file);
  EXPECT_EQ(folder.read("f.bin"), "") << "CREATE_ALWAYS truncates";
}

TEST_F(Files, ShareModesBetweenHandles) {
  struct Case {
    DWORD firstAccess, firstShare, secondAccess, secondShare;
    bool allowed;
  };
  const DWORD R = GENERIC_READ, W = GENERIC_WRITE, SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE;
  const Case cases[] = {
      {W, 0, R, SR, false},       {W, SR, R, SR | SW, true}, {W, SR, R, SR, false},
      {R, SR, R, SR, true},       {R, SR, W, SR, false},     {R | W, SR | SW, W, SR | SW, true},
      {R, 0, R, SR | SW, false},
  };
  folder.write("f.txt", "x");
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << "first 0x" << c.firstAccess << "/0x" << c.firstShare << ", second 0x" << c.secondAccess << "/0x" << c.secondShare);
    HANDLE first = Open("f.txt", c.firstAccess, c.firstShare);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    HANDLE second = Open("f.txt", c.secondAccess, c.secondShare);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.allowed)
        << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess << "/" << c.secondShare;
    if (second == INVALID_HANDLE_VALUE) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    } else {
      CloseHandle(second);
    }
    CloseHandle(first);
  }
}

TEST_F(Files, DeleteHonoursShareDelete) {
  folder.write("f.txt", "x");
  HANDLE held = Open("f.txt", GENERIC_READ, FILE_SHARE_READ);
  EXPECT_FALSE(DeleteFileA(folder.windows("f.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  CloseHandle(held);
  EXPECT_TRUE(DeleteFileA(folder.windows("f.txt").c_str()));
  EXPECT_FALSE(DeleteFileA(folder.windows("f.txt").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Files, MoveFileRenamesButNeverReplaces) {
  folder.write("a.png", "old");
  folder.write("b.png", "other");
  const std::string a = folder.windows("a.png"), b = folder.windows("b.png"), c = folder.windows("c.png");
  EXPECT_FALSE(MoveFileA(a.c_str(), b.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(folder.read("b.png"), "other");
  EXPECT_TRUE(MoveFileA(a.c_str(), c.c_str()));
  EXPECT_EQ(folder.read("c.png"), "old");
  EXPECT_EQ(GetFileAttributesA(a.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(MoveFileA(a.c_str(), b.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  HANDLE held = Open("c.png", GENERIC_READ, FILE_SHARE_READ);
  EXPECT_FALSE(MoveFileA(c.c_str(), a.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  CloseHandle(held);
}

TEST_F(Files, CopyFile) {
  folder.write("src.scm", "(define x 1)");
  std::string source = folder.windows("src.scm"), target = folder.windows("dst.scm");
  EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), TRUE));
  EXPECT_EQ(folder.read("dst.scm"), "(define x 1)");
  EXPECT_FALSE(CopyFileA(source.c_str(), target.c_str(), TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  folder.write("src.scm", "new");
  EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE));
  EXPECT_EQ(folder.read("dst.scm"), "new");
  EXPECT_FALSE(CopyFileA(folder.windows("none").c_str(), target.c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(CopyFileA(source.c_str(), folder.windows("nodir\\x").c_str(), FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, AttributesAndFolders) {
  folder.write("f.txt", "x");
  EXPECT_EQ(GetFileAttributesA(folder.windows("f.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_TRUE(CreateDirectoryA(folder.windows("sub").c_str(), nullptr));
  EXPECT_NE(GetFileAttributesA(folder.windows("sub\\").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_FALSE(CreateDirectoryA(folder.windows("sub").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryA(folder.windows("no\\sub").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesA(folder.windows("none").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(PathFileExistsA(folder.windows("sub").c_str()));
  EXPECT_FALSE(PathFileExistsA(folder.windows("none").c_str()));
}

std::vector<std::string> List(const std::string& pattern, DWORD* error = nullptr) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    if (error) *error = GetLastError();
    return names;
  }
  do {
    std::string name = data.cFileName;
    names.push_back(name + ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "/" : ""));
  } while (FindNextFileA(find, &data));
  if (error) *error = GetLastError();
  EXPECT_TRUE(FindClose(find));
  return names;
}

TEST_F(Files, FindFirstFileListsWithPatterns) {
  folder.write("b.txt", "x");
  folder.write("A.scm", "x");
  folder.write("2.10/x", "x");
  folder.write("caf\xc3\xa9.txt", "x");
  DWORD error = 0;
  EXPECT_EQ(List(folder.windows("*.*"), &error),
            (std::vector<std::string>{"./", "../", "2.10/", "A.scm", "b.txt", "caf\xe9.txt"}));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_EQ(List(folder.windows("*.TXT")), (std::vector<std::string>{"b.txt", "caf\xe9.txt"}));
  EXPECT_EQ(List(folder.windows("?.scm")), (std::vector<std::string>{"A.scm"}));
  EXPECT_TRUE(List(folder.windows("*.psd"), &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(List(folder.windows("none\\*.*"), &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, DriveRootListsNoDotEntries) {
  folder.write("a.txt", "x");
  ASSERT_TRUE(win32::MapDrive('T', folder.path().string()));
  EXPECT_EQ(List("T:\\*.*"), (std::vector<std::string>{"a.txt"}));
  win32::UnmapDrive('T');
}

}  // namespace
