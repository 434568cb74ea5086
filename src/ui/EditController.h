#pragma once

#include <QObject>
#include <QString>
#include <vector>

class DocumentController;
class FrameDriver;
class QAction;
class QMenu;
class QWidget;
class StatusLine;
class ViewController;

// Editing the selected objects: Edit > Cut, Copy, Paste, Duplicate and
// Delete, each one undo step. The clipboard carries the records as lines
// of a scene file (with its header), so that they paste into a text
// editor and back, and between two running windows; a paste goes to the
// first free records and says which. Delete clears a record's Enbl, as
// the table defines deleting.
class EditController : public QObject {
  Q_OBJECT
 public:
  EditController(QWidget* window, FrameDriver& frame, StatusLine& status, ViewController& view,
                 DocumentController& document);

  void AddEditEntries(QMenu* edit);

  void Cut();
  void Copy();
  void Paste();
  void Duplicate();
  void Delete();

  // The records as the clipboard carries them: the scene header, then one
  // line per record.
  QString RecordsText(const std::vector<int>& records) const;
  // Writes the records a scene text holds into the first free records;
  // the records written, empty (with *why) when the text holds none or
  // there is no room for all of them.
  std::vector<int> PlaceRecords(const QString& text, QString* why);

 private:
  // Enables the entries that have a selection (or a clipboard) to work on.
  void FollowSelection();
  void Placed(const std::vector<int>& records, const QString& verb);

  QWidget* window_;
  FrameDriver& frame_;
  StatusLine& status_;
  ViewController& view_;
  DocumentController& document_;
  std::vector<QAction*> needSelection_;
};
