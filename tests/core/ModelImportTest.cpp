// Model files: what each format reads as, what a bad file is told, the
// shared library, and how a Model record draws.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <thread>

#include "equipment/ObjectBounds.h"
#include "equipment/ObjectDrawing.h"
#include "mesh/Mesh.h"
#include "models/CadWriter.h"
#include "models/ModelDrawing.h"
#include "models/ModelImport.h"
#include "models/ModelLibrary.h"
#include "models/SceneExport.h"
#include "render/Frame.h"

namespace {

class ModelFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tessaly-models-XXXXXX";
    dir = mkdtemp(tmpl);
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string dir;
};

// A box from 0 to (sx, sy, sz) as twelve triangles, outward.
struct Box {
  double s[3];
  // Corners by bits (x, y, z) and the faces as corner quads.
  void Corner(int c, double p[3]) const {
    for (int k = 0; k < 3; ++k) p[k] = (c >> k & 1) ? s[k] : 0.0;
  }
  static constexpr int kQuads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                       {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  template <class F>
  void Triangles(F f) const {
    for (const auto& q : kQuads) {
      f(q[0], q[1], q[2]);
      f(q[0], q[2], q[3]);
    }
  }
  std::string StlAscii() const {
    std::string out = "solid box\n";
    Triangles([&](int a, int b, int c) {
      out += " facet normal 0 0 0\n  outer loop\n";
      for (int v : {a, b, c}) {
        double p[3];
        Corner(v, p);
        out += "   vertex " + std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]) + "\n";
      }
      out += "  endloop\n endfacet\n";
    });
    return out + "endsolid box\n";
  }
  std::string StlBinary() const {
    std::string out(80, ' ');
    const uint32_t n = 12;
    out.append(reinterpret_cast<const char*>(&n), 4);
    Triangles([&](int a, int b, int c) {
      float f[12] = {};
      for (int i = 0; i < 3; ++i) {
        double p[3];
        Corner(i == 0 ? a : i == 1 ? b : c, p);
        for (int k = 0; k < 3; ++k) f[3 + 3 * i + k] = static_cast<float>(p[k]);
      }
      out.append(reinterpret_cast<const char*>(f), sizeof f);
      out.append(2, '\0');
    });
    return out;
  }
  std::string Obj(const char* material) const {
    std::string out = material ? "mtllib box.mtl\nusemtl red\n" : "";
    for (int c = 0; c < 8; ++c) {
      double p[3];
      Corner(c, p);
      out += "v " + std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]) + "\n";
    }
    Triangles([&](int a, int b, int c) {
      out += "f " + std::to_string(a + 1) + " " + std::to_string(b + 1) + " " + std::to_string(c + 1) + "\n";
    });
    return out;
  }
  std::string Ply() const {
    std::string out = "ply\nformat ascii 1.0\nelement vertex 8\nproperty float x\nproperty float y\n"
                      "property float z\nelement face 12\nproperty list uchar int vertex_indices\nend_header\n";
    for (int c = 0; c < 8; ++c) {
      double p[3];
      Corner(c, p);
      out += std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]) + "\n";
    }
    Triangles([&](int a, int b, int c) {
      out += "3 " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + "\n";
    });
    return out;
  }
};

void ExpectBounds(const ModelData& m, const double lo[3], const double hi[3], const std::string& what) {
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(m.lo[k], lo[k], 1e-4) << what << " axis " << k;
    EXPECT_NEAR(m.hi[k], hi[k], 1e-4) << what << " axis " << k;
  }
}

}  // namespace

