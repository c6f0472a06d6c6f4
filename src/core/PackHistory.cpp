#include "PackHistory.h"

#include "platform/FileCopy.h"
#include "platform/ProgramFolder.h"
#include "platform/RemovableDrives.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace {
// This computer's own record of its exchanges, in the settings file; it never travels (the book
// carries its history in a RegKeys section of its own, kHistorySection).
const QString kRecordSection = QStringLiteral("PackToGo");

// The file name as a key: encoded, so that no name reads as another's key with a suffix (a
// space never stands in an encoded name).
QString BookKey(const QString& dbaseFileName) {
    return QString::fromLatin1(
        QUrl::toPercentEncoding(QFileInfo(JoinPath(QStringLiteral("/"), dbaseFileName)).fileName()));
}

QString Key(const QString& dbaseFileName, const char* part) {
    return BookKey(dbaseFileName) + QLatin1Char(' ') + QLatin1String(part);
}

QStringList SplitList(const QString& text) {
    QStringList list = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& entry : list) {
        entry = entry.trimmed();
    }
    list.removeAll(QString());
    return list;
}

// Whether a name is one a kept copy of the book takes ("QLM - kept 2026-12-07 14.05.mdb", or
// with " (2)" on a clash): a record edited by hand cannot make a prune take anything else.
bool IsKeptCopyName(const QString& name, const QString& stem) {
    static const QRegularExpression shape(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}\\.\\d{2}(?: \\(\\d{1,3}\\))?\\.mdb$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString prefix = stem + QStringLiteral(" - kept ");
    return name.startsWith(prefix) && shape.match(QStringView(name).mid(prefix.size())).hasMatch();
}

// A copy this computer kept of a book: its fingerprint as kept, and its place in the order the
// copies were kept here (0 when not known: a record of the earlier kind, which named no order).
struct KeptEntry {
    QString name;
    QString fingerprint;
    qint64 order = 0;
};

// The kept copies this computer made of a book, as "name|fingerprint|order" entries.
QList<KeptEntry> ReadKeptRecord(const QString& dbaseFileName) {
    QList<KeptEntry> kept;
    for (const QString& entry : SplitList(ReadText(kRecordSection, Key(dbaseFileName, "Kept")))) {
        const QStringList parts = entry.split(QLatin1Char('|'));
        if (parts.size() >= 2 && !parts[0].isEmpty()) {
            const qint64 order = parts.value(2).toLongLong();
            kept.append(
                {QUrl::fromPercentEncoding(parts[0].toLatin1()), parts[1], std::max<qint64>(order, 0)});
        }
    }
    return kept;
}

bool WriteKeptRecord(const QString& dbaseFileName, const QList<KeptEntry>& kept) {
    QStringList entries;
    for (const KeptEntry& entry : kept) {
        QString text =
            QString::fromLatin1(QUrl::toPercentEncoding(entry.name)) + QLatin1Char('|') + entry.fingerprint;
        if (entry.order > 0) {
            text += QLatin1Char('|') + QString::number(entry.order);
        }
        entries << text;
    }
    const QString value = entries.join(QLatin1Char(','));
    const QString key = Key(dbaseFileName, "Kept");
    if (ReadText(kRecordSection, key) == value) {
        return true;
    }
    return SaveText(kRecordSection, key, value);
}
} // namespace

ExchangeRecord ReadExchangeRecord(const QString& dbaseFileName) {
    ExchangeRecord record;
    const QStringList legacy = ReadText(kRecordSection, BookKey(dbaseFileName)).split(QLatin1Char('|'));
    record.legacyLast = legacy.value(0);
    record.legacyStarted = legacy.value(1);
    record.book = ReadText(kRecordSection, Key(dbaseFileName, "Book")).trimmed();
    record.history = SplitList(ReadText(kRecordSection, Key(dbaseFileName, "History")));
    record.local = ReadText(kRecordSection, Key(dbaseFileName, "Local")).trimmed();
    record.drive = ReadText(kRecordSection, Key(dbaseFileName, "Drive")).trimmed();
    const QStringList pending =
        ReadText(kRecordSection, Key(dbaseFileName, "Pending")).split(QLatin1Char('|'));
    record.pending = pending.value(0).trimmed();
    record.pendingLocal = pending.value(1).trimmed();
    record.pendingDrive = pending.value(2).trimmed();
    const QStringList taking = ReadText(kRecordSection, Key(dbaseFileName, "Taking")).split(QLatin1Char('|'));
    record.taking = taking.value(0).trimmed();
    record.takingFile = record.taking.isEmpty() ? QString() : taking.value(1).trimmed();
    // A record cut short by a hand is no record: without a history there is nothing to follow.
    if (record.history.isEmpty()) {
        record.book.clear();
    }
    return record;
}

