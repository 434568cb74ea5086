#include "objects/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <random>
#include <vector>

const char* const kTempFilePrefix = ".tessaly-";
const char* const kTempFileMarker = "user.tessaly.temporary";

namespace {

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISLNK(mode)) return "a symbolic link";
  return "not a regular file";
}

std::string ErrorText(int code) {
  switch (code) {
    case ENOENT: return "no such file";
    case EACCES:
    case EPERM: return "permission denied";
    case EISDIR: return "a directory";
    case ELOOP: return "a loop of symbolic links";
    case ENOTDIR: return "a part of the path is not a folder";
    case ENAMETOOLONG: return "the name is too long";
    case ENOSPC: return "no space left on the device";
    case EFBIG: return "the file size limit was reached";
    case EDQUOT: return "the disk quota was reached";
    case EROFS: return "a read-only file system";
    case ENXIO: return "no process reads the FIFO";
    default: return std::strerror(code);
  }
}

void Set(std::string* why, const std::string& text) {
  if (why) *why = text;
}

// A file over the size limit raises SIGXFSZ, whose default ends the
// process; ignored, the write fails with EFBIG like any full disk.
void IgnoreFileSizeSignal() {
  static std::once_flag once;
  std::call_once(once, [] { ::signal(SIGXFSZ, SIG_IGN); });
}

