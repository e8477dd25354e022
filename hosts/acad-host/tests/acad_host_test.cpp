// acad-host as a program: it loads application modules, sends them the
// initialise, LISP-invoke and unload messages in order, runs the script and
// fails clearly when a module cannot be loaded.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testing/acad_host.h"
#include "testing/command.h"
#include "testing/temp_folder.h"
#include "testing/transcript.h"

namespace fs = std::filesystem;

namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using rwtest::HostRun;
using rwtest::readFile;
using Words = std::vector<std::string>;

class AcadHostTest : public ::testing::Test {
 protected:
  // The companion LISP library is left out unless a test runs a copy with one.
  AcadHostTest() { host_.options = {"--no-companion", "--user-dir", (dir_ / "user").string()}; }

  HostRun run(const std::string& script, const Words& arguments) { return host_.run(script, "", arguments); }

  static Words app(const std::string& path) { return {"--app", path}; }

  const rwtest::TempFolder folder_{"acad-host-test"};
  const fs::path dir_ = folder_.path();
  rwtest::AcadHost host_{ACAD_HOST, dir_};
};

TEST_F(AcadHostTest, SendsInitialiseLispInvokeAndUnloadInOrder) {
  const HostRun result = run("; a comment\n(C:TESTAPP_HELLO)\ntestapp_hello\n", app(TEST_APP));
  ASSERT_EQ(result.exitCode, 0) << result.errors << result.transcript;
  EXPECT_EQ(result.journalEntries("acrxEntryPoint"),
            (std::vector<std::string>{"acrxEntryPoint TestApp.arx kInitAppMsg",
                                      "acrxEntryPoint TestApp.arx kInvkSubrMsg",
                                      "acrxEntryPoint TestApp.arx kUnloadAppMsg"}));
  EXPECT_EQ(result.journalEntries("TestApp got"),
            (std::vector<std::string>{"TestApp got 1", "TestApp got 5", "TestApp got 2"}));
  // The typed command and the LISP entry both ran the command.
  EXPECT_THAT(result.transcript, rwtest::HasSubstrsInOrder({"hello from TestApp", "hello from TestApp"}));
}

TEST_F(AcadHostTest, CompanionLoadsFirstAndMoXiIsTheDefaultApplication) {
  // A copy of the program and its libraries with the two modules beside it.
  const fs::path copy = dir_ / "bin";
  fs::create_directory(copy);
  for (const auto& entry : fs::directory_iterator(fs::path(ACAD_HOST).parent_path())) {
    if (entry.path().extension() == ".so") fs::copy_file(entry.path(), copy / entry.path().filename());
  }
  fs::copy_file(ACAD_HOST, copy / "acad-host");
  fs::copy_file(TEST_APP, copy / "companions-lisp.arx");
  fs::copy_file(OTHER_APP, copy / "MoXi.arx");
  rwtest::AcadHost copied((copy / "acad-host").string(), dir_);
  copied.options = {"--user-dir", (dir_ / "user").string()};
  const HostRun result = copied.run("(TestApp_echo \"from MoXi\")\n", "", {"--module", TEST_APP});
  ASSERT_EQ(result.exitCode, 0) << result.errors << result.transcript;
  EXPECT_EQ(result.journalEntries("acrxEntryPoint"),
            (std::vector<std::string>{"acrxEntryPoint companions-lisp.arx kInitAppMsg",
                                      "acrxEntryPoint TestApp.arx kInitAppMsg",
                                      "acrxEntryPoint MoXi.arx kInitAppMsg",
                                      "acrxEntryPoint MoXi.arx kUnloadAppMsg",
                                      "acrxEntryPoint TestApp.arx kUnloadAppMsg",
                                      "acrxEntryPoint companions-lisp.arx kUnloadAppMsg"}));
}

TEST_F(AcadHostTest, ModulesLoadInOrderAndUnloadNewestFirst) {
  const HostRun result = run("", {"--module", TEST_APP, "--app", OTHER_APP});
  ASSERT_EQ(result.exitCode, 0) << result.errors;
  EXPECT_EQ(result.journalEntries("acrxEntryPoint"),
            (std::vector<std::string>{"acrxEntryPoint TestApp.arx kInitAppMsg",
                                      "acrxEntryPoint OtherApp.arx kInitAppMsg",
                                      "acrxEntryPoint OtherApp.arx kUnloadAppMsg",
                                      "acrxEntryPoint TestApp.arx kUnloadAppMsg"}));
}

TEST_F(AcadHostTest, LispFunctionValuesAppearOnTheCommandLine) {
  const HostRun result = run("(TestApp_echo \"D:\\\\work\" 12)\n", app(TEST_APP));
  ASSERT_EQ(result.exitCode, 0) << result.errors << result.transcript;
  EXPECT_THAT(result.transcript, HasSubstr("(\"D:\\\\work\" 12)"));
}

