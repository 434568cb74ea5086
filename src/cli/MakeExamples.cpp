// Writes the example scenes of data/examples: a wafer-handling cell built
// only from the program's own object kinds, one small scene per robot
// kind, and a cell of model files (written here too). Run after changing it: tessaly-make-examples data/examples
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

#include "equipment/ObjectDrawing.h"
#include "models/CadWriter.h"
#include "models/SceneExport.h"
#include "objects/AllowedContacts.h"
#include "objects/FileAccess.h"
#include "objects/ObjectFile.h"
#include "objects/SceneView.h"
#include "objects/ShapeKind.h"
#include "render/ViewFit.h"

namespace {

// Colours are 0x00BBGGRR.
constexpr Color kFrameGrey = 0xF0F0F0;
constexpr Color kCoverGrey = 0xD8D8D0;
constexpr Color kSteel = 0xB0B0A8;
constexpr Color kDarkSteel = 0x606058;
constexpr Color kCarrierBlue = 0xC07830;
constexpr Color kWaferGrey = 0xB09898;
constexpr Color kChamberTeal = 0x908850;
constexpr Color kChamberGlass = 0xD0C890;
constexpr Color kPmBody = 0xC8D0D8;
constexpr Color kLabelNavy = 0x602010;

// The kind of a carrier box, open at the front (kind 132).
constexpr int32_t kCarrierBox = 132;

class SceneBuilder {
 public:
  SceneBuilder() : table_(std::make_unique<ObjectTable>()) { InitializeRecords(table_->data(), kObjectCapacity); }

  SceneObject& Add(const char* name, int32_t kind) {
    SceneObject& r = (*table_)[static_cast<size_t>(next_++)];
    r.Enbl = true;
    r.Shp = kind;
    r.Name = name;
    return r;
  }

  SceneObject& Box(const char* name, float x, float y, float z, float w, float d, float h, Color c) {
    SceneObject& r = Add(name, ShapeKind::Cube);
    r.X = x;
    r.Y = y;
    r.Z = z + h / 2;  // cubes are centred; z is where the box stands
    r.W = w;
    r.D = d;
    r.H = h;
    r.clFill = c;
    r.Frame = true;
    r.clFrame = kDarkSteel;
    return r;
  }

  SceneObject& Column(const char* name, float x, float y, float z, float radius, float h, Color c, int reso = 36) {
    SceneObject& r = Add(name, ShapeKind::Cylinder);
    r.X = x;
    r.Y = y;
    r.Z = z;
    r.R = r.R2 = radius;
    r.H = h;
    r.Reso = reso;
    r.clFill = c;
    return r;
  }

  SceneObject& WaferAt(const char* name, float x, float y, float z, int id) {
    SceneObject& r = Add(name, ShapeKind::Wafer);
    r.X = x;
    r.Y = y;
    r.Z = z;
    r.R = 0.15f;  // 300 mm
    r.H = 0.001f;
    r.clFill = kWaferGrey;
    r.cl_sub[0] = 0x808080;
    r.cl_sub[9] = 0x404040;
    r.Tex = 1;  // the built-in wafer picture
    r.Opt[0] = 1;  // edge ring
    if (id > 0) {
      r.Opt[1] = 1;  // ID text
      r.ID[0] = static_cast<int16_t>(id);
      r.size[8] = r.size[9] = 1.0f;
    }
    r.Frame = true;
    r.clFrame = 0x505050;
    return r;
  }

  SceneObject& Label(const char* text, float x, float y, float z, float size = 1.5f, int dir = 0) {
    SceneObject& r = Add(text, ShapeKind::BlockText);
    r.Text = text;
    r.X = x;
    r.Y = y;
    r.Z = z;
    r.Dir = dir;
    r.size[0] = 2.0f;  // stroke width
    r.size[1] = size;  // character size
    r.clFill = kLabelNavy;
    // Text is centred on its position, 0.07 x size per character, 0.1 x
    // size high; a little more all round for the strokes.
    const double half = std::strlen(text) * 0.07 * size / 2 + 0.02 * size;
    const double lo[3] = {x - half, y - 0.02, z - 0.08 * size}, hi[3] = {x + half, y + 0.02, z + 0.08 * size};
    AddBoxBounds(lo, hi, balls_);
    return r;
  }

