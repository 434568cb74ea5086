#pragma once

#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include "collision/Interference.h"
#include "motion/CellMotions.h"

// A motion run through the interference check without drawing: the cell
// posed at each step (the arm's joints, the robots that follow a panel)
// and the least clearance, its pair and any contact reported per step.
// Only what the motion moves is measured (the arm on its path, the robots
// that follow the panels it drives) against everything else.
struct SweepRow {
  int step = 0;
  std::string label;
  double clearance = INFINITY;  // metres; 0 in contact, INFINITY nothing in reach
  std::string pair;             // DescribePair of the nearest pair, "" when none
  int contacts = 0;
  std::string firstContact;     // DescribeHit of the first contact, "" when none
};

struct SweepResult {
  std::vector<SweepRow> rows;
  bool cancelled = false;
  // The step of the least clearance (the first one in contact), -1 for none.
  int Lowest() const;
  int ContactSteps() const;
};

// Runs steps against the count records from first (as stored: each step
// puts its panels into the robots that follow one). The check keeps the
// solids of the records no step moves; cancel, when set, stops the run
// between steps.
SweepResult SweepMotion(const std::vector<CellStep>& steps, const SceneObject* first, int count,
                        const AllowedContacts* allowed, InterferenceCheck* check,
                        const std::atomic<bool>* cancel = nullptr);

// step,label,clearance_mm,pair,contacts,first_contact: one line a step, the
// clearance with 0.1 mm, empty when nothing is in reach; text quoted.
std::string SweepCsv(const SweepResult& result);
