// Arm geometry is worked out in the scene's plane: a point (a, b) turned by
// c is (a cos c - b sin c, a sin c + b cos c). A shape turned by Ang[0]
// turns the other way round (GL turns x towards -z, the scene's -Y), which
// is why a link running at angle c is turned by -c.

#include "equipment/RobotLayout.h"

#include <cmath>

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

double AxisValue(float v) {
  return std::isfinite(v) ? double(v) : 0.0;
}

// 0 collapses the robot to a point.
double ScaleValue(float v) {
  return std::isfinite(v) ? double(v) : 1.0;
}

double AtLeast(double v, double lo) {
  return v < lo ? lo : v;
}

// How far a two-link arm of equal links `length` carries its hand when both
// links turn by theta degrees from folded.
double HandReach(double length, double theta) {
  return 2.0 * length * std::sin(theta * kDegToRad);
}

// Collects the parts in drawing order. Columns and links are the body,
// boxes and plates the hands.
class Parts {
 public:
  explicit Parts(RobotLayout* layout) : out_(&layout->parts) {}
  // Every part from here on rides on the arm unit.
  void Turning() { turns_ = true; }

  void Column(double x, double y, double z, double r, double h) {
    RobotPart& p = Add(RobotPartShape::Column, RobotPartRole::Body, x, y, z);
    p.r = r;
    p.h = h;
  }
  void Box(double x, double y, double z, double w, double d, double h) {
    RobotPart& p = Add(RobotPartShape::Box, RobotPartRole::Hand, x, y, z);
    p.w = w;
    p.d = d;
    p.h = h;
  }
  void Link(double x, double y, double z, double len, double h, double r, double ang) {
    RobotPart& p = Add(RobotPartShape::Link, RobotPartRole::Body, x, y, z);
    p.w = len;
    p.h = h;
    p.r = r;
    p.ang = ang;
  }
  void Hand(double x, double y, double z, double w, double d, double h, double r, double ang) {
    RobotPart& p = Add(RobotPartShape::Hand, RobotPartRole::Hand, x, y, z);
    p.w = w;
    p.d = d;
    p.h = h;
    p.r = r;
    p.ang = ang;
  }
  // A wafer of radius r on a hand, its place at height z: it is laid a
  // tenth of a millimetre above, clear of the surface below.
  void Wafer(double x, double y, double z, double r, int fillSub, int ringSub, int idSlot, double textSide) {
    RobotPart& p = Add(RobotPartShape::Wafer, RobotPartRole::Wafer, x, y, z + 0.0001);
    p.r = r;
    p.fillSub = fillSub;
    p.ringSub = ringSub;
    p.idSlot = idSlot;
    p.textSide = textSide;
  }

 private:
  RobotPart& Add(RobotPartShape shape, RobotPartRole role, double x, double y, double z) {
    RobotPart p;
    p.shape = shape;
    p.role = role;
    p.turns = turns_;
    p.x = x;
    p.y = y;
    p.z = z;
    out_->push_back(p);
    return out_->back();
  }

  std::vector<RobotPart>* out_;
  bool turns_ = false;
};

// The common frame: travel along X, heading, scale; and the arm unit's
// turn T.
RobotLayout Framed(const SceneObject& obj) {
  RobotLayout l;
  l.scale = ScaleValue(obj.size[9]);
  l.turn = AxisValue(obj.size[3]);
  l.frame.Translate(double(obj.X) + AxisValue(obj.size[4]), obj.Z, obj.Y);
  l.frame.Rotate(obj.Ang[0], 0.0, 1.0, 0.0);
  l.frame.Scale(l.scale);
  l.parts.reserve(32);
  return l;
}