bool WriteExchangeRecord(const QString& dbaseFileName, const ExchangeRecord& record) {
    // A fingerprint left empty by a read that failed would match nothing or, worse, stand for
    // "anything": such a record is never stored.
    if ((!record.history.isEmpty() && (record.local.isEmpty() || record.drive.isEmpty())) ||
        (!record.pending.isEmpty() && (record.pendingLocal.isEmpty() || record.pendingDrive.isEmpty()))) {
        return false;
    }
    const ExchangeRecord before = ReadExchangeRecord(dbaseFileName);
    if (before == record) {
        return true;
    }
    const QString legacy = record.legacyStarted.isEmpty()
                               ? record.legacyLast
                               : record.legacyLast + QLatin1Char('|') + record.legacyStarted;
    const QString pending =
        record.pending.isEmpty()
            ? QString()
            : QStringList{record.pending, record.pendingLocal, record.pendingDrive}.join(QLatin1Char('|'));
    const QStringList history =
        record.history.mid(std::max<qsizetype>(0, record.history.size() - kMaxExchanges));
    const QList<QPair<QString, QString>> values{
        {BookKey(dbaseFileName), legacy},
        {Key(dbaseFileName, "Book"), record.book},
        {Key(dbaseFileName, "History"), history.join(QLatin1Char(','))},
        {Key(dbaseFileName, "Local"), record.local},
        {Key(dbaseFileName, "Drive"), record.drive},
        {Key(dbaseFileName, "Pending"), pending},
        {Key(dbaseFileName, "Taking"), record.taking.isEmpty() || record.takingFile.isEmpty()
                                           ? record.taking
                                           : record.taking + QLatin1Char('|') + record.takingFile},
    };
    SettingsStore::BeginBatch();
    for (const auto& [key, value] : values) {
        if (ReadText(kRecordSection, key) != value) {
            SaveText(kRecordSection, key, value);
        }
    }
    return SettingsStore::EndBatch();
}

QStringList BooksBeingTaken() {
    QStringList names;
    for (const auto& [key, value] : GetAllSettings(AppKey, kRecordSection)) {
        if (key.endsWith(QLatin1String(" Taking"), Qt::CaseInsensitive) && !value.trimmed().isEmpty()) {
            names << QLatin1Char('\\') + QUrl::fromPercentEncoding(key.chopped(7).toLatin1());
        }
    }
    return names;
}

BookState JudgeExchange(const QString& local, const QString& drive, const BookHistory& onDrive,
                        const ExchangeRecord& remembered) {
    if (drive.isEmpty()) {
        return BookState::Unreadable;
    }
    if (drive == local) {
        return BookState::Same;
    }
    if (!remembered.book.isEmpty()) {
        // Every book this computer exchanged since it kept histories carries one: a drive book
        // without one, or with another identity, is not the book it last exchanged.
        if (onDrive.IsEmpty()) {
            return BookState::OlderOrApart;
        }
        if (onDrive.book != remembered.book) {
            return BookState::AnotherBook;
        }
        const qsizetype at = onDrive.exchanges.lastIndexOf(remembered.Last());
        if (at < 0) {
            return BookState::OlderOrApart;
        }
        if (at == onDrive.exchanges.size() - 1 && drive == remembered.drive) {
            return BookState::DriveKnown;
        }
        return local == remembered.local ? BookState::DriveNewer : BookState::Conflict;
    }
    // Only a record of the earlier kind: the book exchanged last is known by its fingerprint, and
    // a history that starts from it follows from it.
    const QString& last = remembered.legacyLast;
    if (!onDrive.IsEmpty()) {
        if (!last.isEmpty() && onDrive.exchanges.contains(last)) {
            return local == last ? BookState::DriveNewer : BookState::Conflict;
        }
        return BookState::NothingRemembered;
    }
    if (!last.isEmpty() &&
        (drive == last || (!remembered.legacyStarted.isEmpty() && drive == remembered.legacyStarted))) {
        return BookState::DriveKnown;
    }
    // A book without a history that is not the one exchanged last may be anything: a backup put
    // back, another teacher's stick. Nothing shows that it follows from this computer's book.
    return BookState::NothingRemembered;
}

ExchangeRecord SettlePendingPack(const ExchangeRecord& remembered, const BookHistory& onDrive) {
    ExchangeRecord record = remembered;
    if (remembered.pending.isEmpty() || !onDrive.exchanges.contains(remembered.pending)) {
        return record;
    }
    // The pack reached the drive: its history is the drive's up to that exchange.
    const qsizetype at = onDrive.exchanges.lastIndexOf(remembered.pending);
    record.book = onDrive.book;
    record.history = onDrive.exchanges.mid(0, at + 1);
    record.local = remembered.pendingLocal;
    record.drive = remembered.pendingDrive;
    record.ClearPending();
    return record;
}

BookHistory NextHistory(const ExchangeRecord& remembered, const BookHistory& onDrive,
                        const QString& exchange) {
    BookHistory next;
    if (!remembered.book.isEmpty()) {
        next.book = remembered.book;
        next.exchanges = remembered.history;
    } else {
        const bool follows = !remembered.legacyLast.isEmpty() && !onDrive.IsEmpty() &&
                             onDrive.exchanges.contains(remembered.legacyLast);
        next.book = follows ? onDrive.book : NewExchangeId();
        if (!remembered.legacyLast.isEmpty()) {
            next.exchanges << remembered.legacyLast;
        }
    }
    next.exchanges << exchange;
    next.exchanges = next.exchanges.mid(std::max<qsizetype>(0, next.exchanges.size() - kMaxExchanges));
    return next;
}

