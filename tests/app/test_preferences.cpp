// The preferences dialog: its pages, Apply and Ok reaching the view, its
// models and the file, Reload and Reset, and a new language's restart.

#include "AppTestBase.h"
#include "app/preferences/ConfigDialog.h"
#include "app/preferences/ConfigurationPage.h"
#include "app/preferences/SelectionPage.h"
#include "app/preferences/SettingsPage.h"

namespace {

// A main window that records what the dialog asks of the dock panels.
struct RecordingWindow : Tessaron
{
    QList<std::pair<PanelKind, PanelCommand>> commands;
    int saves = 0;

    RecordingWindow()
    {
        connect(statusBar(), &QStatusBar::messageChanged, this,
                [this](const QString &text) { saves += text == "Saving settings"; });
        show();
        readSettings(false);
        [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(this);
    }
    void panelCommand(PanelKind kind, PanelCommand command) override
    {
        commands.append({kind, command});
        Tessaron::panelCommand(kind, command);
    }
};

// The colour rows in the order of the page, with their settings fields.
QString ViewConfig::*const kColorFields[ColorsPage::RowCount] = {
    &ViewConfig::points,         &ViewConfig::edges,     &ViewConfig::background,
    &ViewConfig::frontFaces,     &ViewConfig::backFaces, &ViewConfig::boundaryEdges,
    &ViewConfig::selection,      &ViewConfig::axis,      &ViewConfig::clipPlane,
    &ViewConfig::selectionEdges, &ViewConfig::pointCell, &ViewConfig::isolines,
};

// Pixels of a frame that differ from its top-left corner (the background).
int inkPixels(const QImage &frame)
{
    return countPixels(frame, [&](const QColor &c) { return c != frame.pixelColor(0, 0); });
}

QVariantMap configKeys()
{
    QSettings file(Tessaron::settingsPath(), QSettings::IniFormat);
    QVariantMap keys;
    for (const QString &key : file.allKeys())
        if (key.startsWith("Config/") || key.startsWith("Colors/"))
            keys[key] = file.value(key).toString();
    return keys;
}

} // namespace

class TestPreferences : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void reloadAndResetReadTheFile();
    void colourButtonsPickUntilApply();
    void okWritesWhatItShowsOnce_data();
    void okWritesWhatItShowsOnce();
    void applyKeepsEveryPageAndReachesView();
    void coloursReachTheViewAtOnce_data();
    void coloursReachTheViewAtOnce();
    void newLanguageAsksForRestart_data();
    void newLanguageAsksForRestart();

private:
    void run(Tessaron &window, std::function<void(ConfigDialog &)> script);
};

// Runs the preferences command with the script as the user; the dialog is
// gone afterwards.
void TestPreferences::run(Tessaron &window, std::function<void(ConfigDialog &)> script)
{
    QPointer<QDialog> shown;
    int runs = 0;
    dialogs.onExec = [&](QDialog &dialog) {
        shown = &dialog;
        ++runs;
        dialog.show();
        script(static_cast<ConfigDialog &>(dialog));
        return 0;
    };
    window.preferences();
    QCOMPARE(runs, 1);
    QVERIFY(shown.isNull());
}

void TestPreferences::reloadAndResetReadTheFile()
{
    {
        QSettings file(Tessaron::settingsPath(), QSettings::IniFormat);
        file.setValue("Config/pointThickness", 9);
        file.setValue("Config/language", 0);
        file.setValue("Config/selVisiblePrims", false);
        file.setValue("Colors/points", "#123456");
    }
    RecordingWindow window;
    run(window, [&](ConfigDialog &d) {
        ConfigurationPage *draw = d.configurationPage();
        SettingsPage *settings = d.settingsPage();
        ColorsPage *colors = d.colorsPage();
        QCOMPARE(draw->pointThickness->value(), 9);
        QCOMPARE(settings->language->currentText(), QString("English"));
        QVERIFY(d.selectionPage()->visible.first->isChecked());
        QCOMPARE(colors->labels[ColorsPage::Points]->text(), QString("#123456"));

        // Reload takes the file as it is now and drops unsaved changes.
        QSettings(Tessaron::settingsPath(), QSettings::IniFormat)
            .setValue("Config/pointThickness", 7);
        draw->lineThickness->setValue(12);
        d.reload_config();
        QCOMPARE(draw->pointThickness->value(), 7);
        QCOMPARE(draw->lineThickness->value(), 1);
        QCOMPARE(window.view()->State.Config.pointThickness, 7);

        // Reset removes the file: every value read from it returns to its default.
        d.reset_config();
        QVERIFY(!QFile::exists(Tessaron::settingsPath()));
        QCOMPARE(draw->pointThickness->value(), 4);
        QCOMPARE(settings->language->currentText(), QString("Русский"));
        QVERIFY(d.selectionPage()->visible.second->isChecked());
        QCOMPARE(colors->labels[ColorsPage::Points]->text(), QString("#000000"));
        QCOMPARE(colors->labels[ColorsPage::Points]->styleSheet(),
                 QString(" color: white;background-color: #000000"));
    });
    QVERIFY(dialogs.shown.isEmpty());
}

