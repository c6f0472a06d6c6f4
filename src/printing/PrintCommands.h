#pragma once

// The print commands of the main window: the print dialog, shown without waiting, and the print
// preview run from the dialog's stored settings without showing it. A default printer that has
// gone away since start-up is told as the main window tells a missing one.
void ShowPrintDialog();
void RunPrintPreview();
