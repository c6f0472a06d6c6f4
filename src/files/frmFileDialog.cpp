#include "frmFileDialog.h"

// The database-file dialog arrives with Pack To Go.
void ShowFileDialog(const QString&) {}