  // A box the opening view must show, besides the labels and the arm.
  void Show(double x0, double y0, double z0, double x1, double y1, double z1) {
    const double lo[3] = {x0, y0, z0}, hi[3] = {x1, y1, z1};
    AddBoxBounds(lo, hi, balls_);
  }

  // The view the scene opens with: at these angles, fitted to the laid-out
  // panel around everything shown, the window's arm in its Home pose and
  // the floor under them.
  void Frame(float angleX, float angleZ) {
    std::vector<BoundSphere> balls = balls_;
    const float home[6] = {0, 0, 90, 0, 0, 0};
    AddArmBounds(home, balls);
    AddFloorFootprints(balls);
    ViewSettings v;
    v.angleX = angleX;
    v.angleZ = angleZ;
    ViewLimits limits;
    limits.zoomMin = -10.0;  // the perspective zoom bar's range once ortho was used
    const ViewSettings f = FitViewToBounds(v, balls, limits);
    viewLine_ = FormatViewLine(SceneViewOf(f));
  }

  // The record's number in the file.
  int Number(const SceneObject& r) const { return static_cast<int>(&r - table_->data()); }

  // A contact the cell is meant to make: a robot's "hand" or the "wafer" on
  // it against a record, both by number. Saved on the allowance line.
  void Allow(int robot, const char* piece, int object) {
    char mover[32], what[16];
    std::snprintf(mover, sizeof mover, "OBJ%03d.%s", robot, piece);
    std::snprintf(what, sizeof what, "OBJ%03d", object);
    if (!allowed_.Add(mover, what)) std::fprintf(stderr, "allowance %s %s refused\n", mover, what);
  }

  bool Save(const std::string& path) const {
    if (SaveObjects(path, table_->data(), next_, SaveOptions{}, nullptr,
                    viewLine_ + FormatAllowLine(allowed_)) != 1) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return false;
    }
    std::printf("%s: %d objects\n", path.c_str(), next_);
    return true;
  }

 private:
  std::unique_ptr<ObjectTable> table_;
  int next_ = 0;
  std::vector<BoundSphere> balls_;
  std::string viewLine_;
  AllowedContacts allowed_;
};

constexpr float kDegrees = 3.14159265f / 180.0f;

// The stations hold their wafers at 0.965 m, the height both robots hand
// over at, on two pads under the wafer's rim either side of the lane the
// hands take: centred `side` degrees (from +X) and opposite, 0.136 m out
// from the wafer's centre, 4 cm long along the rim, from `base` up to a
// millimetre under the wafer. A hand reaches at most 0.105 m either side
// of its lane, so it slides in between them; whatever stands under the
// wafer stays lower than the hands. The pads' numbers go to pads.
void WaferPads(SceneBuilder& s, float x, float y, float base, float side, int pads[2]) {
  for (int k = 0; k < 2; ++k) {
    const float a = side + 180.0f * static_cast<float>(k);
    SceneObject& pad = s.Box("wafer pad", x + 0.136f * std::cos(a * kDegrees),
                             y + 0.136f * std::sin(a * kDegrees), base, 0.012f, 0.04f, 0.964f - base, kSteel);
    pad.Ang[0] = -a;  // its width along the radius
    pads[k] = s.Number(pad);
  }
}

