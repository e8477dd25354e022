// A user's input to a dialog: one answer of the answers file at a time.
#include <algorithm>
#include <cctype>

#include "state.h"
#include "ui/driver.h"

namespace ui {
namespace {

bool ParseInt(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9 ||
      !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
    return false;
  value = std::stoi(text);
  return true;
}

bool IsEditableCombo(const Control& c) {
  return c.kind() == ControlKind::ComboBox && (c.style & style::kComboKindMask) != style::kComboDropDownList;
}

// One answer applied to one dialog.
class Step {
 public:
  Step(Dialog& dialog, const std::string& verb, const std::vector<std::string>& args)
      : dialog_(dialog), verb_(verb), args_(args) {}
  void Run();

 private:
  void Ignore(const std::string& why) const {
    driver().record("dialog " + std::to_string(dialog_.id()) + ": ignored, " + why);
  }
  void Emit(DialogEventKind kind, int control, int x = 0, int y = 0) {
    if (listener_) listener_->onEvent({kind, control, x, y});
  }
  bool Filtered(const DialogInput& input) { return listener_ && listener_->preTranslate(input); }
  Control& Target() { return dialog_.controls()[index_]; }
  void FocusTarget() {
    if (Target().takesFocus()) dialog_.setFocus(index_);
  }
  void Mouse();
  void Click();
  void Check(bool wanted);
  void Select();
  void SetText();
  void Type();
  void Key(const std::string& key);
  void Leave();
  void PressDefault();
  void ToggleButton();

  Dialog& dialog_;
  const std::string& verb_;
  const std::vector<std::string>& args_;
  DialogListener* listener_ = nullptr;
  int index_ = -1;

