#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "ui/WindowFixture.h"

namespace {

class SaveTest : public MainWindowTest {
 protected:
  // Triggers a File menu entry as the menu would.
  static void Choose(const QString& text) {
    for (QAction* menu : Win()->menuBar()->actions())
      if (menu->menu() && menu->text() == QStringLiteral("&File"))
        for (QAction* a : menu->menu()->actions())
          if (a->text() == text) return a->trigger();
    FAIL() << "no File entry " << text.toStdString();
  }
  QByteArray Contents(const QString& name) const {
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
  }
  void Write(const QString& name, const QByteArray& text) const {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  QTemporaryDir dir;
};

}  // namespace

TEST_F(SaveTest, EverySaveAsksBeforeReplacingAFile) {
  // The name is typed without its extension; the file written is scene.3dl.
  Write(QStringLiteral("scene.3dl"), "old scene");
  prompts.saveAnswers = {dir.filePath(QStringLiteral("scene"))};
  prompts.confirmAnswers = {false};
  Choose(QStringLiteral("Save As..."));
  ASSERT_EQ(prompts.confirmations.size(), 1);
  EXPECT_EQ(prompts.confirmations[0], QStringLiteral("scene.3dl already exists.\nReplace it?"));
  EXPECT_EQ(Contents(QStringLiteral("scene.3dl")), "old scene");
  EXPECT_TRUE(prompts.messages.isEmpty());
  prompts.saveAnswers = {dir.filePath(QStringLiteral("scene"))};
  prompts.confirmAnswers = {true};
  Choose(QStringLiteral("Save As..."));
  EXPECT_TRUE(Contents(QStringLiteral("scene.3dl")).startsWith("# No,Name"));
  EXPECT_TRUE(prompts.messages.isEmpty()) << "the main window's save says so in the status line";
  EXPECT_EQ(Status().StatusText(), QStringLiteral("Saved scene.3dl"));

  Write(QStringLiteral("view.png"), "old picture");
  prompts.saveAnswers = {dir.filePath(QStringLiteral("view"))};
  prompts.confirmAnswers = {false};
  Choose(QStringLiteral("Save Image..."));
  EXPECT_EQ(prompts.confirmations.size(), 3);
  EXPECT_EQ(prompts.confirmations.last(), QStringLiteral("view.png already exists.\nReplace it?"));
  EXPECT_EQ(Contents(QStringLiteral("view.png")), "old picture");
  // A new file is not asked about.
  prompts.saveAnswers = {dir.filePath(QStringLiteral("new.png"))};
  Choose(QStringLiteral("Save Image..."));
  EXPECT_EQ(prompts.confirmations.size(), 3);
  EXPECT_TRUE(Contents(QStringLiteral("new.png")).startsWith("\x89PNG"));
  EXPECT_EQ(Status().StatusText(), QStringLiteral("Saved the picture to ") + dir.filePath(QStringLiteral("new.png")));
}

TEST_F(SaveTest, ReadOnlyAndSpecialTargetsKeepWhatTheyAre) {
  Write(QStringLiteral("locked.3dl"), "old scene");
  const std::string locked = QFile::encodeName(dir.filePath(QStringLiteral("locked.3dl"))).toStdString();
  ::chmod(locked.c_str(), 0444);
  prompts.saveAnswers = {dir.filePath(QStringLiteral("locked.3dl"))};
  Choose(QStringLiteral("Save As..."));
  EXPECT_TRUE(prompts.confirmations.isEmpty()) << "nothing to ask: the save is refused";
  ASSERT_EQ(prompts.messages.size(), 1);
  EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Object data could not be saved to: ")));
  EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("read-only")));
  EXPECT_EQ(Contents(QStringLiteral("locked.3dl")), "old scene");

  const std::string fifo = QFile::encodeName(dir.filePath(QStringLiteral("pipe.png"))).toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  prompts.saveAnswers = {dir.filePath(QStringLiteral("pipe.png"))};
  Choose(QStringLiteral("Save Image..."));  // declined: unscripted answers are Cancel
  ASSERT_EQ(prompts.confirmations.size(), 1);
  EXPECT_EQ(prompts.confirmations[0], QStringLiteral("pipe.png is not a regular file (a FIFO).\nWrite into it anyway?"));
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(prompts.messages.size(), 1);
}
