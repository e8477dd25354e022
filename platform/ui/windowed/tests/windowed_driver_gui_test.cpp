// The windowed driver on a screen of its own: a dialog model with every kind
// of control shown as a window at its template's places, the person's input
// (FLTK's events) played on the model, message boxes, the file dialog over a
// drive, picks on a terminal, and the answers given replayed by the
// scripted driver into the same transcript.
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "fltk_events.h"
#include "x_display.h"
#include "window_checks.h"
#include "ui/dialog.h"
#include "ui/windowed_driver.h"
#include "window_steps.h"

namespace {

namespace fs = std::filesystem;
namespace st = ui::style;
using guitest::Click;
using guitest::PressKey;

// A fresh folder for one test, removed afterwards.
class Folder {
 public:
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "rw-windowed-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~Folder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A 2 x 2 BMP of one colour (0xRRGGBB).
std::shared_ptr<const std::string> Bitmap(unsigned rgb) {
  std::string file(54 + 16, '\0');
  auto put = [&](size_t at, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  file[0] = 'B', file[1] = 'M';
  put(2, 70, 4), put(10, 54, 4), put(14, 40, 4), put(18, 2, 4), put(22, 2, 4), put(26, 1, 2), put(28, 24, 2);
  for (int pixel = 0; pixel < 4; ++pixel) put(54 + (pixel / 2) * 8 + (pixel % 2) * 3, rgb, 3);
  return std::make_shared<const std::string>(file);
}

ui::DialogTemplate TestTemplate() {
  ui::DialogTemplate t;
  t.id = 77;
  t.caption = "Windowed test";
  t.cx = 220, t.cy = 140;
  t.items = {
      {1, "Button", st::kDefPushButton | st::kTabStop, 110, 120, 50, 14, "OK"},
      {2, "Button", st::kPushButton | st::kTabStop, 165, 120, 50, 14, "Cancel"},
      {3, "Button", st::kGroupBox, 5, 5, 100, 60, "Group"},
      {4, "Static", 0, 10, 18, 38, 10, "Name:"},
      {10, "Edit", st::kBorder | st::kTabStop | st::kEditAutoHScroll, 50, 16, 50, 12, ""},
      {11, "Edit", st::kBorder | st::kEditReadOnly, 50, 32, 50, 12, "fixed"},
      {12, "Edit", st::kBorder | st::kDisabled, 50, 48, 50, 12, "off"},
      {5, "Button", st::kAutoCheckBox | st::kTabStop, 110, 10, 80, 10, "Check"},
      {6, "Button", st::kAutoRadioButton | st::kGroup | st::kTabStop, 110, 24, 80, 10, "One"},
      {7, "Button", st::kAutoRadioButton, 110, 36, 80, 10, "Two"},
      {20, "ComboBox", st::kComboDropDownList | st::kTabStop, 10, 70, 60, 60, ""},
      {21, "ComboBox", st::kComboDropDown | st::kTabStop, 80, 70, 60, 60, ""},
      {22, "ComboBoxEx32", st::kComboDropDownList | st::kTabStop, 150, 70, 60, 60, ""},
      {30, "Static", st::kStaticBitmap, 10, 92, 20, 20, "300"},
      {8, "Static", 1, 40, 92, 60, 10, "Centred"},
      {9, "Static", 0, 40, 106, 60, 10, "Hidden"},
  };
  return t;
}

// The dialog's program: OK and Cancel end it, the close box cancels, and
// each paint fills a swatch red.
class Program : public ui::DialogListener {
 public:
  explicit Program(ui::Dialog& dialog) : dialog_(dialog) { dialog_.setListener(this); }
  void onEvent(const ui::DialogEvent& event) override {
    using K = ui::DialogEventKind;
    if (event.kind == K::Paint) {
      dialog_.beginPaint();
      dialog_.addFill({{250, 140, 270, 160}, 0x0000FF});
    }
    if (event.kind == K::Click && (event.control == 1 || event.control == 2)) dialog_.end(event.control);
    if (event.kind == K::Close) dialog_.end(2);
  }

 private:
  ui::Dialog& dialog_;
};

// The model as the program sets it up before it is shown.
void Prepare(ui::Dialog& d) {
  for (const char* item : {"BMP", "PNG", "TIF"}) d.addItem(d.indexOf(20), {item});
  d.setSelection(d.indexOf(20), 0);
  for (const char* item : {"one", "two"}) d.addItem(d.indexOf(21), {item});
  d.setImageList(d.indexOf(22), {{"icon 1", 16, 16, Bitmap(0x00FF00)}, {"icon 2", 16, 16, Bitmap(0x0000FF)}});
  d.addItem(d.indexOf(22), {"Green", 0, 0});
  d.addItem(d.indexOf(22), {"Blue", 1, 1});
  d.setSelection(d.indexOf(22), 1);
  d.setImage(d.indexOf(30), {"bitmap 300", 2, 2, Bitmap(0xFFFF00)});
  d.setVisible(d.indexOf(9), false);
  d.setTooltip(d.indexOf(10), "Your name");
  d.setFocus(d.indexOf(10));
}

class WindowedDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto driver = ui::WindowedDriver::open(FileSystem());
    driver->writeTranscriptNowhere();
    driver->recordAnswersTo((folder_.path() / "answers.txt").string());
    driver_ = driver.get();
    ui::setDriver(std::move(driver));
  }
  void TearDown() override { ui::setDriver(nullptr); }

