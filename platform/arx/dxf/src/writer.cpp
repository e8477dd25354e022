// Writing a document as DXF text or binary, and saving it safely.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

#include "dxf/codes.h"
#include "dxf/document.h"

namespace dxf {
namespace {

constexpr std::string_view kBinarySentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);

// Collects the output and hands it on in large pieces (to a file or a string).
class Output {
 public:
  explicit Output(std::FILE* file) : m_file(file) { m_buffer.reserve(kFlush + 4096); }
  void put(std::string_view bytes) {
    m_buffer.append(bytes);
    if (m_file && m_buffer.size() >= kFlush) flush();
  }
  void put(char c) { m_buffer.push_back(c); }
  void flush() {
    if (m_file && !m_buffer.empty()) {
      if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size()) m_failed = true;
      m_buffer.clear();
    }
  }
  bool failed() const { return m_failed; }
  std::string& text() { return m_buffer; }

 private:
  static constexpr std::size_t kFlush = std::size_t{1} << 20;
  std::FILE* m_file;
  std::string m_buffer;
  bool m_failed = false;
};

void putCode(Output& out, int code) {
  char buffer[16];
  char* end = buffer + sizeof buffer;
  char* p = end;
  *--p = '\n';
  unsigned v = static_cast<unsigned>(code);
  do *--p = static_cast<char>('0' + v % 10); while ((v /= 10) > 0);
  while (end - p < 4) *--p = ' ';  // right-aligned in three columns
  out.put(std::string_view(p, static_cast<std::size_t>(end - p)));
}

void textGroup(Output& out, int code, std::string_view value) {
  putCode(out, code);
  if (value.find_first_of("\r\n") == std::string_view::npos) {
    out.put(value);
  } else {  // a value never spans lines
    std::string one(value);
    for (char& c : one)
      if (c == '\r' || c == '\n') c = ' ';
    out.put(one);
  }
  out.put('\n');
}

template <typename T>
void putBinary(Output& out, T value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.put(std::string_view(bytes, sizeof(T)));
}

template <typename T>
T integerAs(std::string_view text) {
  long long v = 0;
  parseInteger(text, v);
  if (v < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  if (v > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  return static_cast<T>(v);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

void binaryGroup(Output& out, int code, std::string_view value) {
  putBinary(out, static_cast<std::int16_t>(code));
  switch (kindOf(code)) {
    case Kind::Real: {
      double v = 0.0;
      parseReal(value, v);
      return putBinary(out, v);
    }
    case Kind::Int16: return putBinary(out, integerAs<std::int16_t>(value));
    case Kind::Int32: return putBinary(out, integerAs<std::int32_t>(value));
    case Kind::Int64: return putBinary(out, integerAs<std::int64_t>(value));
    case Kind::Bool: return putBinary(out, integerAs<std::uint8_t>(value));
    case Kind::Binary: {
      const std::size_t n = std::min<std::size_t>(value.size() / 2, 255);
      out.put(static_cast<char>(n));
      for (std::size_t i = 0; i < n; ++i)
        out.put(static_cast<char>(hexDigit(value[2 * i]) * 16 + hexDigit(value[2 * i + 1])));
      return;
    }
    case Kind::String: {
      if (value.find('\0') == std::string_view::npos) {
        out.put(value);
      } else {
        std::string one(value);
        for (char& c : one)
          if (c == '\0') c = '?';
        out.put(one);
      }
      out.put('\0');
      return;
    }
  }
}

void writeAll(const Document& doc, Format format, Output& out) {
  auto group = format == Format::Binary ? binaryGroup : textGroup;
  auto record = [&](const Record& r) {
    for (std::uint32_t i = 0; i < r.count; ++i) group(out, doc.code(r, i), doc.value(r, i));
  };
  if (format == Format::Binary) out.put(kBinarySentinel);
  for (const Section& s : doc.sections) {
    record(s.head);
    for (const Record& r : s.records) record(r);
    group(out, 0, "ENDSEC");
  }
  group(out, 0, "EOF");
}

}  // namespace

std::string write(const Document& doc, Format format) {
  Output out(nullptr);
  writeAll(doc, format, out);
  return std::move(out.text());
}

bool save(const Document& doc, Format format, const std::string& path, std::string& error) {
  const std::string temp = path + ".~" + std::to_string(::getpid()) + ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) {
    error = std::string("cannot create the file: ") + std::strerror(errno);
    return false;
  }
  Output out(file);
  writeAll(doc, format, out);
  out.flush();
  const bool written = !out.failed() && std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  std::error_code ec;
  if (!written || !closed) {
    std::filesystem::remove(temp, ec);
    error = "cannot write the file (disk full?)";
    return false;
  }
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    error = "cannot replace the file: " + ec.message();
    return false;
  }
  return true;
}

bool load(const std::string& path, Document& doc, ReadError& error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    error = ReadError{"is a folder, not a drawing file"};
    return false;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) {
    error = ReadError{std::string("cannot open the file: ") + std::strerror(errno)};
    return false;
  }
  bool bad = false;
  const bool ok = Document::read(
      [&](char* buffer, std::size_t size) {
        const std::size_t n = std::fread(buffer, 1, size, file.get());
        if (n == 0 && std::ferror(file.get())) bad = true;
        return n;
      },
      doc, error);
  if (bad) {
    doc = Document();
    error = ReadError{std::string("cannot read the file: ") + std::strerror(errno)};
    return false;
  }
  return ok;
}

}  // namespace dxf
