#include "PanelSize.h"

#include <QAbstractButton>
#include <QDockWidget>
#include <QLabel>
#include <QLayout>
#include <QStyle>
#include <QStyleOptionDockWidget>

#include <algorithm>

namespace {

constexpr int kWidest = 640; // a panel never grows beyond this
constexpr int kStep = 4;

bool showsWhole(const QWidget *widget)
{
    return widget->isHidden() || widget->sizeHint().width() <= widget->width();
}

// Lays the title bar and the contents out for the panel's present size, at
// once, even while the panel is hidden.
void settle(QDockWidget *panel)
{
    if (QLayout *layout = panel->layout())
        layout->setGeometry(panel->rect());
    if (QWidget *contents = panel->widget())
        if (QLayout *layout = contents->layout())
            layout->setGeometry(contents->rect());
}

} // namespace

bool titleFits(const QDockWidget *panel)
{
    // The title runs from the left margin to the first of the title buttons.
    const int margin =
        panel->style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin, nullptr, panel);
    int end = panel->width() - margin;
    for (const QAbstractButton *button :
         panel->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly))
        if (button->isVisibleTo(panel))
            end = std::min(end, button->x() - margin);
    const int needed = panel->fontMetrics().horizontalAdvance(panel->windowTitle());
    return needed <= end - 2 * margin;
}

bool textsFit(const QDockWidget *panel)
{
    const QWidget *contents = panel->widget();
    if (!contents)
        return true;
    for (const QLabel *label : contents->findChildren<QLabel *>())
        if (!label->wordWrap() && !showsWhole(label))
            return false;
    for (const QAbstractButton *button : contents->findChildren<QAbstractButton *>())
        if (!showsWhole(button))
            return false;
    return true;
}

void fitPanelToTexts(QDockWidget *panel)
{
    const int height = panel->height();
    int width = panel->width();
    settle(panel);
    while (width < kWidest && !(textsFit(panel) && titleFits(panel))) {
        width += kStep;
        panel->setFixedSize(width, height);
        settle(panel);
    }
}
