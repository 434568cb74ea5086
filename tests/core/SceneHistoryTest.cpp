#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "objects/ObjectFile.h"
#include "objects/RecentFiles.h"
#include "objects/SceneHistory.h"

namespace {

class SceneHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table_ = std::make_unique<ObjectTable>();
    InitializeRecords(table_->data(), kObjectCapacity);
    history_.Reset(table_->data(), kObjectCapacity);
  }
  // The whole table as a scene file would hold it.
  std::string Saved() const {
    std::string s;
    for (int i = 0; i < kObjectCapacity; ++i) s += FormatObjectLine(i, (*table_)[static_cast<size_t>(i)]);
    return s;
  }
  bool Commit(const std::string& label, const std::string& key = {}, double now = 0.0) {
    return history_.Commit(table_->data(), kObjectCapacity, label, key, now);
  }
  SceneObject& Rec(int i) { return (*table_)[static_cast<size_t>(i)]; }

  std::unique_ptr<ObjectTable> table_;
  SceneHistory history_;
};

TEST_F(SceneHistoryTest, UndoAndRedoRestoreTheRecordsExactlyAndKeepOnlyWhatChanged) {
  Rec(12).Enbl = true;
  Rec(12).X = 0.1f;
  Rec(12).Name = "load port with a name longer than the small buffer";
  ASSERT_TRUE(Commit("Apply OBJ012"));
  const std::string afterEdit = Saved();
  // A merge touching many records, one of them twice over.
  for (int i = 0; i < kObjectCapacity; ++i) Rec(i).Y = static_cast<float>(i) * 0.37f;
  ASSERT_TRUE(Commit("Merge demo-cell.3dl"));
  EXPECT_FALSE(Commit("nothing")) << "an unchanged table is no step";
  const std::string afterMerge = Saved();

  EXPECT_EQ(history_.StepCount(), 2u);
  EXPECT_LE(history_.StepBytes(0), 2 * sizeof(SceneObject) + 256);
  EXPECT_GE(history_.StepBytes(1), 999 * sizeof(SceneObject));

  EXPECT_EQ(history_.UndoLabel(), "Merge demo-cell.3dl");
  ASSERT_TRUE(history_.Undo(table_->data(), kObjectCapacity));
  EXPECT_EQ(Saved(), afterEdit);
  EXPECT_EQ(history_.UndoLabel(), "Apply OBJ012");
  EXPECT_EQ(history_.RedoLabel(), "Merge demo-cell.3dl");
  ASSERT_TRUE(history_.Undo(table_->data(), kObjectCapacity));
  auto fresh = std::make_unique<ObjectTable>();
  InitializeRecords(fresh->data(), kObjectCapacity);
  for (int i = 0; i < kObjectCapacity; ++i)
    EXPECT_TRUE(SameRecord(Rec(i), (*fresh)[static_cast<size_t>(i)])) << i;
  EXPECT_FALSE(history_.Undo(table_->data(), kObjectCapacity));

  ASSERT_TRUE(history_.Redo(table_->data(), kObjectCapacity));
  ASSERT_TRUE(history_.Redo(table_->data(), kObjectCapacity));
  EXPECT_EQ(Saved(), afterMerge);
  // After an undo, a new change ends the redo.
  history_.Undo(table_->data(), kObjectCapacity);
  Rec(3).Z = 2.0f;
  ASSERT_TRUE(Commit("Apply OBJ003"));
  EXPECT_FALSE(history_.CanRedo());
  history_.Undo(table_->data(), kObjectCapacity);
  EXPECT_EQ(Saved(), afterEdit);
}

TEST_F(SceneHistoryTest, AutoAppliedBurstsOnOneRecordAreOneStep) {
  for (int i = 0; i < 5; ++i) {
    Rec(4).X += 0.01f;
    Commit("Step +X OBJ004", "auto 4", 10.0 + 0.4 * i);
  }
  EXPECT_EQ(history_.StepCount(), 1u);
  const float burst = Rec(4).X;
  // A pause longer than the window, another record, or a save starts a new step.
  Rec(4).X += 0.01f;
  Commit("Step +X OBJ004", "auto 4", 13.0);
  Rec(5).X += 0.01f;
  Commit("Apply OBJ005", "auto 5", 13.1);
  history_.MarkSaved();
  Rec(5).X += 0.01f;
  Commit("Apply OBJ005", "auto 5", 13.2);
  EXPECT_EQ(history_.StepCount(), 4u);
  // The first undo takes back the write after the save only.
  history_.Undo(table_->data(), kObjectCapacity);
  EXPECT_FALSE(history_.Modified());
  history_.Undo(table_->data(), kObjectCapacity);
  history_.Undo(table_->data(), kObjectCapacity);
  history_.Undo(table_->data(), kObjectCapacity);
  EXPECT_EQ(Rec(4).X, 0.0f) << "the whole burst goes back to the record before its first write";
  history_.Redo(table_->data(), kObjectCapacity);
  EXPECT_EQ(Rec(4).X, burst) << "and comes back as its last write left it";
}

