// The "Menu Styles" tab of the options dialog: the menu's style and theme colours. Its frames
// are laid out here; the style and theme controls go into them. Until they do, the dialog keeps
// the menu settings as they were loaded, and stores those.
#include "frmOptions.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

MenuThemeSettings MenuThemeSettings::From(const ProgramState& g) {
    MenuThemeSettings m;
    m.MenuStyle = g.MenuStyle;
    m.XPTheme = g.XPTheme;
    m.DTheme = g.DTheme;
    m.GradientBar = g.GradientBar;
    m.Vertical = g.Vertical;
    m.LumenleafColours = g.LumenleafColours;
    m.GradientLeftColour = g.GradientLeftColour;
    m.GradientRightColour = g.GradientRightColour;
    m.XPRightBackColour = g.XPRightBackColour;
    m.XPLeftBackColour = g.XPLeftBackColour;
    m.XPSelectedColour = g.XPSelectedColour;
    m.XPAllColour = g.XPAllColour;
    m.XPBarColour = g.XPBarColour;
    m.XPRightBackColourUser = g.XPRightBackColourUser;
    m.XPLeftBackColourUser = g.XPLeftBackColourUser;
    m.XPSelectedColourUser = g.XPSelectedColourUser;
    m.XPAllColourUser = g.XPAllColourUser;
    m.XPBarColourUser = g.XPBarColourUser;
    m.TopColour = g.TopColour;
    m.MiddleColour = g.MiddleColour;
    m.BottomColour = g.BottomColour;
    m.TopColourUser = g.TopColourUser;
    m.MiddleColourUser = g.MiddleColourUser;
    m.BottomColourUser = g.BottomColourUser;
    return m;
}

void MenuThemeSettings::StoreInto(ProgramState& g) const {
    g.MenuStyle = MenuStyle;
    g.XPTheme = XPTheme;
    g.DTheme = DTheme;
    g.GradientBar = GradientBar;
    g.Vertical = Vertical;
    g.LumenleafColours = LumenleafColours;
    g.GradientLeftColour = GradientLeftColour;
    g.GradientRightColour = GradientRightColour;
    g.XPRightBackColour = XPRightBackColour;
    g.XPLeftBackColour = XPLeftBackColour;
    g.XPSelectedColour = XPSelectedColour;
    g.XPAllColour = XPAllColour;
    g.XPBarColour = XPBarColour;
    g.XPRightBackColourUser = XPRightBackColourUser;
    g.XPLeftBackColourUser = XPLeftBackColourUser;
    g.XPSelectedColourUser = XPSelectedColourUser;
    g.XPAllColourUser = XPAllColourUser;
    g.XPBarColourUser = XPBarColourUser;
    g.TopColour = TopColour;
    g.MiddleColour = MiddleColour;
    g.BottomColour = BottomColour;
    g.TopColourUser = TopColourUser;
    g.MiddleColourUser = MiddleColourUser;
    g.BottomColourUser = BottomColourUser;
}

QWidget* frmOptions::buildMenuStylesTab() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    Frame15 = new QGroupBox(QStringLiteral("Menu Style"), page);
    new QVBoxLayout(Frame15);
    fraOffice2000 = new QGroupBox(QStringLiteral("Office 2000 Style"), page);
    new QVBoxLayout(fraOffice2000);
    fraOfficeXP = new QGroupBox(QStringLiteral("Office XP Style"), page);
    fraOfficeXPPreset = new QGroupBox(QStringLiteral("Preset Themes"), fraOfficeXP);
    new QVBoxLayout(fraOfficeXPPreset);
    (new QVBoxLayout(fraOfficeXP))->addWidget(fraOfficeXPPreset);
    fra3D = new QGroupBox(QStringLiteral("3D Style"), page);
    fra3DPreset = new QGroupBox(QStringLiteral("Preset Themes"), fra3D);
    new QVBoxLayout(fra3DPreset);
    (new QVBoxLayout(fra3D))->addWidget(fra3DPreset);
    grid->addWidget(Frame15, 0, 0);
    grid->addWidget(fraOffice2000, 1, 0);
    grid->addWidget(fraOfficeXP, 0, 1, 2, 1);
    grid->addWidget(fra3D, 0, 2, 2, 1);
    grid->setRowStretch(1, 1);
    return page;
}

// The tab's check boxes and option buttons take the loaded values (the load's steps for them).
void frmOptions::loadMenuStyleControls() {}

// Fills the colour labels of the style WorkMenuStyle names from its theme.
void frmOptions::ShowThemeColours() {}

void frmOptions::RefreshAllThemeColours() {
    const int style = WorkMenuStyle;
    for (int s : {0, 2, 4}) {
        WorkMenuStyle = s;
        ShowThemeColours();
    }
    WorkMenuStyle = style;
}

MenuThemeSettings frmOptions::MenuThemeShown() const {
    MenuThemeSettings shown = m_loadedMenu;
    shown.MenuStyle = WorkMenuStyle;
    shown.XPTheme = WorkXPTheme;
    shown.DTheme = WorkDTheme;
    shown.XPRightBackColourUser = WorkXPRightBackColourUser;
    shown.XPLeftBackColourUser = WorkXPLeftBackColourUser;
    shown.XPSelectedColourUser = WorkXPSelectedColourUser;
    shown.XPAllColourUser = WorkXPAllColourUser;
    shown.XPBarColourUser = WorkXPBarColourUser;
    shown.TopColourUser = WorkTopColourUser;
    shown.MiddleColourUser = WorkMiddleColourUser;
    shown.BottomColourUser = WorkBottomColourUser;
    return shown;
}
