#pragma once

#include <QWidget>

class StoneFinding;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

// The stones part of the Slice panel: "Find Stones", the "Stone Pick" and
// "Box" tools (a click segments the stone under it; a drag sets the box a
// search stays in), the detection level, the region a search covers, what
// the last search said, and the table of the stones found. Choosing a row
// moves the planes through that stone and selects it in 3-D.
class StonesBox : public QWidget
{
    Q_OBJECT

public:
    StonesBox(QWidget *parent, StoneFinding &finding);

    // The tools of the slice picture; at most one is on.
    bool picking() const;
    bool boxing() const;

    QPushButton *findButton() const { return button_find; }
    QPushButton *pickButton() const { return button_pick; }
    QPushButton *boxButton() const { return button_box; }
    QPushButton *clearBoxButton() const { return button_clearBox; }
    QDoubleSpinBox *levelBox() const { return spinBox_level; }
    QLabel *regionLabel() const { return label_region; }
    QLabel *messageLabel() const { return label_message; }
    QTableWidget *table() const { return tableWidget_stones; }

    // The region a search would cover now (the models may have changed).
    void showRegion();
    // The stones listed; none after the image changed.
    void showStones();

signals:
    // A tool went on or off.
    void toolChanged();

private:
    void buildWidgets();
    void rowChosen(int row);
    void showMessage(const QString &text);

    StoneFinding &Finding;
    bool Filling = false; // the table is being filled: no row is chosen
    QPushButton *button_find;
    QPushButton *button_pick;
    QPushButton *button_box;
    QPushButton *button_clearBox;
    QDoubleSpinBox *spinBox_level;
    QLabel *label_region;
    QLabel *label_message;
    QTableWidget *tableWidget_stones;
};
