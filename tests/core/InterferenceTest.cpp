// The interference check against analytic distances, on the geometry the
// frame draws: contact a tenth of a millimetre either way, clearance, the
// allowance list, moving records, robots' parts, the kept solids, and the
// highlight and clearance line in whole frames.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "collision/Interference.h"
#include "collision/MotionSweep.h"
#include "objects/EffectiveRecord.h"
#include "equipment/ArticulatedArm.h"
#include "equipment/ObjectDrawing.h"
#include "equipment/RobotLayout.h"
#include "mesh/Emit.h"
#include "mesh/MeshBuilder.h"
#include "objects/AllowedContacts.h"
#include "objects/FrameSteps.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/InterferenceDraw.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/RenderContext.h"
#include "render/ToolTrail.h"
#include "support/Feedback.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

const float kPose[6] = {30.0f, 20.0f, 60.0f, 45.0f, 30.0f, 10.0f};

Mesh ArmMesh(const float pose[6]) {
  return CheckArmMesh(pose);
}

// The outermost corner of a mesh's faces along the unit direction n.
double Support(const Mesh& m, Vec3 n, Vec3* at) {
  double best = -1e9;
  for (const MeshRun& run : m.runs) {
    if (run.kind != RunKind::Triangles) continue;
    for (const MeshVertex& v : run.vertices) {
      const Vec3 p{v.p[0], v.p[1], v.p[2]};
      if (Dot(p, n) > best) {
        best = Dot(p, n);
        *at = p;
      }
    }
  }
  return best;
}

// The outermost point of the arm along n and the link it belongs to.
Vec3 ArmSupport(Vec3 n, int* link) {
  const Mesh arm = ArmMesh(kPose);
  double best = -1e9;
  Vec3 point;
  for (int k = 0; k < kArmPieceCount; ++k) {
    Vec3 at;
    const double h = Support(arm.Piece(static_cast<size_t>(k)), n, &at);
    if (h > best) {
      best = h;
      point = at;
      *link = k;
    }
  }
  return point;
}

// A table with one enabled record; GL point (x, y, z) is the record's (X, Z, Y).
std::unique_ptr<ObjectTable> OneObject(const SceneObject& rec) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  (*table)[12] = rec;
  (*table)[12].Enbl = true;
  (*table)[12].Name = "load port";
  return table;
}

void PlaceAt(SceneObject& rec, Vec3 p) {
  rec.X = static_cast<float>(p.x);
  rec.Z = static_cast<float>(p.y);
  rec.Y = static_cast<float>(p.z);
}

InterferenceReport Measure(const ObjectTable& table, const float* pose = kPose, const bool* moved = nullptr,
                           const AllowedContacts* allowed = nullptr) {
  InterferenceCheck check;
  InterferenceInputs in;
  in.joints = pose;
  in.records = table.data();
  in.count = kObjectCapacity;
  in.moved = moved;
  in.allowed = allowed;
  in.clearance = true;
  InterferenceReport report;
  check.Run(in, &report);
  return report;
}

const float kTurns[][3] = {{0, 0, 0}, {35, 0, 0}, {0, 40, 0}, {0, 0, 55}, {25, 35, -70}, {-60, 15, 110}};
constexpr double kTenth = 1e-4;

}  // namespace

// The arm's pieces drawn at any pose are its pieces at zero carried by the
// frames the check moves them with.
TEST(ArmLinkFrames, CarryEachPieceFromZeroToThePose) {
  const float zero[6] = {0, 0, 0, 0, 0, 0};
  const Mesh at0 = ArmMesh(zero), atPose = ArmMesh(kPose);
  SceneObject r0, rq;
  for (int k = 0; k < 6; ++k) rq.size[10 + k] = kPose[k];
  Placement f0[kArmPieceCount], fq[kArmPieceCount];
  ArmLinkFrames(r0, f0);
  ArmLinkFrames(rq, fq);
  ASSERT_EQ(at0.pieces.size(), static_cast<size_t>(kArmPieceCount));
  for (int k = 0; k < kArmPieceCount; ++k) {
    EXPECT_EQ(at0.pieces[static_cast<size_t>(k)].second, ArmPieceName(k));
    const Mesh a = at0.Piece(static_cast<size_t>(k)), b = atPose.Piece(static_cast<size_t>(k));
    ASSERT_EQ(a.runs.size(), b.runs.size());
    for (size_t r = 0; r < a.runs.size(); ++r) {
      for (size_t v = 0; v < a.runs[r].vertices.size(); v += 7) {
        const float* p = a.runs[r].vertices[v].p;
        // Back into the piece's own frame at zero (only moved there), then out at the pose.
        const Vec3 local{p[0] - f0[k].t.x, p[1] - f0[k].t.y, p[2] - f0[k].t.z};
        const Vec3 want = fq[k].Point(local);
        const float* got = b.runs[r].vertices[v].p;
        ASSERT_NEAR(got[0], want.x, 1e-5) << ArmPieceName(k);
        ASSERT_NEAR(got[1], want.y, 1e-5) << ArmPieceName(k);
        ASSERT_NEAR(got[2], want.z, 1e-5) << ArmPieceName(k);
      }
    }
  }
}

