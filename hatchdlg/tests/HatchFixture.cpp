#include "HatchFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <win32/modules.h>
#include <win32/posix.h>

namespace fs = std::filesystem;

namespace hatchtest {

Calls calls;

void WINAPI CountHelp(TSchraffurRecord* record) {
  ++calls.help;
  calls.lastRecord = record;
}

void WINAPI CountOptionsCancel(TSchraffurRecord* record) {
  ++calls.optionsCancel;
  calls.lastRecord = record;
}

namespace {

char* kPatterns[] = {const_cast<char*>("ANSI31"), const_cast<char*>("ANSI32"), const_cast<char*>("NET"), nullptr};

}  // namespace

void HatchTest::SetUp() {
  calls = Calls{};
  record.Scale = 1.0;
  record.Angle = 0.0;
  record.Spacing = 1.0;
  record.Associative = TRUE;
  record.PatternList = kPatterns;
  record.BoundaryCount = 1;
  record.HelpEnabled = TRUE;
  record.HelpProc = CountHelp;
  record.OptionsCancelProc = CountOptionsCancel;
}

void HatchTest::TearDown() {
  if (module_) {
    FreeLibrary(module_);
    EXPECT_EQ(GetModuleHandleA("dfelmar2.dll"), nullptr) << "the library stays loaded";
  }
}

void HatchTest::Load(MessageFile file, const std::string& custom) {
  fs::copy_file(DFELMAR2_DLL, folder_.path() / "dfelmar2.dll");
  if (file == MessageFile::Shipped) fs::copy_file(DFELMAR2_MSG, folder_.path() / "dfelmar2.msg");
  if (file == MessageFile::Custom) folder_.write("dfelmar2.msg", custom);
  module_ = LoadLibraryA(folder_.windows("dfelmar2.dll").c_str());
  ASSERT_NE(module_, nullptr) << win32::LastLoadErrorText();
  doSchraff_ = reinterpret_cast<TDoSchraff>(reinterpret_cast<void*>(GetProcAddress(module_, "DoSchraff")));
  ASSERT_NE(doSchraff_, nullptr);
}

std::string HatchTest::Run(const std::string& answers, TSchraffurRecord* target) {
  if (!module_) Load();
  user_.answer(answers);
  EXPECT_EQ(doSchraff_(target), 1);
  EXPECT_TRUE(user_.remainingAnswers().empty()) << "answers left over";
  return user_.transcript();
}

std::string HatchTest::MessageFilePath() const { return folder_.windows("dfelmar2.msg"); }

}  // namespace hatchtest
