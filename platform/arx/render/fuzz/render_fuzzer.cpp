// libFuzzer target: a drawing's tags drawn on a small page, measured and
// tested against a window, entity by entity, as the plotter and the crossing
// selection do. Any crash, sanitizer finding or hang is a fault.
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "arx/render/render.h"
#include "tag_drawing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  arx::render::TagDrawing drawing;
  if (!drawing.load(std::string(reinterpret_cast<const char*>(data), size))) return 0;
  cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 64);
  cairo_t* cr = cairo_create(page);
  {
    arx::render::RenderOptions options;
    options.pixelsPerMm = 4;
    arx::render::PageRenderer renderer(drawing, cr, 64, 64, {0.64, 0, 0, -0.64, 0, 64}, options);
    renderer.paintWhite();
    for (arx::render::Tags entity : drawing.entities()) {
      renderer.draw(entity);
      arx::render::entityExtents(drawing, entity);
      arx::render::entityCrosses(drawing, entity, arx::render::Box{25, 25, 75, 75});
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(page);
  return 0;
}
