#include "DatabaseFiles.h"

#include "DayDatabase.h"
#include "Message.h"
#include "PackTransfer.h"
#include "ProgramState.h"
#include "Startup.h"
#include "platform/FileCopy.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
const QString kExtension = QStringLiteral(".mdb");

void UseDataBase(const QString& selectedFile) {
    ProgramState& g = Globals();
    g.DBaseFileName = selectedFile;
    g.ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + ProgramFolder() +
                         selectedFile + QStringLiteral(";Persist Security Info=False");
}

// The page goes onto the chosen file; a file the day table cannot be opened on (it changed
// since it was checked) sends the page back to the book it came from.
bool MoveBookTo(DayPageHost& host, const QString& selectedFile) {
    const QString previous = Globals().DBaseFileName;
    UseDataBase(selectedFile);
    ReopenBook(host);
    const bool opened = DayRecords().IsOpen();
    if (!opened) {
        UseDataBase(previous);
        ReopenBook(host);
    }
    SaveText(QStringLiteral("Settings"), QStringLiteral("DBaseFileName"), Globals().DBaseFileName);
    host.RefreshPage();
    return opened;
}

// The file list's pattern "*.mdb*": a name holding ".mdb" anywhere, in any letter case, such as
// "Year.mdb.old". Hidden names (our copies under way, ".QLM.mdb.copy-...") are not listed, nor
// SQLite's journals ("QLM.mdb-journal"), which are no books.
bool MatchesListPattern(const QString& name) {
    return name.contains(kExtension, Qt::CaseInsensitive) && !name.startsWith(QLatin1Char('.')) &&
           !name.endsWith(QLatin1String("-journal"));
}
} // namespace

QStringList ListDatabaseFiles(const QString& folder) {
    QStringList files;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Readable, QDir::NoSort);
    for (const QString& name : names) {
        if (MatchesListPattern(name)) {
            files.append(name);
        }
    }
    // In the order a file list shows names: alphabetical, capitals or not.
    std::sort(files.begin(), files.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return files;
}

int EntryForName(const QStringList& files, const QString& name) {
    const qsizetype found = files.indexOf(name);
    return int(found >= 0 ? found : files.size() - 1);
}

SaveAsName CheckSaveAsName(const QString& typed, const QString& dbaseFileName, const QString& folder) {
    SaveAsName result;
    // The extension counts in any letters, here as in the file list.
    const bool typedExtension = typed.endsWith(kExtension, Qt::CaseInsensitive);
    if (typed.isEmpty() || (typedExtension && typed.size() == kExtension.size())) {
        result.error = QStringLiteral("A Blank File Name is not permitted.");
        return result;
    }
    // A book stays in the program folder, under a name the settings can carry and the list shows
    // (a name that begins with "." is a hidden file).
    if (typed.contains(QLatin1String("..")) || !IsPlainDatabaseName(typed) || typed.trimmed() != typed ||
        typed.startsWith(QLatin1Char('.'))) {
        result.error =
            QStringLiteral("The File Name may not contain \"/\", \"\\\", \"..\", \";\" or quotation "
                           "marks, nor begin with \".\" or begin or end with a blank.");
        return result;
    }
    result.selectedFile = QLatin1Char('\\') + typed;
    if (!typedExtension) {
        result.selectedFile += kExtension;
    }
    // The copy is written under a longer temporary name first, which must fit as well.
    if (!CopyNameFits(folder, result.selectedFile.mid(1))) {
        result.error = QStringLiteral("The File Name is too long.");
        result.selectedFile.clear();
        return result;
    }
    // The same file by name or by identity: on a file system that ignores case, "qlm.MDB" is
    // the book in use too.
    const QString target = NativePath(folder + result.selectedFile);
    if (result.selectedFile == dbaseFileName || SameFile(target, NativePath(folder + dbaseFileName))) {
        result.error = QStringLiteral(
            "The File Name is the same as the one\r\ncurrently in use. This is not permitted.");
        return result;
    }
    // Asked of the system, as the copy will find it: another spelling on a file system that
    // ignores case, or a link, reaches an existing book as well.
    result.replaces = FileExists(target);
    return result;
}

bool SwitchDataBase(DayPageHost& host, const QString& selectedFile) {
    const ProgramState& g = Globals();
    QString reason;
    if (!CheckDayDatabase(DatabaseFilePath(selectedFile), -1, &reason)) {
        ShowMessage(
            QStringLiteral("%1 is not a DataBase File of Quillmarsh, so it was not opened.\r\n\r\n%2\r\n\r\n"
                           "The DataBase File %3 stays in use.")
                .arg(selectedFile.mid(1), reason, g.DBaseFileName.mid(1)),
            MsgOK, MsgWarning, g.AppTitle + QStringLiteral(" - DataBase Open"), 0);
        return false;
    }
    if (!LetGoOfBook(host, &reason)) {
        ReportDatabaseFailure(reason);
        return false;
    }
    return MoveBookTo(host, selectedFile);
}

bool CopyDataBaseAs(DayPageHost& host, const QString& selectedFile) {
    const ProgramState& g = Globals();
    const auto failed = [&g, &selectedFile](const QString& why) {
        ShowMessage(QStringLiteral(
                        "The DataBase File could not be saved as %1.\r\n\r\n%2\r\n\r\nThe DataBase File %3 "
                        "stays in use.")
                        .arg(selectedFile.mid(1), why, g.DBaseFileName.mid(1)),
                    MsgOK, MsgAlert, g.AppTitle + QStringLiteral(" - Save As Error"), 0);
        return false;
    };
    // A read-only book is not ours to replace: the copy's rename would take its place all the
    // same, and keep its mode, so that no page could be opened on it.
    const QString target = DatabaseFilePath(selectedFile);
    if (FileExists(target) && !QFileInfo(target).isWritable()) {
        return failed(QStringLiteral("Cannot replace %1: %2")
                          .arg(target, QString::fromLocal8Bit(std::strerror(EACCES))));
    }
    QString reason;
    if (!LetGoOfBook(host, &reason)) {
        ReportDatabaseFailure(reason);
        return false;
    }
    const CopyResult copy = CopyFileSafely(DatabaseFilePath(g.DBaseFileName), target);
    if (!copy.ok) {
        ReopenBook(host);
        host.RefreshPage();
        return failed(copy.text);
    }
    return MoveBookTo(host, selectedFile);
}
