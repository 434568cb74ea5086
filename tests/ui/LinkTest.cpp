#include <QAction>
#include <QDockWidget>
#include <QProcess>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "support/FileRights.h"
#include "ui/WindowFixture.h"

namespace {

class LinkTest : public MainWindowTest {
 protected:
  QAction* LinkEntry() const {
    for (QAction* a : Win()->ToolsMenu()->actions())
      if (QString(a->text()).remove(QLatin1Char('&')) == QStringLiteral("Shm Link")) return a;
    return nullptr;
  }
  // Shows the hidden "Unuse Item" group, where the box lives, so that it
  // can be clicked as a user would.
  static void ShowUnuseItem() {
    auto* dock = qobject_cast<QDockWidget*>(Named<QGroupBox>("Grp_UnuseItem")->parentWidget());
    ASSERT_NE(dock, nullptr);
    dock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dock));
  }
  // Runs f and returns what it printed on standard output.
  static std::string StdoutOf(const std::function<void()>& f) {
    std::ostringstream captured;
    std::streambuf* old = std::cout.rdbuf(captured.rdbuf());
    f();
    std::cout.rdbuf(old);
    return captured.str();
  }
  // The window after a failed open: running, unlinked, controls unlocked.
  void ExpectUnlinked() {
    EXPECT_FALSE(Named<QCheckBox>("Chk_ShmLink")->isChecked());
    EXPECT_FALSE(LinkEntry()->isChecked());
    EXPECT_TRUE(Named<QGroupBox>("Grp_Robot")->isEnabled());
    EXPECT_TRUE(Named<QGroupBox>("Grp_Equipment")->isEnabled());
    EXPECT_TRUE(Named<QPushButton>("Btn_AnimationStart")->isEnabled());
    EXPECT_FALSE(Named<QTimer>("Tim_ShmMonitor")->isActive());
  }
  std::string Block() const { return "/dev/shm/" + LinkBlock(); }
  std::string Sem() const { return "/dev/shm/sem." + LinkMutex(); }
};

}  // namespace

TEST_F(LinkTest, AFailedOpenLeavesTheWindowRunningWithOneMessage) {
  ShowUnuseItem();
  struct Stale {
    const char* what;
    std::function<void()> make;
    std::string says;
  };
  const std::string block = Block(), sem = Sem(), name = LinkBlock(), mutex = LinkMutex();
  const Stale cases[] = {
      {"a directory", [&] { mkdir(block.c_str(), 0700); }, name + " is a directory, not a link object; use --link-name"},
      {"a FIFO", [&] { mkfifo(block.c_str(), 0600); }, name + " is a FIFO, not a link object; use --link-name"},
      {"a symbolic link", [&] { symlink("/etc/hostname", block.c_str()); },
       name + " is a symbolic link, not a link object; use --link-name"},
      {"a mutex that is no semaphore", [&] { close(open(sem.c_str(), O_CREAT | O_WRONLY, 0600)); },
       mutex + " is not a semaphore (0 bytes); use --link-name"},
  };
  for (const Stale& c : cases) {
    SCOPED_TRACE(c.what);
    // Both ways a user switches the link on: the menu entry, and the box.
    for (int way = 0; way < 2; ++way) {
      SharedMemoryLink::Unlink(name, mutex);
      rmdir(block.c_str());
      c.make();
      // A new window takes the names afresh, so the mutex is looked at again.
      Link().SetLinkNames(name + "_", mutex);
      Link().SetLinkNames(name, mutex);
      const std::string out = StdoutOf([&] {
        if (way == 0)
          LinkEntry()->trigger();
        else
          Click(Named<QCheckBox>("Chk_ShmLink"));
        Pump(50);
      });
      EXPECT_EQ(out, c.says + "\n");
      EXPECT_EQ(Status().StatusText(), QString::fromStdString(c.says));
      ExpectUnlinked();
      struct stat left {};
      if (c.says.rfind(name, 0) == 0) {
        EXPECT_NE(lstat(sem.c_str(), &left), 0) << "the mutex this open made is gone";
      }
      rmdir(block.c_str());
      unlink(block.c_str());
      unlink(sem.c_str());
    }
  }

  // Another user's block, left behind by their run (only an administrator
  // can make one; the open runs without the rights to pass over it).
  SharedMemoryLink::Unlink(name, mutex);
  const int fd = open(block.c_str(), O_CREAT | O_RDWR, 0600);
  ASSERT_GE(fd, 0);
  const bool other = fchown(fd, kOtherUser, kOtherUser) == 0;
  close(fd);
  if (other) {
    Link().SetLinkNames(name + "_", mutex);
    Link().SetLinkNames(name, mutex);
    WithoutFileOverride asAnyUser;
    EXPECT_EQ(StdoutOf([&] { LinkEntry()->trigger(); }), name + " belongs to another user; use --link-name\n");
    ExpectUnlinked();
  }
  unlink(block.c_str());

  // A block of another size is a controller's own business: it is mapped
  // as it stands and the link works.
  const int small = open(block.c_str(), O_CREAT | O_RDWR, 0600);
  ASSERT_EQ(ftruncate(small, 4096), 0);
  close(small);
  EXPECT_EQ(StdoutOf([&] { LinkEntry()->trigger(); }), "");
  EXPECT_TRUE(Named<QCheckBox>("Chk_ShmLink")->isChecked());
  EXPECT_TRUE(LinkEntry()->isChecked());
  EXPECT_FALSE(Named<QGroupBox>("Grp_Robot")->isEnabled());
  LinkEntry()->trigger();
  EXPECT_FALSE(Named<QCheckBox>("Chk_ShmLink")->isChecked());
  EXPECT_TRUE(Named<QGroupBox>("Grp_Robot")->isEnabled());
}

