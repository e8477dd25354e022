// Extents and crossing selection from the same geometry as the plot.
#include <gtest/gtest.h>

#include "render_fixture.h"

namespace arx::render::testing {
namespace {

const char* kBlocks =
    "0 BLOCK|2 BAR|70 0|10 5|20 0|30 0|0 LINE|8 0|10 5|20 0|11 15|21 0|0 ENDBLK|"
    "0 BLOCK|2 RING|70 0|10 0|20 0|30 0|0 CIRCLE|8 0|10 0|20 0|40 10|0 ENDBLK";

struct ExtentsCase {
  const char* name;
  std::string entity;
  Box box;
};

TEST(Extents, BoxOfWhatIsDrawn) {
  const std::vector<ExtentsCase> cases = {
      {"line", "0 LINE|8 0|10 1|20 2|11 5|21 -3", {1, -3, 5, 2}},
      {"circle", "0 CIRCLE|8 0|10 10|20 10|40 5", {5, 5, 15, 15}},
      {"circle mirrored by its extrusion", "0 CIRCLE|8 0|10 10|20 10|40 5|210 0|220 0|230 -1", {-15, 5, -5, 15}},
      {"quarter arc", "0 ARC|8 0|10 0|20 0|40 10|50 0|51 90", {0, 0, 10, 10}},
      {"block reference scaled and moved", "0 INSERT|8 0|2 BAR|10 100|20 50|41 2|42 2", {100, 50, 120, 50}},
      {"array of references", "0 INSERT|8 0|2 RING|10 0|20 0|70 2|71 2|44 100|45 100", {-10, -10, 110, 110}},
  };
  TagDrawing drawing;
  ASSERT_TRUE(drawing.load(dxfFile({"", "", kBlocks, ""})));
  for (const ExtentsCase& c : cases) {
    SCOPED_TRACE(c.name);
    TagDrawing entity;
    ASSERT_TRUE(entity.load(dxfFile({"", "", kBlocks, c.entity})));
    const std::optional<Box> box = entityExtents(entity, entity.entities().at(0));
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->minX, c.box.minX, 0.1);
    EXPECT_NEAR(box->minY, c.box.minY, 0.1);
    EXPECT_NEAR(box->maxX, c.box.maxX, 0.1);
    EXPECT_NEAR(box->maxY, c.box.maxY, 0.1);
  }
}

TEST(Extents, NothingForWhatDoesNotPlot) {
  for (const char* entity : {"0 XLINE|8 0|10 0|20 0|11 1|21 0", "0 LINE|8 OFF|10 0|20 0|11 1|21 0",
                             "0 INSERT|8 0|2 MISSING|10 0|20 0", "0 TEXT|8 0|10 0|20 0|40 1|1 "}) {
    SCOPED_TRACE(entity);
    TagDrawing d;
    ASSERT_TRUE(d.load(dxfFile({"", "0 TABLE|2 LAYER|0 LAYER|2 OFF|70 0|62 -1|0 ENDTAB", kBlocks, entity})));
    EXPECT_FALSE(entityExtents(d, d.entities().at(0)));
  }
}

TEST(Crossing, WhatMeetsTheWindow) {
  const Box window{40, 40, 60, 60};
  struct Case {
    const char* name;
    std::string entity;
    bool crosses;
  };
  const std::vector<Case> cases = {
      {"line through the window", "0 LINE|8 0|10 0|20 50|11 100|21 50", true},
      {"line beside it", "0 LINE|8 0|10 0|20 70|11 100|21 70", false},
      {"circle around the window does not touch it", "0 CIRCLE|8 0|10 50|20 50|40 30", false},
      {"circle crossing its edge", "0 CIRCLE|8 0|10 50|20 30|40 15", true},
      {"solid covering the window", "0 SOLID|8 0|10 0|20 0|11 100|21 0|12 0|22 100|13 100|23 100", true},
      {"block whose content crosses though its insertion point lies outside",
       "0 INSERT|8 0|2 RING|10 50|20 25|41 2|42 2", true},
      {"block whose content misses", "0 INSERT|8 0|2 RING|10 90|20 90", false},
      {"xline through the window", "0 XLINE|8 0|10 -1000|20 -1000|11 1|21 1", true},
      {"xline missing it", "0 XLINE|8 0|10 0|20 0|11 1|21 -1", false},
      {"text whose box overlaps", "0 TEXT|8 0|10 35|20 45|40 10|1 HHHH", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TagDrawing d;
    ASSERT_TRUE(d.load(dxfFile({"", "", kBlocks, c.entity})));
    EXPECT_EQ(entityCrosses(d, d.entities().at(0), window), c.crosses);
  }
}

}  // namespace
}  // namespace arx::render::testing
