// Box-bodied parts: the frame, valve and pump bodies, stacked units, pipe
// stands and the row of modules. Several carry pipes drawn along a path.

#include "equipment/CompositeParts.h"
#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "shapes/Shapes.h"

namespace {

constexpr double kSides[2] = {1.0, -1.0};

// A pipe of radius r whose path starts at (x, y, z) of the part's frame.
void Pipe(const SceneObject& obj, double x, double y, double z, double r, const double (*points)[3],
          int count) {
  SceneObject p = Piece(obj);
  p.X = static_cast<float>(x);
  p.Y = static_cast<float>(y);
  p.Z = static_cast<float>(z);
  p.R = p.R2 = static_cast<float>(r);
  DrawPipePath(p, points, count);
}

// The L-shaped pipe of the valve and pump bodies: out sideways by `out`,
// then straight down by `drop`; side is +1 or -1.
void SidePipe(const SceneObject& obj, double side, double x, double r, double out, double drop) {
  const double path[3][3] = {{0.0, 0.0, 0.0}, {side * out, 0.0, 0.0}, {side * out, -drop, 0.0}};
  Pipe(obj, x, 0.0, 0.0, r, path, 3);
}

// Base, shaft with nuts and the stack of round sections shared by the pipe
// stand and the riser. Returns the height of the top of the stack without
// its last section, which the caller draws (a column or a pipe).
double StandBase(const SceneObject& obj) {
  const SceneObject body = Piece(obj);
  Box(body, 0.0, 0.0, obj.H / 2.0, obj.W, obj.D, obj.H);
  Rod(body, Axis::X, 0.0, 0.0, obj.H / 2.0, obj.R, obj.size[0]);
  // A nut one third as thick as it is across, tight against the base.
  const double nutR = 1.8 * obj.R, nutT = 2.0 * nutR / 3.0;
  for (double s : kSides)
    Rod(body, Axis::X, s * (obj.W / 2.0 + nutT / 2.0), 0.0, obj.H / 2.0, nutR, nutT, kHexSides);
  double z = obj.H;
  // Flange 2.2 times the column's radius, with three sections a collar
  // 1.2 times it between flange and column.
  Column(body, 0.0, 0.0, z, 2.2 * obj.R2, obj.size[2]);
  z += obj.size[2];
  if (obj.Opt[1] == 3) {
    Column(body, 0.0, 0.0, z, 1.2 * obj.R2, obj.size[2]);
    z += obj.size[2];
  }
  return z;
}

}  // namespace

void DrawRectFrame(SceneObject obj) {
  const double w = obj.W, d = obj.D, h = obj.H;
  const double wall = obj.size[0], overhang = obj.size[1], flangeT = obj.size[2];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  // The panel the frame holds, half a wall thick, in the sub colour.
  Box(Tinted(obj, obj.cl_sub[0]), 0.0, 0.0, 0.0, w, wall / 2.0, h);
  for (double s : kSides) Box(body, 0.0, 0.0, s * (h / 2.0 - wall / 2.0), w, d, wall);
  for (double s : kSides) Box(body, s * (w / 2.0 - wall / 2.0), 0.0, 0.0, wall, d, h);
  // The flange on the front face: bars as wide as the wall plus the
  // overhang.
  const double bar = wall + overhang;
  const double y = d / 2.0 + flangeT / 2.0;
  for (double s : kSides)
    Box(body, 0.0, y, s * (h / 2.0 + overhang - bar / 2.0), w + 2.0 * overhang, flangeT, bar);
  for (double s : kSides)
    Box(body, s * (w / 2.0 + overhang - bar / 2.0), y, 0.0, bar, flangeT, h + 2.0 * overhang);
}

