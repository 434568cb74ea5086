#include "arm/MonitorGraphDraw.h"

#include <algorithm>
#include <cmath>

namespace {

DrawCommand MakeLine(GraphPoint a, GraphPoint b, uint32_t color, int width, PenStyle style) {
  DrawCommand c;
  c.kind = DrawKind::Line;
  c.a = a;
  c.b = b;
  c.color = color;
  c.penWidth = width;
  c.style = style;
  return c;
}

DrawCommand MakeText(GraphPoint at, TextAnchor anchor, std::string text, uint32_t color) {
  DrawCommand c;
  c.kind = DrawKind::Text;
  c.a = at;
  c.anchor = anchor;
  c.text = std::move(text);
  c.color = color;
  c.fontSize = kGraphFontSize;
  return c;
}

DrawCommand MakeFill(GraphRect r, uint32_t color) {
  DrawCommand c;
  c.kind = DrawKind::FillRect;
  c.rect = r;
  c.color = color;
  return c;
}

bool IsValue(float v) {
  return v != kMissingSample && std::isfinite(v);
}

}  // namespace

void DrawGraphBackground(const MonitorSettings& s, DrawList& out) {
  const GraphLayout l = ComputeGraphLayout(s.width, s.height);
  out.push_back(MakeFill({0, 0, s.width, s.height}, s.backColor));
  if (!l.HasPlot()) return;

  // Grid: every fifth line solid, the others dotted.
  for (int i = 0; i < l.majorX; ++i) {
    const int x = l.originX + 10 * i;
    out.push_back(MakeLine({x, l.originY}, {x, l.AxisTop()}, s.subColor, 1,
                           i % 5 == 0 ? PenStyle::Solid : PenStyle::Dot));
  }
  for (int i = 0; i < l.majorY; ++i) {
    const int y = l.originY - 10 * i;
    out.push_back(MakeLine({l.originX, y}, {l.AxisRight(), y}, s.subColor, 1,
                           i % 5 == 0 ? PenStyle::Solid : PenStyle::Dot));
  }

  out.push_back(
      MakeLine({l.originX, l.originY}, {l.AxisRight(), l.originY}, s.axisColor, 2, PenStyle::Solid));
  out.push_back(MakeLine({l.originX, l.originY}, {l.originX, l.AxisTop()}, s.axisColor, 2, PenStyle::Solid));

  // Labels every 50 pixels. Dividing as reals puts the last label exactly
  // on the end of the range (360.0, not 359.6, for 7200 samples in 7 steps).
  const double xStep = l.labelX > 0 ? static_cast<double>(s.xRange) / l.labelX : 0.0;
  for (int i = 0; i <= l.labelX; ++i) {
    const double angle = (xStep * i + s.xShift - kMonitorZeroIndex) * 0.1;
    out.push_back(MakeText({l.originX + 50 * i, l.originY + 2}, TextAnchor::TopCenter,
                           FormatOneDecimal(angle), s.labelColor));
  }
  const double yStep = l.labelY > 0 ? s.yRange / l.labelY : 0.0;
  for (int i = 0; i <= l.labelY; ++i) {
    out.push_back(MakeText({25, l.originY - 50 * i}, TextAnchor::Center,
                           FormatOneDecimal(yStep * i + s.yShift), s.labelColor));
  }
}

