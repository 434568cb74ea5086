#include "EquipmentTestSupport.h"

#include "render/MeshDraw.h"

#include <QImage>
#include <cmath>

#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "support/GlFixture.h"
#include "support/TestBitmaps.h"
#include "render/Texture.h"

void EquipmentDefaultLights() {
  ResetLights();
  SetLightPosition(0, -10.0f, 6.0f, 10.0f, 0.0f);
  SetLightPosition(1, 10.0f, 10.0f, 10.0f, 0.0f);
  for (int slot = 0; slot < 2; ++slot) {
    SetLightLevels(slot, 0xFFFFFF, 0.5f, 0.6f, 1.0f, 0.0f, 0.0f);
    SetLightEnabled(slot, true);
  }
  ApplyLights();
}

bool LoadWaferPicture(TextureSlot* slots) {
  QImage img(QString(TESSALY_GOLDEN_DIR) + "/../../resources/WAFER.bmp");
  if (img.isNull()) return false;
  img = img.convertToFormat(QImage::Format_RGB32);
  Bitmap bmp;
  bmp.width = img.width();
  bmp.height = img.height();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y);
      bmp.pixels.push_back(static_cast<uint32_t>(qRed(p)) | static_cast<uint32_t>(qGreen(p)) << 8 |
                           static_cast<uint32_t>(qBlue(p)) << 16);
    }
  FakeBitmapSource source;
  source.resources["wafer"] = bmp;
  LoadTextureImage("RC,wafer", slots[1], source);
  slots[1].number = 1;
  return slots[1].loaded && slots[1].glName != 0;
}

void FreePictures(TextureSlot* slots) {
  for (int i = 0; i < kTextureSlotCount; ++i) {
    if (slots[i].glName != 0) {
      const GLuint name = slots[i].glName;
      glDeleteTextures(1, &name);
    }
    slots[i].glName = 0;
    slots[i].loaded = false;
  }
}

std::vector<ObjVertex> VerticesInColour(const std::vector<ObjPrimitive>& prims, Color c) {
  const float r = (c & 0xFF) / 255.0f, g = ((c >> 8) & 0xFF) / 255.0f, b = ((c >> 16) & 0xFF) / 255.0f;
  std::vector<ObjVertex> out;
  for (const ObjPrimitive& p : prims)
    for (const ObjVertex& v : p.v)
      if (std::fabs(v.r - r) < 0.004f && std::fabs(v.g - g) < 0.004f && std::fabs(v.b - b) < 0.004f)
        out.push_back(v);
  return out;
}

ObjVertex Centroid(const std::vector<ObjVertex>& v) {
  ObjVertex c{0, 0, 0, 0, 0, 0, 0};
  if (v.empty()) return c;
  for (const ObjVertex& p : v) {
    c.x += p.x;
    c.y += p.y;
    c.z += p.z;
  }
  c.x /= v.size();
  c.y /= v.size();
  c.z /= v.size();
  return c;
}

std::vector<ObjPrimitive> CaptureModel(const std::function<void()>& draw) {
  ResetLights();
  ApplyLights();
  return CaptureObjectSpace(draw);
}

std::vector<TexturedVertex> CaptureTexturedPolygons(const std::function<void()>& draw) {
  ResetLights();
  ApplyLights();
  KeepGlDriverLoaded();
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-4.0, 4.0, -3.0, 3.0, -10.0, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  std::vector<GLfloat> buf(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buf.size()), GL_3D_COLOR_TEXTURE, buf.data());
  glRenderMode(GL_FEEDBACK);
  DrawBuilt(draw);
  const GLint n = glRenderMode(GL_RENDER);
  std::vector<TexturedVertex> out;
  // Each vertex: x, y, z, four colour and four texture components.
  constexpr int kVertexFloats = 11;
  auto vertex = [&](GLint& i, bool keep) {
    if (keep) {
      const ObjPoint q = UnProject(FeedbackVertex{buf[i], buf[i + 1], buf[i + 2], 0, 0, 0, 0});
      const float w = buf[i + 10] != 0.0f ? buf[i + 10] : 1.0f;
      out.push_back(TexturedVertex{q.x, q.y, q.z, buf[i + 7] / w, buf[i + 8] / w});
    }
    i += kVertexFloats;
  };
  GLint i = 0;
  while (i < n) {
    const GLint token = static_cast<GLint>(buf[i++]);
    if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
        token == GL_COPY_PIXEL_TOKEN) {
      vertex(i, false);
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      vertex(i, false);
      vertex(i, false);
    } else if (token == GL_POLYGON_TOKEN) {
      const GLint count = static_cast<GLint>(buf[i++]);
      for (GLint k = 0; k < count; ++k) vertex(i, true);
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      ++i;
    } else {
      break;
    }
  }
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(static_cast<GLenum>(mode));
  return out;
}

bool SameDrawing(const std::vector<ObjPrimitive>& a, const std::vector<ObjPrimitive>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].kind != b[i].kind || a[i].v.size() != b[i].v.size()) return false;
    for (size_t k = 0; k < a[i].v.size(); ++k) {
      const ObjVertex &p = a[i].v[k], &q = b[i].v[k];
      if (std::fabs(p.x - q.x) > 1e-5 || std::fabs(p.y - q.y) > 1e-5 || std::fabs(p.z - q.z) > 1e-5 ||
          std::fabs(p.r - q.r) > 1e-4 || std::fabs(p.g - q.g) > 1e-4 || std::fabs(p.b - q.b) > 1e-4 ||
          std::fabs(p.a - q.a) > 1e-4)
        return false;
    }
  }
  return true;
}

SceneObject ColouredRecord(int32_t kind) {
  SceneObject o;
  o.Enbl = true;
  o.Shp = kind;
  o.clFill = kGrey;
  for (Color& c : o.cl_sub) c = 0x202020;
  o.cl_sub[0] = kRed;
  o.cl_sub[1] = kGreen;
  o.cl_sub[2] = kBlue;
  o.cl_sub[9] = kYellow;
  o.size[9] = 1.0f;
  return o;
}
