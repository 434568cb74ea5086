// Cube, Trapezoid, TrianglePrism, BevelCube and PunchCube.

#include <cmath>

#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

// Outlines that run on a face are pushed this far outside it so that the
// depth test does not hide them behind the face.
constexpr double kOutlineLift = 0.0001;

void Quad(const Vec3& n, const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d) {
  EmitNormal(n);
  EmitVertex(a);
  EmitVertex(b);
  EmitVertex(c);
  EmitVertex(d);
}

void Loop(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d) {
  emit::Begin(Prim::LineLoop);
  EmitVertex(a);
  EmitVertex(b);
  EmitVertex(c);
  EmitVertex(d);
  emit::End();
}

// A prism whose front and back are trapezoids: half width hw at the top,
// b at the bottom. With b equal to hw it is the Cube.
void EmitTrapezoidFaces(double hw, double b, double hh, double hd) {
  emit::Begin(Prim::Quads);
  Quad({0, 1, 0}, {-hw, hh, -hd}, {-hw, hh, hd}, {hw, hh, hd}, {hw, hh, -hd});
  Quad({0, -1, 0}, {-b, -hh, -hd}, {b, -hh, -hd}, {b, -hh, hd}, {-b, -hh, hd});
  Quad({0, 0, 1}, {-b, -hh, hd}, {b, -hh, hd}, {hw, hh, hd}, {-hw, hh, hd});
  Quad({0, 0, -1}, {-b, -hh, -hd}, {-hw, hh, -hd}, {hw, hh, -hd}, {b, -hh, -hd});
  Quad({-1, 0, 0}, {-b, -hh, -hd}, {-b, -hh, hd}, {-hw, hh, hd}, {-hw, hh, -hd});
  Quad({1, 0, 0}, {b, -hh, -hd}, {hw, hh, -hd}, {hw, hh, hd}, {b, -hh, hd});
  emit::End();
}

// Four loops, around the top, the bottom, the left and the right face,
// each lifted off its face; together they cover all twelve edges.
void EmitTrapezoidOutline(double hw, double b, double hh, double hd) {
  const double e = kOutlineLift;
  Loop({-hw, hh + e, -hd}, {-hw, hh + e, hd}, {hw, hh + e, hd}, {hw, hh + e, -hd});
  Loop({-b, -hh - e, -hd}, {b, -hh - e, -hd}, {b, -hh - e, hd}, {-b, -hh - e, hd});
  Loop({-b - e, -hh, -hd}, {-b - e, -hh, hd}, {-hw - e, hh, hd}, {-hw - e, hh, -hd});
  Loop({b + e, -hh, -hd}, {hw + e, hh, -hd}, {hw + e, hh, hd}, {b + e, -hh, hd});
}

void DrawTrapezoidBox(const SceneObject& obj, double bottomHalfWidth) {
  const double hw = obj.W / 2.0, hh = obj.H / 2.0, hd = obj.D / 2.0;
  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    EmitTrapezoidFaces(hw, bottomHalfWidth, hh, hd);
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    EmitTrapezoidOutline(hw, bottomHalfWidth, hh, hd);
  }
}

}  // namespace

void DrawCube(SceneObject obj) {
  DrawTrapezoidBox(obj, obj.W / 2.0);
}

void DrawTrapezoid(SceneObject obj) {
  DrawTrapezoidBox(obj, obj.size[0] / 2.0);
}

void DrawTrianglePrism(SceneObject obj) {
  const double hw = obj.W / 2.0, hd = obj.D / 2.0, h = obj.H;
  // The cross-section in (x, z): apex at -x, base edge at +x.
  const PlanePoint apex{-hw, 0.0}, front{hw, hd}, back{hw, -hd};
  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    emit::Begin(Prim::Triangles);
    EmitNormal(0, -1, 0);
    EmitVertex(apex.x, 0, apex.z);
    EmitVertex(front.x, 0, front.z);
    EmitVertex(back.x, 0, back.z);
    EmitNormal(0, 1, 0);
    EmitVertex(apex.x, h, apex.z);
    EmitVertex(front.x, h, front.z);
    EmitVertex(back.x, h, back.z);
    emit::End();
    // The slanted faces carry their true unit normals: the edge from the
    // apex to (hw, hd) runs along (W, hd), so its outward normal is
    // (-hd, W) in (x, z).
    const double len = std::sqrt(hd * hd + double(obj.W) * obj.W);
    const double nx = len > 0.0 ? -hd / len : -1.0;
    const double nz = len > 0.0 ? obj.W / len : 0.0;
    emit::Begin(Prim::Quads);
    Quad({nx, 0, nz}, {apex.x, 0, apex.z}, {front.x, 0, front.z}, {front.x, h, front.z}, {apex.x, h, apex.z});
    Quad({1, 0, 0}, {front.x, 0, front.z}, {back.x, 0, back.z}, {back.x, h, back.z}, {front.x, h, front.z});
    Quad({nx, 0, -nz}, {back.x, 0, back.z}, {apex.x, 0, apex.z}, {apex.x, h, apex.z}, {back.x, h, back.z});
    emit::End();
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    for (double y : {0.0, h}) {
      emit::Begin(Prim::LineLoop);
      EmitVertex(apex.x, y, apex.z);
      EmitVertex(front.x, y, front.z);
      EmitVertex(back.x, y, back.z);
      emit::End();
    }
    emit::Begin(Prim::Lines);
    for (const PlanePoint& p : {apex, front, back}) {
      EmitVertex(p.x, 0, p.z);
      EmitVertex(p.x, h, p.z);
    }
    emit::End();
  }
}

