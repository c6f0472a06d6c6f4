#include "RemovableDrives.h"

#include "FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>

#include <algorithm>

#include <pwd.h>
#include <unistd.h>

namespace {
bool g_seamActive = false;
QStringList g_seamRoots;

// The kernel writes blanks, tabs, newlines and backslashes in mount points as \ooo.
QString DecodeOctal(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(field.at(i));
    }
    return QString::fromUtf8(out);
}

// udev writes blanks and other characters of a label as \xHH.
QString DecodeHex(const QString& name) {
    QByteArray out;
    const QByteArray bytes = name.toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\\' && i + 3 < bytes.size() && bytes.at(i + 1) == 'x') {
            bool ok = false;
            const int code = bytes.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(bytes.at(i));
    }
    return QString::fromUtf8(out);
}

QString UserName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name) {
        return QString::fromLocal8Bit(entry->pw_name);
    }
    return qEnvironmentVariable("USER");
}

// A partition has no "removable" of its own: its disk, one folder up, says.
bool DeviceIsRemovable(const MountEntry& mount) {
    if (mount.devNumber.isEmpty()) {
        return false;
    }
    const QString device = QFileInfo(QStringLiteral("/sys/dev/block/") + mount.devNumber).canonicalFilePath();
    if (device.isEmpty()) {
        return false;
    }
    for (const QString& folder : {device, QFileInfo(device).path()}) {
        QFile flag(folder + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly)) {
            return flag.readAll().trimmed() == "1";
        }
    }
    return false;
}

QString SystemLabelOf(const MountEntry& mount) {
    static const QString byLabel = QStringLiteral("/dev/disk/by-label");
    // A label names a whole volume; a folder of it mounted on its own is named by its mount point.
    const QString device = QFileInfo(mount.device).canonicalFilePath();
    if (!device.isEmpty() && mount.fsRoot == QLatin1String("/")) {
        const QFileInfoList links =
            QDir(byLabel).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
        for (const QFileInfo& link : links) {
            if (link.canonicalFilePath() == device) {
                return DecodeHex(link.fileName());
            }
        }
    }
    return QFileInfo(mount.mountPoint).fileName();
}
} // namespace

QList<MountEntry> ParseMountInfo(const QByteArray& text) {
    QList<MountEntry> mounts;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 6 || dash < 6 || dash + 2 >= fields.size()) {
            continue;
        }
        MountEntry entry;
        entry.devNumber = QString::fromLatin1(fields.at(2));
        entry.fsRoot = DecodeOctal(fields.at(3));
        entry.mountPoint = DecodeOctal(fields.at(4));
        entry.fsType = QString::fromLatin1(fields.at(dash + 1));
        entry.device = DecodeOctal(fields.at(dash + 2));
        mounts.append(entry);
    }
    return mounts;
}

QList<RemovableDrive> SelectRemovableDrives(const QList<MountEntry>& mounts, const QString& user,
                                            const std::function<bool(const MountEntry&)>& isRemovable,
                                            const std::function<QString(const MountEntry&)>& labelOf) {
    const QStringList desktopFolders{QStringLiteral("/media/") + user + QLatin1Char('/'),
                                     QStringLiteral("/run/media/") + user + QLatin1Char('/')};
    // Later lines mount over earlier ones at the same point: the last one is what is seen there.
    QMap<QString, MountEntry> byPoint;
    for (const MountEntry& mount : mounts) {
        byPoint.insert(QDir::cleanPath(mount.mountPoint), mount);
    }
    QList<RemovableDrive> drives;
    for (auto it = byPoint.cbegin(); it != byPoint.cend() && drives.size() < kMaxRemovableDrives; ++it) {
        const QString& point = it.key();
        const bool desktopMount =
            !user.isEmpty() &&
            std::any_of(desktopFolders.begin(), desktopFolders.end(), [&point](const QString& f) {
                return point.startsWith(f) && point.size() > f.size();
            });
        if (desktopMount || isRemovable(it.value())) {
            RemovableDrive drive;
            drive.root = point;
            drive.label = labelOf(it.value());
            if (drive.label.isEmpty()) {
                drive.label = QFileInfo(point).fileName();
            }
            drives.append(drive);
        }
    }
    return drives;
}

QList<RemovableDrive> RemovableDrives() {
    if (g_seamActive) {
        QStringList roots = g_seamRoots;
        roots.sort();
        QList<RemovableDrive> drives;
        for (const QString& root : roots.mid(0, kMaxRemovableDrives)) {
            const QString clean = QDir::cleanPath(root);
            drives.append({clean, QFileInfo(clean).fileName(), VolumeOf(clean).value_or(VolumeId{})});
        }
        return drives;
    }
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly)) {
        return {};
    }
    QList<RemovableDrive> drives = SelectRemovableDrives(ParseMountInfo(table.readAll()), UserName(),
                                                         &DeviceIsRemovable, &SystemLabelOf);
    for (RemovableDrive& drive : drives) {
        drive.volume = VolumeOf(drive.root).value_or(VolumeId{});
    }
    return drives;
}

bool PathLiesOn(const QString& path, const QString& root) {
    const QString clean = QDir::cleanPath(path);
    const QString top = QDir::cleanPath(root);
    return !root.isEmpty() &&
           (clean == top || clean.startsWith(top + QLatin1Char('/')) || top == QLatin1String("/"));
}

QString DriveLabelOf(const QString& path) {
    QString label;
    qsizetype longest = -1;
    for (const RemovableDrive& drive : RemovableDrives()) {
        if (PathLiesOn(path, drive.root) && drive.root.size() > longest) {
            longest = drive.root.size();
            label = drive.label;
        }
    }
    return label;
}

QString JoinPath(const QString& folder, const QString& name) {
    QString head = folder;
    head.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (head.size() > 1 && head.endsWith(QLatin1Char('/'))) {
        head.chop(1);
    }
    QString tail = name;
    tail.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (tail.startsWith(QLatin1Char('/'))) {
        tail.remove(0, 1);
    }
    if (head.isEmpty() || tail.isEmpty()) {
        return head + tail;
    }
    return head == QLatin1String("/") ? head + tail : head + QLatin1Char('/') + tail;
}

namespace RemovableDrivesSeam {
void SetDrivesForTests(const QStringList& roots) {
    g_seamActive = true;
    g_seamRoots = roots;
}

void ClearForTests() {
    g_seamActive = false;
    g_seamRoots.clear();
}
} // namespace RemovableDrivesSeam
