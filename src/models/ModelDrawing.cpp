#include "models/ModelDrawing.h"

#include <algorithm>

#include "mesh/Emit.h"
#include "models/ModelLibrary.h"
#include "objects/Rgb.h"
#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"

namespace {

void FailedBox() {
  const double h = kFailedModelHalfSide;
  emit::SetLineWidth(2.0f);
  SceneObject red = ZeroRecord();
  red.clFrame = 0x0000FF;
  ApplyObjectColor(true, red);
  emit::Begin(Prim::Lines);
  // The twelve edges of the cube, each as the corners that differ in one axis.
  for (int axis = 0; axis < 3; ++axis)
    for (int a = 0; a < 2; ++a)
      for (int b = 0; b < 2; ++b) {
        double p[3], q[3];
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        p[axis] = -h, q[axis] = h;
        p[u] = q[u] = a ? h : -h;
        p[v] = q[v] = b ? h : -h;
        emit::Vertex(static_cast<float>(p[0]), static_cast<float>(p[1] + h), static_cast<float>(p[2]));
        emit::Vertex(static_cast<float>(q[0]), static_cast<float>(q[1] + h), static_cast<float>(q[2]));
      }
  emit::End();
}

Color ToColor(const float rgba[4]) {
  auto byte = [](float f) { return static_cast<Color>(std::clamp(f, 0.0f, 1.0f) * 255.0f + 0.5f); };
  return byte(rgba[0]) | (byte(rgba[1]) << 8) | (byte(rgba[2]) << 16);
}

}  // namespace

ModelOptions ModelOptionsOf(const SceneObject& rec) {
  ModelOptions o;
  o.unit = rec.Opt[0] >= 0 && rec.Opt[0] <= 2 ? rec.Opt[0] : 0;
  o.up = rec.Opt[1] >= 0 && rec.Opt[1] <= 2 ? rec.Opt[1] : 0;
  o.resolution = rec.Reso;
  return o;
}

uint32_t ModelStamp() {
  return static_cast<uint32_t>(ModelLibrary::Shared().Generation());
}

void DrawModel(const SceneObject& rec) {
  if (rec.Text.empty()) return;
  const ModelState st = ModelLibrary::Shared().Find(rec.Text, ModelOptionsOf(rec));
  if (st.kind == ModelState::Kind::Loading) return;
  ShapeFrame frame(rec, RotationOrder::A);
  if (st.kind == ModelState::Kind::Failed || !st.data) {
    FailedBox();
    return;
  }
  const ModelData& m = *st.data;
  // The record's scale along its X, Y, Z (GL x, z, y), then the file's
  // scene axes into GL order: (x, y, z) to (x, z, y).
  NormalizeScope unit(true);
  emit::Scale(rec.W, rec.H, rec.D);
  emit::Scale(1.0f, 1.0f, -1.0f);
  emit::Rotate(-90.0f, 1.0f, 0.0f, 0.0f);
  MeshBuilder& out = emit::Out();
  if (rec.Fill) {
    std::vector<uint32_t> local;
    for (const ModelPart& part : m.parts) {
      if (part.hasColor && rec.Opt[2] == 0) {
        SceneObject own = rec;
        own.ColorTex.ClTex = false;
        own.clFill = ToColor(part.rgba);
        own.Trans = rec.Trans * part.rgba[3];
        ApplyFillColor(own);
      } else {
        ApplyFillColor(rec);
      }
      local.assign(m.triangles.begin() + part.firstIndex, m.triangles.begin() + part.firstIndex + part.indexCount);
      for (uint32_t& i : local) i -= part.firstCorner;
      out.IndexedTriangles(&m.positions[3 * size_t(part.firstCorner)], &m.normals[3 * size_t(part.firstCorner)],
                           part.cornerCount, local.data(), local.size());
    }
  }
  if (rec.Frame && !m.edges.empty()) {
    ApplyObjectColor(true, rec);
    out.IndexedLines(m.edgeCorners.data(), m.edgeCorners.size() / 3, m.edges.data(), m.edges.size());
  }
}