// Row r picks the colour (127, 127, 120 + r), with 128 in red for row 1 and
// in green for row 2: black text exactly where a channel reaches 128.
QColor rowColour(int row)
{
    return QColor(row == 1 ? 128 : 127, row == 2 ? 128 : 127, 120 + row);
}

void TestPreferences::colourButtonsPickUntilApply()
{
    RecordingWindow window;
    run(window, [&](ConfigDialog &d) {
        const QList<QPushButton *> buttons = d.colorsPage()->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), int(ColorsPage::RowCount));
        for (int row = 0; row < ColorsPage::RowCount; ++row) {
            dialogs.colour = rowColour(row);
            buttons[row]->click();
            const bool black = row == 1 || row == 2 || row >= 8;
            QCOMPARE(d.colorsPage()->labels[row]->text(), dialogs.colour.name());
            QCOMPARE(d.colorsPage()->labels[row]->styleSheet(),
                     QString(" color: %1; background-color: %2")
                         .arg(black ? "black" : "white", dialogs.colour.name()));
        }
        dialogs.colour = QColor(); // cancelled: the label stays
        buttons[0]->click();
        QCOMPARE(d.colorsPage()->labels[0]->text(), QString("#7f7f78"));
        QCOMPARE(window.view()->State.Config.points, QString("#000000"));
        d.apply_config();
    });
    for (int row = 0; row < ColorsPage::RowCount; ++row)
        QCOMPARE(window.view()->State.Config.*kColorFields[row], rowColour(row).name());
}

void TestPreferences::okWritesWhatItShowsOnce_data()
{
    QTest::addColumn<bool>("changed");
    QTest::newRow("defaults") << false;
    QTest::newRow("every key changed") << true;
}

void TestPreferences::okWritesWhatItShowsOnce()
{
    QFETCH(bool, changed);
    {
        RecordingWindow first;
        if (changed) {
            ViewConfig &c = first.view()->State.Config;
            // Distinct numbers, so that no two fields can stand in for each other.
            c.pointThickness = 27, c.selPointThickness = 9, c.lineThickness = 2;
            c.boundLineThickness = 6, c.axisThickness = 7, c.isoline_width = 3;
            c.printingQuality = 12;
            for (quint8 *b :
                 {&c.selActiveMat, &c.selAllPoints, &c.selVisiblePrims, &c.saveColorAsMat,
                  &c.isBSPenable, &c.visOnlyOneModel, &c.drawAllPoints, &c.shade_type,
                  &c.saveMatInOFF, &c.scaleToScreen, &c.autocenter, &c.tmatrix, &c.neighOnFly,
                  &c.loadAsCellFunc, &c.onlyIntersectPlane, &c.func_isolines, &c.grayScaleTexture})
                *b = !*b;
            c.join = JoinMode::SeveralZones;
            c.language = Language::English;
            c.isoline_V = 0.25f;
            c.clipPlane = "#010203";
        }
        first.writeSettings();
    }
    const QVariantMap before = configKeys();
    QCOMPARE(before.size(), 27 + 12);
    RecordingWindow window;
    run(window, [&](ConfigDialog &d) {
        d.ok_config();
        QVERIFY(!d.isVisible());
    });
    QCOMPARE(window.saves, 1);
    QCOMPARE(configKeys(), before);
    QVERIFY(dialogs.shown.isEmpty());
}

