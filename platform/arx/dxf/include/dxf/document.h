#pragma once
// A DXF file at tag level: every section, record and group, in file order.
//
// The groups lie in one contiguous array of 8-byte tags; a record (a group 0
// and the groups up to the next group 0) is a range of it, a section a list of
// records. Values are kept as their text in one arena of large blocks; typed
// values are parsed when asked for.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dxf {

enum class Format { Ascii, Binary };

// One group in eight bytes: its code, and where its value lies in the arena.
// A value of 65535 bytes or more has a block of its own and is all of it.
struct Tag {
  std::uint64_t code : 11 = 0;
  std::uint64_t size : 16 = 0;  // kLong: the whole block
  std::uint64_t block : 17 = 0;
  std::uint64_t offset : 20 = 0;
  static constexpr std::uint64_t kLong = 0xFFFF;
};
static_assert(sizeof(Tag) == 8);

struct Record {
  std::uint32_t first = 0;  // index of its first group
  std::uint32_t count = 0;  // number of groups, the group 0 included
  std::uint32_t line = 0;   // line of the group 0 in the file (0: made here)
};

struct Section {
  std::string name;             // value of the group 2 after "SECTION"
  Record head;                  // 0 SECTION, 2 NAME and, in HEADER, the variables
  std::vector<Record> records;  // each group 0 up to the next; ENDSEC not included
};

// Groups of a record that is being made or changed.
using TagList = std::vector<std::pair<int, std::string>>;

struct ReadError {
  std::string reason;
  std::size_t line = 0;  // line in a text file, byte offset in a binary one; 0 when none
  bool binary = false;
  std::string text() const;  // "REASON (line N)"
};

class Document {
 public:
  Format format = Format::Ascii;
  std::vector<Section> sections;

  // Reads a DXF file's bytes (text or binary), given in pieces by `next`
  // (which returns 0 at the end). Ends on every input; the memory taken
  // follows the size of the input, never a count it claims.
  using Source = std::function<std::size_t(char* buffer, std::size_t size)>;
  static bool read(const Source& next, Document& doc, ReadError& error);
  static bool read(std::string_view bytes, Document& doc, ReadError& error);

  std::uint32_t count(const Record& r) const { return r.count; }
  int code(const Record& r, std::uint32_t i) const { return m_tags[r.first + i].code; }
  std::string_view value(const Record& r, std::uint32_t i) const { return value(m_tags[r.first + i]); }
  std::string_view value(const Tag& t) const;
  std::string_view type(const Record& r) const { return r.count ? value(r, 0) : std::string_view(); }
  // Index of the first group `code` at or after `from`, or -1.
  long find(const Record& r, int code, std::uint32_t from = 1) const;
  std::optional<std::string_view> text(const Record& r, int code) const;
  double real(const Record& r, int code, double fallback) const;
  long long integer(const Record& r, int code, long long fallback) const;

  // Stores groups and gives the record that holds them.
  Record add(const TagList& tags, std::uint32_t line = 0);
  TagList tags(const Record& r) const;

  Section* section(std::string_view name);
  const Section* section(std::string_view name) const;
  // The header variable `name` ("$ACADVER"): index of its value group in the head, or -1.
  long headerVariable(std::string_view name) const;

  std::size_t tagCount() const { return m_tags.size(); }

  // Readers' access: appends one group.
  void appendTag(int code, std::string_view value) { m_tags.push_back(store(code, value)); }

 private:
  Tag store(int code, std::string_view value);
  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0, used = 0;
    bool sealed = false;  // holds one long value
  };
  std::vector<Block> m_blocks;
  // Short values repeat (subclass markers, layer names, owners, "0.0"): the
  // last place each was stored, by hash, so a repeat takes no new bytes.
  std::vector<Tag> m_recent;
  std::deque<Tag> m_tags;  // grows without copying: no peak of twice its size
};

// Typed values of text groups.
bool parseReal(std::string_view text, double& out);
bool parseInteger(std::string_view text, long long& out);
std::string formatReal(double value);

// The whole document as DXF bytes, text or binary.
std::string write(const Document& doc, Format format);
// Writes the document to `path` through a temporary file beside it that is
// renamed over the target, so a failed save leaves the old file whole.
bool save(const Document& doc, Format format, const std::string& path, std::string& error);
// Reads `path`; false with the reason (file or content) otherwise.
bool load(const std::string& path, Document& doc, ReadError& error);

}  // namespace dxf
