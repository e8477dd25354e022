// The image source file dialog run in-process with a scripted user.
#include <gmock/gmock.h>

#include "dialogs/image_source_dialog.h"
#include "dialogs/tests/small_dialog_fixture.h"

namespace {

using ::testing::HasSubstr;

class ImageSourceTest : public SmallDialogTest {
 protected:
  void SetUp() override {
    SmallDialogTest::SetUp();
    folder_.write("img/site.tif", "picture");
  }
  // The edit command's values for D:\img\site.tif, then the dialog.
  INT_PTR Run(const std::string& answers) {
    image_ = EditedImage{"D:\\img\\site", "tif"};
    Answer(answers);
    CMoXICISFDialog dialog(image_);
    return dialog.DoModal();
  }
  std::string Field() const { return ControlLine(CMoXICISFDialog::IDD, "opened", CMoXICISFDialog::IDC_SOURCE_PATH); }

  EditedImage image_;
};

TEST_F(ImageSourceTest, ShowsThePictureInUpperCaseAndBrowsesForItsTypeOnly) {
  EXPECT_EQ(Run("dialog 12037 click 12057\nfile cancel\ndialog 12037 click 12053\n"), IDOK);
  EXPECT_THAT(Transcript(), HasSubstr("dialog 12037 opened caption=\"Image Edit\""));
  EXPECT_EQ(Field(), "Edit 12056 text=\"D:\\img\\site.TIF\"");
  EXPECT_THAT(Transcript(), HasSubstr("filter=\"TIF Files (*.TIF)|*.TIF|\""));
  EXPECT_THAT(Transcript(), HasSubstr("owner=\"Image Edit\""));
  EXPECT_EQ(image_.basePath, "D:\\img\\site");
  EXPECT_EQ(image_.extension, "tif");
}

TEST_F(ImageSourceTest, TheLayeredDocumentBesideThePictureIsShownInstead) {
  folder_.write("img/site.psd", "layers");
  EXPECT_EQ(Run("dialog 12037 click 12053\n"), IDOK);
  EXPECT_EQ(Field(), "Edit 12056 text=\"D:\\img\\site.PSD\"");
  EXPECT_EQ(image_.basePath, "D:\\img\\site");
  EXPECT_EQ(image_.extension, "psd");
}

TEST_F(ImageSourceTest, OkAcceptsAFileOfTheSameTypeInAnyLetterCase) {
  const struct {
    const char* answers;
    const char* basePath;
    const char* extension;
  } cases[] = {
      {"dialog 12037 set 12056 D:\\img\\other.Tif\n", "D:\\img\\other", "tif"},
      {"dialog 12037 click 12057\nfile D:\\new\\plan.TIF\n", "D:\\new\\plan", "tif"},
      {"dialog 12037 set 12056 D:\\my.plans\\site.tif\n", "D:\\my.plans\\site", "tif"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    EXPECT_EQ(Run(std::string(c.answers) + "dialog 12037 click 12053\n"), IDOK) << c.answers;
    EXPECT_EQ(image_.basePath, c.basePath) << c.answers;
    EXPECT_EQ(image_.extension, c.extension) << c.answers;
  }
}

TEST_F(ImageSourceTest, AnotherExtensionIsRefusedAndTheDialogStaysOpen) {
  for (const char* text : {"D:\\img\\site.jpg", "D:\\img\\TIF", "D:\\img.tif\\site", "TIF", ""}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Run(std::string("dialog 12037 set 12056 \"") + text +
                  "\"\ndialog 12037 click 12053\nmsgbox ok\n"
                  "dialog 12037 set 12056 D:\\img\\site.tif\ndialog 12037 click 12053\n"),
              IDOK)
        << text;
    EXPECT_THAT(Transcript(), HasSubstr("msgbox caption=\"Rasterwerk\" buttons=ok icon=none owner=\"Image Edit\" -> ok\n"
                 "  | The extension is not corect!\n"))
        << text << Transcript();
    EXPECT_EQ(image_.basePath, "D:\\img\\site") << text;
  }
}

TEST_F(ImageSourceTest, CancelEscapeAndClosingEmptyTheBasePath) {
  for (const char* answer :
       {"dialog 12037 click 12054\n", "dialog 12037 close\n", "dialog 12037 key 12056 Escape\n", ""}) {
    EXPECT_EQ(Run(answer), IDCANCEL) << answer;
    EXPECT_EQ(image_.basePath, "") << answer;
  }
}

}  // namespace
