// The number forms of the text writers against printf: special values, every
// exponent range, single-precision values and decimal values near and at
// rounding ties.

#include "formats/NumberFormat.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

class TestNumberFormat : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsPrintf();

private:
    void compare(double value);
    int mismatches = 0;
};

void TestNumberFormat::compare(double value)
{
    char ours[2 * kMaxNumberChars] = {};
    char theirs[2 * kMaxNumberChars];
    *appendG(ours, value) = 0;
    std::snprintf(theirs, sizeof theirs, "%g", value);
    if (std::strcmp(ours, theirs) != 0 && ++mismatches < 10)
        qWarning("%%g of %.17g: %s, printf %s", value, ours, theirs);
    *appendE8(ours, value) = 0;
    std::snprintf(theirs, sizeof theirs, "%.8e", double(float(value)));
    if (std::strcmp(ours, theirs) != 0 && ++mismatches < 10)
        qWarning("%%.8e of %.17g: %s, printf %s", value, ours, theirs);
}

void TestNumberFormat::sameBytesAsPrintf()
{
    using limits = std::numeric_limits<double>;
    // The files' numbers have a decimal point in every language; printf's
    // follows the user's locale, which the application has taken on.
    std::setlocale(LC_NUMERIC, "C");
    // Signs, rounding ties of both forms, exponent boundaries, single-precision
    // limits and subnormals; then the extremes and the non-finite values.
    for (double value :
         {0.0, -0.0, 1.0, -1.0, 0.1, 1e-5, 123456789.0, 0.5, 2.5, 1234565.0, 999999.5, 9999995.0,
          1e-4, 9.99995e-5, 1e300, -1e-300, 1e38, 3.5e38, 1e-45, 1e-40,
          // rounding up to the next power of ten
          9999996.0, 99999.96, -9.9999996e-5})
        compare(value);
    for (double value : {limits::denorm_min(), limits::min(), limits::max(), limits::quiet_NaN(),
                         -limits::quiet_NaN(), limits::infinity(), -limits::infinity()})
        compare(value);

    std::mt19937_64 random(20240611);
    for (int i = 0; i < 200000; ++i) {
        const quint64 bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        compare(value);
        float single;
        const quint32 singleBits = quint32(bits >> 32);
        std::memcpy(&single, &singleBits, sizeof single);
        compare(single);
        // Decimals of up to eight digits hit ties and near-ties of both forms.
        const double digits = double(qint64(bits % 200000001) - 100000000);
        compare(digits * std::pow(10.0, int(bits >> 40) % 40 - 20));
        compare(double(i) * 0.5 + 0.25 * (bits & 1));
    }
    QCOMPARE(mismatches, 0);
    char integer[kMaxNumberChars];
    QCOMPARE(QByteArray(integer, appendInt(integer, -2147483648LL) - integer), "-2147483648");
}

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "test_numberformat.moc"
