// The companion LISP library loaded into this process as the host loads it,
// called through acedInvoke as the plug-in calls it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

#include "aced.h"
#include "arx/host.h"
#include "dbsymtb.h"
#include "testing/scripted_user.h"
#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace {

using ::testing::HasSubstr;

namespace fs = std::filesystem;

// One value of a LISP result, as text: "\"str\"", "5", "nil".
std::string Show(const resbuf* rb) {
  std::string text;
  for (; rb != nullptr; rb = rb->rbnext) {
    if (!text.empty()) text += ' ';
    if (rb->restype == RTSTR) text += '"' + std::string(rb->resval.rstring) + '"';
    else if (rb->restype == RTSHORT) text += std::to_string(rb->resval.rint);
    else if (rb->restype == RTNIL) text += "nil";
    else text += "?" + std::to_string(rb->restype);
  }
  return text;
}

class Companion : public ::testing::Test {
 protected:
  void SetUp() override {
    userFolder_ = win32::ToWindowsPath((folder_ / "user" / "settings").string()) + "\\";
    arx::setUserDirectory(userFolder_);
    ASSERT_TRUE(arx::loadApplication(win32::ToWindowsPath(COMPANION_MODULE)).ok);
  }
  void TearDown() override {
    arx::unloadAllApplications();
  }

  void Answer(const std::string& answers) { user_.answer(answers); }

  // The status and the shown result of (name args...).
  std::string Call(std::initializer_list<std::string> words) {
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const std::string& word : words) {
      *tail = acutBuildList(RTSTR, word.c_str(), 0);
      tail = &(*tail)->rbnext;
    }
    resbuf* result = nullptr;
    const int status = acedInvoke(head, &result);
    acutRelRb(head);
    const std::string shown = status == RTNORM ? Show(result) : "error";
    acutRelRb(result);
    return shown;
  }

  static bool DrawingHasLayer(const std::string& name) {
    AcDbLayerTable* table = nullptr;
    if (acdbHostApplicationServices()->workingDatabase()->getLayerTable(table, AcDb::kForRead) != Acad::eOk)
      return false;
    const bool has = table->has(name.c_str());
    table->close();
    return has;
  }

  rwtest::TempFolder temp_{"companion-test"};
  const fs::path folder_ = temp_.path();
  rwtest::ScriptedUser user_;
  std::string userFolder_;
};

