#include "ui/HelpController.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "models/BuiltWith.h"
#include "render/Camera.h"
#include "ui/ArmController.h"
#include "ui/FrameDriver.h"
#include "ui/Handler.h"
#include "ui/Version.h"
#include "ui/WindowPlacement.h"

// The guide and its pictures are taken into the program (help.qrc); a
// static library must ask for them by name.
static void LoadHelpResources() { Q_INIT_RESOURCE(help); }

namespace {

QString BarName(DragBar b) {
  switch (b) {
    case DragBar::XAngle: return QStringLiteral("X Ang.");
    case DragBar::ZAngle: return QStringLiteral("Z Ang.");
    case DragBar::Zoom: return QStringLiteral("Zoom");
    case DragBar::XShift: return QStringLiteral("X Shift");
    case DragBar::YShift: return QStringLiteral("Y Shift");
    case DragBar::ZShift: return QStringLiteral("Z Shift");
    case DragBar::Light1PosX: return QStringLiteral("Light1 Pos X");
    case DragBar::Light1PosY: return QStringLiteral("Light1 Pos Y");
    case DragBar::Light1PosZ: return QStringLiteral("Light1 Pos Z");
    case DragBar::Light2PosX: return QStringLiteral("Light2 Pos X");
    case DragBar::Light2PosY: return QStringLiteral("Light2 Pos Y");
    case DragBar::Light2PosZ: return QStringLiteral("Light2 Pos Z");
    case DragBar::XX: return QStringLiteral("tool X");
    case DragBar::YY: return QStringLiteral("tool Y");
    case DragBar::ZZ: return QStringLiteral("tool Z");
  }
  return QString();
}

// The bars a drag of this button and mode moves, found by dragging: what a
// move across and a move up and down turn into.
QString DragText(DragButton button, DragMode mode) {
  auto moved = [button, mode](int dx, int dy) {
    DragState s;
    DragDown(s, button, mode, 100, 100);
    QStringList names;
    for (const DragStep& step : DragMove(s, 100 + dx, 100 + dy))
      if (step.amount != 0 && !names.contains(BarName(step.bar))) names << BarName(step.bar);
    return names.join(QStringLiteral(" and "));
  };
  const QString across = moved(10, 0), upDown = moved(0, 10);
  if (across.isEmpty() && upDown.isEmpty()) return QString();
  QString text;
  if (!across.isEmpty()) text += QStringLiteral("across: ") + across;
  if (!upDown.isEmpty()) text += (text.isEmpty() ? QString() : QStringLiteral("; ")) + QStringLiteral("up and down: ") + upDown;
  return text;
}

void ListMenu(const QMenu* menu, const QString& path, QStringList* lines) {
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) continue;
    const QString name = path + QStringLiteral(" › ") + a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    if (a->menu()) {
      ListMenu(a->menu(), name, lines);
      continue;
    }
    if (a->shortcuts().isEmpty()) continue;
    lines->append(QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                      .arg(QKeySequence::listToString(a->shortcuts(), QKeySequence::NativeText)
                               .replace(QStringLiteral("; "), QStringLiteral(", "))
                               .toHtmlEscaped(),
                           name.toHtmlEscaped()));
  }
}

}  // namespace

HelpController::HelpController(QWidget* window, FrameDriver& frame)
    : QObject(window), window_(window), frame_(frame) {
  LoadHelpResources();
}

void HelpController::AddHelpMenu(QMenuBar* bar) {
  bar_ = bar;
  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  QAction* guide = help->addAction(QStringLiteral("User Guide"));
  guide->setObjectName(QStringLiteral("Act_UserGuide"));
  guide->setShortcut(QKeySequence::HelpContents);
  connect(guide, &QAction::triggered, this, Guarded(window_, [this] { ShowGuide(); }));
  QAction* keys = help->addAction(QStringLiteral("Keys and Mouse"));
  keys->setObjectName(QStringLiteral("Act_KeysAndMouse"));
  connect(keys, &QAction::triggered, this, Guarded(window_, [this] { ShowKeys(); }));
  help->addSeparator();
  QAction* about = help->addAction(QStringLiteral("About Tessaly"));
  about->setObjectName(QStringLiteral("Act_About"));
  about->setMenuRole(QAction::AboutRole);
  connect(about, &QAction::triggered, this, Guarded(window_, [this] { ShowAbout(); }));
}

QDialog* HelpController::MakeWindow(const char* name, const QString& title, QWidget* content, QSize size) {
  auto* d = new QDialog(window_);
  d->setObjectName(QString::fromLatin1(name));
  d->setWindowTitle(title);
  auto* layout = new QVBoxLayout(d);
  content->setParent(d);
  layout->addWidget(content);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, d);
  connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::hide);
  layout->addWidget(buttons);
  d->resize(size);
  return d;
}

static void Present(QDialog* d) {
  d->show();
  KeepOnScreen(d);
  d->raise();
  d->activateWindow();
}

