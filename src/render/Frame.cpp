#include "render/Frame.h"

#include <cmath>

#include "arm/ToolPoint.h"
#include "equipment/ArticulatedArm.h"
#include "equipment/EquipmentModels.h"
#include "objects/ObjectDrawing.h"
#include "render/BlockText.h"
#include "render/Camera.h"
#include "render/GlHeaders.h"
#include "render/InterferenceDraw.h"
#include "render/Lights.h"
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

void DrawScene(const RenderSettings& rs, FrameResult* result) {
  SceneObject rec = MakeBaseRecord(rs);

  // Floor: 31 x 31 tiles of 0.5 around the origin, near-white and light blue.
  rec.W = 0.5f;
  rec.D = 0.5f;
  rec.H = 0.0f;
  rec.Z = 0.0f;
  rec.Dir = 0;
  rec.Ang[0] = 0.0f;
  rec.Frame = false;
  rec.ColorTex.ClTex = false;
  for (int i = 0; i <= 30; ++i) {
    for (int j = 0; j <= 30; ++j) {
      rec.X = static_cast<float>(i) * 0.5f - 7.5f;
      rec.Y = static_cast<float>(j) * 0.5f - 7.5f;
      rec.clFill = ((i + j) % 2 != 0) ? 0xFFC0C0 : 0xF8F8F8;
      DrawPlane(rec);
    }
  }

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
  DrawArticulatedArm(rec, rs.markPlate);

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

void ComposeFrame(const FrameInputs& in) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!in.settings) {
    glFlush();
    return;
  }
  const RenderSettings& rs = *in.settings;
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
  if (in.table) DrawObjects(in.table->data(), kObjectCapacity);
  DrawScene(rs, in.result);
  // Separate passes over the finished picture, never inside an object's
  // drawing.
  if (in.interference) {
    const SceneObject* objects = in.table ? in.table->data() : nullptr;
    CheckInterference(rs.joints, objects, objects ? kObjectCapacity : 0, in.interference);
    DrawInterferenceHighlight(*in.interference, objects, objects ? kObjectCapacity : 0, rs.joints);
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
