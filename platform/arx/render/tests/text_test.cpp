// TEXT, ATTRIB and MTEXT: fonts, alignment, mirroring, wrapping and formatting codes.
#include <gtest/gtest.h>

#include <cmath>

#include "fonts.h"
#include "render_fixture.h"

namespace arx::render::testing {
namespace {

const char* kStyles =
    "0 TABLE|2 STYLE|0 STYLE|2 Standard|70 0|40 0|41 1|50 0|71 0|3 txt|"
    "0 STYLE|2 ARIAL|70 0|40 0|41 1|50 0|71 0|3 arial.ttf|0 STYLE|2 WIDE|70 0|40 0|41 2|50 0|71 0|3 arial.ttf|"
    "0 STYLE|2 LEAN|70 0|40 0|41 1|50 30|71 0|3 arial.ttf|0 ENDTAB";

Box textBox(const std::string& groups, const char* type = "TEXT") {
  Page page({"", kStyles, "", std::string("0 ") + type + "|8 0|7 ARIAL|" + groups});
  return page.inkBox();
}

TEST(Fonts, TrueTypeFontsFindMetricCompatibleInstalledOnes) {
  EXPECT_EQ(installedFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(installedFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(installedFamily("Courier New"), "Liberation Mono");
  TextStyleInfo style;
  style.fontFile = "ARIAL.TTF";
  EXPECT_EQ(styleFont(&style).family, "Liberation Sans");
  style.fontFile = "C:\\Windows\\Fonts\\times.ttf";
  EXPECT_EQ(styleFont(&style).family, "Liberation Serif");
  style.fontFile = "romans.shx";
  EXPECT_EQ(styleFont(&style).family, "DejaVu Sans");
  style.fontFile = "";
  style.family = "Courier New";
  EXPECT_EQ(styleFont(&style).family, "Liberation Mono");
  // The cap height is measured, about 0.72 of the em for Arial's metrics.
  EXPECT_NEAR(styleFont(&style).capHeight, 0.6, 0.1);
}

TEST(Text, HorizontalAndVerticalAlignment) {
  struct Case {
    const char* name;
    std::string groups;
    double minX, maxX, minY, maxY;  // expected ink box; NaN where it does not matter
  };
  const double any = std::nan("");
  const std::vector<Case> cases = {
      {"left on the baseline", "1 HHHH|10 10|20 40|40 10", 10, any, 40, 50},
      {"right", "1 HHHH|10 0|20 0|11 90|21 40|40 10|72 2", any, 90, 40, 50},
      {"top left", "1 HHHH|10 0|20 0|11 10|21 60|40 10|72 0|73 3", 10, any, 50, 60},
      {"middle left", "1 HHHH|10 0|20 0|11 10|21 50|40 10|72 0|73 2", 10, any, 45, 55},
      {"aligned between its points", "1 HHHH|10 10|20 40|11 90|21 40|40 5|72 3", 10, 90, 40, any},
      {"fit between its points keeps the height", "1 HHHHHH|10 10|20 40|11 90|21 40|40 10|72 5", 10, 90, 40, 50},
      {"backwards from the insertion point", "1 HHHH|10 60|20 40|40 10|71 2", any, 60, 40, 50},
      {"upside down", "1 HHHH|10 10|20 60|40 10|71 4", 10, any, 50, 60},
      {"mirrored by a negative extrusion", "1 HHHH|10 -90|20 40|40 10|210 0|220 0|230 -1", any, 90, 40, 50},
      {"rotated 90 degrees", "1 HHHH|10 50|20 20|40 10|50 90", 40, 50, 20, any},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Box b = textBox(c.groups);
    if (!std::isnan(c.minX)) {
      EXPECT_NEAR(b.minX, c.minX, 2);
    }
    if (!std::isnan(c.maxX)) {
      EXPECT_NEAR(b.maxX, c.maxX, 2);
    }
    if (!std::isnan(c.minY)) {
      EXPECT_NEAR(b.minY, c.minY, 1.5);
    }
    if (!std::isnan(c.maxY)) {
      EXPECT_NEAR(b.maxY, c.maxY, 1.5);
    }
  }
}

TEST(Text, CentredAlignmentsCentreTheInk) {
  const Box centre = textBox("1 HHHH|10 0|20 0|11 50|21 40|40 10|72 1");
  EXPECT_NEAR((centre.minX + centre.maxX) / 2, 50, 1.5);
  EXPECT_NEAR(centre.minY, 40, 1.5);
  const Box middle = textBox("1 HHHH|10 0|20 0|11 50|21 50|40 10|72 4");
  EXPECT_NEAR((middle.minX + middle.maxX) / 2, 50, 1.5);
  EXPECT_NEAR((middle.minY + middle.maxY) / 2, 50, 1.5);
}

TEST(Text, WidthFactorObliqueAndFontsChangeTheShape) {
  const Box plain = textBox("1 HHH|10 10|20 40|40 10");
  const Box wide = textBox("1 HHH|10 10|20 40|40 10|41 2");
  EXPECT_NEAR(wide.maxX - wide.minX, 2 * (plain.maxX - plain.minX), 3);
  Page styled({"", kStyles, "", "0 TEXT|8 0|7 WIDE|1 HHH|10 10|20 40|40 10"});
  EXPECT_NEAR(styled.inkBox().maxX, wide.maxX, 1);
  const Box oblique = textBox("1 HHH|10 10|20 40|40 10|51 30");
  EXPECT_GT(oblique.maxX, plain.maxX + 3);  // the tops lean right
  EXPECT_NEAR(oblique.minX, plain.minX, 1);
  Page leaning({"", kStyles, "", "0 TEXT|8 0|7 LEAN|1 HHH|10 10|20 40|40 10"});
  EXPECT_NEAR(leaning.inkBox().maxX, oblique.maxX, 1) << "the style's oblique angle";
}

TEST(Text, SpecialCodesBecomeCharacters) {
  // %%d is a degree sign: a small mark near the top, not three characters.
  const Box degree = textBox("1 %%d|10 10|20 40|40 10");
  EXPECT_LT(degree.maxX - degree.minX, 8);
  EXPECT_GT(degree.minY, 44);
}

TEST(Text, AttributesOfAReferencePlotUnlessInvisible) {
  const std::string block = "0 BLOCK|2 B|70 2|10 0|20 0|30 0|0 ENDBLK";
  Page shown({"", kStyles, block,
              "0 INSERT|8 0|66 1|2 B|10 0|20 0|0 ATTRIB|8 0|7 ARIAL|10 10|20 40|40 10|1 HHH|2 TAG|70 0|0 SEQEND"});
  EXPECT_NEAR(shown.inkBox().minX, 10, 2);
  Page hidden({"", kStyles, block,
               "0 INSERT|8 0|66 1|2 B|10 0|20 0|0 ATTRIB|8 0|7 ARIAL|10 10|20 40|40 10|1 HHH|2 TAG|70 1|0 SEQEND"});
  EXPECT_EQ(hidden.inkCount(), 0);
}

TEST(MText, WrapsAtTheReferenceWidth) {
  const Box wrapped = textBox("1 HHH HHH HHH|10 10|20 90|40 5|41 25|71 1", "MTEXT");
  EXPECT_NEAR(wrapped.maxY, 90, 1.5);
  EXPECT_NEAR(wrapped.minY, 90 - 5 - 2 * 5 * 5 / 3.0, 2);
  EXPECT_LT(wrapped.maxX, 37);
  const Box single = textBox("1 HHH HHH HHH|10 10|20 90|40 5|71 1", "MTEXT");
  EXPECT_NEAR(single.minY, 85, 1.5);
  const Box paragraphs = textBox("1 HHH\\PHHH|10 10|20 90|40 5|71 1", "MTEXT");
  EXPECT_NEAR(paragraphs.minY, 90 - 5 - 5 * 5 / 3.0, 2);
}

TEST(MText, AttachmentPointPlacesTheBox) {
  struct Case {
    const char* name;
    int attachment;
    double x, y;  // where the ink box's corner or centre lands
  };
  for (const Case& c : std::vector<Case>{{"top left", 1, 10, 90}, {"middle centre", 5, 50, 50}, {"bottom right", 9, 90, 10}}) {
    SCOPED_TRACE(c.name);
    const Box b = textBox("1 HHHH|10 " + std::to_string(c.x) + "|20 " + std::to_string(c.y) + "|40 10|71 " +
                              std::to_string(c.attachment), "MTEXT");
    const int column = (c.attachment - 1) % 3, row = (c.attachment - 1) / 3;
    const double x = column == 0 ? b.minX : column == 1 ? (b.minX + b.maxX) / 2 : b.maxX;
    const double y = row == 0 ? b.maxY : row == 1 ? (b.minY + b.maxY) / 2 : b.minY;
    EXPECT_NEAR(x, c.x, 2);
    EXPECT_NEAR(y, c.y, 4);  // the box holds the descenders below the last line
  }
}

TEST(MText, InlineCodes) {
  const Box plain = textBox("1 HH|10 10|20 90|40 5", "MTEXT");
  const Box taller = textBox("1 {\\H2x;HH}|10 10|20 90|40 5", "MTEXT");
  EXPECT_NEAR(taller.maxY - taller.minY, 2 * (plain.maxY - plain.minY), 1.5);
  const Box wider = textBox("1 \\W2;HH|10 10|20 90|40 5", "MTEXT");
  EXPECT_NEAR(wider.maxX - wider.minX, 2 * (plain.maxX - plain.minX), 2);
  const Box vertical = textBox("1 HHHHHH|10 50|20 10|40 5|11 0|21 1|31 0", "MTEXT");
  EXPECT_GT(vertical.maxY - vertical.minY, 3 * (vertical.maxX - vertical.minX));
  const Box stacked = textBox("1 \\S1/2;|10 10|20 50|40 10", "MTEXT");
  EXPECT_GT(stacked.maxY - stacked.minY, 8);  // numerator over denominator
  const Box escaped = textBox("1 \\\\\\{\\}|10 10|20 50|40 10", "MTEXT");
  EXPECT_GT(escaped.maxX, escaped.minX);  // literal backslash and braces show

  Page coloured({"", kStyles, "", "0 MTEXT|8 0|7 ARIAL|1 HH{\\C1;HH}HH|10 5|20 50|40 10"});
  int red = 0, black = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      red += coloured.colourAt(x, y) == 0xff0000;
      black += coloured.colourAt(x, y) == 0;
    }
  EXPECT_GT(red, 20);
  EXPECT_GT(black, 40);
}

// Tracking spreads the characters; each keeps its shape and size.
TEST(MText, TrackingSpreadsTheCharacters) {
  const Box plain = textBox("1 HHHH|10 10|20 50|40 10", "MTEXT");
  const Box tracked = textBox("1 \\T2;HHHH|10 10|20 50|40 10", "MTEXT");
  EXPECT_NEAR(tracked.minX, plain.minX, 1);
  EXPECT_NEAR(tracked.maxY - tracked.minY, plain.maxY - plain.minY, 1);
  // Three more advances of one H (0.72 em at a cap height of 0.73 em: ten units).
  EXPECT_NEAR(tracked.maxX - plain.maxX, 3 * 10 * 0.72 / 0.73, 3);
  // The tracking ends where the code sets it back: two tracked advances.
  const Box back = textBox("1 \\T2;HH\\T1;HH|10 10|20 50|40 10", "MTEXT");
  EXPECT_NEAR(back.maxX - plain.maxX, 2 * 10 * 0.72 / 0.73, 3);
}

// A stacked fraction sits in its line: numerator over denominator within the
// line's height, with the text before and after it on the same baseline.
TEST(MText, StackedFractionStaysInItsLine) {
  const Box alone = textBox("1 HH|10 10|20 70|40 10", "MTEXT");
  const Box withStack = textBox("1 HH\\S1/2;HH|10 10|20 70|40 10", "MTEXT");
  // Half a height beyond the line at most; a second line would lie 5/3 lower.
  EXPECT_LT(withStack.maxY, alone.maxY + 5);
  EXPECT_GT(withStack.minY, alone.minY - 5);
  // The next paragraph starts where it would after a line without a stack.
  const Box next = textBox("1 H\\PHH|10 10|20 70|40 10", "MTEXT");
  const Box nextAfterStack = textBox("1 \\S1/2;\\PHH|10 10|20 70|40 10", "MTEXT");
  EXPECT_NEAR(nextAfterStack.minY, next.minY, 1.5);
  // Numerator above, denominator below, the bar between them.
  Page page({"", kStyles, "", "0 MTEXT|8 0|7 ARIAL|1 \\S1/2;|10 10|20 70|40 20"});
  const Box b = page.inkBox();
  bool top = false, bottom = false;
  for (double x = b.minX; x < b.maxX; x += 1) {
    top = top || page.inkNear(x, b.maxY - 2, 0);
    bottom = bottom || page.inkNear(x, b.minY + 2, 0);
  }
  EXPECT_TRUE(top && bottom);
  // The bar: a row between the characters where ink runs across the stack;
  // a tolerance stack (^) has none there.
  auto across = [&](const Page& p, double y) {
    for (double x = b.minX + 1; x < b.maxX - 1; x += 1)
      if (!p.inkNear(x, y, 0)) return false;
    return true;
  };
  Page tolerance({"", kStyles, "", "0 MTEXT|8 0|7 ARIAL|1 \\S1^2;|10 10|20 70|40 20"});
  int barRows = 0;
  for (double y = b.minY + 4; y < b.maxY - 4; y += 1)
    if (across(page, y)) {
      ++barRows;
      EXPECT_FALSE(across(tolerance, y)) << "row " << y;
    }
  EXPECT_GE(barRows, 1);
}

// A formatting group changes only what is inside it: the words after it stay
// where they would be without it, and an underline ends with its group.
TEST(MText, GroupsDoNotMoveTheWordsAfterThem) {
  const Box plain = textBox("1 HH HH HH|10 5|20 50|40 8", "MTEXT");
  for (const char* grouped : {"{\\C1;HH} HH HH", "{\\LHH} HH HH", "HH {\\fArial;HH} HH", "HH {HH} HH"}) {
    SCOPED_TRACE(grouped);
    const Box b = textBox(std::string("1 ") + grouped + "|10 5|20 50|40 8", "MTEXT");
    EXPECT_NEAR(b.maxX, plain.maxX, 0.5);
  }
  Page page({"", kStyles, "", "0 MTEXT|8 0|7 ARIAL|1 {\\LHHHH} HHHH|10 5|20 50|40 8"});
  const Box b = page.inkBox();
  // The underline's row: ink under the first word, none under the space.
  const Box first = textBox("1 HHHH|10 5|20 50|40 8", "MTEXT");
  int row = -1;
  for (int y = static_cast<int>(b.minY); y < 42 && row < 0; ++y)
    if (page.inkNear((first.minX + first.maxX) / 2, y + 0.5, 0)) row = y;
  ASSERT_GE(row, 0);
  EXPECT_TRUE(page.inkNear(first.maxX - 1, row + 0.5, 0));
  EXPECT_FALSE(page.inkNear(first.maxX + 4, row + 0.5, 0)) << "the space after the group is not underlined";
}

// "\~" is a space at which the text does not wrap.
TEST(MText, NonBreakingSpaceKeepsItsWordsOnOneLine) {
  const Box spaced = textBox("1 HH HH|10 5|20 90|40 8", "MTEXT");
  const Box joined = textBox("1 HH\\~HH|10 5|20 90|40 8", "MTEXT");
  EXPECT_NEAR(joined.maxX, spaced.maxX, 0.5) << "as wide as a space";
  const Box wrapped = textBox("1 HH HH HH|10 5|20 90|40 8|41 20", "MTEXT");
  const Box kept = textBox("1 HH\\~HH HH|10 5|20 90|40 8|41 20", "MTEXT");
  EXPECT_NEAR(kept.minY, wrapped.minY + 8 * 5 / 3.0, 2) << "two lines instead of three";
  EXPECT_NEAR(kept.maxX, joined.maxX, 0.5);
}

// MTEXT seen from behind (a negative extrusion, as a mirror leaves it) reads
// backwards: its direction runs in -x and its lines go down.
TEST(MText, NegativeExtrusionMirrors) {
  const Box b = textBox("1 HHH\\PHHH|10 90|20 90|40 8|11 -1|21 0|31 0|210 0|220 0|230 -1", "MTEXT");
  EXPECT_NEAR(b.maxX, 90, 2);
  EXPECT_LT(b.minX, 70);
  EXPECT_NEAR(b.maxY, 90, 1.5);
  EXPECT_LT(b.minY, 75) << "the second line lies below the first";
}

}  // namespace
}  // namespace arx::render::testing
