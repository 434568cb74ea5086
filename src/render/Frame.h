#pragma once

#include "objects/Interference.h"
#include "objects/SceneObject.h"
#include "render/RenderSettings.h"
#include "render/Texture.h"
#include "render/ToolTrail.h"

// What one frame hands back besides the picture.
struct FrameResult {
  // The arm's tool point in GL axis order: across, up, along the scene's Y.
  double toolPoint[3] = {0, 0, 0};
};

// What one frame reads. The window fills it from its controls; headless
// rendering fills it from defaults and the command line. The lights and
// fog are the ones set through render/Lights.h.
struct FrameInputs {
  const RenderSettings* settings = nullptr;
  ObjectTable* table = nullptr;
  TextureSlot* textures = nullptr;  // kTextureSlotCount of them
  FrameResult* result = nullptr;    // optional
  // Optional passes drawn after everything else; absent, the picture is
  // exactly as without them. The trail takes this frame's tool point and
  // draws the path; the check fills the report and highlights contacts.
  ToolTrail* trail = nullptr;
  InterferenceReport* interference = nullptr;
};

// Draws one complete picture into the current context (which has the fixed
// state and the projection already set), up to and including glFlush.
void ComposeFrame(const FrameInputs& in);

// The second half of a frame: floor, arm, tool point and its ball.
void DrawScene(const RenderSettings& rs, FrameResult* result);

// The record the floor and the arm start from.
SceneObject MakeBaseRecord(const RenderSettings& rs);
