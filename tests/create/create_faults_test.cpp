// "TAVO_IMGCREATE" in acad-host when a file cannot be written or a text
// cannot go to GIMP: the layered document, the picture, the world file and
// the settings; a stand-in GIMP on drive C: that records its calls and
// writes what the test asks for.
#include <gmock/gmock.h>

#include "create_fixture.h"
#include "testing/case_name.h"
#include "testing/transcript.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kNotWhole = "The image file is missing or incomplete:";
constexpr const char* kCancel = "dialog 12000 click 14033\n";

// A path as a word of the stand-in GIMP's shell script.
std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// A folder where the run wants to write a file: nothing can write it.
void BlockWithFolder(const fs::path& file) { fs::create_directories(file); }

// Complete runs with the photo editor; one file cannot be written.
struct PhotoEditorFaultCase {
  const char* name;
  const char* blocked;  // below the run's folder
  const char* answers;  // after OK
  const char* message;  // the message box's text lines ("" for none)
  const char* line;     // a command-line line ("" for none)
  bool inserted;        // the image is in the saved drawing
};

const PhotoEditorFaultCase kPhotoEditorFaults[] = {
    // The layered document's save fails: the user never gets to the editor.
    {"LayeredDocument", "D/work/site.psd", "msgbox yes\nmsgbox ok\n",
     "The image file is missing or incomplete:\nD:\\work\\site.psd", "", false},
    {"Picture", "D/work/site.png", "editor done\nmsgbox ok\n",
     "The image file is missing or incomplete:\nD:\\work\\site.png", "", false},
    {"WorldFile", "D/work/site.pgw", "editor done\n", "",
     "cmdline | The world file could not be written: D:\\work\\site.pgw\n", true},
    {"Settings", "user/Rasterwerk.ini", "editor done\nmsgbox ok\n", "The settings could not be saved in:", "", true},
};

class PhotoEditorFaults : public CreateRun, public ::testing::WithParamInterface<PhotoEditorFaultCase> {};

TEST_P(PhotoEditorFaults, AreShownOnceAndAPictureThatIsNotWholeIsNotInserted) {
  const PhotoEditorFaultCase& c = GetParam();
  BlockWithFolder(dir / c.blocked);
  const int status = Host("TAVO_IMGCREATE\n",
                          std::string("dialog 12000 select 12006 PNG\ndialog 12000 click 12032\n") + c.answers +
                              (c.inserted ? "" : kCancel),
                          {"--save-as", (dir / "saved.dxf").string()});
  EXPECT_EQ(status, 0) << transcript;
  if (*c.message) {
    const std::string box = MessageBoxEntry(c.message, "ok", "none", "ok");
    EXPECT_THAT(transcript, HasSubstr(box.substr(0, box.size() - 1)));  // the text may go on
    EXPECT_EQ(rwtest::count(transcript, "buttons=ok"), 1) << "one message";
  }
  if (*c.line) {
    EXPECT_THAT(transcript, HasSubstr(c.line));
  }
  if (!*c.message) {
    EXPECT_THAT(transcript, Not(HasSubstr("buttons=ok")));
  }
  EXPECT_EQ(ImagesIn(dir / "saved.dxf").size(), c.inserted ? 1u : 0u) << transcript;
  // A failed run keeps the dialog open; the user cancels it.
  if (c.inserted) EXPECT_THAT(transcript, Not(HasSubstr("input 12000 -> click 14033\n")));
  else EXPECT_THAT(transcript, HasSubstr("input 12000 -> click 14033\n"));
}

INSTANTIATE_TEST_SUITE_P(CreateWorkflow, PhotoEditorFaults, ::testing::ValuesIn(kPhotoEditorFaults),
                         rwtest::CaseName());

// A photo editor still running when the host unloads its modules (a command
// that an error ended) does not keep the host from ending.
TEST_F(CreateRun, HostEndsWithThePhotoEditorStillRunning) {
  EXPECT_EQ(Host("", "", {"--module", EDITOR_LEFT_RUNNING_MODULE}), 0) << run.errors;
}

// GIMP at C:\gimp\bin\gimp-2.10.exe with its script installed: a shell
// script that appends its arguments to gimp-calls.txt and, for
// "Tavo-Imgcreate" and "Tavo-Imgconvert", runs the test's commands.
class StandInGimpRun : public CreateRun {
 protected:
  StandInGimpRun() {
    fs::create_directories(dir / "C" / "gimp" / "share" / "gimp" / "2.10" / "scripts");
    std::ofstream(dir / "C" / "gimp" / "share" / "gimp" / "2.10" / "scripts" / "Rasterwerk.scm") << ";";
    fs::create_directories(dir / "user");
    std::ofstream(dir / "user" / "Rasterwerk.ini")
        << "[SETTINGS_GROUP_GRAPHIC]\r\nProgram=Gimp\r\nGimpFilePath=C:\\gimp\\bin\\gimp-2.10.exe\r\n"
           "[SETTINGS_GROUP_IMAGE]\r\nFormat=PNG\r\n";
    Gimp("", "");
  }
  void Gimp(const std::string& onCreate, const std::string& onConvert) {
    const fs::path program = dir / "C" / "gimp" / "bin" / "gimp-2.10.exe";
    fs::create_directories(program.parent_path());
    std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> " << Quoted(dir / "gimp-calls.txt") << "\n"
                           << "cd " << Quoted(work) << "\n"
                           << "case \"$*\" in\n"
                           << "  *Tavo-Imgcreate*) " << onCreate << " ;;\n"
                           << "  *Tavo-Imgconvert*) " << onConvert << " ;;\n"
                           << "esac\nexit 0\n";
    fs::permissions(program, fs::perms::owner_all);
  }
  int Run(const std::string& answers) {
    return Host("TAVO_IMGCREATE\n", answers,
                {"--drive", "C=" + (dir / "C").string(), "--save-as", (dir / "saved.dxf").string()});
  }
  std::string Calls() const { return readFile(dir / "gimp-calls.txt"); }
  // A whole layered document and picture of the size of the plots, for the
  // stand-in to copy or cut.
  void MakePictures() const {
    Magick::Image picture(Magick::Geometry(640, 480), Magick::Color("white"));
    picture.write("PSD:" + (dir / "whole.psd").string());
    picture.write("PNG:" + (dir / "whole.png").string());
  }
  std::string Copy(const char* from, const char* to) const {
    return "cp " + Quoted(dir / from) + " " + to;
  }
  std::string Cut(const char* from, const char* to) const {
    return "head -c 200 " + Quoted(dir / from) + " > " + to;
  }
};