// Each exact solid, turned every way, brought to the arm's outermost point
// from any side, including a cylinder's bottom cap, a hanging cylinder
// and cone and a box whose middle is a metre away: a tenth of a millimetre
// into the arm is a contact of the link there, a tenth off is none, and the
// clearance is the gap. A flat-faced record drawn as a mesh is exact too.
TEST(InterferenceExact, ContactAndClearanceAgainstAnalyticDistances) {
  struct Case {
    const char* name;
    int32_t kind;
    float w, h, d, r, r2;
    Vec3 face;      // local direction of the face turned to the arm
    double reach;   // from the record's origin to that face
    double aside;   // the arm met off the middle of a round face, along local x
  } cases[] = {
      {"box", ShapeKind::Cube, 0.08f, 0.06f, 2.0f, 0, 0, {0, 0, 1}, 1.0, 0},
      {"box top", ShapeKind::Cube, 0.08f, 0.06f, 0.1f, 0, 0, {0, 1, 0}, 0.03, 0.03},
      {"cylinder side", ShapeKind::Cylinder, 0, 0.2f, 0, 0.05f, 0.05f, {1, 0, 0}, 0.05, 0},
      {"cylinder bottom", ShapeKind::Cylinder, 0, 0.2f, 0, 0.05f, 0.05f, {0, -1, 0}, 0.0, 0.03},
      {"hanging cylinder", ShapeKind::Cylinder, 0, -0.2f, 0, 0.05f, 0.05f, {0, 1, 0}, 0.0, 0.03},
      {"cone base", ShapeKind::Cone, 0, 0.15f, 0, 0.06f, 0, {0, -1, 0}, 0.0, 0.04},
      {"hanging cone", ShapeKind::Cone, 0, -0.15f, 0, 0.06f, 0, {0, 1, 0}, 0.0, 0.04},
      {"ball", ShapeKind::Ball, 0, 0, 0, 0.07f, 0.07f, {0.6, 0, 0.8}, 0.07, 0},
      {"trapezoid mesh", ShapeKind::Trapezoid, 0.08f, 0.06f, 0.1f, 0, 0, {0, 0, -1}, 0.05, 0},
  };
  for (const Case& c : cases) {
    for (const auto& turn : kTurns) {
      SceneObject rec = ZeroRecord();
      rec.Shp = c.kind;
      rec.W = c.w;
      rec.H = c.h;
      rec.D = c.d;
      rec.R = c.r;
      rec.R2 = c.r2;
      rec.size[0] = c.kind == ShapeKind::Trapezoid ? c.w : 0.0f;
      rec.Reso = 36;
      rec.Fill = false;  // drawn as a wire, solid all the same
      std::copy(turn, turn + 3, rec.Ang);
      const Placement p = RecordPlacement(rec, c.kind == ShapeKind::Cone ? RotationOrder::B : RotationOrder::A);
      const Vec3 out = p.Axis(0) * c.face.x + p.Axis(1) * c.face.y + p.Axis(2) * c.face.z;
      const Vec3 n = out * -1.0;  // from the arm towards the record
      int link = -1;
      const Vec3 q = ArmSupport(n, &link);
      for (double gap : {kTenth, -kTenth}) {
        PlaceAt(rec, q + n * (c.reach + gap) - p.Axis(0) * c.aside);
        const auto table = OneObject(rec);
        const InterferenceReport report = Measure(*table);
        const std::string where = std::string(c.name) + " turn " + std::to_string(turn[0]) + "," +
                                  std::to_string(turn[1]) + "," + std::to_string(turn[2]) +
                                  " gap " + std::to_string(gap);
        if (gap > 0) {
          EXPECT_FALSE(report.Any()) << where << ": " << DescribeReport(report, table->data());
          EXPECT_NEAR(report.clearance, gap, 2e-6) << where;
          EXPECT_EQ(report.nearest.object, 12) << where;
          // The closest points: one on the arm's outermost level, the
          // other the gap beyond it.
          EXPECT_NEAR(Dot(report.nearOnPart - q, n), 0.0, 1e-6) << where;
          EXPECT_NEAR(Dot(report.nearOnObject - q, n), gap, 1e-6) << where;
        } else {
          ASSERT_TRUE(report.Any()) << where;
          EXPECT_TRUE(report.armLinkHit[link]) << where << " link " << ArmLinkName(link);
          EXPECT_EQ(report.hits[0].object, 12) << where;
          EXPECT_EQ(report.clearance, 0.0) << where;
        }
      }
    }
  }
}

