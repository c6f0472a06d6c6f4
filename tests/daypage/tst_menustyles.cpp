#include "app/Main.h"
#include "core/ProgramState.h"
#include "core/TeacherSettings.h"
#include "daypage/frmMain.h"
#include "platform/SettingsStore.h"
#include "support/UiTestSupport.h"
#include "widgets/MenuExtendedStyle.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {
bool Started() {
    BuildYear(YearPlan{});
    if (!Main()) {
        return false;
    }
    QTest::qWait(1);
    return true;
}

// Opens a menu of the main window and takes its picture, with `selected` highlighted.
QImage OpenMenu(QMenu* menu, QAction* selected) {
    frmMain& main = frmMain::Get();
    menu->popup(main.mapToGlobal(QPoint(40, main.menuBar()->height() + 20)));
    menu->setActiveAction(selected);
    QCoreApplication::processEvents();
    const QImage image = menu->grab().toImage();
    menu->hide();
    return image;
}

// The colour of the band behind the pictures, beside an item.
QColor BandBeside(QMenu* menu, QAction* item, QAction* selected) {
    const QImage image = OpenMenu(menu, selected);
    const QRect row = menu->actionGeometry(item);
    return image.pixelColor(row.left() + 1, row.top() + 1);
}

QTreeWidgetItem* FindRow(QTreeWidgetItem* parent, const QString& caption) {
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == caption) {
            return parent->child(i);
        }
    }
    return nullptr;
}
} // namespace

class MenuStylesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theFirstStartDrawsTheBarMenusAndCellMenusIn3D() {
        TestEnvironment env;
        QVERIFY(Started());
        frmMain& main = frmMain::Get();
        QVERIFY(QFile::exists(env.ProgramFolder() + QStringLiteral("/frmMain.ini")));
        QCOMPARE(main.MenuXP->Look().style, MenuLook::Style::ThreeD);
        for (QWidget* drawn :
             std::initializer_list<QWidget*>{main.menuBar(), main.mnuFile, main.mnuHelp, main.mnuPopUpDetails,
                                             main.mnuPopupSubject, main.mnuPopUpTime}) {
            QVERIFY2(qobject_cast<MenuExtendedStyle*>(drawn->style()), qPrintable(drawn->objectName()));
        }
        QCOMPARE(main.mnuFPrint->text(), QStringLiteral("&Print..."));
        QVERIFY(!main.mnuFPrint->icon().isNull());
        // The band of a cell's pop-up starts in the top colour (&HF0D0A6).
        const QColor band =
            BandBeside(main.mnuPopUpDetails, main.mnuPopUpDetailsMagnify, main.mnuPopUpDetailsPaste);
        QVERIFY2(qAbs(band.red() - 0xA6) < 12 && qAbs(band.blue() - 0xF0) < 12, qPrintable(band.name()));
    }

    void aTeachersNewStyleAndAHandEditAreDrawnAtOnce() {
        TestEnvironment env;
        QVERIFY(Started());
        frmMain& main = frmMain::Get();
        // The options store Office XP; loading the teacher's settings rewrites the file and the
        // open window follows without being told more.
        SaveText(QStringLiteral("Settings\\Menu1"), QStringLiteral("MenuStyle"), QStringLiteral("2"));
        SaveText(QStringLiteral("Settings\\Menu1"), QStringLiteral("XPLeftBackColour"),
                 QStringLiteral("12639424"));
        LoadTeacherSettings();
        QCOMPARE(main.MenuXP->Look().style, MenuLook::Style::OfficeXP);
        QCOMPARE(BandBeside(main.mnuFile, main.mnuFPack, main.mnuFPrint), QColor(0xC0, 0xDC, 0xC0));
        // A hand edit of the file shows at the next ApplyMenuSettings.
        QFile file(env.ProgramFolder() + QStringLiteral("/frmMain.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        text.replace("XPBarColor=12639424", "XPBarColor=255");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        main.MenuXP->ApplyMenuSettings(&main);
        QCOMPARE(BandBeside(main.mnuFile, main.mnuFPack, main.mnuFPrint), QColor(255, 0, 0));
    }

    void theDesignerListsCaptionsPicturesAndFlags() {
        TestEnvironment env;
        QVERIFY(Started());
        frmMain& main = frmMain::Get();
        QStringList titles;
        QTreeWidgetItem* print = nullptr;
        QTreeWidgetItem* calendar = nullptr;
        QTreeWidgetItem* designer = nullptr;
        QString about;
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window);
            auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("tvwMenus"));
            QVERIFY(tree);
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                titles << tree->topLevelItem(i)->text(0);
            }
            print = new QTreeWidgetItem(*FindRow(tree->topLevelItem(0), QStringLiteral("&Print...")));
            calendar = new QTreeWidgetItem(*FindRow(tree->topLevelItem(2), QStringLiteral("&Calendar")));
            designer = new QTreeWidgetItem(*FindRow(tree->topLevelItem(4), QStringLiteral("Menu Designer")));
            about = window->findChild<QLabel*>(QStringLiteral("lblMenuStyle"))->text();
            window->close();
        });
        main.mnuHMenuDesigner->trigger();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Tools", "&Help", "PopUp Details",
                                      "Popup Subject", "PopUp Time"}));
        QVERIFY(about.contains(QStringLiteral("3D")));
        QVERIFY(print && calendar && designer);
        QCOMPARE(print->text(1), QStringLiteral("Print"));
        QCOMPARE(print->text(2), QKeySequence(Qt::CTRL | Qt::Key_P).toString(QKeySequence::NativeText));
        QCOMPARE(calendar->checkState(3), Qt::Checked);
        QCOMPARE(designer->checkState(5), Qt::Unchecked); // hidden
        delete print;
        delete calendar;
        delete designer;
    }
};

QTEST_MAIN(MenuStylesTest)
#include "tst_menustyles.moc"
