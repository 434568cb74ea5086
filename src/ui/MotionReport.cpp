#include "ui/MotionReport.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "objects/FileAccess.h"
#include "motion/CellMotions.h"
#include "objects/AllowedContacts.h"
#include "ui/Handler.h"
#include "ui/FrameDriver.h"
#include "ui/Prompts.h"

namespace {

// What the combo offers, in CellMotion's order.
const char* const kMotionTexts[] = {"Arm: Animation path", "RBT1: test run", "RBT2: pick-and-place cycle",
                                    "Both robots: pick-and-place cycle", "Controller link: recorded session"};
const char* const kColumns[] = {"Step", "Label", "Clearance (mm)", "Closest pair", "Contacts", "First contact"};

QString Millimetres(double metres) {
  return std::isfinite(metres) ? QString::number(metres * 1000.0, 'f', 1) : QStringLiteral("-");
}

}  // namespace

SweepPlot::SweepPlot(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SweepPlot"));
  setMinimumHeight(120);
  setCursor(Qt::PointingHandCursor);
}

void SweepPlot::SetResult(const SweepResult* result) {
  result_ = result;
  current_ = -1;
  update();
}

void SweepPlot::SetCurrent(int step) {
  current_ = step;
  update();
}

QRect SweepPlot::Area() const {
  return rect().adjusted(48, 8, -8, -20);
}

int SweepPlot::StepAt(int x) const {
  if (!result_ || result_->rows.empty()) return -1;
  const QRect a = Area();
  const int n = static_cast<int>(result_->rows.size());
  if (n == 1) return 0;
  const double t = (x - a.left()) / static_cast<double>(std::max(1, a.width() - 1));
  return std::clamp(static_cast<int>(std::lround(t * (n - 1))), 0, n - 1);
}

void SweepPlot::mousePressEvent(QMouseEvent* e) {
  const int step = StepAt(static_cast<int>(e->position().x()));
  if (step >= 0) Q_EMIT StepPicked(step);
}

void SweepPlot::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  const QRect a = Area();
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(a);
  if (!result_ || result_->rows.empty()) return;
  const auto& rows = result_->rows;
  double top = 0.0;
  for (const SweepRow& r : rows)
    if (std::isfinite(r.clearance)) top = std::max(top, r.clearance);
  if (top <= 0.0) top = 0.001;
  const int n = static_cast<int>(rows.size());
  auto xOf = [&](int i) { return a.left() + (n > 1 ? (a.width() - 1) * i / (n - 1.0) : a.width() / 2.0); };
  auto yOf = [&](double c) { return a.bottom() - a.height() * std::min(c, top) / top; };
  p.setPen(palette().color(QPalette::Text));
  p.drawText(QRect(0, a.top() - 6, 44, 14), Qt::AlignRight, Millimetres(top));
  p.drawText(QRect(0, a.bottom() - 8, 44, 14), Qt::AlignRight, QStringLiteral("0"));
  p.drawText(QRect(a.left(), a.bottom() + 2, a.width(), 16), Qt::AlignCenter, QStringLiteral("step (clearance in mm)"));
  QPainterPath line;
  bool open = false;
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(rows[static_cast<size_t>(i)].clearance)) {
      open = false;
      continue;
    }
    const QPointF pt(xOf(i), yOf(rows[static_cast<size_t>(i)].clearance));
    if (open) {
      line.lineTo(pt);
    } else {
      line.moveTo(pt);
    }
    open = true;
  }
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 90, 200), 1.5));
  p.drawPath(line);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 0, 0));
  for (int i = 0; i < n; ++i)
    if (rows[static_cast<size_t>(i)].contacts > 0) p.drawEllipse(QPointF(xOf(i), yOf(0.0)), 3.0, 3.0);
  if (current_ >= 0 && current_ < n) {
    p.setPen(QPen(QColor(255, 140, 0), 1.0, Qt::DashLine));
    p.drawLine(QPointF(xOf(current_), a.top()), QPointF(xOf(current_), a.bottom()));
  }
}

