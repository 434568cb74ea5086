#include "ShapeTestSupport.h"


#include <algorithm>
#include <cstring>
#include <memory>

#include "mesh/Emit.h"
#include "render/MeshDraw.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "support/GlFixture.h"

SceneObject SampleShape(int32_t shp) {
  SceneObject o;
  o.Enbl = true;
  o.Shp = shp;
  o.Fill = true;
  o.Frame = true;
  o.clFrame = 0x000000;
  switch (shp) {
    case 1:  // Dot
      o.clFill = 0x0000C0;
      break;
    case 2:  // Line from one corner to the other
      o.X = -0.6f, o.Y = -0.3f, o.Z = -0.5f;
      o.W = 1.2f, o.D = 0.6f, o.H = 1.0f;
      o.R = 3.0f;
      o.clFill = 0x2020C0;
      break;
    case 3:  // Plane
      o.W = 1.6f, o.D = 1.2f;
      o.clFill = 0x40A0E0;
      break;
    case 4:  // Cube
      o.W = o.D = o.H = 1.2f;
      o.clFill = 0x3080F0;
      break;
    case 5:  // Trapezoid, wider at the bottom
      o.W = 0.8f, o.D = 1.0f, o.H = 1.0f;
      o.size[0] = 1.6f;
      o.clFill = 0x30C0F0;
      break;
    case 6:  // TrianglePrism
      o.W = 1.4f, o.D = 1.2f, o.H = 1.2f;
      o.Z = -0.6f;
      o.clFill = 0x60E0A0;
      break;
    case 7:  // Circle, a sector
      o.R = 0.9f;
      o.size[0] = 30.0f, o.size[1] = 300.0f;
      o.clFill = 0x40D040;
      break;
    case 8:  // Cylinder
      o.R = 0.6f, o.H = 1.2f;
      o.Z = -0.6f;
      o.clFill = 0xC0C040;
      break;
    case 9:  // Ball
      o.R = o.R2 = 0.8f;
      o.clFill = 0xE08040;
      break;
    case 10:  // Cone
      o.R = 0.7f, o.H = 1.4f;
      o.Z = -0.7f;
      o.clFill = 0xE04060;
      break;
    case 11:  // BevelCube
      o.W = 1.4f, o.D = 1.4f, o.H = 1.0f, o.R = 0.3f;
      o.clFill = 0xC040C0;
      break;
    case 12:  // Oval
      o.W = 1.2f, o.R = 0.45f, o.H = 0.5f;
      o.clFill = 0x8040E0;
      break;
    case 20: {  // ConstCylinder with a turned profile
      o.Opt[0] = 5;
      o.Sub = std::make_shared<const std::vector<float>>(std::vector<float>{0.6f, 0.4f, 0.55f, 0.3f, 0.45f});
      o.H = 1.4f;
      o.Z = -0.7f;
      o.clFill = 0x4060E0;
      break;
    }
    case 21:  // Belt lying flat
      o.Dir = 1;
      o.R = 0.4f, o.D = 2.0f, o.W = 0.5f;
      o.clFill = 0x606060;
      break;
    case 22:  // Ring, three quarters
      o.W = 1.8f, o.R = 0.5f, o.H = 0.4f;
      o.size[0] = 0.0f, o.size[1] = 270.0f;
      o.clFill = 0x20A0E0;
      break;
    case 23:  // RingRect
      o.W = 1.8f, o.D = 0.9f, o.H = 0.4f;
      o.clFill = 0xA0E020;
      break;
    case 24:  // RoundRect frame with a rounded opening
      o.W = 1.8f, o.D = 1.0f, o.H = 0.4f, o.R = 0.3f, o.R2 = 0.2f;
      o.Opt[0] = 1;
      o.clFill = 0xE0A020;
      break;
    case 25:  // SquareCylinder
      o.W = 1.4f, o.H = 1.0f, o.R = 0.45f;
      o.clFill = 0x20E0E0;
      break;
    case 26:  // PunchCube
      o.W = 1.4f, o.D = 1.4f, o.H = 1.0f, o.R = 0.25f;
      o.clFill = 0xE02020;
      break;
    case 27:  // Capsule
      o.W = 1.2f, o.R = 0.4f;
      o.clFill = 0x20C0C0;
      break;
    case 28:  // CubeCylinder with its hole off centre
      o.W = 1.6f, o.D = 1.2f, o.H = 0.8f, o.R = 0.35f;
      o.size[0] = 0.3f;
      o.clFill = 0xC08020;
      break;
    default:
      break;
  }
  return o;
}


