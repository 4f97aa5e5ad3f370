#pragma once

#include "Orientation.h"
#include "measure/SceneMeasurement.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QTransform>

#include <array>
#include <vector>

class GLWidget;
class QPagedPaintDevice;

// The case sheet: one A4 page a surgeon hands to a colleague. A header (the
// title, the file's folder, the time of making, the program), the visible
// scene from the front, the side and the top, a legend of its models, the
// planning numbers' tables and a footer. When the tables do not fit the
// first page at the smallest type, they go on to further pages.

// One of the three views (anterior, the lateral view from the kidney's side,
// posterior): an SVG drawing where the scene is small enough to
// be kept as vector graphics, a 300 dpi picture otherwise.
struct SheetView
{
    struct Label
    {
        QPointF at; // in the drawing, 0..1 from its top left corner
        QString text;
    };
    QString label;
    QByteArray svg;
    QList<Label> labels; // texts of the drawing: a gap's length
    EdgeLetters letters; // the patient's side each edge faces
    QImage image;
    bool empty() const { return svg.isEmpty() && image.isNull(); }
};

// The axial CT slice through the centre of the largest stone, windowed for
// stones, with every visible model's outline where the plane cuts it drawn
// in the model's colour. The patient's right is on the left, the front up,
// as a CT is read.
struct SheetSlice
{
    QImage image;
    QTransform fromWorld; // world x and y (mm) to the image's pixels
    QString stone;        // the stone it passes through, as the tables name it
    qint64 plane = 0;     // the image's plane, from 1
    qint64 planes = 0;    // of this many
    bool empty() const { return image.isNull(); }
};

struct CaseSheet
{
    QString title;
    QString folder; // of the scene's file; empty for models made in the window
    QDateTime made;
    measure::SceneMeasurement measured; // of the visible models only
    std::array<SheetView, 3> views;     // anterior, lateral, posterior
    SheetSlice slice;                   // only when an image is given
};

namespace sheet {

// Visible models whose triangles together stay under this are drawn as
// vector graphics; larger scenes as pictures: a vector view costs about a
// second per 100,000 triangles to record and sort, and its page is slow to
// open.
constexpr std::size_t kVectorTriangles = 60000;

// The models of the view a sheet shows: the visible ones that have anything
// to draw.
std::vector<measure::ModelSnapshot> visibleSnapshots(const GLWidget &view);

// The message for a scene with nothing visible, in the interface language.
QString nothingVisibleText();

// Draws the view's visible scene from the front (anterior), from the side of
// the kidney (its lateral view) and from behind (posterior) into the sheet,
// each framed with a margin, as vector drawings or as 300 dpi pictures. The
// skin, kidney and collecting system are drawn see-through; the cutting
// plane, the image's planes and the labels' own texts are left out (the page
// sets the labels and the edge letters); the view's camera, background,
// image and transparency are restored afterwards. With `planFirst` the first
// view is the view's own direction (a plan's session camera) instead of the
// anterior one.
void captureViews(GLWidget &view, bool vector, CaseSheet &sheet, bool planFirst = false);
// The triangles of the models a sheet shows.
std::size_t triangleCount(const std::vector<measure::ModelSnapshot> &shots);
// Whether the views are vector drawings when the user leaves it open: few
// enough triangles, and no visible model see-through on the sheet (the
// skin, kidney and collecting system always are), whose vector drawing
// cannot leave out what they hide and so costs more.
bool vectorFits(const GLWidget &view, std::size_t triangles);

// The window and level the sheet's slice shows its image with.
constexpr double kSliceWindow = 2000, kSliceLevel = 600;

// The side of the body the visible kidney lies on, for the lateral view: the
// side its name or label gives, else the side away from its vessels (they
// run medially), else the left.
anatomy::Side kidneySide(const GLWidget &view);

// Cuts the sheet's slice from the image through the largest stone of
// `sheet.measured` with the outlines of `shots` (the measured models); no
// slice when there is no stone or its centre lies outside the image.
void sliceThroughStone(const ImageVolume &image, const std::vector<measure::ModelSnapshot> &shots,
                       CaseSheet &sheet);

// Paints the sheet on a PDF writer or a printer, new pages as needed, and
// returns the number of pages.
int paint(const CaseSheet &sheet, QPagedPaintDevice &device);

// Writes the sheet as a PDF file. The file is written beside its target and
// renamed over it only when complete, so that a failure keeps an earlier
// file of that name. An empty string, or the reason it failed.
QString writePdf(const CaseSheet &sheet, const QString &fileName);

// A folder as the header shows it: under the user's home as "~/...", else
// only its own name, so that a sheet tells nothing of the machine it was
// made on.
QString shownFolder(const QString &folder);

// The program's name and version as the header writes them.
QString programText();

} // namespace sheet
