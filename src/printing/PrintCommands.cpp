#include "PrintCommands.h"

#include "DefaultPrinter.h"
#include "core/ProgramState.h"
#include "daypage/frmMain.h"
#include "frmPrint.h"

#include <QPushButton>

namespace {
// Looks again: a printer may have been removed since start-up. When it has, the main window's
// command (which finds DefaultPrinterFound false now) gives its no-printer message.
bool DefaultPrinterStillThere() {
    GetDefaultPrinter();
    return Globals().DefaultPrinterFound;
}
} // namespace

void ShowPrintDialog() {
    if (!frmPrint::IsLoaded() && !DefaultPrinterStillThere()) {
        frmMain::Get().mnuFPrint_Click();
        return;
    }
    frmPrint& dialog = frmPrint::Get();
    dialog.show();
    dialog.raise();
    dialog.cmdPrint->setFocus();
}

void RunPrintPreview() {
    // The dialog is loaded unseen for the preview alone; one that is open previews its own
    // choices and is closed all the same, leaving the preview.
    if (!frmPrint::IsLoaded() && !DefaultPrinterStillThere()) {
        frmMain::Get().mnuFPrintPreview_Click();
        return;
    }
    frmPrint::Get().cmdPrintPreview_Click();
    frmPrint::Unload();
}
