#include "render/InterferenceDraw.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "equipment/ObjectDrawing.h"
#include "equipment/ArticulatedArm.h"
#include "equipment/RobotLayout.h"
#include "mesh/MeshBuilder.h"
#include "shapes/BlockText.h"
#include "render/GlHeaders.h"
#include "render/MeshDraw.h"

namespace {

constexpr int kHighlightSegments = 16;

// A mesh in one plain colour, unlit.
void Paint(Mesh& m, float r, float g, float b) {
  for (MeshRun& run : m.runs) {
    run.lit = false;
    run.picture = -1;
    run.opaque = true;
    for (MeshVertex& v : run.vertices) {
      v.c[0] = r;
      v.c[1] = g;
      v.c[2] = b;
      v.c[3] = 1.0f;
    }
  }
}

// The pieces of a build named `name` (or piece k), in red.
void DrawRedPieces(const Mesh& whole, const char* name, int k) {
  for (size_t p = 0; p < whole.pieces.size(); ++p) {
    if (name ? whole.pieces[p].second != name : static_cast<int>(p) != k) continue;
    Mesh piece = whole.Piece(p);
    Paint(piece, 1.0f, 0.0f, 0.0f);
    DrawMesh(piece);
  }
}

// One record drawn from a mesh of its own: the highlight's red copies must
// never enter (or be taken from) any cache of the frame's own objects.
void DrawOne(const SceneObject& obj) {
  DrawBuilt([&] { DrawObject(obj); });
}

}  // namespace

void DrawInterferenceHighlight(const InterferenceReport& report, const SceneObject* first, int count,
                               const float joints[6]) {
  if (report.hits.empty() || !first) return;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT |
               GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glLineWidth(2.0f);
  constexpr Color kRed = 0x0000FF;
  glColor3f(1.0f, 0.0f, 0.0f);

  // Each touching object once, as a red wire copy of itself.
  std::vector<bool> drawn(static_cast<size_t>(count), false);
  for (const InterferenceHit& hit : report.hits) {
    if (hit.object < 0 || hit.object >= count || drawn[static_cast<size_t>(hit.object)]) continue;
    drawn[static_cast<size_t>(hit.object)] = true;
    SceneObject copy = first[hit.object];
    copy.clFill = copy.clFrame = kRed;
    for (Color& c : copy.cl_sub) c = kRed;
    copy.ColorTex.ClTex = false;
    copy.Frame = false;
    copy.Trans = 1.0f;
    copy.Tex = -1;
    DrawOne(copy);
  }

  // The arm's pieces that touch, coarse enough that their wires read as
  // wires.
  bool armHit = false;
  for (bool hit : report.armLinkHit) armHit = armHit || hit;
  if (armHit && joints) {
    const Mesh whole = CheckArmMesh(joints, kHighlightSegments);
    for (int k = 0; k < kArmLinkCount; ++k)
      if (report.armLinkHit[k]) DrawRedPieces(whole, nullptr, k);
  }

  // The parts of each robot or moved record that touch something.
  std::vector<bool> partDrawn(static_cast<size_t>(count) * 3, false);
  for (const InterferenceHit& hit : report.hits) {
    if (hit.armLink >= 0 || hit.robot < 0 || hit.robot >= count) continue;
    const size_t at = static_cast<size_t>(hit.robot) * 3 + static_cast<size_t>(hit.robotPart);
    if (partDrawn[at]) continue;
    partDrawn[at] = true;
    SceneObject rec = first[hit.robot];
    rec.Fill = true;
    rec.Frame = false;
    const Mesh whole = BuildObjectMesh(rec, BuildInputs{});
    if (hit.robotPart == kPartRecord) {
      Mesh all = whole;
      Paint(all, 1.0f, 0.0f, 0.0f);
      DrawMesh(all);
    } else {
      DrawRedPieces(whole, RobotPieceName(hit.robotPart == kPartWafer ? RobotPartRole::Wafer : RobotPartRole::Hand),
                    -1);
    }
  }
  glPopAttrib();
}

std::string ClearanceLabel(double metres) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f mm", metres * 1000.0);
  return text;
}

void DrawClearance(const InterferenceReport& report) {
  if (!report.measured || !std::isfinite(report.clearance)) return;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT |
               GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_POINT_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LINE_STIPPLE);
  const bool contact = report.clearance <= 0.0;
  if (contact) {
    glColor3f(1.0f, 0.0f, 0.0f);
  } else {
    glColor3f(1.0f, 0.55f, 0.0f);
  }
  glLineWidth(2.0f);
  const Vec3 a = report.nearOnPart, b = report.nearOnObject;
  glBegin(GL_LINES);
  glVertex3d(a.x, a.y, a.z);
  glVertex3d(b.x, b.y, b.z);
  glEnd();
  glPointSize(6.0f);
  glBegin(GL_POINTS);
  glVertex3d(a.x, a.y, a.z);
  glVertex3d(b.x, b.y, b.z);
  glEnd();

  // The length beside the middle of the line, in pixels.
  double model[16], proj[16];
  GLint view[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  glGetIntegerv(GL_VIEWPORT, view);
  const double mid[4] = {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0, (a.z + b.z) / 2.0, 1.0};
  double eye[4] = {0, 0, 0, 0}, clip[4] = {0, 0, 0, 0};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) eye[r] += model[c * 4 + r] * mid[c];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) clip[r] += proj[c * 4 + r] * eye[c];
  if (clip[3] > 0.0) {
    const double px = view[0] + (clip[0] / clip[3] + 1.0) * view[2] / 2.0 + 8.0;
    const double py = view[1] + (clip[1] / clip[3] + 1.0) * view[3] / 2.0 + 8.0;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(view[0], view[0] + view[2], view[1], view[1] + view[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    constexpr double kCellW = 8.0, kCellH = 14.0, kAdvance = 10.0;
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    // A dark edge first, so that the label reads on any background.
    for (const float width : {4.0f, 1.5f}) {
      if (width > 2.0f) {
        glColor3f(0.1f, 0.1f, 0.1f);
      } else {
        glColor4fv(colour);
      }
      glLineWidth(width);
      glBegin(GL_LINES);
      double x = px;
      for (char c : ClearanceLabel(report.clearance)) {
        const GlyphStroke* strokes = nullptr;
        const int n = GlyphStrokes(c, &strokes);
        for (int k = 0; k < n; ++k) {
          glVertex2d(x + strokes[k].a.h * kCellW, py + strokes[k].a.v * kCellH);
          glVertex2d(x + strokes[k].b.h * kCellW, py + strokes[k].b.v * kCellH);
        }
        x += kAdvance;
      }
      glEnd();
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  }
  glPopAttrib();
}