// The two links of an arm whose hand runs out along +Y: the first from the
// shoulder at (x0, 0) to the elbow, the second back to the centre line.
// theta is the arm's angle (90 degrees times the extension).
struct ArmLinks {
  double length;     // L, centre to centre of each link
  double x0;         // sideways offset of the shoulder
  double z1, h1;     // middle height and thickness of the first link
  double z2, h2;     // of the second link
  double endRadius;  // round ends of both links
};

void AddArm(Parts& parts, const ArmLinks& a, double theta) {
  const double c = std::cos(theta * kDegToRad), s = std::sin(theta * kDegToRad);
  const double l = a.length;
  parts.Link(l / 2.0 * c + a.x0, l / 2.0 * s, a.z1, l, a.h1, a.endRadius, -theta);
  parts.Link(l / 2.0 * c + a.x0, 1.5 * l * s, a.z2, l, a.h2, a.endRadius, theta);
}

}  // namespace

RobotLayout ScaraLayout(const SceneObject& obj) {
  const int size = obj.Opt[3];
  const bool wide = size == 2;
  const bool dual = obj.Opt[2] == 1;
  const double z = AxisValue(obj.size[2]);
  double r1 = AxisValue(obj.size[0]), r2 = AxisValue(obj.size[1]);
  // Arms reach behind the axis by at most 0.2; the wide hand may go
  // further.
  if (!wide) {
    r1 = AtLeast(r1, -0.2);
    r2 = AtLeast(r2, -0.2);
  }
  const double l = size == 1 ? 0.13 : wide ? 0.15 : 0.095;
  const double dx = dual ? 0.03 : 0.0;

  RobotLayout layout = Framed(obj);
  Parts parts(&layout);
  parts.Column(0.0, 0.0, 0.0, 0.05, 0.27);
  if (size == 1) {
    // Shaft type: a fixed plate, and a shaft that rises with Z and turns.
    parts.Column(0.0, 0.0, 0.27, 0.06, 0.01);
    parts.Turning();
    parts.Column(0.0, 0.0, 0.28, 0.02, z);
  } else {
    parts.Column(0.0, 0.0, z + 0.12, 0.06, 0.16);
    parts.Turning();
  }

  const double theta1 = 90.0 * r1;
  const double reach1 = HandReach(l, theta1);
  AddArm(parts, ArmLinks{l, dx, z + 0.2881, 0.016, z + 0.2992, 0.006, 0.03}, theta1);
  if (dual) parts.Box(0.01, reach1, z + 0.3028, 0.08, 0.05, 0.001);
  const double hand1Z = z + (dual ? 0.3034 : 0.3103);
  const double side1 = dual ? -0.1 : 0.0, side2 = dual ? 0.1 : 0.0;
  if (!wide) {
    parts.Hand(0.0, reach1, hand1Z, 0.07, 0.14, 0.001, 0.025, 0.0);
    if (obj.Opt[0] == 1) parts.Wafer(0.0, reach1 + 0.09, hand1Z + 0.0005, 0.05, 1, 3, 0, side1);
  } else {
    // Cross bar with two long fingers, a plate at each finger end and up
    // to four wafers: hand 1 is the +x finger, hand 2 the -x finger, the
    // first place at +Y, the second at -Y.
    parts.Box(0.0, reach1, hand1Z, 0.2, 0.04, 0.005);
    for (double s : {1.0, -1.0}) parts.Box(s * 0.1, reach1, hand1Z, 0.04, 0.25, 0.005);
    for (double s : {1.0, -1.0}) {
      parts.Hand(s * 0.1, reach1 + 0.125, hand1Z, 0.06, 0.06, 0.002, 0.02, 0.0);
      parts.Hand(s * 0.1, reach1 - 0.125, hand1Z, 0.06, 0.06, 0.002, 0.02, 180.0);
    }
    struct Place {
      double x, y;
      int32_t present;
      int colour;  // 0..3: fill cl_sub[1 + colour], ring cl_sub[5 + colour]
      int id;
      double side;
    };
    const Place places[4] = {{0.1, 0.145, obj.Opt[0], 0, 0, side1},
                             {-0.1, 0.145, obj.Opt[1], 1, 1, side2},
                             {0.1, -0.145, obj.Opt[4], 2, 0, side1},
                             {-0.1, -0.145, obj.Opt[5], 3, 1, side2}};
    for (const Place& p : places) {
      if (p.present != 1) continue;
      parts.Wafer(p.x, reach1 + p.y, hand1Z + 0.0025, 0.05, 1 + p.colour, 5 + p.colour, p.id, p.side);
    }
  }

  if (!dual) return layout;
  // Arm 2, the mirror of arm 1 on the -x side, one layer lower, with its
  // hand under hand 1.
  const double theta2 = 90.0 * r2;
  const double c2 = std::cos(theta2 * kDegToRad), s2 = std::sin(theta2 * kDegToRad);
  const double reach2 = HandReach(l, theta2);
  parts.Link(-l / 2.0 * c2 - 0.03, l / 2.0 * s2, z + 0.2851, l, 0.01, 0.03, -(180.0 - theta2));
  parts.Link(-l / 2.0 * c2 - 0.03, 1.5 * l * s2, z + 0.29285, l, 0.005, 0.03, -theta2);
  parts.Column(-0.03, reach2, z + 0.2954, 0.03, 0.005);
  parts.Box(-0.035, reach2, z + 0.3012, 0.05, 0.05, 0.002);
  parts.Box(-0.055, reach2, z + 0.3012, 0.01, 0.05, 0.002);
  parts.Box(-0.02, reach2, z + 0.3012, 0.08, 0.05, 0.002);
  const double hand2Z = z + 0.3028;
  parts.Hand(0.0, reach2, hand2Z, 0.07, 0.14, 0.001, 0.025, 0.0);
  if (obj.Opt[1] == 1) parts.Wafer(0.0, reach2 + 0.09, hand2Z + 0.0005, 0.05, 2, 4, 1, side2);
  return layout;
}