bool WriteAll(int fd, const char* p, size_t left, off_t at, bool positioned) {
  while (left > 0) {
    const ssize_t n = positioned ? ::pwrite(fd, p, left, at) : ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    p += n;
    at += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteAll(int fd, const std::string& bytes, off_t at, bool positioned) {
  return WriteAll(fd, bytes.data(), bytes.size(), at, positioned);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Saving through a symbolic link replaces the file it points to, not the
// link itself; a link whose file does not exist yet names the file to
// make. A loop is left to the save, which reports it.
std::string ResolveTarget(const std::string& path) {
  std::string at = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
    if (char* real = ::realpath(at.c_str(), nullptr)) {
      std::string resolved = real;
      std::free(real);
      return resolved;
    }
    std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
    const ssize_t n = ::readlink(at.c_str(), buf.data(), buf.size() - 1);
    if (n <= 0) return at;
    const std::string link(buf.data(), static_cast<size_t>(n));
    at = link[0] == '/' ? link : FolderOf(at) + "/" + link;
  }
  return path;
}

bool InGroup(gid_t gid) {
  if (gid == ::getegid()) return true;
  gid_t groups[256];
  const int n = ::getgroups(256, groups);
  for (int i = 0; i < n; ++i)
    if (groups[i] == gid) return true;
  return false;
}

// A file whose mode denies the saver writing is read-only to them, even to
// an administrator whose rights would let the write through: they meant it.
bool MayWrite(const std::string& path, const struct stat& st) {
  const uid_t me = ::geteuid();
  bool allowed;
  if (me == 0)
    allowed = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
  else if (st.st_uid == me)
    allowed = (st.st_mode & S_IWUSR) != 0;
  else if (InGroup(st.st_gid))
    allowed = (st.st_mode & S_IWGRP) != 0;
  else
    allowed = (st.st_mode & S_IWOTH) != 0;
  return allowed && ::access(path.c_str(), W_OK) == 0;
}

bool ProcessGone(long pid) {
  return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Digits from s[i], stored in *value; returns the index after them.
size_t ReadDigits(const std::string& s, size_t i, long* value) {
  long v = 0;
  const size_t start = i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < 9) v = v * 10 + (s[i++] - '0');
  *value = i > start ? v : -1;
  return i;
}

// The process named by a temporary file of ours, ".tessaly-PID-XXXXXX", or
// -1 for any other name.
long TempFileOwner(const std::string& name) {
  long pid = -1;
  const std::string prefix = kTempFilePrefix;
  if (name.compare(0, prefix.size(), prefix) != 0) return -1;
  const size_t i = ReadDigits(name, prefix.size(), &pid);
  return (pid > 0 && i < name.size() && name[i] == '-' && name.size() - i == 7) ? pid : -1;
}

// When a process started, in clock ticks after boot; 0 when unknown. A pid
// that has been given to a new process has another start.
unsigned long long ProcessStart(long pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(in, text)) return 0;
  // The name in parentheses may hold blanks; the fields after it do not.
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return 0;
  const char* p = text.c_str() + close + 1;
  for (int field = 3; field < 22 && *p; ++field) {
    while (*p == ' ') ++p;
    while (*p && *p != ' ') ++p;
  }
  return std::strtoull(p, nullptr, 10);
}

std::string MarkerValue() {
  return std::to_string(::getpid()) + " " + std::to_string(ProcessStart(::getpid()));
}

// True when the temporary file open as fd carries this program's marker
// and the process the marker names has ended.
bool MarkedByAnEndedSave(int fd, long pid) {
  char value[64] = {};
  const ssize_t n = ::fgetxattr(fd, kTempFileMarker, value, sizeof value - 1);
  if (n <= 0) return false;
  char* end = nullptr;
  const long marked = std::strtol(value, &end, 10);
  if (marked != pid || *end != ' ') return false;
  const unsigned long long start = std::strtoull(end + 1, nullptr, 10);
  if (ProcessGone(pid)) return true;
  // The pid runs again, as another process.
  const unsigned long long now = ProcessStart(pid);
  return start != 0 && now != 0 && now != start;
}

// Creates a temporary file in dir; its name fits any folder whatever the
// length of the target's name.
int CreateTemp(const std::string& dir, std::string* temp) {
  static std::mt19937 rng{std::random_device{}()};
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = std::string(kTempFilePrefix) + std::to_string(::getpid()) + "-";
    for (int i = 0; i < 6; ++i) name.push_back(kChars[rng() % (sizeof kChars - 1)]);
    *temp = dir + "/" + name;
    const int fd = ::open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      // Where the file system keeps no attributes the file goes unmarked,
      // and a killed save's leftover is never taken for ours.
      const std::string marker = MarkerValue();
      (void)::fsetxattr(fd, kTempFileMarker, marker.data(), marker.size(), 0);
      return fd;
    }
    if (errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void SyncFolder(const std::string& dir) {
  const int d = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (d < 0) return;
  (void)::fsync(d);
  ::close(d);
}

// --- Rewriting in place ------------------------------------------------------------------

std::mutex journalMutex;
std::string journalFolder;  // empty: the default
std::atomic<bool (*)(size_t)> progressHook{nullptr};

constexpr char kJournalMagic[] = "tessaly save journal 1\n";

std::string DefaultJournalFolder() {
  if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
    return std::string(state) + "/tessaly/saves";
  const char* home = std::getenv("HOME");
  std::string base = home && home[0] == '/' ? home : "";
  if (base.empty())
    if (const passwd* pw = ::getpwuid(::geteuid())) base = pw->pw_dir ? pw->pw_dir : "";
  if (base.empty()) return std::string();
  return base + "/.local/state/tessaly/saves";
}

}  // namespace

bool MakePrivateFolder(const std::string& dir, std::string* why) {
  for (size_t at = 1; at <= dir.size(); ++at) {
    if (at != dir.size() && dir[at] != '/') continue;
    const std::string part = dir.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      Set(why, ErrorText(errno));
      return false;
    }
  }
  struct stat st {};
  if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
    Set(why, "the folder " + dir + " is not this user's own");
    return false;
  }
  if ((st.st_mode & 077) != 0) (void)::chmod(dir.c_str(), 0700);
  return true;
}

namespace {

// When the file was made, "SECONDS.NANOSECONDS", or "0" where the file
// system does not say: a journal left for an inode number that a new file
// has since been given is not this file's.
std::string BirthTime(int fd) {
  struct statx sx {};
  if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &sx) != 0 || !(sx.stx_mask & STATX_BTIME)) return "0";
  return std::to_string(sx.stx_btime.tv_sec) + "." + std::to_string(sx.stx_btime.tv_nsec);
}

std::string JournalPath(const std::string& folder, const struct stat& target) {
  return folder + "/" + std::to_string(static_cast<unsigned long long>(target.st_dev)) + "-" +
         std::to_string(static_cast<unsigned long long>(target.st_ino)) + ".journal";
}

