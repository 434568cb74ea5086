#pragma once

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

// Collects meshes and draws them in as few calls as their order allows:
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

 private:
  void DecideCulling();
  std::vector<const MeshRun*> runs_;
  std::vector<unsigned> cull_;  // per run: the faces to skip, or 0
  std::vector<MeshVertex> vertices_;
  std::vector<uint32_t> indices_;
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
