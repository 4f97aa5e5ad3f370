// The slice planes of a 512 × 512 × 300 CT in the view: milliseconds per
// redraw when a plane moves and when the window changes (each refills the
// textures it touches), against a redraw of the same scene without planes
// in the same run. Drawn offscreen under a display (make bench uses
// xvfb-run), each frame read back as the screen's would be. Besides the
// wall time, the processor time of the whole process (the GL's drawing
// threads included), which a busy machine inflates far less.

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "view/GLWidget.h"
#include "view/SlicePlanes.h"
#include "view/ViewCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// A torus of 20 000 triangles lies in the CT's middle.

// A CT of 0.7 mm pixels and 1 mm slices: a body of soft tissue with fat
// rings in air, and a dense disc in every slice.
std::shared_ptr<const ImageVolume> syntheticCt()
{
    auto image = std::make_shared<ImageVolume>();
    image->size[0] = image->size[1] = 512;
    image->size[2] = 300;
    image->toWorld.m[0][0] = image->toWorld.m[1][1] = 0.7;
    image->toWorld.m[2][2] = 1.0;
    image->toWorld.m[0][3] = image->toWorld.m[1][3] = -179;
    image->toWorld.m[2][3] = -150;
    image->unit = QStringLiteral("HU");
    image->shorts.resize(size_t(image->voxelCount()));
    for (qint64 k = 0; k < 300; ++k)
        for (qint64 j = 0; j < 512; ++j)
            for (qint64 i = 0; i < 512; ++i) {
                const qint64 x = i - 256, y = j - 256, r2 = x * x + y * y;
                const qint16 value = r2 > 230 * 230     ? -1000
                    : r2 > 200 * 200                    ? -100
                    : (x - 60) * (x - 60) + y * y < 400 ? 1000
                                                        : qint16(40 + (i * 7 + j * 3 + k) % 17);
                image->shorts[size_t(image->index(i, j, k))] = value;
            }
    return image;
}

double processSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

// Milliseconds of wall and processor time of each of `count` redraws,
// `change` made before each.
struct Redraws
{
    std::vector<double> wall, cpu;
};
Redraws redraws(GLWidget &view, int count, const std::function<void(int)> &change)
{
    Redraws times;
    for (int n = 0; n < count; ++n) {
        change(n);
        const double cpu = processSeconds();
        times.wall.push_back(1000 * seconds([&] { view.grabFramebuffer(); }));
        times.cpu.push_back(1000 * (processSeconds() - cpu));
    }
    return times;
}

} // namespace

int main(int argc, char **argv)
{
    setupViewSurfaceFormat();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString surf = dir.filePath(QStringLiteral("torus.surf"));
    {
        std::unique_ptr<MeshClass> torus(makeTorusSurface(20000));
        QFile file(surf);
        if (!file.open(QIODevice::WriteOnly) || file.write(surfFileBytes(*torus)) < 0)
            return 1;
    }
    GLWidget view(nullptr, nullptr);
    ViewCommands commands(view);
    view.resize(1024, 768);
    if (view.loadModelFile(surf) != 0)
        return 1;
    view.State.Image = syntheticCt();
    view.State.Slices = startingSlices(*view.State.Image);
    commands.fitAll();
    // The same scene and framing without the planes, then with them.
    SliceState &slices = view.State.Slices;
    slices.shown = {false, false, false};
    view.grabFramebuffer(); // context, lists and first frame: not timed
    const Redraws plain = redraws(view, 20, [](int) {});
    slices.shown = {true, true, true};
    view.grabFramebuffer(); // the first textures
    const qint64 before = view.Planes.uploads();
    const Redraws still = redraws(view, 20, [](int) {});
    const Redraws moved = redraws(view, 20, [&](int n) {
        slices.index[size_t(SliceOrientation::Axial)] = 100 + n; // one texture refilled
    });
    const Redraws windowed = redraws(view, 20, [&](int n) {
        slices.windowLevel.window = 410 + 10 * n; // all three refilled
    });
    if (view.Planes.uploads() - before != 20 + 3 * 20)
        return 2; // a texture remade too often or not at all

    const std::pair<const char *, const Redraws *> cases[] = {
        {"redraw_without_planes", &plain},
        {"redraw_planes_unchanged", &still},
        {"redraw_moving_axial_plane", &moved},
        {"redraw_changing_window", &windowed}};
    for (const auto &[name, times] : cases) {
        report(QStringLiteral("slices_512x512x300/%1").arg(name), median(times->wall), "ms");
        report(QStringLiteral("slices_512x512x300/%1_cpu").arg(name), median(times->cpu), "ms");
    }
    report("slices_512x512x300/moving_plane_over_plain", median(moved.wall) / median(plain.wall),
           "ratio");
    report("slices_512x512x300/changing_window_over_plain",
           median(windowed.wall) / median(plain.wall), "ratio");
    return 0;
}
