#pragma once

#include <array>
#include <cstddef>

// The tool point's path: the points of the last kCapacity frames in which
// it moved, oldest first, kept in a ring so that a long run costs nothing
// more than a short one.
class ToolTrail {
 public:
  static constexpr int kCapacity = 2000;

  // Adds a point (GL axis order) unless it is where the last one is: a
  // frame that only turns the view adds nothing.
  void Add(const double p[3]);
  void Clear() { count_ = 0; }
  int Size() const { return count_; }
  // The i-th point, 0 the oldest.
  const float* Point(int i) const { return &points_[static_cast<std::size_t>((start_ + i) % kCapacity) * 3]; }

 private:
  std::array<float, kCapacity * 3> points_{};
  int start_ = 0;
  int count_ = 0;
};

// Draws the path as one line, older parts darker, over the current
// picture; leaves every GL state as it found it.
void DrawToolTrail(const ToolTrail& trail);
