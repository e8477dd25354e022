// Whole or cut-off picture files of every type the editors write, made with
// ImageMagick.
#include <Magick++.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <list>

#include "raster/picture_file.h"
#include "testing/temp_folder.h"

namespace {

struct WriterCase {
  const char* type;
  const char* coder;  // with the writer's options
  const char* compression;
};

// RLE and uncompressed where the type has both, as GIMP and the photo editor write them.
const WriterCase kWriters[] = {
    {"psd", "PSD", "RLE"}, {"psd", "PSD", "None"}, {"bmp", "BMP3", "None"}, {"bmp", "BMP", "None"},
    {"jpg", "JPEG", "JPEG"}, {"png", "PNG", "Zip"}, {"tga", "TGA", "None"}, {"tga", "TGA", "RLE"},
    {"tif", "TIFF", "None"}, {"tif", "TIFF", "LZW"},
};

class PictureFiles : public ::testing::Test {
 protected:
  // A 300 x 200 picture with some detail, so compressed data is not tiny.
  std::string Write(const WriterCase& w) const {
    Magick::Image picture(Magick::Geometry(300, 200), Magick::Color("white"));
    picture.fillColor("orange");
    picture.draw(Magick::DrawableCircle(150, 100, 150, 10));
    picture.fillColor("blue");
    picture.draw(Magick::DrawableRectangle(10, 10, 80, 190));
    picture.compressType(w.compression == std::string("RLE")    ? MagickCore::RLECompression
                         : w.compression == std::string("LZW")  ? MagickCore::LZWCompression
                         : w.compression == std::string("Zip")  ? MagickCore::ZipCompression
                         : w.compression == std::string("JPEG") ? MagickCore::JPEGCompression
                                                                : MagickCore::NoCompression);
    const std::string name = std::string("p-") + w.coder + "-" + w.compression + "." + w.type;
    picture.write(std::string(w.coder) + ":" + (folder.path() / name).string());
    return name;
  }
  void CutTo(const std::string& name, std::uintmax_t size) const {
    std::filesystem::resize_file(folder.path() / name, size);
  }
  bool Whole(const std::string& name, const std::string& type) const {
    return isWholePictureFile(folder.windows(name), type);
  }
  rwtest::TempFolder folder;
};

TEST_F(PictureFiles, WholeFilesPassAndEveryCutOneFails) {
  for (const WriterCase& w : kWriters) {
    SCOPED_TRACE(std::string(w.coder) + " " + w.compression);
    const std::string name = Write(w);
    const auto size = std::filesystem::file_size(folder.path() / name);
    EXPECT_TRUE(Whole(name, w.type));
    std::string upper = w.type;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(Whole(name, upper)) << "the type in any letter case";
    for (std::uintmax_t cut : {size - 1, size * 3 / 4, size / 2, std::uintmax_t{40}, std::uintmax_t{10},
                               std::uintmax_t{0}}) {
      std::filesystem::copy_file(folder.path() / name, folder.path() / "cut",
                                 std::filesystem::copy_options::overwrite_existing);
      CutTo("cut", cut);
      EXPECT_FALSE(Whole("cut", w.type)) << "cut to " << cut << " of " << size;
    }
  }
}

TEST_F(PictureFiles, OtherTypesMissingFilesAndFoldersFail) {
  const std::string png = Write({"png", "PNG", "Zip"});
  for (const char* type : {"jpg", "psd", "bmp", "tif", "tga"}) {
    SCOPED_TRACE(type);
    EXPECT_FALSE(Whole(png, type));
  }
  EXPECT_FALSE(isCheckablePictureType("gif"));
  EXPECT_FALSE(Whole(png, "gif"));
  EXPECT_FALSE(Whole("missing.png", "png"));
  std::filesystem::create_directory(folder.path() / "folder.png");
  EXPECT_FALSE(Whole("folder.png", "png"));
  folder.write("text.tga", std::string(100000, 'x'));
  EXPECT_FALSE(Whole("text.tga", "tga")) << "no Targa header";
}

// The layered document as the editors write it: several layers.
TEST_F(PictureFiles, LayeredDocumentWithLayersIsChecked) {
  std::list<Magick::Image> layers;
  layers.emplace_back(Magick::Geometry(300, 200), Magick::Color("white"));
  layers.emplace_back(Magick::Geometry(300, 200), Magick::Color("red"));
  layers.emplace_back(Magick::Geometry(100, 50), Magick::Color("blue"));
  Magick::writeImages(layers.begin(), layers.end(), "PSD:" + (folder.path() / "layers.psd").string());
  EXPECT_TRUE(Whole("layers.psd", "psd"));
  const auto size = std::filesystem::file_size(folder.path() / "layers.psd");
  CutTo("layers.psd", size - 1);
  EXPECT_FALSE(Whole("layers.psd", "psd"));
}

}  // namespace
