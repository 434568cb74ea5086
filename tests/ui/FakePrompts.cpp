#include "FakePrompts.h"

bool FakePrompts::PickColor(QWidget*, uint32_t, uint32_t* chosen) {
  ++colorDialogs;
  if (colorAnswers.empty() || colorAnswers.front() < 0) {
    if (!colorAnswers.empty()) colorAnswers.pop_front();
    return false;
  }
  *chosen = static_cast<uint32_t>(colorAnswers.front());
  colorAnswers.pop_front();
  return true;
}
