#pragma once

#include "objects/SceneObject.h"
#include "render/RenderSettings.h"
#include "render/Texture.h"

// What one frame reads. The window fills it from its controls; headless
// rendering fills it from defaults and the command line.
struct FrameInputs {
  const RenderSettings* settings = nullptr;
  ObjectTable* table = nullptr;
  TextureSlot* textures = nullptr;  // kTextureSlotCount of them
};

// Draws one complete picture into the current context (which has the fixed
// state and the projection already set), up to and including glFlush.
void ComposeFrame(const FrameInputs& in);
