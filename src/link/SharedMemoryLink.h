#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

// Reads a link name as the user gives it (--link-name, or the environment):
// "NAME" names the block NAME and the mutex NAME_MUTEX, "BLOCK,MUTEX" names
// both. False, with *why, for a name the system cannot take.
bool ParseLinkName(const std::string& text, std::string* blockName, std::string* mutexName, std::string* why);

// The link to a controller process: a named shared-memory block and a
// named mutex that a controller can create or find. This class
// establishes and releases them; the controller protocol (LinkProtocol)
// reads and writes the block under the mutex, and only when a controller
// has marked the block as its own. Diagnostics go to the given stream.
//
// The protocol reaches the block through ReadBlock and WriteBlock, which
// go through the descriptor: a controller that shrinks the block makes them
// come back short, where an access to the mapping beyond the block's new
// end would kill the process (SIGBUS). The mapping is there for the
// controller tools that write the block themselves.
class SharedMemoryLink {
 public:
  static constexpr size_t kBlockSize = 316000;

  explicit SharedMemoryLink(std::ostream& diagnostics, std::string blockName = "SHAREMEM",
                            std::string mutexName = "MUTEX", size_t size = kBlockSize);
  virtual ~SharedMemoryLink();
  SharedMemoryLink(const SharedMemoryLink&) = delete;
  SharedMemoryLink& operator=(const SharedMemoryLink&) = delete;

  // 1 when the block is mapped, -1 when creating the mutex or mapping the
  // block failed, reported as one line on the diagnostics stream: an
  // object of the wrong kind, size or owner is named ("SHAREMEM belongs to
  // another user; use --link-name"), anything else gives its error code.
  // Both objects are opened by name on every call, so a controller that
  // made them anew since the last open is met on the ones it uses.
  int OpenSharedMemoryLink();
  // Unmaps the block and closes both handles. Always 1.
  int CloseSharedMemoryLink();

  bool IsOpen() const { return open_; }
  // True when this link created the block, false when it found one.
  bool CreatedBlock() const { return created_; }
  size_t MappedSize() const { return mappedSize_; }
  const void* View() const { return view_; }
  // For the controller protocol (link/LinkProtocol.h), which reads and
  // writes the block only under the semaphore.
  void* MutableView() { return view_; }
  void* Semaphore() const { return mutex_; }

  // The block's size now (0 when it cannot be told); below MappedSize()
  // once a controller has shrunk it.
  size_t CurrentSize() const;
  // n bytes at offset, whole or false: false when the block ends before
  // (it shrank) or is not open. Virtual so that a test can act as a
  // controller in the middle of a read.
  virtual bool ReadBlock(size_t offset, void* to, size_t n) const;
  bool WriteBlock(size_t offset, const void* from, size_t n);

  // Removes the named objects from the system (tests and tools only; a
  // running controller keeps what it has mapped).
  static void Unlink(const std::string& blockName, const std::string& mutexName);

 private:
  int Fail(const std::string& line);

  std::ostream& out_;
  std::string blockName_, mutexName_;
  size_t size_;
  void* mutex_ = nullptr;  // sem_t*
  int fd_ = -1;
  void* view_ = nullptr;
  size_t mappedSize_ = 0;
  bool open_ = false;
  bool created_ = false;
  bool mutexCreated_ = false;  // by the open in progress
};
