#pragma once

#include "FileIdentity.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// Whole-file copies of a database. A copy never leaves a half-written target: it writes a
// temporary file beside the target (a dot, the target's name, ".copy-" and six characters),
// syncs it, gives it the source's modification time and renames it over the target. A copy
// that fails leaves the target as it was. A temporary file of ours that an earlier copy left
// behind (its writer was killed or lost its power) is removed before the next copy into that
// folder; one whose writer still runs is left alone.
struct CopyResult {
    bool ok = false;
    int error = 0;            // errno of the step that failed
    QString text;             // what failed, for the teacher
    bool refused = false;     // the check turned the copy down
    bool wrongDrive = false;  // the target folder is no longer on the volume it had to be on
    bool changedFile = false; // the source or the target is no longer the file that was judged
};
// What must still hold when a copy is made onto a drive, as it was when the files were judged.
struct CopyGuard {
    // The volume the target's folder must lie on: a drive that was unmounted (its mount point
    // left as an empty folder of the internal disk) or swapped for another is never written into.
    std::optional<VolumeId> volume;
    // The target must still be this file, or still be missing when this holds no file.
    bool checkTarget = false;
    std::optional<FileVersion> target;
    // The source must still be this file.
    std::optional<FileVersion> source;
};
// check, when given, looks at the finished temporary copy before it replaces the target: a
// reason it returns refuses the copy, and the target stays as it was.
CopyResult CopyFileSafely(const QString& source, const QString& target,
                          const std::function<QString(const QString& copy)>& check = {},
                          const CopyGuard& guard = {});

// A file's new content, written and synced beside it under a temporary name of ours, and put in
// place by Commit (one rename) or dropped by Discard (also when it is destroyed uncommitted). It
// lets a file stand or fall with other work: stage it, do the work, then commit.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile();
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // False (with the reason) when the new content could not be written in full, or the path
    // cannot be replaced by a file (a folder stands there): nothing is left behind then.
    bool Stage(const QString& path, const QByteArray& content, QString* error);
    bool Commit(QString* error);
    void Discard();
    bool IsStaged() const { return m_file >= 0; }

private:
    QString m_path;
    QByteArray m_name;
    QByteArray m_temporary;
    int m_folder = -1;
    int m_file = -1;
};

// Makes the folder name in parent (one that already exists is fine), only while parent lies on
// the volume when that is given. False with the reason (and wrongDrive) when it could not.
bool MakeFolderOn(const QString& parent, const QString& name, std::optional<VolumeId> volume, QString* reason,
                  bool* wrongDrive = nullptr);

// Whether a file of this name can be copied into the folder: its temporary name is longer than
// the name itself, and must still fit the folder's file system.
bool CopyNameFits(const QString& folder, const QString& fileName);

// True when a file (hidden and read-only ones too) exists at the path; a folder is no file.
bool FileExists(const QString& path);
// True when both paths name one file, however they are spelled (links, letter case on a file
// system that ignores it).
bool SameFile(const QString& first, const QString& second);
// The file's last modification, in nanoseconds since the epoch.
std::optional<qint64> ModifiedTime(const QString& path);
// Sets it, as a copy keeps the source's.
bool SetModifiedTime(const QString& path, qint64 nanoseconds);

namespace FileCopySeam {
// Tests watch a copy block by block: the hook is called after each block is written (it may
// pause, so that the copy can be stopped half-way) and a false answer fails the copy there, as
// a full disk or a pulled drive would. The block size is small then, so a small file takes
// many blocks. An empty hook restores the normal copy.
void SetBlockHookForTests(std::function<bool(int blocksWritten)> hook, qint64 blockSize);
} // namespace FileCopySeam
