#pragma once

// Views, models and pixel probes for the tests of the view. Every GUI test
// runs under a display (xvfb-run on machines without one).

#include "model/MeshBuilders.h"
#include "model/ModelClass.h"
#include "view/GLWidget.h"
#include "view/ViewHost.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <memory>

// main() of a view test: the view's surface format before the application.
#define TESSARON_VIEW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        setupViewSurfaceFormat();                                                                  \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

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

// A shown view of a fixed size with a headless host.
struct ViewUnderTest
{
    explicit ViewUnderTest(int w = 320, int h = 240)
        : view(new GLWidget(nullptr, &host))
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
};

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
