// The hatch library's forms as windows on a virtual screen: dfelmar2.dll
// loaded as its hosts load it, each form at the places of its design with
// its translated captions and states, photographed, and played by FLTK's
// events: a key the form's filter drops beeps, the options form opens over
// the hatch form and is cancelled, Escape cancels the hatch form.
#include <ExtCtrls.hpp>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <Forms.hpp>
#include <win32/modules.h>
#include <win32/posix.h>

#include <filesystem>
#include <functional>

#include "SchraffurRecord.h"
#include "fltk_events.h"
#include "x_display.h"
#include "text.h"
#include "ui/windowed_driver.h"
#include "window_steps.h"
#include "window_checks.h"

namespace {

namespace fs = std::filesystem;
using Step = ui::testing::WindowSteps::Step;

TCustomForm* FormNamed(const std::string& name) {
  for (int i = 0; i < Screen->FormCount; ++i)
    if (Screen->Forms[i]->Name == name) return Screen->Forms[i];
  return nullptr;
}

// Every control of the form is a widget at its place on the form (within a
// pixel), with its caption or text and its state as the form has them.
void ExpectFormAsItsDesign(const ui::WindowOnScreen& w, const TCustomForm& form) {
  EXPECT_EQ(w.window->label(), ui::windowed::Utf8FromAnsi(form.Caption));
  EXPECT_EQ(w.window->w(), form.ClientWidth);
  EXPECT_EQ(w.window->h(), form.ClientHeight);
  for (int i = 0; i < form.ComponentCount; ++i) {
    auto* c = dynamic_cast<TControl*>(form.Components[i]);
    if (!c) continue;
    SCOPED_TRACE(c->Name);
    Fl_Widget* widget = guitest::WidgetOf<Fl_Widget>(w, c->Name);
    ASSERT_NE(widget, nullptr);
    int left = c->Left, top = c->Top;
    bool enabled = c->Enabled, visible = c->Visible;
    for (const TControl* p = c->Parent; p && p->Parent; p = p->Parent) left += p->Left, top += p->Top;
    for (const TControl* p = c->Parent; p && p->Parent; p = p->Parent) enabled &= p->Enabled, visible &= p->Visible;
    EXPECT_LE(std::abs(widget->x() - left), 1);
    EXPECT_LE(std::abs(widget->y() - top), 1);
    EXPECT_LE(std::abs(widget->w() - c->Width), 1);
    EXPECT_LE(std::abs(widget->h() - c->Height), 1);
    EXPECT_EQ(widget->active() != 0, enabled);
    EXPECT_EQ(widget->visible() != 0, visible);
    if (auto* text = dynamic_cast<TCustomTextControl*>(c)) {
      auto* group = dynamic_cast<Fl_Group*>(widget);
      auto* input = dynamic_cast<Fl_Input*>(group && group->children() ? group->child(0) : widget);
      if (input) {
        EXPECT_EQ(input->value(), ui::windowed::Utf8FromAnsi(text->Text));
      }
    } else if (!dynamic_cast<TImage*>(c)) {
      EXPECT_EQ(widget->label() ? widget->label() : "", ui::windowed::LabelText(c->Caption));
    }
    if (auto* box = dynamic_cast<TCustomCheckBox*>(c)) {
      EXPECT_EQ(static_cast<Fl_Button*>(widget)->value() != 0, static_cast<bool>(box->Checked));
    }
  }
}

class HatchForms : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryA(win32::ToWindowsPath(DFELMAR2_DLL).c_str());  // its message file lies beside it
    ASSERT_NE(library_, nullptr) << win32::LastLoadErrorText();
    doSchraff_ = reinterpret_cast<TDoSchraff>(reinterpret_cast<void*>(GetProcAddress(library_, "DoSchraff")));
    auto driver = ui::WindowedDriver::open();
    driver->writeTranscriptNowhere();
    driver_ = driver.get();
    ui::setDriver(std::move(driver));
    record_.Scale = 1.0;
    record_.Spacing = 1.0;
    record_.Associative = TRUE;
    record_.PatternList = patterns_;
    record_.HelpEnabled = TRUE;
  }
  void TearDown() override {
    ui::setDriver(nullptr);
    if (library_) FreeLibrary(library_);
  }

  void Steps(std::vector<Step> steps) { steps_.play(*driver_, std::move(steps)); }

  static fs::path Shot(const std::string& name) { return fs::path(SCREENSHOT_DIR) / (name + ".png"); }

  HMODULE library_ = nullptr;
  TDoSchraff doSchraff_ = nullptr;
  ui::WindowedDriver* driver_ = nullptr;
  TSchraffurRecord record_{};
  char* patterns_[3] = {const_cast<char*>("ANSI31"), const_cast<char*>("NET"), nullptr};
  ui::testing::WindowSteps steps_;
};

TEST_F(HatchForms, EachFormIsItsDesignOnTheScreenAndPlaysThePersonsInput) {
  ASSERT_NE(doSchraff_, nullptr);
  auto click = [](const ui::WindowOnScreen& w, const std::string& name) {
    ASSERT_NE(w.widgets.count(name), 0u) << name;
    guitest::Click(*w.window, *w.widgets.at(name));
  };
  Steps({
      [&](const ui::WindowOnScreen& w) {
        EXPECT_EQ(w.target, "frmSchraffur");
        const TCustomForm* form = FormNamed("frmSchraffur");
        ASSERT_NE(form, nullptr);
        ExpectFormAsItsDesign(w, *form);
        EXPECT_TRUE(guitest::Screenshot(*w.window, Shot("hatch-form")));
        click(w, "MusterTypComboBox");  // a press in its field gives it the focus
      },
      [&](const ui::WindowOnScreen& w) { guitest::Type(*w.window, "x"); },  // dropped by its filter: a beep
      [&](const ui::WindowOnScreen& w) { click(w, "optionenButton"); },
      [&](const ui::WindowOnScreen& w) {
        EXPECT_EQ(w.target, "FormOptionen");
        const TCustomForm* form = FormNamed("FormOptionen");
        ASSERT_NE(form, nullptr);
        ExpectFormAsItsDesign(w, *form);
        EXPECT_TRUE(guitest::Screenshot(*w.window, Shot("hatch-options-form")));
        click(w, "ButtonAbbruch");
      },
      [&](const ui::WindowOnScreen& w) {
        EXPECT_EQ(w.target, "frmSchraffur");
        guitest::PressKey(*w.window, FL_Escape);  // in the focused button: the form's cancel button
      },
  });
  EXPECT_EQ(doSchraff_(&record_), 1);
  EXPECT_TRUE(steps_.allTaken());
  EXPECT_EQ(record_.ExitReason, 1);
  const std::string transcript = driver_->transcript();
  const auto typed = transcript.find("input frmSchraffur -> type MusterTypComboBox x\n");
  ASSERT_NE(typed, std::string::npos) << transcript;
  EXPECT_EQ(transcript.find("beep type=48\n", typed), transcript.find('\n', typed) + 1) << transcript;
  EXPECT_NE(transcript.find("input FormOptionen -> click ButtonAbbruch\n"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("input frmSchraffur -> key optionenButton Escape\n"), std::string::npos) << transcript;
}

}  // namespace
