#pragma once
// The one place where everything a user answers comes from, and where
// everything shown to the user is recorded (the transcript).
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// A message box as the program shows it. `type` holds the MB_* flags
// (buttons in the low nibble, icon in the next one).
struct MessageBoxRequest {
  std::string text;
  std::string caption;
  unsigned type = 0;
  std::string owner;  // title of the owner window; empty: no owner
};

// A common file dialog (open or save).
struct FileDialogRequest {
  bool open = true;
  std::string title;
  std::string filter;  // "All files (*.*)|*.*|" style
  std::string defaultExtension;
  std::string initialName;
  unsigned flags = 0;  // OFN_* flags
  std::string owner;
};

// The answer to a pick at the command line.
struct PickAnswer {
  enum class Kind { Entity, Nothing, Cancel };
  Kind kind = Kind::Nothing;
  std::string handle;  // entity handle (hex) when kind is Entity
};

// One action for an open dialog or form: a verb and its arguments, e.g.
// {"set", {"12002", "D:\\work\\site"}} or {"click", {"12032"}}.
// The verbs are listed in docs/answers.md.
struct ControlAction {
  std::string verb;
  std::vector<std::string> args;
};

class ShownWindow;

class Driver {
 public:
  virtual ~Driver() = default;

  // Returns the button pressed: IDOK, IDCANCEL, IDYES, IDNO, ...
  virtual int messageBox(const MessageBoxRequest& request) = 0;
  virtual void beep(unsigned type) = 0;
  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::string> fileDialog(const FileDialogRequest& request) = 0;
  virtual PickAnswer pick(const std::string& prompt) = 0;
  // The next action for the dialog or form `target` (its id or name), or
  // nothing when the next answer is not addressed to it (or none is left).
  virtual std::optional<ControlAction> nextAction(const std::string& target) = 0;
  // The next answer of kind `kind` ("layerdialog", "editor", ...) as its
  // words after the kind, or nothing when the next answer is of another kind.
  virtual std::optional<std::vector<std::string>> take(const std::string& kind) = 0;
  // Text written to the editor's command line; lines end with '\n'.
  virtual void commandLine(const std::string& text) = 0;
  // Any other event worth recording (a dialog opening, a plot preview, ...).
  // `line` may hold several lines; each goes to the transcript as it stands.
  virtual void record(const std::string& line) = 0;
  // A window opens for the user's input and closes again (<ui/window_view.h>);
  // a driver that shows windows puts it on the screen meanwhile.
  virtual void windowOpened(ShownWindow&) {}
  virtual void windowClosed(ShownWindow&) {}
};

// The driver of this process. Until a host installs one, a scripted driver
// without answers and writing its transcript to standard output is used.
Driver& driver();
void setDriver(std::unique_ptr<Driver> driver);

// Message-box results, with the values Windows gives them (ui depends on no
// platform header).
enum ButtonId {
  kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5,
  kIdYes = 6, kIdNo = 7, kIdTryAgain = 10, kIdContinue = 11
};

}  // namespace ui
