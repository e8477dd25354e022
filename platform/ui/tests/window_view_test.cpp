// A dialog as a window shows it, and the open window a modal run offers the
// driver for its length.
#include <gtest/gtest.h>

#include "ui/dialog.h"
#include "ui/scripted_driver.h"
#include "ui/window_view.h"

namespace {

using namespace ui;
using Kind = ViewControl::Kind;

DialogTemplate ViewTemplate() {
  using namespace ui::style;
  return {40, "View", 0, "MS Shell Dlg", 8, 200, 100,
          {{1, "Button", kDefPushButton | kTabStop, 10, 80, 50, 14, "OK"},
           {3, "Button", kAutoCheckBox | kTabStop, 10, 10, 50, 10, "Box"},
           {4, "Button", kAutoRadioButton | kGroup, 10, 24, 50, 10, "On"},
           {5, "Button", kGroupBox, 70, 5, 120, 60, "Group"},
           {6, "Static", 0x1u, 80, 20, 40, 10, "Centre"},
           {7, "Static", kStaticIcon, 130, 20, 20, 20, "5"},
           {8, "Edit", kBorder | kEditReadOnly, 80, 40, 60, 12, "fixed"},
           {9, "ComboBox", kComboDropDownList | kTabStop, 10, 40, 50, 60, ""},
           {10, "ComboBoxEx32", kComboDropDown, 10, 60, 50, 60, ""},
           {-1, "Static", 0, 150, 80, 40, 10, "no id"}}};
}

const ViewControl* Named(const WindowView& view, const std::string& name) {
  for (const auto& c : view.controls)
    if (c.name == name) return &c;
  return nullptr;
}

TEST(DialogView, ShowsEveryControlWithItsKindPlaceTextAndState) {
  Dialog dialog(ViewTemplate());
  dialog.setEnabled(dialog.indexOf(3), false);
  dialog.setVisible(dialog.indexOf(4), false);
  dialog.setChecked(dialog.indexOf(3), 1);
  dialog.addItem(dialog.indexOf(9), {"PNG"});
  dialog.setSelection(dialog.indexOf(9), 0);
  dialog.setImageList(dialog.indexOf(10), {{"icon 1", 16, 16, std::make_shared<const std::string>("ICO")}});
  dialog.addItem(dialog.indexOf(10), {"Editor", 0, 0});
  dialog.setTooltip(dialog.indexOf(8), "Read only");
  dialog.setIcon({"icon 5", 32, 32}, true);
  dialog.setFocus(dialog.indexOf(9));
  dialog.addFill({{1, 2, 3, 4}, 0x0000FF});
  const WindowView view = dialog.view();

  EXPECT_EQ(view.kind, "dialog");
  EXPECT_EQ(view.target, "40");
  EXPECT_EQ(view.caption, "View");
  EXPECT_EQ(view.width, 300);
  EXPECT_EQ(view.height, 163);
  EXPECT_EQ(view.icon.name, "icon 5");
  EXPECT_EQ(view.focus, "9");
  EXPECT_TRUE(view.keysOneByOne);
  ASSERT_EQ(view.fills.size(), 1u);
  // The template's first control lies on top: last in the view.
  ASSERT_EQ(view.controls.size(), 10u);
  EXPECT_EQ(view.controls.back().name, "1");
  EXPECT_EQ(view.controls.front().name, "");  // the static without id
  const struct {
    const char* name;
    Kind kind;
  } kinds[] = {{"1", Kind::PushButton}, {"3", Kind::CheckBox},     {"4", Kind::RadioButton},
               {"5", Kind::GroupBox},   {"6", Kind::Label},        {"7", Kind::Picture},
               {"8", Kind::Edit},       {"9", Kind::DropDownList}, {"10", Kind::ComboBox}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.name);
    const ViewControl* c = Named(view, k.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->kind, k.kind);
  }
  EXPECT_EQ(Named(view, "1")->rect, (PixelRect{15, 130, 90, 153}));
  EXPECT_TRUE(Named(view, "1")->isDefault);
  EXPECT_EQ(Named(view, "9")->rect.height(), 21);  // a closed drop-down list
  EXPECT_FALSE(Named(view, "3")->enabled);
  EXPECT_EQ(Named(view, "3")->checked, 1);
  EXPECT_FALSE(Named(view, "4")->visible);
  EXPECT_EQ(Named(view, "6")->align, ViewControl::Align::Centre);
  EXPECT_TRUE(Named(view, "8")->readOnly);
  EXPECT_EQ(Named(view, "8")->text, "fixed");
  EXPECT_EQ(Named(view, "8")->tooltip, "Read only");
  EXPECT_EQ(Named(view, "9")->selection, 0);
  ASSERT_EQ(Named(view, "10")->items.size(), 1u);
  EXPECT_EQ(Named(view, "10")->items[0].image, 0);
  ASSERT_EQ(Named(view, "10")->images.size(), 1u);
  EXPECT_EQ(*Named(view, "10")->images[0].data, "ICO");  // the picture's bytes travel with it
  EXPECT_TRUE(Named(view, "9")->tabStop);
  EXPECT_FALSE(Named(view, "8")->tabStop);
}

// A driver that watches the windows open and close, and what the open one
// shows each time it is asked for input.
class WatchingDriver : public ScriptedDriver {
 public:
  using ScriptedDriver::ScriptedDriver;
  void windowOpened(ShownWindow& window) override {
    open.push_back(&window);
    log.push_back("opened " + window.view().target);
  }
  void windowClosed(ShownWindow& window) override {
    log.push_back("closed " + window.view().target);
    std::erase(open, &window);
  }
  std::optional<ControlAction> nextAction(const std::string& target) override {
    log.push_back("asked " + target + (open.empty() ? "" : " showing \"" + Named(open.back()->view(), "8")->text + "\""));
    return ScriptedDriver::nextAction(target);
  }
  std::vector<ShownWindow*> open;
  std::vector<std::string> log;
};

TEST(OpenWindows, AModalRunIsOpenForItsLengthAndShowsTheModelAsItIsNow) {
  const auto answers = ScriptedDriver::fromText("dialog 40 set 8 typed\n")->remainingAnswers();
  auto owned = std::make_unique<WatchingDriver>(std::deque<Answer>(answers.begin(), answers.end()));
  WatchingDriver& driver = *owned;
  driver.writeTranscriptNowhere();
  setDriver(std::move(owned));
  Dialog dialog(ViewTemplate());
  dialog.setReadOnly(dialog.indexOf(8), false);
  dialog.runModal();
  EXPECT_EQ(driver.log, (std::vector<std::string>{"opened 40", "asked 40 showing \"fixed\"",
                                                  "asked 40 showing \"typed\"", "closed 40"}));
  EXPECT_TRUE(driver.open.empty());
  setDriver(nullptr);
}

}  // namespace
