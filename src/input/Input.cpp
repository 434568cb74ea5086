#include "input/Input.h"

#include "app/AppWindows.h"

TTenkey* Tenkey = nullptr;

TTenkey::TTenkey(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tenkey"));
  setWindowTitle(QStringLiteral("Data Input"));
  NoteWindowCreated("TTenkey");
}

bool TTenkey::Execute(int, double, double, int, int, const QString&, QString*) {
  // The keys arrive with the keypad's own work; until then nothing is
  // accepted.
  return false;
}
