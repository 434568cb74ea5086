#include <gtest/gtest.h>

#include "arm/MonitorGraph.h"
#include "arm/MonitorGraphDraw.h"
#include "arm/ToolPoint.h"

namespace {

// The window's defaults on a 500 x 240 graph.
MonitorSettings Defaults(int w = 500, int h = 240) {
  MonitorControls c;
  c.imageWidth = w;
  c.imageHeight = h;
  c.xRangePosition = 7200;
  c.yRangePosition = 20;
  c.yShiftPosition = -10;
  c.backColor = 0x000000;
  c.axisColor = 0xFFFFFF;
  c.subColor = 0x808080;
  c.labelColor = 0xEEEEEE;
  c.mark = true;
  return ReadMonitorSettings(c);
}

std::vector<DrawCommand> OfKind(const DrawList& l, DrawKind k) {
  std::vector<DrawCommand> out;
  for (const DrawCommand& c : l)
    if (c.kind == k) out.push_back(c);
  return out;
}

int SixPerChar(const std::string& s) {
  return 6 * static_cast<int>(s.size());
}

TEST(MonitorGraph, LayoutArithmetic) {
  const GraphLayout l = ComputeGraphLayout(500, 240);
  EXPECT_EQ(l.plotWidth, 442);
  EXPECT_EQ(l.majorX, 44);
  EXPECT_EQ(l.labelX, 8);
  EXPECT_EQ(l.marginRight, 2);
  EXPECT_EQ(l.usableWidth, 440);
  EXPECT_EQ(l.ScaleWidth(), 400);
  EXPECT_EQ(l.majorY, 21);
  EXPECT_EQ(l.labelY, 4);
  EXPECT_EQ(l.marginTop, 6);
  EXPECT_EQ(l.usableHeight, 210);
  EXPECT_EQ(l.ScaleHeight(), 200);
  EXPECT_EQ(l.originY, 224);
  EXPECT_EQ(l.AxisRight(), 490);
  EXPECT_EQ(l.AxisTop(), 14);
  // Too small for one grid cell: no division by zero, background only.
  for (int w : {0, 30, 67}) {
    const GraphLayout t = ComputeGraphLayout(w, 20);
    EXPECT_FALSE(t.HasPlot());
    DrawList out;
    DrawGraphBackground(Defaults(w, 20), out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].kind, DrawKind::FillRect);
  }
}

TEST(MonitorGraph, GridAxesAndLabels) {
  DrawList out;
  DrawGraphBackground(Defaults(), out);
  ASSERT_EQ(out[0].kind, DrawKind::FillRect);
  EXPECT_EQ(out[0].rect, (GraphRect{0, 0, 500, 240}));
  const auto lines = OfKind(out, DrawKind::Line);
  ASSERT_EQ(lines.size(), 44u + 21u + 2u);
  // Verticals from the X axis up to the top margin; every fifth solid.
  EXPECT_EQ(lines[5].a, (GraphPoint{100, 224}));
  EXPECT_EQ(lines[5].b, (GraphPoint{100, 14}));
  EXPECT_EQ(lines[5].style, PenStyle::Solid);
  EXPECT_EQ(lines[3].style, PenStyle::Dot);
  EXPECT_EQ(lines[3].color, 0x808080u);
  // Horizontals from the Y axis to the right margin.
  EXPECT_EQ(lines[44 + 20].a, (GraphPoint{50, 24}));
  EXPECT_EQ(lines[44 + 20].b, (GraphPoint{490, 24}));
  EXPECT_EQ(lines[44 + 20].style, PenStyle::Solid);
  EXPECT_EQ(lines[44 + 7].style, PenStyle::Dot);
  // Axes, width 2, in the axis colour.
  EXPECT_EQ(lines[65].b, (GraphPoint{490, 224}));
  EXPECT_EQ(lines[66].b, (GraphPoint{50, 14}));
  EXPECT_EQ(lines[66].penWidth, 2);
  EXPECT_EQ(lines[66].color, 0xFFFFFFu);

  const auto texts = OfKind(out, DrawKind::Text);
  ASSERT_EQ(texts.size(), 9u + 5u);
  const char* angles[] = {"-360.0", "-270.0", "-180.0", "-90.0", "0.0", "90.0", "180.0", "270.0", "360.0"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(texts[i].text, angles[i]);
    EXPECT_EQ(texts[i].a, (GraphPoint{50 + 50 * i, 226}));
    EXPECT_EQ(texts[i].anchor, TextAnchor::TopCenter);
  }
  const char* heights[] = {"-1.0", "-0.5", "0.0", "0.5", "1.0"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(texts[9 + i].text, heights[i]);
    EXPECT_EQ(texts[9 + i].a, (GraphPoint{25, 224 - 50 * i}));
    EXPECT_EQ(texts[9 + i].color, 0xEEEEEEu);
  }

  // Seven label steps do not divide 7200: the last label is still the end
  // of the range, and a value that rounds to zero carries no sign.
  MonitorSettings s = Defaults(408, 240);
  s.yRange = 0.3;
  s.yShift = -0.1;
  DrawList odd;
  DrawGraphBackground(s, odd);
  const auto t2 = OfKind(odd, DrawKind::Text);
  EXPECT_EQ(t2[7].text, "360.0");
  EXPECT_EQ(t2[1].text, "-257.1");
  EXPECT_EQ(t2[8 + 1].text, "0.0");  // -0.025
}

