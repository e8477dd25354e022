#include "psd_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "packbits.h"

namespace photoshop::detail {
namespace {

constexpr long kLargestSide = 30000;  // of a document in this format
constexpr int kNameRecordAlignment = 4;
constexpr uint8_t kVisibleLayer = 0x08;  // "flags valid" set, hidden clear

// The channels of a layer record in the order they are stored: alpha
// (-1), red, green, blue, with the index of each in LayerPixels.
constexpr int kLayerChannelIds[] = {-1, 0, 1, 2};
constexpr int kLayerChannelIndex[] = {3, 0, 1, 2};

// Big-endian output with every failure remembered.
class Output {
 public:
  explicit Output(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (!file_) fail();
  }
  ~Output() {
    if (file_) std::fclose(file_);
  }
  void bytes(const void* data, size_t n) {
    if (n && std::fwrite(data, 1, n, file_) != n) fail();
  }
  void text(const char* fourChars) { bytes(fourChars, 4); }
  void u8(unsigned v) { put(v, 1); }
  void u16(unsigned v) { put(v, 2); }
  void u32(unsigned long v) { put(v, 4); }
  void zeros(size_t n) {
    static const char none[8] = {};
    for (; n > 0; n -= std::min<size_t>(n, 8)) bytes(none, std::min<size_t>(n, 8));
  }
  long tell() { return std::ftell(file_); }
  void seek(long at) {
    if (std::fseek(file_, at, SEEK_SET) != 0) fail();
  }
  void close() {
    const bool flushed = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    const int result = std::fclose(file_);
    file_ = nullptr;
    if (!flushed || result != 0) fail();
  }

