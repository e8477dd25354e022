// hatch-host end to end: the real dfelmar2.dll, answers from a file, the
// record printed at the end and the transcript.
#include <gtest/gtest.h>
#include <ui/driver.h>
#include <win32/posix.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host.h"
#include "record_text.h"

namespace hatchhost {
namespace {

class HatchHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/hatchhost-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    options.answers = folder_ + "/answers.txt";
    options.transcript = folder_ + "/transcript.txt";
    options.library = win32::ToWindowsPath(DFELMAR2_DLL);
  }
  void TearDown() override {
    ui::setDriver(nullptr);
    std::filesystem::remove_all(folder_);
  }

  // Runs the host with the answers; the printed record in `printed`.
  int RunWith(const std::string& answers) {
    std::ofstream(options.answers) << answers;
    ::testing::internal::CaptureStdout();
    const int result = hatchhost::Run(options);
    printed = ::testing::internal::GetCapturedStdout();
    ui::setDriver(nullptr);  // closes the transcript
    std::ifstream in(options.transcript);
    std::stringstream text;
    text << in.rdbuf();
    transcript = text.str();
    return result;
  }

  std::string File(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + "/" + name) << text;
    return folder_ + "/" + name;
  }

  Options options;
  std::string printed;
  std::string transcript;

 private:
  std::string folder_;
};

struct Scenario {
  const char* name;
  const char* answers;
  int exitCode;
  std::vector<const char*> printed;  // lines of the final record
  const char* transcript;            // a line the transcript holds
};

class Scenarios : public HatchHostTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(Scenarios, CarryOutTheActionsUntilApplyOrCancel) {
  const Scenario& s = GetParam();
  EXPECT_EQ(RunWith(s.answers), s.exitCode) << transcript;
  for (const char* line : s.printed) EXPECT_NE(printed.find(std::string(line) + "\n"), std::string::npos) << line;
  EXPECT_NE(transcript.find(s.transcript), std::string::npos) << transcript;
}

