#pragma once
// Turns an entity's tags into what a sink draws: resolves its layer, colour,
// linetype and lineweight, places it through its object coordinate system
// and the block references around it, and decodes its geometry.
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "arx/render/render.h"
#include "sink.h"

namespace arx::render {

// What a block reference hands to the entities of its block.
struct Context {
  Matrix toWorld;                    // entity coordinates -> world
  std::string_view layer;            // the layer entities on layer 0 take (empty at the top)
  Paint blockPaint;                  // BYBLOCK colour
  std::string_view blockLinetype = "CONTINUOUS";
  int blockLineweight = -3;
  double blockAlpha = 1;
  int depth = 0;
};

// The properties of one entity as drawn.
struct Style {
  std::string_view layerName;
  const LayerInfo* layer = nullptr;
  Paint paint;
  Pen pen;
  std::string_view linetype;  // resolved name
  int lineweight = -3;        // resolved, hundredths of a mm
};

class Decoder {
 public:
  Decoder(const DrawingTables& tables, Sink& sink);
  // Draws one entity (with its sub-entities) of model space.
  void draw(Tags entity);
  void draw(Tags entity, const Context& context);
  // The world region of interest (page, window); null when all of the world is.
  std::optional<Box> region;
  // Which layers' entities count.
  Layers layers = Layers::Plotted;
  // Whether the work this decoder may do for all its entities is spent, so
  // that what came after was left out.
  bool exhausted() const { return exhausted_; }

 private:
  std::optional<Style> style(Tags e, const Context& c) const;
  Pen pen(const Style& s, Tags e, const Context& c) const;
  bool spend(double units);

  void line(Tags e, const Context& c, const Style& s);
  void infiniteLine(Tags e, const Context& c, const Style& s, bool ray);
  void point(Tags e, const Context& c, const Style& s);
  void circle(Tags e, const Context& c, const Style& s, bool arc);
  void ellipse(Tags e, const Context& c, const Style& s);
  void spline(Tags e, const Context& c, const Style& s);
  void lwpolyline(Tags e, const Context& c, const Style& s);
  void polyline(Tags e, const Context& c, const Style& s);
  void solid(Tags e, const Context& c, const Style& s);
  void face(Tags e, const Context& c, const Style& s);
  void insert(Tags e, const Context& c, const Style& s);
  void blockOf(Tags e, const Context& c, const Style& s, std::string_view name, const Matrix& placement);
  void leader(Tags e, const Context& c, const Style& s);
  void multileader(Tags e, const Context& c, const Style& s);
  void hatch(Tags e, const Context& c, const Style& s);
  void image(Tags e, const Context& c, const Style& s, bool wipeout);
  void text(Tags e, const Context& c, const Style& s);
  void mtext(Tags e, const Context& c, const Style& s);

  // Shared pieces.
  struct Vertex {
    Vec3 p;
    double startWidth = 0, endWidth = 0, bulge = 0;
  };
  void polylinePath(const std::vector<Vertex>& vertices, bool closed, const Matrix& m, const Pen& pen,
                    double constantWidth);
  void widePolyline(const std::vector<Vertex>& vertices, bool closed, const Matrix& m, const Paint& paint);
  void arrowhead(Vec2 tip, Vec2 from, double size, const Paint& paint);
  struct MTextBox {
    std::string content;
    Vec3 insert, direction{1, 0, 0}, normal{0, 0, 1};
    double height = 1, width = 0, rotation = 0, lineSpacing = 1;
    int attachment = 1;
    std::string_view styleName;
    const TextStyleInfo* styleInfo = nullptr;
  };
  void layoutMText(const MTextBox& box, const Matrix& m, const Style& s, const Context& c);

  const DrawingTables& tables_;
  Sink& sink_;
  double budget_ = 0;
  long instances_ = 0;
  double totalBudget_ = 0;
  long totalInstances_ = 0;
  long totalDraws_ = 0;
  bool exhausted_ = false;
  // Each block's entities, split once.
  std::unordered_map<const BlockInfo*, std::vector<Tags>> blockEntities_;
  std::map<std::string, std::optional<Box>, std::less<>> blockBoxes_;
};

// The paint of an ACI colour (7 plots black on the white page).
Paint aciPaint(long long aci);
// The box around a block's content in block coordinates (cached by caller).
std::optional<Box> blockExtents(const DrawingTables& tables, const BlockInfo& block, int depth);

}  // namespace arx::render
