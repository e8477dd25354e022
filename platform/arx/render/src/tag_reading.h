#pragma once
// Typed reading of an entity's groups: points, repeated groups, and a cursor
// for entities whose meaning follows the order of their groups (HATCH, MULTILEADER).
#include <vector>

#include "arx/render/tags.h"
#include "geometry.h"

namespace arx::render {

// The point of groups code, code+10, code+20 (first occurrence each).
Vec3 pointOf(Tags e, int code, Vec3 fallback = {});
// Every point of a repeated group code (x starts a point, y and z follow).
std::vector<Vec3> pointsOf(Tags e, int code);
// Every value of a repeated group code.
std::vector<double> numbersOf(Tags e, int code);

class TagCursor {
 public:
  explicit TagCursor(Tags tags) : tags_(tags) {}
  bool done() const { return i_ >= tags_.size() || (i_ > 0 && tags_[i_].code == 0); }
  int code() const { return done() ? -1 : tags_[i_].code; }
  std::string_view text() const { return done() ? std::string_view{} : tags_[i_].value; }
  double number(double fallback = 0) const;
  long long integer(long long fallback = 0) const;
  void next() { ++i_; }
  // The value of `code` when it is the current group (and moves on); otherwise the fallback.
  double take(int code, double fallback = 0);
  long long takeInteger(int code, long long fallback = 0);
  // A point from the current group x and the y (and z) that follow.
  Vec3 takePoint(int code);
  bool at(int code) const { return code == this->code(); }
  // Moves to the next group of `code`; false at the end.
  bool seek(int code);

 private:
  Tags tags_;
  size_t i_ = 0;
};

}  // namespace arx::render
