#include "ui/scripted_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "testing/temp_folder.h"
#include "ui/answer_kinds.h"

namespace ui {
namespace {

using ::testing::HasSubstr;

namespace fs = std::filesystem;

// Kinds of answer of components outside the driver, registered as those
// register theirs: a choice of a key and a name, and the user finishing.
const AnswerKindRegistration kChooser({"chooser", [](const std::vector<std::string>& w) {
                                         return w.size() == 2 ? "" : "expects KEY NAME";
                                       }});
const AnswerKindRegistration kFinish({"finish", [](const std::vector<std::string>& w) {
                                        return w.size() == 1 && w[0] == "done" ? "" : "expects done";
                                      }, true});

std::unique_ptr<ScriptedDriver> scripted(const std::string& answers) {
  auto d = ScriptedDriver::fromText(answers);
  d->writeTranscriptNowhere();
  return d;
}

MessageBoxRequest box(unsigned type, std::string text = "Overwrite?") {
  return {std::move(text), "Rasterwerk", type, "Main"};
}

struct BoxCase {
  const char* answers;
  unsigned type;
  int expected;
  const char* transcriptAnswer;
};

TEST(ScriptedDriverMessageBox, AnswersFromScriptOrByDefault) {
  const BoxCase cases[] = {
      {"msgbox yes", 0x23, kIdYes, "-> yes"},
      {"msgbox no", 0x23, kIdNo, "-> no"},
      {"", 0x23, kIdCancel, "-> cancel (no answer)"},
      {"", 0x10, kIdOk, "-> ok (no answer)"},
      {"", 0x24, kIdNo, "-> no (no answer)"},
      {"", 0x02, kIdAbort, "-> abort (no answer)"},
      {"file cancel", 0x01, kIdCancel, "-> cancel (no answer)"},
      {"msgbox yes", 0x10, kIdOk, "-> ok (answer 'yes' of line 1 is not a button of this box)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    auto d = scripted(c.answers);
    EXPECT_EQ(d->messageBox(box(c.type)), c.expected) << c.answers;
    EXPECT_THAT(d->transcript(), HasSubstr(c.transcriptAnswer));
  }
}

TEST(ScriptedDriverMessageBox, TranscriptShowsEveryPartOfTheBox) {
  auto d = scripted("msgbox no");
  d->messageBox({"First line\r\nD:\\work\\x.psd exists", "Rasterwerk \"1\"", 0x23, "Main"});
  EXPECT_EQ(d->transcript(),
            "msgbox caption=\"Rasterwerk \"\"1\"\"\" buttons=yesnocancel icon=question "
            "owner=\"Main\" -> no\n"
            "  | First line\n"
            "  | D:\\work\\x.psd exists\n");
}

TEST(ScriptedDriver, AnswersAreTakenStrictlyInOrder) {
  // The file answer is not taken by the message box in front of it.
  auto d = scripted("file D:\\a.png\nmsgbox yes");
  EXPECT_EQ(d->messageBox(box(0x23)), kIdCancel);
  EXPECT_EQ(d->fileDialog({}), std::optional<std::string>("D:\\a.png"));
  EXPECT_EQ(d->messageBox(box(0x23)), kIdYes);
  EXPECT_TRUE(d->remainingAnswers().empty());
}

TEST(ScriptedDriver, FileDialogAnswersPathOrCancel) {
  auto d = scripted("file \"D:\\My Work\\a.png\"\nfile cancel");
  FileDialogRequest save{false, "Save plot", "PNG (*.png)|*.png|", "png", "plot", 2, "Main"};
  EXPECT_EQ(d->fileDialog(save), std::optional<std::string>("D:\\My Work\\a.png"));
  EXPECT_EQ(d->fileDialog(save), std::nullopt);
  EXPECT_EQ(d->fileDialog(save), std::nullopt);
  EXPECT_EQ(d->transcript(),
            "filedialog save title=\"Save plot\" filter=\"PNG (*.png)|*.png|\" ext=\"png\" "
            "name=\"plot\" flags=0x2 owner=\"Main\" -> \"D:\\My Work\\a.png\"\n"
            "filedialog save title=\"Save plot\" filter=\"PNG (*.png)|*.png|\" ext=\"png\" "
            "name=\"plot\" flags=0x2 owner=\"Main\" -> cancel\n"
            "filedialog save title=\"Save plot\" filter=\"PNG (*.png)|*.png|\" ext=\"png\" "
            "name=\"plot\" flags=0x2 owner=\"Main\" -> cancel (no answer)\n");
}

TEST(ScriptedDriver, PicksGiveHandleEnterOrCancel) {
  auto d = scripted("pick 2a\npick enter\npick cancel");
  auto entity = d->pick("Select objects: ");
  EXPECT_EQ(entity.kind, PickAnswer::Kind::Entity);
  EXPECT_EQ(entity.handle, "2A");
  EXPECT_EQ(d->pick("Select objects: ").kind, PickAnswer::Kind::Nothing);
  EXPECT_EQ(d->pick("Select objects: ").kind, PickAnswer::Kind::Cancel);
  EXPECT_EQ(d->pick("Select objects: ").kind, PickAnswer::Kind::Cancel);
  EXPECT_THAT(d->transcript(), HasSubstr("pick prompt=\"Select objects: \" -> 2A\n"));
  EXPECT_THAT(d->transcript(), HasSubstr("-> cancel (no answer)\n"));
}

TEST(ScriptedDriver, ControlActionsGoOnlyToTheirWindow) {
  auto d = scripted(
      "dialog 12000 set 12002 \"D:\\My Work\"\nform frmSchraffur click btnOK\n"
      "dialog 12000 click 1");
  EXPECT_EQ(d->nextAction("12001"), std::nullopt);
  auto set = d->nextAction("12000");
  ASSERT_TRUE(set);
  EXPECT_EQ(set->verb, "set");
  EXPECT_EQ(set->args, (std::vector<std::string>{"12002", "D:\\My Work"}));
  EXPECT_EQ(d->nextAction("12000"), std::nullopt);  // the form's answer is next
  EXPECT_EQ(d->nextAction("frmSchraffur")->verb, "click");
  EXPECT_EQ(d->nextAction("12000")->args, std::vector<std::string>{"1"});
  EXPECT_THAT(d->transcript(), HasSubstr("input 12000 -> set 12002 \"D:\\My Work\"\n"));
  EXPECT_THAT(d->transcript(), HasSubstr("input 12001 -> no answer\n"));
}

TEST(ScriptedDriver, TakeGivesWordsOfItsKindOnly) {
  auto d = scripted("chooser K1 \"Image layer\"\nfinish done");
  EXPECT_EQ(d->take("finish"), std::nullopt);
  EXPECT_EQ(d->take("chooser"), (std::vector<std::string>{"K1", "Image layer"}));
  EXPECT_EQ(d->take("finish"), std::vector<std::string>{"done"});
  EXPECT_THAT(d->transcript(), HasSubstr("chooser -> K1 \"Image layer\"\n"));
  EXPECT_THAT(d->transcript(), HasSubstr("finish -> no answer\n"));
}

TEST(ScriptedDriver, CommandLineIsRecordedByLines) {
  auto d = scripted("");
  d->commandLine("Selected entity ");
  d->commandLine("is not a raster image\r\nnext");
  d->record("dialog 12000 open");
  EXPECT_EQ(d->transcript(),
            "cmdline | Selected entity is not a raster image\n"
            "cmdline | next\n"
            "dialog 12000 open\n");
}

class TranscriptFile : public ::testing::Test {
 protected:
  static std::string read(const fs::path& p) { return rwtest::readFile(p); }

  rwtest::TempFolder folder_{"ui-test"};
  const fs::path dir_ = folder_.path();
};

TEST_F(TranscriptFile, EachEventIsOnDiskAtOnce) {
  auto d = ScriptedDriver::fromText("msgbox ok");
  d->writeTranscriptTo((dir_ / "t.txt").string());
  d->messageBox(box(0x40, "Done"));
  EXPECT_EQ(read(dir_ / "t.txt"), d->transcript());  // still open, already written
  d->commandLine("partial");
  d.reset();
  EXPECT_THAT(read(dir_ / "t.txt"), HasSubstr("cmdline | partial\n"));
}

TEST_F(TranscriptFile, UnwritableTranscriptAndUnreadableAnswersAreReported) {
  auto d = scripted("");
  EXPECT_THROW(d->writeTranscriptTo((dir_ / "missing" / "t.txt").string()), AnswersError);
  EXPECT_THROW(ScriptedDriver::fromFile((dir_ / "none.txt").string()), AnswersError);
  EXPECT_THROW(ScriptedDriver::fromFile(dir_.string()), AnswersError);
}

TEST_F(TranscriptFile, AnswersFileIsRead) {
  std::ofstream(dir_ / "a.txt") << "# answers\r\npick 1F\r\n";
  auto d = ScriptedDriver::fromFile((dir_ / "a.txt").string());
  d->writeTranscriptNowhere();
  EXPECT_EQ(d->pick("p").handle, "1F");
}

TEST_F(TranscriptFile, EmptyAnswersFileGivesNoAnswers) {
  std::ofstream(dir_ / "empty.txt").close();
  auto d = ScriptedDriver::fromFile((dir_ / "empty.txt").string());
  d->writeTranscriptNowhere();
  EXPECT_TRUE(d->remainingAnswers().empty());
}

TEST(ScriptedDriver, ServesSeveralThreadsWithoutLosingAnswers) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "finish done\n";
  auto d = scripted(text);
  std::atomic<int> taken{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 100; ++i) {
        if (d->take("finish")) ++taken;
        d->commandLine("line\n");
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(taken, 400);
  EXPECT_TRUE(d->remainingAnswers().empty());
}

TEST(Driver, InstalledDriverIsUsed) {
  auto own = scripted("msgbox yes");
  auto* raw = own.get();
  setDriver(std::move(own));
  EXPECT_EQ(&driver(), raw);
  EXPECT_EQ(driver().messageBox(box(0x24)), kIdYes);
  setDriver(nullptr);
  auto& fresh = dynamic_cast<ScriptedDriver&>(driver());  // a default without answers
  fresh.writeTranscriptNowhere();
  EXPECT_EQ(fresh.messageBox(box(0x24)), kIdNo);
}

}  // namespace
}  // namespace ui
