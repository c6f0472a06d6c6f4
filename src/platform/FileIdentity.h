#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// The file system a path lies on: its device number and, where the system tells it, the
// volume's own identity (its UUID or serial number). A stick pulled and another put in can be
// given the same device number; it does not get the same serial.
struct VolumeId {
    quint64 device = 0;
    QByteArray serial; // empty where the file system tells none
    bool operator==(const VolumeId&) const = default;
};
std::optional<VolumeId> VolumeOf(const QString& path);
std::optional<VolumeId> VolumeOfDescriptor(int fd);

// What tells a file from another that has taken its name: the file itself (device and inode),
// its size, and its modification and status-change times (the last is the system's own and
// cannot be copied from another file).
struct FileVersion {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds since the epoch
    qint64 changed = 0;
    bool operator==(const FileVersion&) const = default;
};
std::optional<FileVersion> FileVersionOf(const QString& path);
// The file of that name in an open folder, or the open file itself when the name is empty.
std::optional<FileVersion> FileVersionAt(int folder, const QByteArray& name);

// The content of a file in a short text: its size and a hash of its bytes. Two files with the
// same fingerprint hold the same bytes. Empty when the file cannot be read in full, with error
// (when given) saying why: a read that failed half-way is no fingerprint of anything.
QString FileFingerprint(const QString& path, QString* error = nullptr);

namespace FileIdentitySeam {
// Tests give everything under a folder a volume serial of their own (as if a stick with that
// serial were mounted there); an empty serial takes it away again.
void SetSerialForTests(const QString& folder, const QByteArray& serial);
// Fingerprints of files whose path the hook answers with an errno fail with it, as a read of a
// failing stick does; an empty hook restores the normal reads.
void SetReadFailureForTests(std::function<int(const QString& path)> failure);
} // namespace FileIdentitySeam
