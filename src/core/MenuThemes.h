#pragma once

#include "ProgramState.h"

#include <QString>

#include <array>
#include <optional>
#include <utility>

// The menu styles and the preset themes of their colours, as the options offer them and the
// menu INI file carries them. Pure data: the options tab and the INI writer read the same tables.

// MenuStyle: no 1 or 3.
inline constexpr int MenuStyleOffice2000 = 0;
inline constexpr int MenuStyleOfficeXP = 2;
inline constexpr int MenuStyle3D = 4;

// Office XP themes, numbered as their option buttons (0..5).
inline constexpr int XPThemeCount = 6;
inline constexpr int XPThemeUser = 4;
inline constexpr int XPThemeLumenleaf = 5;

// 3D themes, numbered as their option buttons (0..6).
inline constexpr int ThreeDThemeCount = 7;
inline constexpr int ThreeDThemeLumenleaf = 4;
inline constexpr int ThreeDThemeUser = 6;

// The five Office XP colours, in the order the options show them.
struct XPThemeColours {
    BgrColour LeftBack = 0;
    BgrColour RightBack = 0;
    BgrColour Selected = 0; // text of the selected item
    BgrColour All = 0;      // text of every other item
    BgrColour Bar = 0;      // the selection bar's back colour
};

struct ThreeDThemeColours {
    BgrColour Top = 0;
    BgrColour Middle = 0;
    BgrColour Bottom = 0;
};

// The day page's four back colours (date bar, time and subject strips, captions, page): the
// "Lumenleaf" themes take theirs from them.
using DayPageBackColours = std::array<BgrColour, 4>;

// The option buttons' captions; empty outside the range.
QString XPThemeCaption(int theme);
QString ThreeDThemeCaption(int theme);

// The colours a theme shows: a preset's own, the day page's for "Lumenleaf", the teacher's for
// "User". Nothing for a number outside the range.
std::optional<XPThemeColours> XPThemeShows(int theme, const DayPageBackColours& colourBack,
                                           const XPThemeColours& user);
std::optional<ThreeDThemeColours> ThreeDThemeShows(int theme, const DayPageBackColours& colourBack,
                                                   const ThreeDThemeColours& user);

// The Office 2000 gradient's two colours: the date bar and page colours with "Lumenleaf" ticked,
// else the teacher's own.
std::pair<BgrColour, BgrColour> GradientShows(bool lumenleaf, const DayPageBackColours& colourBack,
                                              BgrColour userLeft, BgrColour userRight);
