#pragma once
// Small drawings written compactly for tests: "0 LINE|8 0|10 5|..." is one
// group code and value per pair, pairs separated by '|'.
#include <string>

namespace arx::render::testing {

// Compact groups -> DXF text.
inline std::string dxfText(const std::string& compact) {
  std::string out;
  size_t start = 0;
  while (start <= compact.size()) {
    size_t end = compact.find('|', start);
    if (end == std::string::npos) end = compact.size();
    const std::string pair = compact.substr(start, end - start);
    if (!pair.empty()) {
      const size_t space = pair.find(' ');
      out += pair.substr(0, space) + "\n" + (space == std::string::npos ? "" : pair.substr(space + 1)) + "\n";
    }
    start = end + 1;
  }
  return out;
}

struct Sections {
  std::string header, tables, blocks, entities, objects;
};

// A DXF file of the sections' compact groups (an empty OBJECTS section is left out).
inline std::string dxfFile(const Sections& s) {
  auto section = [](const char* name, const std::string& body) {
    return "0 SECTION|2 " + std::string(name) + "|" + body + "|0 ENDSEC|";
  };
  return dxfText(section("HEADER", s.header) + section("TABLES", s.tables) + section("BLOCKS", s.blocks) +
                 section("ENTITIES", s.entities) + (s.objects.empty() ? "" : section("OBJECTS", s.objects)) + "0 EOF");
}

}  // namespace arx::render::testing
