// The image properties dialog run in-process with a scripted user.
#include <gmock/gmock.h>
#include <dbsymtb.h>
#include <imgent.h>

#include "dialogs/image_properties_dialog.h"
#include "dialogs/tests/small_dialog_fixture.h"
#include "raster/image_insert.h"

namespace {

using ::testing::HasSubstr;

// The dialog opened from a main dialog whose plot files are EPS, so that
// every control takes input.
class ImagePropertiesTest : public SmallDialogTest {
 protected:
  INT_PTR Run(const std::string& answers) {
    Answer(answers);
    CMoXIIPDialog dialog(plotFileType_);
    return dialog.DoModal();
  }
  std::string Field(const std::string& event) const {
    return ControlLine(CMoXIIPDialog::IDD, event, CMoXIIPDialog::IDC_IP_RESOLUTION);
  }
  bool Disabled(int id) const { return ControlLine(CMoXIIPDialog::IDD, "opened", id).ends_with(" disabled"); }

  std::string plotFileType_ = "eps";  // the main dialog's
};

TEST_F(ImagePropertiesTest, OpensWithTheSettingsAndTheCatalogueTexts) {
  theSettings.frame = true;
  theSettings.transparency = false;
  theSettings.background = true;
  theSettings.resolutionUnit = kUnitPixelPerCm;
  theSettings.psResolution = 118.11;
  EXPECT_EQ(Run(""), IDCANCEL);
  EXPECT_THAT(Transcript(), HasSubstr("dialog 14031 opened caption=\"Image properties\""));
  EXPECT_EQ(Field("opened"), "Edit 12052 text=\"118.110\"");
  EXPECT_THAT(ControlLine(14031, "opened", 12001), HasSubstr("items=[\"Pixel/inch\",\"Pixel/cm\"] selection=1"));
  EXPECT_THAT(ControlLine(14031, "opened", 12039), HasSubstr(" checked"));
  EXPECT_THAT(ControlLine(14031, "opened", 12038), HasSubstr(" checked"));
  EXPECT_THAT(ControlLine(14031, "opened", 16020), HasSubstr(" checked"));
  EXPECT_THAT(ControlLine(14031, "opened", 12051), HasSubstr("\"Postscript-Resolution:\""));
  EXPECT_THAT(ControlLine(14031, "opened", 12041), HasSubstr("\"Ok\""));
  EXPECT_THAT(ControlLine(14031, "opened", 14037), HasSubstr("\"on\""));
}

TEST_F(ImagePropertiesTest, UnitChangesConvertTheShownValueAndOkKeepsIt) {
  const struct {
    const char* answers;
    double resolution;
    ResolutionUnit unit;
  } cases[] = {
      {"dialog 14031 select 12001 Pixel/cm\n", 28.346, kUnitPixelPerCm},
      // Converted back from the shown text, not from 72.
      {"dialog 14031 select 12001 Pixel/cm\ndialog 14031 select 12001 Pixel/inch\n", 71.999, kUnitPixelPerInch},
      {"dialog 14031 set 12052 96dpi\n", 96.0, kUnitPixelPerInch},
      {"dialog 14031 set 12052 \" 2.54\"\ndialog 14031 select 12001 Pixel/cm\n", 1.0, kUnitPixelPerCm},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    theSettings.psResolution = 72.0;
    theSettings.resolutionUnit = kUnitPixelPerInch;
    EXPECT_EQ(Run(std::string(c.answers) + "dialog 14031 click 12041\n"), IDOK) << c.answers << Transcript();
    EXPECT_DOUBLE_EQ(theSettings.psResolution, c.resolution) << c.answers;
    EXPECT_EQ(theSettings.resolutionUnit, c.unit) << c.answers;
  }
}

TEST_F(ImagePropertiesTest, ANegativeValueIsLeftAndLettersBecomeZeroOnAUnitChange) {
  Run("dialog 14031 set 12052 -5\ndialog 14031 select 12001 Pixel/cm\n");
  EXPECT_EQ(Field("closed"), "Edit 12052 text=\"-5\"");
  Run("dialog 14031 set 12052 abc\ndialog 14031 select 12001 Pixel/cm\n");
  EXPECT_EQ(Field("closed"), "Edit 12052 text=\"0.000\"");
}

TEST_F(ImagePropertiesTest, ResolutionControlsAreEnabledOnlyForEpsPlotFiles) {
  const struct {
    const char* plotFileType;
    bool enabled;
  } cases[] = {{"eps", true}, {"EPS", true}, {"png", false}, {"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plotFileType);
    plotFileType_ = c.plotFileType;
    Run("");
    for (int id : {12051, 12052, 12001}) EXPECT_EQ(Disabled(id), !c.enabled) << c.plotFileType << " " << id;
  }
}

TEST_F(ImagePropertiesTest, ADisabledResolutionIsStillValidatedOnOk) {
  plotFileType_ = "png";
  theSettings.psResolution = 0.0;
  EXPECT_EQ(Run("dialog 14031 click 12041\nmsgbox ok\ndialog 14031 click 12042\n"), IDCANCEL);
  EXPECT_THAT(Transcript(), HasSubstr("Resolution must be a positive number."));
  theSettings.psResolution = 150.0;
  EXPECT_EQ(Run("dialog 14031 click 12041\n"), IDOK);
  EXPECT_DOUBLE_EQ(theSettings.psResolution, 150.0);
}

TEST_F(ImagePropertiesTest, ResolutionsThatAreNoPositiveNumberAreRefusedAndTheDialogStaysOpen) {
  for (const char* text : {"abc", "0", "-72", "", "nan", "inf"}) {
    SCOPED_TRACE(text);
    theSettings.psResolution = 72.0;
    theSettings.frame = false;
    const INT_PTR result = Run(std::string("dialog 14031 set 12052 \"") + text +
                               "\"\ndialog 14031 check 12039\ndialog 14031 click 12041\nmsgbox ok\n"
                               "dialog 14031 click 12042\n");
    EXPECT_EQ(result, IDCANCEL) << text;
    EXPECT_THAT(Transcript(), HasSubstr("msgbox caption=\"Rasterwerk\" buttons=ok icon=none owner=\"Image properties\" -> ok\n"
                 "  | Resolution must be a positive number.\n"))
        << text << Transcript();
    EXPECT_DOUBLE_EQ(theSettings.psResolution, 72.0) << text;
    EXPECT_FALSE(theSettings.frame) << text;
  }
}

TEST_F(ImagePropertiesTest, OkWritesTheChoicesAndCancelWritesNothing) {
  const char* choices =
      "dialog 14031 check 12039\ndialog 14031 check 12038\ndialog 14031 check 16020\n"
      "dialog 14031 set 12052 300\n";
  EXPECT_EQ(Run(std::string(choices) + "dialog 14031 click 12042\n"), IDCANCEL);
  EXPECT_FALSE(theSettings.frame);
  EXPECT_TRUE(theSettings.transparency);
  EXPECT_FALSE(theSettings.background);
  EXPECT_DOUBLE_EQ(theSettings.psResolution, 72.0);

  EXPECT_EQ(Run(std::string(choices) + "dialog 14031 click 12041\n"), IDOK);
  EXPECT_TRUE(theSettings.frame);
  EXPECT_FALSE(theSettings.transparency);
  EXPECT_TRUE(theSettings.background);
  EXPECT_DOUBLE_EQ(theSettings.psResolution, 300.0);
}

// How often the first image of model space was marked for redrawing.
int ImageRedraws() {
  int redraws = -1;
  AcDbBlockTable* table = nullptr;
  acdbHostApplicationServices()->workingDatabase()->getBlockTable(table, AcDb::kForRead);
  AcDbBlockTableRecord* space = nullptr;
  table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
  AcDbBlockTableRecordIterator* iterator = nullptr;
  space->newIterator(iterator);
  for (; !iterator->done() && redraws < 0; iterator->step()) {
    AcDbEntity* entity = nullptr;
    if (iterator->getEntity(entity, AcDb::kForRead) != Acad::eOk) continue;
    if (AcDbRasterImage::cast(entity)) redraws = entity->graphicsModifiedCount();
    entity->close();
  }
  delete iterator;
  space->close();
  table->close();
  return redraws;
}

TEST_F(ImagePropertiesTest, TheDrawingsImageFrameSwitchesAtOnceOnOk) {
  AddLayer("Photo", 3);
  WriteBitmap("site.bmp", 8, 4);
  PlotWindow window{{0, 0}, {80, 40}};
  ASSERT_TRUE(insertPicture("D:\\site", "bmp", "bpw", window, "Photo", ImageOptions{}));
  const int before = ImageRedraws();

  Run("dialog 14031 check 12039\ndialog 14031 click 12042\n");  // Cancel: nothing changes
  bool shown = true;
  ASSERT_TRUE(readImageFrame(shown));
  EXPECT_FALSE(shown);
  EXPECT_EQ(ImageRedraws(), before);

  Run("dialog 14031 check 12039\ndialog 14031 click 12041\n");
  ASSERT_TRUE(readImageFrame(shown));
  EXPECT_TRUE(shown);
  EXPECT_GT(ImageRedraws(), before);

  const int switched = ImageRedraws();
  Run("dialog 14031 click 12041\n");  // already shown: nothing to switch
  EXPECT_EQ(ImageRedraws(), switched);
}

}  // namespace
