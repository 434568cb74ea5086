// Fittings and fixtures: the connector, the terminal strip, the rack with
// its level, the open box and the angle profile.

#include <algorithm>

#include "equipment/CompositeParts.h"
#include "equipment/EquipmentPieces.h"
#include "mesh/Emit.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

constexpr double kSides[2] = {1.0, -1.0};

}  // namespace

void DrawConnector(SceneObject obj) {
  // A D-shaped multi-pin connector drawn at its natural size (a few
  // hundredths across) and scaled as a whole by size[0]. The mounting
  // flange lies on y = 0, the shroud faces +Y and the pins leave the back.
  const double scale = obj.size[0] == 0.0f ? 1.0 : double(obj.size[0]);
  const int pins = RepeatCount(obj.Opt[0]);
  const int rows = obj.Opt[1] == 2 ? 2 : 1;
  const bool stepped = obj.Opt[2] == 2;
  const double pitch = 0.0028;
  const double bodyW = std::max(pins, 1) * pitch + 0.006;
  const double bodyH = rows * pitch + 0.004;

  PartFrame frame(obj);
  emit::Push();
  emit::Scale(scale, scale, scale);
  NormalizeScope normalize(scale != 1.0);
  const SceneObject body = Piece(obj);
  const SceneObject contact = Tinted(obj, obj.cl_sub[0]);
  const SceneObject shell = Tinted(obj, obj.cl_sub[1]);

  Box(shell, 0.0, 0.0, 0.0, bodyW + 0.016, 0.001, bodyH + 0.006);
  Box(body, 0.0, -0.0055, 0.0, bodyW, 0.01, bodyH);
  {
    SceneObject shroud = Piece(shell);
    shroud.Y = 0.0035f;
    shroud.W = static_cast<float>(bodyW);
    shroud.size[0] = static_cast<float>(bodyW - pitch);
    shroud.D = 0.006f;
    shroud.H = static_cast<float>(bodyH);
    DrawTrapezoid(shroud);
  }
  // Pins out of the back: the second row has one pin fewer, set half a
  // pitch over, as on a D-shaped shell.
  const double pinLen = 0.008, pinY = -0.0105 - pinLen / 2.0;
  const float collar[4] = {0.0009f, 0.0009f, 0.0005f, 0.0005f};
  for (int row = 0; row < rows; ++row) {
    const int n = row == 0 ? pins : std::max(pins - 1, 0);
    const double z = rows == 2 ? (row == 0 ? pitch / 2.0 : -pitch / 2.0) : 0.0;
    for (int i = 0; i < n; ++i) {
      const double x = (i - (n - 1) / 2.0) * pitch;
      if (stepped)
        Profile(contact, Axis::Y, x, pinY, z, collar, 4, pinLen);
      else
        Rod(contact, Axis::Y, x, pinY, z, 0.0004, pinLen);
    }
  }
  if (obj.Opt[3] == 1) {
    // Hood over the pins, two jack screws with round heads.
    Box(shell, 0.0, -0.0075, 0.0, bodyW + 0.006, 0.014, bodyH + 0.004);
    Box(shell, 0.0, -0.0195, 0.0, 0.6 * (bodyW + 0.006), 0.01, 0.8 * (bodyH + 0.004));
    for (double s : kSides) {
      const double x = s * (bodyW / 2.0 + 0.0045);
      Rod(contact, Axis::Y, x, -0.008, 0.0, 0.001, 0.023);
      Knob(contact, x, -0.0205, 0.0, 0.0018);
    }
  }
  if (obj.Opt[4] == 1) Rod(body, Axis::Y, 0.0, -0.0345, 0.0, 0.3 * (bodyH + 0.004), 0.02);
  emit::Pop();
}

void DrawTerminalStrip(SceneObject obj) {
  const double w = obj.W, d = obj.D, h = obj.H, r = obj.R;
  const double endW = obj.size[1];
  const double sink = 0.002;  // the base plate's top lies this far below z = 0
  const double floor = -sink - h;
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  const SceneObject fitting = Tinted(obj, obj.cl_sub[0]);
  Box(body, 0.0, 0.0, -sink - h / 2.0, w - 2.0 * endW, d, h);
  for (double s : kSides)
    Box(body, s * (w / 2.0 - endW / 2.0), 0.0, floor + obj.size[3] / 2.0, endW, obj.size[2], obj.size[3]);
  for (double s : kSides)
    Box(body, s * (w / 2.0 + sink / 2.0), 0.0, floor + obj.size[3] / 2.0, sink, obj.size[4], obj.size[3]);
  // Screw heads standing on z = 0, each on a neck of half its radius that
  // bridges the gap down to the base plate. One terminal sits in the
  // middle; the row needs two for its spacing.
  const int n = RepeatCount(obj.Opt[0]);
  const double headH = obj.size[5] != 0.0f ? double(obj.size[5]) : r;
  const double first = -(w / 2.0 - endW) + r;
  const double pitch = n > 1 ? (w - 0.08) / (n - 1) : 0.0;
  for (int i = 0; i < n; ++i) {
    const double x = n == 1 ? 0.0 : first + i * pitch;
    Column(fitting, x, 0.0, 0.0, r, headH);
    Column(fitting, x, 0.0, -sink, r / 2.0, sink);
  }
}

