#include "link/SharedMemoryLink.h"

#include <cerrno>
#include <fcntl.h>
#include <ostream>
#include <semaphore.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// POSIX names are one path component with a leading slash.
std::string PosixName(const std::string& name) { return "/" + name; }

// Where the system keeps the named objects (Linux): looked at before they
// are opened, so that a stale object of the wrong kind is named, not
// opened.
std::string ObjectPath(const std::string& file) { return "/dev/shm/" + file; }

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISLNK(mode)) return "a symbolic link";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

// One line naming what is in the way of name, or "" when nothing is known
// to be (then the caller's error code is all there is to say).
std::string Obstacle(const std::string& name, const std::string& file, bool failed, size_t wantSize) {
  struct stat st {};
  if (::lstat(ObjectPath(file).c_str(), &st) != 0) return "";
  if (!S_ISREG(st.st_mode))
    return name + " is " + KindOf(st.st_mode) + ", not a link object; use --link-name";
  if (failed && st.st_uid != ::geteuid()) return name + " belongs to another user; use --link-name";
  if (wantSize && static_cast<size_t>(st.st_size) != wantSize)
    return name + " is not a semaphore (" + std::to_string(st.st_size) + " bytes); use --link-name";
  return "";
}

}  // namespace

bool ParseLinkName(const std::string& text, std::string* blockName, std::string* mutexName, std::string* why) {
  const size_t comma = text.find(',');
  std::string block = text.substr(0, comma);
  std::string mutex = comma == std::string::npos ? block + "_MUTEX" : text.substr(comma + 1);
  for (const std::string* n : {&block, &mutex}) {
    // One file name in the system's folder of named objects, "sem." added
    // for the mutex.
    if (n->empty() || n->size() > 200 || *n == "." || *n == ".." ||
        n->find_first_of(std::string("/,\0", 3)) != std::string::npos) {
      if (why) *why = "a link name is 1 to 200 characters without '/' or ','";
      return false;
    }
  }
  *blockName = block;
  *mutexName = mutex;
  return true;
}

SharedMemoryLink::SharedMemoryLink(std::ostream& diagnostics, std::string blockName, std::string mutexName,
                                   size_t size)
    : out_(diagnostics), blockName_(std::move(blockName)), mutexName_(std::move(mutexName)), size_(size) {}

SharedMemoryLink::~SharedMemoryLink() {
  // The objects themselves stay in the system for the controller; only
  // this process's handles go.
  CloseSharedMemoryLink();
}

