#include "TestSupport.h"

#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/RunAtStartup.h"
#include "core/Startup.h"
#include "core/SuppliedDatabase.h"
#include "core/TeacherSettings.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/Twips.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {
void (*g_setUp)() = nullptr;
void (*g_tearDown)() = nullptr;
} // namespace

bool TestEnvironment::SetInterfaceHooks(void (*setUp)(), void (*tearDown)()) {
    g_setUp = setUp;
    g_tearDown = tearDown;
    return true;
}

TestEnvironment::TestEnvironment(const QDate& today) {
    m_valid = m_dir.isValid();
    QDir().mkpath(m_dir.path() + QStringLiteral("/program"));
    QDir().mkpath(m_dir.path() + QStringLiteral("/config"));
    SetProgramFolderForTests(m_dir.path() + QStringLiteral("/program"));
    SettingsStore::SetFolderForTests(m_dir.path() + QStringLiteral("/config"));
    SetAutostartFolderForTests(m_dir.path() + QStringLiteral("/config/autostart"));
    SettingsStore::SetFailureReporter({});
    SingleInstance::Release();
    SingleInstance::SetLockFolderForTests(m_dir.path());
    SetTwipsPerPixel(15, 15);
    Recordset::SetBusyTimeout(200);
    Clock::SetTodayForTests(today);
    MessageTestSeam::Enable(true);
    MessageTestSeam::Clear();
    ResetGlobals();
    if (g_setUp) {
        g_setUp();
    }
    QString error;
    m_valid = m_valid && CreateSuppliedDatabase(DatabasePath(), &error);
}

TestEnvironment::~TestEnvironment() {
    if (g_tearDown) {
        g_tearDown();
    }
    CloseDayTable();
    SingleInstance::Release();
    ResetGlobals();
}

QString TestEnvironment::ProgramFolder() const {
    return m_dir.path() + QStringLiteral("/program");
}

QString TestEnvironment::DatabasePath() const {
    return ProgramFolder() + QStringLiteral("/QLM.mdb");
}

QString TestEnvironment::SettingsFile() const {
    return SettingsStore::FilePath(AppKey);
}

QString TeacherQueryFor(const QString& cycleCodes, int codeWidth) {
    QString query;
    const int n = static_cast<int>(cycleCodes.size()) / codeWidth;
    for (int k = 0; k < n; ++k) {
        query += QStringLiteral("(((QLM.SchoolDay) = '%1')) ").arg(cycleCodes.mid(k * codeWidth, codeWidth));
        if (k < n - 1) {
            query += QStringLiteral("Or ");
        }
    }
    return query;
}

