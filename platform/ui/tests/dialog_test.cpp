// The dialog model: dialog units, controls from a template, and the modal
// run driven by scripted answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ui/dialog.h"
#include "ui/scripted_driver.h"

namespace {

using ::testing::HasSubstr;

using namespace ui;
using K = DialogEventKind;

TEST(DialogUnits, ConvertWithTheShellFontBaseUnitsRoundingAsMulDiv) {
  struct Case {
    int units, x, y;
  } cases[] = {{0, 0, 0}, {1, 2, 2}, {2, 3, 3}, {7, 11, 11}, {12, 18, 20}, {137, 206, 223}, {268, 402, 436}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(dialogUnitsToPixelsX(c.units), c.x) << c.units;
    EXPECT_EQ(dialogUnitsToPixelsY(c.units), c.y) << c.units;
  }
  EXPECT_EQ(dialogUnitsToPixels(54, 137, 12, 15), (PixelRect{81, 223, 99, 247}));
}

// OK and Cancel, an edit, a read-only edit, a drop-down list, a check box,
// two radio buttons, a group box and a picture static.
DialogTemplate TestTemplate() {
  using namespace ui::style;
  return {77, "Test", 0, "MS Shell Dlg", 8, 200, 120,
          {{1, "Button", kDefPushButton | kTabStop, 10, 100, 50, 14, "OK"},
           {2, "Button", kPushButton | kTabStop, 70, 100, 50, 14, "Cancel"},
           {10, "Edit", kEditAutoHScroll | kBorder | kTabStop, 10, 10, 100, 14, ""},
           {11, "Edit", kEditReadOnly | kBorder | kTabStop, 10, 30, 100, 14, "fixed"},
           {12, "ComboBox", kComboDropDownList | kComboSort | kTabStop, 10, 50, 60, 40, ""},
           {13, "Button", kAutoCheckBox | kTabStop, 120, 10, 50, 10, "Box"},
           {14, "Button", kAutoRadioButton | kGroup, 120, 30, 30, 10, "on"},
           {15, "Button", kAutoRadioButton, 150, 30, 30, 10, "off"},
           {16, "Button", kGroupBox, 120, 50, 40, 30, ""},
           {-1, "Static", kStaticBitmap, 170, 50, 10, 10, "300"},
           {17, "Button", kPushButton | kTabStop | kDisabled, 130, 100, 50, 14, "Off"}}};
}

// Records every event; optional reactions run after recording.
struct Recorder : DialogListener {
  std::vector<std::string> events;
  std::function<void(const DialogEvent&)> react;
  std::function<bool(const DialogInput&)> filter;

  void onEvent(const DialogEvent& e) override {
    static const char* names[] = {"click", "changed", "focuslost", "selchange", "paint", "lbuttondown", "close"};
    std::string line = names[static_cast<int>(e.kind)];
    if (e.kind == K::LeftButtonDown) line += " " + std::to_string(e.x) + "," + std::to_string(e.y);
    else if (e.control) line += " " + std::to_string(e.control);
    events.push_back(line);
    if (react) react(e);
  }
  bool preTranslate(const DialogInput& input) override { return filter && filter(input); }
};

class DialogRun : public ::testing::Test {
 protected:
  DialogRun() : dialog(TestTemplate()) {
    dialog.setListener(&recorder);
    dialog.addItem(dialog.indexOf(12), {"TIF"});
    dialog.addItem(dialog.indexOf(12), {"BMP"});
    recorder.react = [this](const DialogEvent& e) {
      if (e.kind == K::Click && (e.control == 1 || e.control == 2)) dialog.end(e.control);
    };
  }

  // Runs the dialog with the answers; returns the transcript.
  std::string Run(const std::string& answers) {
    auto driver = ScriptedDriver::fromText(answers);
    driver->writeTranscriptNowhere();
    auto* scripted = driver.get();
    setDriver(std::move(driver));
    result = dialog.runModal();
    std::string text = scripted->transcript();
    setDriver(nullptr);
    return text;
  }

  std::vector<std::string> EventsWithoutPaint() const {
    std::vector<std::string> out;
    for (const auto& e : recorder.events)
      if (e != "paint") out.push_back(e);
    return out;
  }

