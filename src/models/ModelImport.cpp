#include "models/ModelImport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "objects/FileAccess.h"

namespace {

// The corners' ids when only their place counts (a file repeats a corner
// for every face or normal it has).
std::vector<uint32_t> PlaceIds(const std::vector<float>& p) {
  struct Key {
    uint32_t v[3];
    bool operator==(const Key& o) const { return v[0] == o.v[0] && v[1] == o.v[1] && v[2] == o.v[2]; }
  };
  struct Hash {
    size_t operator()(const Key& k) const {
      return (static_cast<size_t>(k.v[0]) * 0x9E3779B1u) ^ (static_cast<size_t>(k.v[1]) * 0x85EBCA77u) ^
             (static_cast<size_t>(k.v[2]) * 0xC2B2AE3Du);
    }
  };
  const size_t n = p.size() / 3;
  std::unordered_map<Key, uint32_t, Hash> ids;
  ids.reserve(n);
  std::vector<uint32_t> id(n);
  for (size_t i = 0; i < n; ++i) {
    Key k;
    for (int c = 0; c < 3; ++c) {
      const float f = p[3 * i + c] == 0.0f ? 0.0f : p[3 * i + c];  // -0 is 0
      std::memcpy(&k.v[c], &f, sizeof f);
    }
    id[i] = ids.emplace(k, static_cast<uint32_t>(ids.size())).first->second;
  }
  return id;
}

void FaceNormal(const ModelData& m, size_t t, double n[3]) {
  const float* a = &m.positions[3 * m.triangles[3 * t]];
  const float* b = &m.positions[3 * m.triangles[3 * t + 1]];
  const float* c = &m.positions[3 * m.triangles[3 * t + 2]];
  const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
  const double v[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
  n[0] = u[1] * v[2] - u[2] * v[1];
  n[1] = u[2] * v[0] - u[0] * v[2];
  n[2] = u[0] * v[1] - u[1] * v[0];
  const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  for (int k = 0; k < 3; ++k) n[k] = len > 0.0 ? n[k] / len : 0.0;
}

int gReadSeconds = kModelReadSeconds;

// The raw model through a pipe: its fields, then each array with its length.
template <class T>
void PutArray(std::string& out, const std::vector<T>& v) {
  const uint64_t n = v.size();
  out.append(reinterpret_cast<const char*>(&n), sizeof n);
  if (!v.empty()) out.append(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(T));
}

template <class T>
bool TakeArray(const std::string& in, size_t& at, std::vector<T>& v) {
  uint64_t n = 0;
  if (at + sizeof n > in.size()) return false;
  std::memcpy(&n, &in[at], sizeof n);
  at += sizeof n;
  if (n > (in.size() - at) / sizeof(T)) return false;
  v.resize(static_cast<size_t>(n));
  if (!v.empty()) std::memcpy(v.data(), &in[at], v.size() * sizeof(T));
  at += v.size() * sizeof(T);
  return true;
}

std::string Serialise(const RawModel& r) {
  std::string out;
  const std::vector<char> error(r.error.begin(), r.error.end());
  PutArray(out, error);
  const std::vector<double> numbers = {r.declaredScale, r.numberScale, r.declaredYUp ? 1.0 : 0.0};
  PutArray(out, numbers);
  PutArray(out, r.data.positions);
  PutArray(out, r.data.normals);
  PutArray(out, r.data.triangles);
  PutArray(out, r.data.parts);
  return out;
}

bool Deserialise(const std::string& in, RawModel* r) {
  size_t at = 0;
  std::vector<char> error;
  std::vector<double> numbers;
  if (!TakeArray(in, at, error) || !TakeArray(in, at, numbers) || numbers.size() != 3 ||
      !TakeArray(in, at, r->data.positions) || !TakeArray(in, at, r->data.normals) ||
      !TakeArray(in, at, r->data.triangles) || !TakeArray(in, at, r->data.parts) || at != in.size())
    return false;
  r->error.assign(error.begin(), error.end());
  r->declaredScale = numbers[0];
  r->numberScale = numbers[1];
  r->declaredYUp = numbers[2] != 0.0;
  return true;
}

// Runs a reader of another library in a child process of its own, so that
// a file that makes it crash, or run on, costs that file and nothing else.
// What it read comes back through a pipe and is checked here.
template <class Reader>
RawModel ReadIsolated(Reader read, const std::atomic<bool>* cancel) {
  RawModel raw;
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) {
    raw.error = std::string("no reader could be started (") + std::strerror(errno) + ")";
    return raw;
  }
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    raw.error = std::string("no reader could be started (") + std::strerror(errno) + ")";
    return raw;
  }
  if (child == 0) {
    ::close(fds[0]);
    // A fault ends it by its signal, whatever handlers its parent set (a
    // fuzzer's, a sanitizer's); it ends with its parent, and on its own
    // when its time is up.
    for (int sig : {SIGALRM, SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL}) ::signal(sig, SIG_DFL);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::alarm(static_cast<unsigned>(gReadSeconds) + 1);
    const std::string bytes = Serialise(read());
    size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::write(fds[1], bytes.data() + sent, bytes.size() - sent);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) ::_exit(1);
      sent += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string bytes;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(gReadSeconds);
  bool late = false;
  char buffer[1 << 16];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || (cancel && *cancel)) {
      late = true;
      break;
    }
    pollfd p{fds[0], POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  if (late) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (late && cancel && *cancel) {
    raw.error = "reading it was stopped";
  } else if (late) {
    raw.error = "reading it took longer than " + std::to_string(gReadSeconds) + " s";
  } else if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
    raw.error = "reading it took longer than " + std::to_string(gReadSeconds) + " s";
  } else if (WIFSIGNALED(status)) {
    raw.error = "the reader stopped on it (signal " + std::to_string(WTERMSIG(status)) + "): it is malformed";
  } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !Deserialise(bytes, &raw)) {
    raw = RawModel{};
    raw.error = "the reader gave no usable result";
  }
  return raw;
}

}  // namespace

