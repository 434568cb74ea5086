#include "shapes/BlockText.h"

#include <cmath>

#include "mesh/Emit.h"
#include "shapes/Material.h"

namespace {

// GL refuses widths of 0 or less (and NaN): such a stroke draws one pixel.
float UsableLineWidth(float w) {
  return (w > 0.0f && std::isfinite(w)) ? w : 1.0f;
}

// The text's starting width is held to 10, where wide strokes would merge
// into blobs; each stroke then sets the request's own width.
float InitialLineWidth(float w) {
  return std::fmin(UsableLineWidth(w), 10.0f);
}

bool IsSymbol(unsigned char c) {
  return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126);
}

}  // namespace

void DrawGlyphStroke(float width, GlyphPoint a, GlyphPoint b, const SceneObject& rec) {
  emit::SetLineWidth(UsableLineWidth(width));
  emit::Begin(Prim::Lines);
  ApplyObjectColor(false, rec);
  if (emit::Lit()) emit::Normal(0.0f, 0.0f, 1.0f);
  for (const GlyphPoint& p : {a, b}) {
    if (rec.Dir == 0 || rec.Dir == 2) {
      emit::Vertex(rec.X + rec.W * p.h, rec.Z + rec.H * p.v, rec.Y + rec.D * p.d);
    } else if (rec.Dir == 1) {
      emit::Vertex(rec.X + rec.D * p.d, rec.Z + rec.H * p.v, rec.Y - rec.W * p.h);
    }
  }
  emit::End();
}

void DrawBlockText(const BlockTextSettings& request) {
  const int n = static_cast<int>(request.text.size());
  const float s = request.charSize;
  if (n == 0 || !std::isfinite(s)) return;

  const float previousWidth = emit::LineWidth();

  if (emit::Lit())
    SetColorMaterial(request.color, request.opacity);
  else
    SetPlainColor(request.color);
  emit::SetLineWidth(InitialLineWidth(request.strokeWidth));

  SceneObject rec = ZeroRecord();
  rec.Dir = request.direction;
  rec.W = 0.05f * s;
  rec.H = 0.1f * s;
  rec.D = 0.0f;
  // Each stroke takes the request's width as it is (a width of 0 or less
  // draws 1-pixel lines rather than raising a GL error).
  rec.R = request.strokeWidth;
  rec.clFill = request.color;
  rec.Trans = request.opacity;

  const float p = request.direction == 2 ? 0.1f : 0.05f;
  const float g = n > 1 ? 0.02f : 0.0f;
  const float half = (p + g) * static_cast<float>(n) * s / 2.0f;

  emit::Push();
  emit::Translate(request.X, request.Z, request.Y);
  emit::Rotate(request.angle[0], 0.0, 1.0, 0.0);
  emit::Rotate(request.angle[1], 1.0, 0.0, 0.0);
  emit::Rotate(request.angle[2], 0.0, 0.0, 1.0);
  for (int i = 1; i <= n; ++i) {
    const float k = static_cast<float>(i - 1);
    switch (request.direction) {
      case 0:
        rec.X = k * 0.07f * s - half;
        break;
      case 1:
        rec.Y = half - k * 0.07f * s;
        break;
      case 2:
        rec.Z = half - static_cast<float>(i) * 0.12f * s;
        break;
      default:
        break;
    }
    const unsigned char c = static_cast<unsigned char>(request.text[static_cast<size_t>(i - 1)]);
    if (c >= '0' && c <= '9')
      DrawDigitGlyph(static_cast<char>(c), rec);
    else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
      DrawLetterGlyph(static_cast<char>(c), rec);
    else if (IsSymbol(c))
      DrawSymbolGlyph(static_cast<char>(c), rec);
    // Blanks, control characters and bytes above 127 keep their place.
  }
  emit::Pop();
  emit::SetLineWidth(previousWidth);
}
