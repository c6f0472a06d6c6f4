#pragma once

#include <QString>

// The print commands of the main window: the print dialog, shown without waiting, and the print
// preview run from the dialog's stored settings without showing it. A default printer that has
// gone away since start-up is told as the main window tells a missing one.
void ShowPrintDialog();
// No default printer: this command (line names it) will not be available until one is attached.
// When the print system did not answer the question, or gave an answer that cannot be read, that
// is what the teacher is told instead.
void ShowNoPrinter(const QString& line);
void RunPrintPreview();
