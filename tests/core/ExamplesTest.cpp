#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "objects/ObjectFile.h"

namespace {

const char* const kExamples[] = {"demo-cell.3dl", "scara-robot.3dl", "twin-hand-robot.3dl", "frog-leg-robot.3dl"};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(Examples, EveryShippedSceneLoadsWithoutAMessage) {
  for (const char* name : kExamples) {
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    TextureSlot slots[kTextureSlotCount];
    slots[0].loaded = slots[1].loaded = true;
    std::string messages;
    const int n = LoadObjects(std::string(TESSALY_EXAMPLES_DIR) + "/" + name, table->data(), kObjectCapacity, slots,
                              [&](const std::string& m) { messages += m + "\n"; });
    EXPECT_GT(n, 0) << name;
    EXPECT_EQ(messages, "") << name;
  }
}

TEST(Examples, ShippedScenesAreWhatTheGeneratorWrites) {
  const std::string dir = std::string(TESSALY_ARTIFACT_DIR) + "/examples-" + std::to_string(getpid());
  ASSERT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
  ASSERT_EQ(std::system((std::string(TESSALY_MAKE_EXAMPLES_EXE) + " '" + dir + "' > /dev/null").c_str()), 0);
  for (const char* name : kExamples)
    EXPECT_EQ(ReadAll(dir + "/" + name), ReadAll(std::string(TESSALY_EXAMPLES_DIR) + "/" + name))
        << name << " is out of date: run tessaly-make-examples data/examples";
  std::system(("rm -rf '" + dir + "'").c_str());
}
