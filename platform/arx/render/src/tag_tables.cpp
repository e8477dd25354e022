#include "arx/render/tag_tables.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace arx::render {
namespace {

std::string upper(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
  return out;
}

template <class Map>
const typename Map::mapped_type* lookup(const Map& map, std::string_view name) {
  auto it = map.find(upper(name));
  return it == map.end() ? nullptr : &it->second;
}

// A group's number as an int, held to the int range (a drawing may claim anything).
int clampedInt(double v) { return static_cast<int>(std::clamp(v, -2147483648.0, 2147483647.0)); }
int clampedInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

void TagTables::read(Tags header, Tags tables, Tags blocks) {
  readHeader(header);
  readTables(tables);
  readBlocks(blocks);
}

void TagTables::readHeader(Tags s) {
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i].code != 9) continue;
    const std::string_view name = s[i].value;
    double v = 0;
    if (!parseNumber(s[i + 1].value, v)) continue;
    if (name == "$LTSCALE") header_.ltscale = v;
    else if (name == "$PDMODE") header_.pdmode = clampedInt(v);
    else if (name == "$PDSIZE") header_.pdsize = v;
    else if (name == "$DIMASZ") header_.dimasz = v;
    else if (name == "$DIMSCALE") header_.dimscale = v;
  }
}

void TagTables::readTables(Tags s) {
  for (Tags e : splitEntities(s)) {
    const std::string_view type = entityType(e);
    const std::string name = upper(textOf(e, 2));
    if (type == "LAYER") {
      LayerInfo l;
      const int colour = clampedInt(integerOf(e, 62, 7));
      l.colour = colour == INT32_MIN ? INT32_MAX : std::abs(colour);
      l.on = colour >= 0;
      l.trueColour = clampedInt(integerOf(e, 420, -1));
      l.linetype = std::string(textOf(e, 6, "CONTINUOUS"));
      l.lineweight = clampedInt(integerOf(e, 370, -3));
      l.frozen = integerOf(e, 70, 0) & 1;
      l.plottable = integerOf(e, 290, 1) != 0;
      layers_[name] = l;
    } else if (type == "LTYPE") {
      LinetypeInfo lt;
      for (size_t i = 1; i < e.size(); ++i) {
        double v = 0;
        if (e[i].code == 49 && parseNumber(e[i].value, v)) lt.dashes.push_back(v);
      }
      linetypes_[name] = lt;
    } else if (type == "STYLE") {
      TextStyleInfo st;
      st.fontFile = std::string(textOf(e, 3));
      st.height = numberOf(e, 40, 0);
      st.widthFactor = numberOf(e, 41, 1);
      st.obliqueDegrees = numberOf(e, 50, 0);
      st.generation = clampedInt(integerOf(e, 71, 0));
      // The TrueType family and flags in the ACAD extended data.
      for (size_t i = 1; i < e.size(); ++i)
        if (e[i].code == 1001 && e[i].value == "ACAD") {
          for (size_t k = i + 1; k < e.size() && e[k].code != 1001; ++k) {
            long long flags = 0;
            if (e[k].code == 1000 && st.family.empty()) st.family = std::string(e[k].value);
            if (e[k].code == 1071 && parseInteger(e[k].value, flags)) {
              st.italic = flags & 0x1000000;
              st.bold = flags & 0x2000000;
            }
          }
        }
      styles_[name] = st;
      styleHandles_[upper(textOf(e, 5))] = name;
    } else if (type == "DIMSTYLE") {
      dimstyles_[name] = {numberOf(e, 41, 0.18), numberOf(e, 40, 1)};
    } else if (type == "BLOCK_RECORD") {
      blockHandles_[upper(textOf(e, 5))] = name;
    }
  }
}

void TagTables::readBlocks(Tags s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i].code != 0 || s[i].value != "BLOCK") continue;
    size_t body = i + 1;
    while (body < s.size() && s[body].code != 0) ++body;
    size_t end = body;
    while (end < s.size() && !(s[end].code == 0 && s[end].value == "ENDBLK")) ++end;
    const Tags head = s.subspan(i, body - i);
    BlockInfo b;
    b.base[0] = numberOf(head, 10, 0), b.base[1] = numberOf(head, 20, 0), b.base[2] = numberOf(head, 30, 0);
    b.entities = s.subspan(body, end - body);
    blocks_[upper(textOf(head, 2))] = b;
    i = end;
  }
}

const LayerInfo* TagTables::layer(std::string_view n) const { return lookup(layers_, n); }
const LinetypeInfo* TagTables::linetype(std::string_view n) const { return lookup(linetypes_, n); }
const TextStyleInfo* TagTables::textStyle(std::string_view n) const { return lookup(styles_, n); }
const BlockInfo* TagTables::block(std::string_view n) const { return lookup(blocks_, n); }
const DimStyleInfo* TagTables::dimStyle(std::string_view n) const { return lookup(dimstyles_, n); }

const TextStyleInfo* TagTables::textStyleByHandle(std::string_view h) const {
  const std::string* name = lookup(styleHandles_, h);
  return name ? textStyle(*name) : nullptr;
}

const BlockInfo* TagTables::blockByHandle(std::string_view h) const {
  const std::string* name = lookup(blockHandles_, h);
  return name ? block(*name) : nullptr;
}

}  // namespace arx::render
