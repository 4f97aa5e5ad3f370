#include "Dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
Dialogs toolkitDialogs;
Dialogs *installed = nullptr;
} // namespace

QString Dialogs::elided(const QString &text, qsizetype maxLine)
{
    const qsizetype keep = std::max<qsizetype>(maxLine - 1, 2);
    if (text.size() <= maxLine)
        return text;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.size() > maxLine)
            line = line.left(keep / 2) + QChar(0x2026) + line.right(keep - keep / 2);
    return lines.join(QLatin1Char('\n'));
}

Dialogs &Dialogs::current()
{
    return installed ? *installed : toolkitDialogs;
}

Dialogs *Dialogs::install(Dialogs *dialogs)
{
    Dialogs *previous = installed;
    installed = dialogs;
    return previous;
}

QColor Dialogs::getColor(const QColor &initial, QWidget *parent)
{
    return QColorDialog::getColor(initial, parent);
}

QString Dialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}

QStringList Dialogs::getOpenFileNames(QWidget *parent, const QString &caption,
                                      const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
}

QString Dialogs::getExistingDirectory(QWidget *parent, const QString &caption,
                                      const QString &folder)
{
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

bool Dialogs::getInt(QWidget *parent, const QString &title, const QString &label, int value,
                     int min, int max, int step, int &result)
{
    bool ok = false;
    result = QInputDialog::getInt(parent, title, label, value, min, max, step, &ok);
    return ok;
}

bool Dialogs::getDouble(QWidget *parent, const QString &title, const QString &label, double value,
                        double min, double max, int decimals, double &result)
{
    bool ok = false;
    result = QInputDialog::getDouble(parent, title, label, value, min, max, decimals, &ok);
    return ok;
}

bool Dialogs::getText(QWidget *parent, const QString &title, const QString &label,
                      const QString &text, QString &result)
{
    bool ok = false;
    result = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    return ok;
}

bool Dialogs::getItem(QWidget *parent, const QString &title, const QString &label,
                      const QStringList &items, int current, int &result)
{
    bool ok = false;
    const QString item = QInputDialog::getItem(parent, title, label, items, current, false, &ok);
    result = int(items.indexOf(item));
    return ok && result >= 0;
}

void Dialogs::message(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, elided(title), elided(text), QMessageBox::Ok, parent);
    box.exec();
}

void Dialogs::warning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, elided(title), elided(text));
}

void Dialogs::critical(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::critical(parent, elided(title), elided(text));
}

void Dialogs::about(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, elided(title), elided(text));
}

Dialogs::Answer Dialogs::question(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, elided(title), elided(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Dialogs::Answer Dialogs::information(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, elided(title), elided(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

int Dialogs::exec(QDialog &dialog)
{
    return dialog.exec();
}
