#pragma once

#include "mesh/MeshBuilder.h"

// The geometry routines (shapes, equipment, block text, the arm, the
// floor) describe themselves through these calls, which go to the builder
// of the innermost open BuildInto on this thread. Outside any BuildInto
// they go nowhere. No routine that builds geometry includes a GL header:
// the build checks it.
namespace emit {

// Makes `b` the builder the calls go to while it lives; scopes nest.
class BuildInto {
 public:
  explicit BuildInto(MeshBuilder& b);
  ~BuildInto();
  BuildInto(const BuildInto&) = delete;
  BuildInto& operator=(const BuildInto&) = delete;

 private:
  MeshBuilder* previous_;
};

// The builder the calls go to now (a discarding one outside any scope).
MeshBuilder& Out();

inline void Begin(Prim p) {
  Out().Begin(p);
}
inline void End() {
  Out().End();
}
inline void Vertex(double x, double y, double z) {
  Out().Vertex(x, y, z);
}
inline void Normal(double x, double y, double z) {
  Out().Normal(x, y, z);
}
inline void TexCoord(double s, double t) {
  Out().TexCoord(s, t);
}
inline void Color(float r, float g, float b) {
  Out().Color(r, g, b);
}
inline void SetMaterial(const MaterialValues& m) {
  Out().SetMaterial(m);
}
inline void Push() {
  Out().Push();
}
inline void Pop() {
  Out().Pop();
}
inline void Translate(double x, double y, double z) {
  Out().Translate(x, y, z);
}
inline void Rotate(double angle, double x, double y, double z) {
  Out().Rotate(angle, x, y, z);
}
inline void Scale(double x, double y, double z) {
  Out().Scale(x, y, z);
}
inline void SetLineWidth(float w) {
  Out().SetLineWidth(w);
}
inline float LineWidth() {
  return Out().lineWidth();
}
// Whether the build is for lit drawing (materials) or plain colours.
inline bool Lit() {
  return Out().inputs().lit;
}
// Whether the wafer picture in slot can be shown.
inline bool PictureUsable(int slot) {
  return slot >= 0 && slot < 32 && (Out().inputs().pictures >> slot & 1u) != 0;
}

}  // namespace emit
