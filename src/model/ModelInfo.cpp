#include "ModelInfo.h"

#include "ModelListClass.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The report's texts belong to the view's translation context.
struct Report
{
    Q_DECLARE_TR_FUNCTIONS(GLWidget)
};

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

float distance(const _DREAL *a, const _DREAL *b)
{
    const float d[3] = {float(a[0] - b[0]), float(a[1] - b[1]), float(a[2] - b[2])};
    return std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
}

// Fan triangles summed with Heron's formula.
float polygonArea(const MeshClass &mesh, const qint32 *nodes, int k)
{
    const _DREAL *p0 = mesh.Vertices + 3 * qint64(nodes[0]);
    float area = 0;
    for (int i = 1; i + 1 < k; ++i) {
        const _DREAL *pi = mesh.Vertices + 3 * qint64(nodes[i]);
        const _DREAL *pj = mesh.Vertices + 3 * qint64(nodes[i + 1]);
        const double a = distance(p0, pi), b = distance(p0, pj), c = distance(pj, pi);
        const double s = (a + b + c) * 0.5;
        area += float(std::sqrt(std::max(0.0, s * (s - a) * (s - b) * (s - c))));
    }
    return area;
}

double tetrahedronVolume(const MeshClass &mesh, const qint32 *nodes)
{
    const _DREAL *p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = mesh.Vertices + 3 * qint64(nodes[i]);
    double u[3], v[3], w[3];
    for (int a = 0; a < 3; ++a) {
        u[a] = p[1][a] - p[0][a];
        v[a] = p[2][a] - p[0][a];
        w[a] = p[3][a] - p[0][a];
    }
    const double cross[3] = {v[1] * w[2] - v[2] * w[1], v[2] * w[0] - v[0] * w[2],
                             v[0] * w[1] - v[1] * w[0]};
    return std::abs(u[0] * cross[0] + u[1] * cross[1] + u[2] * cross[2]) / 6.0;
}

// Smallest and largest value seen; -1 while unset.
struct Range
{
    double min = -1, max = -1;
    void add(double v)
    {
        min = min < 0 ? v : std::min(min, v);
        max = max < 0 ? v : std::max(max, v);
    }
};

struct Counts
{
    qint64 points = 0, polygons[kFaceSlots] = {}, volumes[4] = {};
    qint64 functions = 0;
    Range area, volume;
    bool surfaceOnly = true;
    qint64 euler = 0, lost = 0, outer = 0, borderEdges = 0, borderVertices = 0;
};

void countBlock(MeshClass &mesh, Counts &c)
{
    const bool valid = !mesh.checkIndices();
    c.points += mesh.CountOfVertices;
    std::vector<quint8> used(size_t(std::max(0, mesh.CountOfVertices)), 0);
    for (int t = 0; t < kTypeSlots; ++t) {
        const qint32 count = mesh.CountOfCells[t];
        if (count == 0)
            continue;
        if (t != Triangle && t != Quadrangle)
            c.surfaceOnly = false;
        const int nodes = NodesOfType(t);
        const bool counted = (t >= 3 && t < kFaceSlots) || isVolumeType(t);
        if (t >= 3 && t < kFaceSlots)
            c.polygons[t] += count;
        if (!valid || !counted)
            continue;
        for (qint32 cell = 0; cell < count; ++cell) {
            const qint32 *n = mesh.Cells[t] + qint64(cell) * nodes;
            for (int i = 0; i < nodes; ++i)
                used[size_t(n[i])] = 1;
            if (t < kFaceSlots)
                c.area.add(polygonArea(mesh, n, t));
            else if (t == Tetrahedron)
                c.volume.add(tetrahedronVolume(mesh, n));
        }
    }
    c.volumes[0] += mesh.CountOfCells[Tetrahedron];
    c.volumes[1] += mesh.CountOfCells[Pyramid];
    c.volumes[2] += mesh.CountOfCells[Prism];
    c.volumes[3] += mesh.CountOfCells[Hexahedron];
    c.euler += qint64(mesh.CountOfVertices) - mesh.countViewEdges() + mesh.totalCells();
    c.lost += std::count(used.begin(), used.end(), quint8(0));
    c.outer += mesh.CountOfViewPoints;
    qint32 vertices = 0;
    c.borderEdges += mesh.findBorderEdges(true, &vertices);
    c.borderVertices += vertices;
}

} // namespace

void modelInfo(ModelListClass &list, QString &title, QString &text)
{
    ModelClass *model = list.active();
    title = Report::tr("Model: %1").arg(model ? model->Name : QString());
    if (list.count() < 2 || list.ActiveIndex <= 0 || !model) {
        text = Report::tr("There is no selected model.");
        return;
    }
    Counts c;
    for (MeshClass *mesh : std::as_const(model->Meshes))
        countBlock(*mesh, c);
    QStringList lines {Report::tr("File info:"),
                       Report::tr("Count of zones = %1").arg(model->Meshes.size())};
    if (c.points != 0)
        lines << Report::tr("Count of points = %1").arg(c.points);
    for (int k = 3; k < kFaceSlots; ++k)
        if (c.polygons[k] > 0)
            lines << Report::tr("Count of %1 -gons = %2").arg(k).arg(c.polygons[k]);
    const char *volumeLines[4] = {QT_TRANSLATE_NOOP("GLWidget", "Count of tetrahedrons = %1"),
                                  QT_TRANSLATE_NOOP("GLWidget", "Count of pyramids = %1"),
                                  QT_TRANSLATE_NOOP("GLWidget", "Count of prisms = %1"),
                                  QT_TRANSLATE_NOOP("GLWidget", "Count of hexahedrons = %1")};
    for (int v = 0; v < 4; ++v)
        if (c.volumes[v] > 0)
            lines << Report::tr(volumeLines[v]).arg(c.volumes[v]);
    if (!model->Meshes.isEmpty() && model->Meshes.first()->CountOfFunctions != 0)
        lines << Report::tr("Count of functions = %1").arg(model->Meshes.first()->CountOfFunctions);
    text = lines.join("\n") + "\n\n" + Report::tr("Model info:");
    QStringList more;
    if (c.area.min >= 0)
        more << Report::tr("Min area of N-gon = %1").arg(number(c.area.min))
             << Report::tr("Max area of N-gon = %1").arg(number(c.area.max));
    if (c.volume.min >= 0)
        more << Report::tr("Min volume of tetrahedron = %1").arg(number(c.volume.min))
             << Report::tr("Max volume of tetrahedron = %1").arg(number(c.volume.max));
    if (c.surfaceOnly)
        more << Report::tr("Euler characteristic = %1").arg(c.euler);
    more << Report::tr("Count of lost vertices = %1").arg(c.lost)
         << Report::tr("Count of outer vertices = %1").arg(c.outer)
         << Report::tr("Count of inner vertices = %1").arg(c.points - c.outer)
         << Report::tr("Count of boundary edges = %1").arg(c.borderEdges)
         << Report::tr("Count of boundary vertices = %1").arg(c.borderVertices);
    for (const QString &line : std::as_const(more))
        text += "\n" + line;
}
