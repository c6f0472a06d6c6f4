#include "MainCommands.h"

#include <initializer_list>
#include <utility>

namespace {
class Looks {
public:
    void set(std::initializer_list<const char*> names, bool enabled, bool checked = false,
             bool visible = true) {
        for (const char* name : names) {
            m_looks.insert(QString::fromLatin1(name), CommandLook{enabled, checked, visible});
        }
    }
    CommandLooks take() { return std::move(m_looks); }

private:
    CommandLooks m_looks;
};
} // namespace

CommandLooks ComputeMainCommands(const MainCommandState& s) {
    Looks looks;
    // A window that holds the main window leaves nothing of it to use, menus and keys alike.
    const bool open = !s.locked;
    // Without a school year only Setup, Exit, Help and DataBase Open work, and no tool-bar button:
    // Open is the way back to a book that holds a year, which the settings would otherwise keep
    // out of reach from one start to the next.
    const bool data = open && !s.blankDataBase;

    looks.set({"mnuFile", "mnuEdit", "mnuView", "mnuTools", "mnuHelp"}, open);
    looks.set({"mnuTSetup", "mnuFExit", "mnuHContents", "mnuHTips", "mnuHAbout", "mnuHUpdates", "mnuFOpen"},
              open);
    looks.set({"mnuHMenuDesigner"}, open, false, false);

    looks.set({"mnuFSaveAs", "mnuEFindReplace", "Find", "mnuTOptions", "Options", "Help", "Tips"}, data);
    looks.set({"mnuFPack", "mnuFUnPack", "Pack", "UnPack"}, data && s.packToGo);
    // A print command waits for the open question of the default printer; once it is answered
    // or given up, the command asks again itself when no printer is known.
    looks.set({"mnuFPrintPreview", "mnuFPrint", "PrintPreview", "Print"},
              data && s.printer != PrinterState::Pending);
    looks.set({"mnuFsep3"}, false, false, s.twoTeachers);
    looks.set({"mnuFLogoff"}, data, false, s.twoTeachers);

    looks.set({"mnuEUndo", "Undo"}, data && s.undoAvailable);
    looks.set({"mnuECut", "mnuECopy", "mnuEPaste", "mnuEErase", "mnuESelectAll", "Cut", "Copy", "Paste",
               "Erase", "SelectAll"},
              data && s.editCommands);

    looks.set({"mnuVCalendar", "Calendar"}, data, s.calendarShow);
    looks.set({"mnuVNotes", "Notes"}, data && !s.notesHeldByFind, s.notesShow);
    looks.set({"mnuVTimeTable"}, data && s.timeTableSetUp, s.timeTableShow);
    looks.set({"TimeTable"}, data, s.timeTableShow, s.timeTableSetUp);
    looks.set({"mnuVSchoolDays", "SchoolDays"}, data, s.schoolDays);
    looks.set({"mnuVBothTeacherDays", "BothDays"}, data, s.bothTeacherDays, s.twoTeachers);
    looks.set({"mnuVToolBar"}, data, s.toolBarShow);
    looks.set({"LowerLeft"}, data, s.calendarPosition != 1);
    looks.set({"LowerRight"}, data, s.calendarPosition == 1);
    looks.set({"Beside"}, data, s.notesPosition != 1);
    looks.set({"Opposite"}, data, s.notesPosition == 1);

    // The day page's own controls: its navigation needs a school year, and the notes buttons go
    // with the Edit commands.
    looks.set({"cmdPrev", "cmdNext", "MonthView"}, data);
    looks.set({"cmdNotesSave", "cmdNotesClear", "cmdNotesCancel"}, data && s.editCommands);
    return looks.take();
}
