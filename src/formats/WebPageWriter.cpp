#include "WebPageWriter.h"

#include "FileKinds.h"
#include "GltfMesh.h"
#include "OutputFile.h"
#include "WebGlb.h"
#include "geometry/Status.h"
#include "model/ModelClass.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// The page's own files and the modules of the 3-D library, compiled in as
// resources; each library module under the name its importers use.
const char *const kLibraryModules[][2] = {
    {"three", ":/webpage/lib/three.module.min.js"},
    {"BufferGeometryUtils.js", ":/webpage/lib/BufferGeometryUtils.js"},
    {"GLTFLoader.js", ":/webpage/lib/GLTFLoader.js"},
    {"OrbitControls.js", ":/webpage/lib/OrbitControls.js"},
    {"meshopt_decoder.module.js", ":/webpage/lib/meshopt_decoder.module.js"},
    {"page.js", ":/webpage/page.js"},
};

// A text of the page in the interface language (marked for the catalogue
// where it is written).
QString translated(const char *text)
{
    return QCoreApplication::translate("WebPage", text);
}

QByteArray resource(const char *name)
{
    QFile file(QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Deflated (zlib's format, which the browser's DecompressionStream reads)
// and in base64, with the length it unpacks to.
struct Packed
{
    QByteArray base64;
    qint64 bytes = 0;
};

Packed deflated(const QByteArray &data)
{
    // qCompress puts the length before the zlib stream; the page needs only the stream.
    const QByteArray z = qCompress(data, 9);
    if (z.size() < 4)
        throw errNoMemory;
    return {z.mid(4).toBase64(), data.size()};
}

// The library's modules as one JSON object of sources, packed once.
const Packed &library()
{
    static const Packed packed = [] {
        QJsonObject sources;
        for (const auto &[name, path] : kLibraryModules) {
            const QByteArray source = resource(path);
            if (source.isEmpty())
                return Packed {};
            sources[QLatin1String(name)] = QString::fromUtf8(source);
        }
        return deflated(QJsonDocument(sources).toJson(QJsonDocument::Compact));
    }();
    return packed;
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// JSON inside a script element: "<" written as an escape, so that no text of
// it can end the element.
QString scriptJson(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact))
        .replace(QLatin1Char('<'), QLatin1String("\\u003c"));
}

QJsonArray gltfTriple(const double world[3], double scale)
{
    double out[3];
    toGltfFrame(world, out, scale);
    return {out[0], out[1], out[2]};
}

QString colourText(const int rgb[3])
{
    return QStringLiteral("#%1%2%3")
        .arg(rgb[0], 2, 16, QLatin1Char('0'))
        .arg(rgb[1], 2, 16, QLatin1Char('0'))
        .arg(rgb[2], 2, 16, QLatin1Char('0'));
}

QString modelRows(const QList<WebGlbModel> &models)
{
    QString out;
    for (int i = 0; i < models.size(); ++i) {
        const WebGlbModel &m = models[i];
        const QString name = escaped(m.name);
        out += QStringLiteral("<li><span class=\"swatch\" style=\"background:%1\"></span>"
                              "<label><input type=\"checkbox\" data-model=\"%2\" "
                              "data-index=\"%3\" checked>%2</label>"
                              "<input type=\"range\" data-model=\"%2\" data-index=\"%3\" "
                              "min=\"0\" max=\"1\" step=\"0.01\" value=\"%4\" "
                              "aria-label=\"%5\"></li>\n")
                   .arg(colourText(m.colour), name)
                   .arg(i)
                   .arg(m.opacity, 0, 'g', 3)
                   .arg(escaped(
                       translated(QT_TRANSLATE_NOOP("WebPage", "Opacity of %1")).arg(m.name)));
    }
    return out;
}

QString cells(const QStringList &texts, const char *tag)
{
    QString out;
    for (const QString &text : texts)
        out += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), escaped(text));
    return out;
}

QString tablesHtml(const QList<WebPageTable> &tables)
{
    QString out = QStringLiteral("<h2>%1</h2>\n")
                      .arg(escaped(translated(QT_TRANSLATE_NOOP("WebPage", "Measurements"))));
    for (const WebPageTable &table : tables) {
        out +=
            QStringLiteral("<h3>%1</h3>\n<div class=\"scroll\"><table>").arg(escaped(table.title));
        out += QStringLiteral("<thead><tr>%1</tr></thead><tbody>").arg(cells(table.header, "th"));
        for (const QStringList &row : table.rows)
            out += QStringLiteral("<tr>%1</tr>").arg(cells(row, "td"));
        out += QStringLiteral("</tbody></table></div>\n");
        if (!table.note.isEmpty())
            out += QStringLiteral("<p class=\"note\">%1</p>\n").arg(escaped(table.note));
    }
    return out;
}