  Recorder recorder;
  Dialog dialog;
  int result = -1;
};

TEST_F(DialogRun, ControlsStartFromTheirTemplate) {
  const Control& readOnly = *dialog.control(11);
  EXPECT_TRUE(readOnly.readOnly);
  EXPECT_EQ(readOnly.text, "fixed");
  EXPECT_FALSE(dialog.control(17)->enabled);
  EXPECT_EQ(dialog.controls()[9].text, "") << "a picture static shows no text";
  EXPECT_EQ(dialog.control(12)->items[0].text, "BMP") << "a sorted list keeps its items in order";
  EXPECT_EQ(dialog.control(14)->rect, dialogUnitsToPixels(120, 30, 30, 10));
}

TEST_F(DialogRun, EachAnswerReachesTheProgramAsItsEvent) {
  const std::string transcript = Run(
      "dialog 77 set 10 abc\n"
      "dialog 77 leave 10\n"
      "dialog 77 select 12 TIF\n"
      "dialog 77 check 13\n"
      "dialog 77 check 15\n"
      "dialog 77 mouse 190 85\n"
      "dialog 77 close\n"
      "dialog 77 click 1\n");
  EXPECT_EQ(EventsWithoutPaint(),
            (std::vector<std::string>{"changed 10", "focuslost 10", "focuslost 11", "selchange 12", "focuslost 12",
                                      "click 13",
                                      "focuslost 13", "click 15", "lbuttondown 190,85", "close", "focuslost 15",
                                      "click 1"}));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(dialog.control(10)->text, "abc");
  EXPECT_EQ(dialog.control(12)->selection, 1);
  EXPECT_EQ(dialog.control(13)->checked, 1);
  EXPECT_EQ(dialog.control(15)->checked, 1);
  EXPECT_THAT(transcript, HasSubstr("input 77 -> set 10 abc"));
}

TEST_F(DialogRun, RadioButtonsOfAGroupExcludeEachOther) {
  Run("dialog 77 click 14\ndialog 77 click 15\ndialog 77 click 1\n");
  EXPECT_EQ(dialog.control(14)->checked, 0);
  EXPECT_EQ(dialog.control(15)->checked, 1);
}

TEST_F(DialogRun, KeysTypeIntoEditsAndPressTheDefaultAndCancelButtons) {
  Run("dialog 77 type 10 ab\ndialog 77 key 10 Backspace\ndialog 77 key 10 Enter\n");
  EXPECT_EQ(dialog.control(10)->text, "a");
  EXPECT_EQ(EventsWithoutPaint(), (std::vector<std::string>{"changed 10", "changed 10", "changed 10", "click 1"}));
  EXPECT_EQ(result, 1);

  recorder.events.clear();
  Run("dialog 77 key 10 Escape\n");
  EXPECT_EQ(result, 2);
}

TEST_F(DialogRun, KeyNamesAreReadInAnyCaseWithEscAndReturnAsAliases) {
  struct Case {
    const char* key;
    int result;
  } cases[] = {{"esc", 2}, {"ESCAPE", 2}, {"return", 1}, {"enter", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Run(std::string("dialog 77 key 10 ") + c.key + "\n");
    EXPECT_EQ(result, c.result);
  }
}

TEST_F(DialogRun, InputThatCannotBeDoneIsIgnoredAndSaidSo) {
  const std::string transcript = Run(
      "dialog 77 click 17\n"
      "dialog 77 set 11 other\n"
      "dialog 77 select 12 PNG\n"
      "dialog 77 click 99\n"
      "dialog 77 click 1\n");
  EXPECT_EQ(EventsWithoutPaint(), (std::vector<std::string>{"click 1"}));
  EXPECT_EQ(dialog.control(11)->text, "fixed");
  for (const char* why : {"17 is disabled", "11 is read-only", "12 has no item PNG", "no control 99"}) {
    SCOPED_TRACE(why);
    EXPECT_THAT(transcript, HasSubstr(std::string("dialog 77: ignored, ") + why));
  }
}

TEST_F(DialogRun, WithoutInputLeftItClosesAsByItsCloseBox) {
  const std::string transcript = Run("");
  EXPECT_EQ(EventsWithoutPaint(), (std::vector<std::string>{"close"}));
  EXPECT_EQ(result, 2) << "the program did not end it on close, so it ends as cancelled";
  EXPECT_THAT(transcript, HasSubstr("input 77 -> no answer"));
  EXPECT_THAT(transcript, HasSubstr("dialog 77: no input left, the window is closed"));
}

TEST_F(DialogRun, PaintsFirstAndAgainBeforeTheNextInputWhenInvalidated) {
  recorder.react = [this](const DialogEvent& e) {
    if (e.kind == K::Paint) dialog.beginPaint(), dialog.addFill({{1, 2, 3, 4}, 0x0000FF});
    if (e.kind == K::Click && e.control == 13) dialog.invalidate();
    if (e.kind == K::Click && e.control == 1) dialog.end(1);
  };
  const std::string transcript = Run("dialog 77 click 13\ndialog 77 click 2\ndialog 77 click 1\n");
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"paint", "click 13", "paint", "focuslost 13", "click 2", "focuslost 2",
                                      "click 1"}));
  EXPECT_THAT(transcript, HasSubstr("  paint fill 1,2,3,4 #FF0000"));
}