void HelpController::ShowGuide() {
  if (!guide_) {
    auto* browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("GuideText"));
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl(QStringLiteral("qrc:/help/user-guide.md")), QTextDocument::MarkdownResource);
    guide_ = MakeWindow("UserGuide", QStringLiteral("Tessaly User Guide"), browser, QSize(900, 700));
  }
  Present(guide_);
}

QString HelpController::KeysText(const QMenuBar* bar) const {
  QStringList lines;
  lines << QStringLiteral("<h3>Menus</h3><table cellspacing=\"4\">");
  for (const QAction* title : bar->actions())
    if (title->menu()) ListMenu(title->menu(), title->text().remove(QLatin1Char('&')), &lines);
  lines << QStringLiteral("</table>");

  lines << QStringLiteral("<h3>Joint and tool keys</h3><p>Anywhere in the main window and its panels, except "
                          "in a text field or an open menu; each key moves its bar by the step shown.</p>"
                          "<table cellspacing=\"4\">");
  for (const JointKeyRow& row : JointKeyRows()) {
    QStringList steps;
    for (int i = 0; i < 4; ++i)
      steps << QStringLiteral("<b>%1</b> %2%3%4")
                   .arg(QChar::fromLatin1(row.keys[i]), row.steps[i] > 0 ? QStringLiteral("+") : QString())
                   .arg(row.steps[i] * row.scale, 0, 'f', row.scale < 1.0 ? 2 : 0)
                   .arg(QString::fromUtf8(row.unit));
    lines << QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(QString::fromLatin1(row.name), steps.join(QStringLiteral(", ")));
  }
  lines << QStringLiteral("</table>");

  lines << QStringLiteral("<h3>Mouse on the picture</h3><table cellspacing=\"4\">");
  struct Mode {
    DragMode mode;
    const char* keys;
  } const modes[] = {{DragPlain, ""}, {DragShift, "Shift+"}, {DragCtrl, "Ctrl+"}, {DragShiftCtrl, "Shift+Ctrl+"}, {DragAlt, "Alt+"}};
  for (const Mode& m : modes)
    for (DragButton b : {DragLeft, DragRight}) {
      const QString what = DragText(b, m.mode);
      if (what.isEmpty()) continue;
      lines << QStringLiteral("<tr><td>%1%2 drag</td><td>%3</td></tr>")
                   .arg(QString::fromLatin1(m.keys), b == DragLeft ? QStringLiteral("left") : QStringLiteral("right"), what);
    }
  lines << QStringLiteral("<tr><td>middle drag, Shift+middle drag</td><td>as Alt+left and Alt+right drag</td></tr>"
                          "<tr><td>wheel</td><td>Zoom, in the right drag's steps</td></tr>"
                          "<tr><td>click</td><td>selects the object under the pointer (on the floor: none)</td></tr>"
                          "<tr><td>Ctrl+click, Shift+click</td><td>adds the object to the selection, or takes it out</td></tr>"
                          "<tr><td>double-click</td><td>Object Settings on the object under the pointer</td></tr>"
                          "<tr><td>a file dropped on the window</td><td>a model becomes an object; a scene is opened</td></tr>"
                          "</table>");
  return lines.join(QLatin1Char('\n'));
}

void HelpController::ShowKeys() {
  if (!keys_) {
    auto* text = new QTextBrowser;
    text->setObjectName(QStringLiteral("KeysText"));
    keys_ = MakeWindow("KeysAndMouse", QStringLiteral("Keys and Mouse"), text, QSize(640, 640));
  }
  // Written afresh each time: the menus are the ones in force.
  keys_->findChild<QTextBrowser*>()->setHtml(KeysText(bar_));
  Present(keys_);
}

QString HelpController::AboutText() const {
  QString text = QStringLiteral("<h2>Tessaly %1</h2><p>%2 (%3)</p>"
                                "<p>A 3-D viewer and kinematic simulator for wafer-handling robots.</p>")
                     .arg(QStringLiteral(TESSALY_VERSION), QString::fromLatin1(kVersionText),
                          QStringLiteral("built " __DATE__));
  text += QStringLiteral("<p>Qt %1 (built with %2)<br>OpenGL %3<br>Renderer: %4</p>")
              .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR),
                   frame_.GlVersion().isEmpty() ? QStringLiteral("(no context yet)") : frame_.GlVersion().toHtmlEscaped(),
                   frame_.GlRenderer().isEmpty() ? QStringLiteral("(no context yet)") : frame_.GlRenderer().toHtmlEscaped());
  text += QStringLiteral("<p>Built on:</p><ul><li>Qt %1 — LGPL 3</li>").arg(QString::fromLatin1(qVersion()));
  for (const LibraryUse& l : BuiltWith())
    text += QStringLiteral("<li>%1 %2 — %3</li>")
                .arg(QString::fromStdString(l.name), QString::fromStdString(l.version), QString::fromStdString(l.licence));
  text += QStringLiteral("</ul>");
  return text;
}

void HelpController::ShowAbout() {
  if (!about_) {
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("AboutText"));
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    about_ = MakeWindow("About", QStringLiteral("About Tessaly"), label, QSize(520, 380));
  }
  about_->findChild<QLabel*>(QStringLiteral("AboutText"))->setText(AboutText());
  Present(about_);
}
