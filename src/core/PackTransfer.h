#pragma once

#include "PackHistory.h"

#include <QString>

struct PackError;

// What packing, unpacking and switching database files ask of the windows around them. The
// sequences themselves are core's; the day page's own host closes and loads the real page, and
// tests give one without windows.
class DayPageHost {
public:
    virtual ~DayPageHost() = default;
    // The small progress window: shown (and painted) before the long work, closed after it.
    virtual void ShowProgress(const QString& text) = 0;
    // Shows the text for a moment and closes by itself; nothing waits for it.
    virtual void ShowBriefly(const QString& text) = 0;
    virtual void CloseProgress() = 0;
    // The day page closes (its connections let go of the file) and loads again.
    virtual void ClosePage() = 0;
    virtual void LoadPage() = 0;
    // After the page is on its book again: the timetable, the menus and the caption follow.
    virtual void RefreshPage() = 0;
};

// The removable drives: a scan into PortableDrives (mode 1 or 2 picks the last line of the
// no-drive message), the question whether the device is inserted (mode 1, 2 or 3 picks the
// title), and the drive that holds the packed file (it sets PackPath).
bool FindPortableDrives(int mode);
bool AskPortableDeviceInserted(int mode);
bool LocatePackedDataBase();

// The book in use in the program folder, and its packed copy in the drive folder.
QString DatabaseFilePath(const QString& dbaseFileName);
QString PackedFilePath();

// Whether a file holds a day database the program can work on: tables QLM and RegKeys in the
// form the program reads, an integrity check that passes and, when maxRegKeys is not negative (a
// book to be taken), no more RegKeys rows than that and no history but one a pack writes. reason
// says what is wrong.
bool CheckDayDatabase(const QString& path, int maxRegKeys, QString* reason);

// The drive dialog's OK: makes the folder "VNT" on the drive root (one that exists is fine),
// only while the root still holds the volume the scan found there.
bool CreatePackFolder(const QString& root, QString* folder, QString* reason);

// The pack's and the unpack's messages.
void ShowLocateFailure(const QString& operation);
void ShowWriteFailure();
void ShowPackError(const PackError& error);

// What the teacher chose when both books may hold work of their own.
enum class BookChoice { TakeDrives, ReplaceDrives, Neither };

// How a pack ended: the book is on the drive; the teacher took the drive's book instead (it
// replaced this computer's, as an unpack does); the teacher kept both as they were (nothing
// copied); or it failed and said why. Only a pack that ended Packed or Taken stores what it
// was given to store (the first pack's "PackConfig" and "PackRun").
enum class PackOutcome { Packed, Taken, Kept, Failed };

// File > Pack To Go; File > UnPack; the offer at start-up; the unpack itself; the first pack of
// the drive set-up.
void PackDataBase(DayPageHost& host);
void UnPackCommand(DayPageHost& host);
void OfferUnPack(DayPageHost& host);
void UnPackDataBase(DayPageHost& host);
PackOutcome FirstPack(DayPageHost& host);

// Around every replacement of a file the page is open on: what the page holds unsaved is
// stored and the page closed (false, with the page left open, when it could not be stored);
// then the page is loaded again on the book in use and shows today.
bool LetGoOfBook(DayPageHost& host, QString* reason);

// Start-up: a take that a kill cut short after the book was in place writes back the settings
// the book carries and remembers the exchange; one cut short before leaves the book as it is.
void SettleInterruptedTakes();
void ReopenBook(DayPageHost& host);
