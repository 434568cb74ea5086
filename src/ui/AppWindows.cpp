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

#include "ui/ArmController.h"
#include "ui/DocumentController.h"
#include "ui/FrameDriver.h"
#include "ui/Main.h"
#include "ui/ViewController.h"
#include "ui/Coordmon.h"
#include "ui/Input.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"

AppWindows::AppWindows(const QString& shapeListPath) {
  main_ = new TForm1(windows_);
  order_.emplace_back("TForm1");
  windows_.keypad = new TTenkey(main_);
  order_.emplace_back("TTenkey");
  windows_.objectSettings =
      shapeListPath.isEmpty() ? new TObjSet(main_) : new TObjSet(main_, shapeListPath);
  order_.emplace_back("TObjSet");
  windows_.objectList = new TObjList(main_);
  order_.emplace_back("TObjList");
  windows_.monitor = new TXYZ_Mon(main_);
  order_.emplace_back("TXYZ_Mon");

  TObjSet* settings = windows_.objectSettings;
  TObjList* list = windows_.objectList;
  settings->SetKeypad(windows_.keypad);
  list->SetEditor(settings);
  // What the dialogs change shows in the picture and is one undo step.
  DocumentController& doc = main_->Document();
  FrameDriver& frame = main_->Frame();
  settings->onChanged = [settings, &doc, &frame] {
    const SceneObject* rec = settings->Record();
    const SceneObject* first = frame.Objects().data();
    const bool inTable = rec && !std::less<const SceneObject*>()(rec, first) &&
                         std::less<const SceneObject*>()(rec, first + kObjectCapacity);
    const long index = inTable ? static_cast<long>(rec - first) : -1;
    QString what = settings->ChangeName();
    if (inTable) what += QStringLiteral(" OBJ%1").arg(index, 3, 10, QLatin1Char('0'));
    doc.SceneChanged(what,
                     inTable && settings->ChangeIsAuto() ? QStringLiteral("auto %1").arg(index) : QString());
    frame.RequestRedraw();
  };
  list->onChanged = [list, &doc, &frame] {
    doc.SceneChanged(list->ChangeName());
    frame.RequestRedraw();
  };
  ViewController& view = main_->View();
  list->onRecordsSelected = [&view](const std::vector<int>& records, int current) {
    view.SetSelection(records, current);
  };
  ArmController& arm = main_->Arm();
  windows_.monitor->SetNudgeJoint([&arm](int joint, int amount) { arm.NudgeJoint(joint, amount); });
}

AppWindows::~AppWindows() {
  // The windows beside the main one first: the controllers may reach them
  // until they are gone, and never after.
  TXYZ_Mon* monitor = windows_.monitor;
  TObjList* list = windows_.objectList;
  TObjSet* settings = windows_.objectSettings;
  TTenkey* keypad = windows_.keypad;
  windows_ = WindowSet{};
  delete monitor;
  delete list;
  delete settings;
  delete keypad;
  delete main_;
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
