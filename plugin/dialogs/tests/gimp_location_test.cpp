// The GIMP location dialog run in-process with a scripted user.
#include <gmock/gmock.h>

#include "dialogs/gimp_location_dialog.h"
#include "dialogs/tests/small_dialog_fixture.h"

namespace {

using ::testing::HasSubstr;

class GimpLocationTest : public SmallDialogTest {
 protected:
  INT_PTR Run(const std::string& answers) {
    Answer(answers);
    MoXIBFGDialog dialog;
    return dialog.DoModal();
  }
};

TEST_F(GimpLocationTest, OpensEmptyWithItsTexts) {
  theSettings.gimpExecutable = "D:\\GIMP\\bin\\gimp-2.10.exe";
  EXPECT_EQ(Run(""), IDCANCEL);
  EXPECT_THAT(Transcript(), HasSubstr("dialog 12029 opened caption=\"Rasterwerk\""));
  EXPECT_EQ(ControlLine(12029, "opened", 12003), "Edit 12003 text=\"\"");
  EXPECT_THAT(ControlLine(12029, "opened", 12047), HasSubstr("\"GIMP location:\""));
  EXPECT_EQ(theSettings.gimpExecutable, "D:\\GIMP\\bin\\gimp-2.10.exe");  // Cancel keeps it
}

TEST_F(GimpLocationTest, OkTakesTheFieldAsItStands) {
  const struct {
    const char* answers;
    const char* executable;
  } cases[] = {
      {"dialog 12029 click 14036\n", ""},
      {"dialog 12029 set 12003 \"D:\\Program Files\\GIMP\\gimp.exe\"\ndialog 12029 click 14036\n",
       "D:\\Program Files\\GIMP\\gimp.exe"},
      {"dialog 12029 set 12003 nowhere\ndialog 12029 click 14036\n", "nowhere"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    theSettings.gimpExecutable = "D:\\old.exe";
    EXPECT_EQ(Run(c.answers), IDOK) << c.answers;
    EXPECT_EQ(theSettings.gimpExecutable, c.executable);
  }
}

TEST_F(GimpLocationTest, BrowseOffersExecutablesAndFillsTheField) {
  EXPECT_EQ(Run("dialog 12029 click 14014\nfile D:\\GIMP\\gimp-2.10.exe\ndialog 12029 click 14036\n"), IDOK);
  EXPECT_THAT(Transcript(), HasSubstr("filedialog open"));
  EXPECT_THAT(Transcript(), HasSubstr("filter=\"Exe files (*.exe)|*.exe|\""));
  EXPECT_EQ(theSettings.gimpExecutable, "D:\\GIMP\\gimp-2.10.exe");

  EXPECT_EQ(Run("dialog 12029 click 14014\nfile cancel\ndialog 12029 click 14036\n"), IDOK);
  EXPECT_EQ(theSettings.gimpExecutable, "");
}

}  // namespace
