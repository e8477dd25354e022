// "TAVO_IMGCREATE" in acad-host on the sample site plan, opened as
// D:\work\site.dxf: what the main dialog shows, every check of the create
// workflow with its message, and a complete run with the photo editor.
#include <gmock/gmock.h>

#include "create_fixture.h"
#include "testing/case_name.h"
#include "testing/transcript.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The plot file and world file fields for the page setup's device and what
// the user typed.
struct PlotFieldsCase {
  const char* name;
  const char* script;   // before TAVO_IMGCREATE
  const char* answers;  // before Cancel
  const char* plotFile;
  const char* worldFile;
};

const PlotFieldsCase kPlotFieldsCases[] = {
    {"EmptyFieldTakesTheDrawingsPath", "", "", "D:\\work\\site.png", "D:\\work\\site.pgw"},
    {"DeviceWithoutTypeWordGivesALoneDot", "PAGESETUP device=\"None\"\n", "", "D:\\work\\site.",
     "D:\\work\\site.w"},
    {"TypedPathGetsThePostScriptType", "PAGESETUP device=\"PostScript Level 2.pc3\"\n",
     "dialog 12000 set 12002 C:\\a\\b\ndialog 12000 leave 12002\n", "C:\\a\\b.eps", "C:\\a\\b.esw"},
    {"TypedPathWithTheTypeStaysTheSame", "PAGESETUP device=\"PostScript Level 2.pc3\"\n",
     "dialog 12000 set 12002 C:\\a\\b.eps\ndialog 12000 leave 12002\n", "C:\\a\\b.eps", "C:\\a\\b.esw"},
    {"PageSetupFromTheDialogChangesTheType", "",
     "dialog 12000 click 12004\ndialog pagesetup select device \"PublishToWeb JPG.pc3\"\ndialog pagesetup click 1\n",
     "D:\\work\\site.jpg", "D:\\work\\site.jgw"},
};

class PlotFields : public CreateRun, public ::testing::WithParamInterface<PlotFieldsCase> {};

TEST_P(PlotFields, ShowThePlotAndWorldFileNames) {
  const PlotFieldsCase& c = GetParam();
  Host(std::string(c.script) + "TAVO_IMGCREATE\n", std::string(c.answers) + "dialog 12000 click 14033\n");
  EXPECT_THAT(ControlLine("closed", 12002), HasSubstr(std::string("\"") + c.plotFile + "\""))
      << transcript;
  EXPECT_THAT(ControlLine("closed", 12005), HasSubstr(std::string("\"") + c.worldFile + "\""))
      << transcript;
  EXPECT_FALSE(SettingsWritten());  // Cancel writes no settings
}

INSTANTIATE_TEST_SUITE_P(MainDialog, PlotFields, ::testing::ValuesIn(kPlotFieldsCases),
                         rwtest::CaseName());

TEST_F(CreateRun, DeviceNoneDisablesOkAndPreviewUntilThePageSetupNamesADevice) {
  Host("PAGESETUP device=\"None\"\nTAVO_IMGCREATE\n",
       "dialog 12000 click 14033\n");
  for (int id : {12032, 12010}) EXPECT_THAT(ControlLine("closed", id), HasSubstr("disabled")) << id;
  Host("PAGESETUP device=\"None\"\nTAVO_IMGCREATE\n",
       "dialog 12000 click 12004\ndialog pagesetup select device \"PublishToWeb PNG.pc3\"\n"
       "dialog pagesetup click 1\ndialog 12000 click 14033\n");
  for (int id : {12032, 12010}) {
    SCOPED_TRACE(id);
    EXPECT_NE(ControlLine("closed", id), "") << id;
    EXPECT_THAT(ControlLine("closed", id), Not(HasSubstr("disabled"))) << id;
  }
}

TEST_F(CreateRun, SwatchClickBelowItsPaintedTopDoesNothingInTheMiddleOpensTheLayerDialog) {
  // The swatch control 12045 (54, 137, 12 x 15 dialog units) is 81..99 x 223..247
  // pixels; its colour is painted from 6 pixels below its top.
  Host("TAVO_IMGCREATE\n", "dialog 12000 mouse 90 226\ndialog 12000 mouse 90 235\nlayerdialog cancel\n"
                           "dialog 12000 click 14033\n");
  EXPECT_EQ(rwtest::count(transcript, "layerdialog -> "), 1) << transcript;
  EXPECT_THAT(transcript, HasSubstr("input 12000 -> mouse 90 235\nlayerdialog -> cancel\n"));
  // Cancelling the layer dialog keeps the layer and its colour.
  EXPECT_THAT(ControlLine("closed", 12058), HasSubstr("text=\"0\"")) << transcript;
  EXPECT_THAT(rwtest::lastBlock(transcript, "dialog 12000 closed"), HasSubstr("paint fill 81,229,99,247 #FFFFFF"));
}

