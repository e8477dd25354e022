// Reading DXF text and binary files into a document. One pass over the
// input, each line or value looked at once; the structure (sections, records,
// the end-of-file marker) is checked while the groups arrive.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "dxf/codes.h"
#include "dxf/document.h"

namespace dxf {
namespace {

constexpr std::string_view kBinarySentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);
constexpr std::size_t kChunk = std::size_t{1} << 16;

std::string_view trimmed(std::string_view s) {
  const std::size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

std::string shown(std::string_view s) {
  std::string out(s.substr(0, 40));
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 32) c = '?';
  return out + (s.size() > 40 ? "..." : "");
}

struct Failure {
  std::string reason;
  std::size_t line;
};

// Builds sections and records from the groups in file order.
class Structure {
 public:
  explicit Structure(Document& doc) : m_doc(doc) {}

  // Adds a group read at `line`; false once the end-of-file marker is read.
  bool add(int code, std::string_view value, std::size_t line) {
    if (m_tags == UINT32_MAX) throw Failure{"the file has too many groups", line};
    if (code == 0) value = trimmed(value);
    const std::uint32_t index = m_tags++;
    m_doc.appendTag(code, value);
    if (code == 0) return groupZero(value, index, line);
    switch (m_state) {
      case State::Outside:
        if (code == 999) return true;  // a comment
        throw Failure{"group " + std::to_string(code) + " outside any section", line};
      case State::Named:
        if (code != 2) throw Failure{"SECTION without a name", line};
        m_doc.sections.back().name = std::string(trimmed(value));
        m_state = State::Inside;
        return true;
      default:
        return true;
    }
  }

  void finish(std::size_t line) {
    if (m_state == State::Done) return;
    if (m_state != State::Outside) close(m_tags);
    throw Failure{"the file is truncated: the end-of-file marker is missing", line};
  }

 private:
  enum class State { Outside, Named, Inside, Done };

  bool groupZero(std::string_view type, std::uint32_t index, std::size_t line) {
    const auto at = static_cast<std::uint32_t>(line);
    switch (m_state) {
      case State::Outside:
        if (type == "SECTION") {
          m_doc.sections.push_back(Section{"", Record{index, 0, at}, {}});
          m_state = State::Named;
          return true;
        }
        if (type == "EOF") {
          m_state = State::Done;
          return false;
        }
        throw Failure{"\"" + shown(type) + "\" outside any section", line};
      case State::Named:
        throw Failure{"SECTION without a name", line};
      default:
        break;
    }
    close(index);
    if (type == "ENDSEC") {
      m_state = State::Outside;
      m_inRecord = false;
      return true;
    }
    if (type == "SECTION") throw Failure{"SECTION inside a section (ENDSEC missing)", line};
    if (type == "EOF") throw Failure{"end of file inside a section (ENDSEC missing)", line};
    m_doc.sections.back().records.push_back(Record{index, 0, at});
    m_inRecord = true;
    return true;
  }

  // Ends the open record (or the section's head) before group `end`.
  void close(std::uint32_t end) {
    Section& s = m_doc.sections.back();
    Record& r = m_inRecord ? s.records.back() : s.head;
    r.count = end - r.first;
  }

  Document& m_doc;
  State m_state = State::Outside;
  bool m_inRecord = false;
  std::uint32_t m_tags = 0;
};

// Lines of a text file given in chunks; a line may be of any length.
class Lines {
 public:
  Lines(const Document::Source& next, std::string start) : m_next(next), m_buffer(std::move(start)) {}
  bool next(std::string_view& line) {
    for (;;) {
      const char* begin = m_buffer.data() + m_pos;
      const void* nl = std::memchr(begin, '\n', m_buffer.size() - m_pos);
      if (nl) {
        const auto length = static_cast<std::size_t>(static_cast<const char*>(nl) - begin);
        line = strip(std::string_view(begin, length));
        m_pos += length + 1;
        ++m_line;
        return true;
      }
      if (m_end) {
        if (m_pos >= m_buffer.size()) return false;
        line = strip(std::string_view(begin, m_buffer.size() - m_pos));
        m_pos = m_buffer.size();
        ++m_line;
        return true;
      }
      refill();
    }
  }
  std::size_t line() const { return m_line; }
  // Whether only blanks are left.
  bool blankRest() {
    for (;;) {
      if (trimmed(std::string_view(m_buffer).substr(m_pos)).size() > 0) return false;
      if (m_end) return true;
      m_buffer.clear(), m_pos = 0;
      refill();
    }
  }

