#include "pictures.h"

#include <cstdint>
#include <cstdlib>

namespace ui::windowed {
namespace {

// Bounds-checked little-endian reads of a byte range.
class Bytes {
 public:
  Bytes(const unsigned char* data, size_t size) : data_(data), size_(size) {}
  bool has(size_t at, size_t count) const { return at <= size_ && count <= size_ - at; }
  uint16_t u16(size_t at) const { return static_cast<uint16_t>(data_[at] | data_[at + 1] << 8); }
  uint32_t u32(size_t at) const { return u16(at) | static_cast<uint32_t>(u16(at + 2)) << 16; }
  int32_t s32(size_t at) const { return static_cast<int32_t>(u32(at)); }
  unsigned char operator[](size_t at) const { return data_[at]; }
  Bytes from(size_t at, size_t count) const { return {data_ + at, count}; }

 private:
  const unsigned char* data_;
  size_t size_;
};

constexpr uint32_t kUncompressed = 0, kBitFields = 3;

struct DibHeader {
  size_t size = 0;  // of the header
  int width = 0, height = 0, bits = 0;
  bool topDown = false;
  uint32_t compression = kUncompressed, colours = 0;
};

std::optional<DibHeader> ReadDibHeader(const Bytes& b, size_t at) {
  if (!b.has(at, 4)) return std::nullopt;
  DibHeader h;
  h.size = b.u32(at);
  if (h.size == 12 && b.has(at, 12)) {
    h.width = b.u16(at + 4);
    h.height = static_cast<int16_t>(b.u16(at + 6));
    h.bits = b.u16(at + 10);
  } else if (h.size >= 40 && h.size <= 1024 && b.has(at, 40)) {
    h.width = b.s32(at + 4);
    h.height = b.s32(at + 8);
    h.bits = b.u16(at + 14);
    h.compression = b.u32(at + 16);
    h.colours = b.u32(at + 32);
  } else {
    return std::nullopt;
  }
  h.topDown = h.height < 0;
  if (h.height == INT32_MIN) return std::nullopt;
  h.height = std::abs(h.height);
  return h;
}

// One pixel of a row of a `bits`-deep bitmap as RGBA (alpha from the data
// for 32 bits, else opaque).
void PixelAt(const Bytes& b, size_t row, int x, const DibHeader& h, const std::vector<uint32_t>& palette,
             unsigned char* out) {
  uint32_t bgra = 0;
  if (h.bits == 32) {
    bgra = b.u32(row + 4 * static_cast<size_t>(x));
  } else if (h.bits == 24) {
    const size_t at = row + 3 * static_cast<size_t>(x);
    bgra = b[at] | b[at + 1] << 8 | b[at + 2] << 16 | 0xFF000000u;
  } else {
    const size_t bit = static_cast<size_t>(x) * h.bits;
    const unsigned byte = b[row + bit / 8];
    const unsigned index = (byte >> (8 - h.bits - bit % 8)) & ((1u << h.bits) - 1);
    bgra = index < palette.size() ? palette[index] | 0xFF000000u : 0xFF000000u;
  }
  out[0] = static_cast<unsigned char>(bgra >> 16);
  out[1] = static_cast<unsigned char>(bgra >> 8);
  out[2] = static_cast<unsigned char>(bgra);
  out[3] = static_cast<unsigned char>(bgra >> 24);
}

std::vector<uint32_t> ReadPalette(const Bytes& b, size_t at, const DibHeader& h) {
  std::vector<uint32_t> palette;
  if (h.bits > 8) return palette;
  const size_t count = h.colours > 0 && h.colours <= (1u << h.bits) ? h.colours : (1u << h.bits);
  const size_t entry = h.size == 12 ? 3 : 4;
  for (size_t i = 0; i < count && b.has(at + i * entry, 3); ++i) {
    const size_t p = at + i * entry;
    palette.push_back(b[p] | b[p + 1] << 8 | b[p + 2] << 16);
  }
  return palette;
}

// Applies an icon's AND mask (a set bit: transparent) to opaque pixels.
void ApplyMask(const Bytes& b, size_t mask, Pixels& pixels) {
  const size_t rowBytes = ((static_cast<size_t>(pixels.width) + 31) / 32) * 4;
  if (!b.has(mask, rowBytes * pixels.height)) return;  // no mask: all opaque
  for (int y = 0; y < pixels.height; ++y) {
    const size_t row = mask + rowBytes * static_cast<size_t>(pixels.height - 1 - y);
    for (int x = 0; x < pixels.width; ++x)
      if ((b[row + x / 8] >> (7 - x % 8)) & 1) pixels.rgba[(static_cast<size_t>(y) * pixels.width + x) * 4 + 3] = 0;
  }
}

// The bitmap whose info header lies at `header`; its pixels at `bits`, or
// right after the header and palette when `bits` is 0. An icon's bitmap is
// twice its height: the colours, then the mask.
std::optional<Pixels> DecodeDib(const Bytes& b, size_t header, size_t bits, bool icon) {
  const auto h = ReadDibHeader(b, header);
  if (!h) return std::nullopt;
  const int rows = icon ? h->height / 2 : h->height;
  const bool depthOk = h->bits == 1 || h->bits == 4 || h->bits == 8 || h->bits == 24 || h->bits == 32;
  const bool compressionOk = h->compression == kUncompressed || (h->compression == kBitFields && h->bits == 32);
  if (!depthOk || !compressionOk || h->width <= 0 || rows <= 0 || h->width > kLargestPictureSide ||
      rows > kLargestPictureSide)
    return std::nullopt;
  const size_t masks = h->compression == kBitFields && h->size == 40 ? 12 : 0;
  const std::vector<uint32_t> palette = ReadPalette(b, header + h->size + masks, *h);
  const size_t paletteBytes = palette.size() * (h->size == 12 ? 3 : 4);
  if (bits == 0) bits = header + h->size + masks + paletteBytes;
  const size_t rowBytes = ((static_cast<size_t>(h->width) * h->bits + 31) / 32) * 4;
  if (!b.has(bits, rowBytes * rows)) return std::nullopt;
  Pixels pixels{h->width, rows, std::vector<unsigned char>(static_cast<size_t>(h->width) * rows * 4)};
  bool anyAlpha = false;
  for (int y = 0; y < rows; ++y) {
    const size_t row = bits + rowBytes * static_cast<size_t>(h->topDown ? y : rows - 1 - y);
    for (int x = 0; x < h->width; ++x) {
      unsigned char* out = &pixels.rgba[(static_cast<size_t>(y) * h->width + x) * 4];
      PixelAt(b, row, x, *h, palette, out);
      anyAlpha = anyAlpha || (h->bits == 32 && out[3] != 0);
    }
  }
  // 32-bit pixels without any alpha are opaque; an icon then takes its mask.
  if (h->bits == 32 && !anyAlpha)
    for (size_t i = 3; i < pixels.rgba.size(); i += 4) pixels.rgba[i] = 0xFF;
  if (icon && !(h->bits == 32 && anyAlpha)) ApplyMask(b, bits + rowBytes * rows, pixels);
  return pixels;
}

std::optional<Pixels> DecodeBmp(const Bytes& b) {
  if (!b.has(0, 14)) return std::nullopt;
  const size_t bits = b.u32(10);
  if (bits == 0) return std::nullopt;
  return DecodeDib(b, 14, bits, false);
}

bool IsPng(const Bytes& b) { return b.has(0, 4) && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G'; }

std::optional<Pixels> DecodeIco(const Bytes& b, int wantedWidth) {
  const size_t count = b.u16(4);
  if (count == 0 || !b.has(6, 16 * count)) return std::nullopt;
  if (wantedWidth <= 0) wantedWidth = 32;
  std::optional<Bytes> best;
  int bestWidth = 0, bestBits = 0;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    const size_t size = b.u32(entry + 8), offset = b.u32(entry + 12);
    if (!b.has(offset, size)) continue;
    const Bytes image = b.from(offset, size);
    const auto h = IsPng(image) ? std::nullopt : ReadDibHeader(image, 0);
    if (!h) continue;
    const int width = h->width;
    const bool nearer = !best || std::abs(width - wantedWidth) < std::abs(bestWidth - wantedWidth);
    const bool asNearAndDeeper = best && std::abs(width - wantedWidth) == std::abs(bestWidth - wantedWidth) &&
                                 h->bits > bestBits;
    if (nearer || asNearAndDeeper) best = image, bestWidth = width, bestBits = h->bits;
  }
  if (!best) return std::nullopt;
  return DecodeDib(*best, 0, 0, true);
}

}  // namespace

std::optional<Pixels> DecodePicture(const std::string& bytes, int wantedWidth) {
  const Bytes b(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  if (b.has(0, 2) && b[0] == 'B' && b[1] == 'M') return DecodeBmp(b);
  if (b.has(0, 6) && b.u16(0) == 0 && (b.u16(2) == 1 || b.u16(2) == 2)) return DecodeIco(b, wantedWidth);
  return std::nullopt;
}

}  // namespace ui::windowed
