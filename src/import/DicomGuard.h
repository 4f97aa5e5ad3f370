#pragma once

#include <QByteArrayView>
#include <QString>

// What makes a DICOM file unsafe to hand to the decoding library (an element,
// item or fragment longer than what holds it, sequences nested too deep), in
// words for a message; empty when its structure holds.
QString dicomStructureProblem(QByteArrayView bytes);
QString dicomFileProblem(const QString &path);