// A graph of one sample per pixel from 0 degrees: x = 50 + (j - 3600).
struct CurveFixture {
  MonitorStore store;
  MonitorCurve curves[kMonitorCurveCount];
  MonitorSettings s = Defaults();
  CurveFixture() {
    s.xRange = 400;
    s.xShift = 3600;
    curves[0].shown = true;
    curves[0].samples = store.Samples(kGraphX, 0);
    curves[0].color = 0x0000FF;
  }
  float* samples() { return store.Samples(kGraphX, 0); }
};

TEST(MonitorGraph, CurvesDropToTheAxisAfterEachRunAndHoldTheEdges) {
  CurveFixture f;
  for (int j = 3600; j < 3610; ++j) f.samples()[j] = 0.0f;  // y = 100 pixels
  f.samples()[3611] = 0.5f;
  f.samples()[3612] = 0.5f;
  f.samples()[3620] = 0.25f;  // a lone value: moved to, then the drop
  f.samples()[3630] = -5.0f;  // below the shift: on the X axis
  f.samples()[3631] = 9.0f;   // above the top: at the top edge
  DrawList out;
  DrawGraphCurves(f.s, f.curves, nullptr, out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0].kind, DrawKind::Polyline);
  // No line from the origin; the missing sample after a run is drawn to,
  // one pixel under the X axis (y = H - 15), and the next run starts
  // with a move.
  ASSERT_EQ(out[0].points.size(), 11u);
  EXPECT_EQ(out[0].points.front(), (GraphPoint{50, 124}));
  EXPECT_EQ(out[0].points[9], (GraphPoint{59, 124}));
  EXPECT_EQ(out[0].points.back(), (GraphPoint{60, 225}));
  EXPECT_EQ(out[1].points, (std::vector<GraphPoint>{{61, 74}, {62, 74}, {63, 225}}));
  EXPECT_EQ(out[2].points, (std::vector<GraphPoint>{{70, 99}, {71, 225}}));
  EXPECT_EQ(out[3].points, (std::vector<GraphPoint>{{80, 224}, {81, 14}, {82, 225}}));
  EXPECT_EQ(out[0].color, 0x0000FFu);
  EXPECT_EQ(out[0].penWidth, 1);

  // Indices past 9999 are missing: a span from 9000 draws up to 9999 and
  // drops at the first index beyond.
  CurveFixture g;
  for (int j = 9000; j < kMonitorSampleCount; ++j) g.samples()[j] = 0.0f;
  g.s.xShift = 9000;
  g.s.xRange = 5000;
  g.curves[0].bold = true;
  g.curves[0].style = PenStyle::Dash;
  DrawList far;
  DrawGraphCurves(g.s, g.curves, nullptr, far);
  ASSERT_EQ(far.size(), 1u);
  ASSERT_GE(far[0].points.size(), 2u);
  EXPECT_EQ(far[0].points[far[0].points.size() - 2], (GraphPoint{50 + 400 * 999 / 5000, 124}));
  EXPECT_EQ(far[0].points.back(), (GraphPoint{50 + 400 * 1000 / 5000, 225}));
  EXPECT_EQ(far[0].penWidth, 2);
  EXPECT_EQ(far[0].style, PenStyle::Dash);
}

