#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "mesh/Mesh.h"
#include "mesh/MeshBuilder.h"
#include "objects/SceneObject.h"
#include "render/MeshDraw.h"

// The meshes of the objects, the floor and the arm, kept from frame to
// frame and drawn in few large batches.
//
// A slot's mesh is kept until the record handed to drawing changes, or an
// extra value the caller gives. A record of the scene's table comes with
// its revision (SceneHistory::Revisions): the mesh is kept while that
// number and the fields a substitute writes (SameSubstitutedFields) stay,
// so an unchanged record costs a few comparisons per frame. A record
// without one (the floor, the arm, a table no history keeps) is compared
// whole, every field bit for bit. What the build reads besides the record
// (whether any light is on, which wafer pictures can be shown) is checked
// once per frame; when it changes every mesh goes.
//
// Bound: one mesh per slot, kSlots slots, and a mesh is as large as its
// record makes it (the resolution is held to 360).
class ObjectListCache {
 public:
  // Slots: the 1000 records, then what the frame draws besides.
  static constexpr int kFloorSlot = kObjectCapacity;
  static constexpr int kArmSlot = kObjectCapacity + 1;
  static constexpr int kSlots = kObjectCapacity + 2;

  ObjectListCache();
  ~ObjectListCache() = default;
  ObjectListCache(const ObjectListCache&) = delete;
  ObjectListCache& operator=(const ObjectListCache&) = delete;

  // Off: every Draw builds afresh and nothing is kept (what is kept stays
  // until Clear, unused); the meshes are batched all the same.
  void SetEnabled(bool on) { enabled_ = on; }
  bool enabled() const { return enabled_; }

  // Reads the frame-wide inputs (context current, just before the objects
  // are drawn) and drops every mesh when one of them changed.
  void BeginFrame();

  // Draws rec as draw(rec) describes it: from the slot's mesh when it was
  // built from the same record, otherwise building it anew. Meshes are not
  // drawn at once: they are batched until Flush. `extra` is an input of
  // draw besides the record; `revision` the stored record's number, or 0
  // to compare the record whole.
  void Draw(int slot, const SceneObject& rec, void (*draw)(const SceneObject&), uint32_t extra = 0,
            uint64_t revision = 0);
  // The slot's mesh when it is the one rec (with extra) builds, else null.
  // A Draw of the same slot and record right after it compares nothing
  // again.
  const Mesh* Kept(int slot, const SceneObject& rec, uint32_t extra = 0, uint64_t revision = 0);
  // Draws the batched meshes; call it before drawing past the cache.
  void Flush();

  // Forgets every mesh and deletes the buffer objects (context current).
  void Clear();
  // The context is gone: nothing kept depends on it, but the next frame
  // starts afresh.
  void ContextLost();

  // Counters since construction, for tests and benchmarks.
  struct Counts {
    size_t built = 0, replayed = 0, immediate = 0, dropped = 0;
  };
  const Counts& counts() const { return counts_; }
  // Vertices and heap bytes kept now.
  size_t keptVertices() const;
  size_t keptBytes() const;
  // Arrays the batch keeps joined from neighbouring runs, and buffer
  // objects it keeps.
  size_t joinedBatches() const { return batch_.joinedBatches(); }
  size_t buffers() const { return batch_.buffers(); }
  // The mesh kept for a slot (empty when none).
  const Mesh& MeshOf(int slot) const;

 private:
  struct Entry {
    bool kept = false;
    SceneObject record;  // what the mesh was built from
    uint32_t extra = 0;
    uint64_t revision = 0;
    Mesh mesh;
  };
  void Drop(Entry& e);

  bool enabled_ = true;
  bool frameKnown_ = false;
  BuildInputs frameInputs_;
  // The last Kept: its slot and record, and whether the key matched.
  int checkedSlot_ = -1;
  const SceneObject* checkedRecord_ = nullptr;
  bool checkedMatch_ = false;
  std::vector<Entry> entries_;
  Counts counts_;
  MeshDrawer batch_;
  std::deque<Mesh> immediate_;  // built for this batch only (not kept)
  std::vector<Mesh> retired_;   // replaced while the batch still held them
};