TEST_F(SceneHistoryTest, ModifiedFollowsTheSavedStateThroughUndoAndRedo) {
  EXPECT_FALSE(history_.Modified());
  Rec(1).Enbl = true;
  Commit("a");
  EXPECT_TRUE(history_.Modified());
  history_.Undo(table_->data(), kObjectCapacity);
  EXPECT_FALSE(history_.Modified());
  history_.Redo(table_->data(), kObjectCapacity);
  history_.MarkSaved();
  EXPECT_FALSE(history_.Modified());
  history_.Undo(table_->data(), kObjectCapacity);
  EXPECT_TRUE(history_.Modified());
  // The saved state is gone once a new change replaces its redo.
  Rec(2).Enbl = true;
  Commit("b");
  EXPECT_TRUE(history_.Modified());
  history_.Undo(table_->data(), kObjectCapacity);
  EXPECT_TRUE(history_.Modified());
  history_.MarkModified();
  history_.MarkSaved();
  EXPECT_FALSE(history_.Modified());
  history_.MarkModified();
  EXPECT_TRUE(history_.Modified());
}

TEST_F(SceneHistoryTest, KeepsTheNewestStepsAndNeverSeesANanAsAChange) {
  for (int i = 0; i < 300; ++i) {
    Rec(i % 10).X = static_cast<float>(i + 1);
    ASSERT_TRUE(Commit("edit " + std::to_string(i)));
    if (i == 59) history_.MarkSaved();
  }
  EXPECT_EQ(history_.StepCount(), SceneHistory::kMaxSteps);
  EXPECT_GE(SceneHistory::kMaxSteps, 200u);
  int undone = 0;
  while (history_.Undo(table_->data(), kObjectCapacity)) {
    ++undone;
    // Saved after 60 steps, 50 of which were dropped since.
    EXPECT_EQ(history_.Modified(), history_.Position() != 10) << history_.Position();
  }
  EXPECT_EQ(undone, static_cast<int>(SceneHistory::kMaxSteps));
  EXPECT_EQ(Rec(0).X, 41.0f);  // as the 50 dropped steps left it

  Rec(7).W = std::nanf("");
  EXPECT_TRUE(Commit("nan"));
  EXPECT_FALSE(Commit("again"));
}

TEST_F(SceneHistoryTest, AChangeToAnyOneFieldIsAStepThatUndoTakesBack) {
  const SceneObject fresh = Rec(20);
  const std::function<void(SceneObject&)> changes[] = {
      [](SceneObject& r) { r.Name = "robot"; },
      [](SceneObject& r) { r.Text = "A"; },
      [](SceneObject& r) { r.Opt[9] = 1; },
      [](SceneObject& r) { r.size[19] = 1.0f; },
      [](SceneObject& r) { r.cl_sub[9] = 0; },
      [](SceneObject& r) { r.ColorTex.spec[3] = 0.5f; },
      [](SceneObject& r) { r.ID[9] = 1; },
      [](SceneObject& r) { r.Sub = std::make_shared<const std::vector<float>>(); },
  };
  // Each commit and undo gives record 20 a number it never had, and no
  // other record a new one.
  std::vector<uint64_t> seen(history_.Revisions(), history_.Revisions() + kObjectCapacity);
  auto renumbered = [&] {
    const uint64_t* now = history_.Revisions();
    int n = 0;
    for (int i = 0; i < kObjectCapacity; ++i) n += now[i] != seen[static_cast<size_t>(i)] ? 1 : 0;
    const bool fresh20 = std::find(seen.begin(), seen.end(), now[20]) == seen.end();
    seen.push_back(now[20]);
    return n == 1 && fresh20;
  };
  for (size_t k = 0; k < std::size(changes); ++k) {
    changes[k](Rec(20));
    ASSERT_TRUE(Commit("change")) << k;
    EXPECT_TRUE(renumbered()) << k;
    history_.Undo(table_->data(), kObjectCapacity);
    EXPECT_TRUE(renumbered()) << k;
    EXPECT_TRUE(SameRecord(Rec(20), fresh)) << k;
  }
  EXPECT_FALSE(Commit("nothing"));
  seen.assign(history_.Revisions(), history_.Revisions() + kObjectCapacity);
  history_.Reset(table_->data(), kObjectCapacity);
  for (int i = 0; i < kObjectCapacity; ++i) EXPECT_NE(history_.Revisions()[i], seen[static_cast<size_t>(i)]) << i;
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostFive) {
  std::vector<std::string> list;
  for (const char* p : {"a", "b", "c", "b", "d", "e", "f", ""}) PushRecentFile(list, p);
  EXPECT_EQ(list, (std::vector<std::string>{"f", "e", "d", "b", "c"}));
}

}  // namespace
