#pragma once

// While a print runs or the program waits for the print system, the window is painted but the
// teacher's input is dropped, not held back: input held back would be replayed once the wait is
// over, and a second Print click would print everything again. A request to close the program
// is kept instead, and honoured once the print has stopped. Scopes nest; the outermost one
// drops what input is still queued when it ends.
class PrintInProgress {
public:
    PrintInProgress();
    ~PrintInProgress();
    PrintInProgress(const PrintInProgress&) = delete;
    PrintInProgress& operator=(const PrintInProgress&) = delete;

    static bool Active();
};

// The main window's close request while a print is in progress: kept, and true; false when no
// print is in progress and the window may close now.
bool KeepCloseUntilPrintStops();

// Asked before each job of a print after the first: when the teacher asked to close the program
// meanwhile, whether to stop the print for it. False: the print stops here, and the program
// closes once it has.
bool GoOnPrinting();
