#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/SetupFinish.h"
#include "core/SetupRules.h"
#include "core/Startup.h"
#include "core/YearRebuild.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/FileCopy.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <cerrno>
#include <csignal>

namespace {
QDate D(const char* iso) {
    return QDate::fromString(QLatin1String(iso), Qt::ISODate);
}

// Subjects that name their column and row, so a day shows which column it took.
TimeTableTexts Labelled(const QString& tag) {
    TimeTableTexts timetable;
    for (int r = 1; r <= 12; ++r) {
        timetable.Time[r] = QStringLiteral("%1:00").arg(7 + r);
        for (int c = 1; c <= 7; ++c) {
            timetable.Subject[c][r] = QStringLiteral("%1 %2-%3").arg(tag).arg(c).arg(r);
        }
    }
    return timetable;
}

// The calendars the day-code rows are read against; every one starts on Monday 7 September 2026.
SchoolCalendar Calendar(const QString& name) {
    SchoolCalendar calendar;
    calendar.WkDay = QStringLiteral("xxxMonTueWedThuFrixxx");
    calendar.TermStart[1] = D("2026-09-07");
    calendar.TermEnd[1] = D("2026-09-30");
    if (name == QLatin1String("holiday")) {
        calendar.Holidays[4] = D("2026-09-09");
        calendar.Holidays[15] = D("2026-09-18"); // an in-service day is a holiday too
    } else if (name == QLatin1String("break")) {
        calendar.TermEnd[1] = D("2026-09-11");
        calendar.TermStart[2] = D("2026-09-21");
        calendar.TermEnd[2] = D("2026-09-30");
    } else if (name == QLatin1String("weekdays")) {
        calendar.Cycle = 1;
        calendar.WkDay = QStringLiteral("xxxMonxxxWedxxxFriSat");
    }
    return calendar;
}

QString Notes(const QString& path, const QString& date) {
    return QueryValue(path, QStringLiteral("SELECT Notes FROM QLM WHERE Date = ?"), {date}).toString();
}

// Every row of the table as text, to compare a table before and after.
QStringList TableText(const QString& path) {
    DatabaseProbe probe(path);
    QStringList rows;
    const int n = probe.count();
    for (int i = 0; i < n; ++i) {
        rows << probe
                    .value(QStringLiteral(
                               "SELECT quote(rowid) || '|' || quote(Date) || '|' || quote(SchoolDay) || "
                               "'|' || quote(Subject1) || '|' || quote(Details3) || '|' || quote(Notes) "
                               "FROM QLM ORDER BY rowid LIMIT 1 OFFSET %1")
                               .arg(i))
                    .toString();
    }
    return rows;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The set-up of the year BuildYear writes (one teacher, six-day cycle, Sept 1 to June 25).
SetupValues ValuesOfTheBuiltYear() {
    const ProgramState& g = Globals();
    SetupValues values;
    values.SetupMode = g.SetupMode;
    values.TeacherNum = 1;
    values.Cycle = 0;
    values.TeacherNames[1] = g.TeacherNames[1];
    values.WorkDayCodes[1] = QStringLiteral("123456");
    values.WorkDayCounts[1] = QStringLiteral("6");
    values.TeacherQuery[1] = BuildTeacherQuery(values.WorkDayCodes[1], values.WorkDayCounts[1], 0);
    values.WkDay = g.WkDay;
    values.TimeTable = Labelled(QStringLiteral("New"));
    for (int c = 1; c <= 7; ++c) {
        values.Headers[c] = QString::number(c);
    }
    values.TermStart[1] = D("2026-09-01");
    values.TermEnd[1] = D("2027-06-25");
    values.IgnoreHolidays = 1;
    values.IgnoreInservices = 1;
    values.TermCount = 1;
    return values;
}
// The year a Finish cut short was to write: another teacher, and a year that ends in May.
SetupValues ValuesOfTheNewYear() {
    SetupValues values = ValuesOfTheBuiltYear();
    values.SetupMode = 2;
    values.TeacherNames[1] = QStringLiteral("Ms. Carter");
    values.TermEnd[1] = D("2027-05-28");
    return values;
}

// A Finish in a process of its own, killed (as kill -9 kills) at a step of putting its settings
// in place: "before the commit" as the staged settings are closed, "after the commit" as they
// are renamed into place.
int FinishAndDie(const QString& root, const QString& point) {
    SetProgramFolderForTests(root + QStringLiteral("/program"));
    SettingsStore::SetFolderForTests(root + QStringLiteral("/config"));
    Clock::SetTodayForTests(QDate(2026, 10, 14));
    MessageTestSeam::Enable(true);
    ResetGlobals();
    if (!OpenBook()) {
        return 2;
    }
    using Step = FileCopySeam::Step;
    const Step at = point == QLatin1String("before the commit") ? Step::Close : Step::Rename;
    FileCopySeam::SetStepFailureForTests([at](Step step) {
        if (step == at) {
            std::raise(SIGKILL);
        }
        return 0;
    });
    FinishSetup(ValuesOfTheNewYear());
    return 3; // the kill never came
}

QStringList StagedSettings(const QString& settingsFile) {
    return QDir(QFileInfo(settingsFile).absolutePath())
        .entryList({QStringLiteral(".*.staged-*"), QStringLiteral(".*.copy-*")}, QDir::Files | QDir::Hidden);
}
} // namespace

class YearRebuildTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dayCodesAndColumns_data() {
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("column"); // 0: no timetable
        QTest::newRow("Monday is 1") << "holiday" << D("2026-09-07") << "1" << 1;
        QTest::newRow("Tuesday is 2") << "holiday" << D("2026-09-08") << "2" << 2;
        QTest::newRow("a holiday Wednesday") << "holiday" << D("2026-09-09") << "x" << 0;
        QTest::newRow("Thursday goes on with 3") << "holiday" << D("2026-09-10") << "3" << 3;
        QTest::newRow("Saturday") << "holiday" << D("2026-09-12") << "x" << 0;
        QTest::newRow("after 6 comes 1") << "holiday" << D("2026-09-16") << "1" << 1;
        QTest::newRow("an in-service day") << "holiday" << D("2026-09-18") << "x" << 0;
        QTest::newRow("last before the break") << "break" << D("2026-09-11") << "5" << 5;
        QTest::newRow("between terms") << "break" << D("2026-09-15") << "x" << 0;
        QTest::newRow("the counter is not reset by a term") << "break" << D("2026-09-21") << "6" << 6;
        QTest::newRow("and runs on") << "break" << D("2026-09-22") << "1" << 1;
        QTest::newRow("weekday Monday") << "weekdays" << D("2026-09-07") << "Mon" << 1;
        QTest::newRow("untaught Tuesday in a term") << "weekdays" << D("2026-09-08") << "x" << 0;
        QTest::newRow("weekday Friday") << "weekdays" << D("2026-09-11") << "Fri" << 3;
        QTest::newRow("a taught Saturday") << "weekdays" << D("2026-09-12") << "Sat" << 4;
        QTest::newRow("weekday Sunday") << "weekdays" << D("2026-09-13") << "x" << 0;
    }
    void dayCodesAndColumns() {
        QFETCH(QString, calendar);
        QFETCH(QDate, date);
        QFETCH(QString, code);
        QFETCH(int, column);
        const SchoolCalendar cal = Calendar(calendar);
        const std::vector<DayValues> year = ComputeSchoolYear(
            cal, SchoolYearStartOf(cal), SchoolYearEndOf(cal), Labelled(QStringLiteral("S")));
        QCOMPARE(int(year.size()), 24); // one record a day, first to last
        const DayValues& day = year[static_cast<size_t>(D("2026-09-07").daysTo(date))];
        QCOMPARE(day.Date, date);
        QCOMPARE(day.SchoolDay, code);
        for (int r = 0; r < 12; ++r) {
            QCOMPARE(day.Time[r], column ? QStringLiteral("%1:00").arg(8 + r) : QString());
            QCOMPARE(day.Subject[r], column ? QStringLiteral("S %1-%2").arg(column).arg(r + 1) : QString());
        }
    }

