#include "objects/RobotSolids.h"

#include <cmath>
#include <initializer_list>

#include "equipment/EquipmentModels.h"

// The positions below follow the robots' drawing (equipment/TransferRobots):
// the same axis limits, link lengths and heights. A robot test compares
// them with the drawn hands.

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;



class PartList {
 public:
  PartList(const Placement& at, std::vector<Sweep>* parts, std::vector<int>* kinds)
      : at_(at), parts_(parts), kinds_(kinds) {}

  // A block centred at (x, y) of the plane, its middle at height z.
  void Block(double x, double y, double z, double w, double d, double h) {
    Add(Rect({x, z, y}, {1, 0, 0}, {0, 0, 1}, w / 2.0, d / 2.0, h / 2.0), 0);
  }
  // A hand plate from its root at (x, y), running out by d, turned by ang
  // degrees about the vertical.
  void Plate(double x, double y, double z, double w, double d, double h, double ang) {
    const double a = ang * kDegToRad;
    const V3 along{std::sin(a), 0.0, std::cos(a)}, across{std::cos(a), 0.0, -std::sin(a)};
    Add(Rect(V3{x, z, y} + along * (d / 2.0), across, along, w / 2.0, d / 2.0, h / 2.0), 0);
  }
  // A wafer of radius r lying at (x, y) at height z.
  void Wafer(double x, double y, double z, double r) {
    Sweep s;
    s.core = Sweep::Core::Disc;
    s.centre = at_.Point({x, z + 0.0001, y});
    s.u = Unit({1, 0, 0});
    s.v = Unit({0, 0, 1});
    s.eu = s.ev = std::fabs(r * at_.scale);
    Add(s, 1);
  }

 private:
  V3 Direction(V3 local) const { return at_.Point(local) - at_.t; }
  V3 Unit(V3 local) const {
    const V3 d = Direction(local);
    const double n = Length(d);
    return n > 0.0 ? d * (1.0 / n) : V3{1, 0, 0};
  }
  Sweep Rect(V3 centre, V3 u, V3 v, double eu, double ev, double half) const {
    Sweep s;
    s.core = Sweep::Core::Rectangle;
    s.centre = at_.Point(centre);
    s.u = Unit(u);
    s.v = Unit(v);
    const double k = std::fabs(at_.scale);
    s.eu = std::fabs(eu) * k;
    s.ev = std::fabs(ev) * k;
    s.radius = std::fabs(half) * k;
    return s;
  }
  void Add(const Sweep& s, int kind) {
    parts_->push_back(s);
    kinds_->push_back(kind);
  }

  const Placement& at_;
  std::vector<Sweep>* parts_;
  std::vector<int>* kinds_;
};

