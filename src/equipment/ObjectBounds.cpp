#include "equipment/ObjectBounds.h"

#include "models/ModelDrawing.h"
#include "models/ModelLibrary.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "equipment/EquipmentPieces.h"
#include "mesh/Mesh.h"
#include "objects/Placement.h"
#include "objects/FrameSteps.h"

namespace {

// The round kinds draw their outlines this far off the surface; boxes do
// it by 0.0001. Every box is widened by this much and a little relative
// slack, so float rounding in GL never puts a vertex outside.
constexpr double kLift = 0.001;
constexpr double kPad = 0.002;
constexpr double kRelativePad = 1e-5;

double A(double v) {
  return std::fabs(v);
}

// The box of one object in its own frame (GL order), with an optional
// tighter sphere, and the turns that place it.
struct Local {
  double lo[3] = {0, 0, 0};
  double hi[3] = {0, 0, 0};
  bool sphere = false;  // when set, sc/sr is a tighter sphere than the box
  double sc[3] = {0, 0, 0};
  double sr = 0.0;
  bool nothing = false;
};

Local Symmetric(double ex, double ey, double ez) {
  Local l;
  const double e[3] = {A(ex), A(ey), A(ez)};
  for (int k = 0; k < 3; ++k) {
    l.lo[k] = -e[k];
    l.hi[k] = e[k];
  }
  return l;
}

// A symmetric box whose vertical range runs from a to b (either order).
Local Upright(double ex, double a, double b, double ez) {
  Local l = Symmetric(ex, 0.0, ez);
  l.lo[1] = std::min(a, b);
  l.hi[1] = std::max(a, b);
  return l;
}

void SetSphere(Local& l, double cx, double cy, double cz, double r) {
  l.sphere = true;
  l.sc[0] = cx;
  l.sc[1] = cy;
  l.sc[2] = cz;
  l.sr = A(r);
}

Local Nothing() {
  Local l;
  l.nothing = true;
  return l;
}

enum class Order { A, B, None };

// The turn of the record's frame as the drawing applies it: the record's
// frame steps, followed as arithmetic (its m alone is used).
Placement Rotation(const SceneObject& o, Order order) {
  Placement p;
  if (order != Order::None) p.Apply(RecordFrame(o, order == Order::A ? RotationOrder::A : RotationOrder::B));
  return p;
}

// --- The primitive kinds -------------------------------------------------

Local RoundUpright(double r, double y0, double y1) {
  const double e = A(r) + kLift;
  Local l = Upright(e, y0, y1, e);
  SetSphere(l, 0.0, (y0 + y1) / 2.0, 0.0, std::hypot(e, (y1 - y0) / 2.0));
  return l;
}

Local PrimitiveBox(const SceneObject& o, bool* known) {
  *known = true;
  const double hw = o.W / 2.0, hh = o.H / 2.0, hd = o.D / 2.0;
  switch (o.Shp) {
    case ShapeKind::Dot:
      return Symmetric(0, 0, 0);
    case ShapeKind::Line: {
      Local l;
      const double p[3] = {o.W, o.H, o.D};
      for (int k = 0; k < 3; ++k) {
        l.lo[k] = std::min(0.0, p[k]);
        l.hi[k] = std::max(0.0, p[k]);
      }
      return l;
    }
    case ShapeKind::Plane:
      switch (o.Dir) {
        case 0:
        case 1:
          return Symmetric(hw, 0, hd);
        case 2:
        case 3:
          return Symmetric(hw, hh, 0);
        case 4:
        case 5:
          return Symmetric(0, hh, hd);
        default:
          return Nothing();
      }
    case ShapeKind::Cube:
      return Symmetric(A(hw) + 0.0001, A(hh) + 0.0001, A(hd) + 0.0001);
    case ShapeKind::Trapezoid:
      return Symmetric(std::max(A(hw), A(o.size[0] / 2.0)) + 0.0001, A(hh) + 0.0001, A(hd));
    case ShapeKind::TrianglePrism:
      return Upright(hw, 0.0, o.H, hd);
    case ShapeKind::BevelCube: {
      const double c = o.R;
      return Symmetric(std::max(A(hw), A(hw - c)), hh, std::max(A(hd), A(hd - c)));
    }
    case ShapeKind::PunchCube: {
      const double r = o.R;
      auto ext = [&](double h, double full) {
        return std::max({A(h), A(h - r), A(h - r / 2.0) + A(r / 2.0), A(full - 2.0 * r) / 2.0 + 0.0001});
      };
      return Symmetric(ext(hw, o.W), hh, ext(hd, o.D));
    }
    case ShapeKind::Circle: {
      const double e = A(o.R) + kLift;
      Local l = Symmetric(e, 0, e);
      // A disc (not the corner mode, which fills out to the square).
      if (o.Opt[0] != 1) SetSphere(l, 0, 0, 0, e);
      return l;
    }
    case ShapeKind::Cylinder: {
      const double rt = (o.Opt[0] == 1 && o.R2 != 0.0f) ? o.R2 : o.R;
      const double k = (o.size[0] == 0.0f || o.size[1] == 0.0f || o.size[0] == o.size[1])
                           ? 1.0
                           : double(o.size[1]) / o.size[0];
      const double r = std::max(A(o.R), A(rt)) + kLift;
      Local l = Upright(r, 0.0, o.H, r * A(k));
      SetSphere(l, 0, o.H / 2.0, 0, std::hypot(r * std::max(1.0, A(k)), o.H / 2.0));
      return l;
    }
    case ShapeKind::Ball: {
      const double r2 = o.R2 == 0.0f ? o.R : o.R2;
      Local l = Symmetric(A(o.R) + kLift, A(o.R) + kLift, A(r2) + kLift);
      SetSphere(l, 0, 0, 0, std::max(A(o.R), A(r2)) + kLift);
      return l;
    }
    case ShapeKind::Cone:
      return RoundUpright(o.R, 0.0, o.H);
    case ShapeKind::Oval: {
      const double r = std::max({A(o.R), A(o.R2), A(o.size[2]), A(o.size[3])}) + kLift;
      return Symmetric(A(hw) + r, hh, r);
    }
    case ShapeKind::ConstCylinder: {
      const int n = o.Opt[0];
      if (n < 1 || !o.Sub || o.Sub->size() < static_cast<size_t>(n)) return Nothing();
      double r = 0.0;
      for (int j = 0; j < n; ++j) r = std::max(r, A((*o.Sub)[static_cast<size_t>(j)]));
      return RoundUpright(r, 0.0, o.H);
    }
    case ShapeKind::Belt: {
      const double r = A(o.R) + kLift, path = A((o.D - o.R) / 2.0) + r;
      // As the drawing stands it: across the width (0, 4, 5), flat (1), or
      // across the depth (2, 3); beyond 5 nothing is drawn.
      if (o.Dir == 0 || o.Dir == 4 || o.Dir == 5) return Symmetric(hw, path, r);
      if (o.Dir == 1) return Symmetric(path, hw, r);
      if (o.Dir == 2 || o.Dir == 3) return Symmetric(path, r, hw);
      return Nothing();
    }
    case ShapeKind::Ring: {
      const double r = std::max(A(hw), A(o.R)) + kLift;
      Local l = Symmetric(r, hh, r);
      SetSphere(l, 0, 0, 0, std::hypot(r, hh));
      return l;
    }
    case ShapeKind::RingRect: {
      const double r = std::max(A(hw), A(hd)) + kLift;
      Local l = Symmetric(r, hh, r);
      SetSphere(l, 0, 0, 0, std::hypot(r, hh));
      return l;
    }
    case ShapeKind::RoundRect: {
      const bool own = o.Opt[1] == 1;
      const double ow = hw, od = (own ? o.size[0] : o.W) / 2.0;
      const double iw = o.D / 2.0, id = (own ? o.size[1] : o.D) / 2.0;
      auto ext = [](double h, double r) { return std::max(A(h), A(h - r) + A(r)); };
      double ex = ext(ow, o.R), ez = ext(od, o.R);
      if (o.Opt[0] == 1) {
        ex = std::max(ex, ext(iw, o.R2));
        ez = std::max(ez, ext(id, o.R2));
      }
      return Symmetric(ex + kLift, hh, ez + kLift);
    }
    case ShapeKind::SquareCylinder: {
      const double e = std::max(A(hw), A(o.R)) + kLift;
      return Symmetric(e, hh, e);
    }
    case ShapeKind::CubeCylinder: {
      const double r = o.R;
      return Symmetric(std::max(A(hw), A(hw - r) + A(r)) + kLift, hh, std::max(A(hd), A(hd - r) + A(r)) + kLift);
    }
    case ShapeKind::Capsule: {
      const double r = A(o.R) + kLift;
      Local l = Symmetric(A(hw) + r, r, r);
      SetSphere(l, 0, 0, 0, A(hw) + r);
      return l;
    }
    default:
      *known = false;
      return Nothing();
  }
}

Order PrimitiveOrder(int32_t shp) {
  switch (shp) {
    case ShapeKind::Dot:
      return Order::None;
    case ShapeKind::Ball:
    case ShapeKind::Cone:
    case ShapeKind::Oval:
    case ShapeKind::ConstCylinder:
    case ShapeKind::Belt:
      return Order::B;
    default:
      return Order::A;
  }
}

// --- Composite parts -----------------------------------------------------
//
// Each box sums the magnitudes of the sizes that place a piece along each
// axis of the part's frame (scene x across, y along, z up), so a record of
// any signs and proportions stays inside; the extra constants are the
// parts' fixed plate thicknesses and pipe bends.

Local PartBox(double ex, double ey, double ez) {
  // Scene (x, y, z) to GL (x, z, y).
  return Symmetric(ex + kPad, ez + kPad, ey + kPad);
}

Local CompositeBox(const SceneObject& o) {
  const double W = A(o.W), D = A(o.D), H = A(o.H), R = A(o.R), R2 = A(o.R2);
  double s[10];
  for (int k = 0; k < 10; ++k) s[k] = A(o.size[k]);
  switch (o.Shp) {
    case 100:  // Drum
      return PartBox(0.6 * s[0] + 0.5 * W + 0.03, 0.5 * D + R + 0.5 * s[0] + 0.02, 2.4 * R + 0.04);
    case 101:  // StudBolt
      return PartBox(R + 2.0 * s[0] + kLift, R + 2.0 * s[0] + kLift, H + 2.0 * s[1]);
    case 102:  // ThreadedRod
      return PartBox(R + R2 + kLift, 0.5 * D + 0.5 * s[0] + 0.5 * s[1], R + R2 + kLift);
    case 103:  // CollarShaft
      return PartBox(R + R2 + s[3] + kLift, 0.5 * D + s[0] + s[1] + s[2], R + R2 + s[3] + kLift);
    case 104:  // RectFrame
      return PartBox(0.5 * W + s[0] + 2.0 * s[1], 0.5 * D + s[0] + s[2], 0.5 * H + s[0] + 2.0 * s[1]);
    case 105:  // ValveBlock
      return PartBox(0.5 * W + 0.5 * s[0] + s[4] + R + 1.3 * R2 + kLift, 0.5 * D + R + 1.3 * R2 + kLift,
                     0.5 * H + 1.5 * s[1] + R + s[5] + kLift);
    case 106:  // PumpUnit
      return PartBox(0.5 * W + s[0] + s[1] + 0.5 * s[4] + s[6] + 1.4 * R2 + kLift,
                     R + 0.5 * D + 2.2 * R2 + kLift, R + H + s[3] + s[2] + s[7] + 2.0 * R2 + kLift);
    case 107:  // StackedUnit
      return PartBox(0.5 * s[0] + 1.5 * s[2] + 0.5 * W + 2.0 * R2 + kLift, R + 0.75 * D + 2.0 * R2 + kLift,
                     2.0 * R + 2.0 * H + s[1] + kLift);
    case 108:  // PipeStand
    case 111:  // PipeRiser
      return PartBox(0.5 * W + 0.5 * s[0] + 3.0 * R + 2.2 * R2 + s[3] + kLift,
                     0.5 * D + 1.8 * R + 2.2 * R2 + s[3] + R2 + kLift,
                     H + 2.0 * s[2] + s[1] + s[3] + 2.0 * R2 + 1.8 * R + kLift);
    case 109: {  // ModuleRow: runs along +x from the point
      const double n = RepeatCount(o.Opt[0]);
      return PartBox(2.0 * s[0] + s[3] + n * W + 0.001, D + s[1] + s[4] + s[8] + R + R2,
                     H + s[7] + s[2] + s[5] + R + R2 + kLift);
    }
    case 110:  // RollerShaft
      return PartBox(0.5 * W + s[1] + s[2], R + R2 + s[0] + s[3] + kLift, R + R2 + s[0] + s[3] + kLift);
    case 112:  // RingBlock
      return PartBox(0.5 * W + s[0], 0.5 * D + R + kLift, 0.5 * H + R + kLift);
    case 113:  // GaugeValve
      return PartBox(0.5 * W + R + 0.75 * s[1] + R2 + s[2] + kLift, 1.5 * D + s[3] + R + 2.0 * R2 + s[2] + kLift,
                     1.5 * H + s[0] + R + 2.0 * R2 + s[2] + kLift);
    case 114: {  // HexStud
      const double e = R + s[3] + R2 + kLift;
      return PartBox(e, e, s[0] + 3.0 * s[4] + s[1] + s[5]);
    }
    case 115: {  // Connector, drawn at its natural size and scaled
      const double scale = o.size[0] == 0.0f ? 1.0 : s[0];
      const double bodyW = std::max(RepeatCount(o.Opt[0]), 1) * 0.0028 + 0.006;
      return PartBox(scale * (bodyW / 2.0 + 0.011), scale * 0.046, scale * 0.012);
    }
    case 116:  // Clevis
      return PartBox(0.5 * W + s[0] + 0.001, 0.5 * D + s[1] + kLift, 0.5 * H + s[2] + 1.5 * s[1] + kLift);
    case 117: {  // TerminalStrip
      const double spread = o.W < 0.08f ? 0.08 : 0.0;
      return PartBox(0.5 * W + s[1] + 2.0 * R + spread + 0.002 + kLift, 0.5 * (D + s[2] + s[4]) + R + kLift,
                     0.002 + H + s[3] + s[5] + R + kLift);
    }
    case 130:  // LevelRack
      return PartBox(0.5 * W + kLift, 0.5 * D + 0.12 * W + kLift, 1.1 * H);
    case 132: {  // OpenBox
      const double t = o.size[0] > 0.0f ? s[0] : W / 40.0;
      const double door = o.size[1] > 0.0f ? s[1] : t;
      return PartBox(0.6 * W + H / 12.0 + t + kLift, 0.5 * D + t + door + H / 24.0 + kLift, 1.1 * H + t);
    }
    case 133: {  // AngleProfile
      const double cross = W + H + R;
      if (o.Dir == 1) return PartBox(D, cross, cross);
      if (o.Dir == 2) return PartBox(cross, cross, D);
      return PartBox(cross, D, cross);
    }
    default:
      return Nothing();
  }
}

// --- Wafers, robots and block text ---------------------------------------

// A line of n block-text characters of size s about its point: every
// direction keeps within this many units of it.
double TextReach(size_t n, double s) {
  return (0.25 * static_cast<double>(n) + 0.2) * A(s);
}

size_t DigitsOf(int16_t id) {
  return std::to_string(id).size();
}

Local WaferBox(const SceneObject& o) {
  const double r = A(o.R) + 0.0001 + kLift;
  Local l = Symmetric(r, 0.0001, r);
  if (o.Opt[1] == 1 && o.ID[0] != 0) {
    const float s8 = o.size[8] == 0.0f ? 1.0f : o.size[8];
    const float s9 = o.size[9] == 0.0f ? 1.0f : o.size[9];
    const double cs = 0.3 * double(s8) / double(s9);
    const double reach = A(o.size[0]) + A(o.size[2]) + TextReach(DigitsOf(o.ID[0]), cs);
    l = Symmetric(std::max(r, reach), std::max(0.0001, reach), std::max(r, reach));
  }
  return l;
}

// Robots stay within a cylinder about their column: the arms and hands
// reach at most 0.8 of the unscaled frame, the column stands 0.27 tall and
// the arm unit rides Z above it. The IDs of carried wafers add a fixed bit.
// A model's box from its file once it is read; a model still loading is
// anywhere (drawn, so that it is built as soon as it is there), and one
// refused is its red box.
Local ModelBox(const SceneObject& o, bool* bounded) {
  if (o.Text.empty()) return Nothing();
  const ModelState st = ModelLibrary::Shared().Find(o.Text, ModelOptionsOf(o));
  if (st.kind == ModelState::Kind::Loading) {
    *bounded = false;
    return Local{};
  }
  if (st.kind == ModelState::Kind::Failed || !st.data) {
    const double h = kFailedModelHalfSide;
    return Upright(h, 0.0, 2.0 * h, h);
  }
  // Scene (x, y, z) of the file to the record's GL order (x, z, y), scaled.
  const ModelData& m = *st.data;
  Local l;
  const int from[3] = {0, 2, 1};
  const double scale[3] = {o.W, o.H, o.D};
  for (int k = 0; k < 3; ++k) {
    const double a = m.lo[from[k]] * scale[k], b = m.hi[from[k]] * scale[k];
    l.lo[k] = std::min(a, b);
    l.hi[k] = std::max(a, b);
  }
  return l;
}

Local RobotBox(const SceneObject& o) {
  const double scale = A(o.size[9]);
  const double lift = A(o.size[2]);
  const double reach = 0.85 * scale + 0.2;
  const double top = (lift + 0.4) * scale + 0.1;
  return Upright(reach, -top, top, reach);
}

}  // namespace

