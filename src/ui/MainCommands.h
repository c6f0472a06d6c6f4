#pragma once

#include <QMap>
#include <QString>

// Which of the main window's commands can be used, decided in one place from the program's
// state. Nothing else switches a command: whoever changes the state asks for the one update
// (UpdateMainCommands), which applies what this computes.

// Where the question of the default printer stands. While it is open the print commands wait;
// once answered, or given up (the printer is then not yet known and a print command asks
// again), they follow the rest of the state.
enum class PrinterState { Pending, Known, NotYetKnown };

struct MainCommandState {
    bool blankDataBase = true; // the day table holds no school year
    bool locked = false;       // a window (the set-up wizard) holds the main window
    PrinterState printer = PrinterState::Known;
    bool packToGo = false;        // PackRun is 1
    bool undoAvailable = false;   // the undo buffer holds an entry
    bool editCommands = false;    // a text box the Edit commands act on is being typed in
    bool notesHeldByFind = false; // find and replace may show the notes panel for a hit
    bool twoTeachers = false;
    bool timeTableSetUp = false;
    // The view flags.
    bool calendarShow = false;
    bool notesShow = false;
    bool timeTableShow = false;
    bool schoolDays = false;
    bool bothTeacherDays = false;
    bool toolBarShow = false;
    int calendarPosition = 0; // 1 lower right
    int notesPosition = 0;    // 1 opposite
};

struct CommandLook {
    bool enabled = false;
    bool checked = false;
    bool visible = true;
    bool operator==(const CommandLook&) const = default;
};

// By name: a menu item or top menu of the main window ("mnuFPrint", "mnuFile"), a tool-bar
// button by its key ("Print"), or a control of the day page that follows the same state
// ("cmdNext", "cmdNotesSave").
using CommandLooks = QMap<QString, CommandLook>;

CommandLooks ComputeMainCommands(const MainCommandState& state);
