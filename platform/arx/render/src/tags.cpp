#include "arx/render/tags.h"

#include <charconv>
#include <cmath>

namespace arx::render {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool isSubEntity(std::string_view type) { return type == "VERTEX" || type == "ATTRIB" || type == "SEQEND"; }

}  // namespace

bool parseNumber(std::string_view text, double& value) {
  text = trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool parseInteger(std::string_view text, long long& value) {
  text = trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec == std::errc() && end == text.data() + text.size() && !text.empty()) {
    value = v;
    return true;
  }
  // Some writers put integers as reals ("1.0").
  double d = 0;
  if (!parseNumber(text, d) || std::abs(d) > 9e18 || d != std::floor(d)) return false;
  value = static_cast<long long>(d);
  return true;
}

std::vector<Tags> splitEntities(Tags tags) {
  std::vector<Tags> out;
  size_t i = 0;
  while (i < tags.size() && tags[i].code != 0) ++i;
  while (i < tags.size()) {
    const size_t start = i++;
    const std::string_view type = trim(tags[start].value);
    bool complex = type == "POLYLINE";
    while (i < tags.size() && tags[i].code != 0) {
      if (type == "INSERT" && tags[i].code == 66 && trim(tags[i].value) == "1") complex = true;
      ++i;
    }
    // The sub-entities up to and including SEQEND belong to this entity.
    if (complex) {
      while (i < tags.size() && isSubEntity(trim(tags[i].value))) {
        const bool end = trim(tags[i].value) == "SEQEND";
        ++i;
        while (i < tags.size() && tags[i].code != 0) ++i;
        if (end) break;
      }
    }
    out.push_back(tags.subspan(start, i - start));
  }
  return out;
}

std::vector<Tags> entityParts(Tags entity) {
  std::vector<Tags> out;
  size_t start = 0;
  for (size_t i = 1; i <= entity.size(); ++i)
    if (i == entity.size() || entity[i].code == 0) {
      out.push_back(entity.subspan(start, i - start));
      start = i;
    }
  return out;
}

std::string_view entityType(Tags entity) {
  return !entity.empty() && entity[0].code == 0 ? trim(entity[0].value) : std::string_view{};
}

const Tag* findTag(Tags entity, int code) {
  for (size_t i = 1; i < entity.size(); ++i) {
    if (entity[i].code == 0) break;
    if (entity[i].code == code) return &entity[i];
  }
  if (!entity.empty() && entity[0].code == code) return &entity[0];
  return nullptr;
}

double numberOf(Tags entity, int code, double fallback) {
  const Tag* t = findTag(entity, code);
  double v = fallback;
  return t && parseNumber(t->value, v) ? v : fallback;
}

long long integerOf(Tags entity, int code, long long fallback) {
  const Tag* t = findTag(entity, code);
  long long v = fallback;
  return t && parseInteger(t->value, v) ? v : fallback;
}

std::string_view textOf(Tags entity, int code, std::string_view fallback) {
  const Tag* t = findTag(entity, code);
  return t ? t->value : fallback;
}

}  // namespace arx::render
