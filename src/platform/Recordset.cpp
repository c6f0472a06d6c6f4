#include "Recordset.h"

#include "DateText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <algorithm>

namespace {
bool IsBusy(const QSqlError& error) {
    return IsBusySqlError(error);
}
int g_connectionCounter = 0;
int g_busyTimeout = 3000;

QString Quoted(const QString& identifier) {
    QString inner = identifier;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

const QString kRowIdColumn = QStringLiteral("qlm_rowid");

bool IsIsoDate(const QString& text) {
    if (text.size() != 10 || text.at(4) != u'-' || text.at(7) != u'-') {
        return false;
    }
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!text.at(i).isDigit()) {
            return false;
        }
    }
    return true;
}

bool HasChanges(const QVector<bool>& dirty) {
    return std::find(dirty.begin(), dirty.end(), true) != dirty.end();
}
} // namespace

struct Recordset::Criterion {
    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };
    int field = -1;
    Op op = Op::Equal;
    QString text;
    QDate date;
    bool isDate = false;
    double number = 0;
    bool isNumber = false;
};

Recordset::Recordset(QObject* parent) : QObject(parent) {
    m_connectionName = QStringLiteral("qlm_data_%1").arg(++g_connectionCounter);
}

void Recordset::SetBusyTimeout(int milliseconds) {
    g_busyTimeout = milliseconds;
}

Recordset::~Recordset() {
    Close();
}

void Recordset::setConnectionString(const QString& connection) {
    // The path runs from "Data Source=" to the next "; Name=" part, so a folder whose name holds
    // a semicolon is still read whole.
    static const QRegularExpression source(QStringLiteral("Data Source\\s*="),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression nextPart(QStringLiteral(";\\s*[A-Za-z][A-Za-z ]*="));
    QString path;
    const QRegularExpressionMatch found = source.match(connection);
    if (found.hasMatch()) {
        const qsizetype start = found.capturedEnd();
        const QRegularExpressionMatch end = nextPart.match(connection, start);
        path = connection.mid(start, end.hasMatch() ? end.capturedStart() - start : -1).trimmed();
    }
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (m_open && path != m_databasePath) {
        Close();
    }
    m_connectionString = connection;
    m_databasePath = path;
}

bool IsBusySqlError(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return error.isValid() && (code == 5 || code == 6);
}

StoreFailure StoreFailureOf(const QSqlError& error) {
    if (!error.isValid()) {
        return StoreFailure::Other;
    }
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 13: // SQLITE_FULL
        return StoreFailure::DiskFull;
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN: the journal cannot be made beside the file
        return StoreFailure::ReadOnly;
    case 10: // SQLITE_IOERR
        return StoreFailure::DiskError;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return StoreFailure::InUse;
    default:
        return StoreFailure::Other;
    }
}

void Recordset::fail(ErrorKind kind, const QString& text) {
    m_errorKind = kind;
    m_errorText = text;
    m_storeFailure = StoreFailure::Other;
    m_engineError.clear();
}

void Recordset::failSql(ErrorKind kind, const QString& what, const QSqlError& error) {
    if (IsBusy(error)) {
        // Another program holds the file: nothing is wrong with it, and a later try can work.
        fail(ErrorKind::Busy,
             what + QStringLiteral("\r\n\r\nThe database file %1 is in use by another program. Close that "
                                   "program or wait until it has finished, then try again.\r\n\r\n%2")
                        .arg(m_databasePath, error.text()));
    } else {
        fail(kind, what + QStringLiteral("\r\n\r\n") + error.text());
    }
    m_storeFailure = StoreFailureOf(error);
    m_engineError = error.text();
}

QString Recordset::tableName() const {
    if (m_commandType == CommandType::Table) {
        return m_recordSource.trimmed();
    }
    static const QRegularExpression from(QStringLiteral("\\bFROM\\s+\\[?(\\w+)\\]?"),
                                         QRegularExpression::CaseInsensitiveOption);
    return from.match(m_recordSource).captured(1);
}

