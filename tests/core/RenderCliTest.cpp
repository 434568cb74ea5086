#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "models/ModelImport.h"
#include "objects/ObjectFile.h"

namespace {

struct CliRun {
  int code;
  std::string out;
};

// Runs the renderer with arguments (after the shell words in before) and returns its exit code and what it
// printed on both streams.
CliRun Render(const std::string& args, const std::string& before = "") {
  // In a sanitizer build the child runs with leak checking as a user's run
  // would: its exit code must mean the same as in the release build.
  const std::string cmd = before + std::string(TESSALY_RENDER_EXE) + " " + args + " 2>&1";
  CliRun r{-1, ""};
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[512];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// Pixels of the red cube the test scene holds.
int RedPixels(const std::string& png) {
  const QImage img(QString::fromStdString(png));
  int red = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 120 && c.green() < 60 && c.blue() < 60) ++red;
    }
  return red;
}

class RenderCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::string(TESSALY_ARTIFACT_DIR) + "/cli-" + std::to_string(getpid());
    std::system(("mkdir -p '" + dir + "'").c_str());
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    SceneObject& cube = (*table)[0];
    cube.Enbl = true;
    cube.Shp = 4;
    cube.X = 0.6f;
    cube.Z = 0.15f;
    cube.W = cube.D = cube.H = 0.3f;
    cube.clFill = 0x0000FF;
    good = dir + "/good.3dl";
    ASSERT_EQ(SaveObjects(good, table->data(), 2), 1);
    bad = dir + "/bad.3dl";
    std::ofstream(bad) << "this is not a scene\n1,2,3\n";
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
  std::string dir, good, bad;
};

}  // namespace

TEST_F(RenderCli, HelpVersionAndBadArguments) {
  CliRun r = Render("--help");
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("Usage: tessaly-render"), std::string::npos);
  EXPECT_EQ(Render("--version").code, 0);
  EXPECT_EQ(Render("").code, 2);
  EXPECT_EQ(Render("'" + good + "'").code, 2) << "no output file";
  EXPECT_EQ(Render("'" + good + "' -o x.png --size 0x5").code, 2);
  EXPECT_EQ(Render("'" + good + "' -o x.png --view 1,2").code, 2);
  EXPECT_EQ(Render("'" + good + "' -o x.png --joints 1,2,3,4,5,x").code, 2);
  r = Render("'" + good + "' -o x.png --frobnicate");
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.out.find("unknown option --frobnicate"), std::string::npos);
}

TEST_F(RenderCli, CheckReportsTheLoadersMessages) {
  CliRun r = Render("'" + good + "' --check");
  EXPECT_EQ(r.code, 0) << r.out;
  r = Render("'" + bad + "' --check");
  EXPECT_EQ(r.code, 1);
  EXPECT_FALSE(r.out.empty()) << "the loader's messages go to standard error";
  EXPECT_EQ(Render("'" + dir + "/missing.3dl' --check").code, 3);
  // A record number beyond the table stops the load with its line (data
  // lines count from 0; the header is not counted).
  const std::string beyond = dir + "/beyond.3dl";
  {
    std::ifstream in(good);
    std::string header, line;
    std::getline(in, header);
    std::getline(in, line);
    std::ofstream(beyond) << header << "\n" << line << "\n1000" << line.substr(line.find(',')) << "\n";
  }
  r = Render("'" + beyond + "' --check");
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("Data 'No.' error. Line: 1"), std::string::npos) << r.out;
}

TEST_F(RenderCli, RendersTheSceneAtTheRequestedSize) {
  const std::string png = dir + "/out.png";
  CliRun r = Render("'" + good + "' -o '" + png + "' --size 320x200 --joints 10,20,60,0,30,0");
  ASSERT_EQ(r.code, 0) << r.out;
  QImage img(QString::fromStdString(png));
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.width(), 320);
  EXPECT_EQ(img.height(), 200);
  // The red cube shows somewhere in the picture.
  EXPECT_GT(RedPixels(png), 50);
  EXPECT_EQ(Render("'" + good + "' -o '" + dir + "/no-such-dir/x.png'").code, 4);
  EXPECT_EQ(Render("'" + good + "' -o '" + dir + "/o.png' --ortho --view 20,-40,0.8").code, 0);
}

TEST_F(RenderCli, CheckOfAFileWithoutRecordsIsCleanAndUnreadableFilesSayWhy) {
  const std::string empty = dir + "/empty.3dl", header = dir + "/header.3dl";
  std::ofstream(empty).close();
  std::ofstream(header) << kObjectFileHeader;
  for (const std::string& f : {empty, header}) {
    const CliRun r = Render("'" + f + "' --check");
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find(": 0 objects"), std::string::npos) << r.out;
  }
  const CliRun r = Render("'" + dir + "' --check");
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.out.find("cannot read " + dir + ": a directory"), std::string::npos) << r.out;
}

TEST_F(RenderCli, APictureThatCannotBeWrittenExits4AndKeepsTheOldOne) {
  const std::string png = dir + "/kept.png";
  std::ofstream(png) << "old picture";
  // A file size limit stands in for a full disk: the picture is larger.
  CliRun r = Render("'" + good + "' -o '" + png + "' --size 320x200", "ulimit -f 2; MESA_SHADER_CACHE_DISABLE=true ");
  EXPECT_EQ(r.code, 4) << r.out;
  EXPECT_NE(r.out.find("the file size limit was reached"), std::string::npos) << r.out;
  std::ifstream in(png);
  std::string text;
  std::getline(in, text);
  EXPECT_EQ(text, "old picture");
  // A device is never replaced by a picture.
  r = Render("'" + good + "' -o /dev/full");
  EXPECT_EQ(r.code, 4);
  EXPECT_NE(r.out.find("not a regular file (a character device)"), std::string::npos) << r.out;
}

