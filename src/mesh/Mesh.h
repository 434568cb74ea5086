#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What a record looks like, as data: triangles, lines and points in runs
// that each draw with one state. Built once by the geometry routines (see
// mesh/MeshBuilder.h) and read by everything that needs the shape: the
// frame draws it, the bounds, picking and view fitting measure it.
//
// Positions and normals are in scene coordinates in GL's axis order
// (across, up, along the scene's Y): every matrix of the record's own
// frame is already applied, so a mesh draws under the camera alone.

enum class RunKind : uint8_t { Triangles, Lines, Points };

struct MeshVertex {
  float p[3];
  float n[3];
  // Unlit: the colour. Lit: the diffuse colour of the material.
  float c[4];
  float t[2];
};

// Primitives of one kind drawn with one state, in building order.
struct MeshRun {
  RunKind kind = RunKind::Triangles;
  // Lit by the lights (the material below, the diffuse colour per vertex)
  // or drawn in the vertices' plain colours.
  bool lit = false;
  // The wafer picture slot whose texture covers the run, -1 for none.
  int picture = -1;
  // Every vertex fully opaque and no picture: blending leaves each pixel
  // as drawn.
  bool opaque = true;
  // Opaque triangles that close around volumes, every edge shared by a
  // face each way: +1 once turned counter-clockwise seen from outside
  // (MeasureClosure turns them), 0 when not closed (or not known).
  int closedWinding = 0;
  float boxMin[3] = {}, boxMax[3] = {};
  float lineWidth = 1.0f;  // lines only
  // Lit: the material apart from its diffuse colour.
  float ambient[4] = {};
  float specular[4] = {};
  float emission[4] = {};
  float shininess = 0.0f;
  std::vector<MeshVertex> vertices;
  std::vector<uint32_t> indices;
  // Told apart from every other run this process built (never 0 once
  // built), so that what is derived from a run can be kept by it.
  uint64_t serial = 0;

  bool textured() const { return picture >= 0; }
  // Same kind and state: the two can be drawn as one.
  bool Joins(const MeshRun& o) const;
  // Finds the box and closedWinding (turning closed faces to agree).
  void MeasureClosure();
};

struct Mesh {
  std::vector<MeshRun> runs;
  size_t vertexCount = 0;
  // Where named pieces begin (MeshBuilder::StartPiece): the first run of
  // each and its name, in run order. Drawing ignores them; export makes
  // each piece a node of its own.
  std::vector<std::pair<size_t, std::string>> pieces;

  bool empty() const { return vertexCount == 0; }
  // The runs of piece p alone (empty past the last piece).
  Mesh Piece(size_t p) const;
  // The box round every vertex; false (and nothing written) for an empty
  // mesh. Runs must have been measured (MeshBuilder::Finish does it).
  bool Bounds(float lo[3], float hi[3]) const;
  // Heap bytes the runs hold.
  size_t Bytes() const;
};
