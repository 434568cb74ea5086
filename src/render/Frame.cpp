#include "render/Frame.h"

#include <cmath>
#include <vector>

#include "arm/ToolPoint.h"
#include "equipment/ArticulatedArm.h"
#include "equipment/EquipmentModels.h"
#include "equipment/ObjectBounds.h"
#include "equipment/ObjectDrawing.h"
#include "shapes/BlockText.h"
#include "render/Camera.h"
#include "render/GlHeaders.h"
#include "render/InterferenceDraw.h"
#include "render/Lights.h"
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
  SceneObject rec = MakeBaseRecord(rs);
  if (cache) {
    cache->Draw(ObjectListCache::kFloorSlot, rec, DrawFloor);
  } else {
    DrawFloor(rec);
  }
  // The arm starts from the record as the last tile left it.
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
  if (cache) {
    gArmMarkPlate = rs.markPlate;
    cache->Draw(ObjectListCache::kArmSlot, rec, DrawArmRecord, rs.markPlate ? 1u : 0u);
    cache->Flush();  // the ball is drawn directly
  } else {
    DrawArticulatedArm(rec, rs.markPlate);
  }

  double tool[3];
  ToolPointOfJoints(rs.joints, tool);
  if (result)
    for (int k = 0; k < 3; ++k) result->toolPoint[k] = tool[k];

  // A ruby ball at the tool point, turned with the tool.
  if (rs.ball) {
    rec.R = 0.02f;
    rec.R2 = 0.035f;
    rec.size[0] = rec.size[1] = 0.0f;
    glPushMatrix();
    glTranslatef(static_cast<float>(tool[0]), static_cast<float>(tool[1]), static_cast<float>(tool[2]));
    rec.X = rec.Y = rec.Z = 0.0f;
    glRotated(rs.joints[0], 0.0, 1.0, 0.0);
    glRotated(rs.joints[1], 1.0, 0.0, 0.0);
    glRotated(rs.joints[2], 1.0, 0.0, 0.0);
    glRotated(rs.joints[3], 0.0, 1.0, 0.0);
    glRotated(rs.joints[4], 1.0, 0.0, 0.0);
    glRotated(rs.joints[5], 0.0, 1.0, 0.0);
    rec.Ang[0] = rec.Ang[1] = rec.Ang[2] = 0.0f;
    rec.ColorTex = LookupMaterialPreset("ruby");
    DrawBall(rec);
    glPopMatrix();
  }
}

