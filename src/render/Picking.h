#pragma once

#include "objects/EffectiveRecord.h"
#include "objects/SceneObject.h"
#include "render/RenderSettings.h"
#include "render/Texture.h"

// Picking and the selection outline. Both need the panel's context current
// with its projection set (picking reads the viewport and the projection
// and nothing else); both leave every GL state and matrix as found.

// The index of the nearest enabled record under panel pixel (x, y) (y
// counted from the top), or -1 when none is: the floor and the background
// select nothing, and the arm hides what stands behind it. Measures the
// records' meshes against the few pixels around the pointer (see
// mesh/MeshPick.h); records are taken as the frame draws them (subs).
int PickObject(const RenderSettings& rs, const SceneObject* first, int count, const TextureSlot* textures, int x,
               int y, const DrawSubstitutes* subs = nullptr);

// The outline the selected object is drawn with: a colour no laid-out
// default uses (0x00BBGGRR).
constexpr Color kSelectionColor = 0xC040FF;

// Draws an outline around rec (the record as the frame drew it) as it
// stands in the picture, over whatever hides it, as a pass of its own after
// the frame. With a stencil buffer the
// outline hugs the silhouette; without one the object's edges are drawn.
void DrawSelectionOutline(const RenderSettings& rs, const SceneObject& rec, const TextureSlot* textures);
