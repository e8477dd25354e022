// Processes: the command line split as the Microsoft C runtime splits it, and
// real children started, waited for and ended.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "testing/temp_folder.h"
#include "win32/posix.h"
#include "win32/processes.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, SplitsArgumentsByTheCRuntimeRules) {
  struct Case {
    std::string line;
    Arguments arguments;
  };
  const Case cases[] = {
      {"prog", {}},
      {"prog a  b\tc", {"a", "b", "c"}},
      {"prog \"a b\" c", {"a b", "c"}},
      {"prog a\"b c\"d", {"ab cd"}},
      {R"x(prog a\\b c\d)x", {R"x(a\\b)x", R"x(c\d)x"}},
      {R"x(prog a\"b)x", {"a\"b"}},
      {R"x(prog a\\"b c")x", {R"x(a\b c)x"}},
      {R"x(prog a\\\"b)x", {R"x(a\"b)x"}},
      {R"x(prog "a""b")x", {"a\"b"}},
      {R"x(prog "" x)x", {"", "x"}},
      {R"x(prog "(f \"D:/x y\" 0 )" "(g 0 )")x", {R"x((f "D:/x y" 0 ))x", "(g 0 )"}},
      {R"x(prog "(f \"a\\\"b\" )")x", {R"x((f "a\"b" ))x"}},
      {"prog \"open", {"open"}},
  };
  for (const Case& c : cases) EXPECT_EQ(win32::SplitArguments(c.line), c.arguments) << c.line;
}

TEST(CommandLine, ProgramNameEndsAtItsQuoteOrBlank) {
  EXPECT_EQ(win32::ProgramNameOf(R"x("C:\Program Files\g.exe" --batch x)x"), R"x(C:\Program Files\g.exe)x");
  EXPECT_EQ(win32::ProgramNameOf(R"x(C:\bin\g.exe --batch)x"), R"x(C:\bin\g.exe)x");
  EXPECT_EQ(win32::SplitArguments(R"x("C:\a b\g.exe" x)x"), Arguments{"x"});
}

class Processes : public ::testing::Test {
 protected:
  Processes() {
    win32::MapDrive('D', folder.path().string());
    // Writes its folder, its drive map and its arguments, one a line, to out.txt.
    folder.write("A b/prog.exe",
                 "#!/bin/sh\n"
                 "{ pwd; printf '%s\\n' \"$RW_DRIVES\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; }"
                 " > \"$(dirname \"$0\")/out.txt\"\n"
                 "exit 7\n");
    folder.write("waiter.exe", "#!/bin/sh\nexec sleep 600\n");
    for (const char* name : {"A b/prog.exe", "waiter.exe"})
      std::filesystem::permissions(folder.path() / name, std::filesystem::perms::owner_exec,
                                   std::filesystem::perm_options::add);
  }
  ~Processes() override { win32::UnmapDrive('D'); }

  BOOL Start(std::string commandLine, const char* currentFolder, PROCESS_INFORMATION& info) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                          currentFolder, &startup, &info);
  }
  void Close(PROCESS_INFORMATION& info) {
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_TRUE(CloseHandle(info.hThread));
  }
  rwtest::TempFolder folder;
};

TEST_F(Processes, ChildGetsArgumentsFolderAndDriveMapAndItsExitCodeIsRead) {
  folder.write("work/keep", "");
  PROCESS_INFORMATION info{};
  // "\xE9" is é in code page 1252.
  ASSERT_TRUE(Start(R"x("D:\A b\prog.exe" --batch "(f \"D:/x y\" 0 )" "(g 0 )" caf)x"
                    "\xE9",
                    "D:\\work\\", info));
  EXPECT_NE(info.dwProcessId, 0u);
  EXPECT_EQ(WaitForInputIdle(info.hProcess, INFINITE), 0u);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(info.hThread, 0), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &exitCode));
  EXPECT_EQ(exitCode, 7u);
  Close(info);
  EXPECT_EQ(folder.read("A b/out.txt"), (folder.path() / "work").string() + "\n" + "D=" +
                                            folder.path().string() + "\n[--batch]\n[(f \"D:/x y\" 0 )]\n[(g 0 )]\n"
                                            "[caf\xC3\xA9]\n");
}

TEST_F(Processes, JournalKeepsEveryCommandLine) {
  win32::ClearProcessJournal();
  PROCESS_INFORMATION info{};
  Start("D:\\missing.exe a", nullptr, info);
  ASSERT_TRUE(Start("\"D:\\waiter.exe\" \"b c\"", nullptr, info));
  TerminateProcess(info.hProcess, 1);
  Close(info);
  EXPECT_EQ(win32::ProcessJournal(), (Arguments{"D:\\missing.exe a", "\"D:\\waiter.exe\" \"b c\""}));
}

TEST_F(Processes, ExeIsAddedToANameWithoutExtension) {
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(Start("D:\\waiter", nullptr, info));
  EXPECT_TRUE(TerminateProcess(info.hProcess, 3));
  WaitForSingleObject(info.hProcess, INFINITE);
  Close(info);
}

TEST_F(Processes, RunningChildIsStillActiveUntilTerminated) {
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(Start("D:\\waiter.exe", nullptr, info));
  DWORD exitCode = 0;
  ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &exitCode));
  EXPECT_EQ(exitCode, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(TerminateProcess(info.hProcess, 3));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeProcess(info.hProcess, &exitCode));
  EXPECT_EQ(exitCode, 3u);
  Close(info);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Processes, FailuresSetTheErrorAndReturnNoHandles) {
  folder.write("plain.exe", "not a program");
  struct Case {
    std::string line;
    const char* currentFolder;
    DWORD error;
  };
  const Case cases[] = {
      {"D:\\missing.exe", nullptr, ERROR_FILE_NOT_FOUND},
      {"\"D:\\no folder\\missing.exe\" x", nullptr, ERROR_PATH_NOT_FOUND},
      {"Q:\\unmapped.exe", nullptr, ERROR_PATH_NOT_FOUND},
      {"D:\\plain.exe", nullptr, ERROR_ACCESS_DENIED},
      {"D:\\waiter.exe", "D:\\no folder\\", ERROR_DIRECTORY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    PROCESS_INFORMATION info{};
    EXPECT_FALSE(Start(c.line, c.currentFolder, info)) << c.line;
    EXPECT_EQ(GetLastError(), c.error) << c.line;
    EXPECT_EQ(info.hProcess, nullptr);
  }
}

TEST(ProcessWaits, RefuseHandlesThatAreNoProcess) {
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForInputIdle(nullptr, 0), WAIT_FAILED);
  DWORD exitCode = 0;
  EXPECT_FALSE(GetExitCodeProcess(nullptr, &exitCode));
}

}  // namespace
