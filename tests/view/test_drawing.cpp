// What the view draws, by the pixels of rendered frames; and the palette.

#include "ViewFixture.h"
#include "model/MaterialColor.h"
#include "model/PlaneCut.h"

namespace {

struct MenuHost : HeadlessHost
{
    QMenu *lightMenu() const override { return &menu; }
    mutable QMenu menu;
};

// Pixel of a model point seen straight on (no rotation), in a frame of w x h.
QPoint toPixel(const ModelClass *model, double x, double y, int w, int h)
{
    const double p[3] = {x, y, 0};
    double eye[3];
    model->Transform->mapPoint(p, eye);
    const double unit = std::min(w, h) / 2.0; // pixels per eye unit
    return QPoint(int(std::lround(w / 2.0 + eye[0] * unit)),
                  int(std::lround(h / 2.0 - eye[1] * unit)));
}

QColor rgb(const Rgba8 &c)
{
    return QColor(c[0], c[1], c[2]);
}

// The unit sphere as quadrangles facing outwards (degenerate at the poles).
ModelClass *makeSphere(int rings = 16, int sectors = 24)
{
    std::vector<double> xyz;
    std::vector<qint32> quads;
    for (int i = 0; i <= rings; ++i)
        for (int j = 0; j < sectors; ++j) {
            const double theta = std::numbers::pi * i / rings;
            const double phi = 2 * std::numbers::pi * j / sectors;
            xyz.insert(xyz.end(),
                       {std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi),
                        std::cos(theta)});
        }
    for (int i = 0; i < rings; ++i)
        for (int j = 0; j < sectors; ++j) {
            const int next = (j + 1) % sectors;
            quads.insert(quads.end(),
                         {i * sectors + j, (i + 1) * sectors + j, (i + 1) * sectors + next,
                          i * sectors + next});
        }
    return makeModel(xyz, Quadrangle, quads);
}

} // namespace

class TestDrawing : public QObject
{
    Q_OBJECT

private slots:
    void paletteTexels();
    void backgroundAndFaceSides();
    void faceModesAndCustomColour();
    void materialAndFunctionColours();
    void transparencyMixesWithTheBackground();
    void transparentModelsShowWhatIsInside();
    void axisLabelsAreBlackAndHiddenBehindModels();
    void cuttingPlanePolygon();
    void clipAndRangeCutHideCells();
    void lightsSwitchFromTheMenu();
    void anaglyphPassesLandInRedAndCyan();
};

void TestDrawing::paletteTexels()
{
    // (The colours of the nine texels show in materialAndFunctionColours.)
    PaletteTexture palette;
    auto texel = [&](int i) {
        const quint8 *t = palette.Texels.data() + 4 * i;
        return std::vector<int> {t[0], t[1], t[2], t[3]};
    };
    palette.Size = 18;
    palette.Alpha = 100;
    palette.buildTexels(0.5f, false);
    QCOMPARE(texel(0), texel(9));
    QCOMPARE(texel(17), (std::vector<int> {229, 0, 0, 100}));
    palette.Size = 9;
    palette.buildTexels(0.5f, true);
    QCOMPARE(texel(0), (std::vector<int> {255, 255, 255, 100}));
    QCOMPARE(texel(6), (std::vector<int> {63, 63, 63, 100}));
    palette.White = 1;
    palette.buildTexels(0.5f, false);
    QCOMPARE(texel(3), (std::vector<int> {255, 255, 255, 100}));
    palette.Size = 0; // keeps the old texels
    palette.buildTexels(0.5f, false);
    QCOMPARE(palette.Texels.size(), size_t(36));
}

