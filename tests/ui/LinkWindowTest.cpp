// The controller protocol through the real window: a well-formed write
// moves the arm's and RBT1's bars and places an object for the frame; a
// malformed one changes nothing and is reported once in the status line.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "link/LinkProtocol.h"
#include "link/SharedMemoryLink.h"
#include "ui/InterferenceController.h"
#include "ui/MotionReport.h"
#include "ui/WindowFixture.h"

namespace {

class LinkWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Link().SetLinkNames(block, mutex);
    Named<QCheckBox>("Chk_ShmLink")->setChecked(true);
    ASSERT_TRUE(Named<QCheckBox>("Chk_ShmLink")->isChecked());
    ASSERT_EQ(controller.OpenSharedMemoryLink(), 1);
    c = static_cast<tessaly_link_controller*>(controller.MutableView());
  }
  void TearDown() override {
    Named<QCheckBox>("Chk_ShmLink")->setChecked(false);
    SharedMemoryLink::Unlink(block, mutex);
    MainWindowTest::TearDown();
  }
  void Write(uint32_t sequence, float j1, float reach) {
    std::memset(c, 0, sizeof *c);
    c->magic = TESSALY_LINK_MAGIC;
    c->version = TESSALY_LINK_VERSION;
    c->sequence = c->sequence_end = sequence;
    c->flags = TESSALY_LINK_ARM | TESSALY_LINK_RBT1;
    c->joints[0] = j1;
    c->joints[2] = 90.0f;
    c->robot[0].r1 = reach;
    c->robot[0].wafer = TESSALY_LINK_WAFER_HAND1;
    c->override_count = 1;
    c->overrides[0] = tessaly_link_override{3, 1, 0.5f, -0.5f, 0.2f, {45.0f, 0.0f, 0.0f}};
  }

  std::string block = "TESSALY_TEST_WLINK_" + std::to_string(getpid());
  std::string mutex = "TESSALY_TEST_WLINK_MUTEX_" + std::to_string(getpid());
  std::ostringstream out;
  SharedMemoryLink controller{out, block, mutex};
  tessaly_link_controller* c = nullptr;
};

}  // namespace

TEST_F(LinkWindowTest, WellFormedWriteMovesTheBarsAndAFaultIsReportedOnce) {
  // Before a controller speaks, the block is left alone and nothing is said.
  const QString before = Status().StatusText();
  Link().Tim_ShmMonitorTimer();
  EXPECT_EQ(Status().StatusText(), before);
  EXPECT_EQ(Link().LinkOverrides()->at(3).active, false);

  Write(1, 30.0f, 0.5f);
  const int frames = Frame().FramesDrawn();
  Link().Tim_ShmMonitorTimer();
  EXPECT_EQ(Frame().FramesDrawn(), frames + 1) << "one frame per tick";
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData01")->Position(), 3000);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_R1Axis")->Position(), 50);
  EXPECT_TRUE(Named<QCheckBox>("Chk_RBT1_R1_Wafer")->isChecked());
  EXPECT_EQ(Named<ValueLabel>("Lbl_RBT1_R1Axis")->text(), QStringLiteral("0.50"));
  EXPECT_TRUE(Status().StatusText().contains(QStringLiteral("applied")));
  ASSERT_NE(Link().LinkOverrides(), nullptr);
  EXPECT_TRUE(Link().LinkOverrides()->at(3).active);
  EXPECT_FALSE(Frame().Objects()[3].Enbl) << "the stored table is not touched";
  // The viewer's region carries the tool point of the frame it drew.
  const auto* v = reinterpret_cast<const tessaly_link_viewer*>(static_cast<const char*>(controller.View()) +
                                                               TESSALY_LINK_VIEWER_OFFSET);
  EXPECT_EQ(v->sequence_seen, 1u);
  Link().Tim_ShmMonitorTimer();
  EXPECT_NEAR(v->tool[0], Frame().ToolPoint()[0], 1e-5);
  EXPECT_NEAR(v->tool[2], Frame().ToolPoint()[1], 1e-5);

  // A NaN: nothing moves, one message.
  Write(2, 60.0f, 0.9f);
  c->robot[0].t = std::nanf("");
  Link().Tim_ShmMonitorTimer();
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData01")->Position(), 3000);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_R1Axis")->Position(), 50);
  EXPECT_TRUE(Status().StatusText().contains(QStringLiteral("not a number")));
  Status().ShowStatus(QStringLiteral("something else"));
  Link().Tim_ShmMonitorTimer();
  EXPECT_EQ(Status().StatusText(), QStringLiteral("something else")) << "reported once";

  // Closing the link gives the scene its stored poses back.
  Named<QCheckBox>("Chk_ShmLink")->setChecked(false);
  EXPECT_EQ(Link().LinkOverrides(), nullptr);

  // A controller that opens the block with O_TRUNC stops the link; the
  // window lives on, unlinked.
  Named<QCheckBox>("Chk_ShmLink")->setChecked(true);
  close(shm_open(("/" + block).c_str(), O_RDWR | O_TRUNC, 0600));
  Link().Tim_ShmMonitorTimer();
  EXPECT_TRUE(Status().StatusText().contains(QStringLiteral("too small")));
  EXPECT_FALSE(Named<QCheckBox>("Chk_ShmLink")->isChecked());
  EXPECT_TRUE(Named<QGroupBox>("Grp_Robot")->isEnabled());
}

// Each write applied is kept; the Motion Report sweeps the session, the
// record the controller moves measured against the rest.
TEST_F(LinkWindowTest, TheSessionIsRecordedAndSweptInTheMotionReport) {
  for (int i : {3, 12}) {
    SceneObject& box = Frame().Objects()[static_cast<size_t>(i)];
    box.Enbl = true;
    box.Shp = ShapeKind::Cube;
    box.W = box.D = box.H = 0.1f;
    box.Fill = true;
    box.Name = i == 3 ? "carrier" : "wall";
    box.X = 2.0f;
    box.Y = -0.5f;
    box.Z = 0.2f;
  }
  Doc().SceneChanged(QStringLiteral("Edit"));
  for (uint32_t k = 1; k <= 3; ++k) {
    Write(k, 30.0f, 0.5f);
    c->overrides[0].x = k == 3 ? 1.95f : 1.45f + 0.15f * static_cast<float>(k);
    c->overrides[0].ang[0] = 0.0f;
    Link().Tim_ShmMonitorTimer();
  }
  Checks().ShowMotionReport();
  MotionReport* r = Checks().motionReport();
  r->motion()->setCurrentIndex(4);
  QTest::mouseClick(r->findChild<QPushButton*>(QStringLiteral("Btn_Run")), Qt::LeftButton);
  ASSERT_EQ(r->result().rows.size(), 3u);
  EXPECT_EQ(r->result().ContactSteps(), 1);
  EXPECT_EQ(r->result().rows[2].firstContact, "OBJ003 carrier hits OBJ012 wall");
  EXPECT_NEAR(r->result().rows[1].clearance, 0.15, 1e-4);
  r->close();
}