// The front end: four load ports with 25-slot carriers facing the viewer,
// a SCARA robot on a travel axis, an aligner and two load locks; behind it
// a hexagonal transfer chamber with a frog-leg robot and four process
// modules. The window's articulated arm stands at the origin in front of
// the load ports, where carriers are handed over. The default view looks
// from +Y towards -Y, so the cell lies at negative Y. The stations are
// open where the hands go in: the carriers at their front, the process
// chambers on the transfer chamber's side; the hand-offs of both robots'
// cycles are the contacts the cell allows.
void BuildDemoCell(SceneBuilder& s) {
  const float portX[4] = {-1.2f, -0.4f, 0.4f, 1.2f};
  const char* portNames[4] = {"LP1", "LP2", "LP3", "LP4"};
  const float portY = -1.1f;
  // The front end's robot comes first: drawn before the translucent
  // carriers, it shows through them when its hand is inside one.
  const float efemY = -1.65f;
  SceneObject& scara = s.Add("RBT1 SCARA", ShapeKind::ScaraRobot);
  scara.X = 0.0f;
  scara.Y = efemY;
  // The robot's carriage runs in the rail, so that its lowest hand reaches
  // the bottom slot of a carrier.
  scara.Z = 0.0f;
  // Its own axes, shown when it follows no panel: LP2-Ext(Dn) at slot "1".
  scara.size[0] = 0.33f;   // R1: arm 1 reaching into LP2
  scara.size[1] = -0.2f;   // R2: arm 2 folded
  scara.size[2] = 0.005f;  // Z
  scara.size[3] = 0.0f;    // T: facing the load ports
  scara.size[4] = -0.4f;   // X on the travel axis
  scara.size[9] = 3.0f;    // scale
  scara.Opt[8] = 1;        // follows the RBT1 panel
  scara.Opt[0] = 1;       // wafer on hand 1
  scara.Opt[2] = 1;       // dual arm
  scara.clFill = 0xE1E1E1;
  scara.cl_sub[0] = 0xE1FFFF;
  scara.cl_sub[1] = scara.cl_sub[2] = kWaferGrey;
  scara.ID[0] = 1001;
  const int rbt1 = s.Number(scara);

  int lp2Bottom = -1;
  for (int p = 0; p < 4; ++p) {
    s.Box("load port", portX[p], portY, 0.0f, 0.5f, 0.35f, 0.9f, kFrameGrey);
    // The port's frame above the carrier's open front, where the hand goes in.
    s.Box("port plate", portX[p], portY - 0.18f, 1.26f, 0.5f, 0.02f, 0.09f, kSteel);
    // Translucent things are drawn after what they hold (objects are drawn
    // in their numbers' order), so the wafers come first.
    for (int slot = 0; slot < 25; ++slot) {
      // Every carrier holds wafers in its lower slots, fewer from port to port.
      if (slot >= 25 - 5 * p) continue;
      SceneObject& w = s.WaferAt("carrier wafer", portX[p], portY, 0.93f + 0.012f * slot, 0);
      if (p == 1 && slot == 0) lp2Bottom = s.Number(w);
    }
    // The carrier: walls 6 mm thick round its slots, open at the front,
    // which stands 1 cm back from the port's plate, clear of a wafer the
    // robot turns past it with its arm folded.
    SceneObject& carrier = s.Add("carrier", kCarrierBox);
    carrier.X = portX[p];
    carrier.Y = portY + 0.005f;
    carrier.Z = 0.9f;
    carrier.W = 0.42f;
    carrier.D = 0.33f;
    carrier.H = 0.36f;
    carrier.size[0] = 0.006f;
    carrier.Opt[0] = 1;       // a back wall
    carrier.Opt[1] = 1;       // no door
    carrier.Ang[0] = 180.0f;  // its front towards the robot
    carrier.clFill = carrier.cl_sub[0] = kCarrierBlue;
    carrier.Trans = 0.35f;
    carrier.Frame = true;
    carrier.clFrame = kDarkSteel;
    s.Label(portNames[p], portX[p], portY + 0.2f, 1.4f);
  }

  // The equipment front end's floor, the travel axis and its robot.
  SceneObject& efem = s.Box("EFEM base", 0.0f, efemY, 0.0f, 3.4f, 0.75f, 0.05f, kCoverGrey);
  efem.Frame = false;
  s.Box("travel rail", 0.0f, efemY, 0.05f, 3.0f, 0.14f, 0.06f, kSteel);
  s.Label("RBT1", 0.4f, efemY, 1.3f);

  // Aligner at the end of the travel axis, reached along -X: its chuck
  // under the hands' lane, the wafer on pads either side of it.
  int algPads[2];
  s.Box("aligner stand", -1.95f, efemY, 0.0f, 0.36f, 0.36f, 0.9f, kFrameGrey);
  s.Column("aligner chuck", -1.95f, efemY, 0.9f, 0.05f, 0.045f, kDarkSteel);
  WaferPads(s, -1.95f, efemY, 0.9f, 90.0f, algPads);
  const int aligned = s.Number(s.WaferAt("aligned wafer", -1.95f, efemY, 0.965f, 1002));
  s.Label("ALG", -1.95f, efemY + 0.2f, 1.15f);

  // Two load locks between the front end and the transfer chamber, reached
  // by RBT1 along -Y and by RBT2 from the chamber's centre: their pads lie
  // either side of both lanes.
  const float llY = -2.4f;
  const float tmX = 0.0f, tmY = -3.55f;
  int ll1Wafer = -1;
  for (int i = 0; i < 2; ++i) {
    const float x = i == 0 ? -0.5f : 0.5f;
    const float fromChamber = std::atan2(llY - tmY, x - tmX) / kDegrees;
    int pads[2];
    s.Column("load lock stage", x, llY, 0.88f, 0.12f, 0.065f, kSteel);
    WaferPads(s, x, llY, 0.88f, (fromChamber - 90.0f) / 2.0f, pads);
    const int wafer = s.Number(s.WaferAt("load lock wafer", x, llY, 0.965f, 1003 + i));
    if (i == 0) ll1Wafer = wafer;
    s.Box(i == 0 ? "load lock 1" : "load lock 2", x, llY, 0.0f, 0.6f, 0.6f, 0.88f, kPmBody);
    s.Label(i == 0 ? "LL1" : "LL2", x, llY, 1.15f);
  }

  // Hexagonal transfer chamber with its frog-leg robot.
  SceneObject& frog = s.Add("RBT2 frog-leg", ShapeKind::FrogLegRobot);
  frog.X = tmX;
  frog.Y = tmY;
  // On the chamber's plinth, its hands at the hand-over height.
  frog.Z = 0.16f;
  // Its own axes, shown when it follows no panel: PM3-Ext(Dn).
  frog.size[0] = 0.7f;     // R1: hand 1 extended
  frog.size[2] = 0.0054f;  // Z
  frog.size[3] = 155.0f;   // T: towards PM3
  frog.size[9] = 2.6f;
  frog.Opt[8] = 2;  // follows the RBT2 panel
  frog.Opt[0] = 1;
  frog.clFill = 0xD0D0D0;
  frog.cl_sub[0] = 0xE1FFFF;
  frog.cl_sub[1] = frog.cl_sub[2] = kWaferGrey;
  frog.ID[0] = 1005;
  const int rbt2 = s.Number(frog);
  // The chamber's six walls, open at the top so its robot shows.
  SceneObject& tm = s.Add("transfer chamber", ShapeKind::Ring);
  tm.X = tmX;
  tm.Y = tmY;
  tm.Z = 0.4f;  // rings are centred on their height
  tm.W = 1.7f;  // outer radius 0.85
  tm.R = 0.78f;
  tm.H = 0.8f;
  tm.Reso = 6;
  tm.Ang[0] = 30.0f;
  tm.clFill = kChamberTeal;
  tm.Frame = true;
  tm.clFrame = kDarkSteel;
  SceneObject& floorPlate = s.Column("chamber floor", tmX, tmY, 0.0f, 0.8f, 0.16f, kCoverGrey, 6);
  floorPlate.Ang[0] = 30.0f;
  s.Label("TM", tmX, tmY, 1.5f, 2.0f);

  // Four process modules around the far side of the chamber, each with a
  // wafer on its stage, within the frog-leg robot's reach.
  const float pmAngle[4] = {-165.0f, -115.0f, -65.0f, -15.0f};
  const char* pmNames[4] = {"PM1", "PM2", "PM3", "PM4"};
  int pm3Wafer = -1, pm3Pads[2] = {-1, -1};
  for (int i = 0; i < 4; ++i) {
    const float a = pmAngle[i] * kDegrees;
    const float x = tmX + 1.3f * std::cos(a);
    const float y = tmY + 1.3f * std::sin(a);
    SceneObject& pm = s.Box(pmNames[i], x, y, 0.0f, 0.8f, 0.8f, 0.88f, kPmBody);
    pm.Ang[0] = 90.0f - pmAngle[i];
    int pads[2];
    s.Column("PM stage", x, y, 0.88f, 0.17f, 0.065f, kSteel);
    WaferPads(s, x, y, 0.945f, pmAngle[i] + 90.0f, pads);
    const int wafer = s.Number(s.WaferAt("process wafer", x, y, 0.965f, 1010 + i));
    if (i == 2) {
      pm3Wafer = wafer;
      std::copy(pads, pads + 2, pm3Pads);
    }
    // The glass chamber: a wall 1 cm thick with a slot 70 degrees wide
    // towards the transfer chamber, where the hand comes in, and a lid.
    SceneObject& chamber = s.Add("PM chamber", ShapeKind::Ring);
    chamber.X = x;
    chamber.Y = y;
    chamber.Z = 0.99f;  // centred: 0.88 to 1.10
    chamber.W = 0.6f;
    chamber.R = 0.29f;
    chamber.H = 0.22f;
    chamber.Reso = 36;
    const float slot = pmAngle[i] + 180.0f;
    chamber.size[0] = slot + 35.0f;
    chamber.size[1] = slot + 325.0f;
    chamber.clFill = kChamberGlass;
    chamber.Trans = 0.35f;
    SceneObject& lid = s.Column("PM lid", x, y, 1.09f, 0.3f, 0.01f, kChamberGlass);
    lid.Trans = 0.35f;
    s.Label(pmNames[i], x, y, 1.45f, 2.0f);
    s.Show(x - 0.65f, y - 0.65f, 0.0f, x + 0.65f, y + 0.65f, 1.2f);
  }

  // The hand-offs of the two robots' cycles: RBT1 lifts the bottom wafer
  // of LP2 and sets it down on the aligner, RBT2 lifts load lock 1's and
  // sets it down in PM3. Lifting, the hand meets the wafer it takes.
  // Setting down, the hand and the wafer it brings pass through the
  // station's wafer, which stands for the one set down, and that wafer
  // comes to rest on the station's pads.
  const struct {
    int robot, pick, place;
    const int* pads;
  } handOffs[2] = {{rbt1, lp2Bottom, aligned, algPads}, {rbt2, ll1Wafer, pm3Wafer, pm3Pads}};
  for (const auto& h : handOffs) {
    s.Allow(h.robot, "hand", h.pick);
    s.Allow(h.robot, "hand", h.place);
    s.Allow(h.robot, "wafer", h.place);
    for (int k = 0; k < 2; ++k) s.Allow(h.robot, "wafer", h.pads[k]);
  }

  // Opens looking down on the whole cell from the front.
  s.Show(-1.45f, portY - 0.2f, 0.0f, 1.45f, portY + 0.2f, 1.35f);
  s.Show(-1.7f, efemY - 0.45f, 0.0f, 1.7f, efemY + 0.45f, 0.8f);
  s.Show(-2.15f, efemY - 0.2f, 0.0f, -1.75f, efemY + 0.2f, 0.85f);
  s.Show(-0.8f, llY - 0.3f, 0.0f, 0.8f, llY + 0.3f, 0.8f);
  s.Show(tmX - 0.85f, tmY - 0.85f, 0.0f, tmX + 0.85f, tmY + 0.85f, 0.8f);
  s.Frame(35.0f, -20.0f);
}

