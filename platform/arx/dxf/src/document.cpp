#include <algorithm>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <cmath>

#include "dxf/document.h"

namespace dxf {
namespace {

std::string_view trimmed(std::string_view s) {
  const std::size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

}  // namespace

std::string ReadError::text() const {
  if (line == 0) return reason;
  return reason + (binary ? " (byte " : " (line ") + std::to_string(line) + ")";
}

bool parseReal(std::string_view s, double& out) {
  const std::string_view t = trimmed(s);
  if (t.empty()) return false;
  const char* begin = t.data() + (t[0] == '+' ? 1 : 0);
  auto [end, ec] = std::from_chars(begin, t.data() + t.size(), out);
  return ec == std::errc() && end == t.data() + t.size() && std::isfinite(out);
}

bool parseInteger(std::string_view s, long long& out) {
  const std::string_view t = trimmed(s);
  if (t.empty()) return false;
  const char* begin = t.data() + (t[0] == '+' ? 1 : 0);
  auto [end, ec] = std::from_chars(begin, t.data() + t.size(), out);
  return ec == std::errc() && end == t.data() + t.size();
}

std::string formatReal(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  // A real keeps a decimal point, as DXF readers expect.
  if (text.find_first_of(".en") == std::string::npos) text += ".0";
  return text;
}

std::string_view Document::value(const Tag& t) const {
  if (t.size == 0) return {};
  return std::string_view(m_blocks[t.block].bytes.get() + t.offset, t.size);
}

long Document::find(const Record& r, int code, std::uint32_t from) const {
  for (std::uint32_t i = from; i < r.count; ++i)
    if (m_tags[r.first + i].code == code) return static_cast<long>(i);
  return -1;
}

std::optional<std::string_view> Document::text(const Record& r, int code) const {
  const long i = find(r, code);
  if (i < 0) return std::nullopt;
  return value(r, static_cast<std::uint32_t>(i));
}

double Document::real(const Record& r, int code, double fallback) const {
  double v = 0.0;
  const auto t = text(r, code);
  return t && parseReal(*t, v) ? v : fallback;
}

long long Document::integer(const Record& r, int code, long long fallback) const {
  long long v = 0;
  const auto t = text(r, code);
  return t && parseInteger(*t, v) ? v : fallback;
}

// Values go into blocks that grow from 64 KB to 4 MB; a longer value gets a block of its own.
Tag Document::store(int code, std::string_view value) {
  const std::size_t kBlock = std::min(std::size_t{64} << (10 + std::min<std::size_t>(m_blocks.size(), 6)), std::size_t{4} << 20);
  if (value.size() > UINT32_MAX) throw std::length_error("value too long");
  Tag tag{0, static_cast<std::uint32_t>(value.size()), static_cast<std::uint16_t>(code), 0};
  if (value.empty()) return tag;
  if (m_blocks.empty() || m_blocks.back().size - m_blocks.back().used < value.size()) {
    if (m_blocks.size() > UINT16_MAX) throw std::length_error("too many values");
    const std::size_t size = std::max(kBlock, value.size());
    m_blocks.push_back(Block{std::make_unique_for_overwrite<char[]>(size), size, 0});
  }
  Block& block = m_blocks.back();
  std::memcpy(block.bytes.get() + block.used, value.data(), value.size());
  tag.offset = static_cast<std::uint32_t>(block.used);
  tag.block = static_cast<std::uint16_t>(m_blocks.size() - 1);
  block.used += value.size();
  return tag;
}

Record Document::add(const TagList& tags, std::uint32_t line) {
  Record r{static_cast<std::uint32_t>(m_tags.size()), static_cast<std::uint32_t>(tags.size()), line};
  for (const auto& [code, value] : tags) m_tags.push_back(store(code, value));
  return r;
}

TagList Document::tags(const Record& r) const {
  TagList out;
  out.reserve(r.count);
  for (std::uint32_t i = 0; i < r.count; ++i) out.emplace_back(code(r, i), std::string(value(r, i)));
  return out;
}

Section* Document::section(std::string_view name) {
  for (Section& s : sections)
    if (s.name == name) return &s;
  return nullptr;
}

const Section* Document::section(std::string_view name) const {
  return const_cast<Document*>(this)->section(name);
}

long Document::headerVariable(std::string_view name) const {
  const Section* header = section("HEADER");
  if (!header) return -1;
  for (std::uint32_t i = 0; i + 1 < header->head.count; ++i)
    if (code(header->head, i) == 9 && trimmed(value(header->head, i)) == name) return static_cast<long>(i + 1);
  return -1;
}

}  // namespace dxf
