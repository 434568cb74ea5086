#include "objects/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>

const char* const kTempFilePrefix = ".tessaly-";

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

bool WriteAll(int fd, const std::string& bytes, off_t at, bool positioned) {
  const char* p = bytes.data();
  size_t left = bytes.size();
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

// Saving through a symbolic link replaces the file it points to, not the
// link itself.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string resolved = real;
      std::free(real);
      return resolved;
    }
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
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

// The process that wrote a temporary file of ours, or -1 for any other name.
// Two patterns: ".tessaly-PID-XXXXXX" and, from earlier versions,
// "NAME.tmpPID-N".
long TempFileOwner(const std::string& name) {
  long pid = -1;
  const std::string prefix = kTempFilePrefix;
  if (name.compare(0, prefix.size(), prefix) == 0) {
    const size_t i = ReadDigits(name, prefix.size(), &pid);
    return (pid > 0 && i < name.size() && name[i] == '-' && name.size() - i == 7) ? pid : -1;
  }
  const size_t tmp = name.rfind(".tmp");
  if (tmp == std::string::npos || tmp == 0) return -1;
  size_t i = ReadDigits(name, tmp + 4, &pid);
  if (pid <= 0 || i >= name.size() || name[i] != '-') return -1;
  long attempt = -1;
  i = ReadDigits(name, i + 1, &attempt);
  return (attempt >= 0 && i == name.size()) ? pid : -1;
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
    if (fd >= 0 || errno != EEXIST) return fd;
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

// Writes into an existing file without replacing it: hard links stay links
// and the owner stays the owner. The space is reserved first, so a full
// disk is found before any byte of the old contents changes.
bool RewriteInPlace(const std::string& target, const std::string& bytes, const struct stat& st, std::string* why) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    Set(why, ErrorText(errno));
    return false;
  }
  const off_t size = static_cast<off_t>(bytes.size());
  if (size > st.st_size) {
    const int r = ::posix_fallocate(fd, 0, size);
    if (r != 0 && r != EOPNOTSUPP && r != EINVAL) {
      ::close(fd);
      Set(why, ErrorText(r));
      return false;
    }
  }
  int code = 0;
  if (!WriteAll(fd, bytes, 0, true) || ::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) code = errno;
  if (::close(fd) != 0 && code == 0) code = errno;
  if (code != 0) Set(why, ErrorText(code));
  return code == 0;
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
    if (pid <= 0 || pid == ::getpid() || !ProcessGone(pid)) continue;
    const std::string full = dir + "/" + name;
    struct stat st {};
    // Only a regular file of this user: never someone else's, never a link.
    if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == me) ::unlink(full.c_str());
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
  const std::string target = ResolveTarget(path);
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  bool inPlace = false;
  if (exists) {
    if (S_ISDIR(st.st_mode)) {
      Set(why, "a directory");
      return false;
    }
    if (!S_ISREG(st.st_mode)) {
      if (options.writeThroughSpecial) return WriteThrough(target, bytes, why);
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
  if (!inPlace) {
    std::string temp;
    const int fd = CreateTemp(dir, &temp);
    if (fd < 0) {
      const int code = errno;
      // A folder the user may not write, holding a file they may: write the
      // file itself.
      if (exists && (code == EACCES || code == EPERM)) return RewriteInPlace(target, bytes, st, why);
      Set(why, ErrorText(code));
      return false;
    }
    bool keepOwner = true;
    if (exists) {
      (void)::fchmod(fd, st.st_mode & 07777);
      if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) keepOwner = ::fchown(fd, st.st_uid, st.st_gid) == 0;
      // The mode again: changing the owner clears set-id bits.
      if (keepOwner) (void)::fchmod(fd, st.st_mode & 07777);
    }
    if (!keepOwner) {
      // Replacing would give another user's file to this one.
      ::close(fd);
      ::unlink(temp.c_str());
      return RewriteInPlace(target, bytes, st, why);
    }
    bool ok = WriteAll(fd, bytes, 0, false);
    int code = ok ? 0 : errno;
    if (ok && ::fsync(fd) != 0) {
      ok = false;
      code = errno;
    }
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
  return RewriteInPlace(target, bytes, st, why);
}
