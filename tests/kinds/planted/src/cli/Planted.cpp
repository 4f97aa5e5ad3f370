#include <QFileInfo>

bool isDicom(const QString &path)
{
    return path.endsWith(".dcm", Qt::CaseInsensitive);
}
bool isSeries(const QString &path)
{
    return QFileInfo(path).suffix() == "ima";
}