void TestPreferences::applyKeepsEveryPageAndReachesView()
{
    // Two triangles folded along their shared edge: Phong shading gives the
    // shared corners the mean of both face normals.
    const QString tent = data.filePath("tent.surf");
    QVERIFY(writeBytes(tent, surfBytes({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 2, 3, 2, 4, 3})));
    RecordingWindow window;
    GLWidget *view = window.view();
    view->ShowOrientation = false; // the ink counted is the points'
    QCOMPARE(window.openModelFile(tent), 1);
    ModelClass *model = view->ModelList.at(1);
    // z of the second corner's normal in the first triangle
    auto cornerNormalZ = [&] { return model->Meshes[0]->triNormal(1)[2]; };
    QCOMPARE(cornerNormalZ(), 1.0f);
    model->setColorMode(0);
    model->setEdgesMode(0);
    model->setShowPoints(true);
    model->prepareDraw();
    const int thinInk = inkPixels(view->renderImage(200, 150));
    window.commands.clear();

    run(window, [&](ConfigDialog &d) {
        ConfigurationPage *draw = d.configurationPage();
        draw->pointThickness->setValue(20);
        draw->drawPoints.first->setChecked(true);
        draw->shading.first->setChecked(true);
        draw->isolineColors.second->setChecked(true);
        draw->isolineWidth->setValue(5);
        draw->isolineBrightness->setValue(0.4);
        d.contents()->setCurrentRow(3);
        d.colorsPage()->grayScaleTexture->setChecked(true);
        dialogs.colour = QColor(0x33, 0x66, 0x99);
        d.changeBackgroundColor();
        d.contents()->setCurrentRow(1);
        d.selectionPage()->materials.second->setChecked(true);
        d.contents()->setCurrentRow(0);               // the other pages keep their changes
        d.changePage(nullptr, d.contents()->item(2)); // no current item: the previous one's page
        QCOMPARE(d.pages()->currentWidget(), d.settingsPage());
        d.apply_config();
        QVERIFY(window.commands.isEmpty()); // colour lines are off
        QCOMPARE(view->State.Config.isoline_width, 5);
        window.action("actionViewColorLines")->setChecked(true);
        d.apply_config();
    });
    QCOMPARE(
        window.commands,
        (QList<std::pair<PanelKind, PanelCommand>> {{PanelKind::ColorSize, PanelCommand::Apply}}));
    QCOMPARE(view->State.Config.selActiveMat, quint8(1));
    QCOMPARE(
        QSettings(Tessaron::settingsPath(), QSettings::IniFormat).value("Config/pointThickness"),
        QVariant(20));
    QCOMPARE(model->UseAllVertices, quint8(1));
    QCOMPARE(model->SmoothNormals, quint8(1));
    QVERIFY(cornerNormalZ() < 0.9f); // the drawing data were rebuilt
    QCOMPARE(model->ColoredIsolines, quint8(0));
    QCOMPARE(view->State.Config.isoline_width, 5);
    QCOMPARE(view->State.Palette.IsoValue, 0.4);
    const std::vector<quint8> &texels = view->State.Palette.Texels;
    for (size_t i = 0; i + 3 < texels.size(); i += 4)
        QVERIFY(texels[i] == texels[i + 1] && texels[i + 1] == texels[i + 2]);

    const QImage frame = view->renderImage(200, 150);
    QCOMPARE(frame.pixel(0, 0), qRgb(0x33, 0x66, 0x99));
    QVERIFY2(inkPixels(frame) > 8 * thinInk, qPrintable(QString::number(inkPixels(frame))));
}

void TestPreferences::coloursReachTheViewAtOnce_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("apply") << false;
    QTest::newRow("ok") << true;
}

// Colours chosen in the dialog show as soon as Apply or Ok is pressed: the
// background of the next frame, and the faces of a model that takes its
// colours from the settings.
void TestPreferences::coloursReachTheViewAtOnce()
{
    QFETCH(bool, ok);
    RecordingWindow window;
    GLWidget *view = window.view();
    ModelClass *model = makeModel({-1, -1, 0, 1, -1, 0, 0, 1, 0}, Triangle, {0, 1, 2});
    view->placeNewModel(model);
    const MeshClass *mesh = model->Meshes[0];
    const QRgb before = view->renderImage(80, 60).pixel(0, 0);
    run(window, [&](ConfigDialog &d) {
        dialogs.colour = QColor(0x20, 0x40, 0x60);
        d.changeBackgroundColor();
        dialogs.colour = QColor(0xC0, 0x80, 0x10);
        d.changeFrontFacesColor();
        QCOMPARE(view->renderImage(80, 60).pixel(0, 0), before); // not before the button
        if (ok)
            d.ok_config();
        else
            d.apply_config();
    });
    QCOMPARE(view->renderImage(80, 60).pixel(0, 0), qRgb(0x20, 0x40, 0x60));
    const Rgba &front = mesh->FrontColor;
    QCOMPARE(QColor::fromRgbF(front[0], front[1], front[2]).name(), QString("#c08010"));
}

void TestPreferences::newLanguageAsksForRestart_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestPreferences::newLanguageAsksForRestart()
{
    QFETCH(bool, yes);
    dialogs.answer = yes ? Dialogs::Answer::Yes : Dialogs::Answer::No;
    RecordingWindow window;
    run(window, [&](ConfigDialog &d) {
        d.settingsPage()->language->setCurrentIndex(0);
        d.apply_config();
        QCOMPARE(window.isVisible(), !yes);
        QCOMPARE(window.saves, yes ? 2 : 1); // the window's close writes the file first
        d.apply_config();                    // the same language again: no question
    });
    QCOMPARE(dialogs.shown,
             QStringList {"Attention|To change language you must restart the program."});
    QCOMPARE(
        QSettings(Tessaron::settingsPath(), QSettings::IniFormat).value("Config/language").toInt(),
        0);
}

TESSARON_VIEW_TEST_MAIN(TestPreferences)
#include "test_preferences.moc"
