#include "render/preview_camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace glyphgrab {
namespace {

RenderPrimitive Text(double x, double y, std::u16string text) {
  RenderPrimitive p;
  p.kind = RenderKind::kText;
  p.a = {x, y};
  p.sizeX = p.sizeY = 5;
  p.text = std::move(text);
  return p;
}

// An A3 sheet with a line and three texts, two of them the same.
std::shared_ptr<RenderModel> Sheet() {
  auto m = std::make_shared<RenderModel>();
  RenderPrimitive line;
  line.a = {-100, -100};
  line.b = {100, 100};
  m->items = {line, Text(150, 100, u"ROOM A"), Text(-180, -120, u"Kitchen"), Text(150, 80, u"ROOM A")};
  return m;
}

bool Inside(const PreviewCamera& c, RenderPoint p) {
  const ScreenPoint s = c.ToScreen(p);
  return s.x >= 0 && s.y >= 0 && s.x <= c.width() && s.y <= c.height();
}

TEST(PreviewCamera, FitShowsTheWholeSheetCentredAndFollowsThePane) {
  PreviewCamera c;
  c.SetModel(Sheet());
  for (const auto& [w, h] : {std::pair{800, 600}, std::pair{300, 900}, std::pair{1, 1}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    c.Resize(w, h);
    const double expected = std::min(std::max(1, w - 16) / 420.0, std::max(1, h - 16) / 297.0);
    EXPECT_DOUBLE_EQ(c.scale(), expected);
    const ScreenPoint centre = c.ToScreen({0, 0});
    EXPECT_DOUBLE_EQ(centre.x, c.width() / 2.0);
    EXPECT_DOUBLE_EQ(centre.y, c.height() / 2.0);
    // Paper y grows upwards, the screen's downwards.
    EXPECT_LT(c.ToScreen({0, 100}).y, centre.y);
  }
}

TEST(PreviewCamera, MarkZoomsToItsTextsAndFitsWithoutThem) {
  PreviewCamera c;
  c.Resize(800, 600);
  c.SetModel(Sheet());
  const double fitted = c.scale();

  c.SetMark(u"room a");  // letter case ignored, as the list's cleaning does
  EXPECT_EQ(c.marked(), (std::vector<std::size_t>{1, 3}));
  EXPECT_GT(c.scale(), fitted);
  EXPECT_TRUE(Inside(c, {150, 100}));
  EXPECT_TRUE(Inside(c, {150, 80}));
  EXPECT_FALSE(Inside(c, {-180, -120}));

  // A new pane size zooms to the mark again; a new model of the same file keeps it.
  c.Resize(400, 300);
  EXPECT_TRUE(Inside(c, {150, 100}));
  c.SetModel(Sheet());
  EXPECT_EQ(c.marked().size(), 2u);

  for (const std::u16string text : {u"", u"Nowhere"}) {
    c.SetMark(text);
    EXPECT_TRUE(c.marked().empty());
    EXPECT_DOUBLE_EQ(c.scale(), std::min(384 / 420.0, 284 / 297.0));
  }
  c.SetModel(nullptr);
  c.SetMark(u"ROOM A");
  EXPECT_TRUE(c.marked().empty());
}

TEST(PreviewCamera, WheelZoomsAboutThePointerAndDragPans) {
  PreviewCamera c;
  c.Resize(800, 600);
  c.SetModel(Sheet());
  const ScreenPoint at{600, 150};
  // The paper point under the pointer, found back from the screen.
  const auto paperAt = [&](ScreenPoint s) {
    const ScreenPoint o = c.ToScreen({0, 0});
    return RenderPoint{(s.x - o.x) / c.scale(), (o.y - s.y) / c.scale()};
  };
  const RenderPoint before = paperAt(at);
  const double scale = c.scale();
  c.Wheel(120, at);
  EXPECT_NEAR(c.scale(), scale * std::pow(1.0015, 120), 1e-12);
  const RenderPoint after = paperAt(at);
  EXPECT_NEAR(after.x, before.x, 1e-9);
  EXPECT_NEAR(after.y, before.y, 1e-9);

  const ScreenPoint o = c.ToScreen({0, 0});
  c.Pan(30, -12);
  EXPECT_DOUBLE_EQ(c.ToScreen({0, 0}).x, o.x + 30);
  EXPECT_DOUBLE_EQ(c.ToScreen({0, 0}).y, o.y - 12);

  // A zoomed view stays where the user put it until a resize; then it fits again.
  c.Resize(800, 600);
  EXPECT_DOUBLE_EQ(c.scale(), scale);
}

TEST(PreviewCamera, FactorsThatAreNoZoomAreIgnored) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (const double factor : {0.0, -2.0, std::nan(""), kInf, -kInf}) {
    SCOPED_TRACE(factor);
    PreviewCamera c;
    c.Resize(800, 600);
    const double scale = c.scale();
    const ScreenPoint o = c.ToScreen({0, 0});
    c.ZoomAt(factor, {10, 10});
    EXPECT_EQ(c.scale(), scale);
    EXPECT_EQ(c.ToScreen({0, 0}).x, o.x);
  }
}

TEST(PreviewCamera, ArcStepsStayInRangeAtAnyZoom) {
  RenderPrimitive arc;
  arc.kind = RenderKind::kArc;
  arc.radius = 50;
  arc.sweep = 6.28;
  PreviewCamera c;
  c.Resize(800, 600);
  EXPECT_EQ(c.ArcSteps(arc), std::clamp(static_cast<int>(6.28 * 50 * c.scale() / 4), 8, 256));
  // Deep enough that the product overflows an int.
  for (int i = 0; i < 40; ++i) c.ZoomAt(10, {400, 300});
  EXPECT_EQ(c.ArcSteps(arc), 256);
  arc.radius = 1e-9;
  c.SetModel(nullptr);
  EXPECT_EQ(c.ArcSteps(arc), 8);
  arc.radius = std::nan("");
  EXPECT_EQ(c.ArcSteps(arc), 8);
}

TEST(PreviewCamera, SymbolFrameFillsThePane) {
  auto m = std::make_shared<RenderModel>();
  m->paperName.clear();
  m->paperWidth = 20;
  m->paperHeight = 10;
  m->paperCentre = {500, -300};
  PreviewCamera c;
  c.SetModel(m);
  c.Resize(416, 316);
  EXPECT_DOUBLE_EQ(c.scale(), 20);
  EXPECT_DOUBLE_EQ(c.ToScreen({500, -300}).x, 208);
  EXPECT_DOUBLE_EQ(c.ToScreen({500, -300}).y, 158);
}

// Small texts are drawn at a height that still shows; others at their own.
TEST(PreviewCamera, TextsOfEverySizeShow) {
  PreviewCamera c;
  c.SetModel(Sheet());
  c.Resize(436, 313);  // one pixel a millimetre
  for (const double size : {0.0, 0.5, 3.0, 4.9, std::numeric_limits<double>::quiet_NaN()}) {
    RenderPrimitive t = Text(0, 0, u"3 mm");
    t.sizeY = size;
    EXPECT_EQ(c.TextPixels(t), PreviewCamera::kSmallestText) << size;
  }
  RenderPrimitive big = Text(0, 0, u"big");
  big.sizeY = 12;
  EXPECT_DOUBLE_EQ(c.TextPixels(big), 12);
}

TEST(ClipSegment, CutsToThePane) {
  struct Case {
    const char* name;
    ScreenPoint a, b;
    bool visible;
    ScreenPoint wantA, wantB;
  };
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"inside", {10, 10}, {90, 50}, true, {10, 10}, {90, 50}},
      {"across", {-100, 50}, {200, 50}, true, {0, 50}, {100, 50}},
      {"one end out", {50, 50}, {50, 300}, true, {50, 50}, {50, 100}},
      {"diagonal through corners", {-50, -50}, {150, 150}, true, {0, 0}, {100, 100}},
      {"beside", {-10, -10}, {-5, 200}, false, {}, {}},
      {"passes a corner", {-10, 20}, {20, -10}, true, {0, 10}, {10, 0}},
      {"misses a corner", {-10, 5}, {5, -10}, false, {}, {}},
      {"far beyond any int", {-1e15, 50}, {1e15, 50}, true, {0, 50}, {100, 50}},
      {"a point inside", {30, 30}, {30, 30}, true, {30, 30}, {30, 30}},
      {"not a number", {kNaN, 0}, {50, 50}, false, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScreenPoint a = c.a, b = c.b;
    ASSERT_EQ(ClipSegment(a, b, 0, 0, 100, 100), c.visible);
    if (!c.visible) continue;
    EXPECT_NEAR(a.x, c.wantA.x, 1e-6);
    EXPECT_NEAR(a.y, c.wantA.y, 1e-6);
    EXPECT_NEAR(b.x, c.wantB.x, 1e-6);
    EXPECT_NEAR(b.y, c.wantB.y, 1e-6);
  }
}

