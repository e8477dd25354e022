#include "input.h"

#include <ui/input_player.h>

namespace vcl::detail {
namespace {

int Depth(const TControl* c) {
  int depth = 0;
  for (; c && c->Parent; c = c->Parent) ++depth;
  return depth;
}

bool IsContainer(const TControl* c) {
  auto* window = dynamic_cast<const TWinControl*>(c);
  return window && !window->TabStop;
}

// A form as the input player sees it: the verbs on its components.
class Step : public ui::InputAdapter {
 public:
  explicit Step(TCustomForm& form) : form_(form) {}

  std::string name() const override { return "form " + form_.Name; }
  std::string target(const std::string& control) override;
  std::string unusable() const override {
    return control_ == &form_ || control_->IsUsable() ? "" : control_->Name + " is disabled or hidden";
  }
  void close() override { form_.Close(); }
  void click() override {
    if (Focus()) control_->UserClick();
  }
  void check(bool wanted) override;
  void select(const std::string& text, int index) override;
  void setText(const std::string& text) override { Text(text, true); }
  void type(const std::string& text) override { Text(text, false); }
  void key(const ui::InputKey& key) override;
  void focus() override { Focus(); }
  void leave() override {
    if (Focus()) form_.FocusControl(form_.NextControl(window_));
  }
  std::vector<ui::HitCandidate> hitCandidates() const override;
  void pressWindow(int x, int y) override {
    ui::ignoreInput(*this, "nothing to click at " + std::to_string(x) + "," + std::to_string(y));
  }

 private:
  // Gives the target the focus when it takes it; false when the form has
  // ended meanwhile (the exit event of the control losing it closed it).
  bool Focus();
  void Text(const std::string& keys, bool replace);

  TCustomForm& form_;
  TControl* control_ = nullptr;
  TWinControl* window_ = nullptr;
};

std::string Step::target(const std::string& control) {
  control_ = AnsiCompareText(control, form_.Name) == 0 ? &form_
                                                        : dynamic_cast<TControl*>(form_.FindComponent(control));
  window_ = dynamic_cast<TWinControl*>(control_);
  return control_ ? "" : "no control named " + control;
}

bool Step::Focus() {
  if (window_ && window_ != &form_ && window_->TabStop) form_.FocusControl(window_);
  return form_.ModalResult == mrNone;
}

// The last created control lies on top; panels and group boxes (windows that
// take no focus) let the mouse through.
std::vector<ui::HitCandidate> Step::hitCandidates() const {
  std::vector<ui::HitCandidate> candidates;
  for (int i = form_.ComponentCount - 1; i >= 0; --i) {
    auto* c = dynamic_cast<TControl*>(form_.Components[i]);
    if (!c || !c->IsUsable()) continue;
    int left = 0, top = 0;
    for (const TControl* p = c; p && p->Parent; p = p->Parent) left += p->Left, top += p->Top;
    const auto role = IsContainer(c)                               ? ui::HitCandidate::Role::PassThrough
                      : dynamic_cast<TCustomTextControl*>(c) ? ui::HitCandidate::Role::Field
                                                                   : ui::HitCandidate::Role::Button;
    candidates.push_back({c->Name, left, top, left + c->Width, top + c->Height, Depth(c), role});
  }
  return candidates;
}

void Step::check(bool wanted) {
  auto* box = dynamic_cast<TCustomCheckBox*>(control_);
  auto* radio = dynamic_cast<TRadioButton*>(control_);
  if (!box && !radio) return ui::ignoreInput(*this, control_->Name + " is not a check box or radio button");
  if (radio && !wanted) return ui::ignoreInput(*this, "a radio button is cleared by choosing another");
  const bool now = box ? static_cast<bool>(box->Checked) : static_cast<bool>(radio->Checked);
  if (now != wanted && Focus()) control_->UserClick();
}

void Step::select(const std::string& text, int index) {
  auto* combo = dynamic_cast<TComboBox*>(control_);
  if (!combo) return ui::ignoreInput(*this, control_->Name + " is not a combo box");
  for (int i = 0; index < 0 && i < combo->Items->Count; ++i)
    if (combo->Items->Strings[i] == text) index = i;
  if (index < 0 || index >= combo->Items->Count) return ui::ignoreInput(*this, control_->Name + " has no item " + text);
  if (Focus()) combo->SelectItem(index);
}

// "set" selects the whole text first, so that the typed keys replace it.
void Step::Text(const std::string& keys, bool replace) {
  auto* text = dynamic_cast<TCustomTextControl*>(control_);
  if (!text) return ui::ignoreInput(*this, control_->Name + " takes no text");
  if (!Focus()) return;
  if (replace) text->SelectAll();
  if (replace && keys.empty()) text->PressKey('\b');
  for (char c : keys)
    if (form_.ModalResult == mrNone) text->PressKey(c);
}

// Escape and Enter are the form's keys (cancel and default button); the
// others go to the control.
void Step::key(const ui::InputKey& key) {
  using Name = ui::InputKey::Name;
  auto press = [](TButton* button) {
    if (button && button->IsUsable()) button->Click();
  };
  if (key.name == Name::Escape) return press(form_.CancelButton());
  if (key.name == Name::Enter) return press(form_.DefaultButton());
  if (key.name == Name::Tab) return form_.FocusControl(form_.NextControl(form_.ActiveControl()));
  if (key.name == Name::Delete) {
    if (auto* text = dynamic_cast<TCustomTextControl*>(control_); text && Focus()) text->DeleteSelection();
    return;
  }
  const char c = key.name == Name::Backspace ? '\b' : key.character;
  if (!Focus()) return;
  TWinControl* receiver = window_ && window_ != &form_ ? window_ : form_.ActiveControl();
  if (receiver) receiver->PressKey(c);
}

}  // namespace

void RunInput(TCustomForm& form, const ui::ControlAction& action) {
  Step step(form);
  ui::playInput(step, action);
}

}  // namespace vcl::detail
