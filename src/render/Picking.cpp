#include "render/Picking.h"

#include <algorithm>

#include "equipment/ArticulatedArm.h"
#include "equipment/ObjectDrawing.h"
#include "render/Camera.h"
#include "render/Frame.h"
#include "mesh/MeshPick.h"
#include "render/GlHeaders.h"
#include "render/MeshDraw.h"
#include "render/RenderContext.h"

namespace {

// Side of the square around the pointer that counts as "under" it.
constexpr double kPickPixels = 3.0;

void LoadCamera(const ViewSettings& v) {
  glLoadIdentity();
  ApplyCameraZoom(v);
  ApplyCameraOrientation(v);
}

// The arm as the frame draws it, for the depth it hides objects with.
Mesh ArmMesh(const RenderSettings& rs) {
  SceneObject rec = MakeBaseRecord(rs);
  rec.X = rec.Y = rec.Z = 0.0f;
  for (int k = 0; k < 6; ++k) rec.size[10 + k] = rs.joints[k];
  MeshBuilder b;
  {
    emit::BuildInto into(b);
    DrawArticulatedArm(rec, rs.markPlate);
  }
  return b.Finish();
}

}  // namespace

int PickObject(const RenderSettings& rs, const SceneObject* first, int count, const TextureSlot* textures, int x,
               int y, const DrawSubstitutes* subs) {
  if (!first || count < 1) return -1;
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  PickRegion region;
  double camera[16];
  CameraFrame(rs.view, camera);
  MultiplyMatrices(projection, camera, region.clip);
  std::copy(viewport, viewport + 4, region.viewport);
  region.x = x + 0.5;
  region.y = viewport[3] - y - 0.5;
  region.side = kPickPixels;
  SetMeshPictures(textures);
  const BuildInputs inputs = CurrentBuildInputs();

  // The nearest record wins; of equal depths the later one, as it is drawn
  // over the earlier one. The arm hides what it stands in front of.
  int best = -1;
  double bestDepth = 2.0;
  for (int i = 0; i < count; ++i) {
    const SceneObject& stored = first[i];
    const bool substituted = subs && HasSubstitute(stored, i, *subs);
    const SceneObject rec = substituted ? EffectiveRecord(stored, i, *subs) : stored;
    if (!rec.Enbl) continue;
    const double d = PickDepth(BuildObjectMesh(rec, inputs), region);
    if (d >= 0.0 && d <= bestDepth) {
      best = i;
      bestDepth = d;
    }
  }
  const double arm = PickDepth(ArmMesh(rs), region);
  if (arm >= 0.0 && arm < bestDepth) best = -1;
  return best;
}

void DrawSelectionOutline(const RenderSettings& rs, const SceneObject& rec, const TextureSlot* textures) {
  if (!rec.Enbl) return;
  // Filled surfaces only: the object's own edge lines would double the
  // outline inside the silhouette.
  SceneObject r = rec;
  r.Fill = true;
  r.Frame = false;

  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  LoadCamera(rs.view);
  SetMeshPictures(textures);
  glDisable(GL_LIGHTING);
  const Mesh mesh = BuildObjectMesh(r, CurrentBuildInputs());
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);

  GLint stencilBits = 0;
  glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
  if (stencilBits > 0) {
    // The silhouette into the stencil buffer; the wide lines below then
    // show only outside it.
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    DrawMesh(mesh);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilFunc(GL_NOTEQUAL, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  }

  // Shapes set their own colours and materials; fog at full strength
  // replaces whatever colour a fragment has with the outline colour (a
  // linear fog whose end lies before any distance gives factor 0).
  const Rgb c = ColorToRgb(kSelectionColor);
  const GLfloat fogColor[4] = {c.r, c.g, c.b, 1.0f};
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, -1.0e6f - 1.0f);
  glFogf(GL_FOG_END, -1.0e6f);
  glFogfv(GL_FOG_COLOR, fogColor);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glLineWidth(stencilBits > 0 ? 5.0f : 2.0f);
  DrawMesh(mesh);

  glPopMatrix();
  glPopAttrib();
}
