#include "raster/picture_file.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "frame/text.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A picture file opened for reading, read at given offsets.
class PictureReader {
 public:
  explicit PictureReader(const std::string& path)
      : m_file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr)) {
    DWORD high = 0;
    const DWORD low = isOpen() ? GetFileSize(m_file, &high) : INVALID_FILE_SIZE;
    if (low != INVALID_FILE_SIZE || GetLastError() == ERROR_SUCCESS)
      m_size = (static_cast<std::uint64_t>(high) << 32) | low;
  }
  ~PictureReader() {
    if (isOpen()) CloseHandle(m_file);
  }
  PictureReader(const PictureReader&) = delete;
  PictureReader& operator=(const PictureReader&) = delete;

  bool isOpen() const { return m_file != INVALID_HANDLE_VALUE; }
  std::uint64_t size() const { return m_size; }

  // `count` bytes at `offset`; false when the file ends before them.
  bool read(std::uint64_t offset, std::size_t count, Bytes& bytes) {
    bytes.assign(count, 0);
    if (!isOpen() || offset > m_size || count > m_size - offset) return false;
    LONG high = static_cast<LONG>(offset >> 32);
    if (SetFilePointer(m_file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER &&
        GetLastError() != ERROR_SUCCESS) {
      return false;
    }
    DWORD done = 0;
    return count == 0 ||
           (ReadFile(m_file, bytes.data(), static_cast<DWORD>(count), &done, nullptr) && done == count);
  }
  // Whether the file holds at least `end` bytes.
  bool reaches(std::uint64_t end) const { return end <= m_size; }

 private:
  HANDLE m_file;
  std::uint64_t m_size = 0;
};

std::uint32_t littleEndian(const Bytes& b, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | b[at + i];
  return value;
}

std::uint32_t bigEndian(const Bytes& b, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | b[at + i];
  return value;
}

bool startsWith(const Bytes& bytes, const char* signature, std::size_t length) {
  return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

// Header, colour mode data, image resources, layer and mask information, then
// the merged image: raw, or RLE with a table of row lengths.
bool isWholePsd(PictureReader& reader) {
  Bytes b;
  if (!reader.read(0, 26, b) || !startsWith(b, "8BPS", 4)) return false;
  const std::uint32_t version = bigEndian(b, 4, 2), channels = bigEndian(b, 12, 2);
  const std::uint64_t rows = bigEndian(b, 14, 4), columns = bigEndian(b, 18, 4), depth = bigEndian(b, 22, 2);
  if ((version != 1 && version != 2) || channels == 0 || rows == 0 || columns == 0 || depth == 0) return false;
  const int wide = version == 2 ? 8 : 4;  // the large document format's longer lengths
  std::uint64_t at = 26;
  for (int lengthSize : {4, 4, wide}) {
    if (!reader.read(at, static_cast<std::size_t>(lengthSize), b)) return false;
    const std::uint64_t length = lengthSize == 8 ? (std::uint64_t{bigEndian(b, 0, 4)} << 32) | bigEndian(b, 4, 4)
                                                 : bigEndian(b, 0, 4);
    at += lengthSize;
    if (!reader.reaches(at + length)) return false;
    at += length;
  }
  if (!reader.read(at, 2, b)) return false;
  const std::uint32_t compression = bigEndian(b, 0, 2);
  at += 2;
  const std::uint64_t lines = channels * rows;
  if (compression == 0) return reader.reaches(at + lines * ((columns * depth + 7) / 8));
  if (compression != 1) return reader.reaches(at + 1);  // ZIP: its length is not told
  const int countSize = version == 2 ? 4 : 2;
  if (!reader.reaches(at + lines * countSize) || !reader.read(at, static_cast<std::size_t>(lines * countSize), b))
    return false;
  std::uint64_t data = 0;
  for (std::uint64_t i = 0; i < lines; ++i) data += bigEndian(b, static_cast<std::size_t>(i * countSize), countSize);
  return reader.reaches(at + lines * countSize + data);
}

// File header, information header, then the pixel rows (each padded to four
// bytes) or, compressed, the image size the header gives.
bool isWholeBmp(PictureReader& reader) {
  Bytes b;
  if (!reader.read(0, 26, b) || !startsWith(b, "BM", 2)) return false;
  const std::uint64_t pixelsAt = littleEndian(b, 10, 4), headerSize = littleEndian(b, 14, 4);
  std::uint64_t width = 0, height = 0, bits = 0, compression = 0, imageSize = 0;
  if (headerSize == 12) {
    width = littleEndian(b, 18, 2), height = littleEndian(b, 20, 2), bits = littleEndian(b, 24, 2);
  } else if (headerSize >= 40 && reader.read(0, 38, b)) {
    width = littleEndian(b, 18, 4);
    const std::int64_t signedHeight = static_cast<std::int32_t>(littleEndian(b, 22, 4));  // negative: top-down
    height = static_cast<std::uint64_t>(signedHeight < 0 ? -signedHeight : signedHeight);
    bits = littleEndian(b, 28, 2), compression = littleEndian(b, 30, 4), imageSize = littleEndian(b, 34, 4);
  }
  if (width == 0 || height == 0 || bits == 0 || static_cast<std::int32_t>(width) < 0) return false;
  if (compression == 0 || compression == 3) return reader.reaches(pixelsAt + (width * bits + 31) / 32 * 4 * height);
  return imageSize > 0 && reader.reaches(pixelsAt + imageSize);
}

// The signature and header chunk first, the end chunk last.
bool isWholePng(PictureReader& reader) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR";
  static const char kEnd[] = "\0\0\0\0IEND\xae\x42\x60\x82";
  Bytes b;
  return reader.size() >= 16 + 12 && reader.read(0, 16, b) && startsWith(b, kSignature, 16) &&
         reader.read(reader.size() - 12, 12, b) && startsWith(b, kEnd, 12);
}

