#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <sstream>
#include <string>

#include "link/LinkProtocol.h"
#include "link/SharedMemoryLink.h"

class ArmController;
class FrameDriver;
class InterferenceController;
class QAction;
class QMenu;
class QTimer;
class QWidget;
class RobotsController;
class StatusLine;
struct MainControls;

// The shared-memory link to a controller: the "Shm Link" box and Tools >
// Shm Link, the link timer and its interval, the protocol exchange on each
// tick (the arm and robot panels follow the controller's write, its object
// poses go to the frame), and the link's part of the frame's settings.
class LinkController : public QObject {
  Q_OBJECT
 public:
  LinkController(QWidget* window, MainControls& ui, FrameDriver& frame, StatusLine& status, ArmController& arm,
                 RobotsController& robots, InterferenceController& checks);
  ~LinkController() override;

  void WriteSettings();
  void AddToolsEntries(QMenu* tools);

  void Chk_ShmLinkClick(QObject* Sender = nullptr);
  void Tim_ShmMonitorTimer();
  void SetShmLinkLock(bool linked);
  // Runs the link timer while enabled, as a toolkit timer would: an
  // interval of 0 never fires.
  void SetShmTimerEnabled(bool enabled);
  // The link timer's interval in ms (below 0 taken as 0); a running timer
  // keeps running through a call that does not change it.
  void SetShmInterval(int ms);
  QTimer* timer() const { return Tim_ShmMonitor; }

  // Names of the link's shared-memory block and mutex, as a controller
  // knows them. Taken when the link is next opened.
  void SetLinkNames(const std::string& blockName, const std::string& mutexName);
  const std::string& LinkBlockName() const { return linkBlockName_; }
  const std::string& LinkMutexName() const { return linkMutexName_; }
  // Switches the link on as the window first shows (tessaly --link: a
  // controller that starts the viewer), or at once when it already shows.
  // A failed open is reported as from the box.
  void OpenLinkWhenShown();
  // The window shows for the first time.
  void WindowShown();

  // The controller protocol on the link: one exchange per link-timer tick,
  // and the object poses it keeps for the frame (null while the link is
  // closed).
  void PollLink();
  LinkSession& LinkProtocolSession() { return *linkSession_; }
  const ObjectOverrides* LinkOverrides() const;

 private:
  void ApplyLinkCommand(const LinkCommand& command);
  // Back to unlinked (box and menu entry unticked, controls unlocked)
  // after a failed open or a link the controller broke.
  void UncheckLink();

  QWidget* window_;
  MainControls& ui_;
  FrameDriver& frame_;
  StatusLine& status_;
  ArmController& arm_;
  RobotsController& robots_;
  InterferenceController& checks_;
  QTimer* Tim_ShmMonitor = nullptr;
  bool shmTimerEnabled_ = false;
  bool shown_ = false;
  bool linkOnShow_ = false;
  std::unique_ptr<SharedMemoryLink> link_;
  std::ostringstream linkMessages_;  // what the link says, passed on after each switch
  QAction* shmLinkAction_ = nullptr;  // Tools > Shm Link
  std::unique_ptr<LinkSession> linkSession_ = std::make_unique<LinkSession>();
  std::string linkBlockName_ = "SHAREMEM";
  std::string linkMutexName_ = "MUTEX";
};
