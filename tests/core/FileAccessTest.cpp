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
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

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
    SetSaveJournalFolder((dir / "journal").string());
  }
  void TearDown() override {
    SetSaveJournalFolder("");
    SetRewriteProgressHook(nullptr);
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

TEST_F(FileAccess, OnlyMarkedTemporariesOfEndedSavesGo) {
  const std::string longName = std::string(251, 'n') + ".3dl";  // 255 bytes, the longest a name can be
  EXPECT_EQ(Save(Path(longName)), 1);
  EXPECT_TRUE(fs::exists(Path(longName)));

  const std::string dead = std::to_string(DeadPid()), parent = std::to_string(getppid());
  auto start = [](const std::string& pid) {
    std::ifstream in("/proc/" + pid + "/stat");
    std::string text;
    std::getline(in, text);
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i) rest >> field;
    return field;
  };
  const std::string pre = kTempFilePrefix;
  struct Case {
    std::string name, marker;
    bool mine, gone;
  } cases[] = {
      {pre + dead + "-abc123", dead + " 12345", true, true},
      {pre + parent + "-abc124", parent + " " + start(parent), true, false},  // a save still running
      {pre + parent + "-abc125", parent + " 1", true, true},                  // its pid given to another
      {pre + dead + "-abc126", "", true, false},                              // no marker: a user's name
      {pre + dead + "-abc127", parent + " 1", true, false},                   // marker of another name
      {pre + dead + "-abc128", dead + " 1", false, false},                    // another user's
      {"notes.tmp" + dead + "-1", dead + " 1", true, false},
      {"report.tmp30000-2024", "", true, false},
      {"photo.tmp2024-05", "", true, false},
  };
  for (const Case& c : cases) {
    Write(Path(c.name), "x");
    if (!c.marker.empty()) {
      ASSERT_EQ(::setxattr(Path(c.name).c_str(), kTempFileMarker, c.marker.data(), c.marker.size(), 0), 0);
    }
    if (!c.mine) {
      ASSERT_EQ(::chown(Path(c.name).c_str(), kOtherUser, kOtherUser), 0);
    }
  }
  ASSERT_EQ(Save(Path("scene.3dl")), 1);
  for (const Case& c : cases) EXPECT_EQ(fs::exists(Path(c.name)), !c.gone) << c.name;
  // Nothing of the save itself stays behind, and the saved file is unmarked.
  int ours = 0;
  for (const auto& e : fs::directory_iterator(dir)) ours += e.path().filename().string().rfind(pre, 0) == 0;
  EXPECT_EQ(ours, 4);
  EXPECT_LT(::getxattr(Path("scene.3dl").c_str(), kTempFileMarker, nullptr, 0), 0);
}

