#include "NrrdReader.h"

#include "ImportTypes.h"
#include "Inflate.h"
#include "NrrdHeader.h"
#include "formats/FileBytes.h"

#include <QDir>
#include <QRegularExpression>
#include <QtEndian>

#include <charconv>
#include <cstring>
#include <new>

namespace {

// Where the layers of a segmentation lie: a four-dimensional header has one
// axis that is not spatial, the first (layers interleaved) or the last.
struct Layout
{
    int spatial[3] = {0, 1, 2};
    int layerAxis = -1;
};

Layout layoutOf(const NrrdHeader &h)
{
    Layout layout;
    if (h.dimension == 3)
        return layout;
    if (h.dimension != 4)
        failImport(Import::tr("A volume has 3 dimensions (4 with segmentation layers); this "
                              "NRRD file has %1.")
                       .arg(h.dimension));
    const auto spatial = [&](int a) {
        if (!h.directions.empty())
            return h.directions[size_t(a)].has_value();
        return size_t(a) < h.spacings.size() && !std::isnan(h.spacings[size_t(a)]);
    };
    layout.layerAxis = !spatial(0) ? 0 : !spatial(3) ? 3 : -1;
    if (layout.layerAxis < 0)
        failImport(Import::tr("The NRRD file has four dimensions but no axis of layers first or "
                              "last."));
    const int first = layout.layerAxis == 0 ? 1 : 0;
    for (int a = 0; a < 3; ++a)
        layout.spatial[a] = first + a;
    return layout;
}

Affine worldOf(const NrrdHeader &h, const Layout &layout)
{
    Affine a;
    for (int c = 0; c < 3; ++c) {
        const int axis = layout.spatial[c];
        std::array<double, 3> step = {0, 0, 0};
        if (!h.directions.empty()) {
            if (!h.directions[size_t(axis)])
                failImport(Import::tr("A spatial axis of the NRRD file has no space direction."));
            step = *h.directions[size_t(axis)];
        } else {
            step[size_t(c)] = size_t(axis) < h.spacings.size() ? h.spacings[size_t(axis)] : 1.0;
        }
        for (int r = 0; r < 3; ++r)
            a.m[r][c] = step[size_t(r)];
    }
    for (int r = 0; r < 3; ++r)
        a.m[r][3] = h.origin[size_t(r)];
    // Right-anterior-superior: a left-posterior space turns its first two
    // axes round, a left-anterior one its first.
    for (int r = 0; r < (h.lps ? 2 : h.las ? 1 : 0); ++r)
        for (double &v : a.m[r])
            v = -v;
    if (!a.isUsable())
        failImport(Import::tr("The volume's voxel spacing is zero or not a number."));
    return a;
}

// The bytes that hold the samples: after the header, or in the data file.
QByteArrayView dataBytes(const NrrdHeader &h, QByteArrayView bytes, const QString &folder,
                         FileBytes &detached)
{
    QByteArrayView data = bytes.sliced(h.headerBytes);
    if (!h.dataFile.isEmpty()) {
        if (folder.isEmpty() || h.dataFile.contains('%') || h.dataFile.startsWith("LIST"))
            failImport(Import::tr("The NRRD data file \"%1\" cannot be read.").arg(h.dataFile));
        const QString path = QDir(folder).absoluteFilePath(h.dataFile);
        if (detached.open(path) != 0)
            failImport(Import::tr("The NRRD data file %1 cannot be opened.").arg(path));
        data = detached.bytes();
    }
    for (qint64 line = 0; line < h.lineSkip; ++line) {
        const qsizetype end = data.indexOf('\n');
        data = end < 0 ? QByteArrayView() : data.sliced(end + 1);
    }
    if (h.byteSkip > 0)
        data = data.sliced(std::min<qint64>(h.byteSkip, data.size()));
    return data;
}

[[noreturn]] void tooSmall(qint64 need, qint64 have)
{
    failImport(Import::tr("The dimensions times the voxel size (%1 bytes) are more than the file "
                          "holds (%2 bytes).")
                   .arg(need)
                   .arg(have));
}

void swapBytes(char *data, qint64 count, int size)
{
    for (qint64 n = 0; n < count; ++n, data += size)
        std::reverse(data, data + size);
}

template<class T> void storeText(const char *&p, const char *end, char *out, qint64 count)
{
    T *values = reinterpret_cast<T *>(out);
    for (qint64 n = 0; n < count; ++n) {
        while (p < end && (std::isspace(static_cast<unsigned char>(*p)) || *p == ','))
            ++p;
        double v = 0;
        const auto [next, error] = std::from_chars(p, end, v);
        if (error != std::errc())
            failImport(Import::tr("The NRRD text data ends or breaks after %1 of %2 values.")
                           .arg(n)
                           .arg(count));
        p = next;
        values[n] = T(v);
    }
}

void readText(QByteArrayView data, SampleType type, char *out, qint64 count)
{
    const char *p = data.data(), *end = p + data.size();
    withSampleType(type, [&](auto sample) { storeText<decltype(sample)>(p, end, out, count); });
}

std::shared_ptr<quint64[]> allocateSamples(qint64 bytes)
{
    quint64 *p = new (std::nothrow) quint64[size_t((bytes + 7) / 8)];
    if (!p)
        failImport(Import::tr("There is not enough memory for the volume (%1 bytes).").arg(bytes));
    return std::shared_ptr<quint64[]>(p);
}

// Segment<N>_Name, _Color, _LabelValue and _Layer of a .seg.nrrd header.
std::vector<SegmentInfo> segmentsOf(const NrrdHeader &h, int layers)
{
    std::vector<SegmentInfo> segments;
    static const QRegularExpression key(QStringLiteral("^Segment(\\d+)_Name$"));
    for (auto it = h.values.begin(); it != h.values.end(); ++it) {
        const QRegularExpressionMatch m = key.match(it.key());
        if (!m.hasMatch())
            continue;
        const QString prefix = "Segment" + m.captured(1) + "_";
        SegmentInfo s;
        s.name = it.value().trimmed();
        bool ok = false;
        s.value = h.values.value(prefix + "LabelValue").toLongLong(&ok);
        s.value = ok ? s.value : 1;
        s.layer = h.values.value(prefix + "Layer").toInt(&ok);
        s.layer = ok ? s.layer : (layers > 1 ? m.captured(1).toInt() : 0);
        const QStringList rgb = h.values.value(prefix + "Color").split(' ', Qt::SkipEmptyParts);
        if (rgb.size() >= 3) {
            s.hasColor = true;
            for (int c = 0; c < 3; ++c)
                s.rgb[c] = qBound(0, int(std::lround(rgb[c].toDouble() * 255.0)), 255);
        }
        segments.push_back(s);
    }
    return segments;
}

} // namespace

