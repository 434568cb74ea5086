// Clearance, allowed contacts and the motion report through the window,
// with the keys, clicks and files a user meets them with.
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include "FakePrompts.h"
#include "WindowFixture.h"
#include "ui/InterferenceController.h"
#include "ui/MotionReport.h"

namespace {

class ClearanceWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Win()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Win()));
  }
  static QString ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }
};

}  // namespace

// Ctrl+Shift+R shows the clearance in the status line; a contact brings
// "allow this contact", whose click keeps the pair in the scene's file and
// sets the contact aside; the file read again brings the list back.
TEST_F(ClearanceWindowTest, ShowClearanceAllowAContactAndKeepItInTheFile) {
  FakePrompts prompts;
  InterferenceController* c = &Checks();
  PlaceBox(0.0f, 0.25f, 0.9f);
  QTest::keyClick(Win()->windowHandle(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  Pump(50);
  ASSERT_TRUE(c->showAction()->isChecked());
  EXPECT_TRUE(Checks().checkAction()->isChecked());
  EXPECT_TRUE(Status().StatusText().startsWith(QStringLiteral("Clearance "))) << Status().StatusText().toStdString();
  EXPECT_TRUE(Status().StatusText().endsWith(QStringLiteral(" \u2013 OBJ012 load port")));
  EXPECT_FALSE(c->allowButton()->isVisible());

  PlaceBox(0.0f, 0.25f, 0.56f);
  EXPECT_TRUE(Status().StatusText().startsWith(QStringLiteral("J4 link hits OBJ012 load port")));
  ASSERT_TRUE(c->allowButton()->isVisible());
  QTest::mouseClick(c->allowButton(), Qt::LeftButton);
  Pump(50);
  EXPECT_FALSE(Checks().report().Any());
  EXPECT_EQ(Checks().report().allowedContacts, 1);
  EXPECT_TRUE(c->allowed().Contains("ARM.J4", "OBJ012"));
  EXPECT_TRUE(Doc().SceneModified());

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("allowed.3dl"));
  prompts.saveAnswers.push_back(path);
  ASSERT_TRUE(Doc().FileSave());
  EXPECT_TRUE(ReadAll(path).contains(QStringLiteral("\n#@allow ARM.J4 OBJ012\n")));
  Doc().FileNew();
  EXPECT_TRUE(c->allowed().empty());
  ASSERT_TRUE(Doc().OpenSceneFile(path));
  EXPECT_TRUE(c->allowed().Contains("ARM.J4", "OBJ012"));

  // Turning the check off takes the clearance with it.
  QTest::keyClick(Win()->windowHandle(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  Checks().SetCheck(false);
  EXPECT_FALSE(c->showAction()->isChecked());
  EXPECT_FALSE(c->allowButton()->isVisible());
}

// Tools > Allowed Contacts: a pair typed in and added, a malformed one
// refused with a message, one removed; Cancel keeps the scene's list.
TEST_F(ClearanceWindowTest, AllowedContactsDialogAddsRemovesAndRefuses) {
  InterferenceController* c = &Checks();
  c->ShowAllowedContacts();
  QDialog* d = c->allowedDialog();
  auto* part = d->findChild<QLineEdit*>(QStringLiteral("Edt_Part"));
  auto* object = d->findChild<QLineEdit*>(QStringLiteral("Edt_Object"));
  auto* add = d->findChild<QPushButton*>(QStringLiteral("Btn_Add"));
  auto* list = d->findChild<QListWidget*>(QStringLiteral("Lst_Allowed"));
  auto* error = d->findChild<QLabel*>(QStringLiteral("Lbl_Error"));
  const struct {
    const char* part;
    const char* object;
    bool taken;
  } entries[] = {{"OBJ005.hand", "OBJ012", true}, {"ARM.J9", "OBJ012", false}, {"OBJ102.hand", "OBJ030", true}};
  for (const auto& e : entries) {
    part->clear();  // a refused pair stays to be mended
    object->clear();
    QTest::keyClicks(part, QString::fromLatin1(e.part));
    QTest::keyClicks(object, QString::fromLatin1(e.object));
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(error->text().isEmpty(), e.taken) << e.part;
  }
  EXPECT_EQ(list->count(), 2);
  list->setCurrentRow(0);
  QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Btn_Remove")), Qt::LeftButton);
  ASSERT_EQ(list->count(), 1);
  d->reject();
  EXPECT_TRUE(c->allowed().empty());
  c->ShowAllowedContacts();
  EXPECT_EQ(list->count(), 0) << "each opening starts from the scene's list";
  QTest::keyClicks(part, QStringLiteral("OBJ102.hand"));
  QTest::keyClicks(object, QStringLiteral("OBJ030"));
  QTest::mouseClick(add, Qt::LeftButton);
  d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  EXPECT_TRUE(c->allowed().Contains("OBJ102.hand", "OBJ030"));
  EXPECT_TRUE(Doc().SceneModified());
}

// Ctrl+Shift+M, Run: the arm's path in the table and the plot; a click on
// the plot poses the arm at that step; the table saves as CSV.
TEST_F(ClearanceWindowTest, MotionReportRunsPosesAndSaves) {
  FakePrompts prompts;
  PlaceBox(-0.25f, 0.366f, 0.45f);
  QTest::keyClick(Win()->windowHandle(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
  Pump(50);
  MotionReport* r = Checks().motionReport();
  ASSERT_NE(r, nullptr);
  ASSERT_TRUE(r->isVisible());
  QTest::mouseClick(r->findChild<QPushButton*>(QStringLiteral("Btn_Run")), Qt::LeftButton);
  ASSERT_GT(r->table()->rowCount(), 100);
  EXPECT_GT(r->result().ContactSteps(), 0);
  EXPECT_TRUE(r->summary()->text().contains(QStringLiteral("with contact")));
  const int last = r->table()->rowCount() - 1;
  QTest::mouseClick(r->plot(), Qt::LeftButton, Qt::NoModifier, QPoint(r->plot()->width() - 9, 40));
  Pump(50);
  EXPECT_EQ(r->table()->currentRow(), last);
  for (int j = 0; j < 6; ++j) EXPECT_NEAR(Frame().Settings().joints[j], r->steps().back().joints[j], 0.01f) << j;
  QTemporaryDir dir;
  const QString csv = dir.filePath(QStringLiteral("report.csv"));
  prompts.saveAnswers.push_back(csv);
  QTest::mouseClick(r->saveButton(), Qt::LeftButton);
  const QString text = ReadAll(csv);
  EXPECT_TRUE(text.startsWith(QStringLiteral("step,label,clearance_mm,pair,contacts,first_contact\n")));
  EXPECT_EQ(text.count(QLatin1Char('\n')), r->table()->rowCount() + 1);
  r->close();
}
