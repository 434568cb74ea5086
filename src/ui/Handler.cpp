#include "ui/Handler.h"

#include <QString>

#include "ui/Prompts.h"

namespace {

// A message box runs its own event loop, in which timers keep firing. A
// failure that a timer repeats must not stack a second box on the first.
bool g_showing = false;

void ShowOnce(QWidget* parent, const QString& text) {
  if (g_showing) return;
  g_showing = true;
  try {
    Prompts::Get().Message(parent, text);
  } catch (...) {
    g_showing = false;
    throw;
  }
  g_showing = false;
}

}  // namespace

void ShowHandlerException(QWidget* parent, const std::exception& e) {
  ShowOnce(parent, QString::fromUtf8(e.what()));
}

void ShowUnknownHandlerException(QWidget* parent) {
  ShowOnce(parent, QStringLiteral("An unexpected error occurred."));
}
