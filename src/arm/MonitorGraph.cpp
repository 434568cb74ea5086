#include "arm/MonitorGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "arm/ToolPoint.h"

const JointSweep kJointSweeps[kMonitorSweptJoints] = {
    {-2400, 2400},  // J1
    {-900, 1200},   // J2
    {-1800, 1800},  // J3
    {-2000, 2000},  // J4
    {-1200, 1200},  // J5
};

MonitorStore::MonitorStore()
    : samples_(static_cast<size_t>(kMonitorGraphCount) * kMonitorCurveCount * kMonitorSampleCount,
               kMissingSample) {
  for (int g = 0; g < kMonitorGraphCount; ++g)
    for (int c = 0; c < kMonitorJointCount; ++c) curves_[g][c].name = "J" + std::to_string(c + 1);
}

float* MonitorStore::Samples(int graph, int curve) {
  return samples_.data() + (static_cast<size_t>(graph) * kMonitorCurveCount + curve) * kMonitorSampleCount;
}

const float* MonitorStore::Samples(int graph, int curve) const {
  return samples_.data() + (static_cast<size_t>(graph) * kMonitorCurveCount + curve) * kMonitorSampleCount;
}

void MonitorStore::ApplyCurveColors(const uint32_t colors[kMonitorJointCount]) {
  for (int g = 0; g < kMonitorGraphCount; ++g)
    for (int c = 0; c < kMonitorJointCount; ++c) curves_[g][c].color = colors[c];
}

void MonitorStore::Calc(const float joints[kMonitorJointCount]) {
  for (int p = 0; p < kMonitorSweptJoints; ++p) {
    float pose[kMonitorJointCount];
    for (int i = 0; i < kMonitorJointCount; ++i) pose[i] = joints[i];
    float* xs = Samples(kGraphX, p);
    float* ys = Samples(kGraphY, p);
    float* zs = Samples(kGraphZ, p);
    // Stepping by a whole number of tenths keeps both ends of the range:
    // adding 0.1 to a float 4800 times would drift past the last angle.
    for (int t = kJointSweeps[p].firstTenth; t <= kJointSweeps[p].lastTenth; ++t) {
      pose[p] = static_cast<float>(t) / 10.0f;
      double point[3];
      ToolPointOfJoints(pose, point);
      const int k = t + kMonitorZeroIndex;
      // The tool point comes in GL order: across, up, along the scene's Y.
      xs[k] = static_cast<float>(point[0]);
      ys[k] = static_cast<float>(point[2]);
      zs[k] = static_cast<float>(point[1]);
    }
    for (int g = 0; g < kMonitorGraphCount; ++g) {
      curves_[g][p].shown = true;
      curves_[g][p].samples = Samples(g, p);
    }
  }
}

int SampleIndexOfAngle(float degrees) {
  // Slider angles are whole hundredths held in a float; the small
  // allowance keeps e.g. -0.1 degrees on sample 3599 rather than 3598.
  return static_cast<int>(std::floor(static_cast<double>(degrees) * 10.0 + kMonitorZeroIndex + 1e-3));
}

MonitorSettings ReadMonitorSettings(const MonitorControls& c) {
  MonitorSettings s;
  s.width = c.imageWidth;
  s.height = c.imageHeight;
  s.xRange = c.xRangePosition;
  s.xShift = c.xShiftPosition;
  s.yRange = c.yRangePosition * 0.1;
  s.yShift = c.yShiftPosition * 0.1;
  s.backColor = c.backColor;
  s.axisColor = c.axisColor;
  s.subColor = c.subColor;
  s.labelColor = c.labelColor;
  for (int i = 0; i < kMonitorJointCount; ++i) s.curveColors[i] = c.curveColors[i];
  s.drawLegend = c.drawLegend;
  s.mark = c.mark;
  return s;
}

std::string FormatOneDecimal(double v) {
  if (std::fabs(v) < 0.05) v = 0.0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

MonitorLabelTexts FormatMonitorLabels(const MonitorSettings& s) {
  return {std::to_string(s.xRange), std::to_string(s.xShift), FormatOneDecimal(s.yRange),
          FormatOneDecimal(s.yShift)};
}

GraphLayout ComputeGraphLayout(int width, int height) {
  GraphLayout l;
  l.width = width;
  l.height = height;
  l.plotWidth = width - 58;
  l.plotHeight = height - 24;
  l.majorX = l.plotWidth >= 10 ? l.plotWidth / 10 : 0;
  l.majorY = l.plotHeight >= 10 ? l.plotHeight / 10 : 0;
  l.labelX = l.majorX > 0 ? l.plotWidth / 50 : 0;
  l.labelY = l.majorY > 0 ? l.plotHeight / 50 : 0;
  // Without a single grid cell there is nothing to take the remainder of;
  // the whole plot is margin then.
  l.marginRight = l.majorX > 0 ? l.plotWidth % (l.majorX * 10) : std::max(l.plotWidth, 0);
  l.marginTop = l.majorY > 0 ? l.plotHeight % (l.majorY * 10) : std::max(l.plotHeight, 0);
  l.usableWidth = l.majorX > 0 ? l.plotWidth - l.marginRight : 0;
  l.usableHeight = l.majorY > 0 ? l.plotHeight - l.marginTop : 0;
  l.originX = 50;
  l.originY = height - 16;
  return l;
}
