// The main dialog run in-process with a scripted user: what it shows from the
// settings and the drawing, and the layer check of its OK.
#include <gmock/gmock.h>

#include "dialogs/main_dialog.h"
#include "frame/message_box.h"
#include "settings/plugin_app.h"
#include "plot/tests/editor_fixture.h"
#include "settings/plugin_settings.h"

namespace {

using ::testing::HasSubstr;

class MainDialogTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    AddLayer("Walls", 1);
    AddLine("Walls", {10, 10}, {90, 10});
    SetPageSetup("PublishToWeb PNG.pc3", {0, 0}, {100, 80});
    theSettings.imageFormat = kFormatTif;
    theSettings.program = kProgramPhotoshop;
    theSettings.imageLayerName = "Walls";
    theSettings.layerKey.clear();
    theSettings.iniFile.clear();  // nothing is written
  }
  void TearDown() override {
    CurrentMainDialog = nullptr;
    EditorTest::TearDown();
  }

  INT_PTR Run(const std::string& answers) {
    Answer(answers);
    CMoXIDialog dialog;
    CurrentMainDialog = &dialog;
    const INT_PTR result = dialog.DoModal();
    EXPECT_EQ(MainDialogWindow(), nullptr);  // no owner once the dialog has closed
    CurrentMainDialog = nullptr;
    return result;
  }
};

TEST_F(MainDialogTest, ListsAndLayerComeFromTheSettingsAndTheDrawing) {
  const struct {
    ImageFormat format;
    ProgramKind program;
    const char* layer;
    const char* fileType;     // the file type list's line
    const char* editor;       // the editor list's line
    const char* shownLayer;   // the layer field's line
    const char* swatch;       // the swatch's colour
  } cases[] = {
      {kFormatTif, kProgramGimp, "Walls", "text=\"TIF\"", "text=\"The Gimp\"", "text=\"Walls\"", "#FF0000"},
      {kFormatBmp, kProgramPhotoshop, "Missing", "text=\"BMP\"", "text=\"Adobe PhotoShop\"", "text=\"0\"",
       "#FFFFFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "format " << c.format << ", editor " << c.program);
    theSettings.imageFormat = c.format;
    theSettings.program = c.program;
    theSettings.imageLayerName = c.layer;
    EXPECT_EQ(Run("dialog 12000 click 14033\n"), IDCANCEL);
    const std::string transcript = Transcript();
    EXPECT_THAT(Transcript(), HasSubstr(std::string("ComboBox 12006 ") + c.fileType));
    EXPECT_THAT(Transcript(), HasSubstr(std::string("ComboBoxEx32 18019 ") + c.editor));
    EXPECT_THAT(Transcript(), HasSubstr(std::string("Edit 12058 ") + c.shownLayer));
    EXPECT_THAT(Transcript(), HasSubstr(std::string("paint fill 81,229,99,247 ") + c.swatch));
    EXPECT_EQ(theSettings.imageLayerName, c.layer);  // opening the dialog changes no setting
  }
}

// The layer field is read-only and a drawing always has a current layer, so
// only the program can empty it.
class MainDialogWithoutLayer : public CMoXIDialog {
 protected:
  BOOL OnInitDialog() override {
    CMoXIDialog::OnInitDialog();
    SetDlgItemText(IDC_LAYER, "");
    return TRUE;
  }
};

TEST_F(MainDialogTest, OkWithoutLayerNameShowsItsMessageOwnedByTheOpenDialog) {
  Answer("dialog 12000 click 12032\nmsgbox ok\ndialog 12000 click 14033\n");
  MainDialogWithoutLayer dialog;
  CurrentMainDialog = &dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_THAT(Transcript(), HasSubstr("input 12000 -> click 12032\n"
                       "msgbox caption=\"Rasterwerk\" buttons=ok icon=none owner=\"Rasterwerk\" -> ok\n"
                       "  | The operation can not be completed while the layer name is not specified!\n"
                       "input 12000 -> click 14033\n"));
  EXPECT_FALSE(Exists("(Layer0).png"));
}

}  // namespace
