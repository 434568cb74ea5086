#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "objects/FileAccess.h"
#include "objects/ObjectFile.h"
#include "objects/ShapeListFile.h"
#include "support/FileRights.h"

namespace fs = std::filesystem;

namespace {

class FileAccess : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::path(TESSALY_ARTIFACT_DIR) / ("files-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    (*table)[0].Name = "kept";
    (*table)[0].Enbl = true;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir, ec);
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  int Save(const std::string& path, std::string* why = nullptr, bool writeThrough = false) {
    SaveOptions o;
    o.writeThroughSpecial = writeThrough;
    return SaveObjects(path, table->data(), 3, o, why);
  }
  // A process id that no process has any more.
  static pid_t DeadPid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
  }
  fs::path dir;
  std::unique_ptr<ObjectTable> table;
};

// Runs f on another thread; a reader that blocks is released by opening
// the FIFO for writing, so the test fails instead of hanging.
template <class F>
bool ReturnsAtOnce(const std::string& fifo, F f) {
  auto done = std::async(std::launch::async, f);
  if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return true;
  const int fd = ::open(fifo.c_str(), O_WRONLY);
  if (fd >= 0) ::close(fd);
  done.wait();
  return false;
}

}  // namespace

TEST_F(FileAccess, ReadOnlyFileIsRefusedAndKeepsItsContents) {
  const std::string p = Path("locked.3dl");
  Write(p, "old");
  ::chmod(p.c_str(), 0444);
  std::string why;
  EXPECT_EQ(Save(p, &why), -1);
  EXPECT_EQ(why, "the file is read-only");
  EXPECT_EQ(Read(p), "old");
  EXPECT_EQ(InspectSaveTarget(p), SaveTarget::kReadOnly);
}

