#include "support/Feedback.h"

#include "render/GlHeaders.h"
#include "render/MeshDraw.h"

std::vector<FeedbackPrimitive> CaptureFeedback(const std::function<void()>& draw, size_t bufferFloats,
                                               bool* overflow) {
  std::vector<GLfloat> buf(bufferFloats);
  glFeedbackBuffer(static_cast<GLsizei>(buf.size()), GL_3D_COLOR, buf.data());
  glRenderMode(GL_FEEDBACK);
  DrawBuilt(draw);
  const GLint n = glRenderMode(GL_RENDER);
  if (overflow) *overflow = n < 0;
  std::vector<FeedbackPrimitive> out;
  if (n <= 0) return out;

  // GL_3D_COLOR in RGBA mode: x, y, z, then four colour components.
  auto readVertex = [&](GLint& i) {
    FeedbackVertex v{buf[i], buf[i + 1], buf[i + 2], buf[i + 3], buf[i + 4], buf[i + 5], buf[i + 6]};
    i += 7;
    return v;
  };
  GLint i = 0;
  while (i < n) {
    const GLint token = static_cast<GLint>(buf[i++]);
    FeedbackPrimitive p{};
    switch (token) {
      case GL_POINT_TOKEN:
        p.kind = FeedbackPrimitive::Point;
        p.v.push_back(readVertex(i));
        break;
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN:
        p.kind = token == GL_LINE_TOKEN ? FeedbackPrimitive::Line : FeedbackPrimitive::LineReset;
        p.v.push_back(readVertex(i));
        p.v.push_back(readVertex(i));
        break;
      case GL_POLYGON_TOKEN: {
        p.kind = FeedbackPrimitive::Polygon;
        const GLint count = static_cast<GLint>(buf[i++]);
        for (GLint k = 0; k < count; ++k) p.v.push_back(readVertex(i));
        break;
      }
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        p.kind = token == GL_BITMAP_TOKEN      ? FeedbackPrimitive::Bitmap
                 : token == GL_DRAW_PIXEL_TOKEN ? FeedbackPrimitive::DrawPixel
                                                : FeedbackPrimitive::CopyPixel;
        p.v.push_back(readVertex(i));
        break;
      case GL_PASS_THROUGH_TOKEN:
        p.kind = FeedbackPrimitive::PassThrough;
        ++i;
        break;
      default:
        return out;  // unknown token: stop rather than misread the rest
    }
    out.push_back(std::move(p));
  }
  return out;
}

size_t CountKind(const std::vector<FeedbackPrimitive>& prims, FeedbackPrimitive::Kind kind) {
  size_t n = 0;
  for (const auto& p : prims)
    if (p.kind == kind || (kind == FeedbackPrimitive::Line && p.kind == FeedbackPrimitive::LineReset)) ++n;
  return n;
}

ObjPoint UnProject(const FeedbackVertex& v) {
  GLdouble model[16], proj[16];
  GLint view[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  glGetIntegerv(GL_VIEWPORT, view);
  ObjPoint p{};
  gluUnProject(v.x, v.y, v.z, model, proj, view, &p.x, &p.y, &p.z);
  return p;
}
