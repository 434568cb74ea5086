// The mesh builder: how primitives become triangles, lines and points, how
// frames carry points and normals, and where runs split by state.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "mesh/Emit.h"
#include "mesh/MeshPick.h"
#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"

namespace {

Mesh Build(const BuildInputs& in, void (*describe)(int), int n) {
  MeshBuilder b(in);
  {
    emit::BuildInto into(b);
    describe(n);
  }
  EXPECT_EQ(b.failure(), nullptr);
  return b.Finish();
}

TEST(MeshBuilder, PrimitivesSplitAsFixedFunctionGlDoes) {
  struct Case {
    Prim prim;
    int vertices;
    RunKind kind;
    std::vector<uint32_t> indices;
  };
  const Case cases[] = {
      {Prim::Points, 2, RunKind::Points, {0, 1}},
      {Prim::Lines, 5, RunKind::Lines, {0, 1, 2, 3}},
      {Prim::LineStrip, 3, RunKind::Lines, {0, 1, 1, 2}},
      {Prim::LineLoop, 3, RunKind::Lines, {0, 1, 1, 2, 2, 0}},
      {Prim::Triangles, 7, RunKind::Triangles, {0, 1, 2, 3, 4, 5}},
      {Prim::TriangleStrip, 4, RunKind::Triangles, {0, 1, 2, 2, 1, 3}},
      {Prim::TriangleFan, 4, RunKind::Triangles, {0, 1, 2, 0, 2, 3}},
      {Prim::Quads, 4, RunKind::Triangles, {0, 1, 3, 1, 2, 3}},
      {Prim::QuadStrip, 4, RunKind::Triangles, {0, 1, 2, 1, 3, 2}},
      {Prim::Polygon, 5, RunKind::Triangles, {1, 2, 0, 2, 3, 0, 3, 4, 0}},
  };
  for (const Case& c : cases) {
    MeshBuilder b;
    b.Begin(c.prim);
    for (int i = 0; i < c.vertices; ++i) b.Vertex(i, i * i, 0);
    b.End();
    const Mesh m = b.Finish();
    ASSERT_EQ(m.runs.size(), 1u) << int(c.prim);
    EXPECT_EQ(m.runs[0].kind, c.kind) << int(c.prim);
    EXPECT_EQ(m.runs[0].indices, c.indices) << int(c.prim);
  }
}

TEST(MeshBuilder, FramesCarryPointsAndNormals) {
  for (bool normalize : {false, true}) {
    MeshBuilder b;
    b.SetNormalize(normalize);
    b.Push();
    b.Translate(1, 2, 3);
    b.Rotate(90, 0, 1, 0);  // +x turns to -z
    b.Scale(2, 2, 2);
    b.Normal(1, 0, 0);
    b.Begin(Prim::Points);
    b.Vertex(1, 0, 0);
    b.End();
    b.Rotate(90, 0, 1, 0);  // a turn after a vertex turns the next normal
    b.Begin(Prim::Points);
    b.Vertex(0, 0, 0);
    b.End();
    b.Pop();
    b.Begin(Prim::Points);
    b.Vertex(0, 0, 0);
    b.End();
    EXPECT_EQ(b.failure(), nullptr);
    const Mesh m = b.Finish();
    const MeshVertex& v = m.runs.at(0).vertices.at(0);
    EXPECT_NEAR(v.p[0], 1, 1e-6);
    EXPECT_NEAR(v.p[1], 2, 1e-6);
    EXPECT_NEAR(v.p[2], 1, 1e-6);
    // Normals go with the inverse transpose: a scale of 2 halves them
    // unless they are made unit again.
    EXPECT_NEAR(v.n[2], normalize ? -1.0 : -0.5, 1e-6);
    EXPECT_NEAR(m.runs.at(0).vertices.at(1).n[0], normalize ? -1.0 : -0.5, 1e-6);
    const MeshVertex& o = m.runs.at(0).vertices.at(2);
    EXPECT_NEAR(o.p[0] + o.p[1] + o.p[2], 0, 1e-9) << "the frame is popped";
  }
  {
    // A scale after a vertex bends the next normal: (1, 1, 0) under a
    // stretch of 4 along y goes with the inverse, (1, 1/4, 0).
    MeshBuilder s;
    s.Normal(1, 1, 0);
    for (int k = 0; k < 2; ++k) {
      s.Begin(Prim::Points);
      s.Vertex(0, 0, 0);
      s.End();
      s.Scale(1, 4, 1);
    }
    EXPECT_NEAR(s.Finish().runs.at(0).vertices.at(1).n[1], 0.25, 1e-6);
  }
  MeshBuilder b;
  b.SetLineWidth(2.0f);
  for (float refused : {0.0f, -1.0f, std::nanf("")}) b.SetLineWidth(refused);
  EXPECT_EQ(b.lineWidth(), 2.0f);
  b.Vertex(0, 0, 0);
  EXPECT_NE(b.failure(), nullptr);
  EXPECT_EQ(b.Finish().vertexCount, 0u) << "a vertex outside a primitive";
}

TEST(MeshBuilder, BuildsNestAndNothingLeaksOut) {
  MeshBuilder outer, inner;
  {
    emit::BuildInto a(outer);
    emit::Begin(Prim::Points);
    {
      emit::BuildInto b(inner);
      emit::Begin(Prim::Lines);
      emit::Vertex(0, 0, 0);
      emit::Vertex(1, 0, 0);
      emit::End();
    }
    emit::Vertex(2, 0, 0);
    emit::End();
  }
  emit::Begin(Prim::Points);  // outside every build: goes nowhere
  emit::Vertex(9, 9, 9);
  emit::End();
  EXPECT_EQ(outer.Finish().vertexCount, 1u);
  EXPECT_EQ(inner.Finish().runs.at(0).kind, RunKind::Lines);
}

// A lit triangle in the given object's fill colour, then a line in its
// frame colour, a textured triangle and an untextured one.
void Sample(int lineWidth) {
  SceneObject o;
  o.clFill = 0x0000FF;
  o.clFrame = 0x00FF00;
  o.Trans = lineWidth == 1 ? 0.5f : 1.0f;
  ApplyObjectColor(false, o);
  emit::Begin(Prim::Triangles);
  for (int i = 0; i < 3; ++i) emit::Vertex(i == 1, i == 2, 0);
  emit::End();
  emit::SetLineWidth(static_cast<float>(lineWidth));
  ApplyObjectColor(true, o);
  emit::Begin(Prim::Lines);
  emit::Vertex(0, 0, 0);
  emit::Vertex(1, 0, 0);
  emit::End();
  emit::Out().SetPicture(3);
  for (int k = 0; k < 2; ++k) {
    emit::Begin(Prim::Triangles);
    for (int i = 0; i < 3; ++i) emit::Vertex(i == 1, i == 2, 0);
    emit::End();
    emit::Begin(Prim::Lines);  // pictures cover faces only
    emit::Vertex(0, 0, 0);
    emit::Vertex(1, 0, 0);
    emit::End();
    emit::Out().SetPicture(-1);
  }
}

TEST(MeshBuilder, RunsSplitWhereTheStateChanges) {
  const Mesh m = Build(BuildInputs{true, 0}, Sample, 4);
  ASSERT_EQ(m.runs.size(), 6u);
  EXPECT_TRUE(m.runs[0].opaque);
  EXPECT_TRUE(m.runs[0].lit);
  EXPECT_EQ(m.runs[1].kind, RunKind::Lines);
  EXPECT_EQ(m.runs[1].lineWidth, 4.0f);
  EXPECT_FALSE(m.runs[1].opaque);
  EXPECT_EQ(m.runs[2].picture, 3);
  EXPECT_FALSE(m.runs[2].opaque) << "a picture may be translucent";
  EXPECT_EQ(m.runs[3].picture, -1);
  EXPECT_EQ(m.runs[3].kind, RunKind::Lines);
  EXPECT_EQ(m.runs[4].picture, -1);
  // Translucent faces are never taken for closed opaque ones.
  EXPECT_FALSE(Build(BuildInputs{true, 0}, Sample, 1).runs[0].opaque);
  const Mesh plain = Build(BuildInputs{false, 0}, Sample, 1);
  EXPECT_FALSE(plain.runs[0].lit);
  EXPECT_TRUE(plain.runs[0].opaque) << "plain colours ignore transparency";
}

TEST(MeshBuilder, TranslucencyAndMaterialSplitRuns) {
  MeshBuilder b(BuildInputs{true, 0});
  MaterialValues m;
  auto triangle = [&] {
    b.SetMaterial(m);
    b.Begin(Prim::Triangles);
    for (int i = 0; i < 3; ++i) b.Vertex(i == 1, i == 2, 0);
    b.End();
  };
  triangle();
  m.diffuse[3] = 0.5f;  // the same material, see-through
  triangle();
  m.diffuse[3] = 1.0f;
  m.specular[0] = 0.9f;
  triangle();
  for (int picture : {1, 2}) {  // one more run per picture
    b.SetPicture(picture);
    triangle();
  }
  const Mesh mesh = b.Finish();
  ASSERT_EQ(mesh.runs.size(), 5u);
  EXPECT_TRUE(mesh.runs[0].opaque);
  EXPECT_FALSE(mesh.runs[1].opaque);
  EXPECT_FLOAT_EQ(mesh.runs[2].specular[0], 0.9f);
  EXPECT_EQ(mesh.runs[4].picture, 2);
}

TEST(MeshBuilder, NestedRenormalisationEndsWithTheOuterScope) {
  MeshBuilder b;
  emit::BuildInto into(b);
  {
    NormalizeScope outer(true);
    { NormalizeScope inner(true); }
    EXPECT_TRUE(b.normalize());
  }
  EXPECT_FALSE(b.normalize());
}

TEST(MeshPick, TheRegionIsThePickSquareThroughTheVolume) {
  // Identity clip: a 100-pixel viewport spans -1..1, one pixel is 0.02.
  PickRegion r;
  for (int k = 0; k < 4; ++k) r.clip[k * 5] = 1.0;
  r.viewport[2] = r.viewport[3] = 100;
  r.x = r.y = 50.0;
  struct Case {
    const char* what;
    Prim prim;
    std::vector<std::array<float, 3>> at;
    double depth;  // -1: no hit
  };
  const Case cases[] = {
      {"triangle over the pointer", Prim::Triangles, {{-1, -1, 0.2f}, {1, -1, 0.2f}, {0, 1, 0.2f}}, 0.6},
      {"triangle beside it", Prim::Triangles, {{0.5f, 0, 0}, {0.9f, 0, 0}, {0.7f, 0.5f, 0}}, -1},
      {"sliver through the near plane", Prim::Triangles, {{0, -0.01f, -3}, {0.01f, 0.01f, 3}, {-0.01f, 0.01f, 3}}, 0.0},
      {"line a pixel away", Prim::Lines, {{-1, 0.02f, 0.4f}, {1, 0.02f, 0.4f}}, 0.7},
      {"line three pixels away", Prim::Lines, {{-1, 0.06f, 0}, {1, 0.06f, 0}}, -1},
      {"line beyond the far plane", Prim::Lines, {{-1, 0, 1.5f}, {1, 0, 1.5f}}, -1},
      {"point inside", Prim::Points, {{0.01f, -0.01f, -0.5f}}, 0.25},
      {"point outside", Prim::Points, {{0.04f, 0, 0}}, -1},
      {"line ending at the pointer", Prim::Lines, {{-1, 0, 0.8f}, {0, 0, -0.2f}}, 0.4},
  };
  for (const Case& c : cases) {
    MeshBuilder b;
    b.Begin(c.prim);
    for (const auto& p : c.at) b.Vertex(p[0], p[1], p[2]);
    b.End();
    const Mesh m = b.Finish();
    EXPECT_NEAR(PickDepth(m, r), c.depth, 1e-6) << c.what;
    // The same pixel of a viewport that starts elsewhere.
    PickRegion moved = r;
    moved.viewport[0] = 10, moved.viewport[1] = 20;
    moved.x += 10, moved.y += 20;
    EXPECT_NEAR(PickDepth(m, moved), c.depth, 1e-6) << c.what << " (viewport at 10, 20)";
  }
}

}  // namespace
