#pragma once
// Windows as a person sees them: what a window that takes the user's input
// holds right now (its controls with their places, texts and states). The
// models (dialogs, forms, the page setup, the layer dialog, ...) describe
// themselves this way while they are open, so that a driver that puts
// windows on the screen can show them; the user's input in such a window
// comes back to the model as the same ControlActions an answers file gives.
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/driver.h"

namespace ui {

// An entry of a list or combo box: its text, its image (an index into the
// control's images, -1 for none) and a colour swatch shown before the text
// (0x00BBGGRR, -1 for none).
struct ViewItem {
  std::string text;
  int image = -1;
  long colour = -1;
};

struct ViewControl {
  enum class Kind {
    PushButton, CheckBox, RadioButton, GroupBox, Label, Picture, Edit,
    ComboBox,      // an edit with a list to choose from
    DropDownList,  // a list that shows the chosen entry only
    List           // a list box
  };
  enum class Align { Left, Centre, Right };
  std::string name;  // as an answer names it: "12002", "edtWinkel", "device"
  Kind kind = Kind::Label;
  PixelRect rect;    // client pixels of the window
  std::string text;  // caption, or an edit's text (code page 1252)
  Align align = Align::Left;
  bool enabled = true, visible = true, readOnly = false;
  long background = -1;    // 0x00BBGGRR of an edit or list; -1: the usual one
  bool isDefault = false;  // Enter presses it
  bool tabStop = false;
  int checked = 0;  // 0, 1, 2 indeterminate
  std::vector<ViewItem> items;
  int selection = -1;
  Picture picture;          // shown by a picture or a button
  std::string pictureFile;  // or a PNG or JPEG file (POSIX path) shown instead
  bool stretch = false;     // the picture fills the control (keeping its shape for a file)
  std::vector<Picture> images;  // the items' images
  std::string tooltip;
};

// A control of a window a stand-in lays out itself: a tab stop unless it is a label.
inline ViewControl MakeViewControl(const std::string& name, ViewControl::Kind kind, PixelRect rect,
                                   const std::string& text) {
  ViewControl c;
  c.name = name;
  c.kind = kind;
  c.rect = rect;
  c.text = text;
  c.tabStop = kind != ViewControl::Kind::Label;
  return c;
}

struct WindowView {
  std::string kind;    // the kind of its answers: "dialog" or "form"
  std::string target;  // the window as answers name it: "12000", "frmSchraffur", "pagesetup"
  std::string caption;
  int width = 0, height = 0;  // client area in pixels
  Picture icon;
  bool visible = true;
  // True: each key typed into an edit goes to the program as it is typed;
  // false: the edit's whole text goes to it as it changes ("set").
  bool keysOneByOne = true;
  std::string focus;                  // the control with the focus, "" for none
  std::vector<ViewControl> controls;  // bottom of the stack first
  std::vector<PaintedFill> fills;     // painted by the program, under the controls
};

// A window open for the user's input.
class ShownWindow {
 public:
  virtual ~ShownWindow() = default;
  virtual WindowView view() const = 0;
  // A question answered in one go (Driver::take): plays one input on the
  // window and gives the answer's words once the input ends the question;
  // nothing while it stays open. Windows that take their input through
  // Driver::nextAction play it themselves and keep this default.
  virtual std::optional<std::vector<std::string>> answer(const ControlAction&) { return std::nullopt; }
};

// Tells the driver that `window` is open for as long as this object lives.
class OpenWindow {
 public:
  explicit OpenWindow(ShownWindow& window);
  ~OpenWindow();
  OpenWindow(const OpenWindow&) = delete;
  OpenWindow& operator=(const OpenWindow&) = delete;

 private:
  ShownWindow& window_;
};

}  // namespace ui
