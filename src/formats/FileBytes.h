#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The bytes of an input file, mapped into memory where the system allows it
// (no copy: a large surface loads at the speed of reading it) and read into
// memory otherwise. Only regular files are opened: a folder, a device or a
// pipe gives errOpen (2) like a missing or unreadable file, so a reader never
// blocks on a pipe or reads an endless device.
//
// Another program may shorten the file while its mapping is read. The pages
// past the new end then read as zeros instead of raising a bus error (see
// MappingGuard.h), and intact() turns false: the reader refuses what it read.
class FileBytes
{
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes &) = delete;
    FileBytes &operator=(const FileBytes &) = delete;

    // 0, errOpen (2), or errNoMemory (4) when a read copy does not fit.
    qint32 open(const QString &fileName);
    QByteArrayView bytes() const { return view; }
    // False when the file has become shorter than the bytes taken from it.
    bool intact() const;

    // Called with the file's name after it is mapped and before a reader sees
    // its bytes, or null. Tests shorten the file here, as a program rewriting
    // it would between the two.
    static void setMappedHook(void (*hook)(const QString &fileName));

private:
    qint32 readCopy();

    int fd = -1;
    void *mapped = nullptr;
    qint64 mappedLength = 0;
    int guard = -1;
    QByteArray copy;
    QByteArrayView view;
};
