#pragma once

#include <QTableWidget>
#include <functional>

class QAbstractButton;
class QPainter;
class QStyleOptionViewItem;

// A string grid whose first row and first column are fixed headings: the
// headings are the table's headers, so they stay in place while the cells
// scroll. Cells are addressed as (column, row) with the heading row and
// column counted, 0-based, the way the dialogs number them. Cells are
// never typed into; the owner paints them.
class StringGrid : public QTableWidget {
  Q_OBJECT
 public:
  StringGrid(const QString& name, int colCount, int rowCount, QWidget* parent);

  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  // The current cell; 0 when there is none.
  int Col() const;
  int Row() const;
  void SetCurrent(int col, int row);
  // Where a cell is, in viewport coordinates (for clicks).
  QRect CellRect(int col, int row) const;
  void SetColumnWidth(int col, int width);
  void SetRowHeight(int height);

  // Paints one cell (row >= 1, col >= 1) completely: background and text.
  std::function<void(QPainter*, const QRect&, int col, int row, bool selected)> drawCell;

  // Helpers for owners that paint: a cell's background with its text
  // centred on one line.
  static void PaintCell(QPainter* p, const QRect& r, const QColor& back, const QColor& text,
                        const QString& s);

 Q_SIGNALS:
  // A double-click on a cell, or Enter or F2 on the current one.
  void cellActivated(int col, int row);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QAbstractButton* corner_ = nullptr;
};

// 0x00BBGGRR to a Qt colour.
QColor QColorFromBgr(uint32_t c);
