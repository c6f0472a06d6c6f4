#pragma once

#include "ProgramState.h"

#include <QList>
#include <QString>

#include <functional>

// The menu INI file ("frmMain.ini" in the program folder): the teacher's menu style and colours,
// as the menu drawing reads them.

struct MenuIniEntry {
    QString section;
    QString key;
    QString value;
};

// Every section and key of the file with its value, in the order they are written. Colours are
// decimal BGR values.
QList<MenuIniEntry> MenuIniEntries(const ProgramState& g);

// The preset number the file carries for an Office XP theme: "Lumenleaf" (5) is written as 4.
int XPThemePresetValue(int xpTheme);

// Border and shadow of the Office XP menus, whatever the theme (&H999999).
inline constexpr BgrColour MenuBorderColour = 0x999999;

// Writes the file from the current teacher's menu settings (setting IniPath first): key by key
// into memory, then in one write when anything changed. Then tells the interface, which draws
// the menus anew from it.
void WriteMenuIni();

// The interface hears here that the file was rewritten; an empty function stops it hearing.
void SetMenuIniListener(std::function<void()> listener);