 private:
  static std::string_view strip(std::string_view s) {
    if (!s.empty() && s.back() == '\r') s.remove_suffix(1);
    return s;
  }
  void refill() {
    m_buffer.erase(0, m_pos);
    m_pos = 0;
    const std::size_t had = m_buffer.size();
    m_buffer.resize(had + kChunk);
    const std::size_t got = m_next(m_buffer.data() + had, kChunk);
    m_buffer.resize(had + got);
    if (got == 0) m_end = true;
  }

  const Document::Source& m_next;
  std::string m_buffer;
  std::size_t m_pos = 0;
  std::size_t m_line = 0;
  bool m_end = false;
};

void checkValue(int code, std::string_view value, std::size_t line) {
  const Kind kind = kindOf(code);
  if (!isNumeric(kind)) return;
  if (kind == Kind::Real) {
    double r = 0.0;
    if (parseReal(value, r)) return;
    throw Failure{"number expected for group " + std::to_string(code) + ", found \"" + shown(value) + "\"", line};
  }
  long long i = 0;
  if (parseInteger(value, i)) return;
  throw Failure{"integer expected for group " + std::to_string(code) + ", found \"" + shown(value) + "\"", line};
}

void readText(Lines& lines, Document& doc) {
  Structure structure(doc);
  std::string_view codeLine, valueLine;
  for (;;) {
    if (!lines.next(codeLine)) return structure.finish(lines.line());
    if (trimmed(codeLine).empty()) {  // only blank lines may follow the last group
      const std::size_t line = lines.line();
      if (lines.blankRest()) return structure.finish(line);
      throw Failure{"group code expected, found an empty line", line};
    }
    long long code = 0;
    if (!parseInteger(codeLine, code) || !isValidCode(code))
      throw Failure{"group code expected, found \"" + shown(codeLine) + "\"", lines.line()};
    const std::size_t codeLineNo = lines.line();
    if (!lines.next(valueLine))
      throw Failure{"the file is truncated: value of group " + std::to_string(code) + " missing", codeLineNo};
    checkValue(static_cast<int>(code), valueLine, lines.line());
    if (!structure.add(static_cast<int>(code), valueLine, codeLineNo)) return;  // junk after EOF is ignored
  }
}

// --- binary DXF ------------------------------------------------------------------

class Binary {
 public:
  Binary(std::string_view bytes, Document& doc) : m_bytes(bytes), m_doc(doc) {}

  void read() {
    m_pos = kBinarySentinel.size();
    // Release 13 on write group codes in two bytes: "0 SECTION" starts 00 00 'S'.
    m_wideCodes = m_bytes.size() > m_pos + 1 && m_bytes[m_pos] == 0 && m_bytes[m_pos + 1] == 0;
    Structure structure(m_doc);
    std::string value;
    while (m_pos < m_bytes.size()) {
      const std::size_t start = m_pos;
      const int code = groupCode();
      if (!isValidCode(code)) throw Failure{"group code " + std::to_string(code) + " is not valid", start + 1};
      readValue(code, value);
      if (!structure.add(code, value, start + 1)) return;
    }
    structure.finish(m_pos + 1);
  }

