#include "core/DatabaseFiles.h"
#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/PackTransfer.h"
#include "core/ProgramState.h"
#include "platform/FileCopy.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
class QuietHost final : public DayPageHost {
public:
    int loads = 0;
    void ShowProgress(const QString&) override {}
    void ShowBriefly(const QString&) override {}
    void CloseProgress() override {}
    void ClosePage() override {}
    void LoadPage() override { ++loads; }
    void RefreshPage() override {}
};

void Touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QString SavedName() {
    SettingsStore::Reset();
    return ReadText(QStringLiteral("Settings"), QStringLiteral("DBaseFileName"));
}
} // namespace

class tst_DatabaseFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTheBooksOfTheFolder() {
        TestEnvironment env;
        for (const char* name :
             {"Term2.mdb", "QLM.mdb-journal", ".QLM.mdb.copy-x1Y2z3", "notes.txt", "b.MDB", "term10.mdb"}) {
            Touch(env.ProgramFolder() + QLatin1Char('/') + QLatin1String(name));
        }
        QDir().mkpath(env.ProgramFolder() + QStringLiteral("/folder.mdb"));
        const QStringList files = ListDatabaseFiles(env.ProgramFolder());
        QCOMPARE(files, (QStringList{"b.MDB", "QLM.mdb", "term10.mdb", "Term2.mdb"}));
        QCOMPARE(EntryForName(files, QStringLiteral("QLM.mdb")), 1);
        // Exact text: another spelling is not the entry, and the last one stays selected.
        QCOMPARE(EntryForName(files, QStringLiteral("qlm.mdb")), 3);
        QCOMPARE(EntryForName({}, QStringLiteral("QLM.mdb")), -1);
    }

    void checksTheSaveAsName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected"); // "" when refused
        QTest::addColumn<QString>("error");
        const QString blank = QStringLiteral("A Blank File Name is not permitted.");
        const QString same = QStringLiteral(
            "The File Name is the same as the one\r\ncurrently in use. This is not permitted.");
        const QString folder = QStringLiteral("The File Name may not contain");
        QTest::newRow("extension added") << "Term2"
                                         << "\\Term2.mdb"
                                         << "";
        QTest::newRow("extension typed") << "Term2.mdb"
                                         << "\\Term2.mdb"
                                         << "";
        QTest::newRow("extension in capitals") << "Term2.MDB"
                                               << "\\Term2.MDB"
                                               << "";
        QTest::newRow("empty") << ""
                               << "" << blank;
        QTest::newRow("extension only") << ".mdb"
                                        << "" << blank;
        QTest::newRow("the book in use") << "QLM"
                                         << "\\QLM.mdb" << same;
        QTest::newRow("a slash") << "../QLM"
                                 << "" << folder;
        QTest::newRow("a backslash") << "a\\b"
                                     << "" << folder;
        QTest::newRow("dots") << "a..b"
                              << "" << folder;
        QTest::newRow("a semicolon") << "a;b"
                                     << "" << folder;
        QTest::newRow("a blank at the end") << "Term2 "
                                            << "" << folder;
        QTest::newRow("extension only, in capitals") << ".MDB"
                                                     << "" << blank;
        QTest::newRow("a hidden name") << ".Term2.mdb"
                                       << "" << folder;
        QTest::newRow("too long with the copy's suffix") << QString(240, u'a') << ""
                                                         << "The File Name is too long.";
        QTest::newRow("long, and fits")
            << QString(238, u'a') << QStringLiteral("\\") + QString(238, u'a') + ".mdb"
            << "";
    }

    void checksTheSaveAsName() {
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QFETCH(QString, error);
        TestEnvironment env;
        const SaveAsName name = CheckSaveAsName(typed, QStringLiteral("\\QLM.mdb"), env.ProgramFolder());
        QVERIFY2(error.isEmpty() ? name.error.isEmpty() : name.error.startsWith(error),
                 qPrintable(QStringLiteral("[%1] [%2]").arg(name.error, error)));
        if (!selected.isEmpty()) {
            QCOMPARE(name.selectedFile, selected);
        }
    }

    void theSameFileUnderAnotherName() {
        TestEnvironment env;
        // A second name for the book in use (as a file system that ignores case gives one).
        QVERIFY(QFile::link(env.DatabasePath(), env.ProgramFolder() + QStringLiteral("/qlm.MDB")));
        const SaveAsName name =
            CheckSaveAsName(QStringLiteral("qlm.MDB"), QStringLiteral("\\QLM.mdb"), env.ProgramFolder());
        QVERIFY(name.error.startsWith(QStringLiteral("The File Name is the same")));
    }

    void saveAsMakesTheCopyAndMovesToIt() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        QuietHost host;
        QVERIFY(CopyDataBaseAs(host, QStringLiteral("\\Term2.mdb")));
        VerifyNoUnexpectedMessages();
        const QString copy = env.ProgramFolder() + QStringLiteral("/Term2.mdb");
        QVERIFY(FileExists(copy));
        QCOMPARE(Globals().DBaseFileName, QStringLiteral("\\Term2.mdb"));
        QVERIFY(Globals().ConnectionString.contains(QStringLiteral("\\Term2.mdb;")));
        QCOMPARE(SavedName(), QStringLiteral("\\Term2.mdb"));
        QCOMPARE(DayRecords().DatabasePath(), copy);
        QCOMPARE(DayRecords().Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-10-14"));
        // Work goes on in the copy; the old book keeps what it had.
        DayRecords().setField(QStringLiteral("Notes"), QStringLiteral("in the copy"));
        QVERIFY(DayRecords().Update());
        QVERIFY(
            QueryValue(env.DatabasePath(), QStringLiteral("SELECT Notes FROM QLM WHERE Date='2026-10-14'"))
                .toString()
                .isEmpty());
    }

    void aFailedSaveAsKeepsTheBook() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        QuietHost host;
        FileCopySeam::SetBlockHookForTests([](int) { return false; }, 1024);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QVERIFY(!CopyDataBaseAs(host, QStringLiteral("\\Term2.mdb")));
        FileCopySeam::SetBlockHookForTests({}, 0);
        VerifyNoUnexpectedMessages();
        QCOMPARE(MessageTestSeam::Answered().last().title, QStringLiteral("Quillmarsh - Save As Error"));
        QVERIFY(!FileExists(env.ProgramFolder() + QStringLiteral("/Term2.mdb")));
        QCOMPARE(Globals().DBaseFileName, QStringLiteral("\\QLM.mdb"));
        QVERIFY(DayRecords().IsOpen());
        QCOMPARE(DayRecords().DatabasePath(), env.DatabasePath());
        QCOMPARE(host.loads, 1);
    }

    // A read-only book is not replaced, though the folder would let the copy take its name.
    void aReadOnlyBookIsNotReplaced() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        const QString other = env.ProgramFolder() + QStringLiteral("/Term2.mdb");
        Touch(other);
        QVERIFY(QFile::setPermissions(other, QFileDevice::ReadOwner));
        if (QFileInfo(other).isWritable()) {
            QSKIP("this user may write read-only files");
        }
        QuietHost host;
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QVERIFY(!CopyDataBaseAs(host, QStringLiteral("\\Term2.mdb")));
        VerifyNoUnexpectedMessages();
        QVERIFY(MessageTestSeam::Answered().last().text.startsWith(
            QStringLiteral("The DataBase File could not")));
        QCOMPARE(QFileInfo(other).size(), 0);
        QCOMPARE(Globals().DBaseFileName, QStringLiteral("\\QLM.mdb"));
        QCOMPARE(host.loads, 0);
    }

    void openRefusesWhatIsNoBook_data() {
        QTest::addColumn<QByteArray>("content"); // empty: a database of other tables
        QTest::newRow("text") << QByteArray("lesson plans\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("other tables") << QByteArray("sql");
    }

    void openRefusesWhatIsNoBook() {
        QFETCH(QByteArray, content);
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(OpenBook());
        SaveText(QStringLiteral("Settings"), QStringLiteral("DBaseFileName"), QStringLiteral("\\QLM.mdb"));
        const QString other = env.ProgramFolder() + QStringLiteral("/Other.mdb");
        if (content == "sql") {
            QVERIFY(ExecSql(other, QStringLiteral("CREATE TABLE QLM (Date TEXT)")));
        } else {
            QFile file(other);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QuietHost host;
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QVERIFY(!SwitchDataBase(host, QStringLiteral("\\Other.mdb")));
        VerifyNoUnexpectedMessages();
        QVERIFY(MessageTestSeam::Answered().last().text.startsWith(
            QStringLiteral("Other.mdb is not a DataBase File")));
        QCOMPARE(Globals().DBaseFileName, QStringLiteral("\\QLM.mdb"));
        QCOMPARE(SavedName(), QStringLiteral("\\QLM.mdb"));
        QCOMPARE(DayRecords().DatabasePath(), env.DatabasePath());
        QVERIFY(DayRecords().IsOpen());
        QCOMPARE(host.loads, 0);
    }

    void openMovesToAnotherBook() {
        TestEnvironment env;
        BuildYear(YearPlan{});
        QVERIFY(QFile::copy(env.DatabasePath(), env.ProgramFolder() + QStringLiteral("/Term2.mdb")));
        QVERIFY(ExecSql(env.ProgramFolder() + QStringLiteral("/Term2.mdb"),
                        QStringLiteral("UPDATE QLM SET Notes = 'term two' WHERE Date = '2026-10-14'")));
        QVERIFY(OpenBook());
        QuietHost host;
        QVERIFY(SwitchDataBase(host, QStringLiteral("\\Term2.mdb")));
        VerifyNoUnexpectedMessages();
        QCOMPARE(SavedName(), QStringLiteral("\\Term2.mdb"));
        QCOMPARE(DayRecords().Field(QStringLiteral("Notes")).toString(), QStringLiteral("term two"));
    }
};

QTEST_GUILESS_MAIN(tst_DatabaseFiles)
#include "tst_databasefiles.moc"
