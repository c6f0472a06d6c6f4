#include "SettingsStore.h"

#include "DateText.h"
#include "IniDocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
struct FileStamp {
    bool exists = false;
    int error = 0; // the file may be there, but the system could not say (errno)
    qint64 size = 0;
    quint64 inode = 0;
    qint64 modified = 0; // nanoseconds
    qint64 changed = 0;
    bool operator==(const FileStamp&) const = default;
};

struct CachedFile {
    IniDocument document;
    QByteArray data; // the file as last read or written
    FileStamp stamp;
    qint64 lookedAt = 0; // wall clock, nanoseconds, just before that stamp was taken
    QString unreadable;  // why the file that is there could not be read; empty once it can
    bool loaded = false;
    bool checked = false; // looked at in this turn of the event loop
};

// A file system may keep its time stamps coarsely (two seconds on FAT): a change made that soon
// after a stamp can leave the stamp as it was.
constexpr qint64 kCoarseStamp = 2'000'000'000;

QString g_folderOverride;
int g_fileReads = 0;
int g_fileChecks = 0;
bool g_forgetPosted = false;
QHash<QString, CachedFile> g_cache;
std::function<void(const QString&)> g_reporter;
int g_batchDepth = 0;
int g_failReads = 0;
QSet<QString> g_batchPaths; // files changed in the batch, not yet written

// Values may hold line breaks and backslashes; the file keeps one value per line.
QString Escape(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == u'\\') {
            out += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else {
            out += c;
        }
    }
    return out;
}

// Reads what Escape wrote; a backslash before anything else was not written by the store (a
// hand-edited "\\QLM.mdb") and stands as it is.
QString Unescape(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        const QChar next = i + 1 < value.size() ? value.at(i + 1) : QChar();
        if (c == u'\\' && (next == u'\\' || next == u'n' || next == u'r')) {
            out += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

qint64 WallClock() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// What a file looked like when it was read: a change by another program changes one of these.
FileStamp StampOf(const QString& path) {
    FileStamp stamp;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        stamp.error = errno == ENOENT || errno == ENOTDIR ? 0 : errno;
    } else {
        stamp.exists = true;
        stamp.size = info.st_size;
        stamp.inode = info.st_ino;
        stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        stamp.changed = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    }
    return stamp;
}

// The stamp alone tells a change only once the file has been still for longer than a stamp's
// coarseness before we looked: any later write stamps a later time. Until then another
// program's write could keep size and stamp, so the content is compared.
bool Settled(const CachedFile& cached) {
    return !cached.stamp.exists ||
           std::max(cached.stamp.modified, cached.stamp.changed) < cached.lookedAt - kCoarseStamp;
}

// Reads within one turn of the event loop see the file as it was at the turn's first read; the
// next turn looks again.
void CheckedThisTurn(CachedFile& cached) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        return; // no event loop to mark the turns: look every time
    }
    cached.checked = true;
    if (!g_forgetPosted) {
        g_forgetPosted = true;
        QMetaObject::invokeMethod(
            app,
            [] {
                g_forgetPosted = false;
                for (CachedFile& file : g_cache) {
                    file.checked = false;
                }
            },
            Qt::QueuedConnection);
    }
}

// Reads the whole file; false with the reason when it is there but cannot be read.
bool ReadWhole(const QString& path, const FileStamp& stamp, QByteArray* data, QString* problem) {
    if (g_failReads != 0 && (stamp.exists || stamp.error != 0)) {
        *problem = QString::fromLocal8Bit(std::strerror(g_failReads));
        return false;
    }
    if (stamp.error != 0) {
        *problem = QString::fromLocal8Bit(std::strerror(stamp.error));
        return false;
    }
    if (!stamp.exists) {
        return true;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        *data = file.readAll();
    }
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        // A folder in the file's place holds no settings: saves fail on it and say so.
        if (QFileInfo(path).isDir()) {
            data->clear();
            return true;
        }
        *problem = file.errorString();
        return false;
    }
    return true;
}

