#pragma once

#include <QString>

// The program's own database-file dialog, shown without waiting: mode "Open" or "Save As".
void ShowFileDialog(const QString& mode);
