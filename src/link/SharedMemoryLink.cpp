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

}  // namespace

SharedMemoryLink::SharedMemoryLink(std::ostream& diagnostics, std::string blockName, std::string mutexName,
                                   size_t size)
    : out_(diagnostics), blockName_(std::move(blockName)), mutexName_(std::move(mutexName)), size_(size) {}

SharedMemoryLink::~SharedMemoryLink() {
  // The objects themselves stay in the system for the controller; only
  // this process's handles go.
  CloseSharedMemoryLink();
  if (mutex_) sem_close(static_cast<sem_t*>(mutex_));
}

int SharedMemoryLink::OpenSharedMemoryLink() {
  // Opening twice would leak the first mapping.
  if (open_) CloseSharedMemoryLink();

  if (!mutex_) {
    // Not owned by anyone: a binary semaphore that starts free.
    sem_t* m = sem_open(PosixName(mutexName_).c_str(), O_CREAT, 0600, 1);
    if (m == SEM_FAILED) {
      out_ << "Mutex create failed. Code: " << errno << "\n";
      open_ = false;
      return -1;
    }
    mutex_ = m;
  }

  const std::string name = PosixName(blockName_);
  created_ = false;
  int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
  if (fd >= 0) {
    created_ = true;
    if (ftruncate(fd, static_cast<off_t>(size_)) != 0) {
      const int code = errno;
      close(fd);
      shm_unlink(name.c_str());
      out_ << "Mapping view failed. Code: " << code << "\n";
      open_ = false;
      return -1;
    }
  } else if (errno == EEXIST) {
    // Created by the controller or another viewer: use theirs.
    fd = shm_open(name.c_str(), O_RDWR, 0600);
  }
  if (fd < 0) {
    out_ << "Mapping view failed. Code: " << errno << "\n";
    open_ = false;
    return -1;
  }

  // Map the whole block as it stands. A block found empty (its creator has
  // not sized it yet) gets the agreed size.
  struct stat st {};
  size_t length = size_;
  if (!created_ && fstat(fd, &st) == 0) {
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
    out_ << "Mapping view failed. Code: " << code << "\n";
    open_ = false;
    return -1;
  }
  fd_ = fd;
  view_ = view;
  mappedSize_ = length;
  open_ = true;
  return 1;
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
  open_ = false;
  return 1;
}

void SharedMemoryLink::Unlink(const std::string& blockName, const std::string& mutexName) {
  shm_unlink(PosixName(blockName).c_str());
  sem_unlink(PosixName(mutexName).c_str());
}