bool ReadAll(int fd, std::string* out, off_t from) {
  out->clear();
  char chunk[1 << 16];
  for (off_t at = from;;) {
    const ssize_t n = ::pread(fd, chunk, sizeof chunk, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out->append(chunk, static_cast<size_t>(n));
    at += n;
  }
}

// Takes an advisory lock, waiting at most a few seconds for a saver or a
// reader in another process.
bool LockFor(int fd, int how) {
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (::flock(fd, how | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    const timespec pause{0, 10 * 1000 * 1000};
    ::nanosleep(&pause, nullptr);
  }
  errno = EWOULDBLOCK;
  return false;
}

// Writes bytes over the whole file open as fd. report: call the progress
// hook after each piece.
bool Overwrite(int fd, const std::string& bytes, bool report) {
  constexpr size_t kPiece = 1 << 16;
  for (size_t done = 0; done < bytes.size();) {
    const size_t n = std::min(kPiece, bytes.size() - done);
    if (!WriteAll(fd, bytes.data() + done, n, static_cast<off_t>(done), true)) return false;
    done += n;
    if (report)
      if (auto hook = progressHook.load(); hook && !hook(done)) {
        errno = EIO;
        return false;
      }
  }
  return ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

std::string JournalHeader(int fd, size_t oldSize) {
  return kJournalMagic + BirthTime(fd) + "\n" + std::to_string(oldSize) + "\n";
}

// The old contents a journal keeps for the file open as fd, or false when
// it is not a complete journal of this user's for that file (one cut short
// before the file was touched, or one of a file long gone).
bool ReadJournal(int jfd, int fd, std::string* old) {
  struct stat js {};
  if (::fstat(jfd, &js) != 0 || !S_ISREG(js.st_mode) || js.st_uid != ::geteuid()) return false;
  std::string text;
  if (!ReadAll(jfd, &text, 0)) return false;
  const size_t magic = sizeof kJournalMagic - 1;
  if (text.compare(0, magic, kJournalMagic) != 0) return false;
  const size_t born = text.find('\n', magic);
  if (born == std::string::npos || text.compare(magic, born - magic, BirthTime(fd)) != 0) return false;
  const size_t nl = text.find('\n', born + 1);
  if (nl == std::string::npos) return false;
  char* end = nullptr;
  const unsigned long long size = std::strtoull(text.c_str() + born + 1, &end, 10);
  if (end != text.c_str() + nl || text.size() - nl - 1 != size) return false;
  *old = text.substr(nl + 1);
  return true;
}

// With the file locked for writing (so no saver of it is still at work):
// a journal left for it means a rewrite was cut short; its old contents
// go back. Returns false only when a journal is there and cannot be used.
bool RestoreFromJournal(int fd, const struct stat& st, const std::string& folder) {
  if (folder.empty()) return true;
  const std::string path = JournalPath(folder, st);
  const int jfd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (jfd < 0) return errno == ENOENT;
  std::string old;
  bool ok = true;
  if (ReadJournal(jfd, fd, &old)) ok = Overwrite(fd, old, false);
  ::close(jfd);
  if (ok) {
    ::unlink(path.c_str());
    SyncFolder(folder);
  }
  return ok;
}

std::string CurrentJournalFolder() {
  std::lock_guard<std::mutex> lock(journalMutex);
  return journalFolder.empty() ? DefaultJournalFolder() : journalFolder;
}

// The readers' side: puts back a file whose rewrite was cut short, if it
// can be written and has a journal.
void SettleInterruptedRewrite(const std::string& path, const struct stat& st) {
  const std::string folder = CurrentJournalFolder();
  if (folder.empty()) return;
  struct stat js {};
  if (::lstat(JournalPath(folder, st).c_str(), &js) != 0) return;
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return;
  struct stat now {};
  if (::fstat(fd, &now) == 0 && now.st_dev == st.st_dev && now.st_ino == st.st_ino && LockFor(fd, LOCK_EX))
    (void)RestoreFromJournal(fd, now, folder);
  ::close(fd);
}

// Writes into an existing file without replacing it: hard links stay links
// and the owner stays the owner. Savers take turns under an exclusive lock;
// the old contents are kept in a journal until the new ones are complete
// and synced, and are put back if writing fails.
bool RewriteInPlace(const std::string& target, const std::string& bytes, std::string* why) {
  const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    Set(why, errno == EACCES ? "the old contents cannot be read to keep them" : ErrorText(errno));
    return false;
  }
  auto fail = [&](const std::string& text) {
    ::close(fd);
    Set(why, text);
    return false;
  };
  if (!LockFor(fd, LOCK_EX)) return fail("another program is saving the file");
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fail(ErrorText(errno));
  const std::string folder = CurrentJournalFolder();
  std::string folderWhy;
  if (folder.empty() || !MakePrivateFolder(folder, &folderWhy))
    return fail("no place to keep the old contents" + (folderWhy.empty() ? "" : ": " + folderWhy));
  if (!RestoreFromJournal(fd, st, folder)) return fail("an earlier save of the file cannot be undone");
  std::string old;
  if (!ReadAll(fd, &old, 0)) return fail(ErrorText(errno));
  if (old == bytes) {
    ::close(fd);
    return true;
  }
  // Past the size limit every write fails: found before anything changes,
  // so the old contents can always be written back.
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      std::max(old.size(), bytes.size()) > limit.rlim_cur)
    return fail(ErrorText(EFBIG));

  const std::string journal = JournalPath(folder, st);
  const int jfd = ::open(journal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (jfd < 0) return fail("the old contents cannot be kept (" + ErrorText(errno) + ")");
  const std::string header = JournalHeader(fd, old.size());
  const bool kept = WriteAll(jfd, header + old, 0, true) && ::fsync(jfd) == 0;
  const int keepCode = errno;
  ::close(jfd);
  if (!kept) {
    ::unlink(journal.c_str());
    return fail("the old contents cannot be kept (" + ErrorText(keepCode) + ")");
  }
  SyncFolder(folder);

  // The space first, so a full disk is found before a byte changes.
  if (bytes.size() > old.size()) {
    const int r = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
    if (r != 0 && r != EOPNOTSUPP && r != EINVAL) {
      (void)::ftruncate(fd, static_cast<off_t>(old.size()));
      ::unlink(journal.c_str());
      return fail(ErrorText(r));
    }
  }
  if (!Overwrite(fd, bytes, true)) {
    const int code = errno;
    // The journal goes only once the old contents are back.
    if (Overwrite(fd, old, false)) {
      ::unlink(journal.c_str());
      SyncFolder(folder);
    }
    return fail(ErrorText(code));
  }
  ::unlink(journal.c_str());
  SyncFolder(folder);
  if (::close(fd) != 0) {
    Set(why, ErrorText(errno));
    return false;
  }
  return true;
}

// Copies the extended attributes of the old file (access lists among them)
// to its replacement, where the file system and the user's rights allow.
void CopyAttributes(const std::string& from, int to) {
  const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
  if (size <= 0) return;
  std::vector<char> names(static_cast<size_t>(size));
  const ssize_t n = ::listxattr(from.c_str(), names.data(), names.size());
  for (ssize_t i = 0; i < n;) {
    const char* name = names.data() + i;
    i += static_cast<ssize_t>(std::strlen(name)) + 1;
    if (std::strcmp(name, kTempFileMarker) == 0) continue;
    const ssize_t len = ::getxattr(from.c_str(), name, nullptr, 0);
    if (len < 0) continue;
    std::vector<char> value(static_cast<size_t>(len) + 1);
    const ssize_t got = ::getxattr(from.c_str(), name, value.data(), value.size());
    if (got >= 0) (void)::fsetxattr(to, name, value.data(), static_cast<size_t>(got), 0);
  }
}

bool WriteThrough(const std::string& target, const std::string& bytes, std::string* why) {
  // Never blocks: a FIFO without a reader fails at once.
  const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    Set(why, ErrorText(errno));
    return false;
  }
  bool ok = WriteAll(fd, bytes, 0, false);
  const int code = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    Set(why, ErrorText(errno));
  } else if (!ok) {
    Set(why, ErrorText(code));
  }
  return ok;
}

}  // namespace

