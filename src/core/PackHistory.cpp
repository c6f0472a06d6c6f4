#include "PackHistory.h"

#include "platform/FileCopy.h"
#include "platform/ProgramFolder.h"
#include "platform/RemovableDrives.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUrl>

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("PackToGo");

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

// The file names of one book's kept copies in a folder, oldest first by when they were kept.
QFileInfoList KeptCopies(const QString& folder, const QString& stem) {
    QFileInfoList copies;
    const QString prefix = stem + QStringLiteral(" - kept ");
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString name = info.fileName();
        if (name.startsWith(prefix) && name.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive) &&
            !name.mid(prefix.size()).contains(QLatin1String(" - kept "))) {
            copies.append(info);
        }
    }
    std::sort(copies.begin(), copies.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.metadataChangeTime() < b.metadataChangeTime();
    });
    return copies;
}
} // namespace

ExchangeRecord ReadExchangeRecord(const QString& dbaseFileName) {
    ExchangeRecord record;
    const QStringList legacy = ReadText(kSection, BookKey(dbaseFileName)).split(QLatin1Char('|'));
    record.legacyLast = legacy.value(0);
    record.legacyStarted = legacy.value(1);
    record.book = ReadText(kSection, Key(dbaseFileName, "Book")).trimmed();
    record.history = SplitList(ReadText(kSection, Key(dbaseFileName, "History")));
    record.local = ReadText(kSection, Key(dbaseFileName, "Local")).trimmed();
    record.drive = ReadText(kSection, Key(dbaseFileName, "Drive")).trimmed();
    const QStringList pending = ReadText(kSection, Key(dbaseFileName, "Pending")).split(QLatin1Char('|'));
    record.pending = pending.value(0).trimmed();
    record.pendingLocal = pending.value(1).trimmed();
    record.pendingDrive = pending.value(2).trimmed();
    record.taking = ReadText(kSection, Key(dbaseFileName, "Taking")).trimmed();
    // A record cut short by a hand is no record: without a history there is nothing to follow.
    if (record.history.isEmpty()) {
        record.book.clear();
    }
    return record;
}

bool WriteExchangeRecord(const QString& dbaseFileName, const ExchangeRecord& record) {
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
        {Key(dbaseFileName, "Taking"), record.taking},
    };
    SettingsStore::BeginBatch();
    for (const auto& [key, value] : values) {
        if (ReadText(kSection, key) != value) {
            SaveText(kSection, key, value);
        }
    }
    return SettingsStore::EndBatch();
}

QStringList BooksBeingTaken() {
    QStringList names;
    for (const auto& [key, value] : GetAllSettings(AppKey, kSection)) {
        if (key.endsWith(QLatin1String(" Taking"), Qt::CaseInsensitive) && !value.trimmed().isEmpty()) {
            names << QLatin1Char('\\') + QUrl::fromPercentEncoding(key.chopped(7).toLatin1());
        }
    }
    return names;
}

BookState JudgeExchange(const QString& local, const QString& drive, const BookHistory& onDrive,
                        const ExchangeRecord& remembered) {
    if (drive.isEmpty()) {
        return BookState::NothingRemembered;
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
        if (at == onDrive.exchanges.size() - 1 && (remembered.drive.isEmpty() || drive == remembered.drive)) {
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
    if (drive == last || (!remembered.legacyStarted.isEmpty() && drive == remembered.legacyStarted)) {
        return BookState::DriveKnown;
    }
    if (last.isEmpty()) {
        return BookState::NothingRemembered;
    }
    return local == last ? BookState::DriveNewer : BookState::Conflict;
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
    record.pending.clear();
    record.pendingLocal.clear();
    record.pendingDrive.clear();
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
    // The newest few stay; the one just kept always does, whatever the clock says.
    QFileInfoList copies = KeptCopies(folder, stem);
    copies.erase(std::remove_if(copies.begin(), copies.end(),
                                [&kept](const QFileInfo& info) { return info.fileName() == kept.name; }),
                 copies.end());
    for (qsizetype i = 0; i + (kKeptCopiesPerBook - 1) < copies.size(); ++i) {
        QFile::remove(copies[i].absoluteFilePath());
    }
    return kept;
}
