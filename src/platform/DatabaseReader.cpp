#include "DatabaseReader.h"

#include <QFile>

#include <sqlite3.h>

namespace {
QString Quoted(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A statement that finalizes itself.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql) {
        const QByteArray text = sql.toUtf8();
        m_code = db ? sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_statement, nullptr)
                    : SQLITE_CANTOPEN;
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    int code() const { return m_code; }
    sqlite3_stmt* get() const { return m_statement; }

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_code = SQLITE_OK;
};

QVariant ColumnValue(sqlite3_stmt* statement) {
    switch (sqlite3_column_type(statement, 0)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(statement, 0)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, 0));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(statement, 0)));
    }
    }
}
} // namespace

DatabaseReader::DatabaseReader(const QString& path) : m_path(path) {
    // Read-only: a missing file is not made, and nothing of this file is ever written.
    m_openCode = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
    if (m_openCode != SQLITE_OK) {
        m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
    } else {
        sqlite3_extended_result_codes(m_db, 1);
    }
}

DatabaseReader::~DatabaseReader() {
    sqlite3_close(m_db);
}

DatabaseReader::Outcome DatabaseReader::fail(int code) {
    if (m_db && code != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    }
    // SQLite's own words ("attempt to write a readonly database") would puzzle a teacher.
    if (code == SQLITE_READONLY_ROLLBACK) {
        m_error = QStringLiteral("a program writing to it was cut short, and left a journal beside it "
                                 "(its name ends in \"-journal\") that only that program may roll back");
    }
    switch (code & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
    case SQLITE_ERROR: // no such table or column, a schema that is no book's
        return Outcome::NoDatabase;
    default:
        return Outcome::Failed;
    }
}

DatabaseReader::Outcome DatabaseReader::Prepares(const QString& sql) {
    if (!m_db) {
        return fail(m_openCode);
    }
    const Statement statement(m_db, sql);
    return statement.code() == SQLITE_OK ? Outcome::Read : fail(statement.code());
}

DatabaseReader::Rows DatabaseReader::ReadRows(const QString& table, const QStringList& columns,
                                              const QList<qint64>& bounds, int maxRows) {
    Rows result;
    if (!m_db) {
        result.outcome = fail(m_openCode);
        return result;
    }
    // Which rows there are, by rowid alone: no value is read for it.
    QList<sqlite3_int64> rowids;
    {
        const Statement ids(
            m_db, QStringLiteral("SELECT rowid FROM %1 LIMIT %2").arg(Quoted(table)).arg(maxRows + 1));
        if (ids.code() != SQLITE_OK) {
            result.outcome = fail(ids.code());
            return result;
        }
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(ids.get())) == SQLITE_ROW) {
            rowids.append(sqlite3_column_int64(ids.get(), 0));
        }
        if (step != SQLITE_DONE) {
            result.outcome = fail(step);
            return result;
        }
    }
    result.moreRows = rowids.size() > maxRows;
    rowids.resize(std::min<qsizetype>(rowids.size(), maxRows));

    const QByteArray tableName = table.toUtf8();
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const Statement value(
            m_db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(Quoted(columns[c]), Quoted(table)));
        if (value.code() != SQLITE_OK) {
            result.outcome = fail(value.code());
            return result;
        }
        const QByteArray columnName = columns[c].toUtf8();
        for (qsizetype r = 0; r < rowids.size(); ++r) {
            if (c == 0) {
                result.rows.append(QList<Value>(columns.size()));
            }
            Value& cell = result.rows[r][c];
            // The size of a text or blob comes from the record's header: opening the value as a
            // blob reads no more. Numbers and NULLs cannot be opened, and are small.
            sqlite3_blob* blob = nullptr;
            const int opened = sqlite3_blob_open(m_db, "main", tableName.constData(), columnName.constData(),
                                                 rowids[r], 0, &blob);
            const qint64 size = opened == SQLITE_OK ? sqlite3_blob_bytes(blob) : 0;
            sqlite3_blob_close(blob);
            if (opened != SQLITE_OK &&
                !QByteArray(sqlite3_errmsg(m_db)).startsWith("cannot open value of type")) {
                result.outcome = fail(opened);
                return result;
            }
            if (size > bounds.value(c)) {
                cell.tooLong = true;
                continue;
            }
            sqlite3_reset(value.get());
            sqlite3_bind_int64(value.get(), 1, rowids[r]);
            const int step = sqlite3_step(value.get());
            if (step == SQLITE_ROW) {
                cell.value = ColumnValue(value.get());
            } else if (step != SQLITE_DONE) {
                result.outcome = fail(step);
                return result;
            }
        }
    }
    result.outcome = Outcome::Read;
    return result;
}