int BuildYear(const YearPlan& plan) {
    const QString settings = QStringLiteral("Settings");
    SaveText(settings, QStringLiteral("FirstUse"),
             plan.firstUseDone ? QStringLiteral("1") : QStringLiteral("0"));
    SaveText(settings, QStringLiteral("ShowSplash"), QStringLiteral("0"));
    for (const char* key : {"SetupUser", "SetupDates", "SetupTimeTable"}) {
        SaveText(settings, QString::fromLatin1(key), QStringLiteral("1"));
    }
    SaveInt(settings, QStringLiteral("TeacherNum"), plan.teacherNum);
    const int width = plan.cycle == 0 ? 1 : 3;
    for (int t = 1; t <= 2; ++t) {
        const bool used = t <= plan.teacherNum;
        SaveText(settings, QStringLiteral("TeacherName%1").arg(t), used ? plan.teacherNames[t] : QString());
        SaveText(settings, QStringLiteral("TeacherCycle%1").arg(t), used ? plan.teacherCycle[t] : QString());
        SaveText(settings, QStringLiteral("TeacherDays%1").arg(t),
                 used ? QString::number(plan.teacherCycle[t].size() / width) : QString());
        SaveText(settings, QStringLiteral("TeacherQuery%1").arg(t),
                 used ? TeacherQueryFor(plan.teacherCycle[t], width) : QString());
    }
    const QString timetable = QStringLiteral("Settings\\TimeTable");
    SaveInt(timetable, QStringLiteral("Cycle"), plan.cycle);
    SaveText(timetable, QStringLiteral("WkDay"), plan.wkDay);
    const QString dates = QStringLiteral("Settings\\Dates");
    for (int i = 0; i < plan.terms.size(); ++i) {
        SaveDate(dates, QStringLiteral("TermStart%1").arg(i + 1), plan.terms[i].first);
        SaveDate(dates, QStringLiteral("TermEnd%1").arg(i + 1), plan.terms[i].second);
    }
    for (int i = 0; i < plan.holidays.size(); ++i) {
        SaveDate(dates, QStringLiteral("Holidays%1").arg(i + 1), plan.holidays[i]);
    }
    for (int r = 1; r <= plan.timeRows; ++r) {
        SaveText(timetable, QStringLiteral("Time%1").arg(r), QStringLiteral("%1:30").arg(7 + r));
        for (int c = 1; c <= 7; ++c) {
            SaveText(timetable, QStringLiteral("Subject%1%2").arg(c).arg(r),
                     QStringLiteral("Subj %1-%2").arg(c).arg(r));
        }
    }

    // The rows: one per date of the year, coded as the rebuild codes them.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("qlm_buildyear"));
    db.setDatabaseName(::ProgramFolder() + QStringLiteral("/QLM.mdb"));
    int written = 0;
    if (!db.open()) {
        qWarning("BuildYear: %s", qPrintable(db.lastError().text()));
    } else {
        QSqlQuery query(db);
        db.transaction();
        query.exec(QStringLiteral("DELETE FROM QLM"));
        const QDate first = plan.terms.first().first;
        const QDate last = plan.terms.last().second;
        int cycleDay = 0;
        for (QDate d = first; d <= last; d = d.addDays(1)) {
            bool inTerm = false;
            for (const auto& term : plan.terms) {
                inTerm = inTerm || (term.first <= d && d <= term.second);
            }
            const int slot = d.dayOfWeek() % 7;
            const QString weekday = plan.wkDay.mid(slot * 3, 3);
            QString code = QStringLiteral("x");
            int column = 0;
            if (inTerm && !plan.holidays.contains(d) && weekday != QLatin1String("xxx")) {
                if (plan.cycle == 0) {
                    cycleDay = cycleDay % 6 + 1;
                    code = QString::number(cycleDay);
                    column = cycleDay;
                } else {
                    code = weekday;
                    for (int s = 0; s <= slot; ++s) {
                        column += plan.wkDay.mid(s * 3, 3) != QLatin1String("xxx") ? 1 : 0;
                    }
                }
            }
            QStringList names{QStringLiteral("Date"), QStringLiteral("SchoolDay")};
            QVariantList values{DateToText(d), code};
            for (int r = 1; r <= plan.timeRows && column > 0; ++r) {
                names << QStringLiteral("Time%1").arg(r) << QStringLiteral("Subject%1").arg(r);
                values << QStringLiteral("%1:30").arg(7 + r)
                       << QStringLiteral("Subj %1-%2").arg(column).arg(r);
            }
            QStringList marks;
            for (int i = 0; i < names.size(); ++i) {
                marks << QStringLiteral("?");
            }
            query.prepare(QStringLiteral("INSERT INTO QLM (%1) VALUES (%2)")
                              .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
            for (const QVariant& value : values) {
                query.addBindValue(value);
            }
            if (query.exec()) {
                ++written;
            } else {
                qWarning("BuildYear: %s", qPrintable(query.lastError().text()));
            }
        }
        db.commit();
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("qlm_buildyear"));
    return written;
}

void VerifyNoUnexpectedMessages() {
    const auto& unexpected = MessageTestSeam::Unexpected();
    QVERIFY2(unexpected.isEmpty(), qPrintable(QStringLiteral("unexpected message: ") +
                                              (unexpected.isEmpty() ? QString() : unexpected.first().text)));
}

YearPlan SharedBookYear() {
    YearPlan plan;
    plan.teacherNum = 2;
    plan.teacherCycle[1] = QStringLiteral("135");
    plan.teacherCycle[2] = QStringLiteral("246");
    return plan;
}

YearPlan TuesdaysAndThursdaysYear() {
    YearPlan plan;
    plan.cycle = 1;
    plan.teacherCycle[1] = QStringLiteral("TueThu");
    return plan;
}

namespace {
template <class Work> auto WithDatabase(const QString& path, Work work) {
    const QString name = QStringLiteral("qlm_test_peek");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.open();
    auto result = [&] {
        QSqlQuery query(db);
        return work(query);
    }();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
    return result;
}
} // namespace

QVariant QueryValue(const QString& databasePath, const QString& sql, const QVariantList& binds) {
    return WithDatabase(databasePath, [&](QSqlQuery& query) {
        query.prepare(sql);
        for (const QVariant& value : binds) {
            query.addBindValue(value);
        }
        return query.exec() && query.next() ? query.value(0) : QVariant();
    });
}

bool ExecSql(const QString& databasePath, const QString& sql, const QVariantList& binds) {
    return WithDatabase(databasePath, [&](QSqlQuery& query) {
        query.prepare(sql);
        for (const QVariant& value : binds) {
            query.addBindValue(value);
        }
        return query.exec();
    });
}

bool OpenBook(int teacher) {
    ProgramState& g = Globals();
    InitGlobals();
    ReadProgramSettings();
    g.CurrentTeacher = teacher;
    g.CurrentTeacherName = g.TeacherNames[teacher];
    LoadTeacherSettings();
    g.SetupComplete = ComputeSetupComplete();
    if (g.SetupComplete != 1) {
        OpenAllDays();
        return false;
    }
    for (int i = 1; i <= g.TeacherNum && i <= 2; ++i) {
        g.TeacherCriteria[i] = g.TeacherQuery[i];
    }
    OpenDayTable();
    GoToDate(Clock::Today());
    return true;
}

DatabaseProbe::DatabaseProbe(const QString& path) {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
    m_db.setDatabaseName(path);
    m_db.open();
}

DatabaseProbe::~DatabaseProbe() {
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("probe"));
}

