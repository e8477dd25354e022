// Loading modules: DllMain, reference counts, names and file names; message
// boxes reaching the UI driver.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <ui/driver.h>

#include <string>
#include <vector>

#include <windows.h>

#include "testing/temp_folder.h"
#include "win32/modules.h"
#include "win32/owner.h"
#include "win32/posix.h"

namespace {

// A module loaded by the tests writes its DllMain calls into a log file.
class Modules : public ::testing::Test {
 protected:
  void SetUp() override { setenv("WIN32_TEST_MODULE_LOG", (folder.path() / "log").c_str(), 1); }
  void TearDown() override { unsetenv("WIN32_TEST_MODULE_LOG"); }
  std::string log() const { return folder.read("log"); }
  rwtest::TempFolder folder;
};

TEST_F(Modules, RefusedAttachFailsTheLoadAndUnloads) {
  HMODULE module = LoadLibraryA(win32::ToWindowsPath(REFUSING_MODULE).c_str());
  EXPECT_EQ(module, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  EXPECT_EQ(log(), "attach\ndetach\n");
  EXPECT_EQ(GetModuleHandleA("refusing.dll"), nullptr);
  EXPECT_NE(win32::LastLoadErrorText(), "");
}

TEST_F(Modules, LoadCountsAttachOnceAndDetachAtLastFree) {
  std::string path = win32::ToWindowsPath(ACCEPTING_MODULE);
  HMODULE module = LoadLibraryA(path.c_str());
  ASSERT_NE(module, nullptr) << win32::LastLoadErrorText();
  EXPECT_EQ(LoadLibraryA(path.c_str()), module);
  EXPECT_EQ(LoadLibraryA("ACCEPTING.DLL"), module) << "a loaded module is found by its name";
  EXPECT_EQ(GetModuleHandleA("Accepting.dll"), module);
  EXPECT_EQ(GetModuleHandleA("accepting"), module) << "\".dll\" is implied";
  auto answer = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "TestAnswer")));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(win32::ModuleOfAddress(reinterpret_cast<const void*>(answer)), module);
  EXPECT_EQ(GetProcAddress(module, "Missing"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(log(), "attach\n");
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(log(), "attach\n");
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(log(), "attach\ndetach\n");
  EXPECT_EQ(GetModuleHandleA("accepting.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(module));
}

TEST_F(Modules, MissingModuleIsReported) {
  EXPECT_EQ(LoadLibraryA(folder.windows("none.dll").c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_NE(win32::LastLoadErrorText(), "");
  folder.write("junk.dll", "not a shared object");
  EXPECT_EQ(LoadLibraryA(folder.windows("junk.dll").c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(GetModuleHandleA("nothing-like-this.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

// The module's own file name as a caller gets it with a growing buffer.
std::string FileNameGrowing(HMODULE module) {
  std::vector<char> buffer(254);
  DWORD length;
  while ((length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()))) == buffer.size())
    buffer.resize(buffer.size() + 254);
  return std::string(buffer.data(), length);
}

TEST_F(Modules, LongFileNameComesBackWholeAndSmallBuffersTruncate) {
  std::filesystem::path deep = folder.path();
  for (int i = 0; i < 8; ++i) deep /= std::string(40, char('a' + i));
  std::filesystem::create_directories(deep);
  std::filesystem::copy_file(ACCEPTING_MODULE, deep / "Deep.dll");
  std::string expected = win32::ToWindowsPath((deep / "Deep.dll").string());
  ASSERT_GT(expected.size(), 300u);

  HMODULE module = LoadLibraryA(expected.c_str());
  ASSERT_NE(module, nullptr) << win32::LastLoadErrorText();
  EXPECT_EQ(FileNameGrowing(module), expected);

  char small[10];
  EXPECT_EQ(GetModuleFileNameA(module, small, sizeof small), 10u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), expected.substr(0, 9));
  EXPECT_EQ(GetModuleFileNameA(module, small, 0), 0u);
  FreeLibrary(module);
  EXPECT_EQ(GetModuleFileNameA(module, small, sizeof small), 0u) << "a freed module has no name";
}

TEST(ProgramModule, HandleAndFileName) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, nullptr);
  std::string name = FileNameGrowing(nullptr);
  EXPECT_EQ(name, FileNameGrowing(program));
  EXPECT_EQ(name.substr(0, 3), "Z:\\");
  EXPECT_EQ(name.substr(name.size() - 10), "win32_test");
}

// Records what reaches the driver.
class RecordingDriver : public ui::Driver {
 public:
  explicit RecordingDriver(std::vector<ui::MessageBoxRequest>& boxes, std::vector<unsigned>& beeps)
      : boxes_(boxes), beeps_(beeps) {}
  int messageBox(const ui::MessageBoxRequest& request) override {
    boxes_.push_back(request);
    return IDNO;
  }
  void beep(unsigned type) override { beeps_.push_back(type); }
  std::optional<std::string> fileDialog(const ui::FileDialogRequest&) override { return std::nullopt; }
  ui::PickAnswer pick(const std::string&) override { return {}; }
  std::optional<ui::ControlAction> nextAction(const std::string&) override { return std::nullopt; }
  std::optional<std::vector<std::string>> take(const std::string&) override { return std::nullopt; }
  void commandLine(const std::string&) override {}
  void record(const std::string&) override {}

 private:
  std::vector<ui::MessageBoxRequest>& boxes_;
  std::vector<unsigned>& beeps_;
};

TEST(MessageBoxes, GoToTheDriverWithOwnerTitle) {
  std::vector<ui::MessageBoxRequest> boxes;
  std::vector<unsigned> beeps;
  ui::setDriver(std::make_unique<RecordingDriver>(boxes, beeps));
  EXPECT_EQ(MessageBoxA(nullptr, "Overwrite?", "Rasterwerk", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  win32::SetWindowTitleProvider([](HWND) { return std::string("Main dialog"); });
  MessageBoxA(reinterpret_cast<HWND>(1), "Text", nullptr, MB_OK);
  win32::SetWindowTitleProvider(nullptr);
  EXPECT_TRUE(MessageBeep(MB_ICONERROR));
  ui::setDriver(nullptr);

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Overwrite?");
  EXPECT_EQ(boxes[0].caption, "Rasterwerk");
  EXPECT_EQ(boxes[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
  EXPECT_EQ(boxes[0].owner, "");
  EXPECT_EQ(boxes[1].caption, "Error") << "Windows' caption when none is given";
  EXPECT_EQ(boxes[1].owner, "Main dialog");
  EXPECT_EQ(beeps, std::vector<unsigned>{MB_ICONERROR});
}

}  // namespace
