// The DICOM reader's entry points: the series a path holds, and one of them
// read into an image.

#include "DicomSeries.h"

#include "DicomFrames.h"
#include "DicomPixels.h"
#include "ImportTypes.h"

#include <algorithm>

namespace {

const DicomGroup &chosen(const std::vector<DicomGroup> &groups, const QString &choice,
                         const SeriesChooser &choose, QStringList &warnings)
{
    if (choice.isEmpty()) {
        if (groups.size() == 1)
            return groups.front();
        std::vector<DicomSeriesInfo> list;
        for (const DicomGroup &g : groups)
            list.push_back(g.info);
        if (choose) {
            const int picked = choose(list);
            if (picked < 0 || picked >= int(groups.size()))
                throw ImportCanceled {};
            return groups[size_t(picked)];
        }
        const auto most = groups.begin() + std::ptrdiff_t(mostSlices(list));
        warnings << Import::tr("The path holds %1 series; series %2 (%3), of the most slices, was "
                               "read.")
                        .arg(groups.size())
                        .arg(most - groups.begin() + 1)
                        .arg(most->info.uid);
        return *most;
    }
    bool isNumber = false;
    const int number = choice.toInt(&isNumber);
    if (isNumber) {
        if (number < 1 || number > int(groups.size()))
            failImport(Import::tr("There is no series %1; the path holds %2 series.")
                           .arg(number)
                           .arg(groups.size()));
        return groups[size_t(number - 1)];
    }
    for (const DicomGroup &g : groups)
        if (g.info.uid == choice)
            return g;
    failImport(Import::tr("No series of the path has the UID %1.").arg(choice));
}

} // namespace

std::size_t mostSlices(const std::vector<DicomSeriesInfo> &series)
{
    const auto most = std::max_element(series.begin(), series.end(),
                                       [](auto &a, auto &b) { return a.slices < b.slices; });
    return std::size_t(most - series.begin());
}

std::vector<DicomSeriesInfo> scanDicom(const QString &path)
{
    std::vector<DicomSeriesInfo> list;
    for (const DicomGroup &g : scanDicomGroups(path))
        list.push_back(g.info);
    return list;
}

ImageVolume readDicomSeries(const QString &path, const QString &choice, const SeriesChooser &choose)
{
    QStringList warnings;
    const std::vector<DicomGroup> groups = scanDicomGroups(path, &warnings);
    const DicomGroup &group = chosen(groups, choice, choose, warnings);
    const SliceLayout layout = layOutSlices(group.frames);
    ImageVolume image = readSlices(layout);
    // The slots no plane fills are the missing slices.
    std::vector<bool> held(size_t(layout.sliceCount), false);
    for (int s : layout.slot)
        held[size_t(s)] = true;
    for (size_t s = 0; s < held.size(); ++s)
        if (!held[s])
            image.missingPlanes.push_back(qint64(s));
    image.seriesUid = group.info.uid;
    for (const DicomGroup &g : groups)
        image.pathSeries.push_back(g.info);
    image.warnings = warnings + image.warnings;
    return image;
}

bool hasDicomMark(QByteArrayView head)
{
    return head.size() >= 132 && head.sliced(128, 4) == QByteArrayView("DICM");
}
