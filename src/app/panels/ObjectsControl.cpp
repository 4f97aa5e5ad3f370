#include "ObjectsControl.h"

#include "geometry/Status.h"
#include "model/Topology.h"
#include "view/Dialogs.h"
#include "view/ViewHost.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

Q_DECLARE_METATYPE(ModelClass *)

ObjectsControl::ObjectsControl(QWidget *parent, ModelListClass &models, ViewHost &host,
                               const QList<QAction *> &measuring)
    : QDockWidget(parent)
    , Models(models)
    , Host(host)
{
    setObjectName("ObjectsControl");
    setWindowTitle(tr("Objects"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setMinimumSize(225, 210);
    setMaximumSize(88888, 230);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    treeWidget_objects = new QTreeWidget(contents);
    treeWidget_objects->setObjectName("treeWidget_objects");
    treeWidget_objects->setSelectionMode(QAbstractItemView::ExtendedSelection);
    treeWidget_objects->setColumnCount(3);
    treeWidget_objects->setHeaderLabels({tr("Name"), QString(), QString()});
    treeWidget_objects->setExpandsOnDoubleClick(false);
    // Every row is one line of text with an icon and a label of a fixed size:
    // with uniform heights a layout of the tree need not measure each row,
    // which with thousands of models took most of their loading.
    treeWidget_objects->setUniformRowHeights(true);
    QHeaderView *header = treeWidget_objects->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->setSectionResizeMode(2, QHeaderView::Fixed);
    treeWidget_objects->setColumnWidth(0, 175);
    treeWidget_objects->setColumnWidth(1, 22);
    treeWidget_objects->setColumnWidth(2, 22);
    auto *layout = new QVBoxLayout(contents);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(treeWidget_objects);
    setWidget(contents);

    updateFields();
    for (int i = 0; i < treeWidget_objects->topLevelItemCount(); ++i)
        treeWidget_objects->topLevelItem(i)->setExpanded(true);
    selectModel(Models.active());
    connect(&Models, &ModelListClass::updateList, this, &ObjectsControl::updateFields);
    connect(treeWidget_objects, &QTreeWidget::itemClicked, this, &ObjectsControl::itemClicked);
    connect(treeWidget_objects, &QTreeWidget::itemDoubleClicked, this,
            &ObjectsControl::itemDoubleClicked);
    show();
    createActions(measuring);
}

ObjectsControl::~ObjectsControl() = default;

void ObjectsControl::repaintView()
{
    Models.repaint();
}

void ObjectsControl::createActions(const QList<QAction *> &measuring)
{
    auto make = [this](const QString &text, void (ObjectsControl::*slot)()) {
        auto *act = new QAction(text, this);
        connect(act, &QAction::triggered, this, slot);
        return act;
    };
    actionSetActive = make(tr("Set active"), &ObjectsControl::contextMenuSelectElement);
    actionShowHide = make(tr("Show/Hide"), &ObjectsControl::contextMenuShowhideElement);
    actionChangeColor =
        make(tr("Change color"), qOverload<>(&ObjectsControl::contextMenuChangeColorElement));
    actionChangeName = make(tr("Change name"), &ObjectsControl::contextMenuChangeNameElement);
    actionDelete = make(tr("Delete"), &ObjectsControl::contextMenuDeleteElement);
    actionJoin = make(tr("Join models"), &ObjectsControl::contextMenuJoinSelected);
    // The menu offers the tree's own actions, for the row under the cursor.
    treeWidget_objects->setContextMenuPolicy(Qt::CustomContextMenu);
    treeWidget_objects->addActions({actionShowHide, actionChangeColor, actionChangeName});
    // The window's measuring commands work on the rows selected here.
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    treeWidget_objects->addAction(separator);
    treeWidget_objects->addActions(measuring);
    ContextMenu = new QMenu(this);
    connect(treeWidget_objects, &QWidget::customContextMenuRequested, this,
            &ObjectsControl::openContextMenu);
}

QList<ModelClass *> ObjectsControl::selectedModels() const
{
    QList<ModelClass *> models;
    for (QTreeWidgetItem *item : treeWidget_objects->selectedItems())
        if (ModelClass *model = modelOf(item); model && Models.indexOf(model) > 0)
            models << model;
    return models;
}

void ObjectsControl::openContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = treeWidget_objects->itemAt(pos);
    ModelClass *model = modelOf(item);
    if (model && Models.indexOf(model) > 0 && model != Models.active()) {
        // The row clicked becomes current, as in every tree view; a selection
        // of several rows that holds it stays for the commands on selections.
        const QList<QTreeWidgetItem *> selected = treeWidget_objects->selectedItems();
        makeCurrent(model);
        if (selected.size() > 1 && selected.contains(item))
            for (QTreeWidgetItem *row : selected)
                row->setSelected(true);
    }
    ContextMenu->clear();
    ContextMenu->addActions(treeWidget_objects->actions());
    ContextMenu->popup(treeWidget_objects->viewport()->mapToGlobal(pos));
}

ModelClass *ObjectsControl::modelOf(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, Qt::UserRole).value<ModelClass *>() : nullptr;
}