void DrawGraphCurves(const MonitorSettings& s, const MonitorCurve curves[kMonitorCurveCount],
                     const float* joints, DrawList& out) {
  const GraphLayout l = ComputeGraphLayout(s.width, s.height);
  if (!l.HasPlot() || s.xRange < 1 || !(s.yRange > 0.0)) return;
  const long long scaleW = l.ScaleWidth();
  const double scaleH = l.ScaleHeight();
  const int first = s.xShift;
  const int last = s.xShift + s.xRange;

  for (int c = 0; c < kMonitorCurveCount; ++c) {
    const MonitorCurve& curve = curves[c];
    if (!curve.shown || !curve.samples) continue;
    const bool marking = s.mark && joints && c < kMonitorJointCount;
    const int marker = marking ? SampleIndexOfAngle(joints[c]) : 0;

    DrawCommand line;
    line.kind = DrawKind::Polyline;
    line.color = curve.color;
    line.penWidth = curve.bold ? 2 : 1;
    line.style = curve.style;
    // The pen starts at the origin with nothing drawn yet. It draws a line
    // to a point when the previous sample held a value and only moves
    // there otherwise: the first point of a run is moved to, and the point
    // after a run's last value (a missing sample, one pixel under the X
    // axis) is drawn to, so every run ends in a drop to that line.
    bool previousWasValue = false;
    auto flush = [&] {
      if (line.points.size() >= 2) out.push_back(line);
      line.points.clear();
    };
    for (int j = first; j <= last; ++j) {
      const int x = l.originX + static_cast<int>(scaleW * (j - first) / s.xRange);
      const float v = (j >= 0 && j < kMonitorSampleCount) ? curve.samples[j] : kMissingSample;
      const bool value = IsValue(v);
      double y = -1.0;
      if (value) y = std::clamp((v - s.yShift) * scaleH / s.yRange, 0.0, static_cast<double>(l.usableHeight));
      const GraphPoint p{x, l.originY - static_cast<int>(std::floor(y))};

      if (marking && j == marker) {
        // The dot goes down before the pen reaches its point, missing
        // sample or not, so the rest of this curve and every later curve
        // are drawn over it: the line breaks there and carries on from
        // where the pen stood.
        const bool continuing = previousWasValue && !line.points.empty();
        const GraphPoint pen = continuing ? line.points.back() : GraphPoint{};
        flush();
        DrawCommand dot;
        dot.kind = DrawKind::FilledCircle;
        dot.a = p;
        dot.radius = kMarkRadius;
        dot.color = curve.color;
        out.push_back(dot);
        if (continuing) line.points.push_back(pen);
      }
      if (previousWasValue) {
        // Several samples share a pixel column; repeating a point draws nothing.
        if (!(line.points.back() == p)) line.points.push_back(p);
      } else {
        flush();
        line.points.push_back(p);
      }
      previousWasValue = value;
    }
    flush();
  }
}

std::vector<std::string> ShownCurveNames(const MonitorCurve curves[kMonitorCurveCount]) {
  std::vector<std::string> names;
  for (int c = 0; c < kMonitorCurveCount; ++c)
    if (curves[c].shown) names.push_back(curves[c].name);
  return names;
}

std::vector<std::string> SweptCurveNames(const MonitorStore& store) {
  std::vector<std::string> names;
  for (int c = 0; c < kMonitorSweptJoints; ++c) names.push_back(store.Curve(kGraphX, c).name);
  return names;
}

LegendBox MeasureLegend(const std::vector<std::string>& names, const TextWidthFn& textWidth) {
  int widest = 0;
  for (const std::string& n : names) widest = std::max(widest, textWidth(n));
  return {widest + 32, 4 + 12 * static_cast<int>(names.size())};
}

GraphPoint InitialLegendPosition(const GraphLayout& xGraph, int boxWidth) {
  return {xGraph.width - boxWidth * 13 / 10, xGraph.AxisTop()};
}

GraphPoint PlaceLegend(GraphPoint mouse, int width, int height, LegendBox box) {
  // A box larger than the image keeps its top-left corner in view.
  return {std::max(0, std::min(mouse.x, width - box.width)),
          std::max(0, std::min(mouse.y, height - box.height))};
}

void DrawGraphLegend(const MonitorSettings& s, const MonitorCurve curves[kMonitorCurveCount],
                     GraphPoint position, const TextWidthFn& textWidth, DrawList& out) {
  const std::vector<std::string> names = ShownCurveNames(curves);
  if (names.empty()) return;
  const LegendBox box = MeasureLegend(names, textWidth);
  // The shared position may come from a larger graph; keep it in this one.
  const GraphPoint at = PlaceLegend(position, s.width, s.height, box);

  DrawCommand frame;
  frame.kind = DrawKind::FramedRect;
  frame.rect = {at.x, at.y, box.width, box.height};
  frame.color = kLegendFrameColor;
  frame.fill = kLegendFaceColor;
  out.push_back(frame);

  int row = 0;
  for (int c = 0; c < kMonitorCurveCount; ++c) {
    if (!curves[c].shown) continue;
    const int top = at.y + 4 + 12 * row;
    out.push_back(MakeFill({at.x + 4, top, 16, 8}, curves[c].color));
    out.push_back(
        MakeText({at.x + 4 + 24, top + 4}, TextAnchor::LeftCenter, curves[c].name, kLegendTextColor));
    ++row;
  }
}

DrawList DrawMonitorGraph(const MonitorSettings& s, const MonitorCurve curves[kMonitorCurveCount],
                          const float* joints, GraphPoint legendPosition, const TextWidthFn& textWidth) {
  DrawList out;
  DrawGraphBackground(s, out);
  DrawGraphCurves(s, curves, joints, out);
  if (s.drawLegend) DrawGraphLegend(s, curves, legendPosition, textWidth, out);
  return out;
}
