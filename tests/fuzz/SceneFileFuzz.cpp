// Takes each input the way a user's file takes it: written to disk, loaded
// through the real file reader, every parsed record drawn in a small
// headless context (through the mesh cache), then saved through the real save (temporary file and
// rename, over the previous save) and loaded again. Beyond "no crash, no
// overrun, no hang" (the run's -timeout bounds each input) it checks that
// drawing leaves the matrix stacks as it found them and that the saved file
// reads back to the same records.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>

#include "FuzzRequire.h"
#include "headless/HeadlessContext.h"
#include "equipment/ObjectDrawing.h"
#include "render/MeshDraw.h"
#include "render/ObjectListCache.h"
#include "objects/ObjectFile.h"
#include "objects/SceneObject.h"
#include "render/GlHeaders.h"
#include "render/RenderContext.h"
#include "render/Texture.h"

namespace {

const std::string kUntouched = "\x01untouched";

struct World {
  std::unique_ptr<HeadlessContext> gl;
  std::string dir;
  TextureSlot slots[kTextureSlotCount];
  std::unique_ptr<ObjectTable> table = std::make_unique<ObjectTable>();
  std::unique_ptr<ObjectTable> back = std::make_unique<ObjectTable>();
};

World& TheWorld() {
  static World* w = [] {
    auto* world = new World;
    char tmpl[] = "/tmp/tessaly-fuzz-XXXXXX";
    Require(mkdtemp(tmpl) != nullptr);
    world->dir = tmpl;
    world->gl = std::make_unique<HeadlessContext>(96, 64);
    Require(world->gl->ok());
    world->gl->MakeCurrent();
    for (int i = 0; i < 2; ++i) {
      FillGradientImage(world->slots[i]);
      UploadTextureImage(world->slots[i]);
      world->slots[i].number = i;
    }
    ApplyFixedRenderState();
    ApplyProjection(96, 64, false);
    std::atexit([] {
      const std::string d = TheWorld().dir;
      ::unlink((d + "/in.3dl").c_str());
      ::unlink((d + "/out.3dl").c_str());
      ::rmdir(d.c_str());
    });
    return world;
  }();
  return *w;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  Require(fd >= 0);
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    Require(n > 0);
    data += n;
    size -= static_cast<size_t>(n);
  }
  Require(::close(fd) == 0);
}

GLint Depth(GLenum which) {
  GLint d = 0;
  glGetIntegerv(which, &d);
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  World& w = TheWorld();
  const std::string in = w.dir + "/in.3dl", out = w.dir + "/out.3dl";
  WriteFile(in, data, size);

  ObjectTable& t = *w.table;
  InitializeRecords(t.data(), kObjectCapacity);
  for (SceneObject& r : t) r.Name = kUntouched;
  bool refused = false;
  const int loaded = LoadObjects(
      in, t.data(), kObjectCapacity, w.slots, [](const std::string& m) { Require(!m.empty()); }, nullptr,
      &refused);
  Require(loaded >= 0);  // a regular file always opens
  if (refused) {
    // Nothing of a file that is no scene reaches the table.
    for (const SceneObject& r : t) Require(r.Name == kUntouched);
    return 0;
  }

  // Draw every record the file set, enabled or not.
  int last = -1;
  for (int i = 0; i < kObjectCapacity; ++i) {
    SceneObject& r = t[static_cast<size_t>(i)];
    if (r.Name == kUntouched) continue;
    last = i;
    r.Enbl = true;
  }
  if (last < 0) return 0;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -3.0f);
  // Built into meshes and drawn through the mesh cache, as a frame does.
  {
    ObjectListCache cache;
    cache.BeginFrame();
    for (int i = 0; i <= last; ++i) cache.Draw(i, t[static_cast<size_t>(i)], DrawObject);
    cache.Flush();
    cache.Clear();
  }
  Require(Depth(GL_MODELVIEW_STACK_DEPTH) == 1);
  Require(Depth(GL_PROJECTION_STACK_DEPTH) == 1);
  while (glGetError() != GL_NO_ERROR) {
  }

  // The real save, over the previous input's file, and back.
  std::string why;
  Require(SaveObjects(out, t.data(), last + 1, SaveOptions{}, &why) == 1);
  ObjectTable& b = *w.back;
  InitializeRecords(b.data(), kObjectCapacity);
  int said = 0;
  Require(LoadObjects(out, b.data(), kObjectCapacity, w.slots, [&said](const std::string&) { ++said; }) ==
          last + 1);
  Require(said == 0);
  for (int i = 0; i <= last; ++i) {
    const std::string a = FormatObjectLine(i, t[static_cast<size_t>(i)]);
    const std::string c = FormatObjectLine(i, b[static_cast<size_t>(i)]);
    if (a != c) std::fprintf(stderr, "saved:  %s\nloaded: %s\n", a.c_str(), c.c_str());
    Require(a == c);
  }
  return 0;
}
