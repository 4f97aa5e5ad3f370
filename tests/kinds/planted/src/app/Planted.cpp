bool isSession(const QString &path)
{
    return path.endsWith(QLatin1String(".tsn"));
}

QString filter()
{
    return QStringLiteral("OFF(*.off)");
}
