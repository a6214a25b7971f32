// SPDX-License-Identifier: GPL-3.0-or-later
#include "cctimageutils.h"
#include "cctutils.h"

#include <QtTest>

#include <cmath>
#include <limits>

class tst_CCTUtils : public QObject
{
    Q_OBJECT

private slots:
    void limits();
    void cctValidity_data();
    void cctValidity();
    void locusPoints_data();
    void locusPoints();
    void quantisation();
    void tint();
    void roundTrip();
    void invalidChromaticity_data();
    void invalidChromaticity();
    void pivotsAndBorders();
    void distances();
    void imagePoints();
    void imageLines_data();
    void imageLines();
};

void tst_CCTUtils::limits()
{
    QCOMPARE(CCTUtils::getMinCCT(), 1950);
    QCOMPARE(CCTUtils::getMaxCCT(), 11000);
    QCOMPARE(CCTUtils::getMinTint(), -32767);
    QCOMPARE(CCTUtils::getMaxTint(), 32767);
    QCOMPARE(CCTUtils::getCCTStepSize(), 10);
}

void tst_CCTUtils::cctValidity_data()
{
    QTest::addColumn<int>("cct");
    QTest::addColumn<bool>("valid");

    QTest::newRow("1949") << 1949 << false;
    QTest::newRow("1950") << 1950 << true;
    QTest::newRow("11000") << 11000 << true;
    QTest::newRow("11001") << 11001 << false;
    QTest::newRow("negative") << -5000 << false;
}

void tst_CCTUtils::cctValidity()
{
    QFETCH(int, cct);
    QFETCH(bool, valid);
    double x = 9, y = 9, u = 9, v = 9;
    QCOMPARE(CCTUtils::getxyFromCCT(cct, x, y), valid);
    QCOMPARE(CCTUtils::getuvPrimeFromCCTAndTint(cct, 1000, u, v), valid);
    if (!valid) {
        QCOMPARE(x, 0.0);
        QCOMPARE(y, 0.0);
        QCOMPARE(u, 0.0);
        QCOMPARE(v, 0.0);
    } else {
        QVERIFY(x > 0.2 && x < 0.6);
        QVERIFY(y > 0.2 && y < 0.5);
    }
}

void tst_CCTUtils::locusPoints_data()
{
    QTest::addColumn<int>("cct");
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("v");

    // Region starts are the table's own locus points.
    QTest::newRow("2000") << 2000 << 0.305048412 << 0.538598729;
    QTest::newRow("6500") << 6500 << 0.200449021 << 0.465542606;
    // 11000 K lies in region 21 (10000 .. 12500, 250 steps): 100 steps in,
    // u = 0.190318787 + 100 * (0.187398002 - 0.190318787) / 250 = 0.189150473
    // v = 0.439897086 + 100 * (0.430013571 - 0.439897086) / 250 = 0.43594368
    QTest::newRow("11000") << 11000 << 0.189150473 << 0.43594368;
    // 1950 K: region 0, 5 of 10 steps between 1900 and 2000 K.
    QTest::newRow("1950") << 1950 << (0.31362707 + 0.305048412) / 2 << (0.539567105 + 0.538598729) / 2;
}

void tst_CCTUtils::locusPoints()
{
    QFETCH(int, cct);
    QFETCH(double, u);
    QFETCH(double, v);
    double pu = 0, pv = 0;
    QVERIFY(CCTUtils::getuvPrimeFromCCT(cct, pu, pv));
    QVERIFY(qAbs(pu - u) < 1e-9);
    QVERIFY(qAbs(pv - v) < 1e-9);
    double x = 0, y = 0;
    QVERIFY(CCTUtils::getxyFromCCT(cct, x, y));
    // x = 9u' / (6u' - 16v' + 12), y = 4v' / (6u' - 16v' + 12)
    QVERIFY(qAbs(x - 9 * u / (6 * u - 16 * v + 12)) < 1e-9);
    QVERIFY(qAbs(y - 4 * v / (6 * u - 16 * v + 12)) < 1e-9);
}

