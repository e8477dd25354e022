// Forms: the modal run, focus, and the user's input from the UI driver.
#include <Forms.hpp>

#include <ui/driver.h>

#include <algorithm>

#include "describe.h"
#include "input.h"
#include "view.h"

namespace {

// The form as an open window, for a driver that shows it.
class FormOnScreen : public ui::ShownWindow {
 public:
  explicit FormOnScreen(const TCustomForm& form) : form_(form) {}
  ui::WindowView view() const override { return vcl::detail::FormView(form_); }

 private:
  const TCustomForm& form_;
};

// Lives as long as the library, as the application object does.
TScreen theScreen;

}  // namespace

TScreen* Screen = &theScreen;

TScreen::TScreen()
    : TComponent(nullptr),
      FormCount([this] { return static_cast<int>(forms_.size()); }),
      Forms([this](int index) {
        if (index < 0 || index >= static_cast<int>(forms_.size())) throw EStringListError("List index out of bounds");
        return forms_[index];
      }) {}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  Visible = false;
  TabStop = false;
  Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() { std::erase(Screen->forms_, this); }

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
  FormOnScreen shown(*this);
  const ui::OpenWindow open(shown);
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
    if (auto* c = dynamic_cast<TWinControl*>(Components[i]); c && c->TabStop && c->CanFocus())
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

void TCustomForm::RunInput(const ui::ControlAction& action) { vcl::detail::RunInput(*this, action); }

void TCustomForm::RecordState(const char* event) const {
  AnsiString block = "form " + Name + " " + event + " caption=" + vcl::detail::Quoted(Caption) +
                     " focus=" + (active_ ? active_->Name : AnsiString("-"));
  if (std::string(event) == "closed") block += " result=" + IntToStr(ModalResult);
  for (int i = 0; i < ComponentCount; ++i)
    if (auto* c = dynamic_cast<TControl*>(Components[i])) block += "\n  " + c->Describe();
  ui::driver().record(block);
}
