#include "core/RunAtStartup.h"
#include "platform/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
QString EntryText() {
    QFile file(AutostartEntryPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Reads the Exec line back as a desktop would: the entry's string escapes first, then the
// command line's quoting. Gives the one argument it holds.
QString ExecArgument(const QString& entry) {
    QString value;
    for (const QString& line : entry.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Exec="))) {
            value = line.mid(5);
        }
    }
    QString unescaped;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            unescaped += next == QLatin1Char('n')   ? QChar(u'\n')
                         : next == QLatin1Char('r') ? QChar(u'\r')
                                                    : next;
        } else {
            unescaped += value[i];
        }
    }
    if (unescaped.size() < 2 || !unescaped.startsWith(QLatin1Char('"')) ||
        !unescaped.endsWith(QLatin1Char('"'))) {
        return QStringLiteral("<not quoted>");
    }
    QString argument;
    const QString inner = unescaped.mid(1, unescaped.size() - 2);
    for (int i = 0; i < inner.size(); ++i) {
        if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size()) {
            argument += inner[++i];
        } else if (inner[i] == QLatin1Char('%') && i + 1 < inner.size() && inner[i + 1] == QLatin1Char('%')) {
            argument += inner[++i];
        } else {
            argument += inner[i];
        }
    }
    return argument;
}
} // namespace

class RunAtStartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theFolderFollowsTheDesktopsRules_data() {
        QTest::addColumn<QString>("xdgConfigHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("set") << "/home/avery/.cfg"
                             << "/home/avery/.cfg/autostart";
        QTest::newRow("unset") << ""
                               << "/home/avery/.config/autostart";
        QTest::newRow("relative is ignored") << "cfg"
                                             << "/home/avery/.config/autostart";
        QTest::newRow("trailing slash") << "/home/avery/.cfg/"
                                        << "/home/avery/.cfg/autostart";
    }
    void theFolderFollowsTheDesktopsRules() {
        QFETCH(QString, xdgConfigHome);
        QFETCH(QString, expected);
        QCOMPARE(AutostartFolderFor(xdgConfigHome, QStringLiteral("/home/avery")), expected);
    }

    void theProgramsPathSurvivesAnyFolderName_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("blanks") << "My Programs/Quill marsh";
        QTest::newRow("quote and dollar") << "Ms \"A\" $HOME";
        QTest::newRow("backslash and backtick") << "back\\slash `tick`";
        QTest::newRow("percent") << "100% teacher";
    }
    void theProgramsPathSurvivesAnyFolderName() {
        QFETCH(QString, folder);
        TestEnvironment env;
        const QString programs = env.ProgramFolder() + QLatin1Char('/') + folder;
        QVERIFY(QDir().mkpath(programs));
        SetProgramFolderForTests(programs);
        AddRunAtStartup();
        QCOMPARE(ExecArgument(EntryText()), programs + QStringLiteral("/quillmarsh"));
        VerifyNoUnexpectedMessages();
    }

    void addingTwiceLeavesOneEntry() {
        TestEnvironment env;
        AddRunAtStartup();
        AddRunAtStartup();
        const QStringList entries = QDir(AutostartFolder()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(entries, QStringList{QStringLiteral("Quillmarsh.desktop")});
        const QString entry = EntryText();
        QVERIFY(entry.startsWith(QLatin1String("[Desktop Entry]\n")));
        QCOMPARE(entry.count(QLatin1String("Exec=")), 1);
        QVERIFY(entry.contains(QLatin1String("\nType=Application\n")));
        QVERIFY(entry.contains(QLatin1String("\nName=Quillmarsh\n")));
    }

    void removingIsSilentWhenThereIsNothing() {
        TestEnvironment env;
        AddRunAtStartup();
        RemoveRunAtStartup();
        QVERIFY(!QFile::exists(AutostartEntryPath()));
        RemoveRunAtStartup();
        QDir(AutostartFolder()).removeRecursively();
        RemoveRunAtStartup(); // not even the folder is there
        QVERIFY(!QFile::exists(AutostartEntryPath()));
        VerifyNoUnexpectedMessages();
    }

    void aFolderThatCannotBeMadeIsSilent() {
        TestEnvironment env;
        // A file stands where the folder should go.
        const QString blocked = env.ProgramFolder() + QStringLiteral("/not-a-folder");
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SetAutostartFolderForTests(blocked + QStringLiteral("/autostart"));
        AddRunAtStartup();
        QVERIFY(!QFile::exists(AutostartEntryPath()));
        RemoveRunAtStartup();
        VerifyNoUnexpectedMessages();
    }
};

QTEST_GUILESS_MAIN(RunAtStartupTest)
#include "tst_runatstartup.moc"
