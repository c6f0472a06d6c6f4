#include "MenuThemes.h"

namespace {
struct XPPreset {
    const char* caption;
    XPThemeColours colours;
};

// Indices 4 and 5 ("User", "Lumenleaf") take their colours from elsewhere.
constexpr std::array<XPPreset, 4> kXPPresets{{
    {"Blue", {0xFFD7AE, 0xFFFFFF, 0x000000, 0x000000, 0xFF8000}},
    {"Gray", {0xE8E4E5, 0xFBFAFB, 0x000000, 0x000000, 0xCAC7C7}},
    {"Green", {0xDEEDEF, 0xF9FCFC, 0x000000, 0x000000, 0xC3D1CE}},
    {"Classic", {0xD1D8DB, 0xF7F8F9, 0x000000, 0x000000, 0xD2BDB6}},
}};

struct ThreeDPreset {
    const char* caption;
    ThreeDThemeColours colours;
};

// Indices 4 ("Lumenleaf") and 6 ("User") take their colours from elsewhere.
constexpr std::array<ThreeDPreset, 7> kThreeDPresets{{
    {"Blue", {0xFFD7AE, 0xFFFFFF, 0xFF8000}},
    {"Gray", {0xEAE5E3, 0xFFFFFF, 0xBEA3A4}},
    {"Green", {0xB8E7E0, 0xD5FFFF, 0x7FB2A3}},
    {"Classic Windows", {0xF0CAA6, 0xFFFFFF, 0x6A240A}},
    {"Lumenleaf", {}},
    {"Classic Windows XP", {0xDCB4B4, 0xFFFFFF, 0x984545}},
    {"User", {}},
}};
} // namespace

QString XPThemeCaption(int theme) {
    switch (theme) {
    case XPThemeUser:
        return QStringLiteral("User");
    case XPThemeLumenleaf:
        return QStringLiteral("Lumenleaf");
    default:
        return theme >= 0 && theme < static_cast<int>(kXPPresets.size())
                   ? QString::fromLatin1(kXPPresets[static_cast<size_t>(theme)].caption)
                   : QString();
    }
}

QString ThreeDThemeCaption(int theme) {
    return theme >= 0 && theme < ThreeDThemeCount
               ? QString::fromLatin1(kThreeDPresets[static_cast<size_t>(theme)].caption)
               : QString();
}

std::optional<XPThemeColours> XPThemeShows(int theme, const DayPageBackColours& colourBack,
                                           const XPThemeColours& user) {
    switch (theme) {
    case XPThemeUser:
        return user;
    case XPThemeLumenleaf:
        return XPThemeColours{colourBack[1], colourBack[3], 0x000000, 0x000000, colourBack[0]};
    default:
        if (theme >= 0 && theme < static_cast<int>(kXPPresets.size())) {
            return kXPPresets[static_cast<size_t>(theme)].colours;
        }
        return std::nullopt;
    }
}

std::optional<ThreeDThemeColours> ThreeDThemeShows(int theme, const DayPageBackColours& colourBack,
                                                   const ThreeDThemeColours& user) {
    switch (theme) {
    case ThreeDThemeUser:
        return user;
    case ThreeDThemeLumenleaf:
        return ThreeDThemeColours{colourBack[1], colourBack[3], colourBack[0]};
    default:
        if (theme >= 0 && theme < ThreeDThemeCount) {
            return kThreeDPresets[static_cast<size_t>(theme)].colours;
        }
        return std::nullopt;
    }
}

std::pair<BgrColour, BgrColour> GradientShows(bool lumenleaf, const DayPageBackColours& colourBack,
                                              BgrColour userLeft, BgrColour userRight) {
    return lumenleaf ? std::pair{colourBack[0], colourBack[3]} : std::pair{userLeft, userRight};
}