TEST(ClipPolygon, KeepsThePartInsideThePane) {
  const auto area = [](const std::vector<ScreenPoint>& p) {
    double a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
      const ScreenPoint &u = p[i], &v = p[(i + 1) % p.size()];
      a += u.x * v.y - v.x * u.y;
    }
    return std::abs(a) / 2;
  };
  struct Case {
    const char* name;
    std::vector<ScreenPoint> polygon;
    double area;
  };
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"inside", {{10, 10}, {20, 10}, {20, 20}, {10, 20}}, 100},
      {"covers the pane", {{-1e12, -1e12}, {1e12, -1e12}, {1e12, 1e12}, {-1e12, 1e12}}, 10000},
      {"half out", {{50, -50}, {150, -50}, {150, 150}, {50, 150}}, 5000},
      {"outside", {{200, 200}, {300, 200}, {300, 300}}, 0},
      {"not a number", {{kNaN, 0}, {50, 50}, {0, 50}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<ScreenPoint> clipped = ClipPolygon(c.polygon, 0, 0, 100, 100);
    EXPECT_NEAR(area(clipped), c.area, 1e-6);
    for (const ScreenPoint& p : clipped) {
      EXPECT_TRUE(p.x >= 0 && p.x <= 100 && p.y >= 0 && p.y <= 100) << p.x << ", " << p.y;
    }
  }
}

}  // namespace
}  // namespace glyphgrab
