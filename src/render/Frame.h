#pragma once

#include <deque>
#include <vector>

#include "objects/EffectiveRecord.h"
#include "collision/Interference.h"
#include "models/SceneExport.h"
#include "objects/SceneObject.h"
#include "render/RenderSettings.h"
#include "render/Texture.h"
#include "render/ToolTrail.h"

class ObjectListCache;

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
  // Objects wholly outside the view are not drawn; the picture is the same
  // to the pixel either way.
  bool cull = true;
  // Draws the objects, the floor and the arm from meshes kept here
  // (nullptr: every mesh is built for this frame alone). Quick frames
  // build their own: their reduced records are not worth keeping.
  ObjectListCache* cache = nullptr;
  // The table's revisions (SceneHistory::Revisions), kObjectCapacity of
  // them: the cache then compares a number per record, not the records.
  // Null: records are compared whole. Every change to the table must reach
  // the history before a frame with them is drawn.
  const uint64_t* revisions = nullptr;
  // Above 0: a quick frame while the view moves. Round shapes use at most
  // this many segments and, where faces are filled, outlines are left out.
  int reducedDetail = 0;
  // The poses a controller sets through the link; null for none. Robots
  // that follow a panel take it from settings->robot.
  const ObjectOverrides* overrides = nullptr;
  // Optional passes drawn after everything else; absent, the picture is
  // exactly as without them. The trail takes this frame's tool point and
  // draws the path; the check fills the report and highlights contacts.
  ToolTrail* trail = nullptr;
  InterferenceReport* interference = nullptr;
  // With the check: the solids kept from frame to frame (null: built for
  // this frame alone), the contacts meant, and whether the clearance is
  // measured and drawn.
  InterferenceCheck* check = nullptr;
  const AllowedContacts* allowed = nullptr;
  bool clearance = false;
};

// What a frame works out before it draws anything: the records as they
// are drawn (a robot following its panel, records the link moves), the
// tool point, the interference check (into in.interference) and the
// trail's new point (into in.trail). Drawing reads it and changes nothing.
struct FrameState {
  const SceneObject* records = nullptr;  // kObjectCapacity of them; null without a table
  std::vector<SceneObject> substituted;  // behind records when anything is substituted
  double toolPoint[3] = {0, 0, 0};
};
FrameState UpdateFrame(const FrameInputs& in);

// Draws one complete picture into the current context (which has the fixed
// state and the projection already set), up to and including glFlush.
void DrawFrame(const FrameInputs& in, const FrameState& st);

// UpdateFrame, then DrawFrame.
void ComposeFrame(const FrameInputs& in);

// The second half of a frame: floor, arm, tool point and its ball. With a
// cache the floor is replayed from its list.
void DrawScene(const RenderSettings& rs, FrameResult* result, ObjectListCache* cache = nullptr);
// The same with the tool point already worked out.
void DrawSceneAt(const RenderSettings& rs, const double tool[3], FrameResult* result, ObjectListCache* cache);

// The floor's 31 x 31 tiles in the look of the base record.
void DrawFloor(const SceneObject& base);

// The record as a quick frame draws it: at most `segments` round segments,
// and no outline where the faces are filled.
SceneObject QuickRecord(const SceneObject& rec, int segments);

// The record the floor and the arm start from.
SceneObject MakeBaseRecord(const RenderSettings& rs);
// The record the arm is drawn from (its joints in size[10..15]).
SceneObject ArmRecord(const RenderSettings& rs);

// What a frame of these settings shows, built without GL for export: each
// enabled record as drawn (a robot following its panel, a pose from the
// link), named "OBJ012" with its comment, then the arm link by link
// ("Arm base", "Arm J1" ... "Arm J6"), and the floor ("Floor") when asked. The meshes live in store.
std::vector<ExportPart> SceneExportParts(const RenderSettings& rs, const SceneObject* records,
                                         const ObjectOverrides* overrides, bool floor, std::deque<Mesh>* store);
