#pragma once
// A DXF file as its group code / value pairs, checked for structure.
#include <string>
#include <vector>

namespace arx::dxf {

struct Group {
  int code = 0;
  std::string value;
  int line = 0;  // line of the group code in the file, from 1
};

// One record: from a group 0 up to the next one.
struct Record {
  std::string type;      // value of the group 0 (upper case as in the file)
  std::string section;   // "HEADER", "TABLES", "BLOCKS", "ENTITIES", "OBJECTS", ...
  std::vector<const Group*> groups;  // after the group 0

  const std::string* value(int code) const;  // first group of that code, or nullptr
  double real(int code, double fallback) const;
  int integer(int code, int fallback) const;
};

// Splits and checks `text` (an ASCII DXF file). On failure `error` tells the
// line and the fault and false is returned.
bool readGroups(const std::string& text, std::vector<Group>& groups, std::string& error);
// The records of checked groups, with their section.
std::vector<Record> records(const std::vector<Group>& groups);

}  // namespace arx::dxf
