#include "objects/Objectsetting.h"

#include "app/AppWindows.h"

TObjSet* ObjSet = nullptr;

TObjSet::TObjSet(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ObjSet"));
  setWindowTitle(QStringLiteral("Object Setting"));
  NoteWindowCreated("TObjSet");
}
