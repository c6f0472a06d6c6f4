#include "FileCopy.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
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
    // Gives the descriptor up without closing it.
    int release() { return std::exchange(m_fd, -1); }
    // Closes now and tells whether the close itself succeeded (a late write error shows here).
    bool reset() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool Injected(FileCopySeam::Step step);

bool WriteAll(int fd, const char* data, qint64 size) {
    if (size > 0 && Injected(FileCopySeam::Step::Write)) {
        return false;
    }
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
const QByteArray kStagedInfix = ".staged-";
constexpr int kRandomChars = 6;
constexpr int kTokenDigits = 8;
// A dot, ".copy-" and the six characters come on top of the target's own name.
constexpr int kTemporaryExtra = 1 + 6 + kRandomChars;

std::function<int(FileCopySeam::Step)> g_stepFailure;
std::function<void(const QString&)> g_createdHook;

// Whether a step fails at the tests' word; errno then says why.
bool Injected(FileCopySeam::Step step) {
    const int error = g_stepFailure ? g_stepFailure(step) : 0;
    if (error != 0) {
        errno = error;
    }
    return error != 0;
}

bool SyncFile(int fd) {
    return !Injected(FileCopySeam::Step::Sync) && ::fsync(fd) == 0;
}

// Closes the written descriptor and tells whether everything written reached the file (a late
// write error of some file systems shows only here).
bool CloseWritten(Descriptor& file) {
    const bool closed = file.reset();
    return !Injected(FileCopySeam::Step::Close) && closed;
}

bool RenameInFolder(int folder, const QByteArray& from, const QByteArray& to) {
    return !Injected(FileCopySeam::Step::Rename) &&
           ::renameat(folder, from.constData(), folder, to.constData()) == 0;
}

// A rename lasts through a loss of power only once the folder that holds the name is synced.
bool SyncFolder(int folder) {
    return !Injected(FileCopySeam::Step::SyncFolder) && ::fsync(folder) == 0;
}

bool IsRandomPart(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// prefix, the six characters, suffix.
bool IsTemporaryName(const QByteArray& name, const QByteArray& prefix, const QByteArray& suffix) {
    return name.size() == prefix.size() + kRandomChars + suffix.size() && name.startsWith(prefix) &&
           name.endsWith(suffix) && IsRandomPart(QByteArrayView(name).sliced(prefix.size(), kRandomChars));
}

// The token of "." target ".staged-" and eight hex digits, or 0.
quint32 StagedToken(const QByteArray& name, const QByteArray& target) {
    const QByteArray prefix = '.' + target + kStagedInfix;
    if (name.size() != prefix.size() + kTokenDigits || !name.startsWith(prefix)) {
        return 0;
    }
    bool ok = false;
    const uint token = name.mid(prefix.size()).toUInt(&ok, 16);
    return ok ? quint32(token) : 0;
}

QByteArray StagedName(const QByteArray& target, quint32 token) {
    return '.' + target + kStagedInfix +
           QByteArray::number(token, 16).toUpper().rightJustified(kTokenDigits, '0');
}

bool SameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Takes the writer's lock on the file just made under name. False when a clean-up holds it or
// has removed it since it was made: the writer lets go of it and makes another. A file system
// that cannot lock at all leaves the file unlocked, which no clean-up then takes either.
bool HoldAsWriter(int folder, const char* name, int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        return false;
    }
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           SameInode(opened, named);
}

// Opens a leftover of the folder and takes its lock: only when no running writer holds it and
// the name still names the file locked. The descriptor keeps the lock; -1 when it was not taken
// (errno says why).
int TakeLeftover(int folder, const char* name) {
    Descriptor file(::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    struct stat opened {};
    struct stat named {};
    if (!file.valid() || ::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        return -1;
    }
    // Still the file that was locked under that name, not one made or renamed since.
    if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !SameInode(opened, named)) {
        errno = ENOENT;
        return -1;
    }
    const int fd = file.get();
    file.release();
    return fd;
}

QList<QByteArray> FolderNames(int folder) {
    QList<QByteArray> names;
    const int listing = ::dup(folder);
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0) {
            ::close(listing);
        }
        return names;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        names.append(QByteArray(entry->d_name));
    }
    ::closedir(dir);
    return names;
}