void ScaraParts(const SceneObject& obj, PartList& list) {
  const int size = obj.Opt[3];
  const bool wide = size == 2;
  const bool dual = obj.Opt[2] == 1;
  const double z = RobotAxisValue(obj.size[2]);
  double r1 = RobotAxisValue(obj.size[0]), r2 = RobotAxisValue(obj.size[1]);
  if (!wide) {
    r1 = std::fmax(r1, -0.2);
    r2 = std::fmax(r2, -0.2);
  }
  const double l = size == 1 ? 0.13 : wide ? 0.15 : 0.095;
  const double reach1 = HandReach(l, 90.0 * r1);
  if (dual) list.Block(0.01, reach1, z + 0.3028, 0.08, 0.05, 0.001);
  const double hand1Z = z + (dual ? 0.3034 : 0.3103);
  if (!wide) {
    list.Plate(0.0, reach1, hand1Z, 0.07, 0.14, 0.001, 0.0);
    if (obj.Opt[0] == 1) list.Wafer(0.0, reach1 + 0.09, hand1Z + 0.0005, 0.05);
  } else {
    list.Block(0.0, reach1, hand1Z, 0.2, 0.04, 0.005);
    for (double s : {1.0, -1.0}) list.Block(s * 0.1, reach1, hand1Z, 0.04, 0.25, 0.005);
    for (double s : {1.0, -1.0}) {
      list.Plate(s * 0.1, reach1 + 0.125, hand1Z, 0.06, 0.06, 0.002, 0.0);
      list.Plate(s * 0.1, reach1 - 0.125, hand1Z, 0.06, 0.06, 0.002, 180.0);
    }
    const struct {
      double x, y;
      int32_t present;
    } places[4] = {{0.1, 0.145, obj.Opt[0]},
                   {-0.1, 0.145, obj.Opt[1]},
                   {0.1, -0.145, obj.Opt[4]},
                   {-0.1, -0.145, obj.Opt[5]}};
    for (const auto& p : places)
      if (p.present == 1) list.Wafer(p.x, reach1 + p.y, hand1Z + 0.0025, 0.05);
  }
  if (!dual) return;
  const double reach2 = HandReach(l, 90.0 * r2);
  list.Block(-0.035, reach2, z + 0.3012, 0.05, 0.05, 0.002);
  list.Block(-0.055, reach2, z + 0.3012, 0.01, 0.05, 0.002);
  list.Block(-0.02, reach2, z + 0.3012, 0.08, 0.05, 0.002);
  const double hand2Z = z + 0.3028;
  list.Plate(0.0, reach2, hand2Z, 0.07, 0.14, 0.001, 0.0);
  if (obj.Opt[1] == 1) list.Wafer(0.0, reach2 + 0.09, hand2Z + 0.0005, 0.05);
}

void TwinHandParts(const SceneObject& obj, PartList& list) {
  const double z = RobotAxisValue(obj.size[2]);
  const double reach = HandReach(0.095, 90.0 * std::fmax(RobotAxisValue(obj.size[0]), -0.2));
  const double rt[2] = {RobotAxisValue(obj.size[6]), RobotAxisValue(obj.size[7])};
  for (int i = 0; i < 2; ++i) {
    const double hz = z + 0.3139 + 0.005 * i;
    list.Plate(0.0, reach, hz, 0.07, 0.14, 0.001, rt[i]);
    if (obj.Opt[i] != 1) continue;
    const double a = rt[i] * kDegToRad;
    list.Wafer(0.097 * std::sin(a), reach + 0.097 * std::cos(a), hz + 0.0005, 0.05);
  }
}

void FrogLegParts(const SceneObject& obj, PartList& list) {
  const double z = std::fmin(RobotAxisValue(obj.size[2]), 0.03);
  const double r1 = std::fmax(std::fmin(RobotAxisValue(obj.size[0]), 0.8), -0.8);
  const double l = 0.2;
  const TwinHandLayout arms = TwinHandArms(r1, l);
  const double wrist1 = arms.wrist[0], wrist2 = arms.wrist[1];
  const double root1 = arms.root[0], root2 = arms.root[1];
  const struct {
    double wrist, root, linkZ, sign;
    int index;
  } sides[2] = {{wrist1, root1, z + 0.2928, 1.0, 0}, {wrist2, root2, z + 0.3010, -1.0, 1}};
  for (const auto& side : sides) {
    const double span = std::fabs(side.root - side.wrist);
    list.Block(0.0, (side.root + side.wrist) / 2.0, side.linkZ + 0.0061, 0.04, span + 0.02, 0.004);
    const double plateZ = side.linkZ + 0.0092;
    list.Plate(0.0, side.root, plateZ, 0.08, 0.14, 0.002, side.sign > 0.0 ? 0.0 : 180.0);
    if (obj.Opt[side.index] == 1) list.Wafer(0.0, side.root + side.sign * 0.09, plateZ + 0.001, 0.055);
  }
}

