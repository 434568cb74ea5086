#include "render/Frame.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "arm/ToolPoint.h"
#include "equipment/ArticulatedArm.h"
#include "equipment/EquipmentModels.h"
#include "equipment/ObjectBounds.h"
#include "equipment/ObjectDrawing.h"
#include "models/ModelDrawing.h"
#include "shapes/BlockText.h"
#include "render/Camera.h"
#include "render/GlHeaders.h"
#include "render/InterferenceDraw.h"
#include "render/Lights.h"
#include "render/MeshDraw.h"
#include "render/ObjectListCache.h"
#include "render/ViewVolume.h"
#include "shapes/Material.h"
#include "shapes/Shapes.h"

SceneObject MakeBaseRecord(const RenderSettings& rs) {
  SceneObject rec = ZeroRecord();
  rec.Reso = rs.view.resolution;
  rec.Trans = rs.transparency;
  rec.Fill = rs.drawFill;
  rec.Frame = rs.drawFrame;
  rec.ColorTex.ClTex = false;
  rec.clFill = 0xC0C0C0;
  rec.clFrame = rs.frameColor;
  return rec;
}

namespace {

// The look every floor tile shares.
void TileLook(SceneObject& rec) {
  rec.W = 0.5f;
  rec.D = 0.5f;
  rec.H = 0.0f;
  rec.Z = 0.0f;
  rec.Dir = 0;
  rec.Ang[0] = 0.0f;
  rec.Frame = false;
  rec.ColorTex.ClTex = false;
}

}  // namespace

void DrawFloor(const SceneObject& base) {
  // 31 x 31 tiles of 0.5 around the origin, near-white and light blue.
  SceneObject rec = base;
  TileLook(rec);
  for (int i = 0; i <= 30; ++i) {
    for (int j = 0; j <= 30; ++j) {
      rec.X = static_cast<float>(i) * 0.5f - 7.5f;
      rec.Y = static_cast<float>(j) * 0.5f - 7.5f;
      rec.clFill = ((i + j) % 2 != 0) ? 0xFFC0C0 : 0xF8F8F8;
      DrawPlane(rec);
    }
  }
}

SceneObject QuickRecord(const SceneObject& rec, int segments) {
  SceneObject q = rec;
  if (segments > 0 && q.Reso > segments) q.Reso = segments;
  if (q.Fill) q.Frame = false;
  return q;
}

namespace {

// The arm as the cache draws it: the plate choice is the cache's extra key.
bool gArmMarkPlate = false;
void DrawArmRecord(const SceneObject& rec) {
  DrawArticulatedArm(rec, gArmMarkPlate);
}

}  // namespace

void DrawScene(const RenderSettings& rs, FrameResult* result, ObjectListCache* cache) {
  double tool[3];
  ToolPointOfJoints(rs.joints, tool);
  DrawSceneAt(rs, tool, result, cache);
}

SceneObject ArmRecord(const RenderSettings& rs) {
  // The arm starts from the record as the last tile left it.
  SceneObject rec = MakeBaseRecord(rs);
  TileLook(rec);
  rec.X = rec.Y = 7.5f;
  rec.clFill = 0xF8F8F8;

  // The arm, in the material of the "Color Texture" group's type.
  rec.Reso = rs.view.resolution;
  rec.Fill = rs.drawFill;
  rec.Frame = rs.drawFrame;
  rec.clFrame = rs.frameColor;
  rec.X = rec.Y = rec.Z = 0.0f;
  rec.cl_sub[0] = 0x808080;
  rec.ColorTex = MakeTypedMaterial(rs.colorTex.typeIndex, rs.armColor, rs.transparency,
                                   static_cast<float>(rs.colorTex.shininess));
  for (int k = 0; k < 6; ++k) rec.size[10 + k] = rs.joints[k];
  return rec;
}

