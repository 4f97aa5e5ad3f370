// The web page of a plan: its size beside the plain GLB of the same scene,
// the time to write it, and the time to its first frame in Chromium, for the
// sample plan (through tessaron-cli convert) and a closed surface of one
// million triangles. Every figure is printed as one line
// "BENCH <case> <value> <unit>"; the browser's figures are skipped with a
// message where Chromium or puppeteer-core is missing.

#include "BenchReport.h"
#include "SyntheticMeshes.h"
#include "formats/GltfWriter.h"
#include "formats/WebPageWriter.h"
#include "model/ModelClass.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double megabytes(const QString &path)
{
    return double(QFileInfo(path).size()) / 1e6;
}

bool runCli(const QStringList &args)
{
    return QProcess::execute(QStringLiteral(TESSARON_CLI), args) == 0;
}

void samplePlan(const QTemporaryDir &dir, QStringList &pages)
{
    const QString page = dir.filePath(QStringLiteral("sample.html"));
    const QString glb = dir.filePath(QStringLiteral("sample.glb"));
    double took = 0;
    bool ok = false;
    took = seconds([&] { ok = runCli({"convert", TESSARON_SAMPLE_SCENE, page}); });
    if (!ok || !runCli({"convert", TESSARON_SAMPLE_SCENE, glb})) {
        std::printf("bench_web: the sample's page cannot be written\n");
        return;
    }
    report(QStringLiteral("web_page_sample_size"), megabytes(page), "MB");
    report(QStringLiteral("web_page_sample_glb_size"), megabytes(glb), "MB");
    report(QStringLiteral("web_page_sample_convert"), took, "s");
    pages << QStringLiteral("sample=") + page;
}

void millionTriangles(const QTemporaryDir &dir, QStringList &pages)
{
    ModelClass model;
    model.Name = QStringLiteral("Torus");
    model.Meshes.append(makeTorusSurface(1'000'000));
    const QList<const ModelClass *> models {&model};
    WebPage plan;
    plan.title = QStringLiteral("One million triangles");
    plan.models = models;
    plan.camera = framingCamera(models);
    const QString page = dir.filePath(QStringLiteral("million.html"));
    const QString glb = dir.filePath(QStringLiteral("million.glb"));
    qint32 status = 0;
    const double took = seconds([&] { status = writeWebPage(plan, page); });
    if (status != 0 || writeGltfScene(models, &plan.camera, glb) != 0) {
        std::printf("bench_web: the 1M-triangle page cannot be written\n");
        return;
    }
    report(QStringLiteral("web_page_1M_size"), megabytes(page), "MB");
    report(QStringLiteral("web_page_1M_glb_size"), megabytes(glb), "MB");
    report(QStringLiteral("web_page_1M_size_over_glb"), megabytes(page) / megabytes(glb), "x");
    report(QStringLiteral("web_page_1M_write"), took, "s");
    pages << QStringLiteral("1M=") + page;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList pages;
    samplePlan(dir, pages);
    millionTriangles(dir, pages);
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (node.isEmpty() || pages.isEmpty()) {
        std::printf("bench_web: no node, no first frames\n");
        return 0;
    }
    std::fflush(stdout);
    QProcess::execute(
        node,
        QStringList {QStringLiteral(TESSARON_WEB_FIRST_FRAME), QStringLiteral(TESSARON_WEB_MODULES)}
            + pages);
    return 0;
}