// The fixed and turning pieces of a robot that the hands do not cover.
class BodyList {
 public:
  BodyList(const Placement& base, std::vector<Solid>* out) : at_(base), out_(out) {}
  void Turn(double t) { at_.Rotate(t, 0, 1, 0); }
  // A column of radius r standing at (x, y) from height z to z + h.
  void Column(double x, double y, double z, double r, double h) {
    out_->push_back(MakeCylinder(at_.Point({x, z, y}), at_.Axis(1), r * std::fabs(at_.scale), h * at_.scale));
  }
  // A slot-shaped link centred at (x, y), middle height z, turned by ang0:
  // the box round it.
  void Link(double x, double y, double z, double len, double h, double r, double ang0) {
    Placement p = at_;
    p.Translate(x, z, y);
    p.Rotate(ang0, 0, 1, 0);
    const V3 axes[3] = {p.Axis(0), p.Axis(1), p.Axis(2)};
    const double k = std::fabs(at_.scale);
    out_->push_back(MakeBox(p.t, axes, (len / 2.0 + r) * k, h / 2.0 * k, r * k));
  }

 private:
  Placement at_;
  std::vector<Solid>* out_;
};

void ArmLinks(BodyList& b, double l, double x0, double z1, double h1, double z2, double h2, double r,
              double theta) {
  const double c = std::cos(theta * kDegToRad), s = std::sin(theta * kDegToRad);
  b.Link(l / 2.0 * c + x0, l / 2.0 * s, z1, l, h1, r, -theta);
  b.Link(l / 2.0 * c + x0, 1.5 * l * s, z2, l, h2, r, theta);
}

void ScaraBody(const SceneObject& obj, BodyList& b) {
  const int size = obj.Opt[3];
  const bool wide = size == 2;
  const bool dual = obj.Opt[2] == 1;
  const double z = RobotAxisValue(obj.size[2]), t = RobotAxisValue(obj.size[3]);
  double r1 = RobotAxisValue(obj.size[0]), r2 = RobotAxisValue(obj.size[1]);
  if (!wide) {
    r1 = std::fmax(r1, -0.2);
    r2 = std::fmax(r2, -0.2);
  }
  const double l = size == 1 ? 0.13 : wide ? 0.15 : 0.095;
  b.Column(0, 0, 0, 0.05, 0.27);
  if (size == 1) {
    b.Column(0, 0, 0.27, 0.06, 0.01);
    b.Turn(t);
    b.Column(0, 0, 0.28, 0.02, z);
  } else {
    b.Column(0, 0, z + 0.12, 0.06, 0.16);
    b.Turn(t);
  }
  ArmLinks(b, l, dual ? 0.03 : 0.0, z + 0.2881, 0.016, z + 0.2992, 0.006, 0.03, 90.0 * r1);
  if (!dual) return;
  const double theta2 = 90.0 * r2;
  const double c2 = std::cos(theta2 * kDegToRad), s2 = std::sin(theta2 * kDegToRad);
  b.Link(-l / 2.0 * c2 - 0.03, l / 2.0 * s2, z + 0.2851, l, 0.01, 0.03, -(180.0 - theta2));
  b.Link(-l / 2.0 * c2 - 0.03, 1.5 * l * s2, z + 0.29285, l, 0.005, 0.03, -theta2);
  b.Column(-0.03, HandReach(l, theta2), z + 0.2954, 0.03, 0.005);
}

void TwinHandBody(const SceneObject& obj, BodyList& b) {
  const double z = RobotAxisValue(obj.size[2]), t = RobotAxisValue(obj.size[3]);
  const double theta = 90.0 * std::fmax(RobotAxisValue(obj.size[0]), -0.2);
  b.Column(0, 0, 0, 0.05, 0.27);
  b.Column(0, 0, z + 0.12, 0.06, 0.16);
  b.Turn(t);
  ArmLinks(b, 0.095, 0.0, z + 0.2881, 0.016, z + 0.3012, 0.01, 0.03, theta);
  b.Column(0, HandReach(0.095, theta), z + 0.3063, 0.025, 0.007);
}