void DrawValveBlock(SceneObject obj) {
  const double runLen = obj.size[0], bonnetH = obj.size[1];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  Box(body, 0.0, 0.0, 0.0, obj.W, obj.D, obj.H);
  Rod(body, Axis::X, 0.0, 0.0, 0.0, obj.R, runLen);
  // Bonnet, stem (half as tall, sitting on the bonnet) and a collar round
  // the foot of the bonnet.
  Column(body, 0.0, 0.0, obj.H / 2.0, obj.R2, bonnetH);
  Column(body, 0.0, 0.0, obj.H / 2.0 + bonnetH, obj.R2 / 2.0, bonnetH / 2.0);
  Column(body, 0.0, 0.0, obj.H / 2.0, 1.3 * obj.R2, bonnetH / 4.0);
  if (obj.Opt[0] > 0)
    for (double s : kSides) SidePipe(obj, s, s * runLen / 2.0, 0.8 * obj.R, obj.size[4], obj.size[5]);
}

void DrawPumpUnit(SceneObject obj) {
  const double len = obj.W, r = obj.R;
  const double gland = obj.size[3], stubs = obj.size[4];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  // The casing: a turned body of six radii with narrowed heads.
  const float casing[6] = {0.6f * obj.R, obj.R, obj.R, obj.R, obj.R, 0.6f * obj.R};
  Profile(body, Axis::X, 0.0, 0.0, 0.0, casing, 6, len);
  // Terminal box on top, sunk a little into the casing.
  const double boxBase = 0.9 * r;
  Box(body, 0.0, 0.0, boxBase + obj.H / 2.0, obj.size[0], obj.D, obj.H);
  // Two feet under the casing.
  for (double s : kSides)
    Box(body, s * len / 3.0, 0.0, -0.8 * r - obj.size[2] / 2.0, obj.size[1], obj.D, obj.size[2]);
  // Cable gland with its nut on the terminal box.
  const double top = boxBase + obj.H;
  Column(body, 0.0, 0.0, top, obj.R2, gland);
  Column(body, 0.0, 0.0, top, 1.4 * obj.R2, gland / 3.0, kHexSides);
  // Connection stubs at both ends, each half of size[4] long; the pipes
  // leave from their tips.
  for (double s : kSides) Rod(body, Axis::X, s * (len / 2.0 + stubs / 4.0), 0.0, 0.0, obj.R2, stubs / 2.0);
  if (obj.Opt[0] > 0)
    for (double s : kSides) SidePipe(obj, s, s * (len + stubs) / 2.0, 0.8 * obj.R2, obj.size[6], obj.size[7]);
}

void DrawStackedUnit(SceneObject obj) {
  const double r = obj.R, w = obj.W, d = obj.D, h = obj.H;
  const double drop = obj.size[1], offset = obj.size[2];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  Rod(body, Axis::X, 0.0, 0.0, 0.0, r, obj.size[0]);
  Box(body, 0.0, 0.0, r + h / 2.0, w, d, h);
  // The upper storey and the arm set off along X stand on the rear half.
  const double upper = r + h;
  Box(body, 0.0, -d / 4.0, upper + h / 2.0, w, d / 2.0, h);
  Box(body, offset, -d / 4.0, upper + 0.375 * h, offset, d / 2.0, 0.75 * h);
  // A probe hanging from the arm's outer end.
  Column(body, 1.5 * offset - obj.R2, -d / 4.0, upper - drop, obj.R2, drop);
}

void DrawPipeStand(SceneObject obj) {
  PartFrame frame(obj);
  const double z = StandBase(obj);
  Column(Piece(obj), 0.0, 0.0, z, obj.R2, obj.size[1]);
}

void DrawPipeRiser(SceneObject obj) {
  PartFrame frame(obj);
  const double z = StandBase(obj);
  if (obj.Opt[0] != 1) {
    Column(Piece(obj), 0.0, 0.0, z, obj.R2, obj.size[1]);
    return;
  }
  // Instead of the column an elbow pipe leaves the top of the stack: out
  // along the depth, then up by the same length. It rests on the stack.
  const double a = obj.size[3];
  const double path[3][3] = {{0.0, 0.0, 0.0}, {0.0, 0.0, a}, {0.0, a, a}};
  Pipe(obj, 0.0, 0.0, z + obj.R2, obj.R2, path, 3);
}

