// Controls: state, focus, keys, and how each is shown in the transcript.
#include <Forms.hpp>

#include <ui/describe.h>

#include "describe.h"

namespace vcl::detail {

AnsiString Quoted(const AnsiString& text) { return ui::quoted(text); }

}  // namespace vcl::detail

using vcl::detail::Quoted;

void TControl::Click() {
  if (OnClick) OnClick(this);
}

bool TControl::IsUsable() const {
  for (const TControl* c = this; c; c = c->Parent)
    if (!c->Enabled || !c->Visible) return false;
  return true;
}

AnsiString TControl::Describe() const {
  AnsiString out = ClassWord() + " " + Name + " " + Quoted(Caption);
  if (!Enabled) out += " disabled";
  if (!Visible) out += " hidden";
  return out;
}

TCustomForm* GetParentForm(const TControl* control) {
  const TControl* top = control;
  while (top && top->Parent) top = top->Parent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

bool TWinControl::CanFocus() const { return IsUsable(); }

bool TWinControl::Focused() const {
  TCustomForm* form = GetParentForm(this);
  return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form || form == this) return;
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  form->FocusControl(this);
}

std::vector<TControl*> TWinControl::Controls() const {
  std::vector<TControl*> children;
  const TComponent* owner = Owner ? Owner : this;
  for (int i = 0; i < owner->ComponentCount; ++i)
    if (auto* c = dynamic_cast<TControl*>(owner->Components[i]); c && c->Parent == this)
      children.push_back(c);
  return children;
}

void TWinControl::PressKey(char key) {
  if (OnKeyPress) OnKeyPress(this, key);
  if (key != 0) KeyAccepted(key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}