// Memory goes back to the file as last read: what a save could not write is not read back.
void Forget(CachedFile& cached) {
    cached.document.Parse(cached.data, false);
    cached.loaded = false;
}

// A save looks at the file again first (saves are few), so that it keeps another program's
// change made since the turn's first read.
CachedFile& Document(const QString& appName, bool forSave = false) {
    const QString path = SettingsStore::FilePath(appName);
    CachedFile& cached = g_cache[path];
    if (g_batchPaths.contains(path)) {
        return cached; // memory holds the batch's values, which the file does not have yet
    }
    if (cached.loaded && cached.checked && !forSave) {
        return cached;
    }
    // The stamp before the content: a write between the two then shows as a new stamp later.
    ++g_fileChecks;
    const qint64 lookedAt = WallClock();
    const FileStamp stamp = StampOf(path);
    const bool same = cached.loaded && cached.unreadable.isEmpty() && stamp == cached.stamp;
    QString tell;
    if (!same || !Settled(cached)) {
        QByteArray data;
        QString problem;
        if (!ReadWhole(path, stamp, &data, &problem)) {
            // The file may hold every setting: readers get what was read before (their defaults
            // at first), and no save writes over it until it can be read again.
            if (cached.unreadable.isEmpty()) {
                tell = QStringLiteral("The settings file %1 could not be read: %2\r\n\r\nUntil it can be "
                                      "read, the program goes on without the settings it holds and saves no "
                                      "setting into it, so that nothing in it is lost.")
                           .arg(path, problem);
            }
            cached.unreadable = problem;
            if (!cached.loaded) {
                cached.document.Parse(cached.data, false);
                cached.loaded = true;
            }
        } else {
            cached.unreadable.clear();
            if (!cached.loaded || data != cached.data) {
                cached.document.Parse(data, false);
                cached.data = data;
                cached.loaded = true;
                ++g_fileReads;
            }
        }
    }
    cached.stamp = stamp;
    cached.lookedAt = lookedAt;
    CheckedThisTurn(cached);
    if (!tell.isEmpty() && g_reporter) {
        // Once: the message's own event loop may read again, and the cache may grow meanwhile.
        g_reporter(tell);
        return g_cache[path];
    }
    return cached;
}

// Writes the document when its content differs from the file's; a failure is reported and
// leaves memory to be read again from the file. A file that could not be read is not written
// over (the teacher was told when it was read).
bool WriteIfChanged(CachedFile& cached, const QString& path, const QString& failure) {
    if (!cached.unreadable.isEmpty()) {
        Forget(cached);
        return false;
    }
    const QByteArray data = cached.document.Serialize();
    if (cached.stamp.exists && data == cached.data) {
        return true;
    }
    const qint64 lookedAt = WallClock();
    QString error;
    if (!IniDocument::WriteWhole(path, data, &error)) {
        Forget(cached); // the file kept its old values
        if (g_reporter) {
            g_reporter(failure + QStringLiteral("\r\n\r\n") + error);
        }
        return false;
    }
    cached.data = data;
    cached.stamp = StampOf(path);
    cached.lookedAt = lookedAt;
    return true;
}
} // namespace

