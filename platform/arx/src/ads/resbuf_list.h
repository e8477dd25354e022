#pragma once
// Internal helpers over result-buffer lists.
#include "adslib.h"

namespace arx::detail {

enum class ValueKind { None, String, Real, Point, Short, Long, Name, Unknown };

// What value a node of type `restype` carries (LISP types and DXF group codes).
ValueKind valueKind(int restype);
// A deep copy of the list (strings included); nullptr for an empty list or
// when memory runs out.
resbuf* copyList(const resbuf* list);

}  // namespace arx::detail