std::vector<ExportPart> SceneExportParts(const RenderSettings& rs, const SceneObject* records,
                                         const ObjectOverrides* overrides, bool floor, std::deque<Mesh>* store) {
  std::vector<ExportPart> parts;
  const BuildInputs lit{true, 0};
  auto add = [&](std::string name, std::string comment, Mesh mesh) {
    store->push_back(std::move(mesh));
    parts.push_back(ExportPart{std::move(name), std::move(comment), &store->back()});
  };
  if (records) {
    const DrawSubstitutes subs{rs.robot, overrides};
    for (int i = 0; i < kObjectCapacity; ++i) {
      const SceneObject rec = EffectiveRecord(records[i], i, subs);
      if (!rec.Enbl) continue;
      char name[16];
      std::snprintf(name, sizeof name, "OBJ%03d", i);
      add(name, rec.Name, BuildObjectMesh(rec, lit));
    }
  }
  const SceneObject arm = ArmRecord(rs);
  MeshBuilder b(lit);
  {
    emit::BuildInto into(b);
    DrawArticulatedArm(arm, rs.markPlate);
  }
  // One node per link: the pieces the arm's drawing marks.
  const Mesh whole = b.Finish();
  for (size_t p = 0; p < whole.pieces.size(); ++p) add(whole.pieces[p].second, "", whole.Piece(p));
  if (floor) {
    MeshBuilder f(lit);
    {
      emit::BuildInto into(f);
      DrawFloor(MakeBaseRecord(rs));
    }
    add("Floor", "", f.Finish());
  }
  return parts;
}

void DrawSceneAt(const RenderSettings& rs, const double tool[3], FrameResult* result, ObjectListCache* cache) {
  const SceneObject base = MakeBaseRecord(rs);
  if (cache) {
    cache->Draw(ObjectListCache::kFloorSlot, base, DrawFloor);
  } else {
    DrawBuilt([&] { DrawFloor(base); });
  }
  SceneObject rec = ArmRecord(rs);
  if (cache) {
    gArmMarkPlate = rs.markPlate;
    cache->Draw(ObjectListCache::kArmSlot, rec, DrawArmRecord, rs.markPlate ? 1u : 0u);
    cache->Flush();  // the ball is drawn directly
  } else {
    DrawBuilt([&] { DrawArticulatedArm(rec, rs.markPlate); });
  }

  if (result)
    for (int k = 0; k < 3; ++k) result->toolPoint[k] = tool[k];

  // A ruby ball at the tool point, turned with the tool.
  if (rs.ball) {
    rec.R = 0.02f;
    rec.R2 = 0.035f;
    rec.size[0] = rec.size[1] = 0.0f;
    rec.X = rec.Y = rec.Z = 0.0f;
    rec.Ang[0] = rec.Ang[1] = rec.Ang[2] = 0.0f;
    rec.ColorTex = LookupMaterialPreset("ruby");
    DrawBuilt([&] {
      emit::Translate(static_cast<float>(tool[0]), static_cast<float>(tool[1]), static_cast<float>(tool[2]));
      emit::Rotate(rs.joints[0], 0.0, 1.0, 0.0);
      emit::Rotate(rs.joints[1], 1.0, 0.0, 0.0);
      emit::Rotate(rs.joints[2], 1.0, 0.0, 0.0);
      emit::Rotate(rs.joints[3], 0.0, 1.0, 0.0);
      emit::Rotate(rs.joints[4], 1.0, 0.0, 0.0);
      emit::Rotate(rs.joints[5], 0.0, 1.0, 0.0);
      DrawBall(rec);
    });
  }
}

namespace {

// The enabled records in ascending order, each drawn unless it is wholly
// outside the view. Every mesh carries all it draws with, so a skipped
// object changes nothing about the others. A record drawn in place of the
// table's own (values substituted into a copy) must be the one BoundsOf and
// the cache see, so that its bounds and its mesh follow what is really
// drawn.
void DrawTable(const SceneObject* records, const FrameInputs& in, ObjectListCache* cache) {
  const bool cull = in.cull;
  const ViewVolume view = cull ? CurrentViewVolume() : ViewVolume{};
  for (int i = 0; i < kObjectCapacity; ++i) {
    const SceneObject& obj = records[i];
    if (!obj.Enbl) continue;
    SceneObject reduced;
    const SceneObject* rec = &obj;
    if (in.reducedDetail > 0) {
      reduced = QuickRecord(obj, in.reducedDetail);
      rec = &reduced;
    }
    const uint64_t revision = in.revisions ? in.revisions[i] : 0;
    // A model's mesh depends on its file too.
    const uint32_t extra = rec->Shp == ShapeKind::Model ? ModelStamp() : 0u;
    if (cull) {
      // A kept mesh is measured by its own box; a record not built yet by
      // the bounds its fields give.
      const Mesh* kept = cache->Kept(i, *rec, extra, revision);
      if (OutsideView(view, kept ? BoundsOfMesh(*kept) : BoundsOf(*rec))) continue;
    }
    cache->Draw(i, *rec, DrawObject, extra, revision);
  }
}

}  // namespace

