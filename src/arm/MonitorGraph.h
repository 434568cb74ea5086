#pragma once

// The XYZ monitor's model: the sample store of the three position graphs,
// their curve records, the settings read from the window's controls, the
// graph layout arithmetic and the single-joint sweeps that fill the store.
// The drawing of a graph is in MonitorGraphDraw.h.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int kMonitorGraphCount = 3;  // X, Y and Z position
constexpr int kMonitorCurveCount = 10;
constexpr int kMonitorSampleCount = 10000;
// Sample k stands for the joint angle (k - 3600) / 10 degrees.
constexpr int kMonitorZeroIndex = 3600;
constexpr float kMissingSample = -99999.0f;
// Curves 1 to 6 belong to joints J1 to J6; J6 turns about the tool axis
// and is never swept.
constexpr int kMonitorJointCount = 6;
constexpr int kMonitorSweptJoints = 5;

enum MonitorGraphIndex { kGraphX = 0, kGraphY = 1, kGraphZ = 2 };

enum class PenStyle : int { Solid = 0, Dot = 1, Dash = 2 };

// One joint's sweep, in tenths of a degree so that every step lands on a
// sample index exactly.
struct JointSweep {
  int firstTenth;
  int lastTenth;
};
extern const JointSweep kJointSweeps[kMonitorSweptJoints];

struct MonitorCurve {
  bool shown = false;
  uint32_t color = 0;  // 0x00BBGGRR
  PenStyle style = PenStyle::Solid;
  bool bold = false;               // pen width 2 instead of 1
  const float* samples = nullptr;  // kMonitorSampleCount values, or none yet
  std::string name;
};

// The samples of 3 graphs x 10 curves and their curve records. Curve
// records point into the store, so it is neither copied nor moved.
class MonitorStore {
 public:
  MonitorStore();
  MonitorStore(const MonitorStore&) = delete;
  MonitorStore& operator=(const MonitorStore&) = delete;

  float* Samples(int graph, int curve);
  const float* Samples(int graph, int curve) const;
  MonitorCurve& Curve(int graph, int curve) { return curves_[graph][curve]; }
  const MonitorCurve& Curve(int graph, int curve) const { return curves_[graph][curve]; }
  const MonitorCurve* Curves(int graph) const { return curves_[graph]; }

  // The six swatch colours go to curves 1 to 6 of every graph.
  void ApplyCurveColors(const uint32_t colors[kMonitorJointCount]);

  // Sweeps J1 to J5 in turn through their ranges in steps of 0.1 degree,
  // the other joints held at joints[] (degrees), and stores the tool
  // point's X, Y and Z (height) in the three graphs. Swept curves are
  // shown; samples outside a sweep keep what they held.
  void Calc(const float joints[kMonitorJointCount]);

 private:
  std::vector<float> samples_;
  MonitorCurve curves_[kMonitorGraphCount][kMonitorCurveCount];
};

// The sample index of a joint angle in degrees: 0.1 degree per sample,
// 0 degrees at index 3600.
int SampleIndexOfAngle(float degrees);

// Control states as the window holds them: slider positions and colours.
struct MonitorControls {
  int imageWidth = 0, imageHeight = 0;
  int xRangePosition = 0;  // sample units
  int xShiftPosition = 0;  // sample units
  int yRangePosition = 0;  // tenths of a metre
  int yShiftPosition = 0;  // tenths of a metre
  uint32_t backColor = 0, axisColor = 0, subColor = 0, labelColor = 0;
  uint32_t curveColors[kMonitorJointCount] = {};
  bool drawLegend = false;
  bool mark = false;
};

// What drawing a graph reads.
struct MonitorSettings {
  int width = 0, height = 0;
  int xRange = 1;       // samples across the labelled width
  int xShift = 0;       // first sample shown
  double yRange = 1.0;  // metres up the labelled height
  double yShift = 0.0;  // metres at the X axis
  uint32_t backColor = 0, axisColor = 0, subColor = 0, labelColor = 0;
  uint32_t curveColors[kMonitorJointCount] = {};
  bool drawLegend = false;
  bool mark = false;
};

MonitorSettings ReadMonitorSettings(const MonitorControls& c);

// The texts beside the four sliders: ranges and shifts of X in samples
// without decimals, of Y in metres with one decimal.
struct MonitorLabelTexts {
  std::string xRange, xShift, yRange, yShift;
};
MonitorLabelTexts FormatMonitorLabels(const MonitorSettings& s);

// A value with one decimal; a value that rounds to zero never shows a sign.
std::string FormatOneDecimal(double v);

// Where things go on a graph image of width x height pixels. The plot
// leaves 50 pixels left of the Y axis for its labels, 16 under the X axis
// and 8 at the top and right; the grid pitch is 10 pixels and the labels
// stand every 50.
struct GraphLayout {
  int width = 0, height = 0;
  int plotWidth = 0, plotHeight = 0;      // pw, ph
  int majorX = 0, majorY = 0;             // grid lines: nx, ny
  int labelX = 0, labelY = 0;             // label steps: mx, my
  int marginRight = 0, marginTop = 0;     // rx, ry
  int usableWidth = 0, usableHeight = 0;  // aw, ah
  int originX = 50, originY = 0;

  // Whether there is room for at least one grid cell each way; a smaller
  // image shows only its background.
  bool HasPlot() const { return majorX > 0 && majorY > 0; }
  int AxisRight() const { return width - marginRight - 8; }
  int AxisTop() const { return marginTop + 8; }
  // Pixels that the X and Y ranges span: whole label steps only.
  int ScaleWidth() const { return usableWidth - usableWidth % 50; }
  int ScaleHeight() const { return usableHeight - usableHeight % 50; }
};

GraphLayout ComputeGraphLayout(int width, int height);
