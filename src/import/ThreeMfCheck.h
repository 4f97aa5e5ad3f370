#pragma once

#include <QByteArrayView>

// Checks a 3MF package (a zip file) before the mesh library reads it: its
// central directory lies inside the file, every entry is stored or deflated,
// no entry declares more bytes than its compressed data can inflate to, all
// of them together no more than a sane multiple of the file's size, and the
// model part its relationships name is there. Fails (ImportFailure) with the
// reason.
void checkThreeMf(QByteArrayView bytes);