void tst_CCTUtils::quantisation()
{
    double x0, y0, x1, y1;
    QVERIFY(CCTUtils::getxyFromCCT(4000, x0, y0));
    for (int cct : {4003, 4009}) {
        QVERIFY(CCTUtils::getxyFromCCT(cct, x1, y1));
        QCOMPARE(x1, x0);
        QCOMPARE(y1, y0);
    }
    // Every 10-kelvin step is its own point, also where a floating step
    // count would fall short (4290 K is 29 steps into 4000 .. 4500 K).
    for (int cct : {4290, 7050, 9160}) {
        double xa, ya, xb, yb, xc, yc;
        QVERIFY(CCTUtils::getxyFromCCT(cct, xa, ya));
        QVERIFY(CCTUtils::getxyFromCCT(cct + 9, xb, yb));
        QVERIFY(CCTUtils::getxyFromCCT(cct - 10, xc, yc));
        QCOMPARE(xa, xb);
        QVERIFY(xa != xc);
        int back = 0, tint = 1;
        QVERIFY(CCTUtils::getCCTAndTintFromxy(xa, ya, back, tint));
        QCOMPARE(back, cct);
    }
}

void tst_CCTUtils::tint()
{
    double u0, v0, up, vp, un, vn;
    QVERIFY(CCTUtils::getuvPrimeFromCCTAndTint(5000, 0, u0, v0));
    double ul, vl;
    QVERIFY(CCTUtils::getuvPrimeFromCCT(5000, ul, vl));
    QCOMPARE(u0, ul);
    QCOMPARE(v0, vl);
    QVERIFY(CCTUtils::getuvPrimeFromCCTAndTint(5000, 32767, up, vp));
    QVERIFY(CCTUtils::getuvPrimeFromCCTAndTint(5000, -32767, un, vn));
    QVERIFY(vp > v0);
    QVERIFY(vn < v0);
    const double dp = CCTUtils::getDuvPrimeFromuvPrime(u0, v0, up, vp);
    const double dn = CCTUtils::getDuvPrimeFromuvPrime(u0, v0, un, vn);
    QVERIFY(qAbs(dp - dn) < 1e-12);
    // A full tint moves by the isotherm length at that place: at 5000 K the
    // region start, |(0.211424442, 0.484673716) - (0.197409438, 0.506075251)|.
    QVERIFY(qAbs(dp - std::hypot(0.211424442 - 0.197409438, 0.484673716 - 0.506075251)) < 1e-12);
}

void tst_CCTUtils::roundTrip()
{
    int worstTint = 0;
    for (int cct = 1950; cct <= 11000; cct += 10) {
        for (int tint : {0, 16000, -16000}) {
            double x = 0, y = 0;
            QVERIFY(CCTUtils::getxyFromCCTAndTint(cct, tint, x, y));
            int backCct = 0, backTint = 0;
            QVERIFY2(CCTUtils::getCCTAndTintFromxy(x, y, backCct, backTint),
                     qPrintable(QStringLiteral("%1 K tint %2").arg(cct).arg(tint)));
            QVERIFY2(qAbs(backCct - cct) <= 10,
                     qPrintable(QStringLiteral("%1 K tint %2 -> %3 K").arg(cct).arg(tint).arg(backCct)));
            if (tint == 0)
                QVERIFY2(qAbs(backTint) <= 1, qPrintable(QString::number(backTint)));
            worstTint = qMax(worstTint, qAbs(backTint - tint));
        }
    }
    QVERIFY2(worstTint <= 200, qPrintable(QStringLiteral("worst tint error %1").arg(worstTint)));
}

void tst_CCTUtils::invalidChromaticity_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");

    QTest::newRow("x above 0.8") << 0.9 << 0.3;
    QTest::newRow("y above 0.9") << 0.3 << 0.95;
    QTest::newRow("negative") << -0.01 << 0.3;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0.3;
    QTest::newRow("infinity") << 0.3 << std::numeric_limits<double>::infinity();
}

void tst_CCTUtils::invalidChromaticity()
{
    QFETCH(double, x);
    QFETCH(double, y);
    int cct = 1234, tint = 5678;
    QVERIFY(!CCTUtils::getCCTAndTintFromxy(x, y, cct, tint));
    QCOMPARE(cct, 1234);
    QCOMPARE(tint, 5678);
    QVERIFY(!CCTUtils::getCCTAndTintFromuvPrime(x, 0.7, cct, tint));
    QCOMPARE(cct, 1234);
}

