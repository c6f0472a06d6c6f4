#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

// The interface's run-time state: what the windows keep while the program runs and never
// save. The settings and the school year live in core's ProgramState.
struct UiState {
    // The day page: the row the cell commands act on, undo, and the page's width (twips).
    int EditRow = 0;
    // Ten entries of the day's date text, the row and the Details text before the edit; entry 0
    // is the oldest, UndoTop the newest (-1: empty).
    std::array<std::array<QString, 3>, 10> UndoBuffer;
    int UndoTop = -1;
    qint32 ScrollBarWidth = 0;
    qint32 DayPageWidth = 0;

    // Panel placement: system metrics in pixels, allowances and anchors in twips.
    qint32 FrameWidth = 0;
    qint32 FrameHeight = 0;
    qint32 BorderWidth = 0;
    qint32 BorderHeight = 0;
    qint32 CaptionHeight = 0;
    qint32 VScrollWidth = 0;
    qint32 HScrollHeight = 0;
    qint32 NonClientWidth = 0;
    qint32 NonClientHeight = 0;
    qint32 LowerRightX = 0;
    qint32 LowerY = 0;

    // Main window state.
    bool MenuSubclassed = false;
    // Start-up's question of the default printer is still open: the print commands wait for it.
    bool DefaultPrinterPending = false;
    // The windows that hold the main window while they are open (the set-up wizard): none of its
    // commands can be used then.
    QStringList MainWindowHeldBy;
    // The notes are being typed in: the Edit commands and the notes buttons work on them.
    bool EditCommandsOn = false;
    // Find and replace may show the notes panel for a hit: the Notes commands wait for it.
    bool NotesHeldByFind = false;
    QString DialogMode; // "Open" or "Save As": the database-file dialog's errand
    std::array<QString, 3> TeacherDayLists;
    QString MyPrefix;
    QString OurPrefix;
    QString OwnerPrefix;

    // The find and replace dialog: its texts exactly as typed, kept for the run.
    QString DialogFindText;
    QString DialogReplaceText;

    // The message box.
    int MsgResult = 0;
    qint32 MsgHelpContext = 0;
};

UiState& Ui();
// Tests start each case from a clean state.
void ResetUi();
