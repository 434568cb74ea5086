// The three wafer-transfer robots. Each is drawn from its record alone:
// the axes sit in size[0..4] (and the hand turns of the twin-hand robot in
// size[6], size[7]), the scale in size[9], the wafers on the hands in the
// options, the colours in clFill and the sub colours.
//
// Arm geometry is worked out in the scene's plane: a point (a, b) turned by
// c is (a cos c - b sin c, a sin c + b cos c). A shape turned by Ang[0]
// turns the other way round (GL turns x towards -z, the scene's -Y), which
// is why a link running at angle c is drawn turned by -c.

#include <cmath>

#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "render/GlDraw.h"
#include "shapes/ShapeCommon.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;


double AtLeast(double v, double lo) {
  return v < lo ? lo : v;
}

// The common placement: travel along X, heading, scale. Normals are
// renormalised while a scale other than 1 is in force, so that the robot
// is lit the same at every size.
class RobotFrame {
 public:
  RobotFrame(const SceneObject& obj, double scale) : normalize_(scale != 1.0) {
    glPushMatrix();
    glTranslated(double(obj.X) + RobotAxisValue(obj.size[4]), obj.Z, obj.Y);
    glRotated(obj.Ang[0], 0.0, 1.0, 0.0);
    glScaled(scale, scale, scale);
  }
  ~RobotFrame() { glPopMatrix(); }
  RobotFrame(const RobotFrame&) = delete;
  RobotFrame& operator=(const RobotFrame&) = delete;

 private:
  NormalizeScope normalize_;
};

// The turn of the arm unit (T axis) about the vertical.
void TurnArmUnit(double t) {
  glRotated(t, 0.0, 1.0, 0.0);
}

// One hand: root at (x, y), height z of its middle, turned by ang0.
void Hand(const SceneObject& look, double x, double y, double z, double w, double d, double h, double r,
          double ang0) {
  SceneObject p = Piece(look);
  p.X = static_cast<float>(x);
  p.Y = static_cast<float>(y);
  p.Z = static_cast<float>(z);
  p.W = static_cast<float>(w);
  p.D = static_cast<float>(d);
  p.H = static_cast<float>(h);
  p.R = static_cast<float>(r);
  p.Ang[0] = static_cast<float>(ang0);
  HandPlate(p);
}

// What a robot hands to each wafer it carries.
struct WaferLoad {
  Color fill;       // the wafer's fill colour
  Color firstSub;   // its first sub colour (the ring)
  int16_t id;       // its ID
  double textSide;  // how far aside its ID is written, before scaling
};

// A wafer of radius r lying at (x, y) on a hand whose top is at z. Its
// pattern is turned back by the arm unit's turn t so that it keeps its
// heading; its ID keeps its size through the robot's scale.
void CarriedWafer(const SceneObject& robot, double scale, double t, double x, double y, double z, double r,
                  const WaferLoad& load) {
  SceneObject w = Piece(robot);
  w.Shp = ShapeKind::Wafer;
  w.X = static_cast<float>(x);
  w.Y = static_cast<float>(y);
  w.Z = static_cast<float>(z + 0.0001);
  w.R = static_cast<float>(r);
  w.H = 0.001f;
  w.Ang[0] = static_cast<float>(-t);
  w.clFill = load.fill;
  w.cl_sub[0] = load.firstSub;
  w.cl_sub[1] = robot.cl_sub[9];
  w.Opt[0] = robot.Opt[6];
  w.Opt[1] = robot.Opt[7];
  w.ID[0] = load.id;
  const double inverse = scale != 0.0 ? 1.0 / scale : 0.0;
  w.size[9] = static_cast<float>(scale);
  w.size[2] = static_cast<float>(0.01 * inverse);
  w.size[0] = static_cast<float>(load.textSide * inverse);
  Wafer(w);
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

void DrawArm(const SceneObject& look, const ArmLinks& a, double theta) {
  const double c = std::cos(theta * kDegToRad), s = std::sin(theta * kDegToRad);
  const double l = a.length;
  Link(look, l / 2.0 * c + a.x0, l / 2.0 * s, a.z1, l, a.h1, a.endRadius, -theta);
  Link(look, l / 2.0 * c + a.x0, 1.5 * l * s, a.z2, l, a.h2, a.endRadius, theta);
}

}  // namespace

