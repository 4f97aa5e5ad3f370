#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;

// One OpenGL light: GL_LIGHT0 + Id, directional (w = 0).
struct LightEntry
{
    qint32 Id = 0;
    float Position[4] = {0, 0, 1, 0};
    float Ambient[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    float Diffuse[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    float Specular[4] = {1, 1, 1, 1};
    quint8 Enabled = 0;
    QString Name;
    QAction *Action = nullptr; // in the lights menu, not owned
};

// The view's named lights, switched from the Light menu.
class Light : public QObject
{
    Q_OBJECT

public:
    // Lighting on, two-sided model, GL_NORMALIZE; then the four lights
    // "Monochrome", "Front", "Top", "TopRight" (only "Front" on). With a menu
    // every light gets a checkable action in it. A GL context must be current.
    void setup(QMenu *menu);
    qint32 addLight(const QString &name, const float position[4], const float ambient[4],
                    const float diffuse[4], const float specular[4], bool enabled);
    // Sets every light's parameters and enables or disables it.
    void applyLights() const;

    QList<LightEntry> Lights;
    QActionGroup *Group = nullptr;
    QMenu *Menu = nullptr;

public slots:
    void switchLight();

signals:
    void changedLights();
};