void TestDrawing::backgroundAndFaceSides()
{
    ViewUnderTest v(320, 240);
    v.view->State.Config.background = QStringLiteral("#336699");
    colorFromName(v.view->State.Config.background, v.view->State.ClearColor);
    ModelClass *square = v.add(makeSquare());
    v.commands.changeViewFacesSurface();
    QImage frame = v.frame();
    const QColor background(0x33, 0x66, 0x99);
    for (QPoint corner : {QPoint(0, 0), QPoint(319, 0), QPoint(0, 239), QPoint(319, 239)})
        QVERIFY(near(pixel(frame, corner.x(), corner.y()), background, 1));
    // Front faces #0000DD and back faces #00DD00, lit head-on to their full colour.
    QVERIFY(near(pixel(frame, 160, 120), QColor(0, 0, 0xDD)));
    v.commands.addYRotation(std::numbers::pi_v<float>);
    frame = v.frame();
    QVERIFY(near(pixel(frame, 160, 120), QColor(0, 0xDD, 0)));
    // Turned away from the front light, each side darkens by the cosine of
    // its own normal: 0.2 global + 0.3 ambient + 0.5 diffuse of its colour.
    const double turn = 0.6, lit = 0.5 + 0.5 * std::cos(turn);
    v.commands.addYRotation(float(turn));
    QVERIFY(near(pixel(v.frame(), 160, 120), QColor(0, int(std::lround(0xDD * lit)), 0), 3));
    v.commands.addYRotation(std::numbers::pi_v<float>);
    QVERIFY(near(pixel(v.frame(), 160, 120), QColor(0, 0, int(std::lround(0xDD * lit))), 3));
    v.commands.addYRotation(-float(turn));
    // Normal mode paints both sides with the front colour.
    v.commands.changeViewFacesNormal();
    QCOMPARE(square->Settings.ColorMode, 1);
    QVERIFY(near(pixel(v.frame(), 160, 120), QColor(0, 0, 0xDD)));
    // A lamp at a point lights the back too: front light and lamp together
    // saturate the back's green.
    const float lamp[4] = {0, 0, 5, 1}, white[4] = {1, 1, 1, 1}, black[4] = {0, 0, 0, 1};
    v.view->makeCurrent();
    v.view->Lights.addLight(QStringLiteral("Lamp"), lamp, black, white, black, true);
    v.view->doneCurrent();
    v.commands.changeViewFacesSurface();
    v.commands.addYRotation(std::numbers::pi_v<float>);
    QVERIFY(near(pixel(v.frame(), 160, 120), QColor(0, 255, 0), 3));

    // A surface file's model keeps its own face colours when the settings'
    // colours are applied; any other model takes them.
    const Rgba red {1, 0, 0, 1};
    square->FileName = QStringLiteral("kidney.surf");
    square->Meshes.first()->FrontColor = red;
    applyColors(*square, v.view->State.Config);
    QCOMPARE(square->Meshes.first()->FrontColor, red);
    square->FileName = QStringLiteral("kidney.stl");
    applyColors(*square, v.view->State.Config);
    QCOMPARE(square->Meshes.first()->FrontColor[2], 0xDD / 255.0f);
}

void TestDrawing::faceModesAndCustomColour()
{
    ViewUnderTest v(320, 240);
    ModelClass *square = v.add(makeSquare());
    v.commands.zoomOut(); // the whole square in the frame
    v.commands.zoomOut();
    v.commands.changeViewFacesHidden();
    QVERIFY(near(pixel(v.frame(), 160, 120), QColor(255, 255, 255)));
    // The same face mode again switches the faces off.
    v.commands.changeViewFacesHidden();
    QCOMPARE(square->Settings.ColorMode, 0);
    QVERIFY(near(pixel(v.frame(), 160, 120), QColor(0, 0, 0)));
    // A custom colour with any non-zero component overrides the face mode.
    v.commands.changeViewFacesSurface();
    square->Meshes[0]->CustomColor = {0.0f, 0.0f, 0.5f, 1.0f};
    square->prepareDraw();
    QVERIFY(near(pixel(v.frame(), 160, 120), QColor(0, 0, 128), 2));
    // Points and edges on top of the faces, in their own colours.
    square->Meshes[0]->CustomColor = {0, 0, 0, 1};
    v.commands.changeViewPoint(true);
    v.commands.changeViewEdgesContour();
    square->Meshes[0]->PointColor = square->Meshes[0]->EdgeColor = {1, 1, 0, 1};
    const QImage frame = v.frame();
    const QPoint corner = toPixel(square, -1, 1, 320, 240);
    const QPoint edge = toPixel(square, 0, 1, 320, 240);
    QVERIFY(near(pixel(frame, corner.x(), corner.y()), QColor(255, 255, 0), 40));
    // A one-pixel line on a pixel border covers two rows by half (multisampling).
    int yellow = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        const QColor c = pixel(frame, edge.x(), edge.y() + dy);
        yellow += std::min(c.red(), c.green());
    }
    QVERIFY(yellow > 230);
}

