#pragma once

#include <atomic>
#include <string>

#include "models/ModelData.h"

// The ending of a file name after its last dot, in lower case ("" when
// it has none).
std::string FileEnding(const std::string& path);

// The model files this program reads, by their name's ending.
enum class ModelFormat { Unknown, Stl, Obj, Ply, Gltf, Collada, ThreeMf, Step, Iges };
ModelFormat ModelFormatOf(const std::string& path);
// "STEP, IGES, STL, OBJ, PLY, glTF, COLLADA, 3MF": for messages.
const char* ModelFormatList();

// Reads the model file at path into out, in scene coordinates. Returns an
// empty string, or why the file was refused, as one sentence that names no
// path (the caller names the file). Only regular files are read (never a
// folder, FIFO or device), none larger than kModelFileLimit, and no model
// of more than ModelTriangleLimit() triangles is kept. Files a format
// refers to (an OBJ's materials, a glTF's buffers) are held to the same
// rules. The readers of the other libraries run in a child process of
// their own: a file that makes one crash, or run on past its time, is
// refused, and nothing else is lost. Setting *cancel (when given) stops the
// read within a second ("reading it was stopped"). Safe to call from any
// thread.
std::string ImportModel(const std::string& path, const ModelOptions& options, ModelData* out,
                        const std::atomic<bool>* cancel = nullptr);

// How long a reader may take over one file (kModelReadSeconds unless set;
// the fuzz target's inputs are bounded tighter).
void SetModelReadSeconds(int seconds);


// The steps of an import that the readers share (ModelImport.cpp):

// Opens path only when it is a regular file within the limit and reads it
// whole; "" or why not.
std::string ReadModelBytes(const std::string& path, std::string* bytes);

// What a reader hands back before the file's unit and up axis are applied.
struct RawModel {
  ModelData data;       // positions in the file's numbers
  double declaredScale = 1.0;  // metres per stored number, as the file declares its unit
  double numberScale = 1.0;    // the file's own numbers per stored number
  bool declaredYUp = false;
  std::string error;
};
RawModel ReadMeshFile(const std::string& path, ModelFormat format, bool ignoreDeclaredUp);
RawModel ReadCadFile(const std::string& path, ModelFormat format, int resolution);

// Fills m.edges and m.edgeCorners from its triangles: where two faces meet at more than 30
// degrees, and where an edge borders one face only or more than two.
void FindSharpEdges(ModelData& m);
