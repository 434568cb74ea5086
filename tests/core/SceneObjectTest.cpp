#include <gtest/gtest.h>

#include <memory>

#include "objects/SceneObject.h"
#include "objects/ShapeKind.h"

TEST(SceneObject, TableStartsWithDefaultsAndNames) {
  auto table = std::make_unique<ObjectTable>();
  (*table)[3].Enbl = true;
  (*table)[3].Name = "leftover";
  InitializeRecords(table->data(), kObjectCapacity);
  EXPECT_EQ(table->size(), 1000u);
  for (size_t i = 0; i < table->size(); ++i) {
    const SceneObject& r = (*table)[i];
    EXPECT_FALSE(r.Enbl);
    EXPECT_EQ(r.Shp, ShapeKind::Cube);
  }
  EXPECT_EQ((*table)[0].Name, "OBJ000");
  EXPECT_EQ((*table)[3].Name, "OBJ003");
  EXPECT_EQ((*table)[999].Name, "OBJ999");

  const SceneObject& r = (*table)[7];
  EXPECT_EQ(r.Name, "OBJ007");
  EXPECT_EQ(r.Reso, 36);
  EXPECT_EQ(r.Dir, 0);
  EXPECT_FLOAT_EQ(r.W, 1.0f);
  EXPECT_FLOAT_EQ(r.D, 1.0f);
  EXPECT_FLOAT_EQ(r.H, 1.0f);
  EXPECT_FLOAT_EQ(r.R, 0.5f);
  EXPECT_FLOAT_EQ(r.R2, 0.5f);
  EXPECT_TRUE(r.Fill);
  EXPECT_EQ(r.clFill, 0xFFFFFFu);
  EXPECT_FALSE(r.Frame);
  EXPECT_EQ(r.clFrame, 0u);
  EXPECT_FLOAT_EQ(r.Trans, 1.0f);
  EXPECT_FALSE(r.ColorTex.ClTex);
  EXPECT_FLOAT_EQ(r.ColorTex.shin, 32.0f);
  const float amb[4] = {0.2f, 0.2f, 0.2f, 1.0f}, diff[4] = {1, 1, 1, 1}, spec[4] = {0.1f, 0.1f, 0.1f, 1.0f};
  for (int k = 0; k < 4; ++k) {
    EXPECT_FLOAT_EQ(r.ColorTex.amb[k], amb[k]);
    EXPECT_FLOAT_EQ(r.ColorTex.diff[k], diff[k]);
    EXPECT_FLOAT_EQ(r.ColorTex.spec[k], spec[k]);
  }
  for (Color c : r.cl_sub) EXPECT_EQ(c, 0xFFFFFFu);
  for (int16_t id : r.ID) EXPECT_EQ(id, 0);
  for (int32_t o : r.Opt) EXPECT_EQ(o, 0);
  for (float s : r.size) EXPECT_EQ(s, 0.0f);
  for (float a : r.Ang) EXPECT_EQ(a, 0.0f);
  EXPECT_EQ(r.Tex, -1);
  EXPECT_EQ(r.Sub, nullptr);
  EXPECT_TRUE(r.Text.empty());
}

TEST(SceneObject, NamesFollowThePositionInTheRun) {
  SceneObject run[3];
  InitializeRecords(run, 3);
  EXPECT_EQ(run[2].Name, "OBJ002");
  // A single scratch record is named as the first of its run.
  SceneObject scratch;
  scratch.Name = "x";
  InitializeRecords(&scratch, 1);
  EXPECT_EQ(scratch.Name, "OBJ000");
}

TEST(SceneObject, CopiesOwnTheirStrings) {
  SceneObject a;
  a.Text = "Robot Test";
  SceneObject b = a;
  b.Text[0] = 'X';
  EXPECT_EQ(a.Text, "Robot Test");
  EXPECT_EQ(b.Text, "Xobot Test");
}

TEST(ShapeKind, BuiltInNames) {
  EXPECT_STREQ(ShapeKindName(1), "Dot");
  EXPECT_STREQ(ShapeKindName(4), "Cube");
  EXPECT_STREQ(ShapeKindName(20), "ConstCylinder");
  EXPECT_STREQ(ShapeKindName(28), "CubeCylinder");
  for (int unnamed : {0, 13, 29, 40, 45, 100, 131, 150, 200, -1}) EXPECT_EQ(ShapeKindName(unnamed), nullptr) << unnamed;
  int named = 0;
  for (int k = -5; k < 300; ++k)
    if (ShapeKindName(k)) ++named;
  EXPECT_EQ(named, 21);
}
