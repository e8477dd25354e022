// acad-host with the companion LISP library and MoXi.arx beside it, as a user
// runs it: commands, LISP entries, companion calls and the journal they leave.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The command-line lines of a transcript, without the dialogs and picks.
std::string CommandLineOf(const std::string& transcript) {
  std::istringstream lines(transcript);
  std::string out;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("cmdline | ", 0) == 0) out += line + "\n";
  }
  return out;
}

// The user picks nothing in the edit command and cancels the main dialog.
constexpr const char* kLeaveBothCommands =
    "pick enter\ndialog 12000 click 14033\npick enter\ndialog 12000 click 14033\n";

struct HostRun {
  int exitCode = -1;
  std::string transcript;
  std::vector<std::string> journal;

  long Count(const std::string& entry) const { return std::count(journal.begin(), journal.end(), entry); }
};

class FrameRun : public ::testing::Test {
 protected:
  FrameRun() {
    std::string pattern = (fs::temp_directory_path() / "frame-run-XXXXXX").string();
    dir = mkdtemp(pattern.data());
  }
  ~FrameRun() override { fs::remove_all(dir); }

  HostRun Host(const std::string& script, const std::string& answers = "", const std::string& options = "") {
    std::ofstream(dir / "script.scr") << script;
    std::ofstream(dir / "answers.txt") << answers;
    const std::string command = std::string(ACAD_HOST) + " " + options + " --user-dir " + Quoted(dir / "user") +
                                " --script " + Quoted(dir / "script.scr") + " --answers " +
                                Quoted(dir / "answers.txt") + " --transcript " + Quoted(dir / "transcript.txt") +
                                " --journal " + Quoted(dir / "journal.txt") + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    HostRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.transcript = ReadFile(dir / "transcript.txt");
    run.journal = ReadLines(dir / "journal.txt");
    return run;
  }

  fs::path dir;
};

const char* const kFirstUseCalls[] = {"acedInvoke Tavo_pathInfo", "acedInvoke tavo_getUserIniPath",
                                      "acedInvoke tavo_getUserIniFile"};

TEST_F(FrameRun, CommandsAndLispEntriesInitialiseOnceAndReturnNothing) {
  const HostRun run = Host("(C:TAVO_IMGEDIT)\nTAVO_IMGCREATE\ntavo_imgedit\n(c:tavo_imgcreate)\n", kLeaveBothCommands);
  EXPECT_EQ(run.exitCode, 0) << run.transcript;
  for (const char* call : kFirstUseCalls) EXPECT_EQ(run.Count(call), 1) << call;
  // Each line runs without a value printed after it.
  EXPECT_EQ(CommandLineOf(run.transcript),
            "cmdline | Command: (C:TAVO_IMGEDIT)\n"
            "cmdline | Command: TAVO_IMGCREATE\n"
            "cmdline | Command: tavo_imgedit\n"
            "cmdline | Command: (c:tavo_imgcreate)\n");
  EXPECT_TRUE(fs::is_directory(dir / "user"));  // the companion made the user's folder
}

TEST_F(FrameRun, WithoutTheCompanionTheCommandsStillRunQuietly) {
  const HostRun run = Host("TAVO_IMGEDIT\nTAVO_IMGCREATE\n", kLeaveBothCommands, "--no-companion");
  EXPECT_EQ(run.exitCode, 0) << run.transcript;
  for (const char* call : kFirstUseCalls) EXPECT_EQ(run.Count(call), 1) << call;
  EXPECT_EQ(CommandLineOf(run.transcript), "cmdline | Command: TAVO_IMGEDIT\ncmdline | Command: TAVO_IMGCREATE\n");
}

TEST_F(FrameRun, CompanionAnswersThePathsAndKeepsLayerDefinitions) {
  const std::string user = "Z:" + (dir / "user").string();
  std::string userWindows = user;
  std::replace(userWindows.begin(), userWindows.end(), '/', '\\');
  std::string lispFolder;  // as the LISP prompt shows it: backslashes doubled
  for (char c : userWindows + "\\") lispFolder += c == '\\' ? std::string("\\\\") : std::string(1, c);
  const HostRun run = Host(
      "(tavo_getUserIniPath \"TAVO_IMGCREATE\")\n"
      "(tavo_getUserIniFile \"TAVO_IMGCREATE\" \"Rasterwerk.ini\")\n"
      "(Tavo_layerDialog \"TAVO_IMGCREATE\" \"ImageLayer\" \"Rasterwerk\" \"" + lispFolder + "\")\n"
      "(Tavo_newLayer \"TAVO_IMGCREATE\" \"IMG\")\n"
      "(Tavo_getLayerName \"TAVO_IMGCREATE\" \"IMG\")\n",
      "layerdialog IMG Bild\n", "--save-as " + Quoted(dir / "saved.dxf"));
  EXPECT_EQ(run.exitCode, 0) << run.transcript;
  EXPECT_NE(run.transcript.find("cmdline | \"" + lispFolder + "\"\n"), std::string::npos) << run.transcript;
  EXPECT_NE(run.transcript.find("cmdline | \"" + lispFolder + "Rasterwerk.ini\"\n"), std::string::npos);
  EXPECT_NE(run.transcript.find("layerdialog -> IMG Bild\n"), std::string::npos);
  EXPECT_NE(run.transcript.find("cmdline | (\"IMG\" \"Bild\" 1)\n"), std::string::npos) << run.transcript;
  EXPECT_NE(run.transcript.find("cmdline | \"Bild\"\n"), std::string::npos);
  EXPECT_NE(ReadFile(dir / "user" / "TavoLayers.ini").find("Name=Bild"), std::string::npos);
  // Tavo_newLayer made the layer in the drawing.
  EXPECT_NE(run.transcript.find("Command: (Tavo_newLayer \"TAVO_IMGCREATE\" \"IMG\")\ncmdline | 1\n"),
            std::string::npos);
  std::string saved = ReadFile(dir / "saved.dxf");
  std::erase(saved, '\r');
  EXPECT_NE(saved.find("\n  2\nBild\n"), std::string::npos);
}

TEST_F(FrameRun, HelpFileIsFoundBesideThePlugin) {
  const HostRun run = Host("(Tavo_pathInfo \"Rasterwerk.chm\")\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.transcript.find("Rasterwerk.chm\"\n"), std::string::npos) << run.transcript;
}

}  // namespace
