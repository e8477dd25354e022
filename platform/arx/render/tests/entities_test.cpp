// Each entity type plotted on its own: ink where it must be, none where it must not.
#include <gtest/gtest.h>

#include "render_fixture.h"

namespace arx::render::testing {
namespace {

struct EntityCase {
  const char* name;
  Sections drawing;
  std::vector<Probe> probes;
};

const std::vector<EntityCase>& entityCases() {
  static const std::vector<EntityCase> cases = {
      {"line", {"", "", "", "0 LINE|8 0|10 10|20 50|11 90|21 50"}, {{50, 50, true}, {50, 60, false}, {95, 50, false}}},
      {"xline clipped to the page",
       {"", "", "", "0 XLINE|8 0|10 1e9|20 50|11 1|21 0"}, {{2, 50, true}, {98, 50, true}, {50, 60, false}}},
      {"ray from its start only",
       {"", "", "", "0 RAY|8 0|10 50|20 50|11 1|21 0"}, {{70, 50, true}, {98, 50, true}, {30, 50, false}}},
      {"circle", {"", "", "", "0 CIRCLE|8 0|10 50|20 50|40 20"}, {{70, 50, true}, {50, 30, true}, {50, 50, false}}},
      {"arc counter-clockwise from 0 to 90 degrees",
       {"", "", "", "0 ARC|8 0|10 50|20 50|40 20|50 0|51 90"}, {{70, 50, true}, {50, 70, true}, {30, 50, false}, {50, 30, false}}},
      {"circle of a negative extrusion lies mirrored",
       {"", "", "", "0 CIRCLE|8 0|10 -30|20 50|40 10|210 0|220 0|230 -1"}, {{40, 50, true}, {20, 50, true}, {30, 50, false}}},
      {"arc of a negative extrusion turns the other way",
       {"", "", "", "0 ARC|8 0|10 -50|20 50|40 20|50 0|51 90|210 0|220 0|230 -1"},
       {{30, 50, true}, {50, 70, true}, {70, 50, false}}},
      {"lwpolyline of a negative extrusion lies mirrored",
       {"", "", "", "0 LWPOLYLINE|8 0|90 2|70 0|10 -20|20 50.5|10 -40|20 50.5|210 0|220 0|230 -1"},
       {{30, 50.5, true}, {60, 50.5, false}}},
      {"elliptic arc of a negative extrusion turns the other way",
       {"", "", "", "0 ELLIPSE|8 0|10 50|20 50|11 30|21 0|40 0.5|41 0|42 1.5707963|210 0|220 0|230 -1"},
       {{80, 50, true}, {50, 35, true}, {50, 65, false}}},
      {"hatch of a negative extrusion lies mirrored",
       {"", "", "", "0 HATCH|8 0|10 0|20 0|30 0|210 0|220 0|230 -1|2 SOLID|70 1|71 0|91 1|92 3|72 0|73 1|93 4|"
                    "10 -90|20 10|10 -60|20 10|10 -60|20 40|10 -90|20 40|97 0|75 0|76 1|98 0"},
       {{75, 25, true}, {25, 25, false}}},
      {"ellipse", {"", "", "", "0 ELLIPSE|8 0|10 50|20 50|11 30|21 0|40 0.5|41 0|42 6.283185307"},
       {{80, 50, true}, {50, 65, true}, {50, 35, true}, {50, 80, false}, {50, 50, false}}},
      {"elliptic arc", {"", "", "", "0 ELLIPSE|8 0|10 50|20 50|11 30|21 0|40 0.5|41 0|42 1.5707963"},
       {{80, 50, true}, {50, 65, true}, {20, 50, false}, {50, 35, false}}},
      {"spline from control points",
       {"", "", "", "0 SPLINE|8 0|70 8|71 3|72 8|73 4|40 0|40 0|40 0|40 0|40 1|40 1|40 1|40 1|"
                    "10 10|20 10|10 10|20 90|10 90|20 90|10 90|20 10"},
       {{10, 10, true}, {90, 10, true}, {50, 70, true}, {50, 90, false}, {50, 30, false}}},
      {"rational spline pulled by its weights",
       {"", "", "", "0 SPLINE|8 0|70 12|71 2|72 6|73 3|40 0|40 0|40 0|40 1|40 1|40 1|"
                    "10 10|20 10|10 50|20 90|10 90|20 10|41 1|41 10|41 1"},
       {{50, 83, true}, {50, 50, false}}},
      {"spline through fit points",
       {"", "", "", "0 SPLINE|8 0|70 8|71 3|74 3|11 10|21 50|11 50|21 80|11 90|21 50"},
       {{10, 50, true}, {50, 80, true}, {90, 50, true}, {50, 50, false}}},
      {"closed lwpolyline",
       {"", "", "", "0 LWPOLYLINE|8 0|90 4|70 1|10 20|20 20|10 80|20 20|10 80|20 80|10 20|20 80"},
       {{50, 20, true}, {80, 50, true}, {50, 80, true}, {20, 50, true}, {50, 50, false}}},
      {"lwpolyline bulge 1 is a half circle below a rightward chord",
       {"", "", "", "0 LWPOLYLINE|8 0|90 2|70 0|10 20|20 50|42 1|10 80|20 50"},
       {{50, 20, true}, {20, 50, true}, {50, 80, false}, {50, 50, false}}},
      {"lwpolyline negative bulge bends the other way",
       {"", "", "", "0 LWPOLYLINE|8 0|90 2|70 0|10 20|20 50|42 -1|10 80|20 50"}, {{50, 80, true}, {50, 20, false}}},
      {"lwpolyline constant width",
       {"", "", "", "0 LWPOLYLINE|8 0|90 2|70 0|43 10|10 20|20 50|10 80|20 50"},
       {{50, 54, true}, {50, 46, true}, {50, 58, false}, {50, 42, false}}},
      {"lwpolyline segment widening from 0 to 20",
       {"", "", "", "0 LWPOLYLINE|8 0|90 2|70 0|10 20|20 50|40 0|41 20|10 80|20 50"},
       {{75, 57, true}, {25, 57, false}}},
      {"2D polyline with vertices, bulge and closed",
       {"", "", "", "0 POLYLINE|8 0|66 1|70 1|10 0|20 0|30 0|0 VERTEX|8 0|10 20|20 50|42 1|0 VERTEX|8 0|10 80|20 50|0 SEQEND"},
       {{50, 20, true}, {50, 50, true}, {50, 80, false}}},
      {"3D polyline", {"", "", "", "0 POLYLINE|8 0|66 1|70 8|0 VERTEX|8 0|10 10|20 10|30 5|70 32|0 VERTEX|8 0|10 90|20 90|30 50|70 32|0 SEQEND"},
       {{50, 50, true}, {50, 20, false}}},
      {"polygon mesh edges",
       {"", "", "", "0 POLYLINE|8 0|66 1|70 16|71 2|72 2|0 VERTEX|8 0|10 20|20 20|70 64|0 VERTEX|8 0|10 20|20 80|70 64|"
                    "0 VERTEX|8 0|10 80|20 20|70 64|0 VERTEX|8 0|10 80|20 80|70 64|0 SEQEND"},
       {{20, 50, true}, {80, 50, true}, {50, 20, true}, {50, 80, true}, {50, 50, false}}},
      {"polyface mesh with an invisible edge",
       {"", "", "", "0 POLYLINE|8 0|66 1|70 64|71 3|72 1|0 VERTEX|8 0|10 20|20 20|70 192|0 VERTEX|8 0|10 80|20 20|70 192|"
                    "0 VERTEX|8 0|10 50|20 80|70 192|0 VERTEX|8 0|10 0|20 0|70 128|71 1|72 2|73 -3|0 SEQEND"},
       {{50, 20, true}, {65, 50, true}, {35, 50, false}}},
      {"solid filled in the corner order 1 2 4 3",
       {"", "", "", "0 SOLID|8 0|10 20|20 20|11 80|21 20|12 20|22 80|13 80|23 80"},
       {{50, 50, true}, {25, 75, true}, {75, 75, true}, {10, 50, false}}},
      {"trace filled", {"", "", "", "0 TRACE|8 0|10 20|20 20|11 80|21 20|12 20|22 40|13 80|23 40"}, {{50, 30, true}, {50, 60, false}}},
      {"3dface with its second edge invisible",
       {"", "", "", "0 3DFACE|8 0|10 20|20 20|11 80|21 20|12 80|22 80|13 20|23 80|70 2"},
       {{50, 20, true}, {50, 80, true}, {20, 50, true}, {80, 50, false}, {50, 50, false}}},
      {"point as a cross of $PDMODE 3 and $PDSIZE 10",
       {"9 $PDMODE|70 3|9 $PDSIZE|40 10", "", "", "0 POINT|8 0|10 50|20 50"},
       {{57, 57, true}, {43, 57, true}, {57, 50, false}}},
      {"point as a plus turned by its angle",
       {"9 $PDMODE|70 2|9 $PDSIZE|40 10", "", "", "0 POINT|8 0|10 50|20 50|50 45"},
       {{56, 44, true}, {44, 56, true}, {58, 50, false}}},
      {"point as a dot", {"", "", "", "0 POINT|8 0|10 50|20 50"}, {{50, 50, true}, {53, 50, false}}},
      {"point of $PDMODE 1 is invisible", {"9 $PDMODE|70 1", "", "", "0 POINT|8 0|10 50|20 50"}, {{50, 50, false}}},
      {"point with a circle, $PDMODE 33",
       {"9 $PDMODE|70 33|9 $PDSIZE|40 20", "", "", "0 POINT|8 0|10 50|20 50"}, {{60, 50, true}, {50, 50, false}}},
      {"dimension drawn from its block",
       {"", "", "0 BLOCK|2 *D1|70 1|10 0|20 0|30 0|0 LINE|8 0|10 10|20 30|11 90|21 30|0 ENDBLK",
        "0 DIMENSION|8 0|2 *D1|10 90|20 30|70 0"},
       {{50, 30, true}, {50, 50, false}}},
      {"table drawn from its block",
       {"", "", "0 BLOCK|2 *T1|70 1|10 0|20 0|30 0|0 LINE|8 0|10 0|20 0|11 50|21 0|0 ENDBLK",
        "0 ACAD_TABLE|8 0|2 *T1|10 20|20 40|30 0"},
       {{40, 40, true}, {40, 50, false}}},
      {"leader with its arrowhead",
       {"9 $DIMASZ|40 10", "", "", "0 LEADER|8 0|71 1|76 2|10 20|20 50|11 0|10 90|20 50"},
       {{50, 50, true}, {25, 51, true}, {25, 55, false}}},
      {"multileader line, arrowhead and landing",
       {"", "", "", "0 MULTILEADER|8 0|300 CONTEXT_DATA{|40 1|140 8|302 LEADER{|290 1|10 60|20 80|30 0|11 1|21 0|31 0|40 20|"
                    "304 LEADER_LINE{|10 20|20 20|30 0|305 }|303 }|301 }|170 1|291 1"},
       {{40, 50, true}, {23, 23, true}, {70, 80, true}, {50, 20, false}}},
  };
  return cases;
}

TEST(Entities, DrawWhereTheyLie) {
  for (const EntityCase& c : entityCases()) {
    SCOPED_TRACE(c.name);
    Page page(c.drawing);
    checkProbes(page, c.probes);
  }
}

TEST(Entities, WipeoutMasksWhatLiesBelow) {
  Page page({"", "", "", "0 LINE|8 0|10 0|20 50|11 100|21 50|0 WIPEOUT|8 0|10 30|20 30|11 40|21 0|12 0|22 40|13 1|23 1|"
                         "280 1|71 2|91 2|14 -0.5|24 -0.5|14 0.5|24 0.5|0 LINE|8 0|10 50|20 0|11 50|21 100"});
  checkProbes(page, {{10, 50, true}, {90, 50, true}, {40, 50, false}, {50, 40, true}});
}

TEST(Entities, ImageFillsItsFrameWithThePicture) {
  Sections s{"", "", "", "0 IMAGE|8 0|10 20|20 20|11 15|21 0|12 0|22 15|13 2|23 2|340 AB|280 0"};
  // The picture comes from the tables: a red 2 x 2 surface.
  cairo_surface_t* red = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2);
  cairo_t* cr = cairo_create(red);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  TagDrawing drawing;
  ASSERT_TRUE(drawing.load(dxfFile(s)));
  drawing.pictures["AB"] = red;
  cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 100);
  cairo_t* pcr = cairo_create(page);
  {
    PageRenderer renderer(drawing, pcr, 100, 100, {1, 0, 0, -1, 0, 100});
    renderer.paintWhite();
    for (Tags e : drawing.entities()) renderer.draw(e);
  }
  cairo_surface_flush(page);
  auto at = [&](int x, int y) {
    return *reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(page) + (100 - y) * cairo_image_surface_get_stride(page) + x * 4) & 0xffffff;
  };
  EXPECT_EQ(at(35, 35), 0xff0000u);
  EXPECT_EQ(at(22, 48), 0xff0000u);
  EXPECT_EQ(at(25, 75), 0xffffffu);
  EXPECT_EQ(at(90, 50), 0xffffffu);
  cairo_destroy(pcr);
  cairo_surface_destroy(page);
  cairo_surface_destroy(red);
}

