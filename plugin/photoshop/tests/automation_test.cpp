// Each Photoshop operation as the editor carries it out, seen in what it
// leaves: the open documents, their layers, the files written and their
// pixels. Every play is made in silent mode (no dialog may wait for a user)
// with the shared descriptor cleared of what was put in it before.
#include <gmock/gmock.h>
#include <comdef.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "bridge_fixture.h"
#include "testing/case_name.h"
#include "testing/temp_folder.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
namespace fs = std::filesystem;

// Bytes of a file's header, from `offset` on.
std::string HeaderBytes(const fs::path& file, long offset, size_t count) {
  return rwtest::readFile(file).substr(offset, count);
}

// The colour of one pixel of a picture as "r,g,b" (0..255).
std::string PixelAt(const fs::path& picture, int x, int y) {
  Magick::Image image(picture.string());
  const Magick::ColorRGB pixel = image.pixelColor(x, y);
  return std::to_string(int(pixel.red() * 255 + 0.5)) + "," + std::to_string(int(pixel.green() * 255 + 0.5)) + "," +
         std::to_string(int(pixel.blue() * 255 + 0.5));
}

photoshop::DocumentView Active() { return photoshop::Documents().back(); }

// A second picture, D:\\other.png (20 x 10, green).
void WriteOther() {
  Magick::Image(Magick::Geometry(20, 10), Magick::Color("green")).write(win32::ToPosixPath("D:\\other.png"));
}

// A page (60 x 40, white, a red square at x 5..14, y 10..19) is open as the
// active document when an operation runs; `before` prepares more, `run` is
// the operation, `check` looks at what it left (`folder` is drive D:).
struct OperationCase {
  const char* name;
  std::function<void()> before;
  std::function<bool()> run;
  std::function<void(const fs::path& folder)> check;
};

