#include "RunAtStartup.h"

#include "Message.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {
QString g_folderOverride;

const QString kExecutableName = QStringLiteral("quillmarsh");
} // namespace

QString ProgramExecutablePath() {
    return QDir::cleanPath(ProgramFolder() + QLatin1Char('/') + kExecutableName);
}

QString AutostartFolderFor(const QString& xdgConfigHome, const QString& home) {
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    const QString config = !xdgConfigHome.isEmpty() && QDir::isAbsolutePath(xdgConfigHome)
                               ? xdgConfigHome
                               : home + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/autostart"));
}

QString AutostartFolder() {
    if (!g_folderOverride.isEmpty()) {
        return g_folderOverride;
    }
    return AutostartFolderFor(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

QString AutostartEntryPath() {
    return AutostartFolder() + QLatin1Char('/') + ProductName() + QStringLiteral(".desktop");
}

void SetAutostartFolderForTests(const QString& folder) {
    g_folderOverride = folder;
}

QString DesktopExecArgument(const QString& argument) {
    // Inside double quotes the command line reserves " ` $ and \, each escaped by a backslash;
    // a literal % is written %%.
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        } else if (c == QLatin1Char('%')) {
            quoted += QLatin1Char('%');
        }
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    // The value is a string of the entry file first, where a backslash is itself escaped, and
    // it holds one line.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    quoted.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return quoted;
}

QString AutostartEntryText(const QString& executable) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=Lesson-plan book\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(ProductName(), DesktopExecArgument(executable));
}

void AddRunAtStartup() {
    // Written whole to a temporary file and renamed over the old entry, so there is only ever
    // one entry, and never half of one.
    if (!QDir().mkpath(AutostartFolder())) {
        return;
    }
    QSaveFile file(AutostartEntryPath());
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    file.write(AutostartEntryText(ProgramExecutablePath()).toUtf8());
    file.commit();
}

void RemoveRunAtStartup() {
    QFile::remove(AutostartEntryPath());
}
