#pragma once
// One player of the user's input to a window (a dialog, a form, ...): it reads
// an answer's verb and arguments by one set of rules (docs/answers.md) and
// plays it on the window through the window's adapter. The player does not
// know where the input comes from: a scripted answer or a window event
// becomes the same ControlAction.
#include <optional>
#include <string>
#include <vector>

#include "ui/driver.h"

namespace ui {

// A key of `key CONTROL KEY`, by name (any letter case; "Esc" and "Return"
// are Escape and Enter) or one character.
struct InputKey {
  enum class Name { Char, Enter, Escape, Tab, Backspace, Delete };
  Name name = Name::Char;
  char character = 0;
};
std::optional<InputKey> parseKey(const std::string& word);

// A control id, index or pixel of an answer: up to 9 decimal digits.
bool parseInputNumber(const std::string& text, int& value);

// A control under the mouse as the window offers it to the hit test.
struct HitCandidate {
  enum class Role { Button, Field, PassThrough };  // clicked / focused / lets the mouse through
  std::string control;  // as an answer names it
  int left = 0, top = 0, right = 0, bottom = 0;  // client pixels, right and bottom excluded
  int depth = 0;        // nesting: a control inside a panel lies deeper
  Role role = Role::Button;
};

// What a window does with the verbs. Each function acts on the control that
// `target` chose last; it is only called when that control is usable.
class InputAdapter {
 public:
  virtual ~InputAdapter() = default;
  // How the window is named in the transcript: "dialog 12000", "form frmX".
  virtual std::string name() const = 0;
  // Chooses the control an answer names; empty when found, else why not
  // ("no control 99").
  virtual std::string target(const std::string& control) = 0;
  // Empty when the user can reach the chosen control, else why not.
  virtual std::string unusable() const = 0;
  virtual void close() = 0;
  virtual void click() = 0;
  virtual void check(bool wanted) = 0;
  // By text (index < 0) or by 0-based index.
  virtual void select(const std::string& text, int index) = 0;
  virtual void setText(const std::string& text) = 0;
  virtual void type(const std::string& text) = 0;
  virtual void key(const InputKey& key) = 0;
  virtual void focus() = 0;
  // A mouse press at a point of the chosen field gives it the focus.
  virtual void focusAt(int /*x*/, int /*y*/) { focus(); }
  // The focus moves on from the chosen control to the next tab stop.
  virtual void leave() = 0;
  // The controls under which a mouse press could land, topmost first (those
  // that let it through included, as PassThrough).
  virtual std::vector<HitCandidate> hitCandidates() const = 0;
  // A press that reached no control: the window itself gets it.
  virtual void pressWindow(int x, int y) = 0;
  // Hooks for verbs a window gives its own meaning; true when handled.
  virtual bool special(const ControlAction&) { return false; }
};

// Plays one action on the window; what the user could not have done is
// written to the transcript ("NAME: ignored, WHY") and changes nothing.
void playInput(InputAdapter& window, const ControlAction& action);

// Writes "NAME: ignored, WHY" to the transcript.
void ignoreInput(const InputAdapter& window, const std::string& why);

}  // namespace ui