TwinHandLayout TwinHandArms(double r1, double l) {
  TwinHandLayout a;
  a.theta = 90.0 * r1;
  a.c = std::cos(a.theta * kDegToRad);
  a.s = std::sin(a.theta * kDegToRad);
  a.elbowY = l * a.s;
  a.wrist[0] = a.elbowY + l * std::fabs(a.s);
  a.wrist[1] = a.elbowY - l * std::fabs(a.s);
  if (r1 >= 0.0) {
    a.root[0] = HandReach(l, a.theta) + 0.01 * a.c + 0.05;
    a.root[1] = -(0.06 - 0.03 * r1);
  } else {
    a.root[0] = 0.03 * r1 + 0.06;
    a.root[1] = HandReach(l, a.theta) - 0.01 * a.c - 0.05;
  }
  return a;
}

void ScaraRobot(SceneObject obj) {
  const int size = obj.Opt[3];
  const bool wide = size == 2;
  const bool dual = obj.Opt[2] == 1;
  const double scale = RobotScaleValue(obj.size[9]);
  const double z = RobotAxisValue(obj.size[2]), t = RobotAxisValue(obj.size[3]);
  double r1 = RobotAxisValue(obj.size[0]), r2 = RobotAxisValue(obj.size[1]);
  // Arms reach behind the axis by at most 0.2; the wide hand may go
  // further.
  if (!wide) {
    r1 = AtLeast(r1, -0.2);
    r2 = AtLeast(r2, -0.2);
  }
  const double l = size == 1 ? 0.13 : wide ? 0.15 : 0.095;
  const double dx = dual ? 0.03 : 0.0;
  const SceneObject body = Piece(obj);
  const SceneObject hand = Tinted(obj, obj.cl_sub[0]);

  RobotFrame frame(obj, scale);
  Column(body, 0.0, 0.0, 0.0, 0.05, 0.27);
  if (size == 1) {
    // Shaft type: a fixed plate, and a shaft that rises with Z and turns.
    Column(body, 0.0, 0.0, 0.27, 0.06, 0.01);
    TurnArmUnit(t);
    Column(body, 0.0, 0.0, 0.28, 0.02, z);
  } else {
    Column(body, 0.0, 0.0, z + 0.12, 0.06, 0.16);
    TurnArmUnit(t);
  }

  const double theta1 = 90.0 * r1;
  const double reach1 = HandReach(l, theta1);
  DrawArm(body, ArmLinks{l, dx, z + 0.2881, 0.016, z + 0.2992, 0.006, 0.03}, theta1);
  if (dual) Box(hand, 0.01, reach1, z + 0.3028, 0.08, 0.05, 0.001);
  const double hand1Z = z + (dual ? 0.3034 : 0.3103);
  const double side1 = dual ? -0.1 : 0.0, side2 = dual ? 0.1 : 0.0;
  if (!wide) {
    Hand(hand, 0.0, reach1, hand1Z, 0.07, 0.14, 0.001, 0.025, 0.0);
    if (obj.Opt[0] == 1)
      CarriedWafer(obj, scale, t, 0.0, reach1 + 0.09, hand1Z + 0.0005, 0.05,
                   WaferLoad{obj.cl_sub[1], obj.cl_sub[3], obj.ID[0], side1});
  } else {
    // Cross bar with two long fingers, a plate at each finger end and up
    // to four wafers: hand 1 is the +x finger, hand 2 the -x finger, the
    // first place at +Y, the second at -Y.
    Box(hand, 0.0, reach1, hand1Z, 0.2, 0.04, 0.005);
    for (double s : {1.0, -1.0}) Box(hand, s * 0.1, reach1, hand1Z, 0.04, 0.25, 0.005);
    for (double s : {1.0, -1.0}) {
      Hand(hand, s * 0.1, reach1 + 0.125, hand1Z, 0.06, 0.06, 0.002, 0.02, 0.0);
      Hand(hand, s * 0.1, reach1 - 0.125, hand1Z, 0.06, 0.06, 0.002, 0.02, 180.0);
    }
    struct Place {
      double x, y;
      int32_t present;
      int colour;  // 0..3: fill cl_sub[1 + colour], first sub cl_sub[5 + colour]
      int16_t id;
      double side;
    };
    const Place places[4] = {{0.1, 0.145, obj.Opt[0], 0, obj.ID[0], side1},
                             {-0.1, 0.145, obj.Opt[1], 1, obj.ID[1], side2},
                             {0.1, -0.145, obj.Opt[4], 2, obj.ID[0], side1},
                             {-0.1, -0.145, obj.Opt[5], 3, obj.ID[1], side2}};
    for (const Place& p : places) {
      if (p.present != 1) continue;
      CarriedWafer(obj, scale, t, p.x, reach1 + p.y, hand1Z + 0.0025, 0.05,
                   WaferLoad{obj.cl_sub[1 + p.colour], obj.cl_sub[5 + p.colour], p.id, p.side});
    }
  }

  if (!dual) return;
  // Arm 2, the mirror of arm 1 on the -x side, one layer lower, with its
  // hand under hand 1.
  const double theta2 = 90.0 * r2;
  const double c2 = std::cos(theta2 * kDegToRad), s2 = std::sin(theta2 * kDegToRad);
  const double reach2 = HandReach(l, theta2);
  Link(body, -l / 2.0 * c2 - 0.03, l / 2.0 * s2, z + 0.2851, l, 0.01, 0.03, -(180.0 - theta2));
  Link(body, -l / 2.0 * c2 - 0.03, 1.5 * l * s2, z + 0.29285, l, 0.005, 0.03, -theta2);
  Column(body, -0.03, reach2, z + 0.2954, 0.03, 0.005);
  Box(hand, -0.035, reach2, z + 0.3012, 0.05, 0.05, 0.002);
  Box(hand, -0.055, reach2, z + 0.3012, 0.01, 0.05, 0.002);
  Box(hand, -0.02, reach2, z + 0.3012, 0.08, 0.05, 0.002);
  const double hand2Z = z + 0.3028;
  Hand(hand, 0.0, reach2, hand2Z, 0.07, 0.14, 0.001, 0.025, 0.0);
  if (obj.Opt[1] == 1)
    CarriedWafer(obj, scale, t, 0.0, reach2 + 0.09, hand2Z + 0.0005, 0.05,
                 WaferLoad{obj.cl_sub[2], obj.cl_sub[4], obj.ID[1], side2});
}

