// glTF's frame: balls at the patient's right, front and head written as a
// GLB stand where glTF puts right, front and up (checked in the file's own
// accessors and in another viewer's picture) and are read back in place; the
// camera stands before the patient, or looks as a session's view does, and
// holds every vertex.

#include "cli/CliRun.h"
#include "formats/GltfScene.h"
#include "formats/GltfValidate.h"
#include "formats/GltfWriter.h"
#include "formats/SessionFile.h"
#include "import/Importer.h"
#include "model/MeshBuilders.h"
#include "model/ModelClass.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef TESSARON_READS_PICTURES
#include <QImage>
#endif

namespace {

struct Ball
{
    const char *name;
    double centre[3]; // world millimetres
    int rgb[3];
};

// Radius 5 mm each: at the patient's right, in front, above; a fourth in
// front and far to the right, nearer a camera before the patient than the
// rest and the widest of them.
constexpr Ball kBalls[] = {{"right", {40, 0, 0}, {255, 0, 0}},
                           {"anterior", {0, 40, 0}, {0, 255, 0}},
                           {"superior", {0, 0, 40}, {0, 0, 255}},
                           {"front right", {65, 60, 0}, {255, 255, 0}}};
constexpr double kRadius = 5;

std::unique_ptr<ModelClass> ballModel(const Ball &ball)
{
    auto model = std::make_unique<ModelClass>();
    model->Name = ball.name;
    model->Meshes.append(octahedronBlock(ball.centre[0], ball.centre[1], ball.centre[2], kRadius));
    model->setColor(ball.rgb[0], ball.rgb[1], ball.rgb[2]);
    return model;
}

std::vector<std::unique_ptr<ModelClass>> balls(int count)
{
    std::vector<std::unique_ptr<ModelClass>> models;
    for (int b = 0; b < count; ++b)
        models.push_back(ballModel(kBalls[b]));
    return models;
}

// Where glTF's frame puts a place of ours: (-x, z, y) in metres.
std::vector<double> gltfPlace(const double *world)
{
    return {-world[0] / 1000, world[2] / 1000, world[1] / 1000};
}

double dot(const double *a, const std::vector<double> &b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void verifyNear(const double *actual, const std::vector<double> &expected, double tolerance,
                const char *what)
{
    for (int k = 0; k < 3; ++k)
        QVERIFY2(std::abs(actual[k] - expected[size_t(k)]) < tolerance,
                 qPrintable(QString("%1 [%2]: %3, not %4")
                                .arg(what)
                                .arg(k)
                                .arg(actual[k])
                                .arg(expected[size_t(k)])));
}

} // namespace

class TestGltfFrame : public QObject
{
    Q_OBJECT

private slots:
    void ballsStandUpright();
    void sessionCameraFramesThePlan();
    void anotherViewerShowsThePatientStanding();

private:
    QTemporaryDir dir;
};

// Every ball's accessor bounds sit at (-x, z, y) / 1000, its normals point
// out of it; the camera stands on glTF's +Z looking along -Z with +Y up and
// holds every vertex; the import puts every ball back where it was.
void TestGltfFrame::ballsStandUpright()
{
    const auto models = balls(3);
    const QString path = dir.filePath("balls.glb");
    const GltfCamera camera = framingCamera(pointers(models));
    QCOMPARE(writeGltfScene(pointers(models), &camera, path), 0);
    VALIDATE(path);
    const auto [json, bin] = readGlb(fileBytes(path));
    QVERIFY(!json.isEmpty());
    for (int b = 0; b < 3; ++b) {
        const QJsonObject primitive =
            json["meshes"][json["nodes"][b + 1]["mesh"].toInt()]["primitives"][0].toObject();
        const int position = primitive["attributes"]["POSITION"].toInt();
        const QJsonObject accessor = json["accessors"][position].toObject();
        const std::vector<double> centre = gltfPlace(kBalls[b].centre);
        double middle[3];
        for (int k = 0; k < 3; ++k) {
            middle[k] = (accessor["min"][k].toDouble() + accessor["max"][k].toDouble()) / 2;
            QVERIFY(std::abs(accessor["max"][k].toDouble() - middle[k] - 0.005) < 1e-6);
        }
        verifyNear(middle, centre, 1e-6, kBalls[b].name);
        const std::vector<double> p = accessorPoints(json, bin, position);
        const std::vector<double> n =
            accessorPoints(json, bin, primitive["attributes"]["NORMAL"].toInt());
        for (size_t v = 0; v < p.size(); v += 3) {
            const std::vector<double> out {p[v] - centre[0], p[v + 1] - centre[1],
                                           p[v + 2] - centre[2]};
            QVERIFY2(dot(&n[v], out) > 0, "a normal points into its ball");
        }
    }
    const GltfPicture picture(json);
    verifyNear(picture.forward().data(), {0, 0, -1}, 1e-9, "line of sight");
    verifyNear(picture.up(), {0, 1, 0}, 1e-9, "camera's up");
    verifyNear(picture.right(), {1, 0, 0}, 1e-9, "camera's right");
    QVERIFY(picture.eye[2] > 0.045); // before the anterior ball
    const double largest = largestShare(json, bin);
    QVERIFY2(largest <= 0.95 + 1e-6 && largest > 0.9, qPrintable(QString::number(largest)));

    std::vector<std::unique_ptr<ModelClass>> back;
    const ImportResult result = importModels(path, back, ImportProgress {});
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(back.size(), size_t(3));
    for (int b = 0; b < 3; ++b) {
        const MeshClass &mesh = *back[size_t(b)]->Meshes[0];
        double low[3] = {1e9, 1e9, 1e9}, high[3] = {-1e9, -1e9, -1e9}, middle[3];
        for (qint64 v = 0; v < mesh.CountOfVertices; ++v)
            for (int k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], mesh.Vertices[3 * v + k]);
                high[k] = std::max(high[k], mesh.Vertices[3 * v + k]);
            }
        for (int k = 0; k < 3; ++k)
            middle[k] = (low[k] + high[k]) / 2;
        const double *c = kBalls[b].centre;
        verifyNear(middle, {c[0], c[1], c[2]}, 1e-3, kBalls[b].name);
        QCOMPARE(back[size_t(b)]->Name, QString(kBalls[b].name));
        QCOMPARE(back[size_t(b)]->ModelColor[0], kBalls[b].rgb[0]);
    }
}

