#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "link/SharedMemoryLink.h"

namespace {

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
  std::ostringstream out;
  SharedMemoryLink link(out, n.block, n.mutex);
  ASSERT_EQ(link.OpenSharedMemoryLink(), 1);
  const void* firstView = link.View();
  ASSERT_EQ(link.OpenSharedMemoryLink(), 1);
  EXPECT_TRUE(link.IsOpen());
  (void)firstView;
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
