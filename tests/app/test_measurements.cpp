// The Measurements panel's tables and marks, the entered scores, Ctrl+C, the
// closest gap of two chosen models and the measures of the model report.

#include "AppTestBase.h"
#include "ShapeModels.h"
#include "model/ModelFacts.h"

namespace {

QStringList column(const QTableWidget *table, int c)
{
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
        out << table->item(r, c)->text();
    return out;
}

// The gap's label in a frame of the view: once, with its text on a dark box
// that makes it read over any model. The box is told from the background by
// its own grey laid over it.
void gapLabelStandsOnItsBox(GLWidget &view, const QString &text)
{
    view.frameScene(0.1);
    const int w = view.width(), h = view.height();
    const QImage frame = view.renderImage(w, h).convertToFormat(QImage::Format_RGB32);
    const int ground = qGray(frame.pixel(0, 0));
    const int boxGrey = (20 * 215 + ground * 40) / 255;
    QVERIFY(std::abs(boxGrey - ground) > 8);
    int found = 0;
    for (const ScreenLabel &label : std::as_const(view.Frame.Labels)) {
        if (label.text != text)
            continue;
        ++found;
        const QRect box = labelBox(QFontMetrics(label.font),
                                   QPointF(label.window.x(), h - label.window.y()), text)
                              .toRect()
                              .intersected(frame.rect());
        QVERIFY(box.width() > 20 && box.height() > 8);
        const int dark = countPixels(
            frame, [&](const QColor &c) { return std::abs(qGray(c.rgb()) - boxGrey) <= 4; }, box);
        QVERIFY2(dark > box.width() * box.height() / 2, qPrintable(QString::number(dark)));
    }
    QCOMPARE(found, 1);
}

} // namespace

class TestMeasurements : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void panelTablesAndMarks();
    void stoneScoreEnteredAndImage();
    void closestGapOfTwoChosenModels();
    void modelInfoHasTheMeasures();
    void longWorkKeepsTheWindowPainting();
    void panelShowsEveryTextWhole();
    void namesInRussian();

private:
    void load(Tessaron &window);
};

void TestMeasurements::load(Tessaron &window)
{
    GLWidget *view = window.view();
    view->placeNewModel(shapeModel("opukhol", "Obrazovanie", cube(0, 0, 0, 2)));
    view->placeNewModel(shapeModel("lokhanki", "Lokhanki", box({5, -1, -1}, {10, 4, 4})));
    view->placeNewModel(shapeModel("kamni", "Kamni", joined(cube(6, 0, 0), cube(9, 0, 0, 0.5))));
    view->placeNewModel(shapeModel("skin", "Skin", box({-10, 10, -10}, {30, 1, 30})));
}