QTreeWidgetItem *ObjectsControl::itemOf(const ModelClass *model) const
{
    return Items.value(model, nullptr);
}

namespace {

// What a row shows besides its text, kept in the row itself so that an update
// touches only rows that changed: the visibility its icon shows, and the
// colour of its label (none while the row has no label).
constexpr int kShownVisibility = Qt::UserRole + 1;
constexpr int kLabelColour = Qt::UserRole + 2;

const QIcon &visibilityIcon(bool visible)
{
    static const QIcon shown(":/show"), hidden(":/hide");
    return visible ? shown : hidden;
}

QRgb modelColour(const ModelClass *model)
{
    if (model->ModelColor[0] >= 0)
        return qRgb(model->ModelColor[0], model->ModelColor[1], model->ModelColor[2]);
    if (!model->Meshes.isEmpty())
        return QColor::fromRgbF(model->Meshes[0]->FrontColor[0], model->Meshes[0]->FrontColor[1],
                                model->Meshes[0]->FrontColor[2])
            .rgb();
    return qRgb(255, 255, 255);
}

} // namespace

QString ObjectsControl::labelStyle(const ModelClass *model)
{
    // A dark frame keeps a white or pale swatch visible on the tree's background.
    return "QLabel { margin:1px;background:" + QColor(modelColour(model)).name()
        + ";border:1px solid #000000;}";
}

void ObjectsControl::setColorLabel(ModelClass *model)
{
    QTreeWidgetItem *item = Items.value(model);
    auto *label = new QLabel;
    label->setFixedSize(18, 18);
    label->setStyleSheet(labelStyle(model));
    treeWidget_objects->setItemWidget(item, 2, label);
    item->setData(2, kLabelColour, modelColour(model));
}

// Text, weight, icon and label of one row, each set only when it changed.
void ObjectsControl::refreshRow(ModelClass *model, bool current)
{
    QTreeWidgetItem *item = Items.value(model);
    item->setText(0, model->title());
    if (item->font(0).bold() != current) {
        QFont font = item->font(0);
        font.setBold(current);
        item->setFont(0, font);
    }
    const QVariant shown = item->data(1, kShownVisibility);
    if (!shown.isValid() || shown.toBool() != bool(model->Visible)) {
        item->setIcon(1, visibilityIcon(model->Visible));
        item->setData(1, kShownVisibility, bool(model->Visible));
    }
    const QVariant colour = item->data(2, kLabelColour);
    if (!colour.isValid() || colour.toUInt() != modelColour(model))
        setColorLabel(model);
}