void TestDrawing::materialAndFunctionColours()
{
    ViewUnderTest v(400, 240);
    ModelClass *strip = v.add(makeStrip(8));
    v.commands.changeViewFacesMaterial();
    QImage frame = v.frame();
    for (int i = 0; i < 8; ++i) {
        const QPoint at = toPixel(strip, -1.0 + (2 * i + 1) / 8.0, 0, 400, 240);
        const QColor expected = rgb(materialColor(i + 2, 1.0)); // material i + 1, rule of m + 1
        QVERIFY2(near(pixel(frame, at.x(), at.y()), expected),
                 qPrintable(QStringLiteral("material %1").arg(i + 1)));
    }

    v.commands.changeViewFacesFunction();
    frame = v.frame();
    // The function x runs from -1 to 1 over the nine texels; a texel's centre
    // shows its own colour: blue, green in the middle, red.
    const struct
    {
        int texel;
        QColor colour;
    } samples[] = {{0, QColor(0, 0, 229)}, {4, QColor(0, 229, 0)}, {8, QColor(229, 0, 0)}};
    for (const auto &s : samples) {
        const double x = 2.0 * (s.texel + 0.5) / 9.0 - 1.0;
        const QPoint at = toPixel(strip, x, 0, 400, 240);
        QVERIFY2(near(pixel(frame, at.x(), at.y()), s.colour, 8),
                 qPrintable(QStringLiteral("texel %1").arg(s.texel)));
    }
    // Near its ends the ramp fades into the border, never into the other end:
    // the palette does not wrap round.
    const QPoint lowAt = toPixel(strip, -1 + 0.2 / 9, 0, 400, 240);
    const QPoint highAt = toPixel(strip, 1 - 0.2 / 9, 0, 400, 240);
    const QColor low = pixel(frame, lowAt.x(), lowAt.y());
    const QColor high = pixel(frame, highAt.x(), highAt.y());
    QVERIFY2(low.blue() > 100 && low.red() < 10, qPrintable(low.name()));
    QVERIFY2(high.red() > 100 && high.blue() < 10, qPrintable(high.name()));
}

void TestDrawing::transparencyMixesWithTheBackground()
{
    ViewUnderTest v(320, 240);
    v.view->State.Config.background = QStringLiteral("#FF0000");
    colorFromName(v.view->State.Config.background, v.view->State.ClearColor);
    ModelClass *square = v.add(makeSquare());
    v.commands.changeOpacity(128);
    QVERIFY(square->Settings.Transparent);
    const double a = 128 / 255.0;
    const QColor mixed(int(255 * (1 - a)), 0, int(0xDD * a));
    QVERIFY(near(pixel(v.frame(), 160, 120), mixed, 3));
    // A vector drawing keeps the opacity, whatever blending the last frame
    // left set.
    v.view->makeCurrent();
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    v.view->doneCurrent();
    const QByteArray svg = v.view->renderSvg(320, 240);
    QVERIFY2(svg.contains("opacity=\"0.50"), svg.left(2000).constData());
    v.commands.changeOpacity(255);
    QVERIFY(!square->Settings.Transparent);
    QVERIFY(near(pixel(v.frame(), 160, 120), QColor(0, 0, 0xDD)));
}

