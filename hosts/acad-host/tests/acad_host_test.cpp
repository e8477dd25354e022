// acad-host as a program: it loads application modules, sends them the
// initialise, LISP-invoke and unload messages in order, runs the script and
// fails clearly when a module cannot be loaded.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct HostRun {
  int exitCode = -1;
  std::string errors;      // standard error
  std::string transcript;
  std::vector<std::string> journal;
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> readLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

class AcadHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/acad-host-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs acad-host with `script` and `arguments` (already quoted where needed);
  // the companion LISP library is left out unless `program` is a copy with one.
  HostRun run(const std::string& script, const std::string& arguments,
              const std::string& program = std::string(ACAD_HOST) + " --no-companion") {
    std::ofstream(dir_ / "script.scr") << script;
    const std::string command = program + " --ui script --user-dir " + quoted(dir_ / "user") + " --script " +
                                quoted(dir_ / "script.scr") + " --transcript " +
                                quoted(dir_ / "transcript.txt") + " --journal " +
                                quoted(dir_ / "journal.txt") + " " + arguments + " >/dev/null 2>" +
                                quoted(dir_ / "errors.txt");
    const int status = std::system(command.c_str());
    HostRun result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.errors = readFile(dir_ / "errors.txt");
    result.transcript = readFile(dir_ / "transcript.txt");
    result.journal = readLines(dir_ / "journal.txt");
    return result;
  }

  static std::string app(const char* path) { return "--app " + quoted(path); }

  fs::path dir_;
};

// The journal entries that start with `prefix`, in order.
std::vector<std::string> entriesStartingWith(const HostRun& run, const std::string& prefix) {
  std::vector<std::string> found;
  for (const auto& entry : run.journal) {
    if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
  }
  return found;
}

TEST_F(AcadHostTest, SendsInitialiseLispInvokeAndUnloadInOrder) {
  const HostRun result = run("; a comment\n(C:TESTAPP_HELLO)\ntestapp_hello\n", app(TEST_APP));
  ASSERT_EQ(result.exitCode, 0) << result.errors << result.transcript;
  EXPECT_EQ(entriesStartingWith(result, "acrxEntryPoint"),
            (std::vector<std::string>{"acrxEntryPoint TestApp.arx kInitAppMsg",
                                      "acrxEntryPoint TestApp.arx kInvkSubrMsg",
                                      "acrxEntryPoint TestApp.arx kUnloadAppMsg"}));
  EXPECT_EQ(entriesStartingWith(result, "TestApp got"),
            (std::vector<std::string>{"TestApp got 1", "TestApp got 5", "TestApp got 2"}));
  // The typed command and the LISP entry both ran the command.
  const auto first = result.transcript.find("hello from TestApp");
  ASSERT_NE(first, std::string::npos) << result.transcript;
  EXPECT_NE(result.transcript.find("hello from TestApp", first + 1), std::string::npos);
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
  const HostRun result = run("(TestApp_echo \"from MoXi\")\n", "--module " + quoted(TEST_APP),
                             quoted((copy / "acad-host").string()));
  ASSERT_EQ(result.exitCode, 0) << result.errors << result.transcript;
  EXPECT_EQ(entriesStartingWith(result, "acrxEntryPoint"),
            (std::vector<std::string>{"acrxEntryPoint companions-lisp.arx kInitAppMsg",
                                      "acrxEntryPoint TestApp.arx kInitAppMsg",
                                      "acrxEntryPoint MoXi.arx kInitAppMsg",
                                      "acrxEntryPoint MoXi.arx kUnloadAppMsg",
                                      "acrxEntryPoint TestApp.arx kUnloadAppMsg",
                                      "acrxEntryPoint companions-lisp.arx kUnloadAppMsg"}));
}

TEST_F(AcadHostTest, ModulesLoadInOrderAndUnloadNewestFirst) {
  const HostRun result = run("", "--module " + quoted(TEST_APP) + " " + app(OTHER_APP));
  ASSERT_EQ(result.exitCode, 0) << result.errors;
  EXPECT_EQ(entriesStartingWith(result, "acrxEntryPoint"),
            (std::vector<std::string>{"acrxEntryPoint TestApp.arx kInitAppMsg",
                                      "acrxEntryPoint OtherApp.arx kInitAppMsg",
                                      "acrxEntryPoint OtherApp.arx kUnloadAppMsg",
                                      "acrxEntryPoint TestApp.arx kUnloadAppMsg"}));
}

TEST_F(AcadHostTest, LispFunctionValuesAppearOnTheCommandLine) {
  const HostRun result = run("(TestApp_echo \"D:\\\\work\" 12)\n", app(TEST_APP));
  ASSERT_EQ(result.exitCode, 0) << result.errors << result.transcript;
  EXPECT_NE(result.transcript.find("(\"D:\\\\work\" 12)"), std::string::npos) << result.transcript;
}

