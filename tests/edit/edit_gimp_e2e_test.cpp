// "TAVO_IMGEDIT" with the real GIMP, through the shipped launcher and script,
// unattended: GIMP opens the picture and ends, and the image is reloaded.
#include <gmock/gmock.h>

#include "edit_fixture.h"

namespace {

using ::testing::HasSubstr;

class EditWithGimp : public EditRun {
 protected:
  void SetUp() override {
    EditRun::SetUp();
    // GIMP's files as an installation of its own below D:\gimp, the script installed.
    fs::copy(fs::path(MOXI_FILES_DIR) / "gimp", folder_.path() / "gimp", fs::copy_options::recursive);
    fs::copy_file(fs::path(MOXI_FILES_DIR) / "Rasterwerk.scm",
                  folder_.path() / "gimp/share/gimp/2.10/scripts/Rasterwerk.scm");
    host_.environment = {"RW_GIMP_UNATTENDED=1", std::string("XDG_CACHE_HOME=") + GIMP_CACHE_DIR};
  }
  static constexpr const char* kSettings =
      "[SETTINGS_GROUP_GRAPHIC]\r\nProgram=Gimp\r\nGimpFilePath=D:\\gimp\\bin\\gimp-2.10.exe\r\n";
};

TEST_F(EditWithGimp, WithoutALayeredDocumentThePictureIsOpenedInGimpAndReloaded) {
  const std::string transcript = Host("pick " + imageHandle_ + "\ndialog 12037 click 12053\n", kSettings);
  EXPECT_EQ(exitCode_, 0) << transcript << HostOutput();
  EXPECT_THAT(transcript, HasSubstr("D:\\site.PNG"));
  EXPECT_FALSE(Exists("site.psd"));
  EXPECT_EQ(PixelColour("site.png"), "255,165,0");  // as GIMP left it: unchanged
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_EQ(image.sourceFile, "D:\\site.png");
  EXPECT_TRUE(image.loaded);
  EXPECT_FALSE(frameShown);
}

// A file name that would end its quoted argument and hand GIMP a batch call
// of its own, which writes the canary file.
TEST_F(EditWithGimp, AFileNameWithAQuoteIsRefusedBeforeGimpStarts) {
  const std::string injected = "D:\\x\" -b \"(call-with-output-file \\\"" + Posix("SF_edit") +
                               "\\\" (lambda (port) (display 1 port)))\" \"y.png";
  RenameImageInDrawing(injected);
  const std::string transcript = Host("pick " + imageHandle_ + "\ndialog 12037 click 12053\n", kSettings);
  EXPECT_EQ(exitCode_, 0) << transcript << HostOutput();
  EXPECT_FALSE(Exists("SF_edit")) << transcript << HostOutput();
  EXPECT_THAT(transcript, HasSubstr("This text can not be passed to Gimp safely:"));
  EXPECT_THAT(transcript, HasSubstr("(call-with-output-file"));
}

}  // namespace
