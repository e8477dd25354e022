// A complete TAVO_IMGCREATE of acad-host with the photo editor, answered by
// a person at the windows: real X events (xdotool's pointer and keys, the
// window manager's close box) on a virtual screen. Its transcript is the
// scripted run's, and the answers it recorded replay into the same
// transcript with --ui script.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "dialogs/main_dialog.h"
#include "ui/dialog.h"
#include "x_display.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// What a program printed; "" when it failed or took longer than `seconds`.
std::string Output(const std::string& command, int seconds = 30) {
  const std::string line = "timeout " + std::to_string(seconds) + " " + command + " 2>/dev/null";
  std::FILE* pipe = popen(line.c_str(), "r");
  if (!pipe) return "";
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  return pclose(pipe) == 0 ? out : "";
}

// The middle of a control of the main dialog, in client pixels, as its
// template places it (the template is linked into this program).
std::pair<int, int> MiddleOf(int control) {
  HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(CMoXIDialog::IDD), RT_DIALOG);
  const auto* dialog = found ? static_cast<const ui::DialogTemplate*>(LockResource(LoadResource(nullptr, found)))
                             : nullptr;
  if (dialog)
    for (const ui::ControlTemplate& t : dialog->items)
      if (t.id == control) {
        ui::PixelRect r = ui::dialogUnitsToPixels(t.x, t.y, t.cx, t.cy);
        if (t.windowClass == "ComboBox" || t.windowClass == "ComboBoxEx32") r.bottom = r.top + 21;
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      }
  ADD_FAILURE() << "no control " << control << " in the main dialog's template";
  return {0, 0};
}

// One run of acad-host on its own copy of the site plan as D:\work\site.dxf.
class HostRun {
 public:
  explicit HostRun(const std::string& name) {
    std::string pattern = (fs::temp_directory_path() / ("gui-create-" + name + "-XXXXXX")).string();
    dir_ = mkdtemp(pattern.data());
    fs::create_directories(dir_ / "D" / "work");
    fs::copy_file(SITE_PLAN, dir_ / "D" / "work" / "site.dxf");
    std::ofstream(dir_ / "create.scr") << "TAVO_IMGCREATE\n";
  }
  ~HostRun() {
    if (pid_ > 0) kill(pid_, SIGKILL), waitpid(pid_, nullptr, 0);
    fs::remove_all(dir_);
  }

  // Starts the host with `options` (the user interface and its files).
  void Start(const std::string& options) {
    const std::string command = std::string(ACAD_HOST) + " " + options + " --script " + Quoted(dir_ / "create.scr") +
                                " --transcript " + Quoted(dir_ / "transcript.txt") + " --drive D=" +
                                Quoted(dir_ / "D") + " --user-dir " + Quoted(dir_ / "user") + " --save-as " +
                                Quoted(dir_ / "out.dxf") + " " + Quoted(dir_ / "D" / "work" / "site.dxf") +
                                " >" + Quoted(dir_ / "output.log") + " 2>&1 </dev/null";
    pid_ = fork();
    if (pid_ == 0) {
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  // Its exit status once it ends; -1 when it has not ended within a minute.
  int Wait() {
    for (auto deadline = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < deadline;) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      std::this_thread::sleep_for(50ms);
    }
    return -1;
  }
  // Waits until the transcript holds `text`.
  bool Shows(const std::string& text) const {
    for (auto deadline = std::chrono::steady_clock::now() + 30s; std::chrono::steady_clock::now() < deadline;) {
      if (Transcript().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(50ms);
    }
    return false;
  }
  std::string Transcript() const { return ReadFile(dir_ / "transcript.txt"); }
  fs::path Path(const std::string& name) const { return dir_ / name; }

 private:
  fs::path dir_;
  pid_t pid_ = -1;
};

// The window of the screen whose title matches `title`, once it shows.
std::string WindowTitled(const std::string& title) {
  const std::string found = Output("xdotool search --sync --onlyvisible --name '" + title + "'");
  return found.substr(0, found.find('\n'));
}

int VisibleWindows() {
  const std::string all = Output("xdotool search --onlyvisible --name ''", 5);
  return static_cast<int>(std::count(all.begin(), all.end(), '\n'));
}

// What the person does: PNG from the file type list (its menu, then the keys
// in it), OK, and closing the photo editor's window when done with it.
void WorkAtTheWindows(HostRun& run) {
  const std::string dialog = WindowTitled("^Rasterwerk$");
  ASSERT_FALSE(dialog.empty()) << ReadFile(run.Path("output.log"));
  Output("xdotool windowfocus --sync " + dialog);  // the keys go where the focus is
  const auto [typeX, typeY] = MiddleOf(CMoXIDialog::IDC_FILE_TYPE);
  const int before = VisibleWindows();
  Output("xdotool mousemove --window " + dialog + " " + std::to_string(typeX) + " " + std::to_string(typeY) +
         " click 1");
  for (int i = 0; i < 100 && VisibleWindows() == before; ++i) std::this_thread::sleep_for(50ms);  // the menu
  Output("xdotool key Up Up Return");  // from TIF up to PNG
  ASSERT_TRUE(run.Shows("input 12000 -> select 12006 PNG\n")) << run.Transcript();
  const auto [okX, okY] = MiddleOf(CMoXIDialog::IDC_OK_BUTTON);
  Output("xdotool mousemove --window " + dialog + " " + std::to_string(okX) + " " + std::to_string(okY) + " click 1");
  const std::string editor = WindowTitled("^Photoshop - site.psd$");
  ASSERT_FALSE(editor.empty()) << run.Transcript();
  EXPECT_TRUE(guitest::Screenshot(std::stoul(editor), fs::path(SCREENSHOT_DIR) / "photo-editor.png"));
  EXPECT_TRUE(guitest::SendCloseBox(std::stoul(editor)));
}

TEST(CreateAtTheWindows, TheTranscriptIsTheScriptedRunsAndTheRecordedAnswersReplayIt) {
  HostRun scripted("scripted");
  std::ofstream(scripted.Path("answers.txt")) << "dialog 12000 select 12006 PNG\n"
                                                 "dialog 12000 click 12032\n"
                                                 "editor done\n";
  scripted.Start("--ui script --answers " + Quoted(scripted.Path("answers.txt")));
  ASSERT_EQ(scripted.Wait(), 0) << scripted.Transcript();

  HostRun windowed("windowed");
  windowed.Start("--ui windows --record " + Quoted(windowed.Path("recorded.answers")));
  WorkAtTheWindows(windowed);
  ASSERT_EQ(windowed.Wait(), 0) << ReadFile(windowed.Path("output.log"));
  EXPECT_EQ(windowed.Transcript(), scripted.Transcript());
  EXPECT_TRUE(fs::exists(windowed.Path("D/work/site.psd")));
  EXPECT_TRUE(fs::exists(windowed.Path("D/work/site.png")));
  const std::string recorded = ReadFile(windowed.Path("recorded.answers"));
  EXPECT_NE(recorded.find("dialog 12000 select 12006 PNG\ndialog 12000 click 12032\neditor done\n"),
            std::string::npos)
      << recorded;

  HostRun replayed("replayed");
  replayed.Start("--ui script --answers " + Quoted(windowed.Path("recorded.answers")));
  ASSERT_EQ(replayed.Wait(), 0) << replayed.Transcript();
  EXPECT_EQ(replayed.Transcript(), windowed.Transcript());
}

}  // namespace
