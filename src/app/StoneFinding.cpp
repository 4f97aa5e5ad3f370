#include "StoneFinding.h"

#include "BackgroundJob.h"
#include "geometry/Alloc.h"
#include "measure/Anatomy.h"
#include "measure/MeasureReport.h"
#include "measure/ModelSurface.h"
#include "measure/StoneModel.h"
#include "model/ImageSlice.h"
#include "model/ModelFacts.h"
#include "view/GLWidget.h"
#include "view/ViewCommands.h"
#include "view/ViewHost.h"

#include <QVariant>

#include <algorithm>
#include <cmath>

using measure::FoundStone;

namespace {

// A kidney, collecting system or ureter: the models a search stays near.
bool guidesSearch(const ModelClass &model)
{
    const QString structure = model.property(kStructureProperty).toString();
    const measure::Anatomy a = structure.isEmpty()
        ? measure::anatomyOf(model.title(), model.FileName)
        : measure::anatomyOfStructure(structure, model.FileName);
    return a == measure::Anatomy::Kidney || a == measure::Anatomy::CollectingSystem
        || a == measure::Anatomy::Ureter;
}

// The same stone found twice: a pick on a stone already listed.
bool sameStone(const FoundStone &a, const FoundStone &b)
{
    if (!a.voxels.empty()
        && std::find(b.voxels.begin(), b.voxels.end(), a.voxels.front()) != b.voxels.end())
        return true;
    double d2 = 0;
    for (int r = 0; r < 3; ++r)
        d2 += std::pow(a.centre[std::size_t(r)] - b.centre[std::size_t(r)], 2);
    return d2 < 1.0;
}

} // namespace

struct StoneFinding::Search
{
    std::shared_ptr<const ImageVolume> image;
    measure::StoneSearchOptions options;
    measure::StoneSearch result;
};

StoneFinding::StoneFinding(ViewHost &host, GLWidget *view, QWidget *dialogParent)
    : Host(host)
    , View(view)
    , Job(std::make_unique<BackgroundJob>(dialogParent))
{ }

StoneFinding::~StoneFinding() = default;

bool StoneFinding::busy() const
{
    return Job->running();
}

StoneFinding::Region StoneFinding::region() const
{
    if (Box)
        return Region::Box;
    const ModelListClass &list = Host.models();
    for (qsizetype i = 1; i < list.count(); ++i)
        if (list.at(i) != Model && guidesSearch(*list.at(i)))
            return Region::Models;
    return Region::WholeImage;
}

void StoneFinding::setBox(const std::optional<std::array<double, 6>> &box)
{
    forgetOtherImage();
    Box = box;
    emit boxChanged();
}

const std::vector<FoundStone> &StoneFinding::stones()
{
    forgetOtherImage();
    return Stones;
}

ModelClass *StoneFinding::model() const
{
    return Model && Host.models().indexOf(Model) > 0 ? Model.data() : nullptr;
}

// The list, the box and the midline belong to one image: another image
// (or none) starts afresh. The stones model stays among the models.
void StoneFinding::forgetOtherImage()
{
    const std::shared_ptr<const ImageVolume> shown = Host.viewState().Image;
    if (shown && !Image.expired() && !Image.owner_before(shown) && !shown.owner_before(Image))
        return;
    Image = shown;
    Midline.reset();
    const bool had = !Stones.empty(), boxed = Box.has_value();
    Stones.clear();
    FirstTriangles.clear();
    Box.reset();
    if (had)
        emit stonesChanged();
    if (boxed)
        emit boxChanged();
}

bool StoneFinding::canStart()
{
    forgetOtherImage();
    const std::shared_ptr<const ImageVolume> image = Image.lock();
    if (!image) {
        say(tr("Open a CT to find stones in it."));
        return false;
    }
    if (!measure::holdsHounsfield(*image)) {
        say(tr("Stones are found on a CT in Hounsfield units."));
        return false;
    }
    if (Job->running()) {
        say(tr("A stone search is still running."));
        return false;
    }
    return true;
}

