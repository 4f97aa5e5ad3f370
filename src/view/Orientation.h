#pragma once

#include <QString>

#include <array>

// Where the patient is in a picture. The world frame is the patient's: x
// toward the patient's right, y anterior (the front), z superior (the head).

// The six views named after the side of the patient the viewer stands at.
// Anterior: the patient faces the viewer, head up, the patient's right on
// the picture's left; Posterior mirrors it; Left and Right are the lateral
// views from that side of the patient, head up; Superior looks down on the
// head with the front up, Inferior up from the feet with the front up (the
// patient's right on the left, as an axial slice is read).
enum class AnatomicalView { Anterior, Posterior, Left, Right, Superior, Inferior };

// The rotation of a view: eye = rotation * world, rows of a 3x3 matrix.
std::array<std::array<float, 3>, 3> viewRotation(AnatomicalView view);

// The view's name in the interface language ("Anterior", ...) and its word
// for the command line ("anterior", ...).
QString viewName(AnatomicalView view);
QString viewWord(AnatomicalView view);
// The view of a command-line word; false for another word.
bool viewOfWord(const QString &word, AnatomicalView &view);

// The letters of the patient's sides each edge of a picture faces, by the
// camera's model-view matrix (column-major; any uniform zoom): "R" where the
// patient's right is, "LA" toward the left and the front when the view is
// oblique by more than about 22 degrees. In the interface language.
struct EdgeLetters
{
    QString left, right, top, bottom;
};
EdgeLetters edgeLetters(const float matrix[16]);

// The letters of one world direction (need not be of unit length).
QString directionLetters(const double direction[3]);

class QColor;
struct ScreenLabel;
template<typename T> class QList;

// The edge letters of a w x h picture (window coordinates, y upwards) seen
// with `matrix`, as labels in a colour that reads on `background`.
void appendEdgeLabels(QList<ScreenLabel> &labels, const float matrix[16], int w, int h,
                      const QColor &background);
