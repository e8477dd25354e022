#pragma once
// Changing a record of the file: only groups whose values differ are rewritten.
#include <optional>
#include <string>

#include "dxf/document.h"

namespace arx::file {

class Patch {
 public:
  Patch(dxf::Document& doc, const dxf::Record& record) : m_doc(doc), m_record(record) {}

  // The first group `code` (from the subclass `subclass` on, when given)
  // gets the value; when there is none, one is put after the group `after`
  // (or before the extended data).
  void real(int code, double value, int after = -1, const char* subclass = nullptr);
  void integer(int code, long long value, int after = -1, const char* subclass = nullptr);
  void text(int code, const std::string& value, int after = -1, const char* subclass = nullptr);
  // Removes every group `code` of the record.
  void removeAll(int code);
  // Replaces the groups [begin, end) by `groups`.
  void replace(std::size_t begin, std::size_t end, const dxf::TagList& groups);

  dxf::TagList& tags();
  bool changed() const { return m_tags.has_value(); }
  // The record to write: the original one when nothing changed.
  dxf::Record result();

 private:
  long position(int code, const char* subclass);
  void set(long index, int code, std::string value, int after);

  dxf::Document& m_doc;
  dxf::Record m_record;
  std::optional<dxf::TagList> m_tags;
};

}  // namespace arx::file
