#pragma once

// Drawing one XYZ monitor graph as a list of plain drawing commands, which
// the window replays onto its image. Keeping the picture as data lets the
// layout be checked without any window.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "arm/MonitorGraph.h"

struct GraphPoint {
  int x = 0, y = 0;
};
inline bool operator==(GraphPoint a, GraphPoint b) {
  return a.x == b.x && a.y == b.y;
}

struct GraphRect {
  int x = 0, y = 0, width = 0, height = 0;
};
inline bool operator==(GraphRect a, GraphRect b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

enum class DrawKind {
  FillRect,      // rect filled with color
  FramedRect,    // rect filled with fill, outlined in color (pen width 1)
  Line,          // from a to b
  Polyline,      // through points
  Text,          // text at a, placed by anchor
  FilledCircle,  // centre a, radius
};

// Which point of the text's box sits on the anchor point.
enum class TextAnchor { TopCenter, Center, LeftCenter };

struct DrawCommand {
  DrawKind kind = DrawKind::Line;
  uint32_t color = 0;  // pen, fill or text colour, 0x00BBGGRR
  uint32_t fill = 0;   // inside of a FramedRect
  int penWidth = 1;
  PenStyle style = PenStyle::Solid;
  GraphPoint a, b;
  GraphRect rect;
  int radius = 0;
  std::vector<GraphPoint> points;
  std::string text;
  TextAnchor anchor = TextAnchor::Center;
  int fontSize = 0;  // points
};

using DrawList = std::vector<DrawCommand>;

// Width in pixels of a text in the graphs' font.
using TextWidthFn = std::function<int(const std::string&)>;

constexpr int kGraphFontSize = 9;
constexpr uint32_t kLegendFrameColor = 0xFFFFFF;
constexpr uint32_t kLegendFaceColor = 0xF0F0F0;  // button face
constexpr uint32_t kLegendTextColor = 0x000000;
constexpr int kMarkRadius = 4;

// Background, grid, axes and axis labels.
void DrawGraphBackground(const MonitorSettings& s, DrawList& out);

// Every shown curve of the graph, with gaps where samples are missing and,
// with "Mark" on, a dot at each joint's present angle (also where its
// sample is missing, one pixel under the X axis). Each dot is drawn in
// its curve's turn, before the line reaches its point. joints may be null
// (no joint reference yet: no dots).
void DrawGraphCurves(const MonitorSettings& s, const MonitorCurve curves[kMonitorCurveCount],
                     const float* joints, DrawList& out);

// The legend: one row per shown curve. Nothing when no curve is shown.
struct LegendBox {
  int width = 0, height = 0;
};
LegendBox MeasureLegend(const std::vector<std::string>& names, const TextWidthFn& textWidth);
std::vector<std::string> ShownCurveNames(const MonitorCurve curves[kMonitorCurveCount]);
// The names Calc shows: what the legend will list once the graphs are filled.
std::vector<std::string> SweptCurveNames(const MonitorStore& store);

// Top-left corner of the legend when the window is created: near the top
// right of the X graph.
GraphPoint InitialLegendPosition(const GraphLayout& xGraph, int boxWidth);
// The corner at the mouse, pulled back so that the box stays inside the image.
GraphPoint PlaceLegend(GraphPoint mouse, int width, int height, LegendBox box);

void DrawGraphLegend(const MonitorSettings& s, const MonitorCurve curves[kMonitorCurveCount],
                     GraphPoint position, const TextWidthFn& textWidth, DrawList& out);

// The whole graph: background, curves and, if switched on, the legend.
DrawList DrawMonitorGraph(const MonitorSettings& s, const MonitorCurve curves[kMonitorCurveCount],
                          const float* joints, GraphPoint legendPosition, const TextWidthFn& textWidth);