void TwinHandRobot(SceneObject obj) {
  const double scale = RobotScaleValue(obj.size[9]);
  const double z = RobotAxisValue(obj.size[2]), t = RobotAxisValue(obj.size[3]);
  const double r1 = AtLeast(RobotAxisValue(obj.size[0]), -0.2);
  const double l = 0.095;
  const SceneObject body = Piece(obj);
  const SceneObject hand = Tinted(obj, obj.cl_sub[0]);

  RobotFrame frame(obj, scale);
  Column(body, 0.0, 0.0, 0.0, 0.05, 0.27);
  Column(body, 0.0, 0.0, z + 0.12, 0.06, 0.16);
  TurnArmUnit(t);
  const double theta = 90.0 * r1;
  const double reach = HandReach(l, theta);
  // The thicker second link sits on the first rather than in it.
  DrawArm(body, ArmLinks{l, 0.0, z + 0.2881, 0.016, z + 0.3012, 0.01, 0.03}, theta);
  Column(body, 0.0, reach, z + 0.3063, 0.025, 0.007);
  // Both hands turn on the one wrist, hand 2 a layer above hand 1. Each
  // wafer rides 0.097 out along its own hand.
  const double rt[2] = {RobotAxisValue(obj.size[6]), RobotAxisValue(obj.size[7])};
  for (int i = 0; i < 2; ++i) {
    const double hz = z + 0.3139 + 0.005 * i;
    Hand(hand, 0.0, reach, hz, 0.07, 0.14, 0.001, 0.025, rt[i]);
    if (obj.Opt[i] != 1) continue;
    const double a = rt[i] * kDegToRad;
    CarriedWafer(obj, scale, t, 0.097 * std::sin(a), reach + 0.097 * std::cos(a), hz + 0.0005, 0.05,
                 WaferLoad{obj.cl_sub[1 + i], obj.cl_sub[3 + i], obj.ID[i], 0.0});
  }
}

