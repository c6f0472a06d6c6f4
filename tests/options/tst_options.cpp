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
        frmOptions& dialog = OpenDialog();
        QVERIFY(dialog.optBinderStyle[1]->isChecked());
        QCOMPARE(dialog.WorkBinderStyle, 1);
        QVERIFY(dialog.optNotesPosition[1]->isChecked());
        QCOMPARE(dialog.SSTabOptions->currentIndex(), 0);
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

    void theConfigureButton_data() {
        QTest::addColumn<bool>("configuredBefore");
        QTest::addColumn<bool>("driveChosen");
        QTest::newRow("cancelled, no drive") << false << false;
        QTest::newRow("cancelled, a drive set up before") << true << false;
        QTest::newRow("a drive chosen") << false << true;
    }
    void theConfigureButton() {
        QFETCH(bool, configuredBefore);
        QFETCH(bool, driveChosen);
        const bool configured = configuredBefore || driveChosen;
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
            [&firstPacks] {
                ++firstPacks;
                return true;
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
        if (driveChosen) {
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
