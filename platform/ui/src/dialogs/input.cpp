// A dialog's controls as the input player acts on them.
#include <algorithm>

#include "state.h"
#include "ui/driver.h"
#include "ui/input_player.h"

namespace ui {
namespace {

bool IsEditableCombo(const Control& c) {
  return c.kind() == ControlKind::ComboBox && (c.style & style::kComboKindMask) != style::kComboDropDownList;
}

// A dialog as the input player sees it: the verbs on its controls.
class Step : public InputAdapter {
 public:
  Step(Dialog& dialog, DialogListener* listener) : dialog_(dialog), listener_(listener) {}

  std::string name() const override { return "dialog " + std::to_string(dialog_.id()); }
  std::string target(const std::string& control) override;
  std::string unusable() const override;
  bool special(const ControlAction& action) override;
  void close() override { Emit(DialogEventKind::Close, 0); }
  void click() override;
  void check(bool wanted) override;
  void select(const std::string& text, int index) override;
  void setText(const std::string& text) override;
  void type(const std::string& text) override;
  void key(const InputKey& key) override { Key(KeyText(key)); }
  void focus() override { FocusTarget(); }
  void focusAt(int x, int y) override {
    if (!Filtered({DialogInput::Kind::MouseDown, Target().id, x, y})) FocusTarget();
  }
  void leave() override;
  std::vector<HitCandidate> hitCandidates() const override;
  void pressWindow(int x, int y) override {
    if (!Filtered({DialogInput::Kind::MouseDown, 0, x, y})) Emit(DialogEventKind::LeftButtonDown, 0, x, y);
  }

 private:
  static std::string KeyText(const InputKey& key);
  void Ignore(const std::string& why) const { ignoreInput(*this, why); }
  void Emit(DialogEventKind kind, int control, int x = 0, int y = 0) {
    if (listener_) listener_->onEvent({kind, control, x, y});
  }
  bool Filtered(const DialogInput& input) { return listener_ && listener_->preTranslate(input); }
  Control& Target() { return dialog_.controls()[index_]; }
  const Control& Target() const { return dialog_.controls()[index_]; }
  void FocusTarget() {
    if (Target().takesFocus()) dialog_.setFocus(index_);
  }
  void Key(const std::string& key);
  void PressDefault();
  void ToggleButton();

  Dialog& dialog_;
  DialogListener* listener_ = nullptr;
  std::string word_;  // the control as the answer named it
  int index_ = -1;
};

std::string Step::target(const std::string& control) {
  word_ = control;
  int id = 0;
  index_ = parseInputNumber(control, id) ? dialog_.indexOf(id) : -1;
  return index_ < 0 ? "no control " + control : "";
}

std::string Step::unusable() const {
  if (!Target().enabled) return word_ + " is disabled";
  return Target().visible ? "" : word_ + " is hidden";
}

// Enter and Escape reach the dialog's OK and Cancel even without such controls.
bool Step::special(const ControlAction& action) {
  int id = 0;
  if (action.verb != "click" || action.args.size() != 1 || !parseInputNumber(action.args[0], id)) return false;
  if ((id != kIdOk && id != kIdCancel) || dialog_.indexOf(id) >= 0) return false;
  if (!Filtered({DialogInput::Kind::Key, 0, 0, 0, id == kIdOk ? "Enter" : "Escape"})) Emit(DialogEventKind::Click, id);
  return true;
}

std::string Step::KeyText(const InputKey& key) {
  switch (key.name) {
    case InputKey::Name::Enter: return "Enter";
    case InputKey::Name::Escape: return "Escape";
    case InputKey::Name::Tab: return "Tab";
    case InputKey::Name::Backspace: return "Backspace";
    case InputKey::Name::Delete: return "Delete";
    case InputKey::Name::Char: break;
  }
  return std::string(1, key.character);
}

// Template order is the stacking order; disabled controls let the mouse
// through, as group boxes and plain statics do.
std::vector<HitCandidate> Step::hitCandidates() const {
  std::vector<HitCandidate> candidates;
  for (const Control& c : dialog_.controls()) {
    if (!c.visible) continue;
    const bool field = c.kind() == ControlKind::Edit || c.kind() == ControlKind::ComboBox;
    const auto role = !c.takesFocus() ? HitCandidate::Role::PassThrough
                      : field         ? HitCandidate::Role::Field
                                      : HitCandidate::Role::Button;
    candidates.push_back({std::to_string(c.id), c.rect.left, c.rect.top, c.rect.right, c.rect.bottom, 0, role});
  }
  return candidates;
}

void Step::click() {
  const Control& c = Target();
  const ControlKind kind = c.kind();
  if (kind == ControlKind::GroupBox || kind == ControlKind::Static) return Ignore(word_ + " is not a button");
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

void Step::check(bool wanted) {
  const Control& c = Target();
  if (c.kind() != ControlKind::CheckBox && c.kind() != ControlKind::RadioButton)
    return Ignore(word_ + " is not a check box or radio button");
  if (c.kind() == ControlKind::RadioButton && !wanted) return Ignore("a radio button is cleared by choosing another");
  if ((c.checked == 1) == wanted) return;  // already as wanted: no click
  click();
}

void Step::select(const std::string& text, int index) {
  Control& c = Target();
  if (c.kind() != ControlKind::ComboBox) return Ignore(word_ + " is not a list");
  int position = index;
  if (index < 0) {
    auto it = std::find_if(c.items.begin(), c.items.end(), [&](const ComboItem& i) { return i.text == text; });
    if (it != c.items.end()) position = static_cast<int>(it - c.items.begin());
  }
  if (position < 0 || position >= static_cast<int>(c.items.size())) return Ignore(word_ + " has no item " + text);
  if (Filtered({DialogInput::Kind::MouseDown, c.id, c.rect.left + 1, c.rect.top + 1})) return;
  FocusTarget();
  if (dialog_.ended()) return;
  dialog_.setSelection(index_, position);
  Emit(DialogEventKind::SelectionChanged, c.id);
}

void Step::setText(const std::string& text) {
  Control& c = Target();
  if (c.kind() != ControlKind::Edit && !IsEditableCombo(c)) return Ignore(word_ + " takes no typed text");
  if (c.readOnly) return Ignore(word_ + " is read-only");
  FocusTarget();
  if (dialog_.ended()) return;
  dialog_.setText(index_, text);
}

void Step::type(const std::string& text) {
  Control& c = Target();
  if (c.kind() != ControlKind::Edit && !IsEditableCombo(c)) return Ignore(word_ + " takes no typed text");
  FocusTarget();
  for (char ch : text) {
    if (dialog_.ended()) return;
    Key(std::string(1, ch));
  }
}

void Step::Key(const std::string& key) {
  const int id = Target().id;
  if (Filtered({DialogInput::Kind::Key, id, 0, 0, key})) return;
  if (key == "Enter") return PressDefault();
  if (key == "Escape") return Emit(DialogEventKind::Click, kIdCancel);
  if (key == "Tab") return leave();
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
void Step::leave() {
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
  Step step(*this, state_->listener);
  playInput(step, {verb, args});
}

}  // namespace ui
