// The boundary options form opened from the hatch form.
#include <gmock/gmock.h>

#include "HatchFixture.h"
#include "testing/case_name.h"
#include "testing/transcript.h"

namespace hatchtest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const char kOptionsOpened[] = "form FormOptionen opened";
const char kOpenOptions[] = "form frmSchraffur click optionenButton\n";

class OptionsTest : public HatchTest {
 protected:
  void SetUp() override {
    HatchTest::SetUp();
    record.FromBoundary = TRUE;
    record.IslandDetection = TRUE;
    record.HatchStyle = 0;
    record.BoundaryCount = 2;
    record.SavedFromBoundary = FALSE;
    record.SavedIslandDetection = FALSE;
    record.SavedHatchStyle = 2;
  }
};

TEST_F(OptionsTest, WithoutABoundarySetFromScreenIsChosenAndOkWritesIt) {
  record.BoundaryCount = 0;
  std::string transcript = Run(std::string(kOpenOptions) + "form FormOptionen click ButtonOk\nform frmSchraffur close\n");
  std::string opened = rwtest::block(transcript, kOptionsOpened);
  EXPECT_THAT(rwtest::controlLine(opened, "RadioButtonVonUmgrenzung"), HasSubstr("disabled unchecked")) << opened;
  EXPECT_THAT(rwtest::controlLine(opened, "RadioButtonVomBildschirm"), HasSubstr(" checked"));
  EXPECT_EQ(record.FromBoundary, 0);
  EXPECT_EQ(record.IslandDetection, 1);
}

struct Cancelling {
  const char* name;
  const char* answers;
};

class OptionsCancel : public OptionsTest, public ::testing::WithParamInterface<Cancelling> {};

TEST_P(OptionsCancel, RestoresTheSavedFieldsAndTellsTheHostOnce) {
  record.NewBoundary = FALSE;
  Run(std::string(kOpenOptions) + "form FormOptionen select-index ComboBoxSchraffurStil 1\n" + GetParam().answers +
      "form frmSchraffur click ObjekteWaehlenButton\n");
  EXPECT_EQ(record.FromBoundary, 0);
  EXPECT_EQ(record.IslandDetection, 0);
  EXPECT_EQ(record.HatchStyle, 2);
  EXPECT_EQ(record.NewBoundary, 0);
  EXPECT_EQ(calls.optionsCancel, 1);
  EXPECT_EQ(calls.lastRecord, &record);
  EXPECT_EQ(record.Action, 2);  // the hatch form stayed open
}

INSTANTIATE_TEST_SUITE_P(Hatch, OptionsCancel,
                         ::testing::Values(Cancelling{"CancelButton", "form FormOptionen click ButtonAbbruch\n"},
                                           Cancelling{"CloseBox", "form FormOptionen close\n"},
                                           Cancelling{"Escape", "form FormOptionen key ButtonOk Escape\n"}),
                         rwtest::CaseName());

TEST_F(OptionsTest, CancelWithoutAHostFunctionOnlyRestores) {
  record.OptionsCancelProc = nullptr;
  Run(std::string(kOpenOptions) + "form FormOptionen close\nform frmSchraffur close\n");
  EXPECT_EQ(record.HatchStyle, 2);
}

TEST_F(OptionsTest, NewBoundaryLinesCloseBothFormsAndReopenTheOptionsNextTime) {
  record.Action = 4;
  std::string first = Run(std::string(kOpenOptions) + "form FormOptionen click ButtonUmgrenzungslinien\n");
  EXPECT_EQ(record.ExitReason, 2);
  EXPECT_EQ(record.Action, 9);
  EXPECT_EQ(record.NewBoundary, 1);
  EXPECT_THAT(first, HasSubstr("form frmSchraffur closed"));

  record.BoundaryCount = 3;  // the host picked new lines
  record.FromBoundary = FALSE;
  std::string second = Run("form FormOptionen click ButtonOk\nform frmSchraffur close\n");
  std::string opened = rwtest::block(second, kOptionsOpened);
  EXPECT_LT(second.find(kOptionsOpened), second.find("form frmSchraffur opened"));
  EXPECT_THAT(rwtest::controlLine(opened, "RadioButtonVonUmgrenzung"), HasSubstr(" checked")) << opened;
  EXPECT_EQ(record.FromBoundary, 1);
  EXPECT_EQ(record.NewBoundary, 0);
  EXPECT_EQ(record.ExitReason, 1);
}

