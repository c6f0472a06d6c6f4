#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/TeacherSettings.h"
#include "daypage/DayPageWidgets.h"
#include "daypage/frmMain.h"
#include "daypage/frmSchedule.h"
#include "options/frmOptions.h"
#include "platform/DateText.h"
#include "platform/SettingsStore.h"
#include "support/UiTestSupport.h"
#include "ui/OpenWindows.h"
#include "widgets/Colours.h"
#include "widgets/Help.h"
#include "widgets/TwipsGeometry.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
const QString kEffects = QStringLiteral("Settings\\Effects1");

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

PreviewLabel* Part(frmOptions& dialog, const QString& name, int index) {
    if (name == QLatin1String("lblDate")) {
        return dialog.lblDate;
    }
    if (name == QLatin1String("lblCalendar")) {
        return dialog.lblCalendar;
    }
    if (name == QLatin1String("lblTime")) {
        return dialog.lblTime[index];
    }
    if (name == QLatin1String("lblSubject")) {
        return dialog.lblSubject[index];
    }
    return name == QLatin1String("lblDetails") ? dialog.lblDetails[index] : dialog.lblNotes[index];
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

void ShowModalThen(const std::function<void(frmOptions&)>& work) {
    QTimer::singleShot(0, [work] {
        frmOptions* dialog = frmOptions::IfLoaded();
        QVERIFY(dialog && dialog->isVisible() && dialog->isModal());
        work(*dialog);
    });
    ShowOptionsDialog();
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

    // The left button picks a part's text colour, any other its background.
    void clicksPickTheirSlot_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("index");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("slot"); // "" when no colour is picked
        QTest::newRow("date, left") << "lblDate" << 0 << Qt::LeftButton << "fore0";
        QTest::newRow("date, right") << "lblDate" << 0 << Qt::RightButton << "back0";
        QTest::newRow("date, middle") << "lblDate" << 0 << Qt::MiddleButton << "back0";
        QTest::newRow("time, left") << "lblTime" << 1 << Qt::LeftButton << "fore1";
        QTest::newRow("time, right") << "lblTime" << 0 << Qt::RightButton << "back1";
        QTest::newRow("subject, left") << "lblSubject" << 0 << Qt::LeftButton << "fore2";
        QTest::newRow("subject, right") << "lblSubject" << 1 << Qt::RightButton << "back1";
        QTest::newRow("details, left") << "lblDetails" << 0 << Qt::LeftButton << "";
        QTest::newRow("details, right") << "lblDetails" << 1 << Qt::RightButton << "back3";
        QTest::newRow("notes title, left") << "lblNotes" << 0 << Qt::LeftButton << "fore3";
        QTest::newRow("notes title, right") << "lblNotes" << 0 << Qt::RightButton << "back2";
        QTest::newRow("notes body, left") << "lblNotes" << 1 << Qt::LeftButton << "";
        QTest::newRow("notes body, right") << "lblNotes" << 1 << Qt::RightButton << "";
        QTest::newRow("calendar, left") << "lblCalendar" << 0 << Qt::LeftButton << "fore3";
        QTest::newRow("calendar, right") << "lblCalendar" << 0 << Qt::RightButton << "back2";
    }
    void clicksPickTheirSlot() {
        QFETCH(QString, part);
        QFETCH(int, index);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, slot);
        OptionsCase c;
        frmOptions& dialog = OpenDialog();
        const auto back = dialog.WorkColourBack;
        const auto fore = dialog.WorkColourFore;
        const QList<QColor>* opened = AnswerColours({QColor(1, 2, 3)});
        QTest::mouseClick(Part(dialog, part, index), button);
        QCOMPARE(opened->size(), slot.isEmpty() ? 0 : 1);
        auto expectedBack = back;
        auto expectedFore = fore;
        if (!slot.isEmpty()) {
            auto& changed = slot.startsWith(QLatin1String("back")) ? expectedBack : expectedFore;
            const int k = slot.right(1).toInt();
            QCOMPARE(opened->first(), ColorFromBgr(changed[k]));
            changed[k] = 0x030201;
        }
        QCOMPARE(dialog.WorkColourBack, expectedBack);
        QCOMPARE(dialog.WorkColourFore, expectedFore);
        QCOMPARE(dialog.cmdApply->isEnabled(), !slot.isEmpty());
    }

    void schemesInUseBlockColourClicks_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<int>("index");
        QTest::newRow("date") << "lblDate" << 0;
        QTest::newRow("subject") << "lblSubject" << 1;
        QTest::newRow("details") << "lblDetails" << 0;
        QTest::newRow("notes body") << "lblNotes" << 1;
        QTest::newRow("calendar") << "lblCalendar" << 0;
    }
    void schemesInUseBlockColourClicks() {
        QFETCH(QString, part);
        QFETCH(int, index);
        OptionsCase c;
        frmOptions& dialog = OpenDialog();
        dialog.chkUseScheme->click();
        QVERIFY(dialog.SchemeInUse);
        const auto back = dialog.WorkColourBack;
        const QList<QColor>* opened = AnswerColours({QColor(1, 2, 3)});
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QTest::mouseClick(Part(dialog, part, index), Qt::RightButton);
        QVERIFY(opened->isEmpty());
        QCOMPARE(dialog.WorkColourBack, back);
        const auto& shown = MessageTestSeam::Answered();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text,
                 QStringLiteral("You are using Colour Schemes!\r\n\r\nIf you want to change Font "
                                "Colours or Background Colours\r\nthen you must Uncheck the "
                                "box 'Use Colour Schemes."));
        QCOMPARE(shown.first().title, Globals().AppTitle);
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
        QTest::newRow("no such scheme") << "Teal" << 0x123456;
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

    void theDefaultButtons() {
        OptionsCase c;
        SaveText(kEffects, QStringLiteral("Scheme"), QStringLiteral("Green"));
        SaveInt(kEffects, QStringLiteral("UseScheme"), 1);
        SaveText(kEffects, QStringLiteral("FontName1"), QStringLiteral("Serif"));
        SaveInt(kEffects, QStringLiteral("FontSize2"), 20);
        SaveBool(kEffects, QStringLiteral("FontItalic0"), true);
        frmOptions& dialog = OpenDialog();
        dialog.cmdDefaultColours->click();
        QVERIFY(!dialog.chkUseScheme->isChecked());
        QVERIFY(!dialog.cboScheme->isEnabled());
        QVERIFY(!dialog.SchemeInUse);
        const std::array<BgrColour, 4> blueBack{0xE6B36C, 0xF0D0A6, 0xE6B36C, 0xFAEDDC};
        QCOMPARE(dialog.WorkColourBack, blueBack);
        dialog.cmdDefaultFonts->click();
        const std::array<QString, 3> names{QStringLiteral("MS Sans Serif"), QStringLiteral("MS Sans Serif"),
                                           QStringLiteral("MS Sans Serif")};
        QCOMPARE(dialog.WorkFontName, names);
        QCOMPARE(dialog.WorkFontSize, (std::array<int, 3>{12, 8, 10}));
        QCOMPARE(dialog.WorkFontBold, (std::array<bool, 3>{true, true, true}));
        QCOMPARE(dialog.WorkFontItalic, (std::array<bool, 3>{false, false, false}));
    }

    void fontSizesRoundHalvesToEven_data() {
        QTest::addColumn<double>("chosen");
        QTest::addColumn<int>("size");
        QTest::newRow("10.5") << 10.5 << 10;
        QTest::newRow("11.5") << 11.5 << 12;
        QTest::newRow("9") << 9.0 << 9;
        QTest::newRow("13.25") << 13.25 << 13;
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
        QTest::newRow("brackets") << "[Winter] (half) {day}";
        QTest::newRow("a section header") << "[Settings]";
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
    }

    void packToGoWithoutADrive() {
        OptionsCase c;
        SaveInt(kEffects, QStringLiteral("PackRun"), 1);
        frmOptions& dialog = OpenDialog();
        QVERIFY(!dialog.chkPackRun->isChecked());
        QVERIFY(!dialog.chkPackRun->isEnabled());
        dialog.chkPackRun->setChecked(true);
        dialog.chkPackRun->setChecked(false);
        QVERIFY(!dialog.cmdApply->isEnabled());
        dialog.chkShowSplash->click();
        dialog.cmdOK->click();
        QCOMPARE(ReadInt(kEffects, QStringLiteral("PackRun"), -1), 0);
    }

    void theConfigureButton_data() {
        QTest::addColumn<bool>("configuredBefore");
        QTest::addColumn<bool>("driveChosen");
        QTest::addColumn<bool>("packed");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("cancelled, no drive") << false << false << false << false;
        QTest::newRow("cancelled, a drive set up before") << true << false << false << true;
        QTest::newRow("a drive chosen") << false << true << true << true;
    }
    void theConfigureButton() {
        QFETCH(bool, configuredBefore);
        QFETCH(bool, driveChosen);
        QFETCH(bool, packed);
        QFETCH(bool, ticked);
        OptionsCase c;
        SaveBool(kEffects, QStringLiteral("PackConfig"), configuredBefore);
        SaveInt(kEffects, QStringLiteral("PackRun"), 1);
        int firstPacks = 0;
        OptionsTestSeam::SetPackConfig(
            [driveChosen] {
                // The drive dialog: its OK makes the folder and ends the set-up.
                QVERIFY(!frmOptions::Get().isVisible());
                if (driveChosen) {
                    Globals().PackPath = QStringLiteral("/media/stick/VNT");
                    Globals().PackConfig = true;
                    Globals().PackConfigOpen = false;
                }
            },
            [&firstPacks] {
                ++firstPacks;
                return true;
            });
        frmOptions* dialog = &OpenDialog();
        dialog->cmdPackConfig->click();
        QCOMPARE(firstPacks, packed ? 1 : 0);
        QCOMPARE(frmOptions::IfLoaded() != dialog, packed); // loaded again after the first pack
        dialog = frmOptions::IfLoaded();
        QVERIFY(dialog);
        QCOMPARE(dialog->chkPackRun->isChecked(), ticked);
        QVERIFY(!dialog->cmdApply->isEnabled());
        QCOMPARE(ReadBool(kEffects, QStringLiteral("PackConfig"), false), configuredBefore || driveChosen);
        QCOMPARE(Globals().PackRun, packed ? 1 : Globals().PackRun);
        if (packed) {
            QCOMPARE(ReadText(kEffects, QStringLiteral("PackRun")), QStringLiteral("1"));
            QCOMPARE(ReadText(kEffects, QStringLiteral("PackConfig")), QStringLiteral("True"));
            QVERIFY(dialog->chkPackRun->isEnabled());
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

    void theStatisticsTab_data() {
        QTest::addColumn<bool>("schoolDaysOnly");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("past");
        QTest::addColumn<QString>("pastCaption");
        QTest::addColumn<QString>("infoCaption");
        QTest::newRow("school days only") << true << "137"
                                          << "31"
                                          << "School Days Past:"
                                          << "School Year Information - School Days Only";
        QTest::newRow("with weekends") << false << "207"
                                       << "44"
                                       << "Total Days Past:"
                                       << "School Year Information - School Days and Weekends";
    }
    void theStatisticsTab() {
        QFETCH(bool, schoolDaysOnly);
        QFETCH(QString, total);
        QFETCH(QString, past);
        QFETCH(QString, pastCaption);
        QFETCH(QString, infoCaption);
        TestEnvironment env;
        YearPlan plan;
        plan.terms = {{QDate(2026, 9, 1), QDate(2026, 12, 18)}, {QDate(2027, 1, 4), QDate(2027, 3, 26)}};
        plan.holidays = {QDate(2026, 10, 12), QDate(2026, 11, 11)};
        BuildYear(plan);
        SaveBool(kEffects, QStringLiteral("SchoolDays"), schoolDaysOnly);
        SaveInt(kEffects, QStringLiteral("LastTab"), 4);
        QVERIFY(Main());
        frmSchedule& page = frmSchedule::Get();
        GoToDate(QDate(2026, 11, 23));
        frmOptions& dialog = frmOptions::Get();
        QCOMPARE(dialog.SSTabOptions->currentIndex(), 4);
        QCOMPARE(page.txtDate->Text(), QStringLiteral("2026-11-23"));
        QCOMPARE(dialog.fraStatistics->title(), QStringLiteral("Statistics for... Ms. Avery"));
        QCOMPARE(dialog.lblMonth[9]->text(), QStringLiteral("22"));
        QCOMPARE(dialog.lblMonth[12]->text(), QStringLiteral("14"));
        QCOMPARE(dialog.lblMonth[6]->text(), QStringLiteral("0"));
        QCOMPARE(dialog.lblTerm[2]->text(), QStringLiteral("60"));
        QCOMPARE(dialog.lblTotalSD->text(), QStringLiteral("137"));
        QCOMPARE(dialog.lblTotalDays->text(), total);
        QCOMPARE(dialog.lblFirstDay->text(), QStringLiteral("Tue, Sep 1, 2026"));
        QCOMPARE(dialog.lblLastDay->text(), QStringLiteral("Fri, Mar 26, 2027"));
        QCOMPARE(dialog.lblDaysPast->text(), past);
        QCOMPARE(dialog.lblDaysAhead->text(), QString::number(total.toInt() - past.toInt()));
        QCOMPARE(dialog.lblPast->text(), pastCaption);
        QCOMPARE(dialog.fraSYInfo->title(), infoCaption);
        Globals().BothTeacherDays = true;
        dialog.SSTabOptions->setCurrentIndex(0);
        dialog.SSTabOptions->setCurrentIndex(4);
        QCOMPARE(dialog.fraStatistics->title(), QStringLiteral("Statistics for... Both Teachers"));
        frmOptions::Unload();
        VerifyNoUnexpectedMessages();
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
