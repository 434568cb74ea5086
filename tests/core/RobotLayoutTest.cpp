// A record's frame as arithmetic is the frame its shape draws in.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "mesh/Emit.h"
#include "EquipmentTestSupport.h"
#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "objects/FrameSteps.h"
#include "render/GlHeaders.h"
#include "shapes/ShapeCommon.h"
#include "support/GlFixture.h"

// The arithmetic of a record's frame is the frame the shapes draw in, for
// both orders of the turns; the composite parts draw in order B.
TEST(RobotLayoutMesh, RecordPlacementIsTheFrameTheShapesDrawIn) {
  MeshBuilder b;
  emit::BuildInto into(b);
  const float turns[][3] = {{30.0f, -50.0f, 70.0f}, {0.0f, 90.0f, 0.0f}, {-120.0f, 0.0f, 45.0f}};
  for (RotationOrder order : {RotationOrder::A, RotationOrder::B}) {
    for (const auto& a : turns) {
      SceneObject obj;
      obj.X = 0.4f, obj.Y = -1.2f, obj.Z = 0.7f;
      std::copy(a, a + 3, obj.Ang);
      const Placement p = RecordPlacement(obj, order);
      auto expectSame = [&](const char* frame) {
        const double* m = b.frame();
        for (int col = 0; col < 3; ++col) {
          for (int row = 0; row < 3; ++row)
            EXPECT_NEAR(m[col * 4 + row], p.m[row][col], 1e-6)
                << frame << " " << a[0] << "," << a[1] << "," << a[2] << " order " << int(order);
        }
        EXPECT_NEAR(m[12], p.t.x, 1e-6) << frame;
        EXPECT_NEAR(m[13], p.t.y, 1e-6) << frame;
        EXPECT_NEAR(m[14], p.t.z, 1e-6) << frame;
      };
      {
        ShapeFrame frame(obj, order);
        expectSame("shape");
      }
      if (order == RotationOrder::B) {
        PartFrame frame(obj);
        expectSame("part");
      }
    }
  }
}
