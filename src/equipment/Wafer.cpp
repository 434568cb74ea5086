#include <string>

#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "shapes/BlockText.h"
#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

const TextureSlot* gSlots = nullptr;

// Glyph size of a wafer ID before its own scaling: digits 0.03 tall.
constexpr float kIdCharSize = 0.3f;
constexpr float kIdStrokeWidth = 2.0f;

// The slot of the record's picture when it can be bound: a slot number in
// range whose image is loaded and uploaded into this context.
const TextureSlot* PictureOf(const SceneObject& obj) {
  if (gSlots == nullptr || obj.Tex < 0 || obj.Tex >= kTextureSlotCount) return nullptr;
  const TextureSlot& slot = gSlots[obj.Tex];
  if (!slot.loaded || slot.glName == 0 || glIsTexture(slot.glName) != GL_TRUE) return nullptr;
  return &slot;
}

// Texturing is on only for the disc; whatever was bound before comes back.
class TextureScope {
 public:
  TextureScope() {
    wasOn_ = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound_);
    if (wasOn_) glDisable(GL_TEXTURE_2D);
  }
  ~TextureScope() {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound_));
    if (wasOn_) glEnable(GL_TEXTURE_2D);
  }
  TextureScope(const TextureScope&) = delete;
  TextureScope& operator=(const TextureScope&) = delete;

 private:
  bool wasOn_ = false;
  GLint bound_ = 0;
};

// The picture laid flat on a disc of radius r facing up, upright when seen
// from above with the scene's +Y at the top.
void TexturedDisc(const SceneObject& obj, const TextureSlot& slot, double r, int reso) {
  // The picture shows in its own colours: the disc is white.
  SceneObject white = obj;
  white.ColorTex.ClTex = false;
  white.clFill = 0xFFFFFF;
  ApplyFillColor(white);
  glBindTexture(GL_TEXTURE_2D, slot.glName);
  glEnable(GL_TEXTURE_2D);
  const double step = 360.0 / reso;
  glBegin(GL_TRIANGLE_FAN);
  EmitNormal(0, 1, 0);
  glTexCoord2f(0.5f, 0.5f);
  EmitVertex(0, 0, 0);
  for (int i = 0; i <= reso; ++i) {
    const PlanePoint u = PolarPoint(i * step, 1.0);
    glTexCoord2f(static_cast<float>(0.5 + u.x / 2.0), static_cast<float>(0.5 + u.z / 2.0));
    EmitVertex(u.x * r, 0, u.z * r);
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

float OneIfZero(float v) {
  return v == 0.0f ? 1.0f : v;
}

}  // namespace

void SetWaferTextures(const TextureSlot* slots) {
  gSlots = slots;
}

const TextureSlot* WaferTextures() {
  return gSlots;
}

void Wafer(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  const double r = obj.R;
  const bool ring = obj.Opt[0] == 1;
  TextureScope textures;
  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill && reso > 0) {
    if (const TextureSlot* slot = PictureOf(obj)) {
      TexturedDisc(obj, *slot, ring ? 0.8 * r : r, reso);
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
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < reso; ++i) {
      const PlanePoint p = PolarPoint(i * step, rim);
      EmitVertex(p.x, 0.00002, p.z);
    }
    glEnd();
  }
}