void DrawLevelRack(SceneObject obj) {
  const double w = obj.W, d = obj.D, h = obj.H;
  const double plate = h / 30.0;
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  Box(body, 0.0, 0.0, plate / 2.0, w, d, plate);
  Box(body, 0.0, 0.0, h + plate / 2.0, w, d, plate);
  const SceneObject post = Tinted(obj, obj.cl_sub[0]);
  for (double sx : kSides)
    for (double sy : kSides)
      Column(post, sx * (w / 2.0 - 0.08 * w), sy * (d / 2.0 - 0.08 * w), plate, 0.04 * w, h, 30);
  // The level: of a hundred thin layers, those above Opt[0] are drawn.
  // Layer k lies k hundredths of H above the base plate's middle, so the
  // last one hides inside the top plate rather than fight with its face.
  const SceneObject layer = Tinted(obj, obj.cl_sub[1]);
  for (int k = 1; k <= 100; ++k) {
    if (k <= obj.Opt[0]) continue;
    Panel(layer, 0, 0.0, 0.0, plate / 2.0 + h * k / 100.0, w - 0.12 * w, d - 0.12 * w, 0.00001);
  }
}

void DrawOpenBox(SceneObject obj) {
  // A carrier box standing on the floor, open at the front: walls of
  // thickness size[0] (W / 40 when 0), faces inside in cl_sub[0], a door
  // 1.1 H tall on the front (Opt[1] = 1 leaves it open), a back wall with
  // Opt[0] = 1 and side handles with Opt[2] = 1.
  const double w = obj.W, d = obj.D, h = obj.H;
  const double t = obj.size[0] > 0.0f ? double(obj.size[0]) : w / 40.0;
  const double doorT = obj.size[1] > 0.0f ? double(obj.size[1]) : t;
  const double inset = 0.0002;  // the inner faces stand this far off the walls
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  Box(body, 0.0, 0.0, t / 2.0, w, d, t);
  Box(body, 0.0, 0.0, h - t / 2.0, w, d, t);
  for (double s : kSides) Box(body, s * (w / 2.0 - t / 2.0), 0.0, h / 2.0, t, d, h - 2.0 * t);
  if (obj.Opt[0] == 1) Box(body, 0.0, -d / 2.0 + t / 2.0, h / 2.0, w - 2.0 * t, t, h - 2.0 * t);
  const SceneObject liner = Tinted(obj, obj.cl_sub[0]);
  const double innerW = w - 2.0 * t, innerH = h - 2.0 * t;
  Panel(liner, 0, 0.0, 0.0, t + inset, innerW, d, 0.0);
  Panel(liner, 1, 0.0, 0.0, h - t - inset, innerW, d, 0.0);
  Panel(liner, 5, -w / 2.0 + t + inset, 0.0, h / 2.0, 0.0, d, innerH);
  Panel(liner, 4, w / 2.0 - t - inset, 0.0, h / 2.0, 0.0, d, innerH);
  if (obj.Opt[1] != 1) Box(body, 0.0, d / 2.0 + doorT / 2.0, h / 2.0, w, doorT, 1.1 * h);
  if (obj.Opt[2] == 1) {
    const SceneObject grip = Tinted(obj, obj.cl_sub[1]);
    const double gripR = h / 24.0;
    for (double s : kSides) {
      Box(grip, s * (w / 2.0 + w / 20.0), 0.0, 0.6 * h, w / 10.0, d / 3.0, h / 12.0);
      Rod(grip, Axis::Y, s * (w / 2.0 + w / 10.0 + gripR), 0.0, 0.6 * h, gripR, d / 2.0);
    }
  }
}

void DrawAngleProfile(SceneObject obj) {
  // An L profile of wall R, extruded D long from the reference point, which
  // is the outer corner at the start. One leg W across lies flat, the
  // other H tall stands up (Opt[0] = 1 swaps them). Dir 0 runs it along Y,
  // 1 along X, 2 straight up.
  const double wall = obj.R, len = obj.D;
  double flat = obj.W, upright = obj.H;
  if (obj.Opt[0] == 1) std::swap(flat, upright);
  // Legs in profile terms: u across, v up the profile, and the run along
  // the extrusion; the upright leg starts above the flat one, so the two
  // share no face.
  struct Leg {
    double u, v, du, dv;
  };
  const Leg legs[2] = {{flat / 2.0, wall / 2.0, flat, wall},
                       {wall / 2.0, wall + (upright - wall) / 2.0, wall, upright - wall}};
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  for (const Leg& g : legs) {
    switch (obj.Dir) {
      case 1:
        Box(body, len / 2.0, g.u, g.v, len, g.du, g.dv);
        break;
      case 2:
        Box(body, g.u, g.v, len / 2.0, g.du, g.dv, len);
        break;
      default:
        Box(body, g.u, len / 2.0, g.v, g.du, len, g.dv);
        break;
    }
  }
}
