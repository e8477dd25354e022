// Components, controls and the modal run driven by scripted answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ui/scripted_driver.h>
#include <ui/window_view.h>
#include <vcl.h>

#include <filesystem>
#include <fstream>
#include <win32/posix.h>

#include "testing/scripted_user.h"
#include "testing/temp_folder.h"

namespace {

using ::testing::HasSubstr;

// A small form: an edit taking digits only, a check box and two radio
// buttons in a group box, a disabled button, OK and a cancel button.
class TTestForm : public TForm {
 public:
  TTestForm() : TForm(nullptr) {
    Name = "frmTest";
    Caption = "Test";
    Box = Make<TGroupBox>("Box", this, 0, 0, 200, 100);
    Digits = Make<TEdit>("Digits", Box, 10, 10, 80, 20);
    Check = Make<TCheckBox>("Check", Box, 10, 40, 80, 20);
    Left = Make<TRadioButton>("Left", Box, 10, 70, 40, 20);
    Right = Make<TRadioButton>("Right", Box, 60, 70, 40, 20);
    Off = Make<TButton>("Off", this, 10, 110, 50, 25);
    Off->Enabled = false;
    Ok = Make<TButton>("Ok", this, 70, 110, 50, 25);
    Ok->ModalResult = mrOk;
    Cancel = Make<TButton>("Cancel", this, 130, 110, 50, 25);
    Cancel->Cancel = true;
    Cancel->ModalResult = mrCancel;
    Digits->OnKeyPress = [this](TObject*, char& key) {
      if (key != '\b' && (key < '0' || key > '9')) key = 0, ++dropped;
    };
    Digits->OnExit = [this](TObject*) { ++exits; };
    Check->OnClick = [this](TObject*) { ++checkClicks; };
    Left->OnClick = [this](TObject*) { ++leftClicks; };
  }

  template <class T>
  T* Make(const char* name, TWinControl* parent, int left, int top, int width, int height) {
    T* c = new T(this);
    c->Name = name;
    c->Caption = name;
    c->Parent = parent;
    c->Left = left, c->Top = top, c->Width = width, c->Height = height;
    return c;
  }

  TGroupBox* Box;
  TEdit* Digits;
  TCheckBox* Check;
  TRadioButton *Left, *Right;
  TButton *Off, *Ok, *Cancel;
  int dropped = 0, exits = 0, checkClicks = 0, leftClicks = 0;
};

class FormTest : public ::testing::Test {
 protected:
  // Runs the form modally with the answers; returns the transcript.
  std::string Run(const std::string& answers) {
    const rwtest::ScriptedUser user(answers);
    result = form.ShowModal();
    return user.transcript();
  }
  void TearDown() override { Application->OnException = nullptr; }

