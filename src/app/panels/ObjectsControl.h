#pragma once

#include <QDockWidget>

class ModelClass;
class ModelListClass;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class ViewHost;

// "Objects": the tree of the model list. Picks the current model, shows and
// hides, recolours, renames, deletes and joins models; the window's
// measuring commands (`measuring`) join its context menu. A joined model
// goes out through modelMade, for the view to place.
class ObjectsControl : public QDockWidget
{
    Q_OBJECT

public:
    ObjectsControl(QWidget *parent, ModelListClass &models, ViewHost &host,
                   const QList<QAction *> &measuring);
    ~ObjectsControl() override;

    QTreeWidget *tree() const { return treeWidget_objects; }
    QTreeWidgetItem *itemOf(const ModelClass *model) const;
    // The user models of the selected rows, in the tree's order.
    QList<ModelClass *> selectedModels() const;
    void selectModel(ModelClass *model);
    // While held (a command opens many files), updates only note that the
    // tree is behind; the release brings it up to date at once. Each update
    // lays the whole tree out again, so a scene of n models held n of them.
    void holdUpdates(bool hold);
    // The colour label's style for a model's colour.
    static QString labelStyle(const ModelClass *model);

    QAction *actionSetActive;
    QAction *actionShowHide;
    QAction *actionChangeColor;
    QAction *actionChangeName;
    QAction *actionDelete;
    QAction *actionJoin;

signals:
    void modelMade(ModelClass *model);

public slots:
    void updateFields();
    void itemClicked(QTreeWidgetItem *item, int column);
    void itemDoubleClicked(QTreeWidgetItem *item, int column);
    void contextMenuSelectElement();
    void contextMenuShowhideElement();
    void contextMenuChangeColorElement(ModelClass *model);
    void contextMenuChangeColorElement();
    void contextMenuChangeNameElement();
    void contextMenuDeleteElement();
    void contextMenuJoinSelected();
    void ShowContexMenu();

private slots:
    void openContextMenu(const QPoint &pos);

private:
    ModelClass *modelOf(const QTreeWidgetItem *item) const;
    void makeCurrent(ModelClass *model);
    void createActions(const QList<QAction *> &measuring);
    // Asks the view to draw the list again.
    void repaintView();
    void setColorLabel(ModelClass *model);
    void refreshRow(ModelClass *model, bool current);
    void placeChildren(const ModelClass *model);
    void dropGoneItems();

    ModelListClass &Models;
    ViewHost &Host;
    QTreeWidget *treeWidget_objects;
    QMenu *ContextMenu = nullptr;
    QHash<const ModelClass *, QTreeWidgetItem *> Items;
    bool Held = false;
    bool Behind = false;
};