    void keptEntriesByMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("preserveMode");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("notesKept");
        QTest::addColumn<bool>("oldTimeTable");
        // Terms: Sept 7-11, Sept 21-30; term 2 ticked. Range: Sept 22 to Sept 24.
        QTest::newRow("new year keeps nothing") << 0 << 0 << D("2026-09-22") << false << false;
        QTest::newRow("ticked term takes the new timetable") << 1 << 0 << D("2026-09-22") << true << false;
        QTest::newRow("unticked term keeps the old") << 1 << 0 << D("2026-09-08") << true << true;
        QTest::newRow("a day in no term keeps the old") << 1 << 0 << D("2026-09-15") << true << true;
        QTest::newRow("range start is included") << 1 << 1 << D("2026-09-22") << true << false;
        QTest::newRow("range end is included") << 1 << 1 << D("2026-09-24") << true << false;
        QTest::newRow("the day before keeps the old") << 1 << 1 << D("2026-09-21") << true << true;
        QTest::newRow("corrective action") << 2 << 0 << D("2026-09-08") << true << false;
    }
    void keptEntriesByMode() {
        QFETCH(int, mode);
        QFETCH(int, preserveMode);
        QFETCH(QDate, date);
        QFETCH(bool, notesKept);
        QFETCH(bool, oldTimeTable);
        const SchoolCalendar cal = Calendar(QStringLiteral("break"));
        const QDate first = SchoolYearStartOf(cal);
        const QDate last = SchoolYearEndOf(cal);
        PreservedEntries old;
        for (DayValues& day : ComputeSchoolYear(cal, first, last, Labelled(QStringLiteral("Old")))) {
            day.Notes = QStringLiteral("notes ") + DateToText(day.Date);
            day.Details[11] = QStringLiteral("details");
            PreserveDay(old, day);
        }
        std::vector<DayValues> year = ComputeSchoolYear(cal, first, last, Labelled(QStringLiteral("New")));
        PreserveRules rules;
        rules.SetupMode = mode;
        rules.PreserveMode = preserveMode;
        rules.PreserveTerms = {0, 0, 1, 0, 0};
        rules.PreserveRange = {D("2026-09-22"), D("2026-09-24")};
        rules.TermCount = 2;
        RestorePreservedEntries(year, old, cal, rules);
        const DayValues& day = year[static_cast<size_t>(first.daysTo(date))];
        QCOMPARE(day.Notes, notesKept ? QStringLiteral("notes ") + DateToText(date) : QString());
        QCOMPARE(day.Details[11], notesKept ? QStringLiteral("details") : QString());
        if (day.SchoolDay != QLatin1String("x")) {
            QVERIFY(day.Subject[0].startsWith(oldTimeTable ? QStringLiteral("Old") : QStringLiteral("New")));
        }
    }

    void correctiveActionDropsOnlyTheDroppedDates() {
        TestEnvironment env;
        YearPlan plan;
        plan.timeRows = 12;
        BuildYear(plan);
        ExecSql(env.DatabasePath(),
                QStringLiteral("UPDATE QLM SET Notes = 'n ' || Date, Details5 = 'd ' || Date"));
        QVERIFY(OpenBook());
        SetupValues values = ValuesOfTheBuiltYear();
        values.SetupMode = 2;
        values.TermEnd[1] = D("2027-05-31"); // the year ends earlier
        QList<RebuildStage> stages;
        QVERIFY(FinishSetup(values, [&stages](RebuildStage stage) { stages << stage; }));
        QCOMPARE(stages, (QList<RebuildStage>{RebuildStage::Writing, RebuildStage::Updating}));
        const QString path = env.DatabasePath();
        DatabaseProbe probe(path);
        QCOMPARE(probe.count(), int(D("2026-09-01").daysTo(D("2027-05-31")) + 1));
        QCOMPARE(probe
                     .value(QStringLiteral("SELECT count(*) FROM QLM WHERE Notes = 'n ' || Date AND "
                                           "Details5 = 'd ' || Date"))
                     .toInt(),
                 probe.count());
        QCOMPARE(probe.value(QStringLiteral("SELECT count(*) FROM QLM WHERE Date > '2027-05-31'")).toInt(),
                 0);
        QCOMPARE(Notes(path, QStringLiteral("2026-10-14")), QStringLiteral("n 2026-10-14"));
        // Every school day shows the new timetable.
        QCOMPARE(probe
                     .value(QStringLiteral("SELECT count(*) FROM QLM WHERE SchoolDay <> 'x' AND Subject1 NOT "
                                           "LIKE 'New %'"))
                     .toInt(),
                 0);
        QVERIFY(!Globals().BlankDataBase);
        QCOMPARE(Globals().SchoolYearEnd, D("2027-05-31"));
        VerifyNoUnexpectedMessages();
    }

    void newSchoolYearKeepsNothing() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        ExecSql(env.DatabasePath(), QStringLiteral("UPDATE QLM SET Notes = 'n', Details1 = 'd'"));
        QVERIFY(OpenBook());
        QVERIFY(FinishSetup(ValuesOfTheBuiltYear()));
        QCOMPARE(QueryValue(env.DatabasePath(),
                            QStringLiteral(
                                "SELECT count(*) FROM QLM WHERE Notes IS NOT NULL OR Details1 IS NOT NULL"))
                     .toInt(),
                 0);
        VerifyNoUnexpectedMessages();
    }

    // A Finish that would leave out Details or Notes keeps the book as it was first, the entry
    // being typed included, and names the copy; one that leaves out nothing keeps none, and one
    // that fails keeps none either and says why, with the table as it was.
    void entriesLeftOutAreKeptInACopy_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("lastDay");
        QTest::addColumn<QStringList>("entries"); // days with Details; "typed" is being typed
        QTest::addColumn<QString>("failure");     // and what the message says
        const QStringList both{"2026-09-02", "2027-06-24"};
        QTest::newRow("new year over entries") << 0 << "2027-06-25" << both << "";
        QTest::newRow("new year over an empty book") << 0 << "2027-06-25" << QStringList{} << "";
        QTest::newRow("new year, an entry being typed") << 0 << "2027-06-25" << QStringList{"typed"} << "";
        QTest::newRow("corrective action past June's entries") << 2 << "2027-05-31" << both << "";
        QTest::newRow("corrective action keeping every entry")
            << 2 << "2027-05-31" << QStringList{"2026-09-02", "typed", "2027-05-31"} << "";
        QTest::newRow("the copy cannot be made")
            << 0 << "2027-06-25" << both << "That copy could not be made";
        QTest::newRow("a write is still open") << 0 << "2027-06-25" << both << "in the middle of a change";
        QTest::newRow("the year cannot be written") << 0 << "2027-06-25" << both << "disk is full";
        QTest::newRow("the settings file cannot be replaced") << 0 << "2027-06-25" << both << "\"QLM - kept";
    }
    void entriesLeftOutAreKeptInACopy() {
        QFETCH(int, mode);
        QFETCH(QString, lastDay);
        QFETCH(QStringList, entries);
        QFETCH(QString, failure);
        TestEnvironment env;
        BuildYear(YearPlan{});
        const QString path = env.DatabasePath();
        ExecSql(path, QStringLiteral("UPDATE QLM SET Details5 = 'd ' || Date WHERE Date IN ('%1')")
                          .arg(entries.join(QStringLiteral("','"))));
        ExecSql(path,
                QStringLiteral("CREATE TRIGGER full BEFORE INSERT ON QLM WHEN NEW.Date = '2027-01-15' AND "
                               "'%1' = 'disk is full' BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
                    .arg(failure));
        QVERIFY(OpenBook());
        if (entries.contains(QStringLiteral("typed"))) {
            entries.replace(entries.indexOf(QStringLiteral("typed")), QStringLiteral("2026-10-14")); // today
            QVERIFY(DayRecords().setField(QStringLiteral("Details5"), QStringLiteral("d 2026-10-14")));
        }
        const QStringList tableBefore = TableText(path);
        SetupValues values = ValuesOfTheBuiltYear();
        values.SetupMode = mode;
        values.TermEnd[1] = D(qPrintable(lastDay));
        int seen = 0; // the copy is written and renamed before the settings file
        FileCopySeam::SetStepFailureForTests([&](FileCopySeam::Step step) {
            const bool copy =
                failure.startsWith(QStringLiteral("That copy")) && step == FileCopySeam::Step::Write;
            const bool settings = failure.startsWith(QLatin1Char('"')) && step == FileCopySeam::Step::Rename;
            return (copy && !seen++) ? ENOSPC : (settings && seen++) ? EIO : 0;
        });
        QVERIFY(!failure.startsWith(QStringLiteral("in the middle")) || DayRecords().BeginTrans());
        MessageTestSeam::QueueAnswer(MsgAnswerOK); // any message
        QString kept;
        const bool finished = FinishSetup(values, {}, nullptr, &kept);
        FileCopySeam::SetStepFailureForTests({});

        const bool keeps = mode == 0 || entries.last() > lastDay;
        const bool stands = failure.isEmpty() || failure.startsWith(QLatin1Char('"'));
        QCOMPARE(finished, stands);
        QCOMPARE(QDir(env.ProgramFolder()).entryList({QStringLiteral("QLM - kept *")}),
                 (stands && keeps && !entries.isEmpty() ? QStringList{kept} : QStringList{}));
        if (!kept.isEmpty()) {
            QVERIFY2(kept.startsWith(QStringLiteral("QLM - kept 2026-10-14 ")), qPrintable(kept));
            QCOMPARE(
                QueryValue(env.ProgramFolder() + QLatin1Char('/') + kept,
                           QStringLiteral("SELECT group_concat(Date) FROM QLM WHERE Details5 = 'd ' || Date"))
                    .toString(),
                entries.join(QLatin1Char(',')));
        }
        QCOMPARE(MessageTestSeam::Answered().size(), failure.isEmpty() ? 0 : 1);
        if (!failure.isEmpty()) {
            const QString said = MessageTestSeam::Answered().first().text;
            QVERIFY2(said.contains(failure) &&
                         (stands || said.contains(QStringLiteral("left exactly as it was"))),
                     qPrintable(said));
            QVERIFY(stands || TableText(path) == tableBefore);
        }
    }

    // The table and the settings of one Finish stand or fall together.
    void aFailureHalfWayChangesNothing_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("said");
        QTest::newRow("disk full at one record") << "disk"
                                                 << "database or disk is full";
        QTest::newRow("settings cannot be written") << "settings"
                                                    << "settings of this Setup could not be saved";
        QTest::newRow("held by another program") << "held"
                                                 << "in use by another program";
    }

    void aFailureHalfWayChangesNothing() {
        QFETCH(QString, failure);
        QFETCH(QString, said);
        const bool settingsFail = failure == QLatin1String("settings");
        TestEnvironment env;
        BuildYear(YearPlan{});
        const QString path = env.DatabasePath();
        ExecSql(path, QStringLiteral("UPDATE QLM SET Notes = 'n ' || Date, Details3 = 'lesson'"));
        // The disk "fills up" at the record of one date in the middle of the year.
        QVERIFY(failure != QLatin1String("disk") ||
                ExecSql(path, QStringLiteral(
                                  "CREATE TRIGGER full BEFORE INSERT ON QLM WHEN NEW.Date = '2027-01-15' "
                                  "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END")));
        QVERIFY(OpenBook());
        const QStringList before = TableText(path);
        const QByteArray settingsBefore = FileBytes(env.SettingsFile());
        const ProgramState stateBefore = Globals();
        const QString sourceBefore = DayRecords().RecordSource();

        SetupValues values = ValuesOfTheBuiltYear();
        values.SetupMode = 2;
        values.TeacherNames[1] = QStringLiteral("Someone Else");
        if (settingsFail) {
            // Something else took the settings file's place: it cannot be replaced.
            QVERIFY(QFile::rename(env.SettingsFile(), env.SettingsFile() + QStringLiteral(".kept")));
            QVERIFY(QDir().mkpath(env.SettingsFile()));
        }
        DatabaseProbe other(path);
        if (failure == QLatin1String("held")) {
            QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        }
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QList<RebuildStage> stages;
        QVERIFY(!FinishSetup(values, [&stages](RebuildStage stage) {
            stages << stage;
            // The progress window goes before the message comes.
            QCOMPARE(MessageTestSeam::Answered().size(), 0);
        }));
        QCOMPARE(stages.last(), RebuildStage::Failed);

        QCOMPARE(MessageTestSeam::Answered().size(), 1); // once, not once per row
        QVERIFY2(MessageTestSeam::Answered().first().text.contains(said),
                 qPrintable(MessageTestSeam::Answered().first().text));
        for (const char* wrong : {"damaged", "does not hold"}) {
            QVERIFY(!MessageTestSeam::Answered().first().text.contains(QLatin1String(wrong)));
        }
        VerifyNoUnexpectedMessages();
        other.exec(QStringLiteral("ROLLBACK"));
        QCOMPARE(TableText(path), before);
        if (settingsFail) {
            QVERIFY(QFileInfo(env.SettingsFile()).isDir());
            QVERIFY(QDir(QFileInfo(env.SettingsFile()).absolutePath())
                        .entryList({QStringLiteral(".*.copy-*")}, QDir::Files | QDir::Hidden)
                        .isEmpty());
            QDir().rmdir(env.SettingsFile());
            QVERIFY(QFile::rename(env.SettingsFile() + QStringLiteral(".kept"), env.SettingsFile()));
        }
        QCOMPARE(FileBytes(env.SettingsFile()), settingsBefore);
        QCOMPARE(Globals().TeacherNames[1], stateBefore.TeacherNames[1]);
        QCOMPARE(Globals().BlankDataBase, stateBefore.BlankDataBase);
        QCOMPARE(Globals().TeacherCriteria[1], stateBefore.TeacherCriteria[1]);
        // The teacher's view is back as it was (as soon as the file can be read again).
        QCOMPARE(DayRecords().RecordSource(), sourceBefore);
        if (failure != QLatin1String("held")) {
            QCOMPARE(DayRecords().Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-10-14"));
        }
    }

    void aYearOfOneDayIsTheBlankTable() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        SetupValues values = ValuesOfTheBuiltYear();
        values.TermEnd[1] = values.TermStart[1];
        QVERIFY(FinishSetup(values));
        QCOMPARE(DatabaseProbe(env.DatabasePath()).count(), 1);
        QCOMPARE(QueryValue(env.DatabasePath(), QStringLiteral("SELECT SchoolDay FROM QLM")).toString(),
                 QStringLiteral("1"));
        // One row is the blank table, in this run as after the next start.
        QVERIFY(Globals().BlankDataBase);
        OpenDayTable();
        QVERIFY(Globals().BlankDataBase);
    }

    void settingsAreWrittenInOrderAfterTheTable() {
        TestEnvironment env;
        OpenBook(); // a first start: no settings at all, the blank table
        SetupValues values = ValuesOfTheBuiltYear();
        values.TeacherNames[1] = QStringLiteral("Ms. Avery");
        values.TermStart[2] = D("2027-01-04");
        values.TermEnd[1] = D("2026-12-18");
        values.TermEnd[2] = D("2027-06-25");
        values.Holidays[2] = D("2026-11-11");
        values.PreserveTerms = {0, 1, 0, 0, 1};
        values.TermCount = 2;
        QVERIFY(FinishSetup(values));

        auto keys = [](const QString& section) {
            QStringList names;
            for (const auto& [key, value] : GetAllSettings(AppKey, section)) {
                names << key + QLatin1Char('=') + value;
            }
            return names;
        };
        const QStringList settings = keys(QStringLiteral("Settings"));
        const QStringList expected{
            "SetupMode=0",
            "PreserveMode=0",
            "PreserveTerms1=1",
            "PreserveTerms2=0",
            "PreserveTerms3=0",
            "PreserveTerms4=1",
            "SetupUser=1",
            "TeacherNum=1",
            "TeacherName1=Ms. Avery",
            "TeacherDays1=6",
            "TeacherCycle1=123456",
            "TeacherQuery1=(((QLM.SchoolDay) = '1')) Or (((QLM.SchoolDay) = '2')) Or (((QLM.SchoolDay) = "
            "'3')) Or "
            "(((QLM.SchoolDay) = '4')) Or (((QLM.SchoolDay) = '5')) Or (((QLM.SchoolDay) = '6')) ",
            "TeacherName2=",
            "TeacherDays2=",
            "TeacherCycle2=",
            "TeacherQuery2=",
            "SetupTimeTable=1",
            "IgnoreTimeTable=0",
            "SetupDates=1",
            "IgnoreHolidays=1",
            "IgnoreInservices=1"};
        QCOMPARE(settings, expected);
        const QStringList dates = keys(QStringLiteral("Settings\\Dates"));
        QCOMPARE(dates.mid(0, 8),
                 (QStringList{"TermStart1=2026-09-01", "TermEnd1=2026-12-18", "TermStart2=2027-01-04",
                              "TermEnd2=2027-06-25", "TermStart3=12:00:00 AM", "TermEnd3=12:00:00 AM",
                              "TermStart4=12:00:00 AM", "TermEnd4=12:00:00 AM"}));
        QCOMPARE(dates.mid(8, 2), (QStringList{"Holidays1=12:00:00 AM", "Holidays2=2026-11-11"}));
        QCOMPARE(dates.size(), 28);
        const QStringList timetable = keys(QStringLiteral("Settings\\TimeTable"));
        QCOMPARE(timetable.mid(0, 5), (QStringList{"Cycle=0", "WkDay=xxxMonTueWedThuFrixxx", "Header1=1",
                                                   "Time1=8:00", "Subject11=New 1-1"}));
        QCOMPARE(timetable.size(), 2 + 7 + 12 + 84);
        QCOMPARE(ReadText(QStringLiteral("Settings\\Effects1"), QStringLiteral("BothTeacherDays")),
                 QStringLiteral("False"));

        // The program-wide values follow the settings, and the day query is the teacher's.
        const ProgramState& g = Globals();
        QCOMPARE(g.TermStart[3], ZeroDate());
        QCOMPARE(g.SchoolYearStart, D("2026-09-01"));
        QCOMPARE(g.SchoolYearEnd, D("2027-06-25"));
        QCOMPARE(g.TeacherCriteria[1], g.TeacherQuery[1]);
        QCOMPARE(g.Holidays[2], D("2026-11-11"));
        QVERIFY(!g.BlankDataBase);
        VerifyNoUnexpectedMessages();
    }

    void theBlankRowIsKeptForAYearWithoutDays() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        QVERIFY(RebuildDayTable(RebuildRequest{})); // no term at all
        QCOMPARE(DatabaseProbe(env.DatabasePath()).count(), 1);
        QVERIFY(QueryValue(env.DatabasePath(), QStringLiteral("SELECT Date FROM QLM")).isNull());
        QVERIFY(Globals().BlankDataBase);
    }

    // However a Finish is cut short between its table and its settings file, the next start
    // leaves the two together: a committed Finish's settings go in place, a rolled-back one's
    // are dropped, and a token that came with a book from another computer is compared, never
    // taken for this computer's Finish.
    void aFinishCutShortIsSettledAtTheNextStart_data() {
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("then"); // what happened before the next start
        QTest::addColumn<bool>("newYear"); // the settings after the next start are the Finish's
        QTest::newRow("killed before the commit") << "before the commit"
                                                  << "" << false;
        QTest::newRow("killed after the commit") << "after the commit"
                                                 << "" << true;
        QTest::newRow("the rename fails") << "rename"
                                          << "" << true;
        QTest::newRow("the rename fails, a later save") << "rename"
                                                        << "a later save" << true;
        QTest::newRow("the rename fails, a book unpacked") << "rename"
                                                           << "another computer's book" << false;
        QTest::newRow("killed after the commit, a book unpacked") << "after the commit"
                                                                  << "another computer's book" << false;
        // A start that could not open the book leaves the staged settings, and saves others.
        for (const char* cut : {"after the commit", "rename"}) {
            QTest::addRow("%s, saves while the book was away", cut)
                << cut << "saves while the book was away" << true;
        }
    }
    void aFinishCutShortIsSettledAtTheNextStart() {
        QFETCH(QString, cut);
        QFETCH(QString, then);
        QFETCH(bool, newYear);
        TestEnvironment env;
        BuildYear(YearPlan{});
        const QString path = env.DatabasePath();
        const QString settingsFile = env.SettingsFile();
        const QByteArray settingsBefore = FileBytes(settingsFile);
        if (cut == QLatin1String("rename")) {
            QVERIFY(OpenBook());
            FileCopySeam::SetStepFailureForTests(
                [](FileCopySeam::Step step) { return step == FileCopySeam::Step::Rename ? EIO : 0; });
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
            const bool finished = FinishSetup(ValuesOfTheNewYear());
            FileCopySeam::SetStepFailureForTests({});
            // The year is in the table: the program goes on with it, and says what happened.
            QVERIFY(finished);
            QCOMPARE(MessageTestSeam::Answered().size(), 1);
            const QString said = MessageTestSeam::Answered().first().text;
            QVERIFY2(said.contains(QStringLiteral("written into the DataBase File")) &&
                         said.contains(QStringLiteral("could not be replaced")) &&
                         said.contains(QStringLiteral("starts again")),
                     qPrintable(said));
            QCOMPARE(Globals().TeacherNames[1], QStringLiteral("Ms. Carter"));
            QCOMPARE(Globals().TermEnd[1], D("2027-05-28"));
            QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("TeacherName1")),
                     QStringLiteral("Ms. Carter"));
            QCOMPARE(FileBytes(settingsFile), settingsBefore);
            if (then == QLatin1String("a later save")) {
                QVERIFY(
                    SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("CalendarShow"), false));
            }
            CloseDayTable();
        } else {
            QProcess finish;
            finish.start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--finish-and-die"), QFileInfo(env.ProgramFolder()).path(), cut});
            QVERIFY(finish.waitForFinished(60000));
            QCOMPARE(finish.exitStatus(), QProcess::CrashExit);
        }
        QCOMPARE(StagedSettings(settingsFile).size(), 1);
        if (then == QLatin1String("another computer's book")) {
            QVERIFY(ExecSql(path, QStringLiteral("PRAGMA user_version = 77")));
        }
        const bool savedBetween = then == QLatin1String("saves while the book was away");
        if (savedBetween) {
            QVERIFY(QFile::rename(path, path + QStringLiteral(".away")));
            ResetGlobals();
            SettingsStore::Reset();
            TidyAfterInterruptedSaves();
            QCOMPARE(StagedSettings(settingsFile).size(), 1); // the table could not say
            QVERIFY(SaveBool(QStringLiteral("Settings\\Effects1"), QStringLiteral("CalendarShow"), false));
            QVERIFY(SaveText(QStringLiteral("PackToGo"), QStringLiteral("QLM.mdb"),
                             QStringLiteral("remembered")));
            QVERIFY(QFile::rename(path + QStringLiteral(".away"), path));
        }

        // The next start.
        ResetGlobals();
        SettingsStore::Reset();
        TidyAfterInterruptedSaves();
        QVERIFY(StagedSettings(settingsFile).isEmpty());
        QVERIFY(OpenBook());
        QCOMPARE(Globals().TeacherNames[1],
                 newYear ? QStringLiteral("Ms. Carter") : QStringLiteral("Ms. Avery"));
        if (then.isEmpty() || savedBetween) {
            // The settings' year is the table's.
            QCOMPARE(QueryValue(path, QStringLiteral("SELECT max(Date) FROM QLM")).toString(),
                     DateToText(Globals().TermEnd[1]));
        }
        if (then == QLatin1String("a later save") || savedBetween) {
            QCOMPARE(ReadText(QStringLiteral("Settings\\Effects1"), QStringLiteral("CalendarShow")),
                     QStringLiteral("False"));
        }
        QVERIFY(!savedBetween ||
                ReadText(QStringLiteral("PackToGo"), QStringLiteral("QLM.mdb")) == "remembered");
        if (!newYear && then.isEmpty()) {
            QCOMPARE(FileBytes(settingsFile), settingsBefore);
        }
        VerifyNoUnexpectedMessages();
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--finish-and-die")) {
        return FinishAndDie(args[2], args[3]);
    }
    YearRebuildTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_yearrebuild.moc"
