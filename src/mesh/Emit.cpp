#include "mesh/Emit.h"

namespace emit {
namespace {

thread_local MeshBuilder* gCurrent = nullptr;

MeshBuilder& Discard() {
  thread_local MeshBuilder discard;
  // Never grows: what it took is dropped at once.
  discard.Finish();
  return discard;
}

}  // namespace

BuildInto::BuildInto(MeshBuilder& b) : previous_(gCurrent) {
  gCurrent = &b;
}

BuildInto::~BuildInto() {
  gCurrent = previous_;
}

MeshBuilder& Out() {
  return gCurrent ? *gCurrent : Discard();
}

}  // namespace emit
