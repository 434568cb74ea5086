#include "ui/Objectsetting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "ui/Controls.h"
#include "ui/DataPaths.h"
#include "ui/Handler.h"
#include "ui/Prompts.h"
#include "ui/Input.h"
#include "ui/ObjectsettingGrid.h"
#include "ui/ModelPath.h"
#include "objects/EffectiveRecord.h"
#include "objects/ShapeCatalog.h"
#include "objects/Convert.h"
#include "shapes/Material.h"


namespace {

// Painting of the grid, colours as 0x00BBGGRR.
constexpr uint32_t kSelectedBack = 0xFF8080;  // light blue
constexpr uint32_t kSelectedText = 0x00FFFF;  // yellow
constexpr uint32_t kDeadBack = 0x808080;      // a cell the kind does not use
constexpr uint32_t kEvenRowBack = 0xFFF0F0;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Runs f and shows a conversion error the way the handler boundary does;
// false when one was raised.
template <class F>
bool Converting(QWidget* parent, F f) {
  try {
    f();
    return true;
  } catch (const ConversionError& e) {
    ShowHandlerException(parent, e);
    return false;
  }
}

}  // namespace

TObjSet::TObjSet(QWidget* parent)
    : TObjSet(parent, ShapeListPath()) {}

TObjSet::TObjSet(QWidget* parent, const QString& shapeListPath) : QDialog(parent) {
  BuildLayout();
  cells_ = EmptyGrid();
  Stg_Data->drawCell = [this](QPainter* p, const QRect& r, int col, int row, bool selected) {
    PaintCell(p, r, col, row, selected);
  };
  LoadShapeListFile(shapeListPath);
  Connect();
}

TObjSet::~TObjSet() = default;

void TObjSet::LoadShapeListFile(const QString& path) {
  // The built-in list names the primitives even when the file is missing;
  // only a list read from the file is offered in the selector.
  SetBuiltInShapeList(shapes_);
  ShapeList fromFile;
  if (LoadShapeList(QFile::encodeName(path).toStdString(), fromFile) == 1) {
    shapes_ = fromFile;
    shapeListLoaded_ = true;
  }
  FillShapeSelector();
}

void TObjSet::FillShapeSelector() {
  const bool was = filling_;
  filling_ = true;
  Cmb_Shape->clear();
  if (shapeListLoaded_)
    for (int kind : OfferedKinds(shapes_)) Cmb_Shape->addItem(Q(ShapeNameOf(shapes_, kind)), kind);
  Cmb_Shape->setCurrentIndex(-1);
  filling_ = was;
}

QString TObjSet::ShapeName(int kind) const {
  return Q(ShapeNameOf(shapes_, kind));
}

int TObjSet::KindOfName(const QString& name) const {
  return ::KindOfName(shapes_, name.toStdString());
}