// The sharp edges: where two faces meet at more than 30 degrees, where an
// edge borders one face only, or more than two.
void FindSharpEdges(ModelData& m) {
  m.edges.clear();
  m.edgeCorners.clear();
  const std::vector<uint32_t> id = PlaceIds(m.positions);
  // Each place once among the edges' corners.
  constexpr uint32_t kNone = ~uint32_t{0};
  std::vector<uint32_t> corner(id.size(), kNone);
  struct Side {
    uint64_t key;
    uint32_t face, a, b;
  };
  std::vector<Side> sides;
  const size_t faces = m.TriangleCount();
  sides.reserve(3 * faces);
  for (size_t t = 0; t < faces; ++t)
    for (int k = 0; k < 3; ++k) {
      const uint32_t a = m.triangles[3 * t + k], b = m.triangles[3 * t + (k + 1) % 3];
      const uint32_t u = id[a], v = id[b];
      if (u == v) continue;
      const uint64_t key = u < v ? (uint64_t(u) << 32) | v : (uint64_t(v) << 32) | u;
      sides.push_back({key, static_cast<uint32_t>(t), a, b});
    }
  std::sort(sides.begin(), sides.end(), [](const Side& x, const Side& y) { return x.key < y.key; });
  const double cos30 = std::cos(30.0 * M_PI / 180.0);
  for (size_t i = 0; i < sides.size();) {
    size_t j = i + 1;
    while (j < sides.size() && sides[j].key == sides[i].key) ++j;
    bool sharp = j - i != 2;
    if (!sharp) {
      double n1[3], n2[3];
      FaceNormal(m, sides[i].face, n1);
      FaceNormal(m, sides[i + 1].face, n2);
      sharp = n1[0] * n2[0] + n1[1] * n2[1] + n1[2] * n2[2] < cos30;
    }
    if (sharp)
      for (uint32_t c : {sides[i].a, sides[i].b}) {
        uint32_t& at = corner[id[c]];
        if (at == kNone) {
          at = static_cast<uint32_t>(m.edgeCorners.size() / 3);
          m.edgeCorners.insert(m.edgeCorners.end(), &m.positions[3 * size_t(c)], &m.positions[3 * size_t(c)] + 3);
        }
        m.edges.push_back(at);
      }
    i = j;
  }
}

