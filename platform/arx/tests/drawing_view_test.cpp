// acedTrans between world and display coordinates of the current view.
#include <gtest/gtest.h>

#include <cmath>

#include "acedads.h"
#include "arx/drawing.h"

namespace {

const double kPi = std::acos(-1.0);

resbuf code(short c) {
  resbuf rb{};
  rb.restype = RTSHORT;
  rb.resval.rint = c;
  return rb;
}

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override { arx::newDrawing(); }
  arx::View& view() { return arx::view(arx::workingDrawing()); }
  int trans(const ads_point in, short from, short to, ads_point out, int disp = 0) {
    resbuf a = code(from), b = code(to);
    return acedTrans(in, &a, &b, disp, out);
  }
};

TEST_F(ViewTest, UntwistedViewLeavesCoordinatesAlone) {
  view().center = {500.0, 300.0};
  const ads_point p = {12.5, -7.25, 0.0};
  ads_point out;
  ASSERT_EQ(trans(p, 2, 0, out), RTNORM);
  EXPECT_DOUBLE_EQ(out[0], 12.5);
  EXPECT_DOUBLE_EQ(out[1], -7.25);
}

TEST_F(ViewTest, QuarterTurnMapsAxesExactly) {
  view().twist = kPi / 2.0;  // the drawing appears turned a quarter counter-clockwise
  const ads_point worldX = {1.0, 0.0, 0.0};
  ads_point display;
  ASSERT_EQ(trans(worldX, 0, 2, display), RTNORM);
  EXPECT_NEAR(display[0], 0.0, 1e-15);
  EXPECT_NEAR(display[1], 1.0, 1e-15);
  ads_point back;
  ASSERT_EQ(trans(display, 2, 0, back), RTNORM);
  EXPECT_NEAR(back[0], 1.0, 1e-15);
  EXPECT_NEAR(back[1], 0.0, 1e-15);
}

struct RoundTrip {
  double twist;
  double x, y;
};

class ViewRoundTrip : public ViewTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(ViewRoundTrip, DisplayToWorldAndBack) {
  const RoundTrip c = GetParam();
  view().twist = c.twist;
  view().center = {c.x / 2.0, c.y / 3.0};
  const ads_point p = {c.x, c.y, 4.0};
  ads_point world, again;
  ASSERT_EQ(trans(p, 2, 0, world), RTNORM);
  ASSERT_EQ(trans(world, 0, 2, again), RTNORM);
  const double scale = std::max(1.0, std::hypot(c.x, c.y));
  EXPECT_NEAR(again[0], c.x, 1e-14 * scale);
  EXPECT_NEAR(again[1], c.y, 1e-14 * scale);
  EXPECT_EQ(again[2], 4.0);
  // The length of a vector does not change under a twist.
  EXPECT_NEAR(std::hypot(world[0], world[1]), std::hypot(c.x, c.y), 1e-14 * scale);
}

INSTANTIATE_TEST_SUITE_P(Twists, ViewRoundTrip,
                         ::testing::Values(RoundTrip{0.0, 3.0, 4.0}, RoundTrip{kPi / 6.0, 100.0, -20.0},
                                           RoundTrip{-1.234, -5.5, 7.75}, RoundTrip{kPi, 1.0, 1.0},
                                           RoundTrip{0.3, 1e12, -1e12}));

TEST_F(ViewTest, TwistedPointsFollowTheRotation) {
  view().twist = kPi / 6.0;  // 30 degrees
  const ads_point display = {2.0, 0.0, 0.0};
  ads_point world;
  ASSERT_EQ(trans(display, 2, 0, world), RTNORM);
  // The screen's x axis runs along the world direction -30 degrees.
  EXPECT_NEAR(world[0], 2.0 * std::cos(kPi / 6.0), 1e-15);
  EXPECT_NEAR(world[1], -2.0 * std::sin(kPi / 6.0), 1e-15);
}

TEST_F(ViewTest, UserSystemIsTheWorld) {
  view().twist = 0.7;
  const ads_point p = {3.0, 4.0, 0.0};
  ads_point out;
  ASSERT_EQ(trans(p, 1, 0, out), RTNORM);
  EXPECT_EQ(out[0], 3.0);
  EXPECT_EQ(out[1], 4.0);
}

TEST_F(ViewTest, BadArgumentsAreRefused) {
  const ads_point p = {1.0, 2.0, 0.0};
  ads_point out;
  EXPECT_EQ(trans(p, 3, 0, out), RTERROR);   // paper space display: no viewport here
  EXPECT_EQ(trans(p, 0, 7, out), RTERROR);
  EXPECT_EQ(trans(p, 0, 2, out, 5), RTERROR);
  resbuf from = code(0);
  EXPECT_EQ(acedTrans(p, &from, nullptr, 0, out), RTERROR);
  resbuf text{};
  text.restype = RTSTR;
  EXPECT_EQ(acedTrans(p, &text, &from, 0, out), RTERROR);
}

}  // namespace