TEST_F(AcadHostTest, EditorApplicationHandsOutItsAutomationInterface) {
  const HostRun result = run("(TestApp_automation)\n", app(TEST_APP));
  EXPECT_EQ(result.exitCode, 0) << result.errors;
  EXPECT_THAT(result.transcript, HasSubstr("cmdline | T\n"));
}

TEST_F(AcadHostTest, ModulesThatCannotRunGiveAClearMessageAndFail) {
  const std::string missing = (dir_ / "Missing.arx").string();
  const struct {
    Words arguments;
    const char* message;
  } cases[] = {
      {app(missing), "Unable to load"},
      {app(FAILING_APP), "FailingApp.arx: the application failed to initialise"},
      {{"--module", missing, "--app", TEST_APP}, "Unable to load"},
      {app(OLD_APP), "is built for API release 15, this editor runs release 16"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    const HostRun result = run("TESTAPP_HELLO\n", c.arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.errors, HasSubstr(c.message));
    EXPECT_THAT(result.transcript, Not(HasSubstr("hello from")));
  }
}

// The answers file is checked whole before anything runs: the kinds of the
// driver and those of the components the host runs (the companion library's
// layer dialog, the user finishing in the photo editor), though their modules
// load later or never.
TEST_F(AcadHostTest, AMalformedAnswerOfAnyKindStopsTheRunBeforeItStarts) {
  const struct {
    const char* answers;
    const char* problem;  // after the file's name
  } cases[] = {
      {"msgbox maybe\n", " line 1: expects one of ok"},
      {"pick enter\nlayerdialog onlykey\n", " line 2: expects KEY NAME or cancel"},
      {"editor later\n", " line 1: expects done"},
      {"# first\n\ntool done\n",
       " line 3: unknown kind of answer 'tool' (this program knows dialog editor file form layerdialog msgbox pick)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    const HostRun result = host_.run("TESTAPP_HELLO\n", c.answers, app(TEST_APP));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.errors, HasSubstr((dir_ / "answers.txt").string() + c.problem));
    EXPECT_TRUE(result.journal.empty()) << "nothing was loaded";
    EXPECT_THAT(result.transcript, Not(HasSubstr("hello from")));
  }
}

TEST_F(AcadHostTest, AComServerWithoutAClassIdIsAnError) {
  const HostRun result = run("TESTAPP_HELLO\n", {"--com-server", "photo-editor=/srv/server.so", "--app", TEST_APP});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.errors, HasSubstr("bad class id for --com-server: \"photo-editor\""));
  EXPECT_THAT(result.transcript, Not(HasSubstr("hello from")));
}

TEST_F(AcadHostTest, WindowsWithoutADisplayStopTheRunWithTheReason) {
  std::ofstream(dir_ / "script.scr") << "TESTAPP_HELLO\n";
  std::string output;
  const int status = rwtest::runCommand("env -u DISPLAY " + std::string(ACAD_HOST) + " --no-companion --ui windows" +
                                            " --user-dir '" + (dir_ / "user").string() + "' --script '" +
                                            (dir_ / "script.scr").string() + "' --app '" + TEST_APP + "' 2>&1",
                                        output);
  EXPECT_EQ(status, 1);
  EXPECT_THAT(output, HasSubstr("cannot open the display"));
  EXPECT_THAT(output, Not(HasSubstr("hello from")));
}

TEST_F(AcadHostTest, FailedInitialisationLeavesNothingRegistered) {
  const HostRun result = run("", app(FAILING_APP));
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.journalEntries("acrxEntryPoint FailingApp.arx kUnloadAppMsg").size(), 0u);
}

TEST_F(AcadHostTest, FailingScriptLinesAreReportedAndTheRunFails) {
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"NO_SUCH_COMMAND\n", "Unknown command \"NO_SUCH_COMMAND\""},
      {"(no_such_function)\n", "no function definition: no_such_function"},
      {"(TestApp_echo \"open\n", "unterminated string"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const HostRun result = run(std::string(c.line) + "TESTAPP_HELLO\n", app(TEST_APP));
    EXPECT_EQ(result.exitCode, 4) << c.line;
    EXPECT_THAT(result.transcript, HasSubstr(c.message));
    // The script goes on after a failed line.
    EXPECT_THAT(result.transcript, HasSubstr("hello from TestApp")) << c.line;
  }
}

TEST_F(AcadHostTest, DrawingIsSavedAndOpensAgain) {
  const std::string first = (dir_ / "first.dxf").string();
  const std::string second = (dir_ / "second.dxf").string();
  ASSERT_EQ(run("", {"--app", "none", "--save-as", first}).exitCode, 0);
  ASSERT_TRUE(fs::exists(first));
  const HostRun result = run("SAVEAS " + second + "\nSAVE\n", {"--app", "none", first});
  EXPECT_EQ(result.exitCode, 0) << result.errors << result.transcript;
  EXPECT_TRUE(fs::exists(second));
}

