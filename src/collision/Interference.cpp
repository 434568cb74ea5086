#include "collision/Interference.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "collision/ObjectSolids.h"
#include "collision/RobotSolids.h"

namespace {

struct Mover {
  Sweep sweep;
  Vec3 centre;
  double radius = 0.0;
};

Mover Bounded(const Sweep& s) {
  Mover m{s, {}, 0.0};
  SweepBound(s, &m.centre, &m.radius);
  return m;
}

bool Touches(const Mover& m, const Solid* solids, int n) {
  for (int k = 0; k < n; ++k)
    if (SweepTouches(m.sweep, m.centre, m.radius, solids[k])) return true;
  return false;
}

}  // namespace

InterferenceState SummarizeInterference(const InterferenceReport& report) {
  InterferenceState s;
  s.contacts = static_cast<int32_t>(report.hits.size());
  if (!report.hits.empty()) {
    s.firstObject = report.hits[0].object;
    s.firstArmLink = report.hits[0].armLink;
    s.firstRobot = report.hits[0].robot;
  }
  return s;
}

void CheckInterference(const float joints[6], const SceneObject* first, int count, InterferenceReport* out) {
  *out = InterferenceReport{};
  if (!first || count < 1) return;
  ArmCapsule capsules[kArmCapsuleCount];
  ArmCapsules(joints, capsules);
  Mover arm[kArmCapsuleCount];
  // The whole arm in one sphere sets most objects aside at once.
  Vec3 lo = capsules[0].sweep.centre, hi = lo;
  for (int i = 0; i < kArmCapsuleCount; ++i) {
    arm[i] = Bounded(capsules[i].sweep);
    for (double s : {-1.0, 1.0}) {
      const Vec3 c = arm[i].centre;
      const double r = arm[i].radius * s;
      lo = {std::min(lo.x, c.x + r), std::min(lo.y, c.y + r), std::min(lo.z, c.z + r)};
      hi = {std::max(hi.x, c.x + r), std::max(hi.y, c.y + r), std::max(hi.z, c.z + r)};
    }
  }
  const Vec3 armCentre = (lo + hi) * 0.5;
  const double armRadius = Length(hi - lo) * 0.5;

  // Every object's solids once, shared by the arm and the robots: object i
  // owns solids[begin[i]] up to solids[begin[i + 1]].
  std::vector<Solid> solids;
  std::vector<size_t> begin(static_cast<size_t>(count) + 1);
  for (int i = 0; i < count; ++i) {
    begin[static_cast<size_t>(i)] = solids.size();
    if (!first[i].Enbl || RobotSolids(first[i], &solids)) continue;
    Solid own[kMaxObjectSolids];
    const int n = ObjectSolids(first[i], own);
    solids.insert(solids.end(), own, own + n);
  }
  begin[static_cast<size_t>(count)] = solids.size();
  auto solidsOf = [&](int i) { return solids.data() + begin[static_cast<size_t>(i)]; };
  auto countOf = [&](int i) {
    return static_cast<int>(begin[static_cast<size_t>(i) + 1] - begin[static_cast<size_t>(i)]);
  };

  for (int i = 0; i < count; ++i) {
    const Solid* own = solidsOf(i);
    const int n = countOf(i);
    bool near = false;
    for (int k = 0; k < n && !near; ++k) {
      const Vec3 d = own[k].boundCentre - armCentre;
      const double reach = armRadius + own[k].boundRadius + kContactTolerance;
      near = Dot(d, d) <= reach * reach;
    }
    if (!near) continue;
    bool linkHit[kArmLinkCount] = {};
    for (int c = 0; c < kArmCapsuleCount; ++c) {
      const int link = capsules[c].link;
      if (linkHit[link] || !Touches(arm[c], own, n)) continue;
      linkHit[link] = true;
      out->hits.push_back({i, link, -1, 0});
      out->armLinkHit[link] = true;
    }
  }

  // Each robot's hands and wafers against every other object.
  std::vector<Sweep> robotParts;
  std::vector<int> partKinds;
  std::vector<Mover> parts;
  for (int r = 0; r < count; ++r) {
    robotParts.clear();
    partKinds.clear();
    if (!first[r].Enbl || !RobotMovingParts(first[r], &robotParts, &partKinds)) continue;
    parts.clear();
    for (const Sweep& s : robotParts) parts.push_back(Bounded(s));
    for (int i = 0; i < count; ++i) {
      if (i == r) continue;
      for (size_t p = 0; p < parts.size(); ++p) {
        if (!Touches(parts[p], solidsOf(i), countOf(i))) continue;
        out->hits.push_back({i, -1, r, partKinds[p]});
        break;
      }
    }
  }
}

std::string ObjectLabel(const SceneObject* first, int index) {
  char number[16];
  std::snprintf(number, sizeof number, "OBJ%03d", index);
  std::string label = number;
  if (first && index >= 0 && index < kObjectCapacity) {
    const std::string& name = first[index].Name;
    if (!name.empty() && name != label) label += " " + name;
  }
  return label;
}

std::string DescribeHit(const InterferenceHit& hit, const SceneObject* first) {
  std::string who;
  if (hit.armLink >= 0) {
    who = ArmLinkName(hit.armLink);
  } else {
    who = ObjectLabel(first, hit.robot) + (hit.robotPart == 1 ? " wafer" : " hand");
  }
  return who + " hits " + ObjectLabel(first, hit.object);
}

std::string DescribeReport(const InterferenceReport& report, const SceneObject* first) {
  if (report.hits.empty()) return std::string();
  std::string text = DescribeHit(report.hits[0], first);
  if (report.hits.size() > 1) text += " (and " + std::to_string(report.hits.size() - 1) + " more)";
  return text;
}