TEST_F(FileAccess, ReplacingKeepsModeOwnerAndHardLinks) {
  const std::string p = Path("scene.3dl"), twin = Path("twin.3dl");
  Write(p, "old");
  ::chmod(p.c_str(), 0640);
  ASSERT_EQ(Save(p), 1);
  struct stat st {};
  ASSERT_EQ(::stat(p.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_NE(Read(p).find(",kept,"), std::string::npos);

  // A second name for the file sees the new contents.
  ASSERT_EQ(::link(p.c_str(), twin.c_str()), 0);
  (*table)[0].Name = "second";
  ASSERT_EQ(Save(p), 1);
  EXPECT_NE(Read(twin).find(",second,"), std::string::npos);
  struct stat a {}, b {};
  ::stat(p.c_str(), &a);
  ::stat(twin.c_str(), &b);
  EXPECT_EQ(a.st_ino, b.st_ino);
  EXPECT_EQ(a.st_nlink, 2u);

  // Another user's file stays theirs (only an administrator can make one).
  const std::string theirs = Path("theirs.3dl");
  Write(theirs, "old");
  ::chmod(theirs.c_str(), 0666);
  if (::chown(theirs.c_str(), kOtherUser, kOtherUser) == 0) {
    ASSERT_EQ(Save(theirs), 1);
    ASSERT_EQ(::stat(theirs.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kOtherUser);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
    EXPECT_NE(Read(theirs).find(",second,"), std::string::npos);
  }
}

TEST_F(FileAccess, TargetsThatAreNotRegularFilesAreNeverReplaced) {
  const std::string fifo = Path("pipe.3dl");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string why;
  EXPECT_EQ(Save(fifo, &why), -1);
  EXPECT_EQ(why, "not a regular file (a FIFO); not replaced");
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(InspectSaveTarget(fifo), SaveTarget::kSpecial);
  // Asked to write into it, with nobody reading: fails at once.
  EXPECT_TRUE(ReturnsAtOnce(fifo, [&] { return Save(fifo, &why, true); }));
  EXPECT_EQ(why, "no process reads the FIFO");

  // A device takes the bytes only when asked, and its errors are reported.
  EXPECT_EQ(Save("/dev/null", &why), -1);
  EXPECT_EQ(Save("/dev/null", &why, true), 1);
  EXPECT_EQ(Save("/dev/full", &why, true), -1);
  EXPECT_EQ(why, "no space left on the device");
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST_F(FileAccess, LongNamesSaveAndStaleTemporaryFilesGo) {
  const std::string longName = std::string(251, 'n') + ".3dl";  // 255 bytes, the longest a name can be
  EXPECT_EQ(Save(Path(longName)), 1);
  EXPECT_TRUE(fs::exists(Path(longName)));

  const std::string dead = std::to_string(DeadPid());
  const std::string stale = Path(std::string(kTempFilePrefix) + dead + "-abc123");
  const std::string oldStyle = Path("scene.3dl.tmp" + dead + "-0");
  const std::string live = Path(std::string(kTempFilePrefix) + std::to_string(getppid()) + "-abc123");
  const std::string user = Path("notes.tmp" + dead + "-0.txt");
  for (const std::string& p : {stale, oldStyle, live, user}) Write(p, "x");
  ASSERT_EQ(Save(Path("scene.3dl")), 1);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_FALSE(fs::exists(oldStyle));
  EXPECT_TRUE(fs::exists(live)) << "a save still running elsewhere";
  EXPECT_TRUE(fs::exists(user)) << "not a name of this program's";
  // Nothing of the save itself stays behind.
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir)) files += e.path().filename().string()[0] == '.' ? 1 : 0;
  EXPECT_EQ(files, 1);  // the live one
}

TEST_F(FileAccess, FileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
  const std::string p = Path("big.3dl");
  Write(p, "old");
  const pid_t child = fork();
  if (child == 0) {
    rlimit limit{1024, 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string why;
    const int r = SaveObjects(p, table->data(), 100, SaveOptions{}, &why);
    _exit(r == -1 && why == "the file size limit was reached" ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Read(p), "old");
}

TEST_F(FileAccess, ReadersRefuseAFifoAtOnceAndSayWhyTheyCannotRead) {
  const std::string fifo = Path("pipe.3dl");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string why;
  int result = 0;
  EXPECT_TRUE(ReturnsAtOnce(fifo, [&] {
    result = LoadObjects(fifo, table->data(), kObjectCapacity, nullptr, nullptr, &why);
  }));
  EXPECT_EQ(result, -1);
  EXPECT_EQ(why, "not a regular file (a FIFO)");
  ShapeList list;
  EXPECT_TRUE(ReturnsAtOnce(fifo, [&] { result = LoadShapeList(fifo, list, &why); }));
  EXPECT_EQ(result, -1);
  EXPECT_EQ(why, "not a regular file (a FIFO)");

  const std::string loop = Path("loop.3dl");
  ASSERT_EQ(::symlink(loop.c_str(), loop.c_str()), 0);
  const std::string unreadable = Path("secret.3dl");
  Write(unreadable, "0,x,");
  ::chmod(unreadable.c_str(), 0);
  ::chown(unreadable.c_str(), kOtherUser, kOtherUser);
  const std::pair<std::string, std::string> cases[] = {{Path("missing.3dl"), "no such file"},
                                                       {dir.string(), "a directory"},
                                                       {loop, "a loop of symbolic links"},
                                                       {"/dev/null", "not a regular file (a character device)"}};
  for (const auto& [path, reason] : cases) {
    EXPECT_EQ(LoadObjects(path, table->data(), kObjectCapacity, nullptr, nullptr, &why), -1) << path;
    EXPECT_EQ(why, reason) << path;
  }
  WithoutFileOverride asAnyUser;
  EXPECT_EQ(LoadObjects(unreadable, table->data(), kObjectCapacity, nullptr, nullptr, &why), -1);
  EXPECT_EQ(why, "permission denied");
}

TEST_F(FileAccess, ByteOrderMarkIsSkippedAndUtf16IsRefusedByName) {
  const std::string line = FormatObjectLine(4, (*table)[0]);
  const std::string bom = Path("bom.3dl");
  Write(bom, "\xEF\xBB\xBF" + line);
  std::vector<std::string> said;
  auto report = [&said](const std::string& m) { said.push_back(m); };
  EXPECT_EQ(LoadObjects(bom, table->data(), kObjectCapacity, nullptr, report), 1);
  EXPECT_EQ((*table)[4].Name, "kept");
  EXPECT_TRUE(said.empty());

  // The same line in UTF-16, as an editor would save it, with its mark.
  std::string wide = "\xFF\xFE";
  for (char c : line) wide += std::string{c, '\0'};
  const std::string utf16 = Path("wide.3dl");
  Write(utf16, wide);
  (*table)[4].Name = "untouched";
  EXPECT_EQ(LoadObjects(utf16, table->data(), kObjectCapacity, nullptr, report), 0);
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("UTF-16"), std::string::npos) << said[0];
  EXPECT_EQ((*table)[4].Name, "untouched");
  // Without its mark too.
  said.clear();
  Write(utf16, wide.substr(2));
  EXPECT_EQ(LoadObjects(utf16, table->data(), kObjectCapacity, nullptr, report), 0);
  ASSERT_EQ(said.size(), 1u);
}