// The start-of-image marker first, the end-of-image marker last.
bool isWholeJpeg(PictureReader& reader) {
  Bytes b;
  return reader.size() >= 4 && reader.read(0, 3, b) && startsWith(b, "\xff\xd8\xff", 3) &&
         reader.read(reader.size() - 2, 2, b) && startsWith(b, "\xff\xd9", 2);
}

// Run-length packets from `at` until they hold `pixels` pixels.
bool holdsRlePixels(PictureReader& reader, std::uint64_t at, std::uint64_t pixels, std::uint64_t pixelSize) {
  constexpr std::size_t kBlock = 65536;
  Bytes block;
  std::uint64_t blockAt = 0;
  while (pixels > 0) {
    if (block.empty() || at < blockAt || at >= blockAt + block.size()) {
      blockAt = at;
      const std::uint64_t left = reader.size() > at ? reader.size() - at : 0;
      if (left == 0 || !reader.read(at, static_cast<std::size_t>(left < kBlock ? left : kBlock), block)) return false;
    }
    const unsigned char packet = block[static_cast<std::size_t>(at - blockAt)];
    const std::uint64_t count = (packet & 0x7F) + 1u;
    at += 1 + ((packet & 0x80) ? pixelSize : count * pixelSize);
    pixels -= count < pixels ? count : pixels;
  }
  return reader.reaches(at);
}

// Header, image identifier, colour map, then the pixels: raw, or RLE packets
// counted up to width x height. Targa has no signature; the header's values
// must be ones a Targa writer gives.
bool isWholeTarga(PictureReader& reader) {
  Bytes b;
  if (!reader.read(0, 18, b)) return false;
  const unsigned mapType = b[1], type = b[2], mapEntryBits = b[7], depth = b[16];
  const std::uint64_t mapLength = littleEndian(b, 5, 2), width = littleEndian(b, 12, 2),
                      height = littleEndian(b, 14, 2);
  const bool knownType = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
  const bool knownDepth = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
  if (mapType > 1 || !knownType || !knownDepth || width == 0 || height == 0) return false;
  const std::uint64_t pixelsAt = 18u + b[0] + (mapType ? mapLength * ((mapEntryBits + 7) / 8) : 0);
  const std::uint64_t pixelSize = (depth + 7) / 8;
  if (type < 9) return reader.reaches(pixelsAt + width * height * pixelSize);
  return holdsRlePixels(reader, pixelsAt, width * height, pixelSize);
}

