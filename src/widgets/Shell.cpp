#include "Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {
bool g_record = false;
QStringList g_requests;
} // namespace

bool ShellOpen(const QString& target) {
    if (g_record) {
        g_requests.append(target);
        return true;
    }
    // A path is a file even when it is missing, so the desktop can say so; blanks need no quoting.
    const QUrl url = QFileInfo::exists(target) || QDir::isAbsolutePath(target) ? QUrl::fromLocalFile(target)
                                                                               : QUrl(target);
    return QDesktopServices::openUrl(url);
}

void SetShellRecordingForTests(bool record) {
    g_record = record;
    g_requests.clear();
}

const QStringList& RecordedShellRequests() {
    return g_requests;
}
