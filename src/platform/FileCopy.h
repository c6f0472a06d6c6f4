#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// Whole-file copies of a database. A copy never leaves a half-written target: it writes a
// temporary file beside the target, syncs it, gives it the source's modification time and
// renames it over the target. A copy that fails leaves the target as it was.
struct CopyResult {
    bool ok = false;
    int error = 0;        // errno of the step that failed
    QString text;         // what failed, for the teacher
    bool refused = false; // the check turned the copy down
};
// check, when given, looks at the finished temporary copy before it replaces the target: a
// reason it returns refuses the copy, and the target stays as it was.
CopyResult CopyFileSafely(const QString& source, const QString& target,
                          const std::function<QString(const QString& copy)>& check = {});

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
