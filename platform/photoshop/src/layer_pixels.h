#pragma once
// A layer's pixels as the editor keeps them between events: the bounds of
// its content on the canvas and the content's channels, 8 bits each,
// PackBits-coded row by row in a temporary file of its own. So a document
// holds any number of layers at the cost of a few rows of memory each;
// an event decodes the one layer it works on.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <Magick++.h>

#include "pixel_error.h"

namespace photoshop::detail {

struct Bounds {
  long left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  long width() const { return right - left; }
  long height() const { return bottom - top; }
  bool empty() const { return width() <= 0 || height() <= 0; }
};

class LayerPixels {
 public:
  static constexpr int kChannels = 4;  // red, green, blue, alpha
  // Fills `rgba` with rows [y, y + rows) of columns [x, x + width) of a canvas.
  using StripSource = std::function<void(long x, size_t y, size_t width, size_t rows, std::vector<uint8_t>& rgba)>;

  LayerPixels() = default;
  // Nothing on a canvas of that size.
  static LayerPixels Transparent(size_t width, size_t height);
  // The picture's pixels; the canvas is the picture's size. Throws PixelError
  // when the temporary file cannot be written.
  static LayerPixels FromImage(const Magick::Image& picture);

  // A canvas filled with one colour (RGBA).
  static LayerPixels Filled(size_t width, size_t height, const uint8_t (&rgba)[4]);

  // The same with every opaque pixel of that colour made transparent.
  LayerPixels withoutColour(uint8_t red, uint8_t green, uint8_t blue) const;
  // `top` blended over these pixels, on this canvas.
  LayerPixels over(const LayerPixels& top) const;
  // The same pixels on a canvas of another size: cut off, or extended with
  // transparency at the right and bottom.
  LayerPixels onCanvas(size_t width, size_t height) const;

  size_t width() const { return width_; }
  size_t height() const { return height_; }
  // The rectangle that holds every pixel not fully transparent.
  const Bounds& bounds() const { return bounds_; }

  // The whole canvas as an RGBA picture (ImageMagick's: for its operations).
  Magick::Image image() const;
  // The content's RGBA bytes, bounds().width() x bounds().height(), row by row.
  std::vector<uint8_t> contentRgba() const;
  // Blends the content over an RGBA canvas of width x height, cut to it.
  void blendOnto(std::vector<uint8_t>& canvas, size_t width, size_t height) const;
  // The packed rows of one channel (0 red .. 3 alpha) and their lengths.
  std::string packedChannel(int channel) const;
  const std::vector<uint16_t>& rowLengths(int channel) const;

 private:
  struct Store;
  static LayerPixels Encode(size_t width, size_t height, const Bounds& area, const StripSource& source);
  static LayerPixels FromCanvas(size_t width, size_t height, const std::vector<uint8_t>& canvas);
  std::shared_ptr<const Store> store_;
  size_t width_ = 0, height_ = 0;
  Bounds bounds_;
};

struct Layer {
  std::string name;    // UTF-8
  LayerPixels pixels;  // on the document's canvas
  bool background = false;
  long id = 0;
};

// The layers merged bottom to top, RGBA bytes of the canvas (transparent
// where nothing covers), decoding one layer at a time.
std::vector<uint8_t> MergedRgba(const std::vector<Layer>& layers);

}  // namespace photoshop::detail
