#include "render/ViewFit.h"

#include <algorithm>
#include <cmath>

#include "arm/ToolPoint.h"
#include "equipment/ObjectBounds.h"
#include "equipment/ObjectDrawing.h"
#include "render/GlHeaders.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// The perspective projection's vertical opening (degrees) and near plane,
// and where the camera stands before the zoom (RenderContext, Camera).
constexpr double kFovY = 15.0;
constexpr double kNear = 1.0;
constexpr double kEyeZ = 3.0;

// A ball turned into the camera's axes: x right, y up, z towards the eye.
struct ViewBall {
  double x, y, z, r;
};

std::vector<ViewBall> Turn(const ViewSettings& v, const std::vector<BoundSphere>& balls) {
  const double az = v.angleZ * kPi / 180.0, ax = v.angleX * kPi / 180.0;
  const double cz = std::cos(az), sz = std::sin(az), cx = std::cos(ax), sx = std::sin(ax);
  std::vector<ViewBall> out;
  out.reserve(balls.size());
  for (const BoundSphere& b : balls) {
    if (!std::isfinite(b.center[0]) || !std::isfinite(b.center[1]) || !std::isfinite(b.center[2]) ||
        !std::isfinite(b.radius))
      continue;
    // GL order: scene X, Z, Y. Turned about the vertical by angle Z, then
    // about x by angle X, as the camera does.
    const double gx = b.center[0], gy = b.center[2], gz = b.center[1];
    const double x1 = gx * cz + gz * sz, z1 = -gx * sz + gz * cz;
    const double y2 = gy * cx - z1 * sx, z2 = gy * sx + z1 * cx;
    out.push_back({x1, y2, z2, std::max(0.0, b.radius)});
  }
  return out;
}

// The shift along one screen axis that gives the most room, for a
// condition room_i - |p_i + t| * k >= 0 per ball: a concave function of t,
// maximised by ternary search. Returns the shift; best holds the room.
template <typename RoomOf>
double BestShift(const std::vector<ViewBall>& balls, double (*coord)(const ViewBall&), RoomOf room, double k,
                 double& best) {
  double lo = 1e300, hi = -1e300;
  for (const ViewBall& b : balls) {
    lo = std::min(lo, -coord(b));
    hi = std::max(hi, -coord(b));
  }
  auto worst = [&](double t) {
    double w = 1e300;
    for (const ViewBall& b : balls) w = std::min(w, room(b) - std::fabs(coord(b) + t) * k);
    return w;
  };
  for (int it = 0; it < 200 && hi - lo > 1e-9; ++it) {
    const double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
    if (worst(m1) < worst(m2))
      lo = m1;
    else
      hi = m2;
  }
  const double t = (lo + hi) / 2;
  best = worst(t);
  return t;
}

double X(const ViewBall& b) {
  return b.x;
}
double Y(const ViewBall& b) {
  return b.y;
}

double Clamp(double v, double lo, double hi) {
  return std::min(hi, std::max(lo, v));
}
// On the bars' steps of 0.01.
double Step(double v) {
  return std::round(v * 100.0) / 100.0;
}

}  // namespace

void AddArmBounds(const float joints[6], std::vector<BoundSphere>& out) {
  // Base block and column: 0.2 wide, up to the shoulder at 0.33.
  out.push_back({{0.0, 0.0, 0.165}, 0.25});
  // From the shoulder every link lies within its reach of the shoulder, and
  // the folded elbow up to its own length (0.23); 0.15 covers the links'
  // widths and the hand beyond the tool point.
  double tool[3];
  ToolPointOfJoints(joints, tool);
  const double dx = tool[0], dy = tool[2], dz = tool[1] - 0.33;
  const double reach = std::sqrt(dx * dx + dy * dy + dz * dz);
  out.push_back({{0.0, 0.0, 0.33}, std::max(reach, 0.35) + 0.15});
}

bool MeasureDrawnBox(const SceneObject& rec, double lo[3], double hi[3]) {
  // Beyond this the extent is not trusted: the record's bounds answer.
  constexpr double kReach = 1000.0;
  const Mesh mesh = BuildObjectMesh(rec, BuildInputs{});
  float a[3], b[3];
  if (!mesh.Bounds(a, b)) return false;
  // GL's axes (across, up, along) back to the scene's X, Y, Z.
  const int axis[3] = {0, 2, 1};
  for (int k = 0; k < 3; ++k) {
    lo[k] = a[axis[k]];
    hi[k] = b[axis[k]];
    if (!(lo[k] > -kReach && hi[k] < kReach)) return false;
  }
  return true;
}

std::vector<BoundSphere> SceneFitBounds(const RenderSettings& rs, const SceneObject* records,
                                        const ObjectOverrides* overrides, int* objects) {
  std::vector<BoundSphere> balls;
  int framed = 0;
  const DrawSubstitutes subs{rs.robot, overrides};
  for (int i = 0; records && i < kObjectCapacity; ++i) {
    const SceneObject rec = EffectiveRecord(records[i], i, subs);
    if (!rec.Enbl) continue;
    double lo[3], hi[3];
    if (MeasureDrawnBox(rec, lo, hi)) {
      AddBoxBounds(lo, hi, balls);
      ++framed;
      continue;
    }
    const ObjectBounds b = BoundsOf(rec);
    // An object whose record holds no usable number could be anywhere;
    // it cannot be framed.
    if (!b.bounded || b.drawsNothing) continue;
    ++framed;
    for (const double* c : b.corner) {
      BoundSphere p;
      SceneOrder(c, p.center);
      balls.push_back(p);
    }
  }
  AddArmBounds(rs.joints, balls);
  AddFloorFootprints(balls);
  if (objects) *objects = framed;
  return balls;
}

