// "TAVO_IMGCREATE" in acad-host on the sample site plan, opened as
// D:\work\site.dxf: what the main dialog shows, every check of the create
// workflow with its message, and a complete run with the photo editor.
#include "create_fixture.h"

namespace {

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
  EXPECT_NE(ControlLine("closed", 12002).find(std::string("\"") + c.plotFile + "\""), std::string::npos)
      << transcript;
  EXPECT_NE(ControlLine("closed", 12005).find(std::string("\"") + c.worldFile + "\""), std::string::npos)
      << transcript;
  EXPECT_FALSE(SettingsWritten());  // Cancel writes no settings
}

INSTANTIATE_TEST_SUITE_P(MainDialog, PlotFields, ::testing::ValuesIn(kPlotFieldsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CreateRun, DeviceNoneDisablesOkAndPreviewUntilThePageSetupNamesADevice) {
  Host("PAGESETUP device=\"None\"\nTAVO_IMGCREATE\n",
       "dialog 12000 click 14033\n");
  for (int id : {12032, 12010}) EXPECT_NE(ControlLine("closed", id).find("disabled"), std::string::npos) << id;
  Host("PAGESETUP device=\"None\"\nTAVO_IMGCREATE\n",
       "dialog 12000 click 12004\ndialog pagesetup select device \"PublishToWeb PNG.pc3\"\n"
       "dialog pagesetup click 1\ndialog 12000 click 14033\n");
  for (int id : {12032, 12010}) {
    EXPECT_NE(ControlLine("closed", id), "") << id;
    EXPECT_EQ(ControlLine("closed", id).find("disabled"), std::string::npos) << id;
  }
}

TEST_F(CreateRun, SwatchClickBelowItsPaintedTopDoesNothingInTheMiddleOpensTheLayerDialog) {
  // The swatch control 12045 (54, 137, 12 x 15 dialog units) is 81..99 x 223..247
  // pixels; its colour is painted from 6 pixels below its top.
  Host("TAVO_IMGCREATE\n", "dialog 12000 mouse 90 226\ndialog 12000 mouse 90 235\nlayerdialog cancel\n"
                           "dialog 12000 click 14033\n");
  EXPECT_EQ(transcript.find("layerdialog -> "), transcript.rfind("layerdialog -> ")) << transcript;
  EXPECT_TRUE(Contains("input 12000 -> mouse 90 235\nlayerdialog -> cancel\n")) << transcript;
  // Cancelling the layer dialog keeps the layer and its colour.
  EXPECT_NE(ControlLine("closed", 12058).find("text=\"0\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("paint fill 81,229,99,247 #FFFFFF", transcript.rfind("dialog 12000 closed")),
            std::string::npos)
      << transcript;
}

TEST_F(CreateRun, ToolsRunAndTheDialogTakesInputAgain) {
  Host("TAVO_IMGCREATE\n",
       "dialog 12000 click 12010\ndialog plotpreview close\n"
       "dialog 12000 click 12015\nfile \"D:\\x\\my plan\"\n"
       "dialog 12000 click 12016\n"
       "dialog 12000 click 14033\n");
  EXPECT_TRUE(Contains("input plotpreview -> close\nplotpreview closed\ninput 12000 -> click 12015\n")) << transcript;
  EXPECT_TRUE(Contains("filedialog open title=\"\" filter=\"All files (*.*)|*.*|\" ext=\"\" name=\"\" flags=0x6 "
                       "owner=\"\" -> \"D:\\x\\my plan\"\n"))
      << transcript;
  EXPECT_NE(ControlLine("closed", 12002).find("text=\"D:\\x\\my plan\""), std::string::npos) << transcript;
  EXPECT_NE(ControlLine("closed", 12005).find("text=\"D:\\x\\my plan.pgw\""), std::string::npos) << transcript;
  EXPECT_TRUE(Contains("Rasterwerk.chm::/main.htm")) << transcript;
  EXPECT_TRUE(Contains("input 12000 -> click 14033\n")) << transcript;
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
  const std::string options =
      c.withoutPhotoEditor ? std::string("--com-server {6DECC242-87EF-11CF-86B4-444553540000}=none") : "";
  Host(std::string(c.script) + "TAVO_IMGCREATE\n", answers + "dialog 12000 click 14033\n", options);

  const std::string::size_type ok = transcript.find("input 12000 -> click 12032\n");
  ASSERT_NE(ok, std::string::npos) << transcript;
  const std::string afterOk = transcript.substr(ok);
  if (*c.text) EXPECT_NE(afterOk.find(MessageBoxEntry(c.text, c.buttons, c.icon, c.answer)), std::string::npos)
      << transcript;
  else EXPECT_EQ(afterOk.find("msgbox"), std::string::npos) << transcript;
  EXPECT_NE(afterOk.find("input 12000 -> click 14033\n"), std::string::npos) << "the dialog closed\n" << transcript;
  if (c.psdBefore) EXPECT_EQ(ReadFile(work / "site.psd"), "kept");
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
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CreateRun, CompleteCreateWithThePhotoEditorLeavesTheDocumentThePictureAndTheImage) {
  Magick::InitializeMagick(nullptr);
  std::ofstream(work / "site.psd") << "an older document";  // Yes replaces it
  const int status = Host("TAVO_IMGCREATE\n",
                          "dialog 12000 click 12011\nlayerdialog IMG Bild\n"
                          "dialog 12000 select 12006 JPG\n"
                          "dialog 12000 click 12032\nmsgbox yes\neditor done\n",
                          "--save-as " + Quoted(dir / "saved.dxf"));
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

  const std::string settings = ReadFile(dir / "user" / "Rasterwerk.ini");
  for (const char* entry : {"Program=Photoshop", "Format=JPG", "LayerKey=IMG"}) {
    EXPECT_NE(settings.find(entry), std::string::npos) << entry << "\n" << settings;
  }
}

TEST_F(CreateRun, EditEndsTheDialogWithResultZeroAndSavesTheSettings) {
  Host("TAVO_IMGCREATE\n", "dialog 12000 click 12014\npick enter\n");
  EXPECT_TRUE(Contains("input 12000 -> click 12014\n")) << transcript;
  EXPECT_NE(transcript.find("result=0", transcript.rfind("dialog 12000 closed")), std::string::npos) << transcript;
  EXPECT_TRUE(SettingsWritten());
}

}  // namespace
