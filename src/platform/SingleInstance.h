#pragma once

#include <QString>

// Holds the lock that marks this user's running copy of the program. The lock is the operating
// system's lock on a file, so it is let go when the process ends, even by a crash; what the file
// holds does not matter. A file left behind, damaged or in the way is taken over.
namespace SingleInstance {
enum class Result {
    Acquired,
    HeldByRunningCopy,
    Failed, // neither: the lock could not be taken (Error() says why)
};
Result Acquire();
QString Error();
void Release();
// Tests use their own lock folder so they do not meet a running copy of the program.
void SetLockFolderForTests(const QString& folder);
QString LockFilePath();
} // namespace SingleInstance
