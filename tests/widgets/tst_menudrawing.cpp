#include "widgets/CommandIcons.h"
#include "widgets/MenuExtended.h"
#include "widgets/MenuExtendedStyle.h"
#include "widgets/MenuLook.h"

#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <memory>

namespace {
bool WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

bool Near(const QColor& a, const QColor& b, int tolerance = 12) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The darkest pixel of a caption's area: the ink of its strokes.
int DarkestInk(const QImage& image, const QRect& area) {
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
        }
    }
    return darkest;
}

// Colours in the file are BGR: this is the file's text for an RGB colour.
QByteArray Bgr(QRgb rgb) {
    return QByteArray::number(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBand = qRgb(190, 225, 190);
const QRgb kArea = qRgb(250, 250, 235);
const QRgb kFill = qRgb(255, 200, 120);
const QRgb kBorder = qRgb(0x99, 0x99, 0x99);

QByteArray IniFor(const QByteArray& style, const QByteArray& gradient, const QByteArray& vertical,
                  const QByteArray& showShadow = "1") {
    return "[Menu]\nMenuStyle=" + style + "\n[Office2000]\nMenuBackColor=" + Bgr(kRed) +
           "\nMenuBackColor2=" + Bgr(kBlue) + "\nGradientStyle=" + vertical + "\nGradient=" + gradient +
           // The "Us" twins are the options' memory of the teacher's own colours, never drawn.
           "\n[OfficeXP]\nXPBarColorUs=255\nXPBackColorUs=255\nXPFillColorUs=255\nXPBarColor=" + Bgr(kBand) +
           "\nXPBackColor=" + Bgr(kArea) + "\nXPFillColor=" + Bgr(kFill) +
           "\nXPTextColor=0\nXPTextColorAll=0\nXPBorderColor=10066329\nXPShadowColor="
           "10066329\nXPShowShadow=" +
           showShadow + "\n[New3D]\nNew3DColor1=" + Bgr(kRed) + "\nNew3DColor2=" + Bgr(kWhite) +
           "\nNew3DColor3=" + Bgr(kBlue) + "\n";
}

// A window with a File menu drawn by the component from its own settings file.
class MenuWindow {
public:
    explicit MenuWindow(const QByteArray& ini) {
        WriteFile(m_dir.path() + QStringLiteral("/frmMain.ini"), ini);
        for (const QString& key : Artwork::MenuIconKeys()) {
            m_images.Add(key, Artwork::MenuIcon(key));
        }
        auto* page = new QTextEdit(&window);
        page->setPlainText(QStringLiteral("Fractions, then the reading circle."));
        window.setCentralWidget(page);
        file = window.menuBar()->addMenu(QStringLiteral("&File"));
        pack = file->addAction(QStringLiteral("P&ack To Go...|#Pack"));
        unpack = file->addAction(QStringLiteral("&UnPack...|#UnPack"));
        unpack->setEnabled(false);
        file->addSeparator();
        print = file->addAction(QStringLiteral("&Print...|#Print"));
        print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
        calendar = file->addAction(QStringLiteral("&Calendar|#Calendar"));
        calendar->setCheckable(true);
        calendar->setChecked(true);
        window.resize(480, 360);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        component.InstallMenus(&window, m_dir.path() + QStringLiteral("/frmMain"), &m_images, 2, nullptr, 0);
    }

    void Rewrite(const QByteArray& ini) { WriteFile(m_dir.path() + QStringLiteral("/frmMain.ini"), ini); }

    // Opens the menu below the bar with `selected` highlighted, and takes its picture.
    QImage Open(QAction* selected) {
        file->popup(window.mapToGlobal(QPoint(0, window.menuBar()->height())));
        file->setActiveAction(selected);
        QCoreApplication::processEvents();
        return file->grab().toImage();
    }

    QMainWindow window;
    MenuExtended component;
    QMenu* file = nullptr;
    QAction* pack = nullptr;
    QAction* unpack = nullptr;
    QAction* print = nullptr;
    QAction* calendar = nullptr;

private:
    QTemporaryDir m_dir;
    ImageList m_images;
};

// The caption's area of an item: right of the band, left of the shortcuts.
QRect CaptionArea(const QRect& row) {
    return row.adjusted(MenuExtendedStyle::BandWidth + 4, 3, -60, -3);
}
} // namespace

class MenuDrawingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theStyleNumberChoosesTheLook_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("style");
        auto row = [](const char* name, const QByteArray& ini, MenuLook::Style style) {
            QTest::newRow(name) << ini << static_cast<int>(style);
        };
        row("0 is Office 2000", "[Menu]\nMenuStyle=0\n", MenuLook::Style::Office2000);
        row("2 is Office XP", "[Menu]\nMenuStyle=2\n", MenuLook::Style::OfficeXP);
        row("4 is 3D", "[Menu]\nMenuStyle=4\n", MenuLook::Style::ThreeD);
        row("3 has no look of its own", "[Menu]\nMenuStyle=3\n", MenuLook::Style::Plain);
        row("no file: as a first start", QByteArray(), MenuLook::Style::ThreeD);
    }
    void theStyleNumberChoosesTheLook() {
        QFETCH(QByteArray, ini);
        QFETCH(int, style);
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/frmMain.ini");
        if (!ini.isEmpty()) {
            QVERIFY(WriteFile(path, ini));
        }
        QCOMPARE(static_cast<int>(ReadMenuLook(path).style), style);
    }

    void eachLookDrawsItsBandSelectionAndDisabledItem_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("look");
        QTest::newRow("Office 2000, gradient left to right") << IniFor("0", "1", "0") << "2000 across";
        QTest::newRow("Office 2000, gradient top to bottom") << IniFor("0", "1", "1") << "2000 down";
        QTest::newRow("Office 2000, no gradient") << IniFor("0", "0", "0") << "2000 plain";
        QTest::newRow("Office XP") << IniFor("2", "1", "0") << "XP";
        QTest::newRow("3D") << IniFor("4", "1", "0") << "3D";
    }
    void eachLookDrawsItsBandSelectionAndDisabledItem() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, look);
        MenuWindow menus(ini);
        const QImage image = menus.Open(menus.print);
        const QRect plain = menus.file->actionGeometry(menus.pack);
        const QRect selected = menus.file->actionGeometry(menus.print);
        const QRect disabled = menus.file->actionGeometry(menus.unpack);
        const QColor band = image.pixelColor(plain.left() + 1, plain.top() + 1);
        const QColor area = image.pixelColor(plain.right() - 6, plain.center().y());
        const QColor barLeft =
            image.pixelColor(selected.left() + MenuExtendedStyle::BandWidth + 1, selected.top() + 1);
        const QColor barRight = image.pixelColor(selected.right() - 3, selected.bottom() - 1);
        const QColor barTopRight = image.pixelColor(selected.right() - 3, selected.top());
        const QColor button = menus.file->palette().color(QPalette::Button);
        if (look.startsWith(QStringLiteral("2000"))) {
            // A flat grey menu; the bar leaves the picture column to the raised picture.
            QVERIFY(Near(band, button, 2));
            QVERIFY(Near(area, button, 2));
            QVERIFY(Near(image.pixelColor(selected.left() + 1, selected.center().y()), button, 2));
            if (look == QStringLiteral("2000 across")) {
                QVERIFY2(Near(barLeft, kRed, 20), qPrintable(barLeft.name()));
                QVERIFY2(Near(barRight, kBlue, 20), qPrintable(barRight.name()));
            } else if (look == QStringLiteral("2000 down")) {
                QVERIFY2(Near(barTopRight, kRed, 30), qPrintable(barTopRight.name()));
                QVERIFY2(Near(barRight, kBlue, 30), qPrintable(barRight.name()));
            } else {
                const QColor highlight = menus.file->palette().color(QPalette::Highlight);
                QVERIFY(Near(barLeft, highlight, 2));
                QVERIFY(Near(barRight, highlight, 2));
            }
        } else if (look == QStringLiteral("XP")) {
            QVERIFY2(Near(band, kBand, 2), qPrintable(band.name()));
            QVERIFY2(Near(area, kArea, 2), qPrintable(area.name()));
            // The selection covers the band too, in the fill colour inside the border.
            QVERIFY(Near(image.pixelColor(selected.left() + 3, selected.top() + 2), kFill, 2));
            QVERIFY(Near(image.pixelColor(selected.right() - 6, selected.top() + 3), kFill, 2));
            QVERIFY(Near(image.pixelColor(selected.right() - 1, selected.center().y()), kBorder, 2));
            // The shadow darkens what lies beside the menu.
            const QColor beside = image.pixelColor(image.width() - 3, image.height() / 2);
            QVERIFY2(qGray(beside.rgb()) < 235, qPrintable(beside.name()));
        } else {
            // The band runs from the top colour; the bar from top through middle to bottom.
            QVERIFY2(band.red() > 200 && band.blue() < 120, qPrintable(band.name()));
            QVERIFY(Near(area, kWhite, 2));
            const int x = selected.right() - 8;
            const QColor top = image.pixelColor(x, selected.top() + 3);
            const QColor middle = image.pixelColor(x, selected.center().y());
            const QColor bottom = image.pixelColor(x, selected.bottom() - 3);
            QVERIFY2(top.red() > top.blue() + 60, qPrintable(top.name()));
            QVERIFY2(Near(middle, kWhite, 40), qPrintable(middle.name()));
            QVERIFY2(bottom.blue() > bottom.red() + 60, qPrintable(bottom.name()));
        }
        // An enabled caption is written in ink; a disabled one only in grey.
        QVERIFY(DarkestInk(image, CaptionArea(plain)) < 70);
        const int disabledInk = DarkestInk(image, CaptionArea(disabled));
        QVERIFY2(disabledInk > 90 && disabledInk < 230, qPrintable(QString::number(disabledInk)));
    }

    void theShadowFollowsTheFile() {
        MenuWindow withShadow(IniFor("2", "1", "0", "1"));
        QCOMPARE(withShadow.file->contentsMargins(), QMargins(0, 0, 4, 4));
        MenuWindow without(IniFor("2", "1", "0", "0"));
        QCOMPARE(without.file->contentsMargins(), QMargins());
        // Back to the toolkit's own menus: no room is kept for a shadow either.
        without.Rewrite("[Menu]\nMenuStyle=1\n");
        without.component.ApplyMenuSettings(&without.window);
        QCOMPARE(without.component.Look().style, MenuLook::Style::Plain);
        QVERIFY(!qobject_cast<MenuExtendedStyle*>(without.file->style()));
    }

    void picturesArePaintedAtTheScreensResolution() {
        // At twice the pixels, the picture must be the one painted at 32 pixels, not a 16-pixel
        // bitmap blown up. The XP band is flat, so the reference can be painted on its colour.
        MenuWindow menus(IniFor("2", "1", "0"));
        menus.Open(menus.print);
        QImage image(menus.file->size() * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        menus.file->render(&image);
        QImage reference(32, 32, QImage::Format_ARGB32_Premultiplied);
        reference.fill(QColor(kBand));
        {
            QPainter painter(&reference);
            Artwork::PaintCommandIcon(painter, QRectF(0, 0, 32, 32), QStringLiteral("Pack"), true);
        }
        const QRect row = menus.file->actionGeometry(menus.pack);
        const QPoint origin(2 * (row.left() + (MenuExtendedStyle::BandWidth - 16) / 2),
                            2 * (row.top() + (row.height() - 16) / 2));
        int differing = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                differing +=
                    Near(image.pixelColor(origin + QPoint(x, y)), reference.pixelColor(x, y), 8) ? 0 : 1;
            }
        }
        QVERIFY2(differing < 20, qPrintable(QString::number(differing)));
    }
};

QTEST_MAIN(MenuDrawingTest)
#include "tst_menudrawing.moc"