void tst_CCTUtils::pivotsAndBorders()
{
    // Points on a pivot, on the chromaticity border and at the corners give
    // defined answers (a result or false), never a conversion of NaN.
    const QPointF points[] = {{0.331266037, 0.093346279}, {0.297918651, 0.352913017}, {0.299183841, 0.361697993},
                              {0.0, 0.0},                 {0.6, 0.6},                 {0.0, 0.6},
                              {0.6, 0.0},                 {0.2, 0.0}};
    for (const QPointF &p : points) {
        int cct = -1, tint = -1;
        if (CCTUtils::getCCTAndTintFromuvPrime(p.x(), p.y(), cct, tint)) {
            QVERIFY(cct > 0);
        } else {
            QCOMPARE(cct, -1);
            QCOMPARE(tint, -1);
        }
    }
    // The whole valid u'v' square: every answer is a finite temperature.
    for (int i = 0; i <= 60; ++i) {
        for (int j = 0; j <= 60; ++j) {
            int c = -1, t = 0;
            if (CCTUtils::getCCTAndTintFromuvPrime(i / 100.0, j / 100.0, c, t))
                QVERIFY2(c > -1000000 && c < 1000000, qPrintable(QStringLiteral("%1 %2 -> %3").arg(i).arg(j).arg(c)));
        }
    }
    // Tints far beyond the isotherm ends stay numbers.
    double x = 0, y = 0;
    QVERIFY(CCTUtils::getxyFromCCTAndTint(5000, std::numeric_limits<int>::max(), x, y));
    QVERIFY(std::isfinite(x) && std::isfinite(y));
    QVERIFY(CCTUtils::getxyFromCCTAndTint(5000, std::numeric_limits<int>::min(), x, y));
    QVERIFY(std::isfinite(x) && std::isfinite(y));
    const QRectF window(0.0, 0.9, 0.8, -0.9);
    const QPoint far = CCTImageUtils::getPointFromCCTAndUnboundedTint(5000, std::numeric_limits<int>::max(), window,
                                                                       QRect(0, 0, 100, 100));
    QVERIFY(qAbs(far.x()) <= 1073741823 && qAbs(far.y()) <= 1073741823);

    for (const QPointF &p : {QPointF(0.0, 0.0), QPointF(0.8, 0.0), QPointF(0.0, 0.9)}) {
        int cct = -1, tint = -1;
        if (!CCTUtils::getCCTAndTintFromxy(p.x(), p.y(), cct, tint))
            QCOMPARE(cct, -1);
    }
}

void tst_CCTUtils::distances()
{
    QCOMPARE(CCTUtils::getDistanceBetweenPoints(QPointF(0, 0), QPointF(3, 4)), 5.0);
    QCOMPARE(CCTUtils::getDuvPrimeFromuvPrime(0.1, 0.1, 0.4, 0.5), 0.5);
    // CIE 1960 v = v' / 1.5: (0.1, 0.1) and (0.1, 0.4) are 0.2 apart.
    QVERIFY(qAbs(CCTUtils::getDuvFromuvPrime(0.1, 0.1, 0.1, 0.4) - 0.2) < 1e-15);
    // D65: u' = 4 * 0.3127 / (-0.6254 + 3.948 + 3) = 0.19783, v' = 0.46833
    QVERIFY(qAbs(CCTUtils::getuPrimeFromxy(0.3127, 0.329) - 1.2508 / 6.3226) < 1e-12);
    QVERIFY(qAbs(CCTUtils::getvPrimeFromxy(0.3127, 0.329) - 2.961 / 6.3226) < 1e-12);
    const double u = CCTUtils::getuPrimeFromxy(0.3127, 0.329);
    const double v = CCTUtils::getvPrimeFromxy(0.3127, 0.329);
    QVERIFY(qAbs(CCTUtils::getxFromuvPrime(u, v) - 0.3127) < 1e-12);
    QVERIFY(qAbs(CCTUtils::getyFromuvPrime(u, v) - 0.329) < 1e-12);
    QCOMPARE(CCTUtils::getDuvFromxy(0.3127, 0.329, 0.3127, 0.329), 0.0);
}