TEST(MonitorGraph, MarksSitAtThePresentAngleBeforeTheirCurveReachesIt) {
  CurveFixture f;
  for (int j = 3600; j < 3608; ++j) f.samples()[j] = f.store.Samples(kGraphX, 1)[j] = 0.0f;
  f.curves[1] = f.curves[0];
  f.curves[1].samples = f.store.Samples(kGraphX, 1);
  f.curves[1].color = 0x00FF00;
  const float joints[6] = {0.5f, 0.7f, 0, 0, 0, 0};
  DrawList out;
  DrawGraphCurves(f.s, f.curves, joints, out);
  // Each curve: its line up to the pen, the dot, the line on from the pen.
  ASSERT_EQ(out.size(), 6u);
  EXPECT_EQ(out[0].points.back(), (GraphPoint{54, 124}));
  EXPECT_EQ(out[1].kind, DrawKind::FilledCircle);
  EXPECT_EQ(out[1].a, (GraphPoint{55, 124}));
  EXPECT_EQ(out[1].radius, 4);
  EXPECT_EQ(out[2].points.front(), (GraphPoint{54, 124}));
  EXPECT_EQ(out[4].a, (GraphPoint{57, 124}));
  EXPECT_EQ(out[4].color, 0x00FF00u);
  // A missing sample is marked too; no dot without "Mark" or without joints.
  const float beyond[6] = {1.0f, 0.7f, 0, 0, 0, 0};
  out.clear();
  DrawGraphCurves(f.s, f.curves, beyond, out);
  ASSERT_EQ(OfKind(out, DrawKind::FilledCircle).size(), 2u);
  EXPECT_EQ(out[1].a, (GraphPoint{60, 225}));
  f.s.mark = false;
  out.clear();
  DrawGraphCurves(f.s, f.curves, joints, out);
  EXPECT_TRUE(OfKind(out, DrawKind::FilledCircle).empty());
  // Slider angles are hundredths held in floats; each lands on its tenth.
  for (int pos = -36000; pos <= 36000; ++pos) {
    const int tenths = pos >= 0 ? pos / 10 : -((-pos + 9) / 10);
    ASSERT_EQ(SampleIndexOfAngle(pos * 0.01f), kMonitorZeroIndex + tenths) << pos;
  }
}

TEST(MonitorGraph, LegendSizePlacementAndRows) {
  MonitorStore store;
  MonitorCurve curves[kMonitorCurveCount];
  for (int c = 0; c < 3; ++c) curves[c] = store.Curve(kGraphX, c);
  curves[0].shown = curves[2].shown = true;
  curves[0].color = 0x0000FF;
  curves[2].color = 0x00FFFF;
  EXPECT_EQ(ShownCurveNames(curves), (std::vector<std::string>{"J1", "J3"}));
  const LegendBox five = MeasureLegend(SweptCurveNames(store), SixPerChar);
  EXPECT_EQ(five.width, 12 + 32);
  EXPECT_EQ(five.height, 4 + 12 * 5);
  EXPECT_EQ(InitialLegendPosition(ComputeGraphLayout(500, 240), five.width), (GraphPoint{500 - 57, 14}));

  // Pulled back inside the image at the bottom right and top left.
  EXPECT_EQ(PlaceLegend({495, 235}, 500, 240, five), (GraphPoint{456, 176}));
  EXPECT_EQ(PlaceLegend({-10, -5}, 500, 240, five), (GraphPoint{0, 0}));
  EXPECT_EQ(PlaceLegend({30, 40}, 500, 240, five), (GraphPoint{30, 40}));
  EXPECT_EQ(PlaceLegend({30, 40}, 20, 20, five), (GraphPoint{0, 0}));

  DrawList out;
  DrawGraphLegend(Defaults(), curves, {480, 20}, SixPerChar, out);
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out[0].kind, DrawKind::FramedRect);
  EXPECT_EQ(out[0].rect, (GraphRect{456, 20, 44, 28}));
  EXPECT_EQ(out[0].color, 0xFFFFFFu);
  EXPECT_EQ(out[3].rect, (GraphRect{460, 36, 16, 8}));  // second row: J3
  EXPECT_EQ(out[3].color, 0x00FFFFu);
  EXPECT_EQ(out[4].text, "J3");
  EXPECT_EQ(out[4].a, (GraphPoint{484, 40}));
  EXPECT_EQ(out[4].anchor, TextAnchor::LeftCenter);
  EXPECT_EQ(out[4].color, 0x000000u);
  // No shown curve, no box; "Legend" off, no box either.
  MonitorCurve none[kMonitorCurveCount];
  out.clear();
  DrawGraphLegend(Defaults(), none, {10, 10}, SixPerChar, out);
  EXPECT_TRUE(out.empty());
  const DrawList whole = DrawMonitorGraph(Defaults(), curves, nullptr, {10, 10}, SixPerChar);
  EXPECT_TRUE(OfKind(whole, DrawKind::FramedRect).empty());
}

