// The Photoshop steps of the workflows on real plot files: the layered
// document, the user's close through the real hook library, the conversion.
#include <gmock/gmock.h>
#include <list>

#include "bridge_fixture.h"
#include "photoshop/editor_close_wait.h"
#include "photoshop/photoshop_workflow.h"
#include "testing/case_name.h"

namespace {

using ::testing::HasSubstr;

const std::vector<std::string> kLayers = {"Walls", "Doors", "Text"};
const char* kColours[] = {"red", "green", "blue"};

struct PsdLayer {
  std::string name;
  Magick::Image pixels;
};

// The layers, each put on the canvas at the place it is stored at (a layer
// keeps only the bounds of its content).
std::vector<PsdLayer> ReadPsdLayers(const std::string& path) {
  std::list<Magick::Image> images;
  Magick::readImages(&images, path);
  const Magick::Geometry canvas(images.front().columns(), images.front().rows());
  images.pop_front();  // the merged picture
  std::vector<PsdLayer> layers;
  for (auto& image : images) {
    Magick::Image placed(canvas, Magick::Color("transparent"));
    placed.composite(image, image.page().xOff(), image.page().yOff(), Magick::CopyCompositeOp);
    layers.push_back({image.label(), placed});
  }
  return layers;
}

// ImageMagick 6 gives the opacity level as alpha(): 0 for opaque, 1 for transparent.
bool Opaque(Magick::Image& image, int x, int y) { return Magick::ColorRGB(image.pixelColor(x, y)).alpha() < 0.5; }

// One byte of a file's header.
int HeaderByte(const std::string& path, long offset) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return -1;
  std::fseek(f, offset, SEEK_SET);
  int value = std::fgetc(f);
  std::fclose(f);
  return value;
}

class CreateTest : public BridgeTest {
 protected:
  void WriteRasterPlots(const char* type) {
    for (size_t i = 0; i < kLayers.size(); ++i)
      WritePlot("site(Layer" + std::to_string(i) + ")." + type, kColours[i], 5 + 15 * static_cast<int>(i));
  }
  // A white page with one red square, 60 x 40 points.
  void WriteEpsPlots() {
    for (size_t i = 0; i < kLayers.size(); ++i) {
      std::FILE* f = std::fopen(Posix("site(Layer" + std::to_string(i) + ").eps").c_str(), "w");
      std::fprintf(f,
                   "%%!PS-Adobe-3.0 EPSF-3.0\n%%%%BoundingBox: 0 0 60 40\n"
                   "1 1 1 setrgbcolor 0 0 60 40 rectfill\n1 0 0 setrgbcolor %d 10 10 10 rectfill\nshowpage\n%%%%EOF\n",
                   5 + 15 * static_cast<int>(i));
      std::fclose(f);
    }
  }
  std::vector<std::string> Names(const std::vector<PsdLayer>& layers) {
    std::vector<std::string> names;
    for (auto& l : layers) names.push_back(l.name);
    return names;
  }
};

TEST_F(CreateTest, RasterPlotsBecomeLayersOnAWhiteBackgroundWithTheirPaperTransparent) {
  WriteRasterPlots("png");
  ASSERT_TRUE(photoshopCreate(LayerPlots{"D:\\site", "png", kLayers, 300}));
  EXPECT_TRUE(thePhotoshopConnection.application != nullptr);  // stays open for the conversion
  auto layers = ReadPsdLayers(Posix("site.psd"));
  ASSERT_EQ(Names(layers), (std::vector<std::string>{"Background", "ACAD_Walls", "ACAD_Doors", "ACAD_Text"}));
  EXPECT_TRUE(Opaque(layers[0].pixels, 1, 1));  // the background is white paper
  EXPECT_FALSE(Opaque(layers[1].pixels, 1, 1));  // paper gone
  EXPECT_TRUE(Opaque(layers[1].pixels, 8, 15));  // the drawing stays
  EXPECT_FALSE(Opaque(layers[2].pixels, 8, 15));
  EXPECT_TRUE(Opaque(layers[2].pixels, 23, 15));
  EXPECT_EQ(layers[3].pixels.columns(), 60u);
}

TEST_F(CreateTest, EpsPlotsAreRasterisedAtTheResolutionDuplicatedByIdAndKeepTheirPaper) {
  WriteEpsPlots();
  ASSERT_TRUE(photoshopCreate(LayerPlots{"D:\\site", "eps", kLayers, 144}));
  auto layers = ReadPsdLayers(Posix("site.psd"));
  ASSERT_EQ(Names(layers), (std::vector<std::string>{"Background", "ACAD_Walls", "ACAD_Doors", "ACAD_Text"}));
  EXPECT_EQ(layers[1].pixels.columns(), 120u);  // 60 points at 144 pixels per inch
  EXPECT_TRUE(Opaque(layers[1].pixels, 2, 2));  // white paper kept
  for (const auto& entry : photoshop::Journal()) {
    EXPECT_NE(entry.event, "ClrR");
    if (entry.event == "Dplc") {
      EXPECT_THAT(entry.descriptor, HasSubstr("[identifier \"Dcmn\" "));
    }
  }
}

TEST_F(CreateTest, WithoutPhotoshopNothingIsCreatedAndNoQuitIsSent) {
  WriteRasterPlots("png");
  photoshop::Uninstall();
  EXPECT_FALSE(photoshopCreate(LayerPlots{"D:\\site", "png", kLayers, 300}));
  EXPECT_THAT(Transcript(), HasSubstr("Photoshop is not available"));
  EXPECT_THAT(Transcript(), HasSubstr("caption=\"Rasterwerk\" buttons=ok"));
  EXPECT_FALSE(Exists("site.psd"));
  EXPECT_TRUE(photoshop::Journal().empty());
  EXPECT_TRUE(Exists("site(Layer0).png"));  // the plot files stay
}

