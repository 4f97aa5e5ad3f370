#pragma once

#include "BasicClass.h"
#include "CellTypes.h"

#include <QList>

#include <memory>
#include <vector>

struct DrawColouring;
struct ReducedFaces;

// The side of a block's faces that can be seen from outside it.
enum class OuterSide : quint8 {
    Both,  // open faces, or closed ones facing both ways: either side may show
    Front, // closed faces enclosing their volume facing out: back faces never show
    Back,  // closed faces facing in: front faces never show
};

// A block of cells of mixed types (polygons and polyhedra) grouped by type
// slot. The drawing-data builders are defined with the model's drawing code.
class MeshClass : public BasicClass
{
public:
    MeshClass();
    ~MeshClass() override;

    void init() override;
    void clear() override;

    // Full deep copy: copyTo of the base, then every per-type array, the
    // visibility and selection flags, TriangleCells and the face records.
    void copyMeshTo(MeshClass &target) const;

    qint32 computeCellsFuncs();
    // True when the block is bad: a vertex number outside 0..CountOfVertices-1,
    // a negative material, or a cell count without its node array. A type
    // without a material array is not bad: its cells count as material 0.
    bool checkIndices() const;
    qint32 prepare();
    QList<qint32> getMaterials() const;

    // Drawing data (model/MeshDrawData.cpp).
    qint32 constructViewFaces(const QList<qint32> &shownMaterials);
    qint32 constructSelectedFaces();
    qint32 buildSelectionData();
    // With edges false the edge lines are released and not built: a block
    // whose edges are not drawn is spared the largest array and the sort.
    qint32 constructDrawData(int function, float min, float max, bool smooth, int location,
                             bool edges = true);
    // The edge lines of the visible faces alone (the model builds them when
    // edges are switched on without a rebuild).
    qint32 constructEdgeLines();
    // Number of distinct edges of the visible faces, whether or not the edge
    // lines are built.
    qint64 countViewEdges() const;
    // The reduced form of the drawn triangles with about `budget` triangles
    // (model/ReducedFaces.cpp); built on first use, kept until the triangles
    // are rebuilt. A block of at most `budget` triangles is drawn whole.
    const ReducedFaces &reducedFaces(qint64 budget);
    // Which side of the visible faces can be seen from outside the block
    // (model/OuterSide.cpp); constructDrawData keeps it in Outer.
    OuterSide findOuterSide() const;
    qint32 findBorderEdges(bool countOnly, qint32 *vertexCount);
    qint32 findBorderMaterialEdges(qint32 material);

    // The material of a cell; 0 when its type has none.
    qint32 materialOf(int type, qint32 cell) const
    {
        return CellMaterials && CellMaterials[type] ? CellMaterials[type][cell] : 0;
    }

    // Number of cells over all type slots.
    qint64 totalCells() const;
    // Releases the selection flags and the selection drawing data.
    void clearSelection();
    // Selection flags for every filled type slot, nothing selected; kept
    // when they exist (MeshSelection.cpp, as the three below).
    void allocCellSelected();
    // Sets one cell's selection flag, creating the flags on first use.
    void setCellSelected(int type, qint32 cell, bool on);
    // Marks in VertexInBox the vertices inside the box of 8 corners (x, y, z
    // each): the near quadrangle 0-3 and the far one 4-7, with corner i + 4
    // behind corner i. Returns the number of vertices inside; a box without
    // volume holds none.
    qint32 markInsideBox(const double corners[24]);
    // Selects the cells with marked vertices (any of them, or all of them
    // with allPoints; only visible cells with visibleOnly), or deselects them
    // with deselect; then frees the vertex marks. Returns a status code.
    qint32 selectMarkedCells(bool allPoints, bool visibleOnly, bool deselect);
    // Releases the per-cell visibility flags (all cells shown).
    void clearCellVisible();
    // Allocates per-cell visibility flags for every filled slot, all shown.
    void allocCellVisible();

    qint32 CountOfCells[kTypeSlots];
    qint32 *Cells[kTypeSlots];
    _DREAL **CellFuncs;     // per type: cells x CountOfCellFunctions values
    qint32 **CellMaterials; // per type: one material per cell
    quint8 TypeVisible[kTypeSlots];
    quint8 **CellVisible;  // per type: one byte per cell, 0 hides the cell
    quint8 **CellSelected; // per type: one byte per cell, 1 selects it
    quint8 *VertexInBox;   // one byte per vertex, inside the selection box
    qint32 *TriangleCells; // (CellType, cell number) per drawn triangle

    // Visible faces per node count k: records of k vertices, material, type, cell.
    qint32 CountOfViewFaces[kFaceSlots];
    qint32 *ViewFaces[kFaceSlots];
    // Faces of the selected volume cells per node count: k vertices each.
    qint32 CountOfSelectedFaces[kFaceSlots];
    qint32 *SelectedFaces[kFaceSlots];
    // Shared rather than unique: its type is complete only where it is built
    // (model/ReducedFaces.cpp), and a shared pointer releases it anywhere.
    std::shared_ptr<ReducedFaces> Reduced;
    OuterSide Outer = OuterSide::Both;

private:
    void initMesh();
    void releaseMesh();
    void releaseViewFaces();
    void releaseSelectedFaces();
    // Parts of constructDrawData.
    void releaseTriangles();
    void buildTriangles(const DrawColouring &how, bool smooth);
    void buildCornerTriangles(const DrawColouring &how, bool smooth, qint64 triangles);
    void buildSharedCorners(const DrawColouring &how, qint64 triangles);
    void buildEdgeLines();
    std::vector<quint64> viewEdgeKeys() const;
    void buildViewPoints();
};
