#pragma once

// Checks of imported surfaces: closed, enclosed volume, placement.

#include "geometry/MeshClass.h"
#include "import/Importer.h"
#include "model/ModelClass.h"

#include <QDebug>
#include <QTest>

#include <array>
#include <cmath>
#include <map>
#include <utility>

// True when every edge of the triangles is crossed once in each direction:
// a closed surface whose triangles all face the same way.
inline bool isClosed(const MeshClass &mesh)
{
    std::map<std::pair<qint32, qint32>, int> edges;
    const qint32 *t = mesh.Cells[Triangle];
    for (qint32 c = 0; c < mesh.CountOfCells[Triangle]; ++c, t += 3)
        for (int e = 0; e < 3; ++e)
            ++edges[{t[e], t[(e + 1) % 3]}];
    for (const auto &[edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (back == edges.end() || back->second != count)
            return false;
    }
    return !edges.empty();
}

// The volume the triangles enclose, positive when they face outwards, and the
// centre of that volume.
struct Enclosed
{
    double volume = 0;
    std::array<double, 3> centre {0, 0, 0};
};

inline Enclosed enclosed(const MeshClass &mesh)
{
    Enclosed e;
    const qint32 *t = mesh.Cells[Triangle];
    for (qint32 c = 0; c < mesh.CountOfCells[Triangle]; ++c, t += 3) {
        const double *a = mesh.Vertices + 3 * t[0], *b = mesh.Vertices + 3 * t[1],
                     *d = mesh.Vertices + 3 * t[2];
        const double v = (a[0] * (b[1] * d[2] - b[2] * d[1]) - a[1] * (b[0] * d[2] - b[2] * d[0])
                          + a[2] * (b[0] * d[1] - b[1] * d[0]))
            / 6;
        e.volume += v;
        for (size_t k = 0; k < 3; ++k)
            e.centre[k] += v * (a[k] + b[k] + d[k]) / 4;
    }
    for (double &x : e.centre)
        x /= e.volume;
    return e;
}

// The text of a failed check: the values, spaced.
template<class... T> QByteArray said(const T &...values)
{
    QString text;
    QDebug out(&text);
    ((out.noquote() << values), ...);
    return text.toUtf8();
}

template<class V> double number(const V &v)
{
    if constexpr (requires { v.toDouble(); })
        return v.toDouble();
    else
        return double(v);
}

// Fails the test unless `got` lies within `tolerance` of `want` on every axis.
template<class A, class B>
void compareNear3(const A &got, const B &want, double tolerance, const QString &what)
{
    for (int a = 0; a < 3; ++a)
        QVERIFY2(std::fabs(number(got[a]) - number(want[a])) < tolerance,
                 said(what, "axis", a, number(got[a]), "not", number(want[a])).constData());
}

inline const ModelClass *modelNamed(const std::vector<std::unique_ptr<ModelClass>> &models,
                                    const QString &name)
{
    for (const auto &m : models)
        if (m->Name == name)
            return m.get();
    return nullptr;
}

// What the door said of a file, a problem a line.
inline QString problemsOf(const OpenedFile &opened)
{
    QStringList texts;
    for (const FileProblem &p : opened.problems)
        texts << p.text;
    return texts.join('\n');
}

// An image's first value, their sum, the lowest and the highest.
struct Summary
{
    double first = 0, sum = 0, min = INFINITY, max = -INFINITY;
};

inline Summary summaryOf(const ImageVolume &image)
{
    Summary s;
    s.first = image.value(0);
    for (qint64 v = 0; v < image.voxelCount(); ++v) {
        s.sum += image.value(v);
        s.min = std::min(s.min, double(image.value(v)));
        s.max = std::max(s.max, double(image.value(v)));
    }
    return s;
}
