#include <string>

#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "shapes/BlockText.h"
#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

// Glyph size of a wafer ID before its own scaling: digits 0.03 tall.
constexpr float kIdCharSize = 0.3f;
constexpr float kIdStrokeWidth = 2.0f;

// Whether the record's picture can be shown: a slot number in range whose
// image the frame has made a texture of.
bool HasPicture(const SceneObject& obj) {
  return obj.Tex >= 0 && obj.Tex < kTextureSlotCount && emit::PictureUsable(obj.Tex);
}

// The picture laid flat on a disc of radius r facing up, upright when seen
// from above with the scene's +Y at the top.
void TexturedDisc(const SceneObject& obj, double r, int reso) {
  // The picture shows in its own colours: the disc is white.
  SceneObject white = obj;
  white.ColorTex.ClTex = false;
  white.clFill = 0xFFFFFF;
  ApplyFillColor(white);
  emit::Out().SetPicture(obj.Tex);
  const double step = 360.0 / reso;
  emit::Begin(Prim::TriangleFan);
  EmitNormal(0, 1, 0);
  emit::TexCoord(0.5f, 0.5f);
  EmitVertex(0, 0, 0);
  for (int i = 0; i <= reso; ++i) {
    const PlanePoint u = PolarPoint(i * step, 1.0);
    emit::TexCoord(static_cast<float>(0.5 + u.x / 2.0), static_cast<float>(0.5 + u.z / 2.0));
    EmitVertex(u.x * r, 0, u.z * r);
  }
  emit::End();
  emit::Out().SetPicture(-1);
}

float OneIfZero(float v) {
  return v == 0.0f ? 1.0f : v;
}

}  // namespace

void Wafer(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  const double r = obj.R;
  const bool ring = obj.Opt[0] == 1;
  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill && reso > 0) {
    if (HasPicture(obj)) {
      TexturedDisc(obj, ring ? 0.8 * r : r, reso);
      if (ring) {
        // The outer band in the first sub colour, just above the picture.
        SceneObject band = Tinted(obj, obj.cl_sub[0]);
        band.Frame = false;
        band.Y = 0.0f;
        band.Z = 0.00001f;
        band.W = static_cast<float>(2.0 * r);
        band.R = static_cast<float>(0.8 * r);
        band.H = 0.0f;
        DrawRing(band);
      }
    } else {
      SceneObject disc = Piece(obj);
      disc.Frame = false;
      disc.R = obj.R;
      DrawCircle(disc);
    }
  }
  if (obj.Opt[1] == 1 && obj.ID[0] != 0) {
    // The ID stands above the wafer in the second sub colour. A robot puts
    // its own scale in size[9], so dividing by it keeps the text's size
    // whatever the robot's; size[0] moves it aside, size[2] lifts it.
    BlockTextSettings text;
    text.shown = true;
    text.lock = false;
    text.strokeWidth = kIdStrokeWidth;
    text.charSize = kIdCharSize * OneIfZero(obj.size[8]) / OneIfZero(obj.size[9]);
    text.direction = 0;
    text.X = obj.size[0];
    text.Y = 0.0f;
    text.Z = obj.size[2];
    text.text = std::to_string(obj.ID[0]);
    text.color = obj.cl_sub[1];
    text.opacity = obj.Trans;
    DrawBlockText(text);
  }
  if (obj.Frame && reso > 0) {
    ApplyObjectColor(true, obj);
    const double step = 360.0 / reso;
    const double rim = r + 0.0001;
    emit::Begin(Prim::LineLoop);
    for (int i = 0; i < reso; ++i) {
      const PlanePoint p = PolarPoint(i * step, rim);
      EmitVertex(p.x, 0.00002, p.z);
    }
    emit::End();
  }
}
