#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/IniFile.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/TeacherSettings.h"
#include "daypage/DayPageWidgets.h"
#include "daypage/frmSchedule.h"
#include "mainwindow/frmMain.h"
#include "options/frmOptions.h"
#include "platform/DateText.h"
#include "platform/SettingsStore.h"
#include "support/UiTestSupport.h"
#include "ui/OpenWindows.h"
#include "widgets/Colours.h"
#include "widgets/Help.h"
#include "widgets/TwipsGeometry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {
const QString kEffects = QStringLiteral("Settings\\Effects1");
const QString kMenu = QStringLiteral("Settings\\Menu1");

// A case with its own program and settings folders; the dialog and the stand-ins go with it.
struct OptionsCase {
    TestEnvironment env;
    OptionsCase() { BuildYear(YearPlan()); }
    ~OptionsCase() {
        frmOptions::Unload();
        OptionsTestSeam::Reset();
    }
};

// The dialog over a book opened without windows.
frmOptions& OpenDialog() {
    if (!frmMain::IsLoaded()) {
        OpenBook();
    }
    frmOptions& dialog = frmOptions::Get();
    dialog.show();
    return dialog;
}

PreviewLabel* Part(frmOptions& d, const QString& name, int i) {
    const QHash<QString, PreviewLabel*> parts{
        {QStringLiteral("lblDate"), d.lblDate},          {QStringLiteral("lblCalendar"), d.lblCalendar},
        {QStringLiteral("lblTime"), d.lblTime[i]},       {QStringLiteral("lblSubject"), d.lblSubject[i]},
        {QStringLiteral("lblDetails"), d.lblDetails[i]}, {QStringLiteral("lblNotes"), d.lblNotes[i]}};
    return parts.value(name);
}

// The colour dialog answers with the colours given, one a time; the colours it opened on are kept.
QList<QColor>* AnswerColours(QList<QColor> answers) {
    static QList<QColor> opened;
    opened.clear();
    OptionsTestSeam::SetColourDialog([answers](const QColor& initial) mutable {
        opened.append(initial);
        return answers.isEmpty() ? initial : answers.takeFirst();
    });
    return &opened;
}

QColor PixelOf(QWidget* widget) {
    return widget->grab().toImage().pixelColor(2, 2);
}

QByteArray SettingsText(const TestEnvironment& env) {
    QFile file(env.SettingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs the work once the dialog is up and modal (each showing starts a modal loop of its own).
void WhenModal(const std::function<void(frmOptions&)>& work, int tries = 1000) {
    QTimer::singleShot(0, [work, tries] {
        frmOptions* dialog = frmOptions::IfLoaded();
        if (!dialog || QApplication::activeModalWidget() != dialog) {
            QVERIFY2(tries > 0, "the options dialog never came up");
            WhenModal(work, tries - 1);
            return;
        }
        work(*dialog);
    });
}

void ShowModalThen(const std::function<void(frmOptions&)>& work) {
    WhenModal(work);
    ShowOptionsDialog();
}

// A press on an option button's round indicator (the button may be wider than its caption).
void ClickIndicator(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, option->height() / 2));
}

// The teacher's menu settings, key by key, as the store holds them.
void SaveMenu(std::initializer_list<std::pair<const char*, qint32>> values) {
    for (const auto& [key, value] : values) {
        SaveInt(kMenu, QString::fromLatin1(key), value);
    }
}

// The menu styles' colour labels, by style, in the order their colours are listed.
QList<ColourLabel*> MenuColourLabels(const frmOptions& d, int style) {
    switch (style) {
    case 0:
        return {d.lblGradientLeft, d.lblGradientRight};
    case 2:
        return {d.lblXPLeftBackColour, d.lblXPRightBackColour, d.lblXPSelectedColour, d.lblXPAllColour,
                d.lblXPBarColour};
    default:
        return {d.lbl3DTopColour, d.lbl3DMiddleColour, d.lbl3DBottomColour};
    }
}

QList<qint32> ShownColours(const QList<ColourLabel*>& labels) {
    QList<qint32> shown;
    for (const ColourLabel* label : labels) {
        shown << label->BackColor();
    }
    return shown;
}

QString MenuIniValue(const QString& section, const QString& key) {
    IniFile ini;
    ini.setConfigName(Globals().IniPath);
    return ini.KeyGet(section, key, QStringLiteral("missing"));
}
} // namespace

class OptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void okWithoutAnEditStoresOnlyTheLastTab() {
        OptionsCase c;
        QVERIFY(Main());
        SaveInt(kEffects, QStringLiteral("LastTab"), 0);
        const QByteArray before = SettingsText(c.env);
        ShowModalThen([](frmOptions& dialog) {
            QCOMPARE(dialog.windowTitle(), Globals().AppTitle + QStringLiteral(" - Options  "));
            QVERIFY(IsWindowOpen(QStringLiteral("frmOptions")));
            QVERIFY(!dialog.cmdApply->isEnabled());
            dialog.cmdHelp->click();
            dialog.SSTabOptions->setCurrentIndex(3);
            dialog.cmdOK->click();
        });
        QVERIFY(!frmOptions::IsLoaded());
        QVERIFY(!IsWindowOpen(QStringLiteral("frmOptions")));
        QCOMPARE(RecordedHelpCalls().last().context, 290);
        QByteArray expected = before;
        expected.replace("LastTab=0", "LastTab=3");
        QCOMPARE(SettingsText(c.env), expected);
        // It opens again on that tab.
        ShowModalThen([](frmOptions& dialog) {
            QCOMPARE(dialog.SSTabOptions->currentIndex(), 3);
            dialog.close();
        });
        QVERIFY(!frmOptions::IsLoaded());
        VerifyNoUnexpectedMessages();
    }

    void anEditReachesTheDayPage() {
        OptionsCase c;
        QVERIFY(Main());
        AnswerColours({QColor(0x12, 0x34, 0x56)});
        QTimer::singleShot(0, [] {
            frmOptions& dialog = *frmOptions::IfLoaded();
            dialog.SSTabOptions->setCurrentIndex(1);
            QTest::mouseClick(dialog.lblDate, Qt::RightButton);
            QVERIFY(dialog.cmdApply->isEnabled());
            dialog.optBinderStyle[3]->click();
            dialog.cmdOK->click();
        });
        frmMain::Get().mnuTOptions->trigger();
        frmSchedule& page = frmSchedule::Get();
        QCOMPARE(page.shpTitle->BackColour(), 0x563412);
        QCOMPARE(page.imgBinder->PictureIndex(), 3);
        QCOMPARE(ReadLong(kEffects, QStringLiteral("ColourBack0"), 0), 0x563412);
        QCOMPARE(ReadInt(kEffects, QStringLiteral("BinderStyle"), 0), 3);
        QCOMPARE(ReadInt(kEffects, QStringLiteral("LastTab"), 0), 1);
        // The menu keys keep the values they were loaded with.
        QCOMPARE(ReadInt(QStringLiteral("Settings\\Menu1"), QStringLiteral("dTheme"), -1), Globals().DTheme);
        QCOMPARE(ReadLong(QStringLiteral("Settings\\Menu1"), QStringLiteral("TopColourUser"), -1), 0xC9EDD3);
        VerifyNoUnexpectedMessages();
    }

    void applyThenCancelKeepsWhatApplyStored() {
        OptionsCase c;
        frmOptions* dialog = &OpenDialog();
        dialog->optBinderStyle[3]->click();
        dialog->cmdApply->click();
        QVERIFY(!dialog->cmdApply->isEnabled());
        QCOMPARE(ReadInt(kEffects, QStringLiteral("BinderStyle"), 0), 3);
        dialog->optBinderStyle[2]->click();
        QVERIFY(dialog->cmdApply->isEnabled());
        dialog->cmdCancel->click();
        QVERIFY(!frmOptions::IsLoaded());
        QCOMPARE(ReadInt(kEffects, QStringLiteral("BinderStyle"), 0), 3);
        QCOMPARE(Globals().BinderStyle, 3);
        dialog = &OpenDialog();
        QVERIFY(dialog->optBinderStyle[3]->isChecked());
        QVERIFY(!dialog->cmdApply->isEnabled());
    }

    void aColourPickedBackLeavesApplyAsItWas_data() {
        QTest::addColumn<QList<QColor>>("picks");
        QTest::addColumn<bool>("applyEnabled");
        const QColor saved = ColorFromBgr(0x913337); // the date's saved text colour
        const QColor other(0x10, 0x20, 0x30);
        QTest::newRow("another colour") << QList<QColor>{other} << true;
        QTest::newRow("the saved colour") << QList<QColor>{saved} << false;
        QTest::newRow("cancelled") << QList<QColor>{QColor()} << false;
        QTest::newRow("another, then the saved one") << QList<QColor>{other, saved} << true;
    }
    void aColourPickedBackLeavesApplyAsItWas() {
        QFETCH(QList<QColor>, picks);
        QFETCH(bool, applyEnabled);
        OptionsCase c;
        frmOptions& dialog = OpenDialog();
        AnswerColours(picks);
        for (qsizetype i = 0; i < picks.size(); ++i) {
            QTest::mouseClick(dialog.lblDate, Qt::LeftButton);
        }
        QCOMPARE(dialog.cmdApply->isEnabled(), applyEnabled);
        QCOMPARE(dialog.Dirty, applyEnabled);
    }

    // The left button picks a part's text colour, any other its background; with schemes in use
    // every click only says so.
    void clicksPickTheirSlot_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("schemes");
        QTest::addColumn<QString>("slot"); // "" when no colour is picked
        QTest::newRow("date, left") << "lblDate" << 0 << Qt::LeftButton << false << "fore0";
        QTest::newRow("date, right") << "lblDate" << 0 << Qt::RightButton << false << "back0";
        QTest::newRow("date, middle") << "lblDate" << 0 << Qt::MiddleButton << false << "back0";
        QTest::newRow("time, left") << "lblTime" << 1 << Qt::LeftButton << false << "fore1";
        QTest::newRow("time, right") << "lblTime" << 0 << Qt::RightButton << false << "back1";
        QTest::newRow("subject, left") << "lblSubject" << 0 << Qt::LeftButton << false << "fore2";
        QTest::newRow("subject, right") << "lblSubject" << 1 << Qt::RightButton << false << "back1";
        QTest::newRow("details, left") << "lblDetails" << 0 << Qt::LeftButton << false << "";
        QTest::newRow("details, right") << "lblDetails" << 1 << Qt::RightButton << false << "back3";
        QTest::newRow("notes title, left") << "lblNotes" << 0 << Qt::LeftButton << false << "fore3";
        QTest::newRow("notes title, right") << "lblNotes" << 0 << Qt::RightButton << false << "back2";
        QTest::newRow("notes body, left") << "lblNotes" << 1 << Qt::LeftButton << false << "";
        QTest::newRow("notes body, right") << "lblNotes" << 1 << Qt::RightButton << false << "";
        QTest::newRow("calendar, left") << "lblCalendar" << 0 << Qt::LeftButton << false << "fore3";
        QTest::newRow("calendar, right") << "lblCalendar" << 0 << Qt::RightButton << false << "back2";
        QTest::newRow("schemes, date") << "lblDate" << 0 << Qt::RightButton << true << "";
        QTest::newRow("schemes, details") << "lblDetails" << 0 << Qt::LeftButton << true << "";
        QTest::newRow("schemes, notes body") << "lblNotes" << 1 << Qt::RightButton << true << "";
    }
    void clicksPickTheirSlot() {
        QFETCH(QString, part);
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, schemes);
        QFETCH(QString, slot);
        OptionsCase c;
        frmOptions& dialog = OpenDialog();
        if (schemes) {
            dialog.chkUseScheme->click();
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        auto expectedBack = dialog.WorkColourBack;
        auto expectedFore = dialog.WorkColourFore;
        const QList<QColor>* opened = AnswerColours({QColor(1, 2, 3)});
        QTest::mouseClick(Part(dialog, part, index), button);
        QCOMPARE(opened->size(), slot.isEmpty() ? 0 : 1);
        if (!slot.isEmpty()) {
            auto& changed = slot.startsWith(QLatin1String("back")) ? expectedBack : expectedFore;
            const int k = slot.right(1).toInt();
            QCOMPARE(opened->first(), ColorFromBgr(changed[k]));
            changed[k] = 0x030201;
        }
        QCOMPARE(dialog.WorkColourBack, expectedBack);
        QCOMPARE(dialog.WorkColourFore, expectedFore);
        QCOMPARE(dialog.cmdApply->isEnabled(), schemes || !slot.isEmpty());
        QCOMPARE(MessageTestSeam::Answered().size(), schemes ? 1 : 0);
        if (schemes) {
            QCOMPARE(
                MessageTestSeam::Answered().first().text,
                QStringLiteral("You are using Colour Schemes!\r\n\r\nIf you want to change Font Colours or "
                               "Background Colours\r\nthen you must Uncheck the box 'Use Colour Schemes."));
        }
        VerifyNoUnexpectedMessages();
    }

    // The scheme's colours as painted, so that red and blue cannot trade places unseen.
    void schemesPaintTheirColours_data() {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QColor>("dateBar");
        QTest::addColumn<QColor>("details");
        QTest::addColumn<QColor>("notesTitle");
        QTest::newRow("Orange") << "Orange" << QColor(0xFF, 0xA7, 0x4F) << QColor(0xFF, 0xEB, 0xD7)
                                << QColor(0xFF, 0xA7, 0x4F);
        QTest::newRow("Gray") << "Gray" << QColor(0x99, 0x99, 0x99) << QColor(0xE5, 0xE5, 0xE5)
                              << QColor(0x92, 0x92, 0x92);
        QTest::newRow("Red") << "Red" << QColor(0xEC, 0x97, 0x95) << QColor(0xFA, 0xE6, 0xE4)
                             << QColor(0xEA, 0x8A, 0x88);
    }
    void schemesPaintTheirColours() {
        QFETCH(QString, scheme);
        QFETCH(QColor, dateBar);
        QFETCH(QColor, details);
        QFETCH(QColor, notesTitle);
        OptionsCase c;
        frmOptions& dialog = OpenDialog();
        dialog.SSTabOptions->setCurrentIndex(1);
        dialog.chkUseScheme->click();
        QVERIFY(dialog.cboScheme->isEnabled());
        dialog.cboScheme->setCurrentText(scheme);
        QCOMPARE(dialog.WorkScheme, scheme);
        QCOMPARE(PixelOf(dialog.lblDate), dateBar);
        QCOMPARE(PixelOf(dialog.lblDetails[1]), details);
        QCOMPARE(PixelOf(dialog.lblNotes[0]), notesTitle);
        QCOMPARE(PixelOf(dialog.lblTop), dateBar);
        dialog.cmdOK->click();
        QCOMPARE(ReadText(kEffects, QStringLiteral("Scheme")), scheme);
        QCOMPARE(ReadInt(kEffects, QStringLiteral("UseScheme"), 0), 1);
        QCOMPARE(ColorFromBgr(ReadLong(kEffects, QStringLiteral("ColourBack3"), 0)), details);
    }

    // Ticked at load, the named scheme's colours win over the stored ones; a name matched
    // without regard to case is no scheme.
    void aSchemeTickedAtLoad_data() {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<qint32>("back0");
        QTest::newRow("Gray") << "Gray" << 0x999999;
        QTest::newRow("gray") << "gray" << 0x123456;
    }
    void aSchemeTickedAtLoad() {
        QFETCH(QString, scheme);
        QFETCH(qint32, back0);
        OptionsCase c;
        SaveText(kEffects, QStringLiteral("Scheme"), scheme);
        SaveInt(kEffects, QStringLiteral("UseScheme"), 1);
        SaveInt(kEffects, QStringLiteral("ColourBack0"), 0x123456);
        frmOptions& dialog = OpenDialog();
        QVERIFY(dialog.chkUseScheme->isChecked());
        QVERIFY(dialog.SchemeInUse);
        QCOMPARE(dialog.SchemeText(), scheme);
        QCOMPARE(dialog.WorkColourBack[0], back0);
        QVERIFY(!dialog.cmdApply->isEnabled());
    }

    // A settings file edited by hand may hold values no control stands for: the dialog still
    // opens, clean, on the first of each row of buttons.
    void valuesNoControlStandsFor() {
        OptionsCase c;
        SaveInt(kEffects, QStringLiteral("BinderStyle"), 9);
        SaveInt(kEffects, QStringLiteral("NotesPosition"), -3);
        SaveInt(kEffects, QStringLiteral("LastTab"), 12);
        SaveMenu({{"MenuStyle", 3}, {"XPTheme", 9}, {"dTheme", -1}});
        frmOptions& dialog = OpenDialog();
        QVERIFY(dialog.optBinderStyle[1]->isChecked());
        QVERIFY(dialog.optMenuStyle[0]->isChecked() && dialog.fraOffice2000->isEnabled());
        QVERIFY(dialog.optXPTheme[0]->isChecked() && dialog.opt3DTheme[0]->isChecked());
        QCOMPARE(dialog.WorkMenuStyle, 0);
        QCOMPARE(dialog.WorkXPTheme, 0);
        QCOMPARE(dialog.WorkBinderStyle, 1);
        QVERIFY(dialog.optNotesPosition[1]->isChecked());
        QCOMPARE(dialog.SSTabOptions->currentIndex(), 0);
        QVERIFY(!dialog.cmdApply->isEnabled());
        dialog.SSTabOptions->setCurrentIndex(2);
        QCOMPARE(dialog.lbl3DBottomColour->BackColor(), 0xFF8000); // the Blue theme's
    }

    // Only the chosen style's group is on; inside it the colour labels only with the "User"
    // theme, the gradient's controls only with its bar ticked. The stored choice, loaded, and the
    // same choice clicked leave the same state; only the click is an edit.
    void eachStyleEnablesItsGroup_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("xpTheme");
        QTest::addColumn<int>("dTheme");
        QTest::addColumn<bool>("gradientBar");
        QTest::newRow("Office 2000, bar ticked") << 0 << 4 << 6 << true;
        QTest::newRow("Office 2000, bar unticked") << 0 << 4 << 6 << false;
        QTest::newRow("Office XP, User") << 2 << 4 << 6 << true;
        QTest::newRow("Office XP, Lumenleaf") << 2 << 5 << 6 << true;
        QTest::newRow("3D, User") << 4 << 4 << 6 << true;
        QTest::newRow("3D, Classic Windows XP") << 4 << 4 << 5 << false;
    }
    void eachStyleEnablesItsGroup() {
        QFETCH(int, style);
        QFETCH(int, xpTheme);
        QFETCH(int, dTheme);
        QFETCH(bool, gradientBar);
        OptionsCase c;
        SaveMenu({{"MenuStyle", style},
                  {"XPTheme", xpTheme},
                  {"dTheme", dTheme},
                  {"GradientBar", gradientBar ? 1 : 0}});
        frmOptions& d = OpenDialog();
        d.SSTabOptions->setCurrentIndex(2);
        auto verify = [&](bool bar) {
            QVERIFY(d.optMenuStyle[style]->isChecked() && d.optXPTheme[xpTheme]->isChecked() &&
                    d.opt3DTheme[dTheme]->isChecked());
            const QList<std::pair<QList<QWidget*>, bool>> expected{
                {{d.fraOffice2000, d.chkGradientBar}, style == 0},
                {{d.lblGradientLeft, d.lblGradientRight, d.chkVertical, d.chkLumenleafColours},
                 style == 0 && bar},
                {{d.fraOfficeXP, d.optXPTheme[0], d.optXPTheme[5]}, style == 2},
                {{d.lblXPLeftBackColour, d.lblXPRightBackColour, d.lblXPSelectedColour, d.lblXPAllColour,
                  d.lblXPBarColour, d.lblXPLeftBackColourText, d.lblXPBarColourText},
                 style == 2 && xpTheme == 4},
                {{d.fra3D, d.opt3DTheme[0], d.opt3DTheme[6]}, style == 4},
                {{d.lbl3DTopColour, d.lbl3DMiddleColour, d.lbl3DBottomColour}, style == 4 && dTheme == 6}};
            for (const auto& [widgets, enabled] : expected) {
                for (const QWidget* w : widgets) {
                    QCOMPARE(w->isEnabled(), enabled);
                }
            }
        };
        verify(gradientBar);
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(!d.cmdApply->isEnabled());
        d.optMenuStyle[style == 0 ? 4 : 0]->click();
        d.optMenuStyle[style]->click();
        verify(gradientBar);
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(d.cmdApply->isEnabled());
        d.chkGradientBar->setChecked(!gradientBar);
        verify(!gradientBar);
    }

    // Each option button stands for its theme (core holds the tables): a preset shows its own
    // colours, "Lumenleaf" the day page's (Blue), "User" the teacher's. Office 2000 shows the
    // day page's colours with "Lumenleaf" ticked, else the teacher's.
    void themesShowTheirColours_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("theme"); // for Office 2000: 1 with "Lumenleaf" ticked
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<qint32>>("colours");
        QTest::newRow("2000, own colours") << 0 << 0 << "" << QList<qint32>{0x123456, 0x654321};
        QTest::newRow("2000, Lumenleaf") << 0 << 1 << "" << QList<qint32>{0xE6B36C, 0xFAEDDC};
        QTest::newRow("XP 3") << 2 << 3 << "Classic" << QList<qint32>{0xD1D8DB, 0xF7F8F9, 0, 0, 0xD2BDB6};
        QTest::newRow("XP 4") << 2 << 4 << "User"
                              << QList<qint32>{0x010101, 0x020202, 0x030303, 0x040404, 0x050505};
        QTest::newRow("XP 5") << 2 << 5 << "Lumenleaf" << QList<qint32>{0xF0D0A6, 0xFAEDDC, 0, 0, 0xE6B36C};
        QTest::newRow("3D 4") << 4 << 4 << "Lumenleaf" << QList<qint32>{0xF0D0A6, 0xFAEDDC, 0xE6B36C};
        QTest::newRow("3D 5") << 4 << 5 << "Classic Windows XP"
                              << QList<qint32>{0xDCB4B4, 0xFFFFFF, 0x984545};
        QTest::newRow("3D 6") << 4 << 6 << "User" << QList<qint32>{0x0A0A0A, 0x0B0B0B, 0x0C0C0C};
    }
    void themesShowTheirColours() {
        QFETCH(int, style);
        QFETCH(int, theme);
        QFETCH(QString, caption);
        QFETCH(QList<qint32>, colours);
        OptionsCase c;
        SaveMenu({
            {"MenuStyle", style},
            {"XPTheme", theme == 0 ? 1 : 0}, // another theme than the one clicked
            {"dTheme", theme == 0 ? 1 : 0},
            {"LumenleafColours", theme == 1 ? 0 : 1},
            {"GradientLeftColour", 0x123456},
            {"GradientRightColour", 0x654321},
            {"XPLeftBackColourUser", 0x010101},
            {"XPRightBackColourUser", 0x020202},
            {"XPSelectedColourUser", 0x030303},
            {"XPAllColourUser", 0x040404},
            {"XPBarColourUser", 0x050505},
            {"TopColourUser", 0x0A0A0A},
            {"MiddleColourUser", 0x0B0B0B},
            {"BottomColourUser", 0x0C0C0C},
        });
        frmOptions& d = OpenDialog();
        d.SSTabOptions->setCurrentIndex(2);
        if (style == 0) {
            d.chkLumenleafColours->click();
        } else {
            QRadioButton* option = style == 2 ? d.optXPTheme[theme] : d.opt3DTheme[theme];
            QCOMPARE(option->text(), caption);
            option->click();
        }
        const QList<ColourLabel*> labels = MenuColourLabels(d, style);
        QCOMPARE(ShownColours(labels), colours);
        for (ColourLabel* label : labels) {
            QCOMPARE(PixelOf(label), ColorFromBgr(label->BackColor()));
        }
    }

    // The gradient's colours can be picked only while "Lumenleaf" is not ticked.
    void gradientLabelClicks_data() {
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("lumenleaf");
        QTest::newRow("left, Lumenleaf") << false << true;
        QTest::newRow("right, Lumenleaf") << true << true;
        QTest::newRow("left, own colours") << false << false;
        QTest::newRow("right, own colours") << true << false;
    }
    void gradientLabelClicks() {
        QFETCH(bool, right);
        QFETCH(bool, lumenleaf);
        OptionsCase c;
        SaveMenu({{"MenuStyle", 0},
                  {"GradientBar", 1},
                  {"LumenleafColours", lumenleaf ? 1 : 0},
                  {"GradientLeftColour", 0x123456},
                  {"GradientRightColour", 0x654321}});
        frmOptions& d = OpenDialog();
        d.SSTabOptions->setCurrentIndex(2);
        ColourLabel* label = right ? d.lblGradientRight : d.lblGradientLeft;
        const qint32 before = label->BackColor();
        const QList<QColor>* opened = AnswerColours({QColor(0x10, 0x20, 0x30)});
        QTest::mouseClick(label, Qt::RightButton); // only the left button clicks
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(opened->size(), lumenleaf ? 0 : 1);
        QCOMPARE(d.cmdApply->isEnabled(), !lumenleaf);
        if (lumenleaf) {
            QCOMPARE(label->BackColor(), before);
            return;
        }
        QCOMPARE(opened->first(), ColorFromBgr(before));
        QCOMPARE(label->BackColor(), 0x302010);
        QCOMPARE(right ? d.WorkGradientRightColour : d.WorkGradientLeftColour, 0x302010);
        // Ticking "Lumenleaf" shows the day page's colours; unticking it, the one picked.
        d.chkLumenleafColours->click();
        QCOMPARE(label->BackColor(), right ? 0xFAEDDC : 0xE6B36C);
        d.chkLumenleafColours->click();
        QCOMPARE(label->BackColor(), 0x302010);
    }

    // The save stores what the labels show once they have caught up with the day page's colours,
    // also when the tab was not shown after a scheme was chosen; the menu file follows.
    void savingStoresWhatTheLabelsShow_data() {
        QTest::addColumn<QString>("scheme"); // "" keeps the Blue colours
        QTest::addColumn<QList<qint32>>("gradient");
        QTest::addColumn<qint32>("xpBar");
        QTest::addColumn<qint32>("threeDTop");
        QTest::newRow("Blue") << "" << QList<qint32>{0xE6B36C, 0xFAEDDC} << 0xE6B36C << 0xF0D0A6;
        QTest::newRow("Gray chosen") << "Gray" << QList<qint32>{0x999999, 0xE5E5E5} << 0x999999 << 0xC1C1C1;
    }
    void savingStoresWhatTheLabelsShow() {
        QFETCH(QString, scheme);
        QFETCH(QList<qint32>, gradient);
        QFETCH(qint32, xpBar);
        QFETCH(qint32, threeDTop);
        OptionsCase c;
        SaveMenu({{"MenuStyle", 0},
                  {"LumenleafColours", 1},
                  {"XPTheme", 5},
                  {"dTheme", 4},
                  {"GradientLeftColour", 0x111111},
                  {"GradientRightColour", 0x222222},
                  {"XPBarColourUser", 0x333333}});
        frmOptions& d = OpenDialog();
        d.SSTabOptions->setCurrentIndex(2);
        d.SSTabOptions->setCurrentIndex(1);
        if (scheme.isEmpty()) {
            d.chkVertical->click();
        } else {
            d.chkUseScheme->click();
            d.cboScheme->setCurrentText(scheme);
        }
        d.cmdApply->click();
        QCOMPARE(ReadLong(kMenu, QStringLiteral("GradientLeftColour"), 0), gradient[0]);
        QCOMPARE(ReadLong(kMenu, QStringLiteral("GradientRightColour"), 0), gradient[1]);
        QCOMPARE(ReadLong(kMenu, QStringLiteral("XPBarColour"), 0), xpBar);
        QCOMPARE(ReadLong(kMenu, QStringLiteral("XPLeftBackColour"), 0), threeDTop); // the strips' colour
        QCOMPARE(ReadLong(kMenu, QStringLiteral("XPBarColourUser"), 0), 0x333333);
        QCOMPARE(ReadLong(kMenu, QStringLiteral("TopColour"), 0), threeDTop);
        QCOMPARE(ReadInt(kMenu, QStringLiteral("Vertical"), -1), scheme.isEmpty() ? 1 : 0);
        QCOMPARE(MenuIniValue(QStringLiteral("Office2000"), QStringLiteral("MenuBackColor")),
                 QString::number(gradient[0]));
        QCOMPARE(MenuIniValue(QStringLiteral("OfficeXP"), QStringLiteral("XPFillColor")),
                 QString::number(xpBar));
        QCOMPARE(MenuIniValue(QStringLiteral("New3D"), QStringLiteral("New3DColor1")),
                 QString::number(threeDTop));
        // Shown again, the tab has caught up too.
        d.SSTabOptions->setCurrentIndex(2);
        QCOMPARE(ShownColours(MenuColourLabels(d, 0)), gradient);
        QCOMPARE(d.lblXPBarColour->BackColor(), xpBar);
    }

    // A colour picked on a "User" theme is the user's colour and, while that theme is chosen,
    // the one shown; a preset chosen afterwards is shown while the user's colour is kept.
    void aUserColourIsStoredUnderItsKeys_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("label"); // in the order of MenuColourLabels
        QTest::addColumn<QString>("key");
        QTest::addColumn<qint32>("presetShows"); // the colour of the theme chosen afterwards (Blue)
        QTest::newRow("XP left back") << 2 << 0 << "XPLeftBackColour" << 0xFFD7AE;
        QTest::newRow("XP right back") << 2 << 1 << "XPRightBackColour" << 0xFFFFFF;
        QTest::newRow("XP selected") << 2 << 2 << "XPSelectedColour" << 0;
        QTest::newRow("XP all") << 2 << 3 << "XPAllColour" << 0;
        QTest::newRow("XP bar") << 2 << 4 << "XPBarColour" << 0xFF8000;
        QTest::newRow("3D top") << 4 << 0 << "TopColour" << 0xFFD7AE;
        QTest::newRow("3D middle") << 4 << 1 << "MiddleColour" << 0xFFFFFF;
        QTest::newRow("3D bottom") << 4 << 2 << "BottomColour" << 0xFF8000;
    }
    void aUserColourIsStoredUnderItsKeys() {
        QFETCH(int, style);
        QFETCH(int, label);
        QFETCH(QString, key);
        QFETCH(qint32, presetShows);
        OptionsCase c;
        frmOptions& d = OpenDialog();
        d.SSTabOptions->setCurrentIndex(2);
        d.optMenuStyle[style]->click();
        (style == 2 ? d.optXPTheme[4] : d.opt3DTheme[6])->click();
        AnswerColours({QColor(0x56, 0x34, 0x12)});
        QTest::mouseClick(MenuColourLabels(d, style)[label], Qt::LeftButton);
        d.cmdApply->click();
        QCOMPARE(ReadLong(kMenu, key, -1), 0x123456);
        QCOMPARE(ReadLong(kMenu, key + QStringLiteral("User"), -1), 0x123456);
        QCOMPARE(ReadInt(kMenu, QStringLiteral("MenuStyle"), -1), style);
        (style == 2 ? d.optXPTheme[0] : d.opt3DTheme[0])->click();
        d.cmdOK->click();
        QCOMPARE(ReadLong(kMenu, key, -1), presetShows);
        QCOMPARE(ReadLong(kMenu, key + QStringLiteral("User"), -1), 0x123456);
        // Back on "User" in a new dialog, the picked colour is shown again.
        frmOptions& again = OpenDialog();
        (style == 2 ? again.optXPTheme[4] : again.opt3DTheme[6])->click();
        QCOMPARE(MenuColourLabels(again, style)[label]->BackColor(), 0x123456);
    }

    // Through the real windows: the menu command opens the dialog, OK stores the style, and the
    // main window's menus are drawn again from the file.
    void theMenusFollowTheTab() {
        OptionsCase c;
        SaveMenu({{"MenuStyle", 0}});
        QVERIFY(Main());
        QCOMPARE(frmMain::Get().MenuXP->Look().style, MenuLook::Style::Office2000);
        AnswerColours({QColor(0x20, 0x40, 0x60)});
        bool openedClean = false;
        QColor shown;
        WhenModal([&](frmOptions& d) {
            openedClean = !d.cmdApply->isEnabled();
            d.SSTabOptions->setCurrentIndex(2);
            ClickIndicator(d.optMenuStyle[4]);
            ClickIndicator(d.opt3DTheme[6]);
            QTest::mouseClick(d.lbl3DBottomColour, Qt::LeftButton);
            shown = PixelOf(d.lbl3DBottomColour);
            d.cmdOK->click();
        });
        frmMain::Get().mnuTOptions->trigger();
        QVERIFY(!frmOptions::IsLoaded());
        QVERIFY(openedClean);
        QCOMPARE(shown, QColor(0x20, 0x40, 0x60));
        const MenuLook& look = frmMain::Get().MenuXP->Look();
        QCOMPARE(look.style, MenuLook::Style::ThreeD);
        QCOMPARE(look.bottom, QColor(0x20, 0x40, 0x60));
        QCOMPARE(look.top, ColorFromBgr(0xC9EDD3)); // the user's top colour as first stored
        VerifyNoUnexpectedMessages();
    }

    void theDefaultButtons() {
        OptionsCase c;
        SaveText(kEffects, QStringLiteral("Scheme"), QStringLiteral("Green"));
        SaveInt(kEffects, QStringLiteral("UseScheme"), 1);
        SaveText(kEffects, QStringLiteral("FontName1"), QStringLiteral("Serif"));
        SaveInt(kEffects, QStringLiteral("FontSize2"), 20);
        SaveBool(kEffects, QStringLiteral("FontItalic0"), true);
        frmOptions& dialog = OpenDialog();
        dialog.cmdDefaultColours->click();
        QVERIFY(!dialog.chkUseScheme->isChecked() && !dialog.cboScheme->isEnabled() && !dialog.SchemeInUse);
        QCOMPARE(dialog.WorkColourBack, (std::array<BgrColour, 4>{0xE6B36C, 0xF0D0A6, 0xE6B36C, 0xFAEDDC}));
        dialog.cmdDefaultFonts->click();
        QCOMPARE(dialog.WorkFontName[1], QStringLiteral("MS Sans Serif"));
        QCOMPARE(dialog.WorkFontSize, (std::array<int, 3>{12, 8, 10}));
        QCOMPARE(dialog.WorkFontBold, (std::array<bool, 3>{true, true, true}));
        QCOMPARE(dialog.WorkFontItalic, (std::array<bool, 3>{}));
    }

    void fontSizesRoundHalvesToEven_data() {
        QTest::addColumn<double>("chosen");
        QTest::addColumn<int>("size");
        QTest::newRow("10.5") << 10.5 << 10;
        QTest::newRow("11.5") << 11.5 << 12;
        QTest::newRow("cancelled") << -1.0 << 8; // the time font's size as it was
    }
    void fontSizesRoundHalvesToEven() {
        QFETCH(double, chosen);
        QFETCH(int, size);
        OptionsCase c;
        frmOptions& dialog = OpenDialog();
        FontChoice given;
        OptionsTestSeam::SetFontDialog([&given, chosen](const FontChoice& initial) {
            given = initial;
            return chosen < 0 ? initial : FontChoice{QStringLiteral("Serif"), chosen, false, true};
        });
        QTest::mouseClick(dialog.lblFont[1], Qt::LeftButton);
        QCOMPARE(given.size, 8.0);
        QVERIFY(given.bold);
        QCOMPARE(dialog.WorkFontSize[1], size);
        QCOMPARE(dialog.WorkFontItalic[1], chosen >= 0);
        // Opening the font dialog is an edit, even when it is cancelled.
        QVERIFY(dialog.cmdApply->isEnabled());
        dialog.cmdOK->click();
        QCOMPARE(ReadInt(kEffects, QStringLiteral("FontSize1"), 0), size);
    }

    void thePreviewPlacesThePanels_data() {
        QTest::addColumn<int>("calendarPosition");
        QTest::addColumn<int>("notesPosition");
        QTest::addColumn<double>("calendarLeft");
        QTest::addColumn<double>("notesLeft");
        QTest::newRow("lower left, beside") << 0 << 0 << 288.0 << 768.0;
        QTest::newRow("lower right, beside") << 1 << 0 << 2052.0 << 1572.0;
        QTest::newRow("lower left, opposite") << 0 << 1 << 288.0 << 2052.0;
        QTest::newRow("lower right, opposite") << 1 << 1 << 2052.0 << 288.0;
    }
    void thePreviewPlacesThePanels() {
        QFETCH(int, calendarPosition);
        QFETCH(int, notesPosition);
        QFETCH(double, calendarLeft);
        QFETCH(double, notesLeft);
        OptionsCase c;
        // Stored the other way round: the clicks move the boxes.
        SaveInt(kEffects, QStringLiteral("CalendarPosition"), 1 - calendarPosition);
        SaveInt(kEffects, QStringLiteral("NotesPosition"), 1 - notesPosition);
        frmOptions& dialog = OpenDialog();
        dialog.optCalendarPosition[calendarPosition]->click();
        dialog.optNotesPosition[notesPosition]->click();
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(TwLeft(dialog.lblCalendarBox[i]), calendarLeft);
            QCOMPARE(TwLeft(dialog.lblNotesBox[i]), notesLeft);
        }
        QCOMPARE(TwTop(dialog.lblNotesBox[1]), 1944.0);
        dialog.optBinderStyle[4]->click();
        for (PictureBox* picture : dialog.imgBinderStyle) {
            QCOMPARE(picture->PictureIndex(), 4);
        }
        dialog.cmdOK->click();
        QCOMPARE(ReadInt(kEffects, QStringLiteral("CalendarPosition"), -1), calendarPosition);
        QCOMPARE(ReadInt(kEffects, QStringLiteral("NotesPosition"), -1), notesPosition);
        QCOMPARE(ReadInt(kEffects, QStringLiteral("BinderStyle"), -1), 4);
    }

    void holidayLabelsAreStoredAsTyped_data() {
        QTest::addColumn<QString>("label");
        QTest::newRow("blanks around") << "  Staff Day  ";
        QTest::newRow("equals and semicolon") << "PD = planning; no classes";
        QTest::newRow("brackets") << "[Settings] (half) {day}";
        QTest::newRow("backslashes and quotes") << "C:\\n \"Day\" 'off'";
        QTest::newRow("empty") << "";
    }
    void holidayLabelsAreStoredAsTyped() {
        QFETCH(QString, label);
        OptionsCase c;
        frmOptions* dialog = &OpenDialog();
        dialog->txtHolidayNames[13]->setText(label);
        dialog->cmdOK->click();
        QCOMPARE(Globals().HolidayNames[13], label);
        SettingsStore::Reset(); // read from the file
        QCOMPARE(ReadText(QStringLiteral("Settings\\HolidayNames"), QStringLiteral("HolidayName13"),
                          QStringLiteral("missing")),
                 label);
        QCOMPARE(ReadText(QStringLiteral("Settings\\HolidayNames"), QStringLiteral("HolidayName12")),
                 QStringLiteral("Inservice 2"));
        dialog = &OpenDialog();
        QCOMPARE(dialog->txtHolidayNames[13]->text(), label);
        QVERIFY(!dialog->cmdApply->isEnabled());
    }

    void runAtStartupChangesOnlyWithTheChoice_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("adds");
        QTest::addColumn<int>("removes");
        QTest::newRow("on, ticked off") << 1 << 1 << 0 << 1;
        QTest::newRow("on, off and on again") << 1 << 2 << 0 << 0;
        QTest::newRow("off, ticked on") << 0 << 1 << 1 << 0;
        QTest::newRow("off, on and off again") << 0 << 2 << 0 << 0;
    }
    void runAtStartupChangesOnlyWithTheChoice() {
        QFETCH(int, stored);
        QFETCH(int, clicks);
        QFETCH(int, adds);
        QFETCH(int, removes);
        OptionsCase c;
        SaveInt(QStringLiteral("Settings"), QStringLiteral("RunStartup"), stored);
        SaveInt(kEffects, QStringLiteral("PackRun"), 1); // with no drive set up, stored as 0
        int added = 0;
        int removed = 0;
        OptionsTestSeam::SetRunAtStartup([&added] { ++added; }, [&removed] { ++removed; });
        frmOptions& dialog = OpenDialog();
        for (int i = 0; i < clicks; ++i) {
            dialog.chkRunStartup->click();
        }
        dialog.cmdApply->click();
        dialog.cmdApply->click(); // clean: nothing more
        QCOMPARE(added, adds);
        QCOMPARE(removed, removes);
        QCOMPARE(ReadInt(QStringLiteral("Settings"), QStringLiteral("RunStartup"), -1),
                 clicks % 2 ? 1 - stored : stored);
        QCOMPARE(ReadInt(kEffects, QStringLiteral("PackRun"), -1), 0);
    }

    // Wherever the dialog stood, as the window manager placed it or the teacher dragged it, it
    // comes back there after the drive dialog, loaded again after a first pack or not.
    void theDialogComesBackWhereItStood_data() {
        QTest::addColumn<bool>("driveChosen");
        QTest::newRow("cancelled") << false;
        QTest::newRow("a drive chosen") << true;
    }
    void theDialogComesBackWhereItStood() {
        QFETCH(bool, driveChosen);
        OptionsCase c;
        OptionsTestSeam::SetPackConfig(
            [driveChosen] {
                if (driveChosen) {
                    Globals().PackPath = QStringLiteral("/media/stick/VNT");
                    Globals().PackConfig = true;
                    Globals().PackConfigOpen = false;
                }
            },
            [] { return true; });
        OpenBook();
        QPoint placed;
        QPoint back;
        ShowModalThen([&](frmOptions& dialog) {
            // Moved by the window system, not by the program.
            placed = dialog.pos() + QPoint(37, 23);
            dialog.windowHandle()->setFramePosition(placed);
            QTRY_COMPARE(dialog.pos(), placed);
            WhenModal([&](frmOptions& shown) {
                back = shown.pos();
                shown.cmdCancel->click();
            });
            dialog.cmdPackConfig->click();
        });
        QVERIFY(!frmOptions::IsLoaded());
        QCOMPARE(back, placed);
    }

    void theConfigureButton_data() {
        QTest::addColumn<bool>("configuredBefore");
        QTest::addColumn<bool>("driveChosen");
        QTest::addColumn<bool>("packed"); // the first pack reached the drive
        QTest::newRow("cancelled, no drive") << false << false << false;
        QTest::newRow("cancelled, a drive set up before") << true << false << false;
        QTest::newRow("a drive chosen") << false << true << true;
        QTest::newRow("a drive chosen, nothing packed") << false << true << false;
    }
    void theConfigureButton() {
        QFETCH(bool, configuredBefore);
        QFETCH(bool, driveChosen);
        QFETCH(bool, packed);
        const bool configured = configuredBefore || (driveChosen && packed);
        OptionsCase c;
        SaveBool(kEffects, QStringLiteral("PackConfig"), configuredBefore);
        SaveInt(kEffects, QStringLiteral("PackRun"), 1);
        int firstPacks = 0;
        OptionsTestSeam::SetPackConfig(
            [driveChosen] {
                // The drive dialog: its OK makes the folder and ends the set-up.
                QVERIFY(!frmOptions::IfLoaded()->isVisible());
                if (driveChosen) {
                    Globals().PackPath = QStringLiteral("/media/stick/VNT");
                    Globals().PackConfig = true;
                    Globals().PackConfigOpen = false;
                }
            },
            [&firstPacks, packed] {
                ++firstPacks;
                // A pack that reached the drive stores what turns Pack To Go on.
                if (packed) {
                    SaveBool(kEffects, QStringLiteral("PackConfig"), true);
                    SaveInt(kEffects, QStringLiteral("PackRun"), 1);
                }
                return packed;
            });
        OpenBook();
        // Through the dialog's own modal loop: it steps aside for the drive dialog and comes back,
        // loaded again after a first pack.
        const frmOptions* first = nullptr;
        const frmOptions* again = nullptr;
        bool boxTicked = false;
        bool boxEnabled = false;
        bool applyEnabled = true;
        ShowModalThen([&](frmOptions& dialog) {
            first = &dialog;
            // Without a drive the box is off, and code that sets it is no edit.
            QCOMPARE(dialog.chkPackRun->isEnabled(), configuredBefore);
            dialog.chkPackRun->setChecked(!configuredBefore);
            dialog.chkPackRun->setChecked(configuredBefore);
            QCOMPARE(dialog.cmdApply->isEnabled(), configuredBefore);
            WhenModal([&](frmOptions& shown) {
                again = &shown;
                boxTicked = shown.chkPackRun->isChecked();
                boxEnabled = shown.chkPackRun->isEnabled();
                applyEnabled = shown.cmdApply->isEnabled();
                shown.cmdCancel->click();
            });
            dialog.cmdPackConfig->click();
        });
        QVERIFY(!frmOptions::IsLoaded());
        QCOMPARE(firstPacks, driveChosen ? 1 : 0);
        QCOMPARE(again != first, driveChosen); // loaded again after the first pack, and clean
        QCOMPARE(boxTicked, configured);
        QCOMPARE(boxEnabled, configured);
        QCOMPARE(applyEnabled, configuredBefore && !driveChosen);
        QCOMPARE(ReadBool(kEffects, QStringLiteral("PackConfig"), false), configured);
        QCOMPARE(Globals().PackConfig, configured);
        if (driveChosen && packed) {
            QCOMPARE(Globals().PackRun, 1);
            QCOMPARE(ReadText(kEffects, QStringLiteral("PackRun")), QStringLiteral("1"));
            QCOMPARE(ReadText(kEffects, QStringLiteral("PackConfig")), QStringLiteral("True"));
        }
    }

    // In a shared book the page may show the partner's day in the partner's style: the dialog
    // still edits, and stores, the logged-on teacher's own.
    void aSharedBookEditsTheTeachersOwnStyle() {
        TestEnvironment env;
        BuildYear(SharedBookYear());
        SaveInt(QStringLiteral("Settings\\Effects2"), QStringLiteral("ColourBack0"), 0x222222);
        SaveInt(QStringLiteral("Settings\\Effects2"), QStringLiteral("FontSize1"), 14);
        SaveInt(kEffects, QStringLiteral("ColourBack0"), 0x111111);
        OpenBook(1);
        LoadStyleArrays(2); // the partner's day is shown
        frmOptions& dialog = frmOptions::Get();
        QCOMPARE(dialog.WorkColourBack[0], 0x111111);
        QCOMPARE(dialog.WorkFontSize[1], 8);
        QCOMPARE(Globals().ColourBack[0], 0x222222);
        dialog.chkShowSplash->click();
        dialog.cmdOK->click();
        QCOMPARE(ReadLong(kEffects, QStringLiteral("ColourBack0"), 0), 0x111111);
        QCOMPARE(ReadInt(kEffects, QStringLiteral("FontSize1"), 0), 8);
        QCOMPARE(ReadLong(QStringLiteral("Settings\\Effects2"), QStringLiteral("ColourBack0"), 0), 0x222222);
        OptionsTestSeam::Reset();
    }

    // The tab shows what core works out, over the days the page lists, and leaves the page
    // on its day.
    void theStatisticsTab() {
        TestEnvironment env;
        YearPlan plan;
        plan.terms = {{QDate(2026, 9, 1), QDate(2026, 12, 18)}, {QDate(2027, 1, 4), QDate(2027, 3, 26)}};
        plan.holidays = {QDate(2026, 10, 12), QDate(2026, 11, 11)};
        BuildYear(plan);
        SaveInt(kEffects, QStringLiteral("LastTab"), 4);
        QVERIFY(Main());
        GoToDate(QDate(2026, 11, 23));
        frmOptions& dialog = frmOptions::Get();
        QCOMPARE(dialog.SSTabOptions->currentIndex(), 4);
        QCOMPARE(frmSchedule::Get().txtDate->Text(), QStringLiteral("2026-11-23"));
        QCOMPARE(dialog.fraStatistics->title(), QStringLiteral("Statistics for... Ms. Avery"));
        QCOMPARE(dialog.lblMonth[9]->text(), QStringLiteral("22"));
        QCOMPARE(dialog.lblTerm[2]->text(), QStringLiteral("60"));
        QCOMPARE(dialog.lblTotalSD->text(), QStringLiteral("137"));
        QCOMPARE(dialog.lblTotalDays->text(), QStringLiteral("137"));
        QCOMPARE(dialog.lblLastDay->text(), QStringLiteral("Fri, Mar 26, 2027"));
        QCOMPARE(dialog.lblDaysPast->text(), QStringLiteral("31"));
        QCOMPARE(dialog.lblDaysAhead->text(), QStringLiteral("106"));
        QCOMPARE(dialog.lblPast->text(), QStringLiteral("School Days Past:"));
        QCOMPARE(dialog.fraSYInfo->title(), QStringLiteral("School Year Information - School Days Only"));
        // The captions follow the view; the figures are those of the listed days.
        Globals().SchoolDays = false;
        Globals().BothTeacherDays = true;
        dialog.SSTabOptions->setCurrentIndex(0);
        dialog.SSTabOptions->setCurrentIndex(4);
        QCOMPARE(dialog.fraStatistics->title(), QStringLiteral("Statistics for... Both Teachers"));
        QCOMPARE(dialog.lblAhead->text(), QStringLiteral("Total Days Ahead:"));
        QCOMPARE(dialog.fraSYInfo->title(),
                 QStringLiteral("School Year Information - School Days and Weekends"));
        frmOptions::Unload();
        VerifyNoUnexpectedMessages();
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
