#pragma once
// The hatch record as text: "Field=Value" lines with the record's field
// names, for the host's input file, --set options and the printed result.
#include <string>
#include <vector>

#include "SchraffurRecord.h"

namespace hatchhost {

// The record and the storage its pointers refer to (pattern names).
class HostRecord {
 public:
  HostRecord();
  HostRecord(const HostRecord&) = delete;
  HostRecord& operator=(const HostRecord&) = delete;

  TSchraffurRecord& record() { return record_; }
  const std::vector<std::string>& patterns() const { return patterns_; }
  void setPatterns(std::vector<std::string> names);

  // Sets a field from its text; false with `error` set when the field is
  // unknown or the value does not fit it.
  bool set(const std::string& field, const std::string& value, std::string& error);
  // "Field=Value" (sets the field) or a blank or comment line (";" or "#").
  bool setLine(const std::string& line, std::string& error);
  // Every field as "Field=Value" lines, in record order.
  std::string text() const;

 private:
  TSchraffurRecord record_{};
  std::vector<std::string> patterns_;
  std::vector<char*> patternPointers_;
};

}  // namespace hatchhost
