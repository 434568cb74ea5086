#pragma once

#include <vector>

#include "objects/EffectiveRecord.h"
#include "objects/SceneObject.h"
#include "render/RenderSettings.h"

// A ball that holds everything of one part of the scene, in scene
// coordinates (X and Y across the floor, Z up).
struct BoundSphere {
  double center[3] = {0, 0, 0};
  double radius = 0;
};

// The arm in the pose of joints (degrees), as two balls: its base, and
// everything from the shoulder to the tool point.
void AddArmBounds(const float joints[6], std::vector<BoundSphere>& out);

// A box from lo to hi as its eight corners (balls of radius 0): far
// tighter than a ball for flat or long things.
void AddBoxBounds(const double lo[3], const double hi[3], std::vector<BoundSphere>& out);

// The box in scene axes around what rec really draws: its mesh's own box.
// False when it draws nothing or reaches beyond 1000 units: use its bounds
// then.
bool MeasureDrawnBox(const SceneObject& rec, double lo[3], double hi[3]);

// What Fit Scene frames: every enabled record as drawn (substitutes from
// the panels and the link applied), each by the box around what it really
// draws, or by the corners of its bounds where that cannot be measured;
// the arm; the floor under them all. *objects (if given) counts the
// records framed.
std::vector<BoundSphere> SceneFitBounds(const RenderSettings& rs, const SceneObject* records,
                                        const ObjectOverrides* overrides, int* objects = nullptr);

// The floor under each ball: the octagon around its footprint at height 0
// (a ball would reach as far below the floor as across it).
void AddFloorFootprints(std::vector<BoundSphere>& out);

// The limits the window's bars put on a fitted view.
struct ViewLimits {
  double zoomMin = -40.0, zoomMax = 5.0;  // as the zoom bar allows now
  double shiftMin = -10.0, shiftMax = 10.0;
};

// The portion of the picture a fitted scene may fill (the rest is margin).
constexpr double kFitFill = 0.92;

// v with zoom and shift chosen so that every ball lies in the picture of
// v.panelWidth x v.panelHeight at v's angles and projection, as large as
// the margin allows; the angles and the projection stay. Zoom and shift
// come out on the bars' steps of 0.01, the zoom rounded away from the
// scene. Without balls, or with a panel without area, v comes back as it
// is. Where the limits do not allow the whole scene, the view goes as far
// as they do.
ViewSettings FitViewToBounds(const ViewSettings& v, const std::vector<BoundSphere>& balls, const ViewLimits& limits);
