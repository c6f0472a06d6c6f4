#include "FileIdentity.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace {
// The volume's UUID as the kernel knows it (ext4, xfs, btrfs and others, Linux 6.5 and later).
struct FsUuid {
    quint8 length;
    quint8 uuid[16];
};
constexpr unsigned long kGetFsUuid = _IOR(0x15, 0, FsUuid);
// The serial number of a FAT volume, as the FAT driver reports it.
constexpr unsigned long kFatVolumeId = _IOR('r', 0x13, quint32);

std::function<int(const QString& path)>& ReadFailure() {
    static std::function<int(const QString& path)> failure;
    return failure;
}

// Folders (drive roots) whose volume a test gives a serial of its own.
QHash<QString, QByteArray>& SeamSerials() {
    static QHash<QString, QByteArray> serials;
    return serials;
}

std::optional<QByteArray> SeamSerialOf(int fd) {
    if (SeamSerials().isEmpty()) {
        return std::nullopt;
    }
    const QString path = QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(fd));
    for (auto it = SeamSerials().cbegin(); it != SeamSerials().cend(); ++it) {
        if (path == it.key() || path.startsWith(it.key() + QLatin1Char('/'))) {
            return it.value();
        }
    }
    return std::nullopt;
}

bool AllZero(const quint8* bytes, int size) {
    for (int i = 0; i < size; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

// The volume's serial: its UUID, a FAT serial, or where neither is told the identity the
// system gives the mounted file system (derived from the UUID on ext4 and btrfs).
QByteArray SerialOf(int fd) {
    if (const std::optional<QByteArray> seam = SeamSerialOf(fd)) {
        return *seam;
    }
    FsUuid uuid{};
    if (::ioctl(fd, kGetFsUuid, &uuid) == 0 && uuid.length > 0 && uuid.length <= sizeof uuid.uuid &&
        !AllZero(uuid.uuid, uuid.length)) {
        return "uuid:" + QByteArray(reinterpret_cast<const char*>(uuid.uuid), uuid.length).toHex();
    }
    quint32 fat = 0;
    if (::ioctl(fd, kFatVolumeId, &fat) == 0 && fat != 0) {
        return "fat:" + QByteArray::number(fat, 16);
    }
    // Other file systems (exFAT, NTFS) are told by the names the system lists their volumes by.
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        const QDir byUuid(QStringLiteral("/dev/disk/by-uuid"));
        for (const QString& name : byUuid.entryList(QDir::System | QDir::NoDotAndDotDot)) {
            struct stat device {};
            if (::stat(QFile::encodeName(byUuid.filePath(name)).constData(), &device) == 0 &&
                S_ISBLK(device.st_mode) && device.st_rdev == info.st_dev) {
                return "uuid:" + name.toUtf8();
            }
        }
    }
    struct statfs fs {};
    if (::fstatfs(fd, &fs) == 0) {
        const QByteArray fsid(reinterpret_cast<const char*>(&fs.f_fsid), sizeof fs.f_fsid);
        if (!AllZero(reinterpret_cast<const quint8*>(fsid.constData()), int(fsid.size()))) {
            return "fsid:" + fsid.toHex();
        }
    }
    return {};
}

FileVersion VersionFrom(const struct stat& info) {
    FileVersion stamp;
    stamp.device = quint64(info.st_dev);
    stamp.inode = quint64(info.st_ino);
    stamp.size = qint64(info.st_size);
    stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changed = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return stamp;
}
} // namespace

std::optional<VolumeId> VolumeOfDescriptor(int fd) {
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        return std::nullopt;
    }
    return VolumeId{quint64(info.st_dev), SerialOf(fd)};
}

std::optional<VolumeId> VolumeOf(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    const std::optional<VolumeId> volume = VolumeOfDescriptor(fd);
    ::close(fd);
    return volume;
}

std::optional<FileVersion> FileVersionOf(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return VersionFrom(info);
}

std::optional<FileVersion> FileVersionAt(int folder, const QByteArray& name) {
    struct stat info {};
    const int result =
        name.isEmpty() ? ::fstat(folder, &info) : ::fstatat(folder, name.constData(), &info, 0);
    if (result != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return VersionFrom(info);
}

QString FileFingerprint(const QString& path, QString* error) {
    const auto failed = [error, &path](const QString& why) {
        if (error) {
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
        }
        return QString();
    };
    if (ReadFailure()) {
        if (const int injected = ReadFailure()(path)) {
            return failed(QString::fromLocal8Bit(std::strerror(injected)));
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failed(file.errorString());
    }
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    if (!hash.addData(&file) || file.error() != QFile::NoError || !file.atEnd()) {
        return failed(file.error() != QFile::NoError ? file.errorString()
                                                     : QStringLiteral("not read to its end"));
    }
    return QString::number(file.size()) + QLatin1Char(':') + QString::fromLatin1(hash.result().toHex());
}

namespace FileIdentitySeam {
void SetReadFailureForTests(std::function<int(const QString& path)> failure) {
    ReadFailure() = std::move(failure);
}

void SetSerialForTests(const QString& folder, const QByteArray& serial) {
    const QString clean = QFileInfo(folder).canonicalFilePath();
    if (serial.isEmpty()) {
        SeamSerials().remove(clean);
    } else {
        SeamSerials().insert(clean, serial);
    }
}
} // namespace FileIdentitySeam
