// A sheet is saved as ".pdf": comments may name endings.
QString sheetName(QString name)
{
    /* so may a block comment: ".svg",
       ".eps" */
    const QString label = QStringLiteral("OUTPUT must end in .pdf"); // a text, not an ending
    return name + QLatin1String(".pdf");
}