const OperationCase kOperations[] = {
    {"open", WriteOther, [] { return psOpen("D:\\other.png"); },
     [](const fs::path&) {
       EXPECT_EQ(photoshop::Documents().size(), 2u);
       EXPECT_EQ(Active().path, "D:\\other.png");
       EXPECT_THAT(Active().layers, ElementsAre("Background"));
     }},
    {"openEps",
     [] {
       psCloseDiscarding();
       std::FILE* eps = std::fopen(win32::ToPosixPath("D:\\page.eps").c_str(), "w");
       std::fputs("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 72 36\n0 0 1 setrgbcolor 0 0 72 36 rectfill\nshowpage\n",
                  eps);
       std::fclose(eps);
     },
     [] { return psOpenEps("D:\\page.eps", 150); },
     [](const fs::path& folder) {
       ASSERT_TRUE(psSaveAsPng("D:\\eps"));
       Magick::Image picture;
       picture.ping((folder / "eps.png").string());
       EXPECT_EQ(picture.columns(), 150u);  // one inch at 150 pixels an inch
       EXPECT_EQ(picture.rows(), 75u);
       EXPECT_EQ(PixelAt(folder / "eps.png", 75, 37), "0,0,255");
     }},
    {"saveAsPsd", [] { psMakeLayer("ACAD_Walls", "None", false); }, [] { return psSaveAsPsd("D:\\out"); },
     [](const fs::path& folder) {
       EXPECT_EQ(Active().path, "D:\\out.psd");
       EXPECT_FALSE(Active().dirty);
       EXPECT_EQ(HeaderBytes(folder / "out.psd", 0, 4), "8BPS");
     }},
    {"saveAsTiff", [] {}, [] { return psSaveAsTiff("D:\\out"); },
     [](const fs::path& folder) { EXPECT_EQ(HeaderBytes(folder / "out.tif", 0, 4), std::string("II*\0", 4)); }},
    {"saveAsBmp", [] {}, [] { return psSaveAsBmp("D:\\out"); },
     [](const fs::path& folder) {
       const fs::path bmp = folder / "out.bmp";
       EXPECT_EQ(HeaderBytes(bmp, 0, 2), "BM");
       EXPECT_EQ(HeaderBytes(bmp, 28, 2), std::string("\x18\0", 2));  // 24 bits a pixel
       EXPECT_EQ(HeaderBytes(bmp, 30, 4), std::string(4, '\0'));       // not compressed
     }},
    {"saveAsJpeg", [] {}, [] { return psSaveAsJpeg("D:\\out"); },
     [](const fs::path& folder) {
       Magick::Image picture;
       picture.ping((folder / "out.jpg").string());
       EXPECT_EQ(picture.magick(), "JPEG");
       EXPECT_EQ(picture.quality(), 50u);  // quality 6 of 12
     }},
    {"saveAsPng", [] {}, [] { return psSaveAsPng("D:\\out"); },
     [](const fs::path& folder) {
       EXPECT_EQ(HeaderBytes(folder / "out.png", 1, 3), "PNG");
       EXPECT_EQ(HeaderBytes(folder / "out.png", 28, 1), std::string(1, '\0'));  // not interlaced
     }},
    {"saveAsTarga", [] {}, [] { return psSaveAsTarga("D:\\out"); },
     [](const fs::path& folder) { EXPECT_EQ(HeaderBytes(folder / "out.tga", 16, 1), "\x18"); }},  // 24 bits
    {"save", [] { psMakeLayer("ACAD_Walls", "None", false); }, [] { return psSave(); },
     [](const fs::path&) {
       EXPECT_EQ(Active().path, "D:\\page.png");
       EXPECT_FALSE(Active().dirty);
     }},
    {"makeLayer", [] {}, [] { return psMakeLayer("ACAD_Walls", "None", false); },
     [](const fs::path&) {
       EXPECT_THAT(Active().layers, ElementsAre("Background", "ACAD_Walls"));
       EXPECT_TRUE(Active().dirty);
     }},
    {"makeBackground",
     [] {
       psCloseDiscarding();
       Magick::Image(Magick::Geometry(20, 10), Magick::Color("transparent")).write(win32::ToPosixPath("D:\\clear.png"));
       psOpen("D:\\clear.png");
     },
     [] { return psMakeLayer("", "None", true); },
     [](const fs::path&) {
       EXPECT_TRUE(Active().hasBackground);
       EXPECT_THAT(Active().layers, ElementsAre("Background"));
     }},
    {"deleteLayerAt",
     [] {
       psMakeLayer("A", "None", false);
       psMakeLayer("B", "None", false);
     },
     [] { return psDeleteLayerAt(2); },
     [](const fs::path&) { EXPECT_THAT(Active().layers, ElementsAre("Background", "A")); }},
    {"deleteBackground", [] { psMakeLayer("A", "None", false); }, [] { return psDeleteBackground(); },
     [](const fs::path&) {
       EXPECT_FALSE(Active().hasBackground);
       EXPECT_THAT(Active().layers, ElementsAre("A"));
     }},
    {"duplicateLayerTo",
     [] {
       WriteOther();
       psOpen("D:\\other.png");
     },
     [] { return psDuplicateLayerTo("ACAD_Doors", photoshop::Documents().front().id); },
     [](const fs::path&) {
       EXPECT_THAT(photoshop::Documents().front().layers, ElementsAre("Background", "ACAD_Doors"));
       EXPECT_THAT(Active().layers, ElementsAre("Background"));
     }},
    {"selectAll", [] {}, [] { return psSelectAll(); },
     [](const fs::path&) { EXPECT_TRUE(psCopy()); }},  // copying needs a selection
    {"deselect", [] { psSelectAll(); }, [] { return psDeselect(); },
     [](const fs::path&) { EXPECT_FALSE(psCopy()); }},
    {"foreground", [] {}, [] { return psSetColor(255, 0, 0, false); },
     [](const fs::path& folder) {
       // The colour range takes the foreground colour: the red square goes
       // and the background colour (white) takes its place.
       ASSERT_TRUE(psColorRange());
       ASSERT_TRUE(psDelete());
       ASSERT_TRUE(psSaveAsPng("D:\\after"));
       EXPECT_EQ(PixelAt(folder / "after.png", 9, 14), "255,255,255");
     }},
    {"background", [] {}, [] { return psSetColor(0, 0, 255, true); },
     [](const fs::path& folder) {
       // Deleting everything of the background layer leaves the background colour.
       ASSERT_TRUE(psSelectAll());
       ASSERT_TRUE(psDelete());
       ASSERT_TRUE(psSaveAsPng("D:\\after"));
       EXPECT_EQ(PixelAt(folder / "after.png", 30, 30), "0,0,255");
     }},
};

class OperationTest : public BridgeTest, public ::testing::WithParamInterface<OperationCase> {};

TEST_P(OperationTest, IsCarriedOutSilentlyWithTheSharedDescriptorCleared) {
  WritePlot("page.png", "red", 5);
  ASSERT_TRUE(psConnect());
  ASSERT_TRUE(psOpen("D:\\page.png"));
  GetParam().before();
  thePhotoshopConnection.descriptor->PutInteger(PsCode("junk"), 1);
  EXPECT_TRUE(GetParam().run());
  const auto entry = photoshop::Journal().back();
  EXPECT_EQ(entry.call, "play");
  EXPECT_EQ(entry.dialogMode, 2);
  EXPECT_THAT(entry.descriptor, Not(HasSubstr("junk")));
  EXPECT_EQ(thePhotoshopConnection.lastResult, nullptr);
  GetParam().check(folder_.path());
}

