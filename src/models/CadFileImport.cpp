// STEP and IGES through OpenCASCADE: the file's shapes with their colours
// (XCAF), cut into triangles by its mesher.
#include <BRepBndLib.hxx>
#include <BRepLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <IGESCAFControl_Reader.hxx>
#include <IGESData_GlobalSection.hxx>
#include <IGESData_IGESModel.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <Poly_Triangulation.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <STEPControl_Reader.hxx>
#include <Standard_Failure.hxx>
#include <TColStd_SequenceOfAsciiString.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_DataMapOfShapeInteger.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <XCAFPrs.hxx>
#include <XCAFPrs_IndexedDataMapOfShapeStyle.hxx>
#include <XCAFPrs_Style.hxx>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include "models/CadWriter.h"
#include "models/ModelImport.h"

namespace {

// Metres per file number for the unit names the readers report; 0 when
// the name is not known.
double MetresPerUnit(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const std::map<std::string, double> units = {
      {"MM", 0.001},  {"MILLIMETRE", 0.001}, {"MILLIMETER", 0.001}, {"M", 1.0},      {"METRE", 1.0},
      {"METER", 1.0}, {"CM", 0.01},          {"CENTIMETRE", 0.01},  {"INCH", 0.0254}, {"IN", 0.0254},
      {"INCHES", 0.0254}, {"FT", 0.3048},    {"FOOT", 0.3048},      {"UM", 1e-6},     {"MICROMETRE", 1e-6},
      {"KM", 1000.0}, {"MIL", 2.54e-5},
  };
  const auto it = units.find(name);
  return it == units.end() ? 0.0 : it->second;
}

struct Colour {
  bool known = false;
  float rgba[4] = {1, 1, 1, 1};
};

Colour StyleColour(const XCAFPrs_Style& style) {
  Colour c;
  if (!style.IsSetColorSurf()) return c;
  const Quantity_ColorRGBA& q = style.GetColorSurfRGBA();
  // sRGB, as the file gives it.
  Standard_Real r = 0, g = 0, b = 0;
  q.GetRGB().Values(r, g, b, Quantity_TOC_sRGB);
  c.known = true;
  c.rgba[0] = static_cast<float>(r), c.rgba[1] = static_cast<float>(g), c.rgba[2] = static_cast<float>(b);
  c.rgba[3] = q.Alpha();
  return c;
}

// Adds the faces of shape to m, one part per colour, each face's colour
// from the styles (its own, else the solid's or shell's round it).
void AddFaces(const TopoDS_Shape& shape, const XCAFPrs_IndexedDataMapOfShapeStyle& styles, ModelData& m) {
  std::vector<Colour> palette(1);  // 0: no colour of the file's
  TopTools_DataMapOfShapeInteger faceColour;
  // Styles of larger shapes first, then of faces, so the nearer one wins.
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 1; i <= styles.Extent(); ++i) {
      const TopoDS_Shape& s = styles.FindKey(i);
      if ((s.ShapeType() == TopAbs_FACE) != (pass == 1)) continue;
      const Colour c = StyleColour(styles.FindFromIndex(i));
      if (!c.known) continue;
      palette.push_back(c);
      const int index = static_cast<int>(palette.size()) - 1;
      for (TopExp_Explorer e(s, TopAbs_FACE); e.More(); e.Next()) faceColour.Bind(e.Current(), index);
    }
  // One group of corners and triangles per colour, so that each part's
  // corners lie together.
  std::vector<ModelData> groups(palette.size());
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next()) {
    const TopoDS_Face& face = TopoDS::Face(e.Current());
    TopLoc_Location loc;
    const Handle(Poly_Triangulation) tri = BRep_Tool::Triangulation(face, loc);
    if (tri.IsNull() || tri->NbTriangles() == 0) continue;
    int colour = 0;
    if (!faceColour.Find(face, colour)) {
      TopoDS_Shape bare = face;
      bare.Location(TopLoc_Location());
      if (!faceColour.Find(bare, colour)) colour = 0;
    }
    ModelData& g = groups[static_cast<size_t>(colour)];
    const gp_Trsf t = loc.Transformation();
    const bool reversed = face.Orientation() == TopAbs_REVERSED;
    const uint32_t base = static_cast<uint32_t>(g.CornerCount());
    for (int i = 1; i <= tri->NbNodes(); ++i) {
      const gp_Pnt p = tri->Node(i).Transformed(t);
      g.positions.insert(g.positions.end(), {float(p.X()), float(p.Y()), float(p.Z())});
      if (tri->HasNormals()) {
        gp_Dir n = tri->Normal(i);
        n.Transform(t);
        if (reversed) n.Reverse();
        g.normals.insert(g.normals.end(), {float(n.X()), float(n.Y()), float(n.Z())});
      } else {
        g.normals.insert(g.normals.end(), {0.0f, 0.0f, 0.0f});
      }
    }
    for (int i = 1; i <= tri->NbTriangles(); ++i) {
      int a = 0, b = 0, c = 0;
      tri->Triangle(i).Get(a, b, c);
      if (reversed) std::swap(b, c);
      if (a < 1 || b < 1 || c < 1 || a > tri->NbNodes() || b > tri->NbNodes() || c > tri->NbNodes()) continue;
      g.triangles.insert(g.triangles.end(), {base + uint32_t(a - 1), base + uint32_t(b - 1), base + uint32_t(c - 1)});
    }
  }
  for (size_t k = 0; k < groups.size(); ++k) {
    const ModelData& g = groups[k];
    if (g.triangles.empty()) continue;
    ModelPart part;
    part.firstIndex = static_cast<uint32_t>(m.triangles.size());
    part.indexCount = static_cast<uint32_t>(g.triangles.size());
    part.firstCorner = static_cast<uint32_t>(m.CornerCount());
    part.cornerCount = static_cast<uint32_t>(g.CornerCount());
    part.hasColor = palette[k].known;
    std::copy(palette[k].rgba, palette[k].rgba + 4, part.rgba);
    m.positions.insert(m.positions.end(), g.positions.begin(), g.positions.end());
    m.normals.insert(m.normals.end(), g.normals.begin(), g.normals.end());
    for (uint32_t i : g.triangles) m.triangles.push_back(part.firstCorner + i);
    m.parts.push_back(part);
  }
}

}  // namespace

