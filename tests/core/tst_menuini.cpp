#include "core/MenuIni.h"
#include "core/MenuThemes.h"
#include "core/ProgramState.h"
#include "core/Startup.h"
#include "core/TeacherSettings.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTest>

namespace {
QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

QString IniOnDisk(const TestEnvironment& env) {
    return env.ProgramFolder() + QStringLiteral("/frmMain.ini");
}

QString ValueOf(const QList<MenuIniEntry>& entries, const QString& key) {
    for (const MenuIniEntry& entry : entries) {
        if (entry.key == key) {
            return entry.value;
        }
    }
    return QStringLiteral("(missing)");
}

// What a first start writes: the defaults of the teacher's menu settings, colours in decimal.
const QByteArray kFirstStartIni = "[Menu]\n"
                                  "MenuStyle=4\n"
                                  "\n"
                                  "[Office_Menu_0]\n"
                                  "BarVisible=0\n"
                                  "\n"
                                  "[Office_Menu_1]\n"
                                  "BarVisible=0\n"
                                  "\n"
                                  "[Office_Menu_2]\n"
                                  "BarVisible=0\n"
                                  "\n"
                                  "[Office_Menu_3]\n"
                                  "BarVisible=0\n"
                                  "\n"
                                  "[Office_Menu_4]\n"
                                  "BarVisible=0\n"
                                  "\n"
                                  "[Office2000]\n"
                                  "MenuBackColor=15119212\n"
                                  "MenuBackColor2=16444892\n"
                                  "GradientStyle=0\n"
                                  "Gradient=1\n"
                                  "\n"
                                  "[OfficeXP]\n"
                                  "XPBarColor=16444892\n"
                                  "XPBarColorUs=16444892\n"
                                  "XPBackColor=15119212\n"
                                  "XPBackColorUs=15119212\n"
                                  "XPTextColor=0\n"
                                  "XPTextColorUs=0\n"
                                  "XPTextColorAll=0\n"
                                  "XPTextColorAllUs=0\n"
                                  "XPBorderColor=10066329\n"
                                  "XPBorderColorUs=10066329\n"
                                  "XPShadowColor=10066329\n"
                                  "XPShadowColorUs=10066329\n"
                                  "XPFillColor=15119212\n"
                                  "XPFillColorUs=15119212\n"
                                  "XPShadowPic=1\n"
                                  "XPShadowPicUs=1\n"
                                  "XPShowShadow=1\n"
                                  "XPShowShadowUs=1\n"
                                  "XPThemeXPPreset=4\n"
                                  "\n"
                                  "[New3D]\n"
                                  "New3DColor1=15782054\n"
                                  "New3DColor2=16444892\n"
                                  "New3DColor3=15119212\n";

constexpr DayPageBackColours kBlueScheme{0xE6B36C, 0xF0D0A6, 0xE6B36C, 0xFAEDDC};
} // namespace

Q_DECLARE_METATYPE(XPThemeColours)
Q_DECLARE_METATYPE(ThreeDThemeColours)

class MenuIniTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFirstStartWritesTheDefaults() {
        TestEnvironment env;
        InitGlobals();
        Globals().CurrentTeacher = 1;
        LoadTeacherSettings();
        QCOMPARE(Globals().IniPath, env.ProgramFolder() + QStringLiteral("\\frmMain.ini"));
        QCOMPARE(ReadFile(IniOnDisk(env)), kFirstStartIni);
    }

    void everySettingGoesToItsOwnKey() {
        // Distinct values, so a swapped pair of keys cannot hide behind equal defaults.
        ProgramState g;
        g.MenuStyle = 2;
        g.XPTheme = 3;
        g.DTheme = 6;
        g.GradientBar = 0;
        g.Vertical = 1;
        g.GradientLeftColour = 101;
        g.GradientRightColour = 102;
        g.XPLeftBackColour = 103;
        g.XPRightBackColour = 104;
        g.XPSelectedColour = 105;
        g.XPAllColour = 106;
        g.XPBarColour = 107;
        g.XPLeftBackColourUser = 113;
        g.XPRightBackColourUser = 114;
        g.XPSelectedColourUser = 115;
        g.XPAllColourUser = 116;
        g.XPBarColourUser = 117;
        g.TopColour = 121;
        g.MiddleColour = 122;
        g.BottomColour = 123;
        g.TopColourUser = 131;
        g.MiddleColourUser = 132;
        g.BottomColourUser = 133;
        // A system colour is a negative Long, and stays one.
        g.XPAllColourUser = static_cast<BgrColour>(0x8000000F);
        const QList<MenuIniEntry> expected{
            {"Menu", "MenuStyle", "2"},
            {"Office_Menu_0", "BarVisible", "0"},
            {"Office_Menu_1", "BarVisible", "0"},
            {"Office_Menu_2", "BarVisible", "0"},
            {"Office_Menu_3", "BarVisible", "0"},
            {"Office_Menu_4", "BarVisible", "0"},
            {"Office2000", "MenuBackColor", "101"},
            {"Office2000", "MenuBackColor2", "102"},
            {"Office2000", "GradientStyle", "1"},
            {"Office2000", "Gradient", "0"},
            {"OfficeXP", "XPBarColor", "103"},
            {"OfficeXP", "XPBarColorUs", "113"},
            {"OfficeXP", "XPBackColor", "104"},
            {"OfficeXP", "XPBackColorUs", "114"},
            {"OfficeXP", "XPTextColor", "105"},
            {"OfficeXP", "XPTextColorUs", "115"},
            {"OfficeXP", "XPTextColorAll", "106"},
            {"OfficeXP", "XPTextColorAllUs", "-2147483633"},
            {"OfficeXP", "XPBorderColor", "10066329"},
            {"OfficeXP", "XPBorderColorUs", "10066329"},
            {"OfficeXP", "XPShadowColor", "10066329"},
            {"OfficeXP", "XPShadowColorUs", "10066329"},
            {"OfficeXP", "XPFillColor", "107"},
            {"OfficeXP", "XPFillColorUs", "117"},
            {"OfficeXP", "XPShadowPic", "1"},
            {"OfficeXP", "XPShadowPicUs", "1"},
            {"OfficeXP", "XPShowShadow", "1"},
            {"OfficeXP", "XPShowShadowUs", "1"},
            {"OfficeXP", "XPThemeXPPreset", "3"},
            {"New3D", "New3DColor1", "121"},
            {"New3D", "New3DColor2", "122"},
            {"New3D", "New3DColor3", "123"},
        };
        QCOMPARE(MenuIniEntries(g), expected);
    }

    void theXPThemeIsWrittenAsItsPreset_data() {
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("preset");
        QTest::newRow("Blue") << 0 << "0";
        QTest::newRow("Gray") << 1 << "1";
        QTest::newRow("Green") << 2 << "2";
        QTest::newRow("Classic") << 3 << "3";
        QTest::newRow("User") << 4 << "4";
        QTest::newRow("Lumenleaf is written as 4") << 5 << "4";
    }
    void theXPThemeIsWrittenAsItsPreset() {
        QFETCH(int, theme);
        QFETCH(QString, preset);
        ProgramState g;
        g.XPTheme = theme;
        g.XPLeftBackColour = 0x123456; // border and shadow never follow the theme's colours
        const QList<MenuIniEntry> entries = MenuIniEntries(g);
        QCOMPARE(ValueOf(entries, "XPThemeXPPreset"), preset);
        for (const char* key : {"XPBorderColor", "XPBorderColorUs", "XPShadowColor", "XPShadowColorUs"}) {
            QCOMPARE(ValueOf(entries, key), QStringLiteral("10066329"));
        }
    }

    void anotherTeachersLoadRewritesTheFileInPlaceAndIsHeard() {
        TestEnvironment env;
        InitGlobals();
        // A hand-made line and section survive; the program's keys take the new values.
        QVERIFY(WriteFile(IniOnDisk(env), "; kept by hand\n[Menu]\nMenuStyle=0\n[Mine]\nNote=hello\n"));
        SaveText(QStringLiteral("Settings\\Menu2"), QStringLiteral("MenuStyle"), QStringLiteral("2"));
        SaveText(QStringLiteral("Settings\\Menu2"), QStringLiteral("XPBarColour"), QStringLiteral("255"));
        int heard = 0;
        SetMenuIniListener([&heard] { ++heard; });
        Globals().CurrentTeacher = 2;
        LoadTeacherSettings();
        SetMenuIniListener({});
        QCOMPARE(heard, 1);
        const QByteArray text = ReadFile(IniOnDisk(env));
        QVERIFY(text.startsWith("; kept by hand\n[Menu]\nMenuStyle=2\n[Mine]\nNote=hello\n"));
        QVERIFY(text.contains("\nXPFillColor=255\n"));
        QCOMPARE(text.count("BarVisible=0"), 5);
        WriteMenuIni();
        QCOMPARE(heard, 1); // no longer listening
    }

    void xpThemesShowTheirColours_data() {
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<XPThemeColours>("colours");
        const XPThemeColours user{1, 2, 3, 4, 5};
        QTest::newRow("Blue") << 0 << "Blue" << true << XPThemeColours{0xFFD7AE, 0xFFFFFF, 0, 0, 0xFF8000};
        QTest::newRow("Gray") << 1 << "Gray" << true << XPThemeColours{0xE8E4E5, 0xFBFAFB, 0, 0, 0xCAC7C7};
        QTest::newRow("Green") << 2 << "Green" << true << XPThemeColours{0xDEEDEF, 0xF9FCFC, 0, 0, 0xC3D1CE};
        QTest::newRow("Classic") << 3 << "Classic" << true
                                 << XPThemeColours{0xD1D8DB, 0xF7F8F9, 0, 0, 0xD2BDB6};
        QTest::newRow("User") << 4 << "User" << true << user;
        QTest::newRow("Lumenleaf: strips, page, black, black, date bar")
            << 5 << "Lumenleaf" << true << XPThemeColours{0xF0D0A6, 0xFAEDDC, 0, 0, 0xE6B36C};
        QTest::newRow("below") << -1 << "" << false << XPThemeColours{};
        QTest::newRow("above") << 6 << "" << false << XPThemeColours{};
    }
    void xpThemesShowTheirColours() {
        QFETCH(int, theme);
        QFETCH(QString, caption);
        QFETCH(bool, exists);
        QFETCH(XPThemeColours, colours);
        QCOMPARE(XPThemeCaption(theme), caption);
        const std::optional<XPThemeColours> shown =
            XPThemeShows(theme, kBlueScheme, XPThemeColours{1, 2, 3, 4, 5});
        QCOMPARE(shown.has_value(), exists);
        if (exists) {
            QVERIFY(*shown == colours);
        }
    }

    void threeDThemesShowTheirColours_data() {
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<ThreeDThemeColours>("colours");
        QTest::newRow("Blue") << 0 << "Blue" << true << ThreeDThemeColours{0xFFD7AE, 0xFFFFFF, 0xFF8000};
        QTest::newRow("Gray") << 1 << "Gray" << true << ThreeDThemeColours{0xEAE5E3, 0xFFFFFF, 0xBEA3A4};
        QTest::newRow("Green") << 2 << "Green" << true << ThreeDThemeColours{0xB8E7E0, 0xD5FFFF, 0x7FB2A3};
        QTest::newRow("Classic Windows")
            << 3 << "Classic Windows" << true << ThreeDThemeColours{0xF0CAA6, 0xFFFFFF, 0x6A240A};
        QTest::newRow("Lumenleaf: strips, page, date bar")
            << 4 << "Lumenleaf" << true << ThreeDThemeColours{0xF0D0A6, 0xFAEDDC, 0xE6B36C};
        QTest::newRow("Classic Windows XP")
            << 5 << "Classic Windows XP" << true << ThreeDThemeColours{0xDCB4B4, 0xFFFFFF, 0x984545};
        QTest::newRow("User") << 6 << "User" << true << ThreeDThemeColours{7, 8, 9};
        QTest::newRow("above") << 7 << "" << false << ThreeDThemeColours{};
    }
    void threeDThemesShowTheirColours() {
        QFETCH(int, theme);
        QFETCH(QString, caption);
        QFETCH(bool, exists);
        QFETCH(ThreeDThemeColours, colours);
        QCOMPARE(ThreeDThemeCaption(theme), caption);
        const std::optional<ThreeDThemeColours> shown =
            ThreeDThemeShows(theme, kBlueScheme, ThreeDThemeColours{7, 8, 9});
        QCOMPARE(shown.has_value(), exists);
        if (exists) {
            QVERIFY(*shown == colours);
        }
    }

    void theGradientTakesTheDayPageColoursWithLumenleaf() {
        QCOMPARE(GradientShows(true, kBlueScheme, 1, 2),
                 std::make_pair(BgrColour(0xE6B36C), BgrColour(0xFAEDDC)));
        QCOMPARE(GradientShows(false, kBlueScheme, 1, 2), std::make_pair(BgrColour(1), BgrColour(2)));
    }
};

QTEST_MAIN(MenuIniTest)
#include "tst_menuini.moc"
