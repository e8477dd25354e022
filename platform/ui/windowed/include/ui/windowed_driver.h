#pragma once
// The windowed driver: a person answers. Every open dialog, form and
// question is a window on the screen (FLTK), message boxes and file dialogs
// are windows of their own, picks are asked on the terminal. The models stay
// the single place of behaviour: the windows show what the models hold and
// turn the person's input into the ControlActions an answers file gives. The
// transcript is written as by the scripted driver, and the answers given can
// be written as an answers file that replays the session (docs/windows.md).
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/scripted_driver.h"
#include "ui/window_view.h"

class Fl_Window;
class Fl_Widget;

namespace ui {

// How a host's user answers: from an answers file, or a person at windows.
enum class UserInterface { Script, Windows };
// "script" or "windows"; nothing for another word.
std::optional<UserInterface> userInterfaceNamed(const std::string& word);
// Without a choice: windows when there is a display (`display` is $DISPLAY)
// and no answers file is given, else the script.
UserInterface defaultUserInterface(bool answersGiven, const char* display);

// What the file dialog needs of the platform: the drives and the paths of
// the programs (Windows paths in code page 1252) on the file system.
struct WindowedFileSystem {
  // Mapped drive letters and their folders (POSIX paths).
  std::function<std::vector<std::pair<char, std::string>>()> drives;
  // Windows path -> POSIX path ("" when no drive holds it), and back.
  std::function<std::string(const std::string&)> posixPath;
  std::function<std::string(const std::string&)> windowsPath;
};

// A window of the driver as it waits for the user, for tests: the window,
// the widget of each named control, and what it shows.
struct WindowOnScreen {
  std::string target;  // "12000", "frmSchraffur", "msgbox", "filedialog", "layerdialog", "editor", ...
  Fl_Window* window = nullptr;
  std::map<std::string, Fl_Widget*> widgets;
};

class WindowedDriver : public ScriptedDriver {
 public:
  // Opens the display; throws AnswersError naming the display when it
  // cannot be opened.
  static std::unique_ptr<WindowedDriver> open(WindowedFileSystem fileSystem = {});
  ~WindowedDriver() override;

  // Writes each answer the person gives to `path` as a line of an answers
  // file, as it is given (throws AnswersError when it cannot be written).
  void recordAnswersTo(const std::string& path);
  // Where picks are asked: the prompt goes to `prompt`, the answer is a line
  // of `reply` (standard error and standard input by default).
  void askPicksOn(std::FILE* prompt, std::FILE* reply);
  // Shows the command line's text on `terminal` as well (a host whose
  // transcript goes to a file lets the person read it there).
  void echoCommandLineTo(std::FILE* terminal);
  // Called with every window each time it waits for input, once it is on the
  // screen (tests look at it and give it input).
  void watchWindows(std::function<void(const WindowOnScreen&)> watcher);

  int messageBox(const MessageBoxRequest& request) override;
  void beep(unsigned type) override;
  std::optional<std::string> fileDialog(const FileDialogRequest& request) override;
  PickAnswer pick(const std::string& prompt) override;
  std::optional<ControlAction> nextAction(const std::string& target) override;
  std::optional<std::vector<std::string>> take(const std::string& kind) override;
  void commandLine(const std::string& text) override;
  void windowOpened(ShownWindow& window) override;
  void windowClosed(ShownWindow& window) override;

 private:
  explicit WindowedDriver(WindowedFileSystem fileSystem);
  struct Screen;
  std::unique_ptr<Screen> screen_;
};

}  // namespace ui