namespace {

// What draw builds, as the primitives feedback would report without
// lights: triangles as polygons, each line segment starting afresh, points;
// colours as the vertices carry them.
std::vector<ObjPrimitive> FromMesh(const std::function<void()>& draw) {
  BuildInputs in = CurrentBuildInputs();
  in.lit = false;
  MeshBuilder b(in);
  {
    emit::BuildInto into(b);
    draw();
  }
  std::vector<ObjPrimitive> out;
  for (const MeshRun& run : b.Finish().runs) {
    const size_t per = run.kind == RunKind::Triangles ? 3 : run.kind == RunKind::Lines ? 2 : 1;
    const FeedbackPrimitive::Kind kind = run.kind == RunKind::Triangles ? FeedbackPrimitive::Polygon
                                         : run.kind == RunKind::Lines   ? FeedbackPrimitive::LineReset
                                                                        : FeedbackPrimitive::Point;
    for (size_t i = 0; i + per <= run.indices.size(); i += per) {
      ObjPrimitive o{kind, {}};
      for (size_t k = 0; k < per; ++k) {
        const MeshVertex& v = run.vertices[run.indices[i + k]];
        o.v.push_back(ObjVertex{v.p[0], v.p[1], v.p[2], v.c[0], v.c[1], v.c[2], v.c[3]});
      }
      out.push_back(std::move(o));
    }
  }
  return out;
}

}  // namespace

std::vector<ObjPrimitive> CaptureObjectSpace(const std::function<void()>& draw, size_t bufferFloats,
                                             bool* overflow) {
  // Without lights what is drawn is the mesh itself: read it (unless draw
  // draws by itself, building nothing here).
  if (!AnyLightEnabled()) {
    std::vector<ObjPrimitive> built = FromMesh(draw);
    if (!built.empty()) {
      if (overflow) *overflow = false;
      return built;
    }
  }
  KeepGlDriverLoaded();
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-4.0, 4.0, -3.0, 3.0, -10.0, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const std::vector<FeedbackPrimitive> prims = CaptureFeedback(draw, bufferFloats, overflow);
  std::vector<ObjPrimitive> out;
  out.reserve(prims.size());
  for (const FeedbackPrimitive& p : prims) {
    ObjPrimitive o{p.kind, {}};
    o.v.reserve(p.v.size());
    for (const FeedbackVertex& v : p.v) {
      const ObjPoint q = UnProject(v);
      o.v.push_back(ObjVertex{q.x, q.y, q.z, v.r, v.g, v.b, v.a});
    }
    out.push_back(std::move(o));
  }
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(static_cast<GLenum>(mode));
  return out;
}

std::vector<ObjVertex> VerticesOf(const std::vector<ObjPrimitive>& prims, FeedbackPrimitive::Kind kind) {
  std::vector<ObjVertex> out;
  for (const ObjPrimitive& p : prims) {
    const bool match =
        p.kind == kind || (kind == FeedbackPrimitive::Line && p.kind == FeedbackPrimitive::LineReset);
    if (match) out.insert(out.end(), p.v.begin(), p.v.end());
  }
  return out;
}

Extent ExtentOf(const std::vector<ObjVertex>& v) {
  Extent e;
  for (const ObjVertex& p : v) {
    const double c[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) {
      e.lo[k] = std::min(e.lo[k], c[k]);
      e.hi[k] = std::max(e.hi[k], c[k]);
    }
  }
  return e;
}

SceneObject Plain(int32_t shp) {
  SceneObject o;
  o.Shp = shp;
  o.Fill = true;
  o.Frame = false;
  return o;
}

void ProbeLight(double x, double y, double z) {
  ResetLights();
  SetLightPosition(0, float(x), float(z), float(y), 0.0f);  // scene order X, Y, Z
  SetLightLevels(0, 0xFFFFFF, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f);
  SetLightEnabled(0, true);
}
