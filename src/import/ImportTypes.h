#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>

// The translation context of every import message: Import::tr("...").
class Import
{
    Q_DECLARE_TR_FUNCTIONS(Import)
};

// Why an import failed, in words for the user. Thrown inside the importers
// and caught at their boundary.
struct ImportFailure
{
    QString message;
};

[[noreturn]] inline void failImport(const QString &message)
{
    throw ImportFailure {message};
}

// What an import left out or changed without failing ("3 cells of an unknown
// type were left out."). The importer collects them for the one import it
// runs on this thread; readers call warnImport() wherever they drop something.
class ImportWarnings
{
public:
    ImportWarnings()
        : outer(current)
    {
        current = this;
    }
    ~ImportWarnings() { current = outer; }
    ImportWarnings(const ImportWarnings &) = delete;
    ImportWarnings &operator=(const ImportWarnings &) = delete;

    const QStringList &list() const { return texts; }
    static void add(const QString &text)
    {
        if (current && !current->texts.contains(text))
            current->texts << text;
    }

private:
    static inline thread_local ImportWarnings *current = nullptr;
    ImportWarnings *outer;
    QStringList texts;
};

inline void warnImport(const QString &text)
{
    ImportWarnings::add(text);
}

// At most `length` bytes of a file's text, for a message that quotes it: a
// message never repeats a long run of what a file holds.
inline QString quoted(QByteArrayView bytes, qsizetype length = 24)
{
    QString text = QString::fromLatin1(bytes.first(std::min(bytes.size(), length)));
    for (QChar &c : text)
        if (!c.isPrint())
            c = u'?';
    return bytes.size() > length ? text + QStringLiteral("...") : text;
}

// Thrown when the progress callback asks to stop: whatever was built so far is
// released on the way out.
struct ImportCanceled
{ };

// Progress of a long import: `value` of `maximum` and the text of the current
// step. Returning false cancels the import.
using ImportProgress = std::function<bool(int value, int maximum, const QString &text)>;

// Steps of one import, each worth the same share of the progress bar; a step
// reports how far it has come in fractions. Without a callback it costs nothing.
class ProgressSteps
{
public:
    ProgressSteps(const ImportProgress &callback, int steps)
        : callback(callback)
        , steps(steps > 0 ? steps : 1)
    { }

    void begin(int step, const QString &text)
    {
        current = step;
        label = text;
        advance(0.0);
    }
    // Reports the fraction done of the current step; throws ImportCanceled
    // when the callback says stop.
    void advance(double fraction)
    {
        if (!callback)
            return;
        const int value = int((current + qBound(0.0, fraction, 1.0)) * kScale);
        if (!callback(value, steps * kScale, label))
            throw ImportCanceled {};
    }
    int stepCount() const { return steps; }
    void setStepCount(int count) { steps = count > 0 ? count : 1; }
    // A callback for work that reports fractions of the current step.
    std::function<void(double)> fractions()
    {
        return [this](double fraction) { advance(fraction); };
    }

private:
    static constexpr int kScale = 100;
    ImportProgress callback;
    int steps;
    int current = 0;
    QString label;
};
