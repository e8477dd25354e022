#include "key_actions.h"

#include <algorithm>

#include "text.h"

namespace ui::windowed {
namespace {

using Kind = ViewControl::Kind;

bool TakesText(const ViewControl& c) { return c.kind == Kind::Edit || c.kind == Kind::ComboBox; }
bool IsButton(const ViewControl& c) {
  return c.kind == Kind::PushButton || c.kind == Kind::CheckBox || c.kind == Kind::RadioButton;
}
bool IsList(const ViewControl& c) {
  return c.kind == Kind::DropDownList || c.kind == Kind::ComboBox || c.kind == Kind::List;
}

const char* KeyWord(TypedKey::Name name) {
  switch (name) {
    case TypedKey::Name::Enter: return "Enter";
    case TypedKey::Name::Escape: return "Escape";
    case TypedKey::Name::Tab: return "Tab";
    case TypedKey::Name::Backspace: return "Backspace";
    case TypedKey::Name::Delete: return "Delete";
    default: return "";
  }
}

// Enter and Escape without a focused control.
std::optional<ControlAction> WindowKey(const WindowView& view, TypedKey::Name name) {
  const bool enter = name == TypedKey::Name::Enter;
  if (!enter && name != TypedKey::Name::Escape) return std::nullopt;
  if (view.kind == "dialog") return ControlAction{"click", {enter ? "1" : "2"}};
  return ControlAction{"key", {view.target, KeyWord(name)}};
}

std::optional<ControlAction> Step(const ViewControl& list, int by) {
  const int next = list.selection + by;
  if (list.selection < 0 || next < 0 || next >= static_cast<int>(list.items.size())) return std::nullopt;
  return SelectAction(list, next);
}

}  // namespace

const ViewControl* FindControl(const WindowView& view, const std::string& name) {
  if (name.empty()) return nullptr;
  auto it = std::find_if(view.controls.begin(), view.controls.end(),
                         [&](const ViewControl& c) { return c.name == name; });
  return it == view.controls.end() ? nullptr : &*it;
}

ControlAction SelectAction(const ViewControl& list, int index) {
  const std::string& text = list.items.at(index).text;
  const auto same = std::count_if(list.items.begin(), list.items.end(),
                                  [&](const ViewItem& item) { return item.text == text; });
  if (same == 1) return {"select", {list.name, text}};
  return {"select-index", {list.name, std::to_string(index)}};
}

std::optional<ControlAction> ActionForKey(const WindowView& view, const TypedKey& key) {
  using Name = TypedKey::Name;
  const ViewControl* focused = FindControl(view, view.focus);
  if (!focused) return WindowKey(view, key.name);
  const std::string& name = focused->name;
  switch (key.name) {
    case Name::Up:
    case Name::Down:
      return IsList(*focused) ? Step(*focused, key.name == Name::Up ? -1 : 1) : std::nullopt;
    case Name::Character: {
      const auto character = AnsiOfCharacter(key.text);
      if (!character || static_cast<unsigned char>(*character) < 0x20 || *character == 0x7F) return std::nullopt;
      if (TakesText(*focused)) return ControlAction{"type", {name, std::string(1, *character)}};
      if (*character == ' ' && IsButton(*focused)) return ControlAction{"click", {name}};
      return ControlAction{"key", {name, std::string(1, *character)}};
    }
    default: return ControlAction{"key", {name, KeyWord(key.name)}};
  }
}

}  // namespace ui::windowed
