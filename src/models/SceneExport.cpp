#include "models/SceneExport.h"

#include <assimp/Exporter.hpp>
#include <assimp/IOStream.hpp>
#include <assimp/IOSystem.hpp>
#include <assimp/material.h>
#include <assimp/metadata.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "models/ModelImport.h"

namespace {

// What the exporter writes lands here, by path, never on disk.
class Captured : public Assimp::IOStream {
 public:
  Captured(std::vector<ExportFile>* files, std::string path) : files_(files), path_(std::move(path)) {}
  ~Captured() override { files_->push_back(ExportFile{path_, bytes_}); }
  size_t Read(void*, size_t, size_t) override { return 0; }
  size_t Write(const void* buffer, size_t size, size_t count) override {
    if (pos_ + size * count > bytes_.size()) bytes_.resize(pos_ + size * count);
    std::memcpy(&bytes_[pos_], buffer, size * count);
    pos_ += size * count;
    return count;
  }
  aiReturn Seek(size_t offset, aiOrigin origin) override {
    const size_t base = origin == aiOrigin_SET ? 0 : origin == aiOrigin_CUR ? pos_ : bytes_.size();
    pos_ = base + offset;
    return aiReturn_SUCCESS;
  }
  size_t Tell() const override { return pos_; }
  size_t FileSize() const override { return bytes_.size(); }
  void Flush() override {}

 private:
  std::vector<ExportFile>* files_;
  std::string path_;
  std::string bytes_;
  size_t pos_ = 0;
};

class CaptureFiles : public Assimp::IOSystem {
 public:
  explicit CaptureFiles(std::vector<ExportFile>* files) : files_(files) {}
  bool Exists(const char*) const override { return false; }
  char getOsSeparator() const override { return '/'; }
  Assimp::IOStream* Open(const char* path, const char* mode) override {
    if (!path || !mode || !std::strchr(mode, 'w')) return nullptr;
    return new Captured(files_, path);
  }
  void Close(Assimp::IOStream* file) override { delete file; }

