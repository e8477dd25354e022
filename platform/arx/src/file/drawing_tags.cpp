#include "file/drawing_tags.h"

#include <pictures/picture_file.h>

#include <algorithm>

#include "db/database_impl.h"
#include "file/drawing_file.h"
#include "imgdef.h"
#include "win32/posix.h"

namespace arx::file {
namespace {

bool isSubEntity(std::string_view type) { return type == "VERTEX" || type == "ATTRIB" || type == "SEQEND"; }

bool ascii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

const dxf::Document& documentOf(const AcDbDatabase& db) { return db.impl().file->doc; }

// The picture's pixels as a cairo surface: with their alpha when the image
// shows transparency, else laid on white. Null when it cannot be read.
cairo_surface_t* surfaceOf(const std::string& posixPath, bool transparent) {
  try {
    Magick::Image picture = pictures::ReadPicture(posixPath);
    const int w = static_cast<int>(picture.columns()), h = static_cast<int>(picture.rows());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(surface);
      return nullptr;
    }
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    picture.write(0, 0, w, h, "RGBA", Magick::CharPixel, rgba.data());
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
      for (int x = 0; x < w; ++x) {
        const unsigned char* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
        const unsigned a = transparent ? p[3] : 255;  // premultiplied, or on white
        auto channel = [&](unsigned c) { return transparent ? c * a / 255 : (c * p[3] + 255 * (255 - p[3])) / 255; };
        row[x] = (a << 24) | (channel(p[0]) << 16) | (channel(p[1]) << 8) | channel(p[2]);
      }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
  } catch (const std::exception&) {  // no picture, damaged or beyond the limits
    return nullptr;
  }
}

}  // namespace

DrawingTags::DrawingTags(const AcDbDatabase& db)
    : db_(db), sections_(currentSections(db)), doc_(documentOf(db)), modelSpace_(db.modelSpaceId().handle().value()) {
  header_ = sectionTags("HEADER");
  tables_ = sectionTags("TABLES");
  blocks_ = sectionTags("BLOCKS");
  read(header_, tables_, blocks_);
}

DrawingTags::~DrawingTags() = default;

void DrawingTags::append(const dxf::Record& record, std::vector<render::Tag>& out,
                         std::deque<std::string>& texts) const {
  for (std::uint32_t i = 0; i < record.count; ++i) {
    std::string_view value = doc_.value(record, i);
    if (!ascii(value)) value = texts.emplace_back(dxf::toUtf8(value, db_.impl().file->encoding));
    out.push_back({doc_.code(record, i), value});
  }
}

std::vector<render::Tag> DrawingTags::sectionTags(std::string_view name) {
  std::vector<render::Tag> out;
  for (const dxf::Section& section : sections_) {
    if (section.name != name) continue;
    append(section.head, out, texts_);
    for (const dxf::Record& r : section.records) append(r, out, texts_);
  }
  return out;
}

void DrawingTags::forEachEntity(const std::function<void(AcDbObjectId, render::Tags)>& visit) const {
  std::vector<render::Tag> tags;
  std::deque<std::string> texts;
  for (const dxf::Section& section : sections_) {
    if (section.name != "ENTITIES") continue;
    const auto& records = section.records;
    for (std::size_t i = 0; i < records.size();) {
      const dxf::Record& head = records[i];
      std::size_t end = i + 1;
      if (!isSubEntity(doc_.type(head)))
        while (end < records.size() && isSubEntity(doc_.type(records[end])) &&
               doc_.type(records[end - 1]) != "SEQEND")
          ++end;
      const auto owner = doc_.text(head, 330);
      const bool model = !isSubEntity(doc_.type(head)) && doc_.integer(head, 67, 0) != 1 &&
                         (!owner || parseHandle(*owner) == modelSpace_);
      if (model) {
        tags.clear();
        texts.clear();
        for (std::size_t k = i; k < end; ++k) append(records[k], tags, texts);
        visit(idFromHandle(db_, doc_.text(head, 5).value_or("")), tags);
      }
      i = end;
    }
  }
}

cairo_surface_t* DrawingTags::picture(std::string_view imageDefHandle, bool transparent) const {
  const auto key = std::make_pair(std::string(imageDefHandle), transparent);
  auto it = pictures_.find(key);
  if (it != pictures_.end()) return it->second.get();
  cairo_surface_t* surface = nullptr;
  const AcDbObjectId id = idFromHandle(db_, imageDefHandle);
  const AcDbStub* stub = id.isNull() || id.isErased() ? nullptr : id.stub();
  if (const auto* def = stub ? AcDbRasterImageDef::cast(stub->object.get()) : nullptr; def && def->isLoaded()) {
    const std::string path = win32::ToPosixPath(def->sourceFileName());
    if (!path.empty()) surface = surfaceOf(path, transparent);
  }
  return pictures_.emplace(key, Surface(surface, cairo_surface_destroy)).first->second.get();
}

}  // namespace arx::file
