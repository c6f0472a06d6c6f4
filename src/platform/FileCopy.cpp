#include "FileCopy.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 kBlockSize = 1 << 20;

std::function<bool(int)> g_blockHook;
qint64 g_blockSize = kBlockSize;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

CopyResult Failed(int error, const QString& what, const QString& path) {
    CopyResult result;
    result.error = error;
    result.text = QStringLiteral("%1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(error)));
    return result;
}

// Closes a descriptor once, whatever way the copy leaves.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now and tells whether the close itself succeeded (a late write error shows here).
    bool reset() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// The rename is only lasting once the folder that holds the name is synced too.
void SyncFolder(const QString& folder) {
    Descriptor fd(::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}
} // namespace

CopyResult CopyFileSafely(const QString& source, const QString& target,
                          const std::function<QString(const QString& copy)>& check) {
    Descriptor in(::open(Native(source).constData(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) {
        return Failed(errno, QStringLiteral("Cannot read"), source);
    }
    struct stat sourceInfo {};
    if (::fstat(in.get(), &sourceInfo) != 0) {
        return Failed(errno, QStringLiteral("Cannot read"), source);
    }
    if (!S_ISREG(sourceInfo.st_mode)) {
        return Failed(EINVAL, QStringLiteral("Not a file"), source);
    }
    if (SameFile(source, target)) {
        return Failed(EINVAL, QStringLiteral("A file cannot be copied onto itself"), target);
    }

    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    QByteArray temporary =
        Native(folder + QStringLiteral("/.") + targetInfo.fileName() + QStringLiteral(".copy-XXXXXX"));
    Descriptor out(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!out.valid()) {
        return Failed(errno, QStringLiteral("Cannot write in"), folder);
    }
    auto abandon = [&temporary, &out](int error, const QString& what, const QString& path) {
        out.reset();
        ::unlink(temporary.constData());
        return Failed(error, what, path);
    };

    std::vector<char> block(static_cast<size_t>(g_blockSize));
    int blocks = 0;
    for (;;) {
        const ssize_t got = ::read(in.get(), block.data(), block.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return abandon(errno, QStringLiteral("Cannot read"), source);
        }
        if (got == 0) {
            break;
        }
        if (!WriteAll(out.get(), block.data(), got)) {
            return abandon(errno, QStringLiteral("Cannot write"), target);
        }
        ++blocks;
        if (g_blockHook && !g_blockHook(blocks)) {
            return abandon(ENOSPC, QStringLiteral("Cannot write"), target);
        }
    }
    // The target keeps the permissions it had; a new one takes the source's. A drive's file
    // system may not keep permissions at all, which is no failure.
    struct stat oldTarget {};
    const mode_t mode =
        ::stat(Native(target).constData(), &oldTarget) == 0 ? oldTarget.st_mode : sourceInfo.st_mode;
    ::fchmod(out.get(), mode & 07777);
    if (::fsync(out.get()) != 0) {
        return abandon(errno, QStringLiteral("Cannot write"), target);
    }
    // The modification time travels with the copy: UnPack compares it to tell the newer file.
    const struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    if (::futimens(out.get(), times) != 0) {
        return abandon(errno, QStringLiteral("Cannot set the time of"), target);
    }
    if (!out.reset()) {
        const int error = errno;
        ::unlink(temporary.constData());
        return Failed(error, QStringLiteral("Cannot write"), target);
    }
    if (check) {
        const QString reason = check(QFile::decodeName(temporary));
        if (!reason.isEmpty()) {
            ::unlink(temporary.constData());
            CopyResult refused;
            refused.error = EINVAL;
            refused.refused = true;
            refused.text = reason;
            return refused;
        }
    }
    if (::rename(temporary.constData(), Native(target).constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return Failed(error, QStringLiteral("Cannot replace"), target);
    }
    SyncFolder(folder);
    CopyResult done;
    done.ok = true;
    return done;
}

bool FileExists(const QString& path) {
    struct stat info {};
    return !path.isEmpty() && ::stat(Native(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool SameFile(const QString& first, const QString& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(Native(first).constData(), &a) == 0 && ::stat(Native(second).constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::optional<qint64> ModifiedTime(const QString& path) {
    struct stat info {};
    if (::stat(Native(path).constData(), &info) != 0) {
        return std::nullopt;
    }
    return qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

bool SetModifiedTime(const QString& path, qint64 nanoseconds) {
    struct timespec times[2]{};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(nanoseconds / 1000000000);
    times[1].tv_nsec = long(nanoseconds % 1000000000);
    return ::utimensat(AT_FDCWD, Native(path).constData(), times, 0) == 0;
}

namespace FileCopySeam {
void SetBlockHookForTests(std::function<bool(int blocksWritten)> hook, qint64 blockSize) {
    g_blockHook = std::move(hook);
    g_blockSize = g_blockHook && blockSize > 0 ? blockSize : kBlockSize;
}
} // namespace FileCopySeam
