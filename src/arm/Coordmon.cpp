#include "arm/Coordmon.h"

#include "app/AppWindows.h"

TXYZ_Mon* XYZ_Mon = nullptr;

TXYZ_Mon::TXYZ_Mon(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("XYZ_Mon"));
  setWindowTitle(QStringLiteral("XYZ Monitor"));
  NoteWindowCreated("TXYZ_Mon");
}
