// The "Menu Styles" tab of the options dialog: the menu's style and theme colours. Its frames
// are laid out here; the style and theme controls go into them. Until they do, the menu
// settings are stored as they were loaded.
#include "frmOptions.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

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

void frmOptions::StoreMenuTheme(ProgramState& g) const {
    // The colours shown and the check boxes are still those the dialog was loaded with; the
    // working values are the teacher's choices.
    g.MenuStyle = WorkMenuStyle;
    g.XPTheme = WorkXPTheme;
    g.DTheme = WorkDTheme;
    g.XPRightBackColourUser = WorkXPRightBackColourUser;
    g.XPLeftBackColourUser = WorkXPLeftBackColourUser;
    g.XPSelectedColourUser = WorkXPSelectedColourUser;
    g.XPAllColourUser = WorkXPAllColourUser;
    g.XPBarColourUser = WorkXPBarColourUser;
    g.TopColourUser = WorkTopColourUser;
    g.MiddleColourUser = WorkMiddleColourUser;
    g.BottomColourUser = WorkBottomColourUser;
}