void AddBoxBounds(const double lo[3], const double hi[3], std::vector<BoundSphere>& out) {
  for (int k = 0; k < 8; ++k)
    out.push_back({{k & 1 ? hi[0] : lo[0], k & 2 ? hi[1] : lo[1], k & 4 ? hi[2] : lo[2]}, 0.0});
}

void AddFloorFootprints(std::vector<BoundSphere>& out) {
  const size_t n = out.size();
  // The octagon's corners lie 1/cos(22.5 deg) out, so that its sides
  // still hold the circle.
  const double out8 = 1.0 / std::cos(kPi / 8);
  for (size_t i = 0; i < n; ++i) {
    const BoundSphere b = out[i];
    if (b.radius <= 0.0) {
      out.push_back({{b.center[0], b.center[1], 0.0}, 0.0});
      continue;
    }
    for (int k = 0; k < 8; ++k) {
      const double a = kPi / 4 * k;
      out.push_back({{b.center[0] + b.radius * out8 * std::cos(a), b.center[1] + b.radius * out8 * std::sin(a), 0.0},
                     0.0});
    }
  }
}

ViewSettings FitViewToBounds(const ViewSettings& v, const std::vector<BoundSphere>& balls, const ViewLimits& lim) {
  ViewSettings out = v;
  if (v.panelWidth < 1 || v.panelHeight < 1) return out;
  const std::vector<ViewBall> turned = Turn(v, balls);
  if (turned.empty()) return out;
  const double aspect = static_cast<double>(v.panelWidth) / v.panelHeight;

  if (v.ortho) {
    // Scale s maps the turned scene onto -aspect..aspect by -1..1.
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const ViewBall& b : turned) {
      x0 = std::min(x0, b.x - b.r);
      x1 = std::max(x1, b.x + b.r);
      y0 = std::min(y0, b.y - b.r);
      y1 = std::max(y1, b.y + b.r);
    }
    const double halfW = std::max((x1 - x0) / 2, 1e-3), halfH = std::max((y1 - y0) / 2, 1e-3);
    const double s = std::min(kFitFill / halfH, kFitFill * aspect / halfW);
    out.zoom = static_cast<float>(Clamp(std::floor(s * 100.0) / 100.0, lim.zoomMin, lim.zoomMax));
    out.shiftX = static_cast<float>(Clamp(Step(-(x0 + x1) / 2), lim.shiftMin, lim.shiftMax));
    out.shiftZ = static_cast<float>(Clamp(Step(-(y0 + y1) / 2), lim.shiftMin, lim.shiftMax));
    out.shiftY = 0.0f;
    return out;
  }

  // Perspective: the eye looks down -z from kEyeZ - E, where E (zoom plus
  // shift Y, both move along the view axis after the turns) is as large as
  // every ball allows. A ball at depth d lies inside the side planes of a
  // half-opening a when d >= |offset| / tan(a) + r / sin(a).
  const double tanA = std::tan(kFovY / 2 * kPi / 180.0) * kFitFill;
  const double tanB = std::tan(kFovY / 2 * kPi / 180.0) * aspect * kFitFill;
  const double sinA = std::sin(std::atan(tanA)), sinB = std::sin(std::atan(tanB));
  double roomY = 0, roomX = 0;
  const double ty = BestShift(
      turned, Y, [&](const ViewBall& b) { return kEyeZ - b.z - b.r / sinA; }, 1.0 / tanA, roomY);
  const double tx = BestShift(
      turned, X, [&](const ViewBall& b) { return kEyeZ - b.z - b.r / sinB; }, 1.0 / tanB, roomX);
  double e = std::min(roomY, roomX);
  // Nothing may come nearer than the near plane.
  for (const ViewBall& b : turned) e = std::min(e, kEyeZ - b.z - b.r - kNear * 1.05);

  // The shifts first, on their steps: the depth is then worked out again
  // for where they really put the scene.
  const double sx = Clamp(Step(tx), lim.shiftMin, lim.shiftMax);
  const double sz = Clamp(Step(ty), lim.shiftMin, lim.shiftMax);
  e = 1e300;
  for (const ViewBall& b : turned) {
    e = std::min(e, kEyeZ - b.z - std::fabs(b.y + sz) / tanA - b.r / sinA);
    e = std::min(e, kEyeZ - b.z - std::fabs(b.x + sx) / tanB - b.r / sinB);
    e = std::min(e, kEyeZ - b.z - b.r - kNear * 1.05);
  }
  const double zoom = Clamp(std::floor(e * 100.0) / 100.0, lim.zoomMin, lim.zoomMax);
  const double rest = std::floor((e - zoom) * 100.0) / 100.0;
  out.zoom = static_cast<float>(zoom);
  out.shiftX = static_cast<float>(sx);
  out.shiftZ = static_cast<float>(sz);
  out.shiftY = static_cast<float>(Clamp(rest, lim.shiftMin, lim.shiftMax));
  return out;
}
