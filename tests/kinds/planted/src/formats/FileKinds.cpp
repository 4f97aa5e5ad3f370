// The registry may compare endings.
bool isSurface(const QString &path)
{
    return path.endsWith(".surf", Qt::CaseInsensitive);
}