// Puts the items of the model's children under its item in their order. The
// children already in place stay (taking an item out of the tree would cost
// it its label); only those after the first difference are placed again.
void ObjectsControl::placeChildren(const ModelClass *model)
{
    QTreeWidgetItem *item = Items.value(model);
    QList<QTreeWidgetItem *> wanted;
    for (const ModelClass *child : model->Children)
        if (QTreeWidgetItem *childItem = Items.value(child))
            wanted << childItem;
    int same = 0;
    while (same < item->childCount() && same < wanted.size() && item->child(same) == wanted[same])
        ++same;
    while (item->childCount() > same)
        item->takeChild(item->childCount() - 1)->setData(2, kLabelColour, QVariant());
    for (qsizetype i = same; i < wanted.size(); ++i) {
        if (QTreeWidgetItem *parent = wanted[i]->parent())
            parent->removeChild(wanted[i]);
        else if (const int top = treeWidget_objects->indexOfTopLevelItem(wanted[i]); top >= 0)
            treeWidget_objects->takeTopLevelItem(top);
        wanted[i]->setData(2, kLabelColour, QVariant());
        item->addChild(wanted[i]);
    }
}

// Items of models that left the list.
void ObjectsControl::dropGoneItems()
{
    const ModelListClass &list = Models;
    const QSet<const ModelClass *> present(list.Models.cbegin(), list.Models.cend());
    for (auto it = Items.begin(); it != Items.end();) {
        if (!present.contains(it.key())) {
            delete it.value();
            it = Items.erase(it);
        } else {
            ++it;
        }
    }
}

void ObjectsControl::holdUpdates(bool hold)
{
    Held = hold;
    if (!hold && Behind) {
        Behind = false;
        updateFields();
    }
}

void ObjectsControl::updateFields()
{
    if (Held) {
        Behind = true;
        return;
    }
    const ModelListClass &list = Models;
    for (ModelClass *model : list.Models) {
        if (Items.contains(model))
            continue;
        auto *item = new QTreeWidgetItem;
        item->setData(0, Qt::UserRole, QVariant::fromValue(model));
        Items.insert(model, item);
        if (!model->Parent)
            treeWidget_objects->addTopLevelItem(item);
        connect(model, &ModelClass::changeVisible, this, &ObjectsControl::updateFields,
                Qt::UniqueConnection);
    }
    // Every model of the list has an item: any further item is a gone model's.
    if (Items.size() > list.count())
        dropGoneItems();
    for (const ModelClass *model : list.Models)
        placeChildren(model);
    for (qsizetype i = 0; i < list.count(); ++i)
        refreshRow(list.at(i), i == list.ActiveIndex);
    if (list.ActiveIndex > 0) {
        for (ModelClass *m = list.active() ? list.active()->Parent : nullptr;
             m && list.indexOf(m) > 0; m = m->Parent)
            Items.value(m)->setExpanded(true);
        selectModel(list.active());
        Host.applyCompactLayout();
    }
}

void ObjectsControl::selectModel(ModelClass *model)
{
    QTreeWidgetItem *item = itemOf(model);
    if (!item || Held)
        return;
    treeWidget_objects->clearSelection();
    item->setSelected(true);
    treeWidget_objects->setCurrentItem(item);
}

void ObjectsControl::makeCurrent(ModelClass *model)
{
    Models.ActiveIndex = qint32(Models.indexOf(model));
    updateFields();
    Host.applyCompactLayout();
    Host.panelCommand(PanelKind::Function, PanelCommand::Refresh);
    repaintView();
}

void ObjectsControl::itemClicked(QTreeWidgetItem *item, int column)
{
    ModelClass *model = modelOf(item);
    if (!model || Models.indexOf(model) <= 0)
        return;
    if (column == 0)
        makeCurrent(model);
    else if (column == 1)
        contextMenuShowhideElement();
    else if (column == 2)
        contextMenuChangeColorElement(model);
}

void ObjectsControl::itemDoubleClicked(QTreeWidgetItem *item, int column)
{
    ModelClass *model = modelOf(item);
    if (column == 0 && model && Models.indexOf(model) > 0)
        makeCurrent(model);
}

void ObjectsControl::contextMenuSelectElement()
{
    const QList<QTreeWidgetItem *> selected = treeWidget_objects->selectedItems();
    if (!selected.isEmpty())
        if (ModelClass *model = modelOf(selected.first()))
            makeCurrent(model);
}

