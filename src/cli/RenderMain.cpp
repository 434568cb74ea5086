// tessaly-render: draws a scene exactly as the main window would, without a
// display, and writes the picture as PNG. Scripts can also check a scene
// file for errors.
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ui/QtBitmapSource.h"
#include "headless/HeadlessContext.h"
#include "objects/FileAccess.h"
#include "objects/ObjectFile.h"
#include "objects/SceneView.h"
#include "render/DriverMemory.h"
#include "models/ModelDrawing.h"
#include "models/ModelLibrary.h"
#include "collision/MotionSweep.h"
#include "objects/AllowedContacts.h"
#include "objects/EffectiveRecord.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/RenderContext.h"
#include "render/Texture.h"
#include "render/ViewFit.h"

namespace {

// Exit codes a script can rely on.
enum Exit { kOk = 0, kSceneErrors = 1, kUsage = 2, kCannotRead = 3, kCannotWrite = 4, kNoGl = 5, kContact = 6 };

const char* const kUsageText =
    "Usage: tessaly-render SCENE.3dl -o OUT.png [--size WxH] [--view ANGLEX,ANGLEZ,ZOOM]\n"
    "                      [--shift X,Y,Z] [--joints J1,J2,J3,J4,J5,J6] [--ortho] [--fit]\n"
    "       tessaly-render SCENE.3dl -o OUT.glb|.gltf|.stl|.obj [--joints ...] [--floor]\n"
    "       tessaly-render SCENE.3dl --check\n"
    "       tessaly-render SCENE.3dl --clearance [--joints ...]\n"
    "       tessaly-render SCENE.3dl --sweep animation|rbt1|rbt2|cycle\n"
    "\n"
    "Draws the scene as the viewer's main window would at its laid-out settings\n"
    "(628x377 panel, view 15.0/-30.0 degrees, zoom -2.00, arm in its Home pose)\n"
    "and writes the picture as PNG. A scene that keeps its view (a '#@view' line\n"
    "after the header) is drawn from that view unless --view, --shift or --ortho\n"
    "is given. Every view is held to the window's ranges (angle X -90 to 90,\n"
    "angle Z -360 to 360, zoom -40 to 5 or 0.1 to 5 in ortho, shifts -10 to 10;\n"
    "a zoom beyond -40 moves on as shift Y, as the window does). With --check\n"
    "the scene is only loaded: the loader's messages go to standard error.\n"
    "--fit frames every object and the arm, as View > Fit Scene does.\n"
    "An output ending in .glb, .gltf, .stl or .obj exports what the picture\n"
    "shows instead (objects as drawn, the arm at its joints, the floor with\n"
    "--floor), in metres: glTF Y-up, one node per object; STL binary and OBJ\n"
    "(with its .mtl) Z-up as the scene.\n"
    "Model records are drawn once their files are read (paths relative to the\n"
    "scene's folder); a file that cannot be read is told on standard error, and\n"
    "drawn as a small red box (with --check, exit code 1).\n"
    "--clearance checks the cell at the arm's joints and the robots' panels:\n"
    "one line 'Contact: J3 link hits OBJ012 load port' per contact, then\n"
    "'Clearance 12.4 mm: RBT1 hand - OBJ054 load port', the least distance\n"
    "between what moves and the cell. --sweep runs a motion without drawing\n"
    "(the arm's Animation path, RBT1's test run, RBT2's pick-and-place cycle,\n"
    "both robots' cycles) and prints per step, as CSV, the least clearance,\n"
    "its pair and any contact. Contacts the scene allows (its '#@allow' line)\n"
    "are not reported.\n"
    "\n"
    "Exit codes: 0 done; 1 the scene file has errors (--check) or is not a scene\n"
    "file (no header and no record; nothing is drawn); 2 bad arguments;\n"
    "3 the scene cannot be read; 4 the picture cannot be written (the old one\n"
    "stays; a target that is not a regular file is never replaced); 5 no OpenGL;\n"
    "6 a contact was found (--clearance, --sweep).\n";

bool ParseFloats(const char* text, std::vector<float>& out, size_t count) {
  out.clear();
  std::stringstream ss(text);
  std::string item;
  while (std::getline(ss, item, ',')) {
    char* end = nullptr;
    const float v = std::strtof(item.c_str(), &end);
    if (item.empty() || *end != '\0' || !(v == v)) return false;
    out.push_back(v);
  }
  return out.size() == count;
}

int Fail(int code, const std::string& message) {
  std::cerr << "tessaly-render: " << message << "\n";
  return code;
}

// --clearance and --sweep: the check's lines on standard output.
int Measure(const RenderSettings& rs, const SceneObject* records, const std::string& scene, const std::string& sweep) {
  AllowedContacts allowed;
  ReadAllowLine(scene, allowed);
  InterferenceCheck check;
  if (!sweep.empty()) {
    CellMotion motion = CellMotion::Animation;
    CellMotionNamed(sweep, &motion);
    const SweepResult result =
        SweepMotion(CellMotionSteps(motion, rs.joints, rs.robot), records, kObjectCapacity, &allowed, &check);
    std::cout << SweepCsv(result);
    return result.ContactSteps() > 0 ? kContact : kOk;
  }
  InterferenceInputs in;
  in.joints = rs.joints;
  std::vector<SceneObject> posed(records, records + kObjectCapacity);
  const DrawSubstitutes subs{rs.robot, nullptr};
  for (int i = 0; i < kObjectCapacity; ++i)
    if (HasSubstitute(records[i], i, subs)) posed[static_cast<size_t>(i)] = EffectiveRecord(records[i], i, subs);
  in.records = posed.data();
  in.count = kObjectCapacity;
  in.allowed = &allowed;
  in.clearance = true;
  InterferenceReport report;
  check.Run(in, &report);
  for (const InterferenceHit& hit : report.hits) std::cout << "Contact: " << DescribeHit(hit, posed.data()) << "\n";
  std::cout << DescribeClearance(report, posed.data()) << "\n";
  return report.Any() ? kContact : kOk;
}

}  // namespace