void BuildScara(SceneBuilder& s) {
  s.Label("ScaraRobot 150: dual arm, wafers on both hands", 0.15f, -0.8f, 1.5f, 0.6f);
  SceneObject& r = s.Add("SCARA dual arm", ShapeKind::ScaraRobot);
  r.X = -0.6f;
  r.size[0] = 0.8f;
  r.size[1] = 0.3f;
  r.size[2] = 0.05f;
  r.size[3] = 30.0f;
  r.size[9] = 3.0f;
  r.Opt[0] = r.Opt[1] = 1;
  r.Opt[2] = 1;
  r.clFill = 0xE1E1E1;
  r.cl_sub[0] = 0xE1FFFF;
  r.cl_sub[1] = r.cl_sub[2] = kWaferGrey;
  SceneObject& w = s.Add("SCARA wide hand", ShapeKind::ScaraRobot);
  w.X = 0.9f;
  w.size[0] = 0.6f;
  w.size[3] = -20.0f;
  w.size[9] = 2.5f;
  w.Opt[0] = w.Opt[1] = w.Opt[4] = 1;
  w.Opt[3] = 2;
  w.clFill = 0xE1E1E1;
  w.cl_sub[0] = 0xE1FFFF;
  for (int k = 1; k <= 4; ++k) w.cl_sub[k] = kWaferGrey;
  s.Show(-1.2f, -0.6f, 0.0f, 1.4f, 0.4f, 1.3f);
  s.Frame(20.0f, -15.0f);
}

