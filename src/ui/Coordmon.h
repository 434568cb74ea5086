#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>

#include "arm/MonitorGraph.h"
#include "arm/MonitorGraphDraw.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class ColorSwatch;
class TrackBar;

// One graph's image: shows the picture it is given and reports mouse
// presses with the keys held.
class MonitorGraphView : public QWidget {
  Q_OBJECT
 public:
  MonitorGraphView(const QString& name, int tag, int width, int height, QWidget* parent);
  const QImage& Image() const { return image_; }
  void SetImage(const QImage& image);
 Q_SIGNALS:
  void mouseDown(MonitorGraphView* self, QPoint position, Qt::KeyboardModifiers modifiers);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QImage image_;
};

// The XYZ monitor: plots the tool point while one joint sweeps its range.
class TXYZ_Mon : public QDialog {
  Q_OBJECT
 public:
  // Moves a joint of the arm by amount hundredths of a degree.
  using NudgeJointFn = std::function<void(int joint, int amount)>;

  explicit TXYZ_Mon(QWidget* parent = nullptr);
  ~TXYZ_Mon() override;

  // Show for joints: keeps the reference to the arm's six joint angles
  // (degrees, owned by the caller and living as long as this window) and
  // the way back to the arm, runs Calc and shows the window. A null
  // reference does nothing at all.
  void Attach(const float* joints, NudgeJointFn nudgeJoint);
  // The way back to the arm alone, for "+" and "-" before any Attach.
  void SetNudgeJoint(NudgeJointFn nudgeJoint) { nudgeJoint_ = std::move(nudgeJoint); }

  // Sweeps the joints and redraws; nothing without a joint reference.
  void Calc();
  // Reads the settings and draws the three graphs anew.
  void RedrawGraphs();

  MonitorSettings ReadSettings(const MonitorGraphView* view) const;
  // The graph views X, Y, Z and the six curve swatches J1..J6, in order.
  MonitorGraphView* Graph(int graph) const { return graphs_[graph]; }
  ColorSwatch* CurveSwatch(int joint) const { return curveSwatches_[joint]; }
  const MonitorStore& Store() const { return *store_; }
  GraphPoint LegendPosition() const { return legendPosition_; }
  const float* Joints() const { return joints_; }

  // --- Controls, named as laid out -------------------------------------------
  MonitorGraphView* Img_X_Graph = nullptr;
  MonitorGraphView* Img_Y_Graph = nullptr;
  MonitorGraphView* Img_Z_Graph = nullptr;
  TrackBar* Tkb_X_Range = nullptr;
  TrackBar* Tkb_X_Shift = nullptr;
  TrackBar* Tkb_Y_Range = nullptr;
  TrackBar* Tkb_Y_Shift = nullptr;
  QLabel* Lbl_X_Range = nullptr;
  QLabel* Lbl_X_Shift = nullptr;
  QLabel* Lbl_Y_Range = nullptr;
  QLabel* Lbl_Y_Shift = nullptr;
  ColorSwatch* Shp_Back_Color = nullptr;
  ColorSwatch* Shp_Axis_Color = nullptr;
  ColorSwatch* Shp_Sub_Color = nullptr;
  ColorSwatch* Shp_Label_Color = nullptr;
  ColorSwatch* Shp_Data01_Color = nullptr;
  ColorSwatch* Shp_Data02_Color = nullptr;
  ColorSwatch* Shp_Data03_Color = nullptr;
  ColorSwatch* Shp_Data04_Color = nullptr;
  ColorSwatch* Shp_Data05_Color = nullptr;
  ColorSwatch* Shp_Data06_Color = nullptr;
  QCheckBox* Chk_DrawLegend = nullptr;
  QCheckBox* Chk_Mark = nullptr;
  QPushButton* Btn_Calc = nullptr;
  QComboBox* Cmb_AxisNo = nullptr;
  QComboBox* Cmb_ChageValue = nullptr;
  QPushButton* Btn_AxisInc = nullptr;
  QPushButton* Btn_AxisDec = nullptr;

  // --- Handlers --------------------------------------------------------------
  void Tkb_RangeChange();
  void Shp_ColorMouseDown(ColorSwatch* swatch);
  void Chk_MarkClick();
  void Chk_DrawLegendClick();
  void Img_GraphMouseDown(MonitorGraphView* view, QPoint position, Qt::KeyboardModifiers modifiers);
  void Btn_AxisIncDecClick(QPushButton* button);
  void Btn_CalcClick();

 private:
  void BuildLayout();
  void ConnectHandlers();
  void ShowRangeLabels(const MonitorSettings& s);
  int GraphTextWidth(const std::string& text) const;

  MonitorGraphView* graphs_[kMonitorGraphCount] = {};
  ColorSwatch* curveSwatches_[kMonitorJointCount] = {};
  std::unique_ptr<MonitorStore> store_;
  const float* joints_ = nullptr;
  NudgeJointFn nudgeJoint_;
  GraphPoint legendPosition_;
};

