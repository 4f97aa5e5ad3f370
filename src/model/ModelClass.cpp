#include "ModelClass.h"

#include "../geometry/Alloc.h"
#include "../geometry/DrawingBackend.h"

#include <algorithm>

ModelClass::ModelClass()
    : Transform(new ViewTransform)
{ }

ModelClass::~ModelClass()
{
    if (DisplayListBase != 0 && !Meshes.isEmpty())
        if (DrawingBackend *backend = drawingBackend())
            backend->deleteLists(DisplayListBase, 5 * qint32(Meshes.size()));
    qDeleteAll(Meshes);
    Meshes.clear();
    clearData();
    if (Parent)
        Parent->Children.removeAll(this);
    for (ModelClass *child : std::as_const(Children))
        child->Parent = nullptr;
    if (!TransformShared)
        delete Transform;
}

QString ModelClass::title() const
{
    if (!Name.isEmpty())
        return Name;
    if (!FileName.isEmpty())
        return FileName;
    return QString::number(quintptr(this), 16);
}

void ModelClass::setParent(ModelClass *parent)
{
    if (Parent)
        Parent->Children.removeAll(this);
    Parent = parent;
    if (Parent)
        Parent->Children.append(this);
}

int ModelClass::countDescendants() const
{
    int count = int(Children.size());
    for (const ModelClass *child : Children)
        count += child->countDescendants();
    return count;
}

float ModelClass::sceneRadius() const
{
    float radius = Radius;
    for (const ModelClass *child : Children)
        radius = std::max(radius,
                          child->sceneRadius() * child->Transform->Scale
                              + child->Transform->translationLength());
    return radius;
}

void ModelClass::setVisible(bool on)
{
    Visible = on;
    emit changeVisible();
}

void ModelClass::switchVisible()
{
    Visible = !Visible;
    emit changeVisible();
    emit changeVisible();
}

void ModelClass::setShowPoints(bool on)
{
    Settings.ShowPoints = on;
    for (MeshClass *mesh : std::as_const(Meshes))
        mesh->Settings.ShowPoints = on;
}

void ModelClass::setEdgesMode(int mode)
{
    Settings.EdgesMode = mode;
    for (MeshClass *mesh : std::as_const(Meshes))
        mesh->Settings.EdgesMode = mode;
}

void ModelClass::setColorMode(int mode)
{
    Settings.ColorMode = mode;
    for (MeshClass *mesh : std::as_const(Meshes))
        mesh->Settings.ColorMode = mode;
}

void ModelClass::setShowIsolines(bool on)
{
    Settings.ShowIsolines = on;
    for (MeshClass *mesh : std::as_const(Meshes))
        mesh->Settings.ShowIsolines = on;
}

void ModelClass::clearIsolines()
{
    for (MeshClass *mesh : std::as_const(Meshes)) {
        freeArray(mesh->IsoVertices);
        freeArray(mesh->IsoColors);
        mesh->CountOfIsoVertices = 0;
    }
}

void ModelClass::setColor(int r, int g, int b)
{
    const int rgb[3] = {r, g, b};
    std::copy_n(rgb, 3, ModelColor);
    for (MeshClass *mesh : std::as_const(Meshes)) {
        std::copy_n(rgb, 3, mesh->ZoneColor);
        for (int i = 0; i < 3; ++i)
            mesh->FrontColor[i] = mesh->BackColor[i] = float(rgb[i]) / 255.0f;
    }
}

void ModelClass::setSelectEnabled(bool on)
{
    SelectEnabled = on;
    for (MeshClass *mesh : std::as_const(Meshes))
        mesh->SelectEnabled = on;
}

void ModelClass::setTransparency(bool on, double opacity)
{
    if (opacity < 0)
        opacity = 0;
    if (!on || opacity > 1)
        opacity = 1.0;
    Settings.Opacity = opacity;
    Settings.Transparent = on;
    for (MeshClass *mesh : std::as_const(Meshes)) {
        mesh->Settings.Opacity = opacity;
        mesh->Settings.Transparent = on;
        for (Rgba *colour :
             {&mesh->FrontColor, &mesh->BackColor, &mesh->PlainColor, &mesh->CustomColor})
            (*colour)[3] = float(opacity);
    }
    if (Settings.ColorMode == 4 && !Meshes.isEmpty()) {
        NeedsRebuild = 1;
        prepareDraw();
    }
}

