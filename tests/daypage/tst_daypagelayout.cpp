#include "daypage/DayPageLayout.h"

#include <QTest>

// The page's geometry without a window: the design sizes and a page width in, every rectangle
// out (twips).
class DayPageLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theBinderLaysOutAtAnyWidth_data() {
        QTest::addColumn<double>("W");
        QTest::newRow("1280 pixels at 96 dpi") << 18945.0;
        QTest::newRow("1920 pixels at 96 dpi") << 28545.0;
        QTest::newRow("2560 pixels at 96 dpi") << 38145.0;
        QTest::newRow("3840 pixels at 96 dpi") << 57345.0;
    }
    void theBinderLaysOutAtAnyWidth() {
        QFETCH(double, W);
        DayPageLayoutInput input;
        input.W = W;
        const DayPageLayout page = ComputeDayPageLayout(input);

        QCOMPARE(page.height, 10814.0); // the bottom band's top, 8282, and the calendar's height
        QCOMPARE(page.bottom.top, 8282.0);
        const int stripTops[6] = {324, 1648, 2972, 4296, 5620, 6944};
        const int groupTops[6] = {848, 2174, 3500, 4826, 6152, 7478};
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(page.strips[k].top, double(stripTops[k]));
            QCOMPARE(page.strips[k].width, W);
            for (int line = 0; line < 4; ++line) {
                QCOMPARE(page.lineY[k * 4 + line + 1], double(groupTops[k] + 240 * line));
            }
        }
        // Rows 6..11 share the tops of rows 0..5 and start 600 twips right of the middle.
        const double rightX0 = std::nearbyint(600 + W / 2);
        for (int i = 0; i < 12; ++i) {
            const double X0 = i < 6 ? 0 : rightX0;
            QCOMPARE(page.time[i].top, 324.0 + 1324 * (i % 6));
            QCOMPARE(page.time[i].left, X0);
            QCOMPARE(page.subject[i].left, X0 + 1200);
            QCOMPARE(page.subject[i].width, W / 2 - 1800);
            QCOMPARE(page.details[i].top, 648.0 + 1324 * (i % 6));
            QCOMPARE(page.details[i].left, X0 + 168);
            QCOMPARE(page.details[i].width, W / 2 - 768);
        }
        // The date line, and Previous and Next just right of the binder.
        QCOMPARE(page.date.width, W - 408 - 1524);
        QCOMPARE(page.day.left, W - 408);
        QCOMPARE(page.schoolDay.left, W - 408 - 1524);
        QCOMPARE(page.binder.left, W / 2 - 438);
        QCOMPARE(page.binder.height, page.height);
        QCOMPARE(page.previous.left, page.binder.left + 876);
        QCOMPARE(page.next.left, page.previous.left + 552);
    }
};

QTEST_APPLESS_MAIN(DayPageLayoutTest)
#include "tst_daypagelayout.moc"
