#pragma once

#include "platform/FileIdentity.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// A book's exchange history, carried inside the book on the drive: the identity its first pack
// gave it and an id for every pack since, newest last. Two books with one identity descend from
// one first pack; a book whose history holds an exchange descends from the book of that exchange.
struct BookHistory {
    QString book;
    QStringList exchanges;
    bool IsEmpty() const { return book.isEmpty(); }
    QString Newest() const { return exchanges.isEmpty() ? QString() : exchanges.last(); }
};

// The RegKeys rows that carry it, apart from the carried settings: no unpack writes them back.
inline const QString kHistorySection = QStringLiteral("PackToGo");
inline const QString kHistoryBookKey = QStringLiteral("Book");
inline const QString kHistoryExchangesKey = QStringLiteral("Exchanges");
// How many exchanges a book keeps: enough for a stick used twice a day all year.
inline constexpr int kMaxExchanges = 300;

// What this computer remembers of its last exchange of a book (per database file name, in the
// settings file's own section, which never travels): the book's identity and history as it left
// or arrived, and the fingerprint of this computer's book right after it. A pack under way is
// remembered before its copy, and a take before its copy, so that a kill cut short of the record
// is recognised afterwards. The fingerprints of the earlier kind of record are kept for books
// exchanged before books carried their history.
struct ExchangeRecord {
    QString book;
    QStringList history; // newest last: the exchange this computer last made
    QString local;       // fingerprint of this computer's book right after that exchange
    QString drive;       // fingerprint of the drive's book right after it
    QString pending;     // the id of a pack under way, this computer's book and the drive's
    QString pendingLocal;
    QString pendingDrive;
    // A take whose settings are not written back yet: the fingerprint of the book taken, and the
    // file ("device:inode") that was to take the book's place, which stays the book however the
    // teacher edits it afterwards.
    QString taking;
    QString takingFile;
    QString legacyLast;
    QString legacyStarted;
    QString Last() const { return history.isEmpty() ? QString() : history.last(); }
    void ClearPending() {
        pending.clear();
        pendingLocal.clear();
        pendingDrive.clear();
    }
    void ClearTaking() {
        taking.clear();
        takingFile.clear();
    }
    bool operator==(const ExchangeRecord&) const = default;
};

ExchangeRecord ReadExchangeRecord(const QString& dbaseFileName);
// Saves what changed, in one write; false when the settings file could not be written.
bool WriteExchangeRecord(const QString& dbaseFileName, const ExchangeRecord& record);
// The database file names of the program folder that have a take under way.
QStringList BooksBeingTaken();

// How the book on the drive stands to this computer's:
// - NoDriveBook: the drive holds none;
// - Same: both hold the same bytes;
// - DriveKnown: the drive holds the book this computer last exchanged;
// - DriveNewer: the drive's book follows from it (a later pack, or a change made to it on the
//   drive), and this computer's is unchanged since: news;
// - Conflict: the drive's book follows from it, and both have changed since;
// - AnotherBook: the drive holds a book of another identity (another teacher's, another set-up);
// - OlderOrApart: the same book, but one that does not follow from this computer's last exchange
//   (an older copy put back, or one changed elsewhere from an older copy);
// - NothingRemembered: this computer has no record that tells whether the drive's book follows
//   from its last exchange (none at all, or one of the earlier kind that the book does not match);
// - Unreadable: the drive's file holds no book that can be read: no one's work;
// - Unjudgeable: the drive's book carries a history that no pack wrote, which tells nothing.
enum class BookState {
    NoDriveBook,
    Unreadable,
    Same,
    DriveKnown,
    DriveNewer,
    Conflict,
    AnotherBook,
    OlderOrApart,
    NothingRemembered,
    Unjudgeable
};

// local and drive are the books' fingerprints (drive empty when it could not be read).
BookState JudgeExchange(const QString& local, const QString& drive, const BookHistory& onDrive,
                        const ExchangeRecord& remembered);

// The record once a pack it remembers as under way is known to have reached the drive.
ExchangeRecord SettlePendingPack(const ExchangeRecord& remembered, const BookHistory& onDrive);

// The history a pack writes: this computer's book's own (what it last exchanged) and a new id.
// A book that has none yet takes the identity of a drive book it is known to follow from, or a
// new one, and starts from its last exchange of the earlier kind.
BookHistory NextHistory(const ExchangeRecord& remembered, const BookHistory& onDrive,
                        const QString& exchange);
QString NewExchangeId();

// The longest Exchanges value a pack writes: kMaxExchanges ids and their commas, the first of
// which may be a fingerprint of the earlier kind (up to 20 digits of size, a colon, 64 hex digits)
// in place of an id.
inline constexpr int kMaxExchangesLength = kMaxExchanges * 13 - 1 + (20 + 1 + 64 - 12);
// Whether a history read from a book is one a pack writes: an identity and at most kMaxExchanges
// ids, each of the form NewExchangeId makes, the first of which may instead be the fingerprint
// of the earlier kind of record that NextHistory starts from.
bool IsPackedHistory(const BookHistory& history);

// A copy of a book that an answer replaces, kept in the program folder under a name the teacher
// knows ("QLM - kept 2026-12-07 14.05.mdb") and opens like any book. source must still be the
// file judged, when given.
struct KeptCopy {
    bool ok = false;
    QString name; // the kept copy's file name
    QString reason;
    bool changedFile = false; // the source is no longer the file judged
    QString fingerprint;      // of the copy as kept
};
// The name a book's kept copies start with: the file name without ".mdb" ("QLM").
QString KeptCopyStem(const QString& dbaseFileName);
KeptCopy KeepCopyOf(const QString& source, const QString& dbaseFileName, const QDateTime& when,
                    const std::optional<FileVersion>& judged = std::nullopt);
// The book a copy keeps was replaced, or may have been: the copy is remembered as kept with
// its fingerprint and its place in the order this computer kept the book's copies, and after a
// replacement (prune) the newest few of them stay, by that order: never by a time a clock wrote
// (in their names or the file system's). Only a copy still as it was kept goes: one the teacher
// opened and worked in is a book of theirs, and one whose order this computer does not know (one
// it does not remember, one Setup kept, one of an earlier record) is not its to remove. The copy
// just kept always stays.
void RememberKeptCopy(const QString& dbaseFileName, const KeptCopy& kept, bool prune);
inline constexpr int kKeptCopiesPerBook = 5;