void TObjSet::Connect() {
  const auto change = Guarded(this, [this] { ControlChange(); });
  connect(Chk_Enable, &QCheckBox::toggled, this, change);
  connect(Edt_Name, &QLineEdit::textChanged, this, change);
  connect(Cmb_CircReso, &QComboBox::currentIndexChanged, this, change);
  connect(Cmb_Direction, &QComboBox::currentIndexChanged, this, change);
  for (QCheckBox* c : {Chk_Fill, Chk_Frame, Chk_ColorTex, Chk_Text, Chk_Texture})
    connect(c, &QCheckBox::toggled, this, change);
  connect(Edt_Text, &QLineEdit::textChanged, this, change);
  connect(Cmb_Texture, &QComboBox::currentIndexChanged, this, change);
  connect(Cmb_Shape, &QComboBox::currentIndexChanged, this, Guarded(this, [this] { Cmb_ShapeChange(); }));
  connect(Cmb_FollowPanel, &QComboBox::activated, this, Guarded(this, [this] { Cmb_FollowPanelChange(); }));
  connect(Btn_ModelFile, &QPushButton::clicked, this, Guarded(this, [this] { Btn_ModelFileClick(); }));

  const auto typeChange = Guarded(this, [this] { ColorTexTypeChange(); });
  connect(Chk_ColorTex_ByTypeColor, &QCheckBox::toggled, this, typeChange);
  connect(Cmb_ColorTex_Type, &QComboBox::currentIndexChanged, this, typeChange);
  for (ColorSwatch* s : {Shp_Color_Fill, Shp_Color_Frame, Shp_ColorTex_Color})
    connect(s, &ColorSwatch::mouseDown, this,
            Guarded(this, [this](ColorSwatch* sw) { Shp_ColorMouseDown(sw); }));

  connect(Stg_Data, &StringGrid::cellActivated, this,
          Guarded(this, [this](int col, int row) { Stg_DataDblClick(col, row); }));

  connect(Btn_Apply, &QPushButton::clicked, this, Guarded(this, [this] { Btn_ApplyClick(); }));
  connect(Btn_OK, &QPushButton::clicked, this, Guarded(this, [this] { Btn_OKClick(); }));
  connect(Btn_Cancel, &QPushButton::clicked, this, Guarded(this, [this] { Btn_CancelClick(); }));
  connect(Btn_Restore, &QPushButton::clicked, this, Guarded(this, [this] { Btn_RestoreClick(); }));
  connect(Chk_AutoApplyChange, &QCheckBox::toggled, this,
          Guarded(this, [this] { Chk_AutoApplyChangeClick(); }));

  connect(Cmb_Inc_Type, &QComboBox::currentIndexChanged, this,
          Guarded(this, [this] { Cmb_Inc_TypeChange(); }));
  for (int i = 0; i < kStepButtonCount; ++i) {
    connect(Btn_Inc[i], &QPushButton::pressed, this, Guarded(this, [this, i] { Btn_IncMouseDown(i); }));
    connect(Btn_Inc[i], &QPushButton::released, this, Guarded(this, [this] { Btn_IncMouseUp(); }));
  }
  connect(Tim_Inc, &QTimer::timeout, this, Guarded(this, [this] { Tim_IncTimer(); }));
  connect(Btn_Inc_ORG, &QPushButton::clicked, this, Guarded(this, [this] { Btn_Inc_ORGClick(); }));
}

// --- Opening ---------------------------------------------------------------------

bool TObjSet::Execute(SceneObject& rec, TextureSlot* slots) {
  // One record at a time.
  if (isVisible()) return false;
  Prepare(rec, slots);
  exec();
  StopStepping();
  rec_ = nullptr;
  slots_ = nullptr;
  return result_;
}

bool TObjSet::Edit(ObjectTable& table, TextureSlot* slots, int index) {
  if (index < 0 || index >= static_cast<int>(table.size())) return false;
  if (isVisible()) return false;
  // The caption says which record is being edited; Execute on a record of
  // no table keeps the laid-out one.
  const QString caption = windowTitle();
  setWindowTitle(caption + QStringLiteral(" - Record %1").arg(index));
  const bool ok = Execute(table[static_cast<size_t>(index)], slots);
  setWindowTitle(caption);
  return ok;
}

void TObjSet::Prepare(SceneObject& rec, TextureSlot* slots) {
  StopStepping();
  rec_ = &rec;
  slots_ = slots;
  restore_ = rec;
  work_ = rec.ColorTex;
  result_ = false;
  changed_ = false;
  LoadControls();
  UpdateLiveState();
}

