#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "FileIdentity.h"

#include <functional>

// The removable drives the teacher can carry the book on: mounted file systems that the desktop
// mounted for the user (under /media/USER or /run/media/USER), and any volume whose device is
// removable, wherever it is mounted. Each stands for a drive root.
struct RemovableDrive {
    QString root;    // the mount point, without a trailing "/"
    QString label;   // the volume's label, or the mount point's own name when it has none
    VolumeId volume; // the file system on the root when it was found
};

inline constexpr int kMaxRemovableDrives = 10;

// One line of /proc/self/mountinfo, the parts that matter here.
struct MountEntry {
    QString mountPoint;
    QString fsRoot;    // the folder of the file system mounted there ("/" for a whole volume)
    QString device;    // the mount source, such as /dev/sdb1
    QString devNumber; // major:minor
    QString fsType;
};

// Reads the kernel's mount table text; escaped characters (\040 for a blank) are decoded.
QList<MountEntry> ParseMountInfo(const QByteArray& text);

// Picks the drives among the mounts: at most ten, sorted by mount point, a mount point that was
// mounted over counted once. isRemovable answers for a mount by its device number.
QList<RemovableDrive> SelectRemovableDrives(const QList<MountEntry>& mounts, const QString& user,
                                            const std::function<bool(const MountEntry&)>& isRemovable,
                                            const std::function<QString(const MountEntry&)>& labelOf);

// The drives mounted now (or those a test plays).
QList<RemovableDrive> RemovableDrives();

// Whether the path is the root or lies under it (everything lies under "/").
bool PathLiesOn(const QString& path, const QString& root);

// The label of the drive that holds this path, "" when it is on none of them.
QString DriveLabelOf(const QString& path);

// A folder and a name under it joined with one "/", whatever separators either brings (the
// program's names begin with "\", as in "\QLM.mdb").
QString JoinPath(const QString& folder, const QString& name);

namespace RemovableDrivesSeam {
// Tests let temporary folders play the drives; their labels are their folder names.
void SetDrivesForTests(const QStringList& roots);
void ClearForTests();
} // namespace RemovableDrivesSeam