// A temporary file whose writer no longer holds its lock was left by a write that never ended.
int RemoveStale(int folder, const QByteArray& prefix, const QByteArray& suffix, const QByteArray& target = {},
                QList<QPair<QByteArray, quint32>>* staged = nullptr) {
    int removed = 0;
    for (const QByteArray& name : FolderNames(folder)) {
        if (staged && !target.isEmpty()) {
            if (const quint32 token = StagedToken(name, target)) {
                staged->append({name, token});
                continue;
            }
        }
        if (!IsTemporaryName(name, prefix, suffix)) {
            continue;
        }
        Descriptor stale(TakeLeftover(folder, name.constData()));
        if (stale.valid() && ::unlinkat(folder, name.constData(), 0) == 0) {
            ++removed;
        }
    }
    return removed;
}

int RemoveStaleCopies(int folder, const QByteArray& target) {
    return RemoveStale(folder, '.' + target + kCopyInfix, {});
}

// The permissions a new file of the user gets: read and write for all, less the user's mask.
mode_t NewFileMode() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok) {
                    return 0666 & ~mode_t(mask);
                }
            }
        }
    }
    return 0644;
}

// Makes a temporary file of ours beside the target and locks it while it is written, so that
// no other copy takes it for a stale one. With a token the name is the token's, made once.
int CreateTemporary(int folder, const QByteArray& targetName, QByteArray* name, quint32 token = 0) {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray candidate = token != 0 ? StagedName(targetName, token) : '.' + targetName + kCopyInfix;
        for (int i = 0; token == 0 && i < kRandomChars; ++i) {
            candidate += kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)];
        }
        const int fd = ::openat(folder, candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno != EEXIST || token != 0) {
                return -1;
            }
            continue;
        }
        if (g_createdHook) {
            g_createdHook(QFile::decodeName(candidate));
        }
        if (HoldAsWriter(folder, candidate.constData(), fd)) {
            *name = candidate;
            return fd;
        }
        // A clean-up took it between its making and the lock: it removes it, we make another.
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// Copies the rest of in into out, block by block. False when a read (readFailed) or a write
// failed, with errno saying why.
bool CopyBlocks(int in, int out, bool* readFailed) {
    std::vector<char> block(static_cast<size_t>(g_blockSize));
    int blocks = 0;
    for (;;) {
        const ssize_t got = ::read(in, block.data(), block.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            *readFailed = true;
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!WriteAll(out, block.data(), got)) {
            return false;
        }
        ++blocks;
        if (g_blockHook && !g_blockHook(blocks)) {
            errno = ENOSPC;
            return false;
        }
    }
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
    RemoveStaleCopies(folder.get(), targetName);
    QByteArray temporary;
    Descriptor out(CreateTemporary(folder.get(), targetName, &temporary));
    if (!out.valid()) {
        return Failed(errno, QStringLiteral("Cannot write in"), folderPath);
    }
    // The lock belongs to the open file, so it stays while this second descriptor lives: the
    // written one is closed before the rename, and no clean-up takes the copy in between.
    Descriptor hold(::fcntl(out.get(), F_DUPFD_CLOEXEC, 0));
    auto abandon = [&](int error, const QString& what, const QString& path) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        out.reset();
        return Failed(error, what, path);
    };
    if (!hold.valid()) {
        return abandon(errno, QStringLiteral("Cannot write in"), folderPath);
    }

    bool readFailed = false;
    if (!CopyBlocks(in.get(), out.get(), &readFailed)) {
        return abandon(errno, readFailed ? QStringLiteral("Cannot read") : QStringLiteral("Cannot write"),
                       readFailed ? source : target);
    }
    // The target keeps the permissions it had; a new one takes the source's. A copy onto a drive
    // is for the other computer's user too: it gets what a new file of the user gets. A drive's
    // file system may not keep permissions at all, which is no failure.
    struct stat oldTarget {};
    const mode_t mode = guard.volume ? NewFileMode()
                        : ::fstatat(folder.get(), targetName.constData(), &oldTarget, 0) == 0
                            ? oldTarget.st_mode
                            : sourceInfo.st_mode;
    ::fchmod(out.get(), mode & 07777);
    // The modification time travels with the copy: UnPack compares it to tell the newer file.
    const struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    if (::futimens(out.get(), times) != 0) {
        return abandon(errno, QStringLiteral("Cannot set the time of"), target);
    }
    // Everything that can still fail about the copy's content fails here, before the target is
    // touched.
    if (!SyncFile(out.get()) || !CloseWritten(out)) {
        return abandon(errno, QStringLiteral("Cannot write"), target);
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
    if (!RenameInFolder(folder.get(), temporary, targetName)) {
        return abandon(errno, QStringLiteral("Cannot replace"), target);
    }
    // From here the target is the copy. On this computer's disk that is enough; a drive may be
    // pulled out before it has written the new name, so a copy onto one counts only once its
    // folder is synced.
    CopyResult done;
    done.ok = true;
    done.renamed = true;
    if (!SyncFolder(folder.get())) {
        done.error = errno;
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        if (guard.volume) {
            done.ok = false;
            done.text = QStringLiteral("%1 may not be on the drive: its folder could not be synced: %2")
                            .arg(target, why);
        } else {
            done.text =
                QStringLiteral("%1 is in place, but its folder could not be synced: %2").arg(target, why);
        }
    }
    return done;
}

