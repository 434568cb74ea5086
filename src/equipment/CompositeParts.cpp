#include "equipment/CompositeParts.h"

#include <utility>

#include "equipment/EquipmentModels.h"

const int32_t kCompositeKinds[kCompositeKindCount] = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                                                      111, 112, 113, 114, 115, 116, 117, 130, 132, 133};

void DrawCompositePart(SceneObject obj) {
  switch (obj.Shp) {
    case 100:
      DrawDrumUnit(std::move(obj));
      break;
    case 101:
      DrawStudBolt(std::move(obj));
      break;
    case 102:
      DrawThreadedRod(std::move(obj));
      break;
    case 103:
      DrawCollarShaft(std::move(obj));
      break;
    case 104:
      DrawRectFrame(std::move(obj));
      break;
    case 105:
      DrawValveBlock(std::move(obj));
      break;
    case 106:
      DrawPumpUnit(std::move(obj));
      break;
    case 107:
      DrawStackedUnit(std::move(obj));
      break;
    case 108:
      DrawPipeStand(std::move(obj));
      break;
    case 109:
      DrawModuleRow(std::move(obj));
      break;
    case 110:
      DrawRollerShaft(std::move(obj));
      break;
    case 111:
      DrawPipeRiser(std::move(obj));
      break;
    case 112:
      DrawRingBlock(std::move(obj));
      break;
    case 113:
      DrawGaugeValve(std::move(obj));
      break;
    case 114:
      DrawHexStud(std::move(obj));
      break;
    case 115:
      DrawConnector(std::move(obj));
      break;
    case 116:
      DrawClevis(std::move(obj));
      break;
    case 117:
      DrawTerminalStrip(std::move(obj));
      break;
    case 130:
      DrawLevelRack(std::move(obj));
      break;
    case 131:
      Wafer(std::move(obj));
      break;
    case 132:
      DrawOpenBox(std::move(obj));
      break;
    case 133:
      DrawAngleProfile(std::move(obj));
      break;
    default:
      break;  // not a composite kind: nothing to draw
  }
}