INSTANTIATE_TEST_SUITE_P(Operations, OperationTest, ::testing::ValuesIn(kOperations), rwtest::CaseName());

TEST_F(BridgeTest, EventsWithoutDescriptorAndPropertyReadsLeaveTheSharedDescriptorAlone) {
  WritePlot("page.png", "red", 5);
  ASSERT_TRUE(psConnect());
  ASSERT_TRUE(psOpen("D:\\page.png"));
  const std::string before = photoshop::Describe(thePhotoshopConnection.descriptor);
  LONG id = 0;
  const std::pair<const char*, std::function<bool()>> plays[] = {
      {"copy", psCopy}, {"past", psPaste}, {"Dlt ", psDelete}, {"ClrR", psColorRange}};
  for (const auto& [event, run] : plays) {
    SCOPED_TRACE(event);
    run();
    EXPECT_EQ(photoshop::Journal().back().event, event);
    EXPECT_EQ(photoshop::Journal().back().descriptor, "");
  }
  EXPECT_TRUE(psGetDocumentId(id));
  EXPECT_EQ(id, photoshop::Documents().back().id);
  LONG layer = 0;
  EXPECT_TRUE(psGetBackgroundLayerId(layer));  // the page is opaque: it has a background
  EXPECT_GT(layer, 0);
  EXPECT_EQ(photoshop::Describe(thePhotoshopConnection.descriptor), before);
}

TEST_F(BridgeTest, WithoutBackgroundTheLayerIdReadIsFalseAndTheValueUnchanged) {
  Magick::Image clear(Magick::Geometry(20, 10), Magick::Color("transparent"));
  clear.write(Posix("clear.png"));
  ASSERT_TRUE(psConnect());
  ASSERT_TRUE(psOpen("D:\\clear.png"));
  LONG id = -5;
  EXPECT_FALSE(psGetBackgroundLayerId(id));
  EXPECT_EQ(id, -5);
}

TEST_F(BridgeTest, CloseDiscardingClosesAChangedDocumentWithoutAsking) {
  WritePlot("page.png", "red", 5);
  ASSERT_TRUE(psConnect());
  ASSERT_TRUE(psOpen("D:\\page.png"));
  ASSERT_TRUE(psMakeLayer("extra", "None", false));
  ASSERT_TRUE(photoshop::Documents().back().dirty);
  // The editor closes a changed document only once it is marked unchanged.
  EXPECT_TRUE(psCloseDiscarding());
  EXPECT_TRUE(photoshop::Documents().empty());
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
}

TEST_F(BridgeTest, APlayAnsweredWithAResultReportsFalse) {
  ASSERT_TRUE(psConnect());
  EXPECT_FALSE(psOpen("D:\\missing.png"));
  EXPECT_FALSE(psCloseDiscarding());  // no document: not closed
  EXPECT_EQ(photoshop::Journal().back().event, "setd");
  EXPECT_EQ(thePhotoshopConnection.lastResult, nullptr);
}

TEST_F(BridgeTest, ConnectAndDisconnectMakeAndReleaseTheConnection) {
  ASSERT_TRUE(psConnect());
  EXPECT_NE(thePhotoshopConnection.control, nullptr);
  EXPECT_NE(thePhotoshopConnection.descriptor, nullptr);
  EXPECT_TRUE(photoshop::IsRunning());
  psDisconnect();
  EXPECT_EQ(thePhotoshopConnection.application, nullptr);
  EXPECT_EQ(thePhotoshopConnection.descriptor, nullptr);
  EXPECT_EQ(photoshop::Journal().back().call, "quit");
  EXPECT_FALSE(photoshop::IsRunning());
}

TEST_F(BridgeTest, AnOperationWithoutConnectionRaisesACOMError) {
  EXPECT_THROW(psOpen("D:\\page.png"), _com_error);
  EXPECT_THROW(psCopy(), _com_error);
  EXPECT_TRUE(photoshop::Journal().empty());
}

TEST_F(BridgeTest, WithoutPhotoshopConnectFailsAndNothingIsMade) {
  photoshop::Uninstall();
  EXPECT_FALSE(psConnect());
  EXPECT_EQ(thePhotoshopConnection.application, nullptr);
  EXPECT_FALSE(photoshop::IsRunning());
  EXPECT_TRUE(photoshop::Journal().empty());  // no quit either
}

}  // namespace
