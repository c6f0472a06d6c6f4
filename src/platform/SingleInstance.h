#pragma once

#include <QString>

// Holds the lock that marks this user's running copy of the program. A second copy fails to take
// it and ends. The lock is let go when the process ends, even by a crash.
namespace SingleInstance {
bool TryAcquire();
void Release();
// Tests use their own lock folder so they do not meet a running copy of the program.
void SetLockFolderForTests(const QString& folder);
QString LockFilePath();
} // namespace SingleInstance
