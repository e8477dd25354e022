// Script-Fu calls, the layers file and the three GIMP operations, with a
// stand-in GIMP program that records how it was started.
#include <gmock/gmock.h>
#include <win32/processes.h>

#include <string>
#include <vector>

#include "gimp/gimp_batch.h"
#include "gimp_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// ---- Script-Fu calls ----

// The text of a call with one argument.
std::string callWith(ScriptFuArgKind kind, const std::string& value) {
  ScriptFuCall call;
  call.begin("f");
  EXPECT_TRUE(call.add(kind, value)) << value;
  call.end();
  return call.text();
}

TEST(ScriptFuCalls, ArgumentsAreWrittenByKind) {
  struct Case {
    ScriptFuArgKind kind;
    std::string value;
    std::string text;
  };
  const Case cases[] = {
      {ScriptFuArgKind::String, "tif", R"x("(f \"tif\" )")x"},
      {ScriptFuArgKind::Path, "D:\\Plans\\A 1\\site", R"x("(f \"D:/Plans/A 1/site\" )")x"},
      {ScriptFuArgKind::Value, "0", R"x("(f 0 )")x"},
      {ScriptFuArgKind::Value, "299.999400", R"x("(f 299.999400 )")x"},
      {ScriptFuArgKind::ListBegin, "ignored", R"x("(f '( )")x"},
      {ScriptFuArgKind::ListEnd, "ignored", R"x("(f ) )")x"},
      // Escaped for Script-Fu (\" and \\), then for the command line.
      {ScriptFuArgKind::String, "a\"b", R"x("(f \"a\\\"b\" )")x"},
      {ScriptFuArgKind::String, "a\\b", R"x("(f \"a\\b\" )")x"},
  };
  for (const Case& c : cases) EXPECT_EQ(callWith(c.kind, c.value), c.text) << c.value;
}

TEST(ScriptFuCalls, UnknownKindsAndUnsafeValuesAppendNothing) {
  struct Case {
    int kind;
    std::string value;
  };
  const Case cases[] = {
      {201, "x"},
      {0, "x"},
      {static_cast<int>(ScriptFuArgKind::Value), "0) (gimp-quit 0"},
      {static_cast<int>(ScriptFuArgKind::Value), "\"x\""},
      {static_cast<int>(ScriptFuArgKind::Value), ""},
      {static_cast<int>(ScriptFuArgKind::String), "line\nbreak"},
      {static_cast<int>(ScriptFuArgKind::Path), std::string("D:\\a\0b", 6)},
      {static_cast<int>(ScriptFuArgKind::Path), "D:\\a\"b"},  // no Windows path holds one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.kind << ", value " << c.value);
    ScriptFuCall call;
    call.begin("f");
    EXPECT_FALSE(call.add(static_cast<ScriptFuArgKind>(c.kind), c.value)) << c.kind << " " << c.value;
    EXPECT_EQ(call.text(), "\"(f ");
  }
}

// The value of a Script-Fu string literal starting at `text[at]`; `at` ends
// after it. "" with `at` = npos when it is no complete literal.
std::string readSchemeString(const std::string& text, std::size_t& at) {
  std::string value;
  if (at >= text.size() || text[at] != '"') return at = std::string::npos, "";
  for (++at; at < text.size(); ++at) {
    if (text[at] == '"') return ++at, value;
    if (text[at] == '\\') ++at;
    if (at < text.size()) value += text[at];
  }
  at = std::string::npos;
  return "";
}

// What GIMP receives: the command line split by the C runtime's rules, the
// call read as Script-Fu. No value ends its string early or adds code.
TEST(ScriptFuCalls, HostileTextsArriveAsOneStringEach) {
  const std::string values[] = {"a\"b) (gimp-quit 0", "x\\", "x\\\\\"", "\\\"", "(begin)", "' ; #|"};
  for (const auto& value : values) {
    SCOPED_TRACE(value);
    ScriptFuCall call;
    call.begin("f");
    ASSERT_TRUE(call.add(ScriptFuArgKind::String, value));
    ASSERT_TRUE(call.add(ScriptFuArgKind::String, "next"));
    call.end();
    const auto arguments = win32::SplitArguments(gimpCommandLine("C:\\g.exe", call.text(), "--verbose"));
    ASSERT_EQ(arguments.size(), 3u) << call.text();
    const std::string& code = arguments[2];
    std::size_t at = 3;
    ASSERT_EQ(code.substr(0, at), "(f ");
    EXPECT_EQ(readSchemeString(code, at), value) << code;
    ASSERT_NE(at, std::string::npos) << code;
    EXPECT_EQ(code.substr(at), " \"next\" )") << code;
  }
}

TEST(ScriptFuCalls, CommandLineOptionIsLeftOutWhenNoneIsGiven) {
  EXPECT_EQ(gimpCommandLine("C:\\g.exe", "\"(f )\"", "--verbose"), R"x("C:\g.exe" --verbose --batch "(f )")x");
  for (const char* option : {static_cast<const char*>(nullptr), ""}) {
    SCOPED_TRACE(option ? "empty option" : "no option");
    EXPECT_EQ(gimpCommandLine("C:\\g.exe", "\"(f )\"", option), R"x("C:\g.exe" --batch "(f )")x");
  }
}

// ---- Layers file ----

TEST(LayersFile, NamesAndContent) {
  EXPECT_EQ(layersFileName("D:\\work\\site"), "D:\\work\\site(Layers).load");
  struct Case {
    std::vector<std::string> names;
    std::string content;
  };
  const Case cases[] = {
      {{"0", "Walls"}, R"x((set! layers '("0" "Walls" )))x"},
      {{}, "(set! layers '())"},
      {{"a\\b\\\\c"}, R"x((set! layers '("a\\b\\\\c" )))x"},
      {{"a\"b) (gimp-quit 0"}, R"x((set! layers '("a\"b) (gimp-quit 0" )))x"},
      {{"W\xE4nde"}, "(set! layers '(\"W\xC3\xA4nde\" ))"},  // code page 1252 -> UTF-8
  };
  for (const Case& c : cases) EXPECT_EQ(layersFileContent(c.names), c.content);
}

// ---- Operations, with a GIMP that records its start ----

class GimpOperations : public GimpTest {
 protected:
  void SetUp() override {
    GimpTest::SetUp();
    // One line per start: "run [arg] ...", then the layers file it was given.
    WriteProgram("GIMP/bin/gimp-2.2.exe",
                 "{ printf 'run'; for a in \"$@\"; do printf ' [%s]' \"$a\"; done; printf '\\n'; } >> '" +
                     Recorded() + "'\n"
                     "for f in '" + work_.path().string() + "'/work/*.load; do\n"
                     "  [ -e \"$f\" ] && { cat \"$f\"; printf '\\n'; } >> '" + Recorded() + "'\n"
                     "done\n"
                     "exit 0\n");
    theSettings.gimpExecutable = "C:\\GIMP\\bin\\gimp-2.2.exe";
    std::filesystem::create_directories(work_.path() / "work");
    win32::ClearProcessJournal();
  }
  static std::vector<std::string> CommandLines() { return win32::ProcessJournal(); }
  std::string Recorded() const { return (programs_.path() / "runs.txt").string(); }
  std::string Runs() const { return programs_.read("runs.txt"); }
  bool LayersFileLeft() const { return WorkFileExists("work/site(Layers).load"); }
};

TEST_F(GimpOperations, CreateRunsTheCallWithTheLayersFileAndRemovesIt) {
  SetLayers({"0", "Walls"});
  EXPECT_TRUE(gimpCreate(layerPlots("D:\\work\\site", "tif")));
  EXPECT_EQ(Runs(),
            "run [--verbose] [--batch] [(Tavo-Imgcreate \"D:/work/site\" \"tif\" \"D:/work/site(Layers).load\" "
            "0.000000 )]\n(set! layers '(\"0\" \"Walls\" ))\n");
  EXPECT_EQ(CommandLines(), std::vector<std::string>{
                                R"x("C:\GIMP\bin\gimp-2.2.exe" --verbose --batch "(Tavo-Imgcreate \"D:/work/site\" )x"
                                R"x(\"tif\" \"D:/work/site(Layers).load\" 0.000000 )")x"});
  EXPECT_FALSE(LayersFileLeft());
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
}

TEST_F(GimpOperations, CreateGivesEpsPlotsTheirResolutionInPixelsPerInch) {
  struct Case {
    const char* plotType;
    double resolution;
    ResolutionUnit unit;
    const char* argument;
  };
  const Case cases[] = {
      {"eps", 118.11, kUnitPixelPerCm, "299.999400"},
      {"eps", 150, kUnitPixelPerInch, "150.000000"},
      {"EPS", 300, kUnitPixelPerInch, "0.000000"},
      {"png", 300, kUnitPixelPerInch, "0.000000"},
  };
  SetLayers({"0"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    std::filesystem::remove(programs_.path() / "runs.txt");
    theSettings.psResolution = c.resolution;
    theSettings.resolutionUnit = c.unit;
    EXPECT_TRUE(gimpCreate(layerPlots("D:\\work\\site", c.plotType)));
    EXPECT_THAT(Runs(), HasSubstr(std::string(" ") + c.argument + " )]"));
  }
}

TEST_F(GimpOperations, CreateWithoutGimpShowsNotAvailableAndRemovesTheLayersFile) {
  theSettings.gimpExecutable = "C:\\GIMP\\bin\\missing.exe";
  SetLayers({"0"});
  Answer("msgbox ok\n");
  EXPECT_FALSE(gimpCreate(layerPlots("D:\\work\\site", "tif")));
  EXPECT_THAT(Transcript(), HasSubstr("msgbox caption=\"Rasterwerk\" buttons=ok icon=none owner=\"\" -> ok\n"
                    "  | Gimp is not available\n"));
  EXPECT_FALSE(LayersFileLeft());
}

TEST_F(GimpOperations, LayersFileThatCannotBeCreatedStopsBeforeGimp) {
  SetLayers({"0"});
  Answer("msgbox ok\n");
  EXPECT_FALSE(gimpCreate(layerPlots("D:\\missing\\site", "tif")));
  EXPECT_THAT(Transcript(), HasSubstr("  | Can not create temporary file!\n  | D:\\missing\\site(Layers).load\n"));
  EXPECT_FALSE(std::filesystem::exists(Recorded()));
}

// The create step refuses them before GIMP; the create workflow asks
// gimpTextsSafe the same before it plots.
TEST_F(GimpOperations, UnsafeLayerNamesAndPathsAreRefusedBeforeGimp) {
  struct Case {
    std::vector<std::string> names;
    const char* basePath;
    const char* plotType;
    const char* shown;
  };
  const Case cases[] = {
      {{"0", "a\nb"}, "D:\\work\\site", "tif", "  | a\n  | b\n"},
      {{"0", "a\rb"}, "D:\\work\\site", "tif", "  | a\rb\n"},
      {{"0"}, "D:\\work\\si\tte", "tif", "  | D:\\work\\si\tte\n"},
      {{"0"}, "D:\\work\\si\"te", "tif", "  | D:\\work\\si\"te\n"},
      {{"0"}, "D:\\work\\site", "t\x7f", "  | t\x7f\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.basePath);
    SetLayers(c.names);
    const std::string message = "  | This text can not be passed to Gimp safely:\n" + std::string(c.shown);
    Answer("msgbox ok\n");
    EXPECT_FALSE(gimpTextsSafe(c.basePath, c.plotType, c.names));
    EXPECT_THAT(Transcript(), HasSubstr(message));
    Answer("msgbox ok\n");
    EXPECT_FALSE(gimpCreate(layerPlots(c.basePath, c.plotType)));
    EXPECT_THAT(Transcript(), HasSubstr(message));
    EXPECT_FALSE(std::filesystem::exists(Recorded()));
    EXPECT_FALSE(LayersFileLeft());
  }
  Answer("");
  EXPECT_TRUE(gimpTextsSafe("D:\\Pl\xE4ne\\A 1\\site's", "eps", {"0", "W\xE4nde \"alt\"", "a\\b"}));
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
}

TEST_F(GimpOperations, ConvertPassesBothCallsAsSeparateArguments) {
  EXPECT_TRUE(gimpConvert("D:\\work\\site", "tif"));
  EXPECT_EQ(Runs(), "run [--no-splash] [--batch] [(Tavo-Imgconvert \"D:/work/site\" \"tif\" )] [(gimp-quit 0 )]\n");
  EXPECT_EQ(CommandLines(), std::vector<std::string>{
                                R"x("C:\GIMP\bin\gimp-2.2.exe" --no-splash --batch "(Tavo-Imgconvert \"D:/work/site\" )x"
                                R"x(\"tif\" )" "(gimp-quit 0 )")x"});
}

TEST_F(GimpOperations, ConvertWithoutGimpShowsNotAvailable) {
  theSettings.gimpExecutable = "C:\\nowhere\\gimp-2.2.exe";
  Answer("msgbox ok\n");
  EXPECT_FALSE(gimpConvert("D:\\work\\site", "tif"));
  EXPECT_THAT(Transcript(), HasSubstr("  | Gimp is not available\n"));
}

TEST_F(GimpOperations, EditOpensThePsdAndConvertsOnlyWhenOneExists) {
  work_.write("img/plan.tif", "");
  gimpEdit("D:\\img\\plan", "tif");
  EXPECT_EQ(Runs(), "run [D:\\img\\plan.tif]\n");
  EXPECT_EQ(CommandLines(), std::vector<std::string>{R"x("C:\GIMP\bin\gimp-2.2.exe" "D:\img\plan.tif")x"});

  std::filesystem::remove(Recorded());
  work_.write("img/plan.psd", "");
  gimpEdit("D:\\img\\plan", "tif");
  EXPECT_EQ(Runs(),
            "run [D:\\img\\plan.psd]\n"
            "run [--no-splash] [--batch] [(Tavo-Imgconvert \"D:/img/plan\" \"tif\" )] [(gimp-quit 0 )]\n");
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
}

TEST_F(GimpOperations, EditWithoutGimpStillConvertsAndThatReportsIt) {
  theSettings.gimpExecutable = "C:\\nowhere\\gimp-2.2.exe";
  work_.write("img/plan.psd", "");
  Answer("msgbox ok\n");
  gimpEdit("D:\\img\\plan", "tif");
  EXPECT_THAT(Transcript(), HasSubstr("  | Gimp is not available\n"));
}

// A quote would end the file's argument and pass the rest as arguments of
// their own (another -b call); nothing starts, the message names the text.
TEST_F(GimpOperations, EditRefusesFilesAndProgramsThatCannotStandInQuotes) {
  struct Case {
    const char* basePath;
    const char* executable;
    const char* shown;
  };
  const Case cases[] = {
      {"D:\\x\" -b \"(gimp-quit 0)\" \"y", "C:\\GIMP\\bin\\gimp-2.2.exe", "D:\\x\" -b \"(gimp-quit 0)\" \"y.tif"},
      {"D:\\img\\pl\tan", "C:\\GIMP\\bin\\gimp-2.2.exe", "D:\\img\\pl\tan.tif"},
      {"-b(gimp-quit 0)", "C:\\GIMP\\bin\\gimp-2.2.exe", "-b(gimp-quit 0).tif"},
      {"D:\\img\\plan", "C:\\GIMP\\bin\\gimp\" -b \"x.exe", "C:\\GIMP\\bin\\gimp\" -b \"x.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.basePath);
    theSettings.gimpExecutable = c.executable;
    win32::ClearProcessJournal();
    Answer("msgbox ok\n");
    gimpEdit(c.basePath, "tif");
    EXPECT_THAT(Transcript(), HasSubstr("  | This text can not be passed to Gimp safely:\n  | " + std::string(c.shown)));
    EXPECT_TRUE(CommandLines().empty());
    EXPECT_FALSE(std::filesystem::exists(Recorded()));
  }
}

TEST_F(GimpOperations, ConvertRefusesAProgramThatCannotStandInQuotes) {
  theSettings.gimpExecutable = "C:\\GIMP\\bin\\gimp\" --batch \"(x).exe";
  Answer("msgbox ok\n");
  EXPECT_FALSE(gimpConvert("D:\\work\\site", "tif"));
  EXPECT_THAT(Transcript(), HasSubstr("  | This text can not be passed to Gimp safely:\n"));
  EXPECT_TRUE(CommandLines().empty());
  PROCESS_INFORMATION processInfo{};
  EXPECT_FALSE(startGimp(theSettings.gimpExecutable, "\"(f )\"", nullptr, processInfo));
  EXPECT_TRUE(CommandLines().empty());
}

}  // namespace
