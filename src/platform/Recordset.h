#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QSqlError>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <optional>
#include <vector>

class QSqlQuery;

// SQLITE_BUSY and SQLITE_LOCKED, with any extended code: another connection holds the file, and
// a later try may work. Never a sign of a damaged file or a missing table.
bool IsBusySqlError(const QSqlError& error);

// What kept a change out of the file, as far as the engine tells: the disk is full, the file or
// its folder cannot be written, the disk failed, another program holds the file, or something
// else (the engine's own words then say what).
enum class StoreFailure { Other, DiskFull, ReadOnly, DiskError, InUse };
StoreFailure StoreFailureOf(const QSqlError& error);

// The user version of a database file, read through a connection of its own that never makes
// a file in place of a missing one (and that rolls back a commit cut short, as any opening does).
// None when the file cannot be read.
std::optional<qint32> ReadUserVersion(const QString& databasePath);

// Whoever shows a cursor's rows and may hold edits of them (the controls bound to it). The
// cursor asks for the edits before it stores or leaves a row, and says when it has moved.
class RecordsetClient {
public:
    virtual ~RecordsetClient() = default;
    virtual void CollectEdits() = 0;
    virtual void CursorMoved() = 0;
};

// A record cursor over one SQLite table or query. Refresh runs the record source and reads the
// result into memory, so counts are exact and moves are cheap; changes go back to the file row
// by row, through the row's identity, when a row is updated or left.
class Recordset : public QObject {
    Q_OBJECT
public:
    enum class CommandType { Text, Table };
    enum class ErrorKind {
        None,
        FileMissing,
        FileUnusable,
        NotADatabase,
        MissingTable,
        QueryFailed,
        Damaged,
        WriteFailed,
        Busy // another program holds the file; a later try may work
    };
    // A row's identity for as long as the rows are not read again: a bookmark.
    using RowKey = quint64;

    // ADO's answers for a position that is not on a row.
    static constexpr int adPosUnknown = -1;
    static constexpr int adPosBOF = -2;
    static constexpr int adPosEOF = -3;

    explicit Recordset(QObject* parent = nullptr);
    // How long a write waits for another program's lock on the file (tests wait less).
    static void SetBusyTimeout(int milliseconds);
    ~Recordset() override;

    void setConnectionString(const QString& connection);
    QString ConnectionString() const { return m_connectionString; }
    // The file named by the connection string's Data Source.
    QString DatabasePath() const { return m_databasePath; }
    // The file is a scratch copy, thrown away unless the work on it ends well: its journal stays
    // in memory and nothing is synced. Set before the file is opened.
    void setScratch(bool scratch) { m_scratch = scratch; }
    void setCommandType(CommandType type) { m_commandType = type; }
    CommandType commandType() const { return m_commandType; }
    void setRecordSource(const QString& source) { m_recordSource = source; }
    QString RecordSource() const { return m_recordSource; }

    // Stores pending changes, reruns the record source and stands on the first row. On failure
    // the cursor is empty and LastError says why.
    bool Refresh();
    // Stores pending changes and lets go of the file.
    void Close();
    bool IsOpen() const { return m_open; }

    ErrorKind LastErrorKind() const { return m_errorKind; }
    QString LastError() const { return m_errorText; }
    // Of the last failure: why the engine refused (Other when it was not the engine), in its own
    // words too, and the row whose change it refused (0: none).
    StoreFailure LastStoreFailure() const { return m_storeFailure; }
    QString LastEngineError() const { return m_engineError; }
    RowKey LastFailedRow() const { return m_failedRow; }

    int RecordCount() const;
    bool AtBOF() const;
    bool AtEOF() const;
    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    bool MovePrevious();
    // Searches from the current row (skipping skipRecords rows) for the first row meeting a
    // criterion "Field op value" (op one of = <> < <= > >=). Lands at EOF (or BOF going
    // backwards) when none does. False when the criterion cannot be read.
    bool Find(const QString& criterion, int skipRecords = 0, bool forward = true);
    QVariant Bookmark() const;
    bool setBookmark(const QVariant& bookmark);
    int AbsolutePosition() const;
    // A new, pending row at the end becomes current; it is stored by Update or when left, and
    // dropped when it is left without a single field written.
    bool AddNew();
    bool Update();
    bool Delete();
    // Stores whatever is pending without a word: the caller says what went wrong.
    bool StorePending();
    bool HasPendingChanges();
    // Forgets every change not yet stored (new rows not stored are dropped).
    void DiscardChanges();
    QVariant Field(const QString& name) const;
    // The field of every row, in the cursor's order, without moving the cursor.
    QVariantList Column(const QString& name) const;
    bool setField(const QString& name, const QVariant& value);
    QStringList FieldNames() const { return m_fieldNames; }
    bool HasCurrentRow() const;