void TObjSet::LoadControls() {
  if (!rec_) return;
  const SceneObject& rec = *rec_;
  filling_ = true;
  Chk_Enable->setChecked(rec.Enbl);
  // A kind the selector does not offer shows no shape: Apply then asks for
  // one instead of quietly turning the object into another kind.
  Cmb_Shape->setCurrentIndex(Cmb_Shape->findData(rec.Shp));
  Edt_Name->setText(Q(rec.Name));
  int reso = Cmb_CircReso->findText(QString::number(rec.Reso));
  if (reso < 0) reso = Cmb_CircReso->findText(QStringLiteral("36"));
  Cmb_CircReso->setCurrentIndex(reso);
  Cmb_Direction->setCurrentIndex(rec.Dir >= 0 && rec.Dir <= 5 ? rec.Dir : 0);
  Chk_Fill->setChecked(rec.Fill);
  Shp_Color_Fill->SetColor(rec.clFill);
  Chk_Frame->setChecked(rec.Frame);
  Shp_Color_Frame->SetColor(rec.clFrame);
  Chk_ColorTex->setChecked(rec.ColorTex.ClTex);
  Chk_Text->setChecked(!rec.Text.empty());
  Edt_Text->setText(Q(rec.Text));
  const bool hasTexture = rec.Tex >= 0 && rec.Tex < kTextureSlotCount;
  Chk_Texture->setChecked(hasTexture);
  Cmb_Texture->setCurrentIndex(hasTexture ? rec.Tex : 0);
  RecordToGrid(rec, cells_);
  ShowGrid();
  filling_ = false;
}

// --- Live state ------------------------------------------------------------------

int TObjSet::CurrentKind() const {
  if (Cmb_Shape->currentIndex() >= 0) return Cmb_Shape->currentData().toInt();
  return rec_ ? rec_->Shp : -1;
}

bool TObjSet::CellLive(int col, int row) const {
  return GridCellLive(EntryOf(shapes_, CurrentKind()), row, col, Chk_Fill->isChecked(),
                      Chk_ColorTex->isChecked());
}

void TObjSet::UpdateLiveState() {
  const ShapeListEntry& e = EntryOf(shapes_, CurrentKind());
  const bool reso = HasFieldBit(e, FieldBit::Reso);
  Cmb_CircReso->setEnabled(reso);
  Lbl_CircReso->setEnabled(reso);
  const bool dir = HasFieldBit(e, FieldBit::Dir);
  Cmb_Direction->setEnabled(dir);
  Lbl_Direction->setEnabled(dir);

  const bool fill = HasFieldBit(e, FieldBit::Fill);
  Chk_Fill->setEnabled(fill);
  Shp_Color_Fill->setEnabled(fill && Chk_Fill->isChecked());
  Chk_ColorTex->setEnabled(fill);
  const bool byType = fill && Chk_ColorTex->isChecked();
  Chk_ColorTex_ByTypeColor->setEnabled(byType);
  Shp_ColorTex_Color->setEnabled(byType);
  Cmb_ColorTex_Type->setEnabled(byType && Chk_ColorTex_ByTypeColor->isChecked());

  const bool frame = HasFieldBit(e, FieldBit::Frame);
  Chk_Frame->setEnabled(frame);
  Shp_Color_Frame->setEnabled(frame && Chk_Frame->isChecked());
  const bool text = HasFieldBit(e, FieldBit::Text);
  Chk_Text->setEnabled(text);
  Edt_Text->setEnabled(text && Chk_Text->isChecked());
  const bool texture = HasFieldBit(e, FieldBit::Texture);
  Chk_Texture->setEnabled(texture);
  Cmb_Texture->setEnabled(texture && Chk_Texture->isChecked());

  // The follow choice is the robot's Opt[8] cell, shown as a list.
  const int kind = CurrentKind();
  const bool robot = ShapeKind::IsTransferRobot(kind);
  Lbl_FollowPanel->setVisible(robot);
  Cmb_FollowPanel->setVisible(robot);
  Btn_ModelFile->setVisible(kind == ShapeKind::Model);
  const std::string& follow = cells_[GridRow::Option][kFollowPanelOption + 1];
  Cmb_FollowPanel->setCurrentIndex(follow == "1" ? 1 : follow == "2" ? 2 : 0);

  Stg_Data->viewport()->update();
  if (Chk_AutoApplyChange->isChecked()) {
    changeAuto_ = true;
    Apply();
    changeAuto_ = false;
  }
}

void TObjSet::Btn_ModelFileClick() {
  const QString filter = QStringLiteral(
      "Model files (*.step *.stp *.iges *.igs *.stl *.obj *.ply *.gltf *.glb *.dae *.3mf);;All files (*)");
  const QString path = Prompts::Get().OpenFile(this, QStringLiteral("Model file"), filter);
  if (path.isEmpty()) return;
  Chk_Text->setChecked(true);
  Edt_Text->setText(StoredModelPath(path));
}