// The first image directory and every strip (or tile) it lists.
bool isWholeTiff(PictureReader& reader) {
  Bytes b;
  if (!reader.read(0, 8, b)) return false;
  const bool little = startsWith(b, "II*\0", 4);
  if (!little && !startsWith(b, "MM\0*", 4)) return false;
  auto number = [little](const Bytes& bytes, std::size_t at, int count) {
    return little ? littleEndian(bytes, at, count) : bigEndian(bytes, at, count);
  };
  const std::uint64_t directory = number(b, 4, 4);
  if (!reader.read(directory, 2, b)) return false;
  const std::uint64_t entries = number(b, 0, 2);
  Bytes table;  // the entries and the offset of the next directory
  if (entries == 0 || !reader.read(directory + 2, static_cast<std::size_t>(entries * 12 + 4), table)) return false;
  // Every value that does not fit into its entry lies where the entry points.
  static const int kTypeSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  for (std::size_t at = 0; at < entries * 12; at += 12) {
    const std::uint32_t type = number(table, at + 2, 2);
    const std::uint64_t length = std::uint64_t{number(table, at + 4, 4)} * (type < 13 ? kTypeSizes[type] : 0);
    if (length > 4 && !reader.reaches(std::uint64_t{number(table, at + 8, 4)} + length)) return false;
  }
  // Tag -> its values (SHORT or LONG), read where the entry points to.
  auto values = [&](std::uint32_t tag, std::vector<std::uint64_t>& out) {
    for (std::size_t e = 0; e < entries; ++e) {
      const std::size_t at = e * 12;
      if (number(table, at, 2) != tag) continue;
      const std::uint32_t type = number(table, at + 2, 2);
      const std::uint64_t count = number(table, at + 4, 4);
      const int size = type == 3 ? 2 : type == 4 ? 4 : 0;
      if (size == 0 || count == 0 || !reader.reaches(count * size)) return false;
      Bytes data;
      if (count * size <= 4) data.assign(table.begin() + at + 8, table.begin() + at + 12);
      else if (!reader.read(number(table, at + 8, 4), static_cast<std::size_t>(count * size), data)) return false;
      out.clear();
      for (std::size_t i = 0; i < count; ++i) out.push_back(number(data, i * size, size));
      return true;
    }
    return false;
  };
  std::vector<std::uint64_t> offsets, lengths;
  const bool strips = values(273, offsets) && values(279, lengths);  // StripOffsets, StripByteCounts
  if (!strips && !(values(324, offsets) && values(325, lengths))) return false;  // TileOffsets, TileByteCounts
  if (offsets.size() != lengths.size()) return false;
  for (std::size_t i = 0; i < offsets.size(); ++i)
    if (!reader.reaches(offsets[i] + lengths[i])) return false;
  return true;
}

using Check = bool (*)(PictureReader&);

struct PictureType {
  const char* extension;
  Check check;
};

const PictureType kPictureTypes[] = {{"psd", isWholePsd},   {"bmp", isWholeBmp},   {"jpg", isWholeJpeg},
                                     {"png", isWholePng},   {"tga", isWholeTarga}, {"tif", isWholeTiff}};

Check checkOf(const std::string& type) {
  for (const auto& known : kPictureTypes)
    if (EqualsNoCase(type, known.extension)) return known.check;
  return nullptr;
}

}  // namespace

bool isCheckablePictureType(const std::string& type) { return checkOf(type) != nullptr; }

bool isWholePictureFile(const std::string& path, const std::string& type) {
  const Check check = checkOf(type);
  PictureReader reader(path);
  return check && reader.isOpen() && check(reader);
}