QString NewExchangeId() {
    const quint64 value = QRandomGenerator::system()->generate64() & 0xFFFFFFFFFFFFULL;
    return QStringLiteral("%1").arg(value, 12, 16, QLatin1Char('0'));
}

namespace {
bool IsLowerHex(QStringView text, qsizetype digits) {
    return text.size() == digits && std::all_of(text.begin(), text.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
           });
}

// "size:hash", as FileFingerprint writes it.
bool IsEarlierFingerprint(QStringView text) {
    const qsizetype colon = text.indexOf(u':');
    const QStringView size = text.first(std::max<qsizetype>(colon, 0));
    return colon >= 1 && colon <= 20 &&
           std::all_of(size.begin(), size.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }) &&
           IsLowerHex(text.sliced(colon + 1), 64);
}
} // namespace

bool IsPackedHistory(const BookHistory& history) {
    constexpr qsizetype kIdDigits = 12;
    if (!IsLowerHex(history.book, kIdDigits) || history.exchanges.isEmpty() ||
        history.exchanges.size() > kMaxExchanges) {
        return false;
    }
    for (qsizetype i = 0; i < history.exchanges.size(); ++i) {
        const QString& id = history.exchanges[i];
        if (!IsLowerHex(id, kIdDigits) && !(i == 0 && IsEarlierFingerprint(id))) {
            return false;
        }
    }
    return true;
}

QString KeptCopyStem(const QString& dbaseFileName) {
    QString stem = QFileInfo(JoinPath(QStringLiteral("/"), dbaseFileName)).fileName();
    if (stem.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive)) {
        stem.chop(4);
    }
    return stem;
}

KeptCopy KeepCopyOf(const QString& source, const QString& dbaseFileName, const QDateTime& when,
                    const std::optional<FileVersion>& judged) {
    KeptCopy kept;
    const QString folder = ProgramFolder();
    const QString stem = KeptCopyStem(dbaseFileName);
    const QString base =
        stem + QStringLiteral(" - kept ") + when.toString(QStringLiteral("yyyy-MM-dd HH.mm"));
    kept.name = base + QStringLiteral(".mdb");
    for (int n = 2; FileExists(JoinPath(folder, kept.name)) && n < 1000; ++n) {
        kept.name = base + QStringLiteral(" (%1).mdb").arg(n);
    }
    CopyGuard guard;
    guard.source = judged;
    const CopyResult copy = CopyFileSafely(source, JoinPath(folder, kept.name), {}, guard);
    if (!copy.ok) {
        kept.reason = copy.text;
        kept.changedFile = copy.changedFile;
        return kept;
    }
    kept.ok = true;
    kept.fingerprint = FileFingerprint(JoinPath(folder, kept.name));
    return kept;
}

void RememberKeptCopy(const QString& dbaseFileName, const KeptCopy& kept, bool prune) {
    const QString folder = ProgramFolder();
    const QString stem = KeptCopyStem(dbaseFileName);
    QList<KeptEntry> record = ReadKeptRecord(dbaseFileName);
    if (!kept.fingerprint.isEmpty()) {
        // The copies are numbered in the order they are kept here: a clock set back or forward
        // between two copies changes their names, never their order.
        qint64 next = 1;
        for (const KeptEntry& entry : record) {
            next = std::max(next, entry.order + 1);
        }
        record.removeIf([&kept](const KeptEntry& entry) { return entry.name == kept.name; });
        record.append({kept.name, kept.fingerprint, next});
    }
    if (prune) {
        QList<KeptEntry> unchanged;
        for (const KeptEntry& entry : record) {
            const QString path = JoinPath(folder, entry.name);
            // The size first: a copy worked in has mostly grown, and then needs no hash.
            if (entry.order > 0 && entry.name != kept.name && IsKeptCopyName(entry.name, stem) &&
                entry.fingerprint.startsWith(QString::number(QFileInfo(path).size()) + QLatin1Char(':')) &&
                FileFingerprint(path) == entry.fingerprint) {
                unchanged.append(entry);
            }
        }
        std::sort(unchanged.begin(), unchanged.end(),
                  [](const KeptEntry& a, const KeptEntry& b) { return a.order < b.order; });
        for (qsizetype i = 0; i + (kKeptCopiesPerBook - 1) < unchanged.size(); ++i) {
            QFile::remove(JoinPath(folder, unchanged[i].name));
        }
    }
    // Only copies still there stay remembered.
    record.removeIf([&folder](const KeptEntry& entry) { return !FileExists(JoinPath(folder, entry.name)); });
    WriteKeptRecord(dbaseFileName, record);
}
