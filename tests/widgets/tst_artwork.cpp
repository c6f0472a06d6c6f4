#include "widgets/Artwork.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <functional>

namespace {
QImage Pixels(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

int CountAlphaAbove(const QImage& image, const QRect& area, int alpha) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qAlpha(image.pixel(x, y)) > alpha) {
                ++count;
            }
        }
    }
    return count;
}

int CountVisible(const QImage& image) {
    return CountAlphaAbove(image, image.rect(), 0);
}

double MeanSaturation(const QImage& image) {
    double total = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = QColor::fromRgba(image.pixel(x, y));
            if (color.alpha() > 128) {
                total += color.hsvSaturationF();
                ++count;
            }
        }
    }
    return count > 0 ? total / count : 0;
}

// The height of the first run of solid pixels going down one column, i.e. the size of the
// topmost loop or ring there.
int FirstSolidRun(const QImage& image, int x) {
    int y = 0;
    while (y < image.height() && qAlpha(image.pixel(x, y)) <= 200) {
        ++y;
    }
    const int start = y;
    while (y < image.height() && qAlpha(image.pixel(x, y)) > 200) {
        ++y;
    }
    return y - start;
}

using Painter = std::function<void(QPainter&, const QRectF&)>;
} // namespace

Q_DECLARE_METATYPE(Painter)

class ArtworkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void messageIconsAreDrawn_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("information") << 1;
        QTest::newRow("question") << 2;
        QTest::newRow("warning") << 3;
        QTest::newRow("shield") << 4;
    }
    void messageIconsAreDrawn() {
        QFETCH(int, index);
        const QImage image = Pixels(Artwork::RenderMessageIcon(index, QSize(32, 32), 1.0));
        // A real icon covers a good part of its square but leaves the corners clear.
        QVERIFY(CountAlphaAbove(image, image.rect(), 200) > 32 * 32 / 3);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(31, 0)), 0);
    }

    void messageIconsDifferFromEachOther() {
        QList<QImage> icons;
        for (int index = 1; index <= 4; ++index) {
            icons.append(Pixels(Artwork::RenderMessageIcon(index, QSize(32, 32), 1.0)));
        }
        for (int a = 0; a < icons.size(); ++a) {
            for (int b = a + 1; b < icons.size(); ++b) {
                QVERIFY2(icons[a] != icons[b], qPrintable(QStringLiteral("%1 vs %2").arg(a + 1).arg(b + 1)));
            }
        }
    }

    void unknownPicturesDrawNothing_data() {
        QTest::addColumn<QPixmap>("pixmap");
        QTest::newRow("message 0") << Artwork::RenderMessageIcon(0, QSize(32, 32), 1.0);
        QTest::newRow("message 5") << Artwork::RenderMessageIcon(5, QSize(32, 32), 1.0);
        QTest::newRow("message -1") << Artwork::RenderMessageIcon(-1, QSize(32, 32), 1.0);
        QTest::newRow("binder 0") << Artwork::RenderBinder(0, QSize(80, 700), 1.0);
        QTest::newRow("binder 5") << Artwork::RenderBinder(5, QSize(80, 700), 1.0);
        QTest::newRow("binder none") << Artwork::RenderBinder(4, QSize(80, 700), 1.0);
        QTest::newRow("marker 0") << Artwork::RenderFoundMarker(0, QSize(24, 24), 1.0);
        QTest::newRow("marker 3") << Artwork::RenderFoundMarker(3, QSize(24, 24), 1.0);
    }
    void unknownPicturesDrawNothing() {
        QFETCH(QPixmap, pixmap);
        QCOMPARE(CountVisible(Pixels(pixmap)), 0);
    }

    void bindersAreDrawnAndDistinct() {
        QList<QImage> binders;
        for (int style = 1; style <= 3; ++style) {
            const QImage image = Pixels(Artwork::RenderBinder(style, QSize(80, 700), 1.0));
            QVERIFY2(CountAlphaAbove(image, image.rect(), 200) > 80 * 700 / 20,
                     qPrintable(QString::number(style)));
            binders.append(image);
        }
        QVERIFY(binders[0] != binders[1]);
        QVERIFY(binders[0] != binders[2]);
        QVERIFY(binders[1] != binders[2]);
    }

    void tallBinderRepeatsInsteadOfStretching_data() {
        QTest::addColumn<int>("style");
        QTest::newRow("coils") << 1;
        QTest::newRow("rings") << 2;
        QTest::newRow("black coils") << 3;
    }
    void tallBinderRepeatsInsteadOfStretching() {
        QFETCH(int, style);
        const QImage normal = Pixels(Artwork::RenderBinder(style, QSize(80, 700), 1.0));
        const QImage tall = Pixels(Artwork::RenderBinder(style, QSize(80, 2000), 1.0));
        // The left quarter is page, not spine, so solid pixels there belong to loops or rings.
        const int tenth = tall.height() / 10;
        QVERIFY(CountAlphaAbove(tall, QRect(0, 0, 20, tenth), 200) > 0);
        QVERIFY(CountAlphaAbove(tall, QRect(0, tall.height() - tenth, 20, tenth), 200) > 0);
        const int loopSize = FirstSolidRun(normal, 20);
        QVERIFY(loopSize > 0);
        QVERIFY(qAbs(FirstSolidRun(tall, 20) - loopSize) <= 1);
    }

    void renderingHonoursDevicePixelRatio_data() {
        QTest::addColumn<QPixmap>("pixmap");
        QTest::addColumn<QSize>("logicalSize");
        QTest::newRow("message icon") << Artwork::RenderMessageIcon(3, QSize(32, 32), 2.0) << QSize(32, 32);
        QTest::newRow("binder") << Artwork::RenderBinder(1, QSize(58, 800), 2.0) << QSize(58, 800);
        QTest::newRow("marker") << Artwork::RenderFoundMarker(2, QSize(24, 24), 2.0) << QSize(24, 24);
        QTest::newRow("arrow") << Artwork::RenderDayArrow(true, true, QSize(35, 18), 2.0) << QSize(35, 18);
    }
    void renderingHonoursDevicePixelRatio() {
        QFETCH(QPixmap, pixmap);
        QFETCH(QSize, logicalSize);
        QCOMPARE(pixmap.size(), logicalSize * 2);
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QVERIFY(CountVisible(Pixels(pixmap)) > 0);
    }

    void hiDpiDrawsTheSamePictureSharper() {
        // Scaled down, the double-resolution icon should look like the ordinary one.
        const QImage normal = Pixels(Artwork::RenderMessageIcon(1, QSize(32, 32), 1.0));
        const QImage sharp = Pixels(Artwork::RenderMessageIcon(1, QSize(32, 32), 2.0))
                                 .scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int far = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (qAbs(qAlpha(normal.pixel(x, y)) - qAlpha(sharp.pixel(x, y))) > 96) {
                    ++far;
                }
            }
        }
        QVERIFY2(far < 20, qPrintable(QString::number(far)));
    }

    void foundMarkersAreDrawnAndDistinct() {
        const QImage above = Pixels(Artwork::RenderFoundMarker(1, QSize(24, 24), 1.0));
        const QImage centre = Pixels(Artwork::RenderFoundMarker(2, QSize(24, 24), 1.0));
        QVERIFY(CountVisible(above) > 24 * 24 / 8);
        QVERIFY(CountVisible(centre) > 24 * 24 / 8);
        QVERIFY(above != centre);
        // The centre marker must let the cell's text show through its middle.
        QVERIFY(qAlpha(centre.pixel(12, 12)) < 160);
    }

    void arrowsPointTheRightWay_data() {
        QTest::addColumn<bool>("next");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("previous") << false << true;
        QTest::newRow("next") << true << true;
        QTest::newRow("previous disabled") << false << false;
        QTest::newRow("next disabled") << true << false;
    }
    void arrowsPointTheRightWay() {
        QFETCH(bool, next);
        QFETCH(bool, enabled);
        const QImage image = Pixels(Artwork::RenderDayArrow(next, enabled, QSize(35, 18), 1.0));
        // The head is much taller than the shaft, so the tallest column is on the side it points to.
        auto tallest = [&image](int from, int to) {
            int best = 0;
            for (int x = from; x < to; ++x) {
                best = qMax(best, CountAlphaAbove(image, QRect(x, 0, 1, image.height()), 128));
            }
            return best;
        };
        const int half = image.width() / 2;
        const int left = tallest(0, half);
        const int right = tallest(image.width() - half, image.width());
        QVERIFY(left > 0 && right > 0);
        QVERIFY2(next ? right > left * 3 / 2 : left > right * 3 / 2,
                 qPrintable(QStringLiteral("%1 / %2").arg(left).arg(right)));
    }

    void disabledArrowsAreGreyer_data() {
        QTest::addColumn<bool>("next");
        QTest::newRow("previous") << false;
        QTest::newRow("next") << true;
    }
    void disabledArrowsAreGreyer() {
        QFETCH(bool, next);
        const double enabled =
            MeanSaturation(Pixels(Artwork::RenderDayArrow(next, true, QSize(35, 18), 1.0)));
        const double disabled =
            MeanSaturation(Pixels(Artwork::RenderDayArrow(next, false, QSize(35, 18), 1.0)));
        QVERIFY2(enabled > disabled + 0.3, qPrintable(QStringLiteral("%1 / %2").arg(enabled).arg(disabled)));
    }

    void picturesStayInsideTheirRectangle_data() {
        QTest::addColumn<Painter>("paint");
        QTest::addColumn<QSize>("size");
        for (int index = 1; index <= 4; ++index) {
            QTest::addRow("message %d", index)
                << Painter([index](QPainter& p, const QRectF& r) { Artwork::PaintMessageIcon(p, r, index); })
                << QSize(32, 32);
        }
        for (int style = 1; style <= 3; ++style) {
            QTest::addRow("binder %d", style)
                << Painter([style](QPainter& p, const QRectF& r) { Artwork::PaintBinder(p, r, style); })
                << QSize(58, 300);
        }
        QTest::newRow("marker above")
            << Painter([](QPainter& p, const QRectF& r) { Artwork::PaintFoundMarker(p, r, 1); })
            << QSize(16, 16);
        QTest::newRow("marker centre")
            << Painter([](QPainter& p, const QRectF& r) { Artwork::PaintFoundMarker(p, r, 2); })
            << QSize(24, 24);
        QTest::newRow("previous") << Painter([](QPainter& p, const QRectF& r) {
            Artwork::PaintDayArrow(p, r, false, true);
        }) << QSize(35, 18);
        QTest::newRow("next disabled")
            << Painter([](QPainter& p, const QRectF& r) { Artwork::PaintDayArrow(p, r, true, false); })
            << QSize(35, 18);
        QTest::newRow("app icon") << Painter([](QPainter& p, const QRectF& r) {
            Artwork::PaintAppIcon(p, r);
        }) << QSize(48, 48);
    }
    void picturesStayInsideTheirRectangle() {
        QFETCH(Painter, paint);
        QFETCH(QSize, size);
        const QRect target(QPoint(20, 20), size);
        QImage image(size + QSize(40, 40), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            paint(painter, QRectF(target));
        }
        QVERIFY(CountAlphaAbove(image, target, 0) > 0);
        QCOMPARE(CountVisible(image), CountAlphaAbove(image, target, 0));
    }

    void paintingLeavesThePainterAsItWas() {
        QImage image(200, 200, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        const QPen pen(Qt::green, 3);
        const QBrush brush(Qt::magenta);
        painter.setPen(pen);
        painter.setBrush(brush);
        painter.translate(5, 7);
        const QTransform transform = painter.transform();
        const QPainter::RenderHints hints = painter.renderHints();

        Artwork::PaintMessageIcon(painter, QRectF(0, 0, 32, 32), 2);
        Artwork::PaintBinder(painter, QRectF(40, 0, 58, 190), 2);
        Artwork::PaintFoundMarker(painter, QRectF(100, 0, 16, 16), 1);
        Artwork::PaintDayArrow(painter, QRectF(100, 40, 35, 18), true, true);
        Artwork::PaintAppIcon(painter, QRectF(100, 80, 64, 64));

        QCOMPARE(painter.pen(), pen);
        QCOMPARE(painter.brush(), brush);
        QCOMPARE(painter.transform(), transform);
        QCOMPARE(painter.renderHints(), hints);
        QVERIFY(!painter.hasClipping());
    }

    void appIconComesInSmallAndLargeSizes() {
        const QIcon icon = Artwork::AppIcon();
        const QList<QSize> sizes = icon.availableSizes();
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
            const QImage image = Pixels(icon.pixmap(QSize(size, size), 1.0));
            QCOMPARE(image.size(), QSize(size, size));
            QVERIFY(CountAlphaAbove(image, image.rect(), 200) > size * size / 4);
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        }
    }
};

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"
