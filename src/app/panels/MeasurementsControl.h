#pragma once

#include "formats/SessionFile.h"
#include "measure/SceneMeasurement.h"

#include <QDockWidget>

#include <optional>
#include <vector>

class GLWidget;
class ModelClass;
class QComboBox;
class QGroupBox;
class QLabel;
class QTableWidget;
class QTimer;

// "Measurements": the planning numbers of the loaded models. One row per
// visible model, the stones of a stones model, the gaps the anatomy asks for
// the R.E.N.A.L. nephrometry of the tumour, whose A and L the user enters,
// and the S.T.O.N.E. score of the stones, whose O and N the user enters.
// With an image (the CT the surfaces were made on) the models and stones
// gain its values; a model whose name says one side but which lies on the
// other is warned about under the models. Measured again when models come or go; a click on a stone
// shows its centre in the view, a click on a gap its segment; Ctrl+C copies the tables as
// tab-separated text.
class MeasurementsControl : public QDockWidget
{
    Q_OBJECT

public:
    MeasurementsControl(QWidget *parent, GLWidget *view);

    const measure::SceneMeasurement &results() const { return Results; }
    // The tables as Ctrl+C copies them.
    QString tablesText() const;

    QTableWidget *modelTable() const { return tableWidget_models; }
    // The side warnings and against what midline the sides were checked.
    QLabel *sidesLabel() const { return label_sides; }
    QTableWidget *stoneTable() const { return tableWidget_stones; }
    QTableWidget *gapTable() const { return tableWidget_gaps; }
    QTableWidget *nephrometryTable() const { return tableWidget_nephrometry; }
    QComboBox *anteriorBox() const { return comboBox_anterior; }
    QComboBox *polarBox() const { return comboBox_polar; }
    QLabel *scoreLabel() const { return label_score; }
    QTableWidget *stoneScoreTable() const { return tableWidget_stoneScore; }
    QComboBox *obstructionBox() const { return comboBox_obstruction; }
    QComboBox *calycesBox() const { return comboBox_calyces; }
    QLabel *stoneScoreLabel() const { return label_stoneScore; }

    // The image whose values the models and stones are given (null: none),
    // measured again with it. The caller keeps it alive until it sets
    // another one or the panel is gone.
    void setImage(const ImageVolume *image);
    const ImageVolume *image() const { return Image; }

    // What the user entered (A and L, O and N) and the gap shown, into a session.
    void savePlan(Session &session) const;
    // A session's entries, given to every measuring from now on; its gap is
    // shown once the models are measured.
    void restorePlan(const Session &session);
    // Another gap is drawn in the view (the closest gap of two chosen models).
    void forgetShownGap() { ShownGap.reset(); }

public slots:
    // Measures every loaded model again (on a worker thread, the view still painting).
    void refresh();
    void copyTables();

private slots:
    void stoneClicked(int row);
    void gapClicked(int row);
    void enteredChanged();
    void stoneEnteredChanged();
    void visibilityChanged();

private:
    void buildWidgets();
    void showResults();
    void showNephrometry();
    QGroupBox *buildStoneScore(QWidget *parent);
    void showStoneScore();
    measure::StoneBurden *currentBurden();
    // The model measured as entry i of the results, when it is still loaded.
    ModelClass *source(std::size_t i) const;
    measure::Nephrometry *currentNephrometry();

    GLWidget *View;
    measure::SceneMeasurement Results;
    std::vector<ModelClass *> Sources;                 // the model of every entry of Results.models
    QList<std::pair<int, int>> StoneRows;              // per stone row: burden and stone index
    QHash<QString, std::pair<char, int>> Entered;      // A and L per tumour name
    QHash<QString, std::pair<int, int>> EnteredStones; // O and N per stones model name
    const ImageVolume *Image = nullptr;
    std::optional<SessionGap> ShownGap;   // the gap row last clicked
    std::optional<SessionGap> PendingGap; // a session's gap, shown after the next measuring
    QTimer *Pending;
    bool Busy = false, Again = false;

    QTableWidget *tableWidget_models;
    QLabel *label_sides;
    QLabel *label_stones;
    QTableWidget *tableWidget_stones;
    QTableWidget *tableWidget_gaps;
    QComboBox *comboBox_tumour;
    QTableWidget *tableWidget_nephrometry;
    QComboBox *comboBox_anterior;
    QComboBox *comboBox_polar;
    QLabel *label_score;
    QComboBox *comboBox_burden;
    QTableWidget *tableWidget_stoneScore;
    QComboBox *comboBox_obstruction;
    QComboBox *comboBox_calyces;
    QLabel *label_stoneScore;
};