RobotLayout TwinHandLayout(const SceneObject& obj) {
  const double z = AxisValue(obj.size[2]);
  const double r1 = AtLeast(AxisValue(obj.size[0]), -0.2);
  const double l = 0.095;

  RobotLayout layout = Framed(obj);
  Parts parts(&layout);
  parts.Column(0.0, 0.0, 0.0, 0.05, 0.27);
  parts.Column(0.0, 0.0, z + 0.12, 0.06, 0.16);
  parts.Turning();
  const double theta = 90.0 * r1;
  const double reach = HandReach(l, theta);
  // The thicker second link sits on the first rather than in it.
  AddArm(parts, ArmLinks{l, 0.0, z + 0.2881, 0.016, z + 0.3012, 0.01, 0.03}, theta);
  parts.Column(0.0, reach, z + 0.3063, 0.025, 0.007);
  // Both hands turn on the one wrist, hand 2 a layer above hand 1. Each
  // wafer rides 0.097 out along its own hand.
  const double rt[2] = {AxisValue(obj.size[6]), AxisValue(obj.size[7])};
  for (int i = 0; i < 2; ++i) {
    const double hz = z + 0.3139 + 0.005 * i;
    parts.Hand(0.0, reach, hz, 0.07, 0.14, 0.001, 0.025, rt[i]);
    if (obj.Opt[i] != 1) continue;
    const double a = rt[i] * kDegToRad;
    parts.Wafer(0.097 * std::sin(a), reach + 0.097 * std::cos(a), hz + 0.0005, 0.05, 1 + i, 3 + i, i, 0.0);
  }
  return layout;
}