int main(int argc, char** argv) {
  KeepLargeAllocationsInHeap();
  // Over a file size limit a write fails with its error (exit 4) instead of
  // the signal ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  std::string scene, output;
  int width = 628, height = 377;
  bool check = false, ortho = false, viewGiven = false, fit = false, floor = false, clearance = false;
  std::string sweep;
  std::vector<float> view, joints, shift;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&](const char* what) -> const char* {
      if (i + 1 >= argc) return nullptr;
      (void)what;
      return argv[++i];
    };
    if (a == "--help" || a == "-h") {
      std::cout << kUsageText;
      return kOk;
    } else if (a == "--version") {
      std::cout << "tessaly-render " << TESSALY_VERSION << "\n";
      return kOk;
    } else if (a == "-o" || a == "--output") {
      const char* v = next("file");
      if (!v) return Fail(kUsage, "-o needs a file name");
      output = v;
    } else if (a == "--size") {
      const char* v = next("size");
      if (!v || std::sscanf(v, "%dx%d", &width, &height) != 2 || width < 1 || height < 1 || width > 8192 ||
          height > 8192)
        return Fail(kUsage, "--size needs WIDTHxHEIGHT, each 1 to 8192");
    } else if (a == "--view") {
      const char* v = next("view");
      if (!v || !ParseFloats(v, view, 3)) return Fail(kUsage, "--view needs ANGLEX,ANGLEZ,ZOOM");
      viewGiven = true;
    } else if (a == "--shift") {
      const char* v = next("shift");
      if (!v || !ParseFloats(v, shift, 3)) return Fail(kUsage, "--shift needs X,Y,Z");
    } else if (a == "--joints") {
      const char* v = next("joints");
      if (!v || !ParseFloats(v, joints, 6)) return Fail(kUsage, "--joints needs six angles J1,...,J6");
    } else if (a == "--ortho") {
      ortho = true;
    } else if (a == "--check") {
      check = true;
    } else if (a == "--clearance") {
      clearance = true;
    } else if (a == "--sweep") {
      const char* v = next("sweep");
      CellMotion motion;
      if (!v || !CellMotionNamed(v, &motion)) return Fail(kUsage, "--sweep needs animation, rbt1, rbt2 or cycle");
      sweep = v;
    } else if (a == "--fit") {
      fit = true;
    } else if (a == "--floor") {
      floor = true;
    } else if (!a.empty() && a[0] == '-') {
      return Fail(kUsage, "unknown option " + a + " (see --help)");
    } else if (scene.empty()) {
      scene = a;
    } else {
      return Fail(kUsage, "more than one scene given");
    }
  }
  if (scene.empty()) return Fail(kUsage, "no scene file given (see --help)");
  const bool measuring = clearance || !sweep.empty();
  if (measuring && (check || !output.empty()))
    return Fail(kUsage, "--clearance and --sweep take neither -o nor --check");
  if (!check && !measuring && output.empty()) return Fail(kUsage, "no output file given: -o OUT.png");

  // QImage needs the application object; no window is ever opened.
  int qtArgc = 1;
  char qtName[] = "tessaly-render";
  char* qtArgv[] = {qtName, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own notes (runtime folders, fonts) are no business of a script
  // reading this program's standard error.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication app(qtArgc, qtArgv);

  const bool exporting = !check && !measuring && ExportFormatOf(output) != ExportFormat::Unknown;
  std::unique_ptr<HeadlessContext> ctx;
  TextureSlot textures[kTextureSlotCount];
  if (!check && !exporting && !measuring) {
    ctx = std::make_unique<HeadlessContext>(width, height);
    if (!ctx->ok()) return Fail(kNoGl, "no OpenGL context: " + ctx->error());
    QtBitmapSource bitmaps;
    InitBuiltInBitmaps();
    LoadTextureImage("RC,logo", textures[0], bitmaps);
    textures[0].number = 0;
    LoadTextureImage("RC,wafer", textures[1], bitmaps);
    textures[1].number = 1;
    for (int i = 2; i < kTextureSlotCount; ++i) textures[i].number = i;
  } else {
    // The file's texture references are checked against the slots the
    // program has at start: the two built-in pictures.
    textures[0].loaded = textures[1].loaded = true;
    textures[0].number = 0;
    textures[1].number = 1;
  }

  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  int messages = 0;
  std::string why;
  bool refused = false;
  const int loaded = LoadObjects(
      scene, table->data(), kObjectCapacity, textures,
      [&](const std::string& m) {
        ++messages;
        std::cerr << scene << ": " << m << "\n";
      },
      &why, &refused);
  if (loaded < 0) return Fail(kCannotRead, "cannot read " + scene + ": " + why);
  // A file that is no scene draws no picture either: an empty one would
  // pass for the scene's.
  if (refused) return kSceneErrors;
  // Model records: their files are read (relative paths from the scene's
  // folder) before anything is drawn, and each one refused is told.
  ModelLibrary& models = ModelLibrary::Shared();
  models.SetBaseFolder(QFile::encodeName(QFileInfo(QString::fromStdString(scene)).absolutePath()).toStdString());
  for (const SceneObject& r : *table)
    if (r.Enbl && r.Shp == ShapeKind::Model && !r.Text.empty()) models.Find(r.Text, ModelOptionsOf(r));
  models.WaitIdle(3600.0);
  for (int i = 0; i < kObjectCapacity; ++i) {
    const SceneObject& r = (*table)[static_cast<size_t>(i)];
    if (!r.Enbl || r.Shp != ShapeKind::Model || r.Text.empty()) continue;
    const ModelState st = models.Find(r.Text, ModelOptionsOf(r));
    if (st.kind != ModelState::Kind::Failed) continue;
    ++messages;
    char number[16];
    std::snprintf(number, sizeof number, "OBJ%03d", i);
    std::cerr << scene << ": " << number << ": model " << r.Text << ": " << st.error << "\n";
  }
  models.TakeMessages();
  if (check) {
    // A reader that stopped on an error always said why, as does a view
    // line that cannot be read, and a model file that was refused; a file
    // without records (empty, or a header only) has no errors.
    if (messages > 0) return kSceneErrors;
    std::cout << scene << ": " << loaded << " objects\n";
    return kOk;
  }

  RenderSettings rs;
  rs.view.panelWidth = width;
  rs.view.panelHeight = height;
  SceneView kept;
  if (!viewGiven && shift.empty() && !ortho && ReadViewLine(scene, kept) == ViewLineState::Present) {
    // The view the scene was saved with, as opening it in the window gives.
    TakeSceneView(rs.view, kept);
  }
  if (ortho) {
    rs.view.ortho = true;
    rs.view.zoom = 0.5f;  // what switching to ortho sets
  }
  if (viewGiven) {
    rs.view.angleX = view[0];
    rs.view.angleZ = view[1];
    rs.view.zoom = view[2];
  }
  if (!shift.empty()) {
    rs.view.shiftX = shift[0];
    rs.view.shiftY = shift[1];
    rs.view.shiftZ = shift[2];
  }
  if (!joints.empty())
    for (int k = 0; k < 6; ++k) rs.joints[k] = joints[static_cast<size_t>(k)];
  if (measuring) return Measure(rs, table->data(), scene, sweep);
  // Held to the window's bars, wherever the values came from.
  TakeSceneView(rs.view, ClampView(SceneViewOf(rs.view)));
  if (exporting) {
    std::deque<Mesh> meshes;
    const std::vector<ExportPart> parts = SceneExportParts(rs, table->data(), nullptr, floor, &meshes);
    std::vector<ExportFile> files;
    const std::string failed = ExportScene(parts, output, &files);
    if (!failed.empty()) return Fail(kCannotWrite, "cannot export " + output + ": " + failed);
    for (const ExportFile& f : files)
      if (!SaveFileContents(f.path, f.bytes, SaveOptions{}, &why))
        return Fail(kCannotWrite, "cannot write " + f.path + ": " + why);
    return kOk;
  }
  if (fit) {
    ViewLimits limits;
    if (rs.view.ortho) limits.zoomMin = 0.1, limits.zoomMax = 5.0;
    const ViewSettings fitted = FitViewToBounds(rs.view, SceneFitBounds(rs, table->data(), nullptr), limits);
    rs.view.zoom = fitted.zoom;
    rs.view.shiftX = fitted.shiftX;
    rs.view.shiftY = fitted.shiftY;
    rs.view.shiftZ = fitted.shiftZ;
  }

  ApplyClearColor(rs.backColor);
  ApplyFixedRenderState();
  ApplyProjection(width, height, rs.view.ortho);
  TransferLightsAndFog(rs, DefaultLight1(), DefaultLight2(), 10, FogPanelValues{});
  FrameInputs in{&rs, table.get(), textures, nullptr};
  ComposeFrame(in);

  const std::vector<uint8_t> rgba = ctx->ReadPixels();
  QImage img(width, height, QImage::Format_RGBA8888);
  for (int y = 0; y < height; ++y) {
    uint8_t* line = img.scanLine(y);
    std::memcpy(line, &rgba[static_cast<size_t>(y) * width * 4], static_cast<size_t>(width) * 4);
    for (int x = 0; x < width; ++x) line[x * 4 + 3] = 255;
  }
  // Encoded in memory first, then written with the program's safe save:
  // through a temporary file, every write and the close checked, so a full
  // disk leaves the old picture and a device such as /dev/full is refused.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!img.save(&buffer, "PNG")) return Fail(kCannotWrite, "cannot write " + output + ": the picture cannot be encoded");
  if (!SaveFileContents(output, std::string(png.constData(), static_cast<size_t>(png.size())), SaveOptions{}, &why))
    return Fail(kCannotWrite, "cannot write " + output + ": " + why);
  return kOk;
}
