#include "MeshClass.h"

#include "Alloc.h"

#include <algorithm>
#include <unordered_set>

namespace {

template<class T> void freeSlots(T **&perType)
{
    if (!perType)
        return;
    for (int t = 0; t < kTypeSlots; ++t)
        std::free(perType[t]);
    freeArray(perType);
}

// Fresh copy of a per-type array set, each slot holding count[t] * width entries.
template<class T>
T **copySlots(T *const *perType, const qint32 *counts, qint64 widthFactor, bool nodeWidth)
{
    if (!perType)
        return nullptr;
    T **copy = allocZeroed<T *>(kTypeSlots);
    for (int t = 0; t < kTypeSlots; ++t) {
        const qint64 width = nodeWidth ? NodesOfType(t) : widthFactor;
        copy[t] = copyArray(perType[t], qint64(counts[t]) * width);
    }
    return copy;
}

} // namespace

MeshClass::MeshClass()
{
    initMesh();
}

MeshClass::~MeshClass()
{
    MeshClass::clear();
}

void MeshClass::init()
{
    BasicClass::init();
    initMesh();
}

void MeshClass::initMesh()
{
    std::fill(std::begin(CountOfCells), std::end(CountOfCells), 0);
    std::fill(std::begin(Cells), std::end(Cells), nullptr);
    CellFuncs = nullptr;
    CellMaterials = nullptr;
    std::fill(std::begin(TypeVisible), std::end(TypeVisible), quint8(1));
    CellVisible = nullptr;
    CellSelected = nullptr;
    VertexInBox = nullptr;
    TriangleCells = nullptr;
    Outer = OuterSide::Both;
    std::fill(std::begin(CountOfViewFaces), std::end(CountOfViewFaces), 0);
    std::fill(std::begin(ViewFaces), std::end(ViewFaces), nullptr);
    std::fill(std::begin(CountOfSelectedFaces), std::end(CountOfSelectedFaces), 0);
    std::fill(std::begin(SelectedFaces), std::end(SelectedFaces), nullptr);
}

void MeshClass::clear()
{
    releaseBasic();
    releaseMesh();
    init();
}

void MeshClass::releaseMesh()
{
    Reduced.reset();
    for (int t = 0; t < kTypeSlots; ++t)
        freeArray(Cells[t]);
    freeSlots(CellMaterials);
    freeSlots(CellFuncs);
    freeSlots(CellVisible);
    freeSlots(CellSelected);
    freeArray(VertexInBox);
    freeArray(MarkedEdges);
    CountOfMarkedEdgeIndices = 0;
    releaseViewFaces();
    releaseSelectedFaces();
    freeArray(TriangleCells);
}

void MeshClass::releaseViewFaces()
{
    for (int k = 0; k < kFaceSlots; ++k) {
        freeArray(ViewFaces[k]);
        CountOfViewFaces[k] = 0;
    }
}

void MeshClass::releaseSelectedFaces()
{
    for (int k = 0; k < kFaceSlots; ++k) {
        freeArray(SelectedFaces[k]);
        CountOfSelectedFaces[k] = 0;
    }
}

void MeshClass::copyMeshTo(MeshClass &target) const
{
    copyTo(target);
    std::copy(std::begin(CountOfCells), std::end(CountOfCells), target.CountOfCells);
    for (int t = 0; t < kTypeSlots; ++t)
        target.Cells[t] = copyArray(Cells[t], qint64(CountOfCells[t]) * NodesOfType(t));
    target.CellMaterials = copySlots(CellMaterials, CountOfCells, 1, false);
    target.CellFuncs = copySlots(CellFuncs, CountOfCells, CountOfCellFunctions, false);
    std::copy(std::begin(TypeVisible), std::end(TypeVisible), target.TypeVisible);
    target.CellVisible = copySlots(CellVisible, CountOfCells, 1, false);
    target.CellSelected = copySlots(CellSelected, CountOfCells, 1, false);
    target.VertexInBox = copyArray(VertexInBox, CountOfVertices);
    target.TriangleCells = copyArray(TriangleCells, 2 * qint64(CountOfTriVertices / 3));
    target.Outer = Outer;
    for (int k = 0; k < kFaceSlots; ++k) {
        target.CountOfViewFaces[k] = CountOfViewFaces[k];
        target.ViewFaces[k] = copyArray(ViewFaces[k], qint64(CountOfViewFaces[k]) * (k + 3));
    }
}

