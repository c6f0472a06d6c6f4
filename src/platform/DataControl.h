#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <vector>

class BoundControl;

// A record cursor over one SQLite table or query, with controls bound to its fields: the data
// control of the day page. Refresh runs the record source and reads the result into memory, so
// counts are exact and moves are cheap; changes go back to the file row by row, through the
// row's identity, when a row is updated or left.
class DataControl : public QObject {
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
        WriteFailed
    };

    // ADO's answers for a position that is not on a row.
    static constexpr int adPosUnknown = -1;
    static constexpr int adPosBOF = -2;
    static constexpr int adPosEOF = -3;

    explicit DataControl(QObject* parent = nullptr);
    ~DataControl() override;

    void setConnectionString(const QString& connection);
    QString ConnectionString() const { return m_connectionString; }
    // The file named by the connection string's Data Source.
    QString DatabasePath() const { return m_databasePath; }
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

    // The recordset.
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
    QVariant Field(const QString& name) const;
    // The current row's value of the field a control is bound to (as stored, not as edited).
    QVariant BoundField(const BoundControl* control) const;
    bool setField(const QString& name, const QVariant& value);
    QStringList FieldNames() const { return m_fieldNames; }
    bool HasCurrentRow() const;

    bool BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();

    // Binds a control to a field. display turns the stored value into the control's text;
    // parse turns an edited text back into the value to store.
    void Bind(BoundControl* control, const QString& field);
    void Bind(BoundControl* control, const QString& field, std::function<QString(const QVariant&)> display,
              std::function<QVariant(const QString&)> parse);
    void Unbind(BoundControl* control);
    // Brings every bound control up to the current row now (otherwise it happens when the
    // event loop next runs, or when a control is read or painted).
    void RefreshBoundControls();

Q_SIGNALS:
    // After every move, Refresh and Find included.
    void MoveComplete();
    // A change could not be stored; the text says what and why.
    void WriteFailed(const QString& message);

private:
    struct Row {
        quint64 serial = 0;
        qint64 rowid = -1;
        QVector<QVariant> values;
        QVector<bool> dirty;
        bool isNew = false;
        bool deleted = false;
    };
    struct Binding {
        BoundControl* control = nullptr;
        int field = -1;
        quint64 shownSerial = 0; // the row whose value the control shows; 0 = none
        QString shownText;       // the control's text as it was filled in
        bool stale = true;
    };

    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };
    struct Criterion {
        int field = -1;
        Op op = Op::Equal;
        QString text;
        QDate date;
        bool isDate = false;
        double number = 0;
        bool isNumber = false;
    };

    friend class BoundControl;
    void ensureBinding(BoundControl* control);
    void refreshBinding(Binding& binding);
    void harvest(Binding& binding);
    void harvestAll();
    Row* rowBySerial(quint64 serial);
    Row* current();
    const Row* current() const;
    int fieldIndex(const QString& name) const;
    bool storeRow(Row& row);
    bool storeDirtyRows();
    bool leaveRow();
    void moved();
    void markBindingsStale();
    bool openDatabase();
    void closeDatabase();
    void fail(ErrorKind kind, const QString& text);
    QString tableName() const;
    int firstLive() const;
    int lastLive() const;
    int nextLive(int from) const;
    int previousLive(int from) const;
    bool matches(const Row& row, const Criterion& criterion) const;
    void markDirty(Row& row, int field);

    QString m_connectionString;
    QString m_databasePath;
    QString m_connectionName;
    CommandType m_commandType = CommandType::Text;
    QString m_recordSource;
    bool m_open = false;
    int m_transactionDepth = 0;

    QStringList m_fieldNames;
    QHash<QString, int> m_fieldIndex; // by name as given and in lower case
    std::vector<Row> m_rows;
    int m_pos = 0; // index into m_rows; -1 is BOF, m_rows.size() is EOF
    quint64 m_nextSerial = 1;

    QSet<quint64> m_dirtySerials; // rows holding changes not yet stored
    std::vector<Binding> m_bindings;
    bool m_flushQueued = false;

    ErrorKind m_errorKind = ErrorKind::None;
    QString m_errorText;
};
