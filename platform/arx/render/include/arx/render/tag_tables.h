#pragma once
// The tables the renderer asks for, built from a drawing's HEADER, TABLES and
// BLOCKS sections given as tags. Names are matched without regard to case.
// The tags must outlive the tables: blocks keep views of their entities.
#include <map>
#include <string>
#include <vector>

#include "arx/render/drawing_tables.h"
#include "arx/render/tags.h"

namespace arx::render {

class TagTables : public DrawingTables {
 public:
  // Each section's tags without its SECTION and ENDSEC groups; the header's
  // are its variables (9 $NAME, value). An empty span leaves the defaults.
  void read(Tags header, Tags tables, Tags blocks);

  const LayerInfo* layer(std::string_view name) const override;
  const LinetypeInfo* linetype(std::string_view name) const override;
  const TextStyleInfo* textStyle(std::string_view name) const override;
  const BlockInfo* block(std::string_view name) const override;
  const HeaderInfo& header() const override { return header_; }
  const DimStyleInfo* dimStyle(std::string_view name) const override;
  const TextStyleInfo* textStyleByHandle(std::string_view handle) const override;
  const BlockInfo* blockByHandle(std::string_view handle) const override;

  HeaderInfo& mutableHeader() { return header_; }

 private:
  void readHeader(Tags section);
  void readTables(Tags section);
  void readBlocks(Tags section);

  HeaderInfo header_;
  std::map<std::string, LayerInfo> layers_;
  std::map<std::string, LinetypeInfo> linetypes_;
  std::map<std::string, TextStyleInfo> styles_;
  std::map<std::string, DimStyleInfo> dimstyles_;
  std::map<std::string, BlockInfo> blocks_;
  std::map<std::string, std::string> styleHandles_, blockHandles_;
};

}  // namespace arx::render
