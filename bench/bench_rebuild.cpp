// Times Finish's rebuild of the day table in Corrective Action mode, with every Time, Subject,
// Details and Notes cell of the year filled, and checks that every entry came back. Prints the
// medians in milliseconds: a 365-day year first (goal < 100 ms, aim 20 ms), then ten years
// (goal < 1 s).
//
// Given --settings FILE --db FILE it rebuilds that database once instead, from the set-up that
// the settings file (the program's own format and keys) describes, in the mode it names, and
// leaves the result in the file. It then prints nothing but errors.
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/Startup.h"
#include "core/YearRebuild.h"
#include "platform/DateText.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QString DetailsText(int row) {
    return QStringLiteral("'Lesson %1 of ' || Date || ', with the page and the questions to set'").arg(row);
}

// Fills every Details and Notes cell; every Time and Subject cell is filled by the timetable.
void FillEntries(const QString& path) {
    QStringList sets;
    for (int r = 1; r <= 12; ++r) {
        sets << QStringLiteral("Details%1 = %2").arg(r).arg(DetailsText(r));
    }
    sets << QStringLiteral("Notes = 'Notes of ' || Date");
    ExecSql(path, QStringLiteral("UPDATE QLM SET ") + sets.join(QStringLiteral(", ")));
}

bool EntriesIntact(const QString& path, int days) {
    QStringList same;
    for (int r = 1; r <= 12; ++r) {
        same << QStringLiteral("Details%1 = %2").arg(r).arg(DetailsText(r));
    }
    same << QStringLiteral("Notes = 'Notes of ' || Date") << QStringLiteral("Time12 <> ''")
         << QStringLiteral("Subject12 <> ''");
    const QString sql =
        QStringLiteral("SELECT count(*) FROM QLM WHERE ") + same.join(QStringLiteral(" AND "));
    const int taught = QueryValue(path, sql + QStringLiteral(" AND SchoolDay <> 'x'")).toInt();
    const int all = QueryValue(path, QStringLiteral("SELECT count(*) FROM QLM")).toInt();
    return all == days &&
           taught ==
               QueryValue(path, QStringLiteral("SELECT count(*) FROM QLM WHERE SchoolDay <> 'x'")).toInt();
}

// Rebuilds a year of this many days again and again; the median time, or -1 when an entry was lost.
double TimeRebuilds(int days, int runs) {
    TestEnvironment env(QDate(2026, 9, 1));
    YearPlan plan;
    plan.terms = {{QDate(2026, 9, 1), QDate(2026, 9, 1).addDays(days - 1)}};
    plan.timeRows = 12;
    BuildYear(plan);
    FillEntries(env.DatabasePath());
    OpenBook();
    RebuildRequest request = RebuildRequestFromSettings(Globals());
    request.Rules.SetupMode = 2;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!RebuildDayTable(request)) {
            return -1;
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    CloseDayTable();
    return EntriesIntact(env.DatabasePath(), days) ? Median(times) : -1;
}

int ReviewerRebuild(const QString& settingsFile, const QString& databaseFile) {
    QTextStream errors(stderr);
    if (!QFileInfo::exists(settingsFile) || !QFileInfo::exists(databaseFile)) {
        errors << "bench_rebuild: no such file: "
               << (QFileInfo::exists(settingsFile) ? databaseFile : settingsFile) << "\n";
        return 2;
    }
    // The store reads its own file name in its own folder: a copy of the given file plays it.
    QTemporaryDir folder;
    const QString store = folder.path() + QStringLiteral("/VNT/Quillmarsh.conf");
    QDir().mkpath(QFileInfo(store).absolutePath());
    if (!QFile::copy(settingsFile, store)) {
        errors << "bench_rebuild: cannot read " << settingsFile << "\n";
        return 2;
    }
    SettingsStore::SetFolderForTests(folder.path());
    SetMessageHandler([&errors](const QString& message, int, int, const QString&, qint32) {
        errors << "bench_rebuild: " << QString(message).replace(QStringLiteral("\r\n"), QStringLiteral(" "))
               << "\n";
        errors.flush();
        return int(MsgAnswerOK);
    });
    InitGlobals();
    ReadProgramSettings();
    DayRecords().setConnectionString(ConnectionStringFor(QFileInfo(databaseFile).absoluteFilePath()));
    const bool ok = RebuildDayTable(RebuildRequestFromSettings(Globals()));
    CloseDayTable();
    return ok ? 0 : 1;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype settings = args.indexOf(QStringLiteral("--settings"));
    const qsizetype database = args.indexOf(QStringLiteral("--db"));
    if (settings > 0 || database > 0) {
        if (settings < 0 || database < 0 || settings + 1 >= args.size() || database + 1 >= args.size()) {
            QTextStream(stderr) << "usage: bench_rebuild [--settings FILE --db FILE]\n";
            return 2;
        }
        return ReviewerRebuild(args[settings + 1], args[database + 1]);
    }

    QTextStream out(stdout);
    const double year = TimeRebuilds(365, 21);
    const double tenYears = TimeRebuilds(3650, 5);
    auto figure = [](double ms) {
        return ms < 0 ? QStringLiteral("FAILED (entries lost)")
                      : QString::number(ms, 'f', 1) + QStringLiteral(" ms");
    };
    out << "rebuild, Corrective Action, 365 days:    " << figure(year)
        << " (median of 21; goal < 100 ms, aim 20 ms)\n";
    out << "rebuild, Corrective Action, 3,650 days:  " << figure(tenYears) << " (median of 5; goal < 1 s)\n";
    return year < 0 || tenYears < 0 ? 1 : 0;
}
