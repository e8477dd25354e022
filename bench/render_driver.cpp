// Renders the model space of an ASCII DXF with the plot renderer, for the
// comparison with ezdxf's drawing add-on (render_compare.py).
//   render_driver IN.dxf OUT.png WIDTH HEIGHT X1 Y1 X2 Y2 [PIXELS_PER_MM]
// The window (world x1, y1 to x2, y2) is fitted into the page at one scale
// from its lower-left corner.
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "arx/render/render.h"
#include "tag_drawing.h"

int main(int argc, char** argv) {
  if (argc < 9) {
    std::fprintf(stderr, "usage: %s IN.dxf OUT.png WIDTH HEIGHT X1 Y1 X2 Y2 [PIXELS_PER_MM]\n", argv[0]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  arx::render::TagDrawing drawing;
  if (!drawing.loadFile(argv[1])) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
  const double x1 = std::atof(argv[5]), y1 = std::atof(argv[6]), x2 = std::atof(argv[7]), y2 = std::atof(argv[8]);
  arx::render::RenderOptions options;
  options.pixelsPerMm = argc > 9 ? std::atof(argv[9]) : 0;
  const double scale = std::min(width / (x2 - x1), height / (y2 - y1));
  const arx::render::PageTransform toPage{scale, 0, 0, -scale, -x1 * scale, height + y1 * scale};
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  {
    arx::render::PageRenderer renderer(drawing, cr, width, height, toPage, options);
    renderer.paintWhite();
    for (arx::render::Tags entity : drawing.entities()) renderer.draw(entity);
  }
  const cairo_status_t status = cairo_surface_write_to_png(surface, argv[2]);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("render-seconds %.3f\n", seconds);
  return status == CAIRO_STATUS_SUCCESS ? 0 : 1;
}
