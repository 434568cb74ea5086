#include "models/CadWriter.h"

#include <APIHeaderSection_MakeHeader.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <IGESCAFControl_Writer.hxx>
#include <Interface_Static.hxx>
#include <Quantity_Color.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <STEPControl_Writer.hxx>
#include <TCollection_HAsciiString.hxx>
#include <Standard_Failure.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <gp_Ax2.hxx>

std::string WriteCadFile(const std::string& path, ModelFormat format, const std::vector<CadSolid>& solids) {
  if (format != ModelFormat::Step && format != ModelFormat::Iges) return "only STEP and IGES are written";
  std::lock_guard<std::mutex> lock(OpenCascadeLock());
  QuietOpenCascade();
  try {
    Handle(XCAFApp_Application) app = XCAFApp_Application::GetApplication();
    Handle(TDocStd_Document) doc;
    app->NewDocument("MDTV-XCAF", doc);
    const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(doc->Main());
    const Handle(XCAFDoc_ColorTool) colours = XCAFDoc_DocumentTool::ColorTool(doc->Main());
    for (const CadSolid& s : solids) {
      TopoDS_Shape shape;
      if (s.kind == CadSolid::Kind::Box) {
        shape = BRepPrimAPI_MakeBox(gp_Pnt(s.x, s.y, s.z), s.w, s.d, s.h).Shape();
        if (s.r > 0.0) {
          const gp_Ax2 axis(gp_Pnt(s.x + s.w / 2, s.y - 1.0, s.z + s.h / 2), gp_Dir(0, 1, 0));
          shape = BRepAlgoAPI_Cut(shape, BRepPrimAPI_MakeCylinder(axis, s.r, s.d + 2.0).Shape()).Shape();
        }
      } else {
        shape = BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(s.x, s.y, s.z), gp_Dir(0, 0, 1)), s.r, s.h).Shape();
      }
      const TDF_Label label = shapes->AddShape(shape, Standard_False);
      colours->SetColor(label, Quantity_Color(s.rgb[0], s.rgb[1], s.rgb[2], Quantity_TOC_sRGB), XCAFDoc_ColorSurf);
    }
    Interface_Static::SetCVal("write.step.unit", "MM");
    Interface_Static::SetCVal("write.iges.unit", "MM");
    bool written = false;
    if (format == ModelFormat::Step) {
      STEPCAFControl_Writer writer;
      if (writer.Transfer(doc, STEPControl_AsIs)) {
        // No date and no host in the header: the same solids make the same file.
        APIHeaderSection_MakeHeader header(writer.ChangeWriter().Model());
        header.SetName(new TCollection_HAsciiString("tessaly"));
        header.SetTimeStamp(new TCollection_HAsciiString("2026-01-01T00:00:00"));
        header.SetAuthorValue(1, new TCollection_HAsciiString("tessaly"));
        header.SetOrganizationValue(1, new TCollection_HAsciiString("tessaly"));
        header.SetOriginatingSystem(new TCollection_HAsciiString("tessaly"));
        header.SetPreprocessorVersion(new TCollection_HAsciiString("OpenCASCADE"));
        header.SetAuthorisation(new TCollection_HAsciiString(""));
        written = writer.Write(path.c_str()) == IFSelect_RetDone;
      }
    } else {
      IGESCAFControl_Writer writer;
      written = writer.Transfer(doc) && writer.Write(path.c_str());
    }
    app->Close(doc);
    return written ? std::string() : "the file could not be written";
  } catch (const Standard_Failure& e) {
    return std::string("the shapes could not be made (") + e.GetMessageString() + ")";
  }
}