TEST_F(DialogRun, ProgramTextChangesOfEditsAreReported) {
  dialog.setText(dialog.indexOf(10), "x");
  dialog.setText(dialog.indexOf(13), "Label");
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"changed 10"}));
}

TEST_F(DialogRun, AFilteredInputGoesNoFurther) {
  std::vector<std::string> seen;
  recorder.filter = [&](const DialogInput& input) {
    seen.push_back(std::to_string(input.control) + (input.kind == DialogInput::Kind::Key ? " key " + input.key : " mouse"));
    return input.control == 13;
  };
  Run("dialog 77 click 13\ndialog 77 key 10 x\ndialog 77 click 1\n");
  EXPECT_EQ(seen, (std::vector<std::string>{"13 mouse", "10 key x", "1 mouse"}));
  EXPECT_EQ(dialog.control(13)->checked, 0);
  EXPECT_EQ(dialog.control(10)->text, "x");
}

TEST_F(DialogRun, AHiddenDialogReadsNoInputUntilShownAgain) {
  Dialog inner({78, "Inner", 0, "MS Shell Dlg", 8, 50, 50, {{1, "Button", style::kDefPushButton, 0, 0, 10, 10, "OK"}}});
  Recorder innerRecorder;
  innerRecorder.react = [&](const DialogEvent& e) {
    if (e.kind == K::Click) inner.end(1);
  };
  inner.setListener(&innerRecorder);
  recorder.react = [&](const DialogEvent& e) {
    if (e.kind != K::Click) return;
    if (e.control == 13) {  // a tool runs with the dialog hidden
      dialog.show(false);
      inner.runModal();
      dialog.show(true);
    }
    if (e.control == 1) dialog.end(1);
  };
  const std::string transcript = Run("dialog 77 click 13\ndialog 78 click 1\ndialog 77 click 1\n");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(innerRecorder.events, (std::vector<std::string>{"paint", "click 1"}));
  EXPECT_LT(transcript.find("dialog 78 closed"), transcript.find("input 77 -> click 1\n"));
  EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "paint"), 2) << "painted again when shown";

  recorder.react = [&](const DialogEvent& e) {
    if (e.kind == K::Click) dialog.show(false);
  };
  const std::string hidden = Run("dialog 77 click 13\ndialog 77 click 1\n");
  EXPECT_THAT(hidden, HasSubstr("dialog 77: hidden with no one to show it again, the window is closed"));
}

TEST_F(DialogRun, TheTranscriptShowsEveryControlAsItOpensAndCloses) {
  dialog.setTooltip(dialog.indexOf(2), "Leave");
  dialog.setImage(9, {"bitmap 300", 16, 16});
  const std::string transcript = Run("dialog 77 set 10 \"a \"\"b\"\"\"\ndialog 77 click 1\n");
  const char* expected =
      "dialog 77 closed caption=\"Test\" result=1 focus=1\n"
      "  Button 1 \"OK\" default\n"
      "  Button 2 \"Cancel\" tooltip=\"Leave\"\n"
      "  Edit 10 text=\"a \"\"b\"\"\"\n"
      "  Edit 11 text=\"fixed\" readonly\n"
      "  ComboBox 12 text=\"\" items=[\"BMP\",\"TIF\"] selection=-1\n"
      "  Button 13 \"Box\" checkbox unchecked\n"
      "  Button 14 \"on\" radio unchecked\n"
      "  Button 15 \"off\" radio unchecked\n"
      "  Button 16 \"\" group\n"
      "  Static - \"\" image=\"bitmap 300\" 16x16\n"
      "  Button 17 \"Off\" disabled\n";
  EXPECT_THAT(transcript, HasSubstr(expected));
  EXPECT_THAT(transcript, HasSubstr("dialog 77 opened caption=\"Test\" focus=-"));
}

}  // namespace