  // Drive D: is the test's folder.
  ui::WindowedFileSystem FileSystem() const {
    ui::WindowedFileSystem fs;
    const std::string root = folder_.path().string();
    fs.drives = [root] { return std::vector<std::pair<char, std::string>>{{'D', root}, {'Z', "/"}}; };
    fs.posixPath = [root](const std::string& path) {
      if (path.size() < 2 || (path[0] != 'D' && path[0] != 'd') || path[1] != ':') return std::string();
      std::string rest = path.substr(2);
      for (char& c : rest) c = c == '\\' ? '/' : c;
      return root + rest;
    };
    fs.windowsPath = [root](const std::string& path) {
      std::string rest = path.rfind(root, 0) == 0 ? path.substr(root.size()) : path;
      for (char& c : rest) c = c == '/' ? '\\' : c;
      return "D:" + rest;
    };
    return fs;
  }

  // Each time a window waits, the next step looks at it and acts; a window
  // that waits beyond the steps is closed, and the test fails.
  using Step = ui::testing::WindowSteps::Step;
  void Steps(std::vector<Step> steps) { steps_.play(*driver_, std::move(steps)); }

  std::string Recorded() const {
    std::ifstream in(folder_.path() / "answers.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static fs::path ScreenshotPath(const std::string& name) { return fs::path(SCREENSHOT_DIR) / (name + ".png"); }

  Folder folder_;
  ui::WindowedDriver* driver_ = nullptr;
  ui::testing::WindowSteps steps_;
};

template <class W>
W* As(const ui::WindowOnScreen& w, const std::string& name) {
  return guitest::WidgetOf<W>(w, name);
}

TEST_F(WindowedDriverTest, ADialogIsShownAsItsTemplateAndThePersonsInputPlaysOnItsModel) {
  ui::Dialog dialog(TestTemplate());
  Program program(dialog);
  Prepare(dialog);
  const fs::path shot = ScreenshotPath("windowed-driver-dialog");
  // One input each time the window waits, as a person gives it.
  Steps({
      [&](const ui::WindowOnScreen& w) {
        EXPECT_EQ(w.target, "77");
        guitest::ExpectDialogAsItsTemplate(w, dialog);
        ASSERT_TRUE(guitest::Screenshot(*w.window, shot));
        EXPECT_EQ(guitest::PixelOf(shot, 260, 150), 0xFF0000u);  // the program's fill
        const ui::PixelRect picture = dialog.control(30)->rect;
        EXPECT_EQ(guitest::PixelOf(shot, picture.left, picture.top), 0xFFFF00u);  // the bitmap
        guitest::Type(*w.window, "a");  // into the focused edit
      },
      [&](const ui::WindowOnScreen& w) { guitest::Type(*w.window, "b"); },
      [&](const ui::WindowOnScreen& w) { PressKey(*w.window, FL_BackSpace); },
      [&](const ui::WindowOnScreen& w) { Click(*w.window, *As<Fl_Widget>(w, "5")); },  // the check box
      [&](const ui::WindowOnScreen& w) { PressKey(*w.window, FL_Tab); },  // on to the first radio button
      [&](const ui::WindowOnScreen& w) {
        EXPECT_EQ(Fl::focus(), As<Fl_Widget>(w, "6"));  // the model's focus is shown
        Click(*w.window, *As<Fl_Widget>(w, "7"));
      },
      [&](const ui::WindowOnScreen& w) { guitest::ClickAt(*w.window, 300, 150); },  // the dialog itself
      [&](const ui::WindowOnScreen& w) { Click(*w.window, *As<Fl_Widget>(w, "12")); },  // disabled: let through
      [&](const ui::WindowOnScreen& w) {
        // The window shows what the model holds now.
        EXPECT_STREQ(As<Fl_Input>(w, "10")->value(), "a");
        EXPECT_EQ(As<Fl_Button>(w, "5")->value(), 1);
        EXPECT_EQ(As<Fl_Button>(w, "6")->value(), 0);
        EXPECT_EQ(As<Fl_Button>(w, "7")->value(), 1);
        PressKey(*w.window, FL_Enter);  // the focused push button, else the default one
      },
  });
  EXPECT_EQ(dialog.runModal(), 1);
  EXPECT_EQ(dialog.control(10)->text, "a");
  EXPECT_EQ(dialog.control(5)->checked, 1);
  EXPECT_EQ(dialog.control(7)->checked, 1);

  const std::string expected =
      "# The answers given in a windowed run; replay them with --ui script --answers FILE\n"
      "dialog 77 type 10 a\n"
      "dialog 77 type 10 b\n"
      "dialog 77 key 10 Backspace\n"
      "dialog 77 click 5\n"
      "dialog 77 key 5 Tab\n"
      "dialog 77 click 7\n"
      "dialog 77 mouse 300 150\n"
      "dialog 77 mouse " + std::to_string(dialog.control(12)->rect.left + dialog.control(12)->rect.width() / 2) +
      " " + std::to_string(dialog.control(12)->rect.top + dialog.control(12)->rect.height() / 2) + "\n"
      "dialog 77 key 7 Enter\n";
  EXPECT_EQ(Recorded(), expected);

  // The answers given, replayed by the scripted driver on the same dialog,
  // give the same transcript.
  const std::string windowed = driver_->transcript();
  auto replay = ui::ScriptedDriver::fromFile((folder_.path() / "answers.txt").string());
  replay->writeTranscriptNowhere();
  ui::ScriptedDriver* scripted = replay.get();
  ui::setDriver(std::move(replay));
  ui::Dialog again(TestTemplate());
  Program program2(again);
  Prepare(again);
  EXPECT_EQ(again.runModal(), 1);
  EXPECT_EQ(scripted->transcript(), windowed);
  EXPECT_TRUE(scripted->remainingAnswers().empty());
}

TEST_F(WindowedDriverTest, MessageBoxesShowTheirButtonsAndAnswerWithThePressedOne) {
  // An owner to stand over: a dialog that asks, from its OK, a question.
  const struct {
    const char* what;
    unsigned type;
    std::vector<const char*> buttons;
    std::function<void(const ui::WindowOnScreen&)> act;
    int answer;
  } cases[] = {
      {"Enter takes the default", 0x23, {"yes", "no", "cancel"},
       [](const ui::WindowOnScreen& w) { PressKey(*w.window, FL_Enter); }, ui::kIdYes},
      {"the second is the default", 0x123, {"yes", "no", "cancel"},
       [](const ui::WindowOnScreen& w) { PressKey(*w.window, FL_Enter); }, ui::kIdNo},
      {"a click", 0x04, {"yes", "no"},
       [](const ui::WindowOnScreen& w) { Click(*w.window, *w.widgets.at("no")); }, ui::kIdNo},
      {"the close box is Cancel", 0x31, {"ok", "cancel"},
       [](const ui::WindowOnScreen& w) { w.window->do_callback(); }, ui::kIdCancel},
      {"Escape on OK alone is OK", 0x10, {"ok"},
       [](const ui::WindowOnScreen& w) { PressKey(*w.window, FL_Escape); }, ui::kIdOk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Steps({[&](const ui::WindowOnScreen& w) {
      EXPECT_EQ(w.target, "msgbox");
      EXPECT_STREQ(w.window->label(), "Rasterwerk");
      for (const char* button : c.buttons) EXPECT_EQ(w.widgets.count(button), 1u) << button;
      EXPECT_EQ(w.widgets.size(), c.buttons.size() + ((c.type & 0xF0) ? 2 : 1));  // with its text and icon
      EXPECT_STREQ(w.widgets.at("text")->label(), "The file exists.\nOverwrite it?");
      EXPECT_TRUE(guitest::Screenshot(*w.window, ScreenshotPath("windowed-driver-msgbox")));
      c.act(w);
    }});
    EXPECT_EQ(driver_->messageBox({"The file exists.\nOverwrite it?", "Rasterwerk", c.type, ""}), c.answer);
  }
  EXPECT_NE(driver_->transcript().find("msgbox caption=\"Rasterwerk\" buttons=yesnocancel icon=question owner=\"\" "
                                       "-> no\n  | The file exists.\n  | Overwrite it?\n"),
            std::string::npos);
  EXPECT_NE(Recorded().find("msgbox yes\nmsgbox no\nmsgbox no\nmsgbox cancel\nmsgbox ok\n"), std::string::npos);
}

TEST_F(WindowedDriverTest, TheFileDialogShowsTheDrivesAsFoldersAndGivesAWindowsPath) {
  for (const char* name : {"site.png", "site.jpg", "notes.txt", "plots/old.png"}) {
    fs::create_directories((folder_.path() / name).parent_path());
    std::ofstream(folder_.path() / name) << "x";
  }
  ui::FileDialogRequest request;
  request.open = true;
  request.title = "Image source";
  request.filter = "Pictures|*.png;*.jpg|All files|*.*|";
  request.initialName = "D:\\site.png";
  request.flags = 0x1000;
  auto entries = [](const ui::WindowOnScreen& w) {
    auto* list = dynamic_cast<Fl_Hold_Browser*>(w.widgets.at("list"));
    std::vector<std::string> lines;
    for (int i = 1; i <= list->size(); ++i) lines.push_back(list->text(i));
    return lines;
  };
  Steps({[&](const ui::WindowOnScreen& w) {
    EXPECT_STREQ(w.window->label(), "Image source");
    EXPECT_STREQ(w.widgets.at("folder")->label(), "D:\\");
    EXPECT_STREQ(dynamic_cast<Fl_Input*>(w.widgets.at("name"))->value(), "site.png");
    // The filter lets the pictures through; folders are listed first.
    EXPECT_EQ(entries(w), (std::vector<std::string>{"..", "plots\\", "site.jpg", "site.png"}));
    EXPECT_TRUE(guitest::Screenshot(*w.window, ScreenshotPath("windowed-driver-filedialog")));
    // Up from the drive's root: the drives of the map.
    auto* list = dynamic_cast<Fl_Hold_Browser*>(w.widgets.at("list"));
    guitest::ClickAt(*w.window, list->x() + 20, list->y() + 8, true);
    EXPECT_EQ(entries(w), (std::vector<std::string>{"D:\\", "Z:\\"}));
    guitest::ClickAt(*w.window, list->x() + 20, list->y() + 8, true);  // into D:
    EXPECT_EQ(entries(w).size(), 4u);
    // A name that is not there is refused; one that is, chosen.
    Fl::focus(w.widgets.at("name"));
    dynamic_cast<Fl_Input*>(w.widgets.at("name"))->value("plots\\gone.png");
    PressKey(*w.window, FL_Enter);
    dynamic_cast<Fl_Input*>(w.widgets.at("name"))->value("plots\\old.png");
    PressKey(*w.window, FL_Enter);
  }});
  EXPECT_EQ(driver_->fileDialog(request), std::optional<std::string>("D:\\plots\\old.png"));
  Steps({[&](const ui::WindowOnScreen& w) { Click(*w.window, *w.widgets.at("cancel")); }});
  EXPECT_EQ(driver_->fileDialog(request), std::nullopt);
  EXPECT_NE(driver_->transcript().find("filedialog open title=\"Image source\" filter=\"Pictures|*.png;*.jpg|All "
                                       "files|*.*|\" ext=\"\" name=\"D:\\site.png\" flags=0x1000 owner=\"\" -> "
                                       "\"D:\\plots\\old.png\"\n"),
            std::string::npos);
  EXPECT_NE(Recorded().find("file D:\\plots\\old.png\nfile cancel\n"), std::string::npos);
}

TEST_F(WindowedDriverTest, PicksAreAskedOnTheTerminal) {
  std::FILE* reply = std::tmpfile();
  std::FILE* prompt = std::tmpfile();
  std::fputs("2a\n\n\x1b\n", reply);
  std::rewind(reply);
  driver_->askPicksOn(prompt, reply);
  EXPECT_EQ(driver_->pick("Select objects: ").handle, "2A");
  EXPECT_EQ(driver_->pick("Select objects: ").kind, ui::PickAnswer::Kind::Nothing);
  EXPECT_EQ(driver_->pick("Select objects: ").kind, ui::PickAnswer::Kind::Cancel);
  driver_->askPicksOn(stderr, stdin);
  std::fclose(reply);
  std::fclose(prompt);
  EXPECT_NE(driver_->transcript().find("pick prompt=\"Select objects: \" -> 2A\n"
                                       "pick prompt=\"Select objects: \" -> enter\n"
                                       "pick prompt=\"Select objects: \" -> cancel\n"),
            std::string::npos);
  EXPECT_NE(Recorded().find("pick 2A\npick enter\npick cancel\n"), std::string::npos);
}

// A question window (the layer dialog's kind): native editing, and the
// window's own model turns the input into the answer.
class Question : public ui::ShownWindow {
 public:
  ui::WindowView view() const override {
    ui::WindowView v;
    v.kind = v.target = "question";
    v.caption = "Question";
    v.width = 200, v.height = 80;
    v.keysOneByOne = false;
    ui::ViewControl name;
    name.name = "name", name.kind = ui::ViewControl::Kind::Edit, name.rect = {10, 10, 190, 32}, name.text = text;
    ui::ViewControl ok;
    ok.name = "ok", ok.kind = ui::ViewControl::Kind::PushButton, ok.rect = {100, 45, 190, 70}, ok.text = "OK";
    ok.isDefault = true;
    v.controls = {name, ok};
    return v;
  }
  std::optional<std::vector<std::string>> answer(const ui::ControlAction& action) override {
    if (action.verb == "set") text = action.args.at(1);
    if (action.verb == "click") return std::vector<std::string>{"named", text};
    if (action.verb == "close") return std::vector<std::string>{"cancel"};
    return std::nullopt;
  }
  std::string text = "old";
};

TEST_F(WindowedDriverTest, AQuestionWindowTakesTheWholeTextAndAnswersInOneGo) {
  Question question;
  const ui::OpenWindow open(question);
  Steps({[&](const ui::WindowOnScreen& w) {
           auto* name = dynamic_cast<Fl_Input*>(w.widgets.at("name"));
           Fl::focus(name);
           name->value("Bild");
           name->set_changed();
           PressKey(*w.window, FL_Enter);  // ends the typing, then presses OK
         },
         [](const ui::WindowOnScreen&) {}});
  EXPECT_EQ(driver_->take("question"), (std::vector<std::string>{"named", "Bild"}));
  EXPECT_NE(driver_->transcript().find("question -> named Bild\n"), std::string::npos);
  EXPECT_NE(Recorded().find("question named Bild\n"), std::string::npos);
  // Nobody asks for another kind: it takes its default answer.
  EXPECT_EQ(driver_->take("editor"), std::nullopt);
}

}  // namespace