  friend class ui::Dialog;
};

void Step::Run() {
  if (verb_ == "close") return Emit(DialogEventKind::Close, 0);
  if (verb_ == "mouse") return Mouse();
  int id = 0;
  if (args_.empty() || !ParseInt(args_[0], id)) return Ignore("no control " + (args_.empty() ? "" : args_[0]));
  index_ = dialog_.indexOf(id);
  // Enter and Escape reach the dialog's OK and Cancel even without such controls.
  if (index_ < 0 && verb_ == "click" && (id == kIdOk || id == kIdCancel)) {
    if (!Filtered({DialogInput::Kind::Key, 0, 0, 0, id == kIdOk ? "Enter" : "Escape"}))
      Emit(DialogEventKind::Click, id);
    return;
  }
  if (index_ < 0) return Ignore("no control " + args_[0]);
  if (!Target().enabled || !Target().visible)
    return Ignore(args_[0] + " is " + (Target().enabled ? "hidden" : "disabled"));
  if (verb_ == "click") Click();
  else if (verb_ == "check" || verb_ == "uncheck") Check(verb_ == "check");
  else if (verb_ == "select" || verb_ == "select-index") Select();
  else if (verb_ == "set") SetText();
  else if (verb_ == "type") Type();
  else if (verb_ == "key") Key(args_[1]);
  else if (verb_ == "focus") FocusTarget();
  else if (verb_ == "leave") Leave();
  else Ignore("unknown verb " + verb_);
}

// A press where no enabled button, edit or list lies goes to the dialog itself
// (group boxes and plain statics let the mouse through).
void Step::Mouse() {
  int x = 0, y = 0;
  if (!ParseInt(args_[0], x) || !ParseInt(args_[1], y)) return Ignore("mouse needs two numbers");
  auto& cs = dialog_.controls();
  for (size_t i = 0; i < cs.size(); ++i) {
    const Control& c = cs[i];
    if (!c.visible || !c.rect.contains(x, y) || !c.takesFocus()) continue;
    index_ = static_cast<int>(i);
    if (c.kind() == ControlKind::Edit || c.kind() == ControlKind::ComboBox) {
      if (!Filtered({DialogInput::Kind::MouseDown, c.id, x, y})) FocusTarget();
      return;
    }
    return Click();
  }
  if (Filtered({DialogInput::Kind::MouseDown, 0, x, y})) return;
  Emit(DialogEventKind::LeftButtonDown, 0, x, y);
}

void Step::Click() {
  const Control& c = Target();
  const ControlKind kind = c.kind();
  if (kind == ControlKind::GroupBox || kind == ControlKind::Static) return Ignore(args_[0] + " is not a button");
  if (Filtered({DialogInput::Kind::MouseDown, c.id, (c.rect.left + c.rect.right) / 2,
                (c.rect.top + c.rect.bottom) / 2}))
    return;
  FocusTarget();
  if (dialog_.ended()) return;
  ToggleButton();
  Emit(DialogEventKind::Click, Target().id);
}

// Automatic check boxes and radio buttons change as they are clicked; a radio
// button clears the others of its group (up to the next WS_GROUP control).
void Step::ToggleButton() {
  Control& c = Target();
  const unsigned kind = c.style & style::kButtonKindMask;
  if (kind == style::kAutoCheckBox) c.checked = c.checked == 1 ? 0 : 1;
  if (kind == style::kAuto3State) c.checked = (c.checked + 1) % 3;
  if (kind != style::kAutoRadioButton) return;
  auto& cs = dialog_.controls();
  int first = index_;
  while (first > 0 && (cs[first].style & style::kGroup) == 0) --first;
  for (int i = first; i < static_cast<int>(cs.size()); ++i) {
    if (i > first && (cs[i].style & style::kGroup) != 0) break;
    if (cs[i].kind() == ControlKind::RadioButton) cs[i].checked = 0;
  }
  c.checked = 1;
}

void Step::Check(bool wanted) {
  const Control& c = Target();
  if (c.kind() != ControlKind::CheckBox && c.kind() != ControlKind::RadioButton)
    return Ignore(args_[0] + " is not a check box or radio button");
  if (c.kind() == ControlKind::RadioButton && !wanted) return Ignore("a radio button is cleared by choosing another");
  if ((c.checked == 1) == wanted) return;  // already as wanted: no click
  Click();
}

void Step::Select() {
  Control& c = Target();
  if (c.kind() != ControlKind::ComboBox) return Ignore(args_[0] + " is not a list");
  int position = -1;
  if (verb_ == "select-index") {
    ParseInt(args_[1], position);
  } else {
    auto it = std::find_if(c.items.begin(), c.items.end(), [&](const ComboItem& i) { return i.text == args_[1]; });
    if (it != c.items.end()) position = static_cast<int>(it - c.items.begin());
  }
  if (position < 0 || position >= static_cast<int>(c.items.size()))
    return Ignore(args_[0] + " has no item " + args_[1]);
  if (Filtered({DialogInput::Kind::MouseDown, c.id, c.rect.left + 1, c.rect.top + 1})) return;
  FocusTarget();
  if (dialog_.ended()) return;
  dialog_.setSelection(index_, position);
  Emit(DialogEventKind::SelectionChanged, c.id);
}

void Step::SetText() {
  Control& c = Target();
  if (c.kind() != ControlKind::Edit && !IsEditableCombo(c)) return Ignore(args_[0] + " takes no typed text");
  if (c.readOnly) return Ignore(args_[0] + " is read-only");
  FocusTarget();
  if (dialog_.ended()) return;
  dialog_.setText(index_, args_[1]);
}

void Step::Type() {
  Control& c = Target();
  if (c.kind() != ControlKind::Edit && !IsEditableCombo(c)) return Ignore(args_[0] + " takes no typed text");
  FocusTarget();
  for (char ch : args_[1]) {
    if (dialog_.ended()) return;
    Key(std::string(1, ch));
  }
}

void Step::Key(const std::string& key) {
  const int id = Target().id;
  if (Filtered({DialogInput::Kind::Key, id, 0, 0, key})) return;
  if (key == "Enter") return PressDefault();
  if (key == "Escape") return Emit(DialogEventKind::Click, kIdCancel);
  if (key == "Tab") return Leave();
  Control& c = Target();
  const bool typed = c.kind() == ControlKind::Edit || IsEditableCombo(c);
  if (!typed || c.readOnly || key == "Delete") return;  // the caret stands at the end
  FocusTarget();
  std::string text = c.text;
  if (key == "Backspace") {
    if (text.empty()) return;
    text.pop_back();
  } else {
    text += key;
  }
  dialog_.setText(index_, text);
}

// Enter: the focused push button, else the default push button, else IDOK.
void Step::PressDefault() {
  auto& cs = dialog_.controls();
  int pressed = -1;
  const int focus = dialog_.focus();
  if (focus >= 0 && cs[focus].kind() == ControlKind::PushButton) pressed = focus;
  for (size_t i = 0; pressed < 0 && i < cs.size(); ++i)
    if (cs[i].isDefaultButton()) pressed = static_cast<int>(i);
  if (pressed < 0) return Emit(DialogEventKind::Click, kIdOk);
  if (!cs[pressed].enabled) return Ignore("the default button is disabled");
  Emit(DialogEventKind::Click, cs[pressed].id);
}

// The focus moves from the control to the next one that takes it.
void Step::Leave() {
  FocusTarget();
  auto& cs = dialog_.controls();
  const int n = static_cast<int>(cs.size());
  for (int step = 1; step <= n; ++step) {
    const int i = (index_ + step) % n;
    if (i != index_ && cs[i].takesFocus() && (cs[i].style & style::kTabStop) != 0) return dialog_.setFocus(i);
  }
  dialog_.setFocus(-1);
}

}  // namespace

void Dialog::apply(const std::string& verb, const std::vector<std::string>& args) {
  Step step(*this, verb, args);
  step.listener_ = state_->listener;
  step.Run();
}

}  // namespace ui