bool Recordset::openDatabase() {
    if (m_open) {
        return true;
    }
    const QFileInfo info(m_databasePath);
    if (m_databasePath.isEmpty() || !info.exists()) {
        fail(ErrorKind::FileMissing,
             QStringLiteral("The database file %1 could not be found.").arg(m_databasePath));
        return false;
    }
    if (!info.isFile() || !info.isReadable() || !info.isWritable()) {
        fail(ErrorKind::FileUnusable,
             QStringLiteral("The database file %1 cannot be read and written. Check that it is a file and "
                            "that it is not read-only.")
                 .arg(m_databasePath));
        return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        // mode=rw: SQLite must never create a file in place of a missing one.
        const QString uri =
            QStringLiteral("file:%1?mode=rw")
                .arg(QString::fromUtf8(QUrl::toPercentEncoding(info.absoluteFilePath(), "/")));
        db.setDatabaseName(uri);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(g_busyTimeout));
        if (!db.open()) {
            const QSqlError reason = db.lastError();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            failSql(ErrorKind::FileUnusable,
                    QStringLiteral("The database file %1 could not be opened.").arg(m_databasePath), reason);
            return false;
        }
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
            const QSqlError reason = probe.lastError();
            probe = QSqlQuery();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            failSql(ErrorKind::NotADatabase,
                    IsBusy(reason)
                        ? QStringLiteral("The database file %1 could not be opened.").arg(m_databasePath)
                        : QStringLiteral("The file %1 is not a database that this program can read.")
                              .arg(m_databasePath),
                    reason);
            return false;
        }
        if (m_scratch) {
            probe.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
            probe.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        }
    }
    m_open = true;
    m_transactionDepth = 0;
    return true;
}

void Recordset::closeDatabase() {
    if (!m_open) {
        return;
    }
    m_insert.reset();
    m_delete.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        // Work left half-done is never made permanent by letting go of the file.
        if (m_transactionDepth > 0) {
            db.rollback();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_open = false;
    m_transactionDepth = 0;
}

bool Recordset::loadRows() {
    // The rows read now may be another table's, with other fields.
    m_insert.reset();
    m_delete.reset();
    if (!openDatabase()) {
        return false;
    }
    const QString table = tableName();
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    // Asked directly: the driver's list of tables comes back empty, not failed, when the file is
    // locked, and a busy file must not read as one without the table.
    QSqlQuery tables(db);
    if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"))) {
        failRead(tables.lastError());
        return false;
    }
    bool found = false;
    while (!table.isEmpty() && !found && tables.next()) {
        found = tables.value(0).toString().compare(table, Qt::CaseInsensitive) == 0;
    }
    if (!found) {
        fail(ErrorKind::MissingTable, QStringLiteral("The database file %1 does not hold the table %2.")
                                          .arg(m_databasePath, table.isEmpty() ? m_recordSource : table));
        return false;
    }
    tables.finish();
    QString sql;
    if (m_commandType == CommandType::Table) {
        sql = QStringLiteral("SELECT rowid AS %1, * FROM %2").arg(kRowIdColumn, Quoted(table));
    } else {
        // The source runs as written; only the rows' identity is asked for as well, so that
        // changes can go back to the right row.
        static const QRegularExpression select(QStringLiteral("^\\s*SELECT\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = select.match(m_recordSource);
        if (!match.hasMatch()) {
            fail(ErrorKind::QueryFailed,
                 QStringLiteral("The record source is not a query: %1").arg(m_recordSource));
            return false;
        }
        sql = m_recordSource;
        sql.insert(match.capturedEnd(), QStringLiteral("%1.rowid AS %2, ").arg(table, kRowIdColumn));
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        failRead(query.lastError());
        return false;
    }
    const QSqlRecord record = query.record();
    const int columns = record.count();
    for (int c = 1; c < columns; ++c) {
        QString name = record.fieldName(c);
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0) {
            name = name.mid(dot + 1);
        }
        m_fieldIndex.insert(name, static_cast<int>(m_fieldNames.size()));
        m_fieldIndex.insert(name.toLower(), static_cast<int>(m_fieldNames.size()));
        m_fieldNames.append(name);
    }
    while (query.next()) {
        Row row;
        row.serial = m_nextSerial++;
        row.rowid = query.value(0).toLongLong();
        row.values.resize(columns - 1);
        row.dirty.fill(false, columns - 1);
        for (int c = 1; c < columns; ++c) {
            row.values[c - 1] = query.value(c);
        }
        m_rows.push_back(std::move(row));
    }
    // A read that stopped with an error is not the whole table: nothing of it is used, and
    // nothing is written into the file.
    if (query.lastError().isValid()) {
        failRead(query.lastError());
        query = QSqlQuery();
        m_rows.clear();
        closeDatabase();
        return false;
    }
    return true;
}

void Recordset::failRead(const QSqlError& error) {
    // SQLITE_CORRUPT and SQLITE_NOTADB: the file itself is damaged.
    const int code = error.nativeErrorCode().toInt() & 0xff;
    if (IsBusy(error)) {
        failSql(ErrorKind::Busy, QStringLiteral("The records of %1 could not be read.").arg(m_databasePath),
                error);
    } else if (code == 11 || code == 26) {
        fail(ErrorKind::Damaged,
             QStringLiteral("The database file %1 is damaged and cannot be read. It has been "
                            "left as it is; open a copy of it, or the Pack To Go copy.\r\n\r\n%2")
                 .arg(m_databasePath, error.text()));
    } else {
        fail(ErrorKind::QueryFailed, QStringLiteral("The records of %1 could not be read.\r\n\r\n%2")
                                         .arg(m_databasePath, error.text()));
    }
}

bool Recordset::Refresh() {
    if (m_open) {
        leaveRow();
    }
    m_errorKind = ErrorKind::None;
    m_errorText.clear();
    m_rows.clear();
    m_dirtySerials.clear();
    m_fieldNames.clear();
    m_fieldIndex.clear();
    ++m_generation;
    const bool ok = loadRows();
    m_pos = 0;
    moved();
    return ok;
}

void Recordset::Close() {
    if (m_open) {
        leaveRow();
    }
    closeDatabase();
    m_rows.clear();
    m_dirtySerials.clear();
    m_pos = 0;
    for (RecordsetClient* client : m_clients) {
        client->CursorMoved();
    }
}

int Recordset::RecordCount() const {
    return static_cast<int>(
        std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return !r.deleted; }));
}