CopyResult CopyScratchFile(const QString& source, const QString& target) {
    Descriptor in(::open(Native(source).constData(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) {
        return Failed(errno, QStringLiteral("Cannot read"), source);
    }
    Descriptor out(
        ::open(Native(target).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.valid()) {
        return Failed(errno, QStringLiteral("Cannot write"), target);
    }
    bool readFailed = false;
    if (!CopyBlocks(in.get(), out.get(), &readFailed) || !CloseWritten(out)) {
        return Failed(errno, readFailed ? QStringLiteral("Cannot read") : QStringLiteral("Cannot write"),
                      readFailed ? source : target);
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
      m_temporary(std::move(other.m_temporary)), m_token(std::exchange(other.m_token, 0)),
      m_folder(std::exchange(other.m_folder, -1)), m_file(std::exchange(other.m_file, -1)) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        Discard();
        m_path = std::move(other.m_path);
        m_name = std::move(other.m_name);
        m_temporary = std::move(other.m_temporary);
        m_token = std::exchange(other.m_token, 0);
        m_folder = std::exchange(other.m_folder, -1);
        m_file = std::exchange(other.m_file, -1);
    }
    return *this;
}

bool WriteAndSync(int fd, const QByteArray& content) {
    return WriteAll(fd, content.constData(), content.size()) && SyncFile(fd);
}

bool StagedFile::Stage(const QString& path, const QByteArray& content, QString* error, quint32 token) {
    Discard();
    const QFileInfo info(FollowLinks(path));
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
    m_token = token;
    // Only a file can take the place of a file: a folder there would refuse the rename later.
    struct stat existing {};
    if (::fstatat(m_folder, m_name.constData(), &existing, 0) == 0 && !S_ISREG(existing.st_mode)) {
        return failed(EISDIR);
    }
    RemoveStaleCopies(m_folder, m_name);
    Descriptor written(CreateTemporary(m_folder, m_name, &m_temporary, token));
    if (!written.valid()) {
        return failed(errno);
    }
    // The lock stays with this second descriptor until the rename: the written one is closed
    // first, so that every write error is known before the file is put in place.
    m_file = ::fcntl(written.get(), F_DUPFD_CLOEXEC, 0);
    if (m_file < 0) {
        const int code = errno;
        ::unlinkat(m_folder, m_temporary.constData(), 0);
        return failed(code);
    }
    const mode_t mode = ::fstatat(m_folder, m_name.constData(), &existing, 0) == 0 ? existing.st_mode : 0600;
    ::fchmod(written.get(), mode & 07777);
    if (!WriteAndSync(written.get(), content) || !CloseWritten(written)) {
        return failed(errno);
    }
    return true;
}

bool StagedFile::Commit(QString* error) {
    if (m_file < 0) {
        *error = QStringLiteral("%1: nothing was written").arg(m_path);
        return false;
    }
    if (!RenameInFolder(m_folder, m_temporary, m_name)) {
        *error = QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
        if (m_token != 0) {
            release(); // the next start settles it
        } else {
            Discard();
        }
        return false;
    }
    // The new content is in place from here, whatever the folder's sync says.
    SyncFolder(m_folder);
    release();
    return true;
}

void StagedFile::Discard() {
    if (m_file >= 0) {
        ::unlinkat(m_folder, m_temporary.constData(), 0);
    }
    release();
}

void StagedFile::release() {
    if (m_file >= 0) {
        ::close(std::exchange(m_file, -1));
    }
    if (m_folder >= 0) {
        ::close(std::exchange(m_folder, -1));
    }
    m_temporary.clear();
}

QString FollowLinks(const QString& path) {
    QString current = path;
    // As many links as the system itself follows; a loop ends there, and the write then fails.
    for (int hop = 0; hop < 40; ++hop) {
        const QByteArray native = Native(current);
        struct stat info {};
        if (::lstat(native.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            break;
        }
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(native.constData(), target.data(), size_t(target.size()));
        if (length <= 0 || length >= target.size()) {
            break;
        }
        target.truncate(length);
        const QString next = QFile::decodeName(target);
        const qsizetype slash = current.lastIndexOf(QLatin1Char('/'));
        // A relative link is read from the folder of the link.
        current = next.startsWith(QLatin1Char('/')) || slash < 0 ? next : current.left(slash + 1) + next;
    }
    // A ".." counts from where the system finds the folder (a linked folder too), not by name.
    const qsizetype slash = current.lastIndexOf(QLatin1Char('/'));
    if (current != path && slash > 0) {
        const QString folder = QFileInfo(current.left(slash)).canonicalFilePath();
        if (!folder.isEmpty()) {
            current = folder + current.mid(slash);
        }
    }
    return current;
}

int RemoveStaleCopies(const QString& folder, const QString& targetName, QList<StagedLeftover>* staged) {
    Descriptor dir(::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid()) {
        return 0;
    }
    const QByteArray target = Native(targetName);
    QList<QPair<QByteArray, quint32>> found;
    const int removed =
        RemoveStale(dir.get(), '.' + target + kCopyInfix, {}, target, staged ? &found : nullptr);
    for (const auto& [name, token] : found) {
        staged->append(StagedLeftover{folder, QFile::decodeName(name), targetName, token});
    }
    return removed;
}

int RemoveStaleFiles(const QString& folder, const QString& prefix, const QString& suffix) {
    Descriptor dir(::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.valid() ? RemoveStale(dir.get(), Native(prefix), Native(suffix)) : 0;
}

bool HoldWhileWriting(int fd, const QString& path) {
    const QFileInfo info(path);
    Descriptor dir(::open(Native(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.valid() && HoldAsWriter(dir.get(), Native(info.fileName()).constData(), fd);
}

bool SettleStagedFile(const StagedLeftover& staged, bool putInPlace, QString* error) {
    const QString path = staged.folder + QLatin1Char('/') + staged.name;
    Descriptor dir(::open(Native(staged.folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const QByteArray name = Native(staged.name);
    Descriptor file(dir.valid() ? TakeLeftover(dir.get(), name.constData()) : -1);
    bool done = file.valid();
    if (done && putInPlace) {
        done = RenameInFolder(dir.get(), name, Native(staged.target));
        if (done) {
            SyncFolder(dir.get());
        }
    } else if (done) {
        done = ::unlinkat(dir.get(), name.constData(), 0) == 0;
    }
    if (!done) {
        *error = QStringLiteral("%1: %2").arg(path, errno == EWOULDBLOCK
                                                        ? QStringLiteral("it is still being written")
                                                        : QString::fromLocal8Bit(std::strerror(errno)));
    }
    return done;
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

void SetStepFailureForTests(std::function<int(Step)> failure) {
    g_stepFailure = std::move(failure);
}

void SetCreatedHookForTests(std::function<void(const QString& name)> hook) {
    g_createdHook = std::move(hook);
}
} // namespace FileCopySeam