std::string SaveJournalFolder() {
  return CurrentJournalFolder();
}

void SetSaveJournalFolder(const std::string& dir) {
  std::lock_guard<std::mutex> lock(journalMutex);
  journalFolder = dir;
}

void SetRewriteProgressHook(bool (*hook)(size_t)) {
  progressHook = hook;
}

int OpenRegularFile(const std::string& path, std::string* why) {
  if (path.empty()) {
    Set(why, "no file name");
    return -1;
  }
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    Set(why, ErrorText(errno));
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    Set(why, ErrorText(errno));
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    Set(why, S_ISDIR(st.st_mode) ? "a directory" : "not a regular file (" + KindOf(st.st_mode) + ")");
    ::close(fd);
    return -1;
  }
  SettleInterruptedRewrite(path, st);
  // A saver of this program holds the file for a moment; a lock that never
  // comes (another program's) does not stop the read.
  (void)LockFor(fd, LOCK_SH);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

SaveTarget InspectSaveTarget(const std::string& path, std::string* what) {
  const std::string target = ResolveTarget(path);
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return SaveTarget::kMissing;
  if (what) *what = KindOf(st.st_mode);
  if (S_ISDIR(st.st_mode)) return SaveTarget::kDirectory;
  if (!S_ISREG(st.st_mode)) return SaveTarget::kSpecial;
  return MayWrite(target, st) ? SaveTarget::kRegular : SaveTarget::kReadOnly;
}

