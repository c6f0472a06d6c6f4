#include "SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace {
std::unique_ptr<QLockFile> g_lock;
QString g_folderOverride;
} // namespace

namespace SingleInstance {
QString LockFilePath() {
    QString folder = g_folderOverride;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder + QStringLiteral("/Quillmarsh.lock");
}

bool TryAcquire() {
    if (g_lock) {
        return true;
    }
    auto lock = std::make_unique<QLockFile>(LockFilePath());
    // A lock left by a crashed copy is stale once its process is gone; QLockFile checks that.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return false;
    }
    g_lock = std::move(lock);
    return true;
}

void Release() {
    g_lock.reset();
}

void SetLockFolderForTests(const QString& folder) {
    g_folderOverride = folder;
}
} // namespace SingleInstance
