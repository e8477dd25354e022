#pragma once
// The drawing as the plotter and the crossing selection see it: what a save
// would write now (changed records patched, new ones made), as tags in UTF-8
// for the renderer, with the tables built from them. Made for one plot or one
// selection; the database must not change while it lives.
#include <cairo.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "arx/render/tag_tables.h"
#include "dbid.h"
#include "dxf/document.h"

class AcDbDatabase;

namespace arx::file {

class DrawingTags : public render::TagTables {
 public:
  explicit DrawingTags(const AcDbDatabase& db);
  ~DrawingTags() override;
  DrawingTags(const DrawingTags&) = delete;
  DrawingTags& operator=(const DrawingTags&) = delete;

  // Model-space entities in draw order, each with its sub-entities (VERTEX,
  // ATTRIB, SEQEND) and its object id.
  void forEachEntity(const std::function<void(AcDbObjectId, render::Tags)>& visit) const;

  // The image definition's picture, read once and kept for the tables' life.
  cairo_surface_t* picture(std::string_view imageDefHandle, bool transparent) const override;

 private:
  // Appends the record's groups to `out`, text in UTF-8 (kept in `texts`).
  void append(const dxf::Record& record, std::vector<render::Tag>& out, std::deque<std::string>& texts) const;
  std::vector<render::Tag> sectionTags(std::string_view name);

  const AcDbDatabase& db_;
  std::vector<dxf::Section> sections_;  // made first: it makes the document of a new drawing
  const dxf::Document& doc_;
  std::deque<std::string> texts_;  // decoded values the tables' tags point into
  std::vector<render::Tag> header_, tables_, blocks_;
  std::uint64_t modelSpace_ = 0;
  using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
  mutable std::map<std::pair<std::string, bool>, Surface> pictures_;
};

}  // namespace arx::file
