// Takes each input as a model file a scene names: its first byte picks the
// name's ending (so one corpus covers every reader), the rest is the file.
// The import must refuse it with a reason or hand back a model whose every
// index is in range and every corner a number; no crash, no overrun, no
// hang (the run's -timeout bounds each input).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "FuzzRequire.h"
#include "models/ModelImport.h"

namespace {

const char* const kEndings[] = {"stl", "obj", "ply", "gltf", "glb", "dae", "3mf", "step", "igs"};

const std::string& Folder() {
  static const std::string dir = [] {
    char tmpl[] = "/tmp/tessaly-model-fuzz-XXXXXX";
    const char* made = mkdtemp(tmpl);
    Require(made != nullptr);
    return std::string(made);
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // A reader that runs on is stopped well inside the run's -timeout.
  SetModelReadSeconds(5);
  const std::string path = Folder() + "/model." + kEndings[data[0] % (sizeof kEndings / sizeof *kEndings)];
  {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  ModelData m;
  const std::string why = ImportModel(path, ModelOptions{}, &m);
  if (!why.empty()) {
    Require(m.TriangleCount() == 0);
    return 0;
  }
  const size_t corners = m.CornerCount();
  Require(m.TriangleCount() > 0 && m.normals.size() == m.positions.size());
  for (uint32_t i : m.triangles) Require(i < corners);
  for (float f : m.positions) Require(std::isfinite(f));
  for (const ModelPart& p : m.parts) {
    Require(size_t(p.firstIndex) + p.indexCount <= m.triangles.size());
    Require(size_t(p.firstCorner) + p.cornerCount <= corners);
  }
  for (uint32_t i : m.edges) Require(i < m.edgeCorners.size() / 3);
  return 0;
}
