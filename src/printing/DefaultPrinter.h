#pragma once

#include "Printer.h"

#include <functional>
#include <optional>

// Finds the system's default printer among the installed ones (the first whose device name is
// the default's, case counting) and sets DefaultPrinterFound; none when there is no default or
// it is not installed. It also answers a question left open by AskDefaultPrinterLater.
std::optional<PrinterEntry> GetDefaultPrinter();

// The print system (its plug-in, CUPS and their libraries) takes longer to load than the day
// page takes to show, so start-up leaves the question open and asks it once the page is on
// screen. `answered` runs when DefaultPrinterFound has its answer.
void AskDefaultPrinterLater(std::function<void()> answered);
bool DefaultPrinterPending();
// A print command given before the answer waits for it: the question is asked now.
void AnswerDefaultPrinterNow();
