#include "tag_drawing.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace arx::render {
namespace {

// The sections of the file: name -> tags between SECTION/name and ENDSEC.
std::map<std::string, Tags> sections(Tags tags) {
  std::map<std::string, Tags> out;
  for (size_t i = 0; i + 1 < tags.size(); ++i) {
    if (tags[i].code != 0 || tags[i].value != "SECTION" || tags[i + 1].code != 2) continue;
    const size_t start = i + 2;
    size_t end = start;
    while (end < tags.size() && !(tags[end].code == 0 && tags[end].value == "ENDSEC")) ++end;
    out[std::string(tags[i + 1].value)] = tags.subspan(start, end - start);
    i = end;
  }
  return out;
}

}  // namespace

bool readTags(const std::string& text, std::vector<Tag>& tags) {
  tags.clear();
  size_t pos = 0;
  auto line = [&](std::string_view& out) {
    if (pos >= text.size()) return false;
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    out = std::string_view(text).substr(pos, end - pos);
    if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
    pos = end + 1;
    return true;
  };
  std::string_view code, value;
  while (line(code) && line(value)) {
    long long c = 0;
    if (!parseInteger(code, c)) return false;
    tags.push_back({static_cast<int>(c), value});
    if (c == 0 && value == "EOF") break;
  }
  return !tags.empty();
}

bool TagDrawing::loadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return in && load(s.str());
}

bool TagDrawing::load(std::string text) {
  text_ = std::move(text);
  if (!readTags(text_, tags_)) return false;
  auto all = sections(tags_);
  read(all["HEADER"], all["TABLES"], all["BLOCKS"]);
  if (all.count("ENTITIES")) entities_ = splitEntities(all["ENTITIES"]);
  if (all.count("OBJECTS")) objects_ = splitEntities(all["OBJECTS"]);
  return true;
}

cairo_surface_t* TagDrawing::picture(std::string_view h, bool) const {
  auto it = pictures.find(std::string(h));
  return it == pictures.end() ? nullptr : it->second;
}

std::vector<Tags> TagDrawing::objects(std::string_view type) const {
  std::vector<Tags> out;
  for (Tags o : objects_)
    if (entityType(o) == type) out.push_back(o);
  return out;
}

}  // namespace arx::render