TEST_F(FileAccess, AttributesGroupAndLinksSurviveTheSave) {
  const std::string p = Path("scene.3dl");
  Write(p, "old");
  ASSERT_EQ(::setxattr(p.c_str(), "user.note", "cell A", 6, 0), 0);
  // An access list: version 2, then (tag, permissions, id) entries: owner
  // rw, user 65534 r, group r, mask r, others nothing.
  const std::string acl("\x02\0\0\0" "\x01\0\x06\0\xff\xff\xff\xff" "\x02\0\x04\0\xfe\xff\0\0"
                        "\x04\0\x04\0\xff\xff\xff\xff" "\x10\0\x04\0\xff\xff\xff\xff" "\x20\0\0\0\xff\xff\xff\xff",
                        44);
  const bool acls = ::setxattr(p.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
  ASSERT_EQ(::chown(p.c_str(), getuid(), kOtherUser), 0);
  ASSERT_EQ(Save(p), 1);
  char value[64] = {};
  EXPECT_EQ(::getxattr(p.c_str(), "user.note", value, sizeof value), 6);
  EXPECT_STREQ(value, "cell A");
  // Only a file system without access lists may refuse one.
  ASSERT_TRUE(acls || errno == ENOTSUP) << std::strerror(errno);
  if (acls) {
    EXPECT_EQ(::getxattr(p.c_str(), "system.posix_acl_access", nullptr, 0), static_cast<ssize_t>(acl.size()));
  }
  struct stat st {};
  ASSERT_EQ(::stat(p.c_str(), &st), 0);
  EXPECT_EQ(st.st_gid, kOtherUser);

  // A dangling link names the file to make, relative to the link's folder.
  fs::create_directories(dir / "real");
  const std::string link = Path("link.3dl");
  ASSERT_EQ(::symlink("real/made.3dl", link.c_str()), 0);
  ASSERT_EQ(Save(link), 1);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_NE(Read(Path("real/made.3dl")).find(",kept,"), std::string::npos);
}

TEST_F(FileAccess, PrivateFilesRefuseLinksAndOtherUsersFiles) {
  SaveOptions priv;
  priv.privateFile = true;
  const std::string victim = Path("victim.txt"), planted = Path("planted.3dl"), theirs = Path("theirs.3dl");
  Write(victim, "precious");
  ASSERT_EQ(::symlink(victim.c_str(), planted.c_str()), 0);
  Write(theirs, "theirs");
  ASSERT_EQ(::chown(theirs.c_str(), kOtherUser, kOtherUser), 0);
  std::string why;
  EXPECT_EQ(SaveObjects(planted, table->data(), 3, priv, &why), -1);
  EXPECT_EQ(why, "a symbolic link; not followed");
  EXPECT_EQ(SaveObjects(theirs, table->data(), 3, priv, &why), -1);
  EXPECT_EQ(why, "another user's file; not replaced");
  EXPECT_EQ(Read(victim), "precious");
  EXPECT_EQ(Read(theirs), "theirs");
  const std::string fresh = Path("fresh.3dl");
  ::umask(022);
  ASSERT_EQ(SaveObjects(fresh, table->data(), 3, priv, &why), 1);
  struct stat st {};
  ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // The folder for private files: made 0700, a planted link refused.
  const std::string folder = Path("state/saves");
  fs::create_directories(folder);
  ::chmod(folder.c_str(), 0755);
  ASSERT_TRUE(MakePrivateFolder(folder, &why)) << why;
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::symlink(dir.c_str(), Path("elsewhere").c_str()), 0);
  EXPECT_FALSE(MakePrivateFolder(Path("elsewhere"), &why));
}

