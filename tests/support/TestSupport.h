#pragma once

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// Every test case runs in its own program folder (with a fresh copy of the supplied database)
// and its own settings folder, with messages answered from a queue and a fixed "today".
class TestEnvironment {
public:
    explicit TestEnvironment(const QDate& today = QDate(2026, 10, 14));
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    // The interface's tests add what the windows need before and after each case.
    static bool SetInterfaceHooks(void (*setUp)(), void (*tearDown)());

    QString ProgramFolder() const;
    QString DatabasePath() const;
    QString SettingsFile() const;
    bool IsValid() const { return m_valid; }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// A school year written straight into the database and the settings, as the set-up would leave
// it: terms, holidays, the cycle, one or two teachers and a timetable.
struct YearPlan {
    QList<QPair<QDate, QDate>> terms{{QDate(2026, 9, 1), QDate(2027, 6, 25)}};
    QList<QDate> holidays;
    int cycle = 0; // 0 six-day, 1 weekday
    QString wkDay = QStringLiteral("xxxMonTueWedThuFrixxx");
    int teacherNum = 1;
    QString teacherNames[3] = {QString(), QStringLiteral("Ms. Avery"), QStringLiteral("Mr. Brook")};
    QString teacherCycle[3] = {QString(), QStringLiteral("123456"), QString()};
    int timeRows = 6; // rows 1..timeRows get times "8:30" etc.
    bool firstUseDone = true;
};

// A book shared by two teachers of a six-day cycle: teacher 1 takes days 1, 3 and 5, teacher 2
// days 2, 4 and 6.
YearPlan SharedBookYear();
// A weekday cycle whose one teacher teaches on Tuesdays and Thursdays.
YearPlan TuesdaysAndThursdaysYear();

// Writes the settings and the day rows; returns the number of rows written.
int BuildYear(const YearPlan& plan);
// The criterion the set-up writes for a run of day codes.
QString TeacherQueryFor(const QString& cycleCodes, int codeWidth);
// Reads or changes the database file directly, beside the program's own connection.
QVariant QueryValue(const QString& databasePath, const QString& sql, const QVariantList& binds = {});
bool ExecSql(const QString& databasePath, const QString& sql, const QVariantList& binds = {});

// Fails the running test if a message appeared that the test did not expect.
void VerifyNoUnexpectedMessages();

// Opens the book as start-up does, without any window: the settings, the teacher's settings and
// the day table on today. False (with every day listed) while the set-up is unfinished.
bool OpenBook(int teacher = 1);

class Recordset;

// Direct access to a database file, beside the program's own connection.
class DatabaseProbe {
public:
    explicit DatabaseProbe(const QString& path);
    ~DatabaseProbe();
    DatabaseProbe(const DatabaseProbe&) = delete;
    DatabaseProbe& operator=(const DatabaseProbe&) = delete;
    bool exec(const QString& sql);
    QVariant value(const QString& sql);
    int count() { return value(QStringLiteral("SELECT count(*) FROM QLM")).toInt(); }

private:
    QSqlDatabase m_db;
};

// A folder of its own holding a fresh copy of the supplied database for each test case.
class ScratchDatabase {
public:
    // Replaces the database with a fresh one and gives its path.
    QString Fresh();
    QString Folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

QString ConnectionStringFor(const QString& path);
// Five dated rows, inserted out of order so that a query's ORDER BY matters.
void FillFiveDays(const QString& path);
// Opens a cursor over Date, SchoolDay and Notes of those days, in date order.
bool OpenFiveDays(Recordset& days, const QString& path);
