// The GIMP bridge with the real GIMP, started through the shipped launcher
// and the shipped script, unattended. Pictures are made and read back with
// ImageMagick.
#include <gmock/gmock.h>
#include <stdlib.h>

#include <Magick++.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gimp/gimp_batch.h"
#include "gimp/gimp_discovery.h"
#include "gimp_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class RealGimp : public GimpTest {
 protected:
  void SetUp() override {
    GimpTest::SetUp();
    setenv("RW_GIMP_UNATTENDED", "1", 1);
    setenv("XDG_CACHE_HOME", GIMP_CACHE_DIR, 1);  // GIMP's prepared user folder, kept between runs
    std::filesystem::copy(std::filesystem::path(MOXI_FILES_DIR) / "gimp", programs_.path() / "gimp",
                          std::filesystem::copy_options::recursive);
    theSettings.gimpExecutable = "C:\\gimp\\bin\\gimp-2.10.exe";
    theSettings.moduleDirectory = win32::ToWindowsPath(MOXI_FILES_DIR) + "\\";
    Answer("msgbox yes\n");
    ASSERT_TRUE(ensureGimpScript(theSettings.gimpExecutable, nullptr));
    ASSERT_TRUE(std::filesystem::exists(programs_.path() / "gimp/share/gimp/2.10/scripts/Rasterwerk.scm"));
    Answer("");
  }
  std::string Posix(const std::string& name) const { return (work_.path() / name).string(); }

  // A white page of 60 x 40 pixels with one coloured square at `x`.
  static Magick::Image Page(const char* colour, int x) {
    Magick::Image page(Magick::Geometry(60, 40), Magick::Color("white"));
    page.fillColor(Magick::Color(colour));
    page.draw(Magick::DrawableRectangle(x, 10, x + 9, 19));
    return page;
  }
  // A layered document of two plots, as the create step leaves it.
  void WriteLayeredDocument(const std::string& name) const {
    std::vector<Magick::Image> layers = {Page("red", 5), Page("blue", 40)};
    Magick::writeImages(layers.begin(), layers.end(), Posix(name));
  }
  static std::vector<Magick::Image> Read(const std::string& path) {
    std::vector<Magick::Image> images;
    Magick::readImages(&images, path);
    return images;
  }
  // ImageMagick 6 gives the opacity level as alpha(): 0 opaque, 1 transparent.
  static bool Opaque(const Magick::Image& image, int x, int y) {
    return Magick::ColorRGB(image.pixelColor(x, y)).alpha() < 0.5;
  }
};

TEST_F(RealGimp, CreateStacksThePlotsAsNamedLayersOnTransparentPaper) {
  const std::vector<std::string> names = {"0", "Alt\\W\xE4nde", "a\"b) (gimp-quit 0"};
  const char* colours[] = {"red", "green", "blue"};
  for (int i = 0; i < 3; ++i) Page(colours[i], 5 + 20 * i).write(Posix("site(Layer" + std::to_string(i) + ").png"));
  SetLayers(names);

  EXPECT_TRUE(gimpCreate(layerPlots("D:\\site", "png")));
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
  EXPECT_FALSE(WorkFileExists("site(Layers).load"));
  ASSERT_TRUE(WorkFileExists("site.psd"));

  std::vector<Magick::Image> images = Read(Posix("site.psd"));
  ASSERT_EQ(images.size(), 4u);  // the merged picture, then the layers from the bottom up
  const char* utf8Names[] = {"0", "Alt\\W\xC3\xA4nde", "a\"b) (gimp-quit 0"};
  for (int i = 0; i < 3; ++i) {
    const Magick::Image& layer = images[i + 1];
    EXPECT_EQ(layer.label(), utf8Names[i]);
    EXPECT_EQ(layer.columns(), 60u);
    EXPECT_EQ(layer.rows(), 40u);
    EXPECT_TRUE(Opaque(layer, 10 + 20 * i, 15)) << "square of layer " << i;
    EXPECT_FALSE(Opaque(layer, 2, 2)) << "paper of layer " << i;
    EXPECT_FALSE(Opaque(layer, 10 + 20 * ((i + 1) % 3), 15)) << "another layer's square in layer " << i;
  }
}

TEST_F(RealGimp, EpsPlotIsRasterisedAtTheGivenResolution) {
  // 2 x 1 inches: 300 x 150 pixels at 150 pixels per inch. GIMP's PostScript
  // import crops to the bounding box and may drop the last row and column.
  work_.write("plan(Layer0).eps",
              "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 144 72\n%%EndComments\n"
              "newpath 10 10 moveto 134 62 lineto 4 setlinewidth stroke\nshowpage\n%%EOF\n");
  SetLayers({"Walls"});
  theSettings.psResolution = 150;
  theSettings.resolutionUnit = kUnitPixelPerInch;

  EXPECT_TRUE(gimpCreate(layerPlots("D:\\plan", "eps")));
  ASSERT_TRUE(WorkFileExists("plan.psd"));
  Magick::Image picture;
  picture.ping(Posix("plan.psd"));
  EXPECT_NEAR(picture.columns(), 300.0, 1.0);
  EXPECT_NEAR(picture.rows(), 150.0, 1.0);
}

class RealGimpConvert : public RealGimp, public ::testing::WithParamInterface<const char*> {};

TEST_P(RealGimpConvert, WritesTheFlatPictureOfTheLayeredDocument) {
  const std::string type = GetParam();
  WriteLayeredDocument("site.psd");

  EXPECT_TRUE(gimpConvert("D:\\site", type));
  ASSERT_TRUE(WorkFileExists("site." + type));
  Magick::Image picture(Posix("site." + type));
  EXPECT_EQ(picture.columns(), 60u);
  EXPECT_EQ(picture.rows(), 40u);
  EXPECT_THAT(Transcript(), Not(HasSubstr("msgbox")));
}

INSTANTIATE_TEST_SUITE_P(PictureTypes, RealGimpConvert, ::testing::Values("tif", "png", "jpg", "bmp"));

TEST_F(RealGimp, EditConvertsTheEditedLayeredDocumentBack) {
  WriteLayeredDocument("site.psd");

  gimpEdit("D:\\site", "tga");
  ASSERT_TRUE(WorkFileExists("site.tga"));
  Magick::Image picture(Posix("site.tga"));
  EXPECT_EQ(picture.columns(), 60u);
  EXPECT_EQ(picture.rows(), 40u);
}

// The launcher takes only the options the plug-in gives; any other argument
// is a picture, so "--batch=code" or "-b" "code" run nothing.
TEST_F(RealGimp, LauncherTakesEveryOtherArgumentForAPicture) {
  const std::string code = "(call-with-output-file \\\"" + Posix("canary") + "\\\" (lambda (p) (display 1 p)))";
  std::string commandLine = "\"C:\\gimp\\bin\\gimp-2.10.exe\" --no-splash \"--batch=" + code + "\" -b \"" + code + "\"";
  STARTUPINFOA startupInfo{};
  startupInfo.cb = sizeof startupInfo;
  PROCESS_INFORMATION processInfo{};
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startupInfo,
                             &processInfo));
  WaitForSingleObject(processInfo.hProcess, INFINITE);
  CloseHandle(processInfo.hProcess);
  CloseHandle(processInfo.hThread);
  EXPECT_FALSE(WorkFileExists("canary"));
}

}  // namespace

