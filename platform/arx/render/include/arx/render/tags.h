#pragma once
// A DXF entity seen as its group codes and values, in file order. The values
// are views into text the caller owns (UTF-8); nothing here copies a drawing.
#include <span>
#include <string_view>
#include <vector>

namespace arx::render {

struct Tag {
  int code;
  std::string_view value;
};
using Tags = std::span<const Tag>;

// The entities of an entity section or block, in order. Each starts at its
// group 0; a POLYLINE and an INSERT followed by ATTRIBs keep their VERTEX or
// ATTRIB entities and the closing SEQEND in their own span.
std::vector<Tags> splitEntities(Tags tags);

// The parts of one entity from splitEntities: the entity's own groups first,
// then each VERTEX, ATTRIB and the SEQEND.
std::vector<Tags> entityParts(Tags entity);

// Group 0 of the entity ("LINE", "INSERT", ...), empty when there is none.
std::string_view entityType(Tags entity);

// Numbers as the drawing holds them: surrounding blanks allowed, nothing else.
// Values that are not numbers, or not finite, are refused.
bool parseNumber(std::string_view text, double& value);
bool parseInteger(std::string_view text, long long& value);

// The first tag of `code` in the entity's own groups (before any sub-entity).
const Tag* findTag(Tags entity, int code);
double numberOf(Tags entity, int code, double fallback);
long long integerOf(Tags entity, int code, long long fallback);
std::string_view textOf(Tags entity, int code, std::string_view fallback = {});

}  // namespace arx::render
