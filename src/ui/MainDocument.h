#pragma once

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QString>
#include <QTimer>
#include <memory>

#include "objects/SceneHistory.h"

class QMenu;
// Takes the underlined letters out of menu's entries and its submenus'
// (MainKeys.cpp).
void DropEntryMnemonics(QMenu* menu);

// What makes the main window's object table a document: its file, the undo
// history with the modified flag, the recent files, the recovery copy and
// the menu entries and status fields that show them.
struct SceneDocument {
  QString file;  // empty while untitled
  SceneHistory history;
  QElapsedTimer clock;  // merge windows of the history

  QAction* undo = nullptr;
  QAction* redo = nullptr;
  QMenu* recentMenu = nullptr;

  QLabel* statusFile = nullptr;
  QLabel* statusSelection = nullptr;
  QLabel* statusTool = nullptr;

  // The recovery copy of this run: written while modified, every interval.
  QTimer* recoveryTimer = nullptr;
  QString recoveryFolder;
  std::unique_ptr<QLockFile> recoveryLock;
  long changeCount = 0;   // every recorded change, undo and redo
  long recoveredAt = -1;  // changeCount when the copy was last written
};