bool ModelClass::drawsBlock(const MeshClass *mesh) const
{
    return Meshes.size() == 1 || ShownZones.contains(mesh->ZoneNumber);
}

void ModelClass::updateMaterials()
{
    Materials.clear();
    for (const MeshClass *mesh : std::as_const(Meshes)) {
        if (!ShownZones.isEmpty() && Meshes.size() > 1 && !ShownZones.contains(mesh->ZoneNumber))
            continue;
        for (qint32 material : mesh->getMaterials())
            if (!Materials.contains(material))
                Materials.append(material);
    }
    std::sort(Materials.begin(), Materials.end());
}

void ModelClass::releaseRanges()
{
    freeArray(ModelFuncMin);
    freeArray(ModelFuncMax);
    freeArray(ModelCellFuncMin);
    freeArray(ModelCellFuncMax);
}

namespace {

// Widens [lo, hi] of every function index over the blocks that have it.
void modelRanges(const QList<MeshClass *> &meshes, qsizetype count, float *&lo, float *&hi,
                 float *MeshClass::*blockMin, float *MeshClass::*blockMax,
                 qint32 MeshClass::*blockCount)
{
    lo = allocZeroed<float>(count);
    hi = allocZeroed<float>(count);
    for (qsizetype f = 0; f < count; ++f) {
        bool first = true;
        for (const MeshClass *mesh : meshes) {
            if (f >= mesh->*blockCount || !(mesh->*blockMin) || !(mesh->*blockMax))
                continue;
            const float a = (mesh->*blockMin)[f], b = (mesh->*blockMax)[f];
            lo[f] = first ? a : std::min(lo[f], a);
            hi[f] = first ? b : std::max(hi[f], b);
            first = false;
        }
    }
}

} // namespace

void ModelClass::computeModelRanges()
{
    releaseRanges();
    modelRanges(Meshes, FunctionNames.size(), ModelFuncMin, ModelFuncMax, &MeshClass::FuncMin,
                &MeshClass::FuncMax, &MeshClass::CountOfFunctions);
    modelRanges(Meshes, CellFunctionNames.size(), ModelCellFuncMin, ModelCellFuncMax,
                &MeshClass::CellFuncMin, &MeshClass::CellFuncMax, &MeshClass::CountOfCellFunctions);
}

qint32 ModelClass::prepareData()
{
    ++DataVersion;
    return runGuarded("prepareData", [this] {
        Radius = 0;
        quint32 b = 0;
        for (MeshClass *mesh : std::as_const(Meshes)) {
            // Without a base the model has no lists yet: numbers from 0
            // would name lists of other models.
            mesh->DisplayLists = DisplayListBase ? DisplayListBase + 5 * b : 0;
            ++b;
            mesh->prepare();
            if (qint32 status = mesh->constructViewFaces({}))
                throw errors(status);
            Radius = std::max(Radius, mesh->ExtentSum);
        }
        for (int a = 0; a < 3; ++a) {
            BoxMin[a] = Meshes.isEmpty() ? 0.0f : Meshes.first()->BoxMin[a];
            BoxMax[a] = Meshes.isEmpty() ? 0.0f : Meshes.first()->BoxMax[a];
            for (const MeshClass *mesh : std::as_const(Meshes)) {
                BoxMin[a] = std::min(BoxMin[a], mesh->BoxMin[a]);
                BoxMax[a] = std::max(BoxMax[a], mesh->BoxMax[a]);
            }
            Center[a] = (BoxMin[a] + BoxMax[a]) * 0.5f;
        }
        computeModelRanges();
        for (int a = 0; a < 3; ++a)
            ClipPlane.Point[a] = Center[a];
        NeedsRebuild = 1;
    });
}