namespace {

// A save of a hard-linked file (so rewritten in place) run in a child
// process, the hook given to it; the child's exit status, or -signal.
pid_t StartSaveInChild(const std::string& path, const ObjectTable& t, bool (*hook)(size_t),
                       rlim_t sizeLimit = RLIM_INFINITY) {
  const pid_t child = fork();
  if (child == 0) {
    SetRewriteProgressHook(hook);
    rlimit limit{sizeLimit, sizeLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string why;
    const int r = SaveObjects(path, t.data(), kObjectCapacity, SaveOptions{}, &why);
    _exit(r == 1                                              ? 0
          : why == "the file size limit was reached"          ? 2
          : why == "an earlier save of the file cannot be undone" ? 3
                                                              : 1);
  }
  return child;
}

int Finish(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

int SaveInChild(const std::string& path, const ObjectTable& t, bool (*hook)(size_t),
                rlim_t sizeLimit = RLIM_INFINITY) {
  return Finish(StartSaveInChild(path, t, hook, sizeLimit));
}

// A saver that stops after its first piece, says so on this pipe and waits
// there a while before it goes on.
int pausePipe[2] = {-1, -1};
bool PauseOnce(size_t) {
  static bool paused = false;
  if (!paused) {
    paused = true;
    (void)!::write(pausePipe[1], "p", 1);
    ::usleep(300 * 1000);
  }
  return true;
}

std::string ReadLocked(const std::string& path) {
  std::string seen;
  const int fd = OpenRegularFile(path, nullptr);
  char buf[1 << 16];
  for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) seen.append(buf, static_cast<size_t>(n));
  ::close(fd);
  return seen;
}

}  // namespace

TEST_F(FileAccess, RewritingInPlaceNeverLeavesHalfAFile) {
  const std::string p = Path("linked.3dl");
  ASSERT_EQ(SaveObjects(p, table->data(), kObjectCapacity, SaveOptions{}, nullptr), 1);  // about 400 KiB
  ASSERT_EQ(::link(p.c_str(), Path("twin.3dl").c_str()), 0);
  const std::string old = Read(p);
  ObjectTable changed = *table, third = *table;
  for (SceneObject& r : changed) r.X = 1.5f;
  for (SceneObject& r : third) r.Y = 2.5f;
  auto kill = [](size_t) -> bool {
    raise(SIGKILL);
    return true;
  };

  struct Case {
    const char* what;
    bool (*hook)(size_t);
    rlim_t limit;
    int status;  // of the saving child
  } cases[] = {
      {"killed halfway", kill, RLIM_INFINITY, -SIGKILL},
      {"a write fails halfway", [](size_t done) { return done < 100000; }, RLIM_INFINITY, 1},
      {"over the size limit", nullptr, 100 * 1024, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SaveInChild(p, changed, c.hook, c.limit), c.status) << c.what;
    // Whatever the saver left, a reader gets the old file whole, and the
    // journal is gone once it is.
    EXPECT_TRUE(ReadLocked(p) == old) << c.what;
    EXPECT_TRUE(Read(p) == old) << c.what;
    EXPECT_TRUE(fs::is_empty(dir / "journal")) << c.what;
  }
  // A killed save that cannot be undone (the size limit again) stops the
  // next save before it writes anything.
  EXPECT_EQ(SaveInChild(p, changed, kill), -SIGKILL);
  EXPECT_EQ(SaveInChild(p, changed, nullptr, 100 * 1024), 3);
  EXPECT_TRUE(ReadLocked(p) == old);

  // Journals that are not a cut-short save of this file are never used.
  struct stat st {};
  ASSERT_EQ(::stat(p.c_str(), &st), 0);
  struct statx sx {};
  ASSERT_EQ(::statx(AT_FDCWD, p.c_str(), 0, STATX_BTIME, &sx), 0);
  const std::string born = std::to_string(sx.stx_btime.tv_sec) + "." + std::to_string(sx.stx_btime.tv_nsec);
  const std::string journal = (dir / "journal").string() + "/" + std::to_string(st.st_dev) + "-" +
                              std::to_string(st.st_ino) + ".journal";
  struct Planted {
    const char* what;
    std::string text;
    bool theirs;
  } planted[] = {
      {"another file's", "tessaly save journal 1\n1.5\n4\nJUNK", false},
      {"cut short", "tessaly save journal 1\n" + born + "\n9\nJUNK", false},
      {"another user's", "tessaly save journal 1\n" + born + "\n4\nJUNK", true},
  };
  for (const Planted& j : planted) {
    Write(journal, j.text);
    if (j.theirs) {
      ASSERT_EQ(::chown(journal.c_str(), kOtherUser, kOtherUser), 0);
    }
    EXPECT_TRUE(ReadLocked(p) == old) << j.what;
    fs::remove(journal);
  }

  // Shorter contents leave no old tail, and both names see them.
  ASSERT_EQ(Save(p), 1);
  const std::string three = Read(p);
  EXPECT_EQ(three, kObjectFileHeader + FormatObjectLine(0, (*table)[0]) + FormatObjectLine(1, (*table)[1]) +
                       FormatObjectLine(2, (*table)[2]));
  EXPECT_EQ(Read(Path("twin.3dl")), three);

  // A reader and a second saver wait for a save that stopped halfway: the
  // reader sees its whole file, and the last save's file stands whole.
  ASSERT_EQ(::pipe(pausePipe), 0);
  const pid_t first = StartSaveInChild(p, changed, PauseOnce);
  char c = 0;
  ASSERT_EQ(::read(pausePipe[0], &c, 1), 1);
  const pid_t second = StartSaveInChild(p, third, nullptr);
  const std::string seen = ReadLocked(p);
  EXPECT_EQ(Finish(first), 0);
  EXPECT_EQ(Finish(second), 0);
  ::close(pausePipe[0]);
  ::close(pausePipe[1]);
  const std::string a = (SaveObjects(Path("a.3dl"), changed.data(), kObjectCapacity), Read(Path("a.3dl")));
  const std::string b = (SaveObjects(Path("b.3dl"), third.data(), kObjectCapacity), Read(Path("b.3dl")));
  EXPECT_TRUE(seen == a || seen == b);
  const std::string last = Read(p);
  EXPECT_TRUE(last == a || last == b);
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
