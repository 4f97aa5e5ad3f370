#include "LabelMapWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(LabelMapWriter)
};

constexpr int kHeaderBytes = 348;
constexpr int kDataOffset = 352;      // the header and four bytes saying no extension
constexpr qint16 kInt16 = 4;          // NIfTI datatype code
constexpr qint16 kLabelIntent = 1002; // NIfTI intent code of labels
constexpr qint16 kAlignedFrame = 2;   // sform code: aligned to another image

template<class T> void put(QByteArray &bytes, int at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof(T));
}

QByteArray niftiHeader(const qint64 size[3], const Affine &a)
{
    QByteArray h(kDataOffset, '\0');
    put<qint32>(h, 0, kHeaderBytes);
    const qint16 dims[8] = {3, qint16(size[0]), qint16(size[1]), qint16(size[2]), 1, 1, 1, 1};
    for (int d = 0; d < 8; ++d)
        put<qint16>(h, 40 + 2 * d, dims[d]);
    put<qint16>(h, 68, kLabelIntent);
    put<qint16>(h, 70, kInt16);
    put<qint16>(h, 72, 16);
    put<float>(h, 76, 1); // pixdim[0]: the qform's handedness, unused with the sform
    for (int d = 0; d < 3; ++d)
        put<float>(h, 80 + 4 * d, float(a.spacing(d)));
    put<float>(h, 108, float(kDataOffset));
    put<float>(h, 112, 1); // scale slope
    h[123] = 2;            // millimetres
    std::memcpy(h.data() + 148, "stones found by Tessaron", 24);
    put<qint16>(h, 254, kAlignedFrame);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            put<float>(h, 280 + 16 * r + 4 * c, float(a.m[r][c]));
    std::memcpy(h.data() + 344, "n+1\0", 4);
    return h;
}

QByteArray nrrdHeader(const qint64 size[3], const Affine &a)
{
    const auto vector = [](double x, double y, double z) {
        return QStringLiteral("(%1,%2,%3)")
            .arg(x, 0, 'g', 17)
            .arg(y, 0, 'g', 17)
            .arg(z, 0, 'g', 17);
    };
    QString h = QStringLiteral("NRRD0004\ntype: short\ndimension: 3\n"
                               "space: right-anterior-superior\n");
    h += QStringLiteral("sizes: %1 %2 %3\n").arg(size[0]).arg(size[1]).arg(size[2]);
    h += QStringLiteral("space directions: %1 %2 %3\n")
             .arg(vector(a.m[0][0], a.m[1][0], a.m[2][0]), vector(a.m[0][1], a.m[1][1], a.m[2][1]),
                  vector(a.m[0][2], a.m[1][2], a.m[2][2]));
    h += QStringLiteral("kinds: domain domain domain\nendian: little\nencoding: raw\n");
    h += QStringLiteral("space origin: %1\n\n").arg(vector(a.m[0][3], a.m[1][3], a.m[2][3]));
    return h.toLatin1();
}

} // namespace

bool writeLabelMap(const QString &path, LabelMapFormat format, const qint64 size[3],
                   const Affine &toWorld, const std::vector<qint16> &labels, QString &error)
{
    if (size[0] > 32767 || size[1] > 32767 || size[2] > 32767
        || qint64(labels.size()) != size[0] * size[1] * size[2]) {
        error = Text::tr("%1: the grid is too large for a label map").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = Text::tr("%1: cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    file.write(format == LabelMapFormat::Nifti ? niftiHeader(size, toWorld)
                                               : nrrdHeader(size, toWorld));
    file.write(reinterpret_cast<const char *>(labels.data()), qint64(labels.size() * 2));
    if (!file.commit()) {
        error = Text::tr("%1: cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
