#include "SliceControl.h"

#include "SliceOutlines.h"
#include "SliceView.h"
#include "StonesBox.h"
#include "app/StoneFinding.h"
#include "measure/StoneFinder.h"
#include "view/ViewHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The orientations in the order the panel offers them.
constexpr SliceOrientation kOffered[] = {SliceOrientation::Axial, SliceOrientation::Coronal,
                                         SliceOrientation::Sagittal};

constexpr WindowLevel kPresets[] = {windowpreset::SoftTissue, windowpreset::Bone,
                                    windowpreset::Stone};

QString valueText(float value)
{
    if (std::isfinite(value) && value == std::round(value) && std::abs(value) < 1e9f)
        return QString::number(qint64(value));
    return QString::number(double(value), 'g', 5);
}

QDoubleSpinBox *windowSpinBox(QWidget *parent, const char *name, double low)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(1);
    box->setRange(low, 100000);
    box->setKeyboardTracking(false);
    return box;
}

constexpr double kFar = std::numeric_limits<double>::max();

// The world box (x0, x1, y0, y1, z0, z1) of the whole image, voxels' edges included.
std::array<double, 6> imageBox(const ImageVolume &image)
{
    std::array<double, 6> box {kFar, -kFar, kFar, -kFar, kFar, -kFar};
    for (int corner = 0; corner < 8; ++corner) {
        double at[3];
        for (int a = 0; a < 3; ++a)
            at[a] = (corner >> a & 1) ? double(image.size[a]) - 0.5 : -0.5;
        double w[3];
        image.toWorld.apply(at[0], at[1], at[2], w);
        for (int r = 0; r < 3; ++r) {
            box[size_t(2 * r)] = std::min(box[size_t(2 * r)], w[r]);
            box[size_t(2 * r + 1)] = std::max(box[size_t(2 * r + 1)], w[r]);
        }
    }
    return box;
}

// Where a world box crosses a slice: its extent in fractional slice pixels
// (u0, u1, v0, v1); none when the plane misses it.
std::optional<std::array<double, 4>> boxOnSlice(const ImageVolume &image, const ImageSlice &slice,
                                                const std::array<double, 6> &box)
{
    double lo[3] = {kFar, kFar, kFar}, hi[3] = {-kFar, -kFar, -kFar};
    for (int corner = 0; corner < 8; ++corner) {
        const double world[3] = {box[size_t(corner & 1)], box[size_t(2 + (corner >> 1 & 1))],
                                 box[size_t(4 + (corner >> 2 & 1))]};
        const std::array<double, 3> at = voxelOf(image, world);
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], at[size_t(a)]);
            hi[a] = std::max(hi[a], at[size_t(a)]);
        }
    }
    const double plane = double(slice.index);
    if (plane < lo[slice.axis] || plane > hi[slice.axis])
        return std::nullopt;
    const std::array<int, 2> axes = sliceAxes(slice.axis);
    return std::array<double, 4> {lo[axes[0]], hi[axes[0]], lo[axes[1]], hi[axes[1]]};
}

} // namespace

