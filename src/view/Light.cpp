#include "Light.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include <GL/gl.h>

#include <algorithm>

void Light::setup(QMenu *menu)
{
    glEnable(GL_LIGHTING);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1.0f);
    glEnable(GL_NORMALIZE);
    Menu = menu;
    if (Menu && !Group) {
        Group = new QActionGroup(this);
        Group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    }
    struct Row
    {
        const char *name;
        float position[4], ambient[4], diffuse[4], specular[4];
        bool on;
    };
    static const Row rows[] = {
        {QT_TRANSLATE_NOOP("MainWindow", "Monochrome"),
         {0, 0, 1, 0},
         {0.7f, 0.7f, 0.7f, 1},
         {0.2f, 0.2f, 0.2f, 1},
         {1, 1, 1, 1},
         false},
        {QT_TRANSLATE_NOOP("MainWindow", "Front"),
         {0, 0, 1, 0},
         {0.3f, 0.3f, 0.3f, 1},
         {0.5f, 0.5f, 0.5f, 1},
         {0.1f, 0.1f, 0.1f, 1},
         true},
        {QT_TRANSLATE_NOOP("MainWindow", "Top"),
         {0, 1, 0, 0},
         {0.3f, 0.3f, 0.3f, 1},
         {0.5f, 0.5f, 0.5f, 1},
         {0.1f, 0.1f, 0.1f, 1},
         false},
        {QT_TRANSLATE_NOOP("MainWindow", "TopRight"),
         {1, 1, 3, 0},
         {0.3f, 0.3f, 0.3f, 1},
         {0.5f, 0.5f, 0.5f, 1},
         {0.1f, 0.1f, 0.1f, 1},
         false},
    };
    for (const Row &row : rows)
        addLight(QString::fromLatin1(row.name), row.position, row.ambient, row.diffuse,
                 row.specular, row.on);
}

qint32 Light::addLight(const QString &name, const float position[4], const float ambient[4],
                       const float diffuse[4], const float specular[4], bool enabled)
{
    qint32 id = 0;
    while (std::any_of(Lights.cbegin(), Lights.cend(),
                       [id](const LightEntry &l) { return l.Id == id; }))
        ++id;
    LightEntry entry;
    entry.Id = id;
    std::copy_n(position, 4, entry.Position);
    std::copy_n(ambient, 4, entry.Ambient);
    std::copy_n(diffuse, 4, entry.Diffuse);
    std::copy_n(specular, 4, entry.Specular);
    entry.Enabled = enabled;
    entry.Name = name;
    if (Menu) {
        entry.Action =
            new QAction(QCoreApplication::translate("MainWindow", qPrintable(name)), Group);
        entry.Action->setCheckable(true);
        entry.Action->setChecked(enabled);
        Menu->addAction(entry.Action);
        connect(entry.Action, &QAction::triggered, this, &Light::switchLight);
    }
    Lights.append(entry);
    if (enabled)
        glEnable(GL_LIGHT0 + id);
    else
        glDisable(GL_LIGHT0 + id);
    return id;
}

void Light::applyLights() const
{
    for (const LightEntry &l : Lights) {
        const GLenum light = GL_LIGHT0 + l.Id;
        glLightfv(light, GL_POSITION, l.Position);
        glLightfv(light, GL_AMBIENT, l.Ambient);
        glLightfv(light, GL_DIFFUSE, l.Diffuse);
        glLightfv(light, GL_SPECULAR, l.Specular);
        if (l.Enabled)
            glEnable(light);
        else
            glDisable(light);
    }
}

void Light::switchLight()
{
    for (LightEntry &l : Lights) {
        if (!l.Action)
            continue;
        l.Enabled = l.Action->isChecked();
    }
    // The GL state follows at the next paint, which applies every light.
    emit changedLights();
}
