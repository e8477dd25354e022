// What keys pressed in a model's window mean to the model, and how the
// programs' code page meets the screen's UTF-8.
#include <gtest/gtest.h>

#include "key_actions.h"
#include "text.h"

namespace ui::windowed {
namespace {

using Kind = ViewControl::Kind;
using Name = TypedKey::Name;

ViewControl Control(const std::string& name, Kind kind, std::vector<std::string> items = {}, int selection = -1) {
  ViewControl c;
  c.name = name;
  c.kind = kind;
  for (const auto& item : items) c.items.push_back({item, -1, -1});
  c.selection = selection;
  return c;
}

WindowView View(const std::string& kind, const std::string& focus) {
  WindowView view;
  view.kind = kind;
  view.target = kind == "dialog" ? "12000" : "frmSchraffur";
  view.focus = focus;
  view.controls = {Control("edit", Kind::Edit), Control("ok", Kind::PushButton), Control("box", Kind::CheckBox),
                   Control("list", Kind::DropDownList, {"BMP", "PNG", "TIF"}, 1),
                   Control("twins", Kind::List, {"A", "A", "B"}, 0)};
  return view;
}

std::string Words(const std::optional<ControlAction>& action) {
  if (!action) return "(nothing)";
  std::string out = action->verb;
  for (const auto& arg : action->args) out += " [" + arg + "]";
  return out;
}

TEST(KeysInAModelsWindow, GoToTheFocusedControlAsAnAnswerWouldSayIt) {
  const struct {
    const char* kind;
    const char* focus;
    TypedKey key;
    const char* action;
  } cases[] = {
      // Characters are typed into edits; a blank clicks a button; other
      // characters are keys of the control.
      {"dialog", "edit", {Name::Character, "a"}, "type [edit] [a]"},
      {"dialog", "edit", {Name::Character, " "}, "type [edit] [ ]"},
      {"dialog", "edit", {Name::Character, "\xC3\xA4"}, "type [edit] [\xE4]"},  // ä as code page 1252
      {"dialog", "edit", {Name::Character, "\xE2\x82\xAC"}, "type [edit] [\x80]"},  // the euro sign
      {"dialog", "edit", {Name::Character, "\xE4\xB8\xAD"}, "(nothing)"},  // not in the code page
      {"dialog", "edit", {Name::Character, "\x01"}, "(nothing)"},          // a control character
      {"dialog", "ok", {Name::Character, " "}, "click [ok]"},
      {"dialog", "box", {Name::Character, " "}, "click [box]"},
      {"dialog", "ok", {Name::Character, "x"}, "key [ok] [x]"},
      // Named keys are pressed in the focused control.
      {"dialog", "edit", {Name::Backspace, ""}, "key [edit] [Backspace]"},
      {"dialog", "edit", {Name::Delete, ""}, "key [edit] [Delete]"},
      {"dialog", "edit", {Name::Tab, ""}, "key [edit] [Tab]"},
      {"form", "edit", {Name::Enter, ""}, "key [edit] [Enter]"},
      {"form", "ok", {Name::Escape, ""}, "key [ok] [Escape]"},
      // Without a focused control Enter and Escape reach the window itself.
      {"dialog", "", {Name::Enter, ""}, "click [1]"},
      {"dialog", "", {Name::Escape, ""}, "click [2]"},
      {"form", "", {Name::Escape, ""}, "key [frmSchraffur] [Escape]"},
      {"form", "", {Name::Character, "a"}, "(nothing)"},
      {"dialog", "gone", {Name::Tab, ""}, "(nothing)"},
      // Up and Down choose the neighbouring entry; by index where texts repeat.
      {"dialog", "list", {Name::Down, ""}, "select [list] [TIF]"},
      {"dialog", "list", {Name::Up, ""}, "select [list] [BMP]"},
      {"dialog", "twins", {Name::Down, ""}, "select-index [twins] [1]"},
      {"dialog", "twins", {Name::Up, ""}, "(nothing)"},  // already the first
      {"dialog", "edit", {Name::Down, ""}, "(nothing)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " focus=" + c.focus + " key=" + c.key.text);
    EXPECT_EQ(Words(ActionForKey(View(c.kind, c.focus), c.key)), c.action);
  }
}

TEST(ScreenText, CodePage1252AndUtf8MeetBothWays) {
  EXPECT_EQ(Utf8FromAnsi("\xC4u\xDF" "ere \x80 \x9F"), "\xC3\x84u\xC3\x9F" "ere \xE2\x82\xAC \xC5\xB8");
  EXPECT_EQ(AnsiFromUtf8("\xC3\x84u\xC3\x9F" "ere \xE2\x82\xAC \xC5\xB8"), "\xC4u\xDF" "ere \x80 \x9F");
  EXPECT_EQ(Utf8FromAnsi("\x81"), "?");                    // no character in the code page
  EXPECT_EQ(AnsiFromUtf8("\xE4\xB8\xAD \xFF\xC3"), "? ??");  // not in it, and broken UTF-8
  EXPECT_EQ(LabelText("a@b"), "a@@b");  // '@' would start a symbol on the screen
}

}  // namespace
}  // namespace ui::windowed
