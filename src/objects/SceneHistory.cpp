#include "objects/SceneHistory.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

template <class T, size_t N>
bool SameArray(const T (&a)[N], const T (&b)[N]) {
  return std::equal(a, a + N, b);
}

// Shared by every history, so that a number met once means one record's
// contents wherever it came from.
uint64_t NextRevision() {
  static std::atomic<uint64_t> last{0};
  return ++last;
}

size_t StringHeap(const std::string& s) {
  // Short strings live inside the object.
  return s.capacity() > 15 ? s.capacity() + 1 : 0;
}

}  // namespace

bool SameRecord(const SceneObject& a, const SceneObject& b) {
  // Floats compare bit for bit through ==, except that NaN never equals
  // itself; a record holding one would otherwise count as changed on every
  // commit. Compare their bits instead.
  auto sameFloat = [](float x, float y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  auto sameFloats = [&](const float* x, const float* y, size_t n) {
    for (size_t i = 0; i < n; ++i)
      if (!sameFloat(x[i], y[i])) return false;
    return true;
  };
  return a.Enbl == b.Enbl && a.Shp == b.Shp && a.Reso == b.Reso && a.Dir == b.Dir && sameFloat(a.X, b.X) &&
         sameFloat(a.Y, b.Y) && sameFloat(a.Z, b.Z) && sameFloat(a.W, b.W) && sameFloat(a.D, b.D) &&
         sameFloat(a.H, b.H) && sameFloat(a.R, b.R) && sameFloat(a.R2, b.R2) && sameFloats(a.Ang, b.Ang, 3) &&
         SameArray(a.Opt, b.Opt) && sameFloats(a.size, b.size, 20) && a.Sub == b.Sub && a.Fill == b.Fill &&
         a.clFill == b.clFill && SameArray(a.cl_sub, b.cl_sub) && a.ColorTex.ClTex == b.ColorTex.ClTex &&
         sameFloats(a.ColorTex.amb, b.ColorTex.amb, 4) && sameFloats(a.ColorTex.diff, b.ColorTex.diff, 4) &&
         sameFloats(a.ColorTex.spec, b.ColorTex.spec, 4) && sameFloat(a.ColorTex.shin, b.ColorTex.shin) &&
         a.Frame == b.Frame && a.clFrame == b.clFrame && sameFloat(a.Trans, b.Trans) && a.Tex == b.Tex &&
         SameArray(a.ID, b.ID) && a.Name == b.Name && a.Text == b.Text;
}

size_t RecordBytes(const SceneObject& rec) {
  return sizeof(SceneObject) + StringHeap(rec.Name) + StringHeap(rec.Text);
}

void SceneHistory::Reset(const SceneObject* table, int count) {
  baseline_.assign(table, table + std::max(count, 0));
  revisions_.resize(baseline_.size());
  for (uint64_t& r : revisions_) r = NextRevision();
  steps_.clear();
  position_ = 0;
  savedPosition_ = 0;
  extraModified_ = false;
}

bool SceneHistory::Commit(const SceneObject* table, int count, const std::string& label,
                          const std::string& mergeKey, double now) {
  if (static_cast<int>(baseline_.size()) != count) {
    // Never started: take the table as it is as the starting point.
    Reset(table, count);
    return false;
  }
  std::vector<int> changed;
  for (int i = 0; i < count; ++i)
    if (!SameRecord(table[i], baseline_[static_cast<size_t>(i)])) changed.push_back(i);
  if (changed.empty()) return false;

  const bool merge = !mergeKey.empty() && position_ == steps_.size() && position_ > 0 &&
                     static_cast<long>(position_) != savedPosition_ && steps_.back().mergeKey == mergeKey &&
                     now - steps_.back().time >= 0.0 && now - steps_.back().time < kMergeWindow;
  if (!merge) {
    // A new step ends every redo.
    steps_.erase(steps_.begin() + static_cast<long>(position_), steps_.end());
    if (savedPosition_ > static_cast<long>(position_)) savedPosition_ = -1;
    steps_.push_back(Step{label, mergeKey, now, {}});
    ++position_;
  }
  Step& step = steps_.back();
  step.label = label;
  step.time = now;
  for (int i : changed) {
    SceneObject& base = baseline_[static_cast<size_t>(i)];
    // A merged step keeps the record as it was before its first write.
    const bool held = std::any_of(step.records.begin(), step.records.end(),
                                  [i](const std::pair<int, SceneObject>& r) { return r.first == i; });
    if (!held) step.records.emplace_back(i, base);
    base = table[i];
    Touch(i);
  }
  step.records.shrink_to_fit();
  if (steps_.size() > kMaxSteps) {
    steps_.pop_front();
    --position_;
    savedPosition_ = savedPosition_ > 0 ? savedPosition_ - 1 : -1;
  }
  return true;
}

void SceneHistory::Swap(Step& step, SceneObject* table, int count) {
  // Undone in reverse, so a record held twice (never, but cheap to honour)
  // ends as it first was.
  for (auto it = step.records.rbegin(); it != step.records.rend(); ++it) {
    if (it->first < 0 || it->first >= count) continue;
    SceneObject& live = table[it->first];
    std::swap(live, it->second);
    baseline_[static_cast<size_t>(it->first)] = live;
    Touch(it->first);
  }
  // A swapped step never folds in later writes.
  step.mergeKey.clear();
}

void SceneHistory::Touch(int record) {
  revisions_[static_cast<size_t>(record)] = NextRevision();
}

bool SceneHistory::Undo(SceneObject* table, int count) {
  if (!CanUndo() || static_cast<int>(baseline_.size()) != count) return false;
  --position_;
  Swap(steps_[position_], table, count);
  return true;
}

bool SceneHistory::Redo(SceneObject* table, int count) {
  if (!CanRedo() || static_cast<int>(baseline_.size()) != count) return false;
  Swap(steps_[position_], table, count);
  ++position_;
  return true;
}

std::string SceneHistory::UndoLabel() const {
  return CanUndo() ? steps_[position_ - 1].label : std::string();
}

std::string SceneHistory::RedoLabel() const {
  return CanRedo() ? steps_[position_].label : std::string();
}

void SceneHistory::MarkSaved() {
  savedPosition_ = static_cast<long>(position_);
  extraModified_ = false;
  // The next write starts a step of its own, so undo can reach the saved state.
  if (position_ > 0) steps_[position_ - 1].mergeKey.clear();
}

bool SceneHistory::Modified() const {
  return extraModified_ || savedPosition_ != static_cast<long>(position_);
}

size_t SceneHistory::StepBytes(size_t i) const {
  if (i >= steps_.size()) return 0;
  const Step& s = steps_[i];
  size_t bytes = sizeof(Step) + StringHeap(s.label) + StringHeap(s.mergeKey) +
                 s.records.capacity() * sizeof(std::pair<int, SceneObject>);
  for (const auto& r : s.records) bytes += RecordBytes(r.second) - sizeof(SceneObject);
  return bytes;
}

size_t SceneHistory::StepBytes() const {
  size_t bytes = 0;
  for (size_t i = 0; i < steps_.size(); ++i) bytes += StepBytes(i);
  return bytes;
}
