#include "MeasurementsControl.h"

#include "measure/MeasureReport.h"
#include "view/GLWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace measure;

namespace {

QTableWidget *makeTable(QWidget *parent, const char *name)
{
    auto *table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    return table;
}

// The table as tall as its rows, up to ten of them.
void fitHeight(QTableWidget *widget)
{
    const int rows = std::min(widget->rowCount(), 10);
    int height = widget->horizontalHeader()->height() + 2 * widget->frameWidth();
    for (int r = 0; r < rows; ++r)
        height += widget->rowHeight(r);
    if (widget->rowCount() > rows)
        height += widget->rowHeight(0) / 2; // a half row says there is more
    widget->setFixedHeight(height + 2);
}

// A table whose last column is as wide as the panel leaves and wraps its
// texts there, rows growing to them, rather than run out of sight.
void wrapLastColumn(QTableWidget *widget)
{
    widget->setWordWrap(true);
    widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QObject::connect(widget->horizontalHeader(), &QHeaderView::sectionResized, widget,
                     [widget](int index) {
                         if (index == widget->columnCount() - 1) {
                             widget->resizeRowsToContents();
                             fitHeight(widget);
                         }
                     });
}

// Rows and columns of a report table; the table is as tall as its rows,
// up to ten of them.
void fill(QTableWidget *widget, const Table &table)
{
    widget->clear();
    widget->setColumnCount(int(table.header.size()));
    widget->setHorizontalHeaderLabels(table.header);
    widget->setRowCount(int(table.rows.size()));
    for (int r = 0; r < table.rows.size(); ++r)
        for (int c = 0; c < table.rows[r].size(); ++c) {
            auto *item = new QTableWidgetItem(table.rows[r][c]);
            if (c > 0 && !table.rows[r][c].isEmpty() && table.rows[r][c][0].isDigit())
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            widget->setItem(r, c, item);
        }
    for (int r = 0; r < table.swatches.size() && r < widget->rowCount(); ++r) {
        QPixmap swatch(12, 12);
        const auto &rgb = table.swatches[r];
        swatch.fill(QColor(rgb[0], rgb[1], rgb[2]));
        widget->item(r, 0)->setIcon(QIcon(swatch));
    }
    if (widget->wordWrap()) {
        // All but the last column as wide as their texts; the last one takes
        // the rest (it stretches) and its rows as many lines as they need.
        for (int c = 0; c + 1 < widget->columnCount(); ++c)
            widget->resizeColumnToContents(c);
        widget->resizeRowsToContents();
    } else {
        widget->resizeColumnsToContents();
    }
    fitHeight(widget);
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

MeasurementsControl::MeasurementsControl(QWidget *parent, GLWidget *view)
    : QDockWidget(parent)
    , View(view)
    , Pending(new QTimer(this))
{
    setObjectName("MeasurementsControl");
    setWindowTitle(tr("Measurements"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setMinimumWidth(380);
    buildWidgets();
    // Loading a scene adds its models one by one: they are measured once, together.
    Pending->setSingleShot(true);
    Pending->setInterval(150);
    connect(Pending, &QTimer::timeout, this, &MeasurementsControl::refresh);
    connect(&View->ModelList, &ModelListClass::updateList, Pending, qOverload<>(&QTimer::start));
    connect(&View->ModelList, &ModelListClass::_repaint, this,
            &MeasurementsControl::visibilityChanged);
    auto *copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, &MeasurementsControl::copyTables);
    Pending->start(0);
    show();
}

void MeasurementsControl::buildWidgets()
{
    auto *contents = new QWidget;
    contents->setObjectName("dockWidgetContents");
    auto *refreshButton = new QPushButton(tr("Measure again"), contents);
    refreshButton->setObjectName("pushButton_refresh");
    auto *copyButton = new QPushButton(tr("Copy tables"), contents);
    copyButton->setObjectName("pushButton_copy");
    auto *clearButton = new QPushButton(tr("Clear mark"), contents);
    clearButton->setObjectName("pushButton_clear");
    connect(refreshButton, &QPushButton::clicked, this, &MeasurementsControl::refresh);
    connect(copyButton, &QPushButton::clicked, this, &MeasurementsControl::copyTables);
    connect(clearButton, &QPushButton::clicked, View, &GLWidget::clearMeasureMark);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(refreshButton);
    buttons->addWidget(copyButton);
    buttons->addWidget(clearButton);
    buttons->addStretch();

    tableWidget_models = makeTable(contents, "tableWidget_models");
    label_sides = new QLabel(contents);
    label_sides->setObjectName("label_sides");
    label_sides->setWordWrap(true);
    label_stones = new QLabel(contents);
    label_stones->setObjectName("label_stones");
    label_stones->setWordWrap(true);
    tableWidget_stones = makeTable(contents, "tableWidget_stones");
    tableWidget_gaps = makeTable(contents, "tableWidget_gaps");
    connect(tableWidget_stones, &QTableWidget::cellClicked, this,
            &MeasurementsControl::stoneClicked);
    connect(tableWidget_gaps, &QTableWidget::cellClicked, this, &MeasurementsControl::gapClicked);

    auto *nephrometry = new QGroupBox(tr("R.E.N.A.L. nephrometry"), contents);
    nephrometry->setObjectName("groupBox_nephrometry");
    comboBox_tumour = new QComboBox(nephrometry);
    comboBox_tumour->setObjectName("comboBox_tumour");
    tableWidget_nephrometry = makeTable(nephrometry, "tableWidget_nephrometry");
    tableWidget_nephrometry->setSelectionMode(QAbstractItemView::NoSelection);
    wrapLastColumn(tableWidget_nephrometry);
    comboBox_anterior = new QComboBox(nephrometry);
    comboBox_anterior->setObjectName("comboBox_anterior");
    comboBox_anterior->addItems(
        {QStringLiteral("–"), tr("a: anterior"), tr("p: posterior"), tr("x: neither")});
    comboBox_polar = new QComboBox(nephrometry);
    comboBox_polar->setObjectName("comboBox_polar");
    comboBox_polar->addItems({QStringLiteral("–"), tr("1: wholly above or below a polar line"),
                              tr("2: crosses a polar line"),
                              tr("3: half or more across a polar line, across the midline, or "
                                 "wholly between the polar lines")});
    // The longest choice need not widen the panel: the list shows it whole.
    comboBox_polar->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    comboBox_polar->setMinimumContentsLength(12);
    comboBox_polar->view()->setMinimumWidth(comboBox_polar->view()->sizeHintForColumn(0));
    label_score = new QLabel(nephrometry);
    label_score->setObjectName("label_score");
    label_score->setWordWrap(true);
    // L's choices are long: it has a row of its own, as wide as the panel.
    auto *entered = new QHBoxLayout;
    entered->addWidget(new QLabel(tr("A:"), nephrometry));
    entered->addWidget(comboBox_anterior);
    entered->addStretch();
    auto *polar = new QHBoxLayout;
    polar->addWidget(new QLabel(tr("L:"), nephrometry));
    polar->addWidget(comboBox_polar, 1);
    auto *box = new QVBoxLayout(nephrometry);
    box->addWidget(comboBox_tumour);
    box->addWidget(tableWidget_nephrometry);
    box->addLayout(entered);
    box->addLayout(polar);
    box->addWidget(label_score);
    connect(comboBox_tumour, &QComboBox::currentIndexChanged, this,
            &MeasurementsControl::showNephrometry);
    connect(comboBox_anterior, &QComboBox::activated, this, &MeasurementsControl::enteredChanged);
    connect(comboBox_polar, &QComboBox::activated, this, &MeasurementsControl::enteredChanged);

    auto *layout = new QVBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(heading(tr("Models"), contents));
    layout->addWidget(tableWidget_models);
    layout->addWidget(label_sides);
    layout->addWidget(heading(tr("Stones"), contents));
    layout->addWidget(label_stones);
    layout->addWidget(tableWidget_stones);
    layout->addWidget(heading(tr("Gaps"), contents));
    layout->addWidget(tableWidget_gaps);
    layout->addWidget(nephrometry);
    layout->addWidget(buildStoneScore(contents));
    layout->addStretch();
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(contents);
    setWidget(scroll);
}

QGroupBox *MeasurementsControl::buildStoneScore(QWidget *parent)
{
    auto *group = new QGroupBox(tr("S.T.O.N.E. nephrolithometry"), parent);
    group->setObjectName("groupBox_stoneScore");
    comboBox_burden = new QComboBox(group);
    comboBox_burden->setObjectName("comboBox_burden");
    tableWidget_stoneScore = makeTable(group, "tableWidget_stoneScore");
    tableWidget_stoneScore->setSelectionMode(QAbstractItemView::NoSelection);
    wrapLastColumn(tableWidget_stoneScore);
    comboBox_obstruction = new QComboBox(group);
    comboBox_obstruction->setObjectName("comboBox_obstruction");
    comboBox_obstruction->addItems(
        {QStringLiteral("–"), tr("1: none or mild"), tr("2: moderate or severe")});
    comboBox_calyces = new QComboBox(group);
    comboBox_calyces->setObjectName("comboBox_calyces");
    comboBox_calyces->addItems({QStringLiteral("–"), tr("1: one or two calyces"),
                                tr("2: three calyces"), tr("3: staghorn")});
    label_stoneScore = new QLabel(group);
    label_stoneScore->setObjectName("label_stoneScore");
    label_stoneScore->setWordWrap(true);
    auto *entered = new QHBoxLayout;
    entered->addWidget(new QLabel(tr("O:"), group));
    entered->addWidget(comboBox_obstruction);
    entered->addWidget(new QLabel(tr("N:"), group));
    entered->addWidget(comboBox_calyces);
    entered->addStretch();
    auto *box = new QVBoxLayout(group);
    box->addWidget(comboBox_burden);
    box->addWidget(tableWidget_stoneScore);
    box->addLayout(entered);
    box->addWidget(label_stoneScore);
    connect(comboBox_burden, &QComboBox::currentIndexChanged, this,
            &MeasurementsControl::showStoneScore);
    connect(comboBox_obstruction, &QComboBox::activated, this,
            &MeasurementsControl::stoneEnteredChanged);
    connect(comboBox_calyces, &QComboBox::activated, this,
            &MeasurementsControl::stoneEnteredChanged);
    return group;
}

void MeasurementsControl::setImage(const ImageVolume *image)
{
    if (image == Image)
        return;
    Image = image;
    Pending->start(0);
}

ModelClass *MeasurementsControl::source(std::size_t i) const
{
    ModelClass *model = i < Sources.size() ? Sources[i] : nullptr;
    return View->ModelList.indexOf(model) > 0 ? model : nullptr;
}

void MeasurementsControl::refresh()
{
    if (Busy) {
        Again = true; // the models changed while they were measured
        return;
    }
    Busy = true;
    std::vector<ModelSnapshot> shots;
    Sources.clear();
    for (qsizetype i = 1; i < View->ModelList.count(); ++i) {
        ModelClass *model = View->ModelList.at(i);
        shots.push_back(snapshotModel(*model));
        Sources.push_back(model);
    }
    SceneMeasurement measured;
    SceneOptions options;
    options.image = Image;
    if (View->runResponsive(tr("Measuring..."), [&] { measured = measureScene(shots, options); }))
        Results = std::move(measured);
    else
        Results = {};
    for (Nephrometry &n : Results.nephrometry) {
        const auto entered = Entered.value(n.tumour, {char(0), 0});
        n.anterior = entered.first;
        n.polar = entered.second;
    }
    for (StoneBurden &burden : Results.stones) {
        const auto entered = EnteredStones.value(burden.model, {0, 0});
        burden.score.obstruction = entered.first;
        burden.score.calyces = entered.second;
    }
    Busy = false;
    showResults();
    if (const std::optional<SessionGap> gap = std::exchange(PendingGap, std::nullopt))
        for (std::size_t row = 0; row < Results.gaps.size(); ++row)
            if (const PresetGap &g = Results.gaps[row];
                g.from == gap->from && g.to == gap->to && g.stone == gap->stone)
                gapClicked(int(row));
    if (std::exchange(Again, false))
        Pending->start();
}

void MeasurementsControl::visibilityChanged()
{
    bool changed = false;
    for (std::size_t i = 0; i < Results.models.size(); ++i)
        if (const ModelClass *model = source(i);
            model && bool(model->Visible) != Results.models[i].visible) {
            Results.models[i].visible = model->Visible;
            changed = true;
        }
    if (changed)
        fill(tableWidget_models, measure::modelTable(Results, true));
}

void MeasurementsControl::showResults()
{
    const Table models = measure::modelTable(Results, true);
    fill(tableWidget_models, models);
    // The warnings stand out; the line saying what they rest on does not.
    QString sides = measure::sidesText(Results).toHtmlEscaped();
    if (!models.note.isEmpty())
        sides =
            QStringLiteral("<b style=\"color:#b00000\">%1</b><br>%2")
                .arg(models.note.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")),
                     sides);
    label_sides->setText(sides);
    Table stones;
    QStringList summaries;
    StoneRows.clear();
    for (std::size_t b = 0; b < Results.stones.size(); ++b) {
        const Table table = measure::stoneTable(Results.stones[b]);
        if (b == 0)
            stones = table;
        else
            stones.rows << table.rows;
        summaries << (Results.stones.size() > 1 ? table.title + ": " : QString()) + table.note;
        for (std::size_t s = 0; s < Results.stones[b].stones.size(); ++s)
            StoneRows << std::pair {int(b), int(s)};
    }
    label_stones->setText(summaries.isEmpty() ? tr("No stones model is loaded.")
                                              : summaries.join(QLatin1Char('\n')));
    fill(tableWidget_stones, stones);
    tableWidget_stones->setVisible(!Results.stones.empty());
    fill(tableWidget_gaps, measure::gapTable(Results));
    tableWidget_gaps->setVisible(!Results.gaps.empty());
    const QString current = comboBox_tumour->currentText();
    comboBox_tumour->blockSignals(true);
    comboBox_tumour->clear();
    for (const Nephrometry &n : Results.nephrometry)
        comboBox_tumour->addItem(shownName(n.tumour, Anatomy::Tumour));
    comboBox_tumour->setCurrentIndex(std::max(0, comboBox_tumour->findText(current)));
    comboBox_tumour->setVisible(Results.nephrometry.size() > 1);
    comboBox_tumour->blockSignals(false);
    showNephrometry();
    const QString burden = comboBox_burden->currentText();
    comboBox_burden->blockSignals(true);
    comboBox_burden->clear();
    for (const StoneBurden &b : Results.stones)
        comboBox_burden->addItem(shownName(b.model, Anatomy::Stones));
    comboBox_burden->setCurrentIndex(std::max(0, comboBox_burden->findText(burden)));
    comboBox_burden->setVisible(Results.stones.size() > 1);
    comboBox_burden->blockSignals(false);
    showStoneScore();
}

StoneBurden *MeasurementsControl::currentBurden()
{
    const int i = comboBox_burden->currentIndex();
    return i >= 0 && std::size_t(i) < Results.stones.size() ? &Results.stones[std::size_t(i)]
                                                            : nullptr;
}

void MeasurementsControl::showStoneScore()
{
    const StoneBurden *burden = currentBurden();
    tableWidget_stoneScore->setVisible(burden);
    comboBox_obstruction->setEnabled(burden);
    comboBox_calyces->setEnabled(burden);
    if (!burden) {
        label_stoneScore->setText(tr("No stones model is loaded."));
        return;
    }
    const Table table = measure::stoneScoreTable(*burden);
    fill(tableWidget_stoneScore, table);
    label_stoneScore->setText(table.note);
    comboBox_obstruction->setCurrentIndex(burden->score.obstruction);
    comboBox_calyces->setCurrentIndex(burden->score.calyces);
}

void MeasurementsControl::stoneEnteredChanged()
{
    StoneBurden *burden = currentBurden();
    if (!burden)
        return;
    burden->score.obstruction = comboBox_obstruction->currentIndex();
    burden->score.calyces = comboBox_calyces->currentIndex();
    EnteredStones[burden->model] = {burden->score.obstruction, burden->score.calyces};
    showStoneScore();
}

Nephrometry *MeasurementsControl::currentNephrometry()
{
    const int i = comboBox_tumour->currentIndex();
    return i >= 0 && std::size_t(i) < Results.nephrometry.size()
        ? &Results.nephrometry[std::size_t(i)]
        : nullptr;
}

void MeasurementsControl::showNephrometry()
{
    const Nephrometry *n = currentNephrometry();
    tableWidget_nephrometry->setVisible(n);
    comboBox_anterior->setEnabled(n);
    comboBox_polar->setEnabled(n);
    if (!n) {
        label_score->setText(tr("No tumour model is loaded."));
        return;
    }
    const Table table = measure::nephrometryTable(*n);
    fill(tableWidget_nephrometry, table);
    label_score->setText(table.note);
    comboBox_anterior->setCurrentIndex(int(QByteArray("\0apx", 4).indexOf(n->anterior)));
    comboBox_polar->setCurrentIndex(n->polar);
}

void MeasurementsControl::enteredChanged()
{
    Nephrometry *n = currentNephrometry();
    if (!n)
        return;
    n->anterior = "\0apx"[std::clamp(comboBox_anterior->currentIndex(), 0, 3)];
    n->polar = comboBox_polar->currentIndex();
    Entered[n->tumour] = {n->anterior, n->polar};
    showNephrometry();
}

void MeasurementsControl::stoneClicked(int row)
{
    if (row < 0 || row >= StoneRows.size())
        return;
    const auto [b, s] = StoneRows[row];
    const StoneBurden &burden = Results.stones[std::size_t(b)];
    const Stone &stone = burden.stones[std::size_t(s)];
    ModelClass *model = source(burden.modelIndex);
    if (!model)
        return;
    MeasureMark mark;
    mark.frame = model;
    mark.measured = {{model, model->DataVersion}};
    std::copy(stone.centre.begin(), stone.centre.end(), mark.a);
    const QString name = shownName(burden.model, Anatomy::Stones);
    mark.label = tr("%1 #%2").arg(name).arg(stone.number);
    mark.status = tr("Stone %1 #%2: centre %3 mm, %4 across")
                      .arg(name)
                      .arg(stone.number)
                      .arg(pointText(stone.centre), lengthText(stone.diameter));
    View->setMeasureMark(mark);
}

void MeasurementsControl::gapClicked(int row)
{
    if (row < 0 || std::size_t(row) >= Results.gaps.size())
        return;
    const PresetGap &g = Results.gaps[std::size_t(row)];
    ModelClass *from = source(g.fromIndex), *to = source(g.toIndex);
    if (!from || !to || !g.gap.valid)
        return;
    ShownGap = SessionGap {g.from, g.to, g.stone};
    // The names as the gap table shows them, in the interface language.
    const QString nameOfFrom = shownName(Results.models[g.fromIndex]);
    View->setMeasureMark(gapMark(
        g.gap, from, to, g.stone > 0 ? tr("%1 #%2").arg(nameOfFrom).arg(g.stone) : nameOfFrom,
        shownName(Results.models[g.toIndex])));
}

namespace {

template<typename T> QStringList sortedKeys(const QHash<QString, T> &hash)
{
    QStringList keys = hash.keys();
    keys.sort();
    return keys;
}

} // namespace

void MeasurementsControl::savePlan(Session &session) const
{
    // By name, so that the same plan always writes the same file.
    for (const QString &tumour : sortedKeys(Entered))
        if (const auto [anterior, polar] = Entered.value(tumour); anterior || polar)
            session.nephrometry << SessionRenal {tumour, anterior, polar};
    for (const QString &stones : sortedKeys(EnteredStones))
        if (const auto [obstruction, calyces] = EnteredStones.value(stones); obstruction || calyces)
            session.stoneScores << SessionStoneScore {stones, obstruction, calyces};
    // The gap still drawn, not one whose mark a change of the models took away.
    if (ShownGap && View->measureMark())
        session.gap = ShownGap;
}

void MeasurementsControl::restorePlan(const Session &session)
{
    for (const SessionRenal &r : session.nephrometry)
        Entered[r.tumour] = {r.anterior, r.polar};
    for (const SessionStoneScore &s : session.stoneScores)
        EnteredStones[s.stones] = {s.obstruction, s.calyces};
    PendingGap = session.gap && !session.gap->closest ? session.gap : std::nullopt;
    Pending->start(0);
}

QString MeasurementsControl::tablesText() const
{
    return tablesAsTsv(sceneTables(Results, true));
}

void MeasurementsControl::copyTables()
{
    QApplication::clipboard()->setText(tablesText());
}
