#include "ui/MainCommands.h"

#include <QTest>

namespace {
// A school year with a timetable, one teacher, the printer known, nothing typed or to undo.
MainCommandState AYear() {
    MainCommandState state;
    state.blankDataBase = false;
    state.timeTableSetUp = true;
    return state;
}

QStringList Usable(const MainCommandState& state) {
    QStringList names;
    const CommandLooks looks = ComputeMainCommands(state);
    for (auto look = looks.cbegin(); look != looks.cend(); ++look) {
        if (look->enabled && look->visible) {
            names << look.key();
        }
    }
    names.sort();
    return names;
}

QStringList Checked(const MainCommandState& state) {
    QStringList names;
    const CommandLooks looks = ComputeMainCommands(state);
    for (auto look = looks.cbegin(); look != looks.cend(); ++look) {
        if (look->checked) {
            names << look.key();
        }
    }
    names.sort();
    return names;
}

QStringList Sorted(QStringList names) {
    names.sort();
    return names;
}

QStringList Without(QStringList names, const QStringList& gone) {
    for (const QString& name : gone) {
        names.removeAll(name);
    }
    return names;
}

// Setup, Exit, Help and DataBase Open (the way back to a book with a year): what a book without a
// school year leaves.
const QStringList kAlways{"mnuFile",  "mnuEdit",      "mnuView",  "mnuTools",  "mnuHelp",     "mnuTSetup",
                          "mnuFExit", "mnuHContents", "mnuHTips", "mnuHAbout", "mnuHUpdates", "mnuFOpen"};
const QStringList kYear =
    kAlways +
    QStringList{
        "mnuFSaveAs", "mnuFPrintPreview", "mnuFPrint", "PrintPreview",  "Print",     "mnuEFindReplace",
        "Find",       "mnuTOptions",      "Options",   "Help",          "Tips",      "mnuVCalendar",
        "Calendar",   "mnuVNotes",        "Notes",     "mnuVTimeTable", "TimeTable", "mnuVSchoolDays",
        "SchoolDays", "mnuVToolBar",      "LowerLeft", "LowerRight",    "Beside",    "Opposite",
        "cmdPrev",    "cmdNext",          "MonthView"};
const QStringList kPrint{"mnuFPrintPreview", "mnuFPrint", "PrintPreview", "Print"};
const QStringList kPack{"mnuFPack", "mnuFUnPack", "Pack", "UnPack"};
const QStringList kEdit{"mnuECut",      "mnuECopy",      "mnuEPaste",     "mnuEErase", "mnuESelectAll",
                        "Cut",          "Copy",          "Paste",         "Erase",     "SelectAll",
                        "cmdNotesSave", "cmdNotesClear", "cmdNotesCancel"};
} // namespace

Q_DECLARE_METATYPE(MainCommandState)

class MainCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theStateDecidesWhatCanBeUsed_data() {
        QTest::addColumn<MainCommandState>("state");
        QTest::addColumn<QStringList>("usable");
        MainCommandState state = AYear();
        QTest::newRow("a year") << state << kYear;

        state = AYear();
        state.blankDataBase = true;
        state.packToGo = true;
        state.undoAvailable = true;
        state.editCommands = true;
        QTest::newRow("no school year") << state << kAlways;

        state = AYear();
        state.printer = PrinterState::Pending;
        QTest::newRow("the printer's answer pending") << state << Without(kYear, kPrint);
        state.printer = PrinterState::NotYetKnown;
        QTest::newRow("the printer's question given up") << state << kYear;

        state = AYear();
        state.locked = true;
        state.printer = PrinterState::Known; // the answer came while the wizard held the window
        state.packToGo = true;
        state.twoTeachers = true;
        state.undoAvailable = true;
        state.editCommands = true;
        QTest::newRow("the printer's answer under the wizard's lock") << state << QStringList();
        state.blankDataBase = true;
        QTest::newRow("the wizard's lock on a book without a year") << state << QStringList();

        state = AYear();
        state.packToGo = true;
        QTest::newRow("Pack To Go on") << state << kYear + kPack;

        state = AYear();
        state.twoTeachers = true;
        QTest::newRow("two teachers")
            << state << kYear + QStringList{"mnuFLogoff", "mnuVBothTeacherDays", "BothDays"};

        state = AYear();
        state.undoAvailable = true;
        QTest::newRow("an edit to undo") << state << kYear + QStringList{"mnuEUndo", "Undo"};

        state = AYear();
        state.editCommands = true;
        QTest::newRow("the notes typed in") << state << kYear + kEdit;

        state = AYear();
        state.notesHeldByFind = true;
        QTest::newRow("find and replace holds the notes") << state << Without(kYear, {"mnuVNotes", "Notes"});

        state = AYear();
        state.timeTableSetUp = false;
        state.timeTableShow = true;
        QTest::newRow("no timetable") << state << Without(kYear, {"mnuVTimeTable", "TimeTable"});
    }
    void theStateDecidesWhatCanBeUsed() {
        QFETCH(MainCommandState, state);
        QFETCH(QStringList, usable);
        QCOMPARE(Usable(state), Sorted(usable));
    }

    void theMarksFollowTheViewFlags_data() {
        QTest::addColumn<MainCommandState>("state");
        QTest::addColumn<QStringList>("checked");
        MainCommandState state = AYear();
        QTest::newRow("views off, panels lower left and beside")
            << state << QStringList{"Beside", "LowerLeft"};

        state.calendarShow = state.notesShow = state.timeTableShow = true;
        state.schoolDays = state.bothTeacherDays = state.toolBarShow = true;
        state.calendarPosition = state.notesPosition = 1;
        const QStringList all{
            "mnuVCalendar",   "Calendar",   "mnuVNotes",           "Notes",    "mnuVTimeTable", "TimeTable",
            "mnuVSchoolDays", "SchoolDays", "mnuVBothTeacherDays", "BothDays", "mnuVToolBar",   "LowerRight",
            "Opposite"};
        QTest::newRow("views on, panels lower right and opposite") << state << all;
        state.locked = true;
        QTest::newRow("under the wizard's lock") << state << all;
    }
    void theMarksFollowTheViewFlags() {
        QFETCH(MainCommandState, state);
        QFETCH(QStringList, checked);
        QCOMPARE(Checked(state), Sorted(checked));
    }
};

QTEST_GUILESS_MAIN(MainCommandsTest)
#include "tst_maincommands.moc"
