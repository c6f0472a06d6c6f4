#include "app/Main.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/ProgramState.h"
#include "core/Startup.h"
#include "core/TeacherSettings.h"
#include "daypage/frmSchedule.h"
#include "dialogs/StartupDialogs.h"
#include "mainwindow/frmMain.h"
#include "platform/DateText.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "support/UiTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QSysInfo>
#include <QTest>

#include <cerrno>

#include <sys/file.h>

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initGlobalsGivesEveryFirstValue() {
        TestEnvironment env;
        InitGlobals();
        const ProgramState& g = Globals();
        QCOMPARE(g.AppTitle, QStringLiteral("Quillmarsh"));
        QVERIFY(g.BlankDataBase);
        QVERIFY(!g.StartupDone);
        QCOMPARE(g.DBaseFileName, QStringLiteral("\\QLM.mdb"));
        QCOMPARE(g.ConnectionString, QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                                         ProgramFolder() +
                                         QStringLiteral("\\QLM.mdb;Persist Security Info=False"));
        QCOMPARE(g.HelpFile, ProgramFolder() + QStringLiteral("\\QLM.chm"));
        QVERIFY(g.FindMatchCase);
        QVERIFY(!g.FindWholeWord);
        QCOMPARE(g.FindSearchArea, 2);
        QCOMPARE(g.FindRegion, 0);
        QVERIFY(g.DayTableSql.startsWith(QStringLiteral(
            "SELECT QLM.Date, QLM.SchoolDay, QLM.Time1, QLM.Subject1, QLM.Details1, QLM.Time2, ")));
        QVERIFY(g.DayTableSql.endsWith(QStringLiteral("QLM.Details12, QLM.Notes From QLM ")));
        QVERIFY(g.DayTableWithWeekendsSql.endsWith(
            QStringLiteral("From QLM Where (((QLM.SchoolDay) = 'x')) Or ")));
        QVERIFY(g.DayTableWhereSql.endsWith(QStringLiteral("QLM.Notes From QLM Where ")));
        QCOMPARE(g.LongDateFormat, QStringLiteral("dddd - mmmm d, yyyy"));
        QCOMPARE(g.DayNames[1], QStringLiteral("Sunday"));
        QCOMPARE(g.DayNames[7], QStringLiteral("Saturday"));
        QCOMPARE(g.DefaultColourBack[1], 0xF0D0A6);
        QCOMPARE(g.DefaultColourFore[0], 0x913337);
        QCOMPARE(g.DefaultFontSize[2], QStringLiteral("10"));
        QCOMPARE(g.DefaultHolidayNames[1], QStringLiteral("Thanksgiving Day"));
        QCOMPARE(g.DefaultHolidayNames[10], QStringLiteral("Holiday 5"));
        QCOMPARE(g.DefaultHolidayNames[20], QStringLiteral("Inservice 10"));

        // Another database file named in the settings changes the connection.
        SaveText(QStringLiteral("Settings"), QStringLiteral("DBaseFileName"), QStringLiteral("\\Spare.mdb"));
        InitGlobals();
        QVERIFY(Globals().ConnectionString.contains(QStringLiteral("\\Spare.mdb;")));
    }

    void builtYearOpensOnToday() {
        TestEnvironment env;
        QCOMPARE(BuildYear(YearPlan{}), 298);
        QVERIFY(Main());
        frmSchedule& page = frmSchedule::Get();
        QCOMPARE(page.txtDate->Text(), QStringLiteral("2026-10-14"));
        QVERIFY(!Globals().BlankDataBase);
        QVERIFY(Globals().StartupDone);
        QCOMPARE(Globals().SetupComplete, 1);
        QCOMPARE(Globals().RowLabelWidth, 768);
        QCOMPARE(Globals().TermStart[1], QDate(2026, 9, 1));
        QVERIFY(frmMain::Get().windowTitle().contains(QStringLiteral("Ms. Avery")));
        VerifyNoUnexpectedMessages();
        if (!qEnvironmentVariableIsEmpty("QLM_SHOT")) { // a look at the whole window, on request
            QTest::qWait(20);
            frmMain::Get().grab().save(qEnvironmentVariable("QLM_SHOT"));
        }
    }

    void todayOnAWeekendOpensOnTheNextSchoolDay() {
        TestEnvironment env(QDate(2026, 10, 17));
        BuildYear(YearPlan{});
        QVERIFY(Main());
        QCOMPARE(frmSchedule::Get().txtDate->Text(), QStringLiteral("2026-10-19"));
    }

    void aSecondCopyEndsAtOnce() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QLockFile other(SingleInstance::LockFilePath());
        QVERIFY(other.tryLock(0));
        const QByteArray settingsBefore = [&] {
            QFile file(env.SettingsFile());
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        QVERIFY(!Main());
        QVERIFY(!frmMain::IsLoaded());
        QVERIFY(Globals().AppTitle.isEmpty()); // nothing was even initialised
        QFile file(env.SettingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), settingsBefore);
        VerifyNoUnexpectedMessages();
    }

    void firstUseWelcomesAndOpensEveryDay() {
        TestEnvironment env;
        QVERIFY(Main());
        QCOMPARE(WelcomeShownCount(), 1);
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("FirstUse")), QStringLiteral("1"));
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("RunStartup")), QStringLiteral("1"));
        // RunStartup is saved before FirstUse.
        const auto saved = GetAllSettings(AppKey, QStringLiteral("Settings"));
        int runStartup = -1;
        int firstUse = -1;
        for (int i = 0; i < saved.size(); ++i) {
            runStartup = saved[i].first == QLatin1String("RunStartup") ? i : runStartup;
            firstUse = saved[i].first == QLatin1String("FirstUse") ? i : firstUse;
        }
        QVERIFY(runStartup >= 0 && runStartup < firstUse);
        QVERIFY(Globals().TeacherCriteria[1].isEmpty());
        QVERIFY(Globals().BlankDataBase);
        QCOMPARE(frmSchedule::Get().datLumenleaf.Records().RecordCount(), 1);
        VerifyNoUnexpectedMessages();
    }

    void completeSetupWithoutFirstUseShowsTheWelcomeAgain() {
        TestEnvironment env;
        YearPlan plan;
        plan.firstUseDone = false;
        BuildYear(plan);
        QVERIFY(Main());
        QCOMPARE(WelcomeShownCount(), 1);
        QVERIFY(Globals().BlankDataBase);
        QCOMPARE(frmSchedule::Get().datLumenleaf.Records().RecordCount(), 298); // every record listed
        VerifyNoUnexpectedMessages();
    }

    void twoTeachersLogOn() {
        TestEnvironment env;
        BuildYear(SharedBookYear());
        SaveText(QStringLiteral("Settings\\Effects2"), QStringLiteral("BinderStyle"), QStringLiteral("2"));
        SetLogOnChoiceForTests(2);
        QVERIFY(Main());
        QCOMPARE(Globals().CurrentTeacher, 2);
        QCOMPARE(Globals().CurrentTeacherName, QStringLiteral("Mr. Brook"));
        QCOMPARE(Globals().BinderStyle, 2); // teacher 2's own settings
        QCOMPARE(frmSchedule::Get().lblDay->Caption(), QStringLiteral("2"));
        VerifyNoUnexpectedMessages();
    }

    void closingTheLogOnEndsTheProgram() {
        TestEnvironment env;
        YearPlan plan;
        plan.teacherNum = 3; // any number but 1 asks who is working
        BuildYear(plan);
        SetLogOnChoiceForTests(0);
        const QByteArray before = [&] {
            QFile file(env.SettingsFile());
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        QVERIFY(!Main());
        QVERIFY(!frmMain::IsLoaded());
        QFile file(env.SettingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void halfATermIsNotLoaded() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        const QString dates = QStringLiteral("Settings\\Dates");
        SaveDate(dates, QStringLiteral("TermStart2"), QDate(2027, 1, 4));
        SaveDate(dates, QStringLiteral("TermEnd3"), QDate(2027, 5, 1));
        SaveDate(dates, QStringLiteral("Holidays4"), QDate(2026, 12, 25));
        SaveText(dates, QStringLiteral("Holidays5"), QStringLiteral("12:00:00 AM"));
        QVERIFY(Main());
        const ProgramState& g = Globals();
        QVERIFY(!g.TermStart[2].isValid());
        QVERIFY(!g.TermEnd[2].isValid());
        QVERIFY(!g.TermEnd[3].isValid());
        QCOMPARE(g.Holidays[4], QDate(2026, 12, 25));
        QVERIFY(IsZeroDate(g.Holidays[5]));
        QCOMPARE(g.HolidayNames[4], QStringLiteral("Good Friday"));
    }

    void garbageSettingsLoadTheDefaults() {
        TestEnvironment env;
        QFile file(env.SettingsFile());
        QDir().mkpath(QFileInfo(file).absolutePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nTeacherNum=lots\nShowSplash=yes please\nSetupUser=1x\n[Settings\\Effects1]\n"
                   "SchoolDays=perhaps\nColourBack0=blue\nFontSize1=huge\nTimeTableLeft="
                   "99999999999\n\x01\x02garbage\n");
        file.close();
        QVERIFY(Main());
        const ProgramState& g = Globals();
        QCOMPARE(g.TeacherNum, 1);
        QCOMPARE(g.SetupUser, 0);
        QVERIFY(g.SchoolDays);
        QCOMPARE(g.ColourBack[0], 0xE6B36C);
        QCOMPARE(g.FontSize[1], 8);
        QCOMPARE(g.TimeTableLeft, 400);
        VerifyNoUnexpectedMessages();
    }

    void locksNotHeldByARunningCopyAreTakenOver_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("empty") << "empty";
        QTest::newRow("garbage") << "garbage";
        QTest::newRow("another host") << "host";
        QTest::newRow("a dead copy") << "dead";
        QTest::newRow("unreadable") << "unreadable";
        QTest::newRow("a folder") << "folder";
    }
    void locksNotHeldByARunningCopyAreTakenOver() {
        QFETCH(QString, kind);
        TestEnvironment env;
        BuildYear(YearPlan{});
        const QString path = SingleInstance::LockFilePath();
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("garbage")) {
                file.write("\x01\x02 not a lock \xff\n");
            } else if (kind == QLatin1String("host")) {
                file.write("4242\nquillmarsh\nanother-computer\n");
            } else if (kind == QLatin1String("dead")) {
                file.write("999999\nquillmarsh\n" + QSysInfo::machineHostName().toUtf8() + "\n");
            }
            file.close();
            if (kind == QLatin1String("unreadable")) {
                file.setPermissions(QFileDevice::Permissions());
            }
        }
        QVERIFY(Main());
        QVERIFY(frmMain::IsLoaded());
        VerifyNoUnexpectedMessages();
        // And the lock is really held now: a second copy is refused.
        QLockFile other(path);
        QVERIFY(!other.tryLock(0));
    }

    void theDatabaseNameMustBeAFileOfTheProgramFolder_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("used"); // empty: refused, the supplied name is used
        QTest::newRow("as written") << "\\QLM.mdb"
                                    << "\\QLM.mdb";
        QTest::newRow("without the backslash") << "Spare.mdb"
                                               << "\\Spare.mdb";
        QTest::newRow("outside the folder") << "\\..\\outside.mdb"
                                            << "";
        QTest::newRow("a path") << "/etc/QLM.mdb"
                                << "";
        QTest::newRow("a sub-folder") << "\\plans\\QLM.mdb"
                                      << "";
        QTest::newRow("another data source") << "\\QLM.mdb;Data Source=/tmp/x.mdb"
                                             << "";
        QTest::newRow("only a backslash") << "\\"
                                          << "";
        QTest::newRow("dots") << "\\.."
                              << "";
    }
    void theDatabaseNameMustBeAFileOfTheProgramFolder() {
        QFETCH(QString, stored);
        QFETCH(QString, used);
        TestEnvironment env;
        SaveText(QStringLiteral("Settings"), QStringLiteral("DBaseFileName"), stored);
        if (used.isEmpty()) {
            MessageTestSeam::QueueAnswer(1);
        }
        InitGlobals();
        const QString expected = used.isEmpty() ? QStringLiteral("\\QLM.mdb") : used;
        QCOMPARE(Globals().DBaseFileName, expected);
        QCOMPARE(Globals().ConnectionString, QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                                                 ProgramFolder() + expected +
                                                 QStringLiteral(";Persist Security Info=False"));
        QCOMPARE(MessageTestSeam::Answered().size(), used.isEmpty() ? 1 : 0);
        VerifyNoUnexpectedMessages();
    }

    void aHugeTeacherNameIsShownShortened() {
        TestEnvironment env;
        YearPlan plan;
        plan.teacherNames[1] = QString(1000000, QLatin1Char('A'));
        BuildYear(plan);
        QVERIFY(Main());
        QVERIFY(frmMain::Get().windowTitle().size() < 400);
        QVERIFY(frmMain::Get().windowTitle().startsWith(QStringLiteral("Quillmarsh - AAAA")));
        QVERIFY(frmMain::Get().StatusPanel(QStringLiteral("TeacherName"))->text().size() < 400);
    }

    // Saves killed half-way leave their copies beside the settings file and the menu INI file:
    // a start removes them, leaves alone what is not theirs or is still being written, and
    // writes nothing else.
    void aStartRemovesWhatKilledSavesLeft() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook()); // the menu INI file as the start would write it
        CloseDayTable();
        const QString settings = QFileInfo(env.SettingsFile()).absolutePath();
        const QString program = env.ProgramFolder();
        const QStringList stale{settings + "/.Quillmarsh.conf.copy-Ab12Cd",
                                program + "/.frmMain.ini.copy-Xy34Zw"};
        const QStringList kept{settings + "/.holiday.jpg.copy-Summer", program + "/.report.docx.copy-a1b2c3",
                               program + "/.frmMain.ini.copy-Live01"};
        for (const QString& path : stale + kept) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        // A writer that still runs holds its file.
        QFile live(program + "/.frmMain.ini.copy-Live01");
        QVERIFY(live.open(QIODevice::ReadOnly));
        QVERIFY(::flock(live.handle(), LOCK_EX | LOCK_NB) == 0);
        const auto changed = [](const QString& path) {
            return QFileInfo(path).fileTime(QFileDevice::FileMetadataChangeTime);
        };
        const QDateTime settingsChanged = changed(env.SettingsFile());
        const QDateTime iniChanged = changed(program + "/frmMain.ini");
        QVERIFY(Main());
        for (const QString& path : stale) {
            QVERIFY2(!QFile::exists(path), qPrintable(path));
        }
        for (const QString& path : kept) {
            QVERIFY2(QFile::exists(path), qPrintable(path));
        }
        QCOMPARE(changed(env.SettingsFile()), settingsChanged);
        QCOMPARE(changed(program + "/frmMain.ini"), iniChanged);
        VerifyNoUnexpectedMessages();
    }

    // A settings file that cannot be read is told of once, and the program starts without
    // writing over it.
    void anUnreadableSettingsFileIsToldOfAndKept() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        const QByteArray before = [&env] {
            QFile file(env.SettingsFile());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        SettingsStore::FailReadsForTests(EIO);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QVERIFY(Main());
        QVERIFY(frmMain::IsLoaded());
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        QVERIFY(MessageTestSeam::Answered().first().text.contains(QStringLiteral("could not be read")));
        SettingsStore::FailReadsForTests(0);
        QFile file(env.SettingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        VerifyNoUnexpectedMessages();
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
