#include "record_text.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>

namespace hatchhost {
namespace {

enum class Kind { Int, Bool, Double, Text, List };

struct Field {
  const char* name;
  Kind kind;
  int TSchraffurRecord::*intField;
  double TSchraffurRecord::*doubleField;
};

const Field kFields[] = {
    {"HelpEnabled", Kind::Bool, &TSchraffurRecord::HelpEnabled, nullptr},
    {"Action", Kind::Int, &TSchraffurRecord::Action, nullptr},
    {"ExitReason", Kind::Int, &TSchraffurRecord::ExitReason, nullptr},
    {"CustomPattern", Kind::Text, nullptr, nullptr},
    {"PatternName", Kind::Text, nullptr, nullptr},
    {"Scale", Kind::Double, nullptr, &TSchraffurRecord::Scale},
    {"Angle", Kind::Double, nullptr, &TSchraffurRecord::Angle},
    {"Spacing", Kind::Double, nullptr, &TSchraffurRecord::Spacing},
    {"PatternType", Kind::Int, &TSchraffurRecord::PatternType, nullptr},
    {"DoubleHatch", Kind::Bool, &TSchraffurRecord::DoubleHatch, nullptr},
    {"Associative", Kind::Bool, &TSchraffurRecord::Associative, nullptr},
    {"Origin", Kind::Bool, &TSchraffurRecord::Origin, nullptr},
    {"PatternList", Kind::List, nullptr, nullptr},
    {"BoundaryDefined", Kind::Bool, &TSchraffurRecord::BoundaryDefined, nullptr},
    {"HatchStyle", Kind::Int, &TSchraffurRecord::HatchStyle, nullptr},
    {"FromBoundary", Kind::Bool, &TSchraffurRecord::FromBoundary, nullptr},
    {"IslandDetection", Kind::Bool, &TSchraffurRecord::IslandDetection, nullptr},
    {"SavedHatchStyle", Kind::Int, &TSchraffurRecord::SavedHatchStyle, nullptr},
    {"SavedFromBoundary", Kind::Bool, &TSchraffurRecord::SavedFromBoundary, nullptr},
    {"SavedIslandDetection", Kind::Bool, &TSchraffurRecord::SavedIslandDetection, nullptr},
    {"NewBoundary", Kind::Bool, &TSchraffurRecord::NewBoundary, nullptr},
    {"BoundaryCount", Kind::Int, &TSchraffurRecord::BoundaryCount, nullptr}};

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

template <class T>
bool ParseNumber(const std::string& text, T& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> names;
  std::stringstream in(text);
  for (std::string name; std::getline(in, name, ',');)
    if (!Trim(name).empty()) names.push_back(Trim(name));
  return names;
}

char* TextField(TSchraffurRecord& r, const std::string& name) {
  return name == "CustomPattern" ? r.CustomPattern : r.PatternName;
}

std::string FormatDouble(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

}  // namespace

HostRecord::HostRecord() {
  record_.HelpEnabled = TRUE;
  record_.Scale = 1.0;
  record_.Spacing = 1.0;
  record_.Associative = TRUE;
  setPatterns({"ANSI31", "ANSI32", "ANSI37", "NET", "ESCHER"});
}

void HostRecord::setPatterns(std::vector<std::string> names) {
  patterns_ = std::move(names);
  patternPointers_.clear();
  for (auto& name : patterns_) patternPointers_.push_back(name.data());
  patternPointers_.push_back(nullptr);
  record_.PatternList = patternPointers_.data();
}

bool HostRecord::set(const std::string& name, const std::string& value, std::string& error) {
  for (const Field& f : kFields) {
    if (name != f.name) continue;
    bool ok = true;
    switch (f.kind) {
      case Kind::Int: ok = ParseNumber(value, record_.*f.intField); break;
      case Kind::Bool:
        ok = value == "0" || value == "1";
        record_.*f.intField = value == "1";
        break;
      case Kind::Double: ok = ParseNumber(value, record_.*f.doubleField); break;
      case Kind::Text:
        ok = value.size() < sizeof record_.CustomPattern;
        if (ok) std::strcpy(TextField(record_, name), value.c_str());
        break;
      case Kind::List: setPatterns(SplitList(value)); break;
    }
    if (!ok) error = "bad value for " + name + ": " + value;
    return ok;
  }
  error = "unknown field " + name;
  return false;
}

bool HostRecord::setLine(const std::string& line, std::string& error) {
  const std::string text = Trim(line);
  if (text.empty() || text[0] == ';' || text[0] == '#') return true;
  const size_t equals = text.find('=');
  if (equals == std::string::npos) {
    error = "expected Field=Value: " + text;
    return false;
  }
  return set(Trim(text.substr(0, equals)), Trim(text.substr(equals + 1)), error);
}

std::string HostRecord::text() const {
  std::string out;
  TSchraffurRecord& r = const_cast<TSchraffurRecord&>(record_);
  for (const Field& f : kFields) {
    out += std::string(f.name) + "=";
    switch (f.kind) {
      case Kind::Int:
      case Kind::Bool: out += std::to_string(r.*f.intField); break;
      case Kind::Double: out += FormatDouble(r.*f.doubleField); break;
      case Kind::Text: out += std::string(TextField(r, f.name), strnlen(TextField(r, f.name), 1024)); break;
      case Kind::List:
        for (size_t i = 0; i < patterns_.size(); ++i) out += (i ? "," : "") + patterns_[i];
        break;
    }
    out += "\n";
  }
  return out;
}

}  // namespace hatchhost
