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
  const Block& block = m_blocks[t.block];
  return std::string_view(block.bytes.get() + t.offset, t.size == Tag::kLong ? block.used : t.size);
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

// Values go into blocks that grow from 64 KB to 1 MB; a long value gets a block of its own.
Tag Document::store(int code, std::string_view value) {
  constexpr std::size_t kLargest = std::size_t{1} << 20;
  const std::size_t kBlock = std::min(std::size_t{64} << (10 + std::min<std::size_t>(m_blocks.size(), 4)), kLargest);
  Tag tag;
  tag.code = static_cast<std::uint64_t>(code);
  if (value.empty()) return tag;
  const bool own = value.size() >= Tag::kLong;
  tag.size = own ? Tag::kLong : value.size();
  constexpr std::size_t kShort = 24, kSlots = std::size_t{1} << 16;
  Tag* recent = nullptr;
  if (value.size() <= kShort) {
    if (m_recent.empty()) m_recent.resize(kSlots);
    recent = &m_recent[std::hash<std::string_view>()(value) & (kSlots - 1)];
    if (recent->size == value.size() && this->value(*recent) == value) {
      tag.offset = recent->offset, tag.block = recent->block;
      return tag;
    }
  }
  if (own || m_blocks.empty() || m_blocks.back().sealed || m_blocks.back().size - m_blocks.back().used < value.size()) {
    if (m_blocks.size() >= (std::size_t{1} << 17) - 1) throw std::length_error("too many values");
    const std::size_t size = own ? value.size() : kBlock;
    m_blocks.push_back(Block{std::make_unique_for_overwrite<char[]>(size), size, 0, own});
  }
  Block& block = m_blocks.back();
  std::memcpy(block.bytes.get() + block.used, value.data(), value.size());
  tag.offset = block.used;
  tag.block = m_blocks.size() - 1;
  block.used += value.size();
  if (recent) *recent = tag;
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
