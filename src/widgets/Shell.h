#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The desktop's "open": a mail address, a web page or a document goes to its default handler.
// failed runs, later, when nothing could open it: no program opens it, or the one that was to
// said it could not (without it, only a line on the error output would tell). Tests record the
// requests instead of starting programs.
void ShellOpen(const QString& target, std::function<void()> failed = {});
void SetShellRecordingForTests(bool record);
const QStringList& RecordedShellRequests();