void RemoveStaleTempFiles(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  const uid_t me = ::geteuid();
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    const long pid = TempFileOwner(name);
    if (pid <= 0 || pid == ::getpid()) continue;
    const std::string full = dir + "/" + name;
    // Only a regular file of this user: never someone else's, never a link.
    const int fd = ::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st {};
    const bool ours = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == me && MarkedByAnEndedSave(fd, pid);
    ::close(fd);
    if (ours) ::unlink(full.c_str());
  }
  ::closedir(d);
}

bool SaveFileContents(const std::string& path, const std::string& bytes, const SaveOptions& options,
                      std::string* why) {
  IgnoreFileSizeSignal();
  if (path.empty()) {
    Set(why, "no file name");
    return false;
  }
  std::string target = path;
  struct stat st {};
  bool exists;
  if (options.privateFile) {
    exists = ::lstat(path.c_str(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode)) {
      Set(why, "a symbolic link; not followed");
      return false;
    }
    if (exists && st.st_uid != ::geteuid()) {
      Set(why, "another user's file; not replaced");
      return false;
    }
  } else {
    target = ResolveTarget(path);
    exists = ::stat(target.c_str(), &st) == 0;
  }
  bool inPlace = false;
  if (exists) {
    if (S_ISDIR(st.st_mode)) {
      Set(why, "a directory");
      return false;
    }
    if (!S_ISREG(st.st_mode)) {
      if (options.writeThroughSpecial && !options.privateFile) return WriteThrough(target, bytes, why);
      Set(why, "not a regular file (" + KindOf(st.st_mode) + "); not replaced");
      return false;
    }
    if (!MayWrite(target, st)) {
      Set(why, "the file is read-only");
      return false;
    }
    // A rename would leave the other names with the old contents.
    inPlace = st.st_nlink > 1;
  }

  const std::string dir = FolderOf(target);
  RemoveStaleTempFiles(dir);
  if (inPlace) return RewriteInPlace(target, bytes, why);
  std::string temp;
  const int fd = CreateTemp(dir, &temp);
  if (fd < 0) {
    const int code = errno;
    // A folder the user may not write, holding a file they may: write the
    // file itself.
    if (exists && (code == EACCES || code == EPERM)) return RewriteInPlace(target, bytes, why);
    Set(why, ErrorText(code));
    return false;
  }
  bool keepOwner = true;
  if (exists) {
    (void)::fchmod(fd, st.st_mode & 07777);
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) keepOwner = ::fchown(fd, st.st_uid, st.st_gid) == 0;
    // The mode again: changing the owner clears set-id bits.
    if (keepOwner) (void)::fchmod(fd, st.st_mode & 07777);
  } else if (options.privateFile) {
    (void)::fchmod(fd, 0600);
  }
  if (!keepOwner) {
    // Replacing would give another user's file to this one.
    ::close(fd);
    ::unlink(temp.c_str());
    return RewriteInPlace(target, bytes, why);
  }
  // Last, as an access list sets the mode's group bits.
  if (exists) CopyAttributes(target, fd);
  bool ok = WriteAll(fd, bytes, 0, false);
  int code = ok ? 0 : errno;
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    code = errno;
  }
  // The file is about to become the user's own: the mark goes first.
  (void)::fremovexattr(fd, kTempFileMarker);
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    Set(why, ErrorText(code));
    return false;
  }
  SyncFolder(dir);
  return true;
}
