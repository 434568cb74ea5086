#pragma once

#include <cstddef>
#include <vector>

#include "render/GlHeaders.h"

// What an object's drawing sends to GL, taken down instead of drawn, so
// that it can be drawn again later in few large batches.
//
// The drawing routines call GL through the entry points below
// (render/GlDraw.h maps the gl names onto them). Normally each forwards to
// GL. While a capture is open they record instead: vertices and normals
// are carried through the object's own matrices (so a batch draws under
// the camera alone), every primitive becomes triangles, lines or points,
// and each vertex keeps the colour it would have been lit with. State that
// the routines switch and restore themselves (normalisation, texturing, the
// bound texture, the line width) is followed as GL would follow it, so
// their questions are answered as if the drawing had run. Anything the
// recorder cannot reproduce exactly as a batch (another switch, a matrix
// query, a material for one face) fails the capture, and the caller draws
// the object the ordinary way.
namespace gldraw {

void Begin(GLenum mode);
void End();
void Vertex3f(GLfloat x, GLfloat y, GLfloat z);
void Normal3f(GLfloat x, GLfloat y, GLfloat z);
void TexCoord2f(GLfloat s, GLfloat t);
void Color3f(GLfloat r, GLfloat g, GLfloat b);
void Materialfv(GLenum face, GLenum pname, const GLfloat* v);
void Materialf(GLenum face, GLenum pname, GLfloat v);
void PushMatrix();
void PopMatrix();
void Translatef(GLfloat x, GLfloat y, GLfloat z);
void Translated(GLdouble x, GLdouble y, GLdouble z);
void Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void Rotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z);
void Scaled(GLdouble x, GLdouble y, GLdouble z);
void Enable(GLenum cap);
void Disable(GLenum cap);
GLboolean IsEnabled(GLenum cap);
void GetFloatv(GLenum pname, GLfloat* out);
void GetIntegerv(GLenum pname, GLint* out);
void LineWidth(GLfloat width);
void BindTexture(GLenum target, GLuint name);

}  // namespace gldraw

// The lighting inputs a vertex carries besides its position: the current
// normal, colour and texture coordinate, and the material.
struct CurrentValues {
  GLfloat normal[3] = {0.0f, 0.0f, 1.0f};
  GLfloat color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  GLfloat texCoord[2] = {0.0f, 0.0f};
  GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  GLfloat specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  GLfloat emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  GLfloat shininess = 0.0f;

  // Reads them from GL (the front material).
  static CurrentValues Query();
  // Makes them GL's current values (the material for both faces).
  void Apply() const;
};

// One vertex of a batch, in the coordinates under the camera.
struct CapturedVertex {
  GLfloat p[3];
  GLfloat n[3];
  GLfloat c[4];
  GLfloat t[2];
};

// Primitives of one kind drawn with one state, in drawing order.
struct CapturedRun {
  GLenum mode = GL_TRIANGLES;  // GL_TRIANGLES, GL_LINES or GL_POINTS
  bool lit = false;
  bool normalize = false;
  bool textured = false;
  // Every vertex fully opaque: blending would leave each pixel as drawn.
  bool opaque = true;
  // Opaque triangles that close around volumes, every edge shared by a
  // face each way: +1 when they turn counter-clockwise seen from outside,
  // -1 clockwise, 0 when not closed (or not known). Seen from outside, the
  // faces turned away are hidden behind the others.
  int closedWinding = 0;
  GLfloat boxMin[3] = {}, boxMax[3] = {};
  GLuint texture = 0;
  GLfloat lineWidth = 1.0f;
  // With lighting: the material apart from its diffuse colour, which each
  // vertex carries.
  GLfloat ambient[4] = {};
  GLfloat specular[4] = {};
  GLfloat emission[4] = {};
  GLfloat shininess = 0.0f;
  std::vector<CapturedVertex> vertices;
  std::vector<GLuint> indices;

  // Same state and kind: the two can be drawn as one.
  bool Joins(const CapturedRun& o) const;
  // Finds closedWinding and the box.
  void MeasureClosure();
};

// What one object drew, and what of the current values it read before
// setting them itself (those must match when it is drawn again) and what
// it left behind.
struct CapturedGeometry {
  std::vector<CapturedRun> runs;
  bool readsNormal = false, readsColor = false, readsTexCoord = false;
  // Material parameters: ambient, diffuse, specular, emission, shininess.
  bool readsMaterial[5] = {};
  CurrentValues start;  // the values it found
  bool setsNormal = false, setsColor = false, setsTexCoord = false, setsMaterial = false;
  CurrentValues end;  // the values it left (those it set)
  size_t vertexCount = 0;

  // True when the values it reads are those in `now`.
  bool MatchesInherited(const CurrentValues& now) const;
  // Writes into `values` what drawing this object would leave in them.
  void LeaveValues(CurrentValues& values) const;
};

// Opens a capture of everything the drawing entry points receive until
// Finish. Captures do not nest. `now` holds the current values GL has
// (they are not asked again), `lit` whether lighting is on.
class GeometryCapture {
 public:
  GeometryCapture(const CurrentValues& now, bool lit);
  ~GeometryCapture();
  GeometryCapture(const GeometryCapture&) = delete;
  GeometryCapture& operator=(const GeometryCapture&) = delete;

  // Ends the capture: true and the geometry when everything drawn could be
  // taken down, false otherwise (then nothing was drawn and the object must
  // be drawn again the ordinary way).
  bool Finish(CapturedGeometry& out);

  // Why the last capture failed, for tests.
  static const char* LastFailure();

 private:
  bool open_ = false;  // this capture is the one recording
};

// Draws runs, merging neighbours that join, and leaves lighting, the
// bound texture, texturing, normalisation and the line width as they
// were. The current values are left undefined: the caller sets them.
class BatchDrawer {
 public:
  void Add(const CapturedGeometry& g);
  bool empty() const { return runs_.empty(); }
  // Draws what was added and forgets it.
  void Draw();

 private:
  std::vector<const CapturedRun*> runs_;
  std::vector<GLenum> cull_;  // per run: the faces to skip, or GL_NONE
  void DecideCulling();
  std::vector<CapturedVertex> vertices_;
  std::vector<GLuint> indices_;
};
