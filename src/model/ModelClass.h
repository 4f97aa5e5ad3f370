#pragma once

#include "../geometry/DrawSettings.h"
#include "../geometry/MeshClass.h"
#include "ClipPlane.h"
#include "ViewTransform.h"

#include <QList>
#include <QObject>
#include <QStringList>

// Whether the model's blocks are clipped in place by the cutting plane.
enum class PlaneClip : quint8 {
    None = 0,
    InPlace = 2,
};

// What a pick aimed at: a drawn vertex or a drawn triangle (a cell); None
// while nothing is picked.
enum class PickTarget : qint32 {
    None = -1,
    Point = 1,
    Cell = 2,
};

// A model's drawing switches: those it copies into each of its blocks, and
// the view's own (axes, box, stereo, cuts), which stay with the model.
struct ModelDrawSettings : DrawSettings
{
    quint8 ShowAxes = 0;
    quint8 ShowBox = 0;
    quint8 Stereo = 0;
    double CutMin = -1.0; // bounds of the last function-range cut, -1 while none
    double CutMax = -1.0;
    PlaneClip ClipState = PlaneClip::None;
    // How the plane clip keeps cells: any node on the kept side (include),
    // and which side is kept (invert: the one the normal points away from).
    quint8 ClipInclude = 0;
    quint8 ClipInvert = 0;
};

// What one loaded file becomes: a named node of the model tree that owns its
// blocks, the names and ranges of their functions, the material and zone
// lists, the drawing switches it pushes down to every block, its cutting
// plane, its camera record and the state of the last pick.
class ModelClass : public QObject
{
    Q_OBJECT

public:
    ModelClass();
    ~ModelClass() override;

    QString title() const;
    // Moves this model below a new parent (QObject's own parent is unused).
    void setParent(ModelClass *parent);
    int countDescendants() const;
    float sceneRadius() const;

    void setShowPoints(bool on);
    void setEdgesMode(int mode);
    void setColorMode(int mode);
    void setShowIsolines(bool on);
    void clearIsolines();
    // Isolines of every block (model/Isolines.cpp): the banded lines of a
    // palette of `bands` colours, or the one line at a normalised level (it
    // returns the blocks that got new lines).
    void generateIsolines(qint32 bands, qint32 period, float alpha, float value);
    QList<const MeshClass *> generateIsoline(double level);
    void setColor(int r, int g, int b);
    void setSelectEnabled(bool on);
    void setTransparency(bool on, double opacity);
    void updateMaterials();
    qint32 prepareData();
    void prepareDraw();
    void clearPick();
    // The pick and ruler fields back to -1; the cell selection stays.
    void resetPick();
    // Takes the nearest hit of a pick (ModelPick.cpp). `name` numbers the
    // primitives from 1 over all blocks in order (the drawn points or the
    // drawn triangles); 0 means nothing was hit. A point pick
    // with `ruler` keeps the previous picked vertex as the ruler's first
    // point. A cell pick in a block with SelectEnabled selects the cell, or
    // deselects it with `deselect`, and returns that block.
    MeshClass *applyPick(PickTarget mode, quint32 name, bool ruler, bool deselect);
    // Number of primitives a pick names in one block.
    static qint32 pickPrimitives(const MeshClass &mesh, PickTarget mode);
    int pickedMaterial() const;
    void fillMaterialZeros();
    void findBorderEdges();
    void findBorderMaterialEdges(qint32 material);
    QString describePick() const;
    void clearData();
    void copyAttributesTo(ModelClass &target) const;

    // Loading (formats/LoadPipeline.cpp): admits ".surf" and ".hx" names,
    // reads the file into a new block and returns a result code of `errors`.
    qint32 loadFile(const QString &fileName);
    qint32 readFile(const QString &fileName);

    // The picked block and its triangle's (type, cell), when a cell pick
    // names an existing triangle of an existing block.
    const MeshClass *pickedCell(qint32 &type, qint32 &cell) const;

