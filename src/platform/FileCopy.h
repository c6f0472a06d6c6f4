#pragma once

#include "FileIdentity.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// Whole-file copies of a database. A copy never leaves a half-written target: it writes a
// temporary file beside the target (a dot, the target's name, ".copy-" and six letters or
// digits), gives it the source's modification time, syncs and closes it and only then renames it
// over the target. A copy that fails leaves the target as it was. A temporary file of that
// target that an earlier copy left behind (its writer was killed or lost its power) is removed
// before the next copy of it; one whose writer still runs is left alone.
struct CopyResult {
    // The target holds the whole copy. Once the rename is done the copy counts as made: a sync of
    // the folder that fails after it leaves ok, with the reason in text. Not so onto a drive (a
    // guard with a volume), which may not hold the new name until that sync: the copy failed.
    bool ok = false;
    int error = 0;            // errno of the step that failed
    QString text;             // what failed, for the teacher
    bool refused = false;     // the check turned the copy down
    bool wrongDrive = false;  // the target folder is no longer on the volume it had to be on
    bool changedFile = false; // the source or the target is no longer the file that was judged
    // The copy took the target's name: even a copy that failed after it may have replaced the
    // target, so what the target held is gone unless kept elsewhere.
    bool renamed = false;
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

// A copy for scratch work that is dropped unless the work ends well, and removed at the next
// start when a kill leaves it: written in place and closed, never synced (nothing needs it to
// last a loss of power). A failed one may leave the target half-written.
CopyResult CopyScratchFile(const QString& source, const QString& target);

// Writes all of content at the descriptor and syncs it, as every copy does: false, with errno
// saying why, when a write or the sync failed (a full disk, a failing one). Nothing that swallows
// a failed write stands between.
bool WriteAndSync(int fd, const QByteArray& content);

// A file's new content, written, synced and closed beside it under a temporary name of ours, and
// put in place by Commit (one rename) or dropped by Discard (also when it is destroyed
// uncommitted). It lets a file stand or fall with other work: stage it, do the work, then commit.
// A path that is a symbolic link stays one: the file it names is written, in that file's folder.
//
// Staged with a token, the temporary name is "." name ".staged-" and the token in eight hex
// digits, which no clean-up of stale copies takes: work that commits elsewhere under the same
// token (a database that keeps it) lets a later start tell whether the file belongs in place
// (SettleStagedFile). Such a file stays where it is when Commit cannot rename it.
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
    bool Stage(const QString& path, const QByteArray& content, QString* error, quint32 token = 0);
    bool Commit(QString* error);
    void Discard();
    bool IsStaged() const { return m_file >= 0; }

private:
    void release();

    QString m_path;
    QByteArray m_name;
    QByteArray m_temporary;
    quint32 m_token = 0;
    int m_folder = -1;
    int m_file = -1; // holds the writer's lock until the temporary file is renamed or removed
};

// A file staged under a token that outlived the program that staged it.
struct StagedLeftover {
    QString folder;
    QString name;   // the staged file's own name
    QString target; // the name it would take
    quint32 token = 0;
};

// The file a path names once symbolic links are followed (the path itself when it is none).
QString FollowLinks(const QString& path);

// Removes, in one listing of the folder, the temporary files that killed copies and saves of the
// target left there: "." target ".copy-" and six letters or digits, each only when no running
// writer holds it. Files staged under a token are left; staged, when given, lists those of the
// target. Returns how many were removed.
int RemoveStaleCopies(const QString& folder, const QString& targetName,
                      QList<StagedLeftover>* staged = nullptr);
// The same care for other temporary files of ours: prefix, six letters or digits, suffix. Their
// writers hold an exclusive flock on them while they write (see HoldWhileWriting).
int RemoveStaleFiles(const QString& folder, const QString& prefix, const QString& suffix);
// Takes the writer's lock on a file it has just made at path, and tells whether the path still
// names it: a clean-up may have taken it for a stale one before the lock. On false the writer
// closes it and makes another.
bool HoldWhileWriting(int fd, const QString& path);
// Puts a staged leftover in place of its target (one rename) or removes it. False, with the
// reason, when it could not or when a running writer still holds it.
bool SettleStagedFile(const StagedLeftover& staged, bool putInPlace, QString* error);

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
// The steps that write a file and put it in place: the hook gives an errno for a step to fail with
// (as a failing disk would), or 0 to let it run. An empty hook restores the normal steps.
enum class Step { Sync, Close, Rename, SyncFolder, Write };
void SetStepFailureForTests(std::function<int(Step)> failure);
// Called with the name of each temporary file as soon as it exists, before its writer locks it.
void SetCreatedHookForTests(std::function<void(const QString& name)> hook);
} // namespace FileCopySeam