void TObjSet::Cmb_FollowPanelChange() {
  const int panel = Cmb_FollowPanel->currentIndex();
  if (panel < 0) return;
  cells_[GridRow::Option][kFollowPanelOption + 1] =
      FormatGridValue(GridRow::Option, kFollowPanelOption + 1, panel);
  ShowGrid();
  UpdateLiveState();
}

void TObjSet::ShowGrid() {
  for (int r = 1; r < kGridRows; ++r)
    for (int c = 1; c < kGridColumns; ++c) Stg_Data->SetCell(c, r, Q(cells_[r][c]));
  Stg_Data->viewport()->update();
}

void TObjSet::PaintCell(QPainter* p, const QRect& r, int col, int row, bool selected) {
  QColor back, text = palette().color(QPalette::Text);
  if (selected) {
    back = QColorFromBgr(kSelectedBack);
    text = QColorFromBgr(kSelectedText);
  } else if (!CellLive(col, row)) {
    back = QColorFromBgr(kDeadBack);
  } else if (row == GridRow::SubColor && col <= 10 && rec_) {
    back = QColorFromBgr(rec_->cl_sub[col - 1]);
  } else if (row % 2 == 0) {
    back = QColorFromBgr(kEvenRowBack);
  } else {
    back = palette().color(QPalette::Base);
  }
  StringGrid::PaintCell(p, r, back, text, Stg_Data->Cell(col, row));
}

// --- Validation and Apply ----------------------------------------------------------

bool TObjSet::Validate() {
  EditorChecks checks;
  checks.hasShape = Cmb_Shape->currentIndex() >= 0;
  checks.hasResolution = Cmb_CircReso->currentIndex() >= 0;
  checks.hasDirection = Cmb_Direction->currentIndex() >= 0;
  checks.textChecked = Chk_Text->isChecked();
  checks.textEmpty = Edt_Text->text().isEmpty();
  checks.textureChecked = Chk_Texture->isChecked();
  checks.textureChosen = Cmb_Texture->currentIndex() >= 0;
  checks.nameBreaksFile = BreaksFileField(Edt_Name->text().toStdString());
  checks.textBreaksFile = Chk_Text->isChecked() && BreaksFileField(Edt_Text->text().toStdString());
  const std::string message = ValidationMessage(checks, cells_);
  if (message.empty()) return true;
  Prompts::Get().Message(this, Q(message));
  return false;
}

bool TObjSet::Apply() {
  if (!rec_ || !Validate()) return false;
  // Everything is converted into a copy first, so that a bad text leaves
  // the record as it was.
  SceneObject r = *rec_;
  ::ColorTex work = work_;
  const bool byType = Chk_ColorTex->isChecked() && Chk_ColorTex_ByTypeColor->isChecked();
  const bool converted = Converting(this, [&] {
    r.Enbl = Chk_Enable->isChecked();
    r.Shp = Cmb_Shape->currentIndex() >= 0 ? Cmb_Shape->currentData().toInt() : 0;
    r.Name = Edt_Name->text().toStdString();
    r.Fill = Chk_Fill->isChecked();
    r.Frame = Chk_Frame->isChecked();
    r.clFill = Shp_Color_Fill->Color();
    r.clFrame = Shp_Color_Frame->Color();
    r.Text = Edt_Text->text().toStdString();
    bool ok = false;
    const int reso = Cmb_CircReso->currentText().toInt(&ok);
    r.Reso = ok ? reso : 0;
    r.Dir = Cmb_Direction->currentIndex();
    r.Tex = Chk_Texture->isChecked() ? Cmb_Texture->currentIndex() : -1;
    GridToRecord(cells_, r);
    if (!Chk_ColorTex->isChecked()) {
      work.ClTex = false;
      r.ColorTex = work;
    } else if (!byType) {
      r.ColorTex.ClTex = true;
      GridToColorTex(cells_, r.ColorTex);
    } else {
      work = MakeTypedMaterial(Cmb_ColorTex_Type->currentIndex(), Shp_ColorTex_Color->Color(), r.Trans,
                               GridShininess(cells_));
      r.ColorTex = work;
    }
  });
  if (!converted) return false;
  work_ = work;
  *rec_ = r;
  if (byType) {
    // Show the material the type and colour made.
    GridTexts shown = cells_;
    RecordToGrid(r, shown);
    cells_[GridRow::ColorTex] = shown[GridRow::ColorTex];
    ShowGrid();
  }
  changeName_ = stepName_.isEmpty() ? QStringLiteral("Apply") : stepName_;
  NotifyChanged();
  return true;
}

