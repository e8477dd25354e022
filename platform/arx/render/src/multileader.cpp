// MULTILEADER: its leader lines with arrowheads and landings, and its MTEXT
// or block content, from the entity's context data.
#include <cmath>
#include <numbers>

#include "decoder.h"
#include "tag_reading.h"

namespace arx::render {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

struct LeaderLine {
  std::vector<Vec3> points;
};
struct LeaderBranch {
  Vec3 last, dogleg{1, 0, 0};
  double doglegLength = 0;
  bool hasLast = false;
  std::vector<LeaderLine> lines;
};

struct Content {
  std::vector<LeaderBranch> leaders;
  std::string text;
  Vec3 textLocation, textDirection{1, 0, 0}, textNormal{0, 0, 1};
  double textHeight = 0, textWidth = 0, arrowSize = 0, scale = 1;
  int attachment = 1;
  std::string_view textStyle, block;
  Vec3 blockLocation, blockScale{1, 1, 1};
  double blockRotation = 0;
  // Entity level (after the context).
  double entityArrowSize = 0;
  bool dogleg = true;
  long long leaderType = 1;
};

Content readContent(Tags e) {
  Content c;
  enum { Outside, InContext, InLeader, InLine } state = Outside;
  bool afterContext = false;
  for (size_t i = 1; i < e.size() && e[i].code != 0; ++i) {
    const int code = e[i].code;
    const std::string_view v = e[i].value;
    double x = 0;
    const bool num = parseNumber(v, x);
    auto set = [&](Vec3& p, int base) {
      if (!num) return;
      if (code == base) p.x = x;
      else if (code == base + 10) p.y = x;
      else p.z = x;
    };
    if (code == 300) state = InContext;
    else if (code == 301) state = Outside, afterContext = true;
    else if (code == 302 && state == InContext) {
      state = InLeader;
      c.leaders.emplace_back();
    } else if (code == 303 && state == InLeader) state = InContext;
    else if (code == 304 && state == InLeader) {
      state = InLine;
      c.leaders.back().lines.emplace_back();
    } else if (code == 305 && state == InLine) state = InLeader;
    else if (state == InLine && code == 10) c.leaders.back().lines.back().points.push_back({num ? x : 0, 0, 0});
    else if (state == InLine && (code == 20 || code == 30) && !c.leaders.back().lines.back().points.empty())
      set(c.leaders.back().lines.back().points.back(), 10);
    else if (state == InLeader) {
      LeaderBranch& b = c.leaders.back();
      if (code == 10 || code == 20 || code == 30) set(b.last, 10), b.hasLast = true;
      else if (code == 11 || code == 21 || code == 31) set(b.dogleg, 11);
      else if (code == 40 && num) b.doglegLength = x;
    } else if (state == InContext) {
      if (code == 40 && num) c.scale = x;
      else if (code == 41 && num) c.textHeight = x;
      else if (code == 140 && num) c.arrowSize = x;
      else if (code == 304) c.text = std::string(v);
      else if (code == 11 || code == 21 || code == 31) set(c.textNormal, 11);
      else if (code == 12 || code == 22 || code == 32) set(c.textLocation, 12);
      else if (code == 13 || code == 23 || code == 33) set(c.textDirection, 13);
      else if (code == 43 && num) c.textWidth = x;
      else if (code == 340) c.textStyle = v;
      else if (code == 341) c.block = v;
      else if (code == 15 || code == 25 || code == 35) set(c.blockLocation, 15);
      else if (code == 16 || code == 26 || code == 36) set(c.blockScale, 16);
      else if (code == 46 && num) c.blockRotation = x;
      else if (code == 171 && num && x >= 1 && x <= 9) c.attachment = static_cast<int>(x);
    } else if (afterContext) {
      if (code == 42 && num) c.entityArrowSize = x;
      else if (code == 291 && num) c.dogleg = x != 0;
      else if (code == 170 && num) c.leaderType = static_cast<long long>(x);
    }
  }
  return c;
}

}  // namespace

void Decoder::multileader(Tags e, const Context& c, const Style& s) {
  const Content content = readContent(e);
  const Pen pn = pen(s, e, c);
  const Matrix& m = c.toWorld;
  const double arrow = (content.arrowSize > 0 ? content.arrowSize : content.entityArrowSize) * m.planScale();
  if (content.leaderType != 0)
    for (const LeaderBranch& b : content.leaders) {
      for (const LeaderLine& line : b.lines) {
        if (!spend(static_cast<double>(line.points.size() + 1))) return;
        std::vector<Vec3> pts = line.points;
        if (b.hasLast) pts.push_back(b.last);
        if (pts.size() < 2) continue;
        Path path;
        for (const Vec3& p : pts) path.lineTo(m.plan(p));
        sink_.stroke(path, pn);
        arrowhead(m.plan(pts[0]), m.plan(pts[1]), arrow, s.paint);
      }
      if (content.dogleg && b.hasLast && b.doglegLength > 0) {
        Path landing;
        landing.lineTo(m.plan(b.last));
        landing.lineTo(m.plan(b.last + b.dogleg * b.doglegLength));
        sink_.stroke(landing, pn);
      }
    }
  if (!content.text.empty() && content.textHeight > 0) {
    MTextBox box;
    box.content = content.text;
    box.insert = content.textLocation;
    box.direction = content.textDirection;
    box.normal = content.textNormal;
    box.height = content.textHeight;
    box.width = content.textWidth;
    box.attachment = content.attachment;
    box.styleInfo = tables_.textStyleByHandle(content.textStyle);
    layoutMText(box, m, s, c);
  }
  if (!content.block.empty())
    if (const BlockInfo* block = tables_.blockByHandle(content.block)) {
      const Vec3 base{block->base[0], block->base[1], block->base[2]};
      const Matrix placement = m * translation(content.blockLocation) * rotationZ(content.blockRotation * kDegree) *
                               scaling(content.blockScale.x, content.blockScale.y, content.blockScale.z) *
                               translation(base * -1);
      Context inner;
      inner.toWorld = placement;
      inner.layer = s.layerName;
      inner.blockPaint = s.paint;
      inner.blockLinetype = s.linetype;
      inner.blockLineweight = s.lineweight;
      inner.depth = c.depth + 1;
      for (Tags child : splitEntities(block->entities)) {
        if (!spend(1) || inner.depth > 16) return;
        draw(child, inner);
      }
    }
}

}  // namespace arx::render