void QuietOpenCascade() {
  // Its readers and writers report to standard output; the program says
  // what went wrong in its own words.
  static bool done = false;
  if (done) return;
  done = true;
  Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
}

std::mutex& OpenCascadeLock() {
  static std::mutex m;
  return m;
}

RawModel ReadCadFile(const std::string& path, ModelFormat format, int resolution) {
  RawModel raw;
  const char* kind = format == ModelFormat::Step ? "STEP" : "IGES";
  double fileUnit = 0.0;  // metres per number in the file, 0 when not known
  std::lock_guard<std::mutex> lock(OpenCascadeLock());
  try {
    QuietOpenCascade();
    Handle(XCAFApp_Application) app = XCAFApp_Application::GetApplication();
    Handle(TDocStd_Document) doc;
    app->NewDocument("MDTV-XCAF", doc);
    // OpenCASCADE works in millimetres: every file comes in converted to them.
    Interface_Static::SetCVal("xstep.cascade.unit", "MM");
    bool read = false;
    if (format == ModelFormat::Step) {
      STEPCAFControl_Reader reader;
      reader.SetColorMode(true);
      reader.SetNameMode(false);
      reader.SetLayerMode(false);
      read = reader.ReadFile(path.c_str()) == IFSelect_RetDone;
      if (read) {
        TColStd_SequenceOfAsciiString lengths, angles, solids;
        reader.ChangeReader().FileUnits(lengths, angles, solids);
        if (lengths.Length() > 0) fileUnit = MetresPerUnit(lengths.First().ToCString());
        read = reader.Transfer(doc);
      }
    } else {
      IGESCAFControl_Reader reader;
      reader.SetColorMode(true);
      reader.SetNameMode(false);
      reader.SetLayerMode(false);
      read = reader.ReadFile(path.c_str()) == IFSelect_RetDone;
      if (read) {
        const Handle(IGESData_IGESModel) model = reader.IGESModel();
        if (!model.IsNull()) fileUnit = model->GlobalSection().UnitValue();
        if (!(fileUnit > 0.0) || !std::isfinite(fileUnit)) fileUnit = 0.0;
        read = reader.Transfer(doc);
      }
    }
    if (!read) {
      raw.error = std::string("it could not be read as a ") + kind + " file";
      app->Close(doc);
      return raw;
    }
    const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(doc->Main());
    TDF_LabelSequence free;
    shapes->GetFreeShapes(free);
    // How finely: angles of 360/Reso degrees, and chords no further than
    // 1/(10 Reso) of the model's diagonal from the surface.
    const int reso = std::clamp(resolution, 4, 360);
    for (int i = 1; i <= free.Length(); ++i) {
      const TopoDS_Shape shape = XCAFDoc_ShapeTool::GetShape(free.Value(i));
      if (shape.IsNull()) continue;
      Bnd_Box box;
      BRepBndLib::Add(shape, box);
      if (box.IsVoid()) continue;
      const double diagonal = std::sqrt(box.SquareExtent());
      BRepMesh_IncrementalMesh mesher(shape, std::max(diagonal / (10.0 * reso), 1e-6), Standard_False,
                                      2.0 * M_PI / reso, Standard_False);
      BRepLib::EnsureNormalConsistency(shape, 0.001, Standard_True);
      XCAFPrs_IndexedDataMapOfShapeStyle styles;
      XCAFPrs::CollectStyleSettings(free.Value(i), TopLoc_Location(), styles);
      AddFaces(shape, styles, raw.data);
      if (raw.data.TriangleCount() > ModelTriangleLimit()) break;
    }
    app->Close(doc);
  } catch (const Standard_Failure& e) {
    raw.error = std::string("it could not be read as a ") + kind + " file (" + e.GetMessageString() + ")";
    return raw;
  } catch (const std::exception& e) {
    raw.error = std::string("it could not be read as a ") + kind + " file (" + e.what() + ")";
    return raw;
  }
  raw.declaredScale = 0.001;
  raw.numberScale = fileUnit > 0.0 ? 0.001 / fileUnit : 1.0;
  return raw;
}
