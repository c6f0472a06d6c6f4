#include "core/ProgramState.h"
#include "core/Startup.h"
#include "core/TeacherSettings.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QTest>

class TeacherSettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aNewTeacherStartsWithEveryDefault() {
        TestEnvironment env;
        InitGlobals();
        // Teacher 1 has settings of their own; teacher 2 has none yet.
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("CalendarShow"),
                 QStringLiteral("False"));
        SaveText(QStringLiteral("Settings\\Effects1"), QStringLiteral("ColourBack2"), QStringLiteral("255"));
        Globals().CurrentTeacher = 2;
        LoadTeacherSettings();
        const ProgramState& g = Globals();
        QCOMPARE(g.PackRun, 0);
        QVERIFY(!g.PackConfig);
        QVERIFY(g.SchoolDays);
        QVERIFY(!g.BothTeacherDays);
        QCOMPARE(g.BinderStyle, 1);
        QVERIFY(g.CalendarShow);
        QCOMPARE(g.CalendarPosition, 1);
        QVERIFY(g.NotesShow);
        QCOMPARE(g.NotesPosition, 0);
        QVERIFY(!g.TimeTableShow);
        QCOMPARE(g.TimeTableLeft, 400);
        QCOMPARE(g.TimeTableTop, 1000);
        QVERIFY(g.ToolBarShow);
        QCOMPARE(g.Scheme, QStringLiteral("Blue"));
        QCOMPARE(g.MenuStyle, 4);
        QCOMPARE(g.XPTheme, 5);
        QCOMPARE(g.DTheme, 4);
        QCOMPARE(g.TopColourUser, 0xC9EDD3);
        for (int i = 0; i <= 3; ++i) {
            QCOMPARE(g.ColourBack[i], g.DefaultColourBack[i]);
            QCOMPARE(g.ColourFore[i], g.DefaultColourFore[i]);
        }
        QCOMPARE(g.FontName[0], QStringLiteral("MS Sans Serif"));
        QCOMPARE(g.FontSize[0], 12);
        QCOMPARE(g.FontSize[1], 8);
        QVERIFY(g.FontBold[2]);
        QVERIFY(!g.FontItalic[2]);
    }

    void theTeachersOwnValuesLoad() {
        TestEnvironment env;
        InitGlobals();
        const QString effects = QStringLiteral("Settings\\Effects1");
        SaveText(effects, QStringLiteral("SchoolDays"), QStringLiteral("False"));
        SaveText(effects, QStringLiteral("TimeTableLeft"), QStringLiteral("2400"));
        SaveText(effects, QStringLiteral("ColourFore3"), QStringLiteral("16711680"));
        SaveText(effects, QStringLiteral("FontName1"), QStringLiteral("Arial"));
        SaveText(effects, QStringLiteral("FontItalic1"), QStringLiteral("True"));
        // Saved under another spelling: key names match without regard to case.
        SaveText(QStringLiteral("Settings\\Menu1"), QStringLiteral("dTheme"), QStringLiteral("2"));
        Globals().CurrentTeacher = 1;
        LoadTeacherSettings();
        const ProgramState& g = Globals();
        QVERIFY(!g.SchoolDays);
        QCOMPARE(g.TimeTableLeft, 2400);
        QCOMPARE(g.ColourFore[3], 0xFF0000);
        QCOMPARE(g.FontName[1], QStringLiteral("Arial"));
        QVERIFY(g.FontItalic[1]);
        QCOMPARE(g.DTheme, 2);
    }
};

QTEST_MAIN(TeacherSettingsTest)
#include "tst_teachersettings.moc"