// The layer dialog's answers, as a host reads them from its answers file:
// KEY NAME, or cancel; anything else stops the run at the start.
TEST(LayerDialogAnswers, AreAKeyAndANameOrCancel) {
  const struct {
    const char* line;
    std::vector<std::string> words;  // empty: refused
  } cases[] = {
      {"layerdialog IMG Bild", {"IMG", "Bild"}},
      {"LayerDialog IMG \"Bild Ebene\"", {"IMG", "Bild Ebene"}},
      {"layerdialog cancel", {"cancel"}},
      {"layerdialog onlykey", {}},
      {"layerdialog IMG Bild more", {}},
      {"layerdialog", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    if (c.words.empty()) {
      EXPECT_THAT([&] { ui::ScriptedDriver::fromText(c.line); },
                  ::testing::ThrowsMessage<ui::AnswersError>(HasSubstr("answers line 1: expects KEY NAME or cancel")));
      continue;
    }
    const auto driver = ui::ScriptedDriver::fromText(c.line);
    ASSERT_EQ(driver->remainingAnswers().size(), 1u);
    EXPECT_EQ(driver->remainingAnswers()[0].kind, "layerdialog");
    EXPECT_EQ(driver->remainingAnswers()[0].words, c.words);
  }
}

TEST_F(Companion, UserFolderIsTheHostsUserDirectoryMadeWhenMissing) {
  EXPECT_EQ(Call({"tavo_getUserIniPath", "TAVO_IMGCREATE"}), '"' + userFolder_ + '"');
  EXPECT_TRUE(fs::is_directory(folder_ / "user" / "settings"));
  EXPECT_EQ(Call({"TAVO_GETUSERINIFILE", "TAVO_IMGCREATE", "Rasterwerk.ini"}),
            '"' + userFolder_ + "Rasterwerk.ini\"");
}

TEST_F(Companion, PathInfoFindsFilesInTheUserFolderOnly) {
  Call({"tavo_getUserIniPath", "TAVO_IMGCREATE"});
  std::ofstream(folder_ / "user" / "settings" / "Notes.txt") << "x";
  EXPECT_EQ(Call({"Tavo_pathInfo", "Notes.txt"}), '"' + userFolder_ + "Notes.txt\"");
  EXPECT_EQ(Call({"Tavo_pathInfo", "Missing.txt"}), "nil");
}

TEST_F(Companion, CallsWithWrongArgumentsAreLispErrors) {
  struct Case {
    std::initializer_list<std::string> call;
  };
  for (const auto& words : {Case{{"tavo_getUserIniPath"}}, Case{{"tavo_getUserIniFile", "TAVO_IMGCREATE"}},
                            Case{{"tavo_getUserIniFile", "TAVO_IMGCREATE", "..\\x.ini"}},
                            Case{{"Tavo_pathInfo", "..\\secret.txt"}}, Case{{"Tavo_newLayer", "TAVO_IMGCREATE"}},
                            Case{{"Tavo_layerDialog", "TAVO_IMGCREATE", "ImageLayer"}}}) {
    EXPECT_EQ(Call(words.call), "error") << *words.call.begin();
  }
}

TEST_F(Companion, ConfirmedLayerDialogDefinesTheLayerThatNewLayerMakes) {
  Answer("layerdialog IMG \"Bild Ebene\"\n");
  EXPECT_EQ(Call({"Tavo_layerDialog", "TAVO_IMGCREATE", "ImageLayer", "Rasterwerk", userFolder_}),
            "\"IMG\" \"Bild Ebene\" 1");
  EXPECT_EQ(Call({"Tavo_getLayerName", "TAVO_IMGCREATE", "IMG"}), "\"Bild Ebene\"");
  EXPECT_FALSE(DrawingHasLayer("Bild Ebene"));
  EXPECT_EQ(Call({"Tavo_newLayer", "TAVO_IMGCREATE", "IMG"}), "1");
  EXPECT_TRUE(DrawingHasLayer("Bild Ebene"));
  EXPECT_EQ(Call({"Tavo_newLayer", "TAVO_IMGCREATE", "IMG"}), "0");  // already there
}

TEST_F(Companion, LayerDialogRefusesAnInvalidLayerName) {
  Answer("layerdialog IMG \"a|b\"\n");
  EXPECT_EQ(Call({"Tavo_layerDialog", "TAVO_IMGCREATE", "ImageLayer", "Rasterwerk", userFolder_}),
            "\"\" \"\" 0");
  EXPECT_EQ(Call({"Tavo_getLayerName", "TAVO_IMGCREATE", "IMG"}), "nil");
}

TEST_F(Companion, CancelledLayerDialogGivesEmptyChoice) {
  Answer("layerdialog cancel\n");
  EXPECT_EQ(Call({"Tavo_layerDialog", "TAVO_IMGCREATE", "ImageLayer", "Rasterwerk", userFolder_}),
            "\"\" \"\" 0");
  EXPECT_EQ(Call({"Tavo_layerDialog", "TAVO_IMGCREATE", "ImageLayer", "Rasterwerk", userFolder_}),
            "\"\" \"\" 0");  // no answer left
}

TEST_F(Companion, UnknownLayerKeysGiveNil) {
  EXPECT_EQ(Call({"Tavo_getLayerName", "TAVO_IMGCREATE", "NOKEY"}), "nil");
  EXPECT_EQ(Call({"Tavo_newLayer", "TAVO_IMGCREATE", "NOKEY"}), "nil");
}

TEST_F(Companion, LayerWithAnInvalidNameIsNotMade) {
  fs::create_directories(folder_ / "user" / "settings");
  std::ofstream(folder_ / "user" / "settings" / "TavoLayers.ini") << "[BAD]\nName=a<b>c\nColor=3\n";
  EXPECT_EQ(Call({"Tavo_newLayer", "TAVO_IMGCREATE", "BAD"}), "nil");
  EXPECT_FALSE(DrawingHasLayer("a<b>c"));
}

}  // namespace
