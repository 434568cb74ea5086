#pragma once

#include <string>
#include <vector>

#include "mesh/Mesh.h"

// The picture's geometry written for other tools: glTF 2.0 (.glb, or
// .gltf with its .bin), binary STL, or OBJ with its MTL, chosen by the
// file name's ending. Coordinates are metres; glTF is Y-up as its
// convention says (scene (x, y, z) as (x, z, -y)); STL and OBJ keep the
// scene's Z-up axes, so that reading them back as a Model record draws the
// same shapes. Faces only: lines and dots are left out.
enum class ExportFormat { Unknown, Glb, Gltf, Stl, Obj };
ExportFormat ExportFormatOf(const std::string& path);

// One thing the picture shows: a node of its own in glTF.
struct ExportPart {
  std::string name;     // the node's name
  std::string comment;  // glTF: the node's extras {"comment": ...}
  const Mesh* mesh = nullptr;  // in GL axis order (x, up, along)
};

// A file the export makes: the one asked for and its companions.
struct ExportFile {
  std::string path;
  std::string bytes;
};

// The files exporting parts to path would write; "" or why not. Writing
// them is the caller's (through the program's safe save).
std::string ExportScene(const std::vector<ExportPart>& parts, const std::string& path,
                        std::vector<ExportFile>* files);

// Triangles of the parts (what an export holds and a reader gets back).
size_t ExportTriangleCount(const std::vector<ExportPart>& parts);
