#pragma once

// The planning session (`.tsn`): a JSON file that holds everything a plan is
// beyond its surfaces, so that it reopens as it was left: which files, and
// how each model looks (colour, opacity, visibility, face and edge modes, its
// cut), the camera, the CT with its window and slices, and what the user
// entered for the scores and the gap they chose. Other programs may write the
// minimum: the version, the models' files and the camera.

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

class ModelClass;

using Triple = std::array<double, 3>;

// A model's plane cut in place: the kept side of the plane, as the Intersect
// panel applies it.
struct SessionCut
{
    Triple point {0, 0, 0};
    Triple normal {0, 0, 1};
    bool include = false;
    bool invert = false;
};

struct SessionModel
{
    QString file;      // absolute once read; relative to the session's folder in the file
    QString name;      // which of the file's models, when it holds several; empty: every one
    QString shownName; // the name the user gave it instead, when they renamed it
    std::optional<std::array<int, 3>> color; // 0..255
    double opacity = 1.0;
    bool visible = true;
    std::optional<int> faces; // colour mode 0 (none) .. 5 (function)
    std::optional<int> edges; // 0 none, 1 contour, 2 surface
    std::optional<bool> points;
    std::optional<SessionCut> cut;
};

// The camera in world millimetres. The view is a parallel projection: the
// focal point is at the centre of the picture, whose half height at it is
// `parallelScale` (from the distance and the view angle when absent). Our own
// files add the view's matrix itself, so that the view comes back to the bit.
struct SessionCamera
{
    Triple position {0, -150, 0};
    Triple focalPoint {0, 0, 0};
    Triple viewUp {0, 0, 1};
    double viewAngle = 30; // degrees, vertical
    std::optional<double> parallelScale;
    std::optional<std::array<float, 16>> modelView; // column-major, world to eye
    std::optional<float> zoom;                      // eye units per millimetre
};

// The image the surfaces were made on, and how its slices were shown.
struct SessionImage
{
    QString file; // absolute once read
    QString series;
    std::optional<double> window, level;
    std::array<std::optional<qint64>, 3> index; // sagittal, coronal, axial
    std::array<bool, 3> shown {true, true, true};
};

// The A and L the user entered for a tumour's R.E.N.A.L. score.
struct SessionRenal
{
    QString tumour;
    char anterior = 0; // 'a', 'p', 'x'; 0 not entered
    int polar = 0;     // 1..3; 0 not entered
};

// The O and N the user entered for a stones model's S.T.O.N.E. score.
struct SessionStoneScore
{
    QString stones;
    int obstruction = 0;
    int calyces = 0;
};

// The gap shown in the view: a row of the Measurements panel's gaps, between
// two models, from a stone when `stone` numbers one (from 1); or, `closest`,
// the closest gap of two models the user chose.
struct SessionGap
{
    QString from, to;
    int stone = 0;
    bool closest = false;
};

struct Session
{
    int version = 1;
    QList<SessionModel> models;
    std::optional<SessionCamera> camera;
    std::optional<SessionImage> image;
    QList<SessionRenal> nephrometry;
    QList<SessionStoneScore> stoneScores;
    std::optional<SessionGap> gap;
};

// The version this program writes and reads.
inline constexpr int kSessionVersion = 1;

// The words of the file for a model's colour mode, edge mode and the slices.
inline constexpr const char *kSessionFaces[] = {"none",   "normal",   "surface",
                                                "hidden", "material", "function"};
inline constexpr const char *kSessionEdges[] = {"none", "contour", "surface"};
inline constexpr const char *kSessionSlices[] = {"sagittal", "coronal", "axial"};

// Reads a session from its bytes; relative file names are taken from
// `folder`. False, with the reason in `error`, for malformed JSON, another
// version or a value of the wrong kind or out of its range.
bool parseSession(const QByteArray &bytes, const QString &folder, Session &session, QString &error);
// Reads a session file; a file larger than any session is refused unread.
bool readSession(const QString &path, Session &session, QString &error);

// The session as JSON, file names relative to `folder` where they lie below it.
QByteArray sessionJson(const Session &session, const QString &folder);
// Writes the session through a partial file that replaces the target only
// when complete; 0, or a code of `errors`.
qint32 writeSession(const QString &path, const Session &session);

// The model's colour, opacity and visibility as the session gives them.
void applySessionLooks(ModelClass &model, const SessionModel &entry);

// The camera's parallel scale (half height in millimetres at the focal point).
double parallelScaleOf(const SessionCamera &camera);