// What GIMP leaves cut off is named, and nothing is inserted; a layered
// document cut off stops the run before the conversion.
TEST_F(StandInGimpRun, FileCutOffIsNamedAndNotInserted) {
  MakePictures();
  const struct {
    std::string onCreate, onConvert, shown;
    bool converted;
  } cases[] = {
      {Cut("whole.psd", "site.psd"), Copy("whole.png", "site.png"), "D:\\work\\site.psd", false},
      {Copy("whole.psd", "site.psd"), Cut("whole.png", "site.png"), "D:\\work\\site.png", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    for (const fs::path& left : {dir / "gimp-calls.txt", work / "site.psd", work / "site.png"}) fs::remove(left);
    Gimp(c.onCreate, c.onConvert);
    EXPECT_EQ(Run(std::string("dialog 12000 click 12032\nmsgbox ok\n") + kCancel), 0) << transcript;
    EXPECT_THAT(transcript, HasSubstr(MessageBoxEntry(std::string(kNotWhole) + "\n" + c.shown, "ok", "none", "ok")));
    EXPECT_THAT(Calls(), HasSubstr("Tavo-Imgcreate"));
    if (c.converted) EXPECT_THAT(Calls(), HasSubstr("Tavo-Imgconvert"));
    else EXPECT_THAT(Calls(), Not(HasSubstr("Tavo-Imgconvert")));
    EXPECT_TRUE(ImagesIn(dir / "saved.dxf").empty());
  }
}

TEST_F(StandInGimpRun, WholeFilesAreInserted) {
  MakePictures();
  Gimp(Copy("whole.psd", "site.psd"), Copy("whole.png", "site.png"));
  EXPECT_EQ(Run("dialog 12000 click 12032\n"), 0) << transcript;
  EXPECT_THAT(transcript, Not(HasSubstr("msgbox")));
  EXPECT_EQ(ImagesIn(dir / "saved.dxf").size(), 1u) << transcript;
}

// A text GIMP cannot take is refused before the first plot: nothing is
// plotted, GIMP is not started, the dialog stays open.
struct UnsafeTextCase {
  const char* name;
  const char* answers;    // before OK
  const char* layerName;  // the sample's layer WATER renamed to this ("" keeps it)
  std::string text;       // shown after the message
};

const UnsafeTextCase kUnsafeTexts[] = {
    {"QuoteInThePlotPath", "dialog 12000 set 12002 D:\\work\\si\"te\ndialog 12000 leave 12002\n", "",
     "D:\\work\\si\"te"},
    {"TabInALayerName", "", "WA\tTER", "WA\tTER"},
    {"CarriageReturnInALayerName", "", "WA\rTER", "WA\rTER"},
};

class UnsafeTexts : public StandInGimpRun, public ::testing::WithParamInterface<UnsafeTextCase> {};

TEST_P(UnsafeTexts, AreRefusedBeforeAnythingIsPlotted) {
  const UnsafeTextCase& c = GetParam();
  if (*c.layerName) {
    std::string drawing = readFile(work / "site.dxf");
    for (std::string::size_type at; (at = drawing.find("\nWATER\n")) != std::string::npos;)
      drawing.replace(at, 7, std::string("\n") + c.layerName + "\n");
    std::ofstream(work / "site.dxf", std::ios::binary) << drawing;
  }
  EXPECT_EQ(Run(std::string(c.answers) + "dialog 12000 click 12032\nmsgbox ok\n" + kCancel), 0) << transcript;
  const std::string text = "This text can not be passed to Gimp safely:\n" + c.text;
  EXPECT_THAT(transcript, HasSubstr(MessageBoxEntry(text, "ok", "none", "ok")));
  EXPECT_EQ(rwtest::count(transcript, "msgbox"), 1) << transcript;
  EXPECT_THAT(transcript, Not(HasSubstr("plot file=")));
  EXPECT_EQ(FilesIn(work), std::vector<std::string>{"site.dxf"});
  EXPECT_FALSE(fs::exists(dir / "gimp-calls.txt")) << Calls();
  EXPECT_THAT(transcript, HasSubstr("input 12000 -> click 14033\n"));
}

INSTANTIATE_TEST_SUITE_P(CreateWorkflow, UnsafeTexts, ::testing::ValuesIn(kUnsafeTexts),
                         rwtest::CaseName());

}  // namespace
