// Anatomical views and the letters that say which side of the patient each
// edge of a picture faces.

#include "Orientation.h"
#include "Drawing.h"

#include <QCoreApplication>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Orientation)
};

// A second letter names a direction whose share of the edge's direction is
// more than sin(22.5 degrees): the edge then faces between two sides.
constexpr double kSecondLetter = 0.383;

// The letter of +x, -x, +y, -y, +z, -z: the patient's right, left, front,
// back, head and feet. Radiologists' letters, in the interface language.
QString sideLetter(int axis, bool positive)
{
    static const char *const kLetters[3][2] = {
        {QT_TRANSLATE_NOOP("Orientation", "L"), QT_TRANSLATE_NOOP("Orientation", "R")},
        {QT_TRANSLATE_NOOP("Orientation", "P"), QT_TRANSLATE_NOOP("Orientation", "A")},
        {QT_TRANSLATE_NOOP("Orientation", "I"), QT_TRANSLATE_NOOP("Orientation", "S")}};
    return Text::tr(kLetters[axis][positive ? 1 : 0]);
}

} // namespace

std::array<std::array<float, 3>, 3> viewRotation(AnatomicalView view)
{
    switch (view) {
    case AnatomicalView::Anterior: // eye x = the patient's left, up = head, toward us = front
        return {{{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}};
    case AnatomicalView::Posterior:
        return {{{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}};
    case AnatomicalView::Left: // from the patient's left: the front on the picture's left
        return {{{0, -1, 0}, {0, 0, 1}, {-1, 0, 0}}};
    case AnatomicalView::Right:
        return {{{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}};
    case AnatomicalView::Superior:
        return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    case AnatomicalView::Inferior:
        break;
    }
    return {{{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}};
}

QString viewName(AnatomicalView view)
{
    static const char *const kNames[] = {QT_TRANSLATE_NOOP("Orientation", "Anterior"),
                                         QT_TRANSLATE_NOOP("Orientation", "Posterior"),
                                         QT_TRANSLATE_NOOP("Orientation", "Left lateral"),
                                         QT_TRANSLATE_NOOP("Orientation", "Right lateral"),
                                         QT_TRANSLATE_NOOP("Orientation", "Superior"),
                                         QT_TRANSLATE_NOOP("Orientation", "Inferior")};
    return Text::tr(kNames[int(view)]);
}

QString viewWord(AnatomicalView view)
{
    static const char *const kWords[] = {"anterior", "posterior", "left",
                                         "right",    "superior",  "inferior"};
    return QLatin1String(kWords[int(view)]);
}

bool viewOfWord(const QString &word, AnatomicalView &view)
{
    for (int v = 0; v < 6; ++v)
        if (word == viewWord(AnatomicalView(v))) {
            view = AnatomicalView(v);
            return true;
        }
    return false;
}

QString directionLetters(const double direction[3])
{
    const double length = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1]
                                    + direction[2] * direction[2]);
    if (!(length > 0))
        return {};
    int order[3] = {0, 1, 2};
    std::sort(order, order + 3,
              [&](int a, int b) { return std::fabs(direction[a]) > std::fabs(direction[b]); });
    QString letters = sideLetter(order[0], direction[order[0]] > 0);
    if (std::fabs(direction[order[1]]) / length > kSecondLetter)
        letters += sideLetter(order[1], direction[order[1]] > 0);
    return letters;
}

EdgeLetters edgeLetters(const float matrix[16])
{
    // Row r of the model-view matrix is the world direction that the eye's
    // axis r (x to the right, y up) comes from.
    const double right[3] = {matrix[0], matrix[4], matrix[8]};
    const double up[3] = {matrix[1], matrix[5], matrix[9]};
    const double left[3] = {-right[0], -right[1], -right[2]};
    const double down[3] = {-up[0], -up[1], -up[2]};
    return {directionLetters(left), directionLetters(right), directionLetters(up),
            directionLetters(down)};
}

void appendEdgeLabels(QList<ScreenLabel> &labels, const float matrix[16], int w, int h,
                      const QColor &background)
{
    if (w <= 0 || h <= 0)
        return;
    const EdgeLetters letters = edgeLetters(matrix);
    QFont font(QStringLiteral("DejaVu Sans"), 12, QFont::Bold);
    font.setPointSize(std::clamp(std::min(w, h) / 40, 9, 36));
    const QFontMetrics metrics(font);
    const QColor colour =
        background.lightnessF() > 0.5 ? QColor(30, 30, 30) : QColor(235, 235, 235);
    const double pad = 0.5 * metrics.height(), middleY = (h - metrics.ascent()) / 2.0;
    const auto add = [&](const QString &text, double x, double y) {
        ScreenLabel label;
        label.window = QPointF(x, y);
        label.text = text;
        label.font = font;
        label.colour = colour;
        labels.append(label);
    };
    add(letters.left, pad, middleY);
    add(letters.right, w - pad - metrics.horizontalAdvance(letters.right), middleY);
    add(letters.top, (w - metrics.horizontalAdvance(letters.top)) / 2.0,
        h - pad - metrics.ascent());
    add(letters.bottom, (w - metrics.horizontalAdvance(letters.bottom)) / 2.0,
        pad + metrics.descent());
}
