#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "models/ModelImport.h"

// Solids written as a STEP or IGES file with OpenCASCADE, each with its
// colour: what the example scenes and the tests make their CAD files of.
struct CadSolid {
  enum class Kind { Box, Cylinder };
  Kind kind = Kind::Box;
  // Box: the corner at (x, y, z), sizes w, d, h along X, Y, Z.
  // Cylinder: the base centre at (x, y, z), radius r, height h along Z.
  double x = 0, y = 0, z = 0, w = 0, d = 0, h = 0, r = 0;
  // A box with a cylinder of radius r through its middle along Y cut away
  // when r > 0 (a load port's opening).
  float rgb[3] = {0.7f, 0.7f, 0.7f};
};

// Writes the solids (sizes in millimetres) to path as STEP or IGES;
// "" or why not. A STEP file's header carries no date or host, so the same
// solids make the same file.
std::string WriteCadFile(const std::string& path, ModelFormat format, const std::vector<CadSolid>& solids);

// OpenCASCADE's shared state (its messenger, its static parameters, the
// XCAF application) is not for two threads at once: readers and writers
// hold this.
std::mutex& OpenCascadeLock();
// Stops OpenCASCADE printing to standard output (call with the lock held).
void QuietOpenCascade();
