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
    // An open dialog previews its own choices and stays open.
    if (frmPrint* open = frmPrint::IfLoaded()) {
        open->cmdPrintPreview_Click();
        return;
    }
    if (!DefaultPrinterStillThere()) {
        frmMain::Get().mnuFPrintPreview_Click();
        return;
    }
    frmPrint::Get().cmdPrintPreview_Click();
    frmPrint::Unload();
}
