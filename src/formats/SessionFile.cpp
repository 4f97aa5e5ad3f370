#include "SessionFile.h"

#include "OutputFile.h"
#include "model/ModelClass.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cfloat>
#include <cmath>

#include <sys/stat.h>

namespace {

// No session comes near this: a plan of a thousand models is some 300 kB.
constexpr qint64 kMaxSessionBytes = 16 << 20;

// The translation context of the session's messages: Text::tr("...").
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Session)
};

// A value of the wrong kind or out of range: the first one met stops the
// reading, named by its place in the file ("models[2].opacity").
struct Refusal
{
    QString text;
};

[[noreturn]] void refuse(const QString &where, const QString &what)
{
    throw Refusal {Text::tr("%1 %2").arg(where, what)};
}

double number(const QJsonValue &value, const QString &where, double low, double high)
{
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        refuse(where, Text::tr("must be a number"));
    const double x = value.toDouble();
    if (x < low || x > high)
        refuse(where, Text::tr("must be from %1 to %2").arg(low).arg(high));
    return x;
}

bool boolean(const QJsonValue &value, const QString &where)
{
    if (!value.isBool())
        refuse(where, Text::tr("must be true or false"));
    return value.toBool();
}

QString text(const QJsonValue &value, const QString &where)
{
    if (!value.isString())
        refuse(where, Text::tr("must be a string"));
    return value.toString();
}

QJsonObject object(const QJsonValue &value, const QString &where)
{
    if (!value.isObject())
        refuse(where, Text::tr("must be an object"));
    return value.toObject();
}

QJsonArray array(const QJsonValue &value, const QString &where)
{
    if (!value.isArray())
        refuse(where, Text::tr("must be a list"));
    return value.toArray();
}

template<std::size_t N>
std::array<double, N> numbers(const QJsonValue &value, const QString &where, double low = -HUGE_VAL,
                              double high = HUGE_VAL)
{
    const QJsonArray list = array(value, where);
    if (list.size() != qsizetype(N))
        refuse(where, Text::tr("must hold %1 numbers").arg(N));
    std::array<double, N> out {};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = number(list[qsizetype(i)], where, low, high);
    return out;
}

int choice(const QJsonValue &value, const QString &where, const char *const *names, int count)
{
    const QString word = text(value, where);
    for (int i = 0; i < count; ++i)
        if (word == QLatin1String(names[i]))
            return i;
    QStringList all;
    for (int i = 0; i < count; ++i)
        all << QLatin1String(names[i]);
    refuse(where, Text::tr("must be one of %1").arg(all.join(QStringLiteral(", "))));
}

// "where.key": the place of a value in the file, for the refusals.
QString field(const QString &where, const char *key)
{
    return where + QLatin1Char('.') + QLatin1String(key);
}

QString place(const QString &list, qsizetype i, const char *key)
{
    return QStringLiteral("%1[%2].%3").arg(list).arg(i).arg(QLatin1String(key));
}

// A file name of the session: absolute as given, else from the session's folder.
QString filePath(const QJsonValue &value, const QString &where, const QString &folder)
{
    const QString name = text(value, where);
    if (name.isEmpty())
        refuse(where, Text::tr("must name a file"));
    return QDir::cleanPath(QDir(folder).absoluteFilePath(name));
}

SessionCut readCut(const QJsonObject &o, const QString &where)
{
    SessionCut cut;
    const auto point = numbers<3>(o["point"], field(where, "point"));
    const auto normal = numbers<3>(o["normal"], field(where, "normal"));
    std::copy(point.begin(), point.end(), cut.point.begin());
    std::copy(normal.begin(), normal.end(), cut.normal.begin());
    if (std::hypot(normal[0], normal[1], normal[2]) < 1e-12)
        refuse(field(where, "normal"), Text::tr("must not be zero"));
    cut.include = o.contains("include") && boolean(o["include"], field(where, "include"));
    cut.invert = o.contains("invert") && boolean(o["invert"], field(where, "invert"));
    return cut;
}

