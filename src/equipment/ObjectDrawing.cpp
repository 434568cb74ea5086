#include "equipment/ObjectDrawing.h"

#include "equipment/EquipmentModels.h"
#include "mesh/Emit.h"
#include "models/ModelDrawing.h"
#include "shapes/BlockText.h"
#include "shapes/Shapes.h"

BlockTextSettings TextRequestOf(const SceneObject& obj) {
  BlockTextSettings t;
  // An object's text is always drawn where it stands; the main window's
  // shown and lock switches mean nothing for it.
  t.shown = true;
  t.lock = false;
  t.strokeWidth = obj.size[0];
  t.charSize = obj.size[1];
  t.direction = obj.Dir;
  t.angle[0] = obj.Ang[0];
  t.angle[1] = obj.Ang[1];
  t.angle[2] = obj.Ang[2];
  t.X = obj.X;
  t.Y = obj.Y;
  t.Z = obj.Z;
  t.text = obj.Text;
  t.color = obj.clFill;
  t.opacity = obj.Trans;
  return t;
}

void DrawObject(const SceneObject& obj) {
  const int32_t k = obj.Shp;
  if (DrawPrimitive(obj)) return;
  if (k == ShapeKind::BlockText) {
    DrawBlockText(TextRequestOf(obj));
  } else if ((k >= ShapeKind::FirstComposite && k <= ShapeKind::LastComposite) || k == ShapeKind::Part130 ||
             k == ShapeKind::Part132 || k == ShapeKind::Part133) {
    DrawCompositePart(obj);
  } else if (k == ShapeKind::Model) {
    DrawModel(obj);
  } else if (k == ShapeKind::Wafer) {
    Wafer(obj);
  } else if (k == ShapeKind::ScaraRobot) {
    ScaraRobot(obj);
  } else if (k == ShapeKind::TwinHandRobot) {
    TwinHandRobot(obj);
  } else if (k == ShapeKind::FrogLegRobot) {
    FrogLegRobot(obj);
  }
  // Every other number (reserved 29, 40-42 and the unused ones) draws nothing.
}

Mesh BuildObjectMesh(const SceneObject& obj, const BuildInputs& in) {
  MeshBuilder b(in);
  {
    emit::BuildInto into(b);
    DrawObject(obj);
  }
  return b.Finish();
}

void DrawObjects(const SceneObject* first, int count, const DrawSubstitutes* subs) {
  if (!first || count < 1) return;
  SceneObject effective;
  for (int i = 0; i < count; ++i) {
    // Only records with a substitute are copied; the rest draw as stored.
    const bool substituted = subs && HasSubstitute(first[i], i, *subs);
    if (substituted) effective = EffectiveRecord(first[i], i, *subs);
    const SceneObject& obj = substituted ? effective : first[i];
    if (obj.Enbl) DrawObject(obj);
  }
}
