// Result-buffer lists: building every kind of value, copying, releasing.
#include <gtest/gtest.h>

#include <string>

#include "adslib.h"
#include "arx/journal.h"

namespace {

struct RbList {
  resbuf* head;
  explicit RbList(resbuf* list) : head(list) {}
  ~RbList() { acutRelRb(head); }
};

TEST(ResbufTest, BuildsEachKindOfValue) {
  ads_point point = {1.5, -2.0, 3.25};
  ads_name name = {42, 7};
  RbList list(acutBuildList(RTSTR, "Rasterwerk.ini", RTSHORT, 1, RTREAL, 2.5, RTPOINT, point,
                            RTLONG, 100000, RTENAME, name, RTLB, RTT, RTLE, RTNIL, 0));
  ASSERT_NE(list.head, nullptr);
  const resbuf* rb = list.head;
  EXPECT_EQ(rb->restype, RTSTR);
  EXPECT_STREQ(rb->resval.rstring, "Rasterwerk.ini");
  rb = rb->rbnext;
  EXPECT_EQ(rb->restype, RTSHORT);
  EXPECT_EQ(rb->resval.rint, 1);
  rb = rb->rbnext;
  EXPECT_DOUBLE_EQ(rb->resval.rreal, 2.5);
  rb = rb->rbnext;
  EXPECT_DOUBLE_EQ(rb->resval.rpoint[0], 1.5);
  EXPECT_DOUBLE_EQ(rb->resval.rpoint[2], 3.25);
  rb = rb->rbnext;
  EXPECT_EQ(rb->resval.rlong, 100000);
  rb = rb->rbnext;
  EXPECT_EQ(rb->resval.rlname[0], 42);
  EXPECT_EQ(rb->resval.rlname[1], 7);
  const int markers[] = {RTLB, RTT, RTLE, RTNIL};
  for (int marker : markers) {
    rb = rb->rbnext;
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(rb->restype, marker);
  }
  EXPECT_EQ(rb->rbnext, nullptr);
}

TEST(ResbufTest, StringsAreCopiedNotReferenced) {
  std::string text = "layer";
  RbList list(acutBuildList(RTSTR, text.c_str(), 0));
  text[0] = 'X';
  EXPECT_STREQ(list.head->resval.rstring, "layer");
}

TEST(ResbufTest, NullStringBecomesEmpty) {
  RbList list(acutBuildList(RTSTR, static_cast<const char*>(nullptr), 0));
  ASSERT_NE(list.head, nullptr);
  EXPECT_STREQ(list.head->resval.rstring, "");
}

TEST(ResbufTest, DxfGroupCodesCarryTheirValues) {
  RbList list(acutBuildList(RTDXF0, "LINE", 8, "Walls", 62, 3, 40, 0.5, 0));
  ASSERT_NE(list.head, nullptr);
  EXPECT_STREQ(list.head->resval.rstring, "LINE");
  EXPECT_STREQ(list.head->rbnext->resval.rstring, "Walls");
  EXPECT_EQ(list.head->rbnext->rbnext->resval.rint, 3);
  EXPECT_DOUBLE_EQ(list.head->rbnext->rbnext->rbnext->resval.rreal, 0.5);
}

TEST(ResbufTest, UnknownTypeGivesNoList) {
  EXPECT_EQ(acutBuildList(RTSTR, "a", 4711, 0), nullptr);
}

TEST(ResbufTest, PlannedFailureGivesNoList) {
  arx::failNext("acutBuildList");
  EXPECT_EQ(acutBuildList(RTSTR, "a", 0), nullptr);
  RbList list(acutBuildList(RTSTR, "a", 0));
  EXPECT_NE(list.head, nullptr);
}

TEST(ResbufTest, NewNodeIsEmptyAndReleasable) {
  resbuf* rb = acutNewRb(RTSTR);
  ASSERT_NE(rb, nullptr);
  EXPECT_EQ(rb->restype, RTSTR);
  EXPECT_EQ(rb->rbnext, nullptr);
  EXPECT_EQ(rb->resval.rstring, nullptr);
  ASSERT_EQ(acutNewString("owned", rb->resval.rstring), RTNORM);
  EXPECT_EQ(acutRelRb(rb), RTNORM);
  EXPECT_EQ(acutRelRb(nullptr), RTNORM);
}

}  // namespace