int Recordset::firstLive() const {
    return nextLive(-1);
}

int Recordset::lastLive() const {
    return previousLive(static_cast<int>(m_rows.size()));
}

int Recordset::nextLive(int from) const {
    const int size = static_cast<int>(m_rows.size());
    int i = from + 1;
    while (i < size && m_rows[static_cast<size_t>(i)].deleted) {
        ++i;
    }
    return i;
}

int Recordset::previousLive(int from) const {
    int i = from - 1;
    while (i >= 0 && m_rows[static_cast<size_t>(i)].deleted) {
        --i;
    }
    return i;
}

bool Recordset::AtBOF() const {
    return m_pos < 0 || firstLive() >= static_cast<int>(m_rows.size());
}

bool Recordset::AtEOF() const {
    return m_pos >= static_cast<int>(m_rows.size()) || firstLive() >= static_cast<int>(m_rows.size());
}

bool Recordset::HasCurrentRow() const {
    const Row* row = current();
    return row && !row->deleted;
}

Recordset::Row* Recordset::current() {
    if (m_pos < 0 || m_pos >= static_cast<int>(m_rows.size())) {
        return nullptr;
    }
    return &m_rows[static_cast<size_t>(m_pos)];
}

const Recordset::Row* Recordset::current() const {
    return const_cast<Recordset*>(this)->current();
}

Recordset::Row* Recordset::rowByKey(RowKey key) {
    // Keys grow with the position of the row, so the rows are sorted by them.
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), key,
                               [](const Row& row, RowKey k) { return row.serial < k; });
    return it != m_rows.end() && it->serial == key ? &*it : nullptr;
}

const Recordset::Row* Recordset::rowByKey(RowKey key) const {
    return const_cast<Recordset*>(this)->rowByKey(key);
}

void Recordset::moved() {
    for (RecordsetClient* client : m_clients) {
        client->CursorMoved();
    }
    Q_EMIT MoveComplete();
}

bool Recordset::MoveFirst() {
    leaveRow();
    m_pos = firstLive();
    moved();
    return HasCurrentRow();
}

bool Recordset::MoveLast() {
    leaveRow();
    const int last = lastLive();
    m_pos = last < 0 ? static_cast<int>(m_rows.size()) : last;
    moved();
    return HasCurrentRow();
}

bool Recordset::MoveNext() {
    if (AtEOF()) {
        return false;
    }
    leaveRow();
    m_pos = nextLive(m_pos);
    moved();
    return true;
}

bool Recordset::MovePrevious() {
    if (AtBOF()) {
        return false;
    }
    leaveRow();
    m_pos = previousLive(m_pos);
    moved();
    return true;
}

