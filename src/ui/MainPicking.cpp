// Picking: a click on the picture selects the object under the pointer,
// which is then drawn with an outline, named in the status line, edited by
// Tools > Object Settings and marked in the Object List.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

#include "render/Picking.h"
#include "ui/GlPanel.h"
#include "ui/Handler.h"
#include "ui/Main.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"
#include "ui/WindowPlacement.h"

namespace {
// A press and release this close together are a click, not a drag.
constexpr int kClickSlop = 3;
}  // namespace

void TForm1::ConnectPicking() {
  connect(Pnl_GL, &GlPanel::mouseDown, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
    clickPending_ = b == Qt::LeftButton && m == Qt::NoModifier;
    clickX_ = x;
    clickY_ = y;
  });
  connect(Pnl_GL, &GlPanel::mouseMove, this, [this](int x, int y) {
    if (clickPending_ && (std::abs(x - clickX_) > kClickSlop || std::abs(y - clickY_) > kClickSlop))
      clickPending_ = false;
  });
  connect(Pnl_GL, &GlPanel::mouseUp, this, Guarded(this, [this](Qt::MouseButton b, int x, int y) {
            const bool click = clickPending_ && b == Qt::LeftButton && std::abs(x - clickX_) <= kClickSlop &&
                               std::abs(y - clickY_) <= kClickSlop;
            clickPending_ = false;
            if (click) Pnl_GLClick(x, y);
          }));
  connect(Pnl_GL, &GlPanel::doubleClicked, this, Guarded(this, [this](Qt::MouseButton b, int x, int y) {
            if (b == Qt::LeftButton) Pnl_GLDoubleClick(x, y);
          }));
}

int TForm1::PickAt(int x, int y) {
  TransferSettings();
  if (!renderContext_.created || !Pnl_GL->MakeCurrent()) return -1;
  // The projection the last frame used is still in force in the context.
  const DrawSubstitutes subs{settings_.robot, LinkOverrides()};
  const int index = PickObject(settings_, objects_->data(), kObjectCapacity, textures_, x, y, &subs);
  Pnl_GL->DoneCurrent();
  return index;
}

void TForm1::Pnl_GLClick(int x, int y) {
  SelectObject(PickAt(x, y));
}

void TForm1::Pnl_GLDoubleClick(int x, int y) {
  const int index = PickAt(x, y);
  if (index < 0) return;
  SelectObject(index);
  // After the mouse event has been handled: the dialog runs its own loop.
  QTimer::singleShot(0, this, Guarded(this, [this] { Btn_OBJSetClick(); }));
}

void TForm1::SelectObject(int index) {
  if (index < -1 || index >= kObjectCapacity) index = -1;
  const bool changed = index != selected_;
  selected_ = index;
  ShowSelection();
  if (ObjList && ObjList->isVisible()) ObjList->SelectRecord(index);
  // The outline moved: one frame. A click that selects what was selected
  // draws nothing new.
  if (changed) DrawFrame();
}

void TForm1::ShowSelection() {
  // The selection's own field of the status bar.
  if (selected_ < 0) {
    SetStatusSelection(QStringLiteral("Nothing selected"));
    return;
  }
  const SceneObject& rec = (*objects_)[static_cast<size_t>(selected_)];
  const QString number = QStringLiteral("OBJ%1").arg(selected_, 3, 10, QLatin1Char('0'));
  const QString name = QString::fromStdString(rec.Name).trimmed();
  const QString shape = ObjSet ? ObjSet->ShapeName(rec.Shp) : QString::number(rec.Shp);
  QString text = number;
  if (!name.isEmpty() && name != number) {
    text += QLatin1Char(' ') + name;
  } else if (rec.Shp == ShapeKind::Model && !rec.Text.empty()) {
    text += QLatin1Char(' ') + QFileInfo(QString::fromStdString(rec.Text)).fileName();
  }
  text += QStringLiteral(" (%1)").arg(shape.trimmed());
  if (!rec.Enbl) text += QStringLiteral(" - not drawn");
  SetStatusSelection(text);
}

void TForm1::PlaceBeside(QWidget* w) {
  if (!w || w->property("tessalyPlaced").toBool()) return;
  w->setProperty("tessalyPlaced", true);
  QScreen* screen = this->screen();
  if (!screen) return;
  const QRect picture(Pnl_GL->mapToGlobal(QPoint(0, 0)), Pnl_GL->size());
  QList<QRect> others;
  for (QWidget* o : {static_cast<QWidget*>(ObjSet), static_cast<QWidget*>(ObjList)})
    if (o && o != w && o->isVisible()) others << o->frameGeometry();
  // The frame the window manager adds is not known before the first show;
  // the difference the main window has is a fair guess. A window never
  // shown has no size of its own yet: its layout's is the one it opens at.
  const QSize decoration = frameGeometry().size() - geometry().size();
  const QSize inner = w->testAttribute(Qt::WA_Resized) ? w->size() : w->sizeHint().expandedTo(w->size());
  const QRect at = PlaceBesideWindow(frameGeometry(), picture, others, inner + decoration,
                                     w->minimumSizeHint() + decoration, screen->availableGeometry());
  w->resize(at.size() - decoration);
  w->move(at.topLeft());
}
