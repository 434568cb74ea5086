// Turned parts: drums, bolts, rods, shafts and studs, the ring block and
// the clevis. Everything round lies on one axis; the nuts are six-sided.

#include "equipment/CompositeParts.h"
#include "equipment/EquipmentPieces.h"

namespace {

constexpr double kSides[2] = {1.0, -1.0};

}  // namespace

void DrawDrumUnit(SceneObject obj) {
  // A drum hung on its shaft between two end plates under a top plate.
  const double r = obj.R, len = obj.size[0];
  const double plateT = 0.007;
  const double topUnder = 2.3 * r;  // underside of the top plate
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  const SceneObject metal = Tinted(obj, obj.cl_sub[1]);
  Rod(body, Axis::X, 0.0, 0.0, r, r, len);
  Rod(metal, Axis::X, 0.0, 0.0, r, r / 4.0, 1.2 * (len + 0.014));
  // The end plates are 1.7 R tall and hang from the top plate.
  for (double s : kSides)
    Box(body, s * (len / 2.0 + plateT), 0.0, topUnder - 0.85 * r, plateT, 2.0 * r, 1.7 * r);
  Box(body, 0.0, 0.0, topUnder + plateT / 2.0, len + 3.0 * plateT, 2.0 * r, plateT);
  Column(body, 0.0, 0.0, topUnder + plateT, len / 2.0, plateT);
  for (double sx : kSides)
    for (double sy : kSides)
      Column(metal, sx * (obj.W / 2.0 - 0.01), sy * (r - 0.01), topUnder + plateT, 0.01, 0.01, kHexSides);
  Box(body, 0.0, 0.0, -plateT / 2.0, obj.W, obj.D, plateT);
}

void DrawStudBolt(SceneObject obj) {
  const double shaftR = obj.size[0], headH = obj.size[1];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  // The shaft runs from the top of the head to H; a head taller than H
  // turns it inside out; the record is drawn as it stands.
  Column(body, 0.0, 0.0, headH, shaftR, obj.H - headH);
  const float head[3] = {obj.R, obj.R, obj.R / 2.0f};
  Profile(body, Axis::Z, 0.0, 0.0, headH / 2.0, head, 3, headH);
  Column(body, 0.0, 0.0, headH, 2.0 * shaftR, headH / 2.0, kHexSides);
  Column(body, 0.0, 0.0, obj.H / 2.0, 2.0 * shaftR, headH / 2.0, kHexSides);
}

void DrawThreadedRod(SceneObject obj) {
  const double d = obj.D;
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  Rod(body, Axis::Y, 0.0, 0.0, 0.0, obj.R, d);
  // Two nuts sit on the ends, two more an eighth of the length either side
  // of the middle.
  for (double s : kSides) Rod(body, Axis::Y, 0.0, s * d / 2.0, 0.0, obj.R2, obj.size[0], kHexSides);
  for (double s : kSides) Rod(body, Axis::Y, 0.0, s * d / 8.0, 0.0, obj.R2, obj.size[1], kHexSides);
}

void DrawCollarShaft(SceneObject obj) {
  const double d = obj.D, endT = obj.size[0], spacerT = obj.size[1];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  const SceneObject fitting = Tinted(obj, obj.cl_sub[0]);
  Rod(body, Axis::Y, 0.0, 0.0, 0.0, obj.R, d - 2.0 * (endT + spacerT));
  for (double s : kSides) {
    Washer(fitting, Axis::Y, 0.0, s * (d / 2.0 - endT / 2.0), 0.0, obj.R, obj.R / 2.0, endT);
    Washer(fitting, Axis::Y, 0.0, s * (d / 2.0 - endT - spacerT / 2.0), 0.0, obj.R2, obj.R2 / 2.0, spacerT);
  }
  for (double s : kSides) Rod(fitting, Axis::Y, 0.0, s * d / 8.0, 0.0, obj.size[3], obj.size[2], kHexSides);
}

void DrawRollerShaft(SceneObject obj) {
  const double len = obj.W, innerT = obj.size[1], outerT = obj.size[2];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  const SceneObject fitting = Tinted(obj, obj.cl_sub[0]);
  Rod(body, Axis::X, 0.0, 0.0, 0.0, obj.R, len);
  Rod(body, Axis::X, 0.0, 0.0, 0.0, obj.R2, len + 2.0 * innerT + 2.0 * outerT);
  for (double s : kSides) {
    Rod(fitting, Axis::X, s * (len / 2.0 + innerT / 2.0), 0.0, 0.0, obj.size[0], innerT, kHexSides);
    Rod(fitting, Axis::X, s * (len / 2.0 + innerT + outerT / 2.0), 0.0, 0.0, obj.size[3], outerT, kHexSides);
  }
}

void DrawRingBlock(SceneObject obj) {
  const double t = obj.size[0];
  PartFrame frame(obj);
  Box(Piece(obj), 0.0, 0.0, 0.0, obj.W, obj.D, obj.H);
  const SceneObject fitting = Tinted(obj, obj.cl_sub[0]);
  for (double s : kSides)
    Washer(fitting, Axis::X, s * (obj.W / 2.0 + t / 2.0), 0.0, 0.0, obj.R, obj.R / 2.0, t);
}

void DrawHexStud(SceneObject obj) {
  // Five sections stacked from the floor: hexagonal base, collar, round
  // section, hexagonal nut, round tip.
  const double nutH = obj.size[4];
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  double z = 0.0;
  Column(body, 0.0, 0.0, z, obj.R, obj.size[0], kHexSides);
  z += obj.size[0];
  Column(body, 0.0, 0.0, z, obj.size[3], 2.0 * nutH);
  z += 2.0 * nutH;
  Column(body, 0.0, 0.0, z, obj.R2, obj.size[1]);
  z += obj.size[1];
  Column(body, 0.0, 0.0, z, obj.R, nutH, kHexSides);
  z += nutH;
  Column(body, 0.0, 0.0, z, 0.6 * obj.R2, obj.size[5]);
}

void DrawClevis(SceneObject obj) {
  const double legW = obj.size[0], legD = obj.size[1], reach = obj.size[2];
  const double legH = reach - legD / 2.0;
  const double pinZ = -obj.H / 2.0 - reach + legD / 2.0;
  // Pins and axle stand a hair proud of the faces they end on, so their
  // end discs do not flicker against the legs.
  const double proud = 0.0004;
  PartFrame frame(obj);
  const SceneObject body = Piece(obj);
  const SceneObject pin = Tinted(obj, obj.cl_sub[0]);
  Box(body, 0.0, 0.0, 0.0, obj.W, obj.D, obj.H);
  for (double s : kSides)
    Box(body, s * (obj.W / 2.0 - legW / 2.0), 0.0, -obj.H / 2.0 - legH / 2.0, legW, legD, legH);
  for (double s : kSides)
    Rod(pin, Axis::X, s * (obj.W / 2.0 - legW / 2.0), 0.0, pinZ, legD / 2.0, legW + proud);
  Rod(pin, Axis::X, 0.0, 0.0, pinZ, 0.3 * legD, obj.W - 2.0 * legW + proud);
}
