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

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <cerrno>

namespace {
const QString kPackFolder = QStringLiteral("VNT");

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

// The table is opened as start-up opens it: the teacher's days once the set-up is complete,
// every day while it is not.
void OpenDaysAgain() {
    if (Globals().SetupComplete == 1) {
        OpenDayTable();
    } else {
        OpenAllDays();
    }
}

// Copies the book in use to the drive folder and, once it is there, stores the pack's date.
bool CopyBookToDrive(DayPageHost& host, const QString& packDate, PackError* error) {
    QString reason;
    if (!LetGoOfBook(host, &reason)) {
        *error = {75, QStringLiteral("Path/File access error\r\n\r\n") + reason};
        return false;
    }
    const CopyResult copy = CopyFileSafely(DatabaseFilePath(Globals().DBaseFileName), PackedFilePath());
    if (copy.ok) {
        SaveText(EffectsSection(), QStringLiteral("PackDate"), packDate);
        Globals().PackDate = packDate;
    } else {
        *error = CopyError(copy);
    }
    ReopenBook(host);
    host.RefreshPage();
    return copy.ok;
}

// Carries the settings into RegKeys and the book onto the drive.
bool PackOnto(DayPageHost& host) {
    host.ShowProgress(QStringLiteral("Packing up now.  One Moment Please..."));
    const QString packDate = DateTimeToText(Clock::Now());
    PackError error;
    const bool ok = SaveSettingsToDataBase(RegKeyRecords(), Globals().CurrentTeacher, packDate, &error) &&
                    CopyBookToDrive(host, packDate, &error);
    host.CloseProgress();
    if (!ok) {
        ShowPackError(error);
    }
    return ok;
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
    for (int i = 0; i < drives.size() && i < kMaxRemovableDrives; ++i) {
        g.PortableDrives[size_t(i) + 1] = drives[i].root;
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
        db.setDatabaseName(
            QStringLiteral("file:%1?mode=ro")
                .arg(QString::fromUtf8(QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/"))));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
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
    if (QFileInfo(*folder).isDir()) {
        return true;
    }
    if (!QDir().mkdir(*folder)) {
        *reason = QStringLiteral("The folder %1 could not be made.").arg(*folder);
        return false;
    }
    return true;
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
    PackOnto(host);
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

bool FirstPack(DayPageHost& host) {
    return PackOnto(host);
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