int Recordset::FieldIndex(const QString& name) const {
    // Called on every move for the entry texts, so the lookup is by hash.
    auto it = m_fieldIndex.constFind(name);
    if (it == m_fieldIndex.constEnd()) {
        it = m_fieldIndex.constFind(name.toLower());
    }
    return it == m_fieldIndex.constEnd() ? -1 : it.value();
}

std::optional<Recordset::Criterion> Recordset::parseCriterion(const QString& text) const {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*\\[?(\\w+)\\]?\\s*(>=|<=|<>|=|<|>)\\s*(.*?)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    Criterion wanted;
    wanted.field = FieldIndex(match.captured(1));
    if (wanted.field < 0) {
        return std::nullopt;
    }
    using Op = Criterion::Op;
    const QString op = match.captured(2);
    wanted.op = op == QLatin1String("=")    ? Op::Equal
                : op == QLatin1String("<>") ? Op::NotEqual
                : op == QLatin1String("<")  ? Op::Less
                : op == QLatin1String("<=") ? Op::LessOrEqual
                : op == QLatin1String(">")  ? Op::Greater
                                            : Op::GreaterOrEqual;
    QString value = match.captured(3);
    if (value.size() >= 2 && ((value.startsWith(QLatin1Char('#')) && value.endsWith(QLatin1Char('#'))) ||
                              (value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\''))))) {
        value = value.mid(1, value.size() - 2);
    }
    wanted.date = TextToDate(value, &wanted.isDate);
    wanted.text = !wanted.isDate || IsIsoDate(value) ? value : DateToText(wanted.date);
    if (!wanted.isDate) {
        wanted.number = value.toDouble(&wanted.isNumber);
    }
    return wanted;
}

bool Recordset::matches(const Row& row, const Criterion& criterion) const {
    const QVariant& stored = row.values[criterion.field];
    if (stored.isNull()) {
        return false; // a missing value meets no criterion
    }
    const QString text = stored.toString();
    int order = 0;
    if (criterion.isDate) {
        if (IsIsoDate(text)) {
            // Stored dates are yyyy-MM-dd: as text they order as dates, without parsing.
            order = text.compare(criterion.text);
        } else {
            bool ok = false;
            const QDate date = TextToDate(text, &ok);
            if (!ok) {
                return false;
            }
            order = date < criterion.date ? -1 : (date > criterion.date ? 1 : 0);
        }
    } else {
        bool isNumber = false;
        const double number = criterion.isNumber ? text.toDouble(&isNumber) : 0.0;
        if (isNumber) {
            order = number < criterion.number ? -1 : (number > criterion.number ? 1 : 0);
        } else {
            order = text.compare(criterion.text, Qt::CaseInsensitive);
        }
    }
    using Op = Criterion::Op;
    switch (criterion.op) {
    case Op::Equal:
        return order == 0;
    case Op::NotEqual:
        return order != 0;
    case Op::Less:
        return order < 0;
    case Op::LessOrEqual:
        return order <= 0;
    case Op::Greater:
        return order > 0;
    case Op::GreaterOrEqual:
        return order >= 0;
    }
    return false;
}

bool Recordset::Find(const QString& criterion, int skipRecords, bool forward) {
    const std::optional<Criterion> wanted = parseCriterion(criterion);
    if (!wanted) {
        return false;
    }
    leaveRow();
    // One walk for both directions; `end` is EOF going forward and BOF going back.
    const int size = static_cast<int>(m_rows.size());
    const int end = forward ? size : -1;
    auto step = [&](int i) { return forward ? nextLive(i) : previousLive(i); };
    int i = m_pos;
    if (forward ? i < 0 : i >= size) {
        i = forward ? firstLive() : lastLive();
    } else if (i != end && m_rows[static_cast<size_t>(i)].deleted) {
        i = step(i);
    }
    for (int s = 0; s < skipRecords && i != end; ++s) {
        i = step(i);
    }
    while (i != end && !matches(m_rows[static_cast<size_t>(i)], *wanted)) {
        i = step(i);
    }
    m_pos = i;
    moved();
    return true;
}

Recordset::RowKey Recordset::CurrentKey() const {
    const Row* row = current();
    return row && !row->deleted ? row->serial : 0;
}

QVariant Recordset::Bookmark() const {
    const Row* row = current();
    return row ? QVariant::fromValue(row->serial) : QVariant();
}