ObjectBounds BoundsOf(const SceneObject& obj) {
  ObjectBounds b;
  Local l;
  Order order = Order::A;
  double t[3] = {obj.X, obj.Z, obj.Y};
  bool known = false;
  l = PrimitiveBox(obj, &known);
  if (known) {
    order = PrimitiveOrder(obj.Shp);
    if (obj.Shp == ShapeKind::Line) b.linePixels = obj.R > 0.0f ? std::min(obj.R, 1000.0f) : 1.0f;
  } else if (obj.Shp == ShapeKind::BlockText) {
    const double e = TextReach(obj.Text.size(), obj.size[1]);
    l = Symmetric(e, e, e);
    SetSphere(l, 0, 0, 0, e);
    const float w = obj.size[0];
    b.linePixels = w > 1.0f ? std::min(w, 1000.0f) : 1.0f;
  } else if (obj.Shp == ShapeKind::Model) {
    bool bounded = true;
    l = ModelBox(obj, &bounded);
    b.linePixels = 2.0f;
    if (!bounded) {
      b.bounded = false;
      return b;
    }
  } else if (obj.Shp == ShapeKind::Wafer) {
    l = WaferBox(obj);
    b.linePixels = 2.0f;
  } else if ((obj.Shp >= ShapeKind::FirstComposite && obj.Shp <= ShapeKind::LastComposite) ||
             obj.Shp == ShapeKind::Part130 || obj.Shp == ShapeKind::Part132 || obj.Shp == ShapeKind::Part133) {
    l = CompositeBox(obj);
    order = Order::B;
  } else if (ShapeKind::IsTransferRobot(obj.Shp)) {
    l = RobotBox(obj);
    // Turned about the vertical only, and the box is round about it.
    order = Order::None;
    const float x = obj.size[4];
    t[0] = double(obj.X) + (std::isfinite(x) ? double(x) : 0.0);
    b.linePixels = 2.0f;
  } else {
    l = Nothing();
  }

  if (l.nothing) {
    b.drawsNothing = true;
    return b;
  }

  // Rounding slack grows with the size and the distance from the origin.
  double size = 0.0;
  for (int k = 0; k < 3; ++k) size = std::max({size, A(l.lo[k]), A(l.hi[k]), A(t[k])});
  const double pad = kPad + kRelativePad * size;
  for (int k = 0; k < 3; ++k) {
    l.lo[k] -= pad;
    l.hi[k] += pad;
  }

  const Placement rot = Rotation(obj, order);
  auto place = [&](const double p[3], double out[3]) {
    for (int i = 0; i < 3; ++i) out[i] = t[i] + rot.m[i][0] * p[0] + rot.m[i][1] * p[1] + rot.m[i][2] * p[2];
  };
  for (int k = 0; k < 3; ++k) {
    b.lo[k] = 1e300;
    b.hi[k] = -1e300;
  }
  for (int c = 0; c < 8; ++c) {
    const double p[3] = {(c & 1) ? l.hi[0] : l.lo[0], (c & 2) ? l.hi[1] : l.lo[1], (c & 4) ? l.hi[2] : l.lo[2]};
    place(p, b.corner[c]);
    for (int k = 0; k < 3; ++k) {
      b.lo[k] = std::min(b.lo[k], b.corner[c][k]);
      b.hi[k] = std::max(b.hi[k], b.corner[c][k]);
    }
  }
  // The box's own sphere, or the kind's tighter one.
  double mid[3], half = 0.0;
  for (int k = 0; k < 3; ++k) {
    mid[k] = (l.lo[k] + l.hi[k]) / 2.0;
    half += (l.hi[k] - l.lo[k]) * (l.hi[k] - l.lo[k]) / 4.0;
  }
  half = std::sqrt(half);
  if (l.sphere && l.sr + pad < half) {
    place(l.sc, b.centre);
    b.radius = l.sr + pad;
  } else {
    place(mid, b.centre);
    b.radius = half;
  }

  bool finite = std::isfinite(b.radius);
  for (int k = 0; k < 3; ++k)
    finite = finite && std::isfinite(b.centre[k]) && std::isfinite(b.lo[k]) && std::isfinite(b.hi[k]);
  if (!finite) b.bounded = false;
  return b;
}

ObjectBounds BoundsOfMesh(const Mesh& m) {
  ObjectBounds b;
  float lo[3], hi[3];
  if (!m.Bounds(lo, hi)) {
    b.drawsNothing = true;
    return b;
  }
  double r2 = 0.0;
  for (int k = 0; k < 3; ++k) {
    if (!std::isfinite(lo[k]) || !std::isfinite(hi[k])) b.bounded = false;
    b.lo[k] = lo[k];
    b.hi[k] = hi[k];
    b.centre[k] = (b.lo[k] + b.hi[k]) / 2.0;
    r2 += (b.hi[k] - b.centre[k]) * (b.hi[k] - b.centre[k]);
  }
  b.radius = std::sqrt(r2);
  for (int c = 0; c < 8; ++c)
    for (int k = 0; k < 3; ++k) b.corner[c][k] = (c >> k & 1) ? b.hi[k] : b.lo[k];
  for (const MeshRun& run : m.runs)
    if (run.kind == RunKind::Lines) b.linePixels = std::max(b.linePixels, std::min(run.lineWidth, 1000.0f));
  return b;
}
