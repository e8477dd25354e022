#include "pictures/picture_file.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <mutex>

namespace pictures {
namespace {

constexpr std::size_t kHeaderSize = 32;
using Header = std::array<unsigned char, kHeaderSize>;

bool startsWith(const Header& header, std::size_t length, const char* magic, std::size_t magicLength) {
  return length >= magicLength && std::memcmp(header.data(), magic, magicLength) == 0;
}

unsigned little16(const Header& h, std::size_t at) { return h[at] | (h[at + 1] << 8); }
std::uint32_t little32(const Header& h, std::size_t at) { return little16(h, at) | (std::uint32_t(little16(h, at + 2)) << 16); }

// A Windows bitmap: "BM" and an info header of a size that some version of
// the format defines.
bool isBmp(const Header& h, std::size_t length) {
  if (!startsWith(h, length, "BM", 2) || length < 18) return false;
  const std::uint32_t infoSize = little32(h, 14);
  for (std::uint32_t known : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u})
    if (infoSize == known) return true;
  return false;
}

// Targa has no signature: every header field must hold a value the format
// defines, and the file must be long enough for the header, its id and its
// colour map.
bool isTga(const Header& h, std::size_t length, std::uintmax_t fileSize) {
  if (length < 18) return false;
  const unsigned idLength = h[0], mapType = h[1], imageType = h[2];
  const unsigned mapLength = little16(h, 5), mapEntryBits = h[7];
  const unsigned width = little16(h, 12), height = little16(h, 14), depth = h[16], descriptor = h[17];
  const bool mapped = imageType == 1 || imageType == 9;
  const bool trueColour = imageType == 2 || imageType == 10;
  const bool grey = imageType == 3 || imageType == 11;
  if (!mapped && !trueColour && !grey) return false;
  if (mapType > 1 || (mapped && mapType != 1)) return false;
  if (mapType == 1 && (mapLength == 0 || (mapEntryBits != 15 && mapEntryBits != 16 && mapEntryBits != 24 &&
                                          mapEntryBits != 32)))
    return false;
  if (width == 0 || height == 0) return false;
  if (mapped && depth != 8 && depth != 16) return false;
  if (trueColour && depth != 15 && depth != 16 && depth != 24 && depth != 32) return false;
  if (grey && depth != 8 && depth != 16) return false;
  if ((descriptor & 0xC0) != 0 || (descriptor & 0x0F) > 8) return false;
  const std::uintmax_t mapBytes = mapType == 1 ? std::uintmax_t(mapLength) * ((mapEntryBits + 7) / 8) : 0;
  return fileSize > 18 + idLength + mapBytes;
}

std::optional<PictureType> typeOfHeader(const Header& h, std::size_t length, std::uintmax_t fileSize) {
  if (startsWith(h, length, "\x89PNG\r\n\x1A\n", 8)) return PictureType::Png;
  if (startsWith(h, length, "\xFF\xD8\xFF", 3)) return PictureType::Jpeg;
  for (const char* tiff : {"II*\0", "MM\0*", "II+\0", "MM\0+"})  // classic and big TIFF, both byte orders
    if (startsWith(h, length, tiff, 4)) return PictureType::Tiff;
  if (startsWith(h, length, "GIF87a", 6) || startsWith(h, length, "GIF89a", 6)) return PictureType::Gif;
  if (startsWith(h, length, "8BPS\0\1", 6) || startsWith(h, length, "8BPS\0\2", 6)) return PictureType::Psd;
  if (isBmp(h, length)) return PictureType::Bmp;
  if (isTga(h, length, fileSize)) return PictureType::Tga;
  return std::nullopt;
}

// The name as ImageMagick must get it: with the coder, and starting with "/"
// or "./", so that no part of it is read as another prefix ("fd:3").
std::string coderPath(const std::string& posixPath) {
  const std::optional<PictureType> type = SniffPictureType(posixPath);
  if (!type) throw NotAPicture(posixPath);
  return std::string(CoderOf(*type)) + ":" + (posixPath.front() == '/' ? "" : "./") + posixPath;
}

void setLimits() {
  constexpr Magick::MagickSizeType MiB = 1024 * 1024;
  Magick::ResourceLimits::memory(256 * MiB);
  Magick::ResourceLimits::map(512 * MiB);
  Magick::ResourceLimits::disk(1024 * MiB);
  Magick::ResourceLimits::width(16384);
  Magick::ResourceLimits::height(16384);
  Magick::ResourceLimits::area(128 * MiB);       // pixels held in memory; more go to the disk cache
  Magick::ResourceLimits::listLength(4096);      // images (layers) in one file
}

}  // namespace

std::optional<PictureType> SniffPictureType(const std::string& posixPath) {
  // A name ending in "]" is read by ImageMagick as a scene or size request.
  if (posixPath.empty() || posixPath.back() == ']') return std::nullopt;
  std::ifstream file(posixPath, std::ios::binary);
  if (!file) return std::nullopt;
  Header header{};
  file.read(reinterpret_cast<char*>(header.data()), header.size());
  const std::size_t length = static_cast<std::size_t>(file.gcount());
  file.clear();
  file.seekg(0, std::ios::end);
  const std::streamoff end = file.tellg();
  return typeOfHeader(header, length, end > 0 ? static_cast<std::uintmax_t>(end) : 0);
}

const char* CoderOf(PictureType type) {
  switch (type) {
    case PictureType::Png: return "PNG";
    case PictureType::Jpeg: return "JPEG";
    case PictureType::Tiff: return "TIFF";
    case PictureType::Bmp: return "BMP";
    case PictureType::Tga: return "TGA";
    case PictureType::Gif: return "GIF";
    case PictureType::Psd: return "PSD";
  }
  return "";
}

void InitializePictures() {
  static std::once_flag once;
  std::call_once(once, [] {
    Magick::InitializeMagick(nullptr);
    setLimits();
  });
}

Magick::Image PingPicture(const std::string& posixPath) {
  InitializePictures();
  Magick::Image picture;
  picture.quiet(true);
  picture.ping(coderPath(posixPath));
  return picture;
}

Magick::Image ReadPicture(const std::string& posixPath) {
  InitializePictures();
  Magick::Image picture;
  picture.quiet(true);
  picture.read(coderPath(posixPath));
  return picture;
}

std::list<Magick::Image> ReadPictureImages(const std::string& posixPath) {
  InitializePictures();
  std::list<Magick::Image> images;
  Magick::readImages(&images, coderPath(posixPath));
  return images;
}

}  // namespace pictures
