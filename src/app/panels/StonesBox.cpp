#include "StonesBox.h"

#include "app/StoneFinding.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>

namespace {

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString millimetres(const std::optional<double> &value)
{
    return value ? number(*value, 1) : QStringLiteral("–");
}

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

StonesBox::StonesBox(QWidget *parent, StoneFinding &finding)
    : QWidget(parent)
    , Finding(finding)
{
    setObjectName("stonesBox");
    buildWidgets();
    connect(button_find, &QPushButton::clicked, this, [this] { Finding.find(); });
    connect(button_pick, &QPushButton::toggled, this, [this](bool on) {
        if (on)
            button_box->setChecked(false);
        emit toolChanged();
    });
    connect(button_box, &QPushButton::toggled, this, [this](bool on) {
        if (on)
            button_pick->setChecked(false);
        emit toolChanged();
    });
    connect(button_clearBox, &QPushButton::clicked, this, [this] { Finding.setBox(std::nullopt); });
    connect(spinBox_level, &QDoubleSpinBox::valueChanged, this,
            [this](double hu) { Finding.setLevel(hu); });
    connect(tableWidget_stones, &QTableWidget::cellClicked, this,
            [this](int row, int) { rowChosen(row); });
    connect(tableWidget_stones, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous, int) {
                if (row != previous)
                    rowChosen(row);
            });
    connect(&Finding, &StoneFinding::stonesChanged, this, &StonesBox::showStones);
    connect(&Finding, &StoneFinding::boxChanged, this, &StonesBox::showRegion);
    connect(&Finding, &StoneFinding::said, this, &StonesBox::showMessage);
    showMessage(Finding.message());
    showStones();
}

void StonesBox::buildWidgets()
{
    button_find = new QPushButton(tr("Find Stones"), this);
    button_find->setObjectName("button_findStones");
    button_pick = new QPushButton(tr("Stone Pick"), this);
    button_pick->setObjectName("button_stonePick");
    button_pick->setCheckable(true);
    button_pick->setToolTip(tr("A click on a bright spot of the slice segments that stone."));
    button_box = new QPushButton(tr("Box"), this);
    button_box->setObjectName("button_stoneBox");
    button_box->setCheckable(true);
    button_box->setToolTip(tr("A drag on the slice sets the box a search stays in."));
    button_clearBox = new QPushButton(tr("Clear Box"), this);
    button_clearBox->setObjectName("button_clearStoneBox");
    spinBox_level = new QDoubleSpinBox(this);
    spinBox_level->setObjectName("spinBox_stoneLevel");
    spinBox_level->setRange(-1000, 10000);
    spinBox_level->setDecimals(0);
    spinBox_level->setSuffix(tr(" HU"));
    spinBox_level->setValue(Finding.level());
    spinBox_level->setToolTip(tr("A stone's voxels are at or above this level."));
    auto *tools = new QGridLayout;
    tools->addWidget(button_find, 0, 0);
    tools->addWidget(button_pick, 0, 1);
    tools->addWidget(spinBox_level, 0, 2);
    tools->addWidget(button_box, 1, 0);
    tools->addWidget(button_clearBox, 1, 1);
    label_region = new QLabel(this);
    label_region->setObjectName("label_stoneRegion");
    label_region->setWordWrap(true);
    label_message = new QLabel(this);
    label_message->setObjectName("label_stoneMessage");
    label_message->setWordWrap(true);
    tableWidget_stones = new QTableWidget(0, 9, this);
    tableWidget_stones->setObjectName("tableWidget_foundStones");
    tableWidget_stones->setHorizontalHeaderLabels({tr("#"), tr("Volume, mm³"), tr("Diameters, mm"),
                                                   tr("Axial, mm"), tr("HU mean"), tr("HU peak"),
                                                   tr("Side"), tr("Skin, mm"), tr("SWL skin, mm")});
    tableWidget_stones->verticalHeader()->hide();
    tableWidget_stones->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableWidget_stones->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableWidget_stones->setSelectionMode(QAbstractItemView::SingleSelection);
    tableWidget_stones->setMinimumHeight(110);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(tools);
    layout->addWidget(label_region);
    layout->addWidget(label_message);
    layout->addWidget(tableWidget_stones, 1);
}

bool StonesBox::picking() const
{
    return button_pick->isChecked();
}

bool StonesBox::boxing() const
{
    return button_box->isChecked();
}

void StonesBox::showRegion()
{
    button_clearBox->setEnabled(Finding.box().has_value());
    switch (Finding.region()) {
    case StoneFinding::Region::Box:
        label_region->setText(tr("Region: the box."));
        break;
    case StoneFinding::Region::Models:
        label_region->setText(
            tr("Region: within %1 mm of the kidneys, collecting systems and ureters.")
                .arg(measure::StoneRegion().marginMm));
        break;
    case StoneFinding::Region::WholeImage:
        label_region->setText(tr("Region: the whole image, bone left out."));
        break;
    }
}

void StonesBox::showStones()
{
    const std::vector<measure::FoundStone> &stones = Finding.stones();
    Filling = true;
    const QSignalBlocker blocker(tableWidget_stones);
    tableWidget_stones->setRowCount(int(stones.size()));
    for (int row = 0; row < int(stones.size()); ++row) {
        const measure::FoundStone &s = stones[std::size_t(row)];
        const QString side = s.side == anatomy::Side::None ? QStringLiteral("–")
            : s.side == anatomy::Side::Left                ? tr("left")
                                                           : tr("right");
        const QString cells[] = {
            QString::number(row + 1),
            number(s.volumeMm3, 1),
            tr("%1 × %2 × %3")
                .arg(number(s.diameters[0], 1), number(s.diameters[1], 1),
                     number(s.diameters[2], 1)),
            number(s.axialDiameterMm, 1),
            number(s.huMean, 0),
            number(s.huPeak, 0),
            side,
            millimetres(s.skinDistanceMm),
            millimetres(s.swlSkinDistanceMm),
        };
        for (int column = 0; column < 9; ++column)
            tableWidget_stones->setItem(row, column, cell(cells[column]));
    }
    tableWidget_stones->resizeColumnsToContents();
    // An empty table leaves its room to the slice's picture.
    tableWidget_stones->setVisible(!stones.empty());
    Filling = false;
    showRegion();
}

void StonesBox::showMessage(const QString &text)
{
    label_message->setText(text);
    label_message->setVisible(!text.isEmpty());
}

void StonesBox::rowChosen(int row)
{
    if (!Filling && row >= 0)
        Finding.choose(row);
}