TEST_F(CreateRun, ToolsRunAndTheDialogTakesInputAgain) {
  Host("TAVO_IMGCREATE\n",
       "dialog 12000 click 12010\ndialog plotpreview close\n"
       "dialog 12000 click 12015\nfile \"D:\\x\\my plan\"\n"
       "dialog 12000 click 12016\n"
       "dialog 12000 click 14033\n");
  EXPECT_THAT(transcript, HasSubstr("input plotpreview -> close\nplotpreview closed\ninput 12000 -> click 12015\n"));
  EXPECT_THAT(transcript, HasSubstr("filedialog open title=\"\" filter=\"All files (*.*)|*.*|\" ext=\"\" name=\"\" flags=0x6 "
                       "owner=\"\" -> \"D:\\x\\my plan\"\n"));
  EXPECT_THAT(ControlLine("closed", 12002), HasSubstr("text=\"D:\\x\\my plan\"")) << transcript;
  EXPECT_THAT(ControlLine("closed", 12005), HasSubstr("text=\"D:\\x\\my plan.pgw\"")) << transcript;
  EXPECT_THAT(transcript, HasSubstr("Rasterwerk.chm::/main.htm"));
  EXPECT_THAT(transcript, HasSubstr("input 12000 -> click 14033\n"));
}

// One check of the create workflow that ends it with the dialog still open.
struct RefusalCase {
  const char* name;
  const char* script;   // before TAVO_IMGCREATE
  const char* answers;  // before OK
  const char* afterOk;  // answers to what OK shows before the message
  bool psdBefore;       // D:\\work\\site.psd exists before the run
  bool withoutPhotoEditor;
  const char* text;     // the message; empty: none
  const char* buttons;
  const char* icon;
  const char* answer;   // to the message
};

constexpr const char* kPsdQuestion = "The .psd file still exists. Do you want to overwright it?\nD:\\work\\site.psd";
constexpr const char* kNoFullPath =
    "The operation can not be completed while the full path to the plot file is not specified!";
constexpr const char* kChooseGimp = "dialog 12000 select-index 18019 1\n";
constexpr const char* kGimpLocation = "dialog 12029 set 12003 D:\\gimp\\bin\\gimp-2.10.exe\n"
                                      "dialog 12029 click 14036\n";

const RefusalCase kRefusalCases[] = {
    {"UncPath", "", "dialog 12000 set 12002 \\\\server\\share\\site\n", "", false, false, kNoFullPath, "ok",
     "none", "ok"},
    {"BareName", "", "dialog 12000 set 12002 site\n", "", false, false, kNoFullPath, "ok", "none", "ok"},
    {"DriveRelativePath", "", "dialog 12000 set 12002 D:site\n", "", false, false, kNoFullPath, "ok", "none", "ok"},
    {"PlotAreaNotWindow", "PAGESETUP type=extents\n", "", "", false, false, "Plot Area must be Window!", "ok", "none",
     "ok"},
    {"PsdExistsNo", "", "", "", true, false, kPsdQuestion, "yesnocancel", "question", "no"},
    {"PsdExistsCancel", "", "", "", true, false, kPsdQuestion, "yesnocancel", "question", "cancel"},
    {"NothingToPlot", "PAGESETUP window=0,0,10,10\n", "", "", false, false,
     "The operation cannot be completed because nothing was selected", "ok", "none", "ok"},
    {"PhotoEditorMissing", "", "", "", false, true, "Photoshop is not available", "ok", "none", "ok"},
    {"GimpLocationCancelled", "", kChooseGimp, "dialog 12029 click 12035\n", false, false, "", "", "", ""},
    {"GimpScriptNotInstalled", "", kChooseGimp, kGimpLocation, false, false,
     "The .scm file needed to process the image with Gimp could not be found. Do you want to install it?",
     "yesnocancel", "question", "no"},
};

