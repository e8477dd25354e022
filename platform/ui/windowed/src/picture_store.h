#pragma once
// The images a window paints, made once from the models' pictures and kept
// for as long as the window lives (its widgets point at them).
#include <map>
#include <memory>
#include <string>

#include "ui/dialog.h"

class Fl_Image;
class Fl_RGB_Image;

namespace ui::windowed {

class PictureStore {
 public:
  PictureStore();
  ~PictureStore();
  PictureStore(const PictureStore&) = delete;
  PictureStore& operator=(const PictureStore&) = delete;

  // The picture at its own size, or made to fit `width` x `height`
  // (stretched when `stretch`, else only shrunk, keeping its shape);
  // nullptr when its bytes are not a picture that can be shown.
  Fl_Image* image(const Picture& picture, int width, int height, bool stretch);
  // A PNG or JPEG file, shrunk to fit the size, keeping its shape.
  Fl_Image* file(const std::string& path, int width, int height);
  // A square of one colour (0x00BBGGRR) with a dark frame.
  Fl_Image* swatch(long colour, int side);
  // The picture as the icon of a window.
  Fl_RGB_Image* icon(const Picture& picture);

 private:
  Fl_Image* keep(const std::string& key, Fl_Image* made);
  std::map<std::string, std::unique_ptr<Fl_Image>> images_;
  // The bytes of the pictures made, held so that their address, part of the
  // images' keys, stays theirs.
  std::map<const std::string*, std::shared_ptr<const std::string>> sources_;
};

}  // namespace ui::windowed