qint64 MeshClass::totalCells() const
{
    qint64 total = 0;
    for (int t = 0; t < kTypeSlots; ++t)
        total += CountOfCells[t];
    return total;
}

qint32 MeshClass::computeCellsFuncs()
{
    if (!CellFuncs)
        return errNone;
    return runGuarded("computeCellsFuncs", [this] {
        freeArray(CellFuncMin);
        freeArray(CellFuncMax);
        CellFuncMin = allocZeroed<float>(CountOfCellFunctions);
        CellFuncMax = allocZeroed<float>(CountOfCellFunctions);
        const qint32 width = CountOfCellFunctions;
        for (qint32 f = 0; f < width; ++f) {
            bool first = true;
            _DREAL lo = 0, hi = 0;
            for (int t = 0; t < kTypeSlots; ++t) {
                const _DREAL *values = CellFuncs[t];
                if (!values)
                    continue;
                for (qint32 c = 0; c < CountOfCells[t]; ++c) {
                    const _DREAL v = values[qint64(c) * width + f];
                    if (first) {
                        lo = hi = v;
                        first = false;
                    }
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                }
            }
            CellFuncMin[f] = float(lo);
            CellFuncMax[f] = float(hi);
        }
    });
}

bool MeshClass::checkIndices() const
{
    if (CountOfVertices < 0 || (CountOfVertices > 0 && !Vertices))
        return true;
    for (int t = 0; t < kTypeSlots; ++t) {
        const qint32 count = CountOfCells[t];
        if (count == 0)
            continue;
        if (count < 0 || !Cells[t])
            return true;
        const qint64 n = qint64(count) * NodesOfType(t);
        const qint32 *nodes = Cells[t];
        for (qint64 i = 0; i < n; ++i)
            if (nodes[i] < 0 || nodes[i] >= CountOfVertices)
                return true;
        if (const qint32 *materials = CellMaterials ? CellMaterials[t] : nullptr) {
            for (qint32 c = 0; c < count; ++c)
                if (materials[c] < 0)
                    return true;
        }
    }
    return false;
}

qint32 MeshClass::prepare()
{
    if (checkIndices())
        return errUnknown;
    if (qint32 status = computeSize())
        return status;
    return computeCellsFuncs();
}

QList<qint32> MeshClass::getMaterials() const
{
    QList<qint32> materials;
    if (!CellMaterials)
        return materials;
    std::unordered_set<qint32> seen;
    for (int t = 0; t < kTypeSlots; ++t) {
        const qint32 *values = CellMaterials[t];
        if (!values)
            continue;
        const quint8 *visible = CellVisible ? CellVisible[t] : nullptr;
        for (qint32 c = 0; c < CountOfCells[t]; ++c) {
            if (visible && !visible[c])
                continue;
            if (seen.insert(values[c]).second)
                materials.append(values[c]);
        }
    }
    return materials;
}

void MeshClass::clearSelection()
{
    freeSlots(CellSelected);
    releaseSelectedFaces();
    freeArray(SelTriVertices);
    freeArray(SelTriNormals);
    CountOfSelTriVertices = 0;
}

void MeshClass::clearCellVisible()
{
    freeSlots(CellVisible);
}

void MeshClass::allocCellVisible()
{
    freeSlots(CellVisible);
    CellVisible = allocZeroed<quint8 *>(kTypeSlots);
    for (int t = 0; t < kTypeSlots; ++t)
        if (CountOfCells[t] > 0) {
            CellVisible[t] = allocArray<quint8>(CountOfCells[t]);
            std::fill_n(CellVisible[t], CountOfCells[t], quint8(1));
        }
}