void TestDrawing::transparentModelsShowWhatIsInside()
{
    // A red cube inside a white sphere of opacity 64 / 255, whichever of the
    // two the list draws first; the cube opaque, or itself transparent.
    for (int variant = 0; variant < 3; ++variant) {
        const bool sphereFirst = variant != 0, cubeTransparent = variant == 2;
        ViewUnderTest v(320, 240);
        v.view->State.Config.scaleToScreen = 0; // one scale for both: the cube stays inside
        ModelClass *sphere = nullptr, *cube = nullptr;
        if (sphereFirst)
            sphere = v.add(makeSphere());
        cube = v.add(makeCube(0.4));
        if (!sphereFirst)
            sphere = v.add(makeSphere());
        cube->Meshes[0]->CustomColor = {1, 0, 0, 1};
        sphere->Meshes[0]->CustomColor = {1, 1, 1, 1};
        v.view->ModelList.ActiveIndex = qint32(v.view->ModelList.indexOf(sphere));
        v.commands.changeOpacity(64);
        if (cubeTransparent)
            cube->setTransparency(true, 0.8);
        QVERIFY(sphere->Settings.Transparent && cube->Settings.Transparent == cubeTransparent);
        for (ModelClass *m : {cube, sphere})
            m->prepareDraw();
        for (int i = 0; i < 6; ++i) // the whole sphere in the frame
            v.commands.zoomOut();
        const QImage frame = v.frame();
        // Through both sides of the sphere the cube shows red; where the
        // sphere has nothing behind it, it is a faint grey.
        const QColor centre = pixel(frame, 160, 120);
        QVERIFY2(
            centre.red() > centre.green() + 80 && centre.green() == centre.blue(),
            qPrintable(QStringLiteral("variant %1: centre %2").arg(variant).arg(centre.name())));
        const QPoint rim = toPixel(sphere, 0.8, 0, 320, 240);
        const QColor shell = pixel(frame, rim.x(), rim.y());
        QVERIFY2(shell.red() > 20 && shell.red() < 160
                     && near(shell, QColor(shell.red(), shell.red(), shell.red()), 2),
                 qPrintable(shell.name()));
    }

    // Two half-transparent squares, the green one nearer: drawn far to near
    // whatever the list's order, the nearer colour weighs more.
    ViewUnderTest v(320, 240);
    ModelClass *nearSquare = v.add(makeSquare());
    ModelClass *farSquare = v.add(makeSquare());
    nearSquare->Meshes[0]->CustomColor = {0, 1, 0, 1};
    farSquare->Meshes[0]->CustomColor = {1, 0, 0, 1};
    for (ModelClass *m : {nearSquare, farSquare}) {
        m->setTransparency(true, 0.5);
        m->prepareDraw();
    }
    nearSquare->Transform->move(0, 0, 0.2f);
    farSquare->Transform->move(0, 0, -0.2f);
    const QColor mixed = pixel(v.frame(), 160, 120);
    QVERIFY2(mixed.green() > mixed.red() + 40, qPrintable(mixed.name()));
}