namespace {

// A robot record with both hands out, wafers on them, turned, travelled
// and scaled; hands drawn in pure green, wafers in pure blue.
SceneObject RobotRecord(int32_t kind, int32_t size, float t, float scale) {
  SceneObject r = ZeroRecord();
  r.Enbl = true;
  r.Shp = kind;
  r.Reso = 36;
  r.Fill = true;
  r.Trans = 1.0f;
  r.X = 0.3f;
  r.Y = -0.2f;
  r.Z = 0.1f;
  r.Ang[0] = t == 0.0f ? 0.0f : 25.0f;
  r.size[0] = 0.6f;
  r.size[1] = -0.4f;
  r.size[2] = 0.02f;
  r.size[3] = t;
  r.size[4] = 0.15f;
  // The twin hands' own turns, with the turned case only: a turned plate's
  // rounded tip does not reach its corners.
  r.size[6] = t == 0.0f ? 0.0f : 20.0f;
  r.size[7] = t == 0.0f ? 0.0f : -35.0f;
  r.size[9] = scale;
  r.Opt[0] = r.Opt[1] = r.Opt[4] = r.Opt[5] = 1;
  r.Opt[2] = 1;
  r.Opt[3] = size;
  r.clFill = 0x808080;
  for (Color& c : r.cl_sub) c = 0x808080;
  r.cl_sub[0] = 0x00FF00;
  for (int k : {1, 2, 3, 4}) r.cl_sub[k] = 0xFF0000;
  return r;
}


// The mesh pieces of a robot's hands: the first sub colour, as drawn.
Mesh HandOf(const SceneObject& robot) {
  const Mesh m = BuildObjectMesh(robot, BuildInputs{});
  Mesh hands;
  for (size_t p = 0; p < m.pieces.size(); ++p) {
    if (m.pieces[p].second != RobotPieceName(RobotPartRole::Hand)) continue;
    const Mesh piece = m.Piece(p);
    hands.runs.insert(hands.runs.end(), piece.runs.begin(), piece.runs.end());
    hands.vertexCount += piece.vertexCount;
  }
  return hands;
}

}  // namespace

