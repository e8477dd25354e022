#include "dxf/groups.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace arx::dxf {
namespace {

enum class Kind { Text, Real, Integer };

// The value type a group code carries.
Kind kindOf(int code) {
  auto in = [code](int a, int b) { return code >= a && code <= b; };
  if (in(10, 59) || in(110, 149) || in(210, 239) || in(460, 469) || in(1010, 1059)) return Kind::Real;
  if (in(60, 99) || in(160, 179) || in(270, 289) || in(290, 299) || in(370, 389) || in(400, 409) ||
      in(420, 429) || in(440, 459) || in(1060, 1071))
    return Kind::Integer;
  return Kind::Text;
}

std::string_view trimmed(std::string_view s) {
  const std::size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

bool parseInt(std::string_view s, long long& out) {
  const std::string_view t = trimmed(s);
  if (t.empty()) return false;
  const char* begin = t.data() + (t[0] == '+' ? 1 : 0);
  auto [end, ec] = std::from_chars(begin, t.data() + t.size(), out);
  return ec == std::errc() && end == t.data() + t.size();
}

bool parseReal(std::string_view s, double& out) {
  const std::string_view t = trimmed(s);
  if (t.empty()) return false;
  auto [end, ec] = std::from_chars(t.data() + (t[0] == '+' ? 1 : 0), t.data() + t.size(), out);
  return ec == std::errc() && end == t.data() + t.size() && std::isfinite(out);
}

std::string at(int line) { return "line " + std::to_string(line) + ": "; }

// Checks the value of a group against its code's type.
bool checkValue(const Group& g, std::string& error) {
  long long i = 0;
  double r = 0.0;
  switch (kindOf(g.code)) {
    case Kind::Real:
      if (parseReal(g.value, r)) return true;
      error = at(g.line + 1) + "number expected for group " + std::to_string(g.code) + ", found \"" + g.value + "\"";
      return false;
    case Kind::Integer:
      if (parseInt(g.value, i)) return true;
      error = at(g.line + 1) + "integer expected for group " + std::to_string(g.code) + ", found \"" + g.value + "\"";
      return false;
    default:
      return true;
  }
}

// Sections open and close in pairs, and the file ends with EOF.
bool checkStructure(const std::vector<Group>& groups, std::string& error) {
  bool inSection = false;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const Group& g = groups[i];
    if (g.code != 0) continue;
    const std::string_view type = trimmed(g.value);
    if (type == "SECTION") {
      if (inSection) {
        error = at(g.line) + "SECTION inside a section (ENDSEC missing)";
        return false;
      }
      if (i + 1 >= groups.size() || groups[i + 1].code != 2) {
        error = at(g.line) + "SECTION without a name";
        return false;
      }
      inSection = true;
    } else if (type == "ENDSEC") {
      if (!inSection) {
        error = at(g.line) + "ENDSEC without SECTION";
        return false;
      }
      inSection = false;
    } else if (type == "EOF") {
      if (inSection) {
        error = at(g.line) + "end of file inside a section";
        return false;
      }
      return true;
    } else if (!inSection) {
      error = at(g.line) + "\"" + std::string(type) + "\" outside any section";
      return false;
    }
  }
  error = "the file is truncated: the end-of-file marker is missing";
  return false;
}

}  // namespace

const std::string* Record::value(int code) const {
  for (const Group* g : groups)
    if (g->code == code) return &g->value;
  return nullptr;
}

double Record::real(int code, double fallback) const {
  const std::string* v = value(code);
  double r = 0.0;
  return v && parseReal(*v, r) ? r : fallback;
}

int Record::integer(int code, int fallback) const {
  const std::string* v = value(code);
  long long i = 0;
  return v && parseInt(*v, i) ? static_cast<int>(i) : fallback;
}

bool readGroups(const std::string& text, std::vector<Group>& groups, std::string& error) {
  groups.clear();
  if (text.rfind("AutoCAD Binary DXF", 0) == 0) {
    error = "binary DXF files are not supported; save the drawing as ASCII DXF";
    return false;
  }
  if (trimmed(std::string_view(text)).empty()) {
    error = "the file is empty";
    return false;
  }
  std::size_t pos = 0;
  int line = 0;
  const std::string_view all(text);
  groups.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) / 2 + 1);
  auto nextLine = [&](std::string_view& out) {
    if (pos >= all.size()) return false;
    std::size_t end = all.find('\n', pos);
    if (end == std::string_view::npos) end = all.size();
    out = all.substr(pos, end - pos);
    if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
    pos = end + 1;
    ++line;
    return true;
  };
  std::string_view codeLine, valueLine;
  while (nextLine(codeLine)) {
    if (trimmed(codeLine).empty() && pos >= text.size()) break;  // blank last line
    long long code = 0;
    if (!parseInt(codeLine, code) || code < -5 || code > 1071) {
      error = at(line) + "group code expected, found \"" + std::string(codeLine.substr(0, 40)) + "\"";
      return false;
    }
    const int codeLineNo = line;
    if (!nextLine(valueLine)) {
      error = at(codeLineNo) + "the file is truncated: value of group " + std::to_string(code) + " missing";
      return false;
    }
    Group g{static_cast<int>(code), std::string(code == 0 || code == 2 ? trimmed(valueLine) : valueLine), codeLineNo};
    if (!checkValue(g, error)) return false;
    groups.push_back(std::move(g));
    if (groups.back().code == 0 && groups.back().value == "EOF") break;
  }
  return checkStructure(groups, error);
}

std::vector<Record> records(const std::vector<Group>& groups) {
  std::vector<Record> out;
  std::string section;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const Group& g = groups[i];
    if (g.code == 0) {
      if (g.value == "SECTION" && i + 1 < groups.size()) section = groups[i + 1].value;
      out.push_back(Record{g.value, section, {}});
      if (g.value == "ENDSEC") section.clear();
    } else if (!out.empty()) {
      out.back().groups.push_back(&g);
    }
  }
  return out;
}

}  // namespace arx::dxf
