#include "ui/StatusLine.h"

#include <QLabel>
#include <QStatusBar>

void StatusLine::Build(QStatusBar* bar) {
  // One line: file, selection, tool point, then the last message.
  // A long name or message is cut, never widens the window.
  auto field = [bar](const char* name, int minWidth, int maxWidth) {
    auto* l = new QLabel(bar);
    l->setObjectName(QString::fromLatin1(name));
    l->setMinimumWidth(minWidth);
    l->setMaximumWidth(maxWidth);
    bar->addWidget(l);
    return l;
  };
  file_ = field("StatusFile", 120, 240);
  selection_ = field("StatusSelection", 160, 260);
  tool_ = field("StatusToolPoint", 220, 260);
  message_ = new QLabel(bar);
  message_->setObjectName(QStringLiteral("StatusMessage"));
  message_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bar->addWidget(message_, 1);
}

void StatusLine::ShowStatus(const QString& message) {
  if (!message_) return;
  message_->setText(message);
  // The field cuts a long message; the whole of it shows on hover.
  message_->setToolTip(message);
}

QString StatusLine::StatusText() const { return message_ ? message_->text() : QString(); }

void StatusLine::SetSelection(const QString& text) {
  if (selection_) selection_->setText(text);
}

QString StatusLine::Selection() const { return selection_ ? selection_->text() : QString(); }

void StatusLine::SetFile(const QString& text, const QString& path) {
  if (!file_) return;
  file_->setText(text);
  file_->setToolTip(path);
}

void StatusLine::SetToolPoint(const QString& text) {
  if (tool_ && tool_->text() != text) tool_->setText(text);
}
