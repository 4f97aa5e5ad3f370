#pragma once

#include <QColor>
#include <QString>

class QDialog;
class QWidget;

// Every modal dialog and message box of the program goes through here, so
// that tests can answer them without blocking: a test installs its own
// Dialogs object; the default one shows the toolkit's dialogs.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    enum class Answer { Yes, No };

    virtual QColor getColor(const QColor &initial, QWidget *parent);
    // Empty when cancelled.
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                    const QString &filter);
    virtual QStringList getOpenFileNames(QWidget *parent, const QString &caption,
                                         const QString &folder, const QString &filter);
    // A folder, for a DICOM series stored as a folder of files; empty when
    // cancelled.
    virtual QString getExistingDirectory(QWidget *parent, const QString &caption,
                                         const QString &folder);
    virtual bool getInt(QWidget *parent, const QString &title, const QString &label, int value,
                        int min, int max, int step, int &result);
    virtual bool getDouble(QWidget *parent, const QString &title, const QString &label,
                           double value, double min, double max, int decimals, double &result);
    virtual bool getText(QWidget *parent, const QString &title, const QString &label,
                         const QString &text, QString &result);
    // One of `items`, starting at `current`; its number in `result`. False
    // when cancelled.
    virtual bool getItem(QWidget *parent, const QString &title, const QString &label,
                         const QStringList &items, int current, int &result);
    // A plain modal box: no title and no icon when those are empty.
    virtual void message(QWidget *parent, const QString &title, const QString &text);
    virtual void warning(QWidget *parent, const QString &title, const QString &text);
    virtual void critical(QWidget *parent, const QString &title, const QString &text);
    virtual void about(QWidget *parent, const QString &title, const QString &text);
    // Yes is the default button, No the escape button.
    virtual Answer question(QWidget *parent, const QString &title, const QString &text);
    virtual Answer information(QWidget *parent, const QString &title, const QString &text);
    // Runs a dialog of the program modally and returns its result code.
    virtual int exec(QDialog &dialog);

    // The text with every line longer than `maxLine` characters cut in its
    // middle to that length, with "…" in place of the cut: a path of
    // megabytes would otherwise take the box many seconds to lay out. Every
    // box of the toolkit's dialogs shows its text through this.
    static QString elided(const QString &text, qsizetype maxLine = 240);

    static Dialogs &current();
    // Installs a replacement (null restores the toolkit's dialogs); returns
    // the previous one.
    static Dialogs *install(Dialogs *dialogs);
};
