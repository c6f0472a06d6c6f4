#include "DefaultPrinter.h"

#include "core/ProgramState.h"

std::optional<PrinterEntry> GetDefaultPrinter() {
    std::optional<PrinterEntry> found;
    const QString name = DefaultPrinterName();
    if (!name.isEmpty()) {
        for (const PrinterEntry& printer : Printers()) {
            if (printer.DeviceName == name) {
                found = printer;
                break;
            }
        }
    }
    Globals().DefaultPrinterFound = found.has_value();
    return found;
}