 private:
  void put(unsigned long v, int n) {
    unsigned char b[4];
    for (int i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(v >> (8 * (n - 1 - i)));
    bytes(b, n);
  }
  [[noreturn]] void fail() { throw PixelError(std::strerror(errno)); }
  std::FILE* file_;
};

bool IsAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

// UTF-16 code units of UTF-8 text; a malformed byte becomes '?'.
std::u16string Utf16(const std::string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = text[i];
    const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    char32_t code = extra == 0 ? c : extra == 1 ? c & 0x1f : extra == 2 ? c & 0x0f : c & 0x07;
    bool good = extra >= 0 && i + extra < text.size();
    for (int k = 1; good && k <= extra; ++k) {
      const unsigned char next = text[i + k];
      good = (next & 0xc0) == 0x80;
      code = (code << 6) | (next & 0x3f);
    }
    if (!good) {
      out.push_back(u'?');
      ++i;
      continue;
    }
    i += extra + 1;
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xd800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xdc00 + ((code - 0x10000) & 0x3ff)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  return out;
}

// The name in a layer record: at most 255 bytes, cut at a character's start.
std::string RecordName(const std::string& name) {
  if (name.size() <= 255) return name;
  size_t end = 255;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xc0) == 0x80) --end;
  return name.substr(0, end);
}

size_t Padded(size_t n, size_t to) { return (n + to - 1) / to * to; }

size_t NameFieldLength(const Layer& layer) { return Padded(1 + RecordName(layer.name).size(), kNameRecordAlignment); }

// The Unicode name block: its data, without signature, key and length.
size_t UnicodeBlockLength(const Layer& layer) { return Padded(4 + 2 * Utf16(layer.name).size(), 4); }

size_t ExtraDataLength(const Layer& layer) {
  size_t n = 4 + 4 + NameFieldLength(layer);  // mask, blending ranges, name
  if (!IsAscii(layer.name)) n += 12 + UnicodeBlockLength(layer);
  return n;
}

// A layer with nothing in it is stored as one transparent pixel in the top
// left corner: readers such as ImageMagick drop layers of no size.
constexpr Bounds kEmptyLayerBounds{0, 0, 1, 1};
constexpr char kOneZeroByte[] = {0, 0};  // PackBits: a literal of one byte, 0

Bounds StoredBounds(const Layer& layer) {
  return layer.pixels.bounds().empty() ? kEmptyLayerBounds : layer.pixels.bounds();
}

size_t ChannelDataLength(const Layer& layer, int channel) {
  if (layer.pixels.bounds().empty()) return 2 + 2 + sizeof kOneZeroByte;
  size_t n = 2;
  for (uint16_t length : layer.pixels.rowLengths(channel)) n += 2 + length;
  return n;
}

size_t RecordLength(const Layer& layer) { return 16 + 2 + 4 * 6 + 12 + 4 + ExtraDataLength(layer); }

void WriteRecord(Output& out, const Layer& layer) {
  const Bounds b = StoredBounds(layer);
  for (long edge : {b.top, b.left, b.bottom, b.right}) out.u32(static_cast<unsigned long>(edge));
  out.u16(LayerPixels::kChannels);
  for (int i = 0; i < LayerPixels::kChannels; ++i) {
    out.u16(static_cast<uint16_t>(kLayerChannelIds[i]));
    out.u32(ChannelDataLength(layer, kLayerChannelIndex[i]));
  }
  out.text("8BIM");
  out.text("norm");
  out.u8(255);  // opacity
  out.u8(0);    // base clipping
  out.u8(kVisibleLayer);
  out.u8(0);
  out.u32(ExtraDataLength(layer));
  out.u32(0);  // no layer mask
  out.u32(0);  // no blending ranges
  const std::string name = RecordName(layer.name);
  out.u8(static_cast<unsigned>(name.size()));
  out.bytes(name.data(), name.size());
  out.zeros(NameFieldLength(layer) - 1 - name.size());
  if (IsAscii(layer.name)) return;
  const std::u16string wide = Utf16(layer.name);
  out.text("8BIM");
  out.text("luni");
  out.u32(UnicodeBlockLength(layer));
  out.u32(wide.size());
  for (char16_t unit : wide) out.u16(unit);
  out.zeros(UnicodeBlockLength(layer) - 4 - 2 * wide.size());
}

void WriteChannelData(Output& out, const Layer& layer) {
  for (int i = 0; i < LayerPixels::kChannels; ++i) {
    out.u16(1);  // PackBits
    if (layer.pixels.bounds().empty()) {
      out.u16(sizeof kOneZeroByte);
      out.bytes(kOneZeroByte, sizeof kOneZeroByte);
      continue;
    }
    const int channel = kLayerChannelIndex[i];
    for (uint16_t length : layer.pixels.rowLengths(channel)) out.u16(length);
    const std::string packed = layer.pixels.packedChannel(channel);
    out.bytes(packed.data(), packed.size());
  }
}

void WriteLayers(Output& out, const std::vector<Layer>& layers, bool mergedHasAlpha) {
  size_t info = 2;
  for (const Layer& layer : layers) {
    info += RecordLength(layer);
    for (int c = 0; c < LayerPixels::kChannels; ++c) info += ChannelDataLength(layer, c);
  }
  const size_t padding = Padded(info, 2) - info;
  out.u32(4 + info + padding + 4);
  out.u32(info + padding);
  // A negative count says the merged picture's fourth channel is its transparency.
  const int count = static_cast<int>(layers.size());
  out.u16(static_cast<uint16_t>(mergedHasAlpha ? -count : count));
  for (const Layer& layer : layers) WriteRecord(out, layer);
  for (const Layer& layer : layers) WriteChannelData(out, layer);
  out.zeros(padding);
  out.u32(0);  // no global layer mask
}

// The merged picture, every channel PackBits-coded; the table of row lengths
// comes first, so it is filled in once the rows are written.
void WriteMerged(Output& out, const std::vector<uint8_t>& rgba, size_t width, size_t height, int channels) {
  out.u16(1);
  const long table = out.tell();
  out.zeros(channels * height * 2);
  std::vector<uint16_t> lengths;
  std::vector<uint8_t> row(width);
  std::string packed;
  for (int c = 0; c < channels; ++c) {
    for (size_t y = 0; y < height; ++y) {
      const uint8_t* source = rgba.data() + y * width * 4 + c;
      for (size_t x = 0; x < width; ++x) row[x] = source[x * 4];
      packed.clear();
      lengths.push_back(static_cast<uint16_t>(PackRow(row.data(), width, packed)));
      out.bytes(packed.data(), packed.size());
    }
  }
  out.seek(table);
  for (uint16_t length : lengths) out.u16(length);
}

}  // namespace

void WritePsdFile(const std::string& posixPath, const std::vector<Layer>& layers) {
  if (layers.empty()) throw PixelError("a document without layers cannot be written");
  const size_t width = layers.front().pixels.width(), height = layers.front().pixels.height();
  if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide)
    throw PixelError("a document of " + std::to_string(width) + " x " + std::to_string(height) + " pixels cannot be written");
  const bool opaque = layers.front().background;
  const int mergedChannels = opaque ? 3 : 4;
  Output out(posixPath);
  out.text("8BPS");
  out.u16(1);  // version
  out.zeros(6);
  out.u16(mergedChannels);
  out.u32(height);
  out.u32(width);
  out.u16(8);  // bits per channel
  out.u16(3);  // RGB
  out.u32(0);  // no colour mode data
  out.u32(0);  // no image resources
  WriteLayers(out, layers, !opaque);
  WriteMerged(out, MergedRgba(layers), width, height, mergedChannels);
  out.close();
}

}  // namespace photoshop::detail