void TestMeasurements::panelTablesAndMarks()
{
    Tessaron window;
    window.resize(1000, 700);
    window.show(); // a frame is drawn only in a shown view
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    load(window);
    window.action("actionMeasurements")->trigger();
    MeasurementsControl *panel = measurementsOf(window);
    QVERIFY(panel);
    QTRY_COMPARE(panel->modelTable()->rowCount(), 4);
    // Structures by their names in the interface language, the model's own
    // name beside where it differs; the Objects tree keeps the model's.
    QCOMPARE(column(panel->modelTable(), 0),
             (QStringList {"Tumour (Obrazovanie)", "Collecting system (Lokhanki)", "Stones (Kamni)",
                           "Skin"}));
    QCOMPARE(column(panel->gapTable(), 0).first(), QString("Tumour (Obrazovanie)"));
    QCOMPARE(column(panel->gapTable(), 0).at(2), QString("Stones (Kamni) #1"));
    QCOMPARE(panel->modelTable()->item(0, 3)->text(), QString("0.01")); // 8 mm³ in mL
    QCOMPARE(column(panel->stoneTable(), 1), (QStringList {"1.0", "0.1"}));
    QCOMPARE(column(panel->gapTable(), 2), (QStringList {"3.00", "9.00", "1.00", "9.50", "1.00"}));
    QCOMPARE(panel->gapTable()->item(2, 3)->text(), QString("inside Collecting system (Lokhanki)"));

    // A hidden model leaves the model table; the numbers stay.
    window.view()->ModelList.at(4)->setVisible(false);
    QCOMPARE(
        column(panel->modelTable(), 0),
        (QStringList {"Tumour (Obrazovanie)", "Collecting system (Lokhanki)", "Stones (Kamni)"}));
    QCOMPARE(panel->results().models.size(), size_t(4));

    // A stone row marks the stone's centre; a gap row its segment.
    emit panel->stoneTable()->cellClicked(1, 0);
    QVERIFY(window.view()->measureMark());
    QVERIFY(!window.view()->measureMark()->segment);
    QCOMPARE(window.view()->measureMark()->a[0], 9.25);
    emit panel->gapTable()->cellClicked(0, 0);
    const MeasureMark &gap = *window.view()->measureMark();
    QVERIFY(gap.segment);
    QCOMPARE(gap.b[0] - gap.a[0], 3.0);
    QVERIFY(window.view()->statusLine().contains("3.00 mm"));
    gapLabelStandsOnItsBox(*window.view(), "3.00 mm");
    emit panel->gapTable()->cellClicked(3, 0); // the second stone up to the skin
    QCOMPARE(window.view()->measureMark()->b[1] - window.view()->measureMark()->a[1], 9.5);

    // A and L entered complete the score: R 1, E 3 (no kidney: none), N 3.
    panel->anteriorBox()->setCurrentIndex(2);
    emit panel->anteriorBox()->activated(2);
    QVERIFY(panel->scoreLabel()->text().contains("missing E, L"));
    panel->polarBox()->setCurrentIndex(3);
    emit panel->polarBox()->activated(3);
    QCOMPARE(panel->nephrometryTable()->item(4, 1)->text(), QString("3"));
    QVERIFY(panel->scoreLabel()->text().startsWith("Sum so far 7 (R + N + A + L)"));

    // Ctrl+C: every table, tab-separated, with the entered parts.
    QApplication::clipboard()->clear();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    panel->modelTable()->setFocus();
    QTest::keyClick(panel->modelTable(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    QCOMPARE(copied, panel->tablesText());
    QVERIFY(copied.startsWith("Models\nModel\tArea, mm²\tVolume, mm³\tVolume, mL\t"));
    QVERIFY(copied.contains("\nTumour (Obrazovanie)\t24.0\t8.0\t0.01\t1\tclosed\n"));
    QVERIFY(copied.contains("\nL: location to the polar lines\t3\tentered\n"));

    // A new model is measured when it arrives; a changed one drops its mark.
    window.view()->placeNewModel(shapeModel("vena", "Vena", cube(0, -5, 0)));
    QTRY_COMPARE(panel->results().models.size(), size_t(5));
    QCOMPARE(column(panel->gapTable(), 2).mid(0, 3), (QStringList {"3.00", "4.00", "9.00"}));
    emit panel->gapTable()->cellClicked(0, 0);
    QVERIFY(window.view()->measureMark());
    window.view()->ModelList.at(1)->prepareData();
    window.view()->renderImage(64, 64);
    QVERIFY(!window.view()->measureMark());
    emit panel->stoneTable()->cellClicked(0, 0);
    QVERIFY(window.view()->measureMark());
    window.view()->ModelList.at(3)->prepareData(); // the stones
    window.view()->renderImage(64, 64);
    QVERIFY(!window.view()->measureMark());
}

// O and N entered beside the measured S and T; an image given to the panel
// adds the stones' HU and E, and keeps what was entered.
void TestMeasurements::stoneScoreEnteredAndImage()
{
    Tessaron window;
    load(window);
    window.action("actionMeasurements")->trigger();
    MeasurementsControl *panel = measurementsOf(window);
    QTRY_COMPARE(panel->modelTable()->rowCount(), 4);
    QCOMPARE(column(panel->stoneScoreTable(), 1), (QStringList {"1", "1", "–", "–", "–"}));
    QCOMPARE(panel->stoneScoreTable()->item(4, 2)->text(), QString("needs a CT image"));
    QCOMPARE(panel->stoneTable()->columnCount(), 4);
    panel->obstructionBox()->setCurrentIndex(2);
    emit panel->obstructionBox()->activated(2);
    panel->calycesBox()->setCurrentIndex(3);
    emit panel->calycesBox()->activated(3);
    QCOMPARE(panel->stoneScoreLabel()->text(), QString("Sum so far 7 (S + T + O + N); missing E"));

    // A CT of 1 mm voxels, 1000 HU wherever the stones lie.
    ImageVolume ct;
    ct.size[0] = 14;
    ct.size[1] = ct.size[2] = 6;
    ct.toWorld.m[1][3] = ct.toWorld.m[2][3] = -2;
    ct.shorts.assign(std::size_t(ct.voxelCount()), 1000);
    panel->setImage(&ct);
    QTRY_COMPARE(panel->stoneTable()->columnCount(), 6);
    // The second stone, half a voxel across, holds no voxel centre.
    QCOMPARE(column(panel->stoneTable(), 4), (QStringList {"1000", ""}));
    QCOMPARE(panel->stoneScoreLabel()->text(), QString("S.T.O.N.E. score 9"));
    QVERIFY(panel->tablesText().contains("\nE: essence (stone density)\t2\t"));
    panel->setImage(nullptr);
    QTRY_COMPARE(panel->stoneTable()->columnCount(), 4);
}

void TestMeasurements::closestGapOfTwoChosenModels()
{
    Tessaron window;
    load(window);
    auto *objects = qobject_cast<ObjectsControl *>(window.panel(PanelKind::Objects));
    QTreeWidget *tree = objects->tree();
    // The commands are in the tree's context menu.
    QVERIFY(tree->actions().contains(window.action("actionClosestGap")));
    QVERIFY(tree->actions().contains(window.action("actionMeasurements")));

    tree->clearSelection();
    objects->itemOf(window.view()->ModelList.at(1))->setSelected(true);
    window.action("actionClosestGap")->trigger();
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(!window.view()->measureMark());

    objects->itemOf(window.view()->ModelList.at(4))->setSelected(true);
    window.action("actionClosestGap")->trigger();
    QVERIFY(window.view()->measureMark());
    const MeasureMark &mark = *window.view()->measureMark();
    QCOMPARE(mark.frame, window.view()->ModelList.at(1));
    QCOMPARE(mark.b[1] - mark.a[1], 8.0); // from the tumour's top (y 2) to the skin (y 10)
    QCOMPARE(mark.label, QString("8.00 mm"));
    QVERIFY2(mark.status.endsWith("Tumour (Obrazovanie) to Skin: 8.00 mm"),
             qPrintable(mark.status));
    // The mark goes with a model that leaves.
    objects->tree()->clearSelection();
    objects->itemOf(window.view()->ModelList.at(4))->setSelected(true);
    objects->contextMenuDeleteElement();
    window.view()->renderImage(64, 64);
    QVERIFY(!window.view()->measureMark());
}

void TestMeasurements::modelInfoHasTheMeasures()
{
    Tessaron window;
    load(window);
    window.view()->ModelList.ActiveIndex = 3; // the stones
    QString title, text;
    window.commands()->modelInfo(title, text);
    const qsizetype counts = text.indexOf("Count of points = "),
                    measures = text.indexOf("\n\nMeasures:\nSurface area = 7.5 mm²\n");
    QVERIFY(counts > 0 && measures > counts);
    QVERIFY(text.contains("\nVolume = 1.1 mm³ (0.00 mL)\n"));
    QVERIFY(text.contains("\nConnected components = 2\n"));
}

void TestMeasurements::longWorkKeepsTheWindowPainting()
{
    Tessaron window;
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(50);
    QString during;
    QTimer::singleShot(300, [&] { during = window.statusText(); });
    load(window);
    QVERIFY(window.view()->runResponsive("Measuring...", [] { QThread::msleep(1200); }));
    // The loop ran all along: no stretch of the work kept events waiting.
    QVERIFY(ticks >= 15);
    QCOMPARE(during, QString("Measuring..."));
    QVERIFY(!QGuiApplication::overrideCursor());
}

// In a wide window the panel shows each table cell whole (the long texts of
// the nephrometry's last column wrapped within it), explains every choice of
// L as it does A's, and gives the stone centres their unit.
void TestMeasurements::panelShowsEveryTextWhole()
{
    Tessaron window;
    window.resize(1600, 1000);
    load(window);
    window.view()->placeNewModel(
        shapeModel("parenhima", "Parenhima", box({-3, -3, -3}, {14, 7, 7})));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.action("actionMeasurements")->trigger();
    MeasurementsControl *panel = measurementsOf(window);
    QVERIFY(panel);
    QTRY_COMPARE(panel->modelTable()->rowCount(), 5);
    QTest::qWait(50);
    const QTableWidget *table = panel->nephrometryTable();
    QVERIFY(table->item(1, 2)->text().startsWith("estimate: "));
    const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c) {
            const QRect cell = table->visualItemRect(table->item(r, c));
            const QString text = table->item(r, c)->text();
            const QRect needed = table->fontMetrics().boundingRect(
                QRect(0, 0, cell.width() - margin, 1 << 20), Qt::TextWordWrap, text);
            QVERIFY2(cell.right() <= table->viewport()->width()
                         && needed.width() <= cell.width() - margin
                         && needed.height() <= cell.height(),
                     qPrintable(text));
        }
    for (int i = 1; i < panel->polarBox()->count(); ++i)
        QVERIFY(panel->polarBox()->itemText(i).startsWith(QString::number(i) + ": "));
    QCOMPARE(panel->stoneTable()->horizontalHeaderItem(3)->text(), QString("Centre, mm"));
}

void TestMeasurements::namesInRussian()
{
    QTranslator russian;
    QVERIFY(russian.load(QStringLiteral(":/ru_translate")));
    QCoreApplication::installTranslator(&russian);
    {
        Tessaron window;
        load(window);
        // A kidney of a label map keeps its label's name; its structure shows.
        ModelClass *kidney = shapeModel("labels", "kidney_left", box({20, 0, 0}, {4, 4, 4}));
        kidney->setProperty(kStructureProperty, QStringLiteral("Parenhima_left"));
        window.view()->placeNewModel(kidney);
        window.action("actionMeasurements")->trigger();
        MeasurementsControl *panel = measurementsOf(window);
        QTRY_COMPARE(panel->modelTable()->rowCount(), 5);
        QCOMPARE(column(panel->modelTable(), 0),
                 (QStringList {QStringLiteral("Опухоль (Obrazovanie)"),
                               QStringLiteral("Чашечно-лоханочная система (Lokhanki)"),
                               QStringLiteral("Камни (Kamni)"), QStringLiteral("Кожа (Skin)"),
                               QStringLiteral("Почка (kidney_left)")}));
        QCOMPARE(column(panel->gapTable(), 0).first(), QStringLiteral("Опухоль (Obrazovanie)"));
        QCOMPARE(objectsOf(window)->itemOf(window.view()->ModelList.at(1))->text(0),
                 QString("Obrazovanie"));
    }
    QCoreApplication::removeTranslator(&russian);
}

TESSARON_VIEW_TEST_MAIN(TestMeasurements)
#include "test_measurements.moc"
