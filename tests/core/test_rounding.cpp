#include "core/rounding.h"

#include <QtTest>

using corvane::roundHalfEven;
using corvane::roundTo;

class TestRounding : public QObject {
    Q_OBJECT
private slots:
    void halvesAwayFromZero() {
        QCOMPARE(roundTo(2.675, 2), 2.68);
        QCOMPARE(roundTo(1234.5625, 3), 1234.563);
        QCOMPARE(roundTo(-0.125, 2), -0.13);
        QCOMPARE(roundTo(0.5, 0), 1.0);
        QCOMPARE(roundTo(-2.5, 0), -3.0);
        QCOMPARE(roundTo(9.995, 2), 10.0);
        QCOMPARE(roundTo(99.9995, 3), 100.0);
    }
    void binaryJustBelowHalf() {
        // each of these is stored a hair below its half
        QCOMPARE(roundTo(1.005, 2), 1.01);
        QCOMPARE(roundTo(1.015, 2), 1.02);
        QCOMPARE(roundTo(0.285, 2), 0.29);
        QCOMPARE(roundTo(8.345, 2), 8.35);
        QCOMPARE(roundTo(0.0028875, 7), 0.0028875);
        QCOMPARE(roundTo(0.00288745, 7), 0.0028875);
        QCOMPARE(roundTo(1.0 / 3.0, 5), 0.33333);
        QCOMPARE(roundTo(2.0 / 3.0, 5), 0.66667);
    }
    void smallAndLargeValues() {
        QCOMPARE(roundTo(0.004, 2), 0.0);
        QCOMPARE(roundTo(0.0004, 2), 0.0);
        QCOMPARE(roundTo(0.0, 2), 0.0);
        QCOMPARE(roundTo(123456789.125, 2), 123456789.13);
        QCOMPARE(roundTo(12.0, 0), 12.0);
        // more digits than 15 significant ones allow: the value stays
        QCOMPARE(roundTo(1e20, 2), 1e20);
        QVERIFY(qIsNaN(roundTo(qQNaN(), 2)));
    }
    void halfToEven() {
        QCOMPARE(roundHalfEven(6.5), 6.0);
        QCOMPARE(roundHalfEven(5.5), 6.0);
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(roundHalfEven(-3.5), -4.0);
        QCOMPARE(roundHalfEven(2.4999), 2.0);
        QCOMPARE(roundHalfEven(2.5001), 3.0);
        QCOMPARE(roundHalfEven(3.0), 3.0);
    }
};

QTEST_GUILESS_MAIN(TestRounding)
#include "test_rounding.moc"
