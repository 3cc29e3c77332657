// Numbers as the screens show and read them.
#include "core/number_input.h"

#include <QtTest>

#include <limits>

using namespace corvane;

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    // Never scientific notation: the yarn of a light hat weighs 0.00002314 kg
    // per cm; a year's metres of fabric run into the millions.
    void shown_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 522.0 << "522";
        QTest::newRow("half") << 0.5 << "0,5";
        QTest::newRow("price") << 12.90 << "12,9";
        QTest::newRow("small kg") << 2.314e-05 << "0,00002314";
        QTest::newRow("tiny") << -3.5e-12 << "-0,0000000000035";
        QTest::newRow("below what is shown") << 1e-30 << "0";
        QTest::newRow("negative below what is shown") << -1e-30 << "0";
        QTest::newRow("large") << 1.5e16 << "15000000000000000";
        QTest::newRow("negative") << -0.25 << "-0,25";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
    }
    void shown() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numberText(value), text);
        // What is shown reads back as the value, to 15 significant digits.
        double back = 0;
        QString message;
        QVERIFY(readNumber(numberText(value), &back, &message));
        QVERIFY2(std::abs(back - value) <= std::abs(value) * 1e-14 + 1e-20, qPrintable(numberText(value)));
    }

    // Fixed decimals as a column or a listing needs them, the same comma.
    void fixedDecimals() {
        QCOMPARE(fixedNumberText(522, 2), QStringLiteral("522,00"));
        QCOMPARE(fixedNumberText(2.314e-05 * 1000, 4), QStringLiteral("0,0231"));
        QCOMPARE(fixedNumberText(-0.0001, 2), QStringLiteral("0,00"));
        QCOMPARE(fixedNumberText(-1.5, 0), QStringLiteral("-2"));
        QCOMPARE(fixedNumberText(std::numeric_limits<double>::infinity(), 1), QStringLiteral("0,0"));
        QCOMPARE(fixedNumberText(std::numeric_limits<double>::quiet_NaN(), 2), QStringLiteral("0,00"));
        QCOMPARE(fixedNumberText(1234567.891, 2), QStringLiteral("1234567,89"));
    }

    void readBothSeparators() {
        double v = 0;
        QString message;
        QVERIFY(readNumber(QStringLiteral("2,5"), &v, &message));
        QCOMPARE(v, 2.5);
        QVERIFY(readNumber(QStringLiteral(" 2.5 "), &v, &message));
        QCOMPARE(v, 2.5);
        QVERIFY(!readNumber(QStringLiteral("2,5,1"), &v, &message));
        QCOMPARE(message, QStringLiteral("'2,5,1' não é um número válido"));
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
