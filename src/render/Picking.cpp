#include "render/Picking.h"

#include <limits>
#include <vector>

#include "equipment/ArticulatedArm.h"
#include "equipment/ObjectDrawing.h"
#include "render/Camera.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/MeshDraw.h"
#include "render/RenderContext.h"

namespace {

// The name the arm is drawn under in selection mode.
constexpr GLuint kArmName = 0xFFFFFFFEu;
// Side of the square around the pointer that counts as "under" it.
constexpr double kPickPixels = 3.0;

void LoadCamera(const ViewSettings& v) {
  glLoadIdentity();
  ApplyCameraZoom(v);
  ApplyCameraOrientation(v);
}

// The arm as the frame draws it, for the depth it hides objects with.
void DrawArmOnly(const RenderSettings& rs) {
  SceneObject rec = MakeBaseRecord(rs);
  rec.X = rec.Y = rec.Z = 0.0f;
  for (int k = 0; k < 6; ++k) rec.size[10 + k] = rs.joints[k];
  DrawBuilt([&] { DrawArticulatedArm(rec, rs.markPlate); });
}

}  // namespace

int PickObject(const RenderSettings& rs, const SceneObject* first, int count, const TextureSlot* textures, int x,
               int y, const DrawSubstitutes* subs) {
  if (!first || count < 1) return -1;
  std::vector<SceneObject> drawn;
  std::vector<int> index;
  for (int i = 0; i < count; ++i) {
    const SceneObject& stored = first[i];
    if (subs && HasSubstitute(stored, i, *subs)) {
      SceneObject e = EffectiveRecord(stored, i, *subs);
      if (!e.Enbl) continue;
      drawn.push_back(std::move(e));
    } else {
      if (!stored.Enbl) continue;
      drawn.push_back(stored);
    }
    index.push_back(i);
  }
  const int enabled = static_cast<int>(drawn.size());
  if (enabled == 0) return -1;

  // One hit record is 3 words plus the one name on the stack.
  std::vector<GLuint> hits(static_cast<size_t>(enabled + 2) * 4);
  glSelectBuffer(static_cast<GLsizei>(hits.size()), hits.data());

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(x + 0.5, viewport[3] - y - 0.5, kPickPixels, kPickPixels, viewport);
  glMultMatrixd(projection);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();

  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);
  LoadCamera(rs.view);
  SetMeshPictures(textures);
  for (size_t k = 0; k < drawn.size(); ++k) {
    glLoadName(static_cast<GLuint>(index[k]));
    DrawBuilt([&] { DrawObject(drawn[k]); });
  }
  glLoadName(kArmName);
  DrawArmOnly(rs);
  const GLint n = glRenderMode(GL_RENDER);

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();

  // An overflowing buffer (n < 0) cannot happen with one record per name;
  // treat it as no hit rather than read past what GL wrote.
  int best = -1;
  GLuint bestDepth = std::numeric_limits<GLuint>::max();
  size_t at = 0;
  for (GLint h = 0; h < n && at + 3 <= hits.size(); ++h) {
    const GLuint names = hits[at];
    const GLuint zmin = hits[at + 1];
    if (names >= 1 && at + 3 + names <= hits.size() && zmin <= bestDepth) {
      const GLuint name = hits[at + 3 + names - 1];
      // Of equal depths the later record wins, as it is drawn over the
      // earlier one.
      if (zmin < bestDepth || name != kArmName) {
        bestDepth = zmin;
        best = name == kArmName ? -1 : static_cast<int>(name);
      }
    }
    at += 3 + names;
  }
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
