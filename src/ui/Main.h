#pragma once

#include <QMainWindow>
#include <QByteArray>
#include <QString>

#include "ui/MainControls.h"
#include "ui/Version.h"

class AppearanceController;
class ArmController;
class DocumentController;
class EditController;
class HelpController;
class FrameDriver;
class InterferenceController;
class LinkController;
class ModelsController;
class QDockWidget;
class QMenu;
class RobotsController;
class StatusLine;
class ViewController;
struct WindowSet;

// Heights of the bottom panel: collapsed to its strip, and open with the
// detail groups.
constexpr int kBottomCollapsedHeight = 40;
constexpr int kBottomDetailHeight = 230;

// The main window: the drawing panel, the right bar with the arm's joints,
// the bottom panel with the view, light and material settings, and the
// hidden groups reached through the Panels menu.
//
// The window makes its controls (MainLayout.cpp, named as laid out) and
// its menus; what the controls do belongs to the controllers it owns, each
// of which writes its own part of the frame's settings:
//   FrameDriver            the table, settings, GL context and timers, the draw
//   AppearanceController   fill, frame, floor, lights, fog, colours, text
//   ViewController         view bars, drags, wheel, fit, picking, selection
//   ArmController          joints, X/Y/Z mode, poses, Animation, keypad entry
//   RobotsController       RBT panels, teaching, test run, step animation, equipment
//   InterferenceController trail, check, clearance, allowed contacts, Motion Report
//   LinkController         the shared-memory link and its timer
//   ModelsController       model files, export, dropped files
//   DocumentController     File and Edit, undo, recent files, recovery, images
//   EditController         Cut, Copy, Paste, Duplicate, Delete of the selection
//   HelpController         the guide, keys and mouse, About
// Control handlers take the control that fired as Sender (nullptr when a
// handler is run by the program); a handler serving a family tells its
// members apart by their Tag.
class TForm1 : public QMainWindow, public MainControls {
  Q_OBJECT
 public:
  // windows: the windows beside this one, filled in by their owner once
  // they exist.
  explicit TForm1(const WindowSet& windows);
  ~TForm1() override;

  FrameDriver& Frame() const { return *frame_; }
  StatusLine& Status() const { return *status_; }
  AppearanceController& Appearance() const { return *appearance_; }
  ViewController& View() const { return *view_; }
  ArmController& Arm() const { return *arm_; }
  RobotsController& Robots() const { return *robots_; }
  InterferenceController& Checks() const { return *checks_; }
  LinkController& Link() const { return *link_; }
  ModelsController& Models() const { return *models_; }
  DocumentController& Document() const { return *document_; }
  EditController& Edit() const { return *edit_; }
  HelpController& Help() const { return *help_; }

  // The dock that offers a hidden group ("Robot", "Text Draw", ...), or
  // nullptr.
  QDockWidget* PanelDock(const QString& groupCaption) const;
  QMenu* PanelsMenu() const { return panelsMenu_; }
  QMenu* ToolsMenu() const { return toolsMenu_; }

  // The size and place to take once the window first shows (as
  // saveGeometry wrote them), instead of the laid-out ones.
  void RestoreGeometryAtShow(const QByteArray& geometry) { pendingGeometry_ = geometry; }

  // Set from Exit until a Cancel in the unsaved-changes question.
  bool ExitRequested = false;

  // --- The window's own controls ------------------------------------------------
  void Btn_ExitClick(QObject* Sender = nullptr);
  void Chk_RightBarClick(QObject* Sender = nullptr);
  void Chk_ShowDetailClick(QObject* Sender = nullptr);
  void Lbl_DEBUGDblClick(QObject* Sender = nullptr);
  // A shortcut key; returns false for every key that is not one.
  bool FormKeyPress(QChar key);

 Q_SIGNALS:
  // The main window was closed; the program ends.
  void closed();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  // The window's keys for whatever control has the focus, as key preview
  // would; true when e was used (MainKeys.cpp).
  bool PreviewKey(QObject* watched, QKeyEvent* e);
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void BuildLayout();
  QWidget* BuildRightBar(QWidget* parent);
  QWidget* BuildBottomPanel(QWidget* parent);
  void BuildHiddenGroups();
  void BuildMenus();
  void BuildControlTables();
  void InitComboDefaults();
  void FormShow();

  const WindowSet& windows_;
  bool shown_ = false;
  QByteArray pendingGeometry_;
  QString layoutCaption_;
  QMenu* panelsMenu_ = nullptr;
  QMenu* toolsMenu_ = nullptr;
  QList<QDockWidget*> docks_;

  // Made in this order, destroyed in the reverse one while the controls
  // still exist.
  StatusLine* status_ = nullptr;
  FrameDriver* frame_ = nullptr;
  AppearanceController* appearance_ = nullptr;
  ViewController* view_ = nullptr;
  ArmController* arm_ = nullptr;
  RobotsController* robots_ = nullptr;
  InterferenceController* checks_ = nullptr;
  LinkController* link_ = nullptr;
  ModelsController* models_ = nullptr;
  DocumentController* document_ = nullptr;
  EditController* edit_ = nullptr;
  HelpController* help_ = nullptr;
};

// Takes the underlined letters out of menu's entries and its submenus'
// (MainKeys.cpp).
void DropEntryMnemonics(QMenu* menu);
