// The case sheet's three views: the visible scene from the front, the
// kidney's side and behind, drawn by the view's own drawing code on a white
// ground.

#include "CaseSheet.h"
#include "GLWidget.h"
#include "ViewCommands.h"
#include "measure/Anatomy.h"
#include "measure/ModelSurface.h"
#include "model/ModelFacts.h"

#include <utility>

#include <QCoreApplication>
#include <QHash>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CaseSheet)
};

// A view cell of the page is about 60 mm wide: 709 pixels at 300 dpi.
constexpr int kViewPixels = 709;
// Line widths and label sizes of a 300 dpi picture, against the screen's.
constexpr float kPictureThickness = 2.0f;
const Rgba kMarkColour {0.8f, 0.05f, 0.05f, 1.0f};
// Of the view's width and height, on each side.
constexpr double kViewMargin = 0.06;

// How much of each enclosing structure shows on paper: the skin, the kidney
// and its collecting system are see-through so that the stones, the tumour
// and the gaps inside them show; 1 for every other model.
double sheetOpacity(const ModelClass &model)
{
    switch (measure::anatomyOfModel(model)) {
    case measure::Anatomy::Skin:
        return 0.25;
    case measure::Anatomy::Kidney:
        return 0.4;
    case measure::Anatomy::CollectingSystem:
        return 0.55;
    default:
        return 1;
    }
}

// One block's transparency, as setTransparency leaves it.
struct BlockLook
{
    MeshClass *block;
    DrawSettings settings;
    float alpha[4];
};

// The camera records of every model, the view's background, the mark's
// colour and the models' transparency, put back when the sheet is drawn.
class SavedCamera
{
public:
    explicit SavedCamera(GLWidget &view)
        : View(view)
    {
        for (qsizetype i = 1; i < view.ModelList.count(); ++i) {
            ViewTransform *transform = view.ModelList.at(i)->Transform;
            if (!Saved.contains(transform))
                Saved.insert(transform, *transform);
        }
        std::copy_n(view.State.ClearColor, 4, Clear);
        for (int k = 0; k < 3; ++k)
            view.State.ClearColor[k] = 1.0f;
        // The measured gap in a colour that shows on white paper.
        if (view.measureMark() && view.measureMark()->frame) {
            Marked = view.measureMark()->frame;
            Pick = Marked->PickColor;
            Marked->PickColor = kMarkColour;
        }
        seeThrough();
        view.Frame.PageFrames = true;
        // The image's planes would hide the models, and their corners would
        // shrink the framing to the scanned box.
        Image = std::exchange(view.State.Image, nullptr);
    }
    ~SavedCamera()
    {
        for (auto it = Saved.cbegin(); it != Saved.cend(); ++it)
            *it.key() = it.value();
        std::copy_n(Clear, 4, View.State.ClearColor);
        if (Marked && View.ModelList.indexOf(Marked) >= 0)
            Marked->PickColor = Pick;
        for (const auto &[model, settings] : std::as_const(Models)) {
            model->Settings = settings;
            if (settings.ColorMode == 4) // material colours carry the opacity
                model->setTransparency(settings.Transparent, settings.Opacity);
        }
        for (const BlockLook &look : std::as_const(Blocks)) {
            look.block->Settings = look.settings;
            Rgba *colours[4] = {&look.block->FrontColor, &look.block->BackColor,
                                &look.block->PlainColor, &look.block->CustomColor};
            for (int k = 0; k < 4; ++k)
                (*colours[k])[3] = look.alpha[k];
        }
        View.Frame.PageFrames = false;
        View.State.Image = Image;
        View.updateProjection();
        emit View.RotationChanged();
        View.update();
    }
    SavedCamera(const SavedCamera &) = delete;
    SavedCamera &operator=(const SavedCamera &) = delete;

private:
    // Enclosing structures more opaque than the sheet wants become
    // see-through; a model the user made fainter stays as it is.
    void seeThrough()
    {
        for (qsizetype i = 1; i < View.ModelList.count(); ++i) {
            ModelClass *model = View.ModelList.at(i);
            const double opacity = sheetOpacity(*model);
            if (!model->Visible || opacity >= 1
                || (model->Settings.Transparent && model->Settings.Opacity <= opacity))
                continue;
            Models.append({model, model->Settings});
            for (MeshClass *block : std::as_const(model->Meshes))
                Blocks.append({block,
                               block->Settings,
                               {block->FrontColor[3], block->BackColor[3], block->PlainColor[3],
                                block->CustomColor[3]}});
            model->setTransparency(true, opacity);
        }
    }

    GLWidget &View;
    QHash<ViewTransform *, ViewTransform> Saved;
    float Clear[4];
    ModelClass *Marked = nullptr;
    Rgba Pick {};
    QList<std::pair<ModelClass *, ModelDrawSettings>> Models;
    QList<BlockLook> Blocks;
    std::shared_ptr<const ImageVolume> Image;
};