  TTestForm form;
  TModalResult result = mrNone;
};

TEST_F(FormTest, ComponentsAreListedInCreationOrderWhateverTheirParent) {
  std::vector<std::string> names;
  for (int i = 0; i < form.ComponentCount; ++i) names.push_back(form.Components[i]->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Box", "Digits", "Check", "Left", "Right", "Off", "Ok", "Cancel"}));
  delete form.Box->Owner->Components[0];  // the owner forgets a freed component
  EXPECT_EQ(form.ComponentCount, 7);
}

struct Ending {
  const char* answers;
  TModalResult result;
};

class Endings : public FormTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(Endings, EndTheModalRun) {
  std::string transcript = Run(GetParam().answers);
  EXPECT_EQ(result, GetParam().result);
  EXPECT_THAT(transcript, HasSubstr("form frmTest closed caption=\"Test\""));
  EXPECT_FALSE(form.Visible);
}

INSTANTIATE_TEST_SUITE_P(Vcl, Endings,
                         ::testing::Values(Ending{"form frmTest click Ok\n", mrOk},
                                           Ending{"form frmTest close\n", mrCancel},
                                           Ending{"form frmTest key Digits Escape\n", mrCancel},
                                           Ending{"form frmTest mouse 75 115\n", mrOk},
                                           Ending{"", mrCancel},
                                           Ending{"form other click Ok\nform frmTest click Ok\n", mrCancel}));

TEST_F(FormTest, WhatAUserCannotDoIsIgnored) {
  std::string transcript = Run("form frmTest click Off\nform frmTest click Nothing\n"
                               "form frmTest select Digits x\nform frmTest click Ok\n");
  EXPECT_EQ(result, mrOk);
  EXPECT_THAT(transcript, HasSubstr("form frmTest: ignored, Off is disabled or hidden"));
  EXPECT_THAT(transcript, HasSubstr("form frmTest: ignored, no control named Nothing"));
  EXPECT_THAT(transcript, HasSubstr("form frmTest: ignored, Digits is not a combo box"));
}

TEST_F(FormTest, TypingGoesThroughTheKeyFilterAndLeavingRunsTheExitEvent) {
  std::string transcript = Run("form frmTest type Digits 1a2\nform frmTest key Digits Backspace\n"
                               "form frmTest set Digits 7x\nform frmTest key Digits Delete\n"
                               "form frmTest click Check\nform frmTest click Ok\n");
  EXPECT_EQ(form.Digits->Text, "7");  // Delete removes a selection only
  EXPECT_EQ(form.dropped, 2);
  EXPECT_EQ(form.exits, 1);
  EXPECT_TRUE(form.Check->Checked);
  EXPECT_EQ(form.checkClicks, 1);
}

TEST_F(FormTest, SettingCheckedRunsTheClickEventOnlyOnAChange) {
  form.Check->Checked = true;
  form.Check->Checked = true;
  form.Check->Checked = false;
  EXPECT_EQ(form.checkClicks, 2);
}

TEST_F(FormTest, ARadioButtonClearsItsSiblings) {
  form.Right->Checked = true;
  form.Left->Checked = true;
  EXPECT_FALSE(form.Right->Checked);
  EXPECT_EQ(form.leftClicks, 1);
  form.Left->Checked = true;
  EXPECT_EQ(form.leftClicks, 1);
}

TEST_F(FormTest, FocusingADisabledControlRaises) {
  EXPECT_THROW(form.Off->SetFocus(), EInvalidOperation);
  form.Box->Enabled = false;
  EXPECT_FALSE(form.Digits->CanFocus());
}

TEST_F(FormTest, AnExceptionInAHandlerGoesToTheApplicationAndTheFormStaysOpen) {
  form.Check->OnClick = [](TObject*) { throw Exception("kaputt"); };
  std::string shown;
  Application->OnException = [&](TObject*, Exception* e) { shown = e->Message; };
  Run("form frmTest click Check\nform frmTest click Ok\n");
  EXPECT_EQ(shown, "kaputt");
  EXPECT_EQ(result, mrOk);
}

TEST_F(FormTest, WithoutAHandlerTheExceptionIsShownInAMessageBox) {
  form.Check->OnClick = [](TObject*) { throw std::runtime_error("defekt"); };
  std::string transcript = Run("form frmTest click Check\nmsgbox ok\nform frmTest click Ok\n");
  EXPECT_THAT(transcript, HasSubstr("icon=error"));
  EXPECT_THAT(transcript, HasSubstr("  | defekt"));
}

TEST(IniFileTest, ReadsThroughTheProfileFunctions) {
  const rwtest::TempFolder folder("vclini");
  const std::string path = folder.posix("t.ini");
  std::ofstream(path) << "[Labels]\r\nX_A = \"Eins\"\r\nX_B=Zwei\r\n[Leer]\r\n";
  TIniFile ini(win32::ToWindowsPath(path));
  EXPECT_EQ(ini.ReadString("labels", "x_a", "-"), "Eins");
  EXPECT_EQ(ini.ReadString("Labels", "X_C", "X_C"), "X_C");
  TStringList keys;
  ini.ReadSection("Labels", &keys);
  ASSERT_EQ(keys.Count, 2);
  EXPECT_EQ(keys.Strings[1], "X_B");
  EXPECT_TRUE(ini.SectionExists("Labels"));
  EXPECT_FALSE(ini.SectionExists("Leer"));
  EXPECT_FALSE(ini.SectionExists("Fehlt"));
  EXPECT_TRUE(FileExists(ini.FileName));
  EXPECT_FALSE(FileExists(win32::ToWindowsPath(folder.path().string())));
}

TEST(BitmapTest, RefusesDataThatIsNoBitmap) {
  TMemoryStream stream;
  stream.Write("GIF89a....", 10);
  stream.Seek(0, soFromBeginning);
  TBitmap bitmap;
  EXPECT_THROW(bitmap.LoadFromStream(&stream), EInvalidGraphic);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(ColorTest, SystemColoursHaveNames) {
  EXPECT_EQ(ColorToString(clInactiveBorder), "clInactiveBorder");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
}

// A driver that looks at the form's open window each time it is asked for
// input, as a screen shows it.
class LookingDriver : public ui::ScriptedDriver {
 public:
  using ui::ScriptedDriver::ScriptedDriver;
  void windowOpened(ui::ShownWindow& window) override { open = &window; }
  void windowClosed(ui::ShownWindow&) override { open = nullptr; }
  std::optional<ui::ControlAction> nextAction(const std::string& target) override {
    if (open) seen.push_back(open->view());
    return ui::ScriptedDriver::nextAction(target);
  }
  ui::ShownWindow* open = nullptr;
  std::vector<ui::WindowView> seen;
};

const ui::ViewControl& ControlOf(const ui::WindowView& view, const std::string& name) {
  for (const auto& c : view.controls)
    if (c.name == name) return c;
  throw std::out_of_range(name);
}

TEST_F(FormTest, TheOpenFormShowsItsControlsAtTheirPlacesOnTheFormAsTheyAreNow) {
  form.ClientWidth = 250, form.ClientHeight = 150;
  form.Box->Left = 20, form.Box->Top = 5;
  form.Ok->Default = true;
  const auto answers = ui::ScriptedDriver::fromText("form frmTest type Digits 4x2\nform frmTest click Ok\n")
                           ->remainingAnswers();
  auto owned = std::make_unique<LookingDriver>(std::deque<ui::Answer>(answers.begin(), answers.end()));
  LookingDriver& driver = *owned;
  driver.writeTranscriptNowhere();
  ui::setDriver(std::move(owned));
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(driver.open, nullptr);  // closed with the modal run
  const std::vector<ui::WindowView> seen = driver.seen;
  ui::setDriver(nullptr);
  ASSERT_EQ(seen.size(), 2u);
  const ui::WindowView& first = seen[0];
  EXPECT_EQ(first.kind, "form");
  EXPECT_EQ(first.target, "frmTest");
  EXPECT_EQ(first.caption, "Test");
  EXPECT_EQ(first.width, 250);
  EXPECT_EQ(first.height, 150);
  ASSERT_EQ(first.controls.size(), 8u);
  EXPECT_EQ(first.controls.front().name, "Box");  // made first, lies lowest
  using Kind = ui::ViewControl::Kind;
  const struct {
    const char* name;
    Kind kind;
    ui::PixelRect rect;  // on the form: the group box's place added to its controls'
  } controls[] = {{"Box", Kind::GroupBox, {20, 5, 220, 105}},    {"Digits", Kind::Edit, {30, 15, 110, 35}},
                  {"Check", Kind::CheckBox, {30, 45, 110, 65}},  {"Left", Kind::RadioButton, {30, 75, 70, 95}},
                  {"Off", Kind::PushButton, {10, 110, 60, 135}}, {"Ok", Kind::PushButton, {70, 110, 120, 135}}};
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ControlOf(first, c.name).kind, c.kind);
    EXPECT_EQ(ControlOf(first, c.name).rect, c.rect);
  }
  EXPECT_FALSE(ControlOf(first, "Off").enabled);
  EXPECT_TRUE(ControlOf(first, "Ok").isDefault);
  EXPECT_EQ(ControlOf(first, "Digits").text, "");
  // Before the click the window shows the digits the filter let through,
  // and the focus where the typing put it.
  EXPECT_EQ(ControlOf(seen[1], "Digits").text, "42");
  EXPECT_EQ(seen[1].focus, "Digits");
}

// The screen lists the forms while they exist, as windows that show them
// and tests find them there.
TEST(ScreenTest, ListsTheFormsThatExistInTheOrderTheyWereMade) {
  const int before = Screen->FormCount;
  {
    TTestForm first;
    TTestForm second;
    ASSERT_EQ(Screen->FormCount, before + 2);
    EXPECT_EQ(Screen->Forms[before], &first);
    EXPECT_EQ(Screen->Forms[before + 1], &second);
  }
  EXPECT_EQ(Screen->FormCount, before);
  EXPECT_THROW(Screen->Forms[before], EStringListError);
}

}  // namespace