class Refusals : public CreateRun, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, ShowTheirMessageOwnedByTheDialogWhichStaysOpen) {
  const RefusalCase& c = GetParam();
  if (c.psdBefore) std::ofstream(work / "site.psd") << "kept";
  std::string answers = std::string(c.answers) + "dialog 12000 click 12032\n" + c.afterOk;
  if (*c.text) answers += std::string("msgbox ") + c.answer + "\n";
  // The photo editor's class taken out of the host's COM servers: not installed.
  std::vector<std::string> options;
  if (c.withoutPhotoEditor) options = {"--com-server", "{6DECC242-87EF-11CF-86B4-444553540000}=none"};
  Host(std::string(c.script) + "TAVO_IMGCREATE\n", answers + "dialog 12000 click 14033\n", options);

  const std::string::size_type ok = transcript.find("input 12000 -> click 12032\n");
  ASSERT_NE(ok, std::string::npos) << transcript;
  const std::string afterOk = transcript.substr(ok);
  if (*c.text) {
    EXPECT_THAT(afterOk, HasSubstr(MessageBoxEntry(c.text, c.buttons, c.icon, c.answer))) << transcript;
  } else {
    EXPECT_THAT(afterOk, Not(HasSubstr("msgbox"))) << transcript;
  }
  EXPECT_THAT(afterOk, HasSubstr("input 12000 -> click 14033\n")) << "the dialog closed\n" << transcript;
  if (c.psdBefore) {
    EXPECT_EQ(readFile(work / "site.psd"), "kept");
  }
  if (c.withoutPhotoEditor) {
    EXPECT_FALSE(fs::exists(work / "site.psd"));
  } else {
    std::vector<std::string> expected{"site.dxf"};
    if (c.psdBefore) expected.push_back("site.psd");
    EXPECT_EQ(FilesIn(work), expected);  // nothing plotted, nothing made
  }
  EXPECT_FALSE(SettingsWritten());
}

INSTANTIATE_TEST_SUITE_P(CreateWorkflow, Refusals, ::testing::ValuesIn(kRefusalCases),
                         rwtest::CaseName());

TEST_F(CreateRun, CompleteCreateWithThePhotoEditorLeavesTheDocumentThePictureAndTheImage) {
  std::ofstream(work / "site.psd") << "an older document";  // Yes replaces it
  const int status = Host("TAVO_IMGCREATE\n",
                          "dialog 12000 click 12011\nlayerdialog IMG Bild\n"
                          "dialog 12000 select 12006 JPG\n"
                          "dialog 12000 click 12032\nmsgbox yes\neditor done\n",
                          {"--save-as", (dir / "saved.dxf").string()});
  EXPECT_EQ(status, 0) << transcript;
  // The plot path is the drawing's; the plots and the layers file are gone.
  EXPECT_EQ(FilesIn(work), (std::vector<std::string>{"site.dxf", "site.jpg", "site.pgw", "site.psd"})) << transcript;
  EXPECT_EQ(PsdLayerNames(work / "site.psd"),
            (std::vector<std::string>{"Background", "ACAD_PARCELS", "ACAD_BUILDINGS", "ACAD_ROADS",
                                      "ACAD_VEGETATION", "ACAD_WATER", "ACAD_TEXT"}));
  Magick::Image picture;
  picture.ping((work / "site.jpg").string());
  EXPECT_EQ(picture.magick(), "JPEG");

  ExpectOneImageOverThePlotWindow(dir / "saved.dxf", "Bild");

  const std::string settings = readFile(dir / "user" / "Rasterwerk.ini");
  for (const char* entry : {"Program=Photoshop", "Format=JPG", "LayerKey=IMG"}) {
    SCOPED_TRACE(entry);
    EXPECT_THAT(settings, HasSubstr(entry)) << entry << "\n" << settings;
  }
}

TEST_F(CreateRun, EditEndsTheDialogWithResultZeroAndSavesTheSettings) {
  Host("TAVO_IMGCREATE\n", "dialog 12000 click 12014\npick enter\n");
  EXPECT_THAT(transcript, HasSubstr("input 12000 -> click 12014\n"));
  EXPECT_THAT(rwtest::lastBlock(transcript, "dialog 12000 closed"), HasSubstr("result=0"));
  EXPECT_TRUE(SettingsWritten());
}

}  // namespace