void ModelClass::prepareDraw()
{
    const bool edges = Settings.EdgesMode != 0;
    for (MeshClass *mesh : std::as_const(Meshes)) {
        if (!drawsBlock(mesh))
            continue;
        if (NeedsRebuild) {
            const bool hasFunctions = mesh->CountOfFunctions > 0 || mesh->CountOfCellFunctions > 0;
            if (hasFunctions && Settings.ColorMode == 5) {
                const bool cells = FunctionLocation == 2;
                const float *lo = cells ? ModelCellFuncMin : ModelFuncMin;
                const float *hi = cells ? ModelCellFuncMax : ModelFuncMax;
                const qsizetype names = cells ? CellFunctionNames.size() : FunctionNames.size();
                const bool valid = lo && hi && CurrentFunction >= 0 && CurrentFunction < names;
                mesh->constructDrawData(CurrentFunction, valid ? lo[CurrentFunction] : 0.0f,
                                        valid ? hi[CurrentFunction] : 0.0f, SmoothNormals,
                                        FunctionLocation, edges);
            } else {
                mesh->constructDrawData(0, 0.0f, 0.0f, SmoothNormals, 0, edges);
            }
        } else if (edges && mesh->CountOfEdgeLineVertices == 0) {
            // Edges switched on since the last rebuild: only their lines are missing.
            mesh->constructEdgeLines();
        }
        mesh->Settings = Settings;
        if (DrawingBackend *backend = drawingBackend()) {
            const bool all = UseAllVertices;
            backend->buildDisplayLists(
                *mesh, CurrentFunction, all ? mesh->Vertices : mesh->ViewPoints,
                all ? mesh->CountOfVertices : mesh->CountOfViewPoints, ColoredIsolines);
        }
    }
    NeedsRebuild = 0;
}

void ModelClass::resetPick()
{
    PickKind = PickBlock = PickIndex = -1;
    PickMode = PickTarget::None;
    RulerKind = RulerBlock = RulerIndex = -1;
    RulerMode = PickTarget::None;
}

void ModelClass::clearPick()
{
    resetPick();
    for (MeshClass *mesh : std::as_const(Meshes))
        mesh->clearSelection();
}

const MeshClass *ModelClass::pickedCell(qint32 &type, qint32 &cell) const
{
    if (PickBlock < 0 || PickBlock >= Meshes.size())
        return nullptr;
    const MeshClass *mesh = Meshes.at(PickBlock);
    if (!mesh->TriangleCells || PickIndex < 0 || PickIndex >= mesh->CountOfTriVertices / 3)
        return nullptr;
    type = mesh->TriangleCells[2 * PickIndex];
    cell = mesh->TriangleCells[2 * PickIndex + 1];
    if (type < 0 || type >= kTypeSlots || cell < 0 || cell >= mesh->CountOfCells[type])
        return nullptr;
    return mesh;
}

int ModelClass::pickedMaterial() const
{
    if (PickMode != PickTarget::Cell || PickKind != 1)
        return -1;
    qint32 type, cell;
    const MeshClass *mesh = pickedCell(type, cell);
    if (!mesh || !mesh->CellMaterials || !mesh->CellMaterials[type])
        return -1;
    return mesh->CellMaterials[type][cell];
}

void ModelClass::fillMaterialZeros()
{
    for (MeshClass *mesh : std::as_const(Meshes)) {
        if (mesh->CellMaterials)
            continue;
        runGuarded("fillMaterialZeros", [mesh] {
            qint32 **materials = allocZeroed<qint32 *>(kTypeSlots);
            for (int t = 0; t < kTypeSlots; ++t)
                if (mesh->CountOfCells[t] > 0)
                    materials[t] = allocZeroed<qint32>(mesh->CountOfCells[t]);
            mesh->CellMaterials = materials;
        });
    }
}

void ModelClass::findBorderEdges()
{
    for (MeshClass *mesh : std::as_const(Meshes)) {
        if (mesh->MarkedEdges) {
            freeArray(mesh->MarkedEdges);
            mesh->CountOfMarkedEdgeIndices = 0;
        } else {
            mesh->findBorderEdges(false, nullptr);
        }
    }
}

void ModelClass::findBorderMaterialEdges(qint32 material)
{
    for (MeshClass *mesh : std::as_const(Meshes))
        mesh->findBorderMaterialEdges(material);
}