// A file Photoshop cannot write (a folder in its place) fails its save call:
// the run stops with the file named and the connection closed.
TEST_F(CreateTest, AFileThatCannotBeWrittenIsNamedAndTheConnectionClosed) {
  const struct {
    const char* blocked;
    bool created;  // the layered document is written, the picture is not
  } cases[] = {{"site.psd", false}, {"site.png", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.blocked);
    std::filesystem::remove_all(Posix("site.psd"));
    std::filesystem::remove_all(Posix("site.png"));
    std::filesystem::create_directories(Posix(c.blocked));
    WriteRasterPlots("png");
    Answer("");
    const bool created = photoshopCreate(LayerPlots{"D:\\site", "png", kLayers, 300});
    EXPECT_EQ(created, c.created);
    if (created) {
      EXPECT_FALSE(photoshopConvert("D:\\site", "png"));
    }
    EXPECT_THAT(Transcript(), HasSubstr(std::string("The image file is missing or incomplete:\n  | D:\\") + c.blocked));
    EXPECT_EQ(thePhotoshopConnection.application, nullptr);
    EXPECT_FALSE(photoshop::IsRunning());
  }
}

struct PictureCase {
  const char* type;
  const char* magick;
  long depthOffset;  // where the header gives the bits per pixel, -1: not checked
  int bitsPerPixel;
};

class ConvertTest : public CreateTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(ConvertTest, TheUsersCloseEndsTheWaitAndThePictureIsWrittenFromTheLayeredDocument) {
  WriteRasterPlots("tif");
  Answer("editor done\n");
  ASSERT_TRUE(photoshopCreate(LayerPlots{"D:\\site", "tif", kLayers, 300}));
  ASSERT_TRUE(WaitForEditorClose(kProgramPhotoshop, theSettings.hookLibrary));
  EXPECT_FALSE(photoshop::Documents().empty());  // still there for the conversion
  photoshopConvert("D:\\site", GetParam().type);
  EXPECT_FALSE(photoshop::IsRunning());
  Magick::Image picture;
  picture.ping(Posix(std::string("site.") + GetParam().type));
  EXPECT_EQ(picture.magick(), GetParam().magick);
  EXPECT_EQ(picture.columns(), 60u);
  EXPECT_EQ(picture.rows(), 40u);
  if (GetParam().depthOffset >= 0) {
    EXPECT_EQ(HeaderByte(Posix(std::string("site.") + GetParam().type), GetParam().depthOffset),
              GetParam().bitsPerPixel);
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, ConvertTest,
                         ::testing::Values(PictureCase{"tif", "TIFF", -1, 0}, PictureCase{"bmp", "BMP3", 28, 24},
                                           PictureCase{"jpg", "JPEG", -1, 0}, PictureCase{"png", "PNG", -1, 0},
                                           PictureCase{"tga", "TGA", 16, 24}),
                         rwtest::caseNameBy(&PictureCase::type));

TEST_F(CreateTest, AnUnknownPictureTypeWritesNothing) {
  WriteRasterPlots("png");
  ASSERT_TRUE(photoshopCreate(LayerPlots{"D:\\site", "png", kLayers, 300}));
  photoshopConvert("D:\\site", "gif");
  EXPECT_FALSE(Exists("site.gif"));
  EXPECT_FALSE(photoshop::IsRunning());  // the run still ends with the editor
  for (const char* type : {"tif", "bmp", "jpg", "png", "tga"}) {
    SCOPED_TRACE(type);
    EXPECT_FALSE(Exists(std::string("site.") + type)) << type;
  }
}

TEST_F(CreateTest, EditingWithALayeredDocumentRewritesThePictureFromIt) {
  WriteRasterPlots("png");
  ASSERT_TRUE(photoshopCreate(LayerPlots{"D:\\site", "png", kLayers, 300}));
  photoshopConvert("D:\\site", "TIF");
  ASSERT_TRUE(Exists("site.tif"));
  photoshop::ClearJournal();
  Answer("editor done\n");
  ASSERT_TRUE(photoshopEdit("D:\\site", "TIF"));
  EXPECT_EQ(photoshop::Journal().front().descriptor, R"("null" path "D:\site.psd")");
  EXPECT_TRUE(Exists("site.tif"));
  EXPECT_FALSE(Exists("site.tif.previous"));  // the earlier picture, kept until the new one was written
  EXPECT_THAT(Transcript(), HasSubstr("editor -> done"));
  EXPECT_FALSE(photoshop::IsRunning());
}

TEST_F(CreateTest, EditingWithoutLayeredDocumentOpensThePictureAndConvertsNothing) {
  WritePlot("photo.png", "red", 5);
  Answer("editor done\n");
  ASSERT_TRUE(photoshopEdit("D:\\photo", "png"));
  const auto journal = photoshop::Journal();
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_EQ(journal[0].descriptor, R"("null" path "D:\photo.png")");
  EXPECT_EQ(journal[1].call, "quit");
}

TEST_F(CreateTest, EditingWithoutPhotoshopSaysSo) {
  WritePlot("photo.png", "red", 5);
  photoshop::Uninstall();
  EXPECT_FALSE(photoshopEdit("D:\\photo", "png"));
  EXPECT_THAT(Transcript(), HasSubstr("Photoshop is not available"));
}

}  // namespace