int SharedMemoryLink::OpenSharedMemoryLink() {
  // Opening twice would leak the first mapping; and the semaphore is
  // opened afresh: one kept from an earlier open may be a semaphore the
  // controller has since removed and made anew, and the two sides would
  // no longer exclude each other.
  CloseSharedMemoryLink();
  mutexCreated_ = created_ = false;

  {
    // A stale object of another kind or size is named, never opened.
    const std::string file = "sem." + mutexName_;
    std::string obstacle = Obstacle(mutexName_, file, false, sizeof(sem_t));
    if (!obstacle.empty()) return Fail(obstacle);
    // Not owned by anyone: a binary semaphore that starts free. Made here
    // only when nobody has made it yet, so that a failed open can take away
    // what it made and nothing else.
    sem_t* m = sem_open(PosixName(mutexName_).c_str(), O_CREAT | O_EXCL, 0600, 1);
    mutexCreated_ = m != SEM_FAILED;
    if (m == SEM_FAILED && errno == EEXIST) m = sem_open(PosixName(mutexName_).c_str(), 0);
    if (m == SEM_FAILED) {
      const int code = errno;
      obstacle = Obstacle(mutexName_, file, true, 0);
      return Fail(obstacle.empty() ? "Mutex create failed. Code: " + std::to_string(code) : obstacle);
    }
    mutex_ = m;
  }

  const std::string name = PosixName(blockName_);
  created_ = false;
  {
    const std::string obstacle = Obstacle(blockName_, blockName_, false, 0);
    if (!obstacle.empty()) return Fail(obstacle);
  }
  // O_NONBLOCK: whatever appears under the name meanwhile, opening it never
  // waits.
  int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NONBLOCK, 0600);
  if (fd >= 0) {
    created_ = true;
    if (ftruncate(fd, static_cast<off_t>(size_)) != 0) {
      const int code = errno;
      close(fd);
      shm_unlink(name.c_str());
      return Fail("Mapping view failed. Code: " + std::to_string(code));
    }
  } else if (errno == EEXIST) {
    // Created by the controller or another viewer: use theirs.
    fd = shm_open(name.c_str(), O_RDWR | O_NONBLOCK, 0600);
  }
  if (fd < 0) {
    const int code = errno;
    const std::string obstacle = Obstacle(blockName_, blockName_, true, 0);
    return Fail(obstacle.empty() ? "Mapping view failed. Code: " + std::to_string(code) : obstacle);
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return Fail(blockName_ + " is " + KindOf(st.st_mode) + ", not a link object; use --link-name");
  }

  // Map the whole block as it stands. A block found empty (its creator has
  // not sized it yet) gets the agreed size.
  size_t length = size_;
  if (!created_) {
    if (st.st_size == 0) {
      if (ftruncate(fd, static_cast<off_t>(size_)) != 0) length = 0;
    } else {
      length = static_cast<size_t>(st.st_size);
    }
  }
  void* view = length ? mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
  if (view == MAP_FAILED) {
    const int code = length ? errno : EINVAL;
    close(fd);
    return Fail("Mapping view failed. Code: " + std::to_string(code));
  }
  fd_ = fd;
  view_ = view;
  mappedSize_ = length;
  open_ = true;
  mutexCreated_ = false;
  return 1;
}

int SharedMemoryLink::Fail(const std::string& line) {
  out_ << line << "\n";
  CloseSharedMemoryLink();
  // What this open made goes again: a controller that starts later makes
  // its own.
  if (mutexCreated_) sem_unlink(PosixName(mutexName_).c_str());
  if (created_) shm_unlink(PosixName(blockName_).c_str());
  mutexCreated_ = created_ = false;
  return -1;
}

int SharedMemoryLink::CloseSharedMemoryLink() {
  if (view_) {
    munmap(view_, mappedSize_);
    view_ = nullptr;
    mappedSize_ = 0;
  }
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
  }
  if (mutex_) {
    sem_close(static_cast<sem_t*>(mutex_));
    mutex_ = nullptr;
  }
  open_ = false;
  return 1;
}

size_t SharedMemoryLink::CurrentSize() const {
  struct stat st {};
  if (fd_ < 0 || fstat(fd_, &st) != 0 || st.st_size < 0) return 0;
  return static_cast<size_t>(st.st_size);
}

bool SharedMemoryLink::ReadBlock(size_t offset, void* to, size_t n) const {
  if (fd_ < 0) return false;
  auto* p = static_cast<char*>(to);
  while (n > 0) {
    const ssize_t got = pread(fd_, p, n, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;  // the block ends here
    p += got;
    offset += static_cast<size_t>(got);
    n -= static_cast<size_t>(got);
  }
  return true;
}

bool SharedMemoryLink::WriteBlock(size_t offset, const void* from, size_t n) {
  if (fd_ < 0) return false;
  const auto* p = static_cast<const char*>(from);
  while (n > 0) {
    const ssize_t put = pwrite(fd_, p, n, static_cast<off_t>(offset));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    p += put;
    offset += static_cast<size_t>(put);
    n -= static_cast<size_t>(put);
  }
  return true;
}

void SharedMemoryLink::Unlink(const std::string& blockName, const std::string& mutexName) {
  shm_unlink(PosixName(blockName).c_str());
  sem_unlink(PosixName(mutexName).c_str());
}