void TObjSet::NotifyChanged() {
  changed_ = true;
  if (onChanged) onChanged();
}

// --- Handlers --------------------------------------------------------------------

void TObjSet::ControlChange() {
  if (filling_ || !rec_) return;
  UpdateLiveState();
}

void TObjSet::Cmb_ShapeChange() {
  if (filling_ || !rec_) return;
  const int kind = CurrentKind();
  if (ApplyKindChangeRules(kind, EntryOf(shapes_, kind), cells_, *rec_)) {
    changeName_ = QStringLiteral("Shape");
    NotifyChanged();
  }
  ShowGrid();
  UpdateLiveState();
}

void TObjSet::ColorTexTypeChange() {
  if (filling_ || !rec_) return;
  if (Chk_AutoApplyChange->isChecked() && Chk_ColorTex_ByTypeColor->isChecked()) {
    float shininess = 0;
    if (!Converting(this, [&] { shininess = GridShininess(cells_); })) return;
    work_ = MakeTypedMaterial(Cmb_ColorTex_Type->currentIndex(), Shp_ColorTex_Color->Color(), rec_->Trans,
                              shininess);
    rec_->ColorTex = work_;
    changeName_ = QStringLiteral("Material Type");
    changeAuto_ = true;
    NotifyChanged();
    changeAuto_ = false;
    LoadControls();
  }
  UpdateLiveState();
}

void TObjSet::Shp_ColorMouseDown(ColorSwatch* swatch) {
  if (!rec_ || !swatch || !swatch->isEnabled()) return;
  uint32_t chosen = 0;
  if (!Prompts::Get().PickColor(this, swatch->Color(), &chosen)) return;
  swatch->SetColor(chosen);
  if (swatch == Shp_ColorTex_Color)
    ColorTexTypeChange();
  else
    ControlChange();
}

void TObjSet::Stg_DataDblClick(int col, int row) {
  if (!rec_ || row < 1 || row >= kGridRows) return;
  if (row == GridRow::SubColor) {
    if (col < 1 || col > 10) return;
    uint32_t chosen = 0;
    if (!Prompts::Get().PickColor(this, rec_->cl_sub[col - 1], &chosen)) return;
    // A sub colour goes straight into the record.
    rec_->cl_sub[col - 1] = chosen & 0xFFFFFF;
    changeName_ = QStringLiteral("Sub Color");
    NotifyChanged();
    Stg_Data->viewport()->update();
    UpdateLiveState();
    return;
  }
  KeypadRequest req;
  if (!GridKeypadRequest(row, col, &req) || !keypad_) return;
  // The keypad starts from the value written with its own decimals, so
  // that Enter on an untouched value is within its digits.
  QString start = Q(cells_[row][col]);
  if (req.kind == kKeypadDecimal) {
    try {
      start = QString::number(StrToFloat(cells_[row][col]), 'f', req.decimals);
    } catch (const ConversionError&) {
    }
  }
  QString result;
  if (!keypad_->Execute(req.kind, req.minimum, req.maximum, req.digits, req.decimals, start, &result)) return;
  double value = 0;
  if (!Converting(this, [&] { value = StrToFloat(result.toStdString()); })) return;
  cells_[row][col] = FormatGridValue(row, col, value);
  ShowGrid();
  UpdateLiveState();
}

void TObjSet::Btn_ApplyClick() {
  Apply();
}