void TestDrawing::axisLabelsAreBlackAndHiddenBehindModels()
{
    ViewUnderTest v(320, 240);
    v.view->State.Config.background = QStringLiteral("#FFFFFF");
    colorFromName(v.view->State.Config.background, v.view->State.ClearColor);
    v.view->ShowOrientation = false; // the side letters stand over everything
    ModelClass *axes = v.add(makeSquare());
    v.commands.changeViewFacesNormal(); // faces off: only the tripod and its labels
    v.commands.changeShowAxes();
    QVERIFY(axes->Settings.ShowAxes && axes->Settings.ColorMode == 0);
    v.commands.addXRotation(0.4f);
    v.commands.addYRotation(0.6f);
    auto dark = [](const QColor &c) { return c.red() < 60 && c.green() < 60 && c.blue() < 60; };
    // The names and the tick values, in black.
    QVERIFY(countPixels(v.frame(), dark) > 40);

    // A square in front of the tripod, filling the picture, hides them all.
    ModelClass *wall = v.add(makeSquare());
    wall->Meshes[0]->CustomColor = {0, 0, 1, 1};
    wall->prepareDraw();
    wall->Transform->reset(); // facing the viewer, not turned with the tripod
    wall->Transform->zoom(20);
    wall->Transform->move(0, 0, 1.2f); // nearer than the tripod's ends
    const QImage hidden = v.frame();
    QCOMPARE(countPixels(hidden, [](const QColor &c) { return c != QColor(0, 0, 255); }), 0);
}

void TestDrawing::cuttingPlanePolygon()
{
    PlaneEditHost host;
    GLWidget view(nullptr, &host);
    view.resize(400, 240);
    ModelClass *model = makeCube(1);
    view.placeNewModel(model);
    model->setColorMode(0);
    model->prepareDraw();
    ClipPlane &plane = model->ClipPlane;
    plane.Normal[0] = plane.Normal[1] = 0;
    plane.Normal[2] = 1;
    plane.fitToBox(model->BoxMin, model->BoxMax);
    QImage frame = view.renderImage(400, 240);
    auto isPlane = [&](double x, double y) {
        const QPoint at = toPixel(model, x, y, 400, 240);
        const QColor c = pixel(frame, at.x(), at.y());
        return c.red() > 60 && c.red() == c.green() && c.green() == c.blue();
    };
    // Facing the viewer: the square of the box enlarged by 10 %.
    QVERIFY(isPlane(0, 0));
    QVERIFY(isPlane(1.1, 0.9));
    QVERIFY(!isPlane(1.35, 0));
    // Oblique through the centre: a hexagon that leaves two corners empty.
    plane.Normal[0] = plane.Normal[1] = 1;
    plane.fitToBox(model->BoxMin, model->BoxMax);
    frame = view.renderImage(400, 240);
    QVERIFY(isPlane(0, 0));
    QVERIFY(isPlane(-0.9, 0.9));
    QVERIFY(isPlane(0.9, -0.9));
    QVERIFY(!isPlane(0.9, 0.9));
    QVERIFY(!isPlane(-0.9, -0.9));
}

void TestDrawing::clipAndRangeCutHideCells()
{
    ViewUnderTest v(400, 240);
    ModelClass *strip = v.add(makeStrip(8));
    const QColor front(0, 0, 0xDD), background(0, 0, 0);
    const QPoint left = toPixel(strip, -0.6, 0, 400, 240), right = toPixel(strip, 0.6, 0, 400, 240);
    const double point[3] = {0, 0, 0}, normal[3] = {1, 0, 0};
    v.commands.applyIntersection(point, normal, false, false);
    QImage frame = v.frame();
    QVERIFY(near(pixel(frame, left.x(), left.y()), background));
    QVERIFY(near(pixel(frame, right.x(), right.y()), front));
    v.commands.changeViewCubeIntersect(); // clipped: switching the view off shows every cell
    frame = v.frame();
    QVERIFY(near(pixel(frame, left.x(), left.y()), front));
    // The range [-1, 0] of the function x keeps the left half.
    cutFunctionRange(*strip, 0.0f, -1.0f);
    frame = v.frame();
    QVERIFY(near(pixel(frame, left.x(), left.y()), front));
    QVERIFY(near(pixel(frame, right.x(), right.y()), background));
}

