// PackBits rows: what is packed unpacks to the same bytes, within the
// format's bound, and damaged data is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../src/packbits.h"

namespace {

using photoshop::detail::PackRow;
using photoshop::detail::UnpackRow;

std::vector<uint8_t> Bytes(std::initializer_list<std::pair<int, uint8_t>> runs) {
  std::vector<uint8_t> bytes;
  for (auto [count, value] : runs) bytes.insert(bytes.end(), count, value);
  return bytes;
}

std::vector<uint8_t> Alternating(size_t n) {
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 1);
  return bytes;
}

TEST(PackBits, EveryRowUnpacksToItsBytesWithinTheBound) {
  struct Case {
    const char* name;
    std::vector<uint8_t> row;
    size_t packedAtMost;
  } cases[] = {
      {"one byte", Bytes({{1, 7}}), 2},
      {"a pair", Bytes({{2, 7}}), 2},
      {"a run of 128", Bytes({{128, 255}}), 2},
      {"a run of 129", Bytes({{129, 255}}), 4},
      {"a page-wide white row", Bytes({{6622, 255}}), 2 * (6622 / 128 + 1)},
      {"128 different bytes", Alternating(128), 129},
      {"300 different bytes", Alternating(300), 303},
      {"runs inside literals", Bytes({{3, 1}, {1, 2}, {2, 3}, {1, 4}, {140, 0}, {1, 9}}), 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string packed = "x";  // appended to what is there
    const size_t length = PackRow(c.row.data(), c.row.size(), packed);
    EXPECT_EQ(length, packed.size() - 1);
    EXPECT_LE(length, c.packedAtMost);
    std::vector<uint8_t> back(c.row.size());
    ASSERT_TRUE(UnpackRow(reinterpret_cast<const uint8_t*>(packed.data()) + 1, length, back.data(), back.size()));
    EXPECT_EQ(back, c.row);
  }
}

TEST(PackBits, DamagedRowsAreRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> packed;
    size_t count;
  } cases[] = {
      {"too short for the row", {0x02, 1, 2, 3}, 5},
      {"a literal running past the data", {0x05, 1, 2}, 6},
      {"a run past the row", {0xFD, 9}, 3},
      {"bytes left over", {0x00, 1, 0x00, 2}, 1},
      {"a repeat without its byte", {0xFE}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> out(c.count);
    EXPECT_FALSE(UnpackRow(c.packed.data(), c.packed.size(), out.data(), out.size()));
  }
}

}  // namespace
