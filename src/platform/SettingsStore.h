#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

#include "FileCopy.h"

// The per-user settings store: text values under an application key, in sections that nest by
// backslash ("Settings\Effects1"). Names match without regard to case. Each application key is
// one file in the XDG config folder ("VNT\Quillmarsh" is VNT/Quillmarsh.conf there).
inline const QString AppKey = QStringLiteral("VNT\\Quillmarsh");

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);
QList<QPair<QString, QString>> GetAllSettings(const QString& appName, const QString& section);

// Typed readers of the program's own key. A stored value that does not convert to the
// reader's type reads as missing: the default comes back.
QString ReadText(const QString& section, const QString& key, const QString& defaultValue = QString());
int ReadInt(const QString& section, const QString& key, int defaultValue);        // 16-bit
qint32 ReadLong(const QString& section, const QString& key, qint32 defaultValue); // 32-bit
bool ReadBool(const QString& section, const QString& key, bool defaultValue);
// An empty or missing value gives an invalid date; the zero date text gives the zero date.
QDate ReadDate(const QString& section, const QString& key);

// Typed writers: integers as decimal text, Booleans as True or False, dates in the one
// locale-independent form.
bool SaveText(const QString& section, const QString& key, const QString& value);
bool SaveInt(const QString& section, const QString& key, qint64 value);
bool SaveBool(const QString& section, const QString& key, bool value);
bool SaveDate(const QString& section, const QString& key, const QDate& value);

// The conversions themselves, also used for values that arrive as text from elsewhere.
bool TextToInt16(const QString& text, int* value);
bool TextToLong(const QString& text, qint32* value);
bool TextToBool(const QString& text, bool* value);
QString BoolToText(bool value);

namespace SettingsStore {
// The folder that holds the store's files (the XDG config folder unless a test sets another).
QString Folder();
void SetFolderForTests(const QString& folder);
QString FilePath(const QString& appName);
// Who hears about a save that failed (the program shows a message; tests record it).
void SetFailureReporter(std::function<void(const QString&)> reporter);
// Forgets what was read, so the next read goes to the file again.
void Reset();
// Many saves as one: between BeginBatch and EndBatch a save changes what reads give at once but
// writes nothing; EndBatch writes each changed file once, whole or not at all. A failure is
// reported once and EndBatch gives false; the file is then as it was before the batch.
void BeginBatch();
bool EndBatch();
// A batch that must stand or fall with other work: EndBatchPending writes each changed file
// beside its own under the token that the other work keeps too (nothing is in place yet, and a
// failure says why, leaving every file and what reads give as they were before the batch);
// Commit then puts them in place. A pending save dropped without Commit leaves the files as they
// were and reads give their values again. A Commit that cannot put a file in place leaves its
// staged file for the next start (SettleStagedSaves), and reads and later saves keep the new
// values, as the other work has them.
class PendingSave {
public:
    PendingSave() = default;
    ~PendingSave();
    PendingSave(const PendingSave&) = delete;
    PendingSave& operator=(const PendingSave&) = delete;
    bool Commit(QString* error);
    void Discard();

private:
    friend bool EndBatchPending(PendingSave* pending, QString* error, quint32 token);
    std::vector<std::pair<QString, StagedFile>> m_files;
};
bool EndBatchPending(PendingSave* pending, QString* error, quint32 token);

// Start-up: one look at the folder of an application key's file (the folder of the file a link
// names). Copies that killed saves left are removed, and each file a pending save staged and
// never put in place is settled: decide reads its values and says whether it goes in place, is
// dropped, or stays for a later start. Gives what could not be done, for the teacher.
enum class StagedSaveFate { PutInPlace, Drop, Leave };
// A value of the staged file; a null string when the file holds no such key.
using StagedValue = std::function<QString(const QString& section, const QString& key)>;
QStringList
SettleStagedSaves(const QString& appName,
                  const std::function<StagedSaveFate(quint32 token, const StagedValue& staged)>& decide);

// Reads of a settings file that is there fail with this errno (0: they read), as a file that
// the user may not read or a failing disk would.
void FailReadsForTests(int error);
// How many times a settings file has been read and parsed (to check that it is not re-read
// needlessly).
int FileReads();
// How many times the store has looked at a settings file on disk. Reads look once per turn of
// the event loop at most; the next turn sees another program's change.
int FileChecks();
} // namespace SettingsStore
