#include "render/InterferenceDraw.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "equipment/ObjectDrawing.h"
#include "collision/RobotSolids.h"
#include "render/GlHeaders.h"
#include "render/MeshDraw.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRing = 24;

void Vertex(Vec3 p) {
  glVertex3d(p.x, p.y, p.z);
}

// Two unit directions square to d and to each other.
void Across(Vec3 d, Vec3* a, Vec3* b) {
  const Vec3 helper = std::fabs(d.y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
  Vec3 x{helper.y * d.z - helper.z * d.y, helper.z * d.x - helper.x * d.z, helper.x * d.y - helper.y * d.x};
  x = x * (1.0 / Length(x));
  *a = x;
  *b = {d.y * x.z - d.z * x.y, d.z * x.x - d.x * x.z, d.x * x.y - d.y * x.x};
}

void Ring(Vec3 c, Vec3 a, Vec3 b, double r) {
  glBegin(GL_LINE_LOOP);
  for (int i = 0; i < kRing; ++i) {
    const double t = 2.0 * kPi * i / kRing;
    Vertex(c + a * (r * std::cos(t)) + b * (r * std::sin(t)));
  }
  glEnd();
}

void WireSweep(const Sweep& s) {
  if (s.core == Sweep::Core::Segment) {
    const Vec3 p0 = s.centre - s.u * s.eu, p1 = s.centre + s.u * s.eu;
    Vec3 a, b;
    Across(s.u, &a, &b);
    Ring(p0, a, b, s.radius);
    Ring(p1, a, b, s.radius);
    glBegin(GL_LINES);
    for (int i = 0; i < 8; ++i) {
      const double t = 2.0 * kPi * i / 8;
      const Vec3 off = a * (s.radius * std::cos(t)) + b * (s.radius * std::sin(t));
      Vertex(p0 + off);
      Vertex(p1 + off);
    }
    glEnd();
    // The round ends.
    for (int end = 0; end < 2; ++end) {
      const Vec3 c = end == 0 ? p0 : p1;
      const Vec3 out = end == 0 ? s.u * -1.0 : s.u;
      for (const Vec3& side : {a, b}) {
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i <= kRing / 2; ++i) {
          const double t = kPi * i / (kRing / 2);
          Vertex(c + side * (s.radius * std::cos(t)) + out * (s.radius * std::sin(t)));
        }
        glEnd();
      }
    }
  } else if (s.core == Sweep::Core::Rectangle) {
    const Vec3 n{s.u.y * s.v.z - s.u.z * s.v.y, s.u.z * s.v.x - s.u.x * s.v.z, s.u.x * s.v.y - s.u.y * s.v.x};
    for (double h : {-s.radius, s.radius}) {
      glBegin(GL_LINE_LOOP);
      static const double kCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
      for (const auto& k : kCorners) Vertex(s.centre + s.u * (k[0] * s.eu) + s.v * (k[1] * s.ev) + n * h);
      glEnd();
    }
  } else {
    Ring(s.centre, s.u, s.v, s.eu);
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

  glColor3f(1.0f, 0.0f, 0.0f);
  ArmCapsule capsules[kArmCapsuleCount];
  ArmCapsules(joints, capsules);
  for (const ArmCapsule& c : capsules)
    if (report.armLinkHit[c.link]) WireSweep(c.sweep);

  // The parts of each robot that touch something.
  std::vector<Sweep> parts;
  std::vector<int> kinds;
  int lastRobot = -1;
  for (const InterferenceHit& hit : report.hits) {
    if (hit.robot < 0 || hit.robot >= count || hit.robot == lastRobot) continue;
    lastRobot = hit.robot;
    parts.clear();
    kinds.clear();
    RobotMovingParts(first[hit.robot], &parts, &kinds);
    for (const Sweep& s : parts) WireSweep(s);
  }
  glPopAttrib();
}
