#include "TeacherSettings.h"

#include "MenuIni.h"
#include "ProgramState.h"
#include "platform/SettingsStore.h"

QString EffectsSection(int teacher) {
    return QStringLiteral("Settings\\Effects%1").arg(teacher);
}

QString EffectsSection() {
    return EffectsSection(Globals().CurrentTeacher);
}

QString MenuSection() {
    return QStringLiteral("Settings\\Menu%1").arg(Globals().CurrentTeacher);
}

void LoadTeacherSettings() {
    ProgramState& g = Globals();
    const QString effects = EffectsSection();
    const QString menu = MenuSection();

    // 1.
    g.PackRun = ReadInt(effects, QStringLiteral("PackRun"), 0);
    g.PackConfig = ReadBool(effects, QStringLiteral("PackConfig"), false);
    g.SchoolDays = ReadBool(effects, QStringLiteral("SchoolDays"), true);
    g.BothTeacherDays = ReadBool(effects, QStringLiteral("BothTeacherDays"), false);
    g.BinderStyle = ReadInt(effects, QStringLiteral("BinderStyle"), 1);
    g.CalendarShow = ReadBool(effects, QStringLiteral("CalendarShow"), true);
    g.CalendarPosition = ReadInt(effects, QStringLiteral("CalendarPosition"), 1);
    g.NotesShow = ReadBool(effects, QStringLiteral("NotesShow"), true);
    g.NotesPosition = ReadInt(effects, QStringLiteral("NotesPosition"), 0);
    g.TimeTableShow = ReadBool(effects, QStringLiteral("TimeTableShow"), false);
    // Positions in twips are 32-bit: a wide screen has room far beyond 32,767.
    g.TimeTableLeft = ReadLong(effects, QStringLiteral("TimeTableLeft"), 400);
    g.TimeTableTop = ReadLong(effects, QStringLiteral("TimeTableTop"), 1000);
    g.ToolBarShow = ReadBool(effects, QStringLiteral("ToolBarShow"), true);
    g.Scheme = ReadText(effects, QStringLiteral("Scheme"), QStringLiteral("Blue"));
    g.UseScheme = ReadInt(effects, QStringLiteral("UseScheme"), 0);
    g.LastTab = ReadInt(effects, QStringLiteral("LastTab"), 0);

    // 2.
    g.MenuStyle = ReadInt(menu, QStringLiteral("MenuStyle"), 4);
    g.XPTheme = ReadInt(menu, QStringLiteral("XPTheme"), 5);
    g.DTheme = ReadInt(menu, QStringLiteral("DTheme"), 4);
    g.GradientBar = ReadInt(menu, QStringLiteral("GradientBar"), 1);
    g.Vertical = ReadInt(menu, QStringLiteral("Vertical"), 0);
    g.LumenleafColours = ReadInt(menu, QStringLiteral("LumenleafColours"), 1);
    g.GradientLeftColour = ReadLong(menu, QStringLiteral("GradientLeftColour"), 0xE6B36C);
    g.GradientRightColour = ReadLong(menu, QStringLiteral("GradientRightColour"), 0xFAEDDC);
    g.XPRightBackColour = ReadLong(menu, QStringLiteral("XPRightBackColour"), 0xE6B36C);
    g.XPLeftBackColour = ReadLong(menu, QStringLiteral("XPLeftBackColour"), 0xFAEDDC);
    g.XPSelectedColour = ReadLong(menu, QStringLiteral("XPSelectedColour"), 0);
    g.XPAllColour = ReadLong(menu, QStringLiteral("XPAllColour"), 0);
    g.XPBarColour = ReadLong(menu, QStringLiteral("XPBarColour"), 0xE6B36C);
    g.XPRightBackColourUser = ReadLong(menu, QStringLiteral("XPRightBackColourUser"), 0xE6B36C);
    g.XPLeftBackColourUser = ReadLong(menu, QStringLiteral("XPLeftBackColourUser"), 0xFAEDDC);
    g.XPSelectedColourUser = ReadLong(menu, QStringLiteral("XPSelectedColourUser"), 0);
    g.XPAllColourUser = ReadLong(menu, QStringLiteral("XPAllColourUser"), 0);
    g.XPBarColourUser = ReadLong(menu, QStringLiteral("XPBarColourUser"), 0xE6B36C);
    g.TopColour = ReadLong(menu, QStringLiteral("TopColour"), 0xF0D0A6);
    g.MiddleColour = ReadLong(menu, QStringLiteral("MiddleColour"), 0xFAEDDC);
    g.BottomColour = ReadLong(menu, QStringLiteral("BottomColour"), 0xE6B36C);
    g.TopColourUser = ReadLong(menu, QStringLiteral("TopColourUser"), 0xC9EDD3);
    g.MiddleColourUser = ReadLong(menu, QStringLiteral("MiddleColourUser"), 0xE0F3E9);
    g.BottomColourUser = ReadLong(menu, QStringLiteral("BottomColourUser"), 0xC9EDD3);

    // 3.
    WriteMenuIni();

    // 4.-5. Colours and fonts.
    LoadStyleArrays(g.CurrentTeacher);
}

void LoadStyleArrays(int teacher) {
    ProgramState& g = Globals();
    const QString section = EffectsSection(teacher);
    for (int i = 0; i <= 3; ++i) {
        g.ColourBack[i] = ReadLong(section, QStringLiteral("ColourBack%1").arg(i), g.DefaultColourBack[i]);
        g.ColourFore[i] = ReadLong(section, QStringLiteral("ColourFore%1").arg(i), g.DefaultColourFore[i]);
    }
    for (int i = 0; i <= 2; ++i) {
        g.FontName[i] = ReadText(section, QStringLiteral("FontName%1").arg(i), g.DefaultFontName[i]);
        g.FontSize[i] = ReadInt(section, QStringLiteral("FontSize%1").arg(i), g.DefaultFontSize[i].toInt());
        g.FontBold[i] = ReadBool(section, QStringLiteral("FontBold%1").arg(i), g.DefaultFontBold[i]);
        g.FontItalic[i] = ReadBool(section, QStringLiteral("FontItalic%1").arg(i), g.DefaultFontItalic[i]);
    }
}
