#pragma once
// An ASCII DXF read into tags, with the tables the renderer asks for built
// from them. For tests and the benchmark's driver only: the drawing editor's
// document is the real source of tags.
#include <map>
#include <string>
#include <vector>

#include "arx/render/drawing_tables.h"
#include "arx/render/tags.h"

namespace arx::render {

// Group code and value lines; false when the text is not DXF tags.
bool readTags(const std::string& text, std::vector<Tag>& tags);

class TagDrawing : public DrawingTables {
 public:
  // Reads `text` (kept inside); false when it is not a DXF.
  bool load(std::string text);
  bool loadFile(const std::string& path);

  // The entities of the ENTITIES section, each with its sub-entities.
  const std::vector<Tags>& entities() const { return entities_; }
  // Pictures for IMAGE entities, by IMAGEDEF handle (owned by the caller).
  std::map<std::string, cairo_surface_t*> pictures;

  const LayerInfo* layer(std::string_view name) const override;
  const LinetypeInfo* linetype(std::string_view name) const override;
  const TextStyleInfo* textStyle(std::string_view name) const override;
  const BlockInfo* block(std::string_view name) const override;
  const HeaderInfo& header() const override { return header_; }
  const DimStyleInfo* dimStyle(std::string_view name) const override;
  const TextStyleInfo* textStyleByHandle(std::string_view handle) const override;
  const BlockInfo* blockByHandle(std::string_view handle) const override;
  cairo_surface_t* picture(std::string_view handle) const override;

  // Header variables, for the benchmark: the model layout's plot window.
  HeaderInfo& mutableHeader() { return header_; }
  // Values of a group in the first OBJECTS-section object of `type` (e.g. "LAYOUT").
  std::vector<Tags> objects(std::string_view type) const;

 private:
  void readHeader(Tags section);
  void readTables(Tags section);
  void readBlocks(Tags section);

  std::string text_;
  std::vector<Tag> tags_;
  std::vector<Tags> entities_;
  std::vector<Tags> objects_;
  HeaderInfo header_;
  std::map<std::string, LayerInfo> layers_;
  std::map<std::string, LinetypeInfo> linetypes_;
  std::map<std::string, TextStyleInfo> styles_;
  std::map<std::string, DimStyleInfo> dimstyles_;
  std::map<std::string, BlockInfo> blocks_;
  std::map<std::string, std::string> styleHandles_, blockHandles_;
};

}  // namespace arx::render