TEST(Entities, ImageClipBoundaryCutsThePicture) {
  // A 10 x 10 pixel image of 6 units a pixel, clipped to the triangle of its
  // top-left, top-right and bottom-left pixel corners (pixel coordinates, y down).
  TagDrawing drawing;
  ASSERT_TRUE(drawing.load(dxfFile({"", "", "", "0 IMAGE|8 0|10 20|20 20|11 6|21 0|12 0|22 6|13 10|23 10|340 AB|280 1|"
                                                 "71 2|91 3|14 -0.5|24 -0.5|14 9.5|24 -0.5|14 -0.5|24 9.5"})));
  cairo_surface_t* red = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10);
  cairo_t* cr = cairo_create(red);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  drawing.pictures["AB"] = red;
  cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 100, 100);
  cairo_t* pcr = cairo_create(page);
  {
    PageRenderer renderer(drawing, pcr, 100, 100, {1, 0, 0, -1, 0, 100});
    renderer.paintWhite();
    renderer.draw(drawing.entities().at(0));
  }
  cairo_surface_flush(page);
  auto at = [&](int x, int y) {
    return *reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(page) + (100 - y) * cairo_image_surface_get_stride(page) + x * 4) & 0xffffff;
  };
  EXPECT_EQ(at(30, 70), 0xff0000u);  // near the top-left corner
  EXPECT_EQ(at(70, 30), 0xffffffu);  // the cut-off bottom-right corner
  cairo_destroy(pcr);
  cairo_surface_destroy(page);
  cairo_surface_destroy(red);
}

TEST(Entities, ImageWithoutPictureShowsItsFrame) {
  Page page({"", "", "", "0 IMAGE|8 0|10 20|20 20|11 30|21 0|12 0|22 30|13 2|23 2|340 AB"});
  checkProbes(page, {{20, 50, true}, {80, 50, true}, {50, 50, false}});
}

}  // namespace
}  // namespace arx::render::testing
