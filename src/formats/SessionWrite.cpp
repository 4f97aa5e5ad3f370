// The session's JSON: written by Save Session, and the looks it gives a model.

#include "OutputFile.h"
#include "SessionFile.h"
#include "model/ModelClass.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

template<typename T, std::size_t N> QJsonArray list(const std::array<T, N> &values)
{
    QJsonArray out;
    for (const T &v : values)
        out.append(double(v));
    return out;
}

// A file below the session's folder by its relative name, so that the plan
// can move with its files; any other by its absolute one.
QString relative(const QString &file, const QString &folder)
{
    const QString name = QDir(folder).relativeFilePath(file);
    return name.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(name) ? file : name;
}

QJsonObject modelJson(const SessionModel &m, const QString &folder)
{
    QJsonObject o {
        {"file", relative(m.file, folder)}, {"opacity", m.opacity}, {"visible", m.visible}};
    if (!m.name.isEmpty())
        o["name"] = m.name;
    if (!m.shownName.isEmpty())
        o["shown_name"] = m.shownName;
    if (m.color)
        o["color"] = list(*m.color);
    if (m.faces && *m.faces >= 0 && *m.faces < 6)
        o["faces"] = QLatin1String(kSessionFaces[*m.faces]);
    if (m.edges && *m.edges >= 0 && *m.edges < 3)
        o["edges"] = QLatin1String(kSessionEdges[*m.edges]);
    if (m.points)
        o["points"] = *m.points;
    if (m.cut)
        o["cut"] = QJsonObject {{"point", list(m.cut->point)},
                                {"normal", list(m.cut->normal)},
                                {"include", m.cut->include},
                                {"invert", m.cut->invert}};
    return o;
}

QJsonObject cameraJson(const SessionCamera &c)
{
    QJsonObject o {{"position", list(c.position)},
                   {"focal_point", list(c.focalPoint)},
                   {"view_up", list(c.viewUp)},
                   {"view_angle", c.viewAngle}};
    if (c.parallelScale)
        o["parallel_scale"] = *c.parallelScale;
    if (c.modelView && c.zoom) {
        o["model_view"] = list(*c.modelView);
        o["zoom"] = double(*c.zoom);
    }
    return o;
}

QJsonObject imageJson(const SessionImage &image, const QString &folder)
{
    QJsonObject o {{"file", relative(image.file, folder)}};
    if (!image.series.isEmpty())
        o["series"] = image.series;
    if (image.window)
        o["window"] = *image.window;
    if (image.level)
        o["level"] = *image.level;
    QJsonObject slices;
    for (int k = 0; k < 3; ++k) {
        QJsonObject plane {{"shown", image.shown[k]}};
        if (image.index[k])
            plane["index"] = double(*image.index[k]);
        slices[QLatin1String(kSessionSlices[k])] = plane;
    }
    o["slices"] = slices;
    return o;
}

void addScores(const Session &session, QJsonObject &root)
{
    QJsonArray renal;
    for (const SessionRenal &r : session.nephrometry) {
        QJsonObject o {{"tumour", r.tumour}, {"polar", r.polar}};
        if (r.anterior)
            o["anterior"] = QString(QLatin1Char(r.anterior));
        renal.append(o);
    }
    if (!renal.isEmpty())
        root["nephrometry"] = renal;
    QJsonArray stones;
    for (const SessionStoneScore &s : session.stoneScores)
        stones.append(QJsonObject {
            {"stones", s.stones}, {"obstruction", s.obstruction}, {"calyces", s.calyces}});
    if (!stones.isEmpty())
        root["stone_score"] = stones;
}

// The version key goes first (a JSON object sorts its keys), so that the
// file's first bytes say what it is whatever its name.
QByteArray withVersionFirst(QByteArray json)
{
    const QByteArray key =
        QByteArray("\n    \"tessaron_session\": ") + QByteArray::number(kSessionVersion) + ',';
    return json.insert(json.indexOf('{') + 1, key);
}

} // namespace

QByteArray sessionJson(const Session &session, const QString &folder)
{
    QJsonArray models;
    for (const SessionModel &m : session.models)
        models.append(modelJson(m, folder));
    QJsonObject root {{"models", models}};
    if (session.camera)
        root["camera"] = cameraJson(*session.camera);
    if (session.image)
        root["image"] = imageJson(*session.image, folder);
    addScores(session, root);
    if (session.gap) {
        QJsonObject gap {
            {"from", session.gap->from}, {"to", session.gap->to}, {"stone", session.gap->stone}};
        if (session.gap->closest)
            gap["closest"] = true;
        root["gap"] = gap;
    }
    return withVersionFirst(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

qint32 writeSession(const QString &path, const Session &session)
{
    OutputFile file(path, true);
    if (!file.isOpen())
        return errOpen;
    file.out().text(sessionJson(session, QFileInfo(path).absolutePath()).toStdString());
    return file.commit() ? errNone : errOpen;
}

void applySessionLooks(ModelClass &model, const SessionModel &entry)
{
    if (entry.color) {
        model.setColor((*entry.color)[0], (*entry.color)[1], (*entry.color)[2]);
        model.OwnColors = 1; // the view's face colours do not replace it
    }
    model.setTransparency(entry.opacity < 1.0, entry.opacity);
    model.Visible = entry.visible;
}

double parallelScaleOf(const SessionCamera &camera)
{
    if (camera.parallelScale)
        return *camera.parallelScale;
    const Triple &p = camera.position, &f = camera.focalPoint;
    const double distance = std::hypot(f[0] - p[0], f[1] - p[1], f[2] - p[2]);
    return distance * std::tan(camera.viewAngle * M_PI / 360);
}
