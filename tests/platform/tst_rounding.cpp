#include "platform/Rounding.h"

#include <QTest>

class RoundingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void halvesGoToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("1075.2") << 1075.2 << 1075;
        QTest::newRow("937.5 below") << 562.5 << 562;
        QTest::newRow("not a half") << 2.51 << 3;
    }
    void halvesGoToEven() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(CInt(value), expected);
        QCOMPARE(CLng(value), expected);
    }
    void overflowIsReported() {
        QVERIFY_THROWS_EXCEPTION(OverflowError, CInt(32767.5 + 1));
        QVERIFY_THROWS_EXCEPTION(OverflowError, CInt(-32769));
        QCOMPARE(CInt(32767.4), 32767);
        QCOMPARE(CLng(100000.5), 100000);
        QVERIFY_THROWS_EXCEPTION(OverflowError, CLng(3.0e9));
        QVERIFY_THROWS_EXCEPTION(OverflowError, Int16(40000));
    }
};

QTEST_APPLESS_MAIN(RoundingTest)
#include "tst_rounding.moc"
