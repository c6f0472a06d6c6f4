#include "app/Main.h"
#include "core/ProgramState.h"
#include "core/TeacherSettings.h"
#include "mainwindow/frmMain.h"
#include "platform/SettingsStore.h"
#include "support/UiTestSupport.h"
#include "widgets/MenuExtendedStyle.h"

#include <QApplication>
#include <QFile>
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
        QStringList rows;
        QTimer::singleShot(0, [&rows] {
            QWidget* window = QApplication::activeModalWidget();
            auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("tvwMenus"));
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                rows << tree->topLevelItem(i)->text(0);
            }
            // File > Print, View > Calendar, Help > Menu Designer: picture, shortcut, checked, visible.
            for (const auto& [menu, item] : {std::pair{0, 7}, std::pair{2, 0}, std::pair{4, 4}}) {
                const QTreeWidgetItem* row = tree->topLevelItem(menu)->child(item);
                rows << QStringLiteral("%1 %2 %3 %4 %5")
                            .arg(row->text(0), row->text(1), row->text(2))
                            .arg(row->checkState(3) == Qt::Checked)
                            .arg(row->checkState(5) == Qt::Checked);
            }
            window->close();
        });
        frmMain::Get().mnuHMenuDesigner->trigger();
        const QString printShortcut = QKeySequence(Qt::CTRL | Qt::Key_P).toString(QKeySequence::NativeText);
        QCOMPARE(rows,
                 (QStringList{"&File", "&Edit", "&View", "&Tools", "&Help", "PopUp Details", "Popup Subject",
                              "PopUp Time", "&Print... Print " + printShortcut + " 0 1",
                              "&Calendar Calendar  1 1", "Menu Designer   0 0"}));
    }
};

QTEST_MAIN(MenuStylesTest)
#include "tst_menustyles.moc"