RobotLayout FrogLegLayout(const SceneObject& obj) {
  double z = AxisValue(obj.size[2]);
  if (z > 0.03) z = 0.03;
  double r1 = AxisValue(obj.size[0]);
  if (r1 > 0.8) r1 = 0.8;
  if (r1 < -0.8) r1 = -0.8;
  const double l = 0.2;

  RobotLayout layout = Framed(obj);
  Parts parts(&layout);
  parts.Column(0.0, 0.0, 0.0, 0.07, 0.27);
  parts.Column(0.0, 0.0, 0.27, 0.08, 0.01);
  parts.Turning();
  parts.Column(0.0, 0.0, 0.2801, 0.015, 0.0095 + z);

  // The two upper links turn symmetrically from shoulders 0.01 either side
  // of the axis. Each elbow carries two forearms: one pair meets hand 1's
  // wrist on +Y, the other hand 2's on -Y. With the elbows on the +Y side
  // hand 1 is carried out and hand 2's forearms fold back over the upper
  // links; with them on the -Y side it is the other way round.
  const double theta = 90.0 * r1;
  const double c = std::cos(theta * kDegToRad), s = std::sin(theta * kDegToRad);
  const double elbowY = l * s;
  parts.Link(0.01 + l / 2.0 * c, elbowY / 2.0, z + 0.2846, l, 0.008, 0.02, -theta);
  parts.Link(-0.01 - l / 2.0 * c, elbowY / 2.0, z + 0.2846, l, 0.008, 0.02, -(180.0 - theta));

  // Where hand i's forearms meet (its wrist) and where its plate starts:
  // the moving hand out beyond its wrist, the idle one close to the axis
  // on its own side.
  const double wrist[2] = {elbowY + l * std::fabs(s), elbowY - l * std::fabs(s)};
  double root[2];
  if (r1 >= 0.0) {
    root[0] = HandReach(l, theta) + 0.01 * c + 0.05;
    root[1] = -(0.06 - 0.03 * r1);
  } else {
    root[0] = 0.03 * r1 + 0.06;
    root[1] = HandReach(l, theta) - 0.01 * c - 0.05;
  }
  struct Side {
    double wrist, root, linkZ, sign;
    int index;
  };
  const Side sides[2] = {{wrist[0], root[0], z + 0.2928, 1.0, 0}, {wrist[1], root[1], z + 0.3010, -1.0, 1}};
  for (const Side& side : sides) {
    for (double mirror : {1.0, -1.0}) {
      // Forearm from the elbow (mirror * (0.01 + L c), L s) to the wrist
      // (mirror * 0.01, wrist): always L long.
      const double ex = mirror * (0.01 + l * c);
      const double wx = mirror * 0.01;
      const double heading = std::atan2(side.wrist - elbowY, wx - ex) / kDegToRad;
      parts.Link((ex + wx) / 2.0, (elbowY + side.wrist) / 2.0, side.linkZ, l, 0.008, 0.015, -heading);
    }
    // The hand block bridges the wrist and the plate's root.
    const double blockZ = side.linkZ + 0.0061;
    const double span = std::fabs(side.root - side.wrist);
    parts.Box(0.0, (side.root + side.wrist) / 2.0, blockZ, 0.04, span + 0.02, 0.004);
    const double plateZ = side.linkZ + 0.0092;
    parts.Hand(0.0, side.root, plateZ, 0.08, 0.14, 0.002, 0.03, side.sign > 0.0 ? 0.0 : 180.0);
    if (obj.Opt[side.index] == 1)
      parts.Wafer(0.0, side.root + side.sign * 0.09, plateZ + 0.001, 0.055, 1 + side.index, 5 + side.index,
                  side.index, 0.0);
  }
  return layout;
}

bool RobotLayoutOf(const SceneObject& robot, RobotLayout* out) {
  switch (robot.Shp) {
    case ShapeKind::ScaraRobot:
      *out = ScaraLayout(robot);
      return true;
    case ShapeKind::TwinHandRobot:
      *out = TwinHandLayout(robot);
      return true;
    case ShapeKind::FrogLegRobot:
      *out = FrogLegLayout(robot);
      return true;
    default:
      return false;
  }
}