TEST_F(AcadHostTest, EditorApplicationHandsOutItsAutomationInterface) {
  const HostRun result = run("(TestApp_automation)\n", app(TEST_APP));
  EXPECT_EQ(result.exitCode, 0) << result.errors;
  EXPECT_NE(result.transcript.find("cmdline | T\n"), std::string::npos) << result.transcript;
}

TEST_F(AcadHostTest, ModulesThatCannotRunGiveAClearMessageAndFail) {
  const std::string missing = (dir_ / "Missing.arx").string();
  const struct {
    std::string arguments;
    const char* message;
  } cases[] = {
      {app(missing.c_str()), "Unable to load"},
      {app(FAILING_APP), "FailingApp.arx: the application failed to initialise"},
      {"--module " + quoted(missing) + " " + app(TEST_APP), "Unable to load"},
      {app(OLD_APP), "is built for API release 15, this editor runs release 16"},
  };
  for (const auto& c : cases) {
    const HostRun result = run("TESTAPP_HELLO\n", c.arguments);
    EXPECT_EQ(result.exitCode, 2) << c.arguments;
    EXPECT_NE(result.errors.find(c.message), std::string::npos) << result.errors;
    EXPECT_EQ(result.transcript.find("hello from"), std::string::npos) << c.arguments;
  }
}

TEST_F(AcadHostTest, AComServerWithoutAClassIdIsAnError) {
  const HostRun result = run("TESTAPP_HELLO\n", "--com-server photo-editor=/srv/server.so " + app(TEST_APP));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.errors.find("bad class id for --com-server: \"photo-editor\""), std::string::npos)
      << result.errors;
  EXPECT_EQ(result.transcript.find("hello from"), std::string::npos);
}

TEST_F(AcadHostTest, WindowsWithoutADisplayStopTheRunWithTheReason) {
  const HostRun result = run("TESTAPP_HELLO\n", "--ui windows " + app(TEST_APP),
                             "env -u DISPLAY " + std::string(ACAD_HOST) + " --no-companion");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.errors.find("cannot open the display"), std::string::npos) << result.errors;
  EXPECT_EQ(result.transcript.find("hello from"), std::string::npos);
}

TEST_F(AcadHostTest, FailedInitialisationLeavesNothingRegistered) {
  const HostRun result = run("", app(FAILING_APP));
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(entriesStartingWith(result, "acrxEntryPoint FailingApp.arx kUnloadAppMsg").size(), 0u);
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
    const HostRun result = run(std::string(c.line) + "TESTAPP_HELLO\n", app(TEST_APP));
    EXPECT_EQ(result.exitCode, 4) << c.line;
    EXPECT_NE(result.transcript.find(c.message), std::string::npos) << result.transcript;
    // The script goes on after a failed line.
    EXPECT_NE(result.transcript.find("hello from TestApp"), std::string::npos) << c.line;
  }
}

TEST_F(AcadHostTest, DrawingIsSavedAndOpensAgain) {
  const std::string first = (dir_ / "first.dxf").string();
  const std::string second = (dir_ / "second.dxf").string();
  ASSERT_EQ(run("", "--app none --save-as " + quoted(first)).exitCode, 0);
  ASSERT_TRUE(fs::exists(first));
  const HostRun result = run("SAVEAS " + second + "\nSAVE\n", "--app none " + quoted(first));
  EXPECT_EQ(result.exitCode, 0) << result.errors << result.transcript;
  EXPECT_TRUE(fs::exists(second));
}

TEST_F(AcadHostTest, DrawingThatCannotBeOpenedOrSavedFailsTheRun) {
  const HostRun missing = run("", "--app none " + quoted((dir_ / "missing.dxf").string()));
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_NE(missing.errors.find("cannot open the drawing"), std::string::npos) << missing.errors;
  const HostRun unsaved = run("", "--app none --save-as " + quoted((dir_ / "no/such/dir/x.dxf").string()));
  EXPECT_EQ(unsaved.exitCode, 3);
  EXPECT_NE(unsaved.errors.find("cannot save the drawing"), std::string::npos) << unsaved.errors;
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
    const HostRun result = run("", "--app none " + quoted(file));
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.errors.find("cannot open the drawing " + file + ": " + c.reason), std::string::npos)
        << result.errors;
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
    const HostRun result = run("", "--app none --save-as " + quoted((dir_ / "saved.dxf").string()) + " " + quoted(file));
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_NE(readFile(dir_ / "saved.dxf").find(c.kept), std::string::npos);
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
    const HostRun result = run(c.line, "--app none");
    EXPECT_EQ(result.exitCode, 4) << c.line;
    EXPECT_NE(result.transcript.find(c.message), std::string::npos) << result.transcript;
  }
}

TEST_F(AcadHostTest, UserFolderIsCreated) {
  ASSERT_EQ(run("", "--app none").exitCode, 0);
  EXPECT_TRUE(fs::is_directory(dir_ / "user"));
}

TEST_F(AcadHostTest, BadCommandLineShowsUsage) {
  const HostRun result = run("", "--drive nonsense");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.errors.find("usage: acad-host"), std::string::npos) << result.errors;
}

}  // namespace
