#include "collision/MotionSweep.h"

#include <cstdio>
#include <memory>

#include "objects/EffectiveRecord.h"

int SweepResult::Lowest() const {
  int best = -1;
  for (size_t i = 0; i < rows.size(); ++i)
    if (std::isfinite(rows[i].clearance) && (best < 0 || rows[i].clearance < rows[static_cast<size_t>(best)].clearance))
      best = static_cast<int>(i);
  return best;
}

int SweepResult::ContactSteps() const {
  int n = 0;
  for (const SweepRow& r : rows) n += r.contacts > 0 ? 1 : 0;
  return n;
}

SweepResult SweepMotion(const std::vector<CellStep>& steps, const SceneObject* first, int count,
                        const AllowedContacts* allowed, InterferenceCheck* check, const std::atomic<bool>* cancel) {
  SweepResult result;
  if (!first || count < 1 || !check) return result;
  std::vector<SceneObject> posed(first, first + count);
  std::unique_ptr<bool[]> measured(new bool[static_cast<size_t>(count)]);
  std::unique_ptr<bool[]> moved(new bool[static_cast<size_t>(count)]());
  std::vector<char> substituted(static_cast<size_t>(count), 0);
  // The controller's poses of the step; the whole table's worth, once.
  auto poses = std::make_unique<ObjectOverrides>();
  for (size_t s = 0; s < steps.size(); ++s) {
    if (cancel && cancel->load()) {
      result.cancelled = true;
      break;
    }
    const CellStep& step = steps[s];
    for (auto& o : *poses) o.active = false;
    for (int i = 0; i < count; ++i) moved[i] = false;
    for (const auto& [record, pose] : step.moves) {
      if (record < 0 || record >= count || record >= kObjectCapacity) continue;
      (*poses)[static_cast<size_t>(record)] = pose;
      moved[record] = pose.active;
    }
    const DrawSubstitutes subs{step.robot, step.moves.empty() ? nullptr : poses.get()};
    // A record drawn from its own fields again (a pose the controller
    // dropped) is the stored one.
    for (int i = 0; i < count; ++i) {
      const size_t k = static_cast<size_t>(i);
      const bool now = HasSubstitute(first[i], i, subs);
      if (now) {
        posed[k] = EffectiveRecord(first[i], i, subs);
      } else if (substituted[k]) {
        posed[k] = first[i];
      }
      substituted[k] = now;
    }
    // Only what the motion moves is measured; the rest of the cell stands
    // as it does in the frame.
    for (int i = 0; i < count; ++i) {
      const int panel = FollowedPanel(first[i]);
      measured[i] = (panel > 0 && step.panel[panel - 1]) || moved[i];
    }
    InterferenceInputs in;
    in.joints = step.arm ? step.joints : nullptr;
    in.measured = measured.get();
    in.moved = moved.get();
    in.records = posed.data();
    in.count = count;
    in.allowed = allowed;
    in.clearance = true;
    InterferenceReport report;
    check->Run(in, &report);
    SweepRow row;
    row.step = static_cast<int>(s);
    row.label = step.label;
    row.clearance = report.clearance;
    if (std::isfinite(report.clearance)) row.pair = DescribePair(report.nearest, posed.data());
    row.contacts = static_cast<int>(report.hits.size());
    if (report.Any()) row.firstContact = DescribeHit(report.hits[0], posed.data());
    result.rows.push_back(std::move(row));
  }
  return result;
}

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace

std::string SweepCsv(const SweepResult& result) {
  std::string out = "step,label,clearance_mm,pair,contacts,first_contact\n";
  for (const SweepRow& r : result.rows) {
    char mm[32] = "";
    if (std::isfinite(r.clearance)) std::snprintf(mm, sizeof mm, "%.1f", r.clearance * 1000.0);
    out += std::to_string(r.step) + "," + Quoted(r.label) + "," + mm + "," + Quoted(r.pair) + "," +
           std::to_string(r.contacts) + "," + Quoted(r.firstContact) + "\n";
  }
  return out;
}
