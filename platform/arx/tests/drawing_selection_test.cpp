// Crossing-window and single-pick selection, and the selection set calls.
#include <cmath>

#include "acedads.h"
#include "dbmain.h"
#include "drawing_fixture.h"
#include "testing/case_name.h"
#include "ui/driver.h"

namespace {

using drawing_test::DrawingTest;

// Answers picks from a fixed answer and records nothing else.
class PickDriver : public ui::Driver {
 public:
  explicit PickDriver(ui::PickAnswer answer) : m_answer(std::move(answer)) {}
  int messageBox(const ui::MessageBoxRequest&) override { return 1; }
  void beep(unsigned) override {}
  std::optional<std::string> fileDialog(const ui::FileDialogRequest&) override { return std::nullopt; }
  ui::PickAnswer pick(const std::string&) override { return m_answer; }
  std::optional<ui::ControlAction> nextAction(const std::string&) override { return std::nullopt; }
  std::optional<std::vector<std::string>> take(const std::string&) override { return std::nullopt; }
  void commandLine(const std::string& text) override { lines += text; }
  void record(const std::string&) override {}
  std::string lines;

 private:
  ui::PickAnswer m_answer;
};

class SelectionTest : public DrawingTest {
 protected:
  // Handles of the entities selected by a crossing window from (x1, y1) to (x2, y2).
  std::vector<std::string> crossing(double x1, double y1, double x2, double y2) {
    const ads_point a = {x1, y1, 0.0}, b = {x2, y2, 0.0};
    ads_name ss;
    std::vector<std::string> handles;
    if (acedSSGet("_C", a, b, nullptr, ss) != RTNORM) return handles;
    long n = 0;
    EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
    for (long i = 0; i < n; ++i) {
      ads_name ent;
      AcDbObjectId id;
      EXPECT_EQ(acedSSName(ss, i, ent), RTNORM);
      EXPECT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
      handles.push_back(handleOf(id));
    }
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    return handles;
  }
  static std::string handleOf(AcDbObjectId id) {
    char text[32];
    id.handle().getIntoAsciiBuffer(text);
    return text;
  }
  std::string add(const arx::Shape& shape, const char* layer = "0") {
    return handleOf(arx::addEntity(db(), shape, layer));
  }
};

struct CrossingCase {
  const char* what;
  arx::Shape shape;
  bool selected;
};

class CrossingWindow : public SelectionTest, public ::testing::WithParamInterface<CrossingCase> {};

// The window is (0,0)-(10,10) for every case.
TEST_P(CrossingWindow, SelectsByGeometryNotByExtents) {
  const CrossingCase& c = GetParam();
  const std::string handle = add(c.shape);
  const auto found = crossing(0.0, 0.0, 10.0, 10.0);
  EXPECT_EQ(found.size() == 1 && found[0] == handle, c.selected) << c.what;
}

const double kPi = std::acos(-1.0);

INSTANTIATE_TEST_SUITE_P(
    Shapes, CrossingWindow,
    ::testing::Values(
        CrossingCase{"line inside", arx::LineShape{{1, 1}, {2, 2}}, true},
        CrossingCase{"line crossing only the edge", arx::LineShape{{-5, 5}, {5, 5}}, true},
        CrossingCase{"line passing through without an end inside", arx::LineShape{{-5, 5}, {15, 5}}, true},
        CrossingCase{"line touching a corner", arx::LineShape{{10, 10}, {20, 20}}, true},
        CrossingCase{"diagonal line whose box overlaps", arx::LineShape{{8, 25}, {25, 8}}, false},
        CrossingCase{"circle crossing the edge", arx::CircleShape{{12, 5}, 3}, true},
        CrossingCase{"circle around the window", arx::CircleShape{{5, 5}, 100}, false},
        CrossingCase{"circle inside", arx::CircleShape{{5, 5}, 1}, true},
        CrossingCase{"arc away from the window, box overlapping",
                     arx::ArcShape{{0, 0}, 12, kPi / 2.0 + 0.1, 2.0 * kPi - 0.1}, false},
        CrossingCase{"arc reaching into the window", arx::ArcShape{{15, 5}, 6, kPi / 2.0, 3.0 * kPi / 2.0}, true},
        CrossingCase{"arc turned away from the window", arx::ArcShape{{15, 5}, 6, -kPi / 2.0, kPi / 2.0}, false},
        CrossingCase{"bulged polyline bending away",
                     arx::PolylineShape{{{{-2, 12}, 1.0}, {{-2, -2}, 0.0}}, false}, false},
        CrossingCase{"bulged polyline bending into the window",
                     arx::PolylineShape{{{{-2, -2}, 1.0}, {{-2, 12}, 0.0}}, false}, true},
        CrossingCase{"closed polyline around the window",
                     arx::PolylineShape{{{{-1, -1}, 0}, {{11, -1}, 0}, {{11, 11}, 0}, {{-1, 11}, 0}}, true}, false},
        CrossingCase{"closing segment crossing",
                     arx::PolylineShape{{{{-1, 5}, 0}, {{-1, 20}, 0}, {{20, 20}, 0}, {{20, 5}, 0}}, true}, true},
        CrossingCase{"text box reaching in", arx::TextShape{{8, 8}, 2.5, 0.0, "ABC"}, true},
        CrossingCase{"text beside the window", arx::TextShape{{11, 0}, 2.5, 0.0, "ABC"}, false},
        CrossingCase{"far away at 1e12", arx::LineShape{{1e12, 1e12}, {1e12 + 1, 1e12}}, false}),
    rwtest::caseNameBy(&CrossingCase::what));

TEST_F(SelectionTest, WindowCornersMayComeInAnyOrder) {
  const std::string h = add(arx::CircleShape{{5, 5}, 1});
  EXPECT_EQ(crossing(10, 10, 0, 0), std::vector<std::string>{h});
  EXPECT_EQ(crossing(0, 10, 10, 0), std::vector<std::string>{h});
}

TEST_F(SelectionTest, HugeCoordinatesAreSelected) {
  const std::string h = add(arx::LineShape{{1e12, 1e12}, {1e12 + 10, 1e12 + 10}});
  EXPECT_EQ(crossing(1e12 + 4, 1e12 + 4, 1e12 + 5, 1e12 + 5), std::vector<std::string>{h});
}

TEST_F(SelectionTest, FrozenAndOffLayersAreNotSelected) {
  arx::addLayer(db(), arx::Layer{"Frozen", 1, true, true, true});
  arx::addLayer(db(), arx::Layer{"Off", 2, true, false, false});
  arx::addLayer(db(), arx::Layer{"NoPlot", 3, false, true, false});
  add(arx::LineShape{{1, 1}, {2, 2}}, "Frozen");
  add(arx::LineShape{{1, 1}, {2, 2}}, "Off");
  const std::string visible = add(arx::LineShape{{1, 1}, {2, 2}}, "NoPlot");
  EXPECT_EQ(crossing(0, 0, 10, 10), std::vector<std::string>{visible});
}

TEST_F(SelectionTest, TwistedViewSelectsTheScreenRectangle) {
  // Twisted by 45 degrees, the window with world corners (0,0) and (10,0) is
  // a square on the screen: in the world the diamond (0,0) (5,-5) (10,0) (5,5).
  arx::view(db()).twist = std::acos(-1.0) / 4.0;
  const std::string inside = add(arx::CircleShape{{5, 3}, 0.2});
  add(arx::CircleShape{{9, 4}, 0.2});
  EXPECT_EQ(crossing(0, 0, 10, 0), std::vector<std::string>{inside});
}

TEST_F(SelectionTest, EmptyWindowFindsNothing) {
  add(arx::LineShape{{50, 50}, {60, 60}});
  const ads_point a = {0, 0, 0}, b = {10, 10, 0};
  ads_name ss;
  EXPECT_EQ(acedSSGet("_C", a, b, nullptr, ss), RTERROR);
}

TEST_F(SelectionTest, SinglePickAsksTheDriver) {
  const std::string h = add(arx::LineShape{{0, 0}, {1, 1}});
  struct Case {
    ui::PickAnswer answer;
    int status;
  } cases[] = {
      {{ui::PickAnswer::Kind::Entity, h}, RTNORM},
      {{ui::PickAnswer::Kind::Nothing, ""}, RTERROR},
      {{ui::PickAnswer::Kind::Cancel, ""}, RTCAN},
      {{ui::PickAnswer::Kind::Entity, "FFFFF"}, RTERROR},
      {{ui::PickAnswer::Kind::Entity, "not hex"}, RTERROR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "status " << c.status);
    ui::setDriver(std::make_unique<PickDriver>(c.answer));
    ads_name ss;
    ASSERT_EQ(acedSSGet("_:S", nullptr, nullptr, nullptr, ss), c.status) << c.answer.handle;
    if (c.status != RTNORM) continue;
    ads_name ent;
    AcDbObjectId id;
    ASSERT_EQ(acedSSName(ss, 0, ent), RTNORM);
    ASSERT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
    EXPECT_EQ(handleOf(id), h);
    acedSSFree(ss);
  }
  ui::setDriver(nullptr);
}

TEST_F(SelectionTest, SetOperations) {
  const AcDbObjectId a = arx::addEntity(db(), arx::LineShape{{0, 0}, {1, 1}}, "0");
  const AcDbObjectId b = arx::addEntity(db(), arx::LineShape{{0, 0}, {1, 1}}, "0");
  ads_name ea, eb, ss;
  ASSERT_EQ(acdbGetAdsName(ea, a), Acad::eOk);
  ASSERT_EQ(acdbGetAdsName(eb, b), Acad::eOk);
  ASSERT_EQ(acedSSAdd(ea, nullptr, ss), RTNORM);
  ASSERT_EQ(acedSSAdd(eb, ss, ss), RTNORM);
  ASSERT_EQ(acedSSAdd(ea, ss, ss), RTNORM);  // already a member
  long n = 0;
  ASSERT_EQ(acedSSLength(ss, &n), RTNORM);
  EXPECT_EQ(n, 2);
  ads_name out;
  EXPECT_EQ(acedSSName(ss, 2, out), RTERROR);
  EXPECT_EQ(acedSSName(ss, -1, out), RTERROR);
  EXPECT_EQ(acedSSFree(ss), RTNORM);
  EXPECT_EQ(acedSSFree(ss), RTERROR);  // freed already
  EXPECT_EQ(acedSSLength(ss, &n), RTERROR);
  const ads_name garbage = {12345, 0};
  EXPECT_EQ(acedSSAdd(garbage, nullptr, ss), RTERROR);
  ASSERT_EQ(acedSSAdd(nullptr, nullptr, ss), RTNORM);
  ASSERT_EQ(acedSSLength(ss, &n), RTNORM);
  EXPECT_EQ(n, 0);
  acedSSFree(ss);
}

TEST_F(SelectionTest, UnknownOptionsAndFiltersAreRefused) {
  const ads_point a = {0, 0, 0}, b = {10, 10, 0};
  ads_name ss;
  EXPECT_EQ(acedSSGet("_Q", a, b, nullptr, ss), RTERROR);
  EXPECT_EQ(acedSSGet("_C", a, nullptr, nullptr, ss), RTERROR);
  resbuf filter{};
  filter.restype = 8;
  EXPECT_EQ(acedSSGet("_C", a, b, &filter, ss), RTERROR);
}

}  // namespace
