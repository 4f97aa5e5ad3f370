// The window's stone commands: "Find Stones" of the Operations menu and the
// stone finding the Slice panel shows, whose moves and messages reach the
// 3-D view and the status bar.

#include "StoneFinding.h"
#include "Tessaron.h"
#include "view/GLWidget.h"

#include <QDockWidget>

void Tessaron::createStoneFinding()
{
    Stones = std::make_unique<StoneFinding>(*this, View, this);
    connect(Stones.get(), &StoneFinding::planesMoved, this, [this] {
        View->update();
        showState();
    });
    connect(Stones.get(), &StoneFinding::said, View, &GLWidget::showNotice);
}

void Tessaron::findStones()
{
    // The list shows in the Slice panel: brought forward when it was hidden.
    if (QDockWidget *slice = panel(PanelKind::Slice)) {
        slice->show();
        slice->raise();
    }
    Stones->find();
}
