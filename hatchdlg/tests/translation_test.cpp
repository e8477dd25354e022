// Captions from dfelmar2.msg beside the library.
#include "HatchFixture.h"

namespace hatchtest {
namespace {

const char kHatchOpened[] = "form frmSchraffur opened";
const char kOptionsOpened[] = "form FormOptionen opened";

TEST_F(HatchTest, ShippedFileHasATextForEveryKeyOfBothForms) {
  std::string transcript = Run("form frmSchraffur click optionenButton\nform FormOptionen close\n"
                               "form frmSchraffur close\n");
  for (const char* header : {kHatchOpened, kOptionsOpened}) {
    std::string block = Block(transcript, header);
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(block.find("X_"), std::string::npos) << block;
  }
  EXPECT_EQ(transcript.find("msgbox"), std::string::npos);
}

TEST_F(HatchTest, WithoutMessageFileEachFormReportsThePathAndShowsItsKeys) {
  Load(MessageFile::None);
  std::string transcript = Run("msgbox ok\nform frmSchraffur click optionenButton\nmsgbox ok\n"
                               "form FormOptionen close\nform frmSchraffur close\n");
  const std::string message = "  | Cannot access: " + MessageFilePath() + "\n";
  EXPECT_EQ(Count(transcript, message), 2) << transcript;
  EXPECT_LT(transcript.find(message), transcript.find(kHatchOpened));
  EXPECT_NE(Block(transcript, kHatchOpened).find("caption=\"X_Schraffur\""), std::string::npos);
  EXPECT_NE(ControlLine(Block(transcript, kOptionsOpened), "ButtonOk").find("\"X_ok\""), std::string::npos);
}

TEST_F(HatchTest, AnEmptySectionIsReportedAndNothingTranslated) {
  Load(MessageFile::Custom, "[dfelmar-labels]\r\n[andere]\r\nX_Schraffur=Andere\r\n");
  std::string transcript = Run("msgbox ok\nform frmSchraffur close\n");
  EXPECT_NE(transcript.find("  | Section dfelmar-labels does not exist in " + MessageFilePath() + "\n"),
            std::string::npos)
      << transcript;
  EXPECT_NE(Block(transcript, kHatchOpened).find("caption=\"X_Schraffur\""), std::string::npos);
}

TEST_F(HatchTest, PartlyTranslatedItemsKeepTheirKeys) {
  Load(MessageFile::Custom, "[DFELMAR-LABELS]\r\nx_normal=Normal\r\nX_Ignorieren = \"Alles\" \r\n");
  std::string transcript = Run("form frmSchraffur click optionenButton\nform FormOptionen close\n"
                               "form frmSchraffur close\n");
  std::string line = ControlLine(Block(transcript, kOptionsOpened), "ComboBoxSchraffurStil");
  EXPECT_NE(line.find("text=\"Normal\" items=[\"Normal\",\"X_Aeussere\",\"Alles\"]"), std::string::npos) << line;
}

}  // namespace
}  // namespace hatchtest
