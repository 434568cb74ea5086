// The three wafer-transfer robots, drawn from their layouts
// (RobotLayout.h), which the interference check reads too. Each is drawn
// from its record alone: the colours in clFill (the body) and cl_sub[0]
// (the hands), the wafers' in the sub colours their layout names, the
// wafers' looks in Opt[6], Opt[7], their IDs in ID[].

#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "equipment/RobotLayout.h"
#include "mesh/Emit.h"
#include "shapes/ShapeCommon.h"

namespace {

// The robot's frame from its layout. Normals are renormalised while a
// scale other than 1 is in force, so that the robot is lit the same at
// every size.
class RobotFrame {
 public:
  explicit RobotFrame(const RobotLayout& layout) : normalize_(layout.scale != 1.0) {
    emit::Push();
    ApplyFrameSteps(layout.frame);
  }
  ~RobotFrame() { emit::Pop(); }
  RobotFrame(const RobotFrame&) = delete;
  RobotFrame& operator=(const RobotFrame&) = delete;

 private:
  NormalizeScope normalize_;
};

// A hand plate part in the hand's look.
void Hand(const SceneObject& look, const RobotPart& part) {
  SceneObject p = Piece(look);
  p.X = static_cast<float>(part.x);
  p.Y = static_cast<float>(part.y);
  p.Z = static_cast<float>(part.z);
  p.W = static_cast<float>(part.w);
  p.D = static_cast<float>(part.d);
  p.H = static_cast<float>(part.h);
  p.R = static_cast<float>(part.r);
  p.Ang[0] = static_cast<float>(part.ang);
  HandPlate(p);
}

// A wafer part. Its pattern is turned back by the arm unit's turn so that
// it keeps its heading; its ID keeps its size through the robot's scale.
void CarriedWafer(const SceneObject& robot, const RobotLayout& layout, const RobotPart& part) {
  SceneObject w = Piece(robot);
  w.Shp = ShapeKind::Wafer;
  w.X = static_cast<float>(part.x);
  w.Y = static_cast<float>(part.y);
  w.Z = static_cast<float>(part.z);
  w.R = static_cast<float>(part.r);
  w.H = 0.001f;
  w.Ang[0] = static_cast<float>(-layout.turn);
  w.clFill = robot.cl_sub[part.fillSub];
  w.cl_sub[0] = robot.cl_sub[part.ringSub];
  w.cl_sub[1] = robot.cl_sub[9];
  w.Opt[0] = robot.Opt[6];
  w.Opt[1] = robot.Opt[7];
  w.ID[0] = robot.ID[part.idSlot];
  const double scale = layout.scale;
  const double inverse = scale != 0.0 ? 1.0 / scale : 0.0;
  w.size[9] = static_cast<float>(scale);
  w.size[2] = static_cast<float>(0.01 * inverse);
  w.size[0] = static_cast<float>(part.textSide * inverse);
  Wafer(w);
}

void DrawRobot(const SceneObject& obj, const RobotLayout& layout) {
  const SceneObject body = Piece(obj);
  const SceneObject hand = Tinted(obj, obj.cl_sub[0]);
  RobotFrame frame(layout);
  bool turned = false;
  bool started = false;
  RobotPartRole role = RobotPartRole::Body;
  for (const RobotPart& p : layout.parts) {
    if (p.turns && !turned) {
      emit::Rotate(layout.turn, 0.0, 1.0, 0.0);
      turned = true;
    }
    // Body, hands and wafers as pieces of their own, for the checks.
    if (!started || p.role != role) {
      emit::Out().StartPiece(RobotPieceName(p.role));
      started = true;
      role = p.role;
    }
    const SceneObject& look = p.role == RobotPartRole::Hand ? hand : body;
    switch (p.shape) {
      case RobotPartShape::Column:
        Column(look, p.x, p.y, p.z, p.r, p.h);
        break;
      case RobotPartShape::Box:
        Box(look, p.x, p.y, p.z, p.w, p.d, p.h);
        break;
      case RobotPartShape::Link:
        Link(look, p.x, p.y, p.z, p.w, p.h, p.r, p.ang);
        break;
      case RobotPartShape::Hand:
        Hand(look, p);
        break;
      case RobotPartShape::Wafer:
        CarriedWafer(obj, layout, p);
        break;
    }
  }
}

}  // namespace

const char* RobotPieceName(RobotPartRole role) {
  switch (role) {
    case RobotPartRole::Hand:
      return "Robot hand";
    case RobotPartRole::Wafer:
      return "Robot wafer";
    case RobotPartRole::Body:
      break;
  }
  return "Robot body";
}

void ScaraRobot(SceneObject obj) {
  DrawRobot(obj, ScaraLayout(obj));
}

void TwinHandRobot(SceneObject obj) {
  DrawRobot(obj, TwinHandLayout(obj));
}

void FrogLegRobot(SceneObject obj) {
  DrawRobot(obj, FrogLegLayout(obj));
}
