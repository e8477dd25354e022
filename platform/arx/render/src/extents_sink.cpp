#include "extents_sink.h"

#include "arx/render/clip.h"

#include <algorithm>
#include <cmath>

namespace arx::render {
namespace {

bool segmentMeets(Vec2 a, Vec2 b, const Box& w) {
  Vec2 p, q;
  return clipSegment(a, b, ClipBox{w.minX, w.minY, w.maxX, w.maxY}, p, q);
}

bool inside(Vec2 p, const std::vector<Vec2>& loop) {
  bool in = false;
  for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
    const Vec2 a = loop[i], b = loop[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

std::vector<Vec2> textBox(const TextRun& run) {
  std::vector<Vec2> box;
  for (Vec2 p : {Vec2{0, -run.descent}, Vec2{run.advance, -run.descent}, Vec2{run.advance, run.ascent},
                 Vec2{0, run.ascent}})
    box.push_back(run.toWorld.apply(p));
  return box;
}

}  // namespace

void ExtentsSink::points(const std::vector<Vec2>& pts, bool) {
  for (Vec2 p : pts) {
    if (!finite(p)) continue;
    minX_ = std::min(minX_, p.x), maxX_ = std::max(maxX_, p.x);
    minY_ = std::min(minY_, p.y), maxY_ = std::max(maxY_, p.y);
  }
}

std::optional<Box> ExtentsSink::box() const {
  if (!(minX_ <= maxX_ && minY_ <= maxY_)) return std::nullopt;
  return Box{minX_, minY_, maxX_, maxY_};
}

void ExtentsSink::stroke(const Path& path, const Pen&) { points(flatten(path, 0, 64), false); }

void ExtentsSink::fill(const std::vector<Path>& loops, const Paint&) {
  for (const Path& loop : loops) points(flatten(loop, 0, 64), true);
}

void ExtentsSink::text(const TextRun& run, const Paint&) { points(textBox(run), true); }

void ExtentsSink::picture(cairo_surface_t*, Vec2, Vec2, Vec2, const std::vector<Vec2>& clip, const Paint&) {
  points(clip, true);
}

void ExtentsSink::wipeout(const std::vector<Vec2>& loop) { points(loop, true); }

void CrossingSink::points(const std::vector<Vec2>& world, bool area) {
  if (found_ || world.empty()) return;
  std::vector<Vec2> pts;
  pts.reserve(world.size());
  for (Vec2 p : world) pts.push_back(toWindow_.apply(p));
  for (size_t i = 0; i + 1 < pts.size() && !found_; ++i) found_ = segmentMeets(pts[i], pts[i + 1], w_);
  if (pts.size() == 1) found_ = segmentMeets(pts[0], pts[0], w_);
  // An area around the whole window.
  if (!found_ && area && pts.size() >= 3) {
    found_ = segmentMeets(pts.back(), pts.front(), w_) || inside({w_.minX, w_.minY}, pts);
  }
}

void CrossingSink::picture(cairo_surface_t*, Vec2, Vec2, Vec2, const std::vector<Vec2>& clip, const Paint&) {
  if (clip.empty()) return;
  std::vector<Vec2> outline = clip;
  outline.push_back(clip.front());
  points(outline, false);
}

}  // namespace arx::render