bool Recordset::setBookmark(const QVariant& bookmark) {
    const Row* target = bookmark.isValid() ? rowByKey(bookmark.value<RowKey>()) : nullptr;
    if (!target || target->deleted) {
        return false;
    }
    leaveRow();
    m_pos = static_cast<int>(target - m_rows.data());
    moved();
    return true;
}

int Recordset::AbsolutePosition() const {
    if (RecordCount() == 0) {
        return adPosUnknown;
    }
    if (m_pos < 0) {
        return adPosBOF;
    }
    if (m_pos >= static_cast<int>(m_rows.size())) {
        return adPosEOF;
    }
    int position = 1;
    for (int i = 0; i < m_pos; ++i) {
        position += m_rows[static_cast<size_t>(i)].deleted ? 0 : 1;
    }
    return position;
}

bool Recordset::AddNew() {
    if (!m_open || m_fieldNames.isEmpty()) {
        return false;
    }
    leaveRow();
    Row row;
    row.serial = m_nextSerial++;
    row.isNew = true;
    row.values.resize(m_fieldNames.size());
    row.dirty.fill(false, m_fieldNames.size());
    m_rows.push_back(std::move(row));
    m_pos = static_cast<int>(m_rows.size()) - 1;
    moved();
    return true;
}

bool Recordset::Update() {
    collectEdits();
    Row* row = current();
    if (row && !row->deleted && row->isNew) {
        // An explicit Update stores a new row even when nothing was written into it.
        m_dirtySerials.insert(row->serial);
        row->dirty.fill(true);
    }
    return storeDirtyRows(true);
}

bool Recordset::StorePending() {
    collectEdits();
    return storeDirtyRows(false);
}

bool Recordset::HasPendingChanges() {
    collectEdits();
    return std::any_of(m_dirtySerials.begin(), m_dirtySerials.end(), [this](RowKey key) {
        const Row* row = rowByKey(key);
        return row && !row->deleted && HasChanges(row->dirty);
    });
}

void Recordset::DiscardChanges() {
    collectEdits();
    for (RowKey key : std::as_const(m_dirtySerials)) {
        if (Row* row = rowByKey(key)) {
            row->deleted = row->deleted || row->isNew;
            std::fill(row->dirty.begin(), row->dirty.end(), false);
        }
    }
    m_dirtySerials.clear();
}

bool Recordset::Delete() {
    Row* row = current();
    if (!row || row->deleted) {
        return false;
    }
    if (!row->isNew) {
        // Emptying a year deletes every row: the statement is prepared once.
        if (!m_delete) {
            m_delete = std::make_unique<QSqlQuery>(QSqlDatabase::database(m_connectionName, false));
            m_delete->prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Quoted(tableName())));
        }
        m_delete->bindValue(0, row->rowid);
        if (!m_open || !m_delete->exec()) {
            const QString what = QStringLiteral("A record could not be deleted from %1.").arg(m_databasePath);
            if (m_open) {
                failSql(ErrorKind::WriteFailed, what, m_delete->lastError());
            } else {
                fail(ErrorKind::WriteFailed, what + QStringLiteral("\r\n\r\nThe database is closed."));
            }
            m_delete.reset();
            m_failedRow = row->serial;
            announceWriteFailure();
            return false;
        }
    }
    row->deleted = true;
    std::fill(row->dirty.begin(), row->dirty.end(), false);
    return true;
}

QVariant Recordset::Field(const QString& name) const {
    return FieldAt(FieldIndex(name));
}

QVariantList Recordset::Column(const QString& name) const {
    QVariantList values;
    const int field = FieldIndex(name);
    if (field < 0) {
        return values;
    }
    for (const Row& row : m_rows) {
        if (!row.deleted && field < row.values.size()) {
            values << row.values[field];
        }
    }
    return values;
}

QVariant Recordset::FieldAt(int field) const {
    const Row* row = current();
    if (!row || field < 0 || field >= row->values.size()) {
        return QVariant();
    }
    return row->values[field];
}

bool Recordset::setField(const QString& name, const QVariant& value) {
    collectEdits();
    if (!SetValueAt(CurrentKey(), FieldIndex(name), value)) {
        return false;
    }
    // Whoever shows this row must show the new value.
    for (RecordsetClient* client : m_clients) {
        client->CursorMoved();
    }
    return true;
}

bool Recordset::RowExists(RowKey key) const {
    const Row* row = key != 0 ? rowByKey(key) : nullptr;
    return row && !row->deleted;
}

