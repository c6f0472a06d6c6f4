#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;

// A database file that may hold anything (a stick's book, a file someone made), opened only to
// be read. A value is brought into memory only when its record says it is no longer than its
// bound: its size is read from the record's header, never by reading the value, so no row count
// or value length of the file's making grows this program.
class DatabaseReader {
public:
    // What a read came to: done; the file is certainly no database of that form (not SQLite,
    // damaged, or without the table or a column); or it could not be read (an I/O error, a file
    // another program holds, a journal left to roll back), which tells nothing of what it holds.
    enum class Outcome { Read, NoDatabase, Failed };

    explicit DatabaseReader(const QString& path);
    ~DatabaseReader();
    DatabaseReader(const DatabaseReader&) = delete;
    DatabaseReader& operator=(const DatabaseReader&) = delete;

    // Whether the statement compiles against the file's tables and columns.
    Outcome Prepares(const QString& sql);

    // At most maxRows rows of a table, in table order: a value per column, null for a NULL and
    // for a value longer than that column's bound in bytes (then tooLong is set for it).
    struct Value {
        QVariant value;
        bool tooLong = false;
    };
    struct Rows {
        Outcome outcome = Outcome::Failed;
        bool moreRows = false; // the table holds more than maxRows rows
        QList<QList<Value>> rows;
    };
    Rows ReadRows(const QString& table, const QStringList& columns, const QList<qint64>& bounds, int maxRows);

    // What failed last, in SQLite's words.
    QString Error() const { return m_error; }

private:
    Outcome fail(int code);
    QString m_path;
    sqlite3* m_db = nullptr;
    int m_openCode = 0;
    QString m_error;
};
