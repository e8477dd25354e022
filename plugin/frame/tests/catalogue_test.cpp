// Texts from the message file, with the built-in defaults.
#include <gtest/gtest.h>

#include <string>

#include "frame/message_catalogue.h"
#include "testing/temp_folder.h"
#include "win32/posix.h"

namespace {

class Catalogue : public ::testing::Test {
 protected:
  Catalogue() { catalogue.Open(app, folder.windows("Rasterwerk.msg")); }

  rwtest::TempFolder folder;
  CWinApp app;
  MessageCatalogue catalogue;
};

TEST_F(Catalogue, WithoutFileEveryTextIsItsDefault) {
  for (const MessageText& text : msg::kAll) {
    SCOPED_TRACE(text.key);
    EXPECT_EQ(catalogue.GetCatalogueText(text), text.defaultText);
  }
}

TEST_F(Catalogue, OneKeyInItsSectionChangesThatTextOnly) {
  folder.write("Rasterwerk.msg", "[SETTINGS_MSG]\r\nGimpNotAvailable=Kein GIMP da\r\n");
  for (const MessageText& text : msg::kAll) {
    SCOPED_TRACE(text.key);
    const bool isGimp = std::string(text.key) == "GimpNotAvailable" && text.section == kSectionMessage;
    EXPECT_EQ(catalogue.GetCatalogueText(text), isGimp ? "Kein GIMP da" : text.defaultText) << text.key;
  }
}

TEST_F(Catalogue, KeyUnderAnotherSectionIsNotFound) {
  folder.write("Rasterwerk.msg", "[SETTINGS_TITLE]\nGimpNotAvailable=wrong place\n[SETTINGS_TOOLTIPS]\nPlotFile=Tip\n");
  EXPECT_EQ(catalogue.GetCatalogueText(msg::kGimpNotAvailable), "Gimp is not available");
  EXPECT_EQ(catalogue.GetCatalogueText(7, "GimpNotAvailable", "fallback"), "fallback");
  // The same key in two sections: the section decides.
  EXPECT_EQ(catalogue.GetCatalogueText(msg::kTipPlotFile), "Tip");
  EXPECT_EQ(catalogue.GetCatalogueText(msg::kPlotFile), "Plot file:");
}

TEST_F(Catalogue, EveryLookupReadsTheFileAgainAndGivesTheProfileFileBack) {
  folder.write("Rasterwerk.msg", "[SETTINGS_TITLE]\nMainDlgTitle=Eins\n");
  const char* own = "own.ini";
  app.m_pszProfileName = own;
  EXPECT_EQ(catalogue.GetCatalogueText(msg::kMainDlgTitle), "Eins");
  folder.write("Rasterwerk.msg", "[SETTINGS_TITLE]\nMainDlgTitle=Zwei\n");
  EXPECT_EQ(catalogue.GetCatalogueText(msg::kMainDlgTitle), "Zwei");
  EXPECT_EQ(app.m_pszProfileName, own);
}

TEST_F(Catalogue, UnusedSectionIndexesGiveTheDefault) {
  folder.write("Rasterwerk.msg", "[]\nMainDlgTitle=x\n[SETTINGS_TITLE]\nMainDlgTitle=y\n");
  for (int section : {0, 9, -1}) EXPECT_EQ(catalogue.GetCatalogueText(section, "MainDlgTitle", "d"), "d");
}

TEST(ShippedMessageFile, HoldsATextForEveryKey) {
  CWinApp app;
  MessageCatalogue catalogue;
  catalogue.Open(app, win32::ToWindowsPath(MOXI_FILES_DIR "/Rasterwerk.msg"));
  for (const MessageText& text : msg::kAll) {
    SCOPED_TRACE(::testing::Message() << MessageSectionName(text.section) << " " << text.key);
    const std::string shipped = catalogue.GetCatalogueText(text.section, text.key, "\x01missing");
    EXPECT_NE(shipped, "\x01missing") << MessageSectionName(text.section) << " " << text.key;
    EXPECT_FALSE(shipped.empty()) << text.key;
  }
}

}  // namespace
