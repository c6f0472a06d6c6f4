#pragma once

#include <QString>
#include <QStringList>

// The desktop's "open": a mail address, a web page or a document goes to its default handler.
// Tests record the requests instead of starting programs.
bool ShellOpen(const QString& target);
void SetShellRecordingForTests(bool record);
const QStringList& RecordedShellRequests();
