#include "packbits.h"

#include <cstring>

namespace photoshop::detail {
namespace {

// Length of the run of equal bytes starting at `i`, at most 128.
size_t RunAt(const uint8_t* bytes, size_t count, size_t i) {
  size_t n = 1;
  while (i + n < count && n < 128 && bytes[i + n] == bytes[i]) ++n;
  return n;
}

}  // namespace

size_t PackRow(const uint8_t* bytes, size_t count, std::string& out) {
  const size_t start = out.size();
  size_t i = 0;
  while (i < count) {
    const size_t run = RunAt(bytes, count, i);
    if (run >= 2) {  // a repeat: 257 - n, then the byte
      out.push_back(static_cast<char>(257 - run));
      out.push_back(static_cast<char>(bytes[i]));
      i += run;
      continue;
    }
    // A literal stretch up to the next run of three or more (a pair inside a
    // literal costs no more than a run of its own).
    size_t end = i + 1;
    while (end < count && end - i < 128 && RunAt(bytes, count, end) < 3) ++end;
    out.push_back(static_cast<char>(end - i - 1));
    out.append(reinterpret_cast<const char*>(bytes + i), end - i);
    i = end;
  }
  return out.size() - start;
}

bool UnpackRow(const uint8_t* packed, size_t packedLength, uint8_t* out, size_t count) {
  size_t in = 0, written = 0;
  while (written < count) {
    if (in >= packedLength) return false;
    const int header = static_cast<int8_t>(packed[in++]);
    if (header == -128) continue;  // no operation
    if (header >= 0) {
      const size_t n = static_cast<size_t>(header) + 1;
      if (in + n > packedLength || written + n > count) return false;
      std::memcpy(out + written, packed + in, n);
      in += n;
      written += n;
    } else {
      const size_t n = static_cast<size_t>(1 - header);
      if (in >= packedLength || written + n > count) return false;
      std::memset(out + written, packed[in++], n);
      written += n;
    }
  }
  return in == packedLength;
}

}  // namespace photoshop::detail
