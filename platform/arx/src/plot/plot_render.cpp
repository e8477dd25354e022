#include "plot_render.h"

#include <pictures/picture_file.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>

#include "acedads.h"
#include "edit/view.h"
#include "win32/posix.h"

namespace arx::plot {
namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

bool plotted(const Layer& layer) { return layer.plottable && layer.on && !layer.frozen; }

// ACI colour of the layer; 7 (white on a dark screen) plots black on white
// paper, and so does an index out of range.
Colour layerColour(const Layer& layer) {
  const Adesk::Int32 rgb = layer.color == 7 ? -1 : acedGetRGB(layer.color);
  if (rgb < 0) return {0, 0, 0};
  return {(rgb & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, ((rgb >> 16) & 0xff) / 255.0};
}

// A picture file as a cairo surface; null when it cannot be read.
Surface readPicture(const ImageShape& image) {
  Surface none(nullptr, cairo_surface_destroy);
  const std::string path = win32::ToPosixPath(image.sourceFile);
  if (path.empty()) return none;
  try {
    Magick::Image picture = pictures::ReadPicture(path);
    const int w = static_cast<int>(picture.columns()), h = static_cast<int>(picture.rows());
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h), cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return none;
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    picture.write(0, 0, w, h, "RGBA", Magick::CharPixel, rgba.data());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
      for (int x = 0; x < w; ++x) {
        const unsigned char* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
        // Opaque images are shown on white; transparent ones keep their alpha (premultiplied).
        const unsigned a = image.transparent ? p[3] : 255;
        auto channel = [&](unsigned c) { return image.transparent ? c * a / 255 : (c * p[3] + 255 * (255 - p[3])) / 255; };
        row[x] = (a << 24) | (channel(p[0]) << 16) | (channel(p[1]) << 8) | channel(p[2]);
      }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
  } catch (const std::exception&) {  // no picture, damaged or beyond the limits
    return none;
  }
}

class PictureCache {
 public:
  cairo_surface_t* get(const ImageShape& image) {
    auto it = pictures_.find(image.sourceFile);
    if (it == pictures_.end()) it = pictures_.emplace(image.sourceFile, readPicture(image)).first;
    return it->second.get();
  }

 private:
  std::map<std::string, Surface> pictures_;
};

struct Bounds {
  double left = std::numeric_limits<double>::infinity(), bottom = left;
  double right = -left, top = -left;
  void add(Point p, double reach = 0) {
    left = std::min(left, p.x - reach);
    right = std::max(right, p.x + reach);
    bottom = std::min(bottom, p.y - reach);
    top = std::max(top, p.y + reach);
  }
  bool empty() const { return !(left <= right && bottom <= top); }
};

// The display-coordinate box around a shape (a little generous for arcs and text).
void addShape(Bounds& box, const Shape& shape, const Affine& toDisplay) {
  auto add = [&](Point p, double reach = 0) { box.add(toDisplay.apply(p), reach); };
  if (auto* line = std::get_if<LineShape>(&shape)) {
    add(line->start);
    add(line->end);
  } else if (auto* poly = std::get_if<PolylineShape>(&shape)) {
    for (const auto& v : poly->vertices) add(v.point);
  } else if (auto* circle = std::get_if<CircleShape>(&shape)) {
    add(circle->center, circle->radius);
  } else if (auto* arc = std::get_if<ArcShape>(&shape)) {
    add(arc->center, arc->radius);
  } else if (auto* text = std::get_if<TextShape>(&shape)) {
    add(text->position, text->height * std::max<size_t>(text->text.size(), 1));
  } else if (auto* image = std::get_if<ImageShape>(&shape)) {
    const Point o = image->origin, u = image->u, v = image->v;
    for (Point p : {o, Point{o.x + u.x, o.y + u.y}, Point{o.x + v.x, o.y + v.y},
                    Point{o.x + u.x + v.x, o.y + u.y + v.y}})
      add(p);
  }
}

}  // namespace

PlotTarget plotTarget(const PageSetup& setup, const std::string& deviceOverride, std::string& error) {
  const std::string& name = deviceOverride.empty() ? setup.plotCfgName : deviceOverride;
  const PlotDevice* device = findPlotDevice(name);
  if (!device) {
    error = "Unknown plot device \"" + name + "\"";
    return {};
  }
  if (device->format == PlotFormat::None) {
    error = "No plot device is chosen in the page setup (\"None\")";
    return {};
  }
  // A medium the device does not have falls back to its default, as a plotter
  // configuration does when the page setup names foreign paper.
  const auto medium = findPlotMedium(*device, setup.canonicalMediaName);
  return {device, medium ? *medium : device->media.front()};
}

std::optional<PlotFrame> plotFrame(const AcDbDatabase& db, const PlotMedium& medium, std::string& error) {
  const PageSetup& setup = pageSetup(db);
  const View& current = view(db);
  Point low, high;
  if (setup.plotType == PlotType::Window) {
    low = setup.windowMin;
    high = setup.windowMax;
  } else if (setup.plotType == PlotType::Extents) {
    const Affine toDisplay = displayAffine(current);
    Bounds box;
    forEachModelEntity(db, [&](const EntityView& entity) {
      if (plotted(entity.layer)) addShape(box, entity.shape, toDisplay);
    });
    if (box.empty()) {
      error = "Nothing to plot: the drawing has no plottable objects";
      return std::nullopt;
    }
    // Extents without area (a straight line, a point) get the page's shape.
    const double w = box.right - box.left, h = box.top - box.bottom;
    double padX = 0, padY = 0;
    if (w == 0 && h == 0) padX = padY = 0.5;
    else if (h == 0) padY = w * medium.height / medium.width / 2;
    else if (w == 0) padX = h * medium.width / medium.height / 2;
    box.left -= padX, box.right += padX, box.bottom -= padY, box.top += padY;
    low = {box.left, box.bottom};
    high = {box.right, box.top};
  } else {
    const Point centre = worldToDisplay(current, current.center);
    const double halfHeight = current.height / 2, halfWidth = halfHeight * current.aspect;
    low = {centre.x - halfWidth, centre.y - halfHeight};
    high = {centre.x + halfWidth, centre.y + halfHeight};
  }
  const PagePlacement placement{setup.centered, setup.plotOrigin};
  return PlotFrame::make(low, high, medium.width, medium.height, current, placement, error);
}

void drawModelSpace(const AcDbDatabase& db, PlotCanvas& canvas) {
  canvas.paintWhite();
  PictureCache pictures;
  forEachModelEntity(db, [&](const EntityView& entity) {
    if (!plotted(entity.layer)) return;
    canvas.setColour(layerColour(entity.layer));
    std::visit(
        [&](const auto& shape) {
          using T = std::decay_t<decltype(shape)>;
          if constexpr (std::is_same_v<T, TextShape>) canvas.drawText(shape, win32::Cp1252ToUtf8(shape.text));
          else if constexpr (std::is_same_v<T, ImageShape>) canvas.drawImage(shape, shape.loaded ? pictures.get(shape) : nullptr);
          else canvas.draw(shape);
        },
        entity.shape);
  });
}

}  // namespace arx::plot
