#pragma once

// The print commands of the main window: the print dialog, shown without waiting, and the print
// preview run from the dialog's stored settings without showing it.
void ShowPrintDialog();
void RunPrintPreview();
