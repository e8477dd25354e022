// A form's controls as a window shows them: at their places on the form's
// client area (a control's place is relative to its parent), enabled and
// visible only when their parents are.
#include "view.h"

#include <ExtCtrls.hpp>

namespace vcl::detail {
namespace {

using Kind = ui::ViewControl::Kind;

Kind KindOf(const TControl* c) {
  if (dynamic_cast<const TButton*>(c)) return Kind::PushButton;
  if (dynamic_cast<const TCustomCheckBox*>(c)) return Kind::CheckBox;
  if (dynamic_cast<const TRadioButton*>(c)) return Kind::RadioButton;
  if (dynamic_cast<const TGroupBox*>(c) || dynamic_cast<const TPanel*>(c)) return Kind::GroupBox;
  if (dynamic_cast<const TImage*>(c)) return Kind::Picture;
  if (dynamic_cast<const TEdit*>(c)) return Kind::Edit;
  if (auto* combo = dynamic_cast<const TComboBox*>(c))
    return combo->Style == csDropDownList ? Kind::DropDownList : Kind::ComboBox;
  return Kind::Label;
}

ui::ViewControl ViewOf(const TControl* c) {
  ui::ViewControl v;
  v.name = c->Name;
  v.kind = KindOf(c);
  int left = 0, top = 0;
  for (const TControl* p = c; p && p->Parent; p = p->Parent) left += p->Left, top += p->Top;
  v.rect = {left, top, left + c->Width, top + c->Height};
  v.text = c->Caption;
  v.visible = true;
  for (const TControl* p = c; p && p->Parent; p = p->Parent) {
    v.enabled = v.enabled && p->Enabled;
    v.visible = v.visible && p->Visible;
  }
  if (auto* w = dynamic_cast<const TWinControl*>(c)) v.tabStop = w->TabStop;
  if (auto* button = dynamic_cast<const TButton*>(c)) v.isDefault = button->Default;
  if (auto* box = dynamic_cast<const TCustomCheckBox*>(c)) v.checked = box->Checked ? 1 : 0;
  if (auto* radio = dynamic_cast<const TRadioButton*>(c)) v.checked = radio->Checked ? 1 : 0;
  if (auto* text = dynamic_cast<const TCustomTextControl*>(c)) {
    v.text = text->Text;
    v.background = ColorToRGB(text->Color);
  }
  if (auto* edit = dynamic_cast<const TEdit*>(c)) v.readOnly = edit->ReadOnly;
  if (auto* combo = dynamic_cast<const TComboBox*>(c)) {
    for (int i = 0; i < combo->Items->Count; ++i) v.items.push_back({combo->Items->Strings[i], -1, -1});
    v.selection = combo->ItemIndex;
  }
  if (auto* image = dynamic_cast<const TImage*>(c)) {
    const TBitmap* bitmap = image->Picture->Bitmap;
    v.picture = {"bitmap " + image->Name, bitmap->Width, bitmap->Height, bitmap->FileData()};
    v.stretch = image->Stretch;
  }
  return v;
}

}  // namespace

ui::WindowView FormView(const TCustomForm& form) {
  ui::WindowView view;
  view.kind = "form";
  view.target = form.Name;
  view.caption = form.Caption;
  view.width = form.ClientWidth;
  view.height = form.ClientHeight;
  view.visible = form.Visible;
  view.focus = form.ActiveControl() ? std::string(form.ActiveControl()->Name) : "";
  // Created first lies lowest.
  for (int i = 0; i < form.ComponentCount; ++i)
    if (auto* c = dynamic_cast<const TControl*>(form.Components[i])) view.controls.push_back(ViewOf(c));
  return view;
}

}  // namespace vcl::detail
