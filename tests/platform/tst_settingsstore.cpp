#include "platform/DateText.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <cerrno>
#include <cstring>

namespace {
const QString kSettings = QStringLiteral("Settings");

bool WriteFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Another program rewrites the file (empty data: deletes it). A copy that keeps the time stamp,
// or a file system with coarse time stamps, leaves only the content changed.
bool EditBehindOurBack(const QString& path, const QByteArray& data, bool keepTimeStamp) {
    if (data.isEmpty()) {
        return QFile::remove(path);
    }
    const QDateTime stamp = QFileInfo(path).lastModified();
    if (!WriteFile(path, data)) {
        return false;
    }
    QFile file(path);
    return !keepTimeStamp ||
           (file.open(QIODevice::ReadWrite) && file.setFileTime(stamp, QFileDevice::FileModificationTime));
}

// Counts the failure reports for as long as it lives.
class ReportCounter {
public:
    ReportCounter() {
        SettingsStore::SetFailureReporter([this](const QString&) { ++count; });
    }
    ~ReportCounter() { SettingsStore::SetFailureReporter({}); }
    ReportCounter(const ReportCounter&) = delete;
    ReportCounter& operator=(const ReportCounter&) = delete;
    int count = 0;
};
} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valuesSurviveTheFile_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "Arial";
        QTest::newRow("empty") << "";
        QTest::newRow("leading backslash") << "\\QLM.mdb";
        QTest::newRow("folder") << "C:\\Plans\\new\\";
        QTest::newRow("backslash n as text") << "a\\nb";
        QTest::newRow("line break") << "first\nsecond";
        QTest::newRow("CR LF") << "first\r\nsecond\r\n";
        QTest::newRow("blanks around") << "  padded\t ";
        QTest::newRow("only blanks") << "   ";
        QTest::newRow("equals and semicolon") << ";a=b=c";
        QTest::newRow("brackets") << "[Settings]";
        QTest::newRow("quotes") << "\"quoted\"";
        QTest::newRow("accents") << QStringLiteral("Élève – café");
    }
    void valuesSurviveTheFile() {
        QFETCH(QString, value);
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Value", value));
        QVERIFY(SaveText(kSettings, "After", "next"));
        SettingsStore::Reset();
        QCOMPARE(ReadText(kSettings, "Value"), value);
        QCOMPARE(ReadText(kSettings, "After"), QString("next"));
    }

    void namesIgnoreCase_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        auto row = [](const char* name, const char* section, const char* key) {
            QTest::newRow(name) << QString(section) << QString(key);
        };
        row("same", "Settings\\Effects1", "dTheme");
        row("key", "Settings\\Effects1", "DTheme");
        row("section", "SETTINGS\\effects1", "dTheme");
        row("both", "settings\\EFFECTS1", "DTHEME");
    }
    void namesIgnoreCase() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        TestEnvironment env;
        QVERIFY(SaveText("Settings\\Effects1", "dTheme", "Ocean"));
        QCOMPARE(ReadText(section, key), QString("Ocean"));
        QVERIFY(SaveText(section, key, "Forest"));
        SettingsStore::Reset();
        QCOMPARE(ReadText("Settings\\Effects1", "dTheme"), QString("Forest"));
        QCOMPARE(GetAllSettings(AppKey, "Settings\\Effects1").size(), 1);
        // A nested section is a section of its own.
        QCOMPARE(ReadText(kSettings, "dTheme", "none"), QString("none"));
    }

    void missingKeyGivesDefault() {
        TestEnvironment env;
        QCOMPARE(GetSetting(AppKey, kSettings, "Missing", "dflt"), QString("dflt"));
        QCOMPARE(GetSetting(AppKey, kSettings, "Missing"), QString(""));
        QVERIFY(SaveText(kSettings, "Present", ""));
        QCOMPARE(GetSetting(AppKey, kSettings, "Missing", "dflt"), QString("dflt"));
        QCOMPARE(GetSetting(AppKey, kSettings, "Present", "dflt"), QString(""));
        QCOMPARE(GetSetting(AppKey, "Other", "Present", "dflt"), QString("dflt"));
        QCOMPARE(GetAllSettings(AppKey, "Other").size(), 0);
    }

    void readInt_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << "120" << 120;
        QTest::newRow("negative") << "-15" << -15;
        QTest::newRow("largest") << "32767" << 32767;
        QTest::newRow("smallest") << "-32768" << -32768;
        QTest::newRow("too large") << "32768" << 7;
        QTest::newRow("far too large") << "70000" << 7;
        QTest::newRow("too small") << "-32769" << 7;
        QTest::newRow("letters") << "abc" << 7;
        QTest::newRow("number then letters") << "12abc" << 7;
        QTest::newRow("empty") << "" << 7;
    }
    void readInt() {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Number", stored));
        QCOMPARE(ReadInt(kSettings, "Number", 7), expected);
    }

    void readLong_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<qint32>("expected");
        QTest::newRow("number") << "70000" << 70000;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << qint32(-2147483647 - 1);
        QTest::newRow("too large") << "2147483648" << 7;
        QTest::newRow("too small") << "-2147483649" << 7;
        QTest::newRow("letters") << "abc" << 7;
        QTest::newRow("empty") << "" << 7;
    }
    void readLong() {
        QFETCH(QString, stored);
        QFETCH(qint32, expected);
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Number", stored));
        QCOMPARE(ReadLong(kSettings, "Number", 7), expected);
    }

    void readBool_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("whenDefaultFalse");
        QTest::addColumn<bool>("whenDefaultTrue");
        QTest::newRow("True") << "True" << true << true;
        QTest::newRow("False") << "False" << false << false;
        QTest::newRow("lower case") << "true" << true << true;
        QTest::newRow("-1") << "-1" << true << true;
        QTest::newRow("0") << "0" << false << false;
        QTest::newRow("maybe") << "maybe" << false << true;
        QTest::newRow("empty") << "" << false << true;
    }
    void readBool() {
        QFETCH(QString, stored);
        QFETCH(bool, whenDefaultFalse);
        QFETCH(bool, whenDefaultTrue);
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Flag", stored));
        QCOMPARE(ReadBool(kSettings, "Flag", false), whenDefaultFalse);
        QCOMPARE(ReadBool(kSettings, "Flag", true), whenDefaultTrue);
    }

    void typedWritersWriteText() {
        TestEnvironment env;
        QVERIFY(SaveBool(kSettings, "On", true));
        QVERIFY(SaveBool(kSettings, "Off", false));
        QVERIFY(SaveInt(kSettings, "Count", -42));
        QCOMPARE(ReadText(kSettings, "On"), QString("True"));
        QCOMPARE(ReadText(kSettings, "Off"), QString("False"));
        QCOMPARE(ReadText(kSettings, "Count"), QString("-42"));
        QCOMPARE(ReadBool(kSettings, "On", false), true);
        QCOMPARE(ReadBool(kSettings, "Off", true), false);
        QCOMPARE(ReadInt(kSettings, "Count", 0), -42);
    }

    void dates_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("school day") << QDate(2026, 10, 14) << "2026-10-14";
        QTest::newRow("leap day") << QDate(2028, 2, 29) << "2028-02-29";
        QTest::newRow("new year") << QDate(2027, 1, 1) << "2027-01-01";
        QTest::newRow("day after zero") << QDate(1899, 12, 31) << "1899-12-31";
        QTest::newRow("zero date") << ZeroDate() << "12:00:00 AM";
    }
    void dates() {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        TestEnvironment env;
        // The stored form must not follow the user's locale.
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const bool saved = SaveDate(kSettings, "Date", date);
        QLocale::setDefault(previous);
        QVERIFY(saved);
        QCOMPARE(ReadText(kSettings, "Date"), text);
        QCOMPARE(ReadDate(kSettings, "Date"), date);
        QVERIFY(SaveText(kSettings, "Typed", text));
        QCOMPARE(ReadDate(kSettings, "Typed"), date);
    }

    void unreadableDatesAreNotDates() {
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Date", "14/10/2026"));
        QVERIFY(!ReadDate(kSettings, "Date").isValid());
        QVERIFY(!ReadDate(kSettings, "Missing").isValid());
    }

    void allSettingsInFirstWrittenOrder() {
        TestEnvironment env;
        const QString section = QStringLiteral("Settings\\TimeTable");
        QVERIFY(SaveText(section, "Time2", "9:30"));
        QVERIFY(SaveText(section, "Time10", "16:30"));
        QVERIFY(SaveText(section, "Time1", "8:30"));
        QVERIFY(SaveText(kSettings, "Elsewhere", "x"));
        QVERIFY(SaveText(section, "TIME2", "a\\b\nc"));
        const QList<QPair<QString, QString>> expected{
            {"Time2", "a\\b\nc"}, {"Time10", "16:30"}, {"Time1", "8:30"}};
        QCOMPARE(GetAllSettings(AppKey, section), expected);
        SettingsStore::Reset();
        QCOMPARE(GetAllSettings(AppKey, section), expected);
    }

    void keysNeverReadAreStored() {
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "WrittenOnly", "kept"));
        QVERIFY(ReadFile(env.SettingsFile()).contains("WrittenOnly=kept"));
    }

    void garbageLoadsDefaults_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("content");
        QByteArray noise(4096, '\0');
        QRandomGenerator generator(20261014);
        for (char& c : noise) {
            c = static_cast<char>(generator.bounded(256));
        }
        QTest::newRow("random bytes") << true << noise;
        QTest::newRow("random bytes in the section") << true << QByteArray("[Settings]\n") + noise;
        QTest::newRow("lines without equals") << true << QByteArray("[Settings]\nTheme\nCount\nFlag\n\n");
        QTest::newRow("keys before any section") << true << QByteArray("Theme=Dark\nCount=3\n");
        QTest::newRow("unclosed section") << true << QByteArray("[Settings\nTheme=Dark\n");
        QTest::newRow("empty file") << true << QByteArray();
        QTest::newRow("missing file") << false << QByteArray();
    }
    void garbageLoadsDefaults() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, content);
        TestEnvironment env;
        if (exists) {
            QVERIFY(WriteFile(env.SettingsFile(), content));
        }
        QCOMPARE(ReadText(kSettings, "Theme", "Plain"), QString("Plain"));
        QCOMPARE(ReadInt(kSettings, "Count", 5), 5);
        QCOMPARE(ReadBool(kSettings, "Flag", true), true);
        QVERIFY(!ReadDate(kSettings, "Date").isValid());
        QVERIFY(SaveText(kSettings, "Theme", "Dark"));
        SettingsStore::Reset();
        QCOMPARE(ReadText(kSettings, "Theme"), QString("Dark"));
    }

    void failedSaveIsReported_data() {
        QTest::addColumn<QString>("blocked");
        QTest::newRow("settings folder is a file") << "";
        QTest::newRow("application folder is a file") << "VNT";
        QTest::newRow("settings file is a folder") << "VNT/Quillmarsh.conf";
    }
    void failedSaveIsReported() {
        QFETCH(QString, blocked);
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Before", "kept"));
        const QString folder = SettingsStore::Folder();
        const QString target = blocked.isEmpty() ? folder : folder + '/' + blocked;
        QVERIFY(QFileInfo(target).isDir() ? QDir(target).removeRecursively() : QFile::remove(target));
        if (blocked.endsWith(".conf")) {
            QVERIFY(QDir().mkpath(target));
        } else {
            QVERIFY(WriteFile(target, "in the way"));
        }
        ReportCounter reports;
        QVERIFY(!SaveText(kSettings, "Theme", "Dark"));
        QCOMPARE(reports.count, 1);
        QVERIFY(!SaveBool(kSettings, "Flag", true));
        QCOMPARE(reports.count, 2);
        // What was not saved must not be read back either.
        QCOMPARE(ReadText(kSettings, "Theme", "Plain"), QString("Plain"));
        QCOMPARE(ReadBool(kSettings, "Flag", false), false);
    }

    void failedSaveInReadOnlyFolderIsReported() {
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Before", "kept"));
        const QString folder = QFileInfo(env.SettingsFile()).absolutePath();
        const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QFile probe(folder + "/probe");
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder, writable);
            QSKIP("this user may write into read-only folders");
        }
        ReportCounter reports;
        const bool saved = SaveText(kSettings, "Theme", "Dark");
        QFile::setPermissions(folder, writable);
        QVERIFY(!saved);
        QCOMPARE(reports.count, 1);
        QCOMPARE(ReadText(kSettings, "Theme", "Plain"), QString("Plain"));
        QCOMPARE(ReadText(kSettings, "Before"), QString("kept"));
    }

    void aBatchIsWrittenOnceWholeOrNotAtAll() {
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Before", "kept"));
        const QByteArray before = ReadFile(env.SettingsFile());
        SettingsStore::BeginBatch();
        QVERIFY(SaveText(kSettings, "Mode", "2"));
        QVERIFY(SaveText("Settings\\Dates", "TermStart1", "2026-09-01"));
        QCOMPARE(ReadText(kSettings, "Mode"), QString("2")); // reads see the batch at once
        QCOMPARE(ReadFile(env.SettingsFile()), before);      // the file does not, yet
        QVERIFY(SettingsStore::EndBatch());
        SettingsStore::Reset();
        QCOMPARE(ReadText("Settings\\Dates", "TermStart1"), QString("2026-09-01"));
        QCOMPARE(ReadText(kSettings, "Before"), QString("kept"));

        // A batch that cannot be written is reported once, whatever it held, and is not read back.
        const QString target = env.SettingsFile();
        QVERIFY(QFile::remove(target));
        QVERIFY(QDir().mkpath(target));
        ReportCounter reports;
        SettingsStore::BeginBatch();
        for (int i = 0; i < 5; ++i) {
            SaveText(kSettings, QString("Key%1").arg(i), "value");
        }
        QVERIFY(!SettingsStore::EndBatch());
        QCOMPARE(reports.count, 1);
        QCOMPARE(ReadText(kSettings, "Key0", "none"), QString("none"));
    }

    void changesByOthersAreSeen_data() {
        QTest::addColumn<QByteArray>("edited");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rewritten") << QByteArray("[settings]\r\ntheme=Midnight blue\r\n") << "Midnight blue";
        QTest::newRow("key removed") << QByteArray("[Settings]\nOther=1\n") << "Plain";
        QTest::newRow("file removed") << QByteArray() << "Plain";
    }
    void changesByOthersAreSeen() {
        QFETCH(QByteArray, edited);
        QFETCH(QString, expected);
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Theme", "Dark!"));
        QCOMPARE(ReadText(kSettings, "Theme"), QString("Dark!"));
        QVERIFY(EditBehindOurBack(env.SettingsFile(), edited, false));
        QCoreApplication::processEvents(); // the next turn of the event loop looks again
        QCOMPARE(ReadText(kSettings, "Theme", "Plain"), expected);
    }

    void sameSizeChangesAreSeen_data() {
        QTest::addColumn<bool>("keepTimeStamp");
        QTest::newRow("new time stamp") << false;
        QTest::newRow("same time stamp") << true;
    }
    void sameSizeChangesAreSeen() {
        QFETCH(bool, keepTimeStamp);
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Theme", "Dark!"));
        QCOMPARE(ReadText(kSettings, "Theme"), QString("Dark!"));
        const QByteArray edited = ReadFile(env.SettingsFile()).replace("Dark!", "Light");
        QVERIFY(EditBehindOurBack(env.SettingsFile(), edited, keepTimeStamp));
        QCoreApplication::processEvents();
        QCOMPARE(ReadText(kSettings, "Theme"), QString("Light"));
        // A save after the edit keeps the edit.
        QVERIFY(SaveText(kSettings, "Count", "3"));
        SettingsStore::Reset();
        QCOMPARE(ReadText(kSettings, "Theme"), QString("Light"));
        QCOMPARE(ReadText(kSettings, "Count"), QString("3"));
    }

    void aSaveKeepsTheBytesOfEveryOtherLine() {
        TestEnvironment env;
        // Written by hand in Latin-1, with a comment, blank lines and spaces around "=".
        const QByteArray before = "; written by hand, caf\xe9\r\n[Settings]\r\nTeacherName1=M. Andr\xe9\r\n"
                                  "\r\n[Other]\r\nKey = spaced value \r\n";
        QVERIFY(WriteFile(env.SettingsFile(), before));
        QCOMPARE(ReadText(kSettings, "TeacherName1"), QStringLiteral("M. Andr\u00e9"));
        QVERIFY(SaveText(kSettings, "TeacherName2", QStringLiteral("Zo\u00eb")));
        QVERIFY(SaveText("Other", "Key", "new"));
        QCOMPARE(ReadFile(env.SettingsFile()),
                 QByteArray("; written by hand, caf\xe9\r\n[Settings]\r\nTeacherName1=M. Andr\xe9\r\n"
                            "TeacherName2=Zo\xc3\xab\r\n\r\n[Other]\r\nKey =new\r\n"));
        SettingsStore::Reset();
        QCOMPARE(ReadText(kSettings, "TeacherName1"), QStringLiteral("M. Andr\u00e9"));
        QCOMPARE(ReadText(kSettings, "TeacherName2"), QStringLiteral("Zo\u00eb"));
    }

    void handWrittenBackslashesReadAsTheyStand_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("leading") << QByteArray("Value=\\QLM.mdb") << "\\QLM.mdb";
        QTest::newRow("a folder") << QByteArray("Value=D:\\Plans\\Term 2") << "D:\\Plans\\Term 2";
        QTest::newRow("trailing") << QByteArray("Value=end\\") << "end\\";
        QTest::newRow("written by the store") << QByteArray("Value=\\\\QLM.mdb") << "\\QLM.mdb";
        QTest::newRow("line break") << QByteArray("Value=one\\r\\ntwo") << "one\r\ntwo";
    }
    void handWrittenBackslashesReadAsTheyStand() {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        TestEnvironment env;
        QVERIFY(WriteFile(env.SettingsFile(), "[Settings]\n" + line + "\n"));
        QCOMPARE(ReadText(kSettings, "Value"), expected);
    }

    void aLargeFileIsReadOnlyWhenItChanges() {
        TestEnvironment env;
        const QByteArray huge(10 * 1024 * 1024, 'x');
        QVERIFY(WriteFile(env.SettingsFile(), "[Settings]\nTeacherName1=" + huge + "\nTeacherNum=2\n"));
        const int before = SettingsStore::FileReads();
        for (int i = 0; i < 200; ++i) {
            QCOMPARE(ReadInt(kSettings, "TeacherNum", 1), 2);
        }
        QCOMPARE(SettingsStore::FileReads() - before, 1);
        QCOMPARE(ReadText(kSettings, "TeacherName1").size(), huge.size());
        // Changed behind our back: read again at the next turn.
        QVERIFY(WriteFile(env.SettingsFile(), "[Settings]\nTeacherNum=1\n"));
        QCoreApplication::processEvents();
        QCOMPARE(ReadInt(kSettings, "TeacherNum", 2), 1);
    }

    void readsLookAtTheFileOncePerTurn() {
        TestEnvironment env;
        QVERIFY(WriteFile(env.SettingsFile(), "[Settings]\nTeacherNum=2\nTheme=Dark\n"));
        const int before = SettingsStore::FileChecks();
        for (int i = 0; i < 300; ++i) {
            QCOMPARE(ReadInt(kSettings, "TeacherNum", 1), 2);
            QCOMPARE(ReadText(kSettings, "Theme"), QString("Dark"));
        }
        QCOMPARE(SettingsStore::FileChecks() - before, 1);
        QCoreApplication::processEvents();
        QCOMPARE(ReadInt(kSettings, "TeacherNum", 1), 2);
        QCOMPARE(SettingsStore::FileChecks() - before, 2);
    }

    void aSaveThatChangesNothingWritesNothing() {
        TestEnvironment env;
        QVERIFY(SaveText(kSettings, "Theme", "Dark"));
        QVERIFY(SaveBool(kSettings, "Flag", true));
        const QString path = env.SettingsFile();
        // Any write, or a new file renamed over it, would stamp a later change time.
        const auto stamp = [&path] { return QFileInfo(path).fileTime(QFileDevice::FileMetadataChangeTime); };
        const QDateTime changed = stamp();
        const QByteArray content = ReadFile(path);
        QTest::qSleep(20);
        QVERIFY(SaveText(kSettings, "Theme", "Dark"));
        QVERIFY(SaveBool(kSettings, "FLAG", true));
        SettingsStore::BeginBatch();
        QVERIFY(SaveText(kSettings, "Theme", "Dark"));
        QVERIFY(SettingsStore::EndBatch());
        QCOMPARE(stamp(), changed);
        QCOMPARE(ReadFile(path), content);
    }

    // Some editors save with a byte-order mark: the settings read as they stand, and a save keeps
    // the mark and the one section.
    void aByteOrderMarkIsNoPartOfTheFirstLine() {
        TestEnvironment env;
        QVERIFY(WriteFile(env.SettingsFile(), "\xEF\xBB\xBF[Settings]\r\nFirstUse=1\r\nTheme=Dark\r\n"));
        QCOMPARE(ReadInt(kSettings, "FirstUse", 0), 1);
        QVERIFY(SaveText(kSettings, "Theme", "Light"));
        QCOMPARE(ReadFile(env.SettingsFile()),
                 QByteArray("\xEF\xBB\xBF[Settings]\r\nFirstUse=1\r\nTheme=Light\r\n"));
        SettingsStore::Reset();
        QCOMPARE(ReadText(kSettings, "Theme"), QString("Light"));
    }

    // A file that is there but cannot be read may hold every setting: the teacher is told once,
    // and nothing is written over it until it can be read again.
    void anUnreadableFileIsNeverWrittenOver_data() {
        QTest::addColumn<int>("error"); // 0: the file's mode says no one may read it
        QTest::newRow("permission") << 0;
        QTest::newRow("permission, as the root user sees it") << int(EACCES);
        QTest::newRow("input/output error") << int(EIO);
    }
    void anUnreadableFileIsNeverWrittenOver() {
        QFETCH(int, error);
        TestEnvironment env;
        const QString path = env.SettingsFile();
        QVERIFY(WriteFile(path, "[Settings]\nFirstUse=1\nTheme=Dark\n"));
        const QByteArray before = ReadFile(path);
        if (error == 0) {
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
            QFile probe(path);
            if (probe.open(QIODevice::ReadOnly)) {
                QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
                QSKIP("this user may read any file; the seam's rows stand in");
            }
        }
        SettingsStore::FailReadsForTests(error);
        QStringList reports;
        SettingsStore::SetFailureReporter([&reports](const QString& text) { reports << text; });
        QCOMPARE(ReadInt(kSettings, "FirstUse", 0), 0);
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports.first().contains(path) &&
                     reports.first().contains(QString::fromLocal8Bit(std::strerror(error ? error : EACCES)),
                                              Qt::CaseInsensitive),
                 qPrintable(reports.first()));
        QVERIFY(!SaveText(kSettings, "FirstUse", "1"));
        QVERIFY(!SaveText(kSettings, "Theme", "Light"));
        SettingsStore::BeginBatch();
        SaveText(kSettings, "Theme", "Light");
        QVERIFY(!SettingsStore::EndBatch());
        SettingsStore::BeginBatch();
        SaveText(kSettings, "Theme", "Light");
        SettingsStore::PendingSave pending;
        QString why;
        QVERIFY(!SettingsStore::EndBatchPending(&pending, &why, 1));
        QCoreApplication::processEvents();
        QCOMPARE(ReadText(kSettings, "Theme", "Plain"), QString("Plain"));
        QCOMPARE(reports.size(), 1);
        SettingsStore::SetFailureReporter({});

        // Readable again: the settings are there, and saves go to the file.
        SettingsStore::FailReadsForTests(0);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(ReadFile(path), before);
        QCoreApplication::processEvents(); // the next turn looks at the file again
        QCOMPARE(ReadText(kSettings, "Theme"), QString("Dark"));
        QVERIFY(SaveText(kSettings, "Theme", "Light"));
        QCOMPARE(ReadFile(path), QByteArray("[Settings]\nFirstUse=1\nTheme=Light\n"));
    }

    // A settings file kept elsewhere and linked into place stays linked: the file it names is
    // written, in its own folder.
    void aLinkedFileStaysALink_data() {
        QTest::addColumn<QString>("link");      // where the link points, from the settings folder
        QTest::addColumn<bool>("exists");       // the file it names is there already
        QTest::addColumn<bool>("linkedFolder"); // the settings folder is itself a link
        QTest::newRow("absolute") << "ABSOLUTE" << true << false;
        QTest::newRow("relative") << "../../kept/real.conf" << true << false;
        QTest::newRow("a link to a link") << "chain.conf" << true << false;
        QTest::newRow("to a file not made yet") << "../../kept/real.conf" << false << false;
        QTest::newRow("relative, from a linked folder") << "../../kept/real.conf" << true << true;
    }
    void aLinkedFileStaysALink() {
        QFETCH(QString, link);
        QFETCH(bool, exists);
        QFETCH(bool, linkedFolder);
        TestEnvironment env;
        const QString path = env.SettingsFile();
        QString folder = QFileInfo(path).absolutePath();
        const QString root = QFileInfo(folder + "/../..").absoluteFilePath();
        if (linkedFolder) {
            // The settings folder lies two levels down elsewhere: ".." counts from there.
            QVERIFY(QDir().mkpath(root + "/elsewhere/deeper/VNT"));
            QVERIFY(QFile::link(root + "/elsewhere/deeper/VNT", folder));
            folder = root + "/elsewhere/deeper/VNT";
        }
        const QString kept = QFileInfo(folder + "/../..").absoluteFilePath() + "/kept";
        const QString real = kept + "/real.conf";
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QDir().mkpath(kept));
        if (exists) {
            QVERIFY(WriteFile(real, "[Settings]\nTheme=Dark\n"));
        }
        if (link == "chain.conf") {
            QVERIFY(QFile::link("../../kept/real.conf", folder + "/chain.conf"));
        }
        QVERIFY(QFile::link(link == "ABSOLUTE" ? real : link, path));
        QCOMPARE(ReadText(kSettings, "Theme", "Plain"), QString(exists ? "Dark" : "Plain"));
        QVERIFY(SaveText(kSettings, "Theme", "Light"));
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(ReadFile(real), QByteArray("[Settings]\nTheme=Light\n"));
        SettingsStore::Reset();
        QCOMPARE(ReadText(kSettings, "Theme"), QString("Light"));
        for (const QString& where : {folder, kept}) {
            QCOMPARE(QDir(where).entryList({".*.copy-*"}, QDir::Files | QDir::Hidden), QStringList());
        }
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
