#include "support/GlFixture.h"

#include <cstring>
#include <memory>
#include <sstream>

#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "render/RenderContext.h"

HeadlessContext& SharedGlContext() {
  static std::unique_ptr<HeadlessContext> ctx = [] {
    auto c = std::make_unique<HeadlessContext>(640, 480);
    KeepGlDriverLoaded();
    return c;
  }();
  return *ctx;
}

GlStateSnapshot GlStateSnapshot::Take() {
  GlStateSnapshot s;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelviewDepth);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
  glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
  glGetFloatv(GL_LINE_WIDTH, &s.lineWidth);
  glGetFloatv(GL_POINT_SIZE, &s.pointSize);
  s.lighting = glIsEnabled(GL_LIGHTING);
  s.texture2d = glIsEnabled(GL_TEXTURE_2D);
  s.cullFace = glIsEnabled(GL_CULL_FACE);
  s.blend = glIsEnabled(GL_BLEND);
  s.depthTest = glIsEnabled(GL_DEPTH_TEST);
  s.colorMaterial = glIsEnabled(GL_COLOR_MATERIAL);
  s.normalize = glIsEnabled(GL_NORMALIZE);
  s.fog = glIsEnabled(GL_FOG);
  s.lineSmooth = glIsEnabled(GL_LINE_SMOOTH);
  s.polygonOffsetFill = glIsEnabled(GL_POLYGON_OFFSET_FILL);
  glGetIntegerv(GL_POLYGON_MODE, s.polygonMode);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
  glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &s.elementBuffer);
  return s;
}

std::string GlStateSnapshot::DiffAgainst(const GlStateSnapshot& b) const {
  std::ostringstream o;
  auto cmp = [&o](const char* what, auto now, auto before) {
    if (now != before) o << what << " was " << before << " now " << now << "; ";
  };
  cmp("modelview depth", modelviewDepth, b.modelviewDepth);
  cmp("projection depth", projectionDepth, b.projectionDepth);
  cmp("matrix mode", matrixMode, b.matrixMode);
  cmp("line width", lineWidth, b.lineWidth);
  cmp("point size", pointSize, b.pointSize);
  cmp("GL_LIGHTING", lighting, b.lighting);
  cmp("GL_TEXTURE_2D", texture2d, b.texture2d);
  cmp("GL_CULL_FACE", cullFace, b.cullFace);
  cmp("GL_BLEND", blend, b.blend);
  cmp("GL_DEPTH_TEST", depthTest, b.depthTest);
  cmp("GL_COLOR_MATERIAL", colorMaterial, b.colorMaterial);
  cmp("GL_NORMALIZE", normalize, b.normalize);
  cmp("GL_FOG", fog, b.fog);
  cmp("GL_LINE_SMOOTH", lineSmooth, b.lineSmooth);
  cmp("GL_POLYGON_OFFSET_FILL", polygonOffsetFill, b.polygonOffsetFill);
  cmp("polygon mode front", polygonMode[0], b.polygonMode[0]);
  cmp("polygon mode back", polygonMode[1], b.polygonMode[1]);
  cmp("array buffer", arrayBuffer, b.arrayBuffer);
  cmp("element array buffer", elementBuffer, b.elementBuffer);
  return o.str();
}

std::string DrainGlErrors() {
  std::ostringstream o;
  for (int guard = 0; guard < 32; ++guard) {
    const GLenum e = glGetError();
    if (e == GL_NO_ERROR) break;
    o << "0x" << std::hex << e << " ";
  }
  return o.str();
}

void GlTest::SetUp() {
  HeadlessContext& ctx = SharedGlContext();
  ASSERT_TRUE(ctx.ok()) << ctx.error();
  ASSERT_TRUE(ctx.MakeCurrent());
  DrainGlErrors();
  // A clean slate: what a previous test may have left is not this test's.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
  glDisable(GL_FOG);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_COLOR_MATERIAL);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  ApplyClearColor(0x000000);
  ApplyFixedRenderState();
  ApplyProjection(ctx.width(), ctx.height(), false);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlTest::TearDown() {
  if (!SharedGlContext().ok()) return;
  // Lights and fog are process-wide; the next test starts without them.
  ResetLights();
  ApplyLights();
  ResetFog();
  ApplyFog();
  EXPECT_EQ(DrainGlErrors(), "") << "GL errors left behind";
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1) << "model-view stack left unbalanced";
  while (depth-- > 1) glPopMatrix();
  ApplyProjection(SharedGlContext().width(), SharedGlContext().height(), false);
}

void GlTest::UseFrontOrtho(double half) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-half, half, -half, half, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
