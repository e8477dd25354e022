#include "picture_store.h"

#include <FL/Fl_Image.H>
#include <FL/Fl_JPEG_Image.H>
#include <FL/Fl_PNG_Image.H>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "pictures.h"

namespace ui::windowed {
namespace {

Fl_RGB_Image* RgbaImage(const Pixels& pixels) {
  auto* data = new unsigned char[pixels.rgba.size()];
  std::memcpy(data, pixels.rgba.data(), pixels.rgba.size());
  auto* image = new Fl_RGB_Image(data, pixels.width, pixels.height, 4);
  image->alloc_array = 1;  // the image frees the pixels
  return image;
}

// The size of an image shrunk into a box, keeping its shape.
void FitInto(int& width, int& height, int boxWidth, int boxHeight) {
  if (width <= boxWidth && height <= boxHeight) return;
  const double scale = std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
  width = std::max(1, static_cast<int>(width * scale));
  height = std::max(1, static_cast<int>(height * scale));
}

// The first bytes of a file ("" when it cannot be read).
std::string Head(const std::string& path, size_t length) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return "";
  std::string head(length, '\0');
  head.resize(std::fread(head.data(), 1, length, file));
  std::fclose(file);
  return head;
}

// A PNG file whose header gives a size a window can show; a larger one is
// not loaded at all.
bool IsShowablePng(const std::string& head) {
  if (head.size() < 24 || head.compare(0, 4, "\x89PNG") != 0) return false;
  auto big = [&](size_t at) {
    return static_cast<unsigned long>(static_cast<unsigned char>(head[at])) << 24 |
           static_cast<unsigned char>(head[at + 1]) << 16 | static_cast<unsigned char>(head[at + 2]) << 8 |
           static_cast<unsigned char>(head[at + 3]);
  };
  const unsigned long width = big(16), height = big(20);
  return width > 0 && height > 0 && width <= kLargestPictureSide && height <= kLargestPictureSide;
}

}  // namespace

PictureStore::PictureStore() = default;
PictureStore::~PictureStore() = default;

Fl_Image* PictureStore::keep(const std::string& key, Fl_Image* made) {
  if (!made) return nullptr;
  if (made->w() <= 0 || made->h() <= 0) {
    delete made;
    return nullptr;
  }
  auto& slot = images_[key];
  slot.reset(made);
  return made;
}

Fl_Image* PictureStore::image(const Picture& picture, int width, int height, bool stretch) {
  if (!picture.data || width <= 0 || height <= 0) return nullptr;
  const std::string source = picture.name + "#" + std::to_string(reinterpret_cast<uintptr_t>(picture.data.get()));
  Fl_Image* original = nullptr;
  if (auto it = images_.find(source); it != images_.end()) {
    original = it->second.get();
  } else {
    const auto pixels = DecodePicture(*picture.data, picture.width);
    if (!pixels) return nullptr;
    sources_[picture.data.get()] = picture.data;
    original = keep(source, RgbaImage(*pixels));
  }
  int w = original->w(), h = original->h();
  if (stretch) w = width, h = height;
  else FitInto(w, h, width, height);
  if (w == original->w() && h == original->h()) return original;
  const std::string sized = source + "@" + std::to_string(w) + "x" + std::to_string(h);
  if (auto it = images_.find(sized); it != images_.end()) return it->second.get();
  return keep(sized, original->copy(w, h));
}

Fl_Image* PictureStore::file(const std::string& path, int width, int height) {
  const std::string source = "file:" + path;
  Fl_Image* original = nullptr;
  if (auto it = images_.find(source); it != images_.end()) {
    original = it->second.get();
  } else if (const std::string head = Head(path, 24); IsShowablePng(head)) {
    original = keep(source, new Fl_PNG_Image(path.c_str()));
  } else if (head.compare(0, 3, "\xFF\xD8\xFF") == 0) {
    original = keep(source, new Fl_JPEG_Image(path.c_str()));
  }
  if (!original) return nullptr;
  int w = original->w(), h = original->h();
  FitInto(w, h, width, height);
  if (w == original->w() && h == original->h()) return original;
  const std::string sized = source + "@" + std::to_string(w) + "x" + std::to_string(h);
  if (auto it = images_.find(sized); it != images_.end()) return it->second.get();
  return keep(sized, original->copy(w, h));
}

Fl_Image* PictureStore::swatch(long colour, int side) {
  const std::string key = "swatch:" + std::to_string(colour) + "/" + std::to_string(side);
  if (auto it = images_.find(key); it != images_.end()) return it->second.get();
  auto* data = new unsigned char[static_cast<size_t>(side) * side * 3];
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      unsigned char* p = data + (static_cast<size_t>(y) * side + x) * 3;
      const bool frame = x == 0 || y == 0 || x == side - 1 || y == side - 1;
      p[0] = frame ? 0x40 : static_cast<unsigned char>(colour & 0xFF);
      p[1] = frame ? 0x40 : static_cast<unsigned char>((colour >> 8) & 0xFF);
      p[2] = frame ? 0x40 : static_cast<unsigned char>((colour >> 16) & 0xFF);
    }
  auto* image = new Fl_RGB_Image(data, side, side, 3);
  image->alloc_array = 1;
  return keep(key, image);
}

Fl_RGB_Image* PictureStore::icon(const Picture& picture) {
  if (!picture.data) return nullptr;
  const std::string key = "icon:" + picture.name + "#" +
                          std::to_string(reinterpret_cast<uintptr_t>(picture.data.get()));
  if (auto it = images_.find(key); it != images_.end()) return static_cast<Fl_RGB_Image*>(it->second.get());
  const auto pixels = DecodePicture(*picture.data, picture.width);
  if (!pixels) return nullptr;
  sources_[picture.data.get()] = picture.data;
  return static_cast<Fl_RGB_Image*>(keep(key, RgbaImage(*pixels)));
}

}  // namespace ui::windowed
