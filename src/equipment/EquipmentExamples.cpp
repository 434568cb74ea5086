#include "equipment/EquipmentExamples.h"

namespace {

constexpr Color kSteel = 0xB8B8B0;
constexpr Color kDarkSteel = 0x505050;
constexpr Color kBrass = 0x3090C8;

// The robot colours the object settings dialog gives a new robot.
void RobotColours(SceneObject& o) {
  o.clFill = 0xC8C8C8;
  o.cl_sub[0] = 0xE1FFFF;
  o.cl_sub[1] = o.cl_sub[2] = 0x00FF00;
  o.cl_sub[3] = o.cl_sub[4] = 0x808080;
  o.cl_sub[5] = o.cl_sub[6] = 0x808080;
  o.cl_sub[9] = 0x00FFFF;
  o.Tex = 1;
}

}  // namespace

SceneObject ExampleEquipment(int32_t kind) {
  SceneObject o;
  o.Enbl = true;
  o.Shp = kind;
  o.Name = "Example";
  o.clFill = kSteel;
  switch (kind) {
    case 100:  // drum unit
      o.R = 0.04f, o.size[0] = 0.12f, o.W = 0.14f, o.D = 0.1f;
      o.clFill = 0x9CB4C8;
      o.cl_sub[1] = kDarkSteel;
      break;
    case 101:  // stud bolt
      o.R = 0.02f, o.H = 0.12f, o.size[0] = 0.008f, o.size[1] = 0.012f;
      break;
    case 102:  // threaded rod
      o.R = 0.008f, o.R2 = 0.016f, o.D = 0.2f, o.size[0] = 0.01f, o.size[1] = 0.008f;
      break;
    case 103:  // shaft with collars
      o.R = 0.015f, o.R2 = 0.012f, o.D = 0.24f;
      o.size[0] = 0.01f, o.size[1] = 0.008f, o.size[2] = 0.01f, o.size[3] = 0.025f;
      o.cl_sub[0] = kBrass;
      break;
    case 104:  // rectangular frame with its panel
      o.W = 0.2f, o.D = 0.04f, o.H = 0.14f;
      o.size[0] = 0.01f, o.size[1] = 0.01f, o.size[2] = 0.004f;
      o.clFill = 0x808890;
      o.cl_sub[0] = 0xE8D0A8;
      break;
    case 105:  // valve block with pipes
      o.W = 0.06f, o.D = 0.05f, o.H = 0.05f, o.R = 0.015f, o.R2 = 0.012f;
      o.size[0] = 0.1f, o.size[1] = 0.04f, o.size[4] = 0.05f, o.size[5] = 0.06f;
      o.Opt[0] = 1;
      o.clFill = 0xC07040;
      break;
    case 106:  // pump unit with pipes
      o.W = 0.16f, o.D = 0.08f, o.H = 0.04f, o.R = 0.04f, o.R2 = 0.01f;
      o.size[0] = 0.06f, o.size[1] = 0.02f, o.size[2] = 0.02f, o.size[3] = 0.015f;
      o.size[4] = 0.04f, o.size[6] = 0.03f, o.size[7] = 0.05f;
      o.Opt[0] = 1;
      o.clFill = 0x508050;
      break;
    case 107:  // stacked unit on a cylinder
      o.R = 0.03f, o.size[0] = 0.2f, o.W = 0.1f, o.D = 0.08f, o.H = 0.05f;
      o.size[1] = 0.06f, o.size[2] = 0.1f, o.R2 = 0.008f;
      o.clFill = 0xC0C8D0;
      break;
    case 108:  // pipe stand
    case 111:  // pipe riser
      o.W = 0.1f, o.D = 0.08f, o.H = 0.04f, o.R = 0.01f, o.R2 = 0.015f;
      o.size[0] = 0.14f, o.size[1] = 0.12f, o.size[2] = 0.01f, o.size[3] = 0.08f;
      o.Opt[1] = 3;
      if (kind == 111) o.Opt[0] = 1;
      break;
    case 109:  // row of modules
      o.size[0] = 0.02f, o.size[1] = 0.1f, o.size[2] = 0.12f;
      o.size[3] = 0.04f, o.size[4] = 0.1f, o.size[5] = 0.12f;
      o.W = 0.05f, o.D = 0.1f, o.H = 0.1f, o.size[7] = 0.01f;
      o.R = 0.01f, o.R2 = 0.008f, o.size[8] = 0.004f;
      o.Opt[0] = 4;
      o.clFill = 0xD8D8D0;
      o.cl_sub[0] = 0x30A030;
      break;
    case 110:  // roller on a through shaft
      o.W = 0.12f, o.R = 0.03f, o.R2 = 0.008f;
      o.size[0] = 0.015f, o.size[1] = 0.006f, o.size[2] = 0.008f, o.size[3] = 0.012f;
      o.clFill = 0x404040;
      o.cl_sub[0] = kSteel;
      break;
    case 112:  // block with side rings
      o.W = o.D = o.H = 0.06f, o.R = 0.025f, o.size[0] = 0.01f;
      o.clFill = 0xA08060;
      o.cl_sub[0] = kSteel;
      break;
    case 113:  // valve with gauge and pipes
      o.W = 0.08f, o.D = 0.06f, o.H = 0.06f, o.R = 0.025f, o.R2 = 0.01f;
      o.size[0] = 0.05f, o.size[1] = 0.14f, o.size[2] = 0.018f, o.size[3] = 0.02f;
      o.Opt[0] = 1, o.Opt[1] = 1;
      o.clFill = 0xB05030;
      o.cl_sub[0] = 0xF0F0F0;
      break;
    case 114:  // hexagonal stud
      o.R = 0.02f, o.R2 = 0.01f;
      o.size[0] = 0.01f, o.size[1] = 0.06f, o.size[3] = 0.014f, o.size[4] = 0.008f, o.size[5] = 0.02f;
      break;
    case 115:  // connector with hood and cable
      o.size[0] = 4.0f;
      o.Opt[0] = 9, o.Opt[1] = 2, o.Opt[2] = 2, o.Opt[3] = 1, o.Opt[4] = 1;
      o.clFill = 0x303030;
      o.cl_sub[0] = 0x30C0E0;
      o.cl_sub[1] = 0xC0C0C0;
      break;
    case 116:  // clevis
      o.W = 0.08f, o.D = 0.04f, o.H = 0.03f;
      o.size[0] = 0.015f, o.size[1] = 0.03f, o.size[2] = 0.06f;
      o.cl_sub[0] = 0x909090;
      break;
    case 117:  // terminal strip
      o.W = 0.3f, o.D = 0.05f, o.H = 0.01f, o.R = 0.01f;
      o.size[1] = 0.03f, o.size[2] = 0.05f, o.size[3] = 0.03f, o.size[4] = 0.06f, o.size[5] = 0.005f;
      o.Opt[0] = 8;
      o.clFill = 0x50B060;
      o.cl_sub[0] = 0xC0C0C0;
      break;
    case 130:  // rack with level
      o.W = 0.2f, o.D = 0.15f, o.H = 0.3f;
      o.Opt[0] = 40;
      o.clFill = 0x909090;
      o.cl_sub[0] = 0x606060;
      o.cl_sub[1] = 0xE0A040;
      break;
    case 131:  // wafer with its picture, ring and ID
      o.R = 0.15f, o.Tex = 1;
      o.Opt[0] = 1, o.Opt[1] = 1, o.ID[0] = 25;
      o.size[2] = 0.01f, o.size[8] = 2.0f;
      o.clFill = 0x00FF00;
      o.cl_sub[0] = 0x808080;
      o.cl_sub[1] = 0x00C0FF;
      break;
    case 132:  // open box (carrier) with handles, door open
      o.W = 0.3f, o.D = 0.3f, o.H = 0.25f, o.size[0] = 0.006f, o.size[1] = 0.01f;
      o.Opt[0] = 1, o.Opt[1] = 1, o.Opt[2] = 1;
      o.clFill = 0xD0D0C8;
      o.cl_sub[0] = 0x806040;
      o.cl_sub[1] = 0x404040;
      break;
    case 133:  // angle profile
      o.W = 0.05f, o.H = 0.04f, o.D = 0.25f, o.R = 0.005f;
      o.clFill = 0xC8C8D0;
      break;
    case 150:  // dual-arm SCARA robot, both hands loaded
      RobotColours(o);
      o.size[0] = 0.8f, o.size[1] = 0.3f, o.size[2] = 0.02f, o.size[3] = 30.0f, o.size[9] = 1.3f;
      o.Opt[0] = o.Opt[1] = 1, o.Opt[2] = 1, o.Opt[7] = 1;
      o.ID[0] = 1, o.ID[1] = 2;
      break;
    case 151:  // twin-hand robot, hands spread
      RobotColours(o);
      o.size[0] = 0.7f, o.size[3] = -20.0f, o.size[6] = 0.0f, o.size[7] = 40.0f, o.size[9] = 1.3f;
      o.Opt[0] = o.Opt[1] = 1, o.Opt[7] = 1;
      o.ID[0] = 3, o.ID[1] = 4;
      break;
    case 152:  // frog-leg robot carrying out hand 1
      RobotColours(o);
      o.size[0] = 0.6f, o.size[3] = 20.0f, o.size[9] = 1.3f;
      o.Opt[0] = o.Opt[1] = 1, o.Opt[7] = 1;
      o.ID[0] = 5, o.ID[1] = 6;
      break;
    default:
      break;
  }
  return o;
}
