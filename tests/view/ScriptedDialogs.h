#pragma once

// Plays the user at every box and dialog of the program without a modal
// loop. Each question is answered from a field (an empty or invalid one
// cancels it), and every box and question is recorded in `shown`, in order:
// a box as "title|text" (as its text alone when it has no title), a number
// question as "title|label|value|min..max".

#include "view/Dialogs.h"

#include <QColor>
#include <QDialog>
#include <QStringList>

#include <functional>

struct ScriptedDialogs : Dialogs
{
    QStringList openNames;
    QString saveName;
    QString folderName; // the folder question's answer; empty cancels it
    QString saveFilter; // the filter the last save dialog offered
    QColor colour;
    QString text;
    QList<double> numbers; // the number questions' answers, in turn
    int item = -1;         // the list question's answer; -1 cancels it
    Answer answer = Answer::No;
    std::function<int(QDialog &)> onExec; // runs the program's dialogs; rejected without it
    std::function<void()> onBox;          // after each box is recorded, as a user acting meanwhile
    QStringList shown;

    QStringList getOpenFileNames(QWidget *, const QString &, const QString &,
                                 const QString &) override
    {
        return openNames;
    }
    QString getExistingDirectory(QWidget *, const QString &caption, const QString &) override
    {
        shown << caption;
        return folderName;
    }
    QString getSaveFileName(QWidget *, const QString &, const QString &,
                            const QString &filter) override
    {
        saveFilter = filter;
        return saveName;
    }
    QColor getColor(const QColor &, QWidget *) override { return colour; }
    bool getText(QWidget *, const QString &, const QString &, const QString &,
                 QString &result) override
    {
        result = text;
        return !text.isEmpty();
    }
    bool getInt(QWidget *, const QString &title, const QString &label, int value, int min, int max,
                int, int &result) override
    {
        double answer = 0;
        const bool given =
            ask(QString("%1|%2|%3|%4..%5").arg(title, label).arg(value).arg(min).arg(max), answer);
        result = int(answer);
        return given;
    }
    bool getDouble(QWidget *, const QString &title, const QString &label, double value, double min,
                   double max, int, double &result) override
    {
        return ask(QString("%1|%2|%3|%4..%5").arg(title, label).arg(value).arg(min).arg(max),
                   result);
    }
    bool getItem(QWidget *, const QString &title, const QString &label, const QStringList &items,
                 int current, int &result) override
    {
        shown << QString("%1|%2|%3|%4").arg(title, label, items.join(';')).arg(current);
        result = item;
        return item >= 0 && item < items.size();
    }
    void message(QWidget *, const QString &title, const QString &t) override { box(title, t); }
    void warning(QWidget *, const QString &title, const QString &t) override { box(title, t); }
    void critical(QWidget *, const QString &title, const QString &t) override { box(title, t); }
    void about(QWidget *, const QString &title, const QString &t) override { box(title, t); }
    Answer question(QWidget *, const QString &title, const QString &t) override
    {
        box(title, t);
        return answer;
    }
    Answer information(QWidget *, const QString &title, const QString &t) override
    {
        box(title, t);
        return answer;
    }
    int exec(QDialog &dialog) override { return onExec ? onExec(dialog) : QDialog::Rejected; }

private:
    void box(const QString &title, const QString &t)
    {
        shown << (title.isEmpty() ? t : title + "|" + t);
        if (onBox)
            onBox();
    }
    bool ask(const QString &question, double &result)
    {
        shown << question;
        if (numbers.isEmpty())
            return false;
        result = numbers.takeFirst();
        return true;
    }
};

// Installs the dialogs for its own lifetime, then puts back the ones before.
struct DialogScope
{
    explicit DialogScope(Dialogs *d)
        : previous(Dialogs::install(d))
    { }
    ~DialogScope() { Dialogs::install(previous); }
    Dialogs *previous;
};