void DrawModuleRow(SceneObject obj) {
  // Everything stands on the floor with its front face on y = 0; the row
  // runs along +X from the reference point.
  const double ringT = obj.size[8];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  const SceneObject fitting = Tinted(obj, obj.cl_sub[0]);
  double x = 0.0;
  // A block of width w, depth d and height h, its left side at x, with a
  // pair of rings of outer radius ring on its front face.
  auto block = [&](double w, double d, double h, double ring) {
    Box(body, x + w / 2.0, -d / 2.0, h / 2.0, w, d, h);
    if (ring > 0.0)
      for (double s : kSides)
        Washer(fitting, Axis::Y, x + w / 2.0, ringT / 2.0, h * (0.5 + s * 0.25), ring, ring / 2.0, ringT);
    x += w;
  };
  block(obj.size[0], obj.size[1], obj.size[2], 0.0);
  block(obj.size[3], obj.size[4], obj.size[5], obj.R2);
  const int modules = RepeatCount(obj.Opt[0]);
  const double lidH = obj.size[7];
  for (int i = 0; i < modules; ++i) {
    // The lid is a hair narrower than its module, so neighbouring lids
    // do not share a face.
    Box(body, x + obj.W / 2.0, -obj.D / 2.0, obj.H + lidH / 2.0, obj.W - 0.001, obj.D, lidH);
    block(obj.W, obj.D, obj.H, obj.R);
  }
  block(obj.size[0], obj.size[1], obj.size[2], obj.R2);
}

void DrawGaugeValve(SceneObject obj) {
  const double w = obj.W, d = obj.D, h = obj.H;
  const double run = obj.size[1];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  Box(body, 0.0, 0.0, 0.0, w, d, h);
  const float bonnet[3] = {obj.R, 0.7f * obj.R, 0.45f * obj.R};
  Profile(body, Axis::Z, 0.0, 0.0, h / 2.0 + obj.size[0] / 2.0, bonnet, 3, obj.size[0]);
  Rod(body, Axis::X, 0.0, 0.0, 0.0, obj.R2, run);
  if (obj.Opt[0] > 0) {
    for (double s : kSides) {
      const double q = s * run / 4.0;
      double third[3] = {q, 0.0, -d};  // 2 and anything unknown: back
      switch (obj.Opt[0]) {
        case 1:
          third[1] = -h, third[2] = 0.0;
          break;  // down
        case 3:
          third[1] = h, third[2] = 0.0;
          break;  // up
        case 4:
          third[2] = d;
          break;  // forward
        default:
          break;
      }
      const double path[3][3] = {{0.0, 0.0, 0.0}, {q, 0.0, 0.0}, {third[0], third[1], third[2]}};
      Pipe(obj, s * run / 2.0, 0.0, 0.0, obj.R2, path, 3);
    }
  }
  if (obj.Opt[1] > 0) {
    // A pressure gauge on the front face: stem, case and the dial that
    // closes the case.
    const double caseR = obj.size[2], reach = obj.size[3];
    const double gz = h / 4.0;
    Rod(body, Axis::Y, 0.0, d / 2.0 + reach / 4.0, gz, caseR / 4.0, reach / 2.0);
    Rod(body, Axis::Y, 0.0, d / 2.0 + 0.75 * reach, gz, caseR, reach / 2.0);
    SceneObject dial = Tinted(obj, obj.cl_sub[0]);
    dial.X = 0.0f;
    dial.Y = static_cast<float>(d / 2.0 + reach + 0.0002);
    dial.Z = static_cast<float>(gz);
    dial.R = static_cast<float>(0.9 * caseR);
    dial.Ang[1] = 90.0f;
    DrawCircle(dial);
  }
}