void TObjSet::Btn_OKClick() {
  if (!Apply()) return;
  result_ = true;
  StopStepping();
  QDialog::accept();
}

void TObjSet::Btn_CancelClick() {
  result_ = false;
  StopStepping();
  QDialog::reject();
}

void TObjSet::reject() {
  Btn_CancelClick();
}

void TObjSet::Btn_RestoreClick() {
  if (!rec_) return;
  if (!Prompts::Get().Confirm(this, QStringLiteral("Restore setting to previous.\nAre you sure?"),
                              QStringLiteral("Restore Setting")))
    return;
  *rec_ = restore_;
  work_ = restore_.ColorTex;
  changeName_ = QStringLiteral("Restore");
  NotifyChanged();
  LoadControls();
  UpdateLiveState();
}

void TObjSet::Chk_AutoApplyChangeClick() {
  const bool on = Chk_AutoApplyChange->isChecked();
  Btn_Apply->setEnabled(!on);
  if (on && rec_) Apply();
}

// --- Stepping --------------------------------------------------------------------

void TObjSet::Cmb_Inc_TypeChange() {
  StopStepping();
  const int type = Cmb_Inc_Type->currentIndex();
  for (int i = 0; i < kStepButtonCount; ++i) Btn_Inc[i]->setText(Q(StepButtonCaption(type, i)));
}

void TObjSet::Btn_IncMouseDown(int button) {
  if (!rec_ || button < 0 || button >= kStepButtonCount) return;
  StopStepping();
  stepButton_ = button;
  repeat_.Press();
  Tim_Inc->start(repeat_.Interval());
}

void TObjSet::Btn_IncMouseUp() {
  if (stepButton_ < 0) return;
  const int button = stepButton_;
  Tim_Inc->stop();
  stepButton_ = -1;
  const bool due = repeat_.Release();
  Tim_Inc->setInterval(repeat_.Interval());
  if (due) StepOnce(button);
}

void TObjSet::Tim_IncTimer() {
  // A tick that arrives while a step is still running (a message box of
  // the auto apply) is skipped.
  if (stepping_) return;
  if (stepButton_ < 0 || !Btn_Inc[stepButton_]->isDown()) {
    // The button went up without telling (a message box took the mouse).
    StopStepping();
    return;
  }
  const bool step = repeat_.Tick();
  if (Tim_Inc->interval() != repeat_.Interval()) Tim_Inc->setInterval(repeat_.Interval());
  if (step) StepOnce(stepButton_);
}

void TObjSet::StepOnce(int button) {
  if (!rec_) return;
  struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
  } busy(stepping_);
  const StepTarget t =
      StepTargetFor(Cmb_Inc_Type->currentIndex(), StepButtonAxis(button), StepButtonCount(button));
  std::string& cell = cells_[static_cast<size_t>(t.row)][static_cast<size_t>(t.col)];
  std::string stepped;
  if (!Converting(this, [&] { stepped = SteppedText(cell, t); })) {
    StopStepping();
    return;
  }
  cell = stepped;
  ShowGrid();
  // An auto apply of this step names it after the button.
  stepName_ = QStringLiteral("Step ") + Btn_Inc[button]->text();
  UpdateLiveState();
  stepName_.clear();
}

void TObjSet::StopStepping() {
  if (Tim_Inc) Tim_Inc->stop();
  repeat_.Release();
  stepButton_ = -1;
  if (Tim_Inc) Tim_Inc->setInterval(repeat_.Interval());
}

void TObjSet::Btn_Inc_ORGClick() {
  if (!rec_) return;
  const int type = Cmb_Inc_Type->currentIndex();
  if (!Prompts::Get().Confirm(this, Q(OriginQuestion(type)), QStringLiteral("Reset data"))) return;
  const int row = StepTargetFor(type, 0, 1).row;
  for (int c = 1; c <= 3; ++c) cells_[static_cast<size_t>(row)][static_cast<size_t>(c)] = OriginText(type);
  ShowGrid();
  UpdateLiveState();
}

void TObjSet::hideEvent(QHideEvent* e) {
  StopStepping();
  QDialog::hideEvent(e);
}
