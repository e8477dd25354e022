// Which files open as pictures: real pictures of every known type by their
// signature, whatever their name; coder prefixes, scripts and other content
// never; damaged or oversized pictures fail without exhausting memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "pictures/picture_file.h"
#include "testing/temp_folder.h"

namespace {

using pictures::PictureType;

std::string Big32(std::uint32_t v) {
  return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

// A PNG of a header only (no pixel data) claiming `width` x `height`.
std::string PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
  const std::string ihdr = "IHDR" + Big32(width) + Big32(height) + std::string("\x08\x02\0\0\0", 5);
  return std::string("\x89PNG\r\n\x1A\n", 8) + Big32(13) + ihdr + Big32(0);
}

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override { pictures::InitializePictures(); }

  // A 6 x 4 picture written by ImageMagick with `coder` as `name`.
  std::string Write(const std::string& name, const std::string& coder,
                    Magick::EndianType endian = Magick::UndefinedEndian) const {
    Magick::Image picture(Magick::Geometry(6, 4), Magick::Color("orange"));
    if (endian != Magick::UndefinedEndian) picture.endian(endian);
    picture.write(coder + ":" + Path(name));
    return Path(name);
  }
  std::string WriteText(const std::string& name, const std::string& content) const {
    folder_.write(name, content);
    return Path(name);
  }
  std::string Path(const std::string& name) const { return (folder_.path() / name).string(); }

  rwtest::TempFolder folder_;
};

TEST_F(PictureFiles, RealPicturesAreKnownByTheirSignatureWhateverTheirName) {
  struct Case {
    std::string path;
    PictureType type;
  };
  const Case cases[] = {
      {Write("a.png", "PNG"), PictureType::Png},
      {Write("a.jpg", "JPEG"), PictureType::Jpeg},
      {Write("intel.tif", "TIFF", Magick::LSBEndian), PictureType::Tiff},
      {Write("motorola.tif", "TIFF", Magick::MSBEndian), PictureType::Tiff},
      {Write("a.bmp", "BMP"), PictureType::Bmp},
      {Write("a24.bmp", "BMP3"), PictureType::Bmp},
      {Write("a.tga", "TGA"), PictureType::Tga},
      {Write("a.gif", "GIF"), PictureType::Gif},
      {Write("a.psd", "PSD"), PictureType::Psd},
      {Write("jpeg-named.png", "JPEG"), PictureType::Jpeg},
      {Write("no-extension", "PNG"), PictureType::Png},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(pictures::SniffPictureType(c.path), c.type);
    const Magick::Image picture = pictures::ReadPicture(c.path);
    EXPECT_EQ(picture.columns(), 6u);
    EXPECT_EQ(picture.rows(), 4u);
    EXPECT_EQ(pictures::PingPicture(c.path).columns(), 6u);
  }
}

TEST_F(PictureFiles, CoderPrefixesScriptsAndOtherContentAreNoPictures) {
  const std::string png = Write("real.png", "PNG");
  folder_.write("msl:run.png", "<?xml version=\"1.0\"?><image><read filename=\"" + png + "\"/></image>");
  const std::string cases[] = {
      "text:/etc/hostname",
      "msl:" + Path("msl:run.png"),
      Path("msl:run.png"),
      "ephemeral:" + png,
      "label:x",
      "PNG:" + png,
      png + "[2x2]",
      "fd:0",
      "",
      Path("missing.png"),
      folder_.path().string(),
      WriteText("svg.png", "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"9\" height=\"9\"/>"),
      WriteText("mvg.png", "push graphic-context\nviewbox 0 0 9 9\nimage over 0,0 0,0 'text:/etc/hostname'\n"),
      WriteText("ps.png", "%!PS-Adobe-3.0\n(/etc/hostname) (r) file\nshowpage\n"),
      WriteText("empty.png", ""),
      WriteText("text.tga", "hello world, this is no Targa header"),
      WriteText("short.tga", std::string("\0\0\x02\0\0\0\0\0\0\0\0\0\x06\0\x04\0\x18\0", 18)),  // no pixels at all
      WriteText("bm.bmp", "BM but nothing a bitmap has"),
  };
  for (const std::string& path : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(pictures::SniffPictureType(path), std::nullopt);
    EXPECT_THROW(pictures::ReadPicture(path), pictures::NotAPicture);
    EXPECT_THROW(pictures::PingPicture(path), pictures::NotAPicture);
    EXPECT_THROW(pictures::ReadPictureImages(path), pictures::NotAPicture);
  }
}

TEST_F(PictureFiles, DamagedAndOversizedPicturesFailWithoutExhaustingMemory) {
  const std::string cases[] = {
      WriteText("truncated.png", PngHeaderOnly(6, 4).substr(0, 20)),
      WriteText("huge.png", PngHeaderOnly(100000, 100000)),
      WriteText("huge.bmp", std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xA0\x86\x01\0\xA0\x86\x01\0\x01\0\x18\0", 30) +
                                std::string(24, '\0')),
  };
  for (const std::string& path : cases) {
    SCOPED_TRACE(path);
    EXPECT_NE(pictures::SniffPictureType(path), std::nullopt);
    EXPECT_THROW(pictures::ReadPicture(path), Magick::Exception);
    EXPECT_THROW(pictures::PingPicture(path), Magick::Exception);
  }
}

TEST_F(PictureFiles, LayeredDocumentsGiveEveryImage) {
  std::list<Magick::Image> layers = {Magick::Image(Magick::Geometry(6, 4), Magick::Color("white")),
                                     Magick::Image(Magick::Geometry(6, 4), Magick::Color("blue"))};
  Magick::writeImages(layers.begin(), layers.end(), "PSD:" + Path("layers.psd"));
  EXPECT_EQ(pictures::ReadPictureImages(Path("layers.psd")).size(), 2u);
}

}  // namespace