// A box resting on each robot's hands touches that hand, a tenth of a
// millimetre above them it does not and the clearance is the gap; the
// pieces the check takes as hands are the ones drawn in the hands' colour,
// the frog leg's hands at the height they are drawn at. Allowed, the
// contact is set aside, and the clearance goes to the next pair.
TEST(InterferenceRobots, HandsTouchWhatRestsOnThemAndAllowancesSetContactsAside) {
  for (int32_t kind : {ShapeKind::ScaraRobot, ShapeKind::TwinHandRobot, ShapeKind::FrogLegRobot}) {
    SceneObject robot = RobotRecord(kind, 0, 40.0f, 1.0f);
    robot.X = 2.0f;  // well away from the arm
    robot.size[2] = 0.3f;  // beyond the frog leg's stroke: drawn at its top
    robot.Opt[0] = robot.Opt[1] = 0;
    robot.Name = "RBT1";
    const Mesh hands = HandOf(robot);
    ASSERT_FALSE(hands.empty()) << kind;
    for (const MeshRun& r : hands.runs)
      for (const MeshVertex& v : r.vertices) ASSERT_GT(v.c[1], 0.99f) << kind;
    Vec3 top;
    Support(hands, {0, 1, 0}, &top);
    for (double gap : {kTenth, -kTenth}) {
      SceneObject box = ZeroRecord();
      box.Shp = ShapeKind::Cube;
      box.W = box.D = 0.02f;
      box.H = 0.01f;
      box.Fill = true;
      PlaceAt(box, top + Vec3{0, 0.005 + gap, 0});
      auto table = OneObject(box);
      (*table)[5] = robot;
      const InterferenceReport report = Measure(*table);
      if (gap > 0) {
        EXPECT_FALSE(report.Any()) << kind << ": " << DescribeReport(report, table->data());
        EXPECT_NEAR(report.clearance, gap, 2e-6) << kind;
        continue;
      }
      ASSERT_EQ(DescribeReport(report, table->data()), "OBJ005 RBT1 hand hits OBJ012 load port") << kind;
      EXPECT_EQ(PartName(report.hits[0]), "OBJ005.hand");
      AllowedContacts allowed;
      ASSERT_TRUE(allowed.Add("OBJ005.hand", "OBJ012"));
      const InterferenceReport set = Measure(*table, kPose, nullptr, &allowed);
      EXPECT_FALSE(set.Any()) << kind;
      EXPECT_EQ(set.allowedContacts, 1);
      EXPECT_GT(set.clearance, 0.0);
      EXPECT_FALSE(set.nearest.robot == 5 && set.nearest.object == 12);
    }
  }
}

// A record a controller moves is measured against the rest as a whole;
// unmoved, two records that touch are no contact of anything. Solids are
// kept until their record changes.
TEST(InterferenceRecords, MovedRecordsAreMeasuredAndSolidsAreKept) {
  SceneObject box = ZeroRecord();
  box.Shp = ShapeKind::Cube;
  box.W = box.H = box.D = 0.1f;
  box.Fill = true;
  PlaceAt(box, {2.0, 0.05, 0.0});
  auto table = OneObject(box);
  SceneObject carrier = box;
  carrier.Enbl = true;
  carrier.Name = "carrier";
  PlaceAt(carrier, {2.0, 0.15 - kTenth, 0.0});
  (*table)[7] = carrier;
  // A disabled box where the carrier meets the box occupies nothing, nor
  // do records whose places are not numbers.
  (*table)[9] = box;
  (*table)[9].Enbl = false;
  for (int32_t kind : {ShapeKind::Cube, ShapeKind::Trapezoid}) {
    SceneObject& lost = (*table)[kind == ShapeKind::Cube ? 10 : 11];
    lost = box;
    lost.Shp = kind;
    lost.size[0] = box.W;
    lost.Y = NAN;
  }
  EXPECT_FALSE(Measure(*table).Any());
  bool moved[kObjectCapacity] = {};
  moved[7] = true;
  InterferenceReport report = Measure(*table, nullptr, moved);
  ASSERT_EQ(report.hits.size(), 1u);
  EXPECT_EQ(DescribeHit(report.hits[0], table->data()), "OBJ007 carrier hits OBJ012 load port");
  EXPECT_EQ(PartName(report.hits[0]), "OBJ007");

  InterferenceCheck check;
  InterferenceInputs in;
  in.joints = kPose;
  in.records = table->data();
  in.count = kObjectCapacity;
  check.Run(in, &report);
  const uint64_t first = check.Builds();
  check.Run(in, &report);
  EXPECT_EQ(check.Builds(), first);
  (*table)[12].X += 0.5f;
  check.Run(in, &report);
  EXPECT_EQ(check.Builds(), first + 1);
  EXPECT_FALSE(report.Any());
}

// A record wholly inside a link, a record the arm stands wholly inside:
// their surfaces never cross, and both are contacts of clearance 0.
TEST(InterferenceExact, WhollyInsideIsAContactEitherWay) {
  const Mesh wrist = ArmMesh(kPose).Piece(kArmJ5);
  Vec3 mid;
  size_t n = 0;
  for (const MeshRun& r : wrist.runs)
    for (const MeshVertex& v : r.vertices) mid = mid + Vec3{v.p[0], v.p[1], v.p[2]}, ++n;
  mid = mid * (1.0 / static_cast<double>(n));
  for (float size : {0.005f, 4.0f}) {
    SceneObject box = ZeroRecord();
    box.Shp = size < 1.0f ? ShapeKind::Cube : ShapeKind::Trapezoid;  // a solid, then a mesh
    box.W = box.D = box.H = box.size[0] = size;
    box.Fill = true;
    PlaceAt(box, mid);
    const auto table = OneObject(box);
    const InterferenceReport report = Measure(*table);
    ASSERT_TRUE(report.Any()) << size;
    EXPECT_EQ(report.clearance, 0.0);
    if (size < 1.0f) {
      EXPECT_TRUE(report.armLinkHit[kArmJ5]);
    }
  }
}

