#include "layer_pixels.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>

#include "packbits.h"

namespace photoshop::detail {
namespace {

constexpr size_t kStripRows = 64;         // rows taken from a picture at a time
constexpr size_t kFlushBytes = 1u << 20;  // packed bytes kept before they go to the file

using StripSource = LayerPixels::StripSource;

// The rectangle of the pixels not fully transparent inside `area`.
Bounds ContentBounds(const StripSource& source, const Bounds& area) {
  const size_t width = static_cast<size_t>(area.width());
  Bounds b{area.right, area.bottom, area.left, area.top};
  std::vector<uint8_t> rgba;
  for (long y0 = area.top; y0 < area.bottom; y0 += kStripRows) {
    const size_t rows = std::min<size_t>(kStripRows, static_cast<size_t>(area.bottom - y0));
    source(area.left, static_cast<size_t>(y0), width, rows, rgba);
    for (size_t r = 0; r < rows; ++r) {
      const uint8_t* row = rgba.data() + r * width * 4;
      size_t first = 0;
      while (first < width && row[first * 4 + 3] == 0) ++first;
      if (first == width) continue;
      size_t last = width - 1;
      while (row[last * 4 + 3] == 0) --last;
      b.left = std::min(b.left, area.left + static_cast<long>(first));
      b.right = std::max(b.right, area.left + static_cast<long>(last + 1));
      b.top = std::min(b.top, y0 + static_cast<long>(r));
      b.bottom = y0 + static_cast<long>(r + 1);
    }
  }
  return b.empty() ? Bounds{} : b;
}

// `source` over `target`, straight (not premultiplied) RGBA.
void BlendOver(const uint8_t* source, uint8_t* target) {
  const unsigned sa = source[3];
  if (sa == 0) return;
  if (sa == 255 || target[3] == 0) {
    std::memcpy(target, source, 4);
    return;
  }
  const unsigned da = target[3] * (255 - sa);  // scaled by 255
  const unsigned a = sa * 255 + da;            // scaled by 255
  for (int c = 0; c < 3; ++c) target[c] = static_cast<uint8_t>((source[c] * sa * 255 + target[c] * da + a / 2) / a);
  target[3] = static_cast<uint8_t>((a + 127) / 255);
}

}  // namespace

// The packed channels in an unlinked temporary file, in pieces.
struct LayerPixels::Store {
  struct Piece {
    off_t offset;
    size_t length;
  };
  int fd = -1;
  off_t end = 0;
  std::vector<Piece> pieces[kChannels];
  std::vector<uint16_t> rowLengths[kChannels];

  Store() {
    std::string name = (std::filesystem::temp_directory_path() / "rw-ps-layer-XXXXXX").string();
    fd = mkstemp(name.data());
    if (fd < 0) throw PixelError(std::string("no temporary file for a layer: ") + std::strerror(errno));
    unlink(name.c_str());
  }
  ~Store() { close(fd); }
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  void append(int channel, std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = pwrite(fd, bytes.data() + done, bytes.size() - done, end + static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw PixelError(std::string("a layer could not be kept in its temporary file: ") + std::strerror(errno));
      done += static_cast<size_t>(n);
    }
    pieces[channel].push_back({end, bytes.size()});
    end += static_cast<off_t>(bytes.size());
    bytes.clear();
  }

