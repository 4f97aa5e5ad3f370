#include "GradientControl.h"
#include "PanelSize.h"

#include "view/GLWidget.h"

#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace {

// The ramp from (0, 25) down to (0, 225): texel 0 at the bottom, the last
// texel at the top.
QLinearGradient paletteGradient(const PaletteTexture &palette)
{
    QLinearGradient gradient(0, 25, 0, 225);
    const qsizetype size = std::min<qsizetype>(palette.Size, qsizetype(palette.Texels.size() / 4));
    for (qsizetype i = 0; i < size; ++i) {
        const quint8 *texel = palette.Texels.data() + 4 * i;
        // A single texel fills the whole ramp.
        const qreal at = size > 1 ? qreal(size - 1 - i) / qreal(size - 1) : 0.0;
        gradient.setColorAt(at, QColor(texel[0], texel[1], texel[2]));
    }
    return gradient;
}

void paintTicks(QPainter &painter)
{
    const QBrush white(Qt::white, Qt::SolidPattern);
    painter.fillRect(32, 25, 10, 3, white);
    painter.fillRect(32, 222, 10, 3, white);
    painter.fillRect(32, 124, 10, 2, white);
    for (int k = 0; k < 5; ++k) {
        painter.fillRect(32, int(std::floor(41 + 16.6 * k)), 5, 1, white);
        painter.fillRect(32, int(std::floor(141 + 16.6 * k)), 5, 1, white);
    }
}

// The panel's contents: the legend's own area below the title bar.
class LegendArea : public QWidget
{
public:
    explicit LegendArea(GradientControl *panel)
        : QWidget(panel)
        , Panel(panel)
    {
        setObjectName("dockWidgetContents");
        setFixedSize(160, 250);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        Panel->paintLegend(painter);
    }

private:
    GradientControl *Panel;
};

} // namespace

GradientControl::GradientControl(QWidget *parent, GLWidget *view)
    : QDockWidget(parent)
    , View(view)
{
    setObjectName("GradientControl");
    setWindowTitle(tr("Gradient"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setWidget(new LegendArea(this));
    // The legend's 160 x 250 and the title bar above it.
    setFixedSize(sizeHint());
    fitPanelToTexts(this);
    show();
}

void GradientControl::paintLegend(QPainter &painter) const
{
    const ModelClass *model = View->currentModel();
    if (!model || model->FunctionLocation == 0)
        return;
    painter.fillRect(2, 25, 30, 200, paletteGradient(View->State.Palette));
    paintTicks(painter);
    painter.setPen(widget()->palette().color(QPalette::WindowText));
    if (View->ModelList.count() < 2)
        return;
    const bool cells = model->FunctionLocation == 2;
    const QStringList &names = cells ? model->CellFunctionNames : model->FunctionNames;
    const float *lo = cells ? model->ModelCellFuncMin : model->ModelFuncMin;
    const float *hi = cells ? model->ModelCellFuncMax : model->ModelFuncMax;
    const int f = model->CurrentFunction;
    if (!lo || !hi || f < 0 || f >= names.size())
        return;
    const double min = lo[f], max = hi[f];
    auto text = [](double v) { return QString::number(v, 'g', 6); };
    for (int i = 1; i <= 5; ++i)
        painter.drawText(45, int(std::floor(25 + 33.3 * i)), text(max - i * (max - min) / 6));
    QFont font(QStringLiteral("Arial"), 12, QFont::Bold);
    painter.setFont(font);
    painter.drawText(45, 35, text(max));
    painter.drawText(45, 230, text(min));
    font.setPointSize(14);
    painter.setFont(font);
    painter.drawText(2, 20, names.at(f));
}
