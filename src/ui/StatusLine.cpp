#include "ui/StatusLine.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/Handler.h"

namespace {
// Older messages than this many go; a session of hours stays small.
constexpr int kKeptMessages = 1000;
}  // namespace

void ElidedLabel::SetFullText(const QString& text, const QString& tip) {
  if (QLabel::text() != text) setText(text);
  setToolTip(tip);
}

QString ElidedLabel::Shown() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  p.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, Shown());
}

void StatusLine::Build(QStatusBar* bar) {
  // One line: file, selection, tool point, then the last message.
  // A long name or message is cut with "…", never widens the window.
  auto field = [bar](const char* name, int minWidth, int maxWidth) {
    auto* l = new ElidedLabel(bar);
    l->setObjectName(QString::fromLatin1(name));
    l->setMinimumWidth(minWidth);
    l->setMaximumWidth(maxWidth);
    bar->addWidget(l);
    return l;
  };
  file_ = field("StatusFile", 120, 240);
  selection_ = field("StatusSelection", 160, 260);
  tool_ = field("StatusToolPoint", 220, 260);
  message_ = new ElidedLabel(bar);
  message_->setObjectName(QStringLiteral("StatusMessage"));
  message_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  message_->setMinimumWidth(40);
  bar->addWidget(message_, 1);
}

void StatusLine::AddViewEntries(QMenu* view) {
  QAction* messages = view->addAction(QStringLiteral("&Messages..."));
  messages->setObjectName(QStringLiteral("Act_Messages"));
  connect(messages, &QAction::triggered, this, Guarded(window_, [this] { ShowMessages(); }));
}

void StatusLine::ShowStatus(const QString& message) {
  const Message m{QDateTime::currentDateTime(), message};
  if (!message.isEmpty()) {
    messages_.append(m);
    if (messages_.size() > kKeptMessages) messages_.removeFirst();
    AddToList(m);
  }
  if (message_) message_->SetFullText(message, message);
}

QString StatusLine::StatusText() const { return message_ ? message_->text() : QString(); }

void StatusLine::SetSelection(const QString& text) {
  if (selection_) selection_->SetFullText(text, text);
}

QString StatusLine::Selection() const { return selection_ ? selection_->text() : QString(); }

void StatusLine::SetFile(const QString& text, const QString& path) {
  if (file_) file_->SetFullText(text, path);
}

void StatusLine::SetToolPoint(const QString& text) {
  if (tool_) tool_->SetFullText(text, text);
}

void StatusLine::AddToList(const Message& m) {
  if (!list_) return;
  list_->addItem(m.when.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("  ") + m.text);
  if (list_->count() > kKeptMessages) delete list_->takeItem(0);
  list_->scrollToBottom();
}

void StatusLine::ShowMessages() {
  if (!dialog_) {
    dialog_ = new QDialog(window_);
    dialog_->setObjectName(QStringLiteral("MessagesDialog"));
    dialog_->setWindowTitle(QStringLiteral("Messages"));
    auto* layout = new QVBoxLayout(dialog_);
    list_ = new QListWidget(dialog_);
    list_->setObjectName(QStringLiteral("MessageList"));
    list_->setWordWrap(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog_);
    QPushButton* clear = buttons->addButton(QStringLiteral("Clear"), QDialogButtonBox::ResetRole);
    connect(clear, &QPushButton::clicked, dialog_, [this] {
      messages_.clear();
      list_->clear();
    });
    connect(buttons, &QDialogButtonBox::rejected, dialog_, &QDialog::hide);
    layout->addWidget(buttons);
    dialog_->resize(560, 320);
    for (const Message& m : messages_) AddToList(m);
  }
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}
