#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "objects/SceneObject.h"
#include "render/GeometryCapture.h"

// What each object drew, kept and drawn again while nothing the drawing
// reads has changed: its geometry in arrays (see render/GeometryCapture),
// or a display list where arrays cannot reproduce the drawing.
//
// What is kept is keyed on the full contents of the record handed to
// drawing (every field, the profile's values and both strings; floats by
// their bits) and on the frame-wide inputs drawing reads besides: whether
// any light is on (material or plain colour), the GL state the routines
// query while drawing (normalisation, which follows ortho, 2-D texturing
// and its bound texture, the line width), the wafers' texture slots
// (loaded, GL name, whether GL knows the name) and the context's
// generation. Whatever is substituted into a record before drawing
// therefore invalidates what is kept for it by itself.
// docs/architecture.md lists every GL query made while an object draws and
// how the key covers it.
//
// Lists live in one GL context: call ContextLost when it goes (the lists
// die with it) and Clear (context current) to free them earlier.
class ObjectListCache {
 public:
  // Slots: the 1000 records, then what the frame draws besides.
  static constexpr int kFloorSlot = kObjectCapacity;
  static constexpr int kArmSlot = kObjectCapacity + 1;
  static constexpr int kSlots = kObjectCapacity + 2;
  // What is kept holds its vertices in memory (48 bytes each, with their
  // indices): at most this many over all slots, and nothing for a record
  // that draws more than the per-object limit (estimated beforehand).
  static constexpr size_t kVertexBudget = 4000000;
  static constexpr size_t kVertexLimitPerObject = 400000;

  // A smaller budget for tests; the per-object limit is never above it.
  explicit ObjectListCache(size_t vertexBudget = kVertexBudget);
  ~ObjectListCache() = default;
  ObjectListCache(const ObjectListCache&) = delete;
  ObjectListCache& operator=(const ObjectListCache&) = delete;

  // Off: every Draw is immediate and no list is made (the kept ones stay
  // until Clear, but are not used).
  void SetEnabled(bool on) { enabled_ = on; }
  bool enabled() const { return enabled_; }

  // Reads the frame-wide inputs (context current, just before the objects
  // are drawn) and drops every list when one of them changed.
  void BeginFrame(bool ortho);

  // Draws rec with draw(rec): from what the slot keeps when its key
  // matches, otherwise taking it down anew (nothing is drawn twice).
  // Records too heavy for the memory budget are drawn immediately.
  //
  // What is kept is the object's geometry in arrays, or a display list
  // where the drawing does something arrays cannot reproduce. Geometry is
  // not drawn at once: neighbouring objects of the same state are batched
  // until Flush, or until something is drawn another way. A record that
  // changed in the frame before too is drawn directly until it rests.
  // `extra` is an input of draw besides the record, part of the key.
  void Draw(int slot, const SceneObject& rec, void (*draw)(const SceneObject&), uint32_t extra = 0);
  // Draws the batched geometry; call it before drawing past the cache.
  void Flush();

  // Deletes every list (context current).
  void Clear();
  // The context is gone, and its lists with it: forget them.
  void ContextLost();

  // Counters since construction, for tests and benchmarks.
  struct Counts {
    size_t built = 0, replayed = 0, immediate = 0, dropped = 0;
    size_t builtAsList = 0;  // of those built, the ones arrays could not take
  };
  const Counts& counts() const { return counts_; }
  // Vertices kept now (estimated for lists), within the budget.
  size_t keptVertices() const { return budgetUsed_; }

 private:
  struct Entry {
    std::vector<unsigned char> key;
    std::unique_ptr<CapturedGeometry> geometry;
    unsigned list = 0;
    size_t cost = 0;  // vertices (estimated for a list)
    uint64_t changedInFrame = 0;  // when the record last differed from the key
  };
  void Drop(Entry& e);
  void DrawDirectly(const SceneObject& rec, void (*draw)(const SceneObject&));
  // GL's current values as drawing up to here leaves them.
  const CurrentValues& Values();
  void Batch(const CapturedGeometry& g);

  bool enabled_ = true;
  uint64_t contextGeneration_ = 0;
  std::vector<unsigned char> frameKey_;
  std::vector<unsigned char> scratch_;
  std::vector<Entry> entries_;
  size_t budget_;
  size_t budgetUsed_ = 0;
  Counts counts_;
  bool lit_ = false;
  BatchDrawer batch_;
  CurrentValues values_;
  bool valuesKnown_ = false;
  uint64_t frame_ = 1;  // counts BeginFrame
};

// Appends every field of the record, floats by their bits, the profile's
// values and both strings: equal bytes mean a record that draws the same.
void AppendRecordBytes(const SceneObject& rec, std::vector<unsigned char>& out);

// A rough count of the vertices a record draws (for the cache's memory
// budget).
size_t EstimatedVertices(const SceneObject& rec);