QString ModelClass::describePick() const
{
    QString text;
    if (PickMode != PickTarget::Cell)
        return text;
    if (Meshes.size() > 1)
        text = tr("; Mesh #%1").arg(PickBlock);
    qint32 t, c;
    const MeshClass *mesh = pickedCell(t, c);
    if (!mesh)
        return text;
    if (t < Tetrahedron) {
        text += tr("; %1-gon").arg(t) + tr(" # %1").arg(c);
    } else if (t == Tetrahedron || t == Pyramid || t == Prism || t == Hexahedron) {
        const QString names[] = {tr("; Tetrahedron"), tr("; Pyramid"), tr("; Triangleprizm"),
                                 tr("; Hexahedron")};
        const int index = t == Tetrahedron ? 0 : t == Pyramid ? 1 : t == Prism ? 2 : 3;
        text += names[index] + tr(" # %1").arg(c);
    } else {
        text += tr("; pt=%1").arg(t) + tr(" pn=%1").arg(c);
    }
    if (mesh->CellMaterials && mesh->CellMaterials[t])
        text += tr("; Material # %1").arg(mesh->CellMaterials[t][c]);
    if (FunctionLocation == 2 && Settings.ColorMode == 5 && mesh->CellFuncs && mesh->CellFuncs[t]
        && CurrentFunction >= 0 && CurrentFunction < mesh->CountOfCellFunctions
        && CurrentFunction < CellFunctionNames.size()) {
        const _DREAL value =
            mesh->CellFuncs[t][qint64(c) * mesh->CountOfCellFunctions + CurrentFunction];
        text += tr("; %1 = %2")
                    .arg(CellFunctionNames.at(CurrentFunction), QString::number(value, 'g', 6));
    }
    return text;
}

void ModelClass::clearData()
{
    Name.clear();
    FileName.clear();
    releaseRanges();
    FunctionNames.clear();
    CellFunctionNames.clear();
    Materials.clear();
    ShownZones.clear();
    ShownMaterials.clear();
}

void ModelClass::copyAttributesTo(ModelClass &target) const
{
    target.Name = Name;
    target.SourceName = SourceName;
    target.FileName = FileName;
    target.Visible = Visible;
    target.Radius = sceneRadius();
    target.SelectEnabled = SelectEnabled;
    std::copy_n(ModelColor, 3, target.ModelColor);
    target.OwnColors = OwnColors;
    target.Settings = Settings;
    target.Orthographic = Orthographic;
    target.SwapEyes = SwapEyes;
    target.EyeDistance = EyeDistance;
    target.FieldOfView = FieldOfView;
    target.Aspect = Aspect;
    target.Near = Near;
    target.Far = Far;
    target.FocalDistance = FocalDistance;
    target.EyeSeparation = EyeSeparation;
    target.OrthoHalfWidth = OrthoHalfWidth;
    target.ViewRadius = ViewRadius;
    target.OrthoDepth = OrthoDepth;
    target.StereoA = StereoA;
    target.StereoB = StereoB;
    target.StereoC = StereoC;
    std::copy_n(Eyes, 2, target.Eyes);
    target.FunctionNames = FunctionNames;
    target.CellFunctionNames = CellFunctionNames;
    target.FunctionLocation = FunctionLocation;
    target.CurrentFunction = CurrentFunction;
    target.releaseRanges();
    target.ModelFuncMin = copyArray(ModelFuncMin, FunctionNames.size());
    target.ModelFuncMax = copyArray(ModelFuncMax, FunctionNames.size());
    target.ModelCellFuncMin = copyArray(ModelCellFuncMin, CellFunctionNames.size());
    target.ModelCellFuncMax = copyArray(ModelCellFuncMax, CellFunctionNames.size());
    std::copy_n(Center, 3, target.Center);
    std::copy_n(BoxMin, 3, target.BoxMin);
    std::copy_n(BoxMax, 3, target.BoxMax);
    target.AxisColor = AxisColor;
    target.PickColor = PickColor;
    target.PlaneColor = PlaneColor;
    std::copy_n(Viewport, 4, target.Viewport);
    std::copy_n(ProjectionMatrix, 16, target.ProjectionMatrix);
    std::copy_n(ModelViewMatrix, 16, target.ModelViewMatrix);
    target.UseAllVertices = UseAllVertices;
    target.SmoothNormals = SmoothNormals;
    target.ColoredIsolines = ColoredIsolines;
    for (ModelClass *child : std::as_const(target.Children))
        child->Parent = nullptr;
    target.Children.clear();
    target.ClipPlane = ClipPlane;
    if (!target.TransformShared)
        delete target.Transform;
    target.Transform = new ViewTransform(*Transform);
    target.TransformShared = 0;
}
