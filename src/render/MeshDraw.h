#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "mesh/Emit.h"
#include "mesh/Mesh.h"
#include "objects/TextureSlot.h"

// Draws meshes with GL vertex arrays, from buffer objects where the
// context has them (GL 1.5) and the same runs come again frame after frame.

// The wafer pictures meshes name by slot (kTextureSlotCount of them, or
// nullptr for none). The frame sets them before building and drawing.
void SetMeshPictures(const TextureSlot* slots);
const TextureSlot* MeshPictures();

// Whether kept meshes are drawn from buffer objects: Auto uses them where
// the context has them (GL 1.5) and is not a software rasteriser (there a
// buffer is one more copy in main memory and saves nothing measurable);
// On wherever the context has them; Off never. The pictures are the same
// either way.
enum class MeshBuffers { Auto, On, Off };
void SetMeshBuffers(MeshBuffers use);

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
  // What is drawn together (one run, or neighbouring runs joined into one
  // array) is kept while the same runs (by serial) come again: the joined
  // arrays, and once they come in a second frame a buffer object. A
  // frame's end: drops what no draw of the frame used (buffers too, so the
  // context must be current). Bound: one frame's groups.
  void NextFrame();
  size_t joinedBatches() const;
  size_t buffers() const;
  // Deletes every buffer object (context current) and forgets the groups.
  void Release();
  // The context is gone with its buffers: forget them.
  void Forget();

 private:
  struct Group {
    std::vector<uint64_t> key;  // the runs' serials
    uint64_t frame = 0;         // last used
    int frames = 0;             // frames it was used in
    std::vector<MeshVertex> vertices;  // joined runs only
    std::vector<uint32_t> indices;
    unsigned buffer[2] = {0, 0};  // vertices, indices
    size_t count = 0;             // indices in the buffer
  };
  void DecideCulling();
  void OpaqueFirst();
  Group& GroupOf(size_t from, size_t to);
  std::vector<const MeshRun*> runs_;
  std::vector<unsigned> cull_;  // per run: the faces to skip, or 0
  std::vector<size_t> order_;
  std::vector<const MeshRun*> sortedRuns_;
  std::vector<unsigned> sortedCull_;
  std::unordered_map<uint64_t, Group> groups_;
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
