#include "core/DayDatabase.h"
#include "core/Message.h"
#include "core/PackHistory.h"
#include "core/PackSettings.h"
#include "core/PackTransfer.h"
#include "core/ProgramState.h"
#include "core/Startup.h"
#include "core/SuppliedDatabase.h"
#include "platform/DateText.h"
#include "platform/FileCopy.h"
#include "platform/FileIdentity.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/RemovableDrives.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <utility>

#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The windows around the sequences, as a record of what was asked of them.
class RecordingHost final : public DayPageHost {
public:
    QStringList calls;
    std::function<void()> onProgress; // what happens while the progress window is up
    void ShowProgress(const QString& text) override {
        calls << QStringLiteral("progress ") + text;
        if (onProgress) {
            std::exchange(onProgress, {})();
        }
    }
    void ShowBriefly(const QString& text) override { calls << QStringLiteral("briefly ") + text; }
    void CloseProgress() override { calls << QStringLiteral("close progress"); }
    void ClosePage() override { calls << QStringLiteral("close page"); }
    void LoadPage() override { calls << QStringLiteral("load page"); }
    void RefreshPage() override { calls << QStringLiteral("refresh"); }
};

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<RegKeyRow> StoredRows(const QString& path) {
    QList<RegKeyRow> rows;
    DatabaseProbe probe(path);
    const int n = probe.value(QStringLiteral("SELECT count(*) FROM RegKeys")).toInt();
    for (int i = 0; i < n; ++i) {
        const QString at = QStringLiteral(" FROM RegKeys ORDER BY rowid LIMIT 1 OFFSET %1").arg(i);
        rows.append({probe.value(QStringLiteral("SELECT Section") + at).toString(),
                     probe.value(QStringLiteral("SELECT Key") + at).toString(),
                     probe.value(QStringLiteral("SELECT Value") + at).toString()});
    }
    return rows;
}

// The day table of a book, row by row: what a pack must carry unchanged.
QString Days(const QString& book) {
    QStringList columns{QStringLiteral("Date"), QStringLiteral("SchoolDay"), QStringLiteral("Notes")};
    for (int r = 1; r <= 12; ++r) {
        columns << QStringLiteral("Time%1").arg(r) << QStringLiteral("Subject%1").arg(r)
                << QStringLiteral("Details%1").arg(r);
    }
    return QueryValue(book,
                      QStringLiteral("SELECT group_concat(r, char(10)) FROM (SELECT quote(%1) AS r FROM QLM "
                                     "ORDER BY Date)")
                          .arg(columns.join(QStringLiteral(")||'|'||quote("))))
        .toString();
}

// The settings a book carries, without the rows of its own history.
QList<RegKeyRow> CarriedRows(const QString& path) {
    QList<RegKeyRow> rows = StoredRows(path);
    rows.removeIf([](const RegKeyRow& row) { return row.section == QLatin1String("PackToGo"); });
    return rows;
}

// Marks typed on one day each, so that none overwrites another: where every mark still is.
bool Mark(const QString& book, int day, const QString& text) {
    return ExecSql(book, QStringLiteral("UPDATE QLM SET Details1 = ? WHERE Date = ?"),
                   {text, QDate(2026, 10, day).toString(Qt::ISODate)});
}

bool HasMark(const QString& book, int day, const QString& text) {
    return QueryValue(book, QStringLiteral("SELECT Details1 FROM QLM WHERE Date = ?"),
                      {QDate(2026, 10, day).toString(Qt::ISODate)})
               .toString() == text;
}

// The question between two books, the last one asked.
const MessageTestSeam::ShownMessage& Question() {
    const auto& shown = MessageTestSeam::Answered();
    return *std::find_if(shown.rbegin(), shown.rend(), [](const MessageTestSeam::ShownMessage& message) {
        return message.buttons == int(MsgYesNoCancel);
    });
}

// The copies kept in a program folder, by name.
QStringList KeptCopies(const QString& programFolder) {
    return QDir(programFolder).entryList({QStringLiteral("* - kept *.mdb")}, QDir::Files, QDir::Name);
}

QString Effects(const char* key) {
    return ReadText(QStringLiteral("Settings\\Effects1"), QString::fromLatin1(key));
}

const QString kLocateFailureStart = QStringLiteral("Update failed. Encountered an Error locating");
const QString kDriveChangedStart = QStringLiteral("The Portable Drive is not the one that was checked");

QString NotesOn(const QString& book) {
    return QueryValue(book, QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-10-14'")).toString();
}

bool WriteNotes(const QString& book, const QString& notes) {
    return ExecSql(book, QStringLiteral("UPDATE QLM SET Notes = ? WHERE Date = '2026-10-14'"), {notes});
}

// Two computers that share one drive, each with a program folder and a settings folder of its
// own, as two teachers' computers are. Computer A is the test environment's; B gets a book of
// its own teacher. Only one runs at a time: use() closes the other's book and opens its own.
class TwoComputers {
public:
    explicit TwoComputers(const TestEnvironment& a) {
        m_folders[0] = QFileInfo(a.ProgramFolder()).path();
        m_folders[1] = m_b.path();
    }
    QString book(char computer) const {
        return m_folders[index(computer)] + QStringLiteral("/program/QLM.mdb");
    }
    // A fresh install on B whose set-up is done, for another teacher.
    void installB() {
        use('B', false);
        QVERIFY(CreateSuppliedDatabase(book('B')));
        YearPlan plan;
        plan.teacherNames[1] = QStringLiteral("Mr. Brook");
        BuildYear(plan);
        QVERIFY(OpenBook());
    }
    void use(char computer, bool open = true) {
        CloseDayTable();
        SetProgramFolderForTests(m_folders[index(computer)] + QStringLiteral("/program"));
        SettingsStore::SetFolderForTests(m_folders[index(computer)] + QStringLiteral("/config"));
        QDir().mkpath(m_folders[index(computer)] + QStringLiteral("/program"));
        ResetGlobals();
        if (open) {
            QVERIFY(OpenBook());
        }
    }

private:
    static int index(char computer) { return computer == 'A' ? 0 : 1; }
    QTemporaryDir m_b;
    QString m_folders[2];
};
} // namespace

class tst_PackToGo : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_drives;
    RecordingHost m_host;

    // A book with a school year, Pack To Go on, and two drives ("A_STICK", "B_STICK").
    void openPackedBook() {
        BuildYear(YearPlan{});
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackRun"), QStringLiteral("1"));
        QVERIFY(OpenBook());
        QCOMPARE(Globals().PackRun, 1);
        RemovableDrivesSeam::SetDrivesForTests({drive("B_STICK"), drive("A_STICK")});
        QVERIFY(FindPortableDrives(1));
        m_host.calls.clear();
    }

    QString drive(const char* name) const { return m_drives.filePath(QString::fromLatin1(name)); }
    QString packed(const char* name) const { return drive(name) + QStringLiteral("/VNT/QLM.mdb"); }

    // Puts a copy of a file on a drive as its packed book.
    void putOnDrive(const char* name, const QString& file) {
        QDir().mkpath(drive(name) + QStringLiteral("/VNT"));
        QFile::remove(packed(name));
        QVERIFY(QFile::copy(file, packed(name)));
    }

    // Pack To Go set up on this computer on a drive folder of its own, as the drive dialog's OK
    // and the first pack leave it; the outcome of that first pack.
    PackOutcome configure(const char* stick) {
        RemovableDrivesSeam::SetDrivesForTests({drive(stick)});
        if (!FindPortableDrives(2)) {
            return PackOutcome::Failed;
        }
        QString folder;
        QString reason;
        if (!CreatePackFolder(drive(stick), &folder, &reason)) {
            return PackOutcome::Failed;
        }
        Globals().PackPath = folder;
        Globals().PackRun = 1; // as the options dialog's box is ticked
        return FirstPack(m_host);
    }

    // The answers to the question between two books.
    static void threeAnswers() {
        QTest::addColumn<int>("answer");
        QTest::newRow("take the drive's book") << int(MsgAnswerYes);
        QTest::newRow("replace the drive's") << int(MsgAnswerNo);
        QTest::newRow("neither") << int(MsgAnswerCancel);
    }

    // Computer A with its year, Pack To Go set up on A_STICK.
    void configureA(TwoComputers& computers) {
        BuildYear(YearPlan{});
        computers.use('A');
        QCOMPARE(configure("A_STICK"), PackOutcome::Packed);
    }

    // A and B share A_STICK: A set it up, and B joined it by taking A's book (its own is kept).
    void joinBToA(TwoComputers& computers) {
        configureA(computers);
        computers.installB();
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QCOMPARE(configure("A_STICK"), PackOutcome::Taken);
    }

    // A and B share A_STICK; A packed an edit, and B has made one since: both books changed.
    void bothEdited(TwoComputers& computers) {
        joinBToA(computers);
        computers.use('A');
        QVERIFY(WriteNotes(computers.book('A'), QStringLiteral("A's edit")));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        computers.use('B');
        QVERIFY(WriteNotes(computers.book('B'), QStringLiteral("B's edit")));
    }

