#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "daypage/CellEditors.h"
#include "daypage/EditCommands.h"
#include "daypage/frmFindReplace.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmFirstUse.h"
#include "dialogs/frmLogOn.h"
#include "dialogs/frmMsg.h"
#include "files/PackConfig.h"
#include "files/frmFileDialog.h"
#include "mainwindow/frmMain.h"
#include "options/frmOptions.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "printing/DefaultPrinter.h"
#include "printing/Printer.h"
#include "printing/frmPrint.h"
#include "printing/frmPrintPreview.h"
#include "setup/frmSetup.h"
#include "support/UiTestSupport.h"
#include "ui/MainWindowState.h"
#include "ui/UiState.h"
#include "widgets/Colours.h"
#include "widgets/Help.h"
#include "widgets/LimitedTextEdit.h"
#include "widgets/MenuExtended.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <functional>

namespace {
frmSchedule& Page() {
    return frmSchedule::Get();
}

frmMain& Window() {
    return frmMain::Get();
}

QString Shown() {
    return Page().txtDate->Text();
}

QVariant Stored(const QString& path, const QString& date, const QString& field) {
    return QueryValue(path, QStringLiteral("SELECT %1 FROM QLM WHERE Date = ?").arg(field), {date});
}

// Runs `work` on the modal window that opens next, once it shows.
void WhenModalShows(std::function<void(QWidget*)> work) {
    QTimer::singleShot(0, [work] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            work(window);
        }
    });
}

// The Details editor on a row of the shown day: type the text and press OK.
void EditDetails(int row, const QString& text) {
    Ui().EditRow = row;
    WhenModalShows([text](QWidget*) {
        frmEditDetails& editor = *frmEditDetails::IfLoaded();
        editor.txtEditDetails->setPlainText(text);
        editor.cmdOK->click();
    });
    ShowEditDetails();
}

// Presses the shown button of this caption in a window.
void Press(QWidget* window, const QString& caption) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->isVisible() && button->text().remove(QLatin1Char('&')) == caption) {
            button->click();
            return;
        }
    }
}

QWidget* ShownHelpWindow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible() && window->windowTitle().startsWith(QLatin1String("Quillmarsh Help"))) {
            return window;
        }
    }
    return nullptr;
}

bool ShowsContents() {
    return QFileInfo(ShownHelpPage().toLocalFile()).fileName().startsWith(QLatin1String("100-"));
}

QString Effects(const char* key) {
    return ReadText(QStringLiteral("Settings\\Effects1"), QString::fromLatin1(key));
}

// The stops of Tab (or Shift+Tab) from the control that has the focus, until the focus comes
// back to it or leaves `window`; a stop that looks the same with and without the focus (no focus
// mark) ends the round with a null stop.
QWidgetList TabRound(QWidget* window, bool forward) {
    QWidgetList stops;
    QWidget* start = QApplication::focusWidget();
    QWidget* focus = start;
    while (stops.size() < 60 && focus && window->isAncestorOf(focus) && (stops.isEmpty() || focus != start)) {
        const QImage marked = focus->grab().toImage();
        QTest::keyClick(focus, Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
        const bool unmarked = focus->grab().toImage() == marked;
        focus = QApplication::focusWidget();
        stops << (unmarked ? nullptr : focus);
        if (unmarked) {
            break;
        }
    }
    return stops;
}

// The program's connections to the book may make its file no bigger from now on, as on a full
// disk, or again as big as they like.
void FillTheDisk(bool full) {
    for (const QString& name : QSqlDatabase::connectionNames()) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QSqlQuery pages(db);
        if (db.isOpen() && pages.exec(QStringLiteral("PRAGMA page_count")) && pages.next()) {
            QSqlQuery(db).exec(
                QStringLiteral("PRAGMA max_page_count = %1").arg(full ? pages.value(0).toInt() : 1 << 30));
        }
    }
}

