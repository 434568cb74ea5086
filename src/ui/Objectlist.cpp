#include "ui/WindowPlacement.h"
#include "ui/Objectlist.h"

#include <algorithm>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/Handler.h"
#include "ui/Prompts.h"
#include "objects/ListRowFormat.h"
#include "objects/ObjectFile.h"
#include "ui/Objectsetting.h"
#include "ui/ObjectsettingGrid.h"


namespace {

constexpr uint32_t kSelectedBack = 0xFF8080;  // light blue
constexpr uint32_t kSelectedText = 0x00FFFF;  // yellow
constexpr uint32_t kEvenRowBack = 0xFFF0F0;
constexpr int kRowHeight = 20;
const char* const kFilter = "3D Data List file (*.3dl)";

}  // namespace

TObjList::TObjList(QWidget* parent) : QDialog(parent) {
  BuildLayout();
  Connect();
  Chk_StayOnTopClick();
}

void TObjList::BuildLayout() {
  setObjectName(QStringLiteral("ObjList"));
  setWindowTitle(QStringLiteral("Object List"));
  // A window of its own rather than a dialog over the main window, so that
  // the main window can come in front of it when it does not stay on top.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);

  Stg_Data = new StringGrid(QStringLiteral("Stg_Data"), kListColumns, kListRows, this);
  Stg_Data->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Stg_Data->setSelectionBehavior(QAbstractItemView::SelectRows);
  Stg_Data->SetRowHeight(kRowHeight);
  Stg_Data->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // The widths as laid out, widened where the font in use would cut a
  // typical value short.
  const QFontMetrics fm(Stg_Data->font());
  const auto fit = [&fm](int col, const char* sample) {
    return std::max(ListColumnWidth(col), fm.horizontalAdvance(QString::fromLatin1(sample)) + 12);
  };
  for (int c = 0; c < kListColumns; ++c) {
    Stg_Data->SetCell(c, 0, QString::fromLatin1(ListHeading(c)));
    Stg_Data->SetColumnWidth(c, ListColumnWidth(c));
  }
  Stg_Data->SetColumnWidth(ListColumn::Pos, fit(ListColumn::Pos, "-0.0000,-0.0000,-0.0000"));
  Stg_Data->SetColumnWidth(ListColumn::Size, fit(ListColumn::Size, "1.0000,1.0000,1.0000"));
  Stg_Data->SetColumnWidth(ListColumn::Angle, fit(ListColumn::Angle, "-90.0,-90.0,-90.0"));
  for (int r = 1; r < kListRows; ++r) Stg_Data->SetCell(0, r, QString::number(r));
  Stg_Data->setToolTip(QStringLiteral("Double-click a row (or press Enter) to edit that object"));

  Chk_StayOnTop = new QCheckBox(QStringLiteral("Stay on Top"), this);
  Chk_StayOnTop->setObjectName(QStringLiteral("Chk_StayOnTop"));
  Chk_StayOnTop->setChecked(true);
  const auto button = [this](const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setMinimumWidth(84);
    return b;
  };
  Btn_Load = button("Btn_Load", "Load");
  Btn_Save = button("Btn_Save", "Save");
  Btn_Close = button("Btn_Close", "Close");

  auto* commands = new QHBoxLayout();
  commands->addWidget(Chk_StayOnTop);
  commands->addStretch(1);
  commands->addWidget(Btn_Load);
  commands->addWidget(Btn_Save);
  commands->addSpacing(12);
  commands->addWidget(Btn_Close);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(8, 8, 8, 8);
  form->setSpacing(8);
  form->addWidget(Stg_Data, 1);
  form->addLayout(commands);
  resize(1040, 640);

  Stg_Data->drawCell = [this](QPainter* p, const QRect& r, int col, int row, bool selected) {
    PaintCell(p, r, col, row, selected);
  };
}

