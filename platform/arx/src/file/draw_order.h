#pragma once
// The draw order of model space as the drawing file keeps it: entities are
// drawn in the order of their sort handles, which the space's sort table
// (SORTENTSTABLE, in the space's extension dictionary under "ACAD_SORTENTS")
// gives where it differs from the entity's own handle. Without a table the
// file's order is the draw order.
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "dxf/document.h"

namespace arx::file {

struct SortTable {
  int section = -1;
  std::uint32_t record = 0;
  std::unordered_map<std::uint64_t, std::uint64_t> sortHandles;  // entity -> sort handle
  // The entity's sort handle; a sort handle of 0 draws the entity last.
  std::uint64_t key(std::uint64_t entity) const {
    auto it = sortHandles.find(entity);
    if (it == sortHandles.end()) return entity;
    return it->second ? it->second : UINT64_MAX;
  }
};

// The sort table of the block record `space` (its handle), if the file has one.
std::optional<SortTable> findSortTable(const dxf::Document& doc, std::uint64_t space);

// Entity -> sort handle pairs that make the sort handles give `order` (entity
// handles in draw order): the entities' present keys, sorted, handed out in
// that order. Only entities whose key differs from their handle are listed.
std::vector<std::pair<std::uint64_t, std::uint64_t>> sortEntries(const std::vector<std::uint64_t>& order,
                                                                 const SortTable* table);

// The table's record with its entries replaced.
dxf::TagList withEntries(const dxf::Document& doc, const dxf::Record& table,
                         const std::vector<std::pair<std::uint64_t, std::uint64_t>>& entries);

}  // namespace arx::file