FrameState UpdateFrame(const FrameInputs& in) {
  FrameState st;
  if (!in.settings) return st;
  const RenderSettings& rs = *in.settings;
  // The records as they are drawn: a robot that follows a panel or a
  // record a controller moves is where the picture shows it. The table is
  // copied only in a frame that substitutes something.
  if (in.table) {
    st.records = in.table->data();
    const DrawSubstitutes subs{rs.robot, in.overrides};
    for (int i = 0; i < kObjectCapacity; ++i) {
      const SceneObject& stored = (*in.table)[static_cast<size_t>(i)];
      if (!HasSubstitute(stored, i, subs)) continue;
      if (st.substituted.empty()) st.substituted.assign(in.table->begin(), in.table->end());
      st.substituted[static_cast<size_t>(i)] = EffectiveRecord(stored, i, subs);
    }
    if (!st.substituted.empty()) st.records = st.substituted.data();
  }
  ToolPointOfJoints(rs.joints, st.toolPoint);
  if (in.interference) {
    InterferenceInputs check;
    check.joints = rs.joints;
    check.records = st.records;
    check.count = st.records ? kObjectCapacity : 0;
    bool moved[kObjectCapacity] = {};
    if (in.overrides) {
      for (int i = 0; i < kObjectCapacity; ++i) moved[i] = (*in.overrides)[static_cast<size_t>(i)].active;
      check.moved = moved;
    }
    check.allowed = in.allowed;
    check.clearance = in.clearance;
    if (in.check) {
      in.check->Run(check, in.interference);
    } else {
      // A frame without a check of the caller's builds every solid anew.
      InterferenceCheck frameOnly;
      frameOnly.Run(check, in.interference);
    }
  }
  if (in.trail) in.trail->Add(st.toolPoint);
  return st;
}

void ComposeFrame(const FrameInputs& in) {
  const FrameState st = UpdateFrame(in);
  DrawFrame(in, st);
}

void DrawFrame(const FrameInputs& in, const FrameState& st) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!in.settings) {
    glFlush();
    return;
  }
  // A quick frame draws the arm and the floor at the reduced resolution
  // too, and without outlines where faces are filled.
  RenderSettings quick;
  if (in.reducedDetail > 0) {
    quick = *in.settings;
    if (quick.view.resolution > in.reducedDetail) quick.view.resolution = in.reducedDetail;
    if (quick.drawFill) quick.drawFrame = false;
  }
  const RenderSettings& rs = in.reducedDetail > 0 ? quick : *in.settings;
  // Without a cache of the caller's (and in quick frames, whose records
  // are not worth keeping) one for this frame alone builds every record:
  // the picture is the same either way.
  ObjectListCache frameOnly;
  frameOnly.SetEnabled(false);
  ObjectListCache* cache = in.reducedDetail > 0 || !in.cache ? &frameOnly : in.cache;
  const BlockTextSettings& text = rs.text;
  const bool textShown = text.shown && !text.text.empty();

  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  ApplyCameraZoom(rs.view);
  // In ortho the zoom is a scale, which scales every normal with it: the
  // picture would wash out when zoomed in and darken when zoomed out.
  // Renormalising while the scale is in force keeps the light the same.
  const bool renormalise = rs.view.ortho && !glIsEnabled(GL_NORMALIZE);
  if (renormalise) glEnable(GL_NORMALIZE);
  // A locked text is drawn before the shift and the turns, so it keeps its
  // place on the screen while the scene moves.
  if (textShown && text.lock) DrawBuilt([&] { DrawBlockText(text); });
  ApplyCameraOrientation(rs.view);
  ApplyLights();
  glLineWidth(1.0f);
  ApplyFog();
  SetMeshPictures(in.textures);
  if (textShown && !text.lock) DrawBuilt([&] { DrawBlockText(text); });
  if (cache) cache->BeginFrame();
  if (st.records) DrawTable(st.records, in, cache);
  DrawSceneAt(rs, st.toolPoint, in.result, cache);
  // Separate passes over the finished picture, never inside an object's
  // drawing.
  if (in.interference) {
    DrawInterferenceHighlight(*in.interference, st.records, st.records ? kObjectCapacity : 0, rs.joints);
    DrawClearance(*in.interference);
  }
  if (in.trail) DrawToolTrail(*in.trail);
  if (renormalise) glDisable(GL_NORMALIZE);
  glFlush();
}