void TestDrawing::lightsSwitchFromTheMenu()
{
    MenuHost host;
    GLWidget view(nullptr, &host);
    ViewCommands commands(view);
    view.resize(320, 240);
    view.placeNewModel(makeSquare());
    commands.changeViewFacesHidden(); // white faces
    const QImage before = view.renderImage(320, 240);
    QCOMPARE(view.Lights.Lights.size(), 4);
    QAction *front = view.Lights.Lights[1].Action, *top = view.Lights.Lights[2].Action;
    QVERIFY(front && top);
    // Front alone: 0.2 global + 0.3 ambient + 0.5 diffuse of white; dimmer
    // with front switched off, brighter again with the top light's ambient.
    front->trigger();
    const QImage dark = view.renderImage(320, 240);
    QVERIFY(pixel(dark, 160, 120).red() < pixel(before, 160, 120).red() - 100);
    top->trigger();
    const QImage topLit = view.renderImage(320, 240);
    QVERIFY(pixel(topLit, 160, 120).red() > pixel(dark, 160, 120).red() + 50);

    // A square facing up and towards the eye takes the top light's diffuse
    // part too: the top light shines from above.
    MenuHost tiltedHost;
    GLWidget tilted(nullptr, &tiltedHost);
    tilted.resize(320, 240);
    tilted.placeNewModel(
        makeModel({-1, -1, 1, 1, -1, 1, 1, 1, -1, -1, 1, -1}, Quadrangle, {0, 1, 2, 3}));
    ViewCommands(tilted).changeViewFacesHidden();
    tilted.Lights.Lights[1].Action->trigger(); // front off
    const int unlit = pixel(tilted.renderImage(320, 240), 160, 120).red();
    tilted.Lights.Lights[2].Action->trigger();
    QVERIFY(pixel(tilted.renderImage(320, 240), 160, 120).red() > unlit + 120);
}

void TestDrawing::anaglyphPassesLandInRedAndCyan()
{
    ViewUnderTest v(400, 240);
    ModelClass *square = v.add(makeSquare());
    v.commands.changeViewFacesHidden(); // white
    v.commands.changeShowIn3D();
    QVERIFY(square->Settings.Stereo);
    square->StereoA = 20; // a wide eye distance: the two images part by many pixels
    const QPoint leftEdge = toPixel(square, -1, 0, 400, 240);
    const QPoint rightEdge = toPixel(square, 1, 0, 400, 240);
    auto redOnly = [](QColor c) { return c.red() > 200 && c.green() < 30 && c.blue() < 30; };
    auto cyanOnly = [](QColor c) { return c.red() < 30 && c.green() > 200 && c.blue() > 200; };
    QImage frame = v.frame();
    // The left eye (red) sits at negative x and sees the square further right.
    QVERIFY(redOnly(pixel(frame, rightEdge.x() + 10, 120)));
    QVERIFY(cyanOnly(pixel(frame, leftEdge.x() - 10, 120)));
    QVERIFY(near(pixel(frame, 200, 120), QColor(255, 255, 255)));
    // Swapped eyes in orthographic mode exchange the images.
    square->SwapEyes = 1;
    frame = v.frame();
    QVERIFY(cyanOnly(pixel(frame, rightEdge.x() + 10, 120)));
    QVERIFY(redOnly(pixel(frame, leftEdge.x() - 10, 120)));
    // In perspective the two eyes' frustums mirror each other.
    computeStereoFrustum(*square);
    const ModelClass::Eye &left = square->Eyes[0], &right = square->Eyes[1];
    QVERIFY(left.left != -left.right); // asymmetric: both turn towards the focal point
    QCOMPARE(right.left, -left.right);
    QCOMPARE(right.right, -left.left);
    QCOMPARE(right.shift, -left.shift);
    // Switching stereo off returns to one orthographic image.
    v.commands.changeShowIn3D();
    QVERIFY(near(pixel(v.frame(), rightEdge.x() + 10, 120), QColor(0, 0, 0)));
}

TESSARON_VIEW_TEST_MAIN(TestDrawing)
#include "test_drawing.moc"
