#include "app/Handler.h"

#include <QString>

#include "app/Prompts.h"

void ShowHandlerException(QWidget* parent, const std::exception& e) {
  Prompts::Get().Message(parent, QString::fromUtf8(e.what()));
}

void ShowUnknownHandlerException(QWidget* parent) {
  Prompts::Get().Message(parent, QStringLiteral("An unexpected error occurred."));
}
