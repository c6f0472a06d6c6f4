#include "MenuIni.h"

#include "IniFile.h"
#include "platform/ProgramFolder.h"

namespace {
std::function<void()>& Listener() {
    static std::function<void()> listener;
    return listener;
}

QString Decimal(qint64 value) {
    return QString::number(value);
}
} // namespace

int XPThemePresetValue(int xpTheme) {
    return xpTheme == 5 ? 4 : xpTheme;
}

QList<MenuIniEntry> MenuIniEntries(const ProgramState& g) {
    QList<MenuIniEntry> entries;
    auto add = [&entries](const char* section, const char* key, qint64 value) {
        entries.append({QString::fromLatin1(section), QString::fromLatin1(key), Decimal(value)});
    };
    add("Menu", "MenuStyle", g.MenuStyle);
    // The side bars of the five menus stay hidden.
    for (const char* section :
         {"Office_Menu_0", "Office_Menu_1", "Office_Menu_2", "Office_Menu_3", "Office_Menu_4"}) {
        add(section, "BarVisible", 0);
    }
    add("Office2000", "MenuBackColor", g.GradientLeftColour);
    add("Office2000", "MenuBackColor2", g.GradientRightColour);
    add("Office2000", "GradientStyle", g.Vertical);
    add("Office2000", "Gradient", g.GradientBar);
    // A key without "Us" carries what the chosen theme shows, its "Us" twin the teacher's own
    // colour for the User theme.
    add("OfficeXP", "XPBarColor", g.XPLeftBackColour);
    add("OfficeXP", "XPBarColorUs", g.XPLeftBackColourUser);
    add("OfficeXP", "XPBackColor", g.XPRightBackColour);
    add("OfficeXP", "XPBackColorUs", g.XPRightBackColourUser);
    add("OfficeXP", "XPTextColor", g.XPSelectedColour);
    add("OfficeXP", "XPTextColorUs", g.XPSelectedColourUser);
    add("OfficeXP", "XPTextColorAll", g.XPAllColour);
    add("OfficeXP", "XPTextColorAllUs", g.XPAllColourUser);
    add("OfficeXP", "XPBorderColor", MenuBorderColour);
    add("OfficeXP", "XPBorderColorUs", MenuBorderColour);
    add("OfficeXP", "XPShadowColor", MenuBorderColour);
    add("OfficeXP", "XPShadowColorUs", MenuBorderColour);
    add("OfficeXP", "XPFillColor", g.XPBarColour);
    add("OfficeXP", "XPFillColorUs", g.XPBarColourUser);
    add("OfficeXP", "XPShadowPic", 1);
    add("OfficeXP", "XPShadowPicUs", 1);
    add("OfficeXP", "XPShowShadow", 1);
    add("OfficeXP", "XPShowShadowUs", 1);
    add("OfficeXP", "XPThemeXPPreset", XPThemePresetValue(g.XPTheme));
    // The 3D theme's number and the teacher's own 3D colours are not the drawing's business.
    add("New3D", "New3DColor1", g.TopColour);
    add("New3D", "New3DColor2", g.MiddleColour);
    add("New3D", "New3DColor3", g.BottomColour);
    return entries;
}

void WriteMenuIni() {
    ProgramState& g = Globals();
    g.IniPath = ProgramFolder() + QStringLiteral("\\frmMain.ini");
    {
        IniFile ini;
        ini.setConfigName(g.IniPath);
        ini.BeginBatch(); // one write of the whole file, and none when it is up to date
        QString section;
        for (const MenuIniEntry& entry : MenuIniEntries(g)) {
            if (entry.section != section) {
                section = entry.section;
                ini.setSection(section);
            }
            ini.KeySave(entry.value, QStringLiteral("NA"), entry.key);
        }
        ini.EndBatch();
    }
    if (const std::function<void()>& listener = Listener()) {
        listener();
    }
}

void SetMenuIniListener(std::function<void()> listener) {
    Listener() = std::move(listener);
}
