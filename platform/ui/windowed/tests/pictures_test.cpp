// Resource pictures decoded for the screen: BMP in every depth the modules
// use and more, ICO with alpha or mask, and bytes that are no picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>

#include "pictures.h"

namespace ui::windowed {
namespace {

// A 2 x 2 picture: red, green on top; blue, white below (RGB).
const uint32_t kColours[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};

void Put(std::string& data, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The bitmap (info header, palette, rows) of the 2 x 2 picture; `heightFactor`
// 2 makes an icon's bitmap, whose mask follows (`maskRows`, bottom row first).
std::string Dib(int bits, bool topDown, int heightFactor = 1, uint8_t maskRows[2] = nullptr) {
  const bool paletted = bits <= 8;
  const int colours = paletted ? 4 : 0;
  const size_t rowBytes = ((2 * bits + 31) / 32) * 4;
  std::string dib(40 + colours * 4 + rowBytes * 2, '\0');
  Put(dib, 0, 40, 4);
  Put(dib, 4, 2, 4);
  Put(dib, 8, static_cast<uint32_t>(topDown ? -2 : 2 * heightFactor), 4);
  Put(dib, 12, 1, 2);
  Put(dib, 14, bits, 2);
  Put(dib, 32, colours, 4);
  for (int i = 0; i < colours; ++i) Put(dib, 40 + 4 * i, kColours[i / 2][i % 2], 4);  // BGR0 order: value is 0x00RRGGBB
  for (int row = 0; row < 2; ++row) {
    const int y = topDown ? row : 1 - row;
    const size_t at = 40 + colours * 4 + rowBytes * row;
    for (int x = 0; x < 2; ++x) {
      const uint32_t rgb = kColours[y][x];
      const int index = y * 2 + x;
      if (bits == 1) dib[at] = static_cast<char>(dib[at] | ((index & 1) << (7 - x)));  // two colours only
      if (bits == 4) dib[at] = static_cast<char>(dib[at] | (index << (x ? 0 : 4)));
      if (bits == 8) dib[at + x] = static_cast<char>(index);
      if (bits == 24) Put(dib, at + 3 * x, rgb, 3);
      if (bits == 32) Put(dib, at + 4 * x, rgb | 0x80000000u, 4);
    }
  }
  if (maskRows) {
    std::string mask(8, '\0');
    mask[0] = static_cast<char>(maskRows[0]);
    mask[4] = static_cast<char>(maskRows[1]);
    dib += mask;
  }
  return dib;
}

std::string Bmp(int bits, bool topDown) {
  const std::string dib = Dib(bits, topDown);
  std::string file(14, '\0');
  file[0] = 'B', file[1] = 'M';
  Put(file, 2, static_cast<uint32_t>(14 + dib.size()), 4);
  Put(file, 10, 14 + 40 + (bits <= 8 ? 16 : 0), 4);
  return file + dib;
}

// An icon file of the given images (each a bitmap with its mask).
std::string Ico(const std::vector<std::pair<int, std::string>>& images) {
  std::string file(6 + 16 * images.size(), '\0');
  Put(file, 2, 1, 2);
  Put(file, 4, static_cast<uint32_t>(images.size()), 2);
  for (size_t i = 0; i < images.size(); ++i) {
    const size_t entry = 6 + 16 * i;
    file[entry] = static_cast<char>(images[i].first);
    Put(file, entry + 8, static_cast<uint32_t>(images[i].second.size()), 4);
    Put(file, entry + 12, static_cast<uint32_t>(file.size()), 4);
    file += images[i].second;
    Put(file, entry + 12, static_cast<uint32_t>(file.size() - images[i].second.size()), 4);
  }
  return file;
}

uint32_t Rgb(const Pixels& p, int x, int y) {
  const unsigned char* px = &p.rgba[(y * p.width + x) * 4];
  return px[0] << 16 | px[1] << 8 | px[2];
}
int Alpha(const Pixels& p, int x, int y) { return p.rgba[(y * p.width + x) * 4 + 3]; }

TEST(ResourcePictures, BitmapsOfEveryDepthBothRowOrders) {
  for (int bits : {4, 8, 24, 32})
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(std::to_string(bits) + (topDown ? " bits, top-down" : " bits, bottom-up"));
      const auto pixels = DecodePicture(Bmp(bits, topDown), 0);
      ASSERT_TRUE(pixels);
      ASSERT_EQ(pixels->width, 2);
      ASSERT_EQ(pixels->height, 2);
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
          EXPECT_EQ(Rgb(*pixels, x, y), kColours[y][x]) << x << "," << y;
          EXPECT_EQ(Alpha(*pixels, x, y), bits == 32 ? 0x80 : 0xFF);
        }
    }
  const auto mono = DecodePicture(Bmp(1, false), 0);  // entries 0 and 1 of the palette
  ASSERT_TRUE(mono);
  EXPECT_EQ(Rgb(*mono, 0, 0), kColours[0][0]);
  EXPECT_EQ(Rgb(*mono, 1, 0), kColours[0][1]);
}

TEST(ResourcePictures, IconsKeepTheirAlphaOrTakeTheirMaskAndTheNearestSizeIsChosen) {
  uint8_t mask[2] = {0x40, 0x80};  // bottom row: right transparent; top row: left transparent
  const auto masked = DecodePicture(Ico({{2, Dib(24, false, 2, mask)}}), 2);
  ASSERT_TRUE(masked);
  EXPECT_EQ(Alpha(*masked, 0, 0), 0);
  EXPECT_EQ(Alpha(*masked, 1, 0), 0xFF);
  EXPECT_EQ(Alpha(*masked, 0, 1), 0xFF);
  EXPECT_EQ(Alpha(*masked, 1, 1), 0);
  EXPECT_EQ(Rgb(*masked, 1, 0), kColours[0][1]);
  const auto alpha = DecodePicture(Ico({{2, Dib(32, false, 2, mask)}}), 2);  // alpha wins over the mask
  ASSERT_TRUE(alpha);
  EXPECT_EQ(Alpha(*alpha, 0, 0), 0x80);
  // Of a 24-bit and a 32-bit image of the same size the deeper one is taken.
  const auto deeper = DecodePicture(Ico({{2, Dib(24, false, 2, mask)}, {2, Dib(32, false, 2, mask)}}), 16);
  ASSERT_TRUE(deeper);
  EXPECT_EQ(Alpha(*deeper, 1, 1), 0x80);
}

TEST(ResourcePictures, TheModulesOwnPicturesDecode) {
  const struct {
    const char* file;
    int width, height;
  } cases[] = {{"plugin/dialogs/res/rasterwerk.ico", 32, 32},
               {"plugin/dialogs/res/gimp_location.bmp", 77, 57},
               {"hatchdlg/res/outer.bmp", 69, 60}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::ifstream in(std::string(SOURCE_DIR) + "/" + c.file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto pixels = DecodePicture(bytes, 32);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, c.width);
    EXPECT_EQ(pixels->height, c.height);
  }
}

TEST(ResourcePictures, BytesThatAreNoPictureOrTooLargeGiveNothing) {
  const std::string good = Bmp(24, false);
  std::string huge = good;
  Put(huge, 18, 100000, 4);  // wider than any window
  std::string lying = good;
  Put(lying, 22, 5000, 4);  // more rows than the file holds
  std::string rle = good;
  Put(rle, 30, 1, 4);  // compressed
  std::string offset = good;
  Put(offset, 10, 0xFFFFFFF0u, 4);
  std::string icoOutside = Ico({{2, Dib(32, false, 2)}});
  Put(icoOutside, 6 + 12, 0x7FFFFFFF, 4);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {{"empty", ""},
               {"text", "hello, world"},
               {"truncated", good.substr(0, 60)},
               {"huge", huge},
               {"lying height", lying},
               {"compressed", rle},
               {"pixels past the end", offset},
               {"header only", good.substr(0, 14)},
               {"icon without images", Ico({})},
               {"icon image outside the file", icoOutside},
               {"png inside an icon", Ico({{2, "\x89PNG\r\n\x1a\n...."}})}};
  for (const auto& c : cases) EXPECT_FALSE(DecodePicture(c.bytes, 32)) << c.what;
}

}  // namespace
}  // namespace ui::windowed
