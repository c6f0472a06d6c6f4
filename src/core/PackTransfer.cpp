#include "PackTransfer.h"

#include "DayDatabase.h"
#include "Message.h"
#include "PackHistory.h"
#include "PackSettings.h"
#include "ProgramState.h"
#include "TeacherSettings.h"
#include "platform/Clock.h"
#include "platform/DatabaseReader.h"
#include "platform/DateText.h"
#include "platform/FileCopy.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/RemovableDrives.h"
#include "platform/SettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <future>

namespace {
const QString kPackFolder = QStringLiteral("VNT");
const QString kWhenFormat = QStringLiteral("mmmm d, yyyy at h:mm AM/PM");
const QString kInUse =
    QStringLiteral("The file is in use by another program. Close that program or wait until it has "
                   "finished, then try again.");

QString Title(const char* operation) {
    return Globals().AppTitle + QLatin1String(operation);
}

// A copy's failure in the words of the pack's error message: a number and what it means.
PackError CopyError(const CopyResult& copy) {
    switch (copy.error) {
    case ENOENT:
        return {53, QStringLiteral("File not found\r\n\r\n") + copy.text};
    case EACCES:
    case EPERM:
    case EROFS:
        return {70, QStringLiteral("Permission denied\r\n\r\n") + copy.text};
    case ENOSPC:
    case EDQUOT:
        return {61, QStringLiteral("Disk full\r\n\r\n") + copy.text};
    default:
        return {75, QStringLiteral("Path/File access error\r\n\r\n") + copy.text};
    }
}

// A connection that only reads the file and never makes one in its place.
void OpenReadOnly(QSqlDatabase& db, const QString& path) {
    db.setDatabaseName(
        QStringLiteral("file:%1?mode=ro")
            .arg(QString::fromUtf8(QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/"))));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
}

// The table is opened as start-up opens it: the teacher's days once the set-up is complete,
// every day while it is not.
void OpenDaysAgain() {
    if (Globals().SetupComplete == 1) {
        OpenDayTable();
    } else {
        OpenAllDays();
    }
}

// The scanned drive whose root holds a path: its root and the volume it held.
struct ScannedDrive {
    QString root;
    VolumeId volume;
};

std::optional<ScannedDrive> ScannedDriveOf(const QString& path) {
    const ProgramState& g = Globals();
    std::optional<ScannedDrive> found;
    for (int i = 1; i <= g.PortableDriveCount && i <= kMaxRemovableDrives; ++i) {
        const QString root = QDir::cleanPath(g.PortableDrives[size_t(i)]);
        if (PathLiesOn(path, root) && g.PortableDriveVolumes[size_t(i)].device != 0 &&
            (!found || root.size() > found->root.size())) {
            found = ScannedDrive{root, g.PortableDriveVolumes[size_t(i)]};
        }
    }
    return found;
}

// The volume a write under this path must land on, or none when the path lies on no drive the
// scan found still mounted there: then nothing may be written there.
std::optional<VolumeId> DriveVolumeFor(const QString& path) {
    const std::optional<ScannedDrive> drive = ScannedDriveOf(path);
    if (!drive || VolumeOf(drive->root) != drive->volume) {
        return std::nullopt;
    }
    return drive->volume;
}

// Another stick in the same place: the root is mounted as before, but by another volume.
bool DriveWasSwapped(const QString& path) {
    const std::optional<ScannedDrive> drive = ScannedDriveOf(path);
    const std::optional<VolumeId> now = drive ? VolumeOf(drive->root) : std::nullopt;
    return now && now->device == drive->volume.device && now->serial != drive->volume.serial;
}

// The day table's columns, as the program reads them.
QStringList DayColumns() {
    QStringList columns{QStringLiteral("Date"), QStringLiteral("SchoolDay"), QStringLiteral("Notes")};
    for (int r = 1; r <= 12; ++r) {
        columns << QStringLiteral("Time%1").arg(r) << QStringLiteral("Subject%1").arg(r)
                << QStringLiteral("Details%1").arg(r);
    }
    return columns;
}

// A stick's book may carry anything: its settings table is read only within what a pack writes
// (the carried settings, a row kept ahead of them and the two rows of the history), and a value
// only within what a setting holds, so that no row count or value length of its making is ever
// brought into memory.
constexpr int kMaxPackedRows = kMaxRegKeyRows + 3;
constexpr qint64 kMaxNameBytes = 256;
constexpr qint64 kMaxSettingBytes = 8192;
static_assert(kMaxExchangesLength < kMaxSettingBytes);

struct CarriedRows {
    DatabaseReader::Outcome outcome = DatabaseReader::Outcome::Failed;
    bool moreRows = false;
    bool longHistory = false; // a row of the history section holds a longer value
    bool longSetting = false; // another row holds a longer value, or a longer name
    QList<RegKeyRow> rows;    // those within bounds
    // No more rows and no longer values than a pack writes.
    bool withinBounds() const {
        return outcome == DatabaseReader::Outcome::Read && !moreRows && !longHistory && !longSetting;
    }
};

bool IsHistorySection(const QString& section) {
    return section.compare(kHistorySection, Qt::CaseInsensitive) == 0;
}

CarriedRows ReadCarriedRows(DatabaseReader& reader) {
    CarriedRows carried;
    const DatabaseReader::Rows read =
        reader.ReadRows(QStringLiteral("RegKeys"),
                        {QStringLiteral("Section"), QStringLiteral("Key"), QStringLiteral("Value")},
                        {kMaxNameBytes, kMaxNameBytes, kMaxSettingBytes}, kMaxPackedRows);
    carried.outcome = read.outcome;
    carried.moreRows = read.moreRows;
    for (const QList<DatabaseReader::Value>& row : read.rows) {
        if (row[0].tooLong || row[1].tooLong || row[2].tooLong) {
            const bool history =
                !row[0].tooLong && !row[1].tooLong && IsHistorySection(row[0].value.toString());
            (history ? carried.longHistory : carried.longSetting) = true;
            continue;
        }
        carried.rows.append({row[0].value.toString(), row[1].value.toString(), row[2].value.toString()});
    }
    return carried;
}

// The history the rows carry. Judgeable when there is none (a book packed before books carried
// their history) or exactly the Book and Exchanges rows a pack writes; anything else tells
// nothing, and is left out.
BookHistory CarriedHistory(const CarriedRows& carried, bool* judgeable) {
    BookHistory history;
    int rows = 0;
    bool book = false;
    bool exchanges = false;
    bool known = carried.withinBounds();
    for (const RegKeyRow& row : carried.rows) {
        if (!IsHistorySection(row.section)) {
            continue;
        }
        ++rows;
        if (!book && row.key.compare(kHistoryBookKey, Qt::CaseInsensitive) == 0) {
            book = true;
            history.book = row.value;
        } else if (!exchanges && row.key.compare(kHistoryExchangesKey, Qt::CaseInsensitive) == 0) {
            exchanges = true;
            history.exchanges = row.value.split(QLatin1Char(','));
        } else {
            known = false;
        }
    }
    *judgeable = known && (rows == 0 || IsPackedHistory(history));
    return *judgeable ? history : BookHistory{};
}

// What a book tells of itself: the teachers it belongs to, the pack that wrote it (by teacher
// section) and the history of exchanges it carries (historyJudgeable false when its settings
// table holds anything else than a pack writes: then the history is left empty).
struct PackedBook {
    // Read; certainly no book (not a database, damaged, or without the day table); or a file
    // that could not be read, which tells nothing of what it holds.
    DatabaseReader::Outcome outcome = DatabaseReader::Outcome::Failed;
    QString error;
    QString teachers;
    QList<QPair<QString, QString>> packDates; // section, date
    BookHistory history;
    bool historyJudgeable = true;
    bool readable() const { return outcome == DatabaseReader::Outcome::Read; }
};

PackedBook ReadPackedBook(const QString& path) {
    PackedBook book;
    DatabaseReader reader(path);
    book.outcome = reader.Prepares(
        QStringLiteral("SELECT %1 FROM QLM LIMIT 0").arg(DayColumns().join(QLatin1Char(','))));
    if (book.readable()) {
        const CarriedRows carried = ReadCarriedRows(reader);
        if (carried.outcome == DatabaseReader::Outcome::Failed) {
            book.outcome = carried.outcome;
        }
        book.history = CarriedHistory(carried, &book.historyJudgeable);
        QStringList names(2);
        for (const RegKeyRow& row : carried.rows) {
            const QString key = row.key.toLower();
            if (row.section.compare(QLatin1String("Settings"), Qt::CaseInsensitive) == 0 &&
                (key == QLatin1String("teachername1") || key == QLatin1String("teachername2"))) {
                names[key.back() == QLatin1Char('1') ? 0 : 1] = row.value.left(255);
            } else if (key == QLatin1String("packdate") && row.section.size() <= 32 &&
                       row.section.startsWith(QLatin1String("settings\\effects"), Qt::CaseInsensitive)) {
                book.packDates.append({row.section, row.value.left(255)});
            }
        }
        names.removeAll(QString());
        book.teachers = names.join(QStringLiteral(" and "));
    }
    if (book.outcome == DatabaseReader::Outcome::Failed) {
        book.error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reader.Error());
    }
    return book;
}

// The drive holds what this computer last packed or unpacked, as far as the pack dates it
// carries tell: each is the one this computer's settings hold for that teacher. Only asked
// where this computer remembers no exchange of the book.
bool LastExchangedHere(const PackedBook& book) {
    if (!book.readable() || book.packDates.isEmpty() || !book.history.IsEmpty()) {
        return false;
    }
    for (const auto& [section, date] : book.packDates) {
        if (date.isEmpty() || ReadText(section, QStringLiteral("PackDate")) != date) {
            return false;
        }
    }
    return true;
}

// The two books as judged before anything is copied.
struct Judged {
    QString packed;
    QString local;
    std::optional<FileVersion> driveFile; // the drive's file as judged (none: there was none)
    QString driveBook;                    // fingerprints; empty when unreadable or missing
    QString localBook;
    PackedBook book; // what the drive's book tells of itself
    ExchangeRecord remembered;
    BookState state = BookState::NothingRemembered;
    // A book that could not be read in full (which, and why): then nothing is judged.
    bool unreadLocal = false;
    QString readError;
};

void SettleTake(const QString& dbaseFileName);

Judged JudgeBooks(const QString& packed, const QString& local) {
    Judged judged;
    judged.packed = packed;
    judged.local = local;
    judged.driveFile = FileVersionOf(packed);
    judged.state = BookState::NoDriveBook;
    // A take whose settings are still owed is settled first: its exchange is this computer's last.
    if (!ReadExchangeRecord(Globals().DBaseFileName).taking.isEmpty()) {
        SettleTake(Globals().DBaseFileName);
    }
    judged.remembered = ReadExchangeRecord(Globals().DBaseFileName);
    // Each book is read whole to be hashed: the two side by side.
    QString localError;
    std::future<QString> localBook =
        std::async(std::launch::async | std::launch::deferred,
                   [&local, &localError] { return FileFingerprint(local, &localError); });
    QString driveError;
    const QString driveBook = judged.driveFile ? FileFingerprint(packed, &driveError) : QString();
    judged.localBook = localBook.get();
    // A book that could not be read in full is never judged: a failed read says nothing of it.
    if (judged.localBook.isEmpty()) {
        judged.unreadLocal = true;
        judged.readError = localError;
        return judged;
    }
    if (!judged.driveFile) {
        return judged;
    }
    judged.driveBook = driveBook;
    judged.book = ReadPackedBook(packed);
    if (driveBook.isEmpty() || judged.book.outcome == DatabaseReader::Outcome::Failed) {
        judged.readError = driveBook.isEmpty() ? driveError : judged.book.error;
        return judged;
    }
    // A file that is certainly no book is no one's work: nothing to judge by.
    if (!judged.book.readable()) {
        judged.state = BookState::Unreadable;
        return judged;
    }
    // A pack that a kill cut short of its record did reach the drive when the drive's history
    // holds it: it counts as this computer's last exchange.
    const ExchangeRecord settled = SettlePendingPack(judged.remembered, judged.book.history);
    if (settled != judged.remembered && WriteExchangeRecord(Globals().DBaseFileName, settled)) {
        judged.remembered = settled;
    }
    judged.state = JudgeExchange(judged.localBook, judged.driveBook, judged.book.history, judged.remembered);
    // A history that no pack wrote tells neither whose the book is nor what it follows from.
    if (!judged.book.historyJudgeable) {
        judged.state = BookState::Unjudgeable;
    }
    return judged;
}

// A book that could not be read is never judged, and nothing is changed: the teacher is told
// which and why. False when both were read.
bool ShowUnreadBook(const Judged& judged, const QString& title) {
    if (judged.readError.isEmpty() && !judged.unreadLocal) {
        return false;
    }
    const QString which =
        judged.unreadLocal ? QStringLiteral("This computer's book") : QStringLiteral("The book on the drive");
    const QString advice =
        judged.unreadLocal ? QStringLiteral("This computer's disk may be failing: copy the program folder "
                                            "somewhere safe.")
                           : QStringLiteral("The drive may be failing, or was pulled out. Insert it again "
                                            "and repeat the command, or use another drive.");
    ShowMessage(QStringLiteral("%1 could not be read, so nothing was compared or copied: both books stay as "
                               "they were.\r\n\r\n%2\r\n\r\n%3")
                    .arg(which,
                         judged.readError.isEmpty() ? QStringLiteral("A read failed.") : judged.readError,
                         advice),
                MsgOK, MsgAlert, title, 0);
    return true;
}

QString ChangedOn(const FileVersion& file) {
    return QStringLiteral(", last changed on %1")
        .arg(FormatDateTime(QDateTime::fromMSecsSinceEpoch(file.modified / 1000000), kWhenFormat));
}

// Whose book a book is, and when it was packed or last changed, in the words of a question.
QString DescribeDriveBook(const Judged& judged) {
    const PackedBook& book = judged.book;
    QDateTime packed;
    for (const auto& entry : book.packDates) {
        packed = TextToDateTime(entry.second);
    }
    const QString whose = book.teachers.isEmpty() ? QStringLiteral("an unknown teacher") : book.teachers;
    QString text = QStringLiteral("the book of %1").arg(whose);
    if (packed.isValid()) {
        text +=
            QStringLiteral(", packed on %1 (that computer's clock)").arg(FormatDateTime(packed, kWhenFormat));
    } else if (judged.driveFile) {
        text += ChangedOn(*judged.driveFile);
    }
    return text + QLatin1Char('.');
}

QString DescribeLocalBook(const Judged& judged) {
    const ProgramState& g = Globals();
    QStringList names;
    for (int t = 1; t <= g.TeacherNum && t <= 2; ++t) {
        if (!g.TeacherNames[size_t(t)].isEmpty()) {
            names << g.TeacherNames[size_t(t)];
        }
    }
    QString text = QStringLiteral("the book of %1")
                       .arg(names.isEmpty() ? QStringLiteral("this computer's teacher")
                                            : names.join(QStringLiteral(" and ")));
    if (const std::optional<FileVersion> file = FileVersionOf(judged.local)) {
        text += ChangedOn(*file);
    }
    return text + QLatin1Char('.');
}

// Whether taking the drive's book may replace work that this computer's book alone holds: all
// but a book unchanged since the exchange the drive's follows from.
bool TakeMayLoseWork(const Judged& judged) {
    return judged.state != BookState::DriveNewer && judged.state != BookState::Same &&
           judged.state != BookState::DriveKnown && judged.state != BookState::Unreadable;
}

QString KeptCopyPattern() {
    return QStringLiteral("\"%1 - kept <date> <time>.mdb\"").arg(KeptCopyStem(Globals().DBaseFileName));
}

// The teacher chooses between the two books: the default, Escape and the close box change
// nothing. An answer that replaces a book that may hold work found nowhere else keeps it first.
BookChoice AskWhichBook(const Judged& judged, const QString& title) {
    QString why;
    switch (judged.state) {
    case BookState::Conflict:
        why = QStringLiteral("Both books have changed since this computer last packed or unpacked, so each "
                             "may hold work that the other does not.");
        break;
    case BookState::DriveNewer:
        why = QStringLiteral("The book on the drive holds work that this computer has not unpacked yet.");
        break;
    case BookState::AnotherBook:
        why = QStringLiteral("The drive holds another book than the one this computer packs and unpacks: "
                             "another teacher's, or one set up on another computer.");
        break;
    case BookState::OlderOrApart:
        why = QStringLiteral("The book on the drive is older than, or apart from, the one this computer last "
                             "packed or unpacked: an older copy put back on the drive, or one changed on "
                             "another computer from an older copy.");
        break;
    case BookState::Unjudgeable:
        why = QStringLiteral("The book on the drive carries a Pack To Go history that this computer cannot "
                             "read, so nothing tells whose work it holds.");
        break;
    default:
        why = QStringLiteral("This computer did not pack or unpack the book on the drive last, so it may "
                             "hold work that is not on this computer.");
        break;
    }
    const QString kept = QStringLiteral(" %1 is first kept as a copy, %2, in this computer's program folder, "
                                        "which File > DataBase Open opens.");
    const QString text =
        QStringLiteral(
            "The Portable Drive holds a DataBase File of this name:\r\n%1\r\n\r\n%2\r\n\r\n"
            "On the drive: %3\r\nOn this computer: %4\r\n\r\nWhich book do you want to keep?\r\n\r\n"
            "'Yes' takes the drive's book onto this computer: it replaces this computer's book "
            "and settings, as an UnPack does.%5\r\n'No' replaces the drive's book with this "
            "computer's.%6\r\n'Cancel' changes nothing on either.")
            .arg(judged.packed, why, DescribeDriveBook(judged), DescribeLocalBook(judged),
                 TakeMayLoseWork(judged) ? kept.arg(QStringLiteral("This computer's book"), KeptCopyPattern())
                                         : QString(),
                 kept.arg(QStringLiteral("The drive's book"), KeptCopyPattern()));
    switch (ShowMessage(text, MsgYesNoCancel, MsgWarning, title, 0)) {
    case MsgAnswerYes:
        return BookChoice::TakeDrives;
    case MsgAnswerNo:
        return BookChoice::ReplaceDrives;
    default:
        return BookChoice::Neither;
    }
}

// A copy onto or from a drive that found the drive or its book no longer the one judged.
void ShowDriveChanged(const QString& title) {
    ShowMessage(QStringLiteral("The Portable Drive is not the one that was checked a moment ago: it may have "
                               "been pulled out or swapped for another.\r\n\r\nNothing was copied. Insert "
                               "the drive again and repeat the command."),
                MsgOK, MsgAlert, title, 0);
}

// Keeps a book an answer is about to replace; false (said why) when it could not be kept, and
// then nothing may be replaced.
bool KeepBeforeReplacing(const QString& source, const std::optional<FileVersion>& judged,
                         const QString& title, KeptCopy* keptCopy) {
    const KeptCopy kept = KeepCopyOf(source, Globals().DBaseFileName, Clock::Now(), judged);
    if (kept.changedFile) {
        ShowDriveChanged(title);
        return false;
    }
    if (!kept.ok) {
        ShowMessage(
            QStringLiteral("The book that would be replaced could not be kept as a copy in the program "
                           "folder, so nothing was replaced.\r\n\r\n%1")
                .arg(kept.reason),
            MsgOK, MsgAlert, title, 0);
        return false;
    }
    *keptCopy = kept;
    return true;
}

void ShowKeptCopy(const QString& keptName, const char* whose, const QString& title) {
    ShowMessage(QStringLiteral("%1 is kept as \"%2\" in this computer's program folder.\r\n\r\nFile > "
                               "DataBase Open opens it.")
                    .arg(QLatin1String(whose), keptName),
                MsgOK, MsgInformation, title, 0);
}

// The teacher's values that only a finished pack or a taken book may store, in one write.
bool StoreEffects(const PackedEffects& effects) {
    if (effects.isEmpty()) {
        return true;
    }
    SettingsStore::BeginBatch();
    for (const auto& [key, value] : effects) {
        SaveText(EffectsSection(), key, value);
    }
    return SettingsStore::EndBatch();
}

// The exchange was made, but what this computer notes of it could not be written.
void ShowEffectsNotStored(const QString& title) {
    ShowMessage(QStringLiteral("The book was exchanged, but this computer's settings file could not be "
                               "written: the date of this pack, and whether Pack To Go is set up here, may "
                               "not be kept.\r\n\r\nMake room on this computer's disk, then pack again."),
                MsgOK, MsgAlert, title, 0);
}

// A cursor on the settings table of a book that is not the one in use.
void UseRegKeysOf(Recordset& keys, const QString& book) {
    keys.setConnectionString(QStringLiteral("Data Source=") + book);
    keys.setCommandType(Recordset::CommandType::Table);
    keys.setRecordSource(QStringLiteral("RegKeys"));
}

// The book as it goes onto the drive: a copy of the book in use, beside it, that carries the
// settings and the book's history. The book in use stays as it is, so a pack that fails changes
// nothing here.
QString StagedPackPath(const QString& local) {
    const QFileInfo info(local);
    return JoinPath(info.path(), QLatin1Char('.') + info.fileName() + QStringLiteral(".packing"));
}

bool StagePack(const QString& local, const QString& staged, const PackedEffects& effects,
               const BookHistory& history, PackError* error) {
    QFile::remove(staged);
    // Scratch work: only the copy onto the drive must last, and it is synced there.
    const CopyResult copy = CopyScratchFile(local, staged);
    if (!copy.ok) {
        *error = CopyError(copy);
        return false;
    }
    // The history rows of the book's last unpack make way for the new ones.
    const QString name = QStringLiteral("qlm_staged_pack");
    bool cleared = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(staged);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
            query.exec(QStringLiteral("PRAGMA synchronous = OFF"));
            query.prepare(QStringLiteral("DELETE FROM RegKeys WHERE lower(Section) = lower(?)"));
            query.addBindValue(kHistorySection);
            cleared = query.exec();
            if (!cleared) {
                *error = {75, QStringLiteral("Path/File access error\r\n\r\n") + query.lastError().text()};
            }
        } else {
            *error = {75, QStringLiteral("Path/File access error\r\n\r\n") + db.lastError().text()};
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!cleared) {
        return false;
    }
    Recordset keys;
    keys.setScratch(true);
    UseRegKeysOf(keys, staged);
    bool ok = SaveSettingsToDataBase(keys, Globals().CurrentTeacher, effects, error);
    const QList<QPair<QString, QString>> rows{
        {kHistoryBookKey, history.book}, {kHistoryExchangesKey, history.exchanges.join(QLatin1Char(','))}};
    for (qsizetype i = 0; ok && i < rows.size(); ++i) {
        ok = keys.AddNew() && keys.setField(QStringLiteral("Section"), kHistorySection) &&
             keys.setField(QStringLiteral("Key"), rows[i].first) &&
             keys.setField(QStringLiteral("Value"), rows[i].second) && keys.Update();
        if (!ok) {
            *error = {75, QStringLiteral("Path/File access error\r\n\r\n") + keys.LastError()};
        }
    }
    keys.Close();
    return ok;
}

// Copies the book in use, with the settings and its history, to the drive folder in place of
// the file judged there, and once it is there stores the pack's date and the values that only a
// finished pack may store.
bool CopyBookToDrive(DayPageHost& host, const Judged& judged, const PackedEffects& effects, PackError* error,
                     CopyResult* copy, bool* effectsStored) {
    QString reason;
    if (!LetGoOfBook(host, &reason)) {
        *error = {75, QStringLiteral("Path/File access error\r\n\r\n") + reason};
        return false;
    }
    const QString exchange = NewExchangeId();
    const BookHistory history = NextHistory(judged.remembered, judged.book.history, exchange);
    const QString staged = StagedPackPath(judged.local);
    bool ok = StagePack(judged.local, staged, effects, history, error);
    // The exchange is remembered before it is copied: a copy that a kill cuts short of the record
    // below still counts as this computer's once its history is found on the drive.
    ExchangeRecord record = judged.remembered;
    record.pending = exchange;
    record.pendingLocal = judged.localBook;
    QString unread;
    record.pendingDrive = ok ? FileFingerprint(staged, &unread) : QString();
    if (ok && record.pendingDrive.isEmpty()) {
        *error = {75, QStringLiteral("Path/File access error\r\n\r\n") + unread};
        ok = false;
    }
    if (ok && !WriteExchangeRecord(Globals().DBaseFileName, record)) {
        *error = {75,
                  QStringLiteral("Path/File access error\r\n\r\nThe settings file could not be written.")};
        ok = false;
    }
    if (ok) {
        CopyGuard guard;
        guard.volume = DriveVolumeFor(Globals().PackPath);
        guard.checkTarget = true;
        guard.target = judged.driveFile;
        *copy = guard.volume ? CopyFileSafely(staged, judged.packed, {}, guard)
                             : CopyResult{false, ENODEV, QString(), false, true, false};
        ok = copy->ok;
        if (ok) {
            record.book = history.book;
            record.history = history.exchanges;
            record.local = judged.localBook;
            record.drive = record.pendingDrive;
            record.ClearPending();
            record.legacyLast.clear();
            record.legacyStarted.clear();
            // Unwritten, the record still holds the pending exchange, which the drive's history
            // settles later; the pack's date and flags are only here.
            WriteExchangeRecord(Globals().DBaseFileName, record);
            *effectsStored = StoreEffects(effects);
            Globals().PackDate = effects.first().second;
        } else {
            *error = CopyError(*copy);
        }
    }
    QFile::remove(staged);
    ReopenBook(host);
    host.RefreshPage();
    return ok;
}

// Writes the settings a taken book carries back into the settings store, and remembers the
// exchange (taken: the fingerprint of the book as taken). The exchange is remembered even when
// the settings cannot be written, which the mark of the take then still owes to the next start.
bool FinishTake(const QString& dbaseFileName, const QString& taken, const BookHistory& history,
                PackError* error) {
    const QString local = DatabaseFilePath(dbaseFileName);
    Recordset keys;
    UseRegKeysOf(keys, local);
    const bool restored = RestoreSettingsFromDataBase(keys, error);
    keys.Close();
    ExchangeRecord record = ReadExchangeRecord(dbaseFileName);
    // A later exchange from the taken book already follows from it: it stays the last one.
    const QString newest = history.IsEmpty() ? taken : history.Newest();
    const bool later = record.history.contains(newest) && record.Last() != newest;
    if (!later) {
        record.book = history.book;
        record.history = history.exchanges;
        record.local = taken;
        record.drive = taken;
        record.legacyLast = history.IsEmpty() ? taken : QString();
        record.legacyStarted.clear();
        record.ClearPending();
    }
    if (restored) {
        record.ClearTaking();
    }
    WriteExchangeRecord(dbaseFileName, record);
    return restored;
}

// "device:inode" of a file: the same file however its content changes.
QString FileKey(const QString& path) {
    const std::optional<FileVersion> file = FileVersionOf(path);
    return file ? QStringLiteral("%1:%2").arg(file->device).arg(file->inode) : QString();
}

// A take remembered as under way: once its copy took the book's place (the book is that file,
// or still holds its bytes), the settings are written back and the exchange remembered, whatever
// the teacher typed since; a copy that never took the place is forgotten.
void SettleTake(const QString& dbaseFileName) {
    ExchangeRecord record = ReadExchangeRecord(dbaseFileName);
    const QString local = DatabaseFilePath(dbaseFileName);
    const bool sameFile = !record.takingFile.isEmpty() && FileKey(local) == record.takingFile;
    const QString now = sameFile ? QString() : FileFingerprint(local);
    if (!sameFile && now.isEmpty() && FileExists(local)) {
        return; // the book cannot be read now: a later start tells
    }
    if (sameFile || now == record.taking) {
        PackError error;
        // Settings that still cannot be written are tried again at the next start.
        FinishTake(dbaseFileName, record.taking, ReadPackedBook(local).history, &error);
    } else {
        record.ClearTaking();
        WriteExchangeRecord(dbaseFileName, record);
    }
}

// Replaces the book in use with the drive's, as judged, and writes the settings it carries
// back into the settings store. False when nothing was taken (the message has said why).
bool TakeDrivesBook(DayPageHost& host, const Judged& judged, const QString& title, bool keepLocal) {
    host.ShowProgress(QStringLiteral("Updating now.  One Moment Please..."));
    QString reason;
    if (!LetGoOfBook(host, &reason)) {
        host.CloseProgress();
        ReportDatabaseFailure(reason);
        return false;
    }
    KeptCopy kept;
    if (keepLocal && FileExists(judged.local) &&
        !KeepBeforeReplacing(judged.local, std::nullopt, title, &kept)) {
        ReopenBook(host);
        host.RefreshPage();
        host.CloseProgress();
        return false;
    }
    // Only the file judged, and only one that opens as a day database, replaces the book; it is
    // checked as the copy beside the book, not on the drive, which could change in between. The
    // take is remembered just before the copy replaces the book, so that a start after a kill
    // between the copy and the settings writes them back.
    CopyGuard guard;
    guard.source = judged.driveFile;
    QString problem;
    ExchangeRecord record = judged.remembered;
    const CopyResult copy = CopyFileSafely(
        judged.packed, judged.local,
        [&](const QString& copied) {
            if (CheckDayDatabase(copied, kMaxRegKeyRows, &problem)) {
                record.taking = judged.driveBook;
                record.takingFile = FileKey(copied);
                if (!WriteExchangeRecord(Globals().DBaseFileName, record)) {
                    problem = QStringLiteral("The settings file could not be written.");
                }
            }
            return problem;
        },
        guard);
    PackError error;
    const bool taken =
        copy.ok && FinishTake(Globals().DBaseFileName, judged.driveBook, judged.book.history, &error);
    if (!copy.ok && !copy.renamed) {
        // This computer's book stays as it was: a copy of it would only be in the way.
        if (!record.taking.isEmpty()) {
            record.ClearTaking();
            WriteExchangeRecord(Globals().DBaseFileName, record);
        }
        if (kept.ok) {
            QFile::remove(DatabaseFilePath(kept.name));
            kept = {};
        }
    } else if (kept.ok) {
        RememberKeptCopy(Globals().DBaseFileName, kept, copy.ok);
    }
    ReopenBook(host);
    host.RefreshPage();
    host.CloseProgress();
    if (copy.changedFile) {
        ShowDriveChanged(title);
    } else if (!copy.ok) {
        const QString why = copy.refused ? problem : CopyError(copy).description;
        ShowMessage(
            QStringLiteral("The book on the drive could not be taken onto this computer, which keeps its "
                           "own book.\r\n\r\n%1")
                .arg(why),
            MsgOK, MsgAlert, title, 0);
    } else if (!taken) {
        ShowMessage(
            QStringLiteral("The book on the drive is on this computer now, but the settings it carries "
                           "could not be written back; they will be at the next start.\r\n\r\n%1")
                .arg(error.description),
            MsgOK, MsgAlert, title, 0);
    }
    if (kept.ok) {
        ShowKeptCopy(kept.name, "The book that was on this computer", title);
    }
    return copy.ok;
}

// Carries the settings and the book onto the drive, in place of the book judged there, keeping
// that book first when it may hold work found nowhere else. Nothing is written when the drive is
// no longer the one the scan found.
PackOutcome ReplaceDrivesBook(DayPageHost& host, const Judged& judged, const PackedEffects& extra,
                              bool keepDrives, const QString& title) {
    host.ShowProgress(QStringLiteral("Packing up now.  One Moment Please..."));
    KeptCopy kept;
    if (keepDrives && !KeepBeforeReplacing(judged.packed, judged.driveFile, title, &kept)) {
        host.CloseProgress();
        return PackOutcome::Failed;
    }
    PackedEffects effects{{QStringLiteral("PackDate"), DateTimeToText(Clock::Now())}};
    effects += extra;
    PackError error;
    CopyResult copy;
    bool effectsStored = true;
    const bool ok = CopyBookToDrive(host, judged, effects, &error, &copy, &effectsStored);
    host.CloseProgress();
    if (copy.changedFile || (copy.wrongDrive && DriveWasSwapped(Globals().PackPath))) {
        ShowDriveChanged(title);
    } else if (copy.wrongDrive) {
        ShowWriteFailure();
    } else if (!ok) {
        ShowPackError(error);
    } else if (!effectsStored) {
        ShowEffectsNotStored(title);
    }
    if (kept.ok && !ok && !copy.renamed) {
        // The drive's book was certainly not replaced: a copy of it would only be in the way.
        QFile::remove(DatabaseFilePath(kept.name));
    } else if (kept.ok) {
        // Replaced, or it may have been: the drive's book may be nowhere else now.
        RememberKeptCopy(Globals().DBaseFileName, kept, ok);
        ShowKeptCopy(kept.name, "The book that was on the drive", title);
    }
    return ok ? PackOutcome::Packed : PackOutcome::Failed;
}

// Whether a pack may replace the drive's book without asking.
bool PackMayReplace(const Judged& judged) {
    switch (judged.state) {
    case BookState::Same:
    case BookState::DriveKnown:
    case BookState::NoDriveBook:
    // A file that holds no readable book cannot be unpacked either: it is no one's work.
    case BookState::Unreadable:
        return true;
    case BookState::NothingRemembered:
        return LastExchangedHere(judged.book);
    case BookState::DriveNewer:
    case BookState::Conflict:
    case BookState::AnotherBook:
    case BookState::OlderOrApart:
    case BookState::Unjudgeable:
        return false;
    }
    return false;
}

// The pack, and the first pack of a drive: the drive's book is replaced where it is this
// computer's own, or the teacher chooses between the two books.
PackOutcome PackOnto(DayPageHost& host, const PackedEffects& extra) {
    if (!DriveVolumeFor(Globals().PackPath)) {
        ShowWriteFailure();
        return PackOutcome::Failed;
    }
    // What the page holds unsaved is part of the book that is compared and packed.
    QString reason;
    if (!StorePendingDayEdits(&reason)) {
        ReportDatabaseFailure(reason);
        return PackOutcome::Failed;
    }
    const Judged judged = JudgeBooks(PackedFilePath(), DatabaseFilePath(Globals().DBaseFileName));
    if (ShowUnreadBook(judged, Title(" - Pack To Go"))) {
        return PackOutcome::Failed;
    }
    const bool silent = PackMayReplace(judged);
    if (!silent) {
        switch (AskWhichBook(judged, Title(" - Pack To Go"))) {
        case BookChoice::TakeDrives:
            if (!TakeDrivesBook(host, judged, Title(" - Pack To Go"), TakeMayLoseWork(judged))) {
                return PackOutcome::Failed;
            }
            // Pack To Go is set up on this drive with the book taken from it.
            if (!StoreEffects(extra)) {
                ShowEffectsNotStored(Title(" - Pack To Go"));
            }
            return PackOutcome::Taken;
        case BookChoice::ReplaceDrives:
            break;
        case BookChoice::Neither:
            return PackOutcome::Kept;
        }
    }
    // A file that is no book is replaced without a question, but kept: a damaged book can still
    // be rescued by a tool.
    return ReplaceDrivesBook(host, judged, extra, !silent || judged.state == BookState::Unreadable,
                             Title(" - Pack To Go"));
}
} // namespace

bool FindPortableDrives(int mode) {
    ProgramState& g = Globals();
    const QList<RemovableDrive> drives = RemovableDrives();
    if (drives.isEmpty()) {
        const QString last = mode == 1 ? QStringLiteral("Unable to Update your DataBase File.")
                                       : QStringLiteral("Please insert it and try again.");
        ShowMessage(QStringLiteral("There does not seem to be a Portable\r\nDrive attached.\r\n\r\n") + last,
                    MsgOK, MsgAlert, Title(" - Portable Drive"), 340);
        return false;
    }
    g.PortableDrives.fill(QString());
    g.PortableDriveVolumes.fill(VolumeId{});
    for (int i = 0; i < drives.size() && i < kMaxRemovableDrives; ++i) {
        g.PortableDrives[size_t(i) + 1] = drives[i].root;
        g.PortableDriveVolumes[size_t(i) + 1] = drives[i].volume;
    }
    g.PortableDriveCount = int(drives.size());
    return true;
}

bool AskPortableDeviceInserted(int mode) {
    const char* titles[] = {" - Pack To Go Update", " - Pack To Go", " - UnPack"};
    const QString title = Title(titles[mode >= 1 && mode <= 3 ? mode - 1 : 0]);
    return ShowMessage(QStringLiteral("Your Portable Device must be inserted\r\nbefore proceeding with "
                                      "Updating.\r\n\r\nIs your Portable Device inserted?"),
                       MsgYesNo, MsgQuestion, title, 0) == MsgAnswerYes;
}

bool LocatePackedDataBase() {
    ProgramState& g = Globals();
    for (int i = 1; i <= g.PortableDriveCount && i <= kMaxRemovableDrives; ++i) {
        const QString folder = JoinPath(g.PortableDrives[size_t(i)], kPackFolder);
        if (FileExists(JoinPath(folder, g.DBaseFileName))) {
            g.PackPath = folder;
            return true;
        }
    }
    return false;
}

QString DatabaseFilePath(const QString& dbaseFileName) {
    return JoinPath(ProgramFolder(), dbaseFileName);
}

QString PackedFilePath() {
    return JoinPath(Globals().PackPath, Globals().DBaseFileName);
}

namespace {
// A book to be taken carries no more settings than the program keeps, each within what a setting
// holds, and no history but one a pack writes. The reason when not.
QString CheckCarriedRows(const QString& path, int maxRegKeys) {
    DatabaseReader reader(path);
    const CarriedRows carried = ReadCarriedRows(reader);
    if (carried.outcome == DatabaseReader::Outcome::Failed) {
        return QStringLiteral("The file could not be read: %1").arg(reader.Error());
    }
    if (carried.outcome != DatabaseReader::Outcome::Read) {
        return QStringLiteral("The file holds no settings table the program can read.");
    }
    const qsizetype settings =
        std::count_if(carried.rows.cbegin(), carried.rows.cend(),
                      [](const RegKeyRow& row) { return !IsHistorySection(row.section); });
    if (settings > maxRegKeys || carried.moreRows) {
        return QStringLiteral("The file carries more than %1 settings.").arg(maxRegKeys);
    }
    if (carried.longSetting) {
        return QStringLiteral("The file carries a setting longer than any this program writes.");
    }
    bool judgeable = false;
    CarriedHistory(carried, &judgeable);
    return judgeable
               ? QString()
               : QStringLiteral("The file carries a Pack To Go history that this computer cannot read.");
}
} // namespace

bool CheckDayDatabase(const QString& path, int maxRegKeys, QString* reason) {
    const QString name = QStringLiteral("qlm_check_day_database");
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        OpenReadOnly(db, path);
        if (!FileExists(path) || !db.open()) {
            problem = QStringLiteral("The file cannot be opened as a database.");
        } else {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next() ||
                query.value(0).toString() != QLatin1String("ok")) {
                problem = QStringLiteral("The file is damaged or is not a database.");
            } else if (!query.exec(QStringLiteral("SELECT %1 FROM QLM LIMIT 0")
                                       .arg(DayColumns().join(QLatin1Char(','))))) {
                problem = QStringLiteral("The file holds no day table the program can read.");
            } else if (!query.exec(QStringLiteral("SELECT Section, Key, Value FROM RegKeys LIMIT 0"))) {
                problem = QStringLiteral("The file holds no settings table the program can read.");
            } else if (maxRegKeys >= 0) {
                problem = CheckCarriedRows(path, maxRegKeys);
            }
            if (IsBusySqlError(query.lastError())) {
                problem = kInUse;
            }
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (reason) {
        *reason = problem;
    }
    return problem.isEmpty();
}

bool CreatePackFolder(const QString& root, QString* folder, QString* reason) {
    *folder = JoinPath(root, kPackFolder);
    const std::optional<VolumeId> volume = DriveVolumeFor(root);
    if (!volume) {
        *reason = QStringLiteral("The drive found at %1 is no longer there.").arg(root);
        return false;
    }
    return MakeFolderOn(root, kPackFolder, volume, reason);
}

void ShowLocateFailure(const QString& operation) {
    ShowMessage(
        QStringLiteral("Update failed. Encountered an Error locating\r\nyour database file.\r\n\r\nCheck "
                       "to make sure the correct Portable Drive\r\nis inserted. If it is, you will need to "
                       "re-configure\r\nit by going to Tools>Options>Settings and\r\nclicking on the "
                       "Configure Button."),
        MsgOK, MsgAlert, Globals().AppTitle + operation, 0);
}

void ShowWriteFailure() {
    ShowMessage(
        QStringLiteral("Unable to write to this Portable Device.\r\n\r\nThe device may be write protected "
                       "or damaged.\r\nYou will need to solve this problem before you\r\ncan use the "
                       "'Pack To Go' feature."),
        MsgOK, MsgAlert, Globals().AppTitle, 0);
}

void ShowPackError(const PackError& error) {
    ShowMessage(QString::number(error.number) + QStringLiteral("\r\n") + error.description, MsgOK, MsgAlert,
                Title(" - Pack To Go"), 0);
}

void PackDataBase(DayPageHost& host) {
    if (Globals().PackRun == 0 || !AskPortableDeviceInserted(2) || !FindPortableDrives(1)) {
        return;
    }
    if (!LocatePackedDataBase()) {
        ShowLocateFailure(QStringLiteral(" - Pack To Go"));
        host.CloseProgress();
        return;
    }
    PackOnto(host, {});
}

void UnPackCommand(DayPageHost& host) {
    if (Globals().PackRun != 0 && AskPortableDeviceInserted(3) && FindPortableDrives(1)) {
        UnPackDataBase(host);
    }
}

void OfferUnPack(DayPageHost& host) {
    if (AskPortableDeviceInserted(1) && FindPortableDrives(1)) {
        UnPackDataBase(host);
    }
}

void UnPackDataBase(DayPageHost& host) {
    const QString title = Title(" - UnPack");
    if (!LocatePackedDataBase()) {
        ShowLocateFailure(QStringLiteral(" - UnPack"));
        host.CloseProgress();
        return;
    }
    // What the page holds unsaved is local work: it is stored before the files are compared.
    QString reason;
    if (!StorePendingDayEdits(&reason)) {
        host.CloseProgress();
        ReportDatabaseFailure(reason);
        return;
    }
    const Judged judged = JudgeBooks(PackedFilePath(), DatabaseFilePath(Globals().DBaseFileName));
    if (ShowUnreadBook(judged, title)) {
        return;
    }
    bool take = false;
    bool ask = false;
    switch (judged.state) {
    case BookState::NoDriveBook:
        ShowLocateFailure(QStringLiteral(" - UnPack"));
        return;
    case BookState::Same:
    case BookState::DriveKnown:
        break;
    case BookState::DriveNewer:
        take = true;
        break;
    case BookState::Unreadable:
        // No book: the take refuses it and says why.
        take = true;
        break;
    case BookState::NothingRemembered:
        // Nothing tells whether either book holds work the other has not: only a book this
        // computer packed itself is left alone without a word; any other is the teacher's call,
        // whatever the two files' times say.
        ask = !LastExchangedHere(judged.book);
        break;
    case BookState::Conflict:
    case BookState::AnotherBook:
    case BookState::OlderOrApart:
    case BookState::Unjudgeable:
        ask = true;
        break;
    }
    if (ask) {
        switch (AskWhichBook(judged, title)) {
        case BookChoice::TakeDrives:
            take = true;
            break;
        case BookChoice::ReplaceDrives:
            ReplaceDrivesBook(host, judged, {}, true, title);
            return;
        case BookChoice::Neither:
            return;
        }
    }
    if (!take) {
        host.ShowBriefly(QStringLiteral("File is Up To Date..."));
        return;
    }
    TakeDrivesBook(host, judged, title, TakeMayLoseWork(judged));
}

PackOutcome FirstPack(DayPageHost& host) {
    return PackOnto(host, {{QStringLiteral("PackConfig"), BoolToText(true)},
                           {QStringLiteral("PackRun"), QStringLiteral("1")}});
}

bool LetGoOfBook(DayPageHost& host, QString* reason) {
    if (!StorePendingDayEdits(reason)) {
        return false;
    }
    host.ClosePage();
    CloseDayTable();
    return true;
}

void ReopenBook(DayPageHost& host) {
    host.LoadPage();
    OpenDaysAgain();
    GoToDate(Clock::Today());
}

void SettleInterruptedTakes() {
    for (const QString& name : BooksBeingTaken()) {
        SettleTake(name);
    }
}
