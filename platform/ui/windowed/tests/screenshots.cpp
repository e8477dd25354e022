// Screenshots of the windows, kept apart from the tests' headers: the X
// headers they need name things the form toolkit names too.
#include <FL/Fl_PNG_Image.H>
#include <FL/x.H>

#include <cstdio>
#include <cstdlib>

#include "fltk_events.h"

namespace guitest {

bool Screenshot(const Fl_Window& window, const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", static_cast<unsigned long>(fl_xid(&window)));
  const std::string command = "import -window " + std::string(id) + " '" + path.string() + "' 2>/dev/null";
  std::error_code error;
  return std::system(command.c_str()) == 0 && std::filesystem::file_size(path, error) > 0;
}

unsigned PixelOf(const std::filesystem::path& png, int x, int y) {
  Fl_PNG_Image image(png.string().c_str());
  if (x < 0 || y < 0 || image.w() <= x || image.h() <= y || image.d() < 3 || image.count() != 1) return 0xFFFFFFFFu;
  const int row = image.ld() ? image.ld() : image.w() * image.d();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(image.data()[0]) + y * row + x * image.d();
  return p[0] << 16 | p[1] << 8 | p[2];
}

}  // namespace guitest