void ObjectsControl::contextMenuShowhideElement()
{
    const ModelListClass &list = Models;
    const QList<QTreeWidgetItem *> selected = treeWidget_objects->selectedItems();
    QList<ModelClass *> models;
    for (QTreeWidgetItem *item : selected)
        if (ModelClass *model = modelOf(item))
            models << model;
    for (ModelClass *model : std::as_const(models)) {
        model->switchVisible();
        if (model != list.scene())
            continue;
        // Every model follows the scene.
        for (qsizetype i = 1; i < list.count(); ++i)
            if (list.at(i)->Visible != model->Visible)
                list.at(i)->switchVisible();
    }
    repaintView();
}

void ObjectsControl::contextMenuChangeColorElement(ModelClass *model)
{
    if (!model || Models.indexOf(model) <= 0)
        return;
    QColor initial(Qt::white);
    if (model->ModelColor[0] >= 0)
        initial = QColor(model->ModelColor[0], model->ModelColor[1], model->ModelColor[2]);
    const QColor chosen = Dialogs::current().getColor(initial, this);
    if (!chosen.isValid())
        return;
    model->setColor(chosen.red(), chosen.green(), chosen.blue());
    if (Items.contains(model))
        refreshRow(model, Models.active() == model);
    repaintView();
}

void ObjectsControl::contextMenuChangeColorElement()
{
    contextMenuChangeColorElement(Models.active());
}

void ObjectsControl::contextMenuChangeNameElement()
{
    ModelClass *model = Models.active();
    if (!model || Models.ActiveIndex <= 0)
        return;
    QString name;
    if (Dialogs::current().getText(this, tr("Rename object"), tr("Enter new name"), model->title(),
                                   name)
        && !name.isEmpty()) {
        model->Name = name;
        updateFields();
    }
}

void ObjectsControl::contextMenuDeleteElement()
{
    ModelListClass &list = Models;
    QList<ModelClass *> doomed;
    for (QTreeWidgetItem *item : treeWidget_objects->selectedItems())
        if (ModelClass *model = modelOf(item); model && list.indexOf(model) > 0)
            doomed << model;
    if (doomed.isEmpty())
        return;
    qsizetype current = list.ActiveIndex;
    for (ModelClass *model : std::as_const(doomed)) {
        const qsizetype index = list.indexOf(model);
        if (index <= 0)
            continue; // already gone with a parent
        const int descendants = model->countDescendants();
        // Children first: every descendant leaves the list before the model.
        std::function<void(ModelClass *)> removeBelow = [&](ModelClass *m) {
            for (ModelClass *child : QList<ModelClass *>(m->Children)) {
                removeBelow(child);
                list.remove(list.indexOf(child));
            }
        };
        removeBelow(model);
        list.remove(list.indexOf(model));
        current = index - 1 - descendants;
    }
    list.ActiveIndex = qint32(std::clamp<qsizetype>(current, 0, list.count() - 1));
    updateFields();
    Host.applyCompactLayout();
    repaintView();
}

void ObjectsControl::contextMenuJoinSelected()
{
    const ModelListClass &list = Models;
    QList<qsizetype> indices;
    for (QTreeWidgetItem *item : treeWidget_objects->selectedItems())
        indices << list.indexOf(modelOf(item));
    // The scene (or a row without a model) cannot be joined.
    if (indices.isEmpty()
        || std::any_of(indices.begin(), indices.end(), [](qsizetype i) { return i <= 0; }))
        return;
    std::sort(indices.begin(), indices.end());
    QList<const ModelClass *> models;
    for (qsizetype i : std::as_const(indices))
        models << list.at(i);
    // The joined models hide (or show) themselves; the joint model stands in.
    contextMenuShowhideElement();
    ModelClass *joined = joinModels(models, Host.viewState().Config.join, 0);
    if (!joined)
        return;
    // Placed like a newly loaded model: shown, and from its own box, not
    // with the visibility and camera of the first model, whose attributes it
    // took after that model was hidden.
    joined->Visible = 1;
    joined->Transform->reset();
    emit modelMade(joined);
}

void ObjectsControl::ShowContexMenu()
{
    qCDebug(lcTrace) << "ObjectsControl::ShowContexMenu";
}
