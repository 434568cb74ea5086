#pragma once

#include "mesh/MeshBuilder.h"
#include "objects/EffectiveRecord.h"
#include "objects/SceneObject.h"
#include "render/RenderSettings.h"

// Describes every enabled record of the run (into the current builder, see
// mesh/Emit.h) in ascending index, each by the routine of its kind, handed
// a copy of the record. Nothing for a null run or a count below 1. With substitutes, each record is drawn (and counts
// as enabled or not) as its effective record.
void DrawObjects(const SceneObject* first, int count, const DrawSubstitutes* subs = nullptr);

// One record by the routine of its kind, whether enabled or not: the body
// of DrawObjects, for callers that pick the records themselves.
void DrawObject(const SceneObject& obj);

// The mesh of one record, enabled or not, as DrawObject describes it.
Mesh BuildObjectMesh(const SceneObject& obj, const BuildInputs& in);

// The text request a kind-45 record stands for.
BlockTextSettings TextRequestOf(const SceneObject& obj);