struct Style {
  const char* item;
  int hatchStyle;
  const char* picture;
};

class StyleChoice : public OptionsTest, public ::testing::WithParamInterface<Style> {};

TEST_P(StyleChoice, ShowsItsPictureAndSetsHatchStyle) {
  std::string transcript = Run(std::string(kOpenOptions) + "form FormOptionen select ComboBoxSchraffurStil " +
                               GetParam().item + "\nform FormOptionen click ButtonOk\nform frmSchraffur close\n");
  std::string closed = rwtest::block(transcript, "form FormOptionen closed");
  for (const char* image : {"ImageNormal", "ImageAeussere", "ImageIgnorieren"}) {
    SCOPED_TRACE(image);
    const bool shown = std::string(image) == GetParam().picture;
    if (shown) EXPECT_THAT(rwtest::controlLine(closed, image), Not(HasSubstr(" hidden")));
    else EXPECT_THAT(rwtest::controlLine(closed, image), HasSubstr(" hidden"));
  }
  EXPECT_EQ(record.HatchStyle, GetParam().hatchStyle);
}

INSTANTIATE_TEST_SUITE_P(Hatch, StyleChoice,
                         ::testing::Values(Style{"Normal", 0, "ImageNormal"}, // the message file's text, in code page 1252
                                           Style{"\xC4u\xDF" "ere", 1, "ImageAeussere"},
                                           Style{"Ignorieren", 2, "ImageIgnorieren"}));

TEST_F(OptionsTest, TypedStyleMatchingNoItemShowsNormalAndKeepsTheStyle) {
  record.HatchStyle = 1;
  std::string transcript = Run(std::string(kOpenOptions) + "form FormOptionen set ComboBoxSchraffurStil Kreuz\n" +
                               "form FormOptionen click ButtonOk\nform frmSchraffur close\n");
  std::string closed = rwtest::block(transcript, "form FormOptionen closed");
  EXPECT_THAT(rwtest::controlLine(closed, "ImageNormal"), Not(HasSubstr(" hidden")));
  EXPECT_EQ(record.HatchStyle, 1);
}

TEST_F(OptionsTest, OkTakesTheIslandBoxAndRadioButtons) {
  Run(std::string(kOpenOptions) + "form FormOptionen uncheck CheckBoxInselnErkennen\n" +
      "form FormOptionen check RadioButtonVomBildschirm\nform FormOptionen click ButtonOk\n"
      "form frmSchraffur close\n");
  EXPECT_EQ(record.IslandDetection, 0);
  EXPECT_EQ(record.FromBoundary, 0);
  EXPECT_EQ(calls.optionsCancel, 0);
}

TEST_F(OptionsTest, TheStylePicturesAreTheFormsOwnBitmaps) {
  std::string opened = rwtest::block(Run(std::string(kOpenOptions) + "form FormOptionen close\nform frmSchraffur close\n"),
                             kOptionsOpened);
  for (const char* image : {"ImageNormal", "ImageAeussere", "ImageIgnorieren"}) {
    SCOPED_TRACE(image);
    EXPECT_THAT(rwtest::controlLine(opened, image), HasSubstr("picture=69x60 size=69x60")) << opened;
  }
  EXPECT_THAT(rwtest::controlLine(opened, "ImageNormal"), HasSubstr("stretch"));
}

}  // namespace
}  // namespace hatchtest
