#include "tag_reading.h"

namespace arx::render {

Vec3 pointOf(Tags e, int code, Vec3 fallback) {
  if (!findTag(e, code)) return fallback;
  return {numberOf(e, code, 0), numberOf(e, code + 10, 0), numberOf(e, code + 20, 0)};
}

std::vector<Vec3> pointsOf(Tags e, int code) {
  std::vector<Vec3> out;
  for (size_t i = 1; i < e.size() && e[i].code != 0; ++i) {
    double v = 0;
    const bool ok = parseNumber(e[i].value, v);
    if (e[i].code == code) out.push_back({ok ? v : 0, 0, 0});
    else if (!out.empty() && ok && e[i].code == code + 10) out.back().y = v;
    else if (!out.empty() && ok && e[i].code == code + 20) out.back().z = v;
  }
  return out;
}

std::vector<double> numbersOf(Tags e, int code) {
  std::vector<double> out;
  for (size_t i = 1; i < e.size() && e[i].code != 0; ++i) {
    double v = 0;
    if (e[i].code == code) out.push_back(parseNumber(e[i].value, v) ? v : 0);
  }
  return out;
}

double TagCursor::number(double fallback) const {
  double v = fallback;
  return !done() && parseNumber(tags_[i_].value, v) ? v : fallback;
}

long long TagCursor::integer(long long fallback) const {
  long long v = fallback;
  return !done() && parseInteger(tags_[i_].value, v) ? v : fallback;
}

double TagCursor::take(int c, double fallback) {
  if (!at(c)) return fallback;
  const double v = number(fallback);
  next();
  return v;
}

long long TagCursor::takeInteger(int c, long long fallback) {
  if (!at(c)) return fallback;
  const long long v = integer(fallback);
  next();
  return v;
}

Vec3 TagCursor::takePoint(int c) {
  Vec3 p;
  p.x = take(c);
  p.y = take(c + 10);
  p.z = take(c + 20);
  return p;
}

bool TagCursor::seek(int c) {
  while (!done() && code() != c) next();
  return !done();
}

}  // namespace arx::render