namespace SettingsStore {
QString Folder() {
    if (!g_folderOverride.isEmpty()) {
        return g_folderOverride;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

void SetFolderForTests(const QString& folder) {
    g_folderOverride = folder;
    g_failReads = 0;
    g_cache.clear();
    g_batchPaths.clear();
    g_batchDepth = 0;
}

QString FilePath(const QString& appName) {
    QString relative = appName;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return Folder() + QLatin1Char('/') + relative + QStringLiteral(".conf");
}

void SetFailureReporter(std::function<void(const QString&)> reporter) {
    g_reporter = std::move(reporter);
}

void Reset() {
    g_cache.clear();
}

int FileReads() {
    return g_fileReads;
}

int FileChecks() {
    return g_fileChecks;
}

void BeginBatch() {
    ++g_batchDepth;
}

bool EndBatch() {
    if (g_batchDepth == 0 || --g_batchDepth > 0) {
        return true;
    }
    bool ok = true;
    const QSet<QString> paths = std::exchange(g_batchPaths, {});
    for (const QString& path : paths) {
        ok = WriteIfChanged(g_cache[path], path,
                            QStringLiteral("The settings could not be saved in %1.").arg(path)) &&
             ok;
    }
    return ok;
}
PendingSave::~PendingSave() {
    Discard();
}

bool EndBatchPending(PendingSave* pending, QString* error, quint32 token) {
    pending->Discard();
    if (g_batchDepth == 0 || --g_batchDepth > 0) {
        return true;
    }
    const QSet<QString> paths = std::exchange(g_batchPaths, {});
    for (const QString& path : paths) {
        const CachedFile& cached = g_cache[path];
        const QByteArray data = cached.document.Serialize();
        if (cached.stamp.exists && data == cached.data) {
            continue; // the file holds these settings already
        }
        StagedFile staged;
        QString reason = cached.unreadable.isEmpty()
                             ? QString()
                             : QStringLiteral("The file could not be read: %1").arg(cached.unreadable);
        if (!reason.isEmpty() || !staged.Stage(path, data, &reason, token)) {
            *error = QStringLiteral("The settings could not be saved in %1.\r\n\r\n%2").arg(path, reason);
            for (const QString& changed : paths) {
                Forget(g_cache[changed]); // memory holds the batch
            }
            pending->m_files.clear();
            return false;
        }
        pending->m_files.emplace_back(path, std::move(staged));
    }
    return true;
}

bool PendingSave::Commit(QString* error) {
    bool ok = true;
    for (auto& [path, staged] : m_files) {
        CachedFile& cached = g_cache[path];
        QString reason;
        if (!staged.Commit(&reason)) {
            // The other work stands: memory keeps these settings, so reads give them and the next
            // save writes them along; the staged file waits for the next start.
            ok = false;
            *error = QStringLiteral("The settings could not be saved in %1.\r\n\r\n%2").arg(path, reason);
            continue;
        }
        cached.data = cached.document.Serialize();
        cached.stamp = StampOf(path);
        cached.lookedAt = WallClock();
    }
    m_files.clear();
    return ok;
}

void PendingSave::Discard() {
    for (auto& [path, staged] : m_files) {
        staged.Discard();
        Forget(g_cache[path]); // the file kept its old values
    }
    m_files.clear();
}

QStringList
SettleStagedSaves(const QString& appName,
                  const std::function<StagedSaveFate(quint32 token, const StagedValue& staged)>& decide) {
    const QString path = FilePath(appName);
    const QFileInfo file(FollowLinks(path));
    QList<StagedLeftover> leftovers;
    RemoveStaleCopies(file.absolutePath(), file.fileName(), &leftovers);
    QStringList failures;
    // A file that cannot be read is not written over, not even by its own staged settings.
    if (!leftovers.isEmpty() && !Document(appName).unreadable.isEmpty()) {
        return failures;
    }
    for (const StagedLeftover& leftover : leftovers) {
        IniDocument staged;
        const QString stagedPath = leftover.folder + QLatin1Char('/') + leftover.name;
        QString problem;
        StagedSaveFate fate = StagedSaveFate::Leave;
        if (!staged.Load(stagedPath, false, &problem)) {
            failures << QStringLiteral("%1: %2").arg(stagedPath, problem);
        } else {
            fate = decide(leftover.token, [&staged](const QString& section, const QString& key) {
                const std::optional<QString> value = staged.Value(section, key);
                if (!value) {
                    return QString();
                }
                const QString text = Unescape(*value);
                return text.isNull() ? QStringLiteral("") : text; // there, though empty
            });
        }
        if (fate != StagedSaveFate::Leave &&
            !SettleStagedFile(leftover, fate == StagedSaveFate::PutInPlace, &problem)) {
            failures << problem;
        }
        if (fate == StagedSaveFate::PutInPlace) {
            g_cache.remove(path);
        }
    }
    return failures;
}

void FailReadsForTests(int error) {
    g_failReads = error;
}
} // namespace SettingsStore

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue) {
    const std::optional<QString> value = Document(appName).document.Value(section, key);
    return value ? Unescape(*value) : defaultValue;
}

bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
    CachedFile& cached = Document(appName, true);
    cached.document.SetValue(section, key, Escape(value));
    const QString path = SettingsStore::FilePath(appName);
    if (g_batchDepth > 0) {
        g_batchPaths.insert(path);
        return true;
    }
    return WriteIfChanged(cached, path,
                          QStringLiteral("The setting %1 could not be saved in %2.").arg(key, path));
}