namespace {

// What drawing a record does to the current normal. It may leave a new
// one (every kind but dots and lines: fills, and text when lit); it surely
// does when it fills faces, each with its own normal, and has the
// resolution to draw them; it may light geometry with the normal it found
// before stating one of its own (dots, lines, and outlines without faces).
bool MaySetNormal(const SceneObject& o) {
  return o.Shp != ShapeKind::Dot && o.Shp != ShapeKind::Line;
}
bool SurelySetsNormal(const SceneObject& o) {
  if (!o.Fill) return false;
  switch (o.Shp) {
    case ShapeKind::Plane:
      return o.Dir >= 0 && o.Dir <= 5;
    case ShapeKind::Cube:
    case ShapeKind::Trapezoid:
    case ShapeKind::TrianglePrism:
    case ShapeKind::BevelCube:
    case ShapeKind::PunchCube:
      return true;
    case ShapeKind::Ball:
      return o.Reso >= 2 && o.R != 0.0f;
    case ShapeKind::Oval:
      return o.Reso >= 2 && o.R != 0.0f && o.Opt[1] != 1;
    case ShapeKind::ConstCylinder:
    case ShapeKind::Belt:
      return false;
    case ShapeKind::Dot:
    case ShapeKind::Line:
    case ShapeKind::BlockText:
      return false;
    default:
      // The other round kinds, composite parts, wafers and robots fill
      // with normals at any resolution that draws.
      return o.Reso >= 2 && !BoundsOf(o).drawsNothing;
  }
}
bool MayReadNormal(const SceneObject& o) {
  return !o.Fill || o.Shp == ShapeKind::Dot || o.Shp == ShapeKind::Line;
}

// The enabled records in ascending order, each drawn unless it is wholly
// outside the view. A skipped object must not change what the objects
// after it look like: with the lights on, the current normal one object
// leaves is the one the next outline or line is lit with. So an object that
// may set the normal is drawn anyway when a later object may read it before
// anything else sets it; the floor and the arm after the objects count as
// readers. A record drawn in place of the table's own (values substituted
// into a copy) must be the one BoundsOf and the cache see, so that its
// bounds and its list follow what is really drawn.
void DrawTable(const ObjectTable& table, const FrameInputs& in, ObjectListCache* cache, bool lit) {
  const DrawSubstitutes subs{in.settings ? in.settings->robot : nullptr, in.overrides};
  SceneObject scratch;
  auto recordAt = [&](int i) -> const SceneObject& {
    const SceneObject& stored = table[static_cast<size_t>(i)];
    if (!HasSubstitute(stored, i, subs)) return stored;
    scratch = EffectiveRecord(stored, i, subs);
    return scratch;
  };
  bool outside[kObjectCapacity] = {};
  if (in.cull) {
    const ViewVolume view = CurrentViewVolume();
    bool readerAhead = lit;
    for (int i = kObjectCapacity - 1; i >= 0; --i) {
      const SceneObject& obj = recordAt(i);
      if (!obj.Enbl) continue;
      outside[i] = !(readerAhead && MaySetNormal(obj)) && OutsideView(view, BoundsOf(obj));
      if (outside[i]) continue;
      // Drawn: a later reader sees this object's normal if it surely sets
      // one; it may itself read the one before it.
      if (SurelySetsNormal(obj)) readerAhead = false;
      if (lit && MayReadNormal(obj)) readerAhead = true;
    }
  }
  for (int i = 0; i < kObjectCapacity; ++i) {
    if (outside[i]) continue;
    const SceneObject& obj = recordAt(i);
    if (!obj.Enbl) continue;
    SceneObject reduced;
    const SceneObject* rec = &obj;
    if (in.reducedDetail > 0) {
      reduced = QuickRecord(obj, in.reducedDetail);
      rec = &reduced;
    }
    if (cache)
      cache->Draw(i, *rec, DrawObject);
    else
      DrawObject(*rec);
  }
}

}  // namespace

void ComposeFrame(const FrameInputs& in) {
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
  ObjectListCache* cache = in.reducedDetail > 0 ? nullptr : in.cache;
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
  if (textShown && text.lock) DrawBlockText(text);
  ApplyCameraOrientation(rs.view);
  ApplyLights();
  glLineWidth(1.0f);
  ApplyFog();
  if (textShown && !text.lock) DrawBlockText(text);
  SetWaferTextures(in.textures);
  if (cache) cache->BeginFrame(rs.view.ortho);
  if (in.table) DrawTable(*in.table, in, cache, AnyLightEnabled());
  DrawScene(rs, in.result, cache);
  // Separate passes over the finished picture, never inside an object's
  // drawing.
  if (in.interference) {
    // The check sees the records as they are drawn: a robot that follows a
    // panel or a record a controller moves is where the picture shows it.
    // The table is copied only in a frame that substitutes something.
    std::vector<SceneObject> drawn;
    const SceneObject* objects = in.table ? in.table->data() : nullptr;
    if (in.table) {
      const DrawSubstitutes subs{rs.robot, in.overrides};
      for (int i = 0; i < kObjectCapacity; ++i) {
        const SceneObject& stored = (*in.table)[static_cast<size_t>(i)];
        if (!HasSubstitute(stored, i, subs)) continue;
        if (drawn.empty()) drawn.assign(in.table->begin(), in.table->end());
        drawn[static_cast<size_t>(i)] = EffectiveRecord(stored, i, subs);
      }
      if (!drawn.empty()) objects = drawn.data();
    }
    const int count = objects ? kObjectCapacity : 0;
    CheckInterference(rs.joints, objects, count, in.interference);
    DrawInterferenceHighlight(*in.interference, objects, count, rs.joints);
  }
  if (in.trail) {
    double tool[3];
    ToolPointOfJoints(rs.joints, tool);
    in.trail->Add(tool);
    DrawToolTrail(*in.trail);
  }
  if (renormalise) glDisable(GL_NORMALIZE);
  glFlush();
}
