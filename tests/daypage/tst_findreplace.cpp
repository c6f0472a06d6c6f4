#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/FindText.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "daypage/FoundItemPlacement.h"
#include "daypage/frmFindReplace.h"
#include "daypage/frmSchedule.h"
#include "mainwindow/frmMain.h"
#include "platform/DateText.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "support/UiTestSupport.h"
#include "ui/OpenWindows.h"
#include "ui/UiState.h"
#include "widgets/Help.h"
#include "widgets/TwipsGeometry.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
const QString kStart = QStringLiteral("2026-10-14"); // "today", where the book opens

frmSchedule& Page() {
    return frmSchedule::Get();
}

QString Shown() {
    return Page().txtDate->Text();
}

frmFindReplace& Dialog() {
    ShowFindReplace();
    return *frmFindReplace::IfLoaded();
}

void Plant(const QString& path, const QString& date, const QString& field, const QString& text) {
    ExecSql(path, QStringLiteral("UPDATE QLM SET %1 = ? WHERE Date = ?").arg(field), {text, date});
}

QString Stored(const QString& path, const QString& date, const QString& field) {
    return QueryValue(path, QStringLiteral("SELECT %1 FROM QLM WHERE Date = ?").arg(field), {date})
        .toString();
}

// A full year with times and subjects in all twelve rows.
void BuildBook() {
    YearPlan plan;
    plan.timeRows = 12;
    BuildYear(plan);
}

// Starts the program on a 1280 x 800 screen, the smallest a teacher is expected to have: the
// dialog then fits on either page.
bool StartOnA1280Screen() {
    if (!Main()) {
        return false;
    }
    frmMain& main = frmMain::Get();
    frmSchedule::Unload();
    main.showNormal();
    main.resize(1280, 800);
    QTest::qWait(1);
    Globals().StartupDone = false; // the page takes its width from the window again
    frmSchedule::Get();
    OpenDayTable();
    GoToDate(QDate(2026, 10, 14));
    Globals().StartupDone = true;
    QTest::qWait(1);
    return true;
}

// Find Next at the end of a pass: the message it gives.
QString FindNextEndingThePass(frmFindReplace& dialog) {
    const auto before = MessageTestSeam::Answered().size();
    MessageTestSeam::QueueAnswer(MsgAnswerOK);
    dialog.cmdFind_Click();
    const auto& answered = MessageTestSeam::Answered();
    return answered.size() > before ? answered.last().text : QString();
}

QString LastMessage() {
    const auto& answered = MessageTestSeam::Answered();
    return answered.isEmpty() ? QString() : answered.last().text;
}
} // namespace

class FindReplaceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensOnTheMainWindowAndLocksTheNotes() {
        TestEnvironment env;
        BuildBook();
        QVERIFY(StartOnA1280Screen());
        frmMain& main = frmMain::Get();
        QVERIFY(main.Button(QStringLiteral("Notes"))->isEnabled());
        main.mnuEFindReplace->trigger();
        frmFindReplace* dialog = frmFindReplace::IfLoaded();
        QVERIFY(dialog);
        // A plain child of the main window, not a window of its own or a child window beside
        // the day page.
        QCOMPARE(dialog->parentWidget(), main.clientArea);
        QVERIFY(!dialog->isWindow());
        QVERIFY(dialog->isVisible());
        QVERIFY(IsWindowOpen(QStringLiteral("frmFindReplace")));
        QCOMPARE(dialog->lblTitle->text(), Globals().AppTitle + QStringLiteral(" - Find/Replace  "));
        QCOMPARE(dialog->txtFind->maxLength(), 250);
        QVERIFY(dialog->optSearch[kAreaDetails]->isChecked());
        QVERIFY(!dialog->cmdFind->isEnabled());
        QCOMPARE(dialog->lblDate->text(), QStringLiteral("October 14, 2026"));
        QCOMPARE(main.focusWidget(), dialog->txtFind);
        // The notes panel is the dialog's while it is open.
        QVERIFY(!main.Button(QStringLiteral("Notes"))->isEnabled());
        QVERIFY(!main.mnuVNotes->isEnabled());
        // It sits at the top of the day page and stays within the main window when dragged.
        QCOMPARE(dialog->FormTop(), 0.0);
        QVERIFY(main.clientArea->rect().contains(dialog->geometry()));
        auto drag = [dialog](QEvent::Type type, const QPoint& global) {
            QMouseEvent event(type, dialog->lblTitle->mapFromGlobal(global), global, Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(dialog->lblTitle, &event);
        };
        const QPoint grip = dialog->lblTitle->mapToGlobal(QPoint(20, 5));
        const QPoint offset = grip - dialog->mapToGlobal(QPoint(0, 0));
        drag(QEvent::MouseButtonPress, grip);
        drag(QEvent::MouseMove, main.clientArea->mapToGlobal(QPoint(300, 200)) + offset);
        QCOMPARE(dialog->pos(), QPoint(300, 200));
        drag(QEvent::MouseMove, main.clientArea->mapToGlobal(QPoint(-400, 5000)));
        drag(QEvent::MouseButtonRelease, main.clientArea->mapToGlobal(QPoint(-400, 5000)));
        QVERIFY(main.clientArea->rect().contains(dialog->geometry()));
        QCOMPARE(dialog->x(), 0);
        dialog->tmrFind_Timer();
        QCOMPARE(dialog->FormLeft(), 0.0);
        QCOMPARE(dialog->FormTop(), TwipsY(dialog->y()) - frmFindReplace::PageTop());

        dialog->cmdHelp_Click();
        QCOMPARE(RecordedHelpCalls().last().context, 350);
        QCOMPARE(RecordedHelpCalls().last().command, HH_HELP_CONTEXT);

        QTest::keyClick(dialog->txtFind, Qt::Key_Escape); // Cancel
        QVERIFY(!frmFindReplace::IsLoaded());
        QVERIFY(!IsWindowOpen(QStringLiteral("frmFindReplace")));
        QVERIFY(main.Button(QStringLiteral("Notes"))->isEnabled());
        QVERIFY(main.mnuVNotes->isEnabled());
        VerifyNoUnexpectedMessages();
    }

    void reopeningShowsTheTextsAsTyped() {
        TestEnvironment env;
        BuildBook();
        Plant(env.DatabasePath(), QStringLiteral("2026-10-20"), QStringLiteral("Subject3"),
              QStringLiteral("QUILL"));
        QVERIFY(StartOnA1280Screen());
        frmFindReplace* dialog = &Dialog();
        dialog->optSearch[kAreaSubjectLines]->setChecked(true);
        dialog->optRegion[kRegionCurrentToLast]->setChecked(true);
        dialog->chkMatchCase->setChecked(false);
        dialog->txtFind->setText(QStringLiteral("Quill"));
        dialog->txtReplace->setText(QStringLiteral("Pen"));
        dialog->cmdFind_Click();
        QVERIFY(dialog->SearchFound());
        QCOMPARE(Globals().FindText, QStringLiteral("QUILL")); // searched in capitals
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        dialog->cmdReplace_Click();
        QCOMPARE(LastMessage(), PassCompleteMessage(true, 1));
        dialog->cmdCancel_Click();

        dialog = &Dialog();
        QCOMPARE(dialog->txtFind->text(), QStringLiteral("Quill"));
        QCOMPARE(Globals().FindText, QStringLiteral("Quill"));
        QCOMPARE(dialog->txtReplace->text(), QStringLiteral("Pen"));
        QVERIFY(dialog->optSearch[kAreaSubjectLines]->isChecked());
        QVERIFY(dialog->optRegion[kRegionCurrentToLast]->isChecked());
        QVERIFY(!dialog->chkMatchCase->isChecked());
        QVERIFY(dialog->cmdFind->isEnabled());
        QVERIFY(!dialog->cmdReplace->isEnabled());
        for (QLabel* count : dialog->lblCount) {
            QVERIFY(count->text().isEmpty());
        }
        QVERIFY(!dialog->lblCount[kAreaDetails]->isVisibleTo(dialog));
        QCOMPARE(dialog->FoundCount(), 0);
        QCOMPARE(frmMain::Get().focusWidget(), dialog->cmdFind);
        VerifyNoUnexpectedMessages();
    }

