#include "equipment/EquipmentModels.h"

// The models are not built yet: until they are, these kinds draw nothing,
// like any kind without a model.
void DrawCompositePart(SceneObject) {}
void Wafer(SceneObject) {}
void ScaraRobot(SceneObject) {}
void TwinHandRobot(SceneObject) {}
void FrogLegRobot(SceneObject) {}
