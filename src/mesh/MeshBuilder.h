#pragma once

#include <cstdint>
#include <vector>

#include "mesh/Mesh.h"

// Builds a Mesh from primitives given vertex by vertex, the way the
// geometry routines describe their shapes: a current normal, colour,
// texture coordinate and material that each vertex takes, a stack of
// frames the vertices are carried through, and the state a run draws with
// (line width, a picture, renormalised normals).
//
// Nothing is inherited: every build starts from the values below, so a
// record's mesh depends on the record and the inputs alone. Builds nest
// (one builder per build).

// How the vertices between Begin and End join up.
enum class Prim : uint8_t {
  Points,
  Lines,
  LineStrip,
  LineLoop,
  Triangles,
  TriangleStrip,
  TriangleFan,
  Quads,
  QuadStrip,
  Polygon,
};

// What a build reads besides the record: whether the lights are on (faces
// and lines take a material, otherwise plain colours) and which wafer
// pictures can be shown (bit i: slot i).
struct BuildInputs {
  bool lit = false;
  uint32_t pictures = 0;
  bool operator==(const BuildInputs& o) const { return lit == o.lit && pictures == o.pictures; }
};

struct MaterialValues {
  float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 0.0f;  // held to 0..128
};

// a times b, 4 x 4 and column-major as GL keeps matrices; out may be a.
void MultiplyMatrices(const double a[16], const double b[16], double out[16]);

class MeshBuilder {
 public:
  explicit MeshBuilder(const BuildInputs& inputs = {});

  const BuildInputs& inputs() const { return inputs_; }

  // A primitive. Quads and polygons become triangles in the order GL's
  // fixed-function drivers split them; strips and loops become lines.
  void Begin(Prim p);
  void End();
  void Vertex(double x, double y, double z);
  // The current values the next vertices take. Starting values: normal
  // (0, 0, 1), colour opaque white, texture coordinate (0, 0), the
  // material above.
  void Normal(double x, double y, double z);
  void TexCoord(double s, double t);
  void Color(float r, float g, float b, float a = 1.0f);
  // The whole material (front and back). Inside a primitive only the
  // diffuse colour may change; a change of the rest starts a new run at
  // the next primitive.
  void SetMaterial(const MaterialValues& m);

  // The frame stack: the matrices multiply on the right, as GL's do.
  void Push();
  void Pop();
  void Translate(double x, double y, double z);
  // Degrees about the axis (x, y, z); a zero axis turns nothing.
  void Rotate(double angle, double x, double y, double z);
  void Scale(double x, double y, double z);
  // The current frame, column-major as GL keeps matrices.
  const double* frame() const { return model_.m; }

  // State for the runs that follow. Widths that are not positive numbers
  // keep the width before.
  void SetLineWidth(float width);
  float lineWidth() const { return lineWidth_; }
  // Normals carried through a scaling frame are made unit length again.
  void SetNormalize(bool on) { normalize_ = on; }
  bool normalize() const { return normalize_; }
  // The wafer picture slot that covers the following triangles; -1 none.
  void SetPicture(int slot) { picture_ = slot; }
  int picture() const { return picture_; }

  // Shared-corner geometry in one call, outside begin/end, with the
  // current frame, colour or material and picture: positions (and normals,
  // or null for the current one) are xyz triples, `indices` index them, 3
  // per triangle or 2 per line. Indices out of range drop their primitive.
  void IndexedTriangles(const float* positions, const float* normals, size_t vertexCount, const uint32_t* indices,
                        size_t indexCount);
  void IndexedLines(const float* positions, size_t vertexCount, const uint32_t* indices, size_t indexCount);

  // What follows is a piece of its own, named name: it starts a new run
  // and is marked in Mesh::pieces.
  void StartPiece(const std::string& name);

  // The mesh so far, its runs measured; the builder starts afresh.
  Mesh Finish();
  // The first misuse seen (a vertex outside a primitive, an unbalanced
  // stack ...), or nullptr. Misuse never stops a build: what is whole is
  // kept.
  const char* failure() const { return failure_; }

 private:
  struct Mat4 {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    void MultiplyBy(const double* r) { MultiplyMatrices(m, r, m); }
  };
  void Fail(const char* why);
  void UpdateNormalMatrix();
  MeshRun& RunFor(RunKind kind, const std::vector<MeshVertex>& vertices);
  bool pieceStarts_ = false;  // the next primitive opens a run of its own
  void EndPrimitive();
  MeshVertex Made(double x, double y, double z);
  void AddIndexed(RunKind kind, const float* positions, const float* normals, size_t vertexCount,
                  const uint32_t* indices, size_t indexCount);

  BuildInputs inputs_;
  const char* failure_ = nullptr;
  float normal_[3] = {0.0f, 0.0f, 1.0f};
  float color_[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float texCoord_[2] = {0.0f, 0.0f};
  MaterialValues material_;
  MaterialValues primMaterial_;  // the material the primitive started with
  bool normalize_ = false;
  int picture_ = -1;
  float lineWidth_ = 1.0f;
  std::vector<Mat4> stack_;
  Mat4 model_;
  double normalMatrix_[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  bool normalMatrixStale_ = false;
  bool inBegin_ = false;
  Prim prim_ = Prim::Points;
  std::vector<MeshVertex> primVertices_;
  std::vector<uint32_t> primIndices_;
  Mesh mesh_;
};
