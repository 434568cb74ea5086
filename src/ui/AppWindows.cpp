#include "ui/AppWindows.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QIcon>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QSurfaceFormat>
#include <functional>

#include "ui/Main.h"
#include "ui/Coordmon.h"
#include "ui/Input.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"

std::vector<std::string>& WindowCreationLog() {
  static std::vector<std::string> log;
  return log;
}

void NoteWindowCreated(const char* className) {
  WindowCreationLog().emplace_back(className);
}

void CreateAppWindows() {
  Form1 = new TForm1();
  NoteWindowCreated("TForm1");
  Tenkey = new TTenkey(Form1);
  ObjSet = new TObjSet(Form1);
  ObjList = new TObjList(Form1);
  XYZ_Mon = new TXYZ_Mon(Form1);
  // What the dialogs change shows in the picture and is one undo step.
  ObjSet->onChanged = [] {
    if (!Form1) return;
    const SceneObject* rec = ObjSet->Record();
    const SceneObject* first = Form1->Objects().data();
    const bool inTable = rec && !std::less<const SceneObject*>()(rec, first) &&
                         std::less<const SceneObject*>()(rec, first + kObjectCapacity);
    const long index = inTable ? static_cast<long>(rec - first) : -1;
    QString what = ObjSet->ChangeName();
    if (inTable) what += QStringLiteral(" OBJ%1").arg(index, 3, 10, QLatin1Char('0'));
    Form1->SceneChanged(what,
                        inTable && ObjSet->ChangeIsAuto() ? QStringLiteral("auto %1").arg(index) : QString());
    Form1->RequestRedraw();
  };
  ObjList->onChanged = [] {
    if (!Form1) return;
    Form1->SceneChanged(ObjList->ChangeName());
    Form1->RequestRedraw();
  };
  ObjList->onRecordSelected = [](int index) {
    if (Form1) Form1->SelectObject(index);
  };
  XYZ_Mon->SetNudgeJoint([](int joint, int amount) {
    if (Form1) Form1->NudgeJoint(joint, amount);
  });
}

void DestroyAppWindows() {
  delete XYZ_Mon;
  XYZ_Mon = nullptr;
  delete ObjList;
  ObjList = nullptr;
  delete ObjSet;
  ObjSet = nullptr;
  delete Tenkey;
  Tenkey = nullptr;
  delete Form1;
  Form1 = nullptr;
}

void PrepareGlFormat() {
  // Fixed-function drawing needs a compatibility profile; a core profile
  // silently draws nothing with glBegin.
  QSurfaceFormat fmt;
  fmt.setRenderableType(QSurfaceFormat::OpenGL);
  fmt.setVersion(2, 1);
  fmt.setProfile(QSurfaceFormat::CompatibilityProfile);
  fmt.setDepthBufferSize(24);
  // The selection outline masks the object's silhouette with it.
  fmt.setStencilBufferSize(8);
  fmt.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  QSurfaceFormat::setDefaultFormat(fmt);
}

namespace {

// Qt's styles make a new icon, with new pixmaps, each time a standard icon
// is asked for, and every file dialog and message box asks again. The
// pixmap cache keys what it keeps of an icon on its pixmaps' serial
// numbers, so each dialog left entries that nobody asked for again, and
// they piled up to the cache's limit (about 12 MiB an hour in a session of
// dialogs). Here each standard icon is made once, for each direction.
class KeptIconStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
    if (option) return QProxyStyle::standardIcon(which, option, widget);
    const bool rightToLeft =
        (widget ? widget->layoutDirection() : QGuiApplication::layoutDirection()) == Qt::RightToLeft;
    const int key = static_cast<int>(which) * 2 + (rightToLeft ? 1 : 0);
    auto it = kept_.constFind(key);
    if (it == kept_.constEnd()) it = kept_.insert(key, QProxyStyle::standardIcon(which, option, widget));
    return *it;
  }

 private:
  mutable QHash<int, QIcon> kept_;  // at most two per standard pixmap
};

}  // namespace

void PrepareAppStyle() {
  QPixmapCache::setCacheLimit(kPixmapCacheKib);
  QApplication::setStyle(new KeptIconStyle(QStyleFactory::create(QApplication::style()->name())));
}

void PrepareAppFont() {
  // A Japanese proportional gothic where one is installed, 12 pixels.
  const QStringList families = QFontDatabase::families();
  QFont font = QApplication::font();
  for (const char* name : {"IPAPGothic", "IPAPゴシック", "Noto Sans CJK JP", "IPAGothic"}) {
    if (families.contains(QString::fromUtf8(name))) {
      font.setFamily(QString::fromUtf8(name));
      break;
    }
  }
  font.setPixelSize(12);
  QApplication::setFont(font);
}