// Every format, its declared unit and up axis, and the record's own.
TEST_F(ModelFiles, EachFormatReadsAsItsBoxInMetresWithZUp) {
  const Box box{{1.0, 2.0, 3.0}};
  const Box mm{{1000.0, 2000.0, 3000.0}};
  Write("box.mtl", "newmtl red\nKd 1 0 0\nd 0.5\n");
  ASSERT_EQ(WriteCadFile(dir + "/box.step", ModelFormat::Step,
                         {CadSolid{CadSolid::Kind::Box, 0, 0, 0, 1000, 2000, 3000, 0, {0.0f, 0.0f, 1.0f}}}),
            "");
  ASSERT_EQ(WriteCadFile(dir + "/box.igs", ModelFormat::Iges,
                         {CadSolid{CadSolid::Kind::Box, 0, 0, 0, 1000, 2000, 3000, 0, {0.0f, 1.0f, 0.0f}}}),
            "");
  struct Case {
    std::string path;
    ModelOptions options;
    double lo[3], hi[3];
    int colour;  // -1 none of the file's, else the channel that is 1
  };
  const Case cases[] = {
      {Write("a.stl", box.StlAscii()), {}, {0, 0, 0}, {1, 2, 3}, -1},
      {Write("b.STL", box.StlBinary()), {}, {0, 0, 0}, {1, 2, 3}, -1},
      {Write("box.obj", box.Obj("red")), {}, {0, 0, 0}, {1, 2, 3}, 0},
      {Write("c.ply", box.Ply()), {}, {0, 0, 0}, {1, 2, 3}, -1},
      {dir + "/box.step", {}, {0, 0, 0}, {1, 2, 3}, 2},
      {dir + "/box.igs", {}, {0, 0, 0}, {1, 2, 3}, 1},
      // The record's unit: the file's numbers are millimetres or inches.
      {Write("d.stl", mm.StlAscii()), {1, 0, 36}, {0, 0, 0}, {1, 2, 3}, -1},
      {Write("e.stl", box.StlAscii()), {2, 0, 36}, {0, 0, 0}, {0.0254, 0.0508, 0.0762}, -1},
      {dir + "/box.step", {2, 0, 36}, {0, 0, 0}, {25.4, 50.8, 76.2}, 2},
      // Y up: (x, y, z) becomes (x, -z, y).
      {Write("f.stl", box.StlAscii()), {0, 1, 36}, {0, -3, 0}, {1, 0, 2}, -1},
  };
  for (const Case& c : cases) {
    ModelData m;
    ASSERT_EQ(ImportModel(c.path, c.options, &m), "") << c.path;
    EXPECT_GE(m.TriangleCount(), 12u) << c.path;
    ExpectBounds(m, c.lo, c.hi, c.path);
    // The box's twelve edges are sharp, its face diagonals not.
    EXPECT_EQ(m.edges.size(), 24u) << c.path;
    bool coloured = false;
    for (const ModelPart& p : m.parts) {
      EXPECT_LE(p.firstCorner + p.cornerCount, m.CornerCount()) << c.path;
      for (uint32_t i = p.firstIndex; i < p.firstIndex + p.indexCount; ++i) {
        EXPECT_GE(m.triangles[i], p.firstCorner);
        EXPECT_LT(m.triangles[i], p.firstCorner + p.cornerCount);
      }
      if (!p.hasColor) continue;
      coloured = true;
      EXPECT_NEAR(p.rgba[c.colour], 1.0f, 1e-3) << c.path;
      EXPECT_NEAR(p.rgba[(c.colour + 1) % 3], 0.0f, 1e-3) << c.path;
    }
    EXPECT_EQ(coloured, c.colour >= 0) << c.path;
  }
}