MotionReport::MotionReport(QWidget* parent, FrameDriver& frame, const LinkRecording& recording,
                           const AllowedContacts& allowed, std::function<void(const CellStep&)> pose)
    : QDialog(parent), frame_(frame), recording_(recording), allowed_(allowed), pose_(std::move(pose)) {
  setObjectName(QStringLiteral("MotionReport"));
  setWindowTitle(QStringLiteral("Motion Report"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Motion:"), this));
  motion_ = new QComboBox(this);
  motion_->setObjectName(QStringLiteral("Cmb_Motion"));
  for (const char* t : kMotionTexts) motion_->addItem(QString::fromLatin1(t));
  top->addWidget(motion_, 1);
  auto* run = new QPushButton(QStringLiteral("&Run"), this);
  run->setObjectName(QStringLiteral("Btn_Run"));
  run->setDefault(true);
  top->addWidget(run);
  layout->addLayout(top);
  summary_ = new QLabel(QStringLiteral("Choose a motion and press Run."), this);
  summary_->setObjectName(QStringLiteral("Lbl_Summary"));
  summary_->setWordWrap(true);
  layout->addWidget(summary_);
  plot_ = new SweepPlot(this);
  layout->addWidget(plot_);
  table_ = new QTableWidget(0, 6, this);
  table_->setObjectName(QStringLiteral("Tbl_Steps"));
  QStringList headers;
  for (const char* c : kColumns) headers << QString::fromLatin1(c);
  table_->setHorizontalHeaderLabels(headers);
  table_->verticalHeader()->setVisible(false);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  save_ = buttons->addButton(QStringLiteral("&Save CSV..."), QDialogButtonBox::ActionRole);
  save_->setObjectName(QStringLiteral("Btn_SaveCsv"));
  save_->setEnabled(false);
  layout->addWidget(buttons);
  resize(760, 560);

  connect(run, &QPushButton::clicked, this, Guarded(this, [this] { Run(); }));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(plot_, &SweepPlot::StepPicked, this, [this](int step) { table_->selectRow(step); });
  connect(table_, &QTableWidget::currentCellChanged, this, Guarded(this, [this](int row, int, int, int) {
            if (row >= 0) PoseAt(row);
          }));
  connect(save_, &QPushButton::clicked, this, Guarded(this, [this] {
            const QString path = Prompts::Get().SaveFile(this, QStringLiteral("Save Motion Report"),
                                                         QStringLiteral("CSV files (*.csv);;All files (*)"));
            if (path.isEmpty()) return;
            const QString why = SaveCsv(path);
            if (!why.isEmpty()) Prompts::Get().Error(this, QStringLiteral("%1 was not saved: %2").arg(path, why));
          }));
}

void MotionReport::Run() {
  const RenderSettings& rs = frame_.Settings();
  const CellMotion m = static_cast<CellMotion>(std::clamp(motion_->currentIndex(), 0, 4));
  steps_ = m == CellMotion::Link ? recording_.Steps()
                                 : CellMotionSteps(m, rs.joints, rs.robot);
  if (steps_.empty()) {
    result_ = SweepResult{};
    Fill();
    summary_->setText(QStringLiteral("No session recorded: open Tools > Shm Link while a controller runs, "
                                     "then run the report."));
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const ObjectTable& table = frame_.Objects();
  // A check of its own: the window's keeps the solids of the cell as shown.
  InterferenceCheck check;
  result_ = SweepMotion(steps_, table.data(), kObjectCapacity, &allowed_, &check);
  QApplication::restoreOverrideCursor();
  Fill();
}

void MotionReport::Fill() {
  table_->blockSignals(true);
  table_->setRowCount(static_cast<int>(result_.rows.size()));
  for (size_t i = 0; i < result_.rows.size(); ++i) {
    const SweepRow& r = result_.rows[i];
    const QString cells[6] = {QString::number(r.step),
                              QString::fromStdString(r.label),
                              Millimetres(r.clearance),
                              QString::fromStdString(r.pair),
                              QString::number(r.contacts),
                              QString::fromStdString(r.firstContact)};
    for (int c = 0; c < 6; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (r.contacts > 0) item->setForeground(QColor(200, 0, 0));
      table_->setItem(static_cast<int>(i), c, item);
    }
  }
  table_->resizeColumnsToContents();
  table_->blockSignals(false);
  plot_->SetResult(&result_);
  save_->setEnabled(!result_.rows.empty());
  const int low = result_.Lowest();
  QString text = QStringLiteral("%1 steps, %2 with contact. ").arg(result_.rows.size()).arg(result_.ContactSteps());
  if (low < 0) {
    text += QStringLiteral("Nothing within reach.");
  } else {
    const SweepRow& r = result_.rows[static_cast<size_t>(low)];
    text += QStringLiteral("Least clearance %1 mm at %2: %3")
                .arg(Millimetres(r.clearance), QString::fromStdString(r.label), QString::fromStdString(r.pair));
  }
  summary_->setText(text);
}

void MotionReport::PoseAt(int step) {
  if (step < 0 || step >= static_cast<int>(steps_.size())) return;
  plot_->SetCurrent(step);
  if (table_->currentRow() != step) table_->selectRow(step);
  pose_(steps_[static_cast<size_t>(step)]);
}

QString MotionReport::SaveCsv(const QString& path) {
  std::string why;
  if (SaveFileContents(QFile::encodeName(path).toStdString(), SweepCsv(result_), SaveOptions{}, &why))
    return QString();
  return QString::fromStdString(why);
}
