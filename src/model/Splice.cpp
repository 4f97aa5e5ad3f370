// Splicing: vertices of a block that agree in their leading significant
// digits become one vertex.

#include "Topology.h"
#include "TopologyFrame.h"

#include <QHash>

#include <utility>
#include <vector>

using namespace topology;

namespace {

// Beyond 16 digits after the point of the scientific notation, 17
// significant digits tell every pair of distinct doubles apart: more digits
// compare nothing more, only build longer keys.
constexpr int kMaxSpliceDigits = 16;

// The number of times eps must be multiplied by 10 to reach at least 1.
int spliceDigits(double eps)
{
    int d = 0;
    while (eps < 1 && d < kMaxSpliceDigits) {
        eps *= 10;
        ++d;
    }
    return d;
}

// x, y and z in scientific notation with d digits after the point. Negative
// zero is written as zero, so that it meets its positive twin; the
// separators keep one coordinate's exponent from running into the next.
QString vertexKey(const _DREAL *p, int d)
{
    QString key;
    for (int a = 0; a < 3; ++a) {
        if (a)
            key += QLatin1Char(';');
        key += QString::number(p[a] + 0.0, 'e', d);
    }
    return key;
}

// Per vertex the number it gets: the new number of the first vertex with
// its key. `kept` receives the old numbers of the vertices that stay.
std::vector<qint32> mergeByKey(const MeshClass &block, int d, std::vector<qint32> &kept)
{
    std::vector<qint32> number(size_t(block.CountOfVertices));
    QHash<QString, qint32> first;
    first.reserve(block.CountOfVertices);
    for (qint32 v = 0; v < block.CountOfVertices; ++v) {
        const QString key = vertexKey(block.Vertices + 3 * qint64(v), d);
        const auto it = first.constFind(key);
        if (it != first.constEnd()) {
            number[size_t(v)] = it.value();
        } else {
            number[size_t(v)] = qint32(kept.size());
            first.insert(key, qint32(kept.size()));
            kept.push_back(v);
        }
    }
    return number;
}

// A per-vertex array of `width` values compacted to the kept vertices.
template<class T> T *compacted(const T *values, qint64 width, const std::vector<qint32> &kept)
{
    if (!values)
        return nullptr;
    T *out = allocArray<T>(qint64(kept.size()) * width);
    for (size_t i = 0; i < kept.size(); ++i)
        std::copy_n(values + kept[i] * width, width, out + qint64(i) * width);
    return out;
}

// The compacted per-vertex arrays while they are made; released unless
// handed to the block.
struct CompactedArrays
{
    _DREAL *vertices = nullptr;
    std::vector<_DREAL *> functions;
    float *vertexData = nullptr;
    quint8 *inBox = nullptr;

    CompactedArrays() = default;
    CompactedArrays(const CompactedArrays &) = delete;
    CompactedArrays &operator=(const CompactedArrays &) = delete;
    ~CompactedArrays()
    {
        std::free(vertices);
        for (_DREAL *values : functions)
            std::free(values);
        std::free(vertexData);
        std::free(inBox);
    }
};

// Compacts every per-vertex array and renumbers the cells and the marked
// edges. The new arrays are all made before the first old one is released,
// so a block that runs out of memory stays as it was.
void compactBlock(MeshClass &block, const std::vector<qint32> &number,
                  const std::vector<qint32> &kept)
{
    CompactedArrays fresh;
    fresh.vertices = compacted(block.Vertices, 3, kept);
    fresh.functions.assign(size_t(block.Functions ? block.CountOfFunctions : 0), nullptr);
    for (size_t f = 0; f < fresh.functions.size(); ++f)
        fresh.functions[f] = compacted(block.Functions[f], 1, kept);
    fresh.vertexData = compacted(block.VertexData, block.VertexDataWidth, kept);
    fresh.inBox = compacted(block.VertexInBox, 1, kept);
    // The old arrays move into `fresh` and are released with it.
    std::swap(fresh.vertices, block.Vertices);
    for (size_t f = 0; f < fresh.functions.size(); ++f)
        std::swap(fresh.functions[f], block.Functions[f]);
    std::swap(fresh.vertexData, block.VertexData);
    std::swap(fresh.inBox, block.VertexInBox);
    block.CountOfVertices = qint32(kept.size());
    for (int t = 0; t < kTypeSlots; ++t)
        if (qint32 *nodes = block.Cells[t])
            for (qint64 i = 0, n = qint64(block.CountOfCells[t]) * NodesOfType(t); i < n; ++i)
                nodes[i] = number[size_t(nodes[i])];
    for (qint32 i = 0; i < block.CountOfMarkedEdgeIndices; ++i)
        block.MarkedEdges[i] = number[size_t(block.MarkedEdges[i])];
}

void spliceBlock(MeshClass &block, int d)
{
    // A block whose cells name vertices it does not have is left as it is.
    requireSound(block);
    for (qint32 i = 0; i < block.CountOfMarkedEdgeIndices; ++i)
        if (block.MarkedEdges[i] < 0 || block.MarkedEdges[i] >= block.CountOfVertices)
            throw errUnknown;
    std::vector<qint32> kept;
    const std::vector<qint32> number = mergeByKey(block, d, kept);
    if (qint64(kept.size()) != block.CountOfVertices)
        compactBlock(block, number, kept);
}

} // namespace

qint32 splice(ModelClass &model, double eps)
{
    if (!(eps > 0))
        return errUnknown;
    const int d = spliceDigits(eps);
    if (!model.Meshes.isEmpty())
        qCDebug(lcTrace) << "before splice: Mesh_one->CountOfVertices ="
                         << model.Meshes.first()->CountOfVertices;
    for (MeshClass *mesh : std::as_const(model.Meshes))
        runGuarded("splice", [&] { spliceBlock(*mesh, d); });
    if (!model.Meshes.isEmpty())
        qCDebug(lcTrace) << "after splice: Mesh_one->CountOfVertices ="
                         << model.Meshes.first()->CountOfVertices;
    model.prepareData();
    model.prepareDraw();
    return errNone;
}