// The frame as the screen shows it. Blending leaves the framebuffer's alpha
// below one where see-through models lie over others; the screen ignores
// it, but on paper it would let the white through and wash the colours out.
QImage opaque(const QImage &frame)
{
    if (frame.format() == QImage::Format_ARGB32_Premultiplied)
        return QImage(frame.constBits(), frame.width(), frame.height(), frame.bytesPerLine(),
                      QImage::Format_RGB32)
            .copy();
    return frame.convertToFormat(QImage::Format_RGB32);
}

} // namespace

namespace sheet {

std::vector<measure::ModelSnapshot> visibleSnapshots(const GLWidget &view)
{
    std::vector<measure::ModelSnapshot> shots;
    for (qsizetype i = 1; i < view.ModelList.count(); ++i) {
        const ModelClass *model = view.ModelList.at(i);
        if (!model->Visible)
            continue;
        measure::ModelSnapshot shot = measure::snapshotModel(*model);
        if (shot.surface.triangleCount() > 0 || !shot.refusal.isEmpty())
            shots.push_back(std::move(shot));
    }
    return shots;
}

QString nothingVisibleText()
{
    return Text::tr("Nothing is visible: show at least one model with surfaces to make a case "
                    "sheet.");
}

std::size_t triangleCount(const std::vector<measure::ModelSnapshot> &shots)
{
    std::size_t triangles = 0;
    for (const measure::ModelSnapshot &shot : shots)
        triangles += shot.surface.triangleCount();
    return triangles;
}

bool vectorFits(const GLWidget &view, std::size_t triangles)
{
    for (qsizetype i = 1; i < view.ModelList.count(); ++i) {
        const ModelClass *model = view.ModelList.at(i);
        if (model->Visible && (model->Settings.Transparent || sheetOpacity(*model) < 1))
            return false;
    }
    return triangles <= kVectorTriangles;
}

anatomy::Side kidneySide(const GLWidget &view)
{
    double kidneyX = 0, vesselX = 0;
    int kidneys = 0, vessels = 0;
    for (qsizetype i = 1; i < view.ModelList.count(); ++i) {
        const ModelClass *model = view.ModelList.at(i);
        if (!model->Visible)
            continue;
        const measure::Anatomy structure = measure::anatomyOfModel(*model);
        if (structure == measure::Anatomy::Kidney) {
            const QString side = model->property(kSideProperty).toString();
            if (side == u"left" || side == u"right")
                return side == u"left" ? anatomy::Side::Left : anatomy::Side::Right;
            if (const anatomy::Side named = anatomy::sideIn(model->title());
                named != anatomy::Side::None)
                return named;
            kidneyX += model->Center[0];
            ++kidneys;
        } else if (structure == measure::Anatomy::Artery || structure == measure::Anatomy::Vein) {
            vesselX += model->Center[0];
            ++vessels;
        }
    }
    // x grows toward the patient's right: vessels to the right of a kidney
    // run toward the midline from a left kidney.
    if (kidneys > 0 && vessels > 0 && vesselX / vessels < kidneyX / kidneys)
        return anatomy::Side::Right;
    return anatomy::Side::Left;
}

void captureViews(GLWidget &view, bool vector, CaseSheet &sheet, bool planFirst)
{
    const AnatomicalView lateral =
        kidneySide(view) == anatomy::Side::Right ? AnatomicalView::Right : AnatomicalView::Left;
    const AnatomicalView kViews[3] = {AnatomicalView::Anterior, lateral, AnatomicalView::Posterior};
    SavedCamera saved(view);
    ViewCommands commands(view);
    for (std::size_t k = 0; k < 3; ++k) {
        SheetView &out = sheet.views[k];
        if (k == 0 && planFirst) {
            out.label = Text::tr("Plan (the session's view)");
        } else {
            out.label = viewName(kViews[k]);
            commands.setAnatomicalView(kViews[k]);
        }
        view.frameScene(kViewMargin, kViewPixels, kViewPixels);
        out.letters = edgeLetters(view.imageCamera()->Matrix);
        if (vector)
            out.svg = view.renderSvg(kViewPixels, kViewPixels);
        if (out.svg.isEmpty())
            out.image = opaque(view.renderImage(kViewPixels, kViewPixels, kPictureThickness));
        // The labels go on the page as text in a colour that shows on paper.
        for (const ScreenLabel &label : std::as_const(view.Frame.Labels))
            out.labels.append(
                {QPointF(label.window.x() / kViewPixels, 1.0 - label.window.y() / kViewPixels),
                 label.text});
    }
}

} // namespace sheet