std::string FileEnding(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string();
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

ModelFormat ModelFormatOf(const std::string& path) {
  const std::string ext = FileEnding(path);
  if (ext == "stl") return ModelFormat::Stl;
  if (ext == "obj") return ModelFormat::Obj;
  if (ext == "ply") return ModelFormat::Ply;
  if (ext == "gltf" || ext == "glb") return ModelFormat::Gltf;
  if (ext == "dae") return ModelFormat::Collada;
  if (ext == "3mf") return ModelFormat::ThreeMf;
  if (ext == "step" || ext == "stp") return ModelFormat::Step;
  if (ext == "iges" || ext == "igs") return ModelFormat::Iges;
  return ModelFormat::Unknown;
}

const char* ModelFormatList() {
  return "STEP, IGES, STL, OBJ, PLY, glTF, COLLADA, 3MF";
}

std::string ReadModelBytes(const std::string& path, std::string* bytes) {
  std::string why;
  const int fd = OpenRegularFile(path, &why);
  if (fd < 0) {
    if (why == "no such file") return "the file does not exist";
    if (why == "a directory") return "it is a folder, not a file";
    return "it cannot be read (" + why + ")";
  }
  struct stat st{};
  why.clear();
  if (::fstat(fd, &st) != 0) {
    why = std::string("the file cannot be examined (") + std::strerror(errno) + ")";
  } else if (static_cast<uint64_t>(st.st_size) > kModelFileLimit) {
    why = "the file is larger than the " + std::to_string(kModelFileLimit >> 20) + " MiB a model may have";
  } else if (bytes) {
    bytes->resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < bytes->size()) {
      const ssize_t n = ::read(fd, &(*bytes)[got], bytes->size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    if (got != bytes->size()) why = "the file could not be read to its end";
  }
  ::close(fd);
  return why;
}

namespace {
std::atomic<size_t> gTriangleLimit{kModelTriangleLimit};
}  // namespace

size_t ModelTriangleLimit() {
  return gTriangleLimit;
}

void SetModelTriangleLimit(size_t triangles) {
  gTriangleLimit = triangles > 0 ? triangles : kModelTriangleLimit;
}

void SetModelReadSeconds(int seconds) {
  gReadSeconds = seconds > 0 ? seconds : kModelReadSeconds;
}

std::string ImportModel(const std::string& path, const ModelOptions& options, ModelData* out,
                        const std::atomic<bool>* cancel) {
  *out = ModelData{};
  const ModelFormat format = ModelFormatOf(path);
  if (format == ModelFormat::Unknown)
    return std::string("it is not a model file this program reads (") + ModelFormatList() + ")";
  // What is not a regular file within the limit is never handed to a reader.
  std::string why = ReadModelBytes(path, nullptr);
  if (!why.empty()) return why;
  const bool cad = format == ModelFormat::Step || format == ModelFormat::Iges;
  RawModel raw = ReadIsolated(
      [&] { return cad ? ReadCadFile(path, format, options.resolution) : ReadMeshFile(path, format, options.up != 0); },
      cancel);
  if (!raw.error.empty()) return raw.error;
  ModelData& m = raw.data;
  if (m.TriangleCount() > ModelTriangleLimit())
    return "it has " + std::to_string(m.TriangleCount()) + " triangles, more than the " +
           std::to_string(ModelTriangleLimit()) + " a model may have";
  if (m.TriangleCount() == 0) return "it holds no faces";

  // The unit and the up axis: scene coordinates are metres with Z up.
  // A unit the record states is the unit of the file's own numbers.
  const double stated = options.unit == 1 ? 0.001 : options.unit == 2 ? 0.0254 : 0.0;
  const double scale = stated > 0.0 ? stated * raw.numberScale : raw.declaredScale;
  const bool yUp = options.up == 1 || (options.up == 0 && raw.declaredYUp);
  const size_t n = m.CornerCount();
  if (m.normals.size() != m.positions.size()) m.normals.assign(m.positions.size(), 0.0f);
  bool finite = true;
  for (size_t i = 0; i < n; ++i) {
    float* p = &m.positions[3 * i];
    float* q = &m.normals[3 * i];
    if (yUp) {  // (x, y, z) with Y up is (x, -z, y) with Z up
      const float y = p[1], ny = q[1];
      p[1] = -p[2], p[2] = y;
      q[1] = -q[2], q[2] = ny;
    }
    for (int k = 0; k < 3; ++k) {
      p[k] = static_cast<float>(p[k] * scale);
      finite = finite && std::isfinite(p[k]);
    }
  }
  if (!finite) return "it holds a corner that is not a number";
  // Corners without a normal take their face's.
  for (size_t t = 0; t < m.TriangleCount(); ++t) {
    double fn[3];
    bool faceKnown = false;
    for (int k = 0; k < 3; ++k) {
      float* q = &m.normals[3 * m.triangles[3 * t + k]];
      const double len = std::sqrt(double(q[0]) * q[0] + double(q[1]) * q[1] + double(q[2]) * q[2]);
      if (len > 0.5 && std::isfinite(len)) continue;
      if (!faceKnown) FaceNormal(m, t, fn), faceKnown = true;
      for (int c = 0; c < 3; ++c) q[c] = static_cast<float>(fn[c]);
    }
  }
  for (int k = 0; k < 3; ++k) m.lo[k] = m.hi[k] = m.positions[k];
  for (size_t i = 0; i < n; ++i)
    for (int k = 0; k < 3; ++k) {
      m.lo[k] = std::min(m.lo[k], m.positions[3 * i + k]);
      m.hi[k] = std::max(m.hi[k], m.positions[3 * i + k]);
    }
  if (m.parts.empty())
    m.parts.push_back(ModelPart{0, static_cast<uint32_t>(m.triangles.size()), 0, static_cast<uint32_t>(n)});
  FindSharpEdges(m);
  *out = std::move(m);
  return std::string();
}
