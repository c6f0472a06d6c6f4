#pragma once

#include "ProgramState.h"

#include <QString>

#include <array>

// The eight named colour schemes of the day page: each sets all four back colours and all four
// fore colours at once (BGR values). The Blue scheme is the default colours.
struct ColourScheme {
    const char* name;
    std::array<BgrColour, 4> back;
    std::array<BgrColour, 4> fore;
};

// In the order the options list them: Blue, Brown, Gray, Green, Orange, Purple, Red, Yellow.
const std::array<ColourScheme, 8>& ColourSchemes();
// The scheme of exactly this name (case counts: "gray" is no scheme), or nullptr.
const ColourScheme* FindColourScheme(const QString& name);