SessionModel readModel(const QJsonObject &o, qsizetype i, const QString &folder)
{
    SessionModel m;
    m.file = filePath(o["file"], place("models", i, "file"), folder);
    if (o.contains("name"))
        m.name = text(o["name"], place("models", i, "name"));
    if (o.contains("shown_name"))
        m.shownName = text(o["shown_name"], place("models", i, "shown_name"));
    if (o.contains("color")) {
        const auto rgb = numbers<3>(o["color"], place("models", i, "color"));
        std::array<int, 3> color {};
        for (int k = 0; k < 3; ++k) {
            if (rgb[k] < 0 || rgb[k] > 255)
                refuse(place("models", i, "color"), Text::tr("must hold numbers from 0 to 255"));
            color[k] = int(std::lround(rgb[k]));
        }
        m.color = color;
    }
    if (o.contains("opacity"))
        m.opacity = number(o["opacity"], place("models", i, "opacity"), 0, 1);
    if (o.contains("visible"))
        m.visible = boolean(o["visible"], place("models", i, "visible"));
    if (o.contains("faces"))
        m.faces = choice(o["faces"], place("models", i, "faces"), kSessionFaces, 6);
    if (o.contains("edges"))
        m.edges = choice(o["edges"], place("models", i, "edges"), kSessionEdges, 3);
    if (o.contains("points"))
        m.points = boolean(o["points"], place("models", i, "points"));
    if (o.contains("cut"))
        m.cut = readCut(object(o["cut"], place("models", i, "cut")), place("models", i, "cut"));
    return m;
}

SessionCamera readCamera(const QJsonObject &o)
{
    SessionCamera c;
    c.position = numbers<3>(o["position"], QStringLiteral("camera.position"));
    c.focalPoint = numbers<3>(o["focal_point"], QStringLiteral("camera.focal_point"));
    c.viewUp = numbers<3>(o["view_up"], QStringLiteral("camera.view_up"));
    c.viewAngle = number(o["view_angle"], QStringLiteral("camera.view_angle"), 1e-3, 179);
    const Triple d {c.focalPoint[0] - c.position[0], c.focalPoint[1] - c.position[1],
                    c.focalPoint[2] - c.position[2]};
    const Triple &u = c.viewUp;
    const double across =
        std::hypot(d[1] * u[2] - d[2] * u[1], d[2] * u[0] - d[0] * u[2], d[0] * u[1] - d[1] * u[0]);
    if (!(across > 1e-12 * std::hypot(d[0], d[1], d[2]) * std::hypot(u[0], u[1], u[2])))
        refuse(QStringLiteral("camera"),
               Text::tr("must look from its position to a different focal point, with view_up "
                        "across the line of sight"));
    if (o.contains("parallel_scale"))
        c.parallelScale =
            number(o["parallel_scale"], QStringLiteral("camera.parallel_scale"), 1e-9, HUGE_VAL);
    if (o.contains("model_view") && o.contains("zoom")) {
        const auto m =
            numbers<16>(o["model_view"], QStringLiteral("camera.model_view"), -FLT_MAX, FLT_MAX);
        std::array<float, 16> matrix {};
        for (int k = 0; k < 16; ++k)
            matrix[k] = float(m[k]);
        c.modelView = matrix;
        c.zoom = float(number(o["zoom"], QStringLiteral("camera.zoom"), 1e-30, FLT_MAX));
    }
    return c;
}

SessionImage readImage(const QJsonObject &o, const QString &folder)
{
    SessionImage image;
    image.file = filePath(o["file"], QStringLiteral("image.file"), folder);
    if (o.contains("series"))
        image.series = text(o["series"], QStringLiteral("image.series"));
    if (o.contains("window"))
        image.window = number(o["window"], QStringLiteral("image.window"), 1e-9, HUGE_VAL);
    if (o.contains("level"))
        image.level = number(o["level"], QStringLiteral("image.level"), -HUGE_VAL, HUGE_VAL);
    const QJsonObject slices =
        o.contains("slices") ? object(o["slices"], QStringLiteral("image.slices")) : QJsonObject();
    for (int k = 0; k < 3; ++k) {
        const QString where = QStringLiteral("image.slices.") + QLatin1String(kSessionSlices[k]);
        if (!slices.contains(QLatin1String(kSessionSlices[k])))
            continue;
        const QJsonObject plane = object(slices[QLatin1String(kSessionSlices[k])], where);
        if (plane.contains("index"))
            image.index[k] = qint64(number(plane["index"], field(where, "index"), 0, 1e12));
        if (plane.contains("shown"))
            image.shown[k] = boolean(plane["shown"], field(where, "shown"));
    }
    return image;
}

