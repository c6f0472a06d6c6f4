#pragma once

#include <QColor>
#include <QString>

// How the menus are drawn, as the menu INI file asks: one of three styles with its colours.
struct MenuLook {
    // Plain: the toolkit's own menus, for a style number the file should not hold.
    enum class Style { Plain, Office2000, OfficeXP, ThreeD };
    Style style = Style::ThreeD;

    // Office 2000: a flat grey menu whose selection bar is a gradient from `gradientFrom` to
    // `gradientTo` (left to right, or top to bottom when `vertical`) when `gradient` is on, and
    // the desktop's highlight otherwise.
    bool gradient = true;
    bool vertical = false;
    QColor gradientFrom;
    QColor gradientTo;

    // Office XP: the band behind the pictures ("XPBarColor"), the item area ("XPBackColor"),
    // the selected item's fill ("XPFillColor") and text ("XPTextColor"), every other item's
    // text ("XPTextColorAll"), the border and the drop shadow. The "Us" keys are the options'
    // memory of the teacher's own colours: the plain keys always carry what the chosen theme
    // shows, so a preset draws in its own colours.
    QColor band;
    QColor area;
    QColor fill;
    QColor selectedText;
    QColor text;
    QColor border;
    QColor shadow;
    bool showShadow = true;

    // 3D: the raised bars run from `top` through `middle` to `bottom`; the menu itself is `middle`.
    QColor top;
    QColor middle;
    QColor bottom;

    bool operator==(const MenuLook&) const = default;
};

// Reads the file as it stands. A missing file or key, or a value that is not a whole number,
// gives the value a first start writes.
MenuLook ReadMenuLook(const QString& iniPath);

// The style a "MenuStyle" number names: 0 Office 2000, 2 Office XP, 4 3D; any other is Plain.
MenuLook::Style MenuLookStyle(int menuStyle);
