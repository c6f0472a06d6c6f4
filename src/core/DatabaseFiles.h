#pragma once

#include <QString>
#include <QStringList>

class DayPageHost;

// The day databases of the program folder: listing them, the names Save As accepts, and
// switching the book to another file.

// The files of the folder that the list's pattern "*.mdb*" shows, sorted by name.
QStringList ListDatabaseFiles(const QString& folder);
// The entry the dialog selects for the name in use: the one equal to it, or else the last.
int EntryForName(const QStringList& files, const QString& name);

// What Save As makes of the typed name: "\name.mdb", or the reason it is refused.
struct SaveAsName {
    QString selectedFile;
    QString error;
    // Another file goes by that name (by any spelling that reaches it): the copy would take its
    // place, so the teacher is asked first.
    bool replaces = false;
};
SaveAsName CheckSaveAsName(const QString& typed, const QString& dbaseFileName, const QString& folder);

// Open: the book moves to that file of the program folder ("\name") when it is a day database,
// and the choice is saved. False, after saying why, with the book in use left as it was.
bool SwitchDataBase(DayPageHost& host, const QString& selectedFile);
// Save As: the book in use is copied to that name and the book moves to the copy. False, after
// saying why, with the book in use left as it was, and a file of that name too when it could not
// be written.
bool CopyDataBaseAs(DayPageHost& host, const QString& selectedFile);