    QString Name;
    // The name an import gave the model among the others of its file (a
    // label's, a segment's); a session finds the model by it after a rename.
    QString SourceName;
    QString FileName;
    quint8 Visible = 1;
    float Radius = 0; // largest ExtentSum of the blocks
    quint8 SelectEnabled = 0;
    qint32 ModelColor[3] = {-1, -1, -1};
    ModelDrawSettings Settings;

    // Stereo and projection, owned by the view.
    quint8 Orthographic = 1;
    quint8 SwapEyes = 0;
    double EyeDistance = -10.0;
    double FieldOfView = 50.0; // degrees
    double Aspect = 1.0;
    double Near = 0.1;
    double Far = 500.0;
    double FocalDistance = 15.0;
    double EyeSeparation = 0.5;
    double OrthoHalfWidth = 0;
    double ViewRadius = 0;
    double OrthoDepth = 1.0;
    double StereoA = 1.0, StereoB = 1.0, StereoC = 1.0;
    struct Eye
    {
        double left = 0, right = 0, bottom = 0, top = 0, shift = 0;
    } Eyes[2];

    // State of the last pick, -1 while nothing is picked.
    qint32 PickKind = -1;  // 0 the pick found nothing, 1 it hit a block
    qint32 PickBlock = -1; // index in Meshes
    qint32 PickIndex = -1; // vertex number (point pick) or triangle number (cell pick)
    PickTarget PickMode = PickTarget::None;
    // The ruler's first point: a picked vertex, kept by the next vertex pick.
    qint32 RulerKind = -1, RulerBlock = -1, RulerIndex = -1;
    PickTarget RulerMode = PickTarget::None;

    QStringList FunctionNames;
    QStringList CellFunctionNames;
    qint32 FunctionLocation = 0; // 1 vertex function, 2 cell function
    qint32 CurrentFunction = 0;
    float *ModelFuncMin = nullptr;
    float *ModelFuncMax = nullptr;
    float *ModelCellFuncMin = nullptr;
    float *ModelCellFuncMax = nullptr;

    float Center[3] = {0, 0, 0}; // centre of the model box
    float BoxMin[3] = {0, 0, 0};
    float BoxMax[3] = {0, 0, 0};
    quint32 DisplayListBase = 0; // block b draws lists DisplayListBase + 5b ..

    // View data: drawing colours and what the last draw read back from OpenGL.
    Rgba AxisColor {1, 1, 1, 1};
    Rgba PickColor {1, 1, 1, 1};
    Rgba PlaneColor {1, 1, 1, 1};
    qint32 Viewport[4] = {0, 0, 0, 0};
    double ProjectionMatrix[16] = {};
    double ModelViewMatrix[16] = {};
    quint8 TransformShared = 0; // Transform belongs to another model

    ModelClass *Parent = nullptr;
    QList<ModelClass *> Children;
    QList<MeshClass *> Meshes;
    ::ClipPlane ClipPlane;
    QList<qint32> Materials;  // sorted materials of the shown zones
    QList<qint32> ShownZones; // zone numbers whose blocks are drawn
    QList<qint32> ShownMaterials;
    ViewTransform *Transform;

    // Counts the runs of prepareData, which follows every change of the
    // blocks: a result derived from them (a measured gap) is stale once it moved.
    quint64 DataVersion = 0;

    quint8 NeedsRebuild = 1;
    quint8 UseAllVertices = 0;
    quint8 SmoothNormals = 0;
    quint8 ColoredIsolines = 1;
    // The model's colours came with its file (an imported model's, named and
    // coloured like a .surf one): the view's face colours do not replace them.
    quint8 OwnColors = 0;

public slots:
    void setVisible(bool on);
    void switchVisible();

signals:
    void changeVisible();

private:
    bool drawsBlock(const MeshClass *mesh) const;
    void releaseRanges();
    void computeModelRanges();
};