 private:
  std::vector<ExportFile>* files_;
};

struct Colour {
  float rgba[4];
  bool operator<(const Colour& o) const { return std::lexicographical_compare(rgba, rgba + 4, o.rgba, o.rgba + 4); }
};

// s as a JSON string's contents; bytes that are not UTF-8 are taken as
// Latin-1, so the file stays valid JSON whatever a comment holds.
std::string JsonText(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    // Bytes that follow a UTF-8 lead byte.
    const size_t more = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 && c < 0xF0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
    if (more > 0) {
      bool valid = i + more < s.size();
      for (size_t k = 1; valid && k <= more; ++k) valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
      if (valid) {
        out.append(s, i, more + 1);
        i += more;
        continue;
      }
    }
    char esc[8];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x80) {
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out += esc;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// Writes each node's comment into its extras. The exporter names the nodes
// but writes no extras: the nodes array is found in the JSON text (the
// first "nodes" that holds objects) and each `"name": "X"` in it with a
// comment gets `, "extras": {"comment": ...}` after it.
void AddNodeComments(std::string& json, const std::map<std::string, std::string>& comments) {
  size_t at = 0;
  for (;;) {
    at = json.find("\"nodes\"", at);
    if (at == std::string::npos) return;
    size_t p = json.find_first_not_of(" \t\r\n:", at + 7);
    if (p != std::string::npos && json[p] == '[') {
      const size_t q = json.find_first_not_of(" \t\r\n", p + 1);
      if (q != std::string::npos && json[q] == '{') break;
    }
    at += 7;
  }
  // The array's end: brackets counted outside strings.
  size_t end = at;
  int depth = 0;
  bool inString = false;
  for (size_t i = json.find('[', at); i < json.size(); ++i) {
    const char c = json[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
      continue;
    }
    if (c == '"') inString = true;
    else if (c == '[' || c == '{') ++depth;
    else if ((c == ']' || c == '}') && --depth == 0) {
      end = i;
      break;
    }
  }
  std::string out = json.substr(0, at);
  size_t i = at;
  while (i < end) {
    const size_t key = json.find("\"name\"", i);
    if (key == std::string::npos || key >= end) break;
    const size_t open = json.find('"', json.find(':', key) + 1);
    const size_t close = json.find('"', open + 1);
    if (open == std::string::npos || close == std::string::npos || close >= end) break;
    out.append(json, i, close + 1 - i);
    const auto found = comments.find(json.substr(open + 1, close - open - 1));
    if (found != comments.end() && !found->second.empty())
      out += ",\"extras\":{\"comment\":\"" + JsonText(found->second) + "\"}";
    i = close + 1;
  }
  out.append(json, i, std::string::npos);
  json.swap(out);
}

// The same for a binary glTF: its JSON chunk is rewritten, padded with
// spaces to four bytes, and the lengths follow.
void AddNodeCommentsGlb(std::string& glb, const std::map<std::string, std::string>& comments) {
  if (glb.size() < 20) return;
  uint32_t jsonLength = 0;
  std::memcpy(&jsonLength, &glb[12], 4);
  if (20 + size_t(jsonLength) > glb.size()) return;
  std::string json = glb.substr(20, jsonLength);
  AddNodeComments(json, comments);
  while (json.size() % 4 != 0) json += ' ';
  const std::string rest = glb.substr(20 + jsonLength);
  const uint32_t newJson = static_cast<uint32_t>(json.size());
  const uint32_t total = static_cast<uint32_t>(20 + json.size() + rest.size());
  std::string out = glb.substr(0, 20);
  std::memcpy(&out[8], &total, 4);
  std::memcpy(&out[12], &newJson, 4);
  glb = out + json + rest;
}

}  // namespace

ExportFormat ExportFormatOf(const std::string& path) {
  const std::string ext = FileEnding(path);
  if (ext == "glb") return ExportFormat::Glb;
  if (ext == "gltf") return ExportFormat::Gltf;
  if (ext == "stl") return ExportFormat::Stl;
  if (ext == "obj") return ExportFormat::Obj;
  return ExportFormat::Unknown;
}

size_t ExportTriangleCount(const std::vector<ExportPart>& parts) {
  size_t n = 0;
  for (const ExportPart& p : parts)
    if (p.mesh)
      for (const MeshRun& r : p.mesh->runs)
        if (r.kind == RunKind::Triangles) n += r.indices.size() / 3;
  return n;
}

std::string ExportScene(const std::vector<ExportPart>& parts, const std::string& path,
                        std::vector<ExportFile>* files) {
  const ExportFormat format = ExportFormatOf(path);
  const char* id = format == ExportFormat::Glb    ? "glb2"
                   : format == ExportFormat::Gltf ? "gltf2"
                   : format == ExportFormat::Stl  ? "stlb"
                   : format == ExportFormat::Obj  ? "obj"
                                                  : nullptr;
  if (!id) return "the file name must end in .glb, .gltf, .stl or .obj";
  const bool yUp = format == ExportFormat::Glb || format == ExportFormat::Gltf;

  // From GL order (x, up, along) = scene (x, z, y): glTF wants
  // (x, z, -y), the others (x, y, z). Either is a mirror of GL order, so
  // every face is turned over to stay counter-clockwise from outside.
  auto place = [yUp](const float* g) {
    return yUp ? aiVector3D(g[0], g[1], -g[2]) : aiVector3D(g[0], g[2], g[1]);
  };

  auto scene = std::make_unique<aiScene>();
  scene->mRootNode = new aiNode("Scene");
  std::map<Colour, unsigned> materials;
  std::vector<aiMesh*> meshes;
  std::vector<aiNode*> nodes;
  for (const ExportPart& part : parts) {
    if (!part.mesh) continue;
    // The part's triangles by colour (one material each).
    std::map<Colour, std::vector<const MeshVertex*>> byColour;
    for (const MeshRun& run : part.mesh->runs) {
      if (run.kind != RunKind::Triangles) continue;
      for (size_t t = 0; t + 3 <= run.indices.size(); t += 3) {
        const MeshVertex* v[3] = {&run.vertices[run.indices[t]], &run.vertices[run.indices[t + 1]],
                                  &run.vertices[run.indices[t + 2]]};
        Colour c;
        std::copy(v[0]->c, v[0]->c + 4, c.rgba);
        std::vector<const MeshVertex*>& into = byColour[c];
        into.insert(into.end(), {v[0], v[2], v[1]});  // turned over
      }
    }
    if (byColour.empty()) continue;
    auto* node = new aiNode(part.name);
    node->mNumMeshes = static_cast<unsigned>(byColour.size());
    node->mMeshes = new unsigned[node->mNumMeshes];
    unsigned k = 0;
    for (const auto& [colour, corners] : byColour) {
      auto found = materials.find(colour);
      if (found == materials.end()) found = materials.emplace(colour, static_cast<unsigned>(materials.size())).first;
      auto* m = new aiMesh;
      m->mName = part.name;
      m->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
      m->mMaterialIndex = found->second;
      m->mNumVertices = static_cast<unsigned>(corners.size());
      m->mVertices = new aiVector3D[corners.size()];
      m->mNormals = new aiVector3D[corners.size()];
      for (size_t i = 0; i < corners.size(); ++i) {
        m->mVertices[i] = place(corners[i]->p);
        aiVector3D n = place(corners[i]->n);
        const float len = n.Length();
        m->mNormals[i] = len > 0.0f ? n / len : aiVector3D(0, 0, 1);
      }
      m->mNumFaces = m->mNumVertices / 3;
      m->mFaces = new aiFace[m->mNumFaces];
      for (unsigned f = 0; f < m->mNumFaces; ++f) {
        m->mFaces[f].mNumIndices = 3;
        m->mFaces[f].mIndices = new unsigned[3]{3 * f, 3 * f + 1, 3 * f + 2};
      }
      node->mMeshes[k++] = static_cast<unsigned>(meshes.size());
      meshes.push_back(m);
    }
    if (!part.comment.empty()) {
      node->mMetaData = aiMetadata::Alloc(1);
      node->mMetaData->Set(0, "comment", aiString(part.comment));
    }
    nodes.push_back(node);
  }
  if (meshes.empty()) return "the picture holds no faces to export";
  scene->mNumMeshes = static_cast<unsigned>(meshes.size());
  scene->mMeshes = new aiMesh*[meshes.size()];
  std::copy(meshes.begin(), meshes.end(), scene->mMeshes);
  scene->mRootNode->mNumChildren = static_cast<unsigned>(nodes.size());
  scene->mRootNode->mChildren = new aiNode*[nodes.size()];
  for (size_t i = 0; i < nodes.size(); ++i) {
    nodes[i]->mParent = scene->mRootNode;
    scene->mRootNode->mChildren[i] = nodes[i];
  }
  scene->mNumMaterials = static_cast<unsigned>(materials.size());
  scene->mMaterials = new aiMaterial*[materials.size()];
  for (const auto& [colour, index] : materials) {
    auto* mat = new aiMaterial;
    const aiColor4D c(colour.rgba[0], colour.rgba[1], colour.rgba[2], colour.rgba[3]);
    const aiColor3D c3(colour.rgba[0], colour.rgba[1], colour.rgba[2]);
    char name[32];
    std::snprintf(name, sizeof name, "colour%u", index);
    const aiString aname(name);
    mat->AddProperty(&aname, AI_MATKEY_NAME);
    mat->AddProperty(&c, 1, AI_MATKEY_BASE_COLOR);
    mat->AddProperty(&c3, 1, AI_MATKEY_COLOR_DIFFUSE);
    const float opacity = colour.rgba[3];
    mat->AddProperty(&opacity, 1, AI_MATKEY_OPACITY);
    scene->mMaterials[index] = mat;
  }

  Assimp::Exporter exporter;
  exporter.SetIOHandler(new CaptureFiles(files));
  if (exporter.Export(scene.get(), id, path) != aiReturn_SUCCESS) {
    files->clear();
    return std::string("the exporter failed (") + exporter.GetErrorString() + ")";
  }
  std::map<std::string, std::string> comments;
  for (const ExportPart& part : parts) comments[part.name] = part.comment;
  for (ExportFile& f : *files) {
    if (f.path != path) continue;
    if (format == ExportFormat::Glb) AddNodeCommentsGlb(f.bytes, comments);
    if (format == ExportFormat::Gltf) AddNodeComments(f.bytes, comments);
  }
  // The file asked for first, then its companions.
  std::stable_partition(files->begin(), files->end(), [&](const ExportFile& f) { return f.path == path; });
  return std::string();
}