TEST_F(LinkTest, MenuEntryFollowsTheBoxWhoeverDisablesIt) {
  ShowUnuseItem();
  QAction* entry = LinkEntry();
  ASSERT_TRUE(entry->isEnabled());
  QTest::mouseClick(Named<QPushButton>("Btn_AnimationStart"), Qt::LeftButton);
  ASSERT_EQ(Named<QPushButton>("Btn_AnimationStart")->text(), QStringLiteral("Anime Stop"));
  EXPECT_FALSE(Named<QCheckBox>("Chk_ShmLink")->isEnabled());
  EXPECT_FALSE(entry->isEnabled());
  // The entry cannot open the link while the animation runs.
  entry->trigger();
  EXPECT_FALSE(Named<QCheckBox>("Chk_ShmLink")->isChecked());
  QTest::mouseClick(Named<QPushButton>("Btn_AnimationStart"), Qt::LeftButton);
  EXPECT_EQ(Named<QPushButton>("Btn_AnimationStart")->text(), QStringLiteral("Anime Start"));
  EXPECT_TRUE(Named<QPushButton>("Btn_AnimationStart")->isEnabled());
  EXPECT_TRUE(entry->isEnabled());
  // A disabled parent counts too.
  Named<QGroupBox>("Grp_UnuseItem")->setEnabled(false);
  EXPECT_FALSE(entry->isEnabled());
  Named<QGroupBox>("Grp_UnuseItem")->setEnabled(true);
  EXPECT_TRUE(entry->isEnabled());
}

TEST_F(LinkTest, LinkTimerTicksAtItsIntervalThroughTheRegularRedraws) {
  // Above the 500 ms of the regular redraw, each of which once restarted
  // the link's timer before it could fire.
  Arm().ApplyValueEntry(Named<ValueLabel>("Lbl_ShmInterval"), QStringLiteral("600"));
  Named<QCheckBox>("Chk_ShmLink")->setChecked(true);
  ASSERT_TRUE(Named<QTimer>("Tim_ShmMonitor")->isActive());
  ASSERT_TRUE(Named<QTimer>("Tim_Blink")->isActive());
  QSignalSpy ticks(Named<QTimer>("Tim_ShmMonitor"), &QTimer::timeout);
  Pump(2100);
  EXPECT_GE(ticks.count(), 2);  // 3 at the interval; none when restarted
  Named<QCheckBox>("Chk_ShmLink")->setChecked(false);
}

TEST_F(LinkTest, StartingWithTheLinkOptionLeavesTheLinkOn) {
  // As the program does for --link, before the window first shows.
  app = std::make_unique<AppWindows>();
  Link().SetLinkNames(LinkBlock(), LinkMutex());
  Link().OpenLinkWhenShown();
  Win()->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Win()));
  EXPECT_TRUE(LinkEntry()->isChecked());
  EXPECT_FALSE(Named<QGroupBox>("Grp_Robot")->isEnabled());
  EXPECT_TRUE(Named<QTimer>("Tim_ShmMonitor")->isActive());
  Named<QCheckBox>("Chk_ShmLink")->setChecked(false);
}

TEST_F(LinkTest, ABadLinkNameOnTheCommandLineIsRefusedBeforeAnyWindow) {
  for (const char* bad : {"", "a/b"}) {
    QProcess viewer;
    viewer.start(QStringLiteral(TESSALY_VIEWER_EXE), {QStringLiteral("--link-name"), QString::fromLatin1(bad)});
    ASSERT_TRUE(viewer.waitForFinished(10000)) << bad;
    EXPECT_EQ(viewer.exitCode(), 2) << bad;
    EXPECT_TRUE(viewer.readAllStandardError().startsWith("tessaly: --link-name: a link name is")) << bad;
  }
}
