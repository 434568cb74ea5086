#include "objects/Objectlist.h"

#include "app/AppWindows.h"

TObjList* ObjList = nullptr;

TObjList::TObjList(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ObjList"));
  setWindowTitle(QStringLiteral("Object List"));
  NoteWindowCreated("TObjList");
}
