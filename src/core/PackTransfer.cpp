#include "PackTransfer.h"

#include "DayDatabase.h"
#include "Message.h"
#include "PackSettings.h"
#include "ProgramState.h"
#include "TeacherSettings.h"
#include "platform/Clock.h"
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

#include <cerrno>

namespace {
const QString kPackFolder = QStringLiteral("VNT");
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

// The scanned drive whose root holds a path: its root and the file system it held.
struct ScannedDrive {
    QString root;
    DeviceId device = 0;
};

std::optional<ScannedDrive> ScannedDriveOf(const QString& path) {
    const ProgramState& g = Globals();
    std::optional<ScannedDrive> found;
    for (int i = 1; i <= g.PortableDriveCount && i <= kMaxRemovableDrives; ++i) {
        const QString root = QDir::cleanPath(g.PortableDrives[size_t(i)]);
        if (PathLiesOn(path, root) && g.PortableDriveDevices[size_t(i)] != 0 &&
            (!found || root.size() > found->root.size())) {
            found = ScannedDrive{root, g.PortableDriveDevices[size_t(i)]};
        }
    }
    return found;
}

// The device a write under this path must land on, or none when the path lies on no drive the
// scan found mounted: then nothing may be written there.
std::optional<DeviceId> DriveDeviceFor(const QString& path) {
    const std::optional<ScannedDrive> drive = ScannedDriveOf(path);
    if (!drive || DeviceOf(drive->root) != drive->device) {
        return std::nullopt;
    }
    return drive->device;
}

// What the packed book on the drive tells of itself: the teachers it belongs to and the pack
// that wrote it, by teacher section.
struct PackedBook {
    bool readable = false;
    QString teachers;
    QList<QPair<QString, QString>> packDates; // section, date
};

PackedBook ReadPackedBook(const QString& path) {
    PackedBook book;
    const QString name = QStringLiteral("qlm_packed_book");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        OpenReadOnly(db, path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT Section, Key, Value FROM RegKeys"))) {
                book.readable = true;
                QStringList names(2);
                while (query.next()) {
                    const QString section = query.value(0).toString();
                    const QString key = query.value(1).toString();
                    const QString value = query.value(2).toString();
                    if (section.compare(QLatin1String("Settings"), Qt::CaseInsensitive) == 0 &&
                        key.startsWith(QLatin1String("TeacherName"), Qt::CaseInsensitive)) {
                        const int n = QStringView(key).mid(11).toInt();
                        if (n >= 1 && n <= 2) {
                            names[n - 1] = value;
                        }
                    } else if (key.compare(QLatin1String("PackDate"), Qt::CaseInsensitive) == 0 &&
                               section.startsWith(QLatin1String("Settings\\Effects"), Qt::CaseInsensitive)) {
                        book.packDates.append({section, value});
                    }
                }
                names.removeAll(QString());
                book.teachers = names.join(QStringLiteral(" and "));
            } else {
                // A book another program holds may be anyone's: it is asked about, never taken
                // for a file that is no book.
                book.readable = IsBusySqlError(query.lastError());
            }
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return book;
}

// The drive holds what this computer last packed or unpacked: each carried pack date is the
// one this computer's settings hold for that teacher.
bool LastExchangedHere(const PackedBook& book) {
    if (!book.readable || book.packDates.isEmpty()) {
        return false;
    }
    for (const auto& [section, date] : book.packDates) {
        if (date.isEmpty() || ReadText(section, QStringLiteral("PackDate")) != date) {
            return false;
        }
    }
    return true;
}

// A packed book that this computer did not make or take last may hold work that exists nowhere
// else: the teacher decides whether it is replaced. True when the copy may go ahead.
bool MayReplacePackedBook(const QString& packedPath, const QString& local) {
    if (!FileExists(packedPath) || SameContent(packedPath, local)) {
        return true;
    }
    // A file that holds no readable book cannot be unpacked either: it is no one's work.
    const PackedBook book = ReadPackedBook(packedPath);
    if (!book.readable || LastExchangedHere(book)) {
        return true;
    }
    // The pack's own date, or else the file's, as the main window shows a pack's date.
    QDateTime packed;
    for (const auto& entry : book.packDates) {
        packed = TextToDateTime(entry.second);
    }
    if (!packed.isValid()) {
        if (const std::optional<qint64> modified = ModifiedTime(packedPath)) {
            packed = QDateTime::fromMSecsSinceEpoch(*modified / 1000000);
        }
    }
    const QString when =
        packed.isValid() ? FormatDateTime(packed, QStringLiteral("mmmm d, yyyy at h:mm AM/PM")) : QString();
    const QString whose = book.teachers.isEmpty() ? QStringLiteral("an unknown teacher") : book.teachers;
    const QString text =
        QStringLiteral("The Portable Drive already holds a DataBase File of this name:\r\n%1\r\n\r\n"
                       "It may belong to %2, packed %3. It is not the DataBase File that this "
                       "computer packed or unpacked last, so it may hold work that is not on this "
                       "computer.\r\n\r\nKeep the DataBase File on the drive?\r\n\r\n'Yes' keeps it: "
                       "nothing is copied.\r\n'No' replaces it with the DataBase File of this computer.")
            .arg(packedPath, whose,
                 when.isEmpty() ? QStringLiteral("at an unknown time") : QStringLiteral("on ") + when);
    return ShowMessage(text, MsgYesNo, MsgWarning, Title(" - Pack To Go"), 0) == MsgAnswerNo;
}

// Copies the book in use to the drive folder and, once it is there, stores the pack's date
// and the values that only a finished pack may store.
bool CopyBookToDrive(DayPageHost& host, const PackedEffects& effects, PackError* error, bool* wrongDrive) {
    QString reason;
    if (!LetGoOfBook(host, &reason)) {
        *error = {75, QStringLiteral("Path/File access error\r\n\r\n") + reason};
        return false;
    }
    const std::optional<DeviceId> device = DriveDeviceFor(Globals().PackPath);
    const CopyResult copy =
        device ? CopyFileSafely(DatabaseFilePath(Globals().DBaseFileName), PackedFilePath(), {}, device)
               : CopyResult{false, ENODEV, QString(), false, true};
    *wrongDrive = copy.wrongDrive;
    if (copy.ok) {
        SettingsStore::BeginBatch();
        for (const auto& [key, value] : effects) {
            SaveText(EffectsSection(), key, value);
        }
        SettingsStore::EndBatch();
        Globals().PackDate = effects.first().second;
    } else {
        *error = CopyError(copy);
    }
    ReopenBook(host);
    host.RefreshPage();
    return copy.ok;
}

// Carries the settings into RegKeys and the book onto the drive. Nothing is written when the
// drive is no longer the one the scan found, nor over a packed book the teacher keeps.
PackOutcome PackOnto(DayPageHost& host, const PackedEffects& extra) {
    if (!DriveDeviceFor(Globals().PackPath)) {
        ShowWriteFailure();
        return PackOutcome::Failed;
    }
    // What the page holds unsaved is part of the book that is compared and packed.
    QString reason;
    if (!StorePendingDayEdits(&reason)) {
        ReportDatabaseFailure(reason);
        return PackOutcome::Failed;
    }
    if (!MayReplacePackedBook(PackedFilePath(), DatabaseFilePath(Globals().DBaseFileName))) {
        return PackOutcome::Kept;
    }
    host.ShowProgress(QStringLiteral("Packing up now.  One Moment Please..."));
    PackedEffects effects{{QStringLiteral("PackDate"), DateTimeToText(Clock::Now())}};
    effects += extra;
    PackError error;
    bool wrongDrive = false;
    const bool ok = SaveSettingsToDataBase(RegKeyRecords(), Globals().CurrentTeacher, effects, &error) &&
                    CopyBookToDrive(host, effects, &error, &wrongDrive);
    host.CloseProgress();
    if (wrongDrive) {
        ShowWriteFailure();
    } else if (!ok) {
        ShowPackError(error);
    }
    return ok ? PackOutcome::Packed : PackOutcome::Failed;
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
    g.PortableDriveDevices.fill(0);
    for (int i = 0; i < drives.size() && i < kMaxRemovableDrives; ++i) {
        g.PortableDrives[size_t(i) + 1] = drives[i].root;
        g.PortableDriveDevices[size_t(i) + 1] = drives[i].device;
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
            QStringList columns{QStringLiteral("Date"), QStringLiteral("SchoolDay"), QStringLiteral("Notes")};
            for (int r = 1; r <= 12; ++r) {
                columns << QStringLiteral("Time%1").arg(r) << QStringLiteral("Subject%1").arg(r)
                        << QStringLiteral("Details%1").arg(r);
            }
            if (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next() ||
                query.value(0).toString() != QLatin1String("ok")) {
                problem = QStringLiteral("The file is damaged or is not a database.");
            } else if (!query.exec(QStringLiteral("SELECT %1 FROM QLM LIMIT 1")
                                       .arg(columns.join(QLatin1Char(','))))) {
                problem = QStringLiteral("The file holds no day table the program can read.");
            } else if (!query.exec(QStringLiteral(
                           "SELECT count(*) FROM (SELECT Section, Key, Value FROM RegKeys)")) ||
                       !query.next()) {
                problem = QStringLiteral("The file holds no settings table the program can read.");
            } else if (maxRegKeys >= 0 && query.value(0).toInt() > maxRegKeys) {
                problem = QStringLiteral("The file carries more than %1 settings.").arg(maxRegKeys);
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

bool DriveCopyIsNewer(const QString& packed, const QString& local) {
    const std::optional<qint64> drive = ModifiedTime(packed);
    const std::optional<qint64> here = ModifiedTime(local);
    // Without a local file there is nothing to lose; without a drive file nothing to take.
    return drive && (!here || *drive > *here);
}

bool CreatePackFolder(const QString& root, QString* folder, QString* reason) {
    *folder = JoinPath(root, kPackFolder);
    const std::optional<DeviceId> device = DriveDeviceFor(root);
    if (!device) {
        *reason = QStringLiteral("The drive is no longer mounted at %1.").arg(root);
        return false;
    }
    return MakeFolderOn(root, kPackFolder, device, reason);
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
    const QString failure = QStringLiteral(" - UnPack");
    if (!LocatePackedDataBase()) {
        ShowLocateFailure(failure);
        host.CloseProgress();
        return;
    }
    const QString packed = PackedFilePath();
    const QString local = DatabaseFilePath(Globals().DBaseFileName);
    // What the page holds unsaved is local work: it is stored before the files are compared.
    QString reason;
    if (!StorePendingDayEdits(&reason)) {
        host.CloseProgress();
        ReportDatabaseFailure(reason);
        return;
    }
    if (!DriveCopyIsNewer(packed, local)) {
        // Local work is never replaced by the same or an older copy.
        host.ShowBriefly(QStringLiteral("File is Up To Date..."));
        return;
    }
    host.ShowProgress(QStringLiteral("Updating now.  One Moment Please..."));
    if (!LetGoOfBook(host, &reason)) {
        host.CloseProgress();
        ReportDatabaseFailure(reason);
        return;
    }
    // Only a file that opens as a day database replaces the book; it is checked as the copy
    // beside the book, not on the drive, which could change in between.
    const CopyResult copy = CopyFileSafely(packed, local, [](const QString& copied) {
        QString problem;
        CheckDayDatabase(copied, kMaxRegKeyRows, &problem);
        return problem;
    });
    ReopenBook(host);
    PackError error;
    const bool restored = copy.ok && RestoreSettingsFromDataBase(RegKeyRecords(), &error);
    host.RefreshPage();
    host.CloseProgress();
    if (!restored) {
        ShowLocateFailure(failure);
    }
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
