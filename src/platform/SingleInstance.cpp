#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
int g_fd = -1;
QString g_folderOverride;
QString g_error;

int OpenLockFile(const QByteArray& path) {
    return ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}
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

QString Error() {
    return g_error;
}

Result Acquire() {
    if (g_fd >= 0) {
        return Result::Acquired;
    }
    g_error.clear();
    const QString path = LockFilePath();
    const QByteArray native = QFile::encodeName(path);
    int fd = OpenLockFile(native);
    if (fd < 0 && (errno == EISDIR || errno == EACCES || errno == EPERM)) {
        // Something is in the way: an empty folder, or a file we may not open. Clear it once.
        if (::rmdir(native.constData()) == 0 || ::unlink(native.constData()) == 0) {
            fd = OpenLockFile(native);
        }
    }
    if (fd < 0) {
        g_error = QStringLiteral("The lock file %1 could not be opened: %2")
                      .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return Result::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return Result::HeldByRunningCopy;
        }
        g_error = QStringLiteral("The lock file %1 could not be locked: %2")
                      .arg(path, QString::fromLocal8Bit(std::strerror(error)));
        return Result::Failed;
    }
    // Who holds it, for a person looking at the file; the lock itself is what counts.
    const QByteArray owner =
        QByteArray::number(::getpid()) + "\nquillmarsh\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::write(fd, owner.constData(), size_t(owner.size()));
    }
    g_fd = fd;
    return Result::Acquired;
}

void Release() {
    if (g_fd >= 0) {
        ::close(g_fd);
        g_fd = -1;
    }
}

void SetLockFolderForTests(const QString& folder) {
    g_folderOverride = folder;
}
} // namespace SingleInstance