private Q_SLOTS:
    void init() {
        QDir(m_drives.path()).removeRecursively();
        QDir().mkpath(drive("A_STICK"));
        QDir().mkpath(drive("B_STICK"));
    }
    void cleanup() {
        RemovableDrivesSeam::ClearForTests();
        FileCopySeam::SetBlockHookForTests({}, 0);
        FileCopySeam::SetStepFailureForTests({});
    }

    void packUsesTheFirstDriveHoldingTheFile_data() {
        QTest::addColumn<QStringList>("holding");
        QTest::addColumn<QString>("used"); // "" when none holds it
        QTest::newRow("both drives") << QStringList{"A_STICK", "B_STICK"} << "A_STICK";
        QTest::newRow("only the second") << QStringList{"B_STICK"} << "B_STICK";
        QTest::newRow("neither") << QStringList() << "";
    }

    void packUsesTheFirstDriveHoldingTheFile() {
        QFETCH(QStringList, holding);
        QFETCH(QString, used);
        TestEnvironment env;
        openPackedBook();
        const QByteArray stale("stale copy");
        for (const QString& name : holding) {
            QDir().mkpath(drive(name.toLatin1().constData()) + QStringLiteral("/VNT"));
            QFile file(packed(name.toLatin1().constData()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(stale);
        }
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerOK); // no drive holds it, or where the file is kept
        const QByteArray localBefore = Bytes(env.DatabasePath());
        PackDataBase(m_host);
        // The settings go into the copy on the drive; the book in use stays as it was.
        QCOMPARE(Bytes(env.DatabasePath()), localBefore);
        VerifyNoUnexpectedMessages();
        const auto& shown = MessageTestSeam::Answered();
        QCOMPARE(shown.first().title, QStringLiteral("Quillmarsh - Pack To Go"));
        QCOMPARE(shown.first().buttons, int(MsgYesNo));
        if (used.isEmpty()) {
            QVERIFY(shown.last().text.startsWith(kLocateFailureStart));
            QCOMPARE(shown.last().title, QStringLiteral("Quillmarsh - Pack To Go"));
            QVERIFY(Effects("PackDate").isEmpty());
            return;
        }
        const QString local = env.DatabasePath();
        const QString copy = packed(used.toLatin1().constData());
        QCOMPARE(Globals().PackPath, drive(used.toLatin1().constData()) + QStringLiteral("/VNT"));
        QCOMPARE(Days(copy), Days(local));
        for (const QString& other : holding) {
            if (other != used) {
                QCOMPARE(Bytes(packed(other.toLatin1().constData())), stale);
            }
        }
        // A file that is no book is replaced without a question, but kept first.
        const QStringList kept = KeptCopies(env.ProgramFolder());
        QCOMPARE(kept.size(), 1);
        QCOMPARE(Bytes(env.ProgramFolder() + QLatin1Char('/') + kept.first()), stale);
        QVERIFY(shown.last().text.contains(kept.first()));
        // The settings travel in the book, in order, the pack's date among them.
        const QList<RegKeyRow> rows = CarriedRows(copy);
        QCOMPARE(rows, CollectPackedSettings(1, Effects("PackDate")));
        QStringList sections;
        for (const RegKeyRow& row : rows) {
            if (sections.isEmpty() || sections.last() != row.section) {
                sections << row.section;
            }
        }
        QCOMPARE(sections,
                 (QStringList{"Settings", "Settings\\Dates", "Settings\\Effects1", "\\Settings\\TimeTable"}));
        QVERIFY(TextToDateTime(Effects("PackDate")).isValid());
        QCOMPARE(m_host.calls, (QStringList{"progress Packing up now.  One Moment Please...", "close page",
                                            "load page", "refresh", "close progress"}));
        QVERIFY(DayRecords().IsOpen());
        QCOMPARE(DayRecords().Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-10-14"));
    }

    void packTwiceReplacesTheCopy() {
        TestEnvironment env;
        openPackedBook();
        putOnDrive("A_STICK", env.DatabasePath());
        // The other computer's user reads the book too, whatever mode the file had.
        const mode_t mask = ::umask(027);
        const auto restoreMask = qScopeGuard([mask] { ::umask(mask); });
        QVERIFY(QFile::setPermissions(packed("A_STICK"), QFile::ReadOwner | QFile::WriteOwner));
        for (const char* note : {"first", "second"}) {
            QVERIFY(ExecSql(env.DatabasePath(),
                            QStringLiteral("UPDATE QLM SET Notes = ? WHERE Date = '2026-10-14'"),
                            {QString::fromLatin1(note)}));
            MessageTestSeam::QueueAnswer(MsgAnswerYes);
            // The hand-made copy was never packed: replacing it is asked once; our own pack not.
            if (qstrcmp(note, "first") == 0) {
                MessageTestSeam::QueueAnswer(MsgAnswerNo);
                MessageTestSeam::QueueAnswer(MsgAnswerOK); // where the drive's book is kept
            }
            PackDataBase(m_host);
            VerifyNoUnexpectedMessages();
            QCOMPARE(QueryValue(packed("A_STICK"),
                                QStringLiteral("SELECT Notes FROM QLM WHERE Date = '2026-10-14'"))
                         .toString(),
                     QString::fromLatin1(note));
            QCOMPARE(Days(packed("A_STICK")), Days(env.DatabasePath()));
            struct stat info {};
            QCOMPARE(::stat(QFile::encodeName(packed("A_STICK")).constData(), &info), 0);
            QCOMPARE(info.st_mode & 0777, mode_t(0640));
        }
    }

    // Nothing remembered tells whether either book holds work of its own: whatever the files'
    // times, the teacher is asked, unless the drive holds this computer's own last pack.
    void unpackAsksUnlessThisComputerPackedIt_data() {
        QTest::addColumn<qint64>("driveAge"); // seconds the drive copy is older than the book
        QTest::addColumn<bool>("packedHere");
        QTest::addColumn<int>("answer"); // 0: nothing is asked
        QTest::newRow("the same time") << qint64(0) << false << int(MsgAnswerCancel);
        QTest::newRow("older, edited here since") << qint64(600) << false << int(MsgAnswerCancel);
        QTest::newRow("older, taken") << qint64(600) << false << int(MsgAnswerYes);
        QTest::newRow("newer, taken") << qint64(-600) << false << int(MsgAnswerYes);
        QTest::newRow("this computer's own pack") << qint64(600) << true << 0;
    }

    void unpackAsksUnlessThisComputerPackedIt() {
        QFETCH(qint64, driveAge);
        QFETCH(bool, packedHere);
        QFETCH(int, answer);
        TestEnvironment env;
        openPackedBook();
        // The other computer's book: another note, another timetable time.
        putOnDrive("B_STICK", env.DatabasePath());
        QVERIFY(ExecSql(packed("B_STICK"),
                        QStringLiteral("UPDATE QLM SET Notes = 'from school' WHERE Date = '2026-10-14'")));
        QVERIFY(ExecSql(packed("B_STICK"), QStringLiteral("INSERT INTO RegKeys VALUES (?, 'Time1', '7:55')"),
                        {QStringLiteral("\\Settings\\TimeTable")}));
        if (packedHere) {
            SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackDate"),
                     QStringLiteral("2026-10-13T17:00:00"));
            QVERIFY(ExecSql(packed("B_STICK"),
                            QStringLiteral("INSERT INTO RegKeys VALUES (?, 'PackDate', ?)"),
                            {QStringLiteral("Settings\\Effects1"), Effects("PackDate")}));
        }
        const QByteArray local = Bytes(env.DatabasePath());
        QVERIFY(SetModifiedTime(packed("B_STICK"),
                                ModifiedTime(env.DatabasePath()).value() - driveAge * 1000000000));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        if (answer != 0) {
            MessageTestSeam::QueueAnswer(answer);
        }
        if (answer == MsgAnswerYes) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK); // where the book taken is kept
        }
        UnPackCommand(m_host);
        VerifyNoUnexpectedMessages();
        QCOMPARE(MessageTestSeam::Answered().first().title, QStringLiteral("Quillmarsh - UnPack"));
        const QString time1 = ReadText(QStringLiteral("Settings\\TimeTable"), QStringLiteral("Time1"));
        if (answer != MsgAnswerYes) {
            QCOMPARE(m_host.calls,
                     answer == 0 ? QStringList{"briefly File is Up To Date..."} : QStringList());
            QCOMPARE(Bytes(env.DatabasePath()), local);
            QCOMPARE(time1, QStringLiteral("8:30"));
            QVERIFY(KeptCopies(env.ProgramFolder()).isEmpty());
            return;
        }
        QCOMPARE(Bytes(env.DatabasePath()), Bytes(packed("B_STICK")));
        QCOMPARE(ModifiedTime(env.DatabasePath()), ModifiedTime(packed("B_STICK")));
        const QStringList kept = KeptCopies(env.ProgramFolder());
        QCOMPARE(kept.size(), 1);
        QCOMPARE(Bytes(env.ProgramFolder() + QLatin1Char('/') + kept.first()), local);
        QVERIFY(MessageTestSeam::Answered().last().text.contains(kept.first()));
        QCOMPARE(time1, QStringLiteral("7:55"));
        QCOMPARE(DayRecords().Field(QStringLiteral("Notes")).toString(), QStringLiteral("from school"));
        QCOMPARE(m_host.calls.first(), QStringLiteral("progress Updating now.  One Moment Please..."));
        QCOMPARE(m_host.calls.last(), QStringLiteral("close progress"));
    }

    void unpackRefusesWhatIsNoBook_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("foreign database") << "foreign";
        QTest::newRow("text file") << "text";
        QTest::newRow("more than 300 settings") << "settings";
    }

    void unpackRefusesWhatIsNoBook() {
        QFETCH(QString, kind);
        TestEnvironment env;
        openPackedBook();
        putOnDrive("A_STICK", env.DatabasePath());
        const QString copy = packed("A_STICK");
        if (kind == QLatin1String("truncated")) {
            // Enough rows that the file spans many pages, then only its first half.
            for (int i = 0; i < 40; ++i) {
                QVERIFY(ExecSql(copy, QStringLiteral("INSERT INTO RegKeys VALUES ('Settings', ?, ?)"),
                                {QStringLiteral("K%1").arg(i), QString(3000, QLatin1Char('x'))}));
            }
            const QByteArray whole = Bytes(copy);
            QFile file(copy);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(whole.left(whole.size() / 2));
        } else if (kind == QLatin1String("foreign")) {
            QFile::remove(copy);
            QVERIFY(ExecSql(copy, QStringLiteral("CREATE TABLE Photos (Name TEXT)")));
        } else if (kind == QLatin1String("text")) {
            QFile file(copy);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(5000, 'q'));
        } else {
            for (int i = 0; i < kMaxRegKeyRows + 1; ++i) {
                QVERIFY(ExecSql(copy, QStringLiteral("INSERT INTO RegKeys VALUES ('Settings', ?, 'x')"),
                                {QStringLiteral("K%1").arg(i)}));
            }
        }
        QVERIFY(SetModifiedTime(copy, ModifiedTime(env.DatabasePath()).value() + 3600LL * 1000000000));
        const QByteArray local = Bytes(env.DatabasePath());
        const QByteArray settings = Bytes(env.SettingsFile());
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        if (kind == QLatin1String("settings")) {
            MessageTestSeam::QueueAnswer(MsgAnswerYes); // a book all the same: take it
        }
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        UnPackCommand(m_host);
        VerifyNoUnexpectedMessages();
        const auto& last = MessageTestSeam::Answered().last();
        QVERIFY2(last.text.startsWith(QStringLiteral("The book on the drive could not be taken")) &&
                     last.text.contains(QStringLiteral("The file ")),
                 qPrintable(last.text));
        QVERIFY(KeptCopies(env.ProgramFolder()).isEmpty());
        QCOMPARE(last.title, QStringLiteral("Quillmarsh - UnPack"));
        QCOMPARE(last.icon, int(MsgAlert));
        QCOMPARE(Bytes(env.DatabasePath()), local);
        QCOMPARE(Bytes(env.SettingsFile()), settings);
        QVERIFY(QDir(env.ProgramFolder())
                    .entryList({QStringLiteral(".*copy*")}, QDir::Hidden | QDir::Files)
                    .isEmpty());
        // The page is back on the book in use.
        QVERIFY(DayRecords().IsOpen());
        QCOMPARE(DayRecords().Field(QStringLiteral("Date")).toString(), QStringLiteral("2026-10-14"));
    }

    void tooManySettingsStopThePack() {
        TestEnvironment env;
        openPackedBook();
        putOnDrive("A_STICK", env.DatabasePath());
        const QByteArray before = Bytes(packed("A_STICK"));
        for (int i = 0; i < kMaxRegKeyRows; ++i) {
            SaveText(QStringLiteral("Settings\\HolidayNames"), QStringLiteral("Extra%1").arg(i),
                     QStringLiteral("x"));
        }
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        const auto& error = MessageTestSeam::Answered().last();
        QVERIFY(error.text.startsWith(QStringLiteral("9\r\nSubscript out of range")));
        QCOMPARE(error.title, QStringLiteral("Quillmarsh - Pack To Go"));
        QCOMPARE(error.icon, int(MsgAlert));
        QCOMPARE(Bytes(packed("A_STICK")), before);
        QVERIFY(Effects("PackDate").isEmpty());
        QCOMPARE(QueryValue(env.DatabasePath(), QStringLiteral("SELECT count(*) FROM RegKeys")).toInt(), 0);
        QCOMPARE(m_host.calls.last(), QStringLiteral("close progress"));
    }

    // A copy that may not be on the drive is no pack: the teacher is told, and neither the pack's
    // date nor the exchange is kept. A pack whose date cannot be kept says so too.
    void aFailedCopyIsNoPack_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("the drive is full") << "full"
                                           << "61\r\nDisk full";
        QTest::newRow("the drive's folder cannot be synced") << "sync"
                                                             << "could not be synced";
        QTest::newRow("the settings file cannot be written after") << "settings"
                                                                   << "settings file could not be written";
    }

    void aFailedCopyIsNoPack() {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        TestEnvironment env;
        openPackedBook();
        putOnDrive("A_STICK", env.DatabasePath());
        const QByteArray before = Bytes(packed("A_STICK"));
        const QByteArray local = Bytes(env.DatabasePath());
        const QString exchanged = ReadText(QStringLiteral("PackToGo"), QStringLiteral("QLM.mdb History"));
        if (failure == QLatin1String("full")) {
            FileCopySeam::SetBlockHookForTests([](int blocks) { return blocks < 2; }, 1024);
        } else {
            FileCopySeam::SetStepFailureForTests([&](FileCopySeam::Step step) {
                const bool onDrive = Bytes(packed("A_STICK")) != before;
                if (failure == QLatin1String("sync")) {
                    return step == FileCopySeam::Step::SyncFolder && onDrive ? EIO : 0;
                }
                return step == FileCopySeam::Step::Write && onDrive ? ENOSPC : 0;
            });
        }
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        const QString text = MessageTestSeam::Answered().last().text;
        QVERIFY2(text.contains(message), qPrintable(text));
        QCOMPARE(MessageTestSeam::Answered().last().title, QStringLiteral("Quillmarsh - Pack To Go"));
        QCOMPARE(Bytes(packed("A_STICK")) == before, failure == QLatin1String("full"));
        // Whatever reached the drive, the book in use is as it was.
        QCOMPARE(Bytes(env.DatabasePath()), local);
        QVERIFY(Effects("PackDate").isEmpty());
        if (failure != QLatin1String("settings")) {
            QCOMPARE(ReadText(QStringLiteral("PackToGo"), QStringLiteral("QLM.mdb History")), exchanged);
        }
        // The page came back on the book.
        QVERIFY(m_host.calls.contains(QStringLiteral("load page")));
        QVERIFY(DayRecords().IsOpen());
    }

    void keepsASingleRowAheadOfTheSettings_data() {
        QTest::addColumn<int>("rowsBefore");
        QTest::newRow("empty") << 0;
        QTest::newRow("one row stays") << 1;
        QTest::newRow("three rows go") << 3;
    }

    void keepsASingleRowAheadOfTheSettings() {
        QFETCH(int, rowsBefore);
        TestEnvironment env;
        for (int i = 0; i < rowsBefore; ++i) {
            QVERIFY(ExecSql(env.DatabasePath(), QStringLiteral("INSERT INTO RegKeys VALUES ('Old', ?, 'v')"),
                            {QStringLiteral("K%1").arg(i)}));
        }
        openPackedBook();
        PackError error;
        QVERIFY(SaveSettingsToDataBase(RegKeyRecords(), 1, QStringLiteral("2026-10-14T16:05:00"), &error));
        QList<RegKeyRow> expected = CollectPackedSettings(1, QStringLiteral("2026-10-14T16:05:00"));
        if (rowsBefore == 1) {
            expected.prepend({QStringLiteral("Old"), QStringLiteral("K0"), QStringLiteral("v")});
        }
        QCOMPARE(StoredRows(env.DatabasePath()), expected);
    }

    void restoresOnlyWhatThePackWrites_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("restored");
        QTest::newRow("general") << "Settings"
                                 << "TeacherNum"
                                 << "Settings";
        QTest::newRow("timetable with backslash") << "\\Settings\\TimeTable"
                                                  << "Time1"
                                                  << "Settings\\TimeTable";
        QTest::newRow("timetable plain") << "settings\\timetable"
                                         << "Time1"
                                         << "Settings\\TimeTable";
        QTest::newRow("other teacher") << "Settings\\Effects2"
                                       << "PackRun"
                                       << "Settings\\Effects2";
        QTest::newRow("menu is not carried") << "Settings\\Menu1"
                                             << "MenuStyle"
                                             << "";
        QTest::newRow("unknown section") << "Other"
                                         << "A"
                                         << "";
        QTest::newRow("section header in key") << "Settings"
                                               << "A]\n[Evil"
                                               << "";
        QTest::newRow("line break in key") << "Settings"
                                           << "A\r\nB=1"
                                           << "";
        QTest::newRow("equals in key") << "Settings"
                                       << "A=B"
                                       << "";
        QTest::newRow("empty key") << "Settings"
                                   << ""
                                   << "";
    }

    void restoresOnlyWhatThePackWrites() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, restored);
        QCOMPARE(RestoredSection(section, key), restored);
    }

    void restoreKeepsTheSettingsFileWhole() {
        TestEnvironment env;
        const QList<QVariantList> rows{
            {QStringLiteral("Settings"), QStringLiteral("Evil]"), QStringLiteral("1")},
            {QStringLiteral("\\Settings\\TimeTable"), QStringLiteral("Time2"),
             QStringLiteral("9:00\r\n[Settings\\Menu1]\r\nMenuStyle=9")},
            {QStringLiteral("Settings\\Dates"), QStringLiteral("TermStart1"), QStringLiteral("2026-09-02")},
            {QStringLiteral("Settings\\Dates"), QStringLiteral("TermStart1"), QStringLiteral("2026-09-03")}};
        for (const QVariantList& row : rows) {
            QVERIFY(ExecSql(env.DatabasePath(), QStringLiteral("INSERT INTO RegKeys VALUES (?, ?, ?)"), row));
        }
        Recordset keys;
        keys.setConnectionString(ConnectionStringFor(env.DatabasePath()));
        keys.setCommandType(Recordset::CommandType::Table);
        keys.setRecordSource(QStringLiteral("RegKeys"));
        PackError error;
        QVERIFY(RestoreSettingsFromDataBase(keys, &error));
        SettingsStore::Reset();
        QCOMPARE(ReadText(QStringLiteral("Settings\\TimeTable"), QStringLiteral("Time2")),
                 QStringLiteral("9:00\r\n[Settings\\Menu1]\r\nMenuStyle=9"));
        QCOMPARE(ReadText(QStringLiteral("Settings\\Menu1"), QStringLiteral("MenuStyle")), QString());
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("Evil]")), QString());
        // Later rows win.
        QCOMPARE(ReadText(QStringLiteral("Settings\\Dates"), QStringLiteral("TermStart1")),
                 QStringLiteral("2026-09-03"));
    }

    void theQuestionAndTheMissingDrive_data() {
        QTest::addColumn<int>("command"); // 0 Pack, 1 UnPack, 2 the start-up offer
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("pack") << 0 << "Quillmarsh - Pack To Go"
                              << "Unable to Update your DataBase File.";
        QTest::newRow("unpack") << 1 << "Quillmarsh - UnPack"
                                << "Unable to Update your DataBase File.";
        QTest::newRow("offer") << 2 << "Quillmarsh - Pack To Go Update"
                               << "Unable to Update your DataBase File.";
    }

    void theQuestionAndTheMissingDrive() {
        QFETCH(int, command);
        QFETCH(QString, title);
        QFETCH(QString, lastLine);
        TestEnvironment env;
        openPackedBook();
        const auto run = [this, command] {
            command == 0 ? PackDataBase(m_host) : command == 1 ? UnPackCommand(m_host) : OfferUnPack(m_host);
        };
        // No: nothing more.
        MessageTestSeam::QueueAnswer(MsgAnswerNo);
        run();
        QCOMPARE(MessageTestSeam::Answered().size(), 1);
        const auto& question = MessageTestSeam::Answered().first();
        QCOMPARE(question.title, title);
        QCOMPARE(question.icon, int(MsgQuestion));
        QVERIFY(question.text.endsWith(QStringLiteral("Is your Portable Device inserted?")));
        // Yes, but no drive.
        RemovableDrivesSeam::SetDrivesForTests({});
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        run();
        VerifyNoUnexpectedMessages();
        const auto& missing = MessageTestSeam::Answered().last();
        QCOMPARE(missing.text,
                 QStringLiteral("There does not seem to be a Portable\r\nDrive attached.\r\n\r\n") +
                     lastLine);
        QCOMPARE(missing.title, QStringLiteral("Quillmarsh - Portable Drive"));
        QCOMPARE(missing.helpContext, 340);
        QVERIFY(m_host.calls.isEmpty());
    }

    void firstPackOntoANewFolder() {
        TestEnvironment env;
        openPackedBook();
        QString folder;
        QString reason;
        QVERIFY2(CreatePackFolder(drive("A_STICK"), &folder, &reason), qPrintable(reason));
        Globals().PackPath = folder;
        QCOMPARE(FirstPack(m_host), PackOutcome::Packed);
        VerifyNoUnexpectedMessages();
        QCOMPARE(Days(packed("A_STICK")), Days(env.DatabasePath()));
        QVERIFY(!Effects("PackDate").isEmpty());
        QCOMPARE(Effects("PackConfig"), QStringLiteral("True"));
        // A folder that went away: said why, no date, the page back.
        Globals().PackPath = drive("A_STICK") + QStringLiteral("/GONE");
        const QString date = Effects("PackDate");
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QCOMPARE(FirstPack(m_host), PackOutcome::Failed);
        VerifyNoUnexpectedMessages();
        QVERIFY(MessageTestSeam::Answered().last().text.startsWith(QStringLiteral("53\r\nFile not found")));
        QCOMPARE(Effects("PackDate"), date);
        QVERIFY(DayRecords().IsOpen());
    }

    // Computer B's first pack (or a pack) finds computer A's book on the drive: it is replaced
    // only on the teacher's word. The drive's own pack from here, or the same book, is not asked.
    void aBookOnTheDriveIsReplacedOnlyWhenAsked_data() {
        QTest::addColumn<QString>("onDrive"); // "other", "ours", "same"
        QTest::addColumn<bool>("first");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::newRow("first pack, other book kept") << "other" << true << int(MsgAnswerCancel);
        QTest::newRow("first pack, other book replaced") << "other" << true << int(MsgAnswerNo);
        QTest::newRow("pack, other book kept") << "other" << false << int(MsgAnswerCancel);
        QTest::newRow("first pack, our last pack") << "ours" << true << 0;
        QTest::newRow("first pack, the same book") << "same" << true << 0;
    }

    void aBookOnTheDriveIsReplacedOnlyWhenAsked() {
        QFETCH(QString, onDrive);
        QFETCH(bool, first);
        QFETCH(int, answer);
        TestEnvironment env;
        openPackedBook();
        Globals().PackPath = drive("A_STICK") + QStringLiteral("/VNT");
        if (onDrive == QLatin1String("other")) {
            // Another computer's book: its own teacher and pack date.
            putOnDrive("A_STICK", env.DatabasePath());
            QVERIFY(ExecSql(packed("A_STICK"),
                            QStringLiteral("INSERT INTO RegKeys (Section, Key, Value) VALUES "
                                           "('Settings', 'TeacherName1', 'Mr. Other'), "
                                           "('Settings\\Effects1', 'PackDate', '2026-10-13T17:00:00'), "
                                           "('Settings', 'Year', 'A full year of notes')"),
                            {}));
        } else {
            if (onDrive == QLatin1String("ours")) {
                QDir().mkpath(Globals().PackPath);
                QCOMPARE(FirstPack(m_host), PackOutcome::Packed);
                QVERIFY(ExecSql(env.DatabasePath(),
                                QStringLiteral("UPDATE QLM SET Notes = 'later' WHERE Date = '2026-10-14'"),
                                {}));
            } else {
                putOnDrive("A_STICK", env.DatabasePath());
            }
            SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackConfig"),
                     QStringLiteral("False"));
        }
        const QByteArray before = Bytes(packed("A_STICK"));
        const QString dateBefore = Effects("PackDate");
        if (!first) {
            MessageTestSeam::QueueAnswer(MsgAnswerYes); // the device is inserted
        }
        if (answer != 0) {
            MessageTestSeam::QueueAnswer(answer);
        }
        if (answer == MsgAnswerNo) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK); // where the drive's book is kept
        }
        const PackOutcome outcome = first ? FirstPack(m_host) : (PackDataBase(m_host), PackOutcome::Failed);
        VerifyNoUnexpectedMessages();
        const bool replaced = answer != MsgAnswerCancel;
        if (answer != 0) {
            const auto& question = Question();
            QVERIFY2(question.text.contains(QStringLiteral("Mr. Other")) &&
                         question.text.contains(QStringLiteral("October 13, 2026 at 5:00 PM")),
                     qPrintable(question.text));
            QCOMPARE(question.buttons, int(MsgYesNoCancel));
        }
        QCOMPARE(Bytes(packed("A_STICK")) == before, !replaced);
        QCOMPARE(Days(packed("A_STICK")), Days(env.DatabasePath()));
        // Only the book the teacher chose to replace is kept, as it was.
        const QStringList kept = KeptCopies(env.ProgramFolder());
        QCOMPARE(kept.size(), answer == MsgAnswerNo ? 1 : 0);
        if (answer == MsgAnswerNo) {
            QCOMPARE(Bytes(env.ProgramFolder() + QLatin1Char('/') + kept.first()), before);
        }
        if (!replaced) {
            QCOMPARE(Effects("PackDate"), dateBefore);
        }
        if (first) {
            QCOMPARE(outcome, replaced ? PackOutcome::Packed : PackOutcome::Kept);
            QCOMPARE(Effects("PackConfig"), replaced ? QStringLiteral("True") : QStringLiteral(""));
        }
        QVERIFY(DayRecords().IsOpen());
    }

    // A second computer joins a drive that holds the first one's year: it may take that book,
    // replace it, or leave both as they were. Taken, the two trade edits without a question
    // whatever their clocks say: B's clock is two hours behind A's here.
    void aSecondComputerJoins_data() { threeAnswers(); }

    void aSecondComputerJoins() {
        QFETCH(int, answer);
        TestEnvironment env;
        TwoComputers computers(env);
        configureA(computers);
        QVERIFY(WriteNotes(computers.book('A'), QStringLiteral("A's year")));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        const QByteArray packedByA = Bytes(packed("A_STICK"));

        computers.installB();
        const QByteArray booksOfB = Bytes(computers.book('B'));
        MessageTestSeam::QueueAnswer(answer);
        if (answer != MsgAnswerCancel) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK); // where the replaced book is kept
        }
        const PackOutcome outcome = configure("A_STICK");
        VerifyNoUnexpectedMessages();
        const auto& question = Question();
        QCOMPARE(question.buttons, int(MsgYesNoCancel));
        QVERIFY2(question.text.contains(QStringLiteral("On the drive: the book of Ms. Avery, packed on")) &&
                     question.text.contains(QStringLiteral("On this computer: the book of Mr. Brook")),
                 qPrintable(question.text));
        if (answer == MsgAnswerCancel) {
            QCOMPARE(outcome, PackOutcome::Kept);
            QCOMPARE(Bytes(packed("A_STICK")), packedByA);
            QCOMPARE(Bytes(computers.book('B')), booksOfB);
            QCOMPARE(Effects("PackConfig"), QString());
            return;
        }
        if (answer == MsgAnswerNo) {
            QCOMPARE(outcome, PackOutcome::Packed);
            QCOMPARE(Days(packed("A_STICK")), Days(computers.book('B')));
            return;
        }
        QCOMPARE(outcome, PackOutcome::Taken);
        QCOMPARE(Bytes(packed("A_STICK")), packedByA);
        QCOMPARE(Bytes(computers.book('B')), packedByA);
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("TeacherName1")),
                 QStringLiteral("Ms. Avery"));
        QCOMPARE(Effects("PackConfig"), QStringLiteral("True"));
        QCOMPARE(Effects("PackRun"), QStringLiteral("1"));

        // B edits with its clock behind and packs; A's offer takes the edit, and back again.
        computers.use('B');
        QVERIFY(WriteNotes(computers.book('B'), QStringLiteral("B's lesson")));
        QVERIFY(SetModifiedTime(computers.book('B'), *ModifiedTime(packed("A_STICK")) - 7200LL * 1000000000));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        computers.use('A');
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        OfferUnPack(m_host);
        QCOMPARE(NotesOn(computers.book('A')), QStringLiteral("B's lesson"));
        QVERIFY(WriteNotes(computers.book('A'), QStringLiteral("A again")));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        computers.use('B');
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        UnPackCommand(m_host);
        VerifyNoUnexpectedMessages();
        QCOMPARE(NotesOn(computers.book('B')), QStringLiteral("A again"));
        // Opened and closed without an edit, each book still counts as the one exchanged.
        computers.use('A');
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        UnPackCommand(m_host);
        VerifyNoUnexpectedMessages();
        QCOMPARE(m_host.calls.last(), QStringLiteral("briefly File is Up To Date..."));
    }

    // Both books changed since they were last exchanged: the teacher chooses, and the default
    // changes nothing.
    void bothChangedIsAConflict_data() { threeAnswers(); }

    void bothChangedIsAConflict() {
        QFETCH(int, answer);
        TestEnvironment env;
        TwoComputers computers(env);
        bothEdited(computers);
        const QByteArray onDrive = Bytes(packed("A_STICK"));
        const QByteArray ofB = Bytes(computers.book('B'));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(answer);
        if (answer != MsgAnswerCancel) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK); // where the replaced book is kept
        }
        UnPackCommand(m_host);
        VerifyNoUnexpectedMessages();
        QVERIFY(Question().text.contains(QStringLiteral("Both books have changed")));
        // Whichever book an answer replaced is kept on B, and the command says so.
        if (answer != MsgAnswerCancel) {
            QCOMPARE(MessageTestSeam::Answered().last().title, QStringLiteral("Quillmarsh - UnPack"));
            const QString replaced =
                answer == MsgAnswerYes ? QStringLiteral("B's edit") : QStringLiteral("A's edit");
            const QString folderB = QFileInfo(computers.book('B')).path();
            const QStringList kept = KeptCopies(folderB);
            QVERIFY(std::any_of(kept.begin(), kept.end(), [&](const QString& name) {
                return NotesOn(folderB + QLatin1Char('/') + name) == replaced;
            }));
        }
        QCOMPARE(NotesOn(computers.book('B')),
                 answer == MsgAnswerYes ? QStringLiteral("A's edit") : QStringLiteral("B's edit"));
        QCOMPARE(NotesOn(packed("A_STICK")),
                 answer == MsgAnswerNo ? QStringLiteral("B's edit") : QStringLiteral("A's edit"));
        if (answer == MsgAnswerCancel) {
            QCOMPARE(Bytes(packed("A_STICK")), onDrive);
            QCOMPARE(Bytes(computers.book('B')), ofB);
        }
    }

    // The drive holds a book that does not follow from this computer's last exchange: an older
    // copy put back, another teacher's book, or the book the other computer put in place of this
    // one's at a question. Each is asked about, the default changes nothing, and whatever the
    // answer every mark typed on a computer is still in its book, a kept copy, or on the stick.
    void aBookThatDoesNotFollowIsAskedAbout_data() {
        QTest::addColumn<QString>("drive"); // "older", "another", "replaced"
        QTest::addColumn<int>("answer");
        for (const char* drive : {"older", "another", "replaced"}) {
            QTest::addRow("%s, take", drive) << drive << int(MsgAnswerYes);
            QTest::addRow("%s, replace", drive) << drive << int(MsgAnswerNo);
            QTest::addRow("%s, neither", drive) << drive << int(MsgAnswerCancel);
        }
    }

    void aBookThatDoesNotFollowIsAskedAbout() {
        QFETCH(QString, drive);
        QFETCH(int, answer);
        TestEnvironment env;
        TwoComputers computers(env);
        configureA(computers);
        QList<QPair<char, int>> marks; // computer, day (the text is the two together)
        const auto mark = [&](char computer, int day) {
            marks.append({computer, day});
            return Mark(computers.book(computer), day, QStringLiteral("%1-%2").arg(computer).arg(day));
        };
        const auto pack = [&] {
            MessageTestSeam::QueueAnswer(MsgAnswerYes);
            PackDataBase(m_host);
        };
        const auto unpack = [&] {
            MessageTestSeam::QueueAnswer(MsgAnswerYes);
            UnPackCommand(m_host);
        };
        computers.installB();
        if (drive == QLatin1String("another")) {
            // B keeps a book of its own on its own stick; A's stick comes in its place.
            QCOMPARE(configure("B_STICK"), PackOutcome::Packed);
            QVERIFY(mark('B', 5));
        } else {
            MessageTestSeam::QueueAnswer(MsgAnswerYes);
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
            QCOMPARE(configure("A_STICK"), PackOutcome::Taken);
            QVERIFY(mark('B', 5));
            pack();
            computers.use('A');
            unpack();
            QVERIFY(mark('A', 6));
            const QByteArray older = Bytes(packed("A_STICK"));
            pack();
            if (drive == QLatin1String("older")) {
                putOnDrive("A_STICK", computers.book('A')); // only to make the folder
                QFile file(packed("A_STICK"));
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                file.write(older);
            } else {
                // B changes its book too, and at the conflict replaces the drive's with it.
                computers.use('B');
                QVERIFY(mark('B', 7));
                MessageTestSeam::QueueAnswer(MsgAnswerYes);
                MessageTestSeam::QueueAnswer(MsgAnswerNo);
                MessageTestSeam::QueueAnswer(MsgAnswerOK);
                UnPackCommand(m_host);
                VerifyNoUnexpectedMessages();
                QVERIFY(Question().text.contains(QStringLiteral("Both books have changed")));
                computers.use('A');
            }
        }
        if (drive == QLatin1String("another")) {
            RemovableDrivesSeam::SetDrivesForTests({this->drive("A_STICK")});
        }
        const char here = drive == QLatin1String("another") ? 'B' : 'A';
        const QByteArray before = Bytes(computers.book(here));
        const QByteArray onDrive = Bytes(packed("A_STICK"));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(answer);
        if (answer != MsgAnswerCancel) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        OfferUnPack(m_host);
        VerifyNoUnexpectedMessages();
        const QString why = drive == QLatin1String("another") ? QStringLiteral("another book")
                                                              : QStringLiteral("older than, or apart from");
        QVERIFY2(Question().text.contains(why), qPrintable(Question().text));
        if (answer == MsgAnswerCancel) {
            QCOMPARE(Bytes(computers.book(here)), before);
            QCOMPARE(Bytes(packed("A_STICK")), onDrive);
        }
        QCOMPARE(Bytes(packed("A_STICK")) == onDrive, answer != MsgAnswerNo);
        for (const auto& [computer, day] : marks) {
            const QString text = QStringLiteral("%1-%2").arg(computer).arg(day);
            const QString folder = QFileInfo(computers.book(computer)).path();
            QStringList places{computers.book(computer), packed("A_STICK"), packed("B_STICK")};
            for (const QString& kept : KeptCopies(folder)) {
                places << folder + QLatin1Char('/') + kept;
            }
            QVERIFY2(std::any_of(places.begin(), places.end(),
                                 [&](const QString& place) {
                                     return FileExists(place) && HasMark(place, day, text);
                                 }),
                     qPrintable(text));
        }
    }

    // Kept copies outlive every answer that did not replace their book: five copies are kept, each
    // the only place of some work, and a pack's question is answered. Only a replacement that
    // certainly happened prunes, by when the copies were kept (the oldest name here is the file
    // changed last), and never a copy the teacher worked in; a copy whose book may have been
    // replaced stays.
    void keptCopiesOutliveEveryFailure_data() {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QStringList>("staying"); // of the five kept before, by day
        QTest::addColumn<bool>("newCopy");
        const QStringList all{"01", "02", "03", "04", "05"};
        QTest::newRow("take refused") << "refused" << all << false;
        QTest::newRow("replace fails before the rename") << "no rename" << all << false;
        QTest::newRow("replace may have happened") << "no sync" << all << true;
        // The copies were kept from the 5th back to the 1st, as a clock set back each time names them.
        QTest::newRow("replaced") << "replaced" << QStringList{"01", "02", "03", "04"} << true;
        QTest::newRow("replaced, the oldest worked in") << "worked in" << all << true;
        QTest::newRow("replaced, the oldest of an earlier record") << "earlier" << all << true;
    }

    void keptCopiesOutliveEveryFailure() {
        QFETCH(QString, ending);
        QFETCH(QStringList, staying);
        QFETCH(bool, newCopy);
        TestEnvironment env;
        openPackedBook();
        const auto name = [](const QString& day) {
            return QStringLiteral("QLM - kept 2026-10-%1 08.00.mdb").arg(day);
        };
        for (const char* day : {"05", "04", "03", "02", "01"}) {
            const QString path = env.ProgramFolder() + QLatin1Char('/') + name(QLatin1String(day));
            QVERIFY(QFile::copy(env.DatabasePath(), path));
            QVERIFY(WriteNotes(path, QLatin1String("work of ") + QLatin1String(day)));
            KeptCopy kept;
            kept.ok = true;
            kept.name = name(QLatin1String(day));
            kept.fingerprint = FileFingerprint(path);
            RememberKeptCopy(QStringLiteral("\\QLM.mdb"), kept, false);
        }
        if (ending == QLatin1String("worked in")) {
            QVERIFY(WriteNotes(env.ProgramFolder() + QLatin1Char('/') + name(QStringLiteral("05")),
                               QStringLiteral("worked in since")));
        }
        if (ending == QLatin1String("earlier")) {
            // Recorded before copies had an order: its place among them is not known.
            QString record = ReadText(QStringLiteral("PackToGo"), QStringLiteral("QLM.mdb Kept"));
            QVERIFY(record.contains(QStringLiteral("|1,")));
            SaveText(QStringLiteral("PackToGo"), QStringLiteral("QLM.mdb Kept"),
                     record.replace(QStringLiteral("|1,"), QStringLiteral(",")));
        }
        // Another computer's book, which this one never exchanged.
        putOnDrive("A_STICK", env.DatabasePath());
        QVERIFY(WriteNotes(packed("A_STICK"), QStringLiteral("the drive's")));
        if (ending == QLatin1String("refused")) {
            for (int i = 0; i <= kMaxRegKeyRows; ++i) {
                QVERIFY(ExecSql(packed("A_STICK"),
                                QStringLiteral("INSERT INTO RegKeys VALUES ('Settings', ?, 'x')"),
                                {QStringLiteral("K%1").arg(i)}));
            }
        }
        // The copy onto the drive fails at its rename, or at the folder's sync just after it.
        const QString driveFolder = drive("A_STICK") + QStringLiteral("/VNT");
        bool renamedOnDrive = false;
        FileCopySeam::SetStepFailureForTests([&](FileCopySeam::Step step) {
            if (step == FileCopySeam::Step::Rename &&
                !QDir(driveFolder)
                     .entryList({QStringLiteral(".QLM.mdb.copy-*")}, QDir::Hidden | QDir::Files)
                     .isEmpty()) {
                renamedOnDrive = ending != QLatin1String("no rename");
                return renamedOnDrive ? 0 : EROFS;
            }
            return step == FileCopySeam::Step::SyncFolder && renamedOnDrive &&
                           ending == QLatin1String("no sync")
                       ? EIO
                       : 0;
        });
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(ending == QLatin1String("refused") ? MsgAnswerYes : MsgAnswerNo);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        if (newCopy && ending != QLatin1String("replaced") && ending != QLatin1String("worked in") &&
            ending != QLatin1String("earlier")) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK); // the failure, then where the copy is kept
        }
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        QStringList expected;
        for (const QString& day : staying) {
            expected << name(day);
        }
        QStringList kept = KeptCopies(env.ProgramFolder());
        const QStringList made = kept.filter(QStringLiteral("2026-10-14"));
        QCOMPARE(made.size(), newCopy ? 1 : 0);
        for (const QString& copy : made) {
            QCOMPARE(NotesOn(env.ProgramFolder() + QLatin1Char('/') + copy), QStringLiteral("the drive's"));
            kept.removeOne(copy);
        }
        std::sort(expected.begin(), expected.end());
        QCOMPARE(kept, expected);
        // A later replacement still prunes what the last one left.
        if (ending == QLatin1String("no sync")) {
            FileCopySeam::SetStepFailureForTests({});
            QVERIFY(WriteNotes(packed("A_STICK"), QStringLiteral("the drive's again")));
            MessageTestSeam::QueueAnswer(MsgAnswerYes);
            MessageTestSeam::QueueAnswer(MsgAnswerNo);
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
            PackDataBase(m_host);
            VerifyNoUnexpectedMessages();
            QCOMPARE(KeptCopies(env.ProgramFolder()).size(), kKeptCopiesPerBook);
        }
    }

    // Under a record of the kind kept before books carried their history, only a drive book that
    // starts from the book exchanged last follows from it; any other is not news.
    void anEarlierRecordTakesOnlyWhatFollows_data() {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QStringList>("history"); // the drive book's; empty: it carries none
        QTest::addColumn<int>("state");
        const QString last = QStringLiteral("100:aa");
        QTest::newRow("the book exchanged last")
            << "100:cc" << last << QStringList() << int(BookState::DriveKnown);
        QTest::newRow("no history, this book unchanged")
            << last << "100:bb" << QStringList() << int(BookState::NothingRemembered);
        QTest::newRow("no history, both changed")
            << "100:cc"
            << "100:bb" << QStringList() << int(BookState::NothingRemembered);
        QTest::newRow("a history from it, this book unchanged")
            << last << "100:bb" << QStringList{last, "0123456789ab"} << int(BookState::DriveNewer);
        QTest::newRow("a history from it, both changed")
            << "100:cc"
            << "100:bb" << QStringList{last, "0123456789ab"} << int(BookState::Conflict);
        QTest::newRow("a history from elsewhere")
            << last << "100:bb" << QStringList{"100:dd", "0123456789ab"} << int(BookState::NothingRemembered);
    }

    void anEarlierRecordTakesOnlyWhatFollows() {
        QFETCH(QString, local);
        QFETCH(QString, drive);
        QFETCH(QStringList, history);
        QFETCH(int, state);
        ExchangeRecord remembered;
        remembered.legacyLast = QStringLiteral("100:aa");
        BookHistory onDrive;
        if (!history.isEmpty()) {
            onDrive.book = QStringLiteral("fedcba987654");
            onDrive.exchanges = history;
        }
        QCOMPARE(int(JudgeExchange(local, drive, onDrive, remembered)), state);
    }

    // The drive's book carries a history section that no pack wrote. It tells nothing, so it is
    // asked about (never taken, nor replaced, in silence), the default changes nothing, and the
    // take refuses it: none of its rows reach this computer's book.
    // A read that fails (a flaky stick, another program holding the book, this computer's own
    // disk) judges nothing: the command says which book could not be read and why, and changes
    // no book, no copy and no record, so that the next try judges as before.
    void aBookThatCouldNotBeReadIsNeverJudged_data() {
        QTest::addColumn<QString>("unread"); // drive: a read fails; held: another program holds it
        QTest::addColumn<int>("command");    // 0 pack, 1 unpack, 2 the offer at start-up
        QTest::newRow("drive, pack") << "drive" << 0;
        QTest::newRow("drive, unpack") << "drive" << 1;
        QTest::newRow("drive, offer") << "drive" << 2;
        QTest::newRow("held, pack") << "held" << 0;
        QTest::newRow("held, unpack") << "held" << 1;
        QTest::newRow("this computer's, pack") << "local" << 0;
    }

    void aBookThatCouldNotBeReadIsNeverJudged() {
        QFETCH(QString, unread);
        QFETCH(int, command);
        TestEnvironment env;
        TwoComputers computers(env);
        bothEdited(computers);
        const QString failing = unread == QLatin1String("local") ? computers.book('B') : packed("A_STICK");
        const QList<QByteArray> before{Bytes(packed("A_STICK")), Bytes(computers.book('B')),
                                       Bytes(SettingsStore::FilePath(AppKey))};
        const QStringList keptBefore = KeptCopies(QFileInfo(computers.book('B')).path());
        auto run = [&] {
            command == 0 ? PackDataBase(m_host) : command == 1 ? UnPackCommand(m_host) : OfferUnPack(m_host);
        };
        {
            const auto restore = qScopeGuard([] { FileIdentitySeam::SetReadFailureForTests({}); });
            FileIdentitySeam::SetReadFailureForTests([&](const QString& path) {
                return unread != QLatin1String("held") && path == failing ? EIO : 0;
            });
            QSqlDatabase holder =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            holder.setDatabaseName(packed("A_STICK"));
            QVERIFY(holder.open());
            if (unread == QLatin1String("held")) {
                QVERIFY(holder.exec(QStringLiteral("BEGIN EXCLUSIVE")).lastError().type() ==
                        QSqlError::NoError);
            }
            MessageTestSeam::QueueAnswer(MsgAnswerYes);
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
            run();
            holder.close();
            holder = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        }
        VerifyNoUnexpectedMessages();
        const auto& said = MessageTestSeam::Answered().last();
        QVERIFY2(said.text.startsWith(unread == QLatin1String("local")
                                          ? QStringLiteral("This computer's book could not be read")
                                          : QStringLiteral("The book on the drive could not be read")) &&
                     said.text.contains(unread == QLatin1String("held")
                                            ? QStringLiteral("locked")
                                            : QString::fromLocal8Bit(std::strerror(EIO))),
                 qPrintable(said.text));
        QCOMPARE(said.icon, int(MsgAlert));
        QCOMPARE((QList<QByteArray>{Bytes(packed("A_STICK")), Bytes(computers.book('B')),
                                    Bytes(SettingsStore::FilePath(AppKey))}),
                 before);
        QCOMPARE(KeptCopies(QFileInfo(computers.book('B')).path()), keptBefore);
        // Read again, the two books are judged as before: both changed.
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerCancel);
        run();
        VerifyNoUnexpectedMessages();
        QVERIFY(Question().text.contains(QStringLiteral("Both books have changed")));
    }

    void aHistoryNoPackWroteIsNeverTaken_data() {
        QTest::addColumn<QString>("history");
        QTest::addColumn<bool>("pack"); // Pack To Go, or the start-up offer to unpack
        QTest::addColumn<int>("answer");
        for (const char* history :
             {"more rows", "an id of another form", "one id too many", "a long value"}) {
            for (const bool pack : {false, true}) {
                for (const int answer : {int(MsgAnswerCancel), int(MsgAnswerYes)}) {
                    QTest::addRow("%s, %s, %s", history, pack ? "pack" : "offer",
                                  answer == MsgAnswerYes ? "take" : "neither")
                        << history << pack << answer;
                }
            }
        }
    }

    void aHistoryNoPackWroteIsNeverTaken() {
        QFETCH(QString, history);
        QFETCH(bool, pack);
        QFETCH(int, answer);
        TestEnvironment env;
        openPackedBook();
        QCOMPARE(configure("A_STICK"), PackOutcome::Packed);
        const QString copy = packed("A_STICK");
        const QString appendToExchanges = QStringLiteral(
            "UPDATE RegKeys SET Value = Value || ? WHERE Section = 'PackToGo' AND Key = 'Exchanges'");
        if (history == QLatin1String("more rows")) {
            for (int i = 0; i < 3; ++i) {
                QVERIFY(ExecSql(copy, QStringLiteral("INSERT INTO RegKeys VALUES ('PackToGo', ?, 'x')"),
                                {QStringLiteral("Extra%1").arg(i)}));
            }
        } else if (history == QLatin1String("an id of another form")) {
            QVERIFY(ExecSql(copy, appendToExchanges, {QStringLiteral(",0123456789AB")}));
        } else {
            const int more = history == QLatin1String("one id too many") ? kMaxExchanges : 4 * kMaxExchanges;
            QVERIFY(ExecSql(copy, appendToExchanges, {QStringLiteral(",0123456789ab").repeated(more)}));
        }
        const QByteArray local = Bytes(env.DatabasePath());
        const QByteArray onDrive = Bytes(copy);
        const QByteArray settings = Bytes(env.SettingsFile());
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(answer);
        if (answer == MsgAnswerYes) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        if (pack) {
            PackDataBase(m_host);
        } else {
            OfferUnPack(m_host);
        }
        VerifyNoUnexpectedMessages();
        QCOMPARE(MessageTestSeam::QueuedAnswers(), 0);
        QVERIFY2(Question().text.contains(QStringLiteral("history that this computer cannot read")),
                 qPrintable(Question().text));
        // Either answer would keep the book it replaces.
        QVERIFY(Question().text.contains(QStringLiteral("This computer's book is first kept")));
        QVERIFY(Question().text.contains(QStringLiteral("The drive's book is first kept")));
        if (answer == MsgAnswerYes) {
            const auto& refused = MessageTestSeam::Answered().last();
            QVERIFY2(refused.text.startsWith(QStringLiteral("The book on the drive could not be taken")) &&
                         refused.text.contains(QStringLiteral("The file carries a Pack To Go history")),
                     qPrintable(refused.text));
        }
        QCOMPARE(Bytes(env.DatabasePath()), local);
        QCOMPARE(Bytes(copy), onDrive);
        QCOMPARE(Bytes(env.SettingsFile()), settings);
        if (answer == MsgAnswerCancel) {
            QVERIFY(KeptCopies(env.ProgramFolder()).isEmpty());
        }
    }

    // A pack killed after its copy reached the drive and before it was remembered, and a pack
    // that failed: neither leaves this computer asked after the other's next pack.
    void anInterruptedOrFailedPackAsksNothingLater_data() {
        QTest::addColumn<bool>("killed");
        QTest::newRow("killed after the copy") << true;
        QTest::newRow("failed copy") << false;
    }

    void anInterruptedOrFailedPackAsksNothingLater() {
        QFETCH(bool, killed);
        TestEnvironment env;
        TwoComputers computers(env);
        joinBToA(computers);
        computers.use('A');
        // A's work since the join travels with the killed pack: it is that pack's own book.
        if (killed) {
            QVERIFY(Mark(computers.book('A'), 8, QStringLiteral("A's")));
        }
        const QByteArray bookOfA = Bytes(computers.book('A'));
        // The second copy of the pack is the one onto the drive.
        int copies = 0;
        QByteArray settingsAtTheDrive;
        FileCopySeam::SetBlockHookForTests(
            [&](int blocks) {
                copies += blocks == 1;
                if (copies == 2 && killed) {
                    settingsAtTheDrive = Bytes(env.SettingsFile());
                }
                return killed || copies < 2;
            },
            1 << 16);
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        if (!killed) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        FileCopySeam::SetBlockHookForTests({}, 0);
        QCOMPARE(Bytes(computers.book('A')), bookOfA);
        if (killed) {
            QFile settings(env.SettingsFile());
            QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
            settings.write(settingsAtTheDrive);
        }
        computers.use('B');
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        UnPackCommand(m_host);
        QVERIFY(Mark(computers.book('B'), 9, QStringLiteral("B's")));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        computers.use('A');
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        UnPackCommand(m_host);
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        QVERIFY(HasMark(computers.book('A'), 9, QStringLiteral("B's")));
        QVERIFY(HasMark(packed("A_STICK"), 9, QStringLiteral("B's")));
        QCOMPARE(HasMark(computers.book('A'), 8, QStringLiteral("A's")), killed);
    }

    // An unpack killed after the book was in place and before its settings were written back, or
    // one whose settings could not be written then: the next start writes them back whatever was
    // typed since, so the next pack neither sends the old ones nor asks about the edit.
    void anInterruptedUnPackRestoresAtTheNextStart_data() {
        QTest::addColumn<bool>("killed");
        QTest::newRow("killed after the rename") << true;
        QTest::newRow("settings not written, then an edit") << false;
    }

    void anInterruptedUnPackRestoresAtTheNextStart() {
        QFETCH(bool, killed);
        TestEnvironment env;
        TwoComputers computers(env);
        joinBToA(computers);
        computers.use('A');
        SaveText(QStringLiteral("Settings"), QStringLiteral("TeacherName1"),
                 QStringLiteral("Ms. Avery-Hart"));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        computers.use('B');

        QByteArray settingsAtTheRename;
        QString settingsFile;
        bool inPlace = false;
        FileCopySeam::SetStepFailureForTests([&](FileCopySeam::Step step) {
            if (step == FileCopySeam::Step::SyncFolder && !inPlace &&
                Bytes(computers.book('B')) == Bytes(packed("A_STICK"))) {
                inPlace = true;
                settingsFile = SettingsStore::FilePath(AppKey);
                settingsAtTheRename = Bytes(settingsFile);
            }
            // A disk that fills once the book is in place.
            return !killed && inPlace && step == FileCopySeam::Step::Write ? ENOSPC : 0;
        });
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        if (!killed) {
            MessageTestSeam::QueueAnswer(MsgAnswerOK);
        }
        UnPackCommand(m_host);
        FileCopySeam::SetStepFailureForTests({});
        VerifyNoUnexpectedMessages();
        QVERIFY(!settingsAtTheRename.isEmpty());
        if (killed) {
            QFile settings(settingsFile);
            QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
            settings.write(settingsAtTheRename);
        } else {
            QVERIFY(MessageTestSeam::Answered().last().text.contains(QStringLiteral("at the next start")));
            QVERIFY(Mark(computers.book('B'), 12, QStringLiteral("B's after the take")));
        }
        SettingsStore::Reset();
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("TeacherName1")),
                 QStringLiteral("Ms. Avery"));
        TidyAfterInterruptedSaves();
        QCOMPARE(ReadText(QStringLiteral("Settings"), QStringLiteral("TeacherName1")),
                 QStringLiteral("Ms. Avery-Hart"));
        computers.use('B');
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        if (killed) {
            // The book counts as the one exchanged: nothing to take.
            UnPackCommand(m_host);
            VerifyNoUnexpectedMessages();
            QCOMPARE(m_host.calls.last(), QStringLiteral("briefly File is Up To Date..."));
        } else {
            // The edit is packed without a question.
            PackDataBase(m_host);
            VerifyNoUnexpectedMessages();
            QVERIFY(HasMark(packed("A_STICK"), 12, QStringLiteral("B's after the take")));
        }
    }

    // Two books in one drive folder are judged apart; and a pack cut short between its copy and
    // its record asks nothing afterwards.
    void theJudgementRestsOnTheBooks() {
        TestEnvironment env;
        openPackedBook();
        QCOMPARE(configure("A_STICK"), PackOutcome::Packed);
        // Other.mdb is packed into the same folder after QLM.mdb.
        QVERIFY(QFile::copy(env.DatabasePath(), env.ProgramFolder() + QStringLiteral("/Other.mdb")));
        Globals().DBaseFileName = QStringLiteral("\\Other.mdb");
        QCOMPARE(FirstPack(m_host), PackOutcome::Packed);
        Globals().DBaseFileName = QStringLiteral("\\QLM.mdb");
        QVERIFY(WriteNotes(env.DatabasePath(), QStringLiteral("later")));
        // The record of the pack is lost as a kill would lose it: the settings file is put back
        // as it was while the copy ran.
        QByteArray settingsDuringCopy;
        FileCopySeam::SetBlockHookForTests(
            [&](int) {
                settingsDuringCopy = Bytes(env.SettingsFile());
                return true;
            },
            1 << 16);
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        FileCopySeam::SetBlockHookForTests({}, 0);
        QFile settings(env.SettingsFile());
        QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write(settingsDuringCopy);
        settings.close();
        SettingsStore::Reset();
        QVERIFY(WriteNotes(env.DatabasePath(), QStringLiteral("later still")));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        QCOMPARE(NotesOn(packed("A_STICK")), QStringLiteral("later still"));
    }

    // The drive or its book changes while the teacher answers the question: nothing is written
    // onto the stick now in place, and nothing taken from it.
    void aSwappedStickIsNeverWritten_data() {
        QTest::addColumn<QString>("swap"); // "book": another file in its place; "stick": another serial
        QTest::addColumn<bool>("unpack");
        QTest::newRow("pack, another book in its place") << "book" << false;
        QTest::newRow("pack, another stick at the same device") << "stick" << false;
        QTest::newRow("unpack, another book in its place") << "book" << true;
    }

    void aSwappedStickIsNeverWritten() {
        QFETCH(QString, swap);
        QFETCH(bool, unpack);
        TestEnvironment env;
        openPackedBook();
        QCOMPARE(configure("A_STICK"), PackOutcome::Packed);
        // Both books change, so each command asks.
        QVERIFY(WriteNotes(packed("A_STICK"), QStringLiteral("on the drive")));
        QVERIFY(WriteNotes(env.DatabasePath(), QStringLiteral("here")));
        QTemporaryDir elsewhere;
        const QString other = elsewhere.filePath(QStringLiteral("QLM.mdb"));
        QVERIFY(QFile::copy(packed("A_STICK"), other));
        QVERIFY(WriteNotes(other, QStringLiteral("someone else's")));
        const auto swapped =
            qScopeGuard([this] { FileIdentitySeam::SetSerialForTests(drive("A_STICK"), {}); });
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(unpack ? MsgAnswerYes : MsgAnswerNo, [&] {
            if (swap == QLatin1String("book")) {
                QVERIFY(QFile::remove(packed("A_STICK")));
                QVERIFY(QFile::copy(other, packed("A_STICK")));
            } else {
                FileIdentitySeam::SetSerialForTests(drive("A_STICK"), "uuid:another");
            }
        });
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        unpack ? UnPackCommand(m_host) : PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        QVERIFY2(MessageTestSeam::Answered().last().text.startsWith(kDriveChangedStart),
                 qPrintable(MessageTestSeam::Answered().last().text));
        QCOMPARE(NotesOn(env.DatabasePath()), QStringLiteral("here"));
        QCOMPARE(NotesOn(packed("A_STICK")), swap == QLatin1String("book") ? QStringLiteral("someone else's")
                                                                           : QStringLiteral("on the drive"));
        QVERIFY(DayRecords().IsOpen());
    }

    // The same on a real stick: an ext4 volume taken out while the question is up and another put
    // in, which the system gives the same loop device. Only where the test may mount.
    void anotherStickAtTheSameDevice() {
        QTemporaryDir work;
        const QString point = work.filePath(QStringLiteral("STICK"));
        QDir().mkpath(point);
        const auto run = [](const QString& program, const QStringList& arguments) {
            QProcess process;
            process.start(program, arguments);
            return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
                   process.exitCode() == 0;
        };
        const QStringList images{work.filePath(QStringLiteral("one.img")),
                                 work.filePath(QStringLiteral("two.img"))};
        for (const QString& image : images) {
            QFile file(image);
            if (::geteuid() != 0 || !file.open(QIODevice::WriteOnly) || !file.resize(8 << 20) ||
                !run(QStringLiteral("mkfs.ext4"), {QStringLiteral("-q"), image})) {
                QSKIP("needs root and mkfs.ext4");
            }
        }
        if (!run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), images[1], point})) {
            QSKIP("loop devices are not available here");
        }
        QDir().mkpath(point + QStringLiteral("/VNT"));
        TestEnvironment env;
        openPackedBook();
        QVERIFY(QFile::copy(env.DatabasePath(), point + QStringLiteral("/VNT/QLM.mdb")));
        QVERIFY(WriteNotes(point + QStringLiteral("/VNT/QLM.mdb"), QStringLiteral("the second stick")));
        QVERIFY(run(QStringLiteral("umount"), {point}));
        QVERIFY(
            run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), images[0], point}));
        const auto unmount = qScopeGuard([&] { run(QStringLiteral("umount"), {point}); });
        const std::optional<VolumeId> first = VolumeOf(point);
        RemovableDrivesSeam::SetDrivesForTests({point});
        QVERIFY(FindPortableDrives(2));
        QString folder;
        QString reason;
        QVERIFY2(CreatePackFolder(point, &folder, &reason), qPrintable(reason));
        Globals().PackPath = folder;
        QVERIFY(QFile::copy(env.DatabasePath(), point + QStringLiteral("/VNT/QLM.mdb")));
        QVERIFY(WriteNotes(point + QStringLiteral("/VNT/QLM.mdb"), QStringLiteral("the first stick")));
        std::optional<VolumeId> second;
        MessageTestSeam::QueueAnswer(MsgAnswerNo, [&] {
            QVERIFY(run(QStringLiteral("umount"), {point}));
            QVERIFY(run(QStringLiteral("mount"),
                        {QStringLiteral("-o"), QStringLiteral("loop"), images[1], point}));
            second = VolumeOf(point);
        });
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        QCOMPARE(FirstPack(m_host), PackOutcome::Failed);
        VerifyNoUnexpectedMessages();
        QVERIFY(first && second && first->serial != second->serial);
        QVERIFY2(MessageTestSeam::Answered().last().text.startsWith(kDriveChangedStart),
                 qPrintable(MessageTestSeam::Answered().last().text));
        QCOMPARE(NotesOn(point + QStringLiteral("/VNT/QLM.mdb")), QStringLiteral("the second stick"));
    }

    // A drive unmounted after the scan leaves its mount point as an empty folder of the internal
    // disk: nothing is made or packed there. Only where the test may mount.
    void nothingIsWrittenWhereTheDriveWas() {
        QTemporaryDir point;
        if (::geteuid() != 0 ||
            ::mount("qlmtest", QFile::encodeName(point.path()).constData(), "tmpfs", 0, "size=4m") != 0) {
            QSKIP("mounting needs root");
        }
        auto unmount = qScopeGuard([&point] { ::umount(QFile::encodeName(point.path()).constData()); });
        TestEnvironment env;
        openPackedBook();
        RemovableDrivesSeam::SetDrivesForTests({point.path()});
        QVERIFY(FindPortableDrives(2));
        QString folder;
        QString reason;
        QVERIFY2(CreatePackFolder(point.path(), &folder, &reason), qPrintable(reason));
        Globals().PackPath = folder;
        QCOMPARE(FirstPack(m_host), PackOutcome::Packed);
        const QString date = Effects("PackDate");
        QVERIFY(ExecSql(env.DatabasePath(),
                        QStringLiteral("UPDATE QLM SET Notes = 'new' WHERE Date = '2026-10-14'"), {}));
        // Pulled while the pack is under way, after its scan found it.
        m_host.onProgress = [&] {
            QVERIFY(::umount(QFile::encodeName(point.path()).constData()) == 0);
            unmount.dismiss();
        };
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        MessageTestSeam::QueueAnswer(MsgAnswerOK);
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        QVERIFY(MessageTestSeam::Answered().last().text.startsWith(QStringLiteral("Unable to write")));
        QVERIFY(QDir(point.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        // Scanned, then unmounted before the drive dialog's OK: no folder on the internal disk.
        RemovableDrivesSeam::SetDrivesForTests({point.path()});
        QVERIFY(::mount("qlmtest", QFile::encodeName(point.path()).constData(), "tmpfs", 0, "size=4m") == 0);
        QVERIFY(FindPortableDrives(2));
        QVERIFY(::umount(QFile::encodeName(point.path()).constData()) == 0);
        QVERIFY(!CreatePackFolder(point.path(), &folder, &reason));
        QVERIFY(!QFileInfo::exists(point.filePath(QStringLiteral("VNT"))));
        QCOMPARE(Effects("PackDate"), date);
    }

    // Once, on a drive the system itself reports: a folder bound under /media plays it. Only
    // where the test may mount.
    void packsOntoAMountedDrive() {
        QTemporaryDir volume;
        const passwd* account = ::getpwuid(::geteuid());
        const QString user = QString::fromLocal8Bit(account ? account->pw_name : "root");
        const QString point = QStringLiteral("/media/%1/QLMTEST%2").arg(user).arg(::getpid());
        if (::geteuid() != 0 || !QDir().mkpath(point)) {
            QSKIP("mounting needs root");
        }
        if (::mount(QFile::encodeName(volume.path()).constData(), QFile::encodeName(point).constData(),
                    nullptr, MS_BIND, nullptr) != 0) {
            QDir().rmdir(point);
            QSKIP("mounting is refused here");
        }
        const auto unmount = qScopeGuard([&point] {
            ::umount(QFile::encodeName(point).constData());
            QDir().rmdir(point);
        });
        TestEnvironment env;
        BuildYear(YearPlan{});
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("PackRun"), QStringLiteral("1"));
        QVERIFY(OpenBook());
        bool listed = false;
        for (const RemovableDrive& d : RemovableDrives()) {
            listed = listed || d.root == point;
        }
        if (!listed) {
            QSKIP("the mount is not under this user's media folder");
        }
        QDir().mkpath(point + QStringLiteral("/VNT"));
        QVERIFY(QFile::copy(env.DatabasePath(), point + QStringLiteral("/VNT/QLM.mdb")));
        MessageTestSeam::QueueAnswer(MsgAnswerYes);
        PackDataBase(m_host);
        VerifyNoUnexpectedMessages();
        QCOMPARE(Days(volume.filePath(QStringLiteral("VNT/QLM.mdb"))), Days(env.DatabasePath()));
        QCOMPARE(DriveLabelOf(Globals().PackPath), QStringLiteral("QLMTEST%1").arg(::getpid()));
    }
};

QTEST_GUILESS_MAIN(tst_PackToGo)
#include "tst_packtogo.moc"
