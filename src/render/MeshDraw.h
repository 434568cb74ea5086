#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "mesh/Emit.h"
#include "mesh/Mesh.h"
#include "objects/TextureSlot.h"

// Draws meshes with GL vertex arrays.

// The wafer pictures meshes name by slot (kTextureSlotCount of them, or
// nullptr for none). The frame sets them before building and drawing.
void SetMeshPictures(const TextureSlot* slots);
const TextureSlot* MeshPictures();

// What a build reads from the context now: whether any light is on, and
// which of the pictures are textures this context knows.
BuildInputs CurrentBuildInputs();

// Collects meshes and draws them in few calls: opaque triangles first,
// grouped by state (their order does not matter under the depth test),
// then lines, points and see-through faces in the order they came, where
// neighbouring runs of the same state join. Leaves lighting, the bound
// texture, texturing, normalisation, culling, the colour-material mode and
// the line width as it found them; the current colour, normal and
// material are left undefined.
class MeshDrawer {
 public:
  // The mesh must live until Draw.
  void Add(const Mesh& m);
  bool empty() const { return runs_.empty(); }
  // Draws what was added and forgets it.
  void Draw();
  // Runs below this many vertices join their neighbours; larger ones are
  // drawn from their own arrays.
  static constexpr size_t kJoinBelow = 4096;
  // Neighbouring runs joined into one array are kept and drawn again while
  // the same runs (by serial) join the same way. A frame's end: drops the
  // joined arrays no draw of the frame used. Bound: one frame's joins.
  void NextFrame();
  size_t joinedBatches() const { return joined_.size(); }

 private:
  struct Joined {
    std::vector<uint64_t> key;  // the runs' serials
    uint64_t frame = 0;         // last used
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;
  };
  void DecideCulling();
  void OpaqueFirst();
  const Joined& JoinedRuns(size_t from, size_t to);
  std::vector<const MeshRun*> runs_;
  std::vector<unsigned> cull_;  // per run: the faces to skip, or 0
  std::vector<size_t> order_;
  std::vector<const MeshRun*> sortedRuns_;
  std::vector<unsigned> sortedCull_;
  std::unordered_map<uint64_t, Joined> joined_;
  std::vector<uint64_t> key_;
  uint64_t frame_ = 0;
};

// Draws one mesh at once.
void DrawMesh(const Mesh& m);

// Builds what draw() describes for the current context and draws it.
template <typename F>
void DrawBuilt(F&& draw) {
  MeshBuilder b(CurrentBuildInputs());
  {
    emit::BuildInto into(b);
    draw();
  }
  DrawMesh(b.Finish());
}