    void findNextEndsThePassWithItsMessage_data() {
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QString>("message");
        QTest::newRow("none") << QStringList{} << "Search Text Not Found\r\nin Details.";
        QTest::newRow("one") << QStringList{"2026-11-03"} << "Search Area Complete.\r\n\r\nFound 1 item.";
        QTest::newRow("two, the last on the last day")
            << QStringList{"2026-09-01", "2027-06-25"} << "Search Area Complete.\r\n\r\nFound 2 items.";
    }
    void findNextEndsThePassWithItsMessage() {
        QFETCH(QStringList, days);
        QFETCH(QString, message);
        TestEnvironment env;
        BuildBook();
        for (const QString& day : days) {
            Plant(env.DatabasePath(), day, QStringLiteral("Details5"),
                  QStringLiteral("read ch. 4 (pp. 50%)"));
        }
        QVERIFY(StartOnA1280Screen());
        frmFindReplace& dialog = Dialog();
        dialog.txtFind->setText(QStringLiteral("ch. 4 (pp. 50%)"));
        for (int i = 0; i < days.size(); ++i) {
            dialog.cmdFind_Click();
            QVERIFY(dialog.SearchFound());
            QCOMPARE(Shown(), days[i]);
            QCOMPARE(dialog.Hit(kAreaDetails).HitRow, 4);
            QCOMPARE(dialog.lblCount[kAreaDetails]->text(), QString::number(i + 1));
            QVERIFY(dialog.cmdReplace->isEnabled());
        }
        QCOMPARE(FindNextEndingThePass(dialog), message);
        // The pass is over: counts zeroed, the page back on the start day.
        QCOMPARE(dialog.FoundCount(), 0);
        QVERIFY(!dialog.SearchActive());
        QVERIFY(!dialog.cmdReplace->isEnabled());
        QCOMPARE(Shown(), kStart);
        QVERIFY(!Page().imgFound1->isVisible());
        // The next Find Next begins a new pass.
        if (!days.isEmpty()) {
            dialog.cmdFind_Click();
            QCOMPARE(dialog.FoundCount(), 1);
            QCOMPARE(Shown(), days.first());
        }
        VerifyNoUnexpectedMessages();
    }

