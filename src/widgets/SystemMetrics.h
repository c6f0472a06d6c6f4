#pragma once

// The window-frame measurements the layout formulas ask for, in pixels. Linux has no such
// table; the values come from the widget style where it knows them and are plausible
// constants where it does not.
enum SystemMetric {
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXFRAME = 32,
    SM_CYFRAME = 33,
};

int GetSystemMetrics(int index);

// Tells the twips layer the primary screen's resolution (logical dots per inch).
void UseScreenTwipsPerPixel();
