#include "MaterialsControl.h"
#include "PanelSize.h"

#include "model/Topology.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

MaterialsControl::MaterialsControl(QWidget *parent, GLWidget *view)
    : QDockWidget(parent)
    , View(view)
{
    setObjectName("MaterialsControl");
    setWindowTitle(tr("Materials"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFixedSize(160, 155);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    listWidget_material = new QListWidget(contents);
    listWidget_material->setObjectName("listWidget_material");
    listWidget_material->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto button = [contents](const char *name, const QString &text) {
        auto *b = new QPushButton(text, contents);
        b->setObjectName(name);
        return b;
    };
    pushButton_apply = button("pushButton_apply", tr("Apply"));
    pushButton_selectAll = button("pushButton_selectAll", tr("SelectAll"));
    pushButton_deselectAll = button("pushButton_deselectAll", tr("DeselectAll"));
    pushButton_change = button("pushButton_change", tr("Change"));
    auto *layout = new QGridLayout(contents);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(listWidget_material, 0, 0, 1, 2);
    layout->addWidget(pushButton_apply, 1, 0);
    layout->addWidget(pushButton_change, 1, 1);
    layout->addWidget(pushButton_selectAll, 2, 0);
    layout->addWidget(pushButton_deselectAll, 2, 1);
    setWidget(contents);
    QMetaObject::connectSlotsByName(this);

    initWithoutDraw();
    ChangeView();
    connect(pushButton_apply, &QPushButton::clicked, this, &MaterialsControl::ChangeView);
    connect(pushButton_selectAll, &QPushButton::clicked, this, &MaterialsControl::SelectAll);
    connect(pushButton_deselectAll, &QPushButton::clicked, this, &MaterialsControl::DeSelectAll);
    connect(listWidget_material, &QListWidget::itemSelectionChanged, this,
            &MaterialsControl::EnableButton);
    fitPanelToTexts(this);
    show();
}

void MaterialsControl::initWithoutDraw()
{
    listWidget_material->clear();
    const ModelClass *model = View->currentModel();
    if (View->ModelList.count() < 2 || !model)
        return;
    for (qint32 material : model->Materials)
        listWidget_material->addItem(QString::number(material));
    listWidget_material->selectAll();
}

void MaterialsControl::ChangeView()
{
    ModelClass *model = View->currentModel();
    if (View->ModelList.count() < 2 || !model)
        return;
    model->ShownMaterials.clear();
    model->clearPick();
    for (const QListWidgetItem *item : listWidget_material->selectedItems())
        model->ShownMaterials.append(item->text().toInt());
    for (MeshClass *mesh : std::as_const(model->Meshes))
        mesh->constructViewFaces(model->ShownMaterials);
    model->NeedsRebuild = 1;
    model->prepareDraw();
    View->update();
}

void MaterialsControl::initFields()
{
    initWithoutDraw();
    ChangeView();
}

void MaterialsControl::SelectAll()
{
    listWidget_material->selectAll();
}

void MaterialsControl::DeSelectAll()
{
    listWidget_material->clearSelection();
}

void MaterialsControl::EnableButton()
{
    pushButton_apply->setEnabled(!listWidget_material->selectedItems().isEmpty());
}

bool MaterialsControl::askMaterial(const QString &label, int &material)
{
    return Dialogs::current().getInt(this, tr("Change Materil Number"), label, 0, 0,
                                     kMaxMaterialNumber, 1, material);
}

void MaterialsControl::renumber(const QList<qint32> &from, qint32 to)
{
    ModelClass *model = View->currentModel();
    for (qint32 material : from)
        changeMaterial(*model, MaterialChange::OfMaterial, material, to);
    model->updateMaterials();
    initWithoutDraw();
    ChangeView();
}

void MaterialsControl::on_pushButton_change_clicked()
{
    const ModelClass *model = View->currentModel();
    if (View->ModelList.count() < 2 || !model)
        return;
    const QList<QListWidgetItem *> items = listWidget_material->selectedItems();
    int from = 0, to = 0;
    if (!items.isEmpty()) {
        if (!askMaterial(tr("Input new material number:"), to))
            return;
        QList<qint32> selected;
        for (const QListWidgetItem *item : items)
            selected.append(item->text().toInt());
        renumber(selected, to);
        return;
    }
    if (!askMaterial(tr("Input old material number:"), from)
        || !askMaterial(tr("Input new material number:"), to))
        return;
    if (!model->Materials.contains(from)) {
        Dialogs::current().critical(this, tr("Error"),
                                    tr("Old material does not exist in original model!"));
        return;
    }
    renumber({from}, to);
}