// Whatever the path names, one sentence says why it is not read, and no
// reader is handed what is not a regular file within the limit.
TEST_F(ModelFiles, BadFilesAreRefusedWithTheirReason) {
  const Box box{{1, 1, 1}};
  const std::string bin = box.StlBinary();
  const std::string fifo = dir + "/pipe.stl";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string big = dir + "/big.stl";
  ASSERT_EQ(truncate(Write("big.stl", "").c_str(), static_cast<off_t>(kModelFileLimit + 1)), 0);
  mkdir((dir + "/folder.stl").c_str(), 0700);
  const std::pair<std::string, const char*> cases[] = {
      {dir + "/missing.stl", "does not exist"},
      {dir + "/folder.stl", "folder"},
      {fifo, "not a regular file"},
      {"/dev/zero.stl", "does not exist"},
      {big, "512 MiB"},
      {Write("picture.stl", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, 'x')), "could not be read"},
      {Write("cut.stl", bin.substr(0, bin.size() - 30)), "could not be read"},
      {Write("empty.obj", ""), "could not be read"},
      {Write("noise.step", "ISO-10303-21;\nHEADER;\nENDSEC;\nDATA;\n#1=FOO(;\nEND"), "STEP"},
      {Write("noise.igs", std::string(300, 'S')), "IGES"},
      {Write("box.xyz", bin), "not a model file"},
      {Write("flat.obj", "v 0 0 0\nv 1 0 0\nv 2 0 0\nl 1 2\n"), ""},
      {dir + "/many.stl", "12 triangles, more than the 11"},
  };
  const std::string many = Write("many.stl", box.StlAscii());  // 12 triangles
  for (const auto& [path, why] : cases) {
    ModelData m;
    if (path == many) SetModelTriangleLimit(11);  // held to a limit it exceeds
    const std::string got = ImportModel(path, ModelOptions{}, &m);
    SetModelTriangleLimit(0);
    EXPECT_NE(got, "") << path;
    EXPECT_NE(got.find(why), std::string::npos) << path << ": " << got;
    EXPECT_EQ(got.find(dir), std::string::npos) << "the caller names the file: " << got;
    EXPECT_EQ(m.TriangleCount(), 0u) << path;
  }
}

