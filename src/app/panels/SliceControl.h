#pragma once

#include "model/ImageSlice.h"

#include <QDockWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class ViewHost;
class SliceOutlines;
class StoneFinding;
class StonesBox;
class SliceView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTimer;

// "Slice": one plane of the open image at full resolution with the visible
// models' outlines, the value and position under the cursor, and the
// controls of the slices the 3-D view shows: the plane of each orientation,
// whether it is shown there, and the grey window. A click on the picture
// moves the other two planes to the voxel under it; the wheel moves the
// shown plane. Every edit goes into the view state's slices, then the
// `changed` callback repaints the 3-D view and lets the menus follow. Given
// the window's stone finding, the panel also finds stones: with "Stone Pick"
// on a click segments the stone under it, with "Box" on a drag sets the box
// a search stays in, and the stones found are listed under the picture.
class SliceControl : public QDockWidget
{
    Q_OBJECT

public:
    SliceControl(QWidget *parent, ViewHost &host, std::function<void()> changed,
                 StoneFinding *stones = nullptr);
    ~SliceControl() override;

    // Shows the state: its image, slices and window, and the models'
    // outlines. Cheap when nothing changed, and it edits nothing, so the
    // state's own refreshes never loop back. True when the image is one the
    // panel has not shown before.
    bool refresh();

    SliceOrientation orientation() const { return Orientation; }
    void setOrientation(SliceOrientation orientation);

    SliceView *sliceView() const { return View; }
    QComboBox *orientationBox() const { return comboBox_orientation; }
    QSlider *slider() const { return slider_plane; }
    QSpinBox *planeBox() const { return spinBox_plane; }
    QCheckBox *shownBox(SliceOrientation orientation) const
    {
        return checkBox_shown[size_t(orientation)];
    }
    QDoubleSpinBox *windowBox() const { return spinBox_window; }
    QDoubleSpinBox *levelBox() const { return spinBox_level; }
    // Soft tissue, bone, stone.
    QPushButton *presetButton(int preset) const { return button_presets[size_t(preset)]; }
    QLabel *readout() const { return label_readout; }
    // The stones part; null without a stone finding.
    StonesBox *stonesBox() const { return StonesPanel; }

private:
    QWidget *buildControls();
    QWidget *buildSettings();
    void connectControls();
    void showControls();
    void showPicture();
    void showReadout();
    SliceState &slices() const;
    qint64 planeCount() const;

    // Edits of the slices, each followed by `changed`.
    void setPlane(qint64 index);
    void setShown(SliceOrientation orientation, bool on);
    void setWindow(WindowLevel windowLevel);
    void moveOthersTo(qint64 u, qint64 v);
    void edited();
    // A click: a stone picked with "Stone Pick" on, else the planes moved.
    void clickedAt(qint64 u, qint64 v);
    void boxDragged(qint64 u0, qint64 v0, qint64 u1, qint64 v1);
    void showBox();
    void connectStones();

    ViewHost &Host;
    std::function<void()> Changed;
    std::unique_ptr<SliceOutlines> Outlines;
    QTimer *ModelsChanged;
    SliceOrientation Orientation = SliceOrientation::Axial;

    // What the picture shows.
    std::shared_ptr<const ImageVolume> Image;
    ImageSlice Slice;
    WindowLevel ShownWindow;
    bool PictureStale = true;
    std::optional<std::array<qint64, 2>> Hover; // the slice pixel under the cursor

    QStackedWidget *Pages;
    SliceView *View;
    QComboBox *comboBox_orientation;
    QSlider *slider_plane;
    QSpinBox *spinBox_plane;
    std::array<QCheckBox *, kSliceOrientations> checkBox_shown {};
    QDoubleSpinBox *spinBox_window;
    QDoubleSpinBox *spinBox_level;
    std::array<QPushButton *, 3> button_presets {};
    QLabel *label_readout;
    StoneFinding *Stones;
    StonesBox *StonesPanel = nullptr;
};