QJsonObject planJson(const WebPage &page, const WebGlb &glb)
{
    const GltfCamera &c = page.camera;
    const QJsonObject camera {{"position", gltfTriple(c.position, kGltfMetres)},
                              {"target", gltfTriple(c.target, kGltfMetres)},
                              {"up", gltfTriple(c.up, 1)},
                              {"fov", c.yfovDegrees},
                              {"aspect", c.aspect}};
    QJsonArray models;
    for (int i = 0; i < glb.models.size(); ++i)
        models << QJsonObject {{"index", i}, {"node", glb.models[i].node}};
    const auto letter = [](const char *text) {
        return QCoreApplication::translate("Orientation", text);
    };
    const QJsonObject letters {{"right", letter("R")},    {"left", letter("L")},
                               {"anterior", letter("A")}, {"posterior", letter("P")},
                               {"superior", letter("S")}, {"inferior", letter("I")}};
    const QJsonObject box {{"low", QJsonArray {glb.low[0], glb.low[1], glb.low[2]}},
                           {"high", QJsonArray {glb.high[0], glb.high[1], glb.high[2]}}};
    return {{"camera", camera}, {"models", models}, {"letters", letters}, {"box", box}};
}

QString noticeHtml(const WebGlb &glb)
{
    if (!glb.reduced)
        return QString();
    return QStringLiteral("<p class=\"notice\" id=\"reduced\">%1</p>")
        .arg(escaped(
            translated(QT_TRANSLATE_NOOP(
                           "WebPage",
                           "The plan has more than %1 triangles: every large surface is shown in "
                           "reduced form (%2 triangles in all)."))
                .arg(QLocale::c().toString(kWebPageWholeTriangles))
                .arg(QLocale::c().toString(glb.triangles))));
}

// The template with every @NAME@ replaced by its part (an unknown name is kept).
QString filled(const QString &pageTemplate, const QHash<QString, QString> &parts)
{
    static const QRegularExpression placeholder(QStringLiteral("@([A-Z_]+)@"));
    QString out;
    qsizetype from = 0;
    for (auto it = placeholder.globalMatch(pageTemplate); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += pageTemplate.mid(from, m.capturedStart() - from);
        out += parts.value(m.captured(1), m.captured(0));
        from = m.capturedEnd();
    }
    return out + pageTemplate.mid(from);
}

QString pageText(const WebPage &page, const WebGlb &glb)
{
    const Packed scene = deflated(glb.bytes);
    const Packed &lib = library();
    const QHash<QString, QString> parts {
        // The language tag of the page's texts: "ru" in the Russian catalogue.
        {"LANG", escaped(translated(QT_TRANSLATE_NOOP("WebPage", "en")))},
        {"TITLE", escaped(page.title)},
        {"CSS", QString::fromUtf8(resource(":/webpage/page.css"))},
        {"NOTICE", noticeHtml(glb)},
        {"VIEW_LABEL", escaped(translated(QT_TRANSLATE_NOOP("WebPage", "3-D view of the plan")))},
        {"RESET", escaped(translated(QT_TRANSLATE_NOOP("WebPage", "Reset view")))},
        {"MODELS_HEADING", escaped(translated(QT_TRANSLATE_NOOP("WebPage", "Models")))},
        {"MODEL_ROWS", modelRows(glb.models)},
        {"TABLES", tablesHtml(page.tables)},
        {"DISCLAIMER",
         escaped(QCoreApplication::translate(
             "CaseSheet", "Measurements from the surfaces as loaded; not a diagnosis."))},
        {"PLAN", scriptJson(planJson(page, glb))},
        {"LIBRARY", QString::fromLatin1(lib.base64)},
        {"LIBRARY_BYTES", QString::number(lib.bytes)},
        {"SCENE", QString::fromLatin1(scene.base64)},
        {"SCENE_BYTES", QString::number(scene.bytes)},
        {"BOOT", QString::fromUtf8(resource(":/webpage/boot.js"))},
    };
    return filled(QString::fromUtf8(resource(":/webpage/page.html")), parts);
}

} // namespace

QString webPageUnavailable()
{
    if (!library().base64.isEmpty() && QFile::exists(QStringLiteral(":/webpage/page.html")))
        return QString();
    return translated(
        QT_TRANSLATE_NOOP("WebPage",
                          "this build of Tessaron carries no 3-D library for web pages "
                          "(scripts/install-deps.sh installs it; then build again)"));
}

qint32 writeWebPage(const WebPage &page, const QString &fileName)
{
    if (fileName.isEmpty())
        return errNone;
    OutputFile file(outputFileName(fileName, webPageEnding()), false);
    if (!file.isOpen())
        return errOpen;
    if (!webPageUnavailable().isEmpty())
        return errOpen;
    const qint32 status = runGuarded("writeWebPage", [&] {
        const WebGlb glb = buildWebGlb(page.models, page.camera);
        file.out().utf8(pageText(page, glb));
    });
    if (status != errNone)
        return status;
    return file.commit() ? errNone : errOpen;
}
