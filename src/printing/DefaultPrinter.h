#pragma once

#include "Printer.h"

#include <QString>

#include <functional>
#include <optional>

// Finds the system's default printer among the installed ones (the first whose device name is
// the default's, case counting) and sets DefaultPrinterFound; none when there is no default or
// it is not installed. It also answers a question left open by AskDefaultPrinterLater.
std::optional<PrinterEntry> GetDefaultPrinter();

// The print system (its plug-in, CUPS and their libraries) takes longer to load than the day
// page takes to show, so start-up leaves the question open and asks it once the page is on
// screen. `answered` runs when DefaultPrinterFound has its answer. A helper that has not
// answered within the print system's wait is ended: the question is then answered with no
// printer known yet (PrintSystemAnswered() false), and the print commands ask again.
void AskDefaultPrinterLater(std::function<void()> answered);
bool DefaultPrinterPending();
// Asks the open question without waiting: in the helper program when one is named (so the
// program itself loads the print system only when the teacher prints), else here.
void AskDefaultPrinterInBackground();
// A print command given before the answer waits for it, within the print system's wait.
void AnswerDefaultPrinterNow();
// A print command given with no printer known asks again, within the same wait.
void AskDefaultPrinterAgain();

// The helper is the program itself, run with this argument; it answers on its standard output,
// "1" when a default printer is found, "0" when not, "-" when the print system did not answer,
// "unreadable" when its answer could not be read, and "missing" with why when there is no print
// system to ask (not installed, not running).
inline constexpr char DefaultPrinterQuestion[] = "--default-printer";
void UseDefaultPrinterHelper(const QString& program);
int AnswerDefaultPrinterQuestion(int& argc, char** argv);
