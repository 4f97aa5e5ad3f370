// The Slice panel's redraw at 512 × 512: moving the plane (a new slice of
// the image, the outline of a 100 k-triangle model cut again, the picture
// painted) and changing the window (the greys and the paint only), in
// milliseconds per redraw. Each figure is one line "BENCH <case> <value> <unit>".
// Needs a display (make bench uses xvfb-run).

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "app/panels/SliceControl.h"
#include "app/panels/SliceView.h"
#include "view/ViewHost.h"

#include <QApplication>
#include <QImage>

#include <memory>

namespace {

constexpr int kSide = 512;
constexpr int kPlanes = 64;

// A 512 × 512 × 64 CT of a ramp of values over the torus of the model:
// x and y -4.25 .. 4.25 mm, z -1.25 .. 1.25 mm.
std::shared_ptr<ImageVolume> benchImage()
{
    auto image = std::make_shared<ImageVolume>();
    image->size[0] = image->size[1] = kSide;
    image->size[2] = kPlanes;
    const double step = 8.5 / kSide, stepZ = 2.5 / kPlanes;
    image->toWorld.m[0][0] = image->toWorld.m[1][1] = step;
    image->toWorld.m[2][2] = stepZ;
    image->toWorld.m[0][3] = image->toWorld.m[1][3] = -4.25;
    image->toWorld.m[2][3] = -1.25;
    image->shorts.resize(size_t(image->voxelCount()));
    for (size_t v = 0; v < image->shorts.size(); ++v)
        image->shorts[v] = qint16(int(v % 2048) - 1024);
    image->unit = "HU";
    return image;
}

double msPerRedraw(SliceControl &panel, QImage &target, int runs,
                   const std::function<void(int)> &change)
{
    return 1000.0 * seconds([&] {
               for (int run = 0; run < runs; ++run) {
                   change(run);
                   panel.refresh();
                   panel.sliceView()->render(&target);
               }
           })
        / runs;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    HeadlessHost host;
    auto *model = new ModelClass;
    model->Meshes << makeTorusSurface(100000);
    host.models().append(model);
    host.state.Slices = centredSlices(*benchImage());
    host.state.Image = benchImage();
    SliceControl panel(nullptr, host, nullptr);
    panel.sliceView()->resize(kSide, kSide);
    QImage target(kSide, kSide, QImage::Format_RGB32);
    panel.refresh();
    const size_t axial = size_t(SliceOrientation::Axial);
    const double move = msPerRedraw(panel, target, 60, [&](int run) {
        host.state.Slices.index[axial] = 8 + run % 48; // every plane cuts the torus
    });
    report("slice_panel_512/move_plane_100k_outline", move, "ms");
    const double window = msPerRedraw(panel, target, 60, [&](int run) {
        host.state.Slices.windowLevel = {400.0 + run, 40};
    });
    report("slice_panel_512/change_window", window, "ms");
    return 0;
}
