#include "core/IniFile.h"
#include "core/ProgramState.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
bool WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The program names its INI file folder & "\frmMain.ini"; on disk it is folder/frmMain.ini.
QString IniPathIn(const TestEnvironment& env) {
    return env.ProgramFolder() + "\\frmMain.ini";
}

QString NativeIniPathIn(const TestEnvironment& env) {
    return env.ProgramFolder() + "/frmMain.ini";
}

const QByteArray kMenuIni = "[Menu]\n"
                            "Caption=Day Plan\n"
                            "Empty=\n"
                            "\n"
                            "[Colours]\n"
                            "Back=&HE6B36C\n";
} // namespace

class IniFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void takesIniPathAtConstruction() {
        TestEnvironment env;
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        QCOMPARE(ini.ConfigName(), IniPathIn(env));
    }

    void keyGetReadsValue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QByteArray& content, const char* section, const char* key,
                      const QString& expected) {
            QTest::newRow(name) << content << QString(section) << QString(key) << expected;
        };
        row("plain", kMenuIni, "Menu", "Caption", "Day Plan");
        row("other section", kMenuIni, "Colours", "Back", "&HE6B36C");
        row("names ignore case", kMenuIni, "mENU", "CAPTION", "Day Plan");
        row("empty value is not the default", kMenuIni, "Menu", "Empty", "");
        row("missing key", kMenuIni, "Menu", "Nothing", "dflt");
        row("key of another section", kMenuIni, "Menu", "Back", "dflt");
        row("missing section", kMenuIni, "Nowhere", "Caption", "dflt");
        row("missing file", QByteArray(), "Menu", "Caption", "dflt");
        row("line without equals", "[Menu]\nCaption\n", "Menu", "Caption", "dflt");
        row("commented out", "[Menu]\n;Caption=Old\n", "Menu", "Caption", "dflt");
        row("long value is cut to 255", "[Menu]\nLong=" + QByteArray(300, 'v'), "Menu", "Long",
            QString(255, u'v'));
    }
    void keyGetReadsValue() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestEnvironment env;
        if (!content.isEmpty()) {
            QVERIFY(WriteFile(NativeIniPathIn(env), content));
        }
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        QCOMPARE(ini.KeyGet(section, key, "dflt"), expected);
        QCOMPARE(ini.KeyValue(), expected);
        QCOMPARE(ini.Section(), section);
        QCOMPARE(ini.KeyName(), key);
        QCOMPARE(ini.DefaultValue(), QString("dflt"));
    }

    void keyGetKeepsFieldsForNA() {
        TestEnvironment env;
        QVERIFY(WriteFile(NativeIniPathIn(env), kMenuIni));
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        ini.setSection("Colours");
        ini.setKeyName("Back");
        QCOMPARE(ini.KeyGet("NA", "NA", ""), QString("&HE6B36C"));
        QCOMPARE(ini.KeyGet("Menu", "NA", "none"), QString("none"));
        QCOMPARE(ini.KeyGet("NA", "Caption", ""), QString("Day Plan"));
        QCOMPARE(ini.Section(), QString("Menu"));
        QCOMPARE(ini.KeyName(), QString("Caption"));
    }

    void sectionGetListsLines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QStringList>("expected");
        const QByteArray pairs = "[Pairs]\na=1\nb=2\n[Empty]\n[After]\nc=3\n";
        QTest::newRow("final NUL leaves an empty item") << pairs << "Pairs" << QStringList{"a=1", "b=2", ""};
        QTest::newRow("names ignore case") << pairs << "PAIRS" << QStringList{"a=1", "b=2", ""};
        QTest::newRow("last section") << pairs << "After" << QStringList{"c=3", ""};
        QTest::newRow("empty section") << pairs << "Empty" << QStringList{};
        QTest::newRow("missing section") << pairs << "Nowhere" << QStringList{};
        QTest::newRow("missing file") << QByteArray() << "Pairs" << QStringList{};
    }
    void sectionGetListsLines() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QStringList, expected);
        TestEnvironment env;
        if (!content.isEmpty()) {
            QVERIFY(WriteFile(NativeIniPathIn(env), content));
        }
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        QCOMPARE(ini.SectionGet(section), expected);
        QCOMPARE(ini.Section(), section);
    }

    void sectionGetWithoutNameUsesCurrentSection() {
        TestEnvironment env;
        QVERIFY(WriteFile(NativeIniPathIn(env), kMenuIni));
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        QCOMPARE(ini.SectionGet(""), QStringList{});
        ini.setSection("Colours");
        QCOMPARE(ini.SectionGet(""), (QStringList{"Back=&HE6B36C", ""}));
    }

    void sectionGetCutsLongSection() {
        TestEnvironment env;
        QByteArray content = "[Long]\n";
        QString lines;
        for (int i = 0; i < 200; ++i) {
            const QString line = QString("Key%1=Value%1").arg(i, 3, 10, QLatin1Char('0'));
            content += line.toUtf8() + '\n';
            lines += line + QChar(u'\0');
        }
        QVERIFY(WriteFile(NativeIniPathIn(env), content));
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        QCOMPARE(ini.SectionGet("Long").join(QChar(u'\0')), lines.left(2046));
    }

    void keySaveWritesAndReadsBack_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        auto row = [](const char* name, const QByteArray& content, const char* section, const char* key) {
            QTest::newRow(name) << content << QString(section) << QString(key);
        };
        row("new file", QByteArray(), "Menu", "Caption");
        row("new section", kMenuIni, "Fonts", "Name");
        row("existing key", kMenuIni, "Menu", "Caption");
        row("existing key in other case", kMenuIni, "MENU", "caption");
    }
    void keySaveWritesAndReadsBack() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        TestEnvironment env;
        if (!content.isEmpty()) {
            QVERIFY(WriteFile(NativeIniPathIn(env), content));
        }
        Globals().IniPath = IniPathIn(env);
        IniFile writer;
        writer.KeySave("Written", section, key);
        QCOMPARE(writer.KeyValue(), QString("Written"));
        IniFile reader;
        QCOMPARE(reader.KeyGet(section.toLower(), key.toUpper(), "dflt"), QString("Written"));
        // Saving over a key in another case must not leave the old line behind.
        QCOMPARE(reader.SectionGet(section).filter(key, Qt::CaseInsensitive).size(), 1);
        if (!content.isEmpty()) {
            QCOMPARE(reader.KeyGet("Colours", "Back", ""), QString("&HE6B36C"));
        }
    }

    void keySaveLeavesTheRestOfTheFileAlone() {
        TestEnvironment env;
        const QByteArray handWritten = "; Menu captions for the day page\n"
                                       "[Menu]\n"
                                       "; shown on the title bar\n"
                                       "Caption=Day Plan\n"
                                       "Separator\n"
                                       "[Colours]\n"
                                       "Back=&HE6B36C\n";
        QVERIFY(WriteFile(NativeIniPathIn(env), handWritten));
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        ini.KeySave("Week Plan", "Menu", "Caption");
        const QByteArray saved = ReadFile(NativeIniPathIn(env));
        QVERIFY(saved.contains("; Menu captions for the day page"));
        QVERIFY(saved.contains("; shown on the title bar"));
        QVERIFY(saved.contains("Separator"));
        QVERIFY(!saved.contains("Day Plan"));
        QCOMPARE(ini.KeyGet("Menu", "Caption", ""), QString("Week Plan"));
        QCOMPARE(ini.KeyGet("Colours", "Back", ""), QString("&HE6B36C"));
    }

    void keySaveKeepsFieldsForNA() {
        TestEnvironment env;
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        ini.setSection("Menu");
        ini.KeySave("One", "NA", "First");
        ini.KeySave("Two", "Other", "Second");
        // "NA" for the section: the one named by the previous call.
        ini.KeySave("Three", "NA", "Third");
        // "NA" for the value: the previous value is written again, never the text NA.
        ini.KeySave("NA", "Menu", "Fourth");
        ini.KeySave("Five", "NA", "NA");
        ini.setKeyValue("Six");
        ini.setKeyName("Sixth");
        ini.KeySave("NA", "NA", "NA");

        IniFile reader;
        QCOMPARE(reader.KeyGet("Menu", "First", ""), QString("One"));
        QCOMPARE(reader.KeyGet("Other", "Second", ""), QString("Two"));
        QCOMPARE(reader.KeyGet("Other", "Third", ""), QString("Three"));
        QCOMPARE(reader.KeyGet("Menu", "Third", "none"), QString("none"));
        QCOMPARE(reader.KeyGet("Menu", "Fourth", ""), QString("Five"));
        QCOMPARE(reader.KeyGet("Menu", "Sixth", ""), QString("Six"));
        QVERIFY(!ReadFile(NativeIniPathIn(env)).contains("=NA"));
    }

    void keySaveIgnoresWriteFailures_data() {
        QTest::addColumn<QString>("configName");
        QTest::newRow("folder is a file") << "blocker\\frmMain.ini";
        QTest::newRow("path is a folder") << "folder";
    }
    void keySaveIgnoresWriteFailures() {
        QFETCH(QString, configName);
        TestEnvironment env;
        QVERIFY(WriteFile(env.ProgramFolder() + "/blocker", "not a folder"));
        QVERIFY(QDir(env.ProgramFolder()).mkdir("folder"));
        IniFile ini;
        ini.setConfigName(env.ProgramFolder() + "\\" + configName);
        ini.KeySave("Value", "Menu", "Key");
        QCOMPARE(ini.KeyGet("Menu", "Key", "dflt"), QString("dflt"));
        QCOMPARE(ReadFile(env.ProgramFolder() + "/blocker"), QByteArray("not a folder"));
    }

    void aBatchIsOneWriteAndNoneWhenNothingChanged() {
        TestEnvironment env;
        QVERIFY(WriteFile(NativeIniPathIn(env), kMenuIni));
        Globals().IniPath = IniPathIn(env);
        // A write, or a new file renamed over it, stamps a later change time.
        const auto changed = [&env] {
            return QFileInfo(NativeIniPathIn(env)).fileTime(QFileDevice::FileMetadataChangeTime);
        };
        const QDateTime before = changed();
        QTest::qSleep(20);
        IniFile ini;
        ini.KeySave("Day Plan", "Menu", "Caption");
        ini.BeginBatch();
        ini.KeySave("&HE6B36C", "Colours", "Back");
        ini.EndBatch();
        QCOMPARE(changed(), before);

        ini.BeginBatch();
        ini.KeySave("Week Plan", "Menu", "Caption");
        ini.KeySave("Bold", "Fonts", "Weight");
        QCOMPARE(ini.KeyGet("Menu", "Caption", ""), QString("Week Plan")); // reads see the batch
        QCOMPARE(ReadFile(NativeIniPathIn(env)), kMenuIni);                // the file does not, yet
        ini.EndBatch();
        QCOMPARE(IniFile().KeyGet("Menu", "Caption", ""), QString("Week Plan"));
        QCOMPARE(IniFile().KeyGet("Fonts", "Weight", ""), QString("Bold"));
        QCOMPARE(IniFile().KeyGet("Colours", "Back", ""), QString("&HE6B36C"));
    }

    void everyCallGoesToTheFile() {
        TestEnvironment env;
        QVERIFY(WriteFile(NativeIniPathIn(env), kMenuIni));
        Globals().IniPath = IniPathIn(env);
        IniFile ini;
        QCOMPARE(ini.KeyGet("Menu", "Caption", ""), QString("Day Plan"));
        QVERIFY(WriteFile(NativeIniPathIn(env), "[Menu]\nCaption=Week Plan\n"));
        QCOMPARE(ini.KeyGet("NA", "NA", ""), QString("Week Plan"));
        QCOMPARE(ini.SectionGet(""), (QStringList{"Caption=Week Plan", ""}));
        QVERIFY(QFile::remove(NativeIniPathIn(env)));
        QCOMPARE(ini.KeyGet("NA", "NA", "gone"), QString("gone"));
        QCOMPARE(ini.SectionGet(""), QStringList{});
    }
};

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_inifile.moc"