LabelMapData readNrrd(QByteArrayView bytes, const QString &folder,
                      const std::function<void(double)> &progress)
{
    const NrrdHeader h = parseNrrdHeader(bytes);
    const Layout layout = layoutOf(h);
    LabelMapData map;
    map.toWorld = worldOf(h, layout);
    const int size = sampleBytes(h.type);
    const qint64 need = sampleDataBytes(h.sizes.data(), h.dimension, size);

    FileBytes detached;
    QByteArrayView data = dataBytes(h, bytes, folder, detached);
    if (h.encoding == NrrdHeader::Encoding::Raw && h.byteSkip == -1 && data.size() >= need)
        data = data.last(need);
    const qint64 available = h.encoding == NrrdHeader::Encoding::Gzip ? inflatedLimit(data.size())
        : h.encoding == NrrdHeader::Encoding::Text // a number and a separator each
        ? size * (data.size() / 2 + 1)
        : data.size();
    if (need > available)
        tooSmall(need, data.size());

    const std::shared_ptr<quint64[]> samples = allocateSamples(need);
    char *out = reinterpret_cast<char *>(samples.get());
    if (h.encoding == NrrdHeader::Encoding::Gzip)
        inflateExactly(data, out, need, progress);
    else if (h.encoding == NrrdHeader::Encoding::Text)
        readText(data, h.type, out, need / size);
    else
        std::memcpy(out, data.data(), size_t(need));
    if (h.encoding != NrrdHeader::Encoding::Text && size > 1
        && h.bigEndian != (QSysInfo::ByteOrder == QSysInfo::BigEndian))
        swapBytes(out, need / size, size);

    map.storage = samples;
    map.grid.data = out;
    map.grid.type = h.type;
    for (int a = 0; a < 3; ++a)
        map.grid.size[a] = h.sizes[size_t(layout.spatial[a])];
    if (layout.layerAxis >= 0) {
        map.layers = int(std::min<qint64>(h.sizes[size_t(layout.layerAxis)], 1 << 16));
        const bool interleaved = layout.layerAxis == 0;
        map.grid.stride = interleaved ? map.layers : 1;
        map.layerOffset = interleaved ? 1 : map.grid.size[0] * map.grid.size[1] * map.grid.size[2];
    }
    map.segments = segmentsOf(h, map.layers);
    return map;
}
