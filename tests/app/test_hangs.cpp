// What once froze the program: scenes of many models, floods of failing
// entries, names of megabytes in a box, and a pipe in place of the settings.

#include "AppTestBase.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Counts the colour labels placed into the Objects panel's tree.
struct LabelCounter : QObject
{
    int labels = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded
            && qobject_cast<QLabel *>(static_cast<QChildEvent *>(event)->child()))
            ++labels;
        return false;
    }
};

} // namespace

class TestHangs : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup() { tearDownFolders(); }
    void sceneOfManyModels();
    void floodOfFailures();
    void namesOfMegabytes();
    void pipeAsSettingsFile();
};

void TestHangs::sceneOfManyModels()
{
    constexpr int n = 60;
    QStringList names;
    for (int i = 0; i < n; ++i) {
        names << QString("part%1.surf").arg(i, 2, 10, QChar('0'));
        QVERIFY(writeTriangleSurf(data.filePath(names.last()), float(i)));
    }
    QVERIFY(writeScene(data.filePath("many.hx"), names));
    Tessaron window;
    window.show();
    auto *objects = static_cast<ObjectsControl *>(window.panel(PanelKind::Objects));
    LabelCounter counter;
    objects->tree()->viewport()->installEventFilter(&counter);
    window.openModelFile(data.filePath("many.hx"));

    // Each row got its label once: rebuilding every row at every load placed
    // n * n / 2 of them.
    const ModelListClass &list = window.view()->ModelList;
    QCOMPARE(list.count(), n + 1);
    QVERIFY2(counter.labels <= n + 1, qPrintable(QString::number(counter.labels)));
    auto rowsMatchModels = [&] {
        const QTreeWidgetItem *scene = objects->itemOf(list.at(0));
        QCOMPARE(scene->childCount(), list.count() - 1);
        for (qsizetype i = 1; i < list.count(); ++i) {
            QTreeWidgetItem *row = objects->itemOf(list.at(i));
            QCOMPARE(scene->child(int(i - 1)), row);
            QCOMPARE(row->text(0), list.at(i)->title());
            QCOMPARE(row->font(0).bold(), i == list.ActiveIndex);
            const auto *label = qobject_cast<QLabel *>(objects->tree()->itemWidget(row, 2));
            QVERIFY(label);
            QCOMPARE(label->styleSheet(), ObjectsControl::labelStyle(list.at(i)));
        }
    };
    rowsMatchModels();

    // A recoloured model, a deleted one and a new current one change only their rows.
    counter.labels = 0;
    list.at(5)->setColor(1, 2, 3);
    objects->updateFields();
    QCOMPARE(counter.labels, 1);
    objects->tree()->clearSelection();
    objects->itemOf(list.at(10))->setSelected(true);
    objects->contextMenuDeleteElement();
    objects->itemClicked(objects->itemOf(list.at(20)), 0);
    QCOMPARE(list.count(), n);
    QCOMPARE(counter.labels, 1);
    rowsMatchModels();
}

void TestHangs::floodOfFailures()
{
    QStringList names;
    for (int i = 0; i < 2000; ++i)
        names << QString("gone%1.surf").arg(i, 4, 10, QChar('0'));
    names << "here.surf";
    QVERIFY(writeTriangleSurf(data.filePath("here.surf")));
    const QString scene = data.filePath("flood.hx");
    QVERIFY(writeScene(scene, names));
    Tessaron window;
    window.show();
    window.openModelFile(scene);

    // The first few in their own boxes, the rest in one.
    QCOMPARE(dialogs.shown.size(), 4);
    QCOMPARE(dialogs.shown[2], data.filePath("gone0002.surf") + ": Error opening file.");
    const QStringList summary = dialogs.shown[3].split('\n');
    QCOMPARE(summary.size(), 12);
    QCOMPARE(summary.first(), QString("1997 more files could not be opened:"));
    QCOMPARE(summary[1], data.filePath("gone0003.surf") + ": Error opening file.");
    QCOMPARE(summary.last(), QString("... and 1987 more."));
    QCOMPARE(window.view()->ModelList.count(), 2);

    // A close while a box is up ends the opening, and the settings are kept.
    dialogs.shown.clear();
    dialogs.onBox = [&] { window.close(); };
    window.openModelFile(scene);
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(!window.isVisible());
    QVERIFY(QFileInfo(Tessaron::settingsPath()).isFile());
    QCOMPARE(window.view()->ModelList.count(), 2);
}

void TestHangs::namesOfMegabytes()
{
    const QString name = QString(1 << 20, 'x') + ".surf";
    const QString scene = data.filePath("long.hx");
    QVERIFY(writeScene(scene, {name}));
    Dialogs::install(nullptr); // the toolkit's own box, answered as it comes up
    QString shown;
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    answer.start(20);
    Tessaron window;
    window.show();
    window.openModelFile(scene);
    QVERIFY2(shown.size() < 300, qPrintable(QString::number(shown.size())));
    QVERIFY(shown.startsWith(data.path()));
    QVERIFY(shown.endsWith("xxx.surf: Error opening file."));
    QVERIFY(shown.contains(QChar(0x2026)));

    window.showStatus(QString(1 << 20, 'y'));
    QVERIFY(window.statusText().size() <= 200);
}

void TestHangs::pipeAsSettingsFile()
{
    const QString fifo = Tessaron::settingsPath();
    QFile::remove(fifo);
    QVERIFY(QDir().mkpath(QFileInfo(fifo).path()));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // After half a minute a watchdog feeds the pipe, so that a start that
    // waits on it fails this test instead of hanging it.
    std::atomic<bool> done {false}, fed {false};
    std::thread watchdog([&] {
        const auto start = std::chrono::steady_clock::now();
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (std::chrono::steady_clock::now() - start < std::chrono::seconds(30))
                continue;
            fed = true;
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
            char sink[4096];
            while (fd >= 0 && ::read(fd, sink, sizeof sink) > 0) { }
            if (fd >= 0)
                ::close(fd);
        }
    });

    const Language language = SettingsFile::savedLanguage();
    Tessaron window;
    window.show();
    const int read = window.readSettings(true);
    window.view()->State.Config.pointThickness = 9;
    window.writeSettings();
    done = true;
    watchdog.join();

    QVERIFY(!fed);
    QCOMPARE(language, Language::Russian);
    QCOMPARE(read, 0);
    QVERIFY(window.isMaximized());
    QVERIFY(!QFileInfo(fifo).isFile()); // still the pipe, not replaced
}

QTEST_MAIN(TestHangs)
#include "test_hangs.moc"
