#pragma once

#include <QCoreApplication>
#include <QString>

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
