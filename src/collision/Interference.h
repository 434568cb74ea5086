#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mesh/Mesh.h"
#include "objects/AllowedContacts.h"
#include "objects/SceneObject.h"
#include "objects/Vec3.h"

// The interference check of one pose of the cell, on the geometry the
// frame draws: what moves (the arm's pieces, each transfer robot's hands
// and the wafers on them, records a controller moves) against every
// enabled record, models included, through the Flexible Collision
// Library. A record that is exactly a box, a plain cylinder, a cone or a
// whole ball is that solid; every other one is the hierarchy of its mesh's
// triangles, so its surface is exact to the chord of its resolution. The
// arm is measured at kCheckArmResolution segments whatever the view shows.
// Points are in the scene's frame in GL axis order, in metres.

// The arm's pieces as the check names them.
enum ArmLink { kArmBase, kArmJ1, kArmJ2, kArmJ3, kArmJ4, kArmJ5, kArmFlange, kArmLinkCount };
// "Base", "J1 link" ... "J5 link", "Flange".
const char* ArmLinkName(int link);

constexpr int kCheckArmResolution = 64;

// The arm as the check measures it at these joints: filled, without mark
// plates, at kCheckArmResolution (or as many segments as given); one mesh
// piece per ArmLink.
Mesh CheckArmMesh(const float joints[6], int resolution = kCheckArmResolution);

// What moves in a hit, besides an arm link: a robot's hand, the wafer on
// it, or a record a controller moves as a whole.
enum MovingPart : int32_t { kPartHand = 0, kPartWafer = 1, kPartRecord = 2 };

// One contact or one pair measured. armLink is the arm's piece (ArmLink),
// or -1 when the record `robot` moves (robotPart one of MovingPart).
// objectPart is -1 for the whole record `object`, or kPartHand /
// kPartWafer when it is another robot's.
struct InterferenceHit {
  int32_t object = -1;
  int32_t armLink = -1;
  int32_t robot = -1;
  int32_t robotPart = 0;
  int32_t objectPart = -1;
  Vec3 at;  // a point of the contact
};

struct InterferenceReport {
  std::vector<InterferenceHit> hits;  // the arm first, then by record
  bool armLinkHit[kArmLinkCount] = {};
  int allowedContacts = 0;  // contacts the allowance list set aside
  // The clearance, when it was asked for: the least distance between what
  // moves and the cell (0 in contact; INFINITY when nothing is in reach),
  // the pair and its closest points.
  bool measured = false;
  double clearance = INFINITY;
  InterferenceHit nearest;
  Vec3 nearOnPart, nearOnObject;
  bool Any() const { return !hits.empty(); }
};

// The plain state a controller may read: how many contacts, and the first
// of them (-1 when none).
struct InterferenceState {
  int32_t contacts = 0;
  int32_t firstObject = -1;
  int32_t firstArmLink = -1;
  int32_t firstRobot = -1;
};
InterferenceState SummarizeInterference(const InterferenceReport& report);

struct InterferenceInputs {
  const float* joints = nullptr;  // the arm's six, degrees; null: no arm
  const SceneObject* records = nullptr;
  int count = 0;
  // count flags, or null: the records a controller moves, which are
  // measured against the rest as moving parts.
  const bool* moved = nullptr;
  // count flags, or null for all: the records whose moving parts (a
  // robot's hands and wafers, a moved record) are measured. The rest stay
  // obstacles.
  const bool* measured = nullptr;
  const AllowedContacts* allowed = nullptr;
  bool clearance = false;
  // How far the clearance is looked for; a cell clear by more reads
  // INFINITY.
  double reach = 5.0;
};

// Keeps each record's solids from one check to the next and rebuilds only
// the ones whose record changed.
class InterferenceCheck {
 public:
  InterferenceCheck();
  ~InterferenceCheck();
  InterferenceCheck(const InterferenceCheck&) = delete;
  InterferenceCheck& operator=(const InterferenceCheck&) = delete;

  void Run(const InterferenceInputs& in, InterferenceReport* out);
  // How many records' solids were built so far.
  uint64_t Builds() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A check of its own for one pose: every solid built anew.
void CheckInterference(const float joints[6], const SceneObject* first, int count, InterferenceReport* out);

// "OBJ012 load port": the record's number and, when it has one of its own,
// its name.
std::string ObjectLabel(const SceneObject* first, int index);

// The names the allowance list keeps (objects/AllowedContacts.h):
// "ARM.J3", "OBJ005.hand", "OBJ007"; and "OBJ012", "OBJ006.hand".
std::string PartName(const InterferenceHit& hit);
std::string ObjectName(const InterferenceHit& hit);

// "J3 link hits OBJ012 load port", "OBJ088 RBT1 hand hits OBJ030 port plate".
std::string DescribeHit(const InterferenceHit& hit, const SceneObject* first);

// The first contact in words, with "(and n more)" when there are more.
std::string DescribeReport(const InterferenceReport& report, const SceneObject* first);

// "RBT1 hand – OBJ054 load port": a pair, the moving part by its record's
// name when it has one.
std::string DescribePair(const InterferenceHit& hit, const SceneObject* first);

// "Clearance 12.4 mm: RBT1 hand – OBJ054 load port"; the moving part by
// its record's name when it has one. Empty when nothing was measured.
std::string DescribeClearance(const InterferenceReport& report, const SceneObject* first);
