#include "models/BuiltWith.h"

#include <Standard_Version.hxx>
#include <assimp/version.h>
#include <fcl/config.h>

std::vector<LibraryUse> BuiltWith() {
  const std::string assimp = std::to_string(aiGetVersionMajor()) + "." + std::to_string(aiGetVersionMinor()) +
                             "." + std::to_string(aiGetVersionPatch());
  return {
      {"Open CASCADE Technology (STEP and IGES)", OCC_VERSION_COMPLETE,
       "LGPL 2.1 with the Open CASCADE exception"},
      {"Open Asset Import Library (meshes)", assimp, "BSD 3-Clause"},
      {"Flexible Collision Library (interference and clearance)", FCL_VERSION, "BSD 3-Clause"},
  };
}
