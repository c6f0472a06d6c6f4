#include "PrintCommands.h"

#include "DefaultPrinter.h"
#include "PrintSystem.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "frmPrint.h"

#include <QPushButton>

namespace {
// Looks again: a printer may have been removed since start-up. When it has, the command says so
// as it says a missing one.
bool DefaultPrinterStillThere() {
    GetDefaultPrinter();
    return Globals().DefaultPrinterFound;
}

// Loads the print dialog, unseen, for a command; none when the print system stopped answering
// while the dialog looked up its printers (the command then says so).
frmPrint* LoadPrintDialog(const QString& line) {
    if (frmPrint::IsLoaded()) {
        return &frmPrint::Get();
    }
    if (!DefaultPrinterStillThere()) {
        ShowNoPrinter(line);
        return nullptr;
    }
    frmPrint& dialog = frmPrint::Get();
    if (!PrintSystemAnswered()) {
        frmPrint::Unload();
        ShowNoPrinter(line);
        return nullptr;
    }
    return &dialog;
}
} // namespace

void ShowNoPrinter(const QString& line) {
    if (const QString missing = PrintSystemMissing(); !missing.isEmpty()) {
        // No printer can be found without it: the print system is what is missing.
        ShowMessage(missing + QStringLiteral("\r\n\r\n") + line +
                        QStringLiteral(" the print system (CUPS) is installed and running."),
                    MsgOK, MsgWarning, Globals().AppTitle + QStringLiteral(" - Print System Not Available"),
                    0);
        return;
    }
    if (PrintSystemUnreadable()) {
        // Something answers, but not as the print system does: no printer can be told from it.
        ShowMessage(
            PrintSystemUnreadableText() + QStringLiteral(", so no printer can be found.\r\n\r\n") + line +
                QStringLiteral(" the print system answers as CUPS does. The print server this "
                               "computer is set to use may not be a CUPS print server, or something "
                               "between them (a proxy) may change its answers: please tell whoever "
                               "looks after this computer."),
            MsgOK, MsgWarning, Globals().AppTitle + QStringLiteral(" - Print System Not Understood"), 0);
        return;
    }
    if (!PrintSystemAnswered()) {
        // Not a missing printer: the print system did not say.
        ShowMessage(PrintSystemNotAnsweringText() + QStringLiteral("\r\n\r\n") + line +
                        QStringLiteral(" it answers again; please try again in a moment."),
                    MsgOK, MsgWarning, Globals().AppTitle + QStringLiteral(" - Print System Not Answering"),
                    0);
        return;
    }
    ShowMessage(QStringLiteral("No Printer is attached to this computer.\r\n\r\n") + line +
                    QStringLiteral("\r\na printer is attached.\r\n\r\n"),
                MsgOK, MsgInformation, Globals().AppTitle + QStringLiteral(" - No Printer Attached"), 0);
}

void ShowPrintDialog() {
    const PrintCommand command;
    frmPrint* dialog = LoadPrintDialog(QStringLiteral("The Print Dialog will not be available until"));
    if (!dialog) {
        return;
    }
    dialog->show();
    dialog->raise();
    dialog->cmdPrint->setFocus();
}

void RunPrintPreview() {
    const PrintCommand command;
    // The dialog is loaded unseen for the preview alone; one that is open previews its own
    // choices and is closed all the same, leaving the preview.
    frmPrint* dialog = LoadPrintDialog(QStringLiteral("Print Preview will not be available until"));
    if (!dialog) {
        return;
    }
    dialog->cmdPrintPreview_Click();
    frmPrint::Unload();
}