void FrogLegBody(const SceneObject& obj, BodyList& b) {
  const double t = RobotAxisValue(obj.size[3]);
  const double z = std::fmin(RobotAxisValue(obj.size[2]), 0.03);
  const double r1 = std::fmax(std::fmin(RobotAxisValue(obj.size[0]), 0.8), -0.8);
  const double l = 0.2, theta = 90.0 * r1;
  const double c = std::cos(theta * kDegToRad), s = std::sin(theta * kDegToRad);
  const double elbowY = l * s;
  b.Column(0, 0, 0, 0.07, 0.27);
  b.Column(0, 0, 0.27, 0.08, 0.01);
  b.Turn(t);
  b.Column(0, 0, 0.2801, 0.015, 0.0095 + z);
  b.Link(0.01 + l / 2.0 * c, elbowY / 2.0, z + 0.2846, l, 0.008, 0.02, -theta);
  b.Link(-0.01 - l / 2.0 * c, elbowY / 2.0, z + 0.2846, l, 0.008, 0.02, -(180.0 - theta));
  const double wrists[2] = {elbowY + l * std::fabs(s), elbowY - l * std::fabs(s)};
  const double linkZ[2] = {z + 0.2928, z + 0.3010};
  for (int side = 0; side < 2; ++side) {
    for (double mirror : {1.0, -1.0}) {
      const double ex = mirror * (0.01 + l * c), wx = mirror * 0.01;
      const double heading = std::atan2(wrists[side] - elbowY, wx - ex) / kDegToRad;
      b.Link((ex + wx) / 2.0, (elbowY + wrists[side]) / 2.0, linkZ[side], l, 0.008, 0.015, -heading);
    }
  }
}

// The robot's frame before the arm unit's turn.
Placement RobotBase(const SceneObject& obj) {
  Placement at;
  at.Translate(double(obj.X) + RobotAxisValue(obj.size[4]), obj.Z, obj.Y);
  at.Rotate(obj.Ang[0], 0, 1, 0);
  at.Scale(RobotScaleValue(obj.size[9]));
  return at;
}

bool IsRobot(const SceneObject& obj) {
  const int32_t k = obj.Shp;
  if (k != ShapeKind::ScaraRobot && k != ShapeKind::TwinHandRobot && k != ShapeKind::FrogLegRobot)
    return false;
  return std::isfinite(obj.X) && std::isfinite(obj.Y) && std::isfinite(obj.Z) && std::isfinite(obj.Ang[0]);
}

}  // namespace

bool RobotSolids(const SceneObject& obj, std::vector<Solid>* out) {
  if (!IsRobot(obj)) return false;
  BodyList body(RobotBase(obj), out);
  if (obj.Shp == ShapeKind::ScaraRobot)
    ScaraBody(obj, body);
  else if (obj.Shp == ShapeKind::TwinHandRobot)
    TwinHandBody(obj, body);
  else
    FrogLegBody(obj, body);
  // The hands and wafers, each as the solid it is.
  std::vector<Sweep> parts;
  std::vector<int> kinds;
  RobotMovingParts(obj, &parts, &kinds);
  for (const Sweep& s : parts) {
    const V3 n{s.u.y * s.v.z - s.u.z * s.v.y, s.u.z * s.v.x - s.u.x * s.v.z, s.u.x * s.v.y - s.u.y * s.v.x};
    if (s.core == Sweep::Core::Disc) {
      out->push_back(MakeCylinder(s.centre - n * s.radius, n, s.eu, 2.0 * s.radius));
    } else {
      const V3 axes[3] = {s.u, n, s.v};
      out->push_back(MakeBox(s.centre, axes, s.eu, s.radius, s.ev));
    }
  }
  return true;
}

bool RobotMovingParts(const SceneObject& obj, std::vector<Sweep>* parts, std::vector<int>* kinds) {
  if (!IsRobot(obj)) return false;
  const int32_t k = obj.Shp;
  // The robot's frame: travel along X, heading, scale, then the arm unit's
  // turn about the vertical.
  Placement at = RobotBase(obj);
  at.Rotate(RobotAxisValue(obj.size[3]), 0, 1, 0);
  PartList list(at, parts, kinds);
  if (k == ShapeKind::ScaraRobot)
    ScaraParts(obj, list);
  else if (k == ShapeKind::TwinHandRobot)
    TwinHandParts(obj, list);
  else
    FrogLegParts(obj, list);
  return true;
}
