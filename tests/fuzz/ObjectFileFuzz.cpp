// Feeds arbitrary bytes to the object file and shape list readers. Beyond
// "no crash, no overrun, no hang" it checks what the readers promise: every
// record a line replaced is sane, and writing such a record and reading the
// line back gives the same line again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "FuzzRequire.h"
#include "objects/ObjectFile.h"
#include "objects/SceneObject.h"
#include "objects/ShapeListFile.h"

namespace {

const std::string kUntouched = "\x01untouched";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto table = std::make_unique<ObjectTable>();
  static TextureSlot slots[kTextureSlotCount];
  slots[0].loaded = slots[1].loaded = slots[7].loaded = true;
  for (SceneObject& r : *table) r.Name = kUntouched;

  int messages = 0;
  bool refused = false;
  const char* text = reinterpret_cast<const char*>(data);
  const int result = ReadObjects(
      text, size, table->data(), kObjectCapacity, slots,
      [&messages](const std::string& m) {
        Require(!m.empty());
        ++messages;
      },
      &refused);
  Require(result >= 0 && result <= static_cast<int>(size));
  // Never a flood: the first short lines one by one, then one summary,
  // besides a view line and the error that stops the reading.
  Require(messages <= kMaxShortLineMessages + 3);
  // A refused text says so once and touches nothing.
  if (refused) {
    Require(result == 0 && messages == 1);
    for (const SceneObject& r : *table) Require(r.Name == kUntouched);
  }

  for (SceneObject& r : *table) {
    if (r.Name == kUntouched) continue;
    Require(r.Reso <= 360);
    Require(r.Tex == -1 || (r.Tex >= 0 && r.Tex < kTextureSlotCount && slots[r.Tex].loaded));
    Require(r.Name.size() < 256 && r.Text.size() < 256);
    Require(r.Sub == nullptr);
    // Write, read back, write again: the two lines agree.
    const std::string line = FormatObjectLine(5, r);
    SceneObject back[6];
    int said = 0;
    Require(ReadObjects(line.data(), line.size(), back, 6, slots, [&said](const std::string&) { ++said; }) ==
            1);
    Require(said == 0);
    const std::string again = FormatObjectLine(5, back[5]);
    if (again != line) std::fprintf(stderr, "first:  %s\nsecond: %s\n", line.c_str(), again.c_str());
    Require(again == line);
  }

  auto shapes = std::make_unique<ShapeList>();
  ReadShapeList(text, size, *shapes);
  for (const ShapeListEntry& e : *shapes) Require(e.name.size() < 256);
  return 0;
}