SliceControl::SliceControl(QWidget *parent, ViewHost &host, std::function<void()> changed,
                           StoneFinding *stones)
    : QDockWidget(parent)
    , Host(host)
    , Changed(std::move(changed))
    , Outlines(std::make_unique<SliceOutlines>())
    , ModelsChanged(new QTimer(this))
    , Stones(stones)
{
    setObjectName("SliceControl");
    setWindowTitle(tr("Slice"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setMinimumWidth(280);
    Pages = new QStackedWidget(this);
    auto *none = new QLabel(tr("No image is open."), Pages);
    none->setObjectName("label_noImage");
    none->setAlignment(Qt::AlignCenter);
    Pages->addWidget(none);
    Pages->addWidget(buildControls());
    setWidget(Pages);
    connectControls();
    // A scene adds its models one by one: their outlines are cut once, together.
    ModelsChanged->setSingleShot(true);
    ModelsChanged->setInterval(0);
    connect(ModelsChanged, &QTimer::timeout, this, [this] { refresh(); });
    connect(&Host.models(), &ModelListClass::updateList, ModelsChanged,
            qOverload<>(&QTimer::start));
    connect(&Host.models(), &ModelListClass::_repaint, ModelsChanged, qOverload<>(&QTimer::start));
    refresh();
    show();
}

SliceControl::~SliceControl() = default;

QWidget *SliceControl::buildControls()
{
    auto *page = new QWidget(Pages);
    page->setObjectName("dockWidgetContents");
    comboBox_orientation = new QComboBox(page);
    comboBox_orientation->setObjectName("comboBox_orientation");
    comboBox_orientation->addItems({tr("Axial"), tr("Coronal"), tr("Sagittal")});
    slider_plane = new QSlider(Qt::Horizontal, page);
    slider_plane->setObjectName("slider_plane");
    spinBox_plane = new QSpinBox(page);
    spinBox_plane->setObjectName("spinBox_plane");
    auto *planeRow = new QHBoxLayout;
    planeRow->addWidget(comboBox_orientation);
    planeRow->addWidget(slider_plane, 1);
    planeRow->addWidget(spinBox_plane);

    View = new SliceView(page);
    label_readout = new QLabel(page);
    label_readout->setObjectName("label_readout");
    label_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addLayout(planeRow);
    layout->addWidget(View, 1);
    layout->addWidget(label_readout);
    layout->addWidget(buildSettings());
    if (Stones) {
        StonesPanel = new StonesBox(page, *Stones);
        layout->addWidget(StonesPanel);
    }
    return page;
}

QWidget *SliceControl::buildSettings()
{
    auto *settings = new QWidget(Pages);
    auto *grid = new QGridLayout(settings);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(tr("Shown in 3-D:"), settings), 0, 0);
    const char *names[] = {"checkBox_sagittal", "checkBox_coronal", "checkBox_axial"};
    for (int column = 0; column < 3; ++column) {
        const SliceOrientation o = kOffered[column];
        auto *box = new QCheckBox(comboBox_orientation->itemText(column), settings);
        box->setObjectName(names[int(o)]);
        checkBox_shown[size_t(o)] = box;
        grid->addWidget(box, 0, column + 1);
    }
    grid->addWidget(new QLabel(tr("Window"), settings), 1, 0);
    spinBox_window = windowSpinBox(settings, "spinBox_window", 1);
    grid->addWidget(spinBox_window, 1, 1);
    grid->addWidget(new QLabel(tr("Level"), settings), 1, 2);
    spinBox_level = windowSpinBox(settings, "spinBox_level", -100000);
    grid->addWidget(spinBox_level, 1, 3);
    const QString presets[] = {tr("Soft tissue"), tr("Bone"), tr("Stone")};
    const char *presetNames[] = {"button_preset0", "button_preset1", "button_preset2"};
    for (int p = 0; p < 3; ++p) {
        button_presets[size_t(p)] = new QPushButton(presets[p], settings);
        button_presets[size_t(p)]->setObjectName(presetNames[p]);
        grid->addWidget(button_presets[size_t(p)], 2, p + 1);
    }
    return settings;
}

void SliceControl::connectControls()
{
    connect(comboBox_orientation, &QComboBox::currentIndexChanged, this,
            [this](int index) { setOrientation(kOffered[std::clamp(index, 0, 2)]); });
    connect(slider_plane, &QSlider::valueChanged, this, [this](int value) { setPlane(value); });
    connect(spinBox_plane, &QSpinBox::valueChanged, this, [this](int value) { setPlane(value); });
    for (SliceOrientation o : kOffered)
        connect(checkBox_shown[size_t(o)], &QCheckBox::toggled, this,
                [this, o](bool on) { setShown(o, on); });
    const auto typed = [this] { setWindow({spinBox_window->value(), spinBox_level->value()}); };
    connect(spinBox_window, &QDoubleSpinBox::valueChanged, this, typed);
    connect(spinBox_level, &QDoubleSpinBox::valueChanged, this, typed);
    for (int p = 0; p < 3; ++p)
        connect(button_presets[size_t(p)], &QPushButton::clicked, this,
                [this, p] { setWindow(kPresets[p]); });
    connect(View, &SliceView::hovered, this, [this](qint64 u, qint64 v) {
        Hover = {u, v};
        showReadout();
    });
    connect(View, &SliceView::left, this, [this] {
        Hover.reset();
        showReadout();
    });
    connect(View, &SliceView::clicked, this, &SliceControl::clickedAt);
    connect(View, &SliceView::boxDragged, this, &SliceControl::boxDragged);
    connect(View, &SliceView::wheeled, this, [this](int steps) {
        if (planeCount() <= 0)
            return;
        const qint64 index = slices().index[size_t(Orientation)] + steps;
        setPlane(std::clamp<qint64>(index, 0, planeCount() - 1));
    });
    if (Stones)
        connectStones();
}

void SliceControl::connectStones()
{
    connect(StonesPanel, &StonesBox::toolChanged, this, [this] {
        View->setBoxDrawing(StonesPanel->boxing());
        View->setCursor(StonesPanel->boxing() || StonesPanel->picking() ? Qt::CrossCursor
                                                                        : Qt::ArrowCursor);
    });
    connect(Stones, &StoneFinding::boxChanged, this, &SliceControl::showBox);
    connect(Stones, &StoneFinding::planesMoved, this, &SliceControl::edited);
}

SliceState &SliceControl::slices() const
{
    return Host.viewState().Slices;
}

qint64 SliceControl::planeCount() const
{
    return Image ? Image->size[sliceAxis(*Image, Orientation)] : 0;
}

void SliceControl::setOrientation(SliceOrientation orientation)
{
    if (orientation == Orientation)
        return;
    Orientation = orientation;
    Hover.reset();
    PictureStale = true;
    refresh();
}

bool SliceControl::refresh()
{
    const std::shared_ptr<const ImageVolume> image = Host.viewState().Image;
    const bool fresh = image && image != Image;
    if (image != Image) {
        Image = image;
        Hover.reset();
        Outlines->forgetPlane();
        PictureStale = true;
        // The stones listed belong to the image shown before; stones are
        // found on a CT only.
        if (StonesPanel) {
            StonesPanel->showStones();
            StonesPanel->setVisible(Image && measure::holdsHounsfield(*Image));
        }
    }
    Pages->setCurrentIndex(Image ? 1 : 0);
    if (!Image) {
        // A closed image leaves no plane of it behind.
        Slice = ImageSlice();
        View->setPicture(Slice, SliceScreen(), ShownWindow);
        return false;
    }
    showControls();
    showPicture();
    if (Outlines->update(Host.models(), *Image, Slice, View->screen()))
        View->setOutlines(Outlines->outlines());
    showReadout();
    showBox();
    if (StonesPanel)
        StonesPanel->showRegion();
    return fresh;
}

void SliceControl::showControls()
{
    const SliceState &state = slices();
    const QSignalBlocker blockers[] = {
        QSignalBlocker(comboBox_orientation), QSignalBlocker(slider_plane),
        QSignalBlocker(spinBox_plane),        QSignalBlocker(spinBox_window),
        QSignalBlocker(spinBox_level),        QSignalBlocker(checkBox_shown[0]),
        QSignalBlocker(checkBox_shown[1]),    QSignalBlocker(checkBox_shown[2])};
    comboBox_orientation->setCurrentIndex(int(
        std::find(std::begin(kOffered), std::end(kOffered), Orientation) - std::begin(kOffered)));
    const int last = int(std::max<qint64>(planeCount() - 1, 0));
    slider_plane->setRange(0, last);
    spinBox_plane->setRange(0, last);
    slider_plane->setValue(int(state.index[size_t(Orientation)]));
    spinBox_plane->setValue(int(state.index[size_t(Orientation)]));
    for (int o = 0; o < kSliceOrientations; ++o)
        checkBox_shown[size_t(o)]->setChecked(state.shown[size_t(o)]);
    spinBox_window->setValue(state.windowLevel.window);
    spinBox_level->setValue(state.windowLevel.level);
}

void SliceControl::showPicture()
{
    const SliceState &state = slices();
    const int axis = sliceAxis(*Image, Orientation);
    const qint64 index = state.index[size_t(Orientation)];
    const bool moved = Slice.isEmpty() || Slice.axis != axis || Slice.index != index;
    const bool windowed = ShownWindow.window != state.windowLevel.window
        || ShownWindow.level != state.windowLevel.level;
    if (!PictureStale && !moved && !windowed)
        return;
    if (PictureStale || moved)
        Slice = sliceOf(*Image, axis, index);
    ShownWindow = state.windowLevel;
    PictureStale = false;
    View->setPicture(Slice, screenOf(Slice, Orientation), ShownWindow);
}

void SliceControl::showReadout()
{
    if (!Image || Slice.isEmpty()) {
        label_readout->setText(QString());
        return;
    }
    if (!Hover) {
        // A plane of a missing slice says so, whatever the mouse does.
        const bool missing = Slice.axis == 2 && Image->missingPlane(Slice.index);
        label_readout->setText(missing ? tr("missing slice") : QString());
        return;
    }
    const SliceReadout at = readoutAt(*Image, Slice, (*Hover)[0], (*Hover)[1]);
    const QString x = QString::number(at.world[0], 'f', 1),
                  y = QString::number(at.world[1], 'f', 1),
                  z = QString::number(at.world[2], 'f', 1);
    const QString value = valueText(at.value);
    // A missing slice's filling is not a value; a voxel that holds no number
    // has none to show, in any unit.
    if (at.missing)
        label_readout->setText(tr("missing slice  (%1, %2, %3) mm").arg(x, y, z));
    else if (!at.number)
        label_readout->setText(tr("no value  (%1, %2, %3) mm").arg(x, y, z));
    else
        label_readout->setText(Image->unit.isEmpty()
                                   ? tr("%1  (%2, %3, %4) mm").arg(value, x, y, z)
                                   : tr("%1 %2  (%3, %4, %5) mm").arg(Image->unit, value, x, y, z));
}

void SliceControl::setPlane(qint64 index)
{
    if (!Image || slices().index[size_t(Orientation)] == index)
        return;
    slices().index[size_t(Orientation)] = index;
    edited();
}

void SliceControl::setShown(SliceOrientation orientation, bool on)
{
    slices().shown[size_t(orientation)] = on;
    edited();
}

void SliceControl::setWindow(WindowLevel windowLevel)
{
    slices().windowLevel = windowLevel;
    edited();
}

void SliceControl::moveOthersTo(qint64 u, qint64 v)
{
    if (!Image || Slice.isEmpty())
        return;
    const std::array<qint64, 3> voxel = voxelOfPixel(Slice, u, v);
    for (int o = 0; o < kSliceOrientations; ++o)
        if (SliceOrientation(o) != Orientation)
            slices().index[size_t(o)] = voxel[size_t(sliceAxis(*Image, SliceOrientation(o)))];
    edited();
}

void SliceControl::edited()
{
    if (Changed)
        Changed();
    refresh();
}

void SliceControl::clickedAt(qint64 u, qint64 v)
{
    if (!StonesPanel || !StonesPanel->picking())
        return moveOthersTo(u, v);
    if (!Image || Slice.isEmpty())
        return;
    measure::Point3 world;
    Slice.toWorld(double(u), double(v), world.data());
    Stones->pick(world);
}

// The dragged rectangle sets the box along the plane's two directions; across
// the plane the box keeps its extent, the whole image's at first, so that a
// drag on a second orientation narrows the third direction.
void SliceControl::boxDragged(qint64 u0, qint64 v0, qint64 u1, qint64 v1)
{
    if (!Stones || !Image || Slice.isEmpty())
        return;
    std::array<double, 6> box = Stones->box().value_or(imageBox(*Image));
    const std::array<double, 3> normal = Slice.normal();
    int across = 0;
    for (int r = 1; r < 3; ++r)
        if (std::abs(normal[size_t(r)]) > std::abs(normal[size_t(across)]))
            across = r;
    double lo[3] = {kFar, kFar, kFar}, hi[3] = {-kFar, -kFar, -kFar};
    for (const double u : {double(std::min(u0, u1)) - 0.5, double(std::max(u0, u1)) + 0.5})
        for (const double v : {double(std::min(v0, v1)) - 0.5, double(std::max(v0, v1)) + 0.5}) {
            double world[3];
            Slice.toWorld(u, v, world);
            for (int r = 0; r < 3; ++r) {
                lo[r] = std::min(lo[r], world[r]);
                hi[r] = std::max(hi[r], world[r]);
            }
        }
    for (int r = 0; r < 3; ++r)
        if (r != across) {
            box[size_t(2 * r)] = lo[r];
            box[size_t(2 * r + 1)] = hi[r];
        }
    Stones->setBox(box);
}

void SliceControl::showBox()
{
    const bool shown = Stones && Stones->box() && Image && !Slice.isEmpty();
    View->setBox(shown ? boxOnSlice(*Image, Slice, *Stones->box()) : std::nullopt);
}
