#pragma once

#include <assimp/DefaultIOSystem.h>

#include <QByteArray>
#include <QString>

// The files the mesh library may open while it reads one file: that file and
// files in its folder (or below it), for reading only. Whatever a file names
// (a buffer, a material library, a part) cannot reach anything else. When
// `replacement` is not empty, the library reads it instead of the file itself.
class ConfinedIo : public Assimp::DefaultIOSystem
{
public:
    ConfinedIo(const QString &file, const QByteArray &replacement);

    bool Exists(const char *path) const override;
    Assimp::IOStream *Open(const char *path, const char *mode = "rb") override;

private:
    bool allowed(const char *path) const;
    bool isFile(const char *path) const;

    QString file;   // absolute, clean
    QString folder; // canonical, ending in '/'
    QByteArray replacement;
};