 private:
  void need(std::size_t n) {
    if (m_bytes.size() - m_pos < n)
      throw Failure{"the file is truncated: a value ends after the file", m_pos + 1};
  }
  template <typename T>
  T take() {
    need(sizeof(T));
    T v;
    std::memcpy(&v, m_bytes.data() + m_pos, sizeof(T));  // DXF stores little-endian, as this machine
    m_pos += sizeof(T);
    return v;
  }
  int groupCode() {
    if (m_wideCodes) return take<std::int16_t>();
    const int code = take<std::uint8_t>();
    return code == 255 ? take<std::int16_t>() : code;
  }
  template <typename T>
  void number(T v, std::string& out) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.assign(buffer, result.ptr);
  }
  void readValue(int code, std::string& out) {
    switch (kindOf(code)) {
      case Kind::Real: {
        const double v = take<double>();
        if (!std::isfinite(v)) throw Failure{"group " + std::to_string(code) + " holds no finite number", m_pos - 7};
        out = formatReal(v);
        return;
      }
      case Kind::Int16: return number(take<std::int16_t>(), out);
      case Kind::Int32: return number(take<std::int32_t>(), out);
      case Kind::Int64: return number(take<std::int64_t>(), out);
      case Kind::Bool: return number(static_cast<int>(take<std::uint8_t>()), out);
      case Kind::Binary: {
        const std::size_t n = take<std::uint8_t>();
        need(n);
        static const char hex[] = "0123456789ABCDEF";
        out.clear();
        for (std::size_t i = 0; i < n; ++i) {
          const auto b = static_cast<unsigned char>(m_bytes[m_pos + i]);
          out += hex[b >> 4], out += hex[b & 15];
        }
        m_pos += n;
        return;
      }
      case Kind::String: {
        const void* end = std::memchr(m_bytes.data() + m_pos, 0, m_bytes.size() - m_pos);
        if (!end) throw Failure{"the file is truncated: a text value is not ended", m_pos + 1};
        const auto n = static_cast<std::size_t>(static_cast<const char*>(end) - (m_bytes.data() + m_pos));
        out.assign(m_bytes.data() + m_pos, n);
        m_pos += n + 1;
        return;
      }
    }
  }

  std::string_view m_bytes;
  Document& m_doc;
  std::size_t m_pos = 0;
  bool m_wideCodes = true;
};

bool fail(ReadError& error, const Failure& f, bool binary) {
  error = ReadError{f.reason, f.line, binary};
  return false;
}

}  // namespace

bool Document::read(const Source& next, Document& doc, ReadError& error) {
  doc = Document();
  // The first bytes tell text from binary.
  std::string start(kBinarySentinel.size(), '\0');
  std::size_t got = 0;
  while (got < start.size()) {
    const std::size_t n = next(start.data() + got, start.size() - got);
    if (n == 0) break;
    got += n;
  }
  start.resize(got);
  const bool binary = start == kBinarySentinel;
  try {
    if (!binary && start.rfind("AutoCAD Binary DXF", 0) == 0)
      throw Failure{"the binary DXF file is truncated: its signature is incomplete", 0};
    if (binary) {
      std::string bytes = start;
      char buffer[1 << 16];
      for (std::size_t n; (n = next(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
      doc.format = Format::Binary;
      Binary(bytes, doc).read();
    } else {
      if (trimmed(start).empty() && got < kBinarySentinel.size()) throw Failure{"the file is empty", 0};
      Lines lines(next, std::move(start));
      readText(lines, doc);
    }
  } catch (const Failure& f) {
    doc = Document();
    return fail(error, f, binary);
  } catch (const std::bad_alloc&) {
    doc = Document();
    return fail(error, Failure{"not enough memory to read the file", 0}, binary);
  } catch (const std::length_error&) {
    doc = Document();
    return fail(error, Failure{"the file is too large", 0}, binary);
  }
  return true;
}

bool Document::read(std::string_view bytes, Document& doc, ReadError& error) {
  std::size_t pos = 0;
  return read(
      [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, bytes.size() - pos);
        std::memcpy(buffer, bytes.data() + pos, n);
        pos += n;
        return n;
      },
      doc, error);
}

}  // namespace dxf