QList<QPair<QString, QString>> GetAllSettings(const QString& appName, const QString& section) {
    QList<QPair<QString, QString>> result;
    if (const IniDocument::Section* s = Document(appName).document.FindSection(section)) {
        for (const IniDocument::Entry& entry : s->entries) {
            if (entry.kind == IniDocument::Entry::Kind::Pair) {
                result.append({entry.key, Unescape(entry.value)});
            }
        }
    }
    return result;
}

bool TextToInt16(const QString& text, int* value) {
    qint32 wide = 0;
    if (!TextToLong(text, &wide) || wide < -32768 || wide > 32767) {
        return false;
    }
    *value = wide;
    return true;
}

bool TextToLong(const QString& text, qint32* value) {
    const QString t = text.trimmed();
    bool ok = false;
    qint64 wide = 0;
    if (t.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
        // Hexadecimal colours (&HE6B36C) are 32-bit patterns, as the colour dialogs give them.
        const quint64 bits = t.mid(2).toULongLong(&ok, 16);
        if (!ok || bits > 0xFFFFFFFFull) {
            return false;
        }
        wide = static_cast<qint32>(static_cast<quint32>(bits));
    } else {
        wide = t.toLongLong(&ok, 10);
        if (!ok) {
            // A whole number written with a fraction rounds, as the conversion does.
            const double d = t.toDouble(&ok);
            if (!ok || !std::isfinite(d) || std::fabs(d) > 4.0e9) {
                return false;
            }
            wide = static_cast<qint64>(std::nearbyint(d));
        }
    }
    if (wide < INT32_MIN || wide > INT32_MAX) {
        return false;
    }
    *value = static_cast<qint32>(wide);
    return true;
}

bool TextToBool(const QString& text, bool* value) {
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) {
        *value = true;
        return true;
    }
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) {
        *value = false;
        return true;
    }
    qint32 number = 0;
    if (TextToLong(t, &number)) {
        *value = number != 0;
        return true;
    }
    return false;
}

QString BoolToText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString ReadText(const QString& section, const QString& key, const QString& defaultValue) {
    return GetSetting(AppKey, section, key, defaultValue);
}

int ReadInt(const QString& section, const QString& key, int defaultValue) {
    int value = 0;
    return TextToInt16(GetSetting(AppKey, section, key), &value) ? value : defaultValue;
}

qint32 ReadLong(const QString& section, const QString& key, qint32 defaultValue) {
    qint32 value = 0;
    return TextToLong(GetSetting(AppKey, section, key), &value) ? value : defaultValue;
}

bool ReadBool(const QString& section, const QString& key, bool defaultValue) {
    bool value = false;
    return TextToBool(GetSetting(AppKey, section, key), &value) ? value : defaultValue;
}

QDate ReadDate(const QString& section, const QString& key) {
    return TextToDate(GetSetting(AppKey, section, key));
}

bool SaveText(const QString& section, const QString& key, const QString& value) {
    return SaveSetting(AppKey, section, key, value);
}

bool SaveInt(const QString& section, const QString& key, qint64 value) {
    return SaveSetting(AppKey, section, key, QString::number(value));
}

bool SaveBool(const QString& section, const QString& key, bool value) {
    return SaveSetting(AppKey, section, key, BoolToText(value));
}

bool SaveDate(const QString& section, const QString& key, const QDate& value) {
    return SaveSetting(AppKey, section, key, DateToText(value));
}