// Read once on the library's thread, shared, read again when the file
// changes; a refusal is told once, by file name.
TEST_F(ModelFiles, TheLibraryReadsOnceAndFollowsTheFile) {
  ModelLibrary lib;
  lib.SetBaseFolder(dir);
  Write("box.stl", Box{{1, 1, 1}}.StlAscii());
  const uint64_t g0 = lib.Generation();
  EXPECT_EQ(lib.Find("box.stl", {}).kind, ModelState::Kind::Loading);
  EXPECT_EQ(lib.Find("missing.stl", {}).kind, ModelState::Kind::Loading);
  ASSERT_TRUE(lib.WaitIdle(30));
  const ModelState a = lib.Find("box.stl", {});
  ASSERT_EQ(a.kind, ModelState::Kind::Ready);
  EXPECT_EQ(lib.Find(dir + "/box.stl", {}).data, a.data) << "one model for one file";
  EXPECT_NE(lib.Find("box.stl", ModelOptions{1, 0, 36}).data, a.data) << "another unit, another model";
  EXPECT_EQ(lib.Find("missing.stl", {}).kind, ModelState::Kind::Failed);
  EXPECT_GE(lib.Generation(), g0 + 2);
  ASSERT_TRUE(lib.WaitIdle(30));
  EXPECT_EQ(lib.TakeMessages(), std::vector<std::string>{"missing.stl: the file does not exist"});
  EXPECT_TRUE(lib.TakeMessages().empty());

  // A file that makes the reader run on (a cut-off PLY header the fuzzer
  // found): it is stopped at its time, and a library that ends meanwhile
  // does not wait for it.
  const std::string hang = Write(
      "hang.ply", std::string("ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty f;loat y\n"
                              "property float z\nelement face 1\nproperty list uchaend_header\n0 0 0\n1 0 0\n"
                              "0 1 0\n3 0\0\0\0\0 1 2\n",
                              164));
  SetModelReadSeconds(1);
  ModelData none;
  EXPECT_NE(ImportModel(hang, ModelOptions{}, &none).find("took longer than 1 s"), std::string::npos);
  SetModelReadSeconds(0);
  const auto start = std::chrono::steady_clock::now();
  {
    ModelLibrary ending;
    ending.Find(hang, {});
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << "not the 300 s of the limit";

  EXPECT_FALSE(lib.CheckFiles());
  Write("box.stl", Box{{2, 2, 2}}.StlAscii());
  struct timespec later[2] = {{0, UTIME_OMIT}, {time(nullptr) + 5, 0}};
  utimensat(AT_FDCWD, (dir + "/box.stl").c_str(), later, 0);
  EXPECT_TRUE(lib.CheckFiles());
  EXPECT_EQ(lib.Find("box.stl", {}).data, a.data) << "the old model shows while the new one is read";
  ASSERT_TRUE(lib.WaitIdle(30));
  EXPECT_NEAR(lib.Find("box.stl", {}).data->hi[0], 2.0f, 1e-5);
}

// A Model record: its mesh is the file's, placed, scaled and coloured by
// the record; its bounds are the mesh's box; a refused file is a red box.
TEST_F(ModelFiles, AModelRecordDrawsItsFilePlacedAndScaled) {
  ModelLibrary& lib = ModelLibrary::Shared();
  lib.SetBaseFolder(dir);
  Write("box.stl", Box{{1, 2, 3}}.StlAscii());
  SceneObject rec = ZeroRecord();
  rec.Enbl = rec.Fill = true;
  rec.Shp = ShapeKind::Model;
  rec.Text = "box.stl";
  rec.X = 10, rec.Y = 20, rec.Z = 30;
  rec.W = 2, rec.D = 1, rec.H = 0.5;
  rec.clFill = 0x00FF00;
  rec.Trans = 1.0f;
  EXPECT_EQ(BuildObjectMesh(rec, BuildInputs{}).vertexCount, 0u) << "nothing while it loads";
  ASSERT_TRUE(lib.WaitIdle(30));
  const Mesh mesh = BuildObjectMesh(rec, BuildInputs{});
  float lo[3], hi[3];
  ASSERT_TRUE(mesh.Bounds(lo, hi));
  // GL order: x across, y up (scene Z), z along (scene Y).
  const double wantLo[3] = {10, 30, 20}, wantHi[3] = {12, 31.5, 22};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(lo[k], wantLo[k], 1e-4) << k;
    EXPECT_NEAR(hi[k], wantHi[k], 1e-4) << k;
  }
  const ObjectBounds b = BoundsOf(rec);
  ASSERT_TRUE(b.bounded);
  for (int k = 0; k < 3; ++k) {
    EXPECT_LE(b.lo[k], lo[k] + 1e-6);
    EXPECT_GE(b.hi[k], hi[k] - 1e-6);
    EXPECT_NEAR(b.hi[k] - b.lo[k], hi[k] - lo[k], 0.01) << "as tight as the mesh";
  }
  EXPECT_FLOAT_EQ(mesh.runs.at(0).vertices.at(0).c[1], 1.0f) << "the fill colour";
  // Outlines: the sharp edges only.
  rec.Frame = true;
  size_t lines = 0;
  const Mesh outlined = BuildObjectMesh(rec, BuildInputs{});
  for (const MeshRun& r : outlined.runs)
    if (r.kind == RunKind::Lines) lines += r.indices.size() / 2;
  EXPECT_EQ(lines, 12u);

  // The file's own colour, unless the record asks for its fill colour.
  Write("box.mtl", "newmtl red\nKd 1 0 0\n");
  Write("box.obj", Box{{1, 1, 1}}.Obj("red"));
  rec.Text = "box.obj";
  rec.Frame = false;
  BuildObjectMesh(rec, BuildInputs{});
  ASSERT_TRUE(lib.WaitIdle(30));
  for (int own : {0, 1}) {
    rec.Opt[2] = own;
    const Mesh coloured = BuildObjectMesh(rec, BuildInputs{});
    const float* c = coloured.runs.at(0).vertices.at(0).c;
    EXPECT_FLOAT_EQ(c[0], own ? 0.0f : 1.0f) << own;
    EXPECT_FLOAT_EQ(c[1], own ? 1.0f : 0.0f) << own;
  }
  // An open surface: its border is outlined.
  ModelData open;
  ASSERT_EQ(ImportModel(Write("tri.stl", "solid t\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\n"
                                         "vertex 0 1 0\nendloop\nendfacet\nendsolid t\n"),
                        ModelOptions{}, &open),
            "");
  EXPECT_EQ(open.edges.size(), 6u);

  rec.Text = "missing.stl";
  BuildObjectMesh(rec, BuildInputs{});
  ASSERT_TRUE(lib.WaitIdle(30));
  const Mesh failed = BuildObjectMesh(rec, BuildInputs{});
  ASSERT_EQ(failed.runs.size(), 1u);
  EXPECT_EQ(failed.runs[0].kind, RunKind::Lines);
  EXPECT_EQ(failed.runs[0].indices.size(), 24u);
  EXPECT_FLOAT_EQ(failed.runs[0].vertices[0].c[0], 1.0f);
  EXPECT_FLOAT_EQ(failed.runs[0].vertices[0].c[1], 0.0f);
  lib.TakeMessages();
  lib.Clear();
}

