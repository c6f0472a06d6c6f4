#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/SetupRules.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "mainwindow/frmMain.h"
#include "platform/DateText.h"
#include "platform/FileCopy.h"
#include "platform/Rounding.h"
#include "platform/SettingsStore.h"
#include "setup/DatePicker.h"
#include "setup/frmSetup.h"
#include "support/UiTestSupport.h"
#include "widgets/Help.h"
#include "widgets/TwipsGeometry.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <cerrno>

namespace {
frmSetup& Wizard() {
    return frmSetup::Get();
}

// Picks a date as the teacher does: ticks the box, then chooses the date.
void Pick(DatePicker* picker, const QDate& date) {
    if (!picker->HasDate()) {
        picker->box->click();
    }
    picker->edit->setDate(date);
}

void Next() {
    Wizard().cmdNext->click();
}

// A first start: the welcome, then the wizard over the locked main window.
void StartFirstUse() {
    QVERIFY(Main()); // the welcome window is answered by the test environment
    QVERIFY(frmSetup::IsLoaded());
    QCoreApplication::processEvents(); // the day page's own activation runs first
}

// What a new teacher enters: a name, two terms with a holiday, and a morning timetable.
void EnterANewYear() {
    frmSetup& w = Wizard();
    Next(); // step 1: New School Year is all there is
    QCOMPARE(w.CurrentStep, 2);
    QTest::keyClicks(w.txtTeacherName[1], QStringLiteral("Ms. Avery"));
    Next();
    QCOMPARE(w.CurrentStep, 3);
    Pick(w.dtpTermStart[1], QDate(2026, 9, 1));
    Pick(w.dtpTermEnd[1], QDate(2026, 12, 18));
    Pick(w.dtpTermStart[2], QDate(2027, 1, 4));
    Pick(w.dtpTermEnd[2], QDate(2027, 6, 25));
    Pick(w.dtpHolidays[1], QDate(2026, 10, 12));
    w.chkIgnoreInservices->click();
    Next();
    QCOMPARE(w.CurrentStep, 4);
    QTest::keyClicks(w.txtRow[0], QStringLiteral("8:30"));
    QTest::keyClicks(w.txtRow[1], QStringLiteral("Maths"));
    QTest::keyClicks(w.txtRow[8], QStringLiteral("9:30"));
    QTest::keyClicks(w.txtRow[10], QStringLiteral("Reading"));
    Next();
    QCOMPARE(w.CurrentStep, 5);
}

bool MainWindowLocked() {
    frmMain& main = frmMain::Get();
    for (const QString& key : frmMain::ButtonKeys()) {
        if (main.Button(key)->isEnabled()) {
            return false;
        }
    }
    for (QMenu* menu : {main.mnuFile, main.mnuEdit, main.mnuView, main.mnuTools, main.mnuHelp}) {
        if (menu->menuAction()->isEnabled()) {
            return false;
        }
    }
    frmSchedule& page = frmSchedule::Get();
    return !main.mnuFExit->isEnabled() && !page.parentWidget()->isVisible() &&
           !page.fraCalendar->isVisible() && !page.fraNotes->isVisible() && !page.fraTimeTable->isVisible();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Shot(QWidget* widget, const QString& name) {
    // A look at the window, on request: QLM_SHOT_DIR=folder.
    const QString folder = qEnvironmentVariable("QLM_SHOT_DIR");
    if (!folder.isEmpty()) {
        widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
}
} // namespace

class SetupWizardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aNewTeacherGoesFromTheFirstStartToTodaysPage() {
        TestEnvironment env;
        StartFirstUse();
        frmSetup& w = Wizard();
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Quillmarsh - Setup  "));
        QCOMPARE(w.y(), w.screen()->geometry().top());
        QVERIFY(MainWindowLocked());
        QVERIFY(!w.TreeView->isEnabled());
        // Only a new school year can be made, and nothing was said while loading.
        QVERIFY(!w.optSetupMode[1]->isEnabled() && !w.optSetupMode[2]->isEnabled());
        QVERIFY(!w.fraPreservedSettings->isEnabled());
        QCOMPARE(w.lblSetUpMode->text(), QStringLiteral("Setup Mode - New School Year"));
        QCOMPARE(w.NodePicture(3), 7);
        Shot(&w, QStringLiteral("step1"));
        EnterANewYear();
        Shot(&w, QStringLiteral("step5"));
        QCOMPARE(w.cmdNext->text(), QStringLiteral("Finish Setup"));
        QCOMPARE(w.lvwUser->topLevelItem(2)->text(1), QStringLiteral("No Log On Reguired"));
        QCOMPARE(w.lvwTerms->topLevelItem(2)->text(1), QStringLiteral("Not Used"));
        QCOMPARE(w.lvwHolidays->topLevelItemCount(), 1);
        QVERIFY(IsZeroDate(Globals().Holidays[1]) || !Globals().Holidays[1].isValid()); // not before Finish

        MessageTestSeam::QueueAnswer(MsgAnswerOK); // the success
        Next();
        QVERIFY(!frmSetup::IsLoaded());
        const auto& said = MessageTestSeam::Answered();
        QCOMPARE(said.last().title, QStringLiteral("Quillmarsh - Successfull Setup"));
        VerifyNoUnexpectedMessages();

        // The year is built and the page stands on today, with the main window given back.
        frmSchedule& page = frmSchedule::Get();
        QCOMPARE(page.txtDate->Text(), QStringLiteral("2026-10-14"));
        QCOMPARE(page.lblSubject[0]->Caption(), QStringLiteral("Maths"));
        QCOMPARE(page.lblTime[1]->Caption(), QStringLiteral("9:30"));
        QCOMPARE(Globals().SetupComplete, 1);
        QVERIFY(!Globals().BlankDataBase);
        QCOMPARE(DatabaseProbe(env.DatabasePath()).count(), 298);
        QCOMPARE(QueryValue(env.DatabasePath(),
                            QStringLiteral("SELECT SchoolDay FROM QLM WHERE Date = '2026-10-12'"))
                     .toString(),
                 QStringLiteral("x"));
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("TeacherName1")),
                 QStringLiteral("Ms. Avery"));
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("TeacherQuery1")),
                 TeacherQueryFor(QStringLiteral("123456"), 1));
        QCOMPARE(Globals().TeacherCriteria[1], Globals().TeacherQuery[1]);
        QVERIFY(page.parentWidget()->isVisible());
        QVERIFY(frmMain::Get().mnuFile->menuAction()->isEnabled());
        QVERIFY(frmMain::Get().Button(QStringLiteral("Find"))->isEnabled());
        QVERIFY(frmMain::Get().mnuFExit->isEnabled());
        QCOMPARE(page.fraCalendar->isVisible(), Globals().CalendarShow);
        QCOMPARE(page.fraTimeTable->isVisible(), Globals().TimeTableShow);
        QCOMPARE(frmMain::Get().StatusPanel(QStringLiteral("TeacherName"))->text(),
                 QStringLiteral("Teacher: Ms. Avery"));
        QVERIFY(frmMain::Get().windowTitle().contains(QStringLiteral("Ms. Avery")));
        Shot(&frmMain::Get(), QStringLiteral("finished"));
    }

    void closingAnIncompleteSetupAsksFirst() {
        TestEnvironment env;
        StartFirstUse();
        frmSetup& w = Wizard();
        MessageTestSeam::QueueAnswer(MsgAnswerOK); // go on with the set-up
        w.cmdCancel->click();
        QVERIFY(frmSetup::IsLoaded());
        QCOMPARE(MessageTestSeam::Answered().last().title, QStringLiteral("Quillmarsh - Setup Incomplete"));
        QCOMPARE(MessageTestSeam::Answered().last().helpContext, 110);
        QVERIFY(MainWindowLocked());
        MessageTestSeam::QueueAnswer(MsgAnswerCancel); // leave it for now
        w.close();
        QVERIFY(!frmSetup::IsLoaded());
        VerifyNoUnexpectedMessages();
        // Nothing saved; the page and its panels come back as their flags say, data commands off.
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("SetupUser")), QString());
        frmSchedule& page = frmSchedule::Get();
        QVERIFY(page.parentWidget()->isVisible());
        QCOMPARE(page.fraCalendar->isVisible(), Globals().CalendarShow);
        QCOMPARE(page.fraNotes->isVisible(), Globals().NotesShow);
        frmMain& main = frmMain::Get();
        QVERIFY(main.mnuTools->menuAction()->isEnabled());
        QVERIFY(main.mnuTSetup->isEnabled());
        QVERIFY(main.mnuFExit->isEnabled());
        QVERIFY(!main.mnuEFindReplace->isEnabled()); // still no school year
        QVERIFY(!main.Button(QStringLiteral("Find"))->isEnabled());
    }

    // By keys: Return presses the focused Next, and Escape is Cancel, with its question, whose
    // OK goes on with the set-up.
    void theWizardByKeys() {
        TestEnvironment env;
        StartFirstUse();
        frmSetup& w = Wizard();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.cmdNext->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), w.cmdNext);
        QTest::keyClick(w.cmdNext, Qt::Key_Return);
        QCOMPARE(w.CurrentStep, 2);
        for (const int answer : {MsgAnswerOK, MsgAnswerCancel}) {
            MessageTestSeam::QueueAnswer(answer);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QCOMPARE(MessageTestSeam::Answered().last().title,
                     QStringLiteral("Quillmarsh - Setup Incomplete"));
            QCOMPARE(frmSetup::IsLoaded(), answer == MsgAnswerOK);
        }
        VerifyNoUnexpectedMessages();
    }

    // Tab takes the buttons as they are read, from left to right.
    void theButtonsTakeTabInReadingOrder() {
        TestEnvironment env;
        StartFirstUse();
        frmSetup& w = Wizard();
        Next();
        QTest::keyClicks(w.txtTeacherName[1], QStringLiteral("Ms. Avery")); // Reset is offered
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.cmdHelp->setFocus(Qt::TabFocusReason);
        for (QWidget* next : {w.cmdDailyPlannerHelp, w.cmdReset, w.cmdBack, w.cmdNext, w.cmdCancel}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void problemsAreSaidOnNextButNotWhileLoadingOrResetting() {
        TestEnvironment env;
        StartFirstUse();
        frmSetup& w = Wizard();
        VerifyNoUnexpectedMessages(); // steps 2 to 4 fail at load, silently
        QVERIFY(!w.StepOK[2] && !w.StepOK[3] && !w.StepOK[4]);
        Next();
        // Step 2: no name.
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Next();
        QCOMPARE(w.CurrentStep, 2);
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().last().title, QStringLiteral("Quillmarsh - User Setup Problem"));
        QVERIFY(
            MessageTestSeam::Answered().last().text.startsWith(QStringLiteral("One or Both Teacher Names")));
        QTest::keyClicks(w.txtTeacherName[1], QStringLiteral("Ms. Avery"));
        QCOMPARE(w.NodePicture(2), 8);
        QVERIFY(w.cmdReset->isEnabled());
        w.chkDays1[3]->click();
        w.cmdReset->click(); // back to what is saved, without a word
        QCOMPARE(w.txtTeacherName[1]->text(), QString());
        // The cycle was chosen already; choosing it again from code still sets the boxes.
        QVERIFY(w.chkDays1[3]->isChecked());
        QCOMPARE(w.CurrentDays1[3], 1);
        QTest::keyClicks(w.txtTeacherName[1], QStringLiteral("Ms. Avery"));
        Next();
        // Step 3: the problem names its term, and the holiday message brings its tab forward.
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Next();
        QCOMPARE(MessageTestSeam::Answered().last().text.left(31),
                 QStringLiteral("The problem is with Term 1...\r\n"));
        Pick(w.dtpTermStart[1], QDate(2026, 9, 1));
        Pick(w.dtpTermEnd[1], QDate(2027, 6, 25));
        w.SSTabSetup->setCurrentIndex(0);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Next();
        QCOMPARE(MessageTestSeam::Answered().last().title, QStringLiteral("Quillmarsh - Holiday Problem"));
        QCOMPARE(MessageTestSeam::Answered().last().icon, int(MsgInformation));
        QCOMPARE(w.SSTabSetup->currentIndex(), 1);
        QCOMPARE(w.lblStepsSchoolYear[0]->text(), QStringLiteral("Holidays NOT counted as School Days"));
        Shot(&w, QStringLiteral("holidays"));
        w.chkIgnoreHolidays->click();
        w.chkIgnoreInservices->click();
        Next();
        // Step 4: an empty timetable, unless it is to be ignored.
        QCOMPARE(w.CurrentStep, 4);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Next();
        QCOMPARE(MessageTestSeam::Answered().last().title, QStringLiteral("Quillmarsh - TimeTable Problem"));
        w.chkIgnoreTimeTable->click();
        Next();
        QCOMPARE(w.CurrentStep, 5);
        // Back from the review: the caption is Next again, and Next checks step 4 again.
        w.cmdBack->click();
        QCOMPARE(w.cmdNext->text(), QStringLiteral("Next"));
        w.cmdBack->click();
        w.cmdBack->click();
        w.cmdBack->click();
        w.cmdReset->click(); // step 1 resets every step, silently
        QCOMPARE(w.CurrentStep, 1);
        VerifyNoUnexpectedMessages();
        QCOMPARE(MessageTestSeam::Answered().size(), 4); // one for each failed Next
    }

    void timetableChangeLocksTheOtherStepsAndChecksItsRange() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        // Dates not used, as the set-up writes them: the same as a picker without a date.
        const QString dates = QStringLiteral("Settings\\Dates");
        SaveText(dates, QStringLiteral("TermStart2"), QStringLiteral("12:00:00 AM"));
        SaveText(dates, QStringLiteral("TermEnd2"), QStringLiteral("12:00:00 AM"));
        SaveText(dates, QStringLiteral("Holidays3"), QStringLiteral("12:00:00 AM"));
        QVERIFY(Main());
        frmMain::Get().mnuTSetup_Click();
        frmSetup& w = Wizard();
        QVERIFY(!w.DatesChanged);
        QCOMPARE(w.NodePicture(3), 7); // unchanged, and without holidays not yet complete
        QCOMPARE(w.NodePicture(2), 6);
        QVERIFY(w.optSetupMode[1]->isEnabled());
        // Choosing TimeTable Change drops what was edited in step 2.
        Next();
        QTest::keyClicks(w.txtTeacherName[1], QStringLiteral(" Jr."));
        w.cmdBack->click();
        w.optSetupMode[1]->click();
        QCOMPARE(w.txtTeacherName[1]->text(), QStringLiteral("Ms. Avery"));
        QVERIFY(!w.fraNames->isEnabled());
        QCOMPARE(w.TermCount, 1);
        QVERIFY(w.chkPreserveTerms[1]->isEnabled());
        QVERIFY(!w.chkPreserveTerms[2]->isEnabled() || !w.chkPreserveTerms[2]->isChecked());
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Next();
        QCOMPARE(MessageTestSeam::Answered().last().title, QStringLiteral("Quillmarsh - Terms Problem"));
        w.optPreserveMode[1]->click();
        Pick(w.dtpPreserveDates[0], QDate(2026, 8, 31)); // a day before the year
        Pick(w.dtpPreserveDates[1], QDate(2026, 12, 1));
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Next();
        QVERIFY(MessageTestSeam::Answered().last().text.startsWith(
            QStringLiteral("The Date Range must be within the School Year Range.")));
        QVERIFY(!Globals().SchoolYearStart.isValid()); // checked against step 3, set only at Finish
        QCOMPARE(w.lblPreserveDates[2]->text(), QStringLiteral("September 1, 2026"));
        QCOMPARE(w.lblPreserveDates[3]->text(), QStringLiteral("June 25, 2027"));
        w.dtpPreserveDates[0]->edit->setDate(QDate(2026, 9, 1));
        Next();
        QCOMPARE(w.CurrentStep, 2);
        QCOMPARE(w.lblSetUpTitle->text(), QStringLiteral("User Schedule - Restricted Access"));
        QVERIFY(!w.cmdReset->isEnabled());
        Next();
        QCOMPARE(w.lblSetUpTitle->text(), QStringLiteral("School Year Dates - Restricted Access"));
        Shot(&w, QStringLiteral("restricted"));
        w.cmdBack->click();
        w.cmdBack->click();
        Shot(&w, QStringLiteral("timetableChange"));
        VerifyNoUnexpectedMessages();
    }

    // With three terms in use the fourth term's box is never offered: not when the wizard opens
    // on a saved Date Range and the teacher switches to Terms, nor when TimeTable Change is chosen
    // later. Its saved tick stays, and counts for nothing.
    void onlyTheTermsInUseCanBeTicked_data() {
        QTest::addColumn<int>("savedMode");
        QTest::newRow("opens on TimeTable Change") << 1;
        QTest::newRow("TimeTable Change chosen") << 0;
    }
    void onlyTheTermsInUseCanBeTicked() {
        QFETCH(int, savedMode);
        TestEnvironment env;
        YearPlan plan;
        plan.terms = {{QDate(2026, 9, 1), QDate(2026, 12, 18)},
                      {QDate(2027, 1, 4), QDate(2027, 3, 26)},
                      {QDate(2027, 4, 12), QDate(2027, 6, 25)}};
        BuildYear(plan);
        SaveText(QStringLiteral("Settings"), QStringLiteral("SetupMode"), QString::number(savedMode));
        SaveText(QStringLiteral("Settings"), QStringLiteral("PreserveMode"), QStringLiteral("1"));
        SaveText(QStringLiteral("Settings"), QStringLiteral("PreserveTerms4"), QStringLiteral("1"));
        QVERIFY(Main());
        frmMain::Get().mnuTSetup_Click();
        frmSetup& w = Wizard();
        QCOMPARE(w.TermCount, 3);
        if (savedMode != 1) {
            w.optSetupMode[1]->click();
        }
        QVERIFY(w.optPreserveMode[1]->isChecked());
        for (int t = 1; t <= 4; ++t) {
            QVERIFY(!w.chkPreserveTerms[t]->isEnabled());
        }
        w.optPreserveMode[0]->click();
        for (int t = 1; t <= 3; ++t) {
            QVERIFY(w.chkPreserveTerms[t]->isEnabled());
        }
        QVERIFY(!w.chkPreserveTerms[4]->isEnabled());
        QVERIFY(w.chkPreserveTerms[4]->isChecked());
        w.chkPreserveTerms[4]->click();
        QVERIFY(w.chkPreserveTerms[4]->isChecked());
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Next();
        QCOMPARE(w.CurrentStep, 1);
        QVERIFY(MessageTestSeam::Answered().last().text.startsWith(
            QStringLiteral("No Terms have been selected.")));
        w.chkPreserveTerms[3]->click();
        Next();
        QCOMPARE(w.CurrentStep, 2);
        VerifyNoUnexpectedMessages();
    }

    // Our fonts are wider than the design's: the steps' controls still stand clear of each other,
    // and the review's lists have nothing to scroll across.
    void theStepsControlsStandClearOfEachOther() {
        TestEnvironment env;
        YearPlan plan = SharedBookYear();
        for (int day = 0; day < 12; ++day) {
            plan.holidays << QDate(2026, 10, 1).addDays(day);
        }
        BuildYear(plan);
        SaveText(QStringLiteral("Settings"), QStringLiteral("IgnoreInservices"), QStringLiteral("1"));
        SetLogOnChoiceForTests(1);
        QVERIFY(Main());
        frmMain::Get().mnuTSetup_Click();
        frmSetup& w = Wizard();
        QTest::qWait(1);
        auto clear = [](const QWidget* left, const QWidget* right) {
            return left->geometry().right() + 2 < right->geometry().left();
        };
        for (int i = 0; i < 2; ++i) {
            QVERIFY(clear(w.lblPreserveDates[i], w.dtpPreserveDates[i]));
        }
        Next();
        QCOMPARE(w.CurrentStep, 2);
        for (int cycle : {1, 0}) {
            w.optCycle[cycle]->click();
            QTest::qWait(1);
            for (int d = 1; d <= 6; ++d) {
                QVERIFY(clear(w.chkDays1[d], w.chkDays1[d + 1]) || !w.chkDays1[d + 1]->isVisible());
                QCOMPARE(w.chkDays2[d]->geometry().left(), w.chkDays1[d]->geometry().left());
            }
            QVERIFY(clear(w.txtTeacherName[1], w.chkDays1[1]));
            QVERIFY(clear(w.txtTeacherName[2], w.chkDays2[1]));
            QVERIFY(w.chkDays1[7]->geometry().right() < w.fraNames->contentsRect().right());
        }
        Next();
        Next();
        Next();
        QCOMPARE(w.CurrentStep, 5);
        QTest::qWait(1);
        QCOMPARE(w.lvwHolidays->topLevelItemCount(), 12);
        for (QTreeWidget* list : {w.lvwUser, w.lvwTerms, w.lvwHolidays}) {
            QVERIFY(!list->horizontalScrollBar()->isVisible());
        }
        VerifyNoUnexpectedMessages();
    }

    void theTimetableGridFollowsTheWeekdaysAndTheKeys() {
        TestEnvironment env;
        StartFirstUse();
        frmSetup& w = Wizard();
        Next();
        w.optCycle[1]->click();
        for (int d : {3, 5}) { // Tuesday and Thursday off: Monday, Wednesday, Friday
            w.chkWeekdays[d]->click();
            if (w.chkDays1[d]->isChecked()) {
                w.chkDays1[d]->click();
            }
        }
        QTest::keyClicks(w.txtTeacherName[1], QStringLiteral("Ms. Avery"));
        Next();
        QCOMPARE(w.CurrentStep, 3);
        Pick(w.dtpTermStart[1], QDate(2026, 9, 1));
        Pick(w.dtpTermEnd[1], QDate(2027, 6, 25));
        w.chkIgnoreHolidays->click();
        w.chkIgnoreInservices->click();
        Next();
        QCOMPARE(w.CurrentStep, 4);
        QCOMPARE(w.GridCols, 4);
        QCOMPARE(w.txtHeader[1]->text(), QStringLiteral("Mon"));
        QCOMPARE(w.txtHeader[3]->text(), QStringLiteral("Fri"));
        QVERIFY(!w.txtHeader[4]->isVisibleTo(&w));
        const double width = TwWidth(w.txtRow[1]);
        QCOMPARE(width, double(CLng((8 - 4) * w.GridColWidth / 3.0 + w.GridColWidth)));
        QCOMPARE(TwLeft(w.txtRow[2]), double(w.GridLeft + width - 8));

        // A row takes lessons once it has a time; emptying the time empties and locks it again.
        QVERIFY(!w.txtRow[1]->isEnabled());
        QTest::keyClicks(w.txtRow[0], QStringLiteral("8:30"));
        QVERIFY(w.txtRow[1]->isEnabled());
        QTest::keyClicks(w.txtRow[1], QStringLiteral("A long lesson name to read in full"));
        QTest::mouseMove(w.txtRow[1]);
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(w.txtRow[1], &move);
        QCOMPARE(w.txtRow[1]->toolTip(), QStringLiteral("A long lesson name to read in full"));
        w.txtRow[0]->selectAll();
        QTest::keyClick(w.txtRow[0], Qt::Key_Backspace);
        QCOMPARE(w.txtRow[1]->text(), QString());
        QVERIFY(!w.txtRow[1]->isEnabled());

        // Enter and Down go down a row, Up goes up; never into a locked row, never to Next.
        QTest::keyClicks(w.txtRow[0], QStringLiteral("8:30"));
        QTest::keyClicks(w.txtRow[8], QStringLiteral("9:30"));
        w.txtRow[0]->setFocus();
        QTest::keyClick(w.txtRow[0], Qt::Key_Return);
        QCOMPARE(w.focusWidget(), w.txtRow[8]);
        QTest::keyClick(w.txtRow[8], Qt::Key_Up);
        QCOMPARE(w.focusWidget(), w.txtRow[0]);
        w.txtRow[1]->setFocus();
        QTest::keyClick(w.txtRow[1], Qt::Key_Down);
        QCOMPARE(w.focusWidget(), w.txtRow[9]);
        QTest::keyClick(w.txtRow[9], Qt::Key_Enter); // row 3 has no time: its lessons are locked
        QCOMPARE(w.focusWidget(), w.txtRow[9]);
        w.txtRow[88]->setFocus();
        QTest::keyClick(w.txtRow[88], Qt::Key_Down); // the last row
        QCOMPARE(w.focusWidget(), w.txtRow[88]);
        w.txtRow[0]->setFocus();
        QTest::keyClick(w.txtRow[0], Qt::Key_Up); // the first row
        QCOMPARE(w.focusWidget(), w.txtRow[0]);
        QCOMPARE(w.CurrentStep, 4); // Enter pressed no button
        Shot(&w, QStringLiteral("step4"));

        // Going back to step 2 and on without a change keeps the grid as it was typed.
        w.cmdBack->click();
        w.cmdBack->click();
        Next();
        Next();
        QCOMPARE(w.txtRow[0]->text(), QStringLiteral("8:30"));

        // Subjects of hidden columns are saved empty.
        const SetupValues values = w.CollectSetupValues();
        QCOMPARE(values.WkDay, QStringLiteral("xxxMonxxxWedxxxFrixxx"));
        QCOMPARE(values.Headers[4], QStringLiteral("4"));
        QCOMPARE(values.TimeTable.Subject[5][1], QString());
        VerifyNoUnexpectedMessages();
    }

    // After a first set-up the wizard opens on New School Year with Next focused: Return five
    // times from Tools > Setup starts a new year. The year's lesson plans are kept in a copy that
    // the success names, and the wizard is off the screen from the write on.
    void returnFiveTimesKeepsTheYearInACopy() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        ExecSql(env.DatabasePath(), QStringLiteral("UPDATE QLM SET Details1 = 'lesson ' || Date"));
        for (const char* key : {"IgnoreHolidays", "IgnoreInservices"}) {
            SaveText(QStringLiteral("Settings"), QLatin1String(key), QStringLiteral("1"));
        }
        QVERIFY(Main());
        frmMain::Get().mnuTSetup->trigger();
        frmSetup& w = Wizard();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(QApplication::focusWidget(), w.cmdNext);
        int written = 0, shownWhileWriting = 0; // files written from the Finish on
        FileCopySeam::SetCreatedHookForTests([&](const QString&) {
            ++written;
            shownWhileWriting += w.isVisible();
        });
        QString said;
        bool shownAtSuccess = true;
        MessageTestSeam::Enable(false);
        SetMessageHandler([&](const QString& text, int, int, const QString& title, qint32) {
            said = title + QStringLiteral("\n") + text;
            shownAtSuccess = frmSetup::IsLoaded() && Wizard().isVisible();
            return int(MsgAnswerOK);
        });
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        SetMessageHandler({});
        MessageTestSeam::Enable(true);
        FileCopySeam::SetCreatedHookForTests({});
        QCOMPARE(QueryValue(env.DatabasePath(), QStringLiteral("SELECT count(Details1) FROM QLM")).toInt(),
                 0);
        const QStringList copies = QDir(env.ProgramFolder()).entryList({QStringLiteral("QLM - kept *.mdb")});
        QCOMPARE(copies.size(), 1);
        QVERIFY2(said.startsWith(QStringLiteral("Quillmarsh - Successfull Setup\n") + SetupSuccessMessage() +
                                 QStringLiteral("\r\n\r\n")) &&
                     said.contains(QStringLiteral("\"%1\"").arg(copies.first())),
                 qPrintable(said));
        QVERIFY(!shownAtSuccess && written > 0 && shownWhileWriting == 0);
        QVERIFY(!frmSetup::IsLoaded());
        QVERIFY(frmSchedule::Get().parentWidget()->isVisible());
    }

    // A year written whose settings file could not take its settings has had its warning: no
    // success follows it.
    void settingsNotSavedAreNoSuccess() {
        TestEnvironment env;
        StartFirstUse();
        EnterANewYear();
        int renames = 0; // the first is the settings file's
        FileCopySeam::SetStepFailureForTests([&renames](FileCopySeam::Step step) {
            return step == FileCopySeam::Step::Rename && !renames++ ? EIO : 0;
        });
        MessageTestSeam::QueueAnswer(MsgAnswerOK); // the warning
        Next();
        FileCopySeam::SetStepFailureForTests({});
        VerifyNoUnexpectedMessages();
        QCOMPARE(MessageTestSeam::Answered().first().title, QStringLiteral("Quillmarsh - Saving Settings"));
        QVERIFY(!frmSetup::IsLoaded()); // the year stands
        QCOMPARE(Globals().SetupComplete, 1);
    }

    void aFailedFinishChangesNothingAndShowsTheWizardAgain() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        ExecSql(env.DatabasePath(), QStringLiteral("UPDATE QLM SET Notes = 'kept ' || Date"));
        ExecSql(env.DatabasePath(),
                QStringLiteral("CREATE TRIGGER full BEFORE INSERT ON QLM WHEN NEW.Date = "
                               "'2027-02-01' BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        QVERIFY(Main());
        const QByteArray settings = FileBytes(env.SettingsFile());
        frmMain::Get().mnuTSetup_Click();
        frmSetup& w = Wizard();
        w.optSetupMode[2]->click();
        w.chkIgnoreHolidays->click();
        w.chkIgnoreInservices->click();
        for (int i = 0; i < 4; ++i) {
            Next();
        }
        QCOMPARE(w.CurrentStep, 5);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Next();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QVERIFY(MessageTestSeam::Answered().first().text.contains(QStringLiteral("disk full")));
        VerifyNoUnexpectedMessages();
        QVERIFY(frmSetup::IsLoaded());
        QVERIFY(w.isVisible());
        QCOMPARE(w.CurrentStep, 5);
        QVERIFY(MainWindowLocked());
        QCOMPARE(FileBytes(env.SettingsFile()), settings);
        QCOMPARE(QueryValue(env.DatabasePath(),
                            QStringLiteral("SELECT count(*) FROM QLM WHERE Notes LIKE 'kept %'"))
                     .toInt(),
                 298);
        QCOMPARE(Globals().IgnoreHolidays, 0);
    }

    void helpFollowsTheStep() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        frmMain::Get().mnuTSetup_Click();
        frmSetup& w = Wizard();
        w.chkIgnoreHolidays->click();
        w.chkIgnoreInservices->click();
        for (int step = 1; step <= 5; ++step) {
            QCOMPARE(w.CurrentStep, step);
            QCOMPARE(w.cmdReset->isVisible(), step != 5);
            QCOMPARE(w.cmdReset->text(),
                     step == 1 ? QStringLiteral("Reset All Options")
                               : QStringLiteral("Reset ") + w.TreeView->topLevelItem(step - 1)->text(0));
            w.cmdHelp->click();
            QCOMPARE(RecordedHelpCalls().last().context, 100 + 10 * step);
            QCOMPARE(RecordedHelpCalls().last().command, HH_HELP_CONTEXT);
            Shot(&w, QStringLiteral("help%1").arg(step));
            if (step < 5) {
                Next();
            }
        }
        w.cmdDailyPlannerHelp->click();
        QCOMPARE(RecordedHelpCalls().last().context, 160);
        VerifyNoUnexpectedMessages();
    }
};

QTEST_MAIN(SetupWizardTest)
#include "tst_setupwizard.moc"
