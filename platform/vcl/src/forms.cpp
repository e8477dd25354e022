// Forms: the modal run, focus, and the user's input from the UI driver.
#include <Forms.hpp>

#include <ui/driver.h>

#include <algorithm>
#include <cctype>

#include "describe.h"

namespace {

bool IsContainer(const TControl* c) { return dynamic_cast<const TWinControl*>(c) && !static_cast<const TWinControl*>(c)->TabStop; }

// Position of a control in its form's client area.
void ClientOrigin(const TControl* c, int& x, int& y) {
  x = y = 0;
  for (; c && c->Parent; c = c->Parent) {
    x += c->Left;
    y += c->Top;
  }
}

int Depth(const TControl* c) {
  int depth = 0;
  for (; c && c->Parent; c = c->Parent) ++depth;
  return depth;
}

bool ParseIndex(const std::string& text, int& index) {
  if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), ::isdigit)) return false;
  index = std::stoi(text);
  return true;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  Visible = false;
  TabStop = false;
}

TModalResult TCustomForm::ShowModal() {
  if (modal_) throw EInvalidOperation("Cannot make a visible window modal");
  modal_ = true;
  ModalResult = mrNone;
  Visible = true;
  try {
    if (OnShow) OnShow(this);
    if (!active_ && ModalResult == mrNone) active_ = NextControl(nullptr);
  } catch (...) {
    Application->HandleException(this);
  }
  RecordState("opened");
  while (ModalResult == mrNone) {
    auto action = ui::driver().nextAction(Name);
    if (!action) {
      ui::driver().record("form " + Name + ": no input left, the window is closed");
      Close();
      break;
    }
    try {
      RunInput(*action);
    } catch (...) {
      Application->HandleException(this);
    }
  }
  RecordState("closed");
  Visible = false;
  modal_ = false;
  active_ = nullptr;
  return ModalResult;
}

void TCustomForm::Close() {
  if (modal_) ModalResult = mrCancel;
  else Visible = false;
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (control == active_) return;
  TWinControl* previous = active_;
  active_ = control;
  if (previous) previous->DoExit();
  if (control) control->DoEnter();
}

TWinControl* TCustomForm::NextControl(TWinControl* from) const {
  std::vector<TWinControl*> order;
  for (int i = 0; i < ComponentCount; ++i)
    if (auto* c = dynamic_cast<TWinControl*>(Components[i]); c && c->TakesFocus() && c->CanFocus())
      order.push_back(c);
  if (order.empty()) return nullptr;
  auto at = std::find(order.begin(), order.end(), from);
  return at == order.end() || at + 1 == order.end() ? order.front() : *(at + 1);
}

TButton* TCustomForm::CancelButton() const {
  for (int i = 0; i < ComponentCount; ++i)
    if (auto* b = dynamic_cast<TButton*>(Components[i]); b && b->Cancel) return b;
  return nullptr;
}

TButton* TCustomForm::DefaultButton() const {
  for (int i = 0; i < ComponentCount; ++i)
    if (auto* b = dynamic_cast<TButton*>(Components[i]); b && b->Default) return b;
  return nullptr;
}

