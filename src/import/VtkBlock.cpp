// A legacy VTK dataset as a block: the file's cell types become our type
// slots, its point and cell arrays functions and materials.

#include "ImportTypes.h"
#include "ImportedModel.h"
#include "VtkData.h"
#include "geometry/Alloc.h"
#include "model/ModelClass.h"

#include <array>

namespace {

// Corner order of VTK's pixel and voxel, which number their corners row by
// row, in the order of a quadrangle and a hexahedron.
constexpr int kPixelOrder[4] = {0, 1, 3, 2};
constexpr int kVoxelOrder[8] = {0, 1, 3, 2, 4, 5, 7, 6};

// The points each fixed-size VTK cell type has, and the slot of its corners.
struct FixedType
{
    int vtk, points, slot;
};
constexpr FixedType kFixedTypes[] = {
    {1, 1, 1},
    {3, 2, 2},
    {5, 3, Triangle},
    {8, 4, Quadrangle},
    {9, 4, Quadrangle},
    {10, 4, Tetrahedron},
    {11, 8, Hexahedron},
    {12, 8, Hexahedron},
    {13, 6, Prism},
    {14, 5, Pyramid},
    {21, 3, 2},
    {22, 6, Triangle},
    {23, 8, Quadrangle},
    {24, 10, Tetrahedron},
    {25, 20, Hexahedron},
    {26, 15, Prism},
    {27, 13, Pyramid},
};

class BlockBuilder
{
public:
    explicit BlockBuilder(const VtkData &data)
        : data(data)
    { }

    std::unique_ptr<MeshClass> build(QStringList &functionNames, QStringList &cellFunctionNames)
    {
        for (qint64 c = 0; c < data.cells.count(); ++c)
            convert(c);
        if (leftOut > 0)
            warnImport(Import::tr("%1 cells of a type that is not read (the first of type %2) were "
                                  "left out.")
                           .arg(leftOut)
                           .arg(firstLeftOut));
        auto mesh = std::make_unique<MeshClass>();
        mesh->Vertices = copyArray(data.points.data(), qint64(data.points.size()));
        mesh->CountOfVertices = qint32(data.pointCount());
        requireFiniteVertices(*mesh);
        for (int t = 0; t < kTypeSlots; ++t) {
            if (nodes[size_t(t)].empty())
                continue;
            if (source[size_t(t)].size() > size_t(std::numeric_limits<qint32>::max()))
                failImport(Import::tr("The VTK file has more cells than a model holds."));
            mesh->Cells[t] = copyArray(nodes[size_t(t)].data(), qint64(nodes[size_t(t)].size()));
            mesh->CountOfCells[t] = qint32(source[size_t(t)].size());
        }
        for (const VtkData::Array &array : data.arrays)
            array.perCell ? addCellArray(array, *mesh, cellFunctionNames)
                          : addPointArray(array, *mesh, functionNames);
        return mesh;
    }

private:
    void add(int slot, std::initializer_list<qint64> ids, qint64 cell)
    {
        for (qint64 id : ids)
            nodes[size_t(slot)].push_back(qint32(id));
        source[size_t(slot)].push_back(cell);
    }

    void addPolygon(const qint64 *p, qint64 n, qint64 cell)
    {
        if (n <= MaxPolygon) {
            nodes[size_t(n)].insert(nodes[size_t(n)].end(), p, p + n);
            source[size_t(n)].push_back(cell);
            return;
        }
        for (qint64 i = 1; i + 1 < n; ++i) // larger than a slot: a fan of triangles
            add(Triangle, {p[0], p[i], p[i + 1]}, cell);
    }

    void addStrip(const qint64 *p, qint64 n, qint64 cell)
    {
        for (qint64 i = 0; i + 2 < n; ++i) {
            if (p[i] == p[i + 1] || p[i + 1] == p[i + 2] || p[i] == p[i + 2])
                continue; // the joins of a strip restarted by repeated points
            if (i % 2 == 0)
                add(Triangle, {p[i], p[i + 1], p[i + 2]}, cell);
            else
                add(Triangle, {p[i + 1], p[i], p[i + 2]}, cell);
        }
    }

    void convert(qint64 c)
    {
        const qint64 *p = data.cells.ids.data() + data.cells.offsets[size_t(c)];
        const qint64 n = data.cells.offsets[size_t(c + 1)] - data.cells.offsets[size_t(c)];
        const qint64 type = data.cells.types[size_t(c)];
        for (qint64 i = 0; i < n; ++i)
            if (p[i] < 0 || p[i] >= data.pointCount())
                failImport(Import::tr("Cell %1 names point %2; the file has %3 points.")
                               .arg(c)
                               .arg(p[i])
                               .arg(data.pointCount()));
        switch (type) {
        case 2: // poly-vertex
            for (qint64 i = 0; i < n; ++i)
                add(1, {p[i]}, c);
            return;
        case 4: // poly-line
            for (qint64 i = 0; i + 1 < n; ++i)
                add(2, {p[i], p[i + 1]}, c);
            return;
        case 6:
            return addStrip(p, n, c);
        case 7:
            return n >= 3 ? addPolygon(p, n, c) : void();
        default:
            break;
        }
        for (const FixedType &f : kFixedTypes) {
            if (f.vtk != type)
                continue;
            if (n != f.points)
                failImport(Import::tr("Cell %1 of VTK type %2 has %3 points; the type has %4.")
                               .arg(c)
                               .arg(type)
                               .arg(n)
                               .arg(f.points));
            const int corners = NodesOfType(f.slot);
            for (int k = 0; k < corners; ++k)
                nodes[size_t(f.slot)].push_back(qint32(p[type == 8        ? kPixelOrder[k]
                                                             : type == 11 ? kVoxelOrder[k]
                                                                          : k]));
            source[size_t(f.slot)].push_back(c);
            return;
        }
        // Any other type (a polyhedron, a higher-order cell) is left out.
        if (leftOut++ == 0)
            firstLeftOut = type;
    }