QVariant Recordset::ValueAt(RowKey key, int field) const {
    const Row* row = key != 0 ? rowByKey(key) : nullptr;
    if (!row || row->deleted || field < 0 || field >= row->values.size()) {
        return QVariant();
    }
    return row->values[field];
}

bool Recordset::SetValueAt(RowKey key, int field, const QVariant& value) {
    Row* row = key != 0 ? rowByKey(key) : nullptr;
    if (!row || row->deleted || field < 0 || field >= row->values.size()) {
        return false;
    }
    row->values[field] = value.typeId() == QMetaType::QDate ? QVariant(DateToText(value.toDate())) : value;
    markDirty(*row, field);
    return true;
}

void Recordset::AddClient(RecordsetClient* client) {
    if (std::find(m_clients.begin(), m_clients.end(), client) == m_clients.end()) {
        m_clients.push_back(client);
    }
}

void Recordset::RemoveClient(RecordsetClient* client) {
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), client), m_clients.end());
}

bool Recordset::storeRow(Row& row) {
    if (row.deleted) {
        return true;
    }
    if (!m_open) {
        fail(ErrorKind::WriteFailed,
             QStringLiteral("Changes to the record could not be saved in %1.\r\n\r\nThe "
                            "database is closed.")
                 .arg(m_databasePath));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const QString table = Quoted(tableName());
    QSqlQuery update(db);
    QSqlQuery* query = &update;
    if (row.isNew) {
        // A school year is written a row at a time: the insert is prepared once for the rows as
        // they were read.
        if (!m_insert) {
            QStringList columns;
            QStringList marks;
            for (const QString& name : m_fieldNames) {
                columns << Quoted(name);
                marks << QStringLiteral("?");
            }
            m_insert = std::make_unique<QSqlQuery>(db);
            m_insert->prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        }
        query = m_insert.get();
        for (int f = 0; f < row.values.size(); ++f) {
            query->bindValue(f, row.values[f]);
        }
    } else {
        QStringList sets;
        QVector<QVariant> values;
        for (int f = 0; f < m_fieldNames.size(); ++f) {
            if (row.dirty[f]) {
                sets << Quoted(m_fieldNames[f]) + QStringLiteral(" = ?");
                values << row.values[f];
            }
        }
        if (sets.isEmpty()) {
            return true;
        }
        update.prepare(
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table, sets.join(QLatin1Char(','))));
        for (const QVariant& value : values) {
            update.addBindValue(value);
        }
        update.addBindValue(row.rowid);
    }
    if (!query->exec()) {
        failSql(ErrorKind::WriteFailed,
                QStringLiteral("Changes to the record could not be saved in %1.").arg(m_databasePath),
                query->lastError());
        m_insert.reset(); // prepared again next time: the table may have changed meanwhile
        return false;
    }
    if (row.isNew) {
        row.rowid = query->lastInsertId().toLongLong();
        row.isNew = false;
    }
    std::fill(row.dirty.begin(), row.dirty.end(), false);
    return true;
}

void Recordset::markDirty(Row& row, int field) {
    row.dirty[field] = true;
    m_dirtySerials.insert(row.serial);
}

void Recordset::announceWriteFailure() {
    // Inside a transaction its owner reports, once, when it rolls back.
    if (m_transactionDepth == 0) {
        Q_EMIT WriteFailed(m_errorText);
    }
}

