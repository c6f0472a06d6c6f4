#include "SuppliedDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

bool CreateSuppliedDatabase(const QString& path, QString* error) {
    if (QFileInfo::exists(path)) {
        return true;
    }
    QStringList columns{QStringLiteral("Date TEXT"), QStringLiteral("SchoolDay TEXT")};
    for (int r = 1; r <= 12; ++r) {
        columns << QStringLiteral("Time%1 TEXT").arg(r) << QStringLiteral("Subject%1 TEXT").arg(r)
                << QStringLiteral("Details%1 TEXT").arg(r);
    }
    columns << QStringLiteral("Notes TEXT");
    // Dates are ISO text (yyyy-MM-dd), so ORDER BY and >= compare them as dates.
    const QStringList statements{
        QStringLiteral("CREATE TABLE QLM (%1)").arg(columns.join(QStringLiteral(", "))),
        QStringLiteral("CREATE INDEX QLM_Date ON QLM (Date)"),
        QStringLiteral("INSERT INTO QLM DEFAULT VALUES"),
        QStringLiteral("CREATE TABLE RegKeys (Section TEXT, Key TEXT, Value TEXT)"),
    };
    const QString connection = QStringLiteral("qlm_supply");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        ok = db.open();
        if (!ok && error) {
            *error = db.lastError().text();
        }
        if (ok) {
            QSqlQuery query(db);
            db.transaction();
            for (const QString& statement : statements) {
                if (!query.exec(statement)) {
                    ok = false;
                    if (error) {
                        *error = query.lastError().text();
                    }
                    break;
                }
            }
            ok = ok ? db.commit() : (db.rollback(), false);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!ok) {
        QFile::remove(path);
    }
    return ok;
}