TEST_F(AcadHostTest, DrawingThatCannotBeOpenedOrSavedFailsTheRun) {
  const HostRun missing = run("", {"--app", "none", (dir_ / "missing.dxf").string()});
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_THAT(missing.errors, HasSubstr("cannot open the drawing"));
  const HostRun unsaved = run("", {"--app", "none", "--save-as", (dir_ / "no/such/dir/x.dxf").string()});
  EXPECT_EQ(unsaved.exitCode, 3);
  EXPECT_THAT(unsaved.errors, HasSubstr("cannot save the drawing"));
}

// Files that cannot be read end the run with status 3 and say why and where;
// hostile files that are valid DXF open.
TEST_F(AcadHostTest, MalformedDrawingsEndTheRunWithTheReasonAndLine) {
  const std::string head = "0\nSECTION\n2\nENTITIES\n";
  const std::string tail = "0\nENDSEC\n0\nEOF\n";
  const struct {
    const char* what;
    std::string text;
    const char* reason;  // after "cannot open the drawing FILE: "
  } cases[] = {
      {"empty", "", "the file is empty"},
      {"truncated", head + "0\nLINE\n8", "the file is truncated: value of group 8 missing (line 7)"},
      {"no EOF", head + "0\nENDSEC\n", "the file is truncated: the end-of-file marker is missing (line 6)"},
      {"code not a number", head + "LINE\n0\n", "group code expected, found \"LINE\" (line 5)"},
      {"wrong kind", head + "0\nLINE\n10\nten\n" + tail, "number expected for group 10, found \"ten\" (line 8)"},
      {"integer kind", head + "0\nLWPOLYLINE\n90\n1e9\n" + tail, "integer expected for group 90, found \"1e9\" (line 8)"},
      {"nested section", head + head + tail, "SECTION inside a section (ENDSEC missing) (line 5)"},
      {"outside", "0\nLINE\n0\nEOF\n", "\"LINE\" outside any section (line 1)"},
      {"binary cut", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0SECTION\0\x02\0ENTI", 38),
       "the file is truncated: a text value is not ended (byte 35)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = (dir_ / "bad.dxf").string();
    std::ofstream(file, std::ios::binary) << c.text;
    const HostRun result = run("", {"--app", "none", file});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_THAT(result.errors, HasSubstr("cannot open the drawing " + file + ": " + c.reason));
  }
  const struct {
    const char* what;
    std::string text;
    std::string kept;  // written back
  } hostile[] = {
      {"huge counts", head + "0\nLEADER\n76\n1500000000\n0\nLWPOLYLINE\n90\n500000000\n10\n1\n20\n2\n" +
                          "0\nSPLINE\n72\n2000000000\n73\n2000000000\n74\n1500000000\n" + tail,
       " 72\n2000000000\n 73\n2000000000\n"},
      {"long lines", head + "0\nMTEXT\n1\n" + std::string(5000, 'x') + "\r\n3\n" + std::string(1023, 'y') + "\n" + tail,
       std::string(5000, 'x')},
      {"formatting codes", "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1027\n0\nENDSEC\n" + head +
                               "0\nMTEXT\n1\n{\\fArial|b1|i0|c0|p34;Bold}\\P\\A1;\\S1^2;\\H2x;{\\C1;red}\\~\\U+00E4\n" + tail,
       "{\\fArial|b1|i0|c0|p34;Bold}"},
  };
  for (const auto& c : hostile) {
    SCOPED_TRACE(c.what);
    const std::string file = (dir_ / "hostile.dxf").string();
    std::ofstream(file, std::ios::binary) << c.text;
    const HostRun result = run("", {"--app", "none", "--save-as", (dir_ / "saved.dxf").string(), file});
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_THAT(readFile(dir_ / "saved.dxf"), HasSubstr(c.kept));
  }
}

TEST_F(AcadHostTest, HostCommandsExplainTheirFailures) {
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"SAVE\n", "The drawing has no file yet"},
      {"PAGESETUP device=\"No Such Plotter\"\n", "PAGESETUP: "},
      {"APPLOAD\n", "APPLOAD needs"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const HostRun result = run(c.line, {"--app", "none"});
    EXPECT_EQ(result.exitCode, 4) << c.line;
    EXPECT_THAT(result.transcript, HasSubstr(c.message));
  }
}

TEST_F(AcadHostTest, UserFolderIsCreated) {
  ASSERT_EQ(run("", {"--app", "none"}).exitCode, 0);
  EXPECT_TRUE(fs::is_directory(dir_ / "user"));
}

TEST_F(AcadHostTest, BadCommandLineShowsUsage) {
  const HostRun result = run("", {"--drive", "nonsense"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.errors, HasSubstr("usage: acad-host"));
}

}  // namespace