TEST_F(RenderCli, NoSceneIsTakenForOneAndAKeptViewIsHeldToTheWindowsRanges) {
  std::ifstream in(good);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string header = text.substr(0, text.find('\n') + 1), records = text.substr(header.size());
  auto write = [this](const std::string& body) {
    std::ofstream(dir + "/f.3dl", std::ios::binary) << body;
    return "'" + dir + "/f.3dl'";
  };
  std::string cr = text;
  std::replace(cr.begin(), cr.end(), '\n', '\r');
  const struct {
    std::string text, out;
    int code;
  } checks[] = {
      {"A plain text\nwithout a comma\n", "Not a scene file", 1},
      {cr, ": 2 objects", 0},
      {header + "#@view 15,-30,x,0,0,0,0\n" + records, "View line error", 1},
  };
  for (const auto& c : checks) {
    const CliRun r = Render(write(c.text) + " --check");
    EXPECT_EQ(r.code, c.code) << r.out;
    EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
  }
  // No picture is drawn from a file that is no scene; the old one stays.
  std::ofstream(dir + "/old.png") << "old";
  EXPECT_EQ(Render(write(checks[0].text) + " -o '" + dir + "/old.png'").code, 1);
  EXPECT_EQ(RedPixels(dir + "/old.png"), 0);
  // Views the window's bars cannot show are drawn as the bars hold them,
  // not as an empty picture.
  for (const char* view : {"#@view 1000000,-1000000,-2,0,0,0,0\n", "#@view 15,-30,-1000000,0,0,0,0\n",
                           "#@view 15,-30,0,0,0,0,1\n"}) {
    const std::string png = dir + "/held.png";
    const CliRun r = Render(write(header + view + records) + " -o '" + png + "'");
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_GT(RedPixels(png), 20) << view;
  }
}

// Model records: a missing file is named and makes --check fail; an export
// writes the scene's faces (the red cube among them) for the file's kind;
// --fit frames a scene far from the laid-out view.
TEST_F(RenderCli, ModelsAreReadFirstAndTheSceneExportsAndFits) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  ASSERT_GT(LoadObjects(good, table->data(), kObjectCapacity, nullptr, [](const std::string&) {}), 0);
  SceneObject& model = (*table)[1];
  model.Enbl = true;
  model.Shp = ShapeKind::Model;
  model.Text = "gone.step";
  const std::string withModel = dir + "/model.3dl";
  ASSERT_EQ(SaveObjects(withModel, table->data(), 2), 1);
  CliRun r = Render("'" + withModel + "' --check");
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("OBJ001: model gone.step: the file does not exist"), std::string::npos) << r.out;

  for (const char* out : {"scene.glb", "scene.stl", "scene.obj"}) {
    r = Render("'" + good + "' -o '" + dir + "/" + out + "' --floor");
    ASSERT_EQ(r.code, 0) << out << r.out;
    ModelData back;
    ASSERT_EQ(ImportModel(dir + "/" + out, ModelOptions{}, &back), "") << out;
    EXPECT_LT(back.lo[0], -7.0f) << out << ": the floor's tiles are in it";
    EXPECT_GT(back.TriangleCount(), 1000u) << out;
  }

  // Far off to one side the laid-out view misses the cube (the red left is
  // the tool's ball); --fit finds it.
  SceneObject& cube = (*table)[0];
  cube.X = 8.0f;
  cube.Z = 0.5f;
  cube.W = cube.D = cube.H = 1.0f;
  (*table)[1].Enbl = false;
  const std::string far = dir + "/far.3dl";
  ASSERT_EQ(SaveObjects(far, table->data(), 2), 1);
  ASSERT_EQ(Render("'" + far + "' -o '" + dir + "/far.png'").code, 0);
  ASSERT_EQ(Render("'" + far + "' -o '" + dir + "/fit.png' --fit").code, 0);
  EXPECT_GT(RedPixels(dir + "/fit.png"), RedPixels(dir + "/far.png") + 100);
}

// --clearance names each contact and the clearance and exits 6 on a
// contact; --sweep prints a CSV row per step; both refuse a picture.
TEST_F(RenderCli, ClearanceAndSweepTellContactsByTheirExitCode) {
  CliRun r = Render("'" + good + "' --clearance");
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out.rfind("Clearance ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find(" mm: "), std::string::npos) << r.out;
  // Turned to the cube and laid flat, the forearm and wrist lie on it.
  r = Render("'" + good + "' --clearance --joints 90,90,0,0,0,0");
  EXPECT_EQ(r.code, 6) << r.out;
  EXPECT_EQ(r.out, "Contact: J4 link hits OBJ000\nContact: J5 link hits OBJ000\nClearance 0.0 mm: J4 link \u2013 OBJ000\n");
  r = Render("'" + good + "' --sweep animation");
  EXPECT_EQ(r.out.rfind("step,label,clearance_mm,pair,contacts,first_contact\n0,\"start\",", 0), 0u) << r.out;
  EXPECT_GT(std::count(r.out.begin(), r.out.end(), '\n'), 100);
  EXPECT_EQ(Render("'" + good + "' --sweep sideways").code, 2);
  EXPECT_EQ(Render("'" + good + "' --clearance -o x.png").code, 2);
}
