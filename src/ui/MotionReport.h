#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <vector>

#include "collision/MotionSweep.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class FrameDriver;
class LinkRecording;
struct AllowedContacts;
struct CellStep;

// Clearance against step, drawn as a line with the contact steps in red;
// a click picks the nearest step.
class SweepPlot : public QWidget {
  Q_OBJECT
 public:
  explicit SweepPlot(QWidget* parent);
  void SetResult(const SweepResult* result);
  void SetCurrent(int step);
  // The step under panel x, -1 for none.
  int StepAt(int x) const;
  QSize sizeHint() const override { return QSize(560, 160); }

 Q_SIGNALS:
  void StepPicked(int step);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QRect Area() const;
  const SweepResult* result_ = nullptr;
  int current_ = -1;
};

// Tools > Motion Report: a motion of the cell run through the check, its
// steps in a table and a plot; a step clicked in either poses the cell
// there, and the table saves as CSV.
class MotionReport : public QDialog {
  Q_OBJECT
 public:
  // recording: the link session's steps; allowed: the scene's allowed
  // contacts; pose: shows the cell at a step.
  MotionReport(QWidget* parent, FrameDriver& frame, const LinkRecording& recording,
               const AllowedContacts& allowed, std::function<void(const CellStep&)> pose);

  // Runs the motion chosen (index into the combo: animation, rbt1, rbt2,
  // cycle) from the cell as it stands.
  void Run();
  // Poses the cell at step (the table's row, the plot's point).
  void PoseAt(int step);
  // Writes the table to path; "" or why not.
  QString SaveCsv(const QString& path);

  const SweepResult& result() const { return result_; }
  const std::vector<CellStep>& steps() const { return steps_; }
  QComboBox* motion() const { return motion_; }
  QTableWidget* table() const { return table_; }
  SweepPlot* plot() const { return plot_; }
  QLabel* summary() const { return summary_; }
  QPushButton* saveButton() const { return save_; }

 private:
  void Fill();

  FrameDriver& frame_;
  const LinkRecording& recording_;
  const AllowedContacts& allowed_;
  std::function<void(const CellStep&)> pose_;
  QComboBox* motion_;
  QLabel* summary_;
  QTableWidget* table_;
  SweepPlot* plot_;
  QPushButton* save_;
  SweepResult result_;
  std::vector<CellStep> steps_;
};