// One step of the user's input. What a user could not do (click a disabled
// button, choose an item that is not in the list) is recorded and ignored.
void TCustomForm::RunInput(const ui::ControlAction& action) {
  auto ignore = [&](const std::string& why) { ui::driver().record("form " + Name + ": ignored, " + why); };
  const std::string& verb = action.verb;
  if (verb == "close") return Close();
  if (verb == "mouse") {
    int x = 0, y = 0;
    ParseIndex(action.args[0], x);
    ParseIndex(action.args[1], y);
    TControl* hit = nullptr;
    for (int i = 0; i < ComponentCount; ++i) {
      auto* c = dynamic_cast<TControl*>(Components[i]);
      int left = 0, top = 0;
      ClientOrigin(c, left, top);
      if (c && c->IsUsable() && x >= left && y >= top && x < left + c->Width && y < top + c->Height &&
          (!hit || Depth(c) >= Depth(hit)))
        hit = c;
    }
    if (!hit || IsContainer(hit)) return ignore("nothing to click at " + action.args[0] + "," + action.args[1]);
    return RunInput({"click", {hit->Name}});
  }

  const std::string& target = action.args[0];
  auto* control = AnsiCompareText(target, Name) == 0 ? this : dynamic_cast<TControl*>(FindComponent(target));
  if (!control) return ignore("no control named " + target);
  if (control != this && !control->IsUsable()) return ignore(target + " is disabled or hidden");
  auto* window = dynamic_cast<TWinControl*>(control);
  auto* text = dynamic_cast<TCustomTextControl*>(control);
  // Clicking or typing into a control gives it the focus first; when the
  // control losing the focus ends the form, the input goes no further.
  auto focus = [&] {
    if (window && window != this && window->TakesFocus()) FocusControl(window);
    return ModalResult == mrNone;
  };

  if (verb == "click") {
    if (focus()) control->UserClick();
  } else if (verb == "check" || verb == "uncheck") {
    bool wanted = verb == "check";
    auto* box = dynamic_cast<TCustomCheckBox*>(control);
    auto* radio = dynamic_cast<TRadioButton*>(control);
    if (!box && !radio) return ignore(target + " is not a check box or radio button");
    bool now = box ? static_cast<bool>(box->Checked) : static_cast<bool>(radio->Checked);
    if (radio && !wanted) return ignore("a radio button is cleared by choosing another");
    if (now != wanted && focus()) control->UserClick();
  } else if (verb == "select" || verb == "select-index") {
    auto* combo = dynamic_cast<TComboBox*>(control);
    if (!combo) return ignore(target + " is not a combo box");
    int index = -1;
    if (verb == "select-index") ParseIndex(action.args[1], index);
    else
      for (int i = 0; i < combo->Items->Count && index < 0; ++i)
        if (combo->Items->Strings[i] == action.args[1]) index = i;
    if (index < 0 || index >= combo->Items->Count) return ignore(target + " has no item " + action.args[1]);
    if (focus()) combo->SelectItem(index);
  } else if (verb == "set" || verb == "type") {
    if (!text) return ignore(target + " takes no text");
    if (!focus()) return;
    if (verb == "set") text->SelectAll();
    if (verb == "set" && action.args[1].empty()) text->PressKey('\b');
    for (char c : action.args[1])
      if (ModalResult == mrNone) text->PressKey(c);
  } else if (verb == "focus") {
    focus();
  } else if (verb == "leave") {
    if (window != active_) return ignore(target + " does not have the focus");
    FocusControl(NextControl(active_));
  } else if (verb == "key") {
    const std::string key = Lower(action.args[1]);
    if (key == "escape" || key == "esc") {
      TButton* cancel = CancelButton();
      if (cancel && cancel->IsUsable()) cancel->Click();
    } else if (key == "enter" || key == "return") {
      TButton* def = DefaultButton();
      if (def && def->IsUsable()) def->Click();
    } else if (key == "tab") {
      FocusControl(NextControl(active_));
    } else if (key == "delete") {
      if (text && focus()) text->DeleteSelection();
    } else {
      char c = key == "backspace" ? '\b' : key == "space" ? ' ' : action.args[1].size() == 1 ? action.args[1][0] : 0;
      if (c == 0) return ignore("unknown key " + action.args[1]);
      if (!focus()) return;
      TWinControl* receiver = window && window != this ? window : active_;
      if (receiver) receiver->PressKey(c);
    }
  } else {
    ignore("unknown verb " + verb);
  }
}

void TCustomForm::RecordState(const char* event) const {
  AnsiString block = "form " + Name + " " + event + " caption=" + vcl::detail::Quoted(Caption) +
                     " focus=" + (active_ ? active_->Name : AnsiString("-"));
  if (std::string(event) == "closed") block += " result=" + IntToStr(ModalResult);
  for (int i = 0; i < ComponentCount; ++i)
    if (auto* c = dynamic_cast<TControl*>(Components[i])) block += "\n  " + c->Describe();
  ui::driver().record(block);
}
