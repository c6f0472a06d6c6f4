#include "widgets/CommandIcons.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {
// The tool bar's buttons beyond the menu's pictures.
const QStringList kToolbarOnly{QStringLiteral("LowerLeft"), QStringLiteral("LowerRight"),
                               QStringLiteral("Beside"), QStringLiteral("Opposite")};

QStringList AllKeys() {
    return Artwork::MenuIconKeys() + kToolbarOnly;
}

QImage Render(const QString& key, int size, bool enabled, int margin = 0) {
    QImage image(size + 2 * margin, size + 2 * margin, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Artwork::PaintCommandIcon(painter, QRectF(margin, margin, size, size), key, enabled);
    return image;
}

int CountVisible(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return count;
}

double MaxSaturation(const QImage& image) {
    double most = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = QColor::fromRgba(image.pixel(x, y));
            if (color.alpha() > 64) {
                most = std::max(most, double(color.hsvSaturationF()));
            }
        }
    }
    return most;
}

// How far apart two pictures are: the mean difference of their pixels, 0 to 255.
double Distance(const QImage& a, const QImage& b) {
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            total += (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                      std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q))) /
                     4.0;
        }
    }
    return total / (a.width() * a.height());
}
} // namespace

class CommandIconsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPictureFillsItsBoxAndStaysInside_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("size");
        for (const QString& key : AllKeys()) {
            for (int size : {16, 22, 32, 44}) {
                QTest::addRow("%s %d", qPrintable(key), size) << key << size;
            }
        }
    }
    void everyPictureFillsItsBoxAndStaysInside() {
        QFETCH(QString, key);
        QFETCH(int, size);
        for (bool enabled : {true, false}) {
            const QImage image = Render(key, size, enabled, 8);
            const QRect box(8, 8, size, size);
            const int inside = CountVisible(image, box);
            // A recognisable picture, not a speck: at least a fifth of its box.
            QVERIFY2(inside >= size * size / 5, qPrintable(QString::number(inside)));
            QCOMPARE(CountVisible(image, image.rect()), inside);
        }
    }

    void theDisabledLookIsGreyAndFainter_data() {
        QTest::addColumn<QString>("key");
        for (const QString& key : AllKeys()) {
            QTest::newRow(qPrintable(key)) << key;
        }
    }
    void theDisabledLookIsGreyAndFainter() {
        QFETCH(QString, key);
        const QImage enabled = Render(key, 32, true);
        const QImage disabled = Render(key, 32, false);
        QVERIFY(Distance(enabled, disabled) > 2);
        QVERIFY(MaxSaturation(enabled) > 0.3);
        QVERIFY(MaxSaturation(disabled) < 0.02);
        // Same shape: the grey picture covers the same pixels (but for the faintest edges).
        const int covered = CountVisible(enabled, enabled.rect());
        QVERIFY2(
            std::abs(CountVisible(disabled, disabled.rect()) - covered) <= covered / 20,
            qPrintable(QStringLiteral("%1 of %2").arg(CountVisible(disabled, disabled.rect())).arg(covered)));
        // The icon a menu is given draws itself greyed when its command is disabled.
        const QImage menuDisabled = Artwork::MenuIcon(key)
                                        .pixmap(QSize(32, 32), QIcon::Disabled)
                                        .toImage()
                                        .convertToFormat(QImage::Format_ARGB32);
        QVERIFY(MaxSaturation(menuDisabled) < 0.02);
    }

    void noTwoCommandsLookAlike() {
        const QStringList keys = AllKeys();
        QList<QImage> pictures;
        for (const QString& key : keys) {
            pictures << Render(key, 32, true);
        }
        for (int i = 0; i < keys.size(); ++i) {
            for (int j = i + 1; j < keys.size(); ++j) {
                const double distance = Distance(pictures[i], pictures[j]);
                QVERIFY2(distance > 6, qPrintable(keys[i] + QStringLiteral(" / ") + keys[j] +
                                                  QStringLiteral(": ") + QString::number(distance)));
            }
        }
    }

    void anUnknownKeyDrawsNothing_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("empty") << "";
        QTest::newRow("unknown") << "Frobnicate";
        QTest::newRow("wrong case") << "print";
    }
    void anUnknownKeyDrawsNothing() {
        QFETCH(QString, key);
        QCOMPARE(CountVisible(Render(key, 32, true), QRect(0, 0, 32, 32)), 0);
        QCOMPARE(CountVisible(Render(key, 32, false), QRect(0, 0, 32, 32)), 0);
    }

    void iconsAreDrawnForTheScreensPixelRatio() {
        const QIcon icon = Artwork::ToolbarIcon(QStringLiteral("Print"), true);
        const QPixmap sharp = icon.pixmap(QSize(22, 22), 2.0);
        QCOMPARE(sharp.size(), QSize(44, 44));
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(22, 22));
        // Drawn at 44 pixels, not a 22-pixel picture blown up.
        const QImage drawn = sharp.toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage blownUp = icon.pixmap(QSize(22, 22), 1.0)
                                   .toImage()
                                   .convertToFormat(QImage::Format_ARGB32)
                                   .scaled(44, 44, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(Distance(drawn, blownUp) > 1);
        QVERIFY(Distance(drawn, Render(QStringLiteral("Print"), 44, true)) < 0.5);
    }

    void paintingLeavesThePainterAsItWas() {
        QImage image(100, 100, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        const QPen pen(Qt::green, 3);
        painter.setPen(pen);
        painter.setBrush(Qt::magenta);
        painter.translate(5, 7);
        const QTransform transform = painter.transform();
        Artwork::PaintCommandIcon(painter, QRectF(0, 0, 32, 32), QStringLiteral("Undo"), true);
        Artwork::PaintCommandIcon(painter, QRectF(40, 0, 32, 32), QStringLiteral("Calendar"), false);
        QCOMPARE(painter.pen(), pen);
        QCOMPARE(painter.brush(), QBrush(Qt::magenta));
        QCOMPARE(painter.transform(), transform);
        QVERIFY(!painter.hasClipping());
    }
};

QTEST_MAIN(CommandIconsTest)
#include "tst_commandicons.moc"