void BuildTwinHand(SceneBuilder& s) {
  s.Label("TwinHandRobot 151: two hands on one wrist", 0.6f, -0.8f, 1.5f, 0.6f);
  // Beside the window's arm, which stands at the origin, not around it.
  SceneObject& r = s.Add("twin hand robot", ShapeKind::TwinHandRobot);
  r.X = 1.0f;
  r.Y = -0.4f;
  r.size[0] = 0.7f;
  r.size[3] = 15.0f;
  r.size[6] = 0.0f;    // RT1
  r.size[7] = 120.0f;  // RT2
  r.size[9] = 3.0f;
  r.Opt[0] = r.Opt[1] = 1;
  r.ID[0] = 2001;
  r.ID[1] = 2002;
  r.Opt[7] = 1;
  r.clFill = 0xE1E1E1;
  r.cl_sub[0] = 0xE1FFFF;
  r.cl_sub[1] = r.cl_sub[2] = kWaferGrey;
  s.Show(0.5f, -0.9f, 0.0f, 1.5f, 0.1f, 1.2f);
  s.Frame(20.0f, -15.0f);
}

void BuildFrogLeg(SceneBuilder& s) {
  s.Label("FrogLegRobot 152: hand 1 out (R1 > 0), hand 2 out (R1 < 0)", 0.0f, -0.8f, 1.5f, 0.6f);
  const float r1[2] = {0.7f, -0.7f};
  for (int i = 0; i < 2; ++i) {
    SceneObject& r = s.Add(i == 0 ? "frog-leg hand 1" : "frog-leg hand 2", ShapeKind::FrogLegRobot);
    r.X = i == 0 ? -0.7f : 0.7f;
    r.size[0] = r1[i];
    r.size[9] = 2.0f;
    r.Opt[0] = r.Opt[1] = 1;
    r.clFill = 0xD0D0D0;
    r.cl_sub[0] = 0xE1FFFF;
    r.cl_sub[1] = r.cl_sub[2] = kWaferGrey;
  }
  s.Show(-1.2f, -0.7f, 0.0f, 1.2f, 0.7f, 1.0f);
  s.Frame(20.0f, -15.0f);
}

