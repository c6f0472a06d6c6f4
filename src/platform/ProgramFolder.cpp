#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString g_folderOverride;
}

QString ProgramFolder() {
    if (!g_folderOverride.isEmpty()) {
        return g_folderOverride;
    }
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolderForTests(const QString& folder) {
    g_folderOverride = folder;
}

QString NativePath(const QString& path) {
    QString native = path;
    native.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(native);
}
