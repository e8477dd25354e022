#pragma once
// PackBits run-length coding of one row of bytes, as layered documents store
// their channels.
#include <cstddef>
#include <cstdint>
#include <string>

namespace photoshop::detail {

// Appends the packed form of `count` bytes to `out`; returns its length.
size_t PackRow(const uint8_t* bytes, size_t count, std::string& out);

// Unpacks `packed` into exactly `count` bytes; false when the data is short,
// overlong or malformed.
bool UnpackRow(const uint8_t* packed, size_t packedLength, uint8_t* out, size_t count);

}  // namespace photoshop::detail