    // Transactions nest; only the outermost commits. A commit that cannot store everything
    // rolls the whole transaction back (LastError says why), and closing the file inside a
    // transaction rolls it back too: half-done work never reaches the file.
    bool BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();
    // While a transaction is open the file may hold half of its work.
    bool InTransaction() const { return m_transactionDepth > 0; }

    // The file's user version: a number of the program's own in the file's header. Set inside a
    // transaction, it is kept or rolled back with it.
    std::optional<qint32> UserVersion();
    bool SetUserVersion(qint32 version);

    // For the controls that show the rows: fields by index, rows by key.
    int FieldIndex(const QString& name) const;
    QVariant FieldAt(int field) const;
    RowKey CurrentKey() const; // 0 when not on a row
    bool RowExists(RowKey key) const;
    QVariant ValueAt(RowKey key, int field) const;
    // Changes one field of a row, to be stored with the row.
    bool SetValueAt(RowKey key, int field, const QVariant& value);
    // Changes whenever the rows are read again (their fields may then stand in another order).
    quint64 Generation() const { return m_generation; }
    void AddClient(RecordsetClient* client);
    void RemoveClient(RecordsetClient* client);

Q_SIGNALS:
    // After every move, Refresh and Find included.
    void MoveComplete();
    // A change could not be stored; the text says what and why. Raised once for each failed
    // store or delete outside a transaction (inside one, its owner reports).
    void WriteFailed(const QString& message);

private:
    struct Row {
        RowKey serial = 0;
        qint64 rowid = -1;
        QVector<QVariant> values;
        QVector<bool> dirty;
        bool isNew = false;
        bool deleted = false;
    };
    struct Criterion;

    Row* rowByKey(RowKey key);
    const Row* rowByKey(RowKey key) const;
    Row* current();
    const Row* current() const;
    std::optional<Criterion> parseCriterion(const QString& text) const;
    bool matches(const Row& row, const Criterion& criterion) const;
    bool storeRow(Row& row);
    bool storeDirtyRows(bool announce);
    void announceWriteFailure();
    void failRead(const QSqlError& error);
    bool leaveRow();
    void collectEdits();
    void moved();
    bool openDatabase();
    void closeDatabase();
    bool loadRows();
    void fail(ErrorKind kind, const QString& text);
    // A failure of the SQL engine: what failed and why, said as "in use" when the file is busy.
    void failSql(ErrorKind kind, const QString& what, const QSqlError& error);
    QString tableName() const;
    int firstLive() const;
    int lastLive() const;
    int nextLive(int from) const;
    int previousLive(int from) const;
    void markDirty(Row& row, int field);

    QString m_connectionString;
    QString m_databasePath;
    QString m_connectionName;
    CommandType m_commandType = CommandType::Text;
    QString m_recordSource;
    bool m_open = false;
    bool m_scratch = false;
    int m_transactionDepth = 0;

    QStringList m_fieldNames;
    QHash<QString, int> m_fieldIndex; // by name as given and in lower case
    std::vector<Row> m_rows;
    int m_pos = 0; // index into m_rows; -1 is BOF, m_rows.size() is EOF
    RowKey m_nextSerial = 1;
    quint64 m_generation = 0;

    QSet<RowKey> m_dirtySerials;         // rows holding changes not yet stored
    std::unique_ptr<QSqlQuery> m_insert; // the prepared insert of new rows
    std::unique_ptr<QSqlQuery> m_delete; // the prepared delete of a row
    std::vector<RecordsetClient*> m_clients;

    ErrorKind m_errorKind = ErrorKind::None;
    QString m_errorText;
    StoreFailure m_storeFailure = StoreFailure::Other;
    QString m_engineError;
    RowKey m_failedRow = 0;
};
