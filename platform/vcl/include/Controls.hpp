#pragma once
// Controls: position, caption, enabled and visible state, parent, focus and
// the events common to all controls.
#include <Graphics.hpp>

class TWinControl;
class TCustomForm;

typedef int TModalResult;
const TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                   mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner) : TComponent(AOwner) {}

  TWinControl* Parent = nullptr;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  AnsiString Caption;
  bool Enabled = true;
  bool Visible = true;
  TColor Color = clBtnFace;
  int Tag = 0;
  TNotifyEvent OnClick;

  // Runs the click event.
  virtual void Click();
  // What a click by the user does: the click event, or for check boxes and
  // radio buttons a change of state that runs it.
  virtual void UserClick() { Click(); }
  // Enabled and visible, and so are all its parents.
  bool IsUsable() const;
  // The state shown in the transcript: the class's word and its properties.
  virtual AnsiString ClassWord() const { return "Control"; }
  virtual AnsiString Describe() const;
};

// A control with a window: it can take the focus and receives keys.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner) : TControl(AOwner) {}

  int TabOrder = 0;
  bool TabStop = true;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyPressEvent OnKeyPress;

  // Takes the focus; EInvalidOperation when the control is disabled or hidden.
  void SetFocus();
  bool CanFocus() const;
  bool Focused() const;
  // The controls whose parent this is, in creation order.
  std::vector<TControl*> Controls() const;

  // Key handling: the key press event may drop the key (set it to 0); a kept
  // key goes to the control (KeyAccepted).
  void PressKey(char key);
  virtual void DoEnter();
  virtual void DoExit();

 protected:
  virtual void KeyAccepted(char /*key*/) {}
};

// The form a control lies on; nullptr when it lies on none.
TCustomForm* GetParentForm(const TControl* control);
