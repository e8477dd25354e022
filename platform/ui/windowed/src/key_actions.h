#pragma once
// What a key pressed in a model's window means to the model: the action on
// the control that has the model's focus, as an answers file writes it.
// Toolkit-free, so that the rules can be read and tested on their own.
#include <optional>
#include <string>

#include "ui/window_view.h"

namespace ui::windowed {

struct TypedKey {
  enum class Name { Character, Enter, Escape, Tab, Backspace, Delete, Up, Down };
  Name name = Name::Character;
  std::string text;  // the character typed (UTF-8)
};

// Keys typed one by one (dialogs and forms): Enter, Escape, Tab, Backspace
// and Delete are pressed in the focused control (without one, Enter and
// Escape reach a dialog as OK and Cancel and a form as its own keys);
// characters are typed into a focused edit, a blank clicks a focused
// button; Up and Down choose the entry before or after the selection of a
// focused list. Nothing for keys that mean nothing there.
std::optional<ControlAction> ActionForKey(const WindowView& view, const TypedKey& key);

// The control of the view named `name`; nullptr when there is none.
const ViewControl* FindControl(const WindowView& view, const std::string& name);

// Choosing entry `index` of a list: by its text when no other entry has it,
// else by its index.
ControlAction SelectAction(const ViewControl& list, int index);

}  // namespace ui::windowed
