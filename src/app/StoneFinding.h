#pragma once

#include "measure/StoneFinder.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class BackgroundJob;
class GLWidget;
class ModelClass;
class ViewHost;
struct ImageVolume;

// The stones of the open CT as the window finds them: "Find Stones" searches
// a region of the image, "Stone Pick" segments the one stone at a clicked
// point, both on a worker thread. The stones found become one stones model
// in the scene (a later search replaces the model an earlier one made), and
// choosing one moves the three planes through its centre and selects its
// component in 3-D. The Slice panel shows the list and the box.
class StoneFinding : public QObject
{
    Q_OBJECT

public:
    // Where a search looks: inside the box dragged on the Slice panel; else
    // within the margin of the open kidneys, collecting systems and ureters;
    // else the whole image, bone left out as too large for a stone.
    enum class Region { Box, Models, WholeImage };

    StoneFinding(ViewHost &host, GLWidget *view, QWidget *dialogParent);
    ~StoneFinding() override;

    // Starts a search of the region; false, with a message, when there is
    // nothing to search or a search is still running.
    bool find();
    // Starts segmenting the stone at a world point (mm).
    bool pick(const measure::Point3 &world);
    bool busy() const;
    BackgroundJob &job() const { return *Job; }

    Region region() const;
    // The box in patient mm (x0, x1, y0, y1, z0, z1, each pair ascending).
    const std::optional<std::array<double, 6>> &box() const { return Box; }
    void setBox(const std::optional<std::array<double, 6>> &box);
    double level() const { return Level; }
    void setLevel(double hu) { Level = hu; }

    // The stones listed, of the image shown; empty after the image changed.
    const std::vector<measure::FoundStone> &stones();
    // The stones model the last search or pick made, while it is open.
    ModelClass *model() const;
    // Moves the planes through stone `row`'s centre and selects its component.
    void choose(int row);
    // The last message: what was found, or why nothing was.
    const QString &message() const { return Message; }

signals:
    void stonesChanged();
    void boxChanged();
    // The planes moved: the 3-D view and the Slice panel show them.
    void planesMoved();
    void said(const QString &text);

private:
    struct Search;
    void forgetOtherImage();
    bool canStart();
    void showFound(const std::shared_ptr<Search> &search);
    void showPicked(const std::optional<measure::FoundStone> &stone);
    void replaceModel();
    void selectComponent(int row);
    void say(const QString &text);

    ViewHost &Host;
    GLWidget *View;
    std::unique_ptr<BackgroundJob> Job;
    // The image the list belongs to, not kept alive: a closed image is freed.
    std::weak_ptr<const ImageVolume> Image;
    std::optional<body::Midline> Midline;
    std::optional<std::array<double, 6>> Box;
    double Level = 200;
    std::vector<measure::FoundStone> Stones;
    std::vector<qint32> FirstTriangles; // of each stone's component in the model
    QPointer<ModelClass> Model;
    QString Message;
};
