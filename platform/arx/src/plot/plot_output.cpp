#include "plot_output.h"

#include <Magick++.h>
#include <cairo-ps.h>

#include <filesystem>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

namespace arx::plot {
namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

bool drawOn(cairo_surface_t* surface, const std::function<void(cairo_t*)>& draw, std::string& error) {
  cairo_t* cr = cairo_create(surface);
  draw(cr);
  const cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  if (status != CAIRO_STATUS_SUCCESS) error = std::string("Drawing the plot failed: ") + cairo_status_to_string(status);
  return status == CAIRO_STATUS_SUCCESS;
}

bool writeEps(int width, int height, const std::string& path, const std::function<void(cairo_t*)>& draw,
              std::string& error) {
  Surface surface(cairo_ps_surface_create(path.c_str(), width, height), cairo_surface_destroy);
  cairo_ps_surface_set_eps(surface.get(), true);
  if (!drawOn(surface.get(), draw, error)) return false;
  cairo_surface_finish(surface.get());
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    error = std::string("Writing the PostScript file failed: ") +
            cairo_status_to_string(cairo_surface_status(surface.get()));
    return false;
  }
  return true;
}

bool writeWithMagick(cairo_surface_t* page, const char* magick, const std::string& path, std::string& error) {
  cairo_surface_flush(page);
  const int width = cairo_image_surface_get_width(page), height = cairo_image_surface_get_height(page);
  const int stride = cairo_image_surface_get_stride(page);
  const unsigned char* data = cairo_image_surface_get_data(page);
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      unsigned char* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      out[0] = (row[x] >> 16) & 0xff;
      out[1] = (row[x] >> 8) & 0xff;
      out[2] = row[x] & 0xff;
    }
  }
  try {
    Magick::Image image(width, height, "RGB", Magick::CharPixel, rgb.data());
    image.quality(95);
    image.write(std::string(magick) + ":" + path);
  } catch (const Magick::Error& e) {
    error = std::string("Writing the plot file failed: ") + e.what();
    return false;
  } catch (const Magick::Warning&) {
  }
  return true;
}

bool writeRaster(PlotFormat format, int width, int height, const std::string& path,
                 const std::function<void(cairo_t*)>& draw, std::string& error) {
  Surface page(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), cairo_surface_destroy);
  if (cairo_surface_status(page.get()) != CAIRO_STATUS_SUCCESS) {
    error = "The plot page of " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels cannot be made: " + std::string(cairo_status_to_string(cairo_surface_status(page.get())));
    return false;
  }
  if (!drawOn(page.get(), draw, error)) return false;
  if (format == PlotFormat::Jpg) return writeWithMagick(page.get(), "JPEG", path, error);
  if (format == PlotFormat::Tif) return writeWithMagick(page.get(), "TIFF", path, error);
  const cairo_status_t status = cairo_surface_write_to_png(page.get(), path.c_str());
  if (status != CAIRO_STATUS_SUCCESS) error = std::string("Writing the PNG file failed: ") + cairo_status_to_string(status);
  return status == CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool writePlotFile(PlotFormat format, int width, int height, const std::string& path,
                   const std::function<void(cairo_t*)>& draw, std::string& error) {
  if (format == PlotFormat::None) {
    error = "The plot device \"None\" does not plot";
    return false;
  }
  // Written beside the target and renamed at the end, so a failed plot never
  // leaves a half-written file under the plot's name.
  const std::string partial = path + ".partial";
  bool written = false;
  try {
    written = format == PlotFormat::Eps ? writeEps(width, height, partial, draw, error)
                                        : writeRaster(format, width, height, partial, draw, error);
  } catch (const std::bad_alloc&) {
    error = "The plot of " + std::to_string(width) + " x " + std::to_string(height) + " pixels does not fit in memory";
  }
  std::error_code ec;
  if (written) std::filesystem::rename(partial, path, ec);
  if (written && ec) error = "The plot file cannot be written: " + path + ": " + ec.message();
  if (!written || ec) std::filesystem::remove(partial, ec);
  return written && !ec;
}

}  // namespace arx::plot
