#pragma once
// Forms, their modal run, and the application object.
#include <StdCtrls.hpp>
#include <windows.h>

namespace ui { struct ControlAction; }

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };

// A form: a window with controls, shown modally. The user's input during the
// modal run comes from the UI driver, addressed to the form's Name; the form
// is recorded in the transcript when it opens and when it closes.
class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  int ClientWidth = 0, ClientHeight = 0;
  TFormBorderStyle BorderStyle = bsSizeable;
  TPosition Position = poDesigned;
  TModalResult ModalResult = mrNone;
  TNotifyEvent OnShow;

  // Shows the form, runs its show event and takes the user's input until
  // ModalResult is set; returns ModalResult.
  TModalResult ShowModal();
  // The close box: a modal form ends with mrCancel.
  void Close();

  TWinControl* ActiveControl() const { return active_; }
  // Moves the focus, running the exit event of the control that loses it.
  void FocusControl(TWinControl* control);
  // The next focusable control after `from` in tab order (creation order).
  TWinControl* NextControl(TWinControl* from) const;
  TButton* CancelButton() const;
  TButton* DefaultButton() const;
  AnsiString ClassWord() const override { return "Form"; }

 private:
  void RunInput(const ui::ControlAction& action);
  void RecordState(const char* event) const;
  bool modal_ = false;
  TWinControl* active_ = nullptr;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

typedef std::function<void(TObject* Sender, Exception* E)> TExceptionEvent;

// The application object: title, help file, the window that owns its forms
// and message boxes, and the handler of exceptions escaping event handlers.
class TApplication : public TComponent {
 public:
  TApplication() : TComponent(nullptr) {}
  AnsiString Title;
  AnsiString HelpFile;
  HWND Handle = nullptr;
  TExceptionEvent OnException;

  void Initialize() {}
  // Called with the exception being handled: OnException, or ShowException
  // when no handler is installed.
  void HandleException(TObject* Sender);
  void ShowException(Exception* E);
  int MessageBox(const char* Text, const char* Caption, int Flags);
};

extern TApplication* Application;

// The screen: every form that exists, in the order they were made.
class TScreen : public TComponent {
 public:
  TScreen();
  vcl::Property<int> FormCount;
  vcl::IndexedProperty<TCustomForm*> Forms;

 private:
  friend class TCustomForm;
  std::vector<TCustomForm*> forms_;
};

extern TScreen* Screen;