// A sweep measures what its motion moves: a robot following RBT1 whose
// hand rests in a box is a contact of RBT1's test run, never of the arm's
// path, and a box in the arm's base the other way round; the steps go out
// as CSV.
TEST(InterferenceSweep, OnlyTheMotionsOwnPartsAreMeasured) {
  SceneObject robot = RobotRecord(ShapeKind::TwinHandRobot, 0, 0.0f, 1.0f);
  robot.X = 2.0f;
  robot.Opt[8] = 1;  // follows RBT1
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  (*table)[5] = robot;
  RobotPanelValues panels[2];
  SceneObject posed = robot;
  ApplyPanel(posed, panels[0]);
  Vec3 top;
  Support(HandOf(posed), {0, 1, 0}, &top);
  SceneObject box = ZeroRecord();
  box.Enbl = true;
  box.Shp = ShapeKind::Cube;
  box.W = box.D = box.H = 0.02f;
  PlaceAt(box, top);
  (*table)[12] = box;
  // And one in the arm's base plate.
  (*table)[13] = box;
  PlaceAt((*table)[13], {0.0, 0.015, 0.0});
  InterferenceCheck check;
  const float home[6] = {0, 0, 90, 0, 0, 0};
  for (CellMotion m : {CellMotion::Animation, CellMotion::Rbt1Test}) {
    const SweepResult r = SweepMotion(CellMotionSteps(m, home, panels), table->data(), kObjectCapacity, nullptr, &check);
    ASSERT_FALSE(r.rows.empty());
    const bool robots = m == CellMotion::Rbt1Test;
    EXPECT_GT(r.ContactSteps(), 0) << CellMotionName(m);
    EXPECT_EQ(r.rows[0].contacts, 1) << CellMotionName(m);
    EXPECT_EQ(r.rows[0].firstContact, robots ? "OBJ005 hand hits OBJ012" : "Base hits OBJ013");
    if (robots) {
      const std::string csv = SweepCsv(r);
      EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1)),
                "step,label,clearance_mm,pair,contacts,first_contact\n"
                "0,\"phase 0, tick 0\",0.0,\"OBJ005 hand \u2013 OBJ012\",1,\"OBJ005 hand hits OBJ012\"");
    }
  }
}

TEST(InterferenceWords, ClearanceNamesThePairAndTheLengthInMillimetres) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  (*table)[5].Name = "RBT1";
  (*table)[54].Name = "load port";
  InterferenceReport report;
  report.measured = true;
  report.clearance = 0.01243;
  report.nearest.robot = 5;
  report.nearest.robotPart = kPartHand;
  report.nearest.object = 54;
  EXPECT_EQ(DescribeClearance(report, table->data()), "Clearance 12.4 mm: RBT1 hand \u2013 OBJ054 load port");
  report.nearest = InterferenceHit{};
  report.nearest.armLink = kArmJ3;
  report.nearest.object = 6;
  report.nearest.objectPart = kPartWafer;
  EXPECT_EQ(DescribeClearance(report, table->data()), "Clearance 12.4 mm: J3 link \u2013 OBJ006 wafer");
  EXPECT_EQ(PartName(report.nearest), "ARM.J3");
  EXPECT_EQ(ObjectName(report.nearest), "OBJ006.wafer");
  report.clearance = INFINITY;
  EXPECT_EQ(DescribeClearance(report, table->data()), "Clearance: nothing within reach");
  EXPECT_EQ(ClearanceLabel(0.00049), "0.5 mm");
}

