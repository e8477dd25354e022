#include "file/draw_order.h"

#include <algorithm>

#include "file/drawing_file.h"

namespace arx::file {
namespace {

constexpr const char* kSubclass = "AcDbSortentsTable";

// Index of the group after the table's subclass marker, or 0.
std::uint32_t bodyStart(const dxf::Document& doc, const dxf::Record& r) {
  for (std::uint32_t i = 1; i < r.count; ++i)
    if (doc.code(r, i) == 100 && doc.value(r, i) == kSubclass) return i + 1;
  return 0;
}

}  // namespace

std::optional<SortTable> findSortTable(const dxf::Document& doc, std::uint64_t space) {
  for (std::size_t s = 0; s < doc.sections.size(); ++s) {
    if (doc.sections[s].name != "OBJECTS") continue;
    const auto& records = doc.sections[s].records;
    for (std::uint32_t i = 0; i < records.size(); ++i) {
      const dxf::Record& r = records[i];
      if (doc.type(r) != "SORTENTSTABLE") continue;
      const std::uint32_t body = bodyStart(doc, r);
      if (!body || body >= r.count || doc.code(r, body) != 330 || parseHandle(doc.value(r, body)) != space) continue;
      SortTable table{static_cast<int>(s), i, {}};
      std::uint64_t entity = 0;
      for (std::uint32_t k = body + 1; k < r.count; ++k) {
        if (doc.code(r, k) == 331) entity = parseHandle(doc.value(r, k));
        else if (doc.code(r, k) == 5 && entity) table.sortHandles.emplace(entity, parseHandle(doc.value(r, k))), entity = 0;
      }
      return table;
    }
  }
  return std::nullopt;
}

std::vector<std::pair<std::uint64_t, std::uint64_t>> sortEntries(const std::vector<std::uint64_t>& order,
                                                                 const SortTable* table) {
  std::vector<std::uint64_t> keys;
  keys.reserve(order.size());
  for (std::uint64_t h : order) keys.push_back(table ? table->key(h) : h);
  std::sort(keys.begin(), keys.end());
  std::vector<std::pair<std::uint64_t, std::uint64_t>> entries;
  for (std::size_t i = 0; i < order.size(); ++i)
    if (keys[i] != order[i]) entries.emplace_back(order[i], keys[i]);
  return entries;
}

dxf::TagList withEntries(const dxf::Document& doc, const dxf::Record& table,
                         const std::vector<std::pair<std::uint64_t, std::uint64_t>>& entries) {
  const dxf::TagList old = doc.tags(table);
  const std::uint32_t body = bodyStart(doc, table);
  if (!body || body >= old.size()) return old;
  // The groups up to the block record stay, and extended data; the pairs are new.
  dxf::TagList tags(old.begin(), old.begin() + body + 1);
  for (const auto& [entity, key] : entries) tags.push_back({331, hexHandle(entity)}), tags.push_back({5, hexHandle(key)});
  for (std::size_t i = body + 1; i < old.size(); ++i)
    if (old[i].first >= 1000) tags.push_back(old[i]);
  return tags;
}

}  // namespace arx::file
