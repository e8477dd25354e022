#include "plot_render.h"

#include <algorithm>
#include <limits>

#include "arx/render/render.h"
#include "edit/view.h"
#include "file/drawing_tags.h"
#include "ui/driver.h"

namespace arx::plot {
namespace {

struct Bounds {
  double left = std::numeric_limits<double>::infinity(), bottom = left;
  double right = -left, top = -left;
  void add(Point p) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    bottom = std::min(bottom, p.y), top = std::max(top, p.y);
  }
  bool empty() const { return !(left <= right && bottom <= top); }
};

// The display-coordinate box around what the plot draws of model space.
Bounds plottedExtents(const AcDbDatabase& db, const Affine& toDisplay) {
  Bounds box;
  const file::DrawingTags drawing(db);
  render::EntityMeasure measure(drawing, render::Layers::Plotted);
  drawing.forEachEntity([&](AcDbObjectId, render::Tags entity) {
    const std::optional<render::Box> world = measure.extents(entity);
    if (!world) return;
    for (Point p : {Point{world->minX, world->minY}, Point{world->maxX, world->minY}, Point{world->maxX, world->maxY},
                    Point{world->minX, world->maxY}})
      box.add(toDisplay.apply(p));
  });
  return box;
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
    Bounds box = plottedExtents(db, displayAffine(current));
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

double pixelsPerMm(PlotFormat format) { return (format == PlotFormat::Eps ? 72.0 : 100.0) / 25.4; }

void drawModelSpace(const AcDbDatabase& db, cairo_t* cr, const PlotFrame& frame, double pixelsPerMm) {
  const file::DrawingTags drawing(db);
  const Affine& t = frame.worldToPage();
  render::RenderOptions options;
  options.pixelsPerMm = pixelsPerMm;
  render::PageRenderer renderer(drawing, cr, frame.width(), frame.height(), {t.xx, t.yx, t.xy, t.yy, t.x0, t.y0},
                                options);
  renderer.paintWhite();
  drawing.forEachEntity([&](AcDbObjectId, render::Tags entity) { renderer.draw(entity); });
  if (!renderer.complete())
    ui::driver().commandLine("The drawing holds more than one plot draws: what came last in the draw order is left out.\n");
}

}  // namespace arx::plot
