#include "Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
bool g_record = false;
QStringList g_requests;
} // namespace

void ShellOpen(const QString& target, std::function<void()> failed) {
    if (g_record) {
        g_requests.append(target);
        return;
    }
    const auto fail = [failed] {
        if (failed) {
            failed();
        }
    };
    // A path is a file even when it is missing, so the desktop can say so; blanks need no quoting.
    const bool file = QFileInfo::exists(target) || QDir::isAbsolutePath(target);
    // The desktop's opener tells by its exit whether anything opened the target; Qt starts it and
    // forgets it. Without it, Qt looks for a browser of its own.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(file ? QUrl::fromLocalFile(target) : QUrl(target))) {
            fail();
        }
        return;
    }
    // It may stay until the program it started closes: the answer is awaited, not waited for.
    auto* opening = new QProcess(QCoreApplication::instance());
    opening->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(opening, &QProcess::finished, opening,
                     [opening, fail](int code, QProcess::ExitStatus how) {
                         if (how != QProcess::NormalExit || code != 0) {
                             fail();
                         }
                         opening->deleteLater();
                     });
    QObject::connect(opening, &QProcess::errorOccurred, opening,
                     [opening, fail](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             fail();
                             opening->deleteLater();
                         }
                     });
    opening->start(opener, {file ? QDir::cleanPath(QFileInfo(target).absoluteFilePath()) : target});
}

void SetShellRecordingForTests(bool record) {
    g_record = record;
    g_requests.clear();
}

const QStringList& RecordedShellRequests() {
    return g_requests;
}
