// "TAVO_IMGEDIT" run by acad-host on a drawing with a raster image: picks,
// the image source dialog and the photo editor, checked in the transcript,
// the pictures and the drawing saved afterwards.
#include "edit_fixture.h"

namespace {

TEST_F(EditRun, PickingALineEditsNothingAndLeavesTheFramesHidden) {
  const std::string transcript = Host("pick " + lineHandle_ + "\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  // Printed without a line break, as the command does; the host writes the partial last line at exit.
  EXPECT_NE(transcript.find("cmdline | Selected entity is not a raster image"), std::string::npos) << transcript;
  EXPECT_EQ(transcript.find("dialog"), std::string::npos) << transcript;
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_FALSE(frameShown);
  EXPECT_TRUE(image.loaded);
}

TEST_F(EditRun, PickingNothingEndsSilently) {
  const std::string transcript = Host("pick enter\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_NE(transcript.find("-> enter"), std::string::npos) << transcript;
  EXPECT_EQ(transcript.find("cmdline | Selected"), std::string::npos) << transcript;
  EXPECT_EQ(transcript.find("dialog"), std::string::npos) << transcript;
  bool frameShown = true;
  SavedDrawing(frameShown);
  EXPECT_FALSE(frameShown);
}

TEST_F(EditRun, WithALayeredDocumentThePictureIsRewrittenFromItAndReloaded) {
  WriteLayeredDocument("site.psd", "blue");
  const std::string transcript = Host("pick " + imageHandle_ + "\ndialog 12037 click 12053\neditor done\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_NE(transcript.find("D:\\site.PSD"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("editor -> done"), std::string::npos) << transcript;
  EXPECT_EQ(PixelColour("site.png"), "0,0,255");
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_EQ(image.sourceFile, "D:\\site.png");
  EXPECT_TRUE(image.loaded);
  EXPECT_EQ(image.widthPx, 40);
  EXPECT_FALSE(frameShown);
}

TEST_F(EditRun, WithoutALayeredDocumentThePictureItselfIsEditedAndReloaded) {
  const std::string transcript = Host("pick " + imageHandle_ + "\ndialog 12037 click 12053\neditor done\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_NE(transcript.find("D:\\site.PNG"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("editor -> done"), std::string::npos) << transcript;
  EXPECT_FALSE(Exists("site.psd"));
  EXPECT_EQ(PixelColour("site.png"), "255,165,0");
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_EQ(image.sourceFile, "D:\\site.png");
  EXPECT_TRUE(image.loaded);
}

TEST_F(EditRun, AnotherFileOfTheSameTypeInAnyLetterCaseIsEditedInstead) {
  WritePicture("other.png", "green", 60, 30);
  const std::string transcript = Host("pick " + imageHandle_ +
                                      "\ndialog 12037 set 12056 D:\\other.Png\ndialog 12037 click 12053\n"
                                      "editor done\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_EQ(image.sourceFile, "D:\\other.png");
  EXPECT_TRUE(image.loaded);
  EXPECT_EQ(image.widthPx, 60);
}

TEST_F(EditRun, AnImageFileWithoutExtensionIsRefusedOnTheCommandLine) {
  Magick::Image picture(Magick::Geometry(40, 20), Magick::Color("orange"));
  picture.write("png:" + Posix("photo"));
  MakeDrawing("D:\\photo");
  const std::string transcript = Host("pick " + imageHandle_ + "\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_NE(transcript.find("cmdline | The image file has no extension and cannot be edited: D:\\photo\n"),
            std::string::npos)
      << transcript;
  EXPECT_EQ(transcript.find("dialog 12037"), std::string::npos) << transcript;
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_TRUE(image.loaded);
  EXPECT_FALSE(frameShown);
}

TEST_F(EditRun, ARefusedExtensionKeepsTheDialogOpenAndCancelEditsNothing) {
  const std::string transcript = Host("pick " + imageHandle_ +
                                      "\ndialog 12037 set 12056 D:\\site.jpg\ndialog 12037 click 12053\nmsgbox ok\n"
                                      "dialog 12037 click 12054\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_NE(transcript.find("caption=\"Rasterwerk\" buttons=ok"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("owner=\"Image Edit\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("The extension is not corect!"), std::string::npos) << transcript;
  EXPECT_EQ(transcript.find("editor ->"), std::string::npos) << transcript;
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_EQ(image.sourceFile, "D:\\site.png");
  EXPECT_TRUE(image.loaded);
  EXPECT_FALSE(frameShown);
}

TEST_F(EditRun, GimpWithoutAnExecutableAsksForItAndAnEmptyAnswerEndsTheEdit) {
  const std::string transcript = Host("dialog 12029 click 14036\n", "[SETTINGS_GROUP_GRAPHIC]\r\nProgram=Gimp\r\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_NE(transcript.find("dialog 12029 opened"), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("Static - \"\" image=\"bitmap 12036\" 77x57"), std::string::npos) << transcript;
  EXPECT_EQ(transcript.find("pick prompt"), std::string::npos) << transcript;
}

}  // namespace