TEST(MonitorGraph, StoreStartsEmptyAndCalcSweepsJ1ToJ5) {
  MonitorStore store;
  for (int g = 0; g < kMonitorGraphCount; ++g)
    for (int c = 0; c < kMonitorCurveCount; ++c) {
      EXPECT_FALSE(store.Curve(g, c).shown);
      EXPECT_EQ(store.Curve(g, c).name, c < 6 ? "J" + std::to_string(c + 1) : "");
      EXPECT_EQ(store.Samples(g, c)[c * 997], kMissingSample);
    }
  store.Samples(kGraphZ, 0)[100] = 1.5f;
  const float joints[6] = {10, 20, 30, 40, 50, 60};
  store.Calc(joints);
  for (int g = 0; g < kMonitorGraphCount; ++g) {
    for (int c = 0; c < 5; ++c) EXPECT_EQ(store.Curve(g, c).samples, store.Samples(g, c));
    EXPECT_FALSE(store.Curve(g, 5).shown);
  }
  EXPECT_EQ(store.Samples(kGraphZ, 0)[100], 1.5f);  // outside every sweep
  const int ends[5][2] = {{1200, 6000}, {2700, 4800}, {1800, 5400}, {1600, 5600}, {2400, 4800}};
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(store.Samples(kGraphX, p)[ends[p][0] - 1], kMissingSample) << p;
    EXPECT_EQ(store.Samples(kGraphX, p)[ends[p][1] + 1], kMissingSample) << p;
    for (int k : {ends[p][0], (ends[p][0] + ends[p][1]) / 2 + 3, ends[p][1]}) {
      float pose[6] = {10, 20, 30, 40, 50, 60};
      pose[p] = static_cast<float>(k - kMonitorZeroIndex) / 10.0f;
      double tp[3];
      ToolPointOfJoints(pose, tp);
      EXPECT_EQ(store.Samples(kGraphX, p)[k], static_cast<float>(tp[0])) << p << " " << k;
      EXPECT_EQ(store.Samples(kGraphY, p)[k], static_cast<float>(tp[2])) << p << " " << k;
      EXPECT_EQ(store.Samples(kGraphZ, p)[k], static_cast<float>(tp[1])) << p << " " << k;
    }
  }
  // J1 at 90 degrees from home: the reach of 0.37 m lies along scene X.
  const float home[6] = {0, 0, 90, 0, 0, 0};
  store.Calc(home);
  EXPECT_NEAR(store.Samples(kGraphX, 0)[4500], 0.37, 1e-5);
  EXPECT_NEAR(store.Samples(kGraphY, 0)[4500], 0.0, 1e-5);
  EXPECT_NEAR(store.Samples(kGraphZ, 0)[4500], 0.56, 1e-5);
}

}  // namespace
