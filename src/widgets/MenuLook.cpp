#include "MenuLook.h"

#include "Colours.h"
#include "platform/IniDocument.h"

#include <limits>
#include <optional>

namespace {
std::optional<qint64> ReadNumber(const IniDocument& file, const char* section, const char* key) {
    const std::optional<QString> text = file.Value(QString::fromLatin1(section), QString::fromLatin1(key));
    if (!text) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 value = text->trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

// Colours are Longs in the file: BGR, or a system colour with the top bit set.
QColor ReadColour(const IniDocument& file, const char* section, const char* key, qint32 fallback) {
    const std::optional<qint64> value = ReadNumber(file, section, key);
    const bool fits = value && *value >= std::numeric_limits<qint32>::min() &&
                      *value <= std::numeric_limits<quint32>::max();
    return ColorFromBgr(fits ? static_cast<qint32>(static_cast<quint32>(*value)) : fallback);
}

bool ReadFlag(const IniDocument& file, const char* section, const char* key, bool fallback) {
    const std::optional<qint64> value = ReadNumber(file, section, key);
    return value ? *value != 0 : fallback;
}
} // namespace

MenuLook::Style MenuLookStyle(int menuStyle) {
    switch (menuStyle) {
    case 0:
        return MenuLook::Style::Office2000;
    case 2:
        return MenuLook::Style::OfficeXP;
    case 4:
        return MenuLook::Style::ThreeD;
    default:
        return MenuLook::Style::Plain;
    }
}

MenuLook ReadMenuLook(const QString& iniPath) {
    IniDocument file;
    file.Load(iniPath, true); // a file that cannot be read leaves the document empty
    MenuLook look;
    const std::optional<qint64> style = ReadNumber(file, "Menu", "MenuStyle");
    const bool fits =
        style && *style >= std::numeric_limits<int>::min() && *style <= std::numeric_limits<int>::max();
    look.style = MenuLookStyle(fits ? static_cast<int>(*style) : 4);

    look.gradientFrom = ReadColour(file, "Office2000", "MenuBackColor", 0xE6B36C);
    look.gradientTo = ReadColour(file, "Office2000", "MenuBackColor2", 0xFAEDDC);
    look.vertical = ReadFlag(file, "Office2000", "GradientStyle", false);
    look.gradient = ReadFlag(file, "Office2000", "Gradient", true);

    look.band = ReadColour(file, "OfficeXP", "XPBarColor", 0xFAEDDC);
    look.area = ReadColour(file, "OfficeXP", "XPBackColor", 0xE6B36C);
    look.selectedText = ReadColour(file, "OfficeXP", "XPTextColor", 0);
    look.text = ReadColour(file, "OfficeXP", "XPTextColorAll", 0);
    look.border = ReadColour(file, "OfficeXP", "XPBorderColor", 0x999999);
    look.shadow = ReadColour(file, "OfficeXP", "XPShadowColor", 0x999999);
    look.fill = ReadColour(file, "OfficeXP", "XPFillColor", 0xE6B36C);
    look.showShadow = ReadFlag(file, "OfficeXP", "XPShowShadow", true);

    look.top = ReadColour(file, "New3D", "New3DColor1", 0xF0D0A6);
    look.middle = ReadColour(file, "New3D", "New3DColor2", 0xFAEDDC);
    look.bottom = ReadColour(file, "New3D", "New3DColor3", 0xE6B36C);
    return look;
}