// A session's view from the patient's front with a wide angle, as the window
// writes it: the camera keeps its line of sight through the focal point and
// its up, shows the nearest ball as large as the view does, and stands back
// when the view is zoomed in, so that every vertex is in the picture.
void TestGltfFrame::sessionCameraFramesThePlan()
{
    const auto models = balls(4);
    SessionCamera session;
    session.focalPoint = {10, 0, 5};
    session.viewAngle = 50;
    const double tanHalf = std::tan(25 * M_PI / 180);
    const double focal[3] = {10, 0, 5};
    // Upright, and turned 45 degrees about the line of sight (the head towards
    // the upper left of the picture: glTF's up turns towards -X).
    for (const double scale : {50.0, 10.0})
        for (const double roll : {0.0, 1.0}) {
            session.parallelScale = scale;
            session.position = {10, scale / tanHalf, 5};
            session.viewUp = {roll, 0, 1};
            const QString path = dir.filePath("session.glb");
            const GltfCamera camera = viewingCamera(pointers(models), session);
            QCOMPARE(writeGltfScene(pointers(models), &camera, path), 0);
            VALIDATE(path);
            const auto [json, bin] = readGlb(fileBytes(path));
            const GltfPicture picture(json);
            // Looking along -y (the patient's back): glTF's -Z.
            verifyNear(picture.forward().data(), {0, 0, -1}, 1e-9, "line of sight");
            const double n = std::hypot(roll, 1.0);
            verifyNear(picture.up(), {-roll / n, 1 / n, 0}, 1e-9, "camera's up");
            const std::vector<double> centre = picture.local(gltfPlace(focal).data());
            QVERIFY(std::abs(centre[0]) < 1e-9 && std::abs(centre[1]) < 1e-9);
            const double largest = largestShare(json, bin);
            QVERIFY2(largest <= 0.95 + 1e-6, qPrintable(QString::number(largest)));
            if (scale == 10 && roll == 0) // the front right ball reaches the 4:3 picture's side
                QVERIFY2(largest > 0.94, qPrintable(QString::number(largest)));
            // The front right ball is nearest, 65 mm before the focal point: the
            // picture is ±50 mm high there, as the view is.
            if (scale == 50)
                QVERIFY2(std::abs(-centre[2] - (scale / tanHalf + 65) / 1000) < 1e-9,
                         qPrintable(QString::number(-centre[2])));
        }
}

// f3d's own camera (not the file's) shows glTF's +Y up and looks along -Z:
// the ball at the patient's right is left of the others, the one above the
// head above them.
void TestGltfFrame::anotherViewerShowsThePatientStanding()
{
#ifndef TESSARON_READS_PICTURES
    QSKIP("built without Qt's images (the sanitizer build)");
#else
    const QString f3d = QStandardPaths::findExecutable("f3d");
    if (f3d.isEmpty() || qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("f3d or a display is missing");
    const auto models = balls(3);
    const QString path = dir.filePath("viewer.glb"), png = dir.filePath("viewer.png");
    QCOMPARE(writeGltfScene(pointers(models), nullptr, path), 0);
    const Run run = runProgram(f3d, {"--output", png, "--resolution", "300,300", path});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QImage image(png);
    QCOMPARE(image.size(), QSize(300, 300));
    // The mean place of the pixels where one channel stands out.
    const auto centreOf = [&image](int channel) {
        double x = 0, y = 0;
        int count = 0;
        for (int j = 0; j < image.height(); ++j)
            for (int i = 0; i < image.width(); ++i) {
                const QColor c = image.pixelColor(i, j);
                const int v[3] = {c.red(), c.green(), c.blue()};
                if (v[channel] > 80 && v[channel] > 2 * v[(channel + 1) % 3]
                    && v[channel] > 2 * v[(channel + 2) % 3])
                    x += i, y += j, ++count;
            }
        return count > 20 ? QPointF(x / count, y / count) : QPointF(-1, -1);
    };
    const QPointF right = centreOf(0), anterior = centreOf(1), superior = centreOf(2);
    for (const QPointF &p : {right, anterior, superior})
        QVERIFY2(p.x() >= 0, "a ball is missing from the picture");
    // In perspective the nearer anterior ball moves away from the centre, so
    // each ball is told against both others.
    QVERIFY(right.x() < anterior.x() - 20 && right.x() < superior.x() - 20);
    QVERIFY(superior.y() < anterior.y() - 20 && superior.y() < right.y() - 20);
#endif
}

QTEST_GUILESS_MAIN(TestGltfFrame)
#include "test_gltf_frame.moc"
