// Buttons, check boxes, radio buttons, edits, combo boxes, pictures, grids.
#include <DBGrids.hpp>
#include <ExtCtrls.hpp>
#include <Forms.hpp>

#include "describe.h"

using vcl::detail::Quoted;

namespace {

AnsiString ColorWord(TColor color) { return " color=" + ColorToString(color); }

}  // namespace

void TButton::Click() {
  TCustomForm* form = GetParentForm(this);
  if (form && ModalResult != mrNone) form->ModalResult = ModalResult;
  TWinControl::Click();
}

AnsiString TButton::Describe() const {
  return TWinControl::Describe() + (Cancel ? " cancel" : "") + (Default ? " default" : "");
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner)
    : TWinControl(AOwner),
      Checked([this] { return checked_; },
              [this](bool value) {
                if (value == checked_) return;
                checked_ = value;
                Click();
              }) {}

AnsiString TCustomCheckBox::Describe() const {
  return TWinControl::Describe() + (checked_ ? " checked" : " unchecked");
}

TRadioButton::TRadioButton(TComponent* AOwner)
    : TWinControl(AOwner),
      Checked([this] { return checked_; }, [this](bool value) { SetChecked(value); }) {}

void TRadioButton::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  if (!value) return;
  if (Parent)
    for (TControl* sibling : Parent->Controls())
      if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this)
        radio->checked_ = false;
  Click();
}

AnsiString TRadioButton::Describe() const {
  return TWinControl::Describe() + (checked_ ? " checked" : " unchecked");
}

void TCustomTextControl::Change() {
  if (OnChange) OnChange(this);
}

void TCustomTextControl::KeyAccepted(char key) {
  if (!AcceptsTyping()) return;
  if (key == '\b') {
    if (selected_) Text.clear();
    else if (!Text.empty()) Text.pop_back();
  } else if (static_cast<unsigned char>(key) >= ' ') {
    if (selected_) Text.clear();
    Text += key;
  } else {
    return;
  }
  selected_ = false;
  Change();
}

void TCustomTextControl::DeleteSelection() {
  if (!selected_ || !AcceptsTyping()) return;
  selected_ = false;
  Text.clear();
  Change();
}

void TCustomTextControl::DoExit() {
  selected_ = false;
  TWinControl::DoExit();
}

bool TEdit::AcceptsTyping() const {
  return !ReadOnly;
}

AnsiString TEdit::Describe() const {
  AnsiString out = ClassWord() + " " + Name + " text=" + Quoted(Text);
  if (!Enabled) out += " disabled";
  if (!Visible) out += " hidden";
  if (ReadOnly) out += " readonly";
  return out + ColorWord(Color);
}

TComboBox::TComboBox(TComponent* AOwner)
    : TCustomTextControl(AOwner),
      Items(new TStringList),
      ItemIndex(
          [this] {
            for (int i = 0; i < Items->Count; ++i)
              if (Items->Strings[i] == Text) return i;
            return -1;
          },
          [this](int index) { Text = index < 0 ? AnsiString() : Items->Strings[index]; }) {}

TComboBox::~TComboBox() { delete Items; }

void TComboBox::SelectItem(int index) {
  ItemIndex = index;
  Change();
  Click();
}

AnsiString TComboBox::Describe() const {
  AnsiString out = ClassWord() + " " + Name + " text=" + Quoted(Text) + " items=[";
  for (int i = 0; i < Items->Count; ++i) out += (i ? "," : "") + Quoted(Items->Strings[i]);
  out += "]";
  if (!Enabled) out += " disabled";
  if (!Visible) out += " hidden";
  return out + ColorWord(Color);
}

AnsiString TImage::Describe() const {
  AnsiString out = ClassWord() + " " + Name + " picture=" + IntToStr(Picture->Width()) + "x" +
                   IntToStr(Picture->Height()) + " size=" + IntToStr(Width) + "x" + IntToStr(Height);
  if (Stretch) out += " stretch";
  if (!Visible) out += " hidden";
  return out;
}

TColumn* TDBGridColumns::Add() {
  columns_.push_back(std::make_unique<TColumn>());
  return columns_.back().get();
}

TColumn* TDBGridColumns::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
  return columns_[static_cast<size_t>(index)].get();
}

AnsiString TDBGrid::Describe() const {
  AnsiString out = ClassWord() + " " + Name + " titles=[";
  for (int i = 0; i < Columns->Count(); ++i) out += (i ? "," : "") + Quoted(Columns->Items(i)->Title->Caption);
  return out + "]" + (Enabled ? "" : " disabled");
}
