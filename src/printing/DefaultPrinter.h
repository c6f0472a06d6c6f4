#pragma once

#include "Printer.h"

#include <optional>

// Finds the system's default printer among the installed ones (the first whose device name is
// the default's, case counting) and sets DefaultPrinterFound; none when there is no default or
// it is not installed.
std::optional<PrinterEntry> GetDefaultPrinter();
