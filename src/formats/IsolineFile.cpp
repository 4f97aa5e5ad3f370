#include "IsolineFile.h"

#include "OutputFile.h"

bool writeIsolineOff(const BasicClass &block, const QString &fileName)
{
    OutputFile file(fileName, true);
    if (!file.isOpen())
        return false;
    OutputBuffer &out = file.out();
    const qint32 count = block.CountOfIsoVertices;
    out.text("OFF\n");
    out.num(count);
    out.ch(' ');
    out.num(count / 2);
    out.text(" 0\n");
    for (qint32 p = 0; p < count; ++p) {
        const float *xyz = block.IsoVertices + 3 * qint64(p);
        out.g(xyz[0]);
        out.ch(' ');
        out.g(xyz[1]);
        out.ch(' ');
        out.g(xyz[2]);
        out.ch('\n');
    }
    for (qint32 a = 0; a < count; a += 2) {
        out.text("3 ");
        out.num(a);
        out.ch(' ');
        out.num(a);
        out.ch(' ');
        out.num(a + 1);
        out.ch('\n');
    }
    return file.commit();
}
