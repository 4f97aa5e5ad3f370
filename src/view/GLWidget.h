#pragma once

#include "Light.h"
#include "PaletteTexture.h"
#include "ViewConfig.h"
#include "geometry/Types.h"
#include "model/ModelListClass.h"

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>

#include <vector>

class QPrinter;
class ViewHost;

// The OpenGL view: owns the model list, the lights, the function palette and
// the view's settings; turns mouse, wheel and menu input into changes of each
// model's camera record; draws every visible model; writes the status line.
class GLWidget : public QOpenGLWidget
{
    Q_OBJECT

public:
    GLWidget(QWidget *parent, ViewHost *host);
    ~GLWidget() override;

    // Load and save paths of the main window (codes of `errors`).
    qint32 loadModelFile(const QString &fileName);
    qint32 readHxFile(const QString &fileName, QStringList &names);
    qint32 saveModelFile(const QString &format, const QString &fileName, bool isBinary);

    // Adds a model to the view: appended, coloured, lists built, made current
    // and selected in the objects tree; centred after loads when asked.
    void addModel(ModelClass *model, bool centre);
    // Reads the "Config" and "Colors" groups into the view and applies them.
    void applySettings(QSettings &settings);
    // Colours of the settings onto every model (blocks and model colours).
    void applyColors();
    // Builds and uploads the palette from the current settings.
    void rebuildPalette();
    // Face mode m on one model (the rule of the display-mode slots).
    void applyFaceMode(ModelClass *model, int mode);
    // Draws one frame of the given size and returns it (raster export, CLI).
    QImage renderImage(int width, int height);
    // Writes the current view through gl2ps by the file name's ending.
    bool exportVector(const QString &fileName);

    ModelClass *currentModel() const { return ModelList.active(); }
    ViewHost *host() const { return Host; }

    ModelListClass ModelList;
    QImage FrozenFrame; // the frame under a mass-selection rectangle
    QPoint LastPos;
    QPoint PressPos;
    quint8 LeftPress = 0;
    quint8 Moved = 0;
    Light Lights;
    PaletteTexture Palette;
    quint8 StereoCapable = 0;
    qint32 Viewport[4] = {0, 0, 0, 0};
    float ClearColor[4] = {0, 0, 0, 1};
    qint32 Opacity = 255;
    ViewConfig Config;
    quint8 MassSelect = 0;
    std::vector<double> SelectionFrustum; // 8 corners of the last selection box
    quint32 ZoneCounter = 1;              // next free display-list base

public slots:
    int getWidgetsWidthLeft();
    int getWidgetsWidthRight();
    void addXRotation(float angle);
    void addYRotation(float angle);
    void addZRotation(float angle);
    void addXYZRotation(float x, float y, float z);
    void addXYmove(float dx, float dy);
    void startPosition();
    void moveCenter();
    void moveAllCenter();
    void save2pic();
    void rotateXY();
    void rotateXZ();
    void rotateYZ();
    void setPlaneXY();
    void setPlaneXZ();
    void setPlaneYZ();
    void transformAll();
    void getCloneFullModel();
    void getModelFromSelection();
    void getModelFromVisible();
    void convert6CellFuncsTo2VertFuncs();
    void actionCreateSurfaceOfModel();
    void actionTopologyMergeVertices();
    void fmzcm();
    void findBorderEdges();
    void findBorderMaterialEdges();
    void changeBackgroundColor();
    void zoomIn();
    void zoomOut();
    void removeMesh();
    void printGLpreview();
    void printGLprint(QPrinter *printer);
    void pointEditClick();
    void changePointAttr(_DREAL x, _DREAL y, _DREAL z);
    void changeLightPoints();
    void changeLightEdges();
    void changeLightFaces();
    void changeViewPoint(bool on);
    void changeViewEdges(int mode);
    void changeViewEdgesSurface();
    void changeViewEdgesContour();
    void changeViewFaces(int mode);
    void changeViewFacesNormal();
    void changeViewFacesSurface();
    void changeViewFacesHidden();
    void changeViewFacesMaterial();
    void changeViewFacesFunction();
    void changeViewIso();
    void changeViewColorLines();
    void changeViewTransparent(bool on);
    void changeViewBBox();
    void changeViewInnerEdges();
    void changeOpacity(int value);
    void changeViewCubeIntersect();
    void rulerClick();
    void massSelectClick(bool on);
    void massSelectCheckClick(bool on);
    void massSelectClearClick();
    void massSelectEditMaterialClick();
    void getSplice();
    void changeShowAxes();
    void changeShowIn3D();
    void rescaleModel();

signals:
    void RotationChanged();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    ViewHost *Host;
};
