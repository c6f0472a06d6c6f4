#include "FileCopy.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

} // namespace

namespace {
const QByteArray kCopyInfix = ".copy-";
constexpr int kRandomChars = 6;
// A dot, ".copy-" and the six characters come on top of the target's own name.
constexpr int kTemporaryExtra = 1 + 6 + kRandomChars;

bool IsOurTemporaryName(const char* name) {
    const QByteArray text(name);
    const qsizetype infix = text.lastIndexOf(kCopyInfix);
    if (!text.startsWith('.') || infix < 2 || infix + kCopyInfix.size() + kRandomChars != text.size()) {
        return false;
    }
    for (qsizetype i = infix + kCopyInfix.size(); i < text.size(); ++i) {
        const char c = text.at(i);
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// A temporary copy whose writer no longer holds its lock was left by a copy that never ended.
void RemoveStaleCopies(int folder) {
    const int listing = ::dup(folder);
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0) {
            ::close(listing);
        }
        return;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsOurTemporaryName(entry->d_name)) {
            continue;
        }
        Descriptor stale(::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
        struct stat opened {};
        struct stat named {};
        if (!stale.valid() || ::fstat(stale.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            ::flock(stale.get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        // Still the file that was locked under that name, not one made since.
        if (::fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

// Makes a temporary file of ours beside the target and locks it while it is written, so that
// no other copy takes it for a stale one.
int CreateTemporary(int folder, const QByteArray& targetName, QByteArray* name) {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray candidate = '.' + targetName + kCopyInfix;
        for (int i = 0; i < kRandomChars; ++i) {
            candidate += kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)];
        }
        const int fd = ::openat(folder, candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            *name = candidate;
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

CopyResult ChangedFile(const QString& path) {
    CopyResult result = Failed(EINVAL, QStringLiteral("Another file has taken the place of"), path);
    result.changedFile = true;
    return result;
}

CopyResult WrongDrive(const QString& folder) {
    CopyResult result = Failed(ENODEV, QStringLiteral("The drive is no longer mounted at"), folder);
    result.wrongDrive = true;
    return result;
}

// Opens a folder for work inside it, and checks that it still lies on the volume it must.
int OpenFolder(const QString& folder, const std::optional<VolumeId>& volume, bool* wrongDrive) {
    *wrongDrive = false;
    const int fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 && volume && VolumeOfDescriptor(fd) != volume) {
        ::close(fd);
        *wrongDrive = true;
        errno = ENODEV;
        return -1;
    }
    return fd;
}
} // namespace

CopyResult CopyFileSafely(const QString& source, const QString& target,
                          const std::function<QString(const QString& copy)>& check, const CopyGuard& guard) {
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
    if (guard.source && FileVersionAt(in.get(), QByteArray()) != guard.source) {
        return ChangedFile(source);
    }
    if (SameFile(source, target)) {
        return Failed(EINVAL, QStringLiteral("A file cannot be copied onto itself"), target);
    }

    const QFileInfo targetInfo(target);
    const QString folderPath = targetInfo.absolutePath();
    const QByteArray targetName = Native(targetInfo.fileName());
    bool wrongDrive = false;
    Descriptor folder(OpenFolder(folderPath, guard.volume, &wrongDrive));
    if (wrongDrive) {
        return WrongDrive(folderPath);
    }
    if (!folder.valid()) {
        return Failed(errno, QStringLiteral("Cannot write in"), folderPath);
    }
    RemoveStaleCopies(folder.get());
    QByteArray temporary;
    Descriptor out(CreateTemporary(folder.get(), targetName, &temporary));
    if (!out.valid()) {
        return Failed(errno, QStringLiteral("Cannot write in"), folderPath);
    }
    auto abandon = [&](int error, const QString& what, const QString& path) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        out.reset();
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
    const mode_t mode = ::fstatat(folder.get(), targetName.constData(), &oldTarget, 0) == 0
                            ? oldTarget.st_mode
                            : sourceInfo.st_mode;
    ::fchmod(out.get(), mode & 07777);
    if (::fsync(out.get()) != 0) {
        return abandon(errno, QStringLiteral("Cannot write"), target);
    }
    // The modification time travels with the copy: UnPack compares it to tell the newer file.
    const struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    if (::futimens(out.get(), times) != 0) {
        return abandon(errno, QStringLiteral("Cannot set the time of"), target);
    }
    if (check) {
        const QString reason = check(folderPath + QLatin1Char('/') + QFile::decodeName(temporary));
        if (!reason.isEmpty()) {
            abandon(EINVAL, QString(), target);
            CopyResult refused;
            refused.error = EINVAL;
            refused.refused = true;
            refused.text = reason;
            return refused;
        }
    }
    // The target is replaced only if it is still the file that was judged: a stick swapped for
    // another in the meantime holds someone else's.
    if (guard.checkTarget && FileVersionAt(folder.get(), targetName) != guard.target) {
        abandon(EINVAL, QString(), target);
        return ChangedFile(target);
    }
    if (::renameat(folder.get(), temporary.constData(), folder.get(), targetName.constData()) != 0) {
        return abandon(errno, QStringLiteral("Cannot replace"), target);
    }
    // The rename is only lasting once the folder that holds the name is synced too.
    ::fsync(folder.get());
    if (!out.reset()) {
        return Failed(errno, QStringLiteral("Cannot write"), target);
    }
    CopyResult done;
    done.ok = true;
    return done;
}

StagedFile::~StagedFile() {
    Discard();
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_path(std::move(other.m_path)), m_name(std::move(other.m_name)),
      m_temporary(std::move(other.m_temporary)), m_folder(std::exchange(other.m_folder, -1)),
      m_file(std::exchange(other.m_file, -1)) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        Discard();
        m_path = std::move(other.m_path);
        m_name = std::move(other.m_name);
        m_temporary = std::move(other.m_temporary);
        m_folder = std::exchange(other.m_folder, -1);
        m_file = std::exchange(other.m_file, -1);
    }
    return *this;
}

bool StagedFile::Stage(const QString& path, const QByteArray& content, QString* error) {
    Discard();
    const QFileInfo info(path);
    auto failed = [this, error, &path](int code) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(code)));
        Discard();
        return false;
    };
    QDir().mkpath(info.absolutePath());
    m_folder = ::open(Native(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0) {
        return failed(errno);
    }
    m_path = path;
    m_name = Native(info.fileName());
    // Only a file can take the place of a file: a folder there would refuse the rename later.
    struct stat existing {};
    if (::fstatat(m_folder, m_name.constData(), &existing, 0) == 0 && !S_ISREG(existing.st_mode)) {
        return failed(EISDIR);
    }
    RemoveStaleCopies(m_folder);
    m_file = CreateTemporary(m_folder, m_name, &m_temporary);
    if (m_file < 0) {
        return failed(errno);
    }
    const mode_t mode = ::fstatat(m_folder, m_name.constData(), &existing, 0) == 0 ? existing.st_mode : 0600;
    ::fchmod(m_file, mode & 07777);
    if (!WriteAll(m_file, content.constData(), content.size())) {
        return failed(errno);
    }
    if (::fsync(m_file) != 0) {
        return failed(errno);
    }
    return true;
}

bool StagedFile::Commit(QString* error) {
    if (m_file < 0) {
        *error = QStringLiteral("%1: nothing was written").arg(m_path);
        return false;
    }
    if (::renameat(m_folder, m_temporary.constData(), m_folder, m_name.constData()) != 0) {
        *error = QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
        Discard();
        return false;
    }
    ::fsync(m_folder);
    m_temporary.clear();
    ::close(std::exchange(m_file, -1));
    ::close(std::exchange(m_folder, -1));
    return true;
}

void StagedFile::Discard() {
    if (m_file >= 0) {
        ::unlinkat(m_folder, m_temporary.constData(), 0);
        ::close(std::exchange(m_file, -1));
    }
    if (m_folder >= 0) {
        ::close(std::exchange(m_folder, -1));
    }
    m_temporary.clear();
}

bool MakeFolderOn(const QString& parent, const QString& name, std::optional<VolumeId> volume, QString* reason,
                  bool* wrongDrive) {
    bool gone = false;
    Descriptor folder(OpenFolder(parent, volume, &gone));
    if (wrongDrive) {
        *wrongDrive = gone;
    }
    if (gone) {
        *reason = QStringLiteral("The drive is no longer mounted at %1.").arg(parent);
        return false;
    }
    struct stat info {};
    const QByteArray native = Native(name);
    if (folder.valid() && ::fstatat(folder.get(), native.constData(), &info, 0) == 0 &&
        S_ISDIR(info.st_mode)) {
        return true;
    }
    if (!folder.valid() || ::mkdirat(folder.get(), native.constData(), 0777) != 0) {
        *reason = QStringLiteral("The folder %1 could not be made: %2")
                      .arg(parent + QLatin1Char('/') + name, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    ::fsync(folder.get());
    return true;
}

bool CopyNameFits(const QString& folder, const QString& fileName) {
    const long longest = ::pathconf(Native(folder).constData(), _PC_NAME_MAX);
    return Native(fileName).size() + kTemporaryExtra <= (longest > 0 ? longest : NAME_MAX);
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
