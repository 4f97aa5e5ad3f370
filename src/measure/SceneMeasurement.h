#pragma once

#include "ClosestGap.h"
#include "ExactTests.h"
#include "HuStatistics.h"
#include "ModelSurface.h"
#include "SideCheck.h"
#include "SurfaceMeasures.h"

#include <atomic>
#include <optional>
#include <vector>

namespace measure {

// The planning numbers of a scene, computed once into plain records that the
// Measurements panel, tessaron-cli and the case sheet all format with
// MeasureReport.h.

// One model's row.
struct ModelReport
{
    QString name;
    QString fileName;
    std::array<int, 3> colour {255, 255, 255};
    bool visible = true;
    Anatomy anatomy = Anatomy::Other;
    anatomy::Side side = anatomy::Side::None;
    std::optional<double> voxelVolume; // of the label the model was made from
    QVariantList codes;                // coded terms of a segmentation's segment
    QString refusal;                   // not empty: nothing below was measured
    SurfaceMeasures measures;
    // The image values inside the surface, when an image was given and the
    // surface encloses a volume.
    std::optional<HuStatistics> hu;
    // Its name says one side but it lies on the other (SideCheck.h); empty otherwise.
    QString sideWarning;
};

// One connected piece of a stones model.
struct Stone
{
    int number = 0; // from 1, in the order of the model's triangles
    std::size_t triangles = 0;
    bool closed = false; // closed, manifold and oriented: the volume is known
    double volume = 0;
    double diameter = 0;            // its length: the largest extent
    double width = 0;               // the largest extent across the length
    Point3 centre {};               // of its solid when closed, of its surface otherwise
    std::optional<HuStatistics> hu; // when an image was given and the stone is closed
};

// S.T.O.N.E. nephrolithometry of one stones model (the stones of one
// kidney): S, T and E from the surfaces and the image, O and N entered by
// the user (they need the urogram and the calyces, which the surfaces lack).
struct StoneScore
{
    // S: the stones' cumulative area, each stone its length times its width.
    std::optional<double> area;
    // T: the tract length, the gap from the largest stone (the one the tract
    // is planned to) to the nearest skin.
    std::optional<double> tract;
    QString skin;
    int tractStone = 0; // the stone's number
    // E: the mean HU of the densest stone.
    std::optional<double> density;
    int denseStone = 0; // the stone's number
    // Entered by the user: O 1 or 2, N 1 to 3; 0 while not entered.
    int obstruction = 0;
    int calyces = 0;

    std::optional<int> sizeScore() const;
    std::optional<int> tractScore() const;
    std::optional<int> obstructionScore() const;
    std::optional<int> calycesScore() const;
    std::optional<int> essenceScore() const;
    // S + T + O + N + E over the parts known, and whether all five are.
    int sum() const;
    bool complete() const;
};

// The S.T.O.N.E. score bands: area in mm², tract in mm, density in HU.
int stoneSizeScoreOf(double area);
int tractScoreOf(double tract);
int essenceScoreOf(double density);

struct StoneBurden
{
    QString model;
    std::size_t modelIndex = 0; // into SceneMeasurement::models
    std::vector<Stone> stones;
    double totalVolume = 0; // of the closed stones
    int openStones = 0;     // stones without a volume
    int largest =
        -1; // index into stones of the largest by volume (by diameter when none is closed)
    StoneScore score;
};

// A gap the scene's anatomy asks for.
struct PresetGap
{
    enum Kind {
        TumourToCollectingSystem,
        TumourToArtery,
        TumourToVein,
        StoneToSkin,
        StoneToCollectingSystem
    };
    Kind kind = TumourToCollectingSystem;
    QString from, to;                       // model names
    std::size_t fromIndex = 0, toIndex = 0; // into SceneMeasurement::models
    int stone = 0;                          // the stone's number for stone gaps
    Gap gap;
};

// R.E.N.A.L. nephrometry of one tumour: R, E and N from the surfaces, A and
// L entered by the user (they need the patient's orientation and the hilum).
struct Nephrometry
{
    QString tumour;
    std::size_t tumourIndex = 0; // into SceneMeasurement::models
    // R: the tumour's largest diameter.
    std::optional<double> diameter;
    // E: share of the tumour's volume outside the convex hull of the kidney
    // (an estimate: sampled along parallel lines).
    QString kidney;
    std::optional<double> outsideShare;
    // N: the tumour's gap to the collecting system.
    QString collectingSystem;
    std::optional<double> nearestGap;
    // Entered by the user: 'a', 'p' or 'x', and 1 to 3; 0 while not entered.
    char anterior = 0;
    int polar = 0;

    std::optional<int> radiusScore() const;
    std::optional<int> exophyticScore() const;
    std::optional<int> nearnessScore() const;
    std::optional<int> polarScore() const;
    // R + E + N + L over the parts known, and whether all four are.
    int sum() const;
    bool complete() const;
};

// The score bands, in millimetres and as a share.
int radiusScoreOf(double diameter);
int exophyticScoreOf(double outsideShare);
int nearnessScoreOf(double gap);

struct SceneMeasurement
{
    std::vector<ModelReport> models; // in the order of the snapshots measured
    std::vector<StoneBurden> stones;
    std::vector<PresetGap> gaps;
    std::vector<Nephrometry> nephrometry; // one per tumour model
    SideCheck sides;                      // the named sides against the body's midline
    bool withImage = false;               // the image values were measured
    bool cancelled = false;
};

struct SceneOptions
{
    bool selfIntersection = true;
    const std::atomic<bool> *cancel = nullptr;
    const ImageVolume *image = nullptr; // the scan the surfaces were made on, if any
    // The midline the sides are checked against, when the caller found it
    // (over more models than it measures); else found from the image and the
    // models measured.
    std::optional<body::Midline> midline {};
};

SceneMeasurement measureScene(const std::vector<ModelSnapshot> &models,
                              const SceneOptions &options = {});

// The gap between two models, as the "Closest gap" command measures it.
Gap measureGap(const ModelSnapshot &a, const ModelSnapshot &b);

// The image values inside a model's surface; none when it encloses no volume.
std::optional<HuStatistics> measureHu(const ModelSnapshot &model, const ImageVolume &image);

// The share of the closed surface's solid outside the convex hull: 0 exactly
// when every corner lies in the hull, otherwise estimated over a grid of
// `lines` x `lines` lines parallel to z through the solid's box, each cut
// exactly by both. No answer for an empty solid or a flat hull.
std::optional<double> shareOutsideHull(const TriangleSurface &closed, const ConvexHull &hull,
                                       int lines = 128);

} // namespace measure
