#pragma once
// An ASCII DXF read into tags, with the tables the renderer asks for built
// from them. For tests and the benchmark's driver only: the drawing editor's
// document is the real source of tags.
#include <map>
#include <string>
#include <vector>

#include "arx/render/tag_tables.h"
#include "arx/render/tags.h"

namespace arx::render {

// Group code and value lines; false when the text is not DXF tags.
bool readTags(const std::string& text, std::vector<Tag>& tags);

class TagDrawing : public TagTables {
 public:
  // Reads `text` (kept inside); false when it is not a DXF.
  bool load(std::string text);
  bool loadFile(const std::string& path);

  // The entities of the ENTITIES section, each with its sub-entities.
  const std::vector<Tags>& entities() const { return entities_; }
  // Pictures for IMAGE entities, by IMAGEDEF handle (owned by the caller).
  std::map<std::string, cairo_surface_t*> pictures;

  cairo_surface_t* picture(std::string_view handle, bool transparent) const override;

  // Values of a group in the first OBJECTS-section object of `type` (e.g. "LAYOUT").
  std::vector<Tags> objects(std::string_view type) const;

 private:
  std::string text_;
  std::vector<Tag> tags_;
  std::vector<Tags> entities_;
  std::vector<Tags> objects_;
};

}  // namespace arx::render