void DrawBevelCube(SceneObject obj) {
  const double hw = obj.W / 2.0, hh = obj.H / 2.0, hd = obj.D / 2.0, c = obj.R;
  // The octagon in (x, z), going round with the angle: right side, front
  // right chamfer, front side, and so on.
  const PlanePoint p[8] = {{hw, -(hd - c)}, {hw, hd - c},     {hw - c, hd},     {-(hw - c), hd},
                           {-hw, hd - c},   {-hw, -(hd - c)}, {-(hw - c), -hd}, {hw - c, -hd}};
  const double k = 0.707;
  const Vec3 sideNormal[8] = {{1, 0, 0},  {k, 0, k},   {0, 0, 1},  {-k, 0, k},
                              {-1, 0, 0}, {-k, 0, -k}, {0, 0, -1}, {k, 0, -k}};
  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    emit::Begin(Prim::Polygon);
    EmitNormal(0, 1, 0);
    for (int i = 7; i >= 0; --i) EmitVertex(p[i].x, hh, p[i].z);
    emit::End();
    emit::Begin(Prim::Polygon);
    EmitNormal(0, -1, 0);
    for (int i = 0; i < 8; ++i) EmitVertex(p[i].x, -hh, p[i].z);
    emit::End();
    emit::Begin(Prim::Quads);
    for (int i = 0; i < 8; ++i) {
      const PlanePoint& a = p[i];
      const PlanePoint& b = p[(i + 1) % 8];
      Quad(sideNormal[i], {a.x, hh, a.z}, {b.x, hh, b.z}, {b.x, -hh, b.z}, {a.x, -hh, a.z});
    }
    emit::End();
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    for (double y : {hh, -hh}) {
      emit::Begin(Prim::LineLoop);
      for (const PlanePoint& q : p) EmitVertex(q.x, y, q.z);
      emit::End();
    }
    emit::Begin(Prim::Lines);
    for (const PlanePoint& q : p) {
      EmitVertex(q.x, hh, q.z);
      EmitVertex(q.x, -hh, q.z);
    }
    emit::End();
  }
}

namespace {

struct PlanePart {
  int dir;
  double cx, cy, cz, hw, hh, hd;
};

}  // namespace

void DrawPunchCube(SceneObject obj) {
  const double hw = obj.W / 2.0, hh = obj.H / 2.0, hd = obj.D / 2.0, r = obj.R;
  // Inner walls stop short of the outer pieces by this much.
  const double inset = 0.0001;
  const double innerHalfW = (obj.W - 2.0 * r - inset) / 2.0;
  const double innerHalfD = (obj.D - 2.0 * r - inset) / 2.0;
  const double openHalfD = (obj.D - 2.0 * r) / 2.0;
  const PlanePart parts[] = {
      // Top and bottom, each four strips round the opening.
      {0, 0, hh, hd - r / 2, hw, 0, r / 2},
      {0, 0, hh, -(hd - r / 2), hw, 0, r / 2},
      {0, -(hw - r / 2), hh, 0, r / 2, 0, openHalfD},
      {0, hw - r / 2, hh, 0, r / 2, 0, openHalfD},
      {1, 0, -hh, hd - r / 2, hw, 0, r / 2},
      {1, 0, -hh, -(hd - r / 2), hw, 0, r / 2},
      {1, -(hw - r / 2), -hh, 0, r / 2, 0, openHalfD},
      {1, hw - r / 2, -hh, 0, r / 2, 0, openHalfD},
      // The four outer sides.
      {2, 0, 0, hd, hw, hh, 0},
      {3, 0, 0, -hd, hw, hh, 0},
      {4, -hw, 0, 0, 0, hh, hd},
      {5, hw, 0, 0, 0, hh, hd},
      // The opening's walls, facing into it.
      {3, 0, 0, hd - r, innerHalfW, hh, 0},
      {2, 0, 0, -(hd - r), innerHalfW, hh, 0},
      {5, -(hw - r), 0, 0, 0, hh, innerHalfD},
      {4, hw - r, 0, 0, 0, hh, innerHalfD},
  };
  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    for (const PlanePart& p : parts) EmitPlaneFace(p.dir, p.cx, p.cy, p.cz, p.hw, p.hh, p.hd);
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    for (const PlanePart& p : parts) EmitPlaneLoop(p.dir, p.cx, p.cy, p.cz, p.hw, p.hh, p.hd);
  }
}