// What the picture shows, exported in each format and read back as a
// model: the same triangles in the same place, and glTF names each node.
TEST_F(ModelFiles, AnExportReadBackIsTheSameShapes) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  SceneObject& box = (*table)[3];
  box.Enbl = true;
  box.Shp = ShapeKind::Cube;
  box.X = 1.0f, box.Y = 2.0f, box.Z = 0.25f;
  box.W = 0.4f, box.D = 0.6f, box.H = 0.5f;
  box.Name = "load port \"LP1\"";
  RenderSettings rs;
  std::deque<Mesh> meshes;
  const std::vector<ExportPart> parts = SceneExportParts(rs, table->data(), nullptr, true, &meshes);
  // The box, the arm link by link, the floor.
  std::string names;
  for (const ExportPart& p : parts) names += p.name + ",";
  EXPECT_EQ(names, "OBJ003,Arm base,Arm J1,Arm J2,Arm J3,Arm J4,Arm J5,Arm J6,Floor,");
  float glLo[3], glHi[3];
  ASSERT_TRUE(parts[0].mesh->Bounds(glLo, glHi));
  for (const char* name : {"scene.glb", "scene.gltf", "scene.stl", "scene.obj"}) {
    std::vector<ExportFile> files;
    const std::vector<ExportPart> one(parts.begin(), parts.begin() + 1);
    ASSERT_EQ(ExportScene(one, dir + "/" + name, &files), "") << name;
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files[0].path, dir + "/" + name);
    for (const ExportFile& f : files) Write(f.path.substr(dir.size() + 1), f.bytes);
    if (std::string(name) == "scene.gltf") {
      EXPECT_NE(files[0].bytes.find(R"("extras":{"comment":"load port \"LP1\""})"), std::string::npos);
    }
    ModelData back;
    ASSERT_EQ(ImportModel(dir + "/" + name, ModelOptions{}, &back), "") << name;
    EXPECT_EQ(back.TriangleCount(), ExportTriangleCount(one)) << name;
    // Faces turned outward: the box's signed volume is positive.
    double volume = 0.0;
    for (size_t t = 0; t < back.TriangleCount(); ++t) {
      const float* a = &back.positions[3 * back.triangles[3 * t]];
      const float* b = &back.positions[3 * back.triangles[3 * t + 1]];
      const float* c = &back.positions[3 * back.triangles[3 * t + 2]];
      volume += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                a[2] * (b[0] * c[1] - b[1] * c[0]);
    }
    EXPECT_NEAR(volume / 6.0, 0.4 * 0.6 * 0.5, 1e-4) << name;
    // Scene X, Y, Z from GL's x, z, y.
    const int gl[3] = {0, 2, 1};
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(back.lo[k], glLo[gl[k]], 1e-4) << name << " axis " << k;
      EXPECT_NEAR(back.hi[k], glHi[gl[k]], 1e-4) << name << " axis " << k;
    }
  }
  std::vector<ExportFile> none;
  EXPECT_NE(ExportScene(parts, dir + "/scene.png", &none), "");
}
