#pragma once
// Standard controls: labels, group boxes, buttons, check boxes, radio
// buttons, combo boxes and edits.
#include <Controls.hpp>

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* AOwner) : TControl(AOwner) {}
  AnsiString ClassWord() const override { return "Label"; }
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* AOwner) : TWinControl(AOwner) { TabStop = false; }
  AnsiString ClassWord() const override { return "GroupBox"; }
};

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner) : TWinControl(AOwner) {}
  // The form's result when the button is clicked (mrNone: none).
  TModalResult ModalResult = mrNone;
  // Escape clicks the form's cancel button, Enter its default button.
  bool Cancel = false;
  bool Default = false;
  void Click() override;
  AnsiString ClassWord() const override { return "Button"; }
  AnsiString Describe() const override;
};

// A check box: setting Checked to a new value runs the click event, as a
// click by the user does.
class TCustomCheckBox : public TWinControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  vcl::Property<bool> Checked;
  void UserClick() override { Checked = !Checked; }
  AnsiString Describe() const override;

 private:
  bool checked_ = false;
};

class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
  AnsiString ClassWord() const override { return "CheckBox"; }
};

// A radio button: checking it unchecks the radio buttons of the same parent
// and runs its click event.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  vcl::Property<bool> Checked;
  void UserClick() override { Checked = true; }
  AnsiString ClassWord() const override { return "RadioButton"; }
  AnsiString Describe() const override;

 private:
  void SetChecked(bool value);
  bool checked_ = false;
};

// Text entry shared by edits and combo boxes: typed keys after the key press
// event, SelectAll so that the next key replaces the text, the change event.
class TCustomTextControl : public TWinControl {
 public:
  explicit TCustomTextControl(TComponent* AOwner) : TWinControl(AOwner) { Color = clWindow; }
  AnsiString Text;
  TNotifyEvent OnChange;
  void SelectAll() { selected_ = true; }
  // The Delete key: removes the selected text (the caret is at the end, so
  // without a selection there is nothing after it to remove).
  void DeleteSelection();
  virtual void Change();

 protected:
  virtual bool AcceptsTyping() const { return true; }
  void KeyAccepted(char key) override;
  void DoExit() override;

 private:
  bool selected_ = false;
};

class TEdit : public TCustomTextControl {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomTextControl(AOwner) {}
  bool ReadOnly = false;
  int MaxLength = 0;  // 0: no limit
  AnsiString ClassWord() const override { return "Edit"; }
  AnsiString Describe() const override;

 protected:
  bool AcceptsTyping() const override;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TCustomTextControl {
 public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;
  TStrings* const Items;
  TComboBoxStyle Style = csDropDown;
  // The index of the item equal to the text (-1: none); setting it shows
  // that item's text.
  vcl::Property<int> ItemIndex;
  // Choosing an item from the list, as the user does: text, change, click.
  void SelectItem(int index);
  AnsiString ClassWord() const override { return "ComboBox"; }
  AnsiString Describe() const override;

 protected:
  bool AcceptsTyping() const override { return Style != csDropDownList; }
};