INSTANTIATE_TEST_SUITE_P(
    HatchHost, Scenarios,
    ::testing::Values(
        Scenario{"PickPointsThenApply",
                 "form frmSchraffur click Punkte_waehlenButton\npick 1A\npick 1B\npick enter\n"
                 "form frmSchraffur click AnwendenButton\n",
                 kExitApplied,
                 {"ExitReason=0", "BoundaryDefined=1", "BoundaryCount=2", "PatternName=ANSI31"},
                 "cmdline | hatch-host: boundary of 2 object(s)"},
        Scenario{"Cancel", "form frmSchraffur click AbbrechenButton\n", kExitCancelled, {"ExitReason=1"},
                 "cmdline | hatch-host: call 1: ExitReason 1, Action 0"},
        Scenario{"UnknownCustomPatternIsRefusedThenAListedOneAccepted",
                 "form frmSchraffur select MusterTypComboBox Benutzerspezifisch\n"
                 "form frmSchraffur click ObjekteWaehlenButton\npick 5\npick enter\n"
                 "form frmSchraffur click AnwendenButton\nmsgbox ok\n"
                 "form frmSchraffur click UebernehmenButton\npick 7\n"
                 "form frmSchraffur click AnwendenButton\n",
                 kExitApplied,
                 {"PatternType=2", "PatternName=ANSI31", "CustomPattern=ANSI31", "Action=8"},
                 "  | Unknown hatch pattern: \n"},
        Scenario{"NewBoundaryLinesReopenTheOptions",
                 "form frmSchraffur click optionenButton\nform FormOptionen click ButtonUmgrenzungslinien\n"
                 "pick 10\npick 11\npick 12\npick enter\n"
                 "form FormOptionen click ButtonOk\nform frmSchraffur click AnwendenButton\n",
                 kExitApplied,
                 {"BoundaryCount=3", "FromBoundary=1", "NewBoundary=0", "ExitReason=0"},
                 "pick prompt=\"Select new boundary lines\" -> 12"},
        Scenario{"HelpAndCancelledOptionsAreCallbacks",
                 "form frmSchraffur click HilfeButton\nform frmSchraffur click optionenButton\n"
                 "form FormOptionen select-index ComboBoxSchraffurStil 2\nform FormOptionen close\n"
                 "form frmSchraffur close\n",
                 kExitCancelled,
                 {"HatchStyle=0", "ExitReason=1"},
                 "cmdline | hatch-host: options cancelled, saved boundary options restored"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HatchHostTest, RecordComesFromAFileAndSetOptions) {
  options.recordFile = File("record.txt", "; a hatch\nPatternList = NET, ZICKZACK\nScale=2.5\nAngle=45\n");
  options.sets = {"CustomPattern=zickzack"};
  EXPECT_EQ(RunWith("form frmSchraffur close\n"), kExitCancelled);
  for (const char* line : {"PatternList=NET,ZICKZACK", "Scale=2.5", "Angle=45", "PatternType=2"})
    EXPECT_NE(printed.find(std::string(line) + "\n"), std::string::npos) << line << "\n" << printed;
  EXPECT_NE(transcript.find("BenutzerMusterEdit text=\"zickzack\""), std::string::npos);
}

TEST_F(HatchHostTest, BadInputIsRefusedBeforeTheDialog) {
  const std::pair<std::string, int> cases[] = {
      {"Scale=abc", kExitUsage}, {"Colour=3", kExitUsage}, {"Origin=2", kExitUsage}, {"no equals", kExitUsage}};
  for (const auto& [line, code] : cases) {
    options.recordFile = File("record.txt", line + "\n");
    EXPECT_EQ(RunWith("# nothing\n"), code) << line;
    EXPECT_EQ(transcript.find("form frmSchraffur"), std::string::npos);
  }
}

TEST_F(HatchHostTest, AMissingLibraryFailsWithAMessage) {
  options.library = "Z:\\nowhere\\dfelmar2.dll";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunWith("# nothing\n"), kExitFailed);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("cannot use Z:\\nowhere\\dfelmar2.dll"), std::string::npos) << errors;
}

TEST(HatchHostRecord, PrintedTextReadsBackTheSame) {
  HostRecord first;
  std::string error;
  ASSERT_TRUE(first.setLine("PatternList=A,B", error));
  ASSERT_TRUE(first.setLine("Scale=0.1", error));
  ASSERT_TRUE(first.setLine("CustomPattern=X Y", error));
  HostRecord second;
  std::stringstream lines(first.text());
  for (std::string line; std::getline(lines, line);) ASSERT_TRUE(second.setLine(line, error)) << error;
  EXPECT_EQ(second.text(), first.text());
}

TEST(HatchHostOptions, CommandLine) {
  Options options;
  std::string error;
  EXPECT_TRUE(ParseOptions({"--answers", "a", "--set", "Scale=2", "--set", "Angle=1", "--max-calls", "5"}, options,
                           error));
  EXPECT_EQ(options.sets.size(), 2u);
  EXPECT_EQ(options.maxCalls, 5);
  for (std::vector<std::string> bad :
       {std::vector<std::string>{"--answers"}, {"--bogus"}, {"--max-calls", "0"}, {"--ui", "web"},
        {"--ui", "windows", "--answers", "a"}, {"--ui", "script", "--record-answers", "r"}})
    EXPECT_FALSE(ParseOptions(bad, options, error)) << bad[0];
  // With answers the run is scripted; --ui says so for a run without them.
  Options scripted;
  EXPECT_TRUE(ParseOptions({"--answers", "a"}, scripted, error));
  EXPECT_EQ(scripted.ui, "script");
  Options windows;
  EXPECT_TRUE(ParseOptions({"--ui", "windows", "--record-answers", "r"}, windows, error));
  EXPECT_EQ(windows.ui, "windows");
  EXPECT_EQ(windows.recordAnswers, "r");
}

}  // namespace
}  // namespace hatchhost
