// Layouts, plot settings, the validator, the page setup dialog and command.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "acaplmgr.h"
#include "arx/drawing.h"
#include "arx/pagesetup.h"
#include "arx/plotdevices.h"
#include "dbplotsetval.h"
#include "testing/scripted_user.h"

namespace {

using ::testing::HasSubstr;

class PageSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    arx::newDrawing();
    arx::PageSetup& setup = arx::pageSetup(arx::workingDrawing());
    setup.plotCfgName = "PublishToWeb PNG.pc3";
    setup.canonicalMediaName = "VGA_(640.00_x_480.00_Pixels)";
    setup.plotType = arx::PlotType::Window;
    setup.windowMin = {1, 2};
    setup.windowMax = {30, 40};
  }
  void TearDown() override { arx::setLayoutServicesAvailable(true, true); }
  static arx::PageSetup& setup() { return arx::pageSetup(arx::workingDrawing()); }
  static AcApLayoutManager* manager() {
    return static_cast<AcApLayoutManager*>(acdbHostApplicationServices()->layoutManager());
  }
  ui::ScriptedDriver& answer(const std::string& answers) {
    user_.answer(answers);
    return user_.driver();
  }

  rwtest::ScriptedUser user_;
};

TEST_F(PageSetupTest, ActiveLayoutReadsThePageSetup) {
  const ACHAR* name = manager()->findActiveLayout(true);
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name, "Model");
  AcDbLayout* layout = nullptr;
  ASSERT_EQ(manager()->getLayoutNamed(name, layout, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(layout->plotType(), AcDbPlotSettings::kWindow);
  double x1, y1, x2, y2;
  layout->getPlotWindowArea(x1, y1, x2, y2);
  EXPECT_EQ(x1, 1);
  EXPECT_EQ(y1, 2);
  EXPECT_EQ(x2, 30);
  EXPECT_EQ(y2, 40);
  const ACHAR* device = nullptr;
  const ACHAR* media = nullptr;
  ASSERT_EQ(layout->getPlotCfgName(device), Acad::eOk);
  ASSERT_EQ(layout->getCanonicalMediaName(media), Acad::eOk);
  EXPECT_STREQ(device, "PublishToWeb PNG.pc3");
  EXPECT_STREQ(media, "VGA_(640.00_x_480.00_Pixels)");
  EXPECT_EQ(layout->close(), Acad::eOk);
}

TEST_F(PageSetupTest, LayoutIsADatabaseObjectWithTheOpenRules) {
  AcDbLayout* writer = nullptr;
  ASSERT_EQ(manager()->getLayoutNamed("model", writer, AcDb::kForWrite), Acad::eOk);
  AcDbLayout* second = nullptr;
  EXPECT_NE(manager()->getLayoutNamed("Model", second, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(writer->close(), Acad::eOk);
  AcDbLayout* open = manager()->findLayoutNamed("Model", true);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->objectId(), arx::modelLayoutId(arx::workingDrawing()));
  open->close();
  EXPECT_EQ(manager()->findLayoutNamed("Layout1", true), nullptr);
}

TEST_F(PageSetupTest, ValidatorGivesLocaleMediaNames) {
  AcDbPlotSettingsValidator* validator = acdbHostApplicationServices()->plotSettingsValidator();
  ASSERT_NE(validator, nullptr);
  AcDbLayout* layout = manager()->findLayoutNamed("Model", true);
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(validator->refreshLists(layout), Acad::eOk);
  const ACHAR* locale = nullptr;
  ASSERT_EQ(validator->getLocaleMediaName(layout, "VGA_(640.00_x_480.00_Pixels)", locale), Acad::eOk);
  EXPECT_STREQ(locale, "VGA (640.00 x 480.00 Pixels)");
  EXPECT_EQ(validator->getLocaleMediaName(layout, "ISO_A4_(297.00_x_210.00_MM)", locale), Acad::eInvalidInput);
  EXPECT_EQ(validator->setPlotType(layout, AcDbPlotSettings::kExtents), Acad::eNotOpenForWrite);
  layout->close();
}

TEST_F(PageSetupTest, ValidatorChangesOpenLayouts) {
  AcDbPlotSettingsValidator* validator = acdbHostApplicationServices()->plotSettingsValidator();
  AcDbLayout* layout = nullptr;
  ASSERT_EQ(manager()->getLayoutNamed("Model", layout, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(validator->setPlotCfgName(layout, "PostScript Level 2.pc3"), Acad::eOk);
  EXPECT_EQ(setup().canonicalMediaName, "ISO_A4_(297.00_x_210.00_MM)") << "a new device takes its own paper";
  EXPECT_EQ(validator->setCanonicalMediaName(layout, "ANSI A (11.00 x 8.50 Inches)"), Acad::eOk);
  EXPECT_EQ(setup().canonicalMediaName, "ANSI_A_(11.00_x_8.50_Inches)");
  EXPECT_EQ(validator->setCanonicalMediaName(layout, "VGA_(640.00_x_480.00_Pixels)"), Acad::eInvalidInput);
  EXPECT_EQ(validator->setPlotCfgName(layout, "No Such Plotter.pc3"), Acad::eInvalidInput);
  EXPECT_EQ(validator->setPlotWindowArea(layout, 10, 20, 0, 5), Acad::eOk);
  EXPECT_EQ(setup().windowMin.x, 0);
  EXPECT_EQ(setup().windowMax.y, 20);
  EXPECT_EQ(validator->setPlotType(layout, AcDbPlotSettings::kLimits), Acad::eOk);
  EXPECT_EQ(setup().plotType, arx::PlotType::Limits);
  layout->close();
}

TEST_F(PageSetupTest, ServicesCanBeTakenAway) {
  arx::setLayoutServicesAvailable(false, true);
  EXPECT_EQ(acdbHostApplicationServices()->layoutManager(), nullptr);
  EXPECT_NE(acdbHostApplicationServices()->plotSettingsValidator(), nullptr);
  arx::setLayoutServicesAvailable(true, false);
  EXPECT_NE(acdbHostApplicationServices()->layoutManager(), nullptr);
  EXPECT_EQ(acdbHostApplicationServices()->plotSettingsValidator(), nullptr);
}

TEST_F(PageSetupTest, CommandSetsEverythingGiven) {
  std::string error;
  ASSERT_TRUE(arx::runPageSetupCommand(
      R"x(window=100,50,0,-5 media="SVGA (800.00 x 600.00 Pixels)" device="publishtoweb jpg.pc3" type=window)x", error))
      << error;
  EXPECT_EQ(setup().plotCfgName, "PublishToWeb JPG.pc3");
  EXPECT_EQ(setup().canonicalMediaName, "SVGA_(800.00_x_600.00_Pixels)");
  EXPECT_EQ(setup().windowMin.x, 0);
  EXPECT_EQ(setup().windowMin.y, -5);
  EXPECT_EQ(setup().windowMax.x, 100);
  EXPECT_EQ(setup().windowMax.y, 50);
  ASSERT_TRUE(arx::runPageSetupCommand("type=extents", error)) << error;
  EXPECT_EQ(setup().plotType, arx::PlotType::Extents);
  EXPECT_EQ(setup().plotCfgName, "PublishToWeb JPG.pc3") << "what is not given stays";
  ASSERT_TRUE(arx::runPageSetupCommand("device=None", error)) << error;
  EXPECT_EQ(setup().plotCfgName, "None");
}

TEST_F(PageSetupTest, CommandRefusesBadWordsAndChangesNothing) {
  for (const char* bad : {"device=\"Pen Plotter.pc3\"", "media=A0", "device=None media=\"VGA (640.00 x 480.00 Pixels)\"",
                          "type=sideways", "window=1,2,3", "window=1,2,1,9", "window=a,b,c,d", "window=0,0,1e999,1",
                          "colour=red", "device", "device=\"PublishToWeb PNG.pc3", "type=window oops"}) {
    const arx::PageSetup before = setup();
    std::string error;
    EXPECT_FALSE(arx::runPageSetupCommand(bad, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
    EXPECT_EQ(setup().plotCfgName, before.plotCfgName) << bad;
    EXPECT_EQ(setup().canonicalMediaName, before.canonicalMediaName) << bad;
    EXPECT_EQ(setup().plotType, before.plotType) << bad;
    EXPECT_EQ(setup().windowMax.x, before.windowMax.x) << bad;
  }
}

TEST_F(PageSetupTest, RasterDevicesTakeASizeInPixelsOfTheUsers) {
  const char* devices[] = {"PublishToWeb PNG.pc3", "PublishToWeb JPG.pc3", "TIFF Version 6 (Uncompressed).pc3"};
  struct Case {
    const char* given;
    const char* canonical;
    const char* locale;
  } cases[] = {
      {"6622 x 4677 Pixels", "User_(6622.00_x_4677.00_Pixels)", "User (6622.00 x 4677.00 Pixels)"},
      {"6622x4677", "User_(6622.00_x_4677.00_Pixels)", "User (6622.00 x 4677.00 Pixels)"},
      {"User (6622.00 x 4677.00 Pixels)", "User_(6622.00_x_4677.00_Pixels)", "User (6622.00 x 4677.00 Pixels)"},
      {"User_(9933.00_x_7016.00_Pixels)", "User_(9933.00_x_7016.00_Pixels)", "User (9933.00 x 7016.00 Pixels)"},
      {"1 x 1 pixels", "User_(1.00_x_1.00_Pixels)", "User (1.00 x 1.00 Pixels)"},
      {"16000 x 16000 Pixels", "User_(16000.00_x_16000.00_Pixels)", "User (16000.00 x 16000.00 Pixels)"},
  };
  AcDbPlotSettingsValidator* validator = acdbHostApplicationServices()->plotSettingsValidator();
  for (const char* device : devices)
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(device) + ": " + c.given);
      std::string error;
      ASSERT_TRUE(arx::runPageSetupCommand("device=\"" + std::string(device) + "\" media=\"" + c.given + "\"", error))
          << error;
      EXPECT_EQ(setup().canonicalMediaName, c.canonical);
      AcDbLayout* layout = manager()->findLayoutNamed("Model", true);
      const ACHAR* locale = nullptr;
      ASSERT_EQ(validator->getLocaleMediaName(layout, c.canonical, locale), Acad::eOk);
      EXPECT_STREQ(locale, c.locale);
      layout->close();
    }
  std::string error;
  ASSERT_TRUE(arx::runPageSetupCommand("device=\"PublishToWeb JPG.pc3\"", error)) << error;
  EXPECT_EQ(setup().canonicalMediaName, "User_(16000.00_x_16000.00_Pixels)") << "another raster device keeps the size";
}

TEST_F(PageSetupTest, ASizeOutOfRangeIsRefusedWithItsMessageAndThePageSetupStays) {
  const std::string range = "The plot device \"PublishToWeb PNG.pc3\" takes sizes from 1 x 1 to 16000 x 16000 pixels, not ";
  struct Case {
    const char* device;
    const char* media;
    std::string message;
  } cases[] = {
      {"PublishToWeb PNG.pc3", "16001 x 4677 Pixels", range + "\"16001 x 4677 Pixels\""},
      {"PublishToWeb PNG.pc3", "6622 x 16001 Pixels", range + "\"6622 x 16001 Pixels\""},
      {"PublishToWeb PNG.pc3", "0 x 10 Pixels", range + "\"0 x 10 Pixels\""},
      {"PublishToWeb PNG.pc3", "-5 x 10", range + "\"-5 x 10\""},
      {"PublishToWeb PNG.pc3", "6622.5 x 10 Pixels", "A size in pixels is whole pixels, not \"6622.5 x 10 Pixels\""},
      {"PublishToWeb PNG.pc3", "6622 x 4677 Inches", "The plot device \"PublishToWeb PNG.pc3\" has no paper \"6622 x 4677 Inches\""},
      {"PostScript Level 2.pc3", "6622 x 4677 Pixels",
       "The plot device \"PostScript Level 2.pc3\" has no paper \"6622 x 4677 Pixels\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.device) + ": " + c.media);
    SetUp();
    const std::string words = "device=\"" + std::string(c.device) + "\" media=\"" + c.media + "\"";
    std::string error;
    EXPECT_FALSE(arx::runPageSetupCommand(words, error));
    EXPECT_EQ(error, c.message);
    EXPECT_EQ(setup().plotCfgName, "PublishToWeb PNG.pc3");
    EXPECT_EQ(setup().canonicalMediaName, "VGA_(640.00_x_480.00_Pixels)");
    // The dialog shows the same refusal and keeps its draft.
    ui::ScriptedDriver& driver = answer("dialog pagesetup select device \"" + std::string(c.device) +
                                        "\"\ndialog pagesetup set media \"" + c.media + "\"\ndialog pagesetup click 1\n");
    EXPECT_EQ(manager()->pageSetup(AcDbObjectId::kNull, nullptr, true), 1);
    EXPECT_THAT(driver.transcript(), HasSubstr("dialog pagesetup refused set: " + c.message));
    EXPECT_EQ(setup().plotCfgName, c.device);
    const bool sameDevice = std::string(c.device) == "PublishToWeb PNG.pc3";  // else the device's first paper
    EXPECT_EQ(setup().canonicalMediaName,
              sameDevice ? "VGA_(640.00_x_480.00_Pixels)" : arx::findPlotDevice(c.device)->media.front().canonicalName);
  }
}

TEST_F(PageSetupTest, PostScriptOffersTheIsoAndAnsiSheets) {
  struct Case {
    const char* locale;
    int width, height;  // points
  } cases[] = {
      {"ISO A4 (297.00 x 210.00 MM)", 842, 595},       {"ISO A3 (420.00 x 297.00 MM)", 1191, 842},
      {"ISO A2 (594.00 x 420.00 MM)", 1684, 1191},     {"ISO A1 (841.00 x 594.00 MM)", 2384, 1684},
      {"ISO A0 (1189.00 x 841.00 MM)", 3370, 2384},    {"ANSI A (11.00 x 8.50 Inches)", 792, 612},
      {"ANSI B (17.00 x 11.00 Inches)", 1224, 792},    {"ANSI C (22.00 x 17.00 Inches)", 1584, 1224},
      {"ANSI D (34.00 x 22.00 Inches)", 2448, 1584},   {"ANSI E (44.00 x 34.00 Inches)", 3168, 2448},
  };
  const arx::PlotDevice* postScript = arx::findPlotDevice("PostScript Level 2.pc3");
  ASSERT_NE(postScript, nullptr);
  EXPECT_EQ(postScript->media.size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    std::string error;
    ASSERT_TRUE(arx::runPageSetupCommand("device=\"PostScript Level 2.pc3\" media=\"" + std::string(c.locale) + "\"", error))
        << error;
    std::string canonical = c.locale;
    std::replace(canonical.begin(), canonical.end(), ' ', '_');
    EXPECT_EQ(setup().canonicalMediaName, canonical);
    const auto medium = arx::findPlotMedium(*postScript, canonical);
    ASSERT_TRUE(medium.has_value());
    EXPECT_EQ(medium->width, c.width);
    EXPECT_EQ(medium->height, c.height);
  }
}

TEST_F(PageSetupTest, DialogTakesTheAnswersOnOk) {
  ui::ScriptedDriver& driver = answer(
      "dialog pagesetup select device \"PostScript Level 2.pc3\"\n"
      "dialog pagesetup select-index media 2\n"
      "dialog pagesetup select type extents\n"
      "dialog pagesetup select device Nonsense.pc3\n"
      "dialog pagesetup click 1\n");
  EXPECT_EQ(manager()->pageSetup(AcDbObjectId::kNull, nullptr, true), 1);
  EXPECT_EQ(setup().plotCfgName, "PostScript Level 2.pc3");
  EXPECT_EQ(setup().canonicalMediaName, "ANSI_A_(11.00_x_8.50_Inches)");
  EXPECT_EQ(setup().plotType, arx::PlotType::Extents);
  const std::string transcript = driver.transcript();
  EXPECT_THAT(transcript, HasSubstr("dialog pagesetup open layout=\"Model\" device=\"PublishToWeb PNG.pc3\""));
  EXPECT_THAT(transcript, HasSubstr("refused"));
  EXPECT_THAT(transcript, HasSubstr("dialog pagesetup close -> ok"));
}

TEST_F(PageSetupTest, DialogCancelledOrUnansweredChangesNothing) {
  for (const char* answers : {"dialog pagesetup select device None\ndialog pagesetup click 2\n",
                              "dialog pagesetup set window 0,0,5,5\ndialog pagesetup close\n",
                              "dialog pagesetup select device None\ndialog pagesetup key device esc\n"
                              "dialog pagesetup click 1\n",
                              "dialog pagesetup select device None\n", ""}) {
    SetUp();
    ui::ScriptedDriver& driver = answer(answers);
    EXPECT_EQ(manager()->pageSetup(), 0) << answers;
    EXPECT_EQ(setup().plotCfgName, "PublishToWeb PNG.pc3") << answers;
    EXPECT_EQ(setup().windowMax.x, 30) << answers;
    EXPECT_THAT(driver.transcript(), HasSubstr("dialog pagesetup close -> cancel")) << answers;
  }
}

}  // namespace
