#include "HatchFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ui/scripted_driver.h>
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
  char pattern[] = "/tmp/hatchtest-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  folder = pattern;
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
  ui::setDriver(nullptr);
  fs::remove_all(folder);
}

void HatchTest::Load(MessageFile file, const std::string& custom) {
  fs::copy_file(DFELMAR2_DLL, folder + "/dfelmar2.dll");
  if (file == MessageFile::Shipped) fs::copy_file(DFELMAR2_MSG, folder + "/dfelmar2.msg");
  if (file == MessageFile::Custom) std::ofstream(folder + "/dfelmar2.msg", std::ios::binary) << custom;
  module_ = LoadLibraryA(win32::ToWindowsPath(folder + "/dfelmar2.dll").c_str());
  ASSERT_NE(module_, nullptr) << win32::LastLoadErrorText();
  doSchraff_ = reinterpret_cast<TDoSchraff>(reinterpret_cast<void*>(GetProcAddress(module_, "DoSchraff")));
  ASSERT_NE(doSchraff_, nullptr);
}

std::string HatchTest::Run(const std::string& answers, TSchraffurRecord* target) {
  if (!module_) Load();
  auto driver = ui::ScriptedDriver::fromText(answers);
  driver->writeTranscriptNowhere();
  auto* scripted = driver.get();
  ui::setDriver(std::move(driver));
  EXPECT_EQ(doSchraff_(target), 1);
  EXPECT_TRUE(scripted->remainingAnswers().empty()) << "answers left over";
  return scripted->transcript();
}

std::string HatchTest::MessageFilePath() const { return win32::ToWindowsPath(folder + "/dfelmar2.msg"); }

std::string Block(const std::string& transcript, const std::string& header, int nth) {
  size_t at = 0;
  for (int i = 0; i <= nth; ++i, ++at)
    if ((at = transcript.find(header, at)) == std::string::npos) return "";
  --at;
  size_t end = at;
  while ((end = transcript.find('\n', end)) != std::string::npos && end + 1 < transcript.size() &&
         transcript[end + 1] == ' ')
    ++end;
  return transcript.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

std::string ControlLine(const std::string& block, const std::string& name) {
  size_t at = block.find(" " + name + " ");
  if (at == std::string::npos) return "";
  size_t start = block.rfind('\n', at) + 1;
  return block.substr(start, block.find('\n', at) - start);
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

}  // namespace hatchtest