bool StoneFinding::find()
{
    if (!canStart())
        return false;
    auto search = std::make_shared<Search>();
    search->image = Image.lock();
    search->options.levelHu = Level;
    measure::StoneRegion &where = search->options.region;
    QString text;
    switch (region()) {
    case Region::Box:
        where.kind = measure::StoneRegion::Kind::Box;
        where.box = *Box;
        text = tr("Finding stones in the box...");
        break;
    case Region::Models: {
        // Copies of the surfaces: the worker never touches the models.
        const ModelListClass &list = Host.models();
        where.kind = measure::StoneRegion::Kind::Inside;
        for (qsizetype i = 1; i < list.count(); ++i)
            if (list.at(i) != Model && guidesSearch(*list.at(i)))
                where.inside.push_back(measure::snapshotModel(*list.at(i)).surface);
        text = tr("Finding stones within %1 mm of the kidneys, collecting systems and ureters...")
                   .arg(where.marginMm);
        break;
    }
    case Region::WholeImage:
        text = tr("Finding stones in the whole image...");
        break;
    }
    say(text);
    Job->start(
        text, [search] { search->result = measure::findStones(*search->image, search->options); },
        [this, search](bool ok) {
            if (!ok)
                say(tr("Not enough memory to find the stones."));
            else if (search->image == Host.viewState().Image)
                showFound(search);
        });
    return true;
}

bool StoneFinding::pick(const measure::Point3 &world)
{
    if (!canStart())
        return false;
    struct Picked
    {
        body::Midline midline;
        std::optional<FoundStone> stone;
    };
    auto out = std::make_shared<Picked>();
    const std::shared_ptr<const ImageVolume> image = Image.lock();
    const std::optional<body::Midline> known = Midline;
    const double level = Level;
    say(tr("Segmenting the stone at %1 mm...").arg(measure::pointText(world)));
    Job->start(
        tr("Segmenting the stone..."),
        [out, image, known, world, level] {
            // The midline is found once per image and kept for later picks.
            out->midline = known ? *known : body::midlineInImage(*image);
            out->stone = measure::stoneAt(*image, world, level, out->midline);
        },
        [this, out, image](bool ok) {
            if (!ok)
                say(tr("Not enough memory to segment the stone."));
            else if (image == Host.viewState().Image) {
                Midline = out->midline;
                showPicked(out->stone);
            }
        });
    return true;
}

void StoneFinding::showFound(const std::shared_ptr<Search> &search)
{
    const measure::StoneSearch &found = search->result;
    if (!found.error.isEmpty()) {
        say(found.error);
        return;
    }
    Stones = found.stones;
    replaceModel();
    emit stonesChanged();
    QString text = Stones.empty() ? tr("No stone of %1 HU or more in the region.").arg(Level)
                                  : tr("Stones found: %1, %2 mm³ in all.")
                                        .arg(Stones.size())
                                        .arg(found.burdenMm3(), 0, 'f', 1);
    if (!found.excluded.empty())
        text += ' ' + tr("Left out as too large for a stone: %1.").arg(found.excluded.size());
    say(text);
}

void StoneFinding::showPicked(const std::optional<FoundStone> &stone)
{
    if (!stone) {
        say(tr("No stone here: no voxel of %1 HU or more within 3 mm, or only a region too "
               "large for a stone.")
                .arg(Level));
        return;
    }
    for (std::size_t n = 0; n < Stones.size(); ++n)
        if (sameStone(*stone, Stones[n])) {
            choose(int(n));
            say(tr("Stone #%1 is listed already.").arg(n + 1));
            return;
        }
    Stones.push_back(*stone);
    replaceModel();
    emit stonesChanged();
    choose(int(Stones.size() - 1));
    say(tr("Stone #%1 picked: %2 mm³.").arg(Stones.size()).arg(stone->volumeMm3, 0, 'f', 1));
}

