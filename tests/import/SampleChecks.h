#pragma once

// The sample generator writes the sample's structures again as a structure
// set and as a segmentation: each imported structure must enclose nearly the
// volume of the surface it was made from, and be found the structure that
// surface is.

#include "ImportChecks.h"
#include "import/Importer.h"
#include "model/AnatomyTable.h"
#include "model/ModelFacts.h"

#include <QDir>
#include <QTest>

#include <cmath>

inline void compareSampleWithSurfaces(const QString &fileName, double tolerance)
{
    const QDir samples(QStringLiteral(TESSARON_SAMPLE_DIR));
    const OpenedFile opened = openPath(samples.filePath(fileName));
    QVERIFY(!opened.failed());
    const QStringList surfaces {"parenhima",    "lokhanki",     "kamni",
                                "krov_renalis", "vena_renalis", "opukhol"};
    QCOMPARE(opened.models.size(), size_t(surfaces.size()));
    for (qsizetype s = 0; s < surfaces.size(); ++s) {
        const OpenedFile surface = openPath(samples.filePath(surfaces[s] + ".surf"));
        QVERIFY(!surface.failed());
        const ModelClass &made = *opened.models[size_t(s)];
        QVERIFY(isClosed(*made.Meshes[0]));
        const double theirs = enclosed(*surface.models[0]->Meshes[0]).volume;
        const double ours = enclosed(*made.Meshes[0]).volume;
        QVERIFY2(std::fabs(ours / theirs - 1) < tolerance,
                 qPrintable(QString("%1 in %2: %3 against %4")
                                .arg(surfaces[s], fileName)
                                .arg(ours)
                                .arg(theirs)));
        // The model keeps the file's name; the structure the importer found
        // is the surface's.
        const std::optional<anatomy::LabelMatch> known =
            anatomy::matchLabel(made.property(kStructureProperty).toString());
        QVERIFY2(known, qPrintable(made.Name));
        QCOMPARE(known->structure, anatomy::structureNamedIn(surface.models[0]->Name));
    }
}
