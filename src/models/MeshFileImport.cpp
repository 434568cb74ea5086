// Mesh files (STL, OBJ with MTL, PLY, glTF, COLLADA, 3MF) through the Open
// Asset Import Library.
#include <assimp/DefaultLogger.hpp>
#include <assimp/Importer.hpp>
#include <assimp/IOSystem.hpp>
#include <assimp/MemoryIOWrapper.h>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cstring>
#include <memory>

#include "models/ModelImport.h"

namespace {

// Every file the importer opens (the model and what it refers to) comes
// through here, held to the model file rules: regular files within the
// size limit, read whole into memory.
class GuardedFiles : public Assimp::IOSystem {
 public:
  bool Exists(const char* path) const override { return path && ReadModelBytes(path, nullptr).empty(); }
  char getOsSeparator() const override { return '/'; }
  Assimp::IOStream* Open(const char* path, const char* mode) override {
    if (!path || !mode || std::strchr(mode, 'w') || std::strchr(mode, 'a')) return nullptr;
    std::string bytes;
    if (!ReadModelBytes(path, &bytes).empty()) return nullptr;
    auto* copy = new uint8_t[bytes.size() + 1];
    std::memcpy(copy, bytes.data(), bytes.size());
    return new Assimp::MemoryIOStream(copy, bytes.size(), true);
  }
  void Close(Assimp::IOStream* file) override { delete file; }
};

bool DefaultMaterial(const aiMaterial* mat) {
  aiString name;
  return mat->Get(AI_MATKEY_NAME, name) == AI_SUCCESS && std::strcmp(name.C_Str(), AI_DEFAULT_MATERIAL_NAME) == 0;
}

// The material's own colour: glTF's base colour, else the diffuse colour,
// with its opacity.
bool MaterialColor(const aiMaterial* mat, float rgba[4]) {
  if (!mat || DefaultMaterial(mat)) return false;
  aiColor4D c;
  if (mat->Get(AI_MATKEY_BASE_COLOR, c) != AI_SUCCESS && mat->Get(AI_MATKEY_COLOR_DIFFUSE, c) != AI_SUCCESS)
    return false;
  float opacity = 1.0f;
  if (mat->Get(AI_MATKEY_OPACITY, opacity) != AI_SUCCESS) opacity = 1.0f;
  rgba[0] = c.r, rgba[1] = c.g, rgba[2] = c.b;
  rgba[3] = std::min(c.a, opacity);
  for (int k = 0; k < 4; ++k)
    if (!(rgba[k] >= 0.0f)) rgba[k] = 0.0f;
    else if (rgba[k] > 1.0f) rgba[k] = 1.0f;
  return true;
}

}  // namespace

RawModel ReadMeshFile(const std::string& path, ModelFormat format, bool ignoreDeclaredUp) {
  RawModel raw;
  Assimp::Importer importer;
  importer.SetIOHandler(new GuardedFiles);  // the importer owns it
  importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
  importer.SetPropertyBool(AI_CONFIG_IMPORT_COLLADA_IGNORE_UP_DIRECTION, ignoreDeclaredUp);
  const unsigned flags = aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_PreTransformVertices |
                         aiProcess_SortByPType | aiProcess_FindInvalidData | aiProcess_ValidateDataStructure;
  const aiScene* scene = importer.ReadFile(path, flags);
  if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) {
    std::string why = importer.GetErrorString();
    if (why.empty()) why = "unknown error";
    // The caller names the file; the reader's words name it too.
    for (size_t at; (at = why.find(path)) != std::string::npos;) why.replace(at, path.size(), "the file");
    raw.error = "it could not be read as the kind of file its name says (" + why + ")";
    return raw;
  }
  ModelData& m = raw.data;
  size_t triangles = 0;
  for (unsigned i = 0; i < scene->mNumMeshes; ++i) triangles += scene->mMeshes[i]->mNumFaces;
  if (triangles > ModelTriangleLimit()) {
    raw.error = "it has " + std::to_string(triangles) + " triangles, more than the " +
                std::to_string(ModelTriangleLimit()) + " a model may have";
    return raw;
  }
  m.triangles.reserve(3 * triangles);
  for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
    const aiMesh* mesh = scene->mMeshes[i];
    if (!(mesh->mPrimitiveTypes & aiPrimitiveType_TRIANGLE) || !mesh->mVertices) continue;
    const uint32_t base = static_cast<uint32_t>(m.CornerCount());
    ModelPart part;
    part.firstIndex = static_cast<uint32_t>(m.triangles.size());
    part.firstCorner = base;
    part.cornerCount = mesh->mNumVertices;
    for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
      const aiVector3D& p = mesh->mVertices[v];
      m.positions.insert(m.positions.end(), {p.x, p.y, p.z});
      if (mesh->mNormals)
        m.normals.insert(m.normals.end(), {mesh->mNormals[v].x, mesh->mNormals[v].y, mesh->mNormals[v].z});
      else
        m.normals.insert(m.normals.end(), {0.0f, 0.0f, 0.0f});
    }
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      const aiFace& face = mesh->mFaces[f];
      if (face.mNumIndices != 3) continue;
      bool inside = true;
      for (int k = 0; k < 3; ++k) inside = inside && face.mIndices[k] < mesh->mNumVertices;
      if (!inside) continue;
      for (int k = 0; k < 3; ++k) m.triangles.push_back(base + face.mIndices[k]);
    }
    part.indexCount = static_cast<uint32_t>(m.triangles.size()) - part.firstIndex;
    // STL and PLY have no materials: what the importer gives them is its own.
    const bool materials = format != ModelFormat::Stl && format != ModelFormat::Ply;
    if (materials && mesh->mMaterialIndex < scene->mNumMaterials)
      part.hasColor = MaterialColor(scene->mMaterials[mesh->mMaterialIndex], part.rgba);
    if (part.indexCount > 0) m.parts.push_back(part);
  }
  // What the formats declare: glTF is in metres with Y up; COLLADA comes
  // out of the importer in metres (its unit applied) with Y up (unless
  // its own up axis is to be ignored); 3MF is in millimetres unless it
  // says otherwise; the rest declare nothing.
  if (format == ModelFormat::Gltf || (format == ModelFormat::Collada && !ignoreDeclaredUp)) raw.declaredYUp = true;
  if (format == ModelFormat::ThreeMf) raw.declaredScale = 0.001;
  return raw;
}
