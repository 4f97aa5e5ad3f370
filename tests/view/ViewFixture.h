#pragma once

// Views, models and pixel probes for the tests of the view. Every GUI test
// runs under a display (xvfb-run on machines without one).

#include "model/MeshBuilders.h"
#include "model/ModelClass.h"
#include "view/GLWidget.h"
#include "view/ViewCommands.h"
#include "view/ViewHost.h"
#include "view/ViewTestMain.h"

#include <memory>

// A model of one block with the given vertices and cells of one type.
inline ModelClass *makeModel(const std::vector<double> &xyz, int type,
                             const std::vector<qint32> &cells,
                             const std::vector<qint32> &materials = {})
{
    auto *model = new ModelClass;
    auto *mesh = new MeshClass;
    setVertices(*mesh, xyz);
    setCells(*mesh, type, cells, materials);
    model->Meshes.append(mesh);
    return model;
}

// The square [-1, 1]^2 in the plane z = 0 as one quadrangle facing +z.
inline ModelClass *makeSquare()
{
    return makeModel({-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0}, Quadrangle, {0, 1, 2, 3});
}

// A cube of edge 2 * half around the origin.
inline ModelClass *makeCube(double half)
{
    std::vector<double> cube;
    for (double c : kCube)
        cube.push_back((2 * c - 1) * half);
    return makeModel(cube, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7});
}

// A row of n quadrangles along x from -1 to 1, each of material i + 1 and
// with the vertex function x.
inline ModelClass *makeStrip(int n)
{
    std::vector<double> xyz;
    std::vector<qint32> quads, materials;
    for (int i = 0; i <= n; ++i) {
        const double x = -1.0 + 2.0 * i / n;
        xyz.insert(xyz.end(), {x, -0.5, 0, x, 0.5, 0});
    }
    for (int i = 0; i < n; ++i) {
        quads.insert(quads.end(), {2 * i, 2 * i + 2, 2 * i + 3, 2 * i + 1});
        materials.push_back(i + 1);
    }
    ModelClass *model = makeModel(xyz, Quadrangle, quads, materials);
    std::vector<double> f;
    for (size_t v = 0; v < xyz.size() / 3; ++v)
        f.push_back(xyz[3 * v]);
    addVertexFunction(*model->Meshes[0], f);
    model->FunctionNames << QStringLiteral("x");
    model->FunctionLocation = 1;
    return model;
}

// A torus of n x m quadrangles split into triangles, each ring of
// quadrangles of its own material; `open`: the last sixth of the rings is
// left out, so that the inside of the tube shows.
inline ModelClass *makeTorus(int n, int m, bool open)
{
    std::vector<double> xyz;
    std::vector<qint32> triangles, materials;
    const double turn = 2 * std::numbers::pi;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < m; ++j) {
            const double u = turn * i / n, v = turn * j / m;
            const double r = 1 + 0.35 * std::cos(v);
            xyz.insert(xyz.end(), {r * std::cos(u), r * std::sin(u), 0.35 * std::sin(v)});
        }
    for (int i = 0; i < (open ? n - n / 6 : n); ++i)
        for (int j = 0; j < m; ++j) {
            const qint32 a = i * m + j, b = ((i + 1) % n) * m + j;
            const qint32 c = ((i + 1) % n) * m + (j + 1) % m, d = i * m + (j + 1) % m;
            triangles.insert(triangles.end(), {a, b, c, a, c, d});
            materials.insert(materials.end(), 2, 1 + (i * 8 / n));
        }
    return makeModel(xyz, Triangle, triangles, materials);
}

// A shown view of a fixed size with a headless host, and its commands.
struct ViewUnderTest
{
    explicit ViewUnderTest(int w = 320, int h = 240)
        : view(new GLWidget(nullptr, &host))
        , commands(*view)
    {
        view->resize(w, h);
        view->show();
        [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(view.get());
    }
    // Adds a model as a load places it: prepared, zoomed, centred, current.
    ModelClass *add(ModelClass *model)
    {
        view->placeNewModel(model);
        return model;
    }
    QImage frame() { return view->renderImage(view->width(), view->height()); }

    HeadlessHost host;
    std::unique_ptr<GLWidget> view;
    ViewCommands commands;
};

// A host whose intersection panel has "Draw clipping rectangle" ticked: the
// view draws the current model's cutting plane, and drags move the plane.
struct PlaneEditHost : HeadlessHost
{
    bool planeEditMode() const override { return editing; }
    void setPlaneFields(const double *p, const double *n) override
    {
        std::copy_n(p, 3, point);
        std::copy_n(n, 3, normal);
        ++fieldUpdates;
    }
    bool editing = true;
    double point[3] = {}, normal[3] = {};
    int fieldUpdates = 0;
};

// A wheel turn of `delta` eighths of a degree in the middle of the widget.
inline void wheel(QWidget *w, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

// One mouse event: a press or release of `button`, or a move holding `buttons`.
inline void mouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                  Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, buttons, modifiers);
    QApplication::sendEvent(w, &event);
}

// Press at `from`, one move to `to`, release there.
inline void drag(QWidget *w, Qt::MouseButton button, QPoint from, QPoint to)
{
    mouse(w, QEvent::MouseButtonPress, from, button, button);
    mouse(w, QEvent::MouseMove, to, button, button);
    mouse(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

// Pixels of the image (within `area` when given) for which `test` holds.
template<class Test> int countPixels(const QImage &image, Test test, QRect area = QRect())
{
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

inline std::vector<float> matrixOf(const ModelClass *m)
{
    return std::vector<float>(m->Transform->Matrix, m->Transform->Matrix + 16);
}

inline QColor pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Channels equal within a tolerance.
inline bool near(const QColor &a, const QColor &b, int tolerance = 6)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// Fraction of pixels of equal-sized images with a channel differing by more
// than `tolerance`; 1 when the sizes differ.
inline double differingFraction(const QImage &a, const QImage &b, int tolerance)
{
    if (a.size() != b.size())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if (!near(x.pixelColor(col, row), y.pixelColor(col, row), tolerance))
                ++differing;
    return double(differing) / (double(x.width()) * x.height());
}

#ifdef TESSARON_BASELINES
// Compares an image with the stored baseline of that name: at most 0.5 % of
// the pixels may differ by more than 24 levels (edges of thin lines move by a
// pixel between renderer versions). With TESSARON_UPDATE_BASELINES=1 in the
// environment the baseline is written instead, on purpose only.
inline bool matchesBaseline(const QImage &image, const QString &name, QString &why)
{
    const QString path = QStringLiteral(TESSARON_BASELINES "/") + name;
    if (qEnvironmentVariableIntValue("TESSARON_UPDATE_BASELINES") == 1)
        return image.save(path);
    const QImage baseline(path);
    if (baseline.isNull()) {
        why = QStringLiteral("no baseline %1").arg(path);
        return false;
    }
    const double fraction = differingFraction(image, baseline, 24);
    image.save(QStringLiteral("%1/actual-%2").arg(QDir::tempPath(), name));
    why = QStringLiteral("%1 % of the pixels differ from %2").arg(fraction * 100).arg(path);
    return fraction <= 0.005;
}
#endif