void readScores(const QJsonObject &root, Session &session)
{
    const QJsonArray renal = root.contains("nephrometry")
        ? array(root["nephrometry"], QStringLiteral("nephrometry"))
        : QJsonArray();
    for (qsizetype i = 0; i < renal.size(); ++i) {
        const QJsonObject o = object(renal[i], QStringLiteral("nephrometry[%1]").arg(i));
        SessionRenal r;
        r.tumour = text(o["tumour"], place("nephrometry", i, "tumour"));
        if (o.contains("anterior")) {
            const char *const sides[] = {"", "a", "p", "x"};
            r.anterior =
                "\0apx"[choice(o["anterior"], place("nephrometry", i, "anterior"), sides, 4)];
        }
        if (o.contains("polar"))
            r.polar = int(number(o["polar"], place("nephrometry", i, "polar"), 0, 3));
        session.nephrometry << r;
    }
    const QJsonArray stones = root.contains("stone_score")
        ? array(root["stone_score"], QStringLiteral("stone_score"))
        : QJsonArray();
    for (qsizetype i = 0; i < stones.size(); ++i) {
        const QJsonObject o = object(stones[i], QStringLiteral("stone_score[%1]").arg(i));
        SessionStoneScore s;
        s.stones = text(o["stones"], place("stone_score", i, "stones"));
        if (o.contains("obstruction"))
            s.obstruction =
                int(number(o["obstruction"], place("stone_score", i, "obstruction"), 0, 2));
        if (o.contains("calyces"))
            s.calyces = int(number(o["calyces"], place("stone_score", i, "calyces"), 0, 3));
        session.stoneScores << s;
    }
}

void readSessionObject(const QJsonObject &root, const QString &folder, Session &session)
{
    const QJsonValue version = root["tessaron_session"];
    if (!version.isDouble())
        throw Refusal {Text::tr("This is not a Tessaron session: it has no \"tessaron_session\" "
                                "version.")};
    if (version.toDouble() != kSessionVersion)
        throw Refusal {Text::tr("The session is of version %1; this Tessaron reads version %2.")
                           .arg(version.toVariant().toString())
                           .arg(kSessionVersion)};
    const QJsonArray models = array(root["models"], QStringLiteral("models"));
    for (qsizetype i = 0; i < models.size(); ++i)
        session.models << readModel(object(models[i], QStringLiteral("models[%1]").arg(i)), i,
                                    folder);
    if (root.contains("camera"))
        session.camera = readCamera(object(root["camera"], QStringLiteral("camera")));
    if (root.contains("image"))
        session.image = readImage(object(root["image"], QStringLiteral("image")), folder);
    readScores(root, session);
    if (root.contains("gap")) {
        const QJsonObject o = object(root["gap"], QStringLiteral("gap"));
        SessionGap gap;
        gap.from = text(o["from"], QStringLiteral("gap.from"));
        gap.to = text(o["to"], QStringLiteral("gap.to"));
        if (o.contains("stone"))
            gap.stone = int(number(o["stone"], QStringLiteral("gap.stone"), 0, 1e9));
        gap.closest = o.contains("closest") && boolean(o["closest"], QStringLiteral("gap.closest"));
        session.gap = gap;
    }
}

} // namespace

bool parseSession(const QByteArray &bytes, const QString &folder, Session &session, QString &error)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = Text::tr("The session is not valid JSON: %1 at byte %2.")
                    .arg(parse.errorString())
                    .arg(parse.offset);
        return false;
    }
    if (!document.isObject()) {
        error = Text::tr("This is not a Tessaron session: it has no \"tessaron_session\" version.");
        return false;
    }
    Session read;
    try {
        readSessionObject(document.object(), folder, read);
    } catch (const Refusal &refusal) {
        error = refusal.text;
        return false;
    }
    session = std::move(read);
    return true;
}

bool readSession(const QString &path, Session &session, QString &error)
{
    // A pipe or a device would block the read or never end: only regular
    // files are sessions.
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        error = Text::tr("This is not a regular file, so it holds no session.");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.size() > kMaxSessionBytes) {
        error = Text::tr("The file is %1 bytes, more than any session holds.").arg(file.size());
        return false;
    }
    const QByteArray bytes = file.read(kMaxSessionBytes + 1);
    return parseSession(bytes, QFileInfo(path).absolutePath(), session, error);
}