  std::string read(int channel) const {
    std::string bytes;
    for (const Piece& piece : pieces[channel]) {
      const size_t at = bytes.size();
      bytes.resize(at + piece.length);
      size_t done = 0;
      while (done < piece.length) {
        const ssize_t n = pread(fd, bytes.data() + at + done, piece.length - done, piece.offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw PixelError(std::string("a layer could not be read back from its temporary file: ") + std::strerror(errno));
        done += static_cast<size_t>(n);
      }
    }
    return bytes;
  }
};

LayerPixels LayerPixels::Transparent(size_t width, size_t height) {
  LayerPixels pixels;
  pixels.width_ = width;
  pixels.height_ = height;
  return pixels;
}

// The content found inside `area` of a canvas, packed into a new store.
LayerPixels LayerPixels::Encode(size_t width, size_t height, const Bounds& area, const StripSource& source) {
  LayerPixels pixels = Transparent(width, height);
  pixels.bounds_ = ContentBounds(source, area);
  if (pixels.bounds_.empty()) return pixels;
  auto store = std::make_shared<Store>();
  const Bounds& b = pixels.bounds_;
  const size_t contentWidth = static_cast<size_t>(b.width());
  std::vector<uint8_t> rgba, channelRow(contentWidth);
  std::string packed[kChannels];
  for (long y0 = b.top; y0 < b.bottom; y0 += kStripRows) {
    const size_t rows = std::min<size_t>(kStripRows, static_cast<size_t>(b.bottom - y0));
    source(b.left, static_cast<size_t>(y0), contentWidth, rows, rgba);
    for (size_t r = 0; r < rows; ++r) {
      const uint8_t* row = rgba.data() + r * contentWidth * 4;
      for (int c = 0; c < kChannels; ++c) {
        for (size_t x = 0; x < contentWidth; ++x) channelRow[x] = row[x * 4 + c];
        store->rowLengths[c].push_back(static_cast<uint16_t>(PackRow(channelRow.data(), contentWidth, packed[c])));
        if (packed[c].size() >= kFlushBytes) store->append(c, packed[c]);
      }
    }
  }
  for (int c = 0; c < kChannels; ++c) store->append(c, packed[c]);
  pixels.store_ = std::move(store);
  return pixels;
}

LayerPixels LayerPixels::FromImage(const Magick::Image& source) {
  Magick::Image picture = source;
  const size_t width = picture.columns(), height = picture.rows();
  return Encode(width, height, Bounds{0, 0, static_cast<long>(width), static_cast<long>(height)},
                [&](long x, size_t y, size_t w, size_t rows, std::vector<uint8_t>& rgba) {
                  rgba.resize(w * rows * 4);
                  picture.write(x, static_cast<ssize_t>(y), w, rows, "RGBA", Magick::CharPixel, rgba.data());
                });
}

LayerPixels LayerPixels::withoutColour(uint8_t red, uint8_t green, uint8_t blue) const {
  if (!store_) return *this;
  std::vector<uint8_t> content = contentRgba();
  for (size_t i = 0; i < content.size(); i += 4)
    if (content[i] == red && content[i + 1] == green && content[i + 2] == blue && content[i + 3] == 255) content[i + 3] = 0;
  const size_t contentWidth = static_cast<size_t>(bounds_.width());
  const Bounds old = bounds_;
  return Encode(width_, height_, bounds_, [&](long x, size_t y, size_t w, size_t rows, std::vector<uint8_t>& rgba) {
    rgba.resize(w * rows * 4);
    for (size_t r = 0; r < rows; ++r)
      std::memcpy(rgba.data() + r * w * 4,
                  content.data() + ((y + r - static_cast<size_t>(old.top)) * contentWidth + static_cast<size_t>(x - old.left)) * 4,
                  w * 4);
  });
}

LayerPixels LayerPixels::Filled(size_t width, size_t height, const uint8_t (&colour)[4]) {
  const Bounds all{0, 0, static_cast<long>(width), static_cast<long>(height)};
  return Encode(width, height, all, [&](long, size_t, size_t w, size_t rows, std::vector<uint8_t>& rgba) {
    rgba.resize(w * rows * 4);
    for (size_t i = 0; i < rgba.size(); i += 4) std::memcpy(rgba.data() + i, colour, 4);
  });
}

LayerPixels LayerPixels::FromCanvas(size_t width, size_t height, const std::vector<uint8_t>& canvas) {
  const Bounds all{0, 0, static_cast<long>(width), static_cast<long>(height)};
  return Encode(width, height, all, [&](long x, size_t y, size_t w, size_t rows, std::vector<uint8_t>& rgba) {
    rgba.resize(w * rows * 4);
    for (size_t r = 0; r < rows; ++r)
      std::memcpy(rgba.data() + r * w * 4, canvas.data() + ((y + r) * width + static_cast<size_t>(x)) * 4, w * 4);
  });
}

void LayerPixels::blendOnto(std::vector<uint8_t>& canvas, size_t width, size_t height) const {
  if (!store_) return;
  const Bounds& b = bounds_;
  const long right = std::min(b.right, static_cast<long>(width)), bottom = std::min(b.bottom, static_cast<long>(height));
  if (right <= b.left || bottom <= b.top) return;
  const std::vector<uint8_t> content = contentRgba();
  for (long y = b.top; y < bottom; ++y) {
    const uint8_t* source = content.data() + static_cast<size_t>((y - b.top) * b.width()) * 4;
    uint8_t* target = canvas.data() + (static_cast<size_t>(y) * width + static_cast<size_t>(b.left)) * 4;
    for (long x = b.left; x < right; ++x, source += 4, target += 4) BlendOver(source, target);
  }
}

LayerPixels LayerPixels::over(const LayerPixels& top) const {
  if (!store_) return top.onCanvas(width_, height_);
  std::vector<uint8_t> canvas(width_ * height_ * 4, 0);
  blendOnto(canvas, width_, height_);
  top.blendOnto(canvas, width_, height_);
  return FromCanvas(width_, height_, canvas);
}

LayerPixels LayerPixels::onCanvas(size_t width, size_t height) const {
  if (width == width_ && height == height_) return *this;
  const Bounds kept{bounds_.left, bounds_.top, std::min(bounds_.right, static_cast<long>(width)),
                    std::min(bounds_.bottom, static_cast<long>(height))};
  if (!store_ || kept.empty()) return Transparent(width, height);
  const std::vector<uint8_t> content = contentRgba();
  const size_t contentWidth = static_cast<size_t>(bounds_.width());
  return Encode(width, height, kept, [&](long x, size_t y, size_t w, size_t rows, std::vector<uint8_t>& rgba) {
    rgba.resize(w * rows * 4);
    for (size_t r = 0; r < rows; ++r)
      std::memcpy(rgba.data() + r * w * 4,
                  content.data() + ((y + r - static_cast<size_t>(bounds_.top)) * contentWidth +
                                    static_cast<size_t>(x - bounds_.left)) * 4,
                  w * 4);
  });
}

std::vector<uint8_t> LayerPixels::contentRgba() const {
  const size_t width = static_cast<size_t>(std::max(0L, bounds_.width()));
  const size_t height = static_cast<size_t>(std::max(0L, bounds_.height()));
  std::vector<uint8_t> rgba(width * height * 4);
  if (!store_) return rgba;
  std::vector<uint8_t> row(width);
  for (int c = 0; c < kChannels; ++c) {
    const std::string packed = store_->read(c);
    size_t at = 0;
    for (size_t y = 0; y < height; ++y) {
      const size_t length = store_->rowLengths[c][y];
      if (!UnpackRow(reinterpret_cast<const uint8_t*>(packed.data()) + at, length, row.data(), width))
        throw PixelError("a layer's temporary file is damaged");
      at += length;
      uint8_t* out = rgba.data() + y * width * 4 + c;
      for (size_t x = 0; x < width; ++x) out[x * 4] = row[x];
    }
  }
  return rgba;
}

Magick::Image LayerPixels::image() const {
  std::vector<uint8_t> canvas(width_ * height_ * 4, 0);
  if (store_) {
    const std::vector<uint8_t> content = contentRgba();
    const size_t rowBytes = static_cast<size_t>(bounds_.width()) * 4;
    for (long y = 0; y < bounds_.height(); ++y)
      std::memcpy(canvas.data() + ((bounds_.top + y) * width_ + bounds_.left) * 4, content.data() + y * rowBytes, rowBytes);
  }
  Magick::Image picture(width_, height_, "RGBA", Magick::CharPixel, canvas.data());
  picture.matte(true);
  return picture;
}

std::string LayerPixels::packedChannel(int channel) const { return store_ ? store_->read(channel) : std::string(); }

const std::vector<uint16_t>& LayerPixels::rowLengths(int channel) const {
  static const std::vector<uint16_t> none;
  return store_ ? store_->rowLengths[channel] : none;
}

std::vector<uint8_t> MergedRgba(const std::vector<Layer>& layers) {
  const size_t width = layers.empty() ? 0 : layers.front().pixels.width();
  const size_t height = layers.empty() ? 0 : layers.front().pixels.height();
  std::vector<uint8_t> canvas(width * height * 4, 0);
  for (const Layer& layer : layers) layer.pixels.blendOnto(canvas, width, height);
  return canvas;
}

}  // namespace photoshop::detail
