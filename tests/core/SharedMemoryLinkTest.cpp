#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <fcntl.h>
#include <semaphore.h>
#include <sstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "link/SharedMemoryLink.h"
#include "support/FileRights.h"

namespace {

// How many mappings of the block this process has.
int MappingsOf(const std::string& block) {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  int n = 0;
  while (std::getline(maps, line)) {
    const size_t at = line.find("/dev/shm/" + block);
    if (at != std::string::npos && (at + 9 + block.size() == line.size() || line[at + 9 + block.size()] == ' ')) ++n;
  }
  return n;
}

// Names of this test run only, so a real controller's block is never touched.
struct Names {
  std::string block = "TESSALY_TEST_SHM_" + std::to_string(getpid());
  std::string mutex = "TESSALY_TEST_MUTEX_" + std::to_string(getpid());
  ~Names() { SharedMemoryLink::Unlink(block, mutex); }
};

}  // namespace

TEST(SharedMemoryLink, FirstViewerCreatesTheBlockASecondOpensIt) {
  Names n;
  std::ostringstream out;
  SharedMemoryLink first(out, n.block, n.mutex);
  ASSERT_EQ(first.OpenSharedMemoryLink(), 1) << out.str();
  EXPECT_TRUE(first.IsOpen());
  EXPECT_TRUE(first.CreatedBlock());
  EXPECT_EQ(first.MappedSize(), 316000u);

  SharedMemoryLink second(out, n.block, n.mutex);
  ASSERT_EQ(second.OpenSharedMemoryLink(), 1) << out.str();
  EXPECT_FALSE(second.CreatedBlock());
  EXPECT_EQ(second.MappedSize(), 316000u);
  EXPECT_TRUE(out.str().empty());

  // The two views are the same memory (written here only to prove it; the
  // viewer itself never touches the block).
  std::memcpy(const_cast<void*>(first.View()), "ping", 4);
  EXPECT_EQ(std::memcmp(second.View(), "ping", 4), 0);

  // Only the owning user may read or write the block and the mutex.
  struct stat st {};
  ASSERT_EQ(stat(("/dev/shm/" + n.block).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(stat(("/dev/shm/sem." + n.mutex).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  EXPECT_EQ(first.CloseSharedMemoryLink(), 1);
  EXPECT_FALSE(first.IsOpen());
  EXPECT_EQ(first.CloseSharedMemoryLink(), 1) << "closing twice is harmless";
}

TEST(SharedMemoryLink, ReopeningDoesNotLeakTheFirstMapping) {
  Names n;
  // Made beforehand, the semaphore's mapping carries its name.
  sem_close(sem_open(("/" + n.mutex).c_str(), O_CREAT, 0600, 1));
  std::ostringstream out;
  SharedMemoryLink link(out, n.block, n.mutex);
  ASSERT_EQ(link.OpenSharedMemoryLink(), 1);
  EXPECT_EQ(MappingsOf(n.block), 1);
  ASSERT_EQ(link.OpenSharedMemoryLink(), 1);
  EXPECT_TRUE(link.IsOpen());
  // The first mapping is gone, not merely replaced in the link's fields.
  EXPECT_EQ(MappingsOf(n.block), 1);
  link.CloseSharedMemoryLink();
  EXPECT_EQ(MappingsOf(n.block), 0);
  EXPECT_EQ(MappingsOf("sem." + n.mutex), 0) << "the semaphore is closed with the block";
}

TEST(SharedMemoryLink, StaleObjectsInTheWayAreNamedInOneLine) {
  Names n;
  const std::string block = "/dev/shm/" + n.block, sem = "/dev/shm/sem." + n.mutex;
  auto openWith = [&n](const std::function<void()>& make, const std::function<void()>& unmake) {
    make();
    std::ostringstream out;
    SharedMemoryLink link(out, n.block, n.mutex);
    const int r = link.OpenSharedMemoryLink();
    unmake();
    EXPECT_EQ(r, -1);
    EXPECT_FALSE(link.IsOpen());
    return out.str();
  };
  EXPECT_EQ(openWith([&] { mkdir(block.c_str(), 0700); }, [&] { rmdir(block.c_str()); }),
            n.block + " is a directory, not a link object; use --link-name\n");
  EXPECT_EQ(openWith([&] { mkfifo(block.c_str(), 0600); }, [&] { unlink(block.c_str()); }),
            n.block + " is a FIFO, not a link object; use --link-name\n");
  EXPECT_EQ(openWith([&] { symlink("/etc/passwd", block.c_str()); }, [&] { unlink(block.c_str()); }),
            n.block + " is a symbolic link, not a link object; use --link-name\n");
  EXPECT_EQ(openWith([&] { unlink(sem.c_str()); close(open(sem.c_str(), O_CREAT | O_WRONLY, 0600)); }, [&] { unlink(sem.c_str()); }),
            n.mutex + " is not a semaphore (0 bytes); use --link-name\n");

  // Another user's objects, left behind by their run (only an
  // administrator can make them; the check runs without the rights to pass).
  const int fd = open(block.c_str(), O_CREAT | O_RDWR, 0600);
  ASSERT_GE(fd, 0);
  ftruncate(fd, SharedMemoryLink::kBlockSize);
  const bool other = fchown(fd, kOtherUser, kOtherUser) == 0;
  close(fd);
  if (other) {
    std::ostringstream out;
    SharedMemoryLink link(out, n.block, n.mutex);
    {
      WithoutFileOverride asAnyUser;
      EXPECT_EQ(link.OpenSharedMemoryLink(), -1);
    }
    EXPECT_EQ(out.str(), n.block + " belongs to another user; use --link-name\n");
    SharedMemoryLink::Unlink(n.block, n.mutex);
    SharedMemoryLink mine(out, "TESSALY_TEST_FREE_" + std::to_string(getpid()), n.mutex);
    ASSERT_EQ(mine.OpenSharedMemoryLink(), 1);  // creates the mutex
    mine.CloseSharedMemoryLink();
    chown(sem.c_str(), kOtherUser, kOtherUser);
    std::ostringstream out2;
    SharedMemoryLink late(out2, n.block, n.mutex);
    {
      WithoutFileOverride asAnyUser;
      EXPECT_EQ(late.OpenSharedMemoryLink(), -1);
    }
    EXPECT_EQ(out2.str(), n.mutex + " belongs to another user; use --link-name\n");
    SharedMemoryLink::Unlink("TESSALY_TEST_FREE_" + std::to_string(getpid()), n.mutex);
  }
}

TEST(SharedMemoryLink, LinkNamesAsTheUserGivesThem) {
  std::string block, mutex, why;
  ASSERT_TRUE(ParseLinkName("CELL2", &block, &mutex, &why));
  EXPECT_EQ(block, "CELL2");
  EXPECT_EQ(mutex, "CELL2_MUTEX");
  ASSERT_TRUE(ParseLinkName("BLK,MTX", &block, &mutex, &why));
  EXPECT_EQ(block, "BLK");
  EXPECT_EQ(mutex, "MTX");
  for (const char* bad : {"", "a/b", "A,", ",B", "..", "A,B,C"}) EXPECT_FALSE(ParseLinkName(bad, &block, &mutex, &why)) << bad;
}

TEST(SharedMemoryLink, ABlockOfAnotherSizeIsMappedAsItStands) {
  Names n;
  const std::string posix = "/" + n.block;
  const int fd = shm_open(posix.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, 4096), 0);
  close(fd);
  std::ostringstream out;
  SharedMemoryLink link(out, n.block, n.mutex);
  ASSERT_EQ(link.OpenSharedMemoryLink(), 1);
  EXPECT_FALSE(link.CreatedBlock());
  EXPECT_EQ(link.MappedSize(), 4096u) << "never map beyond the controller's block";
  char bytes[8];
  EXPECT_TRUE(link.ReadBlock(4088, bytes, 8));
  EXPECT_FALSE(link.ReadBlock(4092, bytes, 8)) << "a read past the end is short, not whole";
}

TEST(SharedMemoryLink, FailuresAreReportedOnTheStreamAndLeaveItClosed) {
  std::ostringstream out;
  // A name with a slash inside is not a valid object name.
  SharedMemoryLink badMutex(out, "TESSALY_OK_BLOCK", "bad/mutex");
  EXPECT_EQ(badMutex.OpenSharedMemoryLink(), -1);
  EXPECT_FALSE(badMutex.IsOpen());
  EXPECT_EQ(out.str().rfind("Mutex create failed. Code: ", 0), 0u) << out.str();
  EXPECT_EQ(out.str().back(), '\n');

  Names n;
  std::ostringstream out2;
  SharedMemoryLink badBlock(out2, "bad/block", n.mutex);
  EXPECT_EQ(badBlock.OpenSharedMemoryLink(), -1);
  EXPECT_FALSE(badBlock.IsOpen());
  EXPECT_EQ(out2.str().rfind("Mapping view failed. Code: ", 0), 0u) << out2.str();
  SharedMemoryLink::Unlink("TESSALY_OK_BLOCK", "bad/mutex");
}
