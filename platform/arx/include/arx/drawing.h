#pragma once
// The drawing as plain data: what the renderer draws, what the page setup
// command edits and what the DXF reader and writer exchange. The AcDb* API
// works on the same objects; this header is the stand-in's own view of them.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "dbid.h"
#include "acdb.h"

class AcDbDatabase;

namespace arx {

struct Point {
  double x = 0.0;
  double y = 0.0;
};

// Entity geometry in world coordinates. Angles are in radians, counter-clockwise.
struct LineShape {
  Point start, end;
};
struct PolylineVertex {
  Point point;
  double bulge = 0.0;  // tan(included angle / 4) of the segment that starts here
};
struct PolylineShape {
  std::vector<PolylineVertex> vertices;
  bool closed = false;
};
struct CircleShape {
  Point center;
  double radius = 0.0;
};
struct ArcShape {
  Point center;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;  // the arc runs counter-clockwise from start to end
};
struct TextShape {
  Point position;  // insertion point: left end of the base line
  double height = 1.0;
  double rotation = 0.0;
  std::string text;  // code page 1252, as in the drawing
};
// A raster image: the picture's lower-left corner and the vectors along one
// whole row (u) and one whole column (v) of the picture, in world units.
struct ImageShape {
  Point origin;
  Point u;
  Point v;
  std::string sourceFile;  // Windows path of the definition's active file
  int widthPx = 0;         // 0 when the definition is not loaded
  int heightPx = 0;
  bool loaded = false;
  bool transparent = false;
};
// An entity the database keeps as the drawing file holds it (a block
// reference, hatch, MTEXT, dimension, ...): it is plotted and selected from its
// groups, and saved as it was read.
struct KeptShape {
  std::string type;  // its DXF type: "INSERT", "HATCH", ...
};
using Shape = std::variant<LineShape, PolylineShape, CircleShape, ArcShape, TextShape, ImageShape, KeptShape>;

struct Layer {
  std::string name;
  int color = 7;  // ACI colour index 1..255
  bool plottable = true;
  bool on = true;
  bool frozen = false;
};

// One entity of model space as the renderer sees it.
struct EntityView {
  std::string handle;  // hexadecimal, upper case
  const Layer& layer;
  const Shape& shape;
};

// The current view. Display coordinates are world coordinates turned about
// the view target (the world origin) by `twist` radians counter-clockwise, so
// the drawing appears turned by `twist` on the screen; `center` is the middle
// of the screen in display coordinates. The view shows `height` units
// vertically and `height * aspect` horizontally.
struct View {
  Point center;
  double height = 1.0;
  double twist = 0.0;
  double aspect = 4.0 / 3.0;
};

// Plot type values of the active layout's page setup.
enum class PlotType { Display = 0, Extents = 1, Limits = 2, View = 3, Window = 4, Layout = 5 };

// The page setup of the active (model) layout.
struct PageSetup {
  std::string layoutName = "Model";
  PlotType plotType = PlotType::Extents;
  Point windowMin;  // plot window in display coordinates
  Point windowMax;
  std::string plotCfgName = "None";
  std::string canonicalMediaName;
  // Where the window lands on the paper: centred ("center the plot"), else from
  // the lower-left corner of the printable area moved by `plotOrigin` (paper
  // units, the device's pixels for the raster devices).
  bool centered = false;
  Point plotOrigin;
};

// Result of opening or saving a drawing.
struct FileResult {
  FileResult() = default;
  FileResult(bool success, std::string message = {}, std::string note = {})
      : ok(success), error(std::move(message)), warning(std::move(note)) {}
  bool ok = false;
  std::string error;    // clear message when !ok
  std::string warning;  // e.g. entities of unsupported kinds that were left out
};

// The working drawing of the process (acdbHostApplicationServices()->workingDatabase()).
AcDbDatabase& workingDrawing();
// Replaces the working drawing by an empty one (layer "0" only), or by `db`.
void newDrawing();
void adoptDrawing(std::unique_ptr<AcDbDatabase> db);
// Reads a DXF file (POSIX path) into a new working drawing. On failure the
// working drawing is unchanged and `error` says why.
FileResult openDrawing(const std::string& path);
// Writes the working drawing as DXF (POSIX path), replacing the file atomically.
FileResult saveDrawing(const std::string& path);
// The same on an explicit database.
FileResult readDxf(const std::string& path, AcDbDatabase& into);
FileResult writeDxf(const AcDbDatabase& db, const std::string& path);

// Layers in table order, and one by name (case-insensitive); nullptr if none.
std::vector<Layer> layers(const AcDbDatabase& db);
const Layer* findLayer(const AcDbDatabase& db, std::string_view name);
// Model-space entities in draw order (first is drawn first, i.e. at the back).
void forEachModelEntity(const AcDbDatabase& db, const std::function<void(const EntityView&)>& visit);
std::size_t modelEntityCount(const AcDbDatabase& db);

View& view(AcDbDatabase& db);
const View& view(const AcDbDatabase& db);
PageSetup& pageSetup(AcDbDatabase& db);
const PageSetup& pageSetup(const AcDbDatabase& db);

// Building drawings in code (tests, samples, benchmarks): adds a layer (or
// returns the existing one) and appends an entity to model space.
AcDbObjectId addLayer(AcDbDatabase& db, const Layer& layer);
AcDbObjectId addEntity(AcDbDatabase& db, const Shape& shape, std::string_view layer);
// The object with a handle (hexadecimal), or a null id.
AcDbObjectId idFromHandle(const AcDbDatabase& db, std::string_view handle);

// Windows path of the drawing (for "DWGNAME" and "DWGPREFIX").
void setDrawingPath(AcDbDatabase& db, const std::string& windowsPath);

// Test controls: make opening an object fail with `status` until cleared.
void refuseOpen(AcDbObjectId id, AcDb::OpenMode mode, Acad::ErrorStatus status);
void clearRefusals();

}  // namespace arx
