#include "core/MenuIni.h"
#include "core/MenuThemes.h"
#include "core/ProgramState.h"
#include "core/Startup.h"
#include "core/TeacherSettings.h"
#include "support/TestSupport.h"

#include "platform/SettingsStore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
// The file as "Section/Key=Value" items in file order; blank lines and layout aside.
QString Compact(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("(no file)");
    }
    QStringList items;
    QString section;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) {
            section = line.mid(1, line.size() - 2);
        } else if (!line.isEmpty()) {
            items << section + u'/' + line;
        }
    }
    return items.join(u' ');
}

constexpr DayPageBackColours kBlueScheme{0xE6B36C, 0xF0D0A6, 0xE6B36C, 0xFAEDDC};
} // namespace

class MenuIniTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFirstStartWritesTheDefaultsAndIsHeard() {
        TestEnvironment env;
        InitGlobals();
        Globals().CurrentTeacher = 1;
        int heard = 0;
        SetMenuIniListener([&heard] { ++heard; });
        LoadTeacherSettings();
        SetMenuIniListener({});
        QCOMPARE(heard, 1);
        QCOMPARE(Globals().IniPath, env.ProgramFolder() + QStringLiteral("\\frmMain.ini"));
        // Colours in decimal; border and shadow &H999999; the "Lumenleaf" XP theme (5) as 4.
        const QString expected =
            "Menu/MenuStyle=4 Office_Menu_0/BarVisible=0 Office_Menu_1/BarVisible=0 "
            "Office_Menu_2/BarVisible=0 "
            "Office_Menu_3/BarVisible=0 Office_Menu_4/BarVisible=0 Office2000/MenuBackColor=15119212 "
            "Office2000/MenuBackColor2=16444892 Office2000/GradientStyle=0 Office2000/Gradient=1 "
            "OfficeXP/XPBarColor=16444892 OfficeXP/XPBarColorUs=16444892 OfficeXP/XPBackColor=15119212 "
            "OfficeXP/XPBackColorUs=15119212 OfficeXP/XPTextColor=0 OfficeXP/XPTextColorUs=0 "
            "OfficeXP/XPTextColorAll=0 OfficeXP/XPTextColorAllUs=0 OfficeXP/XPBorderColor=10066329 "
            "OfficeXP/XPBorderColorUs=10066329 OfficeXP/XPShadowColor=10066329 "
            "OfficeXP/XPShadowColorUs=10066329 "
            "OfficeXP/XPFillColor=15119212 OfficeXP/XPFillColorUs=15119212 OfficeXP/XPShadowPic=1 "
            "OfficeXP/XPShadowPicUs=1 OfficeXP/XPShowShadow=1 OfficeXP/XPShowShadowUs=1 "
            "OfficeXP/XPThemeXPPreset=4 New3D/New3DColor1=15782054 New3D/New3DColor2=16444892 "
            "New3D/New3DColor3=15119212";
        QCOMPARE(Compact(env.ProgramFolder() + QStringLiteral("/frmMain.ini")), expected);
    }

    void anUpToDateFileIsNotWrittenAgain() {
        TestEnvironment env;
        InitGlobals();
        Globals().CurrentTeacher = 1;
        LoadTeacherSettings();
        const QString path = env.ProgramFolder() + QStringLiteral("/frmMain.ini");
        const auto changed = [&path] {
            return QFileInfo(path).fileTime(QFileDevice::FileMetadataChangeTime);
        };
        const QDateTime written = changed();
        QTest::qSleep(20);
        LoadTeacherSettings(); // the next start, with nothing changed
        QCOMPARE(changed(), written);
        QVERIFY(SaveInt(MenuSection(), QStringLiteral("MenuStyle"), 2));
        LoadTeacherSettings();
        QVERIFY(changed() > written);
        QVERIFY(Compact(path).startsWith(QStringLiteral("Menu/MenuStyle=2 Office_Menu_0/BarVisible=0 ")));
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
        QStringList written;
        for (const MenuIniEntry& entry : MenuIniEntries(g)) {
            written << entry.section + u'/' + entry.key + u'=' + entry.value;
        }
        // The preset 3 is written as it is; only "Lumenleaf" (5) becomes 4 (see the first start).
        const QString expected =
            "Menu/MenuStyle=2 Office_Menu_0/BarVisible=0 Office_Menu_1/BarVisible=0 "
            "Office_Menu_2/BarVisible=0 "
            "Office_Menu_3/BarVisible=0 Office_Menu_4/BarVisible=0 Office2000/MenuBackColor=101 "
            "Office2000/MenuBackColor2=102 Office2000/GradientStyle=1 Office2000/Gradient=0 "
            "OfficeXP/XPBarColor=103 "
            "OfficeXP/XPBarColorUs=113 OfficeXP/XPBackColor=104 OfficeXP/XPBackColorUs=114 "
            "OfficeXP/XPTextColor=105 "
            "OfficeXP/XPTextColorUs=115 OfficeXP/XPTextColorAll=106 OfficeXP/XPTextColorAllUs=-2147483633 "
            "OfficeXP/XPBorderColor=10066329 OfficeXP/XPBorderColorUs=10066329 "
            "OfficeXP/XPShadowColor=10066329 "
            "OfficeXP/XPShadowColorUs=10066329 OfficeXP/XPFillColor=107 OfficeXP/XPFillColorUs=117 "
            "OfficeXP/XPShadowPic=1 OfficeXP/XPShadowPicUs=1 OfficeXP/XPShowShadow=1 "
            "OfficeXP/XPShowShadowUs=1 "
            "OfficeXP/XPThemeXPPreset=3 New3D/New3DColor1=121 New3D/New3DColor2=122 New3D/New3DColor3=123";
        QCOMPARE(written.join(u' '), expected);
    }

    void themesShowTheirOwnTheDayPagesOrTheTeachersColours_data() {
        QTest::addColumn<bool>("xp");
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<BgrColour>>("colours"); // empty: no such theme
        QTest::newRow("XP preset") << true << 3 << "Classic"
                                   << QList<BgrColour>{0xD1D8DB, 0xF7F8F9, 0, 0, 0xD2BDB6};
        QTest::newRow("XP User") << true << 4 << "User" << QList<BgrColour>{1, 2, 3, 4, 5};
        QTest::newRow("XP Lumenleaf: strips, page, black, black, date bar")
            << true << 5 << "Lumenleaf" << QList<BgrColour>{0xF0D0A6, 0xFAEDDC, 0, 0, 0xE6B36C};
        QTest::newRow("XP beyond") << true << 6 << "" << QList<BgrColour>{};
        QTest::newRow("3D preset after Lumenleaf")
            << false << 5 << "Classic Windows XP" << QList<BgrColour>{0xDCB4B4, 0xFFFFFF, 0x984545};
        QTest::newRow("3D Lumenleaf: strips, page, date bar")
            << false << 4 << "Lumenleaf" << QList<BgrColour>{0xF0D0A6, 0xFAEDDC, 0xE6B36C};
        QTest::newRow("3D User") << false << 6 << "User" << QList<BgrColour>{7, 8, 9};
        QTest::newRow("3D below") << false << -1 << "" << QList<BgrColour>{};
    }
    void themesShowTheirOwnTheDayPagesOrTheTeachersColours() {
        QFETCH(bool, xp);
        QFETCH(int, theme);
        QFETCH(QString, caption);
        QFETCH(QList<BgrColour>, colours);
        QList<BgrColour> shown;
        if (xp) {
            QCOMPARE(XPThemeCaption(theme), caption);
            if (const auto c = XPThemeShows(theme, kBlueScheme, XPThemeColours{1, 2, 3, 4, 5})) {
                shown = {c->LeftBack, c->RightBack, c->Selected, c->All, c->Bar};
            }
        } else {
            QCOMPARE(ThreeDThemeCaption(theme), caption);
            if (const auto c = ThreeDThemeShows(theme, kBlueScheme, ThreeDThemeColours{7, 8, 9})) {
                shown = {c->Top, c->Middle, c->Bottom};
            }
        }
        QCOMPARE(shown, colours);
    }
};

QTEST_MAIN(MenuIniTest)
#include "tst_menuini.moc"