bool Started(const YearPlan& plan = YearPlan{}) {
    BuildYear(plan);
    if (!Main()) {
        return false;
    }
    QTest::qWait(1); // the page activates once the start-up has finished
    return true;
}
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void undoKeepsTenEditsAndTakesThemBackInTurn() {
        TestEnvironment env;
        QVERIFY(Started());
        frmMain& main = Window();
        QVERIFY(!main.mnuEUndo->isEnabled());
        for (int i = 1; i <= 11; ++i) {
            EditDetails(2, QStringLiteral("edit %1").arg(i));
        }
        QCOMPARE(Ui().UndoTop, 9);
        QVERIFY(main.mnuEUndo->isEnabled());
        QVERIFY(main.Button(QStringLiteral("Undo"))->isEnabled());
        // The same text again records nothing.
        EditDetails(2, QStringLiteral("edit 11"));
        QCOMPARE(Ui().UndoTop, 9);
        for (int i = 10; i >= 1; --i) {
            main.mnuEUndo_Click();
            QCOMPARE(Page().lblDetails[2]->Caption(),
                     i == 1 ? QStringLiteral("edit 1") : QStringLiteral("edit %1").arg(i));
        }
        QCOMPARE(Ui().UndoTop, -1);
        QVERIFY(!main.mnuEUndo->isEnabled());
        QVERIFY(!main.Button(QStringLiteral("Undo"))->isEnabled());
        main.mnuEUndo_Click(); // an eleventh undo has nothing to take back
        QCOMPARE(Page().lblDetails[2]->Caption(), QStringLiteral("edit 1"));
        VerifyNoUnexpectedMessages();
    }

    // Ctrl+Z belongs to Edit > Undo also while the notes box has the focus, and the box keeps
    // its typing whether or not there is a Details edit to take back.
    void ctrlZInTheNotesIsEditUndo() {
        TestEnvironment env;
        QVERIFY(Started());
        Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
        BoundMemo* notes = Page().txtNotes;
        notes->setFocus();
        QTRY_VERIFY(notes->hasFocus());
        QTest::keyClicks(notes, QStringLiteral("abc"));
        QTest::keyClick(notes, Qt::Key_Z, Qt::ControlModifier); // nothing to undo yet
        QCOMPARE(notes->Text(), QStringLiteral("abc"));

        EditDetails(2, QStringLiteral("Fractions quiz"));
        Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
        notes->setFocus();
        QTRY_VERIFY(notes->hasFocus());
        QTest::keyClicks(notes, QStringLiteral("de"));
        QTest::keyClick(notes, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Page().lblDetails[2]->Caption(), QString());
        QCOMPARE(Ui().UndoTop, -1);
        QVERIFY(notes->Text().contains(QStringLiteral("de")));
    }

    void undoGoesBackToItsDay() {
        TestEnvironment env;
        QVERIFY(Started());
        EditDetails(4, QStringLiteral("Fractions quiz"));
        Page().cmdNext_Click();
        QCOMPARE(Shown(), QStringLiteral("2026-10-15"));
        Window().mnuEUndo_Click();
        QCOMPARE(Shown(), QStringLiteral("2026-10-14"));
        QCOMPARE(Page().lblDetails[4]->Caption(), QString());
        Page().cmdNext_Click(); // the restored text reaches the record when the day is left
        QCOMPARE(
            Stored(env.DatabasePath(), QStringLiteral("2026-10-14"), QStringLiteral("Details5")).toString(),
            QString());
    }

    void undoOfADayNoLongerListedTouchesNoOtherDay() {
        TestEnvironment env;
        SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("SchoolDays"), false);
        QVERIFY(Started());
        GoToDate(QDate(2026, 10, 17)); // a Saturday, listed with the weekends
        QCOMPARE(Shown(), QStringLiteral("2026-10-17"));
        EditDetails(0, QStringLiteral("Weekend marking"));
        Window().mnuVSchoolDays_Click(); // school days only: the Saturday leaves the list
        QCOMPARE(Shown(), QStringLiteral("2026-10-19"));
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        Window().mnuEUndo_Click();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QCOMPARE(Shown(), QStringLiteral("2026-10-19"));
        QCOMPARE(Page().lblDetails[0]->Caption(), QString());
        QVERIFY(!Window().mnuEUndo->isEnabled());
        frmMain::Get().close();
        QCOMPARE(
            Stored(env.DatabasePath(), QStringLiteral("2026-10-19"), QStringLiteral("Details1")).toString(),
            QString());
        QCOMPARE(
            Stored(env.DatabasePath(), QStringLiteral("2026-10-17"), QStringLiteral("Details1")).toString(),
            QStringLiteral("Weekend marking"));
        VerifyNoUnexpectedMessages();
    }

    void editorsStoreOnOkAndNothingOnCancel_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("time") << "Time3";
        QTest::newRow("subject") << "Subject3";
        QTest::newRow("details") << "Details3";
    }
    void editorsStoreOnOkAndNothingOnCancel() {
        QFETCH(QString, field);
        TestEnvironment env(QDate(2027, 6, 25)); // the last day of the year
        QVERIFY(Started());
        const QString day = QStringLiteral("2027-06-25");
        const QVariant before = Stored(env.DatabasePath(), day, field);
        auto open = [&field] {
            Ui().EditRow = 2;
            if (field.startsWith(QLatin1String("Time"))) {
                ShowEditTime();
            } else if (field.startsWith(QLatin1String("Subject"))) {
                ShowEditSubject();
            } else {
                ShowEditDetails();
            }
        };
        auto typeInto = [](QWidget* editor, const QString& text) {
            if (auto* line = editor->findChild<QLineEdit*>()) {
                line->setText(text);
            } else {
                editor->findChild<LimitedTextEdit*>()->setPlainText(text);
            }
        };
        WhenModalShows([&](QWidget* editor) {
            typeInto(editor, QStringLiteral("changed, then cancelled"));
            QTest::keyClick(editor, Qt::Key_Escape);
        });
        open();
        QCOMPARE(Stored(env.DatabasePath(), day, field), before);
        WhenModalShows([&](QWidget* editor) {
            typeInto(editor, QStringLiteral("Line one\nLine two"));
            for (QPushButton* button : editor->findChildren<QPushButton*>()) {
                if (button->text() == QLatin1String("OK")) {
                    button->click();
                }
            }
        });
        open();
        // In the file at once, line breaks as CR LF, and the page still on the last day.
        QCOMPARE(Stored(env.DatabasePath(), day, field).toString(), QStringLiteral("Line one\r\nLine two"));
        QCOMPARE(Shown(), day);
        QVERIFY(!Page().datLumenleaf.Records().AtEOF());
        QVERIFY(!frmEditDetails::IsLoaded() && !frmEditTime::IsLoaded() && !frmEditSubject::IsLoaded());
        VerifyNoUnexpectedMessages();
    }

    // A change that a full disk cannot take is told once for one save (an editor's OK stores the
    // day, leaves it and comes back), in the teacher's words; the text stays on the page, and
    // going to another day once there is room saves it.
    void aSaveTheDiskCannotTakeIsToldOnce_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("the Time editor's OK") << "Time3";
        QTest::newRow("the notes' Save") << "Notes";
    }
    void aSaveTheDiskCannotTakeIsToldOnce() {
        QFETCH(QString, field);
        TestEnvironment env;
        QVERIFY(Started());
        const QString day = Shown();
        // More than the file's free pages hold: the file would have to grow.
        const QString text = QStringLiteral("A long plan. ").repeated(2000);
        FillTheDisk(true);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        if (field == QLatin1String("Notes")) {
            Page().txtNotes->setText(text);
            Page().cmdNotesSave_Click();
        } else {
            Ui().EditRow = 2;
            WhenModalShows([&text](QWidget* editor) {
                editor->findChild<QLineEdit*>()->setText(text);
                Press(editor, QStringLiteral("OK"));
            });
            ShowEditTime();
        }
        QTRY_COMPARE(MessageTestSeam::Answered().size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(
            MessageTestSeam::Answered().first().text,
            QStringLiteral("Your changes to Wednesday, October 14, 2026 could not be saved: the disk is "
                           "full.\r\n\r\nThey are still on that day's page, but not yet in the plan book. "
                           "Make room on the disk (delete or move files you no longer need), then go to "
                           "another day: what was not saved is saved as you leave a day."));
        VerifyNoUnexpectedMessages();
        QCOMPARE(Shown(), day);
        QCOMPARE(field == QLatin1String("Notes") ? Page().txtNotes->Text() : Page().lblTime[2]->Caption(),
                 text);
        QVERIFY(Stored(env.DatabasePath(), day, field).toString() != text);

        FillTheDisk(false);
        Page().cmdNext_Click();
        QCOMPARE(Stored(env.DatabasePath(), day, field).toString(), text);
        QCoreApplication::processEvents();
        VerifyNoUnexpectedMessages();
    }

    void theDetailsBoxKeepsToItsLimit() {
        TestEnvironment env;
        QVERIFY(Started());
        const QString long300 = QString(300, QLatin1Char('x'));
        Page().lblDetails[1]->setCaption(long300); // as a pop-up Paste can leave it
        Ui().EditRow = 1;
        int opened = 0;
        WhenModalShows([&](QWidget*) {
            frmEditDetails& editor = *frmEditDetails::IfLoaded();
            opened = editor.txtEditDetails->StoredText().size();
            editor.txtEditDetails->setPlainText(QString(249, QLatin1Char('a')));
            editor.txtEditDetails->moveCursor(QTextCursor::End);
            QTest::keyClicks(editor.txtEditDetails, QStringLiteral("bcd"));
            QCOMPARE(editor.txtEditDetails->StoredText().size(), 250);
            // A paste through the main window's command keeps to the limit as well.
            QApplication::clipboard()->setText(QStringLiteral("pasted"));
            editor.txtEditDetails->setFocus();
            Window().mnuEPaste_Click();
            QCOMPARE(editor.txtEditDetails->StoredText().size(), 250);
            // A line break counts two: there is no room for it in 249.
            editor.txtEditDetails->setPlainText(QString(249, QLatin1Char('a')));
            editor.txtEditDetails->moveCursor(QTextCursor::End);
            QTest::keyClick(editor.txtEditDetails, Qt::Key_Return);
            QCOMPARE(editor.txtEditDetails->StoredText().size(), 249);
            editor.cmdCancel->click();
        });
        ShowEditDetails();
        QCOMPARE(opened, 300); // opened whole, never cut without a word
    }

    // Our font is wider than the design's: every label of the Details editor's and the
    // magnifier's is as wide as its text, and none runs into the next control.
    void editorLabelsShowTheirWholeText() {
        TestEnvironment env;
        QVERIFY(Started());
        Ui().EditRow = 2;
        auto fits = [](const QLabel* label) {
            const int text = label->fontMetrics().horizontalAdvance(label->text());
            return label->contentsRect().width() >= text;
        };
        bool caretFits = false;
        WhenModalShows([&](QWidget*) {
            frmEditDetails& editor = *frmEditDetails::IfLoaded();
            // The text box it pushes along stays inside the frame, clear of its border.
            caretFits = fits(editor.lblEditCaret) &&
                        editor.lblEditCaret->geometry().right() < editor.txtEditDetails->geometry().left() &&
                        editor.txtEditDetails->geometry().right() + 2 < editor.fraEditDetails->width();
            editor.cmdCancel->click();
        });
        ShowEditDetails();
        QVERIFY(caretFits);

        QList<QRect> countLine;
        bool countFits = false;
        WhenModalShows([&](QWidget*) {
            frmDetailsMagnify& magnifier = *frmDetailsMagnify::IfLoaded();
            countFits = fits(magnifier.lblEditCaret) && fits(magnifier.Label1) && fits(magnifier.lblChars) &&
                        fits(magnifier.Label2);
            for (const QWidget* control : std::initializer_list<const QWidget*>{
                     magnifier.Label1, magnifier.lblChars, magnifier.Label2, magnifier.cmdClose}) {
                countLine << control->geometry();
            }
            magnifier.cmdClose->click();
        });
        ShowDetailsMagnify();
        QVERIFY(countFits);
        for (int i = 1; i < countLine.size(); ++i) {
            QVERIFY(countLine[i - 1].right() < countLine[i].left());
        }
    }

    void thePrintersAnswerLeavesTheWizardsLockAlone() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(Main());
        QVERIFY(DefaultPrinterPending()); // asked once the page has been painted
        frmMain& main = Window();
        main.mnuTSetup_Click();
        const QList<QAction*> print{main.mnuFPrint, main.mnuFPrintPreview,
                                    main.Button(QStringLiteral("Print")),
                                    main.Button(QStringLiteral("PrintPreview"))};
        // The answer comes while the wizard holds the window: nothing of it may be used yet.
        AskDefaultPrinterInBackground();
        QVERIFY(!DefaultPrinterPending());
        for (QAction* command : print) {
            QVERIFY2(!command->isEnabled(), qPrintable(command->text()));
        }
        QVERIFY(!main.mnuFile->menuAction()->isEnabled());
        // The wizard closes on a finished set-up: the print commands are there, and ask again
        // for a printer as none was found.
        frmSetup::Get().close();
        QVERIFY(!frmSetup::IsLoaded());
        for (QAction* command : print) {
            QVERIFY2(command->isEnabled(), qPrintable(command->text()));
        }
        // Every command the state decides on is one of the window's, or of the page's.
        const CommandLooks looks = ComputeMainCommands(CurrentCommandState());
        for (auto look = looks.cbegin(); look != looks.cend(); ++look) {
            QVERIFY2(main.Command(look.key()) || main.CommandControl(look.key()), qPrintable(look.key()));
        }
        VerifyNoUnexpectedMessages();
    }

    // The Details editor's copy of the row keeps one right edge: the date bar, the time and
    // subject bar, the text box and both ruling lines.
    void theDetailsEditorsRowEndsAtOneEdge() {
        TestEnvironment env;
        QVERIFY(Started());
        Ui().EditRow = 4;
        QList<int> rightEdges;
        WhenModalShows([&](QWidget*) {
            frmEditDetails& editor = *frmEditDetails::IfLoaded();
            for (const QWidget* control : std::initializer_list<const QWidget*>{
                     editor.lblEditDate, editor.lblEditSubject, editor.txtEditDetails, editor.lnLine1,
                     editor.lnLine2}) {
                rightEdges << control->geometry().right();
            }
            editor.cmdCancel->click();
        });
        ShowEditDetails();
        QCOMPARE(rightEdges.size(), 5);
        for (int edge : rightEdges) {
            QCOMPARE(edge, rightEdges.first());
        }
    }

    void aBlankTableLeavesOnlySetupOpenExitAndHelp() {
        TestEnvironment env;
        QVERIFY(Main());
        QTest::qWait(1);
        // The set-up opens on a first start; the teacher leaves it for now.
        MessageTestSeam::QueueAnswer(MsgAnswerCancel);
        frmSetup::Get().close();
        QVERIFY(!frmSetup::IsLoaded());
        QVERIFY(Globals().BlankDataBase);
        frmMain& main = Window();
        const QList<QAction*> allowed{main.mnuTSetup, main.mnuFExit,    main.mnuHContents,     main.mnuHTips,
                                      main.mnuHAbout, main.mnuHUpdates, main.mnuHMenuDesigner, main.mnuFOpen};
        for (QAction* top : main.menuBar()->actions()) {
            for (QAction* item : top->menu()->actions()) {
                if (item->isSeparator() || allowed.contains(item)) {
                    continue;
                }
                QVERIFY2(!item->isEnabled(), qPrintable(item->text()));
            }
        }
        QVERIFY(main.mnuTSetup->isEnabled());
        for (const QString& key : frmMain::ButtonKeys()) {
            QVERIFY2(!main.Button(key)->isEnabled(), qPrintable(key));
        }
        QVERIFY(!Page().cmdNext->isEnabled());
        QVERIFY(!Page().MonthView->isEnabled());
    }

    void viewTogglesFromMenuAndToolBar() {
        TestEnvironment env;
        QVERIFY(Started());
        frmMain& main = Window();
        QAction* button = main.Button(QStringLiteral("Calendar"));
        QVERIFY(button->isChecked());
        // From the menu: the flag, the setting, the button and the check mark follow.
        main.mnuVCalendar->trigger();
        QVERIFY(!Globals().CalendarShow);
        QCOMPARE(Effects("CalendarShow"), QStringLiteral("False"));
        QVERIFY(!button->isChecked());
        QVERIFY(!main.mnuVCalendar->isChecked());
        QVERIFY(!Page().fraCalendar->isVisible());
        // From the tool bar: the button has pressed itself; the flag follows it once.
        button->trigger();
        QVERIFY(Globals().CalendarShow);
        QVERIFY(button->isChecked());
        QVERIFY(main.mnuVCalendar->isChecked());
        QCOMPARE(Effects("CalendarShow"), QStringLiteral("True"));
        QVERIFY(!main.FromToolBar);
        // Any button writes the two positions; the pairs keep one button pressed each.
        main.Button(QStringLiteral("LowerLeft"))->trigger();
        QCOMPARE(Effects("CalendarPosition"), QStringLiteral("0"));
        QVERIFY(main.Button(QStringLiteral("LowerLeft"))->isChecked());
        QVERIFY(!main.Button(QStringLiteral("LowerRight"))->isChecked());
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("NotesPosition"), QString());
        main.Button(QStringLiteral("Help"))->trigger();
        QCOMPARE(Effects("NotesPosition"), QStringLiteral("0"));
        // The tool bar itself, and its item's caption and picture.
        main.mnuVToolBar->trigger();
        QVERIFY(!main.CoolBar->isVisible());
        QCOMPARE(Effects("ToolBarShow"), QStringLiteral("False"));
        QCOMPARE(MenuExtended::FullCaption(main.mnuVToolBar), QStringLiteral("&ToolBar|#NotChecked"));
        QCOMPARE(main.mnuVToolBar->text(), QStringLiteral("&ToolBar"));
        QCOMPARE(MenuExtended::ImageKey(main.mnuVToolBar), QStringLiteral("NotChecked"));
    }

    void statusTexts_data() {
        QTest::addColumn<int>("teachers");
        QTest::addColumn<bool>("schoolDays");
        QTest::addColumn<bool>("bothDays");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one teacher") << 1 << true << false << "School Days (1,3,5)";
        QTest::newRow("two, weekends") << 2 << false << false << "My School Days (1,3,5) and Weekends";
        QTest::newRow("two, partner days") << 2 << true << true << "Our School Days";
        QTest::newRow("two, both and weekends") << 2 << false << true << "Our School Days and Weekends";
    }
    void statusTexts() {
        QFETCH(int, teachers);
        QFETCH(bool, schoolDays);
        QFETCH(bool, bothDays);
        QFETCH(QString, expected);
        TestEnvironment env;
        YearPlan plan = SharedBookYear();
        plan.teacherNum = teachers;
        BuildYear(plan);
        SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("SchoolDays"), schoolDays);
        SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("BothTeacherDays"), bothDays);
        SaveInt(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackRun"), 1);
        SetLogOnChoiceForTests(1);
        QVERIFY(Main());
        frmMain& main = Window();
        QCOMPARE(main.StatusPanel(QStringLiteral("SchoolDays"))->text(), expected);
        QCOMPARE(main.mnuFLogoff->isVisible(), teachers == 2);
        QCOMPARE(main.mnuVBothTeacherDays->isVisible(), teachers == 2);
        QCOMPARE(main.Button(QStringLiteral("BothDays"))->isVisible(), teachers == 2);
        QCOMPARE(main.CoolBarBand2->text(), QStringLiteral("Last Pack To Go: Uknown"));
        QVERIFY(main.mnuFPack->isEnabled());
        // No timetable: its item is off and its button gone.
        Globals().SetupTimeTable = 0;
        RefreshMainMenus(main);
        QVERIFY(!main.mnuVTimeTable->isEnabled());
        QVERIFY(!main.Button(QStringLiteral("TimeTable"))->isVisible());
    }

    void logOffToTheOtherTeacherAndBack() {
        TestEnvironment env;
        BuildYear(SharedBookYear());
        SaveInt(QStringLiteral("Settings\\Effects2"), QStringLiteral("ColourBack3"), 0x203040);
        SetLogOnChoiceForTests(1);
        QVERIFY(Main());
        QTest::qWait(1);
        GoToDate(QDate(2026, 11, 3));
        const QString before = Shown();
        // The same teacher changes nothing.
        Window().mnuFLogoff_Click();
        QCOMPARE(Shown(), before);
        SetLogOnChoiceForTests(2);
        Window().mnuFLogoff_Click();
        QTest::qWait(1);
        QCOMPARE(Globals().CurrentTeacher, 2);
        QVERIFY(Window().windowTitle().contains(QStringLiteral("Mr. Brook")));
        QCOMPARE(Shown(), QStringLiteral("2026-10-14")); // teacher 2 teaches day 2: today
        QCOMPARE(Globals().ColourBack[3], 0x203040);
        SetLogOnChoiceForTests(1);
        Window().mnuFLogoff_Click();
        QTest::qWait(1);
        QVERIFY(Window().windowTitle().contains(QStringLiteral("Ms. Avery")));
        QCOMPARE(Shown(), QStringLiteral("2026-10-15")); // teacher 1's next day
        VerifyNoUnexpectedMessages();
    }

    void closingTheLogOnAtLogOffStoresTheNote() {
        TestEnvironment env;
        BuildYear(SharedBookYear());
        SetLogOnChoiceForTests(1);
        QVERIFY(Main());
        QTest::qWait(1);
        const QString day = Shown();
        Page().txtNotes->setPlainText(QStringLiteral("written before logging off"));
        SetLogOnChoiceForTests(0); // the log-on is closed without a choice
        Window().mnuFLogoff_Click();
        QVERIFY(!frmSchedule::IsLoaded());
        QCOMPARE(Stored(env.DatabasePath(), day, QStringLiteral("Notes")).toString(),
                 QStringLiteral("written before logging off"));
    }

    void cellMenusAndHelpContexts() {
        TestEnvironment env;
        QVERIFY(Started());
        frmMain& main = Window();
        Ui().EditRow = 3;
        Page().lblSubject[3]->setCaption(QStringLiteral("Science"));
        main.mnuPopUpSubjectCutAll_Click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Science"));
        QCOMPARE(Page().lblSubject[3]->Caption(), QString());
        QApplication::clipboard()->clear();
        main.mnuPopUpTimePaste_Click(); // an empty clipboard pastes ""
        QCOMPARE(Page().lblTime[3]->Caption(), QString());
        QApplication::clipboard()->setText(QStringLiteral("Lab"));
        main.mnuPopUpDetailsPaste_Click();
        QCOMPARE(Page().lblDetails[3]->Caption(), QStringLiteral("Lab"));
        main.mnuPopUpDetailsErase_Click();
        QCOMPARE(Page().lblDetails[3]->Caption(), QString());
        QCOMPARE(Ui().UndoTop, -1); // the pop-ups record no undo

        ClearRecordedHelpCalls();
        main.mnuPopUpDetailsHelp_Click();
        main.mnuPopUpSubjectHelp_Click();
        main.mnuPopUpTimeHelp_Click();
        main.mnuHContents_Click();
        main.Button(QStringLiteral("Tips"))->trigger();
        QList<int> contexts;
        for (const HelpCall& call : RecordedHelpCalls()) {
            contexts << call.context;
        }
        QCOMPARE(contexts, (QList<int>{190, 200, 210, 100, 300}));
    }

    void noPrinterSaysSo_data() {
        QTest::addColumn<bool>("preview");
        QTest::newRow("print") << false;
        QTest::newRow("preview") << true;
    }
    void noPrinterSaysSo() {
        QFETCH(bool, preview);
        TestEnvironment env;
        QVERIFY(Started());
        Globals().DefaultPrinterFound = false;
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        preview ? Window().mnuFPrintPreview_Click() : Window().mnuFPrint_Click();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const MessageTestSeam::ShownMessage& shown = MessageTestSeam::Answered().first();
        QCOMPARE(shown.title, QStringLiteral("Quillmarsh - No Printer Attached"));
        QCOMPARE(shown.text, QStringLiteral("No Printer is attached to this computer.\r\n\r\n") +
                                 (preview ? QStringLiteral("Print Preview will not be available until")
                                          : QStringLiteral("The Print Dialog will not be available until")) +
                                 QStringLiteral("\r\na printer is attached.\r\n\r\n"));
    }

    void windowsThatLockTheMainWindowStayInFrontOfIt_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("first-use welcome") << 0;
        QTest::newRow("set-up wizard") << 1;
        QTest::newRow("log-on at log-off") << 2;
        QTest::newRow("about box") << 3;
        QTest::newRow("options") << 4;
        QTest::newRow("time editor") << 5;
        QTest::newRow("drive dialog") << 6;
    }
    void windowsThatLockTheMainWindowStayInFrontOfIt() {
        QFETCH(int, which);
        TestEnvironment env;
        YearPlan plan = SharedBookYear();
        plan.firstUseDone = which != 0;
        BuildYear(plan);
        SetLogOnChoiceForTests(1);
        bool inFront = false;
        auto lookAndClose = [&inFront](QWidget* window) {
            inFront = StaysInFrontOf(window, frmMain::IfLoaded());
            if (frmFirstUse* welcome = frmFirstUse::IfLoaded()) {
                welcome->OKButton_Click();
            } else if (frmLogOn* logOn = frmLogOn::IfLoaded()) {
                logOn->lblName_Click(1); // the same teacher
            } else {
                qobject_cast<QDialog*>(window)->reject();
            }
        };
        if (which == 0) {
            // The welcome comes after the main window has shown and settled: watched for until then.
            SetWelcomeAnsweredForTests(false);
            auto* watch = new QTimer(this);
            connect(watch, &QTimer::timeout, this, [watch, lookAndClose] {
                if (QWidget* window = QApplication::activeModalWidget()) {
                    watch->stop();
                    lookAndClose(window);
                }
            });
            watch->start(5);
            QVERIFY(Main());
            delete watch;
            QVERIFY(inFront);
            return;
        }
        QVERIFY(Main());
        QTest::qWait(1);
        frmMain& main = Window();
        if (which == 1) {
            ShowSetupWizard();
            QVERIFY(StaysInFrontOf(&frmSetup::Get(), &main));
            return;
        }
        WhenModalShows(lookAndClose);
        if (which == 2) {
            ClearLogOnChoiceForTests();
            main.mnuFLogoff_Click();
        } else if (which == 3) {
            ShowAboutBox();
        } else if (which == 4) {
            main.mnuTOptions_Click();
        } else if (which == 5) {
            ShowEditTime();
        } else {
            ShowPackConfigDialog();
        }
        QVERIFY(inFront);
    }

    // Tab and Shift+Tab go round the controls of the window that has the focus, every stop with a
    // focus mark, and never on to what lies under the window; the margins and the copies step
    // from the keys, and the log-on takes a name from them.
    void tabGoesRoundTheWindowItStartsIn_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("print") << 0;
        QTest::newRow("find and replace") << 1;
        QTest::newRow("log on") << 2;
        QTest::newRow("database open") << 3;
        QTest::newRow("database save as") << 4;
    }
    void tabGoesRoundTheWindowItStartsIn() {
        QFETCH(int, which);
        TestEnvironment env;
        QVERIFY(Started());
        QWidget* window = nullptr;
        QWidgetList reached; // the round starts on the first
        if (which == 0) {
            PrinterTestSeam::UsePdfPrinters({QStringLiteral("Office Laser")}, env.ProgramFolder());
            Window().mnuFPrint_Click();
            frmPrint& print = frmPrint::Get();
            window = &print;
            reached = {print.cboPrinters, print.optItem[0], print.txtcopies, print.udcCopies, print.txtMTop,
                       print.udcTop,      print.txtMRight,  print.udcRight,  print.cmdPrint,  print.cmdHelp};
            QTest::keyClick(print.udcTop, Qt::Key_Up);
            QTest::keyClick(print.txtMRight, Qt::Key_Down);
            QTest::keyClick(print.udcCopies, Qt::Key_Up);
            QCOMPARE(QStringList({print.txtMTop->text(), print.txtMRight->text(), print.txtcopies->text()}),
                     QStringList({"0.6", "0.4", "2"}));
        } else if (which == 1) {
            ShowFindReplace();
            frmFindReplace& find = frmFindReplace::Get();
            window = &find;
            find.txtFind->setText(QStringLiteral("Subj"));
            reached = {find.txtFind, find.optSearch[2], find.chkWholeWord, find.optRegion[0], find.cmdHelp};
        } else if (which >= 3) {
            // Read-only boxes are no stops; the information button is one.
            ShowFileDialog(which == 3 ? QStringLiteral("Open") : QStringLiteral("Save As"));
            frmFileDialog& files = *frmFileDialog::IfLoaded();
            window = &files;
            reached = {files.filFiles, files.cmdOK, files.cmdCancel, files.cmdHelp, files.cmdInfo};
            if (which == 4) {
                reached.prepend(files.txtFileName); // where Save As starts
            }
        } else {
            Globals().TeacherNum = 2;
            frmLogOn& logOn = frmLogOn::Get();
            logOn.show();
            window = &logOn;
            reached = {logOn.lblName[1], logOn.lblName[2], logOn.cmdExit};
        }
        window->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window->window()));
        reached.first()->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), reached.first());
        window->window()->setAttribute(Qt::WA_KeyboardFocusChange); // as the keys leave it

        const QWidgetList forward = TabRound(window, true);
        QCOMPARE(forward.last(), reached.first());
        if (which >= 3) {
            QCOMPARE(forward.size(), reached.size());
        }
        for (QWidget* control : reached) {
            QVERIFY(forward.contains(control));
        }
        QWidgetList backward = TabRound(window, false);
        std::reverse(backward.begin(), backward.end() - 1);
        QCOMPARE(backward, forward);
        if (which == 2) { // an arrow goes to the other name, and Return logs it on
            QTest::keyClick(reached[0], Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(Globals().CurrentTeacher, 2);
        }
        VerifyNoUnexpectedMessages();
    }

    // The focus the program sets on the day page's Next arrow shows its mark, at start-up and
    // when a window over the page closes; Return presses the focused button of the Details
    // editor, which keeps Return for new lines in its text; Escape closes the help window, and
    // the find and print dialogs, which leave the focus where they found it.
    void theKeysOfAnyDesktop_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("start-up") << 0;
        QTest::newRow("Return on the details editor's OK") << 1;
        QTest::newRow("Escape in the help window") << 2;
        QTest::newRow("Escape in Find and Replace") << 3;
        QTest::newRow("Escape in the print dialog") << 4;
    }
    void theKeysOfAnyDesktop() {
        QFETCH(int, which);
        TestEnvironment env;
        QVERIFY(Started());
        auto nextArrowMarked = [] {
            Window().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&Window()));
            QTRY_COMPARE(QApplication::focusWidget(), Page().cmdNext);
            QVERIFY(ShowsFocusMark(Page().cmdNext));
        };
        nextArrowMarked();
        if (which == 1) {
            Ui().EditRow = 2;
            WhenModalShows([](QWidget* modal) {
                frmEditDetails& editor = *frmEditDetails::IfLoaded();
                modal->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(modal));
                editor.txtEditDetails->setPlainText(QStringLiteral("Fractions quiz"));
                editor.cmdOK->setFocus(Qt::TabFocusReason);
                QTRY_COMPARE(QApplication::focusWidget(), editor.cmdOK);
                QTest::keyClick(editor.cmdOK, Qt::Key_Return);
                if (frmEditDetails::IsLoaded()) {
                    editor.cmdCancel->click(); // Return did nothing
                }
            });
            ShowEditDetails();
            QCOMPARE(Page().lblDetails[2]->Caption(), QStringLiteral("Fractions quiz"));
            nextArrowMarked();
        } else if (which == 2) {
            SetHelpRecordingForTests(false);
            Window().mnuHContents_Click();
            QWidget* help = ShownHelpWindow();
            QVERIFY(help != nullptr);
            help->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(help));
            QTRY_VERIFY(help->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QTRY_VERIFY(ShownHelpWindow() == nullptr);
            nextArrowMarked();
        } else if (which == 3) {
            ShowFindReplace();
            frmFindReplace& find = frmFindReplace::Get();
            QTRY_COMPARE(QApplication::focusWidget(), find.txtFind);
            QTest::keyClick(find.txtFind, Qt::Key_Escape);
            QVERIFY(!frmFindReplace::IsLoaded());
            nextArrowMarked();
        } else if (which == 4) {
            PrinterTestSeam::UsePdfPrinters({QStringLiteral("Office Laser")}, env.ProgramFolder());
            Window().mnuFPrint_Click();
            frmPrint& print = frmPrint::Get();
            QTRY_VERIFY(print.isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(!frmPrint::IsLoaded());
            nextArrowMarked();
        }
        VerifyNoUnexpectedMessages();
    }

    // A window that closes over the page, or a print that hides the print dialog for a moment,
    // leaves the focus with its mark in the window still open, on the control it had: never on
    // the page's Next arrow beneath it, where Return would move the day under the open dialog.
    void theFocusStaysInTheWindowStillOpen_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("screen view printed") << 0;
        QTest::newRow("set-up closed") << 1;
        QTest::newRow("find and replace closed") << 2;
        QTest::newRow("details editor closed") << 3;
        QTest::newRow("print dialog closed under find and replace") << 4;
    }
    void theFocusStaysInTheWindowStillOpen() {
        QFETCH(int, which);
        TestEnvironment env;
        QVERIFY(Started());
        PrinterTestSeam::UsePdfPrinters({QStringLiteral("Office Laser")}, env.ProgramFolder());
        Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
        Window().mnuFPrint_Click();
        frmPrint& print = frmPrint::Get();
        print.optItem[2]->click();
        QTRY_COMPARE(QApplication::focusWidget(), print.cmdPrint);
        QWidget* kept = print.cmdPrint;
        const QString day = Shown();
        if (which == 0) {
            QTest::keyClick(print.cmdPrint, Qt::Key_Return);
        } else if (which == 1) {
            ShowSetupWizard();
            frmSetup::Get().cmdCancel->click();
        } else if (which == 2 || which == 4) {
            ShowFindReplace();
            frmFindReplace& find = frmFindReplace::Get();
            QTRY_COMPARE(QApplication::focusWidget(), find.txtFind);
            if (which == 2) {
                QTest::keyClick(find.txtFind, Qt::Key_Escape);
            } else {
                print.cmdCancel->setFocus(Qt::TabFocusReason);
                QTest::keyClick(print.cmdCancel, Qt::Key_Escape);
                kept = find.txtFind;
            }
        } else {
            Ui().EditRow = 2;
            WhenModalShows([](QWidget*) { frmEditDetails::IfLoaded()->cmdCancel->click(); });
            ShowEditDetails();
        }
        Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
        QTRY_COMPARE(QApplication::focusWidget(), kept);
        QVERIFY(ShowsFocusMark(kept));
        if (which == 0) { // Return prints once more, and leaves the day where it is
            QTest::keyClick(kept, Qt::Key_Return);
            QCOMPARE(PrinterTestSeam::JobFiles().size(), 2);
        }
        QCOMPARE(Shown(), day);
        VerifyNoUnexpectedMessages();
    }

    // Names of any length (the set-up takes 255 characters) never widen a window past the
    // screen: each is cut with an ellipsis where it is shown, the whole of it in the tooltip.
    void longNamesNeverWidenAWindow_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("log on") << 0;
        QTest::newRow("status bar") << 1;
        QTest::newRow("options") << 2;
        QTest::newRow("set-up, holidays") << 3;
        QTest::newRow("message naming a file") << 4;
    }
    void longNamesNeverWidenAWindow() {
        QFETCH(int, which);
        TestEnvironment env;
        YearPlan plan = SharedBookYear();
        QString name = QStringLiteral("Ms. Wilhelmina Montgomery-Worthington ").repeated(7).left(255);
        plan.teacherNames[1] = plan.teacherNames[2] = name;
        BuildYear(plan);
        SaveText(QStringLiteral("Settings\\HolidayNames"), QStringLiteral("HolidayName1"), name);
        SetLogOnChoiceForTests(1);
        QVERIFY(Main());
        auto fits = [&name](QWidget* shown) {
            auto* label = qobject_cast<QLabel*>(shown);
            const QString text = label ? label->text() : qobject_cast<QGroupBox*>(shown)->title();
            QVERIFY(shown->window()->frameGeometry().width() <= 1280);
            QVERIFY2(text.contains(QChar(0x2026)), qPrintable(text));
            // Cut to the room it has, never clipped.
            QVERIFY(!label || label->wordWrap() ||
                    label->fontMetrics().horizontalAdvance(text) <= label->contentsRect().width());
            QVERIFY(shown->toolTip().remove(QChar(0x200B)).contains(name));
        };
        if (which == 0) {
            frmLogOn& logOn = frmLogOn::Get();
            logOn.show();
            QVERIFY(QTest::qWaitForWindowExposed(&logOn));
            fits(logOn.lblName[2]);
        } else if (which == 1) {
            fits(Window().StatusPanel(QStringLiteral("TeacherName")));
        } else if (which == 2) {
            WhenModalShows([&fits](QWidget* window) {
                auto& options = *qobject_cast<frmOptions*>(window);
                options.SSTabOptions->setCurrentIndex(0);
                QVERIFY(QTest::qWaitForWindowExposed(window));
                fits(options.lblTeacher);
                options.SSTabOptions->setCurrentIndex(4);
                fits(options.fraStatistics);
                options.cmdCancel->click();
            });
            Window().mnuTOptions_Click();
        } else if (which == 3) {
            ShowSetupWizard();
            frmSetup& wizard = frmSetup::Get();
            wizard.cmdNext->click();
            wizard.cmdNext->click();
            wizard.SSTabSetup->setCurrentIndex(1);
            QVERIFY(QTest::qWaitForWindowExposed(&wizard));
            fits(wizard.lblHolidayName[1]);
        } else {
            name = name.remove(QLatin1Char(' ')) + QStringLiteral(".mdb");
            frmMsg box;
            box.Prepare(QStringLiteral("Could not copy the book to\r\n") + name, MsgOK, MsgWarning, QString(),
                        0);
            box.show();
            fits(box.lblMsg);
            QVERIFY(box.lblMsg->text().endsWith(QLatin1String(".mdb"))); // cut in its middle
        }
        VerifyNoUnexpectedMessages();
    }

    void helpFromAModalWindowIsInFrontAndUsable_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("time editor") << 0;
        QTest::newRow("subject editor") << 1;
        QTest::newRow("details editor") << 2;
        QTest::newRow("options") << 3;
        QTest::newRow("message with help") << 4;
    }
    void helpFromAModalWindowIsInFrontAndUsable() {
        QFETCH(int, which);
        TestEnvironment env;
        QVERIFY(QDir().mkpath(env.ProgramFolder() + QStringLiteral("/help")));
        for (const int context : {100, 110, 190, 200, 210, 290}) {
            QFile page(QStringLiteral("%1/help/%2-topic.html").arg(env.ProgramFolder()).arg(context));
            QVERIFY(page.open(QIODevice::WriteOnly));
            page.write(QStringLiteral("<html><head><title>Topic %1</title></head><body><h1>Topic %1</h1>"
                                      "<p>Read me.</p></body></html>")
                           .arg(context)
                           .toUtf8());
        }
        QVERIFY(Started());
        SetHelpRecordingForTests(false);
        frmMain& main = Window();
        // Help opened over the main window stays in front of it, before and after a modal window.
        main.mnuHContents_Click();
        QWidget* help = ShownHelpWindow();
        QVERIFY(help != nullptr);
        QVERIFY(StaysInFrontOf(help, &main));

        bool inFront = false;
        bool turnedPage = false;
        WhenModalShows([&](QWidget* modal) {
            Press(modal, QStringLiteral("Help"));
            inFront = help->isVisible() && StaysInFrontOf(help, modal);
            // The teacher uses it while the modal window waits: a click that goes through the
            // window system, as the teacher's does, reaches its Contents button.
            const bool onTopic = !ShowsContents();
            for (QToolButton* button : help->findChildren<QToolButton*>()) {
                if (button->text() == QLatin1String("Contents")) {
                    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                                      button->mapTo(help, button->rect().center()));
                }
            }
            turnedPage = onTopic && ShowsContents();
            qobject_cast<QDialog*>(modal)->reject();
        });
        Ui().EditRow = 1;
        if (which == 0) {
            ShowEditTime();
        } else if (which == 1) {
            ShowEditSubject();
        } else if (which == 2) {
            ShowEditDetails();
        } else if (which == 3) {
            main.mnuTOptions_Click();
        } else {
            MessageTestSeam::Enable(false);
            InstallMessageBox();
            ShowMessage(QStringLiteral("Setup must be completed before you can"), MsgOKCancel, MsgWarning,
                        QString(), 110);
            MessageTestSeam::Enable(true);
        }
        QVERIFY(inFront);
        QVERIFY(turnedPage);
        // The modal window has gone; the help stays, in front of the main window.
        QTRY_VERIFY(help->isVisible() && StaysInFrontOf(help, &main));
        VerifyNoUnexpectedMessages();
    }

    void theWindowAndTheDetailsEditorAsSeen() {
        TestEnvironment env;
        YearPlan plan;
        plan.timeRows = 12;
        QVERIFY(Started(plan));
        frmMain& main = Window();
        main.resize(1280, 800);
        QTest::qWait(20);
        const QImage window = main.grab().toImage();
        // The tool bar's pictures and the status bar's texts are drawn, not blank.
        const QRect bar = main.Toolbar->geometry().translated(main.CoolBar->mapTo(&main, QPoint(0, 0)));
        QVERIFY(bar.height() > 16);
        int inked = 0;
        for (int x = bar.left(); x < bar.right(); x += 2) {
            inked += window.pixelColor(x, bar.center().y()).lightness() < 160 ? 1 : 0;
        }
        QVERIFY2(inked > 20, "the tool bar shows its pictures");
        QVERIFY(!main.StatusPanel(QStringLiteral("SchoolDays"))->text().isEmpty());

        // The Details editor copies its row: the date in the title colours, the text box over the
        // page's colour, as wide as the page's Details cell.
        Ui().EditRow = 7;
        QImage editorImage;
        double boxWidth = 0;
        WhenModalShows([&](QWidget* dialog) {
            frmEditDetails& editor = *frmEditDetails::IfLoaded();
            boxWidth = editor.txtEditDetails->width();
            editorImage = dialog->grab().toImage();
            editor.cmdCancel->click();
        });
        ShowEditDetails();
        QCOMPARE(boxWidth, double(Page().lblDetails[7]->width()));
        QVERIFY(!editorImage.isNull());
        const QColor title = ColorFromBgr(Globals().ColourBack[0]);
        int titlePixels = 0;
        for (int x = 0; x < editorImage.width(); x += 3) {
            for (int y = 0; y < editorImage.height() / 3; y += 3) {
                titlePixels += editorImage.pixelColor(x, y) == title ? 1 : 0;
            }
        }
        QVERIFY(titlePixels > 50);
        if (!qEnvironmentVariableIsEmpty("QLM_SHOT")) {
            window.save(qEnvironmentVariable("QLM_SHOT") + QStringLiteral("-main.png"));
            editorImage.save(qEnvironmentVariable("QLM_SHOT") + QStringLiteral("-details.png"));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
