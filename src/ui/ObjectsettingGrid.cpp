#include "ui/ObjectsettingGrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

// Hands every cell to the owner's painting.
class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (!grid_->drawCell) {
      QStyledItemDelegate::paint(p, option, index);
      return;
    }
    p->save();
    grid_->drawCell(p, option.rect, index.column() + 1, index.row() + 1,
                    (option.state & QStyle::State_Selected) != 0);
    p->restore();
  }

 private:
  StringGrid* grid_;
};

}  // namespace

QColor QColorFromBgr(uint32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

StringGrid::StringGrid(const QString& name, int colCount, int rowCount, QWidget* parent)
    : QTableWidget(rowCount - 1, colCount - 1, parent) {
  setObjectName(name);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new CellDelegate(this));
  setWordWrap(false);
  setTabKeyNavigation(false);
  for (int r = 0; r < rowCount - 1; ++r)
    for (int c = 0; c < colCount - 1; ++c) {
      auto* item = new QTableWidgetItem();
      item->setTextAlignment(Qt::AlignCenter);
      setItem(r, c, item);
    }
  for (int c = 0; c < colCount - 1; ++c) setHorizontalHeaderItem(c, new QTableWidgetItem());
  for (int r = 0; r < rowCount - 1; ++r) setVerticalHeaderItem(r, new QTableWidgetItem());
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  // The corner holds the heading column's own heading; it selects nothing.
  setCornerButtonEnabled(false);
  corner_ = findChild<QAbstractButton*>();
  if (corner_) corner_->installEventFilter(this);
  connect(this, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int col) { Q_EMIT cellActivated(col + 1, row + 1); });
}

QString StringGrid::Cell(int col, int row) const {
  if (row == 0 && col == 0) return property("cornerText").toString();
  if (row == 0) {
    const QTableWidgetItem* h = horizontalHeaderItem(col - 1);
    return h ? h->text() : QString();
  }
  if (col == 0) {
    const QTableWidgetItem* h = verticalHeaderItem(row - 1);
    return h ? h->text() : QString();
  }
  const QTableWidgetItem* it = item(row - 1, col - 1);
  return it ? it->text() : QString();
}

void StringGrid::SetCell(int col, int row, const QString& text) {
  if (row == 0 && col == 0) {
    setProperty("cornerText", text);
    if (corner_) corner_->update();
    return;
  }
  QTableWidgetItem* it = row == 0   ? horizontalHeaderItem(col - 1)
                         : col == 0 ? verticalHeaderItem(row - 1)
                                    : item(row - 1, col - 1);
  if (it && it->text() != text) it->setText(text);
}

int StringGrid::Col() const {
  return currentColumn() + 1;
}
int StringGrid::Row() const {
  return currentRow() + 1;
}

void StringGrid::SetCurrent(int col, int row) {
  setCurrentCell(row - 1, col - 1);
}

QRect StringGrid::CellRect(int col, int row) const {
  return visualRect(model()->index(row - 1, col - 1));
}

void StringGrid::SetColumnWidth(int col, int width) {
  if (col == 0)
    verticalHeader()->setFixedWidth(width);
  else
    setColumnWidth(col - 1, width);
}

void StringGrid::SetRowHeight(int height) {
  verticalHeader()->setDefaultSectionSize(height);
  verticalHeader()->setMinimumSectionSize(height);
  horizontalHeader()->setFixedHeight(height + 2);
}

void StringGrid::PaintCell(QPainter* p, const QRect& r, const QColor& back, const QColor& text,
                           const QString& s) {
  p->fillRect(r, back);
  if (s.isEmpty()) return;
  p->setPen(text);
  const QRect inner = r.adjusted(2, 0, -2, 0);
  p->drawText(inner, Qt::AlignCenter | Qt::TextSingleLine,
              p->fontMetrics().elidedText(s, Qt::ElideRight, inner.width()));
}

void StringGrid::keyPressEvent(QKeyEvent* e) {
  // Enter and F2 edit the current cell, as a double-click does; Enter must
  // not reach the dialog's default button.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_F2) &&
      !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    if (currentRow() >= 0 && currentColumn() >= 0) Q_EMIT cellActivated(Col(), Row());
    e->accept();
    return;
  }
  QTableWidget::keyPressEvent(e);
}

bool StringGrid::eventFilter(QObject* watched, QEvent* e) {
  if (watched == corner_ && e->type() == QEvent::Paint) {
    QStylePainter p(corner_);
    QStyleOptionHeader opt;
    opt.initFrom(corner_);
    opt.state |= QStyle::State_Enabled | QStyle::State_Raised;
    opt.rect = corner_->rect();
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.text = property("cornerText").toString();
    opt.textAlignment = Qt::AlignCenter;
    opt.palette.setCurrentColorGroup(QPalette::Active);
    p.drawControl(QStyle::CE_Header, opt);
    return true;
  }
  return QTableWidget::eventFilter(watched, e);
}