void FrogLegRobot(SceneObject obj) {
  const double scale = RobotScaleValue(obj.size[9]);
  const double t = RobotAxisValue(obj.size[3]);
  double z = RobotAxisValue(obj.size[2]);
  if (z > 0.03) z = 0.03;
  double r1 = RobotAxisValue(obj.size[0]);
  if (r1 > 0.8) r1 = 0.8;
  if (r1 < -0.8) r1 = -0.8;
  const double l = 0.2;
  const SceneObject body = Piece(obj);
  const SceneObject hand = Tinted(obj, obj.cl_sub[0]);

  RobotFrame frame(obj, scale);
  Column(body, 0.0, 0.0, 0.0, 0.07, 0.27);
  Column(body, 0.0, 0.0, 0.27, 0.08, 0.01);
  TurnArmUnit(t);
  Column(body, 0.0, 0.0, 0.2801, 0.015, 0.0095 + z);

  // The two upper links turn symmetrically from shoulders 0.01 either side
  // of the axis. Each elbow carries two forearms: one pair meets hand 1's
  // wrist on +Y, the other hand 2's on -Y. With the elbows on the +Y side
  // hand 1 is carried out and hand 2's forearms fold back over the upper
  // links; with them on the -Y side it is the other way round.
  const TwinHandLayout arms = TwinHandArms(r1, l);
  const double theta = arms.theta, c = arms.c, elbowY = arms.elbowY;
  const double wrist1 = arms.wrist[0], wrist2 = arms.wrist[1];
  Link(body, 0.01 + l / 2.0 * c, elbowY / 2.0, z + 0.2846, l, 0.008, 0.02, -theta);
  Link(body, -0.01 - l / 2.0 * c, elbowY / 2.0, z + 0.2846, l, 0.008, 0.02, -(180.0 - theta));

  const double root1 = arms.root[0], root2 = arms.root[1];
  struct Side {
    double wrist, root, linkZ, sign;
    int index;
  };
  const Side sides[2] = {{wrist1, root1, z + 0.2928, 1.0, 0}, {wrist2, root2, z + 0.3010, -1.0, 1}};
  for (const Side& side : sides) {
    for (double mirror : {1.0, -1.0}) {
      // Forearm from the elbow (mirror * (0.01 + L c), L s) to the wrist
      // (mirror * 0.01, wrist): always L long.
      const double ex = mirror * (0.01 + l * c);
      const double wx = mirror * 0.01;
      const double heading = std::atan2(side.wrist - elbowY, wx - ex) / kDegToRad;
      Link(body, (ex + wx) / 2.0, (elbowY + side.wrist) / 2.0, side.linkZ, l, 0.008, 0.015, -heading);
    }
    // The hand block bridges the wrist and the plate's root.
    const double blockZ = side.linkZ + 0.0061;
    const double span = std::fabs(side.root - side.wrist);
    Box(hand, 0.0, (side.root + side.wrist) / 2.0, blockZ, 0.04, span + 0.02, 0.004);
    const double plateZ = side.linkZ + 0.0092;
    Hand(hand, 0.0, side.root, plateZ, 0.08, 0.14, 0.002, 0.03, side.sign > 0.0 ? 0.0 : 180.0);
    if (obj.Opt[side.index] == 1)
      CarriedWafer(
          obj, scale, t, 0.0, side.root + side.sign * 0.09, plateZ + 0.001, 0.055,
          WaferLoad{obj.cl_sub[1 + side.index], obj.cl_sub[5 + side.index], obj.ID[side.index], 0.0});
  }
}
