#include "input.h"

#include <algorithm>
#include <cctype>

namespace vcl::detail {
namespace {

bool ParseNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), ::isdigit)) return false;
  value = std::stoi(text);
  return true;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

int Depth(const TControl* c) {
  int depth = 0;
  for (; c && c->Parent; c = c->Parent) ++depth;
  return depth;
}

bool Contains(const TControl* c, int x, int y) {
  int left = 0, top = 0;
  for (const TControl* p = c; p && p->Parent; p = p->Parent) left += p->Left, top += p->Top;
  return x >= left && y >= top && x < left + c->Width && y < top + c->Height;
}

bool IsContainer(const TControl* c) {
  auto* window = dynamic_cast<const TWinControl*>(c);
  return window && !window->TabStop;
}

// One action on one control of the form.
class Step {
 public:
  Step(TCustomForm& form, const ui::ControlAction& action) : form_(form), action_(action) {}
  void Run();

 private:
  void Ignore(const std::string& why) const { ui::driver().record("form " + form_.Name + ": ignored, " + why); }
  // Gives the target the focus when it takes it; false when the form has
  // ended meanwhile (the exit event of the control losing it closed it).
  bool Focus();
  void Mouse();
  void Check(bool wanted);
  void Select();
  void Text();
  void Key();

  TCustomForm& form_;
  const ui::ControlAction& action_;
  TControl* control_ = nullptr;
  TWinControl* window_ = nullptr;
};

void Step::Run() {
  const std::string& verb = action_.verb;
  if (verb == "close") return form_.Close();
  if (verb == "mouse") return Mouse();
  const std::string& target = action_.args[0];
  control_ = AnsiCompareText(target, form_.Name) == 0 ? &form_
                                                       : dynamic_cast<TControl*>(form_.FindComponent(target));
  if (!control_) return Ignore("no control named " + target);
  if (control_ != &form_ && !control_->IsUsable()) return Ignore(target + " is disabled or hidden");
  window_ = dynamic_cast<TWinControl*>(control_);
  if (verb == "click") {
    if (Focus()) control_->UserClick();
  } else if (verb == "check" || verb == "uncheck") {
    Check(verb == "check");
  } else if (verb == "select" || verb == "select-index") {
    Select();
  } else if (verb == "set" || verb == "type") {
    Text();
  } else if (verb == "focus") {
    Focus();
  } else if (verb == "leave") {
    if (window_ != form_.ActiveControl()) return Ignore(target + " does not have the focus");
    form_.FocusControl(form_.NextControl(window_));
  } else if (verb == "key") {
    Key();
  } else {
    Ignore("unknown verb " + verb);
  }
}

bool Step::Focus() {
  if (window_ && window_ != &form_ && window_->TabStop) form_.FocusControl(window_);
  return form_.ModalResult == mrNone;
}

// The deepest usable control at the point, the last created on a tie.
void Step::Mouse() {
  int x = 0, y = 0;
  ParseNumber(action_.args[0], x);
  ParseNumber(action_.args[1], y);
  TControl* hit = nullptr;
  for (int i = 0; i < form_.ComponentCount; ++i) {
    auto* c = dynamic_cast<TControl*>(form_.Components[i]);
    if (c && c->IsUsable() && Contains(c, x, y) && (!hit || Depth(c) >= Depth(hit))) hit = c;
  }
  if (!hit || IsContainer(hit)) return Ignore("nothing to click at " + action_.args[0] + "," + action_.args[1]);
  RunInput(form_, {"click", {hit->Name}});
}

void Step::Check(bool wanted) {
  auto* box = dynamic_cast<TCustomCheckBox*>(control_);
  auto* radio = dynamic_cast<TRadioButton*>(control_);
  if (!box && !radio) return Ignore(control_->Name + " is not a check box or radio button");
  if (radio && !wanted) return Ignore("a radio button is cleared by choosing another");
  const bool now = box ? static_cast<bool>(box->Checked) : static_cast<bool>(radio->Checked);
  if (now != wanted && Focus()) control_->UserClick();
}

void Step::Select() {
  auto* combo = dynamic_cast<TComboBox*>(control_);
  if (!combo) return Ignore(control_->Name + " is not a combo box");
  int index = -1;
  if (action_.verb == "select-index") ParseNumber(action_.args[1], index);
  else
    for (int i = 0; i < combo->Items->Count && index < 0; ++i)
      if (combo->Items->Strings[i] == action_.args[1]) index = i;
  if (index < 0 || index >= combo->Items->Count) return Ignore(control_->Name + " has no item " + action_.args[1]);
  if (Focus()) combo->SelectItem(index);
}

// "set" selects the whole text first, so that the typed keys replace it.
void Step::Text() {
  auto* text = dynamic_cast<TCustomTextControl*>(control_);
  if (!text) return Ignore(control_->Name + " takes no text");
  if (!Focus()) return;
  const std::string& keys = action_.args[1];
  if (action_.verb == "set") text->SelectAll();
  if (action_.verb == "set" && keys.empty()) text->PressKey('\b');
  for (char c : keys)
    if (form_.ModalResult == mrNone) text->PressKey(c);
}

// Escape and Enter are the form's keys (cancel and default button); the
// others go to the control.
void Step::Key() {
  const std::string key = Lower(action_.args[1]);
  auto press = [](TButton* button) {
    if (button && button->IsUsable()) button->Click();
  };
  if (key == "escape" || key == "esc") return press(form_.CancelButton());
  if (key == "enter" || key == "return") return press(form_.DefaultButton());
  if (key == "tab") return form_.FocusControl(form_.NextControl(form_.ActiveControl()));
  if (key == "delete") {
    if (auto* text = dynamic_cast<TCustomTextControl*>(control_); text && Focus()) text->DeleteSelection();
    return;
  }
  const char c = key == "backspace" ? '\b' : key == "space" ? ' ' : action_.args[1].size() == 1 ? action_.args[1][0] : 0;
  if (c == 0) return Ignore("unknown key " + action_.args[1]);
  if (!Focus()) return;
  TWinControl* receiver = window_ && window_ != &form_ ? window_ : form_.ActiveControl();
  if (receiver) receiver->PressKey(c);
}

}  // namespace

void RunInput(TCustomForm& form, const ui::ControlAction& action) { Step(form, action).Run(); }

}  // namespace vcl::detail
