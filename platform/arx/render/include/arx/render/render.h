#pragma once
// Draws model-space entities given as DXF tags onto a cairo page, and gives
// the same geometry to extents and crossing selection.
//
// Geometry goes to page pixels and is clipped there in double precision, so
// that far-away or huge geometry never reaches cairo's fixed-point range.
// Work is bounded: nested blocks stop at a fixed depth and every entity has a
// budget of primitives, so hostile counts (a MINSERT of 1e9 x 1e9, a vertex
// count of 2e9) end quickly and allocate only what the tags hold.
#include <cairo.h>

#include <memory>
#include <optional>

#include "arx/render/drawing_tables.h"
#include "arx/render/tags.h"

namespace arx::render {

// World -> page pixels (y down): x' = xx*x + xy*y + x0, y' = yx*x + yy*y + y0.
struct PageTransform {
  double xx = 1, yx = 0, xy = 0, yy = 1, x0 = 0, y0 = 0;
};

struct RenderOptions {
  // Lineweights in millimetres become pixels at this resolution; 0 draws
  // every line one pixel wide.
  double pixelsPerMm = 0;
  bool antialias = false;
};

struct Box {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

class PageRenderer {
 public:
  // Draws on `cr` (which the caller owns), on a page of width x height pixels.
  PageRenderer(const DrawingTables& tables, cairo_t* cr, int width, int height, const PageTransform& toPage,
               const RenderOptions& options = {});
  ~PageRenderer();
  PageRenderer(const PageRenderer&) = delete;
  PageRenderer& operator=(const PageRenderer&) = delete;

  void paintWhite();
  // One entity of model space (with its sub-entities, see splitEntities). The
  // caller keeps the draw order. Entities on layers that are off, frozen or
  // not plotted draw nothing.
  void draw(Tags entity);
  // False when the work one page may take was spent and entities drawn after
  // that were left out (only a hostile drawing gets there).
  bool complete() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Which entities count: a plot draws those on layers that are on, thawed and
// plottable; a selection sees those on layers that are on and thawed.
enum class Layers { Plotted, Visible };

// The entity's world extents (x, y) as the plot draws it; null when it draws nothing.
std::optional<Box> entityExtents(const DrawingTables& tables, Tags entity, Layers layers = Layers::Plotted);

// A crossing window: a box in window coordinates, which world points reach
// through `toWindow` (a view's twist, say); world coordinates by default.
struct CrossingWindow {
  Box box;
  PageTransform toWindow;
};

// Whether anything the entity draws lies in or crosses the window, as a
// crossing selection sees it. A block reference crosses when its content does.
bool entityCrosses(const DrawingTables& tables, Tags entity, const CrossingWindow& window,
                   Layers layers = Layers::Visible);
inline bool entityCrosses(const DrawingTables& tables, Tags entity, const Box& window,
                          Layers layers = Layers::Visible) {
  return entityCrosses(tables, entity, CrossingWindow{window, {}}, layers);
}

// Extents and crossing tests of many entities of one drawing (a selection,
// the extents of a plot) under one bound on the work they take together.
class EntityMeasure {
 public:
  EntityMeasure(const DrawingTables& tables, Layers layers);
  ~EntityMeasure();
  EntityMeasure(const EntityMeasure&) = delete;
  EntityMeasure& operator=(const EntityMeasure&) = delete;

  std::optional<Box> extents(Tags entity);
  bool crosses(Tags entity, const CrossingWindow& window);
  // False when the work was spent and later entities measured as nothing.
  bool complete() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Whether the renderer draws entities of this type ("LINE", "HATCH", ...);
// others are kept in the drawing but show nothing.
bool drawsEntityType(std::string_view type);

}  // namespace arx::render