// The allowance line: written only for a list, read back the same, and
// every malformed line refused whole.
TEST(AllowedContactsLine, RoundTripsAndRefusesMalformedLines) {
  AllowedContacts none;
  EXPECT_EQ(FormatAllowLine(none), "");
  AllowedContacts list;
  ASSERT_TRUE(list.Add("OBJ005.hand", "OBJ012"));
  ASSERT_TRUE(list.Add("ARM.J6", "OBJ030"));
  ASSERT_TRUE(list.Add("ARM.base", "OBJ006.wafer"));
  EXPECT_FALSE(list.Add("ARM.J6", "OBJ030"));
  const std::string line = FormatAllowLine(list);
  EXPECT_EQ(line, "#@allow OBJ005.hand OBJ012;ARM.J6 OBJ030;ARM.base OBJ006.wafer\n");
  AllowedContacts back;
  ASSERT_TRUE(ParseAllowLine(line, back));
  EXPECT_TRUE(back == list);
  const std::string file = "# No,Enbl\r\n#@view 15.0,-30.0,-2.00,0.00,0.00,-0.40,0\r\n" + line;
  AllowedContacts found;
  EXPECT_EQ(FindAllowLine(file.data(), file.size(), found), AllowLineState::Present);
  EXPECT_TRUE(found == list);
  for (const char* bad : {"#@allow ", "#@allow OBJ005.hand", "#@allow ARM.J7 OBJ001", "#@allow OBJ5 OBJ001",
                          "#@allow OBJ005.foot OBJ001", "#@allow OBJ005 ARM.J1", "#@allow OBJ005 OBJ001;;"}) {
    AllowedContacts out = list;
    EXPECT_FALSE(ParseAllowLine(bad, out)) << bad;
    EXPECT_TRUE(out == list) << bad;
    const std::string text = std::string("# No\n") + bad + "\n";
    EXPECT_EQ(FindAllowLine(text.data(), text.size(), out), AllowLineState::Malformed) << bad;
  }
  const std::string late = "# No\n0,1,\n" + line;
  EXPECT_EQ(FindAllowLine(late.data(), late.size(), found), AllowLineState::Absent);
}

namespace {
class InterferenceGl : public GlTest {};
}  // namespace

TEST(ToolTrail, KeepsTheLastPointsInOrderAndSkipsAStandstill) {
  ToolTrail trail;
  for (int i = 0; i < ToolTrail::kCapacity + 500; ++i) {
    const double p[3] = {i * 0.001, 0.5, 0.0};
    trail.Add(p);
    trail.Add(p);  // a frame that only turned the view
  }
  // A point that is no number is not taken.
  const double nan[3] = {NAN, 0, 0};
  trail.Add(nan);
  ASSERT_EQ(trail.Size(), ToolTrail::kCapacity);
  EXPECT_FLOAT_EQ(trail.Point(0)[0], 0.5f);
  EXPECT_FLOAT_EQ(trail.Point(ToolTrail::kCapacity - 1)[0], (ToolTrail::kCapacity + 499) * 0.001f);
  trail.Clear();
  EXPECT_EQ(trail.Size(), 0);
  // A move along any one axis is a move: up, then across, then along.
  const double path[][3] = {{0, 0, 0}, {0, 0.1, 0}, {0.1, 0.1, 0}, {0.1, 0.1, 0.1}};
  for (const double* p : path) trail.Add(p);
  EXPECT_EQ(trail.Size(), 4);
}

TEST_F(InterferenceGl, TrailDrawsOneLineThroughItsPointsAndPassesRestoreState) {
  UseFrontOrtho(2);
  ToolTrail trail;
  for (int i = 0; i < 50; ++i) {
    const double p[3] = {i * 0.02 - 0.5, 0.1 * std::sin(i * 0.3), 0.0};
    trail.Add(p);
  }
  glEnable(GL_LIGHTING);
  const GlStateSnapshot before = GlStateSnapshot::Take();
  const auto prims = CaptureFeedback([&] { DrawToolTrail(trail); });
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  // The highlight's wire pass too.
  SceneObject box = ZeroRecord();
  box.Shp = ShapeKind::Cube;
  box.Fill = true;
  const auto table = OneObject(box);
  InterferenceReport report;
  report.hits.push_back({12, kArmJ3, -1, 0, -1, {}});
  report.armLinkHit[kArmJ3] = true;
  DrawInterferenceHighlight(report, table->data(), kObjectCapacity, kPose);
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  // And the clearance line with its label, which sets its own projection.
  report.measured = true;
  report.clearance = 0.02;
  report.nearOnObject = {0.1, 0.2, 0.0};
  GLdouble proj[16], model[16];
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  DrawClearance(report);
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  GLdouble proj2[16], model2[16];
  glGetDoublev(GL_PROJECTION_MATRIX, proj2);
  glGetDoublev(GL_MODELVIEW_MATRIX, model2);
  EXPECT_TRUE(std::equal(proj, proj + 16, proj2) && std::equal(model, model + 16, model2));
  glDisable(GL_LIGHTING);
  EXPECT_EQ(CountKind(prims, FeedbackPrimitive::Line) + CountKind(prims, FeedbackPrimitive::LineReset), 49u);
}