void TObjList::Connect() {
  connect(Btn_Close, &QPushButton::clicked, this, Guarded(this, [this] { Btn_CloseClick(); }));
  connect(Btn_Load, &QPushButton::clicked, this, Guarded(this, [this] { Btn_LoadClick(); }));
  connect(Btn_Save, &QPushButton::clicked, this, Guarded(this, [this] { Btn_SaveClick(); }));
  connect(Chk_StayOnTop, &QCheckBox::clicked, this, Guarded(this, [this] { Chk_StayOnTopClick(); }));
  connect(Stg_Data, &StringGrid::cellActivated, this, Guarded(this, [this] { Stg_DataDblClick(); }));
  connect(Stg_Data, &QTableWidget::itemSelectionChanged, this, Guarded(this, [this] {
            if (selecting_ || !onRecordsSelected) return;
            std::vector<int> rows;
            for (const QModelIndex& i : Stg_Data->selectionModel()->selectedRows()) rows.push_back(i.row());
            onRecordsSelected(rows, Stg_Data->currentRow());
          }));
}

void TObjList::SelectRecords(const std::vector<int>& records) {
  selecting_ = true;
  Stg_Data->clearSelection();
  int last = -1;
  for (int index : records) {
    if (index < 0 || index >= Stg_Data->rowCount()) continue;
    Stg_Data->selectionModel()->select(Stg_Data->model()->index(index, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    last = index;
  }
  if (last >= 0) {
    Stg_Data->setCurrentCell(last, std::max(0, Stg_Data->currentColumn()), QItemSelectionModel::NoUpdate);
    Stg_Data->scrollToItem(Stg_Data->item(last, 0));
  }
  selecting_ = false;
}

TObjSet* TObjList::Editor() const {
  return editor_;
}

bool TObjList::Open(ObjectTable& table, TextureSlot* slots) {
  TObjSet* editor = Editor();
  if (!editor || !editor->ShapeListLoaded()) return false;
  table_ = &table;
  slots_ = slots;
  Rebuild();
  // Centred the first time unless the opener placed it; afterwards it
  // opens where the operator left it.
  if (!placed_) {
    placed_ = true;
    if (!testAttribute(Qt::WA_Moved)) CentreOnScreen();
  }
  show();
  raise();
  activateWindow();
  return false;
}

void TObjList::Rebuild() {
  if (!table_) return;
  TObjSet* editor = Editor();
  ShapeList none;
  ClearShapeList(none);
  const ShapeList& shapes = editor ? editor->Shapes() : none;
  // The model's change signals would make the view relayout 27000 times;
  // one repaint at the end does.
  Stg_Data->setUpdatesEnabled(false);
  const bool blocked = Stg_Data->model()->blockSignals(true);
  for (int i = 0; i < kObjectCapacity; ++i) {
    const SceneObject& rec = (*table_)[static_cast<size_t>(i)];
    const ListRow texts = ListRowTexts(i, rec, shapes);
    for (int c = 1; c < kListColumns; ++c) {
      QTableWidgetItem* item = Stg_Data->item(i, c - 1);
      item->setText(QString::fromStdString(texts[static_cast<size_t>(c)]));
      Color color = 0;
      if (IsListColorColumn(c))
        item->setData(Qt::UserRole, ListCellColor(c, rec, &color) ? static_cast<int>(color) : -1);
    }
  }
  Stg_Data->model()->blockSignals(blocked);
  Stg_Data->setUpdatesEnabled(true);
  Stg_Data->viewport()->update();
}

void TObjList::PaintCell(QPainter* p, const QRect& r, int col, int row, bool selected) {
  const QTableWidgetItem* item = Stg_Data->item(row - 1, col - 1);
  const QString text = item ? item->text() : QString();
  QColor back = palette().color(QPalette::Base);
  QColor fore = palette().color(QPalette::Text);
  if (IsListColorColumn(col)) {
    // Colour cells keep their colour on the selected row too.
    const int c = item ? item->data(Qt::UserRole).toInt() : -1;
    if (c >= 0) back = QColorFromBgr(static_cast<uint32_t>(c));
  } else if (selected) {
    back = QColorFromBgr(kSelectedBack);
    fore = QColorFromBgr(kSelectedText);
  } else if (row % 2 == 0) {
    back = QColorFromBgr(kEvenRowBack);
  }
  StringGrid::PaintCell(p, r, back, fore, text);
}

void TObjList::NotifyChanged() {
  if (onChanged) onChanged();
}

void TObjList::Btn_CloseClick() {
  close();
}

void TObjList::Btn_LoadClick() {
  if (!table_) return;
  const QString path = Prompts::Get().OpenFile(this, QStringLiteral("Load"), QString::fromLatin1(kFilter));
  if (path.isEmpty()) return;
  std::string why;
  const int result = LoadObjects(
      QFile::encodeName(path).toStdString(), table_->data(), kObjectCapacity, slots_,
      [this](const std::string& text) { Prompts::Get().Error(this, QString::fromStdString(text)); }, &why);
  if (result < 0) {
    Prompts::Get().Error(this, QStringLiteral("Cannot open the file:\n") + path + QStringLiteral("\n(") +
                                   QString::fromStdString(why) + QStringLiteral(")"));
    return;
  }
  // A load that stopped on an error has still stored the lines before it;
  // the list shows the table as it now is.
  Rebuild();
  changeName_ = QStringLiteral("Load ") + QFileInfo(path).fileName();
  NotifyChanged();
}

void TObjList::Btn_SaveClick() {
  if (!table_) return;
  QString path = Prompts::Get().SaveFile(this, QStringLiteral("Save"), QString::fromLatin1(kFilter));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".3dl");
  SaveOptions options;
  if (!ConfirmSaveTarget(this, path, QStringLiteral("Save"), &options)) return;
  std::string why;
  if (SaveObjects(QFile::encodeName(path).toStdString(), table_->data(), kObjectCapacity, options, &why) == 1)
    Prompts::Get().Message(this, QStringLiteral("Object data save completed."));
  else
    Prompts::Get().Error(this, QStringLiteral("Object data could not be saved to:\n") + path +
                                   QStringLiteral("\n(") + QString::fromStdString(why) + QStringLiteral(")"));
}

void TObjList::Stg_DataDblClick() {
  TObjSet* editor = Editor();
  if (!editor || !table_) return;
  const int row = Stg_Data->Row();
  if (row < 1 || row > kObjectCapacity) return;
  const bool ok = editor->Edit(*table_, slots_, row - 1);
  if (ok || editor->RecordChanged()) {
    Rebuild();
    changeName_ = QStringLiteral("Edit OBJ%1").arg(row - 1, 3, 10, QLatin1Char('0'));
    NotifyChanged();
  }
}

void TObjList::Chk_StayOnTopClick() {
  SetTopmost(Chk_StayOnTop->isChecked());
}

void TObjList::SetTopmost(bool on) {
  Qt::WindowFlags flags = windowFlags();
  if (flags.testFlag(Qt::WindowStaysOnTopHint) == on) return;
  flags.setFlag(Qt::WindowStaysOnTopHint, on);
  if (QWindow* w = windowHandle()) {
    // Told to the window system directly: setWindowFlags would hide the
    // window and place it anew.
    overrideWindowFlags(flags);
    w->setFlags(flags);
  } else {
    setWindowFlags(flags);
  }
}

bool TObjList::event(QEvent* e) {
  // While a modal dialog runs (the settings dialog, its keypad, a message
  // box) the list cannot be used and must not cover it; it stays on top
  // again when the dialog closes.
  if (e->type() == QEvent::WindowBlocked)
    SetTopmost(false);
  else if (e->type() == QEvent::WindowUnblocked)
    SetTopmost(Chk_StayOnTop->isChecked());
  return QDialog::event(e);
}

void TObjList::CentreOnScreen() {
  QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
  // A screen smaller than the list: the list is made to fit.
  KeepOnScreen(this);
}