    static QString componentName(const VtkData::Array &array, int c)
    {
        return array.components == 1 ? array.name : QStringLiteral("%1[%2]").arg(array.name).arg(c);
    }

    void addPointArray(const VtkData::Array &array, MeshClass &mesh, QStringList &names)
    {
        const qint64 points = data.pointCount();
        if (qint64(array.values.size()) != points * array.components)
            failImport(Import::tr("The VTK point data %1 has %2 values for %3 points.")
                           .arg(array.name)
                           .arg(array.values.size() / size_t(array.components))
                           .arg(points));
        const int first = mesh.CountOfFunctions;
        resizeArray(mesh.Functions, first + array.components);
        for (int c = 0; c < array.components; ++c) {
            mesh.Functions[first + c] = nullptr;
            mesh.CountOfFunctions = first + c + 1;
            mesh.Functions[first + c] = allocArray<_DREAL>(points);
            for (qint64 v = 0; v < points; ++v)
                mesh.Functions[first + c][v] = array.values[size_t(v * array.components + c)];
            names << componentName(array, c);
        }
    }

    bool isMaterial(const VtkData::Array &array) const
    {
        if (array.components != 1 || !array.integral
            || array.name.compare("material", Qt::CaseInsensitive) != 0)
            return false;
        return std::all_of(array.values.begin(), array.values.end(),
                           [](double v) { return v >= 0 && v <= 2147483647.0; });
    }

    void addCellArray(const VtkData::Array &array, MeshClass &mesh, QStringList &names)
    {
        const qint64 cells = data.cells.count();
        if (qint64(array.values.size()) != cells * array.components)
            failImport(Import::tr("The VTK cell data %1 has %2 values for %3 cells.")
                           .arg(array.name)
                           .arg(array.values.size() / size_t(array.components))
                           .arg(cells));
        if (isMaterial(array) && !mesh.CellMaterials) {
            mesh.CellMaterials = allocZeroed<qint32 *>(kTypeSlots);
            for (int t = 0; t < kTypeSlots; ++t) {
                const std::vector<qint64> &from = source[size_t(t)];
                if (from.empty())
                    continue;
                mesh.CellMaterials[t] = allocArray<qint32>(qint64(from.size()));
                for (size_t i = 0; i < from.size(); ++i)
                    mesh.CellMaterials[t][i] = qint32(array.values[size_t(from[i])]);
            }
            return;
        }
        addCellFunctions(array, mesh, names);
    }

    // Cell functions are stored cell after cell, all functions of a cell
    // together, so adding some widens every slot's array.
    void addCellFunctions(const VtkData::Array &array, MeshClass &mesh, QStringList &names)
    {
        const int before = mesh.CountOfCellFunctions, width = before + array.components;
        if (!mesh.CellFuncs)
            mesh.CellFuncs = allocZeroed<_DREAL *>(kTypeSlots);
        for (int t = 0; t < kTypeSlots; ++t) {
            const std::vector<qint64> &from = source[size_t(t)];
            if (from.empty())
                continue;
            _DREAL *values = allocArray<_DREAL>(qint64(from.size()) * width);
            for (size_t i = 0; i < from.size(); ++i) {
                for (int f = 0; f < before; ++f)
                    values[i * size_t(width) + size_t(f)] =
                        mesh.CellFuncs[t][i * size_t(before) + size_t(f)];
                for (int c = 0; c < array.components; ++c)
                    values[i * size_t(width) + size_t(before + c)] =
                        array.values[size_t(from[i] * array.components + c)];
            }
            std::free(mesh.CellFuncs[t]);
            mesh.CellFuncs[t] = values;
        }
        mesh.CountOfCellFunctions = width;
        for (int c = 0; c < array.components; ++c)
            names << componentName(array, c);
    }

    const VtkData &data;
    qint64 leftOut = 0; // cells of types not read
    qint64 firstLeftOut = 0;
    std::array<std::vector<qint32>, kTypeSlots> nodes;
    std::array<std::vector<qint64>, kTypeSlots> source; // the file's cell of every block cell
};

} // namespace

void addVtkBlock(const VtkData &data, ModelClass &model)
{
    if (data.pointCount() > std::numeric_limits<qint32>::max())
        failImport(Import::tr("The VTK file has more points than a model holds."));
    // The model gets the names only with the finished block, so a failure
    // leaves it as it was.
    QStringList functions, cellFunctions;
    std::unique_ptr<MeshClass> mesh = BlockBuilder(data).build(functions, cellFunctions);
    model.FunctionNames << functions;
    model.CellFunctionNames << cellFunctions;
    model.Meshes.append(mesh.release());
}