bool DatabaseProbe::exec(const QString& sql) {
    QSqlQuery query(m_db);
    return query.exec(sql);
}

QVariant DatabaseProbe::value(const QString& sql) {
    QSqlQuery query(m_db);
    query.exec(sql);
    return query.next() ? query.value(0) : QVariant();
}

QString ScratchDatabase::Fresh() {
    const QString path = m_dir.path() + QStringLiteral("/QLM.mdb");
    QFile::remove(path);
    QString error;
    if (!CreateSuppliedDatabase(path, &error)) {
        qWarning("ScratchDatabase: %s", qPrintable(error));
    }
    return path;
}

QString ConnectionStringFor(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Persist Security Info=False")
        .arg(path);
}

void FillFiveDays(const QString& path) {
    DatabaseProbe probe(path);
    probe.exec(QStringLiteral("DELETE FROM QLM"));
    for (const char* date : {"2026-09-03", "2026-09-01", "2026-09-07", "2026-09-02", "2026-09-04"}) {
        probe.exec(QStringLiteral("INSERT INTO QLM (Date, SchoolDay, Notes) VALUES ('%1', '1', 'n %1')")
                       .arg(QLatin1String(date)));
    }
}

bool OpenFiveDays(Recordset& days, const QString& path) {
    days.setConnectionString(ConnectionStringFor(path));
    days.setCommandType(Recordset::CommandType::Text);
    days.setRecordSource(
        QStringLiteral("SELECT QLM.Date, QLM.SchoolDay, QLM.Notes From QLM ORDER BY QLM.Date;"));
    return days.Refresh();
}