bool Recordset::storeDirtyRows(bool announce) {
    if (m_dirtySerials.isEmpty()) {
        return true;
    }
    // Rows are stored in their order in the cursor, so new rows keep their order in the file.
    QList<RowKey> serials = m_dirtySerials.values();
    std::sort(serials.begin(), serials.end());
    std::vector<Row*> rows;
    for (RowKey serial : serials) {
        Row* row = rowByKey(serial);
        if (!row || row->deleted || !HasChanges(row->dirty)) {
            m_dirtySerials.remove(serial);
        } else {
            rows.push_back(row);
        }
    }
    if (rows.empty()) {
        return true;
    }
    // Several rows reach the file together or not at all; what fails stays pending, to be
    // stored at the next try.
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const bool batch = rows.size() > 1 && m_transactionDepth == 0 && m_open;
    struct Before {
        Row* row;
        QVector<bool> dirty;
        bool isNew;
        qint64 rowid;
    };
    std::vector<Before> stored;
    auto undo = [&stored] {
        for (const Before& before : stored) {
            before.row->dirty = before.dirty;
            before.row->isNew = before.isNew;
            before.row->rowid = before.rowid;
        }
    };
    bool ok = !batch || db.transaction();
    if (!ok) {
        failSql(ErrorKind::WriteFailed,
                QStringLiteral("Changes to the records could not be saved in %1.").arg(m_databasePath),
                db.lastError());
    }
    // The row whose change was refused; the first, when none of them could be tried.
    m_failedRow = rows.front()->serial;
    for (size_t i = 0; ok && i < rows.size(); ++i) {
        const Before before{rows[i], rows[i]->dirty, rows[i]->isNew, rows[i]->rowid};
        m_failedRow = rows[i]->serial;
        ok = storeRow(*rows[i]);
        if (ok) {
            stored.push_back(before);
        }
    }
    if (ok && batch && !db.commit()) {
        ok = false;
        failSql(ErrorKind::WriteFailed,
                QStringLiteral("Changes to the records could not be saved in %1.").arg(m_databasePath),
                db.lastError());
    }
    if (!ok) {
        if (batch) {
            db.rollback();
            undo();
        }
        if (announce) {
            announceWriteFailure();
        }
        return false;
    }
    for (Row* row : rows) {
        m_dirtySerials.remove(row->serial);
    }
    return true;
}

void Recordset::collectEdits() {
    for (RecordsetClient* client : m_clients) {
        client->CollectEdits();
    }
}

bool Recordset::leaveRow() {
    collectEdits();
    Row* row = current();
    if (row && row->isNew && !row->deleted && !HasChanges(row->dirty)) {
        row->deleted = true; // a new row left untouched is not stored
    }
    return storeDirtyRows(true);
}

bool Recordset::BeginTrans() {
    if (!openDatabase()) {
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (m_transactionDepth == 0 && !db.transaction()) {
        failSql(ErrorKind::WriteFailed,
                QStringLiteral("The changes could not be saved in %1.").arg(m_databasePath), db.lastError());
        return false;
    }
    ++m_transactionDepth;
    return true;
}

bool Recordset::CommitTrans() {
    if (m_transactionDepth == 0) {
        return false;
    }
    collectEdits();
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    bool stored = storeDirtyRows(false);
    if (stored && m_transactionDepth == 1 && !db.commit()) {
        stored = false;
        failSql(ErrorKind::WriteFailed,
                QStringLiteral("The changes could not be saved in %1.").arg(m_databasePath), db.lastError());
    }
    if (!stored) {
        // Part of the work could not be stored: none of it is, at whatever depth. The reason
        // outlives the rows being read again.
        const ErrorKind kind = m_errorKind;
        const QString reason = m_errorText;
        const StoreFailure cause = m_storeFailure;
        const QString engine = m_engineError;
        RollbackTrans();
        fail(kind, reason);
        m_storeFailure = cause;
        m_engineError = engine;
        return false;
    }
    --m_transactionDepth;
    return true;
}

bool Recordset::RollbackTrans() {
    if (m_transactionDepth == 0) {
        return false;
    }
    m_transactionDepth = 0;
    const bool ok = QSqlDatabase::database(m_connectionName, false).rollback();
    // What was in memory no longer matches the file: read it again, dropping unsaved edits.
    collectEdits();
    for (Row& row : m_rows) {
        row.deleted = true;
    }
    m_dirtySerials.clear();
    Refresh();
    return ok;
}

std::optional<qint32> Recordset::UserVersion() {
    if (!openDatabase()) {
        return std::nullopt;
    }
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        failSql(ErrorKind::QueryFailed, QStringLiteral("%1 could not be read.").arg(m_databasePath),
                query.lastError());
        return std::nullopt;
    }
    return query.value(0).toInt();
}

bool Recordset::SetUserVersion(qint32 version) {
    if (!openDatabase()) {
        return false;
    }
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version))) {
        failSql(ErrorKind::WriteFailed,
                QStringLiteral("The changes could not be saved in %1.").arg(m_databasePath),
                query.lastError());
        return false;
    }
    return true;
}

std::optional<qint32> ReadUserVersion(const QString& databasePath) {
    const QString name = QStringLiteral("qlm_user_version");
    std::optional<qint32> version;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral("file:%1?mode=rw")
                               .arg(QString::fromUtf8(QUrl::toPercentEncoding(
                                   QFileInfo(databasePath).absoluteFilePath(), "/"))));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(g_busyTimeout));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next()) {
                version = query.value(0).toInt();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return version;
}