// The stones model made before leaves; the list's model takes its place in
// the camera of the models shown (the scene's while only the image shows).
void StoneFinding::replaceModel()
{
    ModelListClass &list = Host.models();
    if (ModelClass *old = model()) {
        if (list.count() == 2) // the image alone keeps the camera it was seen with
            *list.scene()->Transform = *old->Transform;
        list.remove(list.indexOf(old));
        list.ActiveIndex = qint32(std::clamp<qsizetype>(list.ActiveIndex, 0, list.count() - 1));
    }
    Model = nullptr;
    FirstTriangles.clear();
    if (Stones.empty()) {
        Host.selectModel(list.active());
        View->update();
        return;
    }
    // Placing a new model may centre and zoom the others: the view stays as it was.
    std::vector<ViewTransform> cameras;
    for (qsizetype i = 0; i < list.count(); ++i)
        cameras.push_back(*list.at(i)->Transform);
    const ViewTransform camera = cameras[list.count() > 1 ? 1 : 0];
    ModelClass *made = measure::stonesModel(Stones).release();
    View->addImportedModel(made);
    for (std::size_t i = 0; i < cameras.size(); ++i)
        *list.at(qsizetype(i))->Transform = cameras[i];
    *made->Transform = camera;
    Model = made;
    qint32 first = 0;
    for (const FoundStone &stone : Stones) {
        FirstTriangles.push_back(first);
        first += qint32(measure::stoneSurface(stone).triangleCount());
    }
    FirstTriangles.push_back(first);
    View->update();
}

void StoneFinding::choose(int row)
{
    forgetOtherImage();
    const std::shared_ptr<const ImageVolume> image = Image.lock();
    if (!image || row < 0 || std::size_t(row) >= Stones.size())
        return;
    const FoundStone &stone = Stones[std::size_t(row)];
    const std::array<double, 3> voxel = voxelOf(*image, stone.centre.data());
    SliceState &slices = Host.viewState().Slices;
    for (int o = 0; o < kSliceOrientations; ++o) {
        const int axis = sliceAxis(*image, SliceOrientation(o));
        slices.index[std::size_t(o)] =
            std::clamp<qint64>(std::llround(voxel[std::size_t(axis)]), 0, image->size[axis] - 1);
    }
    selectComponent(row);
    emit planesMoved();
    say(tr("Stone #%1: centre %2 mm, %3 mm³.")
            .arg(row + 1)
            .arg(measure::pointText(stone.centre))
            .arg(stone.volumeMm3, 0, 'f', 1));
}

// The stone's component of the stones model, selected and marked at its centre.
void StoneFinding::selectComponent(int row)
{
    ModelClass *stones = model();
    if (!stones || stones->Meshes.isEmpty() || std::size_t(row) + 1 >= FirstTriangles.size())
        return;
    ModelListClass &list = Host.models();
    list.ActiveIndex = qint32(list.indexOf(stones));
    Host.selectModel(stones);
    MeshClass *mesh = stones->Meshes.first();
    const qint32 first = FirstTriangles[std::size_t(row)];
    const qint32 end = FirstTriangles[std::size_t(row) + 1];
    mesh->clearSelection();
    for (qint32 t = first; t < end; ++t)
        mesh->setCellSelected(Triangle, t, true);
    // The block's selection faces list selected volume cells' faces only:
    // the component's own triangles are its faces, drawn in the selection colour.
    mesh->SelectedFaces[3] = allocArray<qint32>(3 * qint64(end - first));
    std::copy(mesh->Cells[Triangle] + 3 * qint64(first), mesh->Cells[Triangle] + 3 * qint64(end),
              mesh->SelectedFaces[3]);
    mesh->CountOfSelectedFaces[3] = end - first;
    mesh->buildSelectionData();
    relist(*stones);
    Host.viewState().CanClearSelection = true;
    MeasureMark mark;
    mark.frame = stones;
    mark.measured = {{stones, stones->DataVersion}};
    std::copy(Stones[std::size_t(row)].centre.begin(), Stones[std::size_t(row)].centre.end(),
              mark.a);
    mark.label = tr("Stone #%1").arg(row + 1);
    mark.status = tr("Stone #%1 at %2 mm")
                      .arg(row + 1)
                      .arg(measure::pointText(Stones[std::size_t(row)].centre));
    View->setMeasureMark(mark);
    Host.showState();
}

void StoneFinding::say(const QString &text)
{
    Message = text;
    emit said(text);
}
