// The voxel-to-world map: its inverse brings world points back to the
// indices they came from, and degenerate maps are told apart.

#include "model/Affine.h"

#include <QtTest>

#include <array>
#include <cmath>

class TestAffine : public QObject
{
    Q_OBJECT

private slots:
    void inverseAndSpacing();
    void usability();
};

void TestAffine::inverseAndSpacing()
{
    // An oblique, anisotropic map with a left-handed turn and an offset.
    Affine a;
    const double c = std::cos(0.3), s = std::sin(0.3);
    const double m[3][4] = {
        {-0.7 * c, 0.7 * s, 0, 12.5}, {-0.7 * s, -0.7 * c, 0.2, -40}, {0, 0, 2.5, 101}};
    std::copy(&m[0][0], &m[0][0] + 12, &a.m[0][0]);
    QCOMPARE(a.spacing(0), 0.7);
    QCOMPARE(a.spacing(1), 0.7);
    QVERIFY(std::abs(a.spacing(2) - std::sqrt(0.04 + 6.25)) < 1e-12);

    const Affine inv = a.inverse();
    for (const auto &p : {std::array<double, 3> {0, 0, 0}, {3, -2, 7.5}, {511, 511, 299}}) {
        double world[3], back[3];
        a.apply(p[0], p[1], p[2], world);
        inv.apply(world[0], world[1], world[2], back);
        for (int r = 0; r < 3; ++r)
            QVERIFY2(std::abs(back[r] - p[r]) < 1e-9, qPrintable(QString::number(back[r])));
    }
}

void TestAffine::usability()
{
    QVERIFY(Affine().isUsable());
    Affine flat;
    flat.m[2][2] = 0;
    QVERIFY(!flat.isUsable()); // a voxel axis of no length
    Affine sheared;
    sheared.m[0][1] = 1;
    sheared.m[1][1] = 0; // the j axis folds onto the i axis
    QVERIFY(!sheared.isUsable());
    Affine nan;
    nan.m[1][3] = std::nan("");
    QVERIFY(!nan.isUsable());
}

QTEST_APPLESS_MAIN(TestAffine)
#include "test_affine.moc"