// The model files the model cell places, written beside it: a load port
// and a process chamber as STEP (OpenCASCADE solids, sizes in mm), and a
// SCARA robot exported from the program's own model as glTF.
bool WriteModelFiles(const std::string& dir) {
  const float steel[3] = {0.69f, 0.69f, 0.66f}, blue[3] = {0.19f, 0.47f, 0.75f}, teal[3] = {0.31f, 0.53f, 0.56f};
  auto solid = [](CadSolid::Kind kind, double x, double y, double z, double w, double d, double h, double r,
                  const float rgb[3]) {
    CadSolid c;
    c.kind = kind;
    c.x = x, c.y = y, c.z = z, c.w = w, c.d = d, c.h = h, c.r = r;
    std::copy(rgb, rgb + 3, c.rgb);
    return c;
  };
  using K = CadSolid::Kind;
  // Centred on its place: the body with its opening, the carrier on top.
  const std::vector<CadSolid> port = {solid(K::Box, -250, -150, 0, 500, 300, 1200, 150, steel),
                                      solid(K::Box, -200, -175, 1200, 400, 350, 330, 0, blue)};
  const std::vector<CadSolid> chamber = {solid(K::Cylinder, 0, 0, 0, 0, 0, 500, 400, teal),
                                         solid(K::Cylinder, 0, 0, 500, 0, 0, 60, 420, steel)};
  bool ok = true;
  for (const auto& [name, solids] : {std::pair{"load-port.step", port}, std::pair{"chamber.step", chamber}}) {
    const std::string why = WriteCadFile(dir + "/" + name, ModelFormat::Step, solids);
    if (!why.empty()) std::fprintf(stderr, "cannot write %s/%s: %s\n", dir.c_str(), name, why.c_str());
    ok = ok && why.empty();
  }
  SceneObject robot;
  InitializeRecords(&robot, 1);
  robot.Enbl = robot.Fill = true;
  robot.Shp = ShapeKind::ScaraRobot;
  robot.size[0] = 0.5f;
  robot.size[1] = 0.3f;
  robot.size[3] = 90.0f;
  robot.size[9] = 1.5f;
  robot.Opt[0] = 1;
  robot.Trans = 1.0f;
  robot.clFill = 0xE1E1E1;
  robot.cl_sub[0] = 0xE1FFFF;
  robot.cl_sub[1] = robot.cl_sub[2] = kWaferGrey;
  const Mesh mesh = BuildObjectMesh(robot, BuildInputs{true, 0});
  std::vector<ExportFile> files;
  std::string why = ExportScene({ExportPart{"SCARA", "ScaraRobot 150 exported by tessaly", &mesh}},
                                dir + "/scara-robot.glb", &files);
  for (const ExportFile& f : files)
    if (why.empty() && !SaveFileContents(f.path, f.bytes, SaveOptions{}, &why)) break;
  if (!why.empty()) std::fprintf(stderr, "cannot write %s/scara-robot.glb: %s\n", dir.c_str(), why.c_str());
  return ok && why.empty();
}

