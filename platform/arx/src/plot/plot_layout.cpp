#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "arx/plot.h"
#include "plot_output.h"
#include "plot_preview_window.h"
#include "plot_render.h"
#include "ui/driver.h"

namespace arx {
namespace {

FileResult failure(const std::string& error) { return {false, error}; }

FileResult plotWith(const AcDbDatabase& db, const plot::PlotTarget& target, PlotFormat format,
                    const std::string& path) {
  std::string error;
  const auto frame = plot::plotFrame(db, target.medium, error);
  if (!frame) return failure(error);
  // Lineweights follow the device's own pixels, whatever format the file takes.
  const double pixelsPerMm = plot::pixelsPerMm(target.device->format);
  const bool ok = plot::writePlotFile(format, frame->width(), frame->height(), path,
                                      [&](cairo_t* cr) { plot::drawModelSpace(db, cr, *frame, pixelsPerMm); },
                                      error);
  return ok ? FileResult{true, ""} : failure(error);
}

// A fresh, empty file for the preview picture; empty when none can be made.
std::string makePreviewFile() {
  std::string pattern = (std::filesystem::temp_directory_path() / "rw-plot-preview-XXXXXX.png").string();
  const int fd = mkstemps(pattern.data(), 4);
  if (fd < 0) return "";
  close(fd);
  return pattern;
}

}  // namespace

FileResult plotLayout(const AcDbDatabase& db, const std::string& path, const std::string& device) {
  std::string error;
  const plot::PlotTarget target = plot::plotTarget(pageSetup(db), device, error);
  if (!target.device) return failure(error);
  return plotWith(db, target, target.device->format, path);
}

FileResult plotLayoutAs(const AcDbDatabase& db, const std::string& path, PlotFormat format) {
  std::string error;
  const plot::PlotTarget target = plot::plotTarget(pageSetup(db), "", error);
  if (!target.device) return failure(error);
  return plotWith(db, target, format, path);
}

FileResult previewLayout(const AcDbDatabase& db) {
  std::string error;
  const plot::PlotTarget target = plot::plotTarget(pageSetup(db), "", error);
  if (!target.device) return failure(error);
  const std::string picture = makePreviewFile();
  if (picture.empty()) return failure("No temporary file for the plot preview can be made");
  const FileResult result = plotWith(db, target, PlotFormat::Png, picture);
  if (result.ok) {
    ui::Driver& driver = ui::driver();
    driver.record("plotpreview picture=\"" + picture + "\" device=\"" + target.device->name + "\" media=\"" +
                  target.medium.localeName + "\" size=" + std::to_string(target.medium.width) + "x" +
                  std::to_string(target.medium.height));
    plot::runPlotPreviewWindow(picture, target.device->name + ", " + target.medium.localeName, target.medium.width,
                               target.medium.height);
  }
  std::error_code ec;
  std::filesystem::remove(picture, ec);
  return result;
}

}  // namespace arx
