// hatch-host end to end: the real dfelmar2.dll, answers from a file, the
// record printed at the end and the transcript.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ui/driver.h>
#include <win32/posix.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host.h"
#include "record_text.h"
#include "testing/case_name.h"
#include "testing/temp_folder.h"

namespace hatchhost {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class HatchHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    options.answers = folder_.posix("answers.txt");
    options.transcript = folder_.posix("transcript.txt");
    options.library = win32::ToWindowsPath(DFELMAR2_DLL);
  }
  void TearDown() override { ui::setDriver(nullptr); }

  // Runs the host with the answers; the printed record in `printed`.
  int RunWith(const std::string& answers) {
    std::ofstream(options.answers) << answers;
    ::testing::internal::CaptureStdout();
    const int result = hatchhost::Run(options);
    printed = ::testing::internal::GetCapturedStdout();
    ui::setDriver(nullptr);  // closes the transcript
    transcript = folder_.read("transcript.txt");
    return result;
  }

  std::string File(const std::string& name, const std::string& text) {
    folder_.write(name, text);
    return folder_.posix(name);
  }

  Options options;
  std::string printed;
  std::string transcript;

 private:
  rwtest::TempFolder folder_{"hatchhost"};
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
  for (const char* line : s.printed) {
    SCOPED_TRACE(line);
    EXPECT_THAT(printed, HasSubstr(std::string(line) + "\n"));
  }
  EXPECT_THAT(transcript, HasSubstr(s.transcript));
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
    rwtest::CaseName());

TEST_F(HatchHostTest, RecordComesFromAFileAndSetOptions) {
  options.recordFile = File("record.txt", "; a hatch\nPatternList = NET, ZICKZACK\nScale=2.5\nAngle=45\n");
  options.sets = {"CustomPattern=zickzack"};
  EXPECT_EQ(RunWith("form frmSchraffur close\n"), kExitCancelled);
  for (const char* line : {"PatternList=NET,ZICKZACK", "Scale=2.5", "Angle=45", "PatternType=2"}) {
    SCOPED_TRACE(line);
    EXPECT_THAT(printed, HasSubstr(std::string(line) + "\n")) << line << "\n" << printed;
  }
  EXPECT_THAT(transcript, HasSubstr("BenutzerMusterEdit text=\"zickzack\""));
}

TEST_F(HatchHostTest, BadInputIsRefusedBeforeTheDialog) {
  const std::pair<std::string, int> cases[] = {
      {"Scale=abc", kExitUsage}, {"Colour=3", kExitUsage}, {"Origin=2", kExitUsage}, {"no equals", kExitUsage}};
  for (const auto& [line, code] : cases) {
    SCOPED_TRACE(line);
    options.recordFile = File("record.txt", line + "\n");
    EXPECT_EQ(RunWith("# nothing\n"), code) << line;
    EXPECT_THAT(transcript, Not(HasSubstr("form frmSchraffur")));
  }
}

TEST_F(HatchHostTest, AMissingLibraryFailsWithAMessage) {
  options.library = "Z:\\nowhere\\dfelmar2.dll";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(RunWith("# nothing\n"), kExitFailed);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_THAT(errors, HasSubstr("cannot use Z:\\nowhere\\dfelmar2.dll"));
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
        {"--ui", "windows", "--answers", "a"}, {"--ui", "script", "--record-answers", "r"}}) {
    SCOPED_TRACE(bad[0]);
    EXPECT_FALSE(ParseOptions(bad, options, error));
  }
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