void tst_CCTUtils::imagePoints()
{
    // Window: x 0 .. 0.8 across, y from 0.9 at the top down to 0 (negative
    // height); 801 x 901 pixels.
    const QRectF window(0.0, 0.9, 0.8, -0.9);
    const QRect pixels(0, 0, 801, 901);
    QCOMPARE(CCTImageUtils::getxyRectWidth(window), 0.8);
    QCOMPARE(CCTImageUtils::getxyRectHeight(window), 0.9);
    // 801 * 0.4 / 0.8 = 400.5 -> 401; 901 * 0.45 / 0.9 = 450.5 -> 451
    QCOMPARE(CCTImageUtils::getPointFromxy(0.4, 0.45, window, pixels), QPoint(401, 451));
    QCOMPARE(CCTImageUtils::getPointFromxy(0.0, 0.9, window, pixels), QPoint(0, 0));
    double x = 0, y = 0;
    CCTImageUtils::getxyFromPoint(x, y, window, QPointF(801, 901), pixels);
    QVERIFY(qAbs(x - 0.8) < 1e-12);
    QVERIFY(qAbs(y - 0.0) < 1e-12);

    // A window without area maps everything to the corner.
    QCOMPARE(CCTImageUtils::getPointFromxy(0.4, 0.4, QRectF(0, 0, 0, 0), pixels), QPoint(0, 0));
    CCTImageUtils::getxyFromPoint(x, y, window, QPointF(5, 5), QRect());
    QVERIFY(std::isfinite(x) && std::isfinite(y));

    const QPoint clamped = CCTImageUtils::getPointFromCCTAndTint(5000, 40000, window, pixels);
    QCOMPARE(clamped, CCTImageUtils::getPointFromCCTAndTint(5000, 32767, window, pixels));
    QVERIFY(CCTImageUtils::getPointFromCCTAndUnboundedTint(5000, 40000, window, pixels) != clamped);
    QCOMPARE(CCTImageUtils::getPointFromCCTAndUnboundedTint(500, 0, window, pixels),
             CCTImageUtils::getPointFromCCT(1950, window, pixels));
    QCOMPARE(CCTImageUtils::getPointFromCCT(20000, window, pixels),
             CCTImageUtils::getPointFromCCT(11000, window, pixels));

    QCOMPARE(CCTImageUtils::roundPoint(QPointF(1.5, -1.5)), QPoint(2, -1));
    QCOMPARE(CCTImageUtils::roundPoint(QPointF(std::numeric_limits<double>::quiet_NaN(), 1e300)),
             QPoint(0, 1073741823));
}

void tst_CCTUtils::imageLines_data()
{
    QTest::addColumn<QLineF>("a");
    QTest::addColumn<QLineF>("b");
    QTest::addColumn<bool>("crosses");
    QTest::addColumn<QPointF>("at");

    QTest::newRow("cross") << QLineF(0, 0, 2, 2) << QLineF(0, 2, 2, 0) << true << QPointF(1, 1);
    QTest::newRow("would cross beyond the end") << QLineF(0, 0, 1, 1) << QLineF(3, 0, 2, 1) << false << QPointF();
    QTest::newRow("parallel") << QLineF(0, 0, 1, 0) << QLineF(0, 1, 1, 1) << false << QPointF();
    QTest::newRow("touching at an end") << QLineF(0, 0, 1, 0) << QLineF(1, 0, 1, 1) << true << QPointF(1, 0);
    QTest::newRow("null segment") << QLineF(0, 0, 0, 0) << QLineF(0, 1, 1, 1) << false << QPointF();
}

void tst_CCTUtils::imageLines()
{
    QFETCH(QLineF, a);
    QFETCH(QLineF, b);
    QFETCH(bool, crosses);
    QFETCH(QPointF, at);
    QPointF p(-9, -9);
    QCOMPARE(CCTImageUtils::linesIntersect(a, b, &p), crosses);
    if (crosses)
        QCOMPARE(p, at);
    else
        QCOMPARE(p, QPointF(-9, -9));
}

QTEST_GUILESS_MAIN(tst_CCTUtils)
#include "tst_cctutils.moc"
