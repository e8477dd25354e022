// "TAVO_IMGEDIT" run by acad-host on a drawing with a raster image: picks,
// the image source dialog and the photo editor, checked in the transcript,
// the pictures and the drawing saved afterwards.
#include <gmock/gmock.h>

#include "edit_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(EditRun, PickingALineEditsNothingAndLeavesTheFramesHidden) {
  const std::string transcript = Host("pick " + lineHandle_ + "\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  // Printed without a line break, as the command does; the host writes the partial last line at exit.
  EXPECT_THAT(transcript, HasSubstr("cmdline | Selected entity is not a raster image"));
  EXPECT_THAT(transcript, Not(HasSubstr("dialog")));
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_FALSE(frameShown);
  EXPECT_TRUE(image.loaded);
}

TEST_F(EditRun, PickingNothingEndsSilently) {
  const std::string transcript = Host("pick enter\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_THAT(transcript, HasSubstr("-> enter"));
  EXPECT_THAT(transcript, Not(HasSubstr("cmdline | Selected")));
  EXPECT_THAT(transcript, Not(HasSubstr("dialog")));
  bool frameShown = true;
  SavedDrawing(frameShown);
  EXPECT_FALSE(frameShown);
}

TEST_F(EditRun, WithALayeredDocumentThePictureIsRewrittenFromItAndReloaded) {
  WriteLayeredDocument("site.psd", "blue");
  const std::string transcript = Host("pick " + imageHandle_ + "\ndialog 12037 click 12053\neditor done\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_THAT(transcript, HasSubstr("D:\\site.PSD"));
  EXPECT_THAT(transcript, HasSubstr("editor -> done"));
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
  EXPECT_THAT(transcript, HasSubstr("D:\\site.PNG"));
  EXPECT_THAT(transcript, HasSubstr("editor -> done"));
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
  EXPECT_THAT(transcript, HasSubstr("cmdline | The image file has no extension and cannot be edited: D:\\photo\n"));
  EXPECT_THAT(transcript, Not(HasSubstr("dialog 12037")));
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
  EXPECT_THAT(transcript, HasSubstr("caption=\"Rasterwerk\" buttons=ok"));
  EXPECT_THAT(transcript, HasSubstr("owner=\"Image Edit\""));
  EXPECT_THAT(transcript, HasSubstr("The extension is not corect!"));
  EXPECT_THAT(transcript, Not(HasSubstr("editor ->")));
  bool frameShown = true;
  const SavedImage image = SavedDrawing(frameShown);
  EXPECT_EQ(image.sourceFile, "D:\\site.png");
  EXPECT_TRUE(image.loaded);
  EXPECT_FALSE(frameShown);
}

TEST_F(EditRun, GimpWithoutAnExecutableAsksForItAndAnEmptyAnswerEndsTheEdit) {
  const std::string transcript = Host("dialog 12029 click 14036\n", "[SETTINGS_GROUP_GRAPHIC]\r\nProgram=Gimp\r\n");
  EXPECT_EQ(exitCode_, 0) << transcript;
  EXPECT_THAT(transcript, HasSubstr("dialog 12029 opened"));
  EXPECT_THAT(transcript, HasSubstr("Static - \"\" image=\"bitmap 12036\" 77x57"));
  EXPECT_THAT(transcript, Not(HasSubstr("pick prompt")));
}

}  // namespace