namespace {

// Whole frames, as the window draws them, with and without the check.
class InterferenceFrame : public ::testing::Test {
 protected:
  static HeadlessContext& Ctx() {
    static HeadlessContext ctx(320, 240);
    KeepGlDriverLoaded();
    return ctx;
  }
  void SetUp() override {
    ASSERT_TRUE(Ctx().ok()) << Ctx().error();
    ASSERT_TRUE(Ctx().MakeCurrent());
    for (int k = 0; k < 6; ++k) rs.joints[k] = kPose[k];
  }
  void TearDown() override {
    ResetLights();
    ResetFog();
    SharedGlContext().MakeCurrent();
  }
  TestImage Render(ObjectTable& table, InterferenceReport* report, bool clearance = false) {
    ApplyClearColor(rs.backColor);
    ApplyFixedRenderState();
    ApplyProjection(320, 240, rs.view.ortho);
    TransferLightsAndFog(rs, DefaultLight1(), DefaultLight2(), 10, FogPanelValues{});
    FrameInputs in{&rs, &table, textures, nullptr};
    in.interference = report;
    in.clearance = clearance;
    ComposeFrame(in);
    return ReadFramebuffer(320, 240);
  }
  static int RedPixels(const TestImage& img) {
    int n = 0;
    for (size_t i = 0; i < img.rgba.size(); i += 4)
      if (img.rgba[i] > 200 && img.rgba[i + 1] < 60 && img.rgba[i + 2] < 60) ++n;
    return n;
  }
  static int OrangePixels(const TestImage& img) {
    int n = 0;
    for (size_t i = 0; i < img.rgba.size(); i += 4)
      if (img.rgba[i] > 230 && img.rgba[i + 1] > 110 && img.rgba[i + 1] < 170 && img.rgba[i + 2] < 40) ++n;
    return n;
  }
  RenderSettings rs;
  TextureSlot textures[kTextureSlotCount];
};

}  // namespace

TEST_F(InterferenceFrame, PictureChangesOnlyWhereSomethingTouches) {
  int link = -1;
  const Vec3 n{0, 0, 1};
  const Vec3 q = ArmSupport(n, &link);
  SceneObject box = ZeroRecord();
  box.Shp = ShapeKind::Cube;
  box.W = box.H = box.D = 0.1f;
  box.clFill = 0xC08040;
  box.Fill = true;
  box.Trans = 1.0f;
  box.Reso = 36;
  // Clear of the arm: the check changes nothing in the picture.
  PlaceAt(box, q + n * 0.06);
  auto table = OneObject(box);
  const TestImage plain = Render(*table, nullptr);
  InterferenceReport report;
  const TestImage checked = Render(*table, &report);
  EXPECT_FALSE(report.Any());
  EXPECT_TRUE(plain.rgba == checked.rgba);

  // Pushed 2 cm into the arm: the box and the link show in red.
  PlaceAt(box, q + n * 0.03);
  table = OneObject(box);
  const TestImage before = Render(*table, nullptr);
  const TestImage hit = Render(*table, &report);
  WriteArtifact(hit, "interference-highlight.png");
  ASSERT_TRUE(report.Any());
  EXPECT_TRUE(report.armLinkHit[link]);
  EXPECT_EQ(DescribeHit(report.hits[0], table->data()),
            std::string(ArmLinkName(report.hits[0].armLink)) + " hits OBJ012 load port");
  EXPECT_GT(RedPixels(hit), RedPixels(before) + 100);

  // Clear again, with the clearance: its line shows in orange.
  PlaceAt(box, q + n * 0.1);
  table = OneObject(box);
  const TestImage measured = Render(*table, &report, true);
  WriteArtifact(measured, "clearance-line.png");
  EXPECT_NEAR(report.clearance, 0.05, 1e-4);
  EXPECT_GT(OrangePixels(measured), 30);
}