// Equipment from model files: two load ports and a chamber read from STEP,
// and a robot read from glTF, placed by Model records (kind 60).
void BuildModelCell(SceneBuilder& s) {
  s.Label("Model 60: STEP and glTF files", 0.0f, -0.9f, 1.6f, 0.6f);
  auto model = [&](const char* name, const char* file, float x, float y, float turn) -> SceneObject& {
    SceneObject& r = s.Add(name, ShapeKind::Model);
    r.Text = file;
    r.X = x;
    r.Y = y;
    r.Ang[0] = turn;
    r.Frame = true;
    r.clFrame = kDarkSteel;
    r.clFill = kSteel;
    return r;
  };
  model("load port 1", "load-port.step", -0.9f, 0.8f, 0.0f);
  model("load port 2", "load-port.step", -0.3f, 0.8f, 0.0f);
  model("process chamber", "chamber.step", 0.9f, 0.3f, 0.0f);
  SceneObject& robot = model("transfer robot", "scara-robot.glb", 0.2f, 0.35f, 0.0f);
  robot.Frame = false;
  s.Show(-1.2f, -0.3f, 0.0f, 1.35f, 1.0f, 1.55f);
  s.Frame(20.0f, -15.0f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && argv[1][0] == '-') {
    // An option is never a folder.
    const bool help = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0;
    std::fprintf(help ? stdout : stderr, "Usage: tessaly-make-examples [FOLDER]  (default data/examples)\n");
    return help ? 0 : 2;
  }
  const std::string dir = argc > 1 ? argv[1] : "data/examples";
  bool ok = true;
  struct Example {
    const char* file;
    void (*build)(SceneBuilder&);
  } examples[] = {{"demo-cell.3dl", BuildDemoCell},
                  {"scara-robot.3dl", BuildScara},
                  {"twin-hand-robot.3dl", BuildTwinHand},
                  {"frog-leg-robot.3dl", BuildFrogLeg},
                  {"model-cell.3dl", BuildModelCell}};
  ok = WriteModelFiles(dir) && ok;
  for (const Example& e : examples) {
    SceneBuilder s;
    e.build(s);
    ok = s.Save(dir + "/" + e.file) && ok;
  }
  return ok ? 0 : 1;
}
