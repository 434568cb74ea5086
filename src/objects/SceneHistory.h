#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "objects/SceneObject.h"

// True when every field of a and b is the same (the run-time profile
// pointer included), so that a record written back is the record that was.
bool SameRecord(const SceneObject& a, const SceneObject& b);

// Heap and inline bytes one stored copy of rec takes.
size_t RecordBytes(const SceneObject& rec);

// The undo history of the object table and whether it differs from the
// file it was last saved to.
//
// The history keeps a copy of the table as of the last step (the baseline)
// and, per step, only the records that step changed: a step holds the
// other side of each changed record, and undoing or redoing it swaps them
// with the table. Whatever wrote the table, Commit finds the changed
// records by comparing with the baseline, so a writer cannot slip a change
// past the history; it can only be named after the next writer.
class SceneHistory {
 public:
  // The oldest steps go beyond this many.
  static constexpr size_t kMaxSteps = 250;
  // Auto-applied writes to one record closer together than this (seconds)
  // are one step.
  static constexpr double kMergeWindow = 1.0;

  // Starts over from table (count records): no steps, not modified.
  void Reset(const SceneObject* table, int count);

  // Records what differs between table and the baseline as one step named
  // label; returns false (and records nothing) when nothing differs. A
  // step with a non-empty mergeKey equal to the newest step's, committed
  // within kMergeWindow of it (now in seconds, any steady clock), is folded
  // into that step.
  bool Commit(const SceneObject* table, int count, const std::string& label, const std::string& mergeKey = {},
              double now = 0.0);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The name of the step Undo or Redo would take back or do again.
  std::string UndoLabel() const;
  std::string RedoLabel() const;
  // Puts the records of the newest done step (or the oldest undone one)
  // back into table; false when there is none.
  bool Undo(SceneObject* table, int count);
  bool Redo(SceneObject* table, int count);

  // The table is what was saved (or loaded): not modified from here.
  void MarkSaved();
  // A change outside the table that the file keeps: modified until saved.
  void MarkModified() { extraModified_ = true; }
  bool Modified() const;

  // A number per record that changes whenever Reset, Commit, Undo or Redo
  // finds or puts a different record there, and never comes back (numbers
  // are unique within the process, and never 0). What keeps work per
  // record compares these instead of the records. Null before the first
  // Reset.
  const uint64_t* Revisions() const { return revisions_.empty() ? nullptr : revisions_.data(); }

  size_t StepCount() const { return steps_.size(); }
  size_t Position() const { return position_; }
  // Bytes the steps take (the baseline, one table's worth, not counted).
  size_t StepBytes() const;
  // Bytes step i (0 = oldest) takes.
  size_t StepBytes(size_t i) const;

 private:
  struct Step {
    std::string label;
    std::string mergeKey;
    double time = 0.0;
    // Record number and the record on the other side of the step.
    std::vector<std::pair<int, SceneObject>> records;
  };
  void Swap(Step& step, SceneObject* table, int count);
  void Touch(int record);

  std::vector<uint64_t> revisions_;
  std::vector<SceneObject> baseline_;
  std::deque<Step> steps_;
  size_t position_ = 0;  // steps done
  // The position at the last save, or -1 once that state cannot be reached
  // by undo or redo any more.
  long savedPosition_ = 0;
  bool extraModified_ = false;
};