    void anyChangeRestartsThePass_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("area") << "area";
        QTest::newRow("region") << "region";
        QTest::newRow("match case") << "case";
        QTest::newRow("whole word") << "whole";
        QTest::newRow("find text") << "find";
        QTest::newRow("replace text") << "replace";
    }
    void anyChangeRestartsThePass() {
        QFETCH(QString, change);
        TestEnvironment env;
        BuildBook();
        Plant(env.DatabasePath(), QStringLiteral("2026-10-05"), QStringLiteral("Details2"),
              QStringLiteral("map"));
        Plant(env.DatabasePath(), QStringLiteral("2026-10-06"), QStringLiteral("Details2"),
              QStringLiteral("map"));
        QVERIFY(StartOnA1280Screen());
        frmFindReplace& dialog = Dialog();
        dialog.txtFind->setText(QStringLiteral("map"));
        dialog.cmdFind_Click();
        dialog.cmdReplace_Click(); // replaced on the 5th, on to the 6th
        QCOMPARE(dialog.FoundCount(), 2);
        QCOMPARE(dialog.ReplacedCount(), 1);
        QVERIFY(Page().imgFound1->isVisible());

        if (change == QLatin1String("area")) {
            dialog.optSearch[kAreaNotes]->setChecked(true);
        } else if (change == QLatin1String("region")) {
            dialog.optRegion[kRegionCurrentToLast]->setChecked(true);
        } else if (change == QLatin1String("case")) {
            dialog.chkMatchCase->setChecked(false);
        } else if (change == QLatin1String("whole")) {
            dialog.chkWholeWord->setChecked(true);
        } else if (change == QLatin1String("find")) {
            dialog.txtFind->setText(QStringLiteral("maps"));
        } else {
            dialog.txtReplace->setText(QStringLiteral("globe"));
        }
        QCOMPARE(dialog.FoundCount(), 0);
        QCOMPARE(dialog.ReplacedCount(), 0);
        QVERIFY(!dialog.cmdReplace->isEnabled());
        QVERIFY(!Page().imgFound1->isVisible());
        QVERIFY(!Page().imgFound2->isVisible());
        const int area = Globals().FindSearchArea;
        for (int i = 0; i < 4; ++i) {
            QVERIFY(dialog.lblCount[i]->text().isEmpty());
            QCOMPARE(dialog.lblCount[i]->isVisibleTo(&dialog), i == area);
        }
        // The page stays where the last hit put it.
        QCOMPARE(Shown(), QStringLiteral("2026-10-06"));
    }

    void markersShowTheHit_data() {
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("ring");
        QTest::newRow("time, top of the left page") << int(kAreaTimeLines) << 0 << true;
        QTest::newRow("time, top of the right page") << int(kAreaTimeLines) << 6 << true;
        QTest::newRow("time, row 3") << int(kAreaTimeLines) << 3 << false;
        QTest::newRow("subject, row 11") << int(kAreaSubjectLines) << 11 << false;
        QTest::newRow("subject, row 6") << int(kAreaSubjectLines) << 6 << true;
        QTest::newRow("details, row 0") << int(kAreaDetails) << 0 << false;
        QTest::newRow("details, row 7") << int(kAreaDetails) << 7 << false;
    }
    void markersShowTheHit() {
        QFETCH(int, area);
        QFETCH(int, row);
        QFETCH(bool, ring);
        TestEnvironment env;
        BuildBook();
        Plant(env.DatabasePath(), QStringLiteral("2026-11-12"), AreaField(area, row),
              QStringLiteral("Lab #7"));
        QVERIFY(StartOnA1280Screen());
        frmFindReplace& dialog = Dialog();
        dialog.optSearch[area]->setChecked(true);
        dialog.txtFind->setText(QStringLiteral("Lab #7"));
        dialog.cmdFind_Click();
        QVERIFY(dialog.SearchFound());
        frmSchedule& page = Page();
        QCOMPARE(Shown(), QStringLiteral("2026-11-12"));
        const QWidget* cell = area == kAreaTimeLines      ? page.lblTime[row]
                              : area == kAreaSubjectLines ? page.lblSubject[row]
                                                          : page.lblDetails[row];
        const TwipsRect box = TwGeometry(cell);
        QCOMPARE(page.imgFound2->isVisible(), ring);
        QCOMPARE(page.imgFound1->isVisible(), !ring);
        if (ring) {
            QCOMPARE(qRound(TwLeft(page.imgFound2)), qRound(box.left + box.width / 2));
            QCOMPARE(qRound(TwTop(page.imgFound2)), qRound(box.top + box.height / 2));
        } else {
            const double over = area == kAreaDetails ? TwWidth(page.lblTime[row]) : box.width;
            QCOMPARE(qRound(TwLeft(page.imgFound1)), qRound(box.left + over / 2));
            QCOMPARE(qRound(TwTop(page.imgFound1)), qRound(box.top - TwHeight(page.imgFound1)));
        }
        // The next step finds nothing more: the markers go.
        QCOMPARE(FindNextEndingThePass(dialog), PassCompleteMessage(false, 1));
        QVERIFY(!page.imgFound1->isVisible());
        if (area != kAreaDetails) {
            QVERIFY(!page.imgFound2->isVisible());
        }
        VerifyNoUnexpectedMessages();
    }

    void replaceAllReachesTheFile_data() {
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing to replace")
            << QStringList{} << "Search Text Not Found\r\nin Details.\r\n\r\nNo Replacements were made.";
        QTest::newRow("across the year, the last day too")
            << QStringList{"2026-09-01", "2026-10-14", "2027-01-05", "2027-06-25"}
            << "Search Area Complete.\r\n\r\nReplaced 8 items.";
    }
    void replaceAllReachesTheFile() {
        QFETCH(QStringList, days);
        QFETCH(QString, message);
        TestEnvironment env;
        BuildBook();
        const QString path = env.DatabasePath();
        for (const QString& day : days) {
            // Two cells a day; one holds the text twice and is counted once.
            Plant(path, day, QStringLiteral("Details1"), QStringLiteral("O'Brien: see O'Brien"));
            Plant(path, day, QStringLiteral("Details12"), QStringLiteral("Call O'Brien"));
        }
        QVERIFY(StartOnA1280Screen());
        frmFindReplace& dialog = Dialog();
        dialog.txtFind->setText(QStringLiteral("O'Brien"));
        dialog.txtReplace->setText(QStringLiteral("O'Neil"));
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        dialog.cmdReplaceAll_Click();
        QCOMPARE(LastMessage(), message);
        QCOMPARE(dialog.FoundCount(), 0);
        QCOMPARE(dialog.ReplacedCount(), 0);
        QVERIFY(!dialog.cmdReplace->isEnabled());
        QCOMPARE(Shown(), kStart);
        // In the file when Replace All ends, while the dialog is still open.
        QCOMPARE(QueryValue(path, QStringLiteral("SELECT count(*) FROM QLM WHERE Details1 LIKE '%Brien%' OR "
                                                 "Details12 LIKE '%Brien%'"))
                     .toInt(),
                 0);
        for (const QString& day : days) {
            QCOMPARE(Stored(path, day, QStringLiteral("Details1")), QStringLiteral("O'Neil: see O'Neil"));
            QCOMPARE(Stored(path, day, QStringLiteral("Details12")), QStringLiteral("Call O'Neil"));
        }
        // Read back through the program's own cursor as well: the file is read again.
        dialog.cmdCancel_Click();
        OpenDayTable();
        frmFindReplace& again = Dialog();
        again.txtFind->setText(QStringLiteral("O'Neil"));
        for (int i = 0; i < days.size() * 2; ++i) {
            again.cmdFind_Click();
            QVERIFY(again.SearchFound());
        }
        VerifyNoUnexpectedMessages();
    }

    void replaceAllThatCannotBeStoredSaysSo() {
        TestEnvironment env;
        BuildBook();
        Plant(env.DatabasePath(), QStringLiteral("2026-10-20"), QStringLiteral("Details3"),
              QStringLiteral("map"));
        QVERIFY(StartOnA1280Screen());
        frmFindReplace& dialog = Dialog();
        dialog.txtFind->setText(QStringLiteral("map"));
        ExecSql(env.DatabasePath(), QStringLiteral("ALTER TABLE QLM RENAME TO Gone"));
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        dialog.cmdReplaceAll_Click();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(MessageTestSeam::Answered().first().title,
                 Globals().AppTitle + QStringLiteral(" - DataBase"));
        QVERIFY(LastMessage().contains(QStringLiteral("could not be saved")));
        QVERIFY(!LastMessage().contains(QStringLiteral("Replaced")));
        QCOMPARE(dialog.ReplacedCount(), 0);
        VerifyNoUnexpectedMessages();
    }

    void replaceStoresEachCellAtOnce() {
        TestEnvironment env;
        BuildBook();
        const QString path = env.DatabasePath();
        Plant(path, QStringLiteral("2027-06-24"), QStringLiteral("Details4"),
              QStringLiteral("Quiz, then quiz"));
        Plant(path, QStringLiteral("2027-06-24"), QStringLiteral("Details9"), QStringLiteral("QUIZ"));
        Plant(path, QStringLiteral("2027-06-25"), QStringLiteral("Notes"), QStringLiteral("quiz\r\nmarks"));
        QVERIFY(StartOnA1280Screen());
        frmFindReplace& dialog = Dialog();
        dialog.chkMatchCase->setChecked(false);
        dialog.txtFind->setText(QStringLiteral("quiz"));
        dialog.txtReplace->setText(QStringLiteral("test"));
        // The first Replace with no pass running finds and replaces at once.
        dialog.cmdReplace_Click();
        QCOMPARE(Stored(path, QStringLiteral("2027-06-24"), QStringLiteral("Details4")),
                 QStringLiteral("test, then test"));
        // On to the next hit of the day; what undo and Cancel go back to is what is stored.
        QCOMPARE(Shown(), QStringLiteral("2027-06-24"));
        QCOMPARE(dialog.Hit(kAreaDetails).HitRow, 8);
        QCOMPARE(Page().lblDetails[3]->Tag, QStringLiteral("test, then test"));
        QCOMPARE(FindNextEndingThePass(dialog), PassCompleteMessage(true, 1));

        // The notes of the last day: stored before the dialog closes, line breaks kept.
        dialog.optSearch[kAreaNotes]->setChecked(true);
        dialog.cmdFind_Click();
        QCOMPARE(Shown(), QStringLiteral("2027-06-25"));
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        dialog.cmdReplace_Click(); // the last hit of the pass: the message follows
        QCOMPARE(LastMessage(), PassCompleteMessage(true, 1));
        dialog.cmdCancel_Click();
        QCOMPARE(Stored(path, QStringLiteral("2027-06-25"), QStringLiteral("Notes")),
                 QStringLiteral("test\r\nmarks"));
        QCOMPARE(Shown(), kStart);
        VerifyNoUnexpectedMessages();
    }

    void staleReplaceWritesNothing_data() {
        QTest::addColumn<QString>("disturbance");
        QTest::newRow("went to the next day") << "next day";
        QTest::newRow("edited the cell") << "edited";
    }
    void staleReplaceWritesNothing() {
        QFETCH(QString, disturbance);
        TestEnvironment env;
        BuildBook();
        const QString path = env.DatabasePath();
        Plant(path, QStringLiteral("2026-10-20"), QStringLiteral("Details6"), QStringLiteral("essay due"));
        Plant(path, QStringLiteral("2026-10-21"), QStringLiteral("Details6"), QStringLiteral("field trip"));
        Plant(path, QStringLiteral("2026-10-22"), QStringLiteral("Details6"), QStringLiteral("essay due"));
        QVERIFY(StartOnA1280Screen());
        frmFindReplace& dialog = Dialog();
        dialog.txtFind->setText(QStringLiteral("essay"));
        dialog.txtReplace->setText(QStringLiteral("poem"));
        dialog.cmdFind_Click();
        QCOMPARE(Shown(), QStringLiteral("2026-10-20"));

        // The dialog does not wait: the teacher works on the page meanwhile.
        if (disturbance == QLatin1String("next day")) {
            Page().cmdNext_Click();
            QCOMPARE(Shown(), QStringLiteral("2026-10-21"));
        } else {
            Page().lblDetails[5]->setCaption(QStringLiteral("quiz"));
        }
        dialog.cmdReplace_Click();
        QCOMPARE(dialog.ReplacedCount(), 0);
        QCOMPARE(Stored(path, QStringLiteral("2026-10-21"), QStringLiteral("Details6")),
                 QStringLiteral("field trip"));
        if (disturbance == QLatin1String("next day")) {
            // Found again where it was, and shown; the next Replace writes it.
            QCOMPARE(Shown(), QStringLiteral("2026-10-20"));
            QCOMPARE(dialog.FoundCount(), 1);
            dialog.cmdReplace_Click();
            QCOMPARE(Stored(path, QStringLiteral("2026-10-20"), QStringLiteral("Details6")),
                     QStringLiteral("poem due"));
        } else {
            // The teacher's own text stays; the search went on to the next hit.
            QCOMPARE(Shown(), QStringLiteral("2026-10-22"));
            QCOMPARE(Page().lblDetails[5]->Caption(), QStringLiteral("essay due"));
            QCOMPARE(Stored(path, QStringLiteral("2026-10-20"), QStringLiteral("Details6")),
                     QStringLiteral("quiz"));
        }
        QCOMPARE(Stored(path, QStringLiteral("2026-10-21"), QStringLiteral("Details6")),
                 QStringLiteral("field trip"));
        VerifyNoUnexpectedMessages();
    }

    // A Notes hit shows the panel for the hit only; closing the dialog puts back the day, the
    // panel and the Notes commands as they were.
    void notesHitsAndClosing_data() {
        QTest::addColumn<bool>("notesShown");
        QTest::newRow("notes panel off") << false;
        QTest::newRow("notes panel on") << true;
    }
    void notesHitsAndClosing() {
        QFETCH(bool, notesShown);
        TestEnvironment env;
        BuildBook();
        SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("NotesShow"), notesShown);
        Plant(env.DatabasePath(), QStringLiteral("2026-10-27"), QStringLiteral("Notes"),
              QStringLiteral("(x) bring"));
        Plant(env.DatabasePath(), QStringLiteral("2027-02-09"), QStringLiteral("Notes"),
              QStringLiteral("(x) again"));
        Plant(env.DatabasePath(), QStringLiteral("2027-03-03"), QStringLiteral("Time4"),
              QStringLiteral("(x)"));
        QVERIFY(StartOnA1280Screen());
        frmMain& main = frmMain::Get();
        frmSchedule& page = Page();
        frmFindReplace& dialog = Dialog();
        dialog.optSearch[kAreaNotes]->setChecked(true);
        dialog.txtFind->setText(QStringLiteral("(x)"));
        dialog.cmdFind_Click();
        QCOMPARE(Shown(), QStringLiteral("2026-10-27"));
        QVERIFY(page.fraNotes->isVisible());
        // The marker stands with the panel on the main window, where it can be seen.
        const QWidget* marker = page.imgFound1->isVisible() ? page.imgFound1 : page.imgFound2;
        QVERIFY(marker->isVisible());
        QCOMPARE(marker->parentWidget(), page.fraNotes->parentWidget());
        QVERIFY(marker->parentWidget()->rect().contains(marker->geometry()));
        if (marker == page.imgFound1) {
            QCOMPARE(qRound(TwLeft(marker)), qRound(TwLeft(page.fraNotes)));
            QCOMPARE(qRound(TwTop(marker)), qRound(TwTop(page.fraNotes) - 1000));
        }
        QVERIFY(!dialog.geometry().intersects(page.fraNotes->geometry()));
        QCOMPARE(Globals().NotesShow, notesShown);
        QCOMPARE(ReadBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("NotesShow"), !notesShown),
                 notesShown);
        dialog.cmdFind_Click();
        QCOMPARE(Shown(), QStringLiteral("2027-02-09"));
        if (!notesShown) {
            QCOMPARE(FindNextEndingThePass(dialog), PassCompleteMessage(false, 2));
            QVERIFY(!page.fraNotes->isVisible());
            QVERIFY(!page.imgFound1->isVisible());
            dialog.cmdFind_Click(); // a new pass
            QCOMPARE(Shown(), QStringLiteral("2026-10-27"));
        }
        // A cell's hit puts the markers back on the page.
        dialog.optSearch[kAreaTimeLines]->setChecked(true);
        dialog.cmdFind_Click();
        QCOMPARE(Shown(), QStringLiteral("2027-03-03"));
        QVERIFY(page.imgFound1->isVisible());
        QCOMPARE(page.imgFound1->parentWidget(), &page);
        dialog.cmdCancel_Click();
        QCOMPARE(Shown(), kStart);
        QVERIFY(!page.imgFound1->isVisible());
        QVERIFY(!page.imgFound2->isVisible());
        QCOMPARE(page.fraNotes->isVisible(), notesShown);
        QCOMPARE(Globals().NotesShow, notesShown);
        // The Notes commands are back as the program's state has them, whatever the hits showed.
        QVERIFY(main.Button(QStringLiteral("Notes"))->isEnabled());
        QVERIFY(main.mnuVNotes->isEnabled());
        QCOMPARE(main.mnuVNotes->isChecked(), notesShown);
        VerifyNoUnexpectedMessages();
    }

    // Where the dialog goes for a hit: pure geometry, no window.
    void dialogMovesOffTheHit_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QRectF>("hit");
        QTest::addColumn<QRectF>("dialog"); // the remembered place in page terms, and the size
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<int>("marker");
        const double P = 16000; // the page's width; its top is 600 down the main window
        const QRectF leftCell(0, 1648, 1200, 324);
        const QRectF rightCell(8600, 1648, 1200, 324);
        QTest::newRow("clear of a left cell") << 1 << leftCell << QRectF(9000, 0, 6000, 5000) << false
                                              << QPointF() << int(FoundMarker::Unchanged);
        QTest::newRow("over a left cell") << 1 << leftCell << QRectF(500, 0, 6000, 5000) << true
                                          << QPointF(P / 2, 1648) << int(FoundMarker::Unchanged);
        QTest::newRow("starting left of the cell")
            << 9 << rightCell << QRectF(5000, 0, 6000, 5000) << true << QPointF(P / 2 - 6000, 1648)
            << int(FoundMarker::Unchanged);
        const QRectF notesRight(13360, 12000, 2640, 2532);
        QTest::newRow("notes, room to the left")
            << kNotesRow << notesRight << QRectF(12000, 9000, 6000, 5000) << true
            << QPointF(13360 - 6000, 12000 + 2532 - 5000) << int(FoundMarker::Arrow);
        const QRectF notesWide(1000, 9000, 14000, 2532);
        QTest::newRow("notes, room above")
            << kNotesRow << notesWide << QRectF(2000, 7000, 6000, 5000) << true
            << QPointF((1000 + 7000) / 2.0, 9000 - 5000) << int(FoundMarker::Ring);
        const QRectF notesHigh(1000, 3000, 14000, 2532);
        QTest::newRow("notes, below it")
            << kNotesRow << notesHigh << QRectF(2000, 0, 6000, 5000) << true
            << QPointF((1000 + 7000) / 2.0, 3000 + 2532) << int(FoundMarker::Arrow);
    }
    void dialogMovesOffTheHit() {
        QFETCH(int, row);
        QFETCH(QRectF, hit);
        QFETCH(QRectF, dialog);
        QFETCH(bool, moved);
        QFETCH(QPointF, to);
        QFETCH(int, marker);
        const DialogMove move =
            PlaceDialogOffHit({row, hit.left(), hit.width(), hit.top(), hit.height()},
                              {dialog.left(), dialog.top(), dialog.width(), dialog.height()}, 16000, 600);
        QCOMPARE(move.moved, moved);
        if (moved) {
            QCOMPARE(move.to, to);
        }
        QCOMPARE(int(move.markers.marker), marker);
    }
};

QTEST_MAIN(FindReplaceTest)
#include "tst_findreplace.moc"
